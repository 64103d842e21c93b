#include "kvinterf/widgets/Text.h"
#include "kvstruct/sys/Handles.h"

namespace KV {

namespace {

HFONT MakeFont(int height, int weight, const wchar_t* face)
{
    return ::CreateFontW(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
}

} // namespace

CText::CText() : m_hBrush(nullptr), m_hFont(nullptr), m_crText(0x141414), m_nIndent(0), m_nFlags(0) {}

CText::~CText()
{
    // The window goes before the objects it paints with.
    DestroyWindow();
    if (m_hBrush)
        ::DeleteObject(m_hBrush);
    if (m_hFont)
        ::DeleteObject(m_hFont);
}

HWND CText::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    HWND hwnd = CStatic::Create(instance, parent, style, rect, id);
    if (hwnd && !m_hFont)
    {
        m_hFont = MakeFont(20, 0, L"Arial");
        if (!m_hFont)
            m_hFont = MakeFont(20, 0, L"");
    }
    return hwnd;
}

int CText::SetFont(int height, int weight)
{
    HFONT font = MakeFont(height, weight, L"Arial");
    if (!font)
        return 0;
    if (m_hFont)
        ::DeleteObject(m_hFont);
    m_hFont = font;
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return 1;
}

void CText::SetTextColor(COLORREF colour, COLORREF background)
{
    m_crText = colour;
    if (background != 0xFFFFFFFF)
    {
        HBRUSH brush = ::CreateSolidBrush(background);
        if (brush)
        {
            if (m_hBrush)
                ::DeleteObject(m_hBrush);
            m_hBrush = brush;
        }
    }
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

int CText::ShowWindow(int show)
{
    if (show)
        m_nFlags &= ~1u;
    else
        m_nFlags |= 1u;
    if (m_hWnd)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return 1;
}

int CText::RuleStart(HDC dc, int length)
{
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(dc, &tm);
    return tm.tmAveCharWidth * (length + 3);
}

int CText::DrawItem(DRAWITEMSTRUCT* item)
{
    CStatic::DrawItem(item);
    if (!item || !item->hDC || !m_hWnd)
        return 1;
    wchar_t text[129];
    const int length = ::GetWindowTextW(m_hWnd, text, 129);
    if (length <= 0)
        return 1;
    HDC dc = item->hDC;
    const RECT& rc = item->rcItem;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::IsWindowEnabled(m_hWnd) ? m_crText : kDisabledColour);
    if (m_hBrush)
        ::FillRect(dc, &rc, m_hBrush);
    if (IsHidden())
        return 1;
    HGDIOBJ oldFont = m_hFont ? ::SelectObject(dc, m_hFont) : nullptr;
    const DWORD look = (DWORD)::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & 0xFF;
    if (look == 8)
    {
        const int middle = rc.top + (rc.bottom - rc.top) / 2;
        RECT rule = {rc.left + RuleStart(dc, length), middle - 1, rc.right, middle + 1};
        if (rule.left < rule.right)
        {
            CBrushHandle grey(::CreateSolidBrush(kRuleColour));
            if (grey.IsValid())
                ::FillRect(dc, &rule, grey);
        }
    }
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    format |= (look == 2) ? DT_RIGHT : (look == 1) ? DT_CENTER : DT_LEFT;
    RECT box = rc;
    box.left += m_nIndent;
    ::DrawTextW(dc, text, length, &box, format);
    if (oldFont)
        ::SelectObject(dc, oldFont);
    return 1;
}

} // namespace KV
