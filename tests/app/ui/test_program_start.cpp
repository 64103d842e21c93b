#include "app/doc/AppSettings.h"
#include "app/doc/UserManager.h"
#include "app/doc/WaltzDoc.h"
#include "common/fwtest.h"
#include "kvtesting/ProgramFolder.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>

namespace {

// Closes the main window; the program must end with exit code 0.
void CloseAndExpectCleanEnd(HWND wnd, PROCESS_INFORMATION& pi)
{
    ::PostMessageW(wnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(::WaitForSingleObject(pi.hProcess, 15000), WAIT_OBJECT_0);
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
}

} // namespace

// The program opens its main window and ends cleanly when it is closed.
TEST(ProgramStart, MainWindowOpensAndClosesCleanly)
{
    // A copy of the program: the first start writes its settings and user folder beside it.
    const std::wstring dir = fwtest::MakeProgramFolder("[Wizard]\r\nShowWizard = 0\r\n");
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(KV::StartProgram(dir, pi));
    struct
    {
        HWND wnd;
    } found = {KV::WaitForProcessWindow(pi.dwProcessId, L"FINGERWALTZ", 10000)};
    ASSERT_NE(found.wnd, nullptr) << "no FINGERWALTZ window";
    wchar_t title[64] = {0};
    ::GetWindowTextW(found.wnd, title, 64);
    EXPECT_STREQ(title, L"Fingerwaltz");
    CloseAndExpectCleanEnd(found.wnd, pi);
}

// F2, F3 and F4 reach the program through its accelerators and show one page's views at a time.
TEST(ProgramStart, FunctionKeysSwitchThePages)
{
    const std::wstring dir = fwtest::MakeProgramFolder("[Wizard]\r\nShowWizard = 0\r\n");
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(KV::StartProgram(dir, pi));
    const HWND wnd = KV::WaitForProcessWindow(pi.dwProcessId, L"FINGERWALTZ", 10000);
    ASSERT_NE(wnd, nullptr);
    struct
    {
        UINT key;
        int shown, hidden;
    } steps[] = {{VK_F3, 306, 303}, {VK_F4, 301, 306}, {VK_F2, 303, 301}, {VK_F4, 302, 305}};
    for (const auto& step : steps)
    {
        ::PostMessageW(wnd, WM_KEYDOWN, step.key, 1);
        ::PostMessageW(wnd, WM_KEYUP, step.key, 0xC0000001);
        bool shown = false;
        for (int i = 0; i < 100 && !shown; ++i, ::Sleep(50))
            shown = ::IsWindowVisible(::GetDlgItem(wnd, step.shown)) &&
                    !::IsWindowVisible(::GetDlgItem(wnd, step.hidden));
        EXPECT_TRUE(shown) << "key " << step.key << ": element " << step.shown;
        if (step.key == VK_F3)
        {
            // The statistics splitter stands at the stored share of the width (68 %), or as near
            // as the graph's least width lets it.
            RECT client, bar;
            ::GetClientRect(wnd, &client);
            ::GetWindowRect(::GetDlgItem(wnd, 455), &bar);
            ::MapWindowPoints(nullptr, wnd, reinterpret_cast<POINT*>(&bar), 2);
            const long share = (bar.left + bar.right) / 2 * 100 / client.right;
            EXPECT_TRUE(share >= 60 && share <= 68) << share;
        }
        if (step.key == VK_F4)
        {
            // The lesson being typed is selected in the course's tree.
            const HWND tree = ::GetDlgItem(::GetDlgItem(wnd, 301), 2020);
            EXPECT_NE(0, ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        }
    }
    CloseAndExpectCleanEnd(wnd, pi);
}

// A user whose skin is damaged gets the program's own skin, and keeps it.
TEST(ProgramStart, DamagedSkinGivesWayToTheDefaultSkin)
{
    const std::wstring dir = fwtest::MakeProgramFolder("[Wizard]\r\nShowWizard = 0\r\n") + L"\\";
    ASSERT_TRUE(fwtest::WriteFileBytes(dir + L"Skin\\Broken.skn", std::string("\x07\x00no layout", 11)));
    {
        CAppSettings settings(dir);
        ::CreateDirectoryW(settings.GetUserPath().c_str(), nullptr);
        CWaltzDoc doc;
        doc.GetOptions().m_sSkin = L"Broken";
        CUserManager users(doc, settings);
        ASSERT_EQ(CUserManager::Done, users.CreateUser(L"Ann", L"", L"", L"", L"ann"));
        ASSERT_TRUE(settings.SetUser(L"ann"));
    }
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(KV::StartProgram(dir, pi));
    // The user is told that the skin could not be read.
    const HWND box = KV::WaitForProcessWindow(pi.dwProcessId, L"#32770", 10000);
    EXPECT_NE(box, nullptr);
    if (box)
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    const HWND wnd = KV::WaitForProcessWindow(pi.dwProcessId, L"FINGERWALTZ", 10000);
    if (!wnd)
        ::TerminateProcess(pi.hProcess, 1);
    ASSERT_NE(wnd, nullptr) << "the program ended on the damaged skin";
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(wnd, 303)));
    CloseAndExpectCleanEnd(wnd, pi);

    CAppSettings settings(dir);
    CWaltzDoc doc;
    CUserManager users(doc, settings);
    ASSERT_EQ(CUserManager::Done, users.OpenUser(L"ann"));
    EXPECT_STREQ(L"Default", doc.GetOptions().m_sSkin.GetW());
}
