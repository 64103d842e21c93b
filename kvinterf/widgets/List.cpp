#include "kvinterf/widgets/List.h"

namespace KV {

namespace {

HFONT MakeArial(int height, int weight)
{
    return ::CreateFontW(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
}

} // namespace

CList::CList() : m_hFont(nullptr) {}

CList::~CList()
{
    DestroyWindow();
    if (m_hFont)
        ::DeleteObject(m_hFont);
}

HWND CList::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    if (m_hWnd || !parent)
        return nullptr;
    HWND hwnd =
        ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style | WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                          rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                          reinterpret_cast<HMENU>((UINT_PTR)id), instance, nullptr);
    if (!hwnd)
        return nullptr;
    SetHandle(parent, hwnd);
    ::SendMessageW(hwnd, CCM_SETUNICODEFORMAT, TRUE, 0);
    if (!m_hFont)
    {
        m_hFont = MakeArial(15, 0);
        if (!m_hFont)
            m_hFont = ::CreateFontW(15, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"");
    }
    if (m_hFont)
        ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
    return hwnd;
}

int CList::SetFont(int height, int weight)
{
    HFONT font = MakeArial(height, weight);
    if (!font)
        return 0;
    if (m_hWnd)
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (m_hFont)
        ::DeleteObject(m_hFont);
    m_hFont = font;
    return 1;
}

void CList::SetTextColor(COLORREF text, COLORREF background)
{
    if (!m_hWnd)
        return;
    ::SendMessageW(m_hWnd, LVM_SETTEXTCOLOR, 0, (LPARAM)text);
    ::SendMessageW(m_hWnd, LVM_SETTEXTBKCOLOR, 0, (LPARAM)background);
    ::SendMessageW(m_hWnd, LVM_SETBKCOLOR, 0, (LPARAM)background);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

LRESULT CList::MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // The system control paints itself.
    return IsPaintMessage(msg) ? DefProc(hwnd, msg, wParam, lParam)
                               : CSkin::MessageLoop(hwnd, msg, wParam, lParam);
}

} // namespace KV
