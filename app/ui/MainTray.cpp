#include "app/ui/MainTray.h"

#include "app/ui/Commands.h"
#include "app/ui/FWDialog.h"
#include "kvinterf/widgets/Tray.h"
#include "kvstruct/files/IniTable.h"
#include "kvstruct/sys/MsgBox.h"

namespace {

UINT RunPopupMenu(HWND window, HMENU menu, POINT at)
{
    // The menu closes when the user clicks elsewhere only if the window is in front.
    ::SetForegroundWindow(window);
    const UINT chosen = (UINT)::TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x,
                                                 at.y, window, nullptr);
    ::PostMessageW(window, WM_NULL, 0, 0);
    return chosen;
}

TrayMenuRunner g_menuRunner = &RunPopupMenu;

const wchar_t* Text(const KV::CIniTable* lang, const wchar_t* key)
{
    const wchar_t* text = lang ? lang->GetW(key) : nullptr;
    return text && *text ? text : key;
}

} // namespace

TrayMenuRunner SetTrayMenuRunner(TrayMenuRunner runner)
{
    TrayMenuRunner old = g_menuRunner;
    g_menuRunner = runner ? runner : &RunPopupMenu;
    return old;
}

CMainTray::CMainTray(HWND window, const KV::CIniTable* lang) : m_hWnd(window), m_lang(lang) {}

CMainTray::~CMainTray() = default;

bool CMainTray::IsInTray() const
{
    return m_tray && m_tray->IsAdded();
}

bool CMainTray::HideToTray()
{
    if (IsInTray())
        return true;
    m_tray = std::make_unique<KV::CTray>(m_hWnd, kTrayIconId);
    HINSTANCE module = (HINSTANCE)::GetWindowLongPtrW(m_hWnd, GWLP_HINSTANCE);
    HICON icon = ::LoadIconW(module, MAKEINTRESOURCEW(kTrayIconResource));
    if (!icon)
        icon = ::LoadIconW(nullptr, IDI_APPLICATION);
    // The tray takes a copy and destroys what it is given; a shared icon must not be destroyed.
    icon = ::CopyIcon(icon);
    if (!m_tray->AddIcon(icon, L"Fingerwaltz"))
    {
        m_tray.reset();
        const std::wstring text =
            LangText(m_lang, L"TrayIconFailed",
                     L"The icon could not be added to the notification area; the window stays open.");
        KV::ShowMsgBox(m_hWnd, text.c_str(), KV::kAppCaption, MB_OK | MB_ICONWARNING);
        return false;
    }
    ::ShowWindow(m_hWnd, SW_HIDE);
    return true;
}

void CMainTray::ShowFromTray()
{
    m_tray.reset();
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
}

void CMainTray::OnTrayMessage(LPARAM mouseMessage)
{
    switch ((UINT)mouseMessage)
    {
    case WM_LBUTTONUP:
        ::PostMessageW(m_hWnd, WM_COMMAND, kCmdShowFromTray, 0);
        break;
    case WM_RBUTTONUP: {
        HMENU menu = BuildMenu(m_lang);
        if (!menu)
            break;
        POINT at = {0, 0};
        ::GetCursorPos(&at);
        const UINT chosen = g_menuRunner(m_hWnd, menu, at);
        ::DestroyMenu(menu);
        if (chosen)
            ::PostMessageW(m_hWnd, WM_COMMAND, chosen, 0);
        break;
    }
    default:
        break;
    }
}

HMENU CMainTray::BuildMenu(const KV::CIniTable* lang)
{
    struct Item
    {
        UINT command; // 0: separator
        const wchar_t* key;
    };
    const Item items[] = {
        {kCmdShowFromTray, L"Show"},
        {kCmdOptions, L"Options"},
        {kCmdAbout, L"About"},
        {0, nullptr},
        {kCmdTellFriend, L"TellFriend"},
        {kCmdHomePage, L"HomePage"},
        {0, nullptr},
        {kCmdClose, L"Exit"},
    };
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return nullptr;
    for (const Item& item : items)
        if (item.command)
            ::AppendMenuW(menu, MF_STRING, item.command, Text(lang, item.key));
        else
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::SetMenuDefaultItem(menu, kCmdShowFromTray, FALSE);
    return menu;
}
