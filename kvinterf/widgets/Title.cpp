#include "kvinterf/widgets/Title.h"

namespace KV {

CTitle::CTitle() {}
CTitle::~CTitle() {}

HWND CTitle::Create(HINSTANCE instance, HWND parent, DWORD, const RECT& rect, UINT id)
{
    return CText::Create(instance, parent, kTitleStyle, rect, id);
}

} // namespace KV
