// Splitters: placed at a share of the parent's width, dragged with the mouse within their
// limits, and keeping their share when the window is resized.
#include "../skin_test_util.h"
#include <gtest/gtest.h>

using namespace skintest;

namespace {

// Left edge 10, splitter 11, right edge 12; panes 13 and 14 between them; splitter and panes
// as tall as the window.
struct SplitWindow
{
    SkinFolder folder;
    KV::CSkinWnd wnd;
    KV::CSplitter* splitter = nullptr;

    explicit SplitWindow(int width, int limitLeft = 0, int limitRight = 0, unsigned long role = 0x200)
    {
        folder.WritePicture(1, SolidBmp(8, 8, 0xEEEEEE));
        folder.WritePicture(10, SolidBmp(4, 100, 0x404040));
        folder.WritePicture(11, SolidBmp(6, 100, 0x808080));
        folder.WritePicture(12, SolidBmp(4, 100, 0x404040));
        folder.WritePicture(13, SolidBmp(8, 8, 0xFFFFFF));
        folder.WritePicture(14, SolidBmp(8, 8, 0xFFFFFF));
        wnd.SetPath(folder.root.c_str());
        wnd.SetName(folder.name.c_str());
        wnd.AddSkin(1, RECT{0, 0, 0, 0}, 0x01000133);
        wnd.AddSkin(10, RECT{0, 0, 0, 0}, 0x02002011);
        const RECT limit = {limitLeft, 0, limitRight, 99};
        wnd.AddSkin(11, RECT{0, 0, 0, 0}, 0x06002031 | role, &limit);
        wnd.AddSkin(12, RECT{4, 0, 0, 0}, 0x02002012);
        wnd.AddSkin(13, RECT{10, 0, 11, 0}, 0x02000035);
        wnd.AddSkin(14, RECT{11, 0, 12, 0}, 0x02000035);
        if (CreateTestWindow(wnd, 0, 0, width, 100))
            splitter = dynamic_cast<KV::CSplitter*>(wnd.GetSkinByID(11));
    }
    int Centre() const { return splitter->GetRect().left + 3; }
    void Drag(int from, int to)
    {
        HWND h = splitter->GetHwnd();
        ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from, 50));
        ::SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to, 50));
        // The window moved under the cursor: the same screen point is now elsewhere in it.
        ::SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(0, 50));
    }
};

} // namespace

TEST(Splitter, PlacedAtItsShareWithinLimits)
{
    const struct
    {
        unsigned long pos;
        int limitLeft, limitRight;
        int x;
        unsigned long posAfter;
    } cases[] = {
        {50, 0, 0, 1000 / 2 - 3, 50}, {3, 0, 0, 100 - 3, 10}, // too small a share
        {95, 0, 0, 800 - 3, 80},                              // too large a share
        {10, 200, 0, 200, 20},                                // left limit
        {70, 0, 500, 500, 50},                                // right limit
    };
    for (const auto& c : cases)
    {
        SplitWindow w(1000, c.limitLeft, c.limitRight);
        ASSERT_NE(nullptr, w.splitter);
        w.splitter->SetPos(c.pos);
        w.splitter->MoveSkin();
        EXPECT_EQ(c.x, w.splitter->GetRect().left) << c.pos;
        EXPECT_EQ(c.posAfter, w.splitter->GetPos()) << c.pos;
        EXPECT_TRUE(::GetWindowLongPtrW(w.splitter->GetHwnd(), GWL_STYLE) &
                    WS_VISIBLE); // shown by its picture
    }
}

TEST(Splitter, DragMovesNeighboursAndResizeKeepsTheShare)
{
    SplitWindow w(400);
    ASSERT_NE(nullptr, w.splitter);
    w.splitter->SetPos(50);
    w.wnd.Resize(0, 0, 0);
    EXPECT_EQ(200, w.Centre());
    w.Drag(3, 43);
    EXPECT_EQ(240, w.Centre());
    EXPECT_EQ(60u, w.splitter->GetPos());
    const KV::CSkin* left = w.wnd.GetSkinByID(13);
    const KV::CSkin* right = w.wnd.GetSkinByID(14);
    EXPECT_EQ(KV::CRect(4, 0, 237, 100), left->GetRect());
    EXPECT_EQ(KV::CRect(243, 0, 396, 100), right->GetRect());

    w.wnd.Resize(200, 50, 0);
    RECT client;
    ::GetClientRect(w.wnd.GetHwnd(), &client);
    ASSERT_EQ(600, client.right);
    EXPECT_EQ(left->GetRect().Height(), w.splitter->GetRect().Height()) << "the bar grows with the panes";
    EXPECT_EQ(360, w.Centre());
    EXPECT_EQ(w.splitter->GetRect().left, left->GetRect().right);
    EXPECT_EQ(w.splitter->GetRect().right, right->GetRect().left);
    EXPECT_EQ(596, right->GetRect().right);
}

TEST(Splitter, DragStopsAtTheLimitAndFollowsItsRole)
{
    SplitWindow w(400, 100, 100);
    ASSERT_NE(nullptr, w.splitter);
    w.splitter->SetPos(50);
    w.wnd.Resize(0, 0, 0);
    w.Drag(3, -300);
    EXPECT_EQ(100, w.splitter->GetRect().left);
    w.Drag(3, 600);
    EXPECT_EQ(300, w.splitter->GetRect().left);

    // No press, no capture: a move changes nothing.
    ::SendMessageW(w.splitter->GetHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-50, 50));
    EXPECT_EQ(300, w.splitter->GetRect().left);

    SplitWindow v(400, 0, 0, 0x300);
    ASSERT_NE(nullptr, v.splitter);
    v.splitter->SetPos(50);
    v.wnd.Resize(0, 0, 0);
    v.Drag(3, 60);
    EXPECT_EQ(200, v.Centre());
}
