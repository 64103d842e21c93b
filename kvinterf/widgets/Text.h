#pragma once
// A picture element with a one-line caption (the window text).
#include "kvinterf/widgets/Static.h"

namespace KV {

class KVINTERF_API CText : public CStatic
{
public:
    CText();
    ~CText() override;

    using CStatic::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    // "Arial" of that height and weight; 0 when no font could be made (the old one stays).
    int SetFont(int height, int weight);
    // The caption colour; a background other than 0xFFFFFFFF fills the item first.
    void SetTextColor(COLORREF colour, COLORREF background = 0xFFFFFFFF);
    void SetTextIndent(unsigned short indent) { m_nIndent = indent; }
    // Hides or shows the caption only; the window stays on screen.
    int ShowWindow(int show) override;
    int DrawItem(DRAWITEMSTRUCT* item) override;

    HFONT GetFont() const { return m_hFont; }
    HBRUSH GetBackground() const { return m_hBrush; }
    COLORREF GetTextColour() const { return m_crText; }
    unsigned short GetTextIndent() const { return m_nIndent; }
    bool IsHidden() const { return (m_nFlags & 1) != 0; }
    // Where the rule of a title starts for a caption of length characters in dc's font.
    static int RuleStart(HDC dc, int length);

    enum : COLORREF { kRuleColour = 0xC8C8C8, kDisabledColour = 0xAAAAAA };

protected:
    HBRUSH m_hBrush;
    HFONT m_hFont;
    COLORREF m_crText;
    unsigned short m_nIndent;
    unsigned char m_nFlags;
};

} // namespace KV
