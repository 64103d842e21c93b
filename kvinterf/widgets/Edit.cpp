#include "kvinterf/widgets/Edit.h"

namespace KV {

CEdit::CEdit() : m_crText(0), m_hBrush(nullptr) {}

CEdit::~CEdit()
{
    DestroyWindow();
    if (m_hBrush)
        ::DeleteObject(m_hBrush);
}

HWND CEdit::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    HWND hwnd =
        CreateControl(WS_EX_CLIENTEDGE, L"EDIT", style | WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect.left,
                      rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, id, instance);
    if (!hwnd)
        return nullptr;
    UseDefaultFont(kDefaultHeight, 1);
    return hwnd;
}

int CEdit::SetFont(int height, int weight)
{
    return ReplaceFont(MakeArial(height, weight), 1);
}

void CEdit::SetTextColor(COLORREF text, COLORREF background)
{
    m_crText = text;
    HBRUSH brush = ::CreateSolidBrush(background);
    if (brush)
    {
        if (m_hBrush)
            ::DeleteObject(m_hBrush);
        m_hBrush = brush;
    }
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

HBRUSH CEdit::CtlColor(HDC dc) const
{
    if (!m_hBrush || !dc)
        return nullptr;
    LOGBRUSH lb = {};
    ::GetObjectW(m_hBrush, sizeof(lb), &lb);
    ::SetTextColor(dc, m_crText);
    ::SetBkColor(dc, lb.lbColor);
    return m_hBrush;
}

} // namespace KV
