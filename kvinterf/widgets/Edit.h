#pragma once
// The platform's one-line edit control as a skin element.
#include "kvinterf/widgets/SkinControl.h"

namespace KV {

constexpr unsigned long kSkinTypeEdit = 0x19000000ul;

class KVINTERF_API CEdit : public CSkinControl
{
public:
    CEdit();
    ~CEdit() override;

    using CSkin::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    // "Arial" of that height and weight, applied at once.
    int SetFont(int height, int weight);
    // Kept for the parent's WM_CTLCOLOREDIT (see CtlColor).
    void SetTextColor(COLORREF text, COLORREF background);
    // Prepares dc with the colours and returns the background brush; nullptr when none is set.
    HBRUSH CtlColor(HDC dc) const;

    enum : int { kDefaultHeight = 15 };

protected:
    COLORREF m_crText;
    HBRUSH m_hBrush;
};

} // namespace KV
