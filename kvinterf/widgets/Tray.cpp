#include "kvinterf/widgets/Tray.h"
#include <cwchar>

namespace KV {

namespace {

BOOL PlatformTray(DWORD message, NOTIFYICONDATAW* data)
{
    return ::Shell_NotifyIconW(message, data);
}

TrayShellHandler g_trayShell = &PlatformTray;

void CopyCut(wchar_t* dest, const wchar_t* text, int chars)
{
    std::wcsncpy(dest, text ? text : L"", (size_t)chars);
    dest[chars] = 0;
}

} // namespace

TrayShellHandler SetTrayShellHandler(TrayShellHandler handler)
{
    TrayShellHandler old = g_trayShell;
    g_trayShell = handler ? handler : &PlatformTray;
    return old;
}

CTray::CTray(HWND window, UINT iconId) : m_data(), m_bAdded(false)
{
    m_data.cbSize = sizeof(m_data);
    m_data.hWnd = window;
    m_data.uID = iconId;
}

CTray::~CTray()
{
    if (m_bAdded)
        DeleteIcon(m_data.uID);
}

BOOL CTray::AddIcon(HICON icon, const wchar_t* tip)
{
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_data.uCallbackMessage = CMessageWnd::kTrayMessage;
    m_data.hIcon = icon;
    CopyCut(m_data.szTip, tip, kTipChars);
    const BOOL result = g_trayShell(NIM_ADD, &m_data);
    if (icon)
        ::DestroyIcon(icon);
    m_data.hIcon = nullptr;
    if (result)
        m_bAdded = true;
    return result;
}

BOOL CTray::DeleteIcon(UINT iconId)
{
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = m_data.hWnd;
    data.uID = iconId;
    const BOOL result = g_trayShell(NIM_DELETE, &data);
    if (iconId == m_data.uID)
        m_bAdded = false;
    return result;
}

BOOL CTray::ShowBalloonTip(const wchar_t* title, const wchar_t* text, UINT timeout, DWORD iconFlags)
{
    m_data.uFlags = NIF_INFO;
    CopyCut(m_data.szInfoTitle, title, kTitleChars);
    CopyCut(m_data.szInfo, text, kInfoChars);
    m_data.uTimeout = timeout;
    m_data.dwInfoFlags = iconFlags;
    return g_trayShell(NIM_MODIFY, &m_data);
}

} // namespace KV
