#include "FwVersion.h"
#include "common/fwtest.h"
#include "app/ui/DialogIds.h"
#include "app/ui/DlgAbout.h"
#include "dialog_look.h"
#include "kvstruct/files/IniTable.h"
#include "kvstruct/sys/Shell.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::wstring> g_opened;
int Record(const wchar_t* target)
{
    g_opened.push_back(target);
    return 1;
}

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[512] = {0};
    ::GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

class AboutAndFeedback : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_lang.Load_UTF16((fwtest::BinDir() + L"\\Language\\English.ini").c_str()));
        g_opened.clear();
        m_previous = KV::SetShellExecHandler(Record);
    }
    void TearDown() override { KV::SetShellExecHandler(m_previous); }

    fwtest::MsgRecorder m_boxes;
    KV::CIniTable m_lang;
    KV::ShellExecHandler m_previous = nullptr;
};

TEST_F(AboutAndFeedback, AboutShowsTheVersionBlockAndLinksTheHomePage)
{
    CDlgAbout about(nullptr, &m_lang);
    HWND wnd = about.Create();
    ASSERT_NE(nullptr, wnd);
    EXPECT_EQ(std::wstring(L"Version ") + FW_VERSION_WTEXT, ItemText(wnd, IDC_ABOUT_VERSION));
    EXPECT_STREQ(CDlgAbout::GetHomePage(), about.GetLink().GetTarget());
    EXPECT_STREQ(L"Home page", about.GetLink().GetLinkText());
}

TEST_F(AboutAndFeedback, FeedbackNeedsAMessageAndSendsItWithTheSender)
{
    CDlgBugs bugs(nullptr, &m_lang);
    HWND wnd = bugs.Create();
    ::SendMessageW(wnd, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(1u, m_boxes.Count());
    EXPECT_EQ(L"Please write a message.", m_boxes.LastText());
    EXPECT_TRUE(::IsWindow(wnd));
    EXPECT_TRUE(g_opened.empty());

    ::SetDlgItemTextW(wnd, IDC_BUGS_NAME, L"Zoe");
    ::SetDlgItemTextW(wnd, IDC_BUGS_MESSAGE, L"Lovely");
    ::SendMessageW(wnd, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(::IsWindow(wnd));
    ASSERT_EQ(1u, g_opened.size());
    EXPECT_NE(std::wstring::npos, g_opened[0].find(L"Zoe"));
    EXPECT_NE(std::wstring::npos, g_opened[0].find(L"Lovely"));
}

TEST_F(AboutAndFeedback, LabelsFitInEveryLanguage)
{
    for (const wchar_t* language : {L"English", L"German", L"Russian"})
    {
        ASSERT_TRUE(m_lang.Load_UTF16((fwtest::BinDir() + L"\\Language\\" + language + L".ini").c_str()));
        CDlgAbout about(nullptr, &m_lang);
        CDlgBugs bugs(nullptr, &m_lang);
        for (HWND wnd : {about.Create(), bugs.Create()})
        {
            dialoglook::ShowForLook(wnd);
            for (const std::wstring& text : dialoglook::ClippedLabels(wnd))
                ADD_FAILURE() << std::string(text.begin(), text.end());
        }
    }
}

} // namespace
