#include "common/fwtest.h"
#include "app/doc/WaltzDoc.h"
#include "app/ui/DialogIds.h"
#include "app/ui/DlgOption.h"
#include "app/ui/Help.h"
#include "app/ui/OptionsHost.h"
#include "dialog_look.h"
#include "kvstruct/files/IniTable.h"

#include <gtest/gtest.h>
#include <functional>
#include <sstream>

namespace {

std::string Bytes(const COptionsDoc& options)
{
    std::ostringstream out;
    options.Serialize(out);
    return out.str();
}

// The main window as the options dialog sees it: what its views show and what it was told.
class FakeHost : public IOptionsHost
{
public:
    void Preview(const COptionsDoc& options) override
    {
        shown = options.m_nBackColour, ++previews;
        view = Bytes(options);
        skin = options.m_sSkin.GetW();
    }
    void CreateView(HWND, const RECT&, int, const COptionsDoc&) override {}
    void DestroyView(HWND) override {}
    void OptionsApplied(bool languageChanged) override
    {
        ++applied;
        language = languageChanged;
    }
    int SaveUser() override { return ++saves; }

    unsigned long shown = 0;
    std::string view; // everything the main window's views show
    std::wstring skin;
    int previews = 0, applied = 0, saves = 0;
    bool language = false;
};

const COLORREF kChosen = 0x123456;
bool ChooseFixed(HWND, COLORREF& colour)
{
    colour = kChosen;
    return true;
}

void Click(HWND dialog, int id)
{
    ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// Selects text in list box id of page as the user does; false when the list lacks it.
bool Pick(HWND page, int id, const wchar_t* text)
{
    HWND list = ::GetDlgItem(page, id);
    const LRESULT row =
        ::SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    if (row < 0)
        return false;
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return true;
}

class OptionsDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_lang.Load_UTF16((fwtest::BinDir() + L"\\Language\\English.ini").c_str()));
        m_previous = SetColourChooser(ChooseFixed);
        m_host.shown = m_doc.GetOptions().m_nBackColour;
    }
    void TearDown() override { SetColourChooser(m_previous); }

    // Opens the dialog and changes the background colour on the General page.
    HWND OpenAndRecolour(CDlgOption& dlg)
    {
        HWND wnd = dlg.Create();
        dlg.ShowPage(CDlgOption::PageGeneral);
        Click(dlg.GetpPage(CDlgOption::PageGeneral)->GetHwnd(), IDC_GEN_CHOOSE_FIRST);
        return wnd;
    }

    fwtest::MsgRecorder m_boxes;
    KV::CIniTable m_lang;
    CWaltzDoc m_doc;
    FakeHost m_host;
    ColourChooser m_previous = nullptr;
};

TEST_F(OptionsDialog, ReopensOnTheLastPage)
{
    for (int page : {CDlgOption::PageStatistic, CDlgOption::PageKeyboard})
    {
        CDlgOption dlg(nullptr, m_doc, &m_lang, &m_host);
        dlg.Create();
        dlg.ShowPage(page);
        dlg.Cancel();
        CDlgOption again(nullptr, m_doc, &m_lang, &m_host);
        again.Create();
        EXPECT_EQ(page, again.GetPage());
        EXPECT_NE(nullptr, again.GetpPage(page));
    }
}

TEST_F(OptionsDialog, CancelLeavesTheRecordAndPutsTheMainWindowBack)
{
    const std::string before = Bytes(m_doc.GetOptions());
    CDlgOption dlg(nullptr, m_doc, &m_lang, &m_host);
    HWND wnd = OpenAndRecolour(dlg);
    EXPECT_EQ(kChosen, m_host.shown) << "previewed at once";
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(wnd, IDC_OPT_APPLY)));
    Click(wnd, IDCANCEL);
    EXPECT_FALSE(::IsWindow(wnd));
    EXPECT_EQ(before, Bytes(m_doc.GetOptions()));
    EXPECT_EQ(m_doc.GetOptions().m_nBackColour, m_host.shown);
    EXPECT_EQ(0, m_host.saves);
}

// Each preview on the main window's views, and Cancel after it: the views show the user's
// options again, not only the record.
TEST_F(OptionsDialog, CancelAfterEveryPreviewPutsTheViewsBack)
{
    const auto choose = [](HWND page, int id) {
        HWND box = ::GetDlgItem(page, id);
        const LRESULT now = ::SendMessageW(box, CB_GETCURSEL, 0, 0);
        ::SendMessageW(box, CB_SETCURSEL, now == 0 ? 1 : 0, 0);
        ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    };
    const auto click = [](HWND page, int id) { Click(page, id); };
    const struct
    {
        int page, id;
        std::function<void(HWND, int)> act;
    } cases[] = {
        {CDlgOption::PageGeneral, IDC_GEN_ANIMATION, click},   {CDlgOption::PageGeneral, IDC_GEN_CHOOSE_FIRST + 2, click},
        {CDlgOption::PageKeyboard, IDC_KBD_VIEW, choose},      {CDlgOption::PageKeyboard, IDC_KBD_SCHEME, choose},
        {CDlgOption::PageKeyboard, IDC_KBD_CONTRAST, click},   {CDlgOption::PageKeyboard, IDC_KBD_HANDS, click},
    };
    const std::string user = Bytes(m_doc.GetOptions());
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.id);
        m_host.view.clear();
        CDlgOption dlg(nullptr, m_doc, &m_lang, &m_host);
        HWND wnd = dlg.Create();
        dlg.ShowPage(c.page);
        c.act(dlg.GetpPage(c.page)->GetHwnd(), c.id);
        EXPECT_NE(user, m_host.view) << "previewed";
        Click(wnd, IDCANCEL);
        EXPECT_EQ(user, m_host.view);
        EXPECT_EQ(user, Bytes(m_doc.GetOptions()));
    }
}

TEST_F(OptionsDialog, UpdateShowsTheChosenSkinAndCancelTakesItBack)
{
    m_doc.GetOptions().m_sSkin = L"Earlier";
    CDlgOption dlg(nullptr, m_doc, &m_lang, &m_host);
    HWND wnd = dlg.Create();
    dlg.ShowPage(CDlgOption::PageSkins);
    HWND page = dlg.GetpPage(CDlgOption::PageSkins)->GetHwnd();
    ASSERT_TRUE(Pick(page, IDC_SKIN_LIST, L"Default"));
    EXPECT_EQ(0, m_host.previews) << "choosing alone shows nothing yet";
    // The button's notice itself: a click message depends on where the page lies on the screen.
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_SKIN_UPDATE, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(page, IDC_SKIN_UPDATE)));
    EXPECT_EQ(L"Default", m_host.skin);
    Click(wnd, IDCANCEL);
    EXPECT_EQ(L"Earlier", m_host.skin);
    EXPECT_STREQ(L"Earlier", m_doc.GetOptions().m_sSkin.GetW());
}

// Opened at dialog rectangle 4, whole on the screen, every page inside its area; a page that
// needs more room makes the dialog larger and moves the buttons.
TEST_F(OptionsDialog, OpensOnScreenAndFitsItsPages)
{
    KV::CRect& place = m_doc.GetPlaces().m_rects[CPlacesDoc::RectOptions];
    place = KV::CRect(-300, -200, 400, 300);
    CDlgOption dlg(nullptr, m_doc, &m_lang, &m_host);
    HWND wnd = dlg.Create();
    RECT rect, work;
    ::GetWindowRect(wnd, &rect);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_GE(rect.left, work.left);
    EXPECT_GE(rect.top, work.top);
    for (int page = CDlgOption::PageGeneral; page <= CDlgOption::PageCount; ++page)
    {
        dlg.ShowPage(page);
        if (dlg.GetPage() != page)
            continue;
        HWND pageWnd = dlg.GetpPage(page)->GetHwnd();
        RECT client;
        ::GetClientRect(pageWnd, &client);
        for (HWND c = ::GetWindow(pageWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
        {
            RECT r;
            ::GetWindowRect(c, &r);
            ::MapWindowPoints(nullptr, pageWnd, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
                << "page " << page << " control " << ::GetDlgCtrlID(c);
        }
    }

    HWND pageWnd = dlg.GetpPage(CDlgOption::PageGeneral)->GetHwnd();
    RECT client, ok;
    ::GetClientRect(pageWnd, &client);
    HWND extra = ::CreateWindowExW(0, L"Static", L"wide", WS_CHILD | WS_VISIBLE, client.right - 20,
                                   client.bottom - 10, 80, 40, pageWnd, nullptr, nullptr, nullptr);
    dlg.FitPage(CDlgOption::PageGeneral);
    ::GetClientRect(pageWnd, &client);
    RECT r;
    ::GetWindowRect(extra, &r);
    ::MapWindowPoints(nullptr, pageWnd, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_LE(r.right, client.right);
    EXPECT_LE(r.bottom, client.bottom);
    ::GetWindowRect(::GetDlgItem(wnd, IDOK), &ok);
    ::GetWindowRect(extra, &r);
    EXPECT_GT(ok.top, r.bottom) << "the buttons moved below the grown page";
    Click(wnd, IDCANCEL);
    EXPECT_EQ(rect.left, place.left) << "the place is kept for the next time";
}

TEST_F(OptionsDialog, OkAndApplyWriteTheRecordBackAndSave)
{
    CDlgOption dlg(nullptr, m_doc, &m_lang, &m_host);
    HWND wnd = OpenAndRecolour(dlg);
    Click(wnd, IDC_OPT_APPLY);
    EXPECT_EQ(kChosen, m_doc.GetOptions().m_nBackColour);
    EXPECT_EQ(1, m_host.saves);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(wnd, IDC_OPT_APPLY)));

    dlg.ShowPage(CDlgOption::PageKeyboard);
    Click(dlg.GetpPage(CDlgOption::PageKeyboard)->GetHwnd(), IDC_KBD_CONTRAST);
    Click(wnd, IDOK);
    EXPECT_FALSE(::IsWindow(wnd));
    EXPECT_EQ(1, m_doc.GetOptions().m_nKeyboardContrast);
    EXPECT_EQ(2, m_host.saves);
    EXPECT_EQ(2, m_host.applied);
    // Cancel after an applied change keeps the applied options on the main window.
    EXPECT_EQ(kChosen, m_host.shown);
}

TEST_F(OptionsDialog, AppliedLanguageRelabelsTheDialogAndTellsTheMainWindow)
{
    CDlgOption dlg(nullptr, m_doc, &m_lang, &m_host);
    HWND wnd = dlg.Create();
    dlg.ShowPage(CDlgOption::PageLanguage);
    ASSERT_TRUE(Pick(dlg.GetpPage(CDlgOption::PageLanguage)->GetHwnd(), IDC_LANG_LIST, L"Deutsch"));
    EXPECT_STREQ(L"English", m_doc.GetOptions().m_sLanguage.GetW());
    Click(wnd, IDC_OPT_APPLY);
    EXPECT_STREQ(L"German", m_doc.GetOptions().m_sLanguage.GetW());
    EXPECT_TRUE(m_host.language);
    wchar_t title[64] = {0};
    ::GetWindowTextW(wnd, title, 64);
    EXPECT_STREQ(L"Optionen", title);
    EXPECT_STREQ(L"Optionen", m_lang.GetW(L"Options"));
    EXPECT_EQ(CDlgOption::PageLanguage, dlg.GetPage());
}

TEST_F(OptionsDialog, RestoreBringsEveryOptionBack)
{
    const std::string defaults = Bytes(COptionsDoc());
    COptionsDoc& user = m_doc.GetOptions();
    user.m_nBackColour = 1;
    user.m_nAnimation = 0;
    user.m_scoreColumns.MoveDown(704);
    user.m_letterColumns.SetShow(705, 0);
    user.m_soundGame.GetAt(3)->SetVolume(10);
    user.m_soundSys.GetAt(0)->SetEnable(0);
    ASSERT_NE(defaults, Bytes(user));

    CDlgOption dlg(nullptr, m_doc, &m_lang, &m_host);
    HWND wnd = dlg.Create();
    dlg.ShowPage(CDlgOption::PageGeneral);
    Click(wnd, IDC_OPT_RESTORE);
    EXPECT_EQ(defaults, Bytes(user));
    EXPECT_EQ(defaults, Bytes(dlg.GetOptions()));
    EXPECT_EQ(1, m_host.saves);
    EXPECT_EQ(CDlgOption::PageGeneral, dlg.GetPage());
    EXPECT_EQ(BST_CHECKED,
              ::IsDlgButtonChecked(dlg.GetpPage(CDlgOption::PageGeneral)->GetHwnd(), IDC_GEN_ANIMATION));
    Click(wnd, IDCANCEL);
    EXPECT_EQ(defaults, Bytes(user)) << "a restore is not undone by Cancel";
}

TEST_F(OptionsDialog, StatisticPageShowsAndOrdersColumns)
{
    CDlgOption dlg(nullptr, m_doc, &m_lang, &m_host);
    dlg.Create();
    dlg.ShowPage(CDlgOption::PageStatistic);
    HWND page = dlg.GetpPage(CDlgOption::PageStatistic)->GetHwnd();
    HWND available = ::GetDlgItem(page, IDC_STAT_AVAILABLE);
    const LRESULT row = ::SendMessageW(available, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(L"WPM"));
    ASSERT_GE(row, 0);
    ::SendMessageW(available, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    Click(page, IDC_STAT_ADD);
    EXPECT_TRUE(dlg.GetOptions().m_scoreColumns.Find(704)->IsShown());
    const unsigned long before = dlg.GetOptions().m_scoreColumns.GetNumID(704);
    Click(page, IDC_STAT_UP);
    EXPECT_EQ(before - 1, dlg.GetOptions().m_scoreColumns.GetNumID(704));
    EXPECT_FALSE(m_doc.GetOptions().m_scoreColumns.Find(704)->IsShown()) << "only OK writes back";
}

TEST_F(OptionsDialog, SoundPageSetsFileAndFlagOfAnEvent)
{
    CDlgOption dlg(nullptr, m_doc, &m_lang, &m_host);
    dlg.Create();
    dlg.ShowPage(CDlgOption::PageSound);
    HWND page = dlg.GetpPage(CDlgOption::PageSound)->GetHwnd();
    HWND events = ::GetDlgItem(page, IDC_SND_EVENTS);
    ASSERT_EQ(10, ::SendMessageW(events, LVM_GETITEMCOUNT, 0, 0));
    wchar_t name[64] = {0};
    ListView_GetItemText(events, 2, 0, name, 64);
    EXPECT_STREQ(L"Result: keep practising", name);

    ListView_SetItemState(events, 3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    HWND files = ::GetDlgItem(page, IDC_SND_FILE);
    const LRESULT click = ::SendMessageW(files, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(L"click-1.ogg"));
    ASSERT_GE(click, 0);
    ::SendMessageW(files, CB_SETCURSEL, static_cast<WPARAM>(click), 0);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_SND_FILE, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(files));
    EXPECT_STREQ(L"click-1.ogg", dlg.GetOptions().m_soundGame.Get(3)->GetFileName());
    EXPECT_EQ(0u, m_boxes.Count());

    ListView_SetCheckState(events, 6, FALSE);
    EXPECT_EQ(0, dlg.GetOptions().m_soundGame.Get(6)->GetEnable());
    EXPECT_EQ(1, m_doc.GetOptions().m_soundGame.Get(6)->GetEnable()) << "only OK writes back";
}

std::vector<std::wstring> g_help;
HelpShowResult RecordHelp(HWND, const wchar_t* address)
{
    g_help.push_back(address);
    return HelpShowResult::Shown;
}

TEST_F(OptionsDialog, HelpOpensTheTopicOfTheShownPage)
{
    HelpViewer previous = SetHelpViewer(RecordHelp);
    CDlgOption dlg(nullptr, m_doc, &m_lang, &m_host);
    HWND wnd = dlg.Create();
    for (int page : {CDlgOption::PageGeneral, CDlgOption::PageStatistic})
    {
        dlg.ShowPage(page);
        Click(wnd, IDC_OPT_HELP);
    }
    SetHelpViewer(previous);
    ASSERT_EQ(2u, g_help.size());
    EXPECT_NE(std::wstring::npos, g_help[0].find(L"::/manual-options-general.html")) << g_help[0];
    EXPECT_NE(std::wstring::npos, g_help[1].find(L"::/manual-options-statictics.html")) << g_help[1];
}

TEST_F(OptionsDialog, LabelsFitInEveryLanguage)
{
    for (const wchar_t* language : {L"English", L"German", L"Russian"})
    {
        ASSERT_TRUE(m_lang.Load_UTF16((fwtest::BinDir() + L"\\Language\\" + language + L".ini").c_str()));
        CDlgOption dlg(nullptr, m_doc, &m_lang, &m_host);
        HWND wnd = dlg.Create();
        for (int page = CDlgOption::PageGeneral; page <= CDlgOption::PageCount; ++page)
        {
            dlg.ShowPage(page);
            if (dlg.GetPage() != page)
                continue;
            dialoglook::ShowForLook(wnd);
            for (const std::wstring& text : dialoglook::ClippedLabels(wnd))
                ADD_FAILURE() << "options page " << page << ": " << std::string(text.begin(), text.end());
        }
    }
}

} // namespace
