// The main window's pages in a window laid out from the shipped Default skin: the page commands
// (buttons and F2/F3/F4) show one page at a time, and F1 opens the shown page's help topic.
#include "app/ui/Accelerators.h"
#include "app/ui/Commands.h"
#include "app/ui/Help.h"
#include "app/ui/PageSwitcher.h"
#include "app/ui/SkinPages.h"
#include "common/fwtest.h"
#include "kvinterf/skin/SkinWnd.h"
#include "kvinterf/widgets/Button.h"
#include "kvinterf/widgets/Static.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> g_helpAddresses;

HelpShowResult RecordHelp(HWND, const wchar_t* address)
{
    g_helpAddresses.push_back(address);
    return HelpShowResult::Shown;
}

// Answers the page and help commands as the main window does; statics stand in for the views.
struct PagesWnd : KV::CSkinWnd
{
    CPageSwitcher pages{*this};
    std::wstring helpFolder;

    KV::CSkin* NewSkin(unsigned short controlId, unsigned long type) override
    {
        KV::CSkin* element = KV::CSkinWnd::NewSkin(controlId, type);
        return element ? element : new KV::CStatic;
    }
    LRESULT OnCommand(WORD code, WORD id, HWND control) override
    {
        if (CPageSwitcher::PageOfCommand(id))
            pages.ShowPage(id);
        else if (id == kCmdHelp)
            ShowPageHelp(m_hWnd, pages.GetPage(), helpFolder);
        else
            return KV::CSkinWnd::OnCommand(code, id, control);
        return 0;
    }
};

struct PagesFixture : testing::Test
{
    void SetUp() override
    {
        HINSTANCE module = ::GetModuleHandleW(nullptr);
        KV::CWnd::RegisterClassW(module, L"FwPagesWnd");
        wnd.SetPath((fwtest::BinDir() + L"\\Skin\\").c_str());
        ASSERT_EQ(1, wnd.Load((fwtest::BinDir() + L"\\Skin\\Default.skn").c_str(), 0));
        ASSERT_NE(nullptr, wnd.Create(0, L"FwPagesWnd", L"", WS_POPUP | WS_VISIBLE, 0, 0, 1024, 700, nullptr,
                                      nullptr, module));
        std::vector<ACCEL> keys = MainAccelerators();
        accel = ::CreateAcceleratorTableW(keys.data(), (int)keys.size());
        ASSERT_NE(nullptr, accel);
    }
    void TearDown() override
    {
        if (accel)
            ::DestroyAcceleratorTable(accel);
        wnd.DestroyWindow();
        EXPECT_EQ(0u, boxes.Count());
    }
    // A key pressed in the window, through the main accelerator table.
    void Press(UINT vk)
    {
        MSG msg = {wnd.GetHwnd(), WM_KEYDOWN, vk, 1, 0, {0, 0}};
        ASSERT_TRUE(::TranslateAcceleratorW(wnd.GetHwnd(), accel, &msg)) << vk;
    }
    KV::CButton* Button(unsigned short id) { return dynamic_cast<KV::CButton*>(wnd.GetSkinByID(id)); }

    // The shown page: its elements visible with their whole shape and inside the client area,
    // every other page's element hidden with no place; the page buttons tell which is current.
    void ExpectPageShown(unsigned page)
    {
        SCOPED_TRACE(page);
        EXPECT_EQ(page, wnd.pages.GetPage());
        RECT client;
        ::GetClientRect(wnd.GetHwnd(), &client);
        for (const auto* list : {&kTypingPageElements, &kStatisticsPageElements, &kLessonPageElements})
            for (unsigned short id : *list)
            {
                SCOPED_TRACE(id);
                KV::CSkin* element = wnd.GetSkinByID(id);
                ASSERT_NE(nullptr, element);
                const KV::CRect rc = element->GetRect();
                if (!CPageSwitcher::IsOnPage(id, page))
                {
                    EXPECT_TRUE(rc.IsRectEmpty());
                    EXPECT_TRUE(!element->GetHwnd() || !::IsWindowVisible(element->GetHwnd()));
                    continue;
                }
                ASSERT_FALSE(rc.IsRectEmpty());
                EXPECT_TRUE(rc.left >= 0 && rc.top >= 0 && rc.right <= client.right &&
                            rc.bottom <= client.bottom);
                RECT shape;
                EXPECT_EQ(SIMPLEREGION, ::GetRgnBox(element->DestRgn(), &shape));
                EXPECT_EQ(rc.Width(), shape.right - shape.left);
                EXPECT_EQ(rc.Height(), shape.bottom - shape.top);
                EXPECT_TRUE(!element->GetHwnd() || ::IsWindowVisible(element->GetHwnd()));
            }
        for (unsigned short id : {kCmdTypingPage, kCmdStatisticsPage, kCmdLessonPage})
            EXPECT_EQ(id == page ? (unsigned long)KV::CButton::kChecked : 0ul, Button(id)->GetCheck()) << id;
        EXPECT_EQ(page != kCmdStatisticsPage, Button(kExportButton)->GetFlag(KV::CButton::kHidden) != 0);
        EXPECT_EQ(page != kCmdTypingPage, Button(kCmdKeyboardPanel)->GetFlag(KV::CButton::kHidden) != 0);
    }

    fwtest::MsgRecorder boxes;
    PagesWnd wnd;
    HACCEL accel = nullptr;
};

} // namespace

// F2, F3, F4 in any order each show their page, also after the window was resized while
// another page was shown; a command that is not a page changes nothing.
TEST_F(PagesFixture, PageKeysShowOnePageAtATime)
{
    int lessonViewsMade = 0;
    wnd.pages.SetLessonViewFactory([&](KV::CSkinWnd& window) {
        EXPECT_EQ(&wnd, &window);
        ++lessonViewsMade;
    });
    struct Step
    {
        UINT key;
        unsigned page;
        int grow; // the window grows by this much after the page is shown
    };
    const Step steps[] = {
        {VK_F2, kCmdTypingPage, 0},       {VK_F3, kCmdStatisticsPage, 0}, {VK_F4, kCmdLessonPage, 0},
        {VK_F3, kCmdStatisticsPage, 120}, {VK_F4, kCmdLessonPage, -60},   {VK_F2, kCmdTypingPage, 40},
        {VK_F3, kCmdStatisticsPage, 0},
    };
    for (const Step& s : steps)
    {
        Press(s.key);
        ExpectPageShown(s.page);
        if (s.grow)
            wnd.Resize(s.grow, s.grow, 0);
    }
    EXPECT_EQ(1, lessonViewsMade);
    // Both side-by-side pages fill the same height after the resizes.
    EXPECT_EQ(wnd.GetSkinByID(305)->GetRect().bottom, wnd.GetSkinByID(458)->GetRect().bottom);
    EXPECT_FALSE(wnd.pages.ShowPage(kCmdHelp));
    ExpectPageShown(kCmdStatisticsPage);
}

// F1 asks for the topic of the shown page in the help file of the given folder.
TEST_F(PagesFixture, HelpKeyOpensTheShownPagesTopic)
{
    wnd.helpFolder = fwtest::MakeTempDir(L"pagehelp") + L"\\";
    fwtest::WriteFileBytes(wnd.helpFolder + kHelpFileName, "ITSF");
    g_helpAddresses.clear();
    HelpViewer previous = SetHelpViewer(RecordHelp);
    const std::pair<UINT, const wchar_t*> cases[] = {
        {VK_F2, L"manual-current-lesson.html"},
        {VK_F3, L"manual-typing-statistics.html"},
        {VK_F4, L"manual-typing-lessons.html"},
    };
    for (const auto& c : cases)
    {
        Press(c.first);
        Press(VK_F1);
        ASSERT_FALSE(g_helpAddresses.empty());
        EXPECT_EQ(wnd.helpFolder + L"Fingerwaltz.chm::/" + c.second, g_helpAddresses.back());
    }
    EXPECT_EQ(3u, g_helpAddresses.size());
    SetHelpViewer(previous);
}
