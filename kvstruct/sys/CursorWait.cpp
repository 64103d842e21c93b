#include "kvstruct/sys/CursorWait.h"

namespace KV {

CCursorWait::CCursorWait() : m_hPrevious(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}

CCursorWait::~CCursorWait()
{
    ::SetCursor(m_hPrevious);
}

} // namespace KV
