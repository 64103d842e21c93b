#pragma once
// A gauge: a horizontal bar shaded from a start through a middle to an end colour, a small
// triangular pointer above it at a position in per cent, and a row of labels along the bottom.
#include "kvinterf/widgets/Static.h"
#include "kvstruct/core/CString.h"
#include <vector>

namespace KV {

constexpr unsigned long kSkinTypeGradient = 0x14000000ul;

class KVINTERF_API CGradient : public CStatic
{
public:
    CGradient();
    ~CGradient() override;

    using CStatic::Create;
    // Also makes the default label font when none has been set.
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;

    void SetColors(int r0, int g0, int b0, int r1, int g1, int b1, int r2, int g2, int b2);
    // Negative values count as 0.
    void SetHight(int barHeight, int margin);
    // The split point at numerator / denominator of the width; a zero denominator is ignored.
    void SetCenter(int numerator, int denominator);
    // Kept within 0..100.
    void SetCurPos(int percent);
    // "Arial" of that height and weight; 0 when no font could be made (the old one stays).
    int SetFont(int height, int weight);
    void SetTextColor(COLORREF colour, COLORREF second = 0);
    // Appends texts until one that contains "-1" (not added) or a null pointer.
    void SetLabels(const wchar_t* text, ...);
    void ClearLabels() { m_listLabel.clear(); }

    int DrawItem(DRAWITEMSTRUCT* item) override;

    int GetCurPos() const { return m_nPos; }
    int GetBarHeight() const { return m_nBarHeight; }
    int GetMargin() const { return m_nMargin; }
    int GetLabelCount() const { return (int)m_listLabel.size(); }
    // True when two neighbouring labels, as drawn under the bar of the window, touch or overlap
    // (texts too long for the gauge's width).
    bool LabelsCrowd() const;
    HFONT GetFont() const { return m_hFont; }
    // Top of the bar in a client area of that height.
    int BarTop(int height) const { return (int)(height / 2.5) - m_nBarHeight / 2; }

    enum : COLORREF { kPointerStart = 0x0080FF, kPointerEnd = 0x900090 };
    enum : int { kFontPoints = 8, kFontWeight = FW_NORMAL, kMaxLabels = 64 };

protected:
    void DrawBar(HDC dc, const RECT& rc) const;
    void DrawPointer(HDC dc, const RECT& rc) const;
    void DrawLabels(HDC dc, const RECT& rc) const;
    // Left edge, alignment and anchor of label index for a bar of width w.
    void PlaceLabel(int index, int w, UINT& align, int& x) const;

    int m_rgbStart[3];
    int m_rgbMiddle[3];
    int m_rgbEnd[3];
    int m_nBarHeight;
    int m_nMargin;
    int m_nNumerator;
    int m_nDenominator;
    HFONT m_hFont;
    COLORREF m_crText;
    int m_nPos;
    std::vector<CString> m_listLabel;
};

} // namespace KV
