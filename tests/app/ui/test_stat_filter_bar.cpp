// The statistics filter bar inside a view inside a recording main window: its lists, what it
// stores and which commands reach the main window.
#include "common/fwtest.h"
#include "app/doc/OptionsDoc.h"
#include "app/ui/Commands.h"
#include "app/ui/DlgStatCustom.h"
#include "app/ui/StatDialogIds.h"
#include "kvfwctrl/stat_test_util.h"
#include "kvstruct/files/IniTable.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

struct Received
{
    WORD command;
    HWND control;
};
std::vector<Received> g_commands;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND)
        g_commands.push_back({LOWORD(wParam), reinterpret_cast<HWND>(lParam)});
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

std::vector<std::wstring> Entries(HWND dialog, int list)
{
    std::vector<std::wstring> texts;
    const LRESULT count = ::SendDlgItemMessageW(dialog, list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
    {
        wchar_t text[128] = {0};
        ::SendDlgItemMessageW(dialog, list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

class StatFilterBar : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_lang.Load_UTF16((fwtest::BinDir() + L"\\Language\\English.ini").c_str()));
        WNDCLASSW wc = {};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = m_module;
        wc.lpszClassName = L"FwTestFilterBarMain";
        ::RegisterClassW(&wc);
        m_main = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 300,
                                   nullptr, nullptr, m_module, nullptr);
        m_view = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 600, 200, m_main, nullptr,
                                   m_module, nullptr);
        ASSERT_NE(nullptr, m_view);
        g_commands.clear();
    }
    void TearDown() override { ::DestroyWindow(m_main); }

    // Makes `index` the list's selection and confirms it as the user does.
    void Choose(CDlgStatCustom& bar, int list, int index)
    {
        ::SendDlgItemMessageW(bar.GetHwnd(), list, CB_SETCURSEL, index, 0);
        ::SendMessageW(bar.GetHwnd(), WM_COMMAND, MAKEWPARAM(list, CBN_SELENDOK),
                       reinterpret_cast<LPARAM>(::GetDlgItem(bar.GetHwnd(), list)));
    }

    KV::CIniTable m_lang;
    HINSTANCE m_module = ::GetModuleHandleW(nullptr);
    HWND m_main = nullptr;
    HWND m_view = nullptr;
    COptionsDoc m_options;
};

} // namespace

TEST_F(StatFilterBar, ListsHoldTheLanguageTextsAndTheStoredChoices)
{
    m_options.m_nGroupMode = 1;
    m_options.m_nLessonFilter = 6;
    CDlgStatCustom bar(m_view, m_options, &m_lang);
    ASSERT_NE(nullptr, bar.Create(m_module));
    const std::vector<std::wstring> grouping = {L"One row per pass", L"Group by day"};
    EXPECT_EQ(grouping, Entries(bar.GetHwnd(), IDC_STAT_GROUPING));
    const std::vector<std::wstring> types = {
        L"Show all lessons",        L"Show Letters", L"Show Syllables",  L"Show Capitals", L"Show Words",
        L"Show Digits and symbols", L"Show Text",    L"Show My lessons", L"Show Additions"};
    EXPECT_EQ(types, Entries(bar.GetHwnd(), IDC_STAT_TYPE_FILTER));
    EXPECT_EQ(1, ::SendDlgItemMessageW(bar.GetHwnd(), IDC_STAT_GROUPING, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(6, ::SendDlgItemMessageW(bar.GetHwnd(), IDC_STAT_TYPE_FILTER, CB_GETCURSEL, 0, 0));
}

TEST_F(StatFilterBar, ANewChoiceIsStoredAndAnnouncedToTheMainWindow)
{
    struct Case
    {
        int list, index;
        unsigned short group, filter; // stored afterwards
        std::vector<WORD> commands;
    };
    const Case cases[] = {
        {IDC_STAT_GROUPING, 0, 0, 0, {}}, // already selected: nothing is sent
        {IDC_STAT_TYPE_FILTER, 0, 0, 0, {}},
        {IDC_STAT_TYPE_FILTER, 3, 0, 3, {kCmdTypeFilterChanged}}, // "Show Capitals"
        {IDC_STAT_GROUPING, 1, 1, 3, {kCmdGroupingChanged}},
        {IDC_STAT_GROUPING, 1, 1, 3, {}},
        {IDC_STAT_TYPE_FILTER, 8, 1, 8, {kCmdTypeFilterChanged}},
    };
    CDlgStatCustom bar(m_view, m_options, &m_lang);
    ASSERT_NE(nullptr, bar.Create(m_module));
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.list << " " << c.index);
        g_commands.clear();
        Choose(bar, c.list, c.index);
        EXPECT_EQ(c.group, m_options.m_nGroupMode);
        EXPECT_EQ(c.filter, m_options.m_nLessonFilter);
        ASSERT_EQ(c.commands.size(), g_commands.size());
        for (size_t i = 0; i < g_commands.size(); ++i)
        {
            EXPECT_EQ(c.commands[i], g_commands[i].command);
            EXPECT_EQ(bar.GetHwnd(), g_commands[i].control);
        }
    }
    // A selection that was not confirmed (the list closed without OK) changes nothing.
    g_commands.clear();
    ::SendDlgItemMessageW(bar.GetHwnd(), IDC_STAT_GROUPING, CB_SETCURSEL, 0, 0);
    ::SendMessageW(bar.GetHwnd(), WM_COMMAND, MAKEWPARAM(IDC_STAT_GROUPING, CBN_SELENDCANCEL),
                   reinterpret_cast<LPARAM>(::GetDlgItem(bar.GetHwnd(), IDC_STAT_GROUPING)));
    EXPECT_EQ(1, m_options.m_nGroupMode);
    EXPECT_TRUE(g_commands.empty());
}

TEST_F(StatFilterBar, ListsShareTheWidthSideBySide)
{
    CDlgStatCustom bar(m_view, m_options, &m_lang);
    ASSERT_NE(nullptr, bar.Create(m_module));
    ::MoveWindow(bar.GetHwnd(), 0, 175, 600, 25, TRUE);
    const int lists[] = {IDC_STAT_GROUPING, IDC_STAT_TYPE_FILTER};
    for (int i = 0; i < 2; ++i)
    {
        SCOPED_TRACE(lists[i]);
        HWND list = ::GetDlgItem(bar.GetHwnd(), lists[i]);
        RECT rc;
        ::GetWindowRect(list, &rc);
        ::MapWindowPoints(nullptr, bar.GetHwnd(), reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(300 * i, rc.left);
        EXPECT_EQ(300 * (i + 1), rc.right);
        EXPECT_EQ(0, rc.top);
        RECT dropped;
        ::SendMessageW(list, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        EXPECT_GT(dropped.bottom - dropped.top, rc.bottom - rc.top); // room for the entries
    }
}

namespace {

// A statistics store whose current list holds laps made by the test.
struct TestStore : KV::CLapListLang
{
    stattest::TestLapList& Use()
    {
        auto* list = new stattest::TestLapList;
        m_lists.push_back(list);
        m_pCurrent = list;
        return *list;
    }
};

KV::CLapListLang* g_store = nullptr;
COptionsDoc* g_options = nullptr;
std::vector<unsigned short> g_rowTypes;

// The main window's answer to the filter bar: regroup and note the rows' lesson types.
LRESULT CALLBACK RegroupingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND &&
        (LOWORD(wParam) == kCmdGroupingChanged || LOWORD(wParam) == kCmdTypeFilterChanged))
    {
        g_rowTypes.clear();
        KV::CLapListGroup& rows = RegroupStatistics(*g_store, *g_options);
        for (unsigned long i = 0; i < rows.GetSize(); ++i)
            g_rowTypes.push_back(rows.Get(i)->GetTypeLesson());
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

TEST_F(StatFilterBar, ShowCapitalsLeavesOnlyCapitalLetterPassesAsRows)
{
    TestStore store;
    stattest::TestLapList& laps = store.Use();
    const unsigned short types[] = {1, 3, 2, 3, 7, 3};
    for (int i = 0; i < 6; ++i)
        laps.Add().Counts(40, 2, 8, 60).Type(types[i]).Date(2026, 11, 1 + i).Name(L"lesson");
    g_store = &store;
    g_options = &m_options;
    ::SetWindowLongPtrW(m_main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RegroupingProc));

    CDlgStatCustom bar(m_view, m_options, &m_lang);
    ASSERT_NE(nullptr, bar.Create(m_module));
    Choose(bar, IDC_STAT_TYPE_FILTER, 3);
    EXPECT_EQ(3, m_options.m_nLessonFilter);
    EXPECT_EQ(std::vector<unsigned short>({3, 3, 3}), g_rowTypes);
    // Back to all lessons: every pass is a row again.
    Choose(bar, IDC_STAT_TYPE_FILTER, 0);
    EXPECT_EQ(std::vector<unsigned short>({1, 3, 2, 3, 7, 3}), g_rowTypes);
    ::SetWindowLongPtrW(m_main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc));
}
