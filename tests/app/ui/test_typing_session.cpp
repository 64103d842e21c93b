// The program as a learner meets it: started in a fresh program folder, the first lesson typed
// as the key messages of the system with three wrong keys, closed, and the pass read back from
// the user's statistics file.
#include "app/doc/LessonFolders.h"
#include "app/doc/WaltzDoc.h"
#include "common/fwtest.h"
#include "kvtesting/ProgramFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

// Presses and releases the key of ch: the key messages the system would queue for the window
// (posted, so no other window of a test run can catch them).
void Type(HWND wnd, wchar_t ch)
{
    const UINT vk = LOBYTE(::VkKeyScanW(ch));
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    ::PostMessageW(wnd, WM_KEYDOWN, vk, scan | 1);
    ::PostMessageW(wnd, WM_KEYUP, vk, scan | 1 | (1u << 30) | (1u << 31));
    ::Sleep(8);
}

std::wstring FirstSta(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((folder + L"\\*.sta").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return std::wstring();
    ::FindClose(find);
    return folder + L"\\" + found.cFileName;
}

} // namespace

TEST(TypingSession, FirstLessonTypedWithThreeErrorsIsStored)
{
    const std::wstring dir = fwtest::MakeProgramFolder("[Wizard]\r\nShowWizard = 0\r\n");
    wchar_t klid[KL_NAMELENGTH] = {};
    ::GetKeyboardLayoutNameW(klid);
    // The lesson the program shows first, from the same folders.
    CWaltzDoc lessons;
    BuildLessonLibraries(lessons, nullptr, dir + L"\\Lessons", klid);
    const std::wstring text = lessons.GetCurTextW() ? lessons.GetCurTextW() : L"";
    ASSERT_GT(text.size(), 20u);

    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(KV::StartProgram(dir, pi));
    const HWND wnd = KV::WaitForProcessWindow(pi.dwProcessId, L"FINGERWALTZ", 15000);
    ASSERT_NE(nullptr, wnd);
    ::Sleep(300);

    const DWORD started = ::GetTickCount();
    Type(wnd, text[0]); // resumes the paused lesson; not judged
    const size_t wrongAt[] = {5, text.size() / 2, text.size() - 2};
    for (size_t i = 0; i < text.size(); ++i)
    {
        for (size_t at : wrongAt)
            if (i == at)
                Type(wnd, text[i] == L'q' ? L'w' : L'q');
        Type(wnd, text[i]);
    }
    ::Sleep(500);
    const DWORD seconds = (::GetTickCount() - started) / 1000 + 1;
    ::PostMessageW(wnd, WM_CLOSE, 0, 0);
    const bool ended = ::WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0;
    if (!ended)
        ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ASSERT_TRUE(ended);

    // The settings file the test gave only the wizard's section was completed.
    const std::string ini = fwtest::ReadFileBytes(dir + L"\\fingerwaltz.ini");
    EXPECT_NE(std::string::npos, ini.find("ShowWizard = 0"));
    for (const char* section : {"[CurrentUser]", "[PathToUserData]", "[PathToLesson]"})
        EXPECT_NE(std::string::npos, ini.find(section)) << section;

    const std::wstring sta = FirstSta(dir + L"\\User");
    ASSERT_FALSE(sta.empty());
    const std::wstring base = sta.substr(0, sta.size() - 4);
    CWaltzDoc stored;
    ASSERT_EQ(1, stored.Load(sta.c_str(), (base + L".opt").c_str(), (base + L".pla").c_str()));
    const KV::CLapList* laps = stored.GetStat().GetByKLID(klid);
    ASSERT_NE(nullptr, laps);
    ASSERT_EQ(1u, laps->GetSize());
    const KV::CLap* lap = laps->Get(0);
    EXPECT_EQ(text.size(), lap->GetTotalChar());
    EXPECT_EQ(3u, lap->GetError());
    EXPECT_LE(lap->GetTotalTimeSec(), seconds);
    EXPECT_GT(lap->GetSpeedCPM(), 0u) << lap->GetTotalTimeSec() << " s, " << seconds;
}
