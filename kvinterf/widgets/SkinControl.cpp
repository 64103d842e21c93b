#include "kvinterf/widgets/SkinControl.h"

namespace KV {

CSkinControl::CSkinControl() : m_hFont(nullptr) {}

CSkinControl::~CSkinControl()
{
    // The control may still paint with the font until its window is gone.
    DestroyWindow();
    if (m_hFont)
        ::DeleteObject(m_hFont);
}

HFONT CSkinControl::MakeArial(int height, int weight)
{
    HFONT font = ::CreateFontW(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    if (!font)
        font = ::CreateFontW(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"");
    return font;
}

int CSkinControl::ReplaceFont(HFONT font, int apply)
{
    if (!font)
        return 0;
    HFONT old = m_hFont;
    m_hFont = font;
    if (apply && m_hWnd)
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), TRUE);
    // Freed only once the control no longer uses it.
    if (old && old != font)
        ::DeleteObject(old);
    return 1;
}

void CSkinControl::UseDefaultFont(int height, int apply)
{
    if (!m_hFont)
        m_hFont = MakeArial(height, 0);
    if (apply && m_hFont && m_hWnd)
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), TRUE);
}

HWND CSkinControl::CreateControl(DWORD exStyle, const wchar_t* className, DWORD style, int x, int y, int w,
                                 int h, HWND parent, UINT id, HINSTANCE instance)
{
    if (m_hWnd || !parent)
        return nullptr;
    HWND hwnd = ::CreateWindowExW(exStyle, className, L"", style, x, y, w, h, parent,
                                  reinterpret_cast<HMENU>((UINT_PTR)id), instance, nullptr);
    if (hwnd)
        SetHandle(parent, hwnd);
    return hwnd;
}

LRESULT CSkinControl::ForwardNotify(int id, NMHDR* header)
{
    HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (!parent || !header)
        return 0;
    return ::SendMessageW(parent, (UINT)header->code, (WPARAM)id, reinterpret_cast<LPARAM>(header));
}

LRESULT CSkinControl::MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Input and sizing reach the element's handlers (views built on these controls override
    // them); everything else, painting first of all, is the control's own business.
    if ((msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
        msg == WM_MOUSELEAVE || msg == WM_SIZE || msg == WM_DESTROY || msg == WM_SETCURSOR)
        return CSkin::MessageLoop(hwnd, msg, wParam, lParam);
    return DefProc(hwnd, msg, wParam, lParam);
}

} // namespace KV
