#pragma once
// The main window in the notification area: Esc hides the window behind an icon, a left click
// on the icon brings it back (the lesson stays paused), a right click offers the main commands.
//
// Wiring in CMainWnd: member `CMainTray m_tray{hwnd, lang}` made after the window exists.
// WM_COMMAND 611 (Esc): pause the lesson, save the user's files, then m_tray.HideToTray().
// CMessageWnd::kTrayMessage: m_tray.OnTrayMessage(lParam) (it posts WM_COMMAND 4020 or the
// chosen menu command to the window). WM_COMMAND 4020: m_tray.ShowFromTray().
#include <windows.h>

#include <memory>

namespace KV {
class CIniTable;
class CTray;
} // namespace KV

constexpr UINT kTrayIconId = 4018;
constexpr WORD kTrayIconResource = 107;

// Shows a popup menu over the window and returns the chosen command (0 for none); tests
// replace it with a recorder, since the real menu waits for the user.
typedef UINT (*TrayMenuRunner)(HWND window, HMENU menu, POINT at);
// Returns the previous runner; nullptr restores the real menu.
TrayMenuRunner SetTrayMenuRunner(TrayMenuRunner runner);

class CMainTray
{
public:
    CMainTray(HWND window, const KV::CIniTable* lang);
    ~CMainTray();

    CMainTray(const CMainTray&) = delete;
    CMainTray& operator=(const CMainTray&) = delete;

    // Adds the icon and hides the window. When the shell refuses the icon the user is told and
    // the window stays shown (a hidden window without an icon could not be reached); false then.
    bool HideToTray();
    // Removes the icon, shows the window and brings it to the front; the lesson is not resumed.
    void ShowFromTray();
    // A mouse event on the icon (the notice's lParam).
    void OnTrayMessage(LPARAM mouseMessage);
    bool IsInTray() const;

    // "Show", "Options", "About", -, "TellFriend", "HomePage", -, "Exit"; "Show" is the default.
    static HMENU BuildMenu(const KV::CIniTable* lang);

private:
    HWND m_hWnd;
    const KV::CIniTable* m_lang;
    std::unique_ptr<KV::CTray> m_tray;
};
