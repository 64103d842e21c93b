#pragma once
// A text drawn as a section title: the caption followed by a light grey rule.
#include "kvinterf/widgets/Text.h"

namespace KV {

class KVINTERF_API CTitle : public CText
{
public:
    CTitle();
    ~CTitle() override;

    using CText::Create;
    // The style is always the title look (8).
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;

    enum : DWORD { kTitleStyle = 8 };
};

} // namespace KV
