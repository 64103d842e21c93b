#include "kvinterf/widgets/Gradient.h"
#include <climits>
#include <cstdarg>
#include <cwchar>

namespace KV {

namespace {

// Labels are small: smoothed glyphs keep them legible, and any script's labels find glyphs.
HFONT MakeLabelFont(int height, int weight)
{
    return ::CreateFontW(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

int Clamp(int v, int lo, int hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

void FillColumn(HDC dc, int x, int top, int bottom, COLORREF colour)
{
    RECT column = {x, top, x + 1, bottom};
    ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &column, nullptr, 0, nullptr);
}

// Columns from..to-1 shaded from a to b; each channel is a + (b - a) * l / right.
void Shade(HDC dc, int from, int to, int right, const int* a, const int* b, int top, int bottom)
{
    if (right <= 0)
        return;
    for (int x = from; x < to; ++x)
    {
        const int l = x - from;
        int c[3];
        for (int i = 0; i < 3; ++i)
            c[i] = Clamp(a[i] + (b[i] - a[i]) * l / right, 0, 255);
        FillColumn(dc, x, top, bottom, RGB(c[0], c[1], c[2]));
    }
}

TRIVERTEX Vertex(int x, int y, COLORREF colour)
{
    TRIVERTEX v = {};
    v.x = x;
    v.y = y;
    v.Red = (COLOR16)(GetRValue(colour) << 8);
    v.Green = (COLOR16)(GetGValue(colour) << 8);
    v.Blue = (COLOR16)(GetBValue(colour) << 8);
    return v;
}

} // namespace

CGradient::CGradient()
    : m_rgbStart{0, 0, 0}, m_rgbMiddle{0, 0, 0}, m_rgbEnd{0, 0, 0}, m_nBarHeight(10), m_nMargin(5),
      m_nNumerator(1), m_nDenominator(2), m_hFont(nullptr), m_crText(0x141414), m_nPos(0)
{}

CGradient::~CGradient()
{
    DestroyWindow();
    if (m_hFont)
        ::DeleteObject(m_hFont);
}

HWND CGradient::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    HWND hwnd = CStatic::Create(instance, parent, style, rect, id);
    if (hwnd && !m_hFont)
    {
        // 8 points, the size of dialog text, at the screen's resolution (11 pixels at 96 dpi).
        HDC screen = ::GetDC(nullptr);
        const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen)
            ::ReleaseDC(nullptr, screen);
        m_hFont = MakeLabelFont(-::MulDiv(kFontPoints, dpi > 0 ? dpi : 96, 72), kFontWeight);
    }
    return hwnd;
}

void CGradient::SetColors(int r0, int g0, int b0, int r1, int g1, int b1, int r2, int g2, int b2)
{
    const int all[9] = {r0, g0, b0, r1, g1, b1, r2, g2, b2};
    for (int i = 0; i < 3; ++i)
    {
        m_rgbStart[i] = Clamp(all[i], 0, 255);
        m_rgbMiddle[i] = Clamp(all[3 + i], 0, 255);
        m_rgbEnd[i] = Clamp(all[6 + i], 0, 255);
    }
    Invalidate();
}

void CGradient::SetHight(int barHeight, int margin)
{
    m_nBarHeight = barHeight > 0 ? barHeight : 0;
    m_nMargin = margin > 0 ? margin : 0;
    Invalidate();
}

void CGradient::SetCenter(int numerator, int denominator)
{
    if (denominator == 0)
        return;
    m_nNumerator = numerator;
    m_nDenominator = denominator;
    Invalidate();
}

void CGradient::SetCurPos(int percent)
{
    m_nPos = Clamp(percent, 0, 100);
    Invalidate();
}

int CGradient::SetFont(int height, int weight)
{
    HFONT font = MakeLabelFont(height, weight);
    if (!font)
        return 0;
    if (m_hFont)
        ::DeleteObject(m_hFont);
    m_hFont = font;
    Invalidate();
    return 1;
}

void CGradient::SetTextColor(COLORREF colour, COLORREF)
{
    m_crText = colour;
    Invalidate();
}

void CGradient::SetLabels(const wchar_t* text, ...)
{
    va_list args;
    va_start(args, text);
    for (int n = 0; text && !std::wcsstr(text, L"-1") && n < kMaxLabels; ++n)
    {
        m_listLabel.emplace_back(text);
        text = va_arg(args, const wchar_t*);
    }
    va_end(args);
    Invalidate();
}

void CGradient::DrawBar(HDC dc, const RECT& rc) const
{
    const int w = rc.right - rc.left, m = m_nMargin;
    const int top = rc.top + BarTop(rc.bottom - rc.top), bottom = top + m_nBarHeight;
    const int split = Clamp((int)((long long)m_nNumerator * w / m_nDenominator), m, w - m > m ? w - m : m);
    Shade(dc, rc.left + m, rc.left + split, split, m_rgbStart, m_rgbMiddle, top, bottom);
    Shade(dc, rc.left + split, rc.left + w - m, w - m, m_rgbMiddle, m_rgbEnd, top, bottom);
}

void CGradient::DrawPointer(HDC dc, const RECT& rc) const
{
    const int w = rc.right - rc.left, m = m_nMargin;
    if (m <= 0)
        return;
    const int y = rc.top + BarTop(rc.bottom - rc.top);
    const int x0 = rc.left + (w - 2 * m) * m_nPos / 100;
    TRIVERTEX v[3] = {Vertex(x0, y - m, kPointerStart), Vertex(x0 + 2 * m, y - m, kPointerEnd),
                      Vertex(x0 + m, y, kPointerEnd)};
    GRADIENT_TRIANGLE tri = {0, 1, 2};
    ::GdiGradientFill(dc, v, 3, &tri, 1, GRADIENT_FILL_TRIANGLE);
}

void CGradient::PlaceLabel(int index, int w, UINT& align, int& x) const
{
    const int n = (int)m_listLabel.size(), m = m_nMargin;
    if (n == 1)
    {
        // One label has no row to spread over; it stands under the middle of the bar.
        align = TA_CENTER, x = w / 2;
        return;
    }
    const int step = (w - 2 * m) / (n - 1);
    if (index == 0)
        align = TA_LEFT, x = m + 1;
    else if (index == n - 1)
        align = TA_RIGHT, x = w - m - 1;
    else
        align = TA_CENTER, x = m + step * index;
}

void CGradient::DrawLabels(HDC dc, const RECT& rc) const
{
    const UINT oldAlign = ::SetTextAlign(dc, TA_BOTTOM | TA_LEFT);
    for (int i = 0; i < (int)m_listLabel.size(); ++i)
    {
        UINT align = TA_LEFT;
        int x = 0;
        PlaceLabel(i, rc.right - rc.left, align, x);
        const CString& text = m_listLabel[i];
        ::SetTextAlign(dc, TA_BOTTOM | align);
        ::TextOutW(dc, rc.left + x, rc.bottom, text.GetW(), (int)text.GetLength());
    }
    ::SetTextAlign(dc, oldAlign);
}

bool CGradient::LabelsCrowd() const
{
    RECT rc;
    if (!m_hWnd || !::GetClientRect(m_hWnd, &rc))
        return false;
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = m_hFont ? ::SelectObject(dc, m_hFont) : nullptr;
    int lastRight = INT_MIN;
    bool crowd = false;
    for (int i = 0; i < (int)m_listLabel.size() && !crowd; ++i)
    {
        UINT align = TA_LEFT;
        int x = 0;
        PlaceLabel(i, rc.right - rc.left, align, x);
        SIZE size = {0, 0};
        ::GetTextExtentPoint32W(dc, m_listLabel[i].GetW(), (int)m_listLabel[i].GetLength(), &size);
        const int left = align == TA_LEFT ? x : align == TA_RIGHT ? x - size.cx : x - size.cx / 2;
        crowd = left < lastRight + 4 || left < 0 || left + size.cx > rc.right;
        lastRight = left + size.cx;
    }
    if (old)
        ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    return crowd;
}

int CGradient::DrawItem(DRAWITEMSTRUCT* item)
{
    CStatic::DrawItem(item);
    if (!item || !item->hDC)
        return 1;
    HDC dc = item->hDC;
    const RECT& rc = item->rcItem;
    const int saved = ::SaveDC(dc);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, m_crText);
    if (m_hFont)
        ::SelectObject(dc, m_hFont);
    if (rc.right - rc.left > 0)
    {
        DrawBar(dc, rc);
        DrawPointer(dc, rc);
        DrawLabels(dc, rc);
    }
    ::RestoreDC(dc, saved);
    return 1;
}

} // namespace KV
