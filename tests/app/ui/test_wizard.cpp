#include "common/fwtest.h"
#include "app/doc/WaltzDoc.h"
#include "app/ui/DialogIds.h"
#include "app/ui/DlgWizard.h"
#include "app/ui/DlgResults.h"
#include "preview_host.h"
#include "kvfwctrl/keyboard/Keyboard.h"
#include "kvfwctrl/typing/BaseInput.h"
#include "dialog_look.h"
#include "kvstruct/files/IniTable.h"

#include <gtest/gtest.h>

namespace {

std::wstring Title(HWND wnd)
{
    wchar_t text[256] = {0};
    ::GetWindowTextW(wnd, text, 256);
    return text;
}

void Click(HWND dialog, int id)
{
    ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

bool Shown(const COptionsDoc& options, unsigned long column)
{
    const KV::CParam* param = options.m_scoreColumns.Find(column);
    return param && param->IsShown();
}

TEST(Wizard, RunsOnTheFirstStartOnly)
{
    const std::wstring path = fwtest::MakeTempDir(L"wiz") + L"\\fingerwaltz.ini";
    ASSERT_TRUE(fwtest::WriteFileBytes(path, "[Wizard]\r\nShowWizard = 1\r\n"));
    int runs = 0;
    EXPECT_TRUE(ShowWizardOnce(path.c_str(), [&runs] { ++runs; }));
    EXPECT_FALSE(ShowWizardOnce(path.c_str(), [&runs] { ++runs; }));
    EXPECT_EQ(1, runs);
    KV::CIniTable settings;
    ASSERT_EQ(1, settings.Load_ANSII(path.c_str()));
    EXPECT_STREQ(L"0", settings.GetW(L"ShowWizard"));
}

class WizardDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_lang.Load_UTF16((fwtest::BinDir() + L"\\Language\\English.ini").c_str()));
    }
    fwtest::MsgRecorder m_boxes;
    KV::CIniTable m_lang;
    CWaltzDoc m_doc;
};

TEST_F(WizardDialog, PagesWriteIntoTheUserAtOnce)
{
    m_doc.SetHeader(CHeaderDoc(L"Ann", L"", L"", L"", L"id-1"));
    CDlgWizard wizard(nullptr, m_doc, &m_lang);
    HWND wnd = wizard.Create();
    ASSERT_NE(nullptr, wnd);
    EXPECT_EQ(L"Welcome: Language", Title(wnd));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(wnd, IDC_WIZARD_BACK)));

    Click(wnd, IDC_WIZARD_NEXT);
    EXPECT_EQ(2, wizard.GetPage());
    EXPECT_EQ(L"Welcome: Users", Title(wnd));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(wnd, IDC_WIZARD_BACK)));
    HWND page = wizard.GetpPage()->GetHwnd();
    ::SetDlgItemTextW(page, IDC_WIZ_NICK, L"");
    ::SetDlgItemTextW(page, IDC_WIZ_FULLNAME, L"Ann Lee");
    EXPECT_STREQ(L"", m_doc.GetHeader().GetNick());
    EXPECT_STREQ(L"Ann Lee", m_doc.GetHeader().GetFullName());
    EXPECT_STREQ(L"id-1", m_doc.GetHeader().GetFileName());

    Click(wnd, IDC_WIZARD_NEXT);
    page = wizard.GetpPage()->GetHwnd();
    HWND types = ::GetDlgItem(page, IDC_WIZ_KEYBOARD_LIST);
    EXPECT_EQ(0, ::SendMessageW(types, CB_GETCURSEL, 0, 0)) << "the user's type is chosen";
    wchar_t type[64] = {0};
    ::SendMessageW(types, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(type));
    EXPECT_STREQ(L"Type #2", type);
    ::SendMessageW(types, CB_SETCURSEL, 1, 0);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_WIZ_KEYBOARD_LIST, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(types));
    EXPECT_STREQ(L"Type #2", m_doc.GetOptions().m_sKeyboardType.GetW());

    for (int i = 0; i < 2; ++i)
        Click(wnd, IDC_WIZARD_NEXT);
    EXPECT_EQ(5, wizard.GetPage());
    wchar_t next[64] = {0};
    ::GetDlgItemTextW(wnd, IDC_WIZARD_NEXT, next, 64);
    EXPECT_STREQ(L"Finish", next);
    page = wizard.GetpPage()->GetHwnd();
    Click(page, IDC_WIZ_CPM);
    EXPECT_TRUE(Shown(m_doc.GetOptions(), 701));
    EXPECT_FALSE(Shown(m_doc.GetOptions(), 704));
    Click(page, IDC_WIZ_WPM);
    EXPECT_FALSE(Shown(m_doc.GetOptions(), 701));
    EXPECT_TRUE(Shown(m_doc.GetOptions(), 704));

    Click(wnd, IDC_WIZARD_BACK);
    EXPECT_EQ(4, wizard.GetPage());
    Click(wizard.GetpPage()->GetHwnd(), IDC_WIZ_ANIMATION);
    EXPECT_EQ(0, m_doc.GetOptions().m_nAnimation);
    Click(wnd, IDC_WIZARD_NEXT);
    Click(wnd, IDC_WIZARD_NEXT);
    EXPECT_FALSE(::IsWindow(wnd));
    EXPECT_EQ(KV::CDialog::kIdOk, wizard.GetResult());
}

TEST_F(WizardDialog, KeyboardAndViewPagesPreviewInsideThemselves)
{
    fwtest::PreviewHost host;
    {
        CDlgWizard wizard(nullptr, m_doc, &m_lang, &host);
        HWND wnd = wizard.Create();
        Click(wnd, IDC_WIZARD_NEXT);
        Click(wnd, IDC_WIZARD_NEXT);
        HWND page = wizard.GetpPage()->GetHwnd();
        KV::CKeyboard* keyboard = host.m_views.GetKeyboard(page);
        ASSERT_NE(nullptr, keyboard);
        EXPECT_EQ(page, ::GetParent(keyboard->GetHwnd()));
        const unsigned long keys = keyboard->GetCount();
        EXPECT_GT(keys, 40u) << "the user's keyboard file is shown";
        HWND types = ::GetDlgItem(page, IDC_WIZ_KEYBOARD_LIST);
        ::SendMessageW(types, CB_SETCURSEL, 1, 0);
        ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_WIZ_KEYBOARD_LIST, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(types));
        EXPECT_NE(keys, keyboard->GetCount()) << "another type shows another keyboard";

        Click(wnd, IDC_WIZARD_NEXT);
        EXPECT_EQ(1u, host.m_views.Count()) << "the keyboard page's view went with it";
        page = wizard.GetpPage()->GetHwnd();
        KV::CBaseInput* view = host.m_views.GetTypingView(page);
        ASSERT_NE(nullptr, view);
        EXPECT_EQ(1, view->GetFlagAnimation());
        Click(page, IDC_WIZ_ANIMATION);
        EXPECT_EQ(0, view->GetFlagAnimation());
    }
    EXPECT_EQ(0u, host.m_views.Count());
}

TEST_F(WizardDialog, ChoosingALanguageRelabelsTheWizard)
{
    CDlgWizard wizard(nullptr, m_doc, &m_lang);
    HWND wnd = wizard.Create();
    HWND list = ::GetDlgItem(wizard.GetpPage()->GetHwnd(), IDC_WIZ_LANGUAGE_LIST);
    const LRESULT german = ::SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(L"Deutsch"));
    ASSERT_GE(german, 0);
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(german), 0);
    ::SendMessageW(wizard.GetpPage()->GetHwnd(), WM_COMMAND, MAKEWPARAM(IDC_WIZ_LANGUAGE_LIST, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
    EXPECT_STREQ(L"German", m_doc.GetOptions().m_sLanguage.GetW());
    EXPECT_EQ(L"Willkommen: Sprache", Title(wnd));
}

// Every page of the wizard and the results in every language: no label is cut off.
TEST_F(WizardDialog, LabelsFitInEveryLanguage)
{
    for (const wchar_t* language : {L"English", L"German", L"Russian"})
    {
        ASSERT_TRUE(m_lang.Load_UTF16((fwtest::BinDir() + L"\\Language\\" + language + L".ini").c_str()));
        CDlgWizard wizard(nullptr, m_doc, &m_lang);
        HWND wnd = wizard.Create();
        for (int page = 1; page <= 5; ++page)
        {
            dialoglook::ShowForLook(wnd);
            for (const std::wstring& text : dialoglook::ClippedLabels(wnd))
                ADD_FAILURE() << "wizard page " << page << ": " << std::string(text.begin(), text.end());
            if (page < 5)
                Click(wnd, IDC_WIZARD_NEXT);
        }
        ::DestroyWindow(wnd);

        CDlgResults results(nullptr, m_doc, &m_lang);
        results.SetSoundPlayer(nullptr);
        wnd = results.Create();
        for (int page = 0; page < CDlgResults::PageCount; ++page)
        {
            results.ShowPage(page);
            dialoglook::ShowForLook(wnd);
            for (const std::wstring& text : dialoglook::ClippedLabels(wnd))
                ADD_FAILURE() << "results page " << page << ": " << std::string(text.begin(), text.end());
            for (int gauge = 0; page == CDlgResults::PageRating && gauge < CDlgResultCommon::GaugeCount; ++gauge)
            {
                EXPECT_FALSE(results.GetpCommon()->GetGauge(gauge).LabelsCrowd()) << "gauge " << gauge;
            }
        }
    }
}

} // namespace
