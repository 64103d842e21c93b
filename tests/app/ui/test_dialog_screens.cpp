// Pictures of every dialog and page in every language, for a person to look at. Runs only when
// FW_SCREENS names a folder: tools/screens/screens.sh sets it, and for each picture this test
// writes <name>.ready (the window's rectangle), then waits for the script's <name>.done while the
// window stays on screen.
#include "common/fwtest.h"
#include "app/doc/UserManager.h"
#include "app/doc/UserSettings.h"
#include "app/doc/WaltzDoc.h"
#include "app/ui/DialogIds.h"
#include "app/ui/DlgAbout.h"
#include "app/ui/DlgOption.h"
#include "app/ui/DlgResults.h"
#include "app/ui/DlgWizard.h"
#include "app/ui/ResultViews.h"
#include "preview_host.h"
#include "kvstruct/files/IniTable.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

std::wstring ScreensFolder()
{
    const wchar_t* folder = _wgetenv(L"FW_SCREENS");
    return folder ? folder : L"";
}

void Pump(DWORD ms)
{
    const DWORD until = ::GetTickCount() + ms;
    MSG msg;
    do
    {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    } while (static_cast<LONG>(::GetTickCount() - until) < 0);
}

// Shows window, hands its rectangle to the capturing script and waits until it took the picture.
void Capture(HWND window, const std::wstring& name)
{
    ASSERT_TRUE(::IsWindow(window)) << std::string(name.begin(), name.end());
    ::SetWindowPos(window, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(400);
    RECT rect;
    ::GetWindowRect(window, &rect);
    const std::wstring base = ScreensFolder() + L"\\" + name;
    FILE* ready = _wfopen((base + L".ready").c_str(), L"w");
    ASSERT_NE(nullptr, ready);
    std::fprintf(ready, "%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    std::fclose(ready);
    for (int i = 0; i < 300 && ::GetFileAttributesW((base + L".done").c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Pump(50);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW((base + L".done").c_str())) << "no picture taken";
}

class DialogScreens : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (ScreensFolder().empty())
            GTEST_SKIP() << "FW_SCREENS is not set (tools/screens/screens.sh sets it)";
        m_dir = fwtest::MakeTempDir(L"screens");
        m_settings.reset(new CUserSettings((m_dir + L"\\fingerwaltz.ini").c_str(), (m_dir + L"\\User").c_str()));
        m_settings->ResetUserPath();
        m_doc.SetHeader(CHeaderDoc(L"Mia", L"Mia Muster", L"", L"", L"mia"));
        KV::CLessonList& list = m_doc.GetLessonList(0);
        KV::CLesson* lesson = new KV::CLesson(&list);
        lesson->SetLessonName(L"Home row", false);
        lesson->SetTextW(L"asdf jkl; fjdk slaa; dad lad sad fall");
        list.Add(lesson);
        m_doc.SetLessonID(0);
        KV::CLapList* laps = m_doc.GetStat().GetCurrent();
        // A pass before this one, for the Progress page.
        laps->StartLap();
        laps->AddStatLetter(L"asdf jkl; fjdk slaa; dad lad sad fall", 0, 3);
        laps->EndLap();
        laps->NewStatError(37);
        laps->AddStatError(3, 1);
        laps->AddStatError(12, 2);
        laps->AddStatError(20, 1);
        laps->StartLap();
        laps->AddStatLetter(L"asdf jkl; fjdk slaa; dad lad sad fall", 0, 3);
        laps->EndLap();
    }

    // Each language in turn, its table loaded into m_lang.
    void ForEachLanguage(const std::function<void(const std::wstring&)>& shoot)
    {
        for (const wchar_t* language : {L"English", L"German", L"Russian"})
        {
            ASSERT_TRUE(m_lang.Load_UTF16((fwtest::BinDir() + L"\\Language\\" + language + L".ini").c_str()));
            m_doc.GetOptions().m_sLanguage = language;
            shoot(language);
        }
        m_doc.GetOptions().m_sLanguage = L"English";
    }

    fwtest::MsgRecorder m_boxes;
    KV::CIniTable m_lang;
    CWaltzDoc m_doc;
    std::wstring m_dir;
    std::unique_ptr<CUserSettings> m_settings;
};

TEST_F(DialogScreens, Results)
{
    ForEachLanguage([this](const std::wstring& language) {
        // The views outlive the dialog whose pages hold them.
        CResultViews views(&m_lang, fwtest::BinDir() + L"\\Skin\\Default\\");
        CDlgResults dlg(nullptr, m_doc, &m_lang);
        dlg.SetpViews(&views);
        dlg.SetSoundPlayer(nullptr);
        HWND wnd = dlg.Create();
        for (int page = 0; page < CDlgResults::PageCount; ++page)
        {
            dlg.ShowPage(page);
            Capture(wnd, L"results-" + std::to_wstring(page + 1) + L"-" + language);
        }
    });
}

TEST_F(DialogScreens, Options)
{
    CUserManager users(m_doc, *m_settings);
    users.CreateUser(L"Mia", L"Mia Muster", L"", L"", L"mia");
    users.CreateUser(L"Ivan", L"Ivan Petrov", L"", L"", L"ivan");
    ForEachLanguage([this, &users](const std::wstring& language) {
        CDlgOption dlg(nullptr, m_doc, &m_lang, nullptr);
        dlg.SetpUsers(&users, m_settings.get());
        HWND wnd = dlg.Create();
        for (int page = CDlgOption::PageGeneral; page <= CDlgOption::PageCount; ++page)
        {
            dlg.ShowPage(page);
            Capture(wnd, L"options-" + std::to_wstring(page) + L"-" + language);
        }
    });
}

TEST_F(DialogScreens, Wizard)
{
    ForEachLanguage([this](const std::wstring& language) {
        fwtest::PreviewHost host;
        CDlgWizard wizard(nullptr, m_doc, &m_lang, &host);
        HWND wnd = wizard.Create();
        for (int page = CDlgWizard::PageFirst; page <= CDlgWizard::PageLast; ++page)
        {
            Capture(wnd, L"wizard-" + std::to_wstring(page) + L"-" + language);
            if (page < CDlgWizard::PageLast)
                ::SendMessageW(::GetDlgItem(wnd, IDC_WIZARD_NEXT), BM_CLICK, 0, 0);
        }
    });
}

TEST_F(DialogScreens, AboutAndFeedback)
{
    ForEachLanguage([this](const std::wstring& language) {
        CDlgAbout about(nullptr, &m_lang);
        Capture(about.Create(), L"about-" + language);
        CDlgBugs bugs(nullptr, &m_lang);
        Capture(bugs.Create(), L"feedback-" + language);
    });
}

} // namespace
