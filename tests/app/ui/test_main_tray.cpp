// The main window in the notification area, through a recorded shell and a recorded menu.
#include "app/ui/Commands.h"
#include "app/ui/MainTray.h"
#include "common/fwtest.h"
#include "kvinterf/widgets/Tray.h"
#include "kvstruct/files/IniTable.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace {

struct ShellCall
{
    DWORD message;
    UINT id;
    HWND window;
    std::wstring tip;
};
std::vector<ShellCall> g_shell;
BOOL g_shellAnswer = TRUE;

BOOL RecordShell(DWORD message, NOTIFYICONDATAW* data)
{
    g_shell.push_back({message, data->uID, data->hWnd, data->szTip});
    return g_shellAnswer;
}

struct MenuItem
{
    UINT id;
    std::wstring text;
};
std::vector<MenuItem> g_menu;
UINT g_menuDefault = 0;
UINT g_menuChoice = 0;

UINT RecordMenu(HWND, HMENU menu, POINT)
{
    g_menu.clear();
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
    {
        wchar_t text[64] = L"";
        ::GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        g_menu.push_back({::GetMenuItemID(menu, i), text});
    }
    g_menuDefault = ::GetMenuDefaultItem(menu, FALSE, 0);
    return g_menuChoice;
}

struct TrayFixture : testing::Test
{
    void SetUp() override
    {
        g_shell.clear();
        g_shellAnswer = TRUE;
        previousShell = KV::SetTrayShellHandler(&RecordShell);
        previousMenu = SetTrayMenuRunner(&RecordMenu);
        ASSERT_TRUE(lang.Load_UTF16((fwtest::BinDir() + L"\\Language\\English.ini").c_str()));
        window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 80, 60, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, window);
    }
    void TearDown() override
    {
        ::DestroyWindow(window);
        KV::SetTrayShellHandler(previousShell);
        SetTrayMenuRunner(previousMenu);
    }
    // The commands posted to the window, in order.
    std::vector<WPARAM> PostedCommands()
    {
        std::vector<WPARAM> commands;
        MSG msg;
        while (::PeekMessageW(&msg, window, WM_COMMAND, WM_COMMAND, PM_REMOVE))
            commands.push_back(msg.wParam);
        return commands;
    }

    KV::TrayShellHandler previousShell = nullptr;
    TrayMenuRunner previousMenu = nullptr;
    KV::CIniTable lang;
    HWND window = nullptr;
    fwtest::MsgRecorder boxes;
};

} // namespace

// Esc hides behind the icon; a left click asks for 4020, which brings the window back and
// removes the icon.
TEST_F(TrayFixture, HideAndComeBackWithALeftClick)
{
    CMainTray tray(window, &lang);
    ASSERT_TRUE(tray.HideToTray());
    EXPECT_TRUE(tray.IsInTray());
    EXPECT_FALSE(::IsWindowVisible(window));
    ASSERT_EQ(1u, g_shell.size());
    EXPECT_EQ((DWORD)NIM_ADD, g_shell[0].message);
    EXPECT_EQ(kTrayIconId, g_shell[0].id);
    EXPECT_EQ(window, g_shell[0].window);
    EXPECT_EQ(L"Fingerwaltz", g_shell[0].tip);

    tray.OnTrayMessage(WM_MOUSEMOVE);
    tray.OnTrayMessage(WM_LBUTTONUP);
    EXPECT_EQ(std::vector<WPARAM>{kCmdShowFromTray}, PostedCommands());
    tray.ShowFromTray();
    EXPECT_FALSE(tray.IsInTray());
    EXPECT_TRUE(::IsWindowVisible(window));
    ASSERT_EQ(2u, g_shell.size());
    EXPECT_EQ((DWORD)NIM_DELETE, g_shell[1].message);
    EXPECT_EQ(0u, boxes.Count());
}

// A right click offers the main commands in the user's language; the choice is posted to the
// window, no choice posts nothing.
TEST_F(TrayFixture, RightClickMenuPostsTheChosenCommand)
{
    CMainTray tray(window, &lang);
    ASSERT_TRUE(tray.HideToTray());
    const std::vector<std::pair<UINT, const wchar_t*>> expected = {
        {kCmdShowFromTray, L"Show"},
        {kCmdOptions, L"Options"},
        {kCmdAbout, L"About"},
        {0, nullptr},
        {kCmdTellFriend, L"TellFriend"},
        {kCmdHomePage, L"HomePage"},
        {0, nullptr},
        {kCmdClose, L"Exit"},
    };
    for (UINT choice : {(UINT)kCmdAbout, (UINT)kCmdClose, 0u})
    {
        g_menuChoice = choice;
        tray.OnTrayMessage(WM_RBUTTONUP);
        ASSERT_EQ(expected.size(), g_menu.size());
        for (size_t i = 0; i < expected.size(); ++i)
        {
            SCOPED_TRACE(i);
            EXPECT_EQ(expected[i].first, g_menu[i].id);
            if (expected[i].second)
            {
                EXPECT_EQ(std::wstring(lang.GetW(expected[i].second)), g_menu[i].text);
            }
        }
        EXPECT_EQ((UINT)kCmdShowFromTray, g_menuDefault);
        EXPECT_EQ(choice ? std::vector<WPARAM>{choice} : std::vector<WPARAM>{}, PostedCommands());
    }
    EXPECT_EQ(L"Tell a friend", g_menu[4].text);
}

// A shell that refuses the icon: the user is told and the window stays reachable.
TEST_F(TrayFixture, RefusedIconKeepsTheWindowShown)
{
    g_shellAnswer = FALSE;
    CMainTray tray(window, &lang);
    EXPECT_FALSE(tray.HideToTray());
    EXPECT_FALSE(tray.IsInTray());
    EXPECT_TRUE(::IsWindowVisible(window));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(std::wstring::npos, boxes.LastText().find(L"notification area"));
}
