#include "kvinterf/widgets/Icon.h"

namespace KV {

CIcon::CIcon() : m_hIcon(nullptr) {}

CIcon::~CIcon()
{
    DestroyWindow();
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
}

HWND CIcon::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    if (m_hWnd || !parent)
        return nullptr;
    HWND hwnd = ::CreateWindowExW(0, L"STATIC", L"", style | 0x50000003, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>((UINT_PTR)id), instance, nullptr);
    if (hwnd)
        SetHandle(parent, hwnd);
    return hwnd;
}

void CIcon::Show(HICON icon)
{
    if (m_hWnd)
    {
        ::SendMessageW(m_hWnd, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        // The icon control sizes itself to the icon; the element keeps its place.
        MoveSkin();
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
    if (m_hIcon && m_hIcon != icon)
        ::DestroyIcon(m_hIcon);
    m_hIcon = icon;
}

int CIcon::Reload(const wchar_t* path)
{
    if (!path || ::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES)
        return 0;
    HICON icon = static_cast<HICON>(
        ::LoadImageW(nullptr, path, IMAGE_ICON, 32, 32, LR_LOADFROMFILE | LR_LOADTRANSPARENT));
    if (!icon)
        return 0;
    Show(icon);
    return 1;
}

void CIcon::Unload()
{
    Show(nullptr);
}

LRESULT CIcon::MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // The system control paints itself.
    return IsPaintMessage(msg) ? DefProc(hwnd, msg, wParam, lParam)
                               : CSkin::MessageLoop(hwnd, msg, wParam, lParam);
}

} // namespace KV
