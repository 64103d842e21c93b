#include "kvinterf/widgets/ScrollBar.h"

namespace KV {

namespace {

const wchar_t kObjectProp[] = L"KvScrollBar";

} // namespace

CScrollBar::CScrollBar() : m_hWnd(nullptr), m_pOldProc(nullptr), m_bShow(0) {}

CScrollBar::~CScrollBar()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
    {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pOldProc));
        ::RemovePropW(m_hWnd, kObjectProp);
        ::DestroyWindow(m_hWnd);
    }
}

int CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (m_hWnd || !parent || !parent->GetHwnd())
        return 0;
    m_hWnd = ::CreateWindowExW(0, L"scrollbar", L"", style, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, parent->GetHwnd(),
                               reinterpret_cast<HMENU>((UINT_PTR)id), nullptr, nullptr);
    if (!m_hWnd)
        return 0;
    ::SetPropW(m_hWnd, kObjectProp, this);
    m_pOldProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CScrollBar::KeyProc)));
    m_bShow = (style & WS_VISIBLE) ? 1 : 0;
    return 0;
}

UINT CScrollBar::KeyToScrollCode(WPARAM key)
{
    switch (key)
    {
    case VK_PRIOR:
        return SB_PAGEUP;
    case VK_NEXT:
        return SB_PAGEDOWN;
    case VK_END:
        return SB_BOTTOM;
    case VK_HOME:
        return SB_TOP;
    case VK_UP:
        return SB_LINEUP;
    case VK_DOWN:
        return SB_LINEDOWN;
    default:
        return 255;
    }
}

LRESULT CALLBACK CScrollBar::KeyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<CScrollBar*>(::GetPropW(hwnd, kObjectProp));
    WNDPROC old = self ? self->m_pOldProc : nullptr;
    if (!old)
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg)
    {
    case WM_KEYDOWN: {
        const UINT code = KeyToScrollCode(wParam);
        ::SendMessageW(hwnd, WM_VSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(hwnd));
        // The bar's own keyboard handling would scroll a second time.
        if (code != 255)
            return 0;
        break;
    }
    case WM_VSCROLL:
        // Requests addressed to the bar go where a bar's requests belong: to its parent.
        if (reinterpret_cast<HWND>(lParam) == hwnd && ::GetParent(hwnd))
            return ::SendMessageW(::GetParent(hwnd), WM_VSCROLL, wParam, lParam);
        break;
    case WM_LBUTTONDOWN:
        if (::GetFocus() != hwnd)
            ::SetFocus(hwnd);
        break;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        ::RemovePropW(hwnd, kObjectProp);
        self->m_hWnd = nullptr;
        break;
    default:
        break;
    }
    return ::CallWindowProcW(old, hwnd, msg, wParam, lParam);
}

void CScrollBar::SetScrollRange(int min, int max, BOOL redraw)
{
    SCROLLINFO info = {sizeof(info), SIF_RANGE, min, max, 0, 0, 0};
    SetScrollInfo(&info, redraw);
}

void CScrollBar::SetScrollPage(UINT page, BOOL redraw)
{
    SCROLLINFO info = {sizeof(info), SIF_PAGE, 0, 0, page, 0, 0};
    SetScrollInfo(&info, redraw);
}

int CScrollBar::SetScrollPos(int position, BOOL redraw)
{
    return m_hWnd ? ::SetScrollPos(m_hWnd, SB_CTL, position, redraw) : 0;
}

int CScrollBar::GetScrollPos() const
{
    return m_hWnd ? ::GetScrollPos(m_hWnd, SB_CTL) : 0;
}

void CScrollBar::GetScrollRange(int* min, int* max) const
{
    int lo = 0, hi = 0;
    if (m_hWnd)
        ::GetScrollRange(m_hWnd, SB_CTL, &lo, &hi);
    if (min)
        *min = lo;
    if (max)
        *max = hi;
}

BOOL CScrollBar::GetScrollInfo(SCROLLINFO* info) const
{
    return (m_hWnd && info) ? ::GetScrollInfo(m_hWnd, SB_CTL, info) : FALSE;
}

int CScrollBar::SetScrollInfo(const SCROLLINFO* info, BOOL redraw)
{
    return (m_hWnd && info) ? ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw) : 0;
}

void CScrollBar::ShowScrollBar(int show)
{
    m_bShow = show ? 1 : 0;
    if (m_hWnd)
        ::ShowScrollBar(m_hWnd, SB_CTL, m_bShow);
}

void CScrollBar::EnableScrollBar(UINT arrows)
{
    if (!m_hWnd)
        return;
    ::EnableScrollBar(m_hWnd, SB_CTL, arrows);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CScrollBar::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    if (m_hWnd)
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CScrollBar::Invalidate(BOOL erase)
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, erase);
}

} // namespace KV
