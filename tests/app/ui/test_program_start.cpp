#include "common/fwtest.h"
#include "kvtesting/ProgramFolder.h"

#include <gtest/gtest.h>
#include <string>

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
    ::PostMessageW(found.wnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(::WaitForSingleObject(pi.hProcess, 15000), WAIT_OBJECT_0);
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
}
