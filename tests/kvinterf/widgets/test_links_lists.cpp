// Scroll bars, links, lists and pictures: keyboard scrolling, link drawing and targets, file
// links with the dialog answered by a stand-in, and pictures that fail to load.
#include "../skin_test_util.h"
#include <gtest/gtest.h>
#include <vector>

using namespace skintest;

namespace {

class ScrollParent : public KV::CSkinWnd
{
public:
    std::vector<UINT> codes;
    LRESULT OnVScrool(UINT code, int, HWND) override
    {
        codes.push_back(code);
        return 0;
    }
};

std::vector<std::wstring> g_opened;
int RecordOpen(const wchar_t* target)
{
    g_opened.push_back(target);
    return ::GetFileAttributesW(target) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
}

std::wstring g_answer;
std::wstring g_filter;
int AnswerOpenFile(HWND, const wchar_t*, const wchar_t* filter, wchar_t* path, DWORD size)
{
    g_filter = filter;
    if (g_answer.empty() || g_answer.size() >= size)
        return 0;
    wcscpy(path, g_answer.c_str());
    return 1;
}

// Ink of a colour in a canvas: the leftmost x, or -1.
int FirstX(const DibCanvas& canvas, int w, int h, uint32_t colour)
{
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y)
            if (canvas.At(x, y) == colour)
                return x;
    return -1;
}

int LastX(const DibCanvas& canvas, int w, int h, uint32_t colour)
{
    for (int x = w - 1; x >= 0; --x)
        for (int y = 0; y < h; ++y)
            if (canvas.At(x, y) == colour)
                return x;
    return -1;
}

} // namespace

TEST(ScrollBar, KeysBecomeScrollRequests)
{
    ScrollParent wnd;
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 200, 200));
    KV::CScrollBar bar;
    EXPECT_EQ(0, bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, RECT{180, 0, 200, 200}, &wnd, 77));
    ASSERT_NE(nullptr, bar.GetHwnd());
    EXPECT_EQ(1, bar.IsShow());
    bar.SetScrollRange(0, 50);
    bar.SetScrollPos(20);
    EXPECT_EQ(20, bar.GetScrollPos());
    const WPARAM keys[] = {VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_UP, VK_DOWN, 'A'};
    const std::vector<UINT> expected = {SB_PAGEUP, SB_PAGEDOWN, SB_BOTTOM, SB_TOP,
                                        SB_LINEUP, SB_LINEDOWN, 255};
    for (WPARAM key : keys)
        ::SendMessageW(bar.GetHwnd(), WM_KEYDOWN, key, 1);
    EXPECT_EQ(expected, wnd.codes);
    bar.ShowScrollBar(0);
    EXPECT_EQ(0, bar.IsShow());
    EXPECT_FALSE(::GetWindowLongPtrW(bar.GetHwnd(), GWL_STYLE) & WS_VISIBLE);
}

TEST(Link, TextAloneFromTheCornerOrRightOfTheCaption)
{
    SkinFolder folder;
    folder.WritePicture(80, SolidBmp(300, 24, 0xFFFFFF));
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    wnd.AddSkin(80, RECT{0, 0, 0, 0}, 0x0E002011);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 400, 100));
    auto* link = dynamic_cast<KV::CHyperLink*>(wnd.GetSkin(0));
    ASSERT_NE(nullptr, link);
    link->SetParamStr(L"http://example.invalid/", L"IIII");
    const uint32_t blue = 0x0000FF; // stored as 0x00FF0000 in 0x00BBGGRR
    {
        DibCanvas canvas(300, 24);
        link->Draw(canvas.Dc());
        const int first = FirstX(canvas, 300, 24, blue);
        EXPECT_GE(first, 0);
        EXPECT_LT(first, 6);
    }
    link->SetWindowTextW(L"Mail");
    {
        DibCanvas canvas(300, 24);
        link->Draw(canvas.Dc());
        EXPECT_GT(LastX(canvas, 300, 24, blue), 290);
        EXPECT_GT(FirstX(canvas, 300, 24, blue), 200);
        const int ink = FirstX(canvas, 300, 24, 0x141414);
        EXPECT_GE(ink, 10);
        EXPECT_LT(ink, 16);
    }

    g_opened.clear();
    KV::ShellExecHandler old = KV::SetShellExecHandler(&RecordOpen);
    ::SendMessageW(link->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(link->GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    link->SetParamStr((folder.root + L"missing.htm").c_str(), L"Help");
    ::SendMessageW(link->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(link->GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    KV::SetShellExecHandler(old);
    ASSERT_EQ(2u, g_opened.size());
    EXPECT_EQ(L"http://example.invalid/", g_opened[0]);
}

TEST(FileLink, SelectedPathFromTheDialogOrNoneWhenCancelled)
{
    SkinFolder folder;
    KV::CSkinWnd wnd;
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 300, 100));
    KV::CFileLinkIco link;
    ASSERT_NE(nullptr, link.Create(nullptr, wnd.GetHwnd(), 0, RECT{0, 0, 200, 24}, 90));
    KV::CIcon icon;
    ASSERT_NE(nullptr, icon.Create(nullptr, wnd.GetHwnd(), 0, RECT{0, 30, 32, 62}, 91));
    link.SetStaticIcon(icon.GetHwnd());
    link.SetFilterExtention(L"ico");
    auto old = KV::CFileLink::SetOpenFileHandler(&AnswerOpenFile);
    const struct
    {
        const wchar_t* answer;
        int selected;
        const wchar_t* name;
    } cases[] = {
        {L"", 0, L""},                                       // cancelled
        {L"C:\\no\\such\\folder\\face.ico", 1, L"face.ico"}, // not an icon file: nothing shown
    };
    for (const auto& c : cases)
    {
        g_answer = c.answer;
        ::SendMessageW(link.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ::SendMessageW(link.GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(c.selected, link.IsSelectedPath()) << c.answer;
        EXPECT_EQ(std::wstring(c.name), link.GetSelectedName()) << c.answer;
        EXPECT_EQ(nullptr, (HICON)::SendMessageW(icon.GetHwnd(), STM_GETICON, 0, 0));
    }
    EXPECT_EQ(std::wstring(L"Icon Files"), g_filter);
    KV::CFileLink::SetOpenFileHandler(old);
    EXPECT_EQ(0, icon.Reload((folder.root + L"missing.ico").c_str()));
    EXPECT_EQ(nullptr, icon.GetIcon());
}

TEST(Bitmap, ReloadKeepsTheOldPictureWhenTheNewOneIsMissing)
{
    SkinFolder folder;
    folder.WritePicture(85, SolidBmp(10, 10, 0x00FF00));
    folder.WritePicture(86, SolidBmp(10, 10, 0xFF0000));
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    wnd.AddSkin(85, RECT{0, 0, 20, 20}, 0x11000011);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 100, 100));
    auto* picture = dynamic_cast<KV::CBitmap*>(wnd.GetSkin(0));
    ASSERT_NE(nullptr, picture);
    auto shown = [&](int x, int y) {
        DibCanvas canvas(20, 20, 0x123456);
        picture->Draw(canvas.Dc());
        return canvas.At(x, y);
    };
    EXPECT_EQ(0x00FF00u, shown(5, 5));
    EXPECT_EQ(0xFFFFFFu, shown(15, 15)); // 1:1 on white, not stretched
    EXPECT_EQ(0, picture->Reload((folder.root + L"missing.bmp").c_str()));
    EXPECT_EQ(0x00FF00u, shown(5, 5));
    EXPECT_EQ(1, picture->Reload((folder.root + folder.name + L"\\86.bmp").c_str()));
    EXPECT_EQ(0xFF0000u, shown(5, 5));
}
