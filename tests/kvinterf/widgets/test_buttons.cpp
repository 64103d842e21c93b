// Buttons, tab strips and panels: the picture of each state read back through the control's own
// painting after real mouse messages, one checked tab, and the panel of the active tab.
#include "../skin_test_util.h"
#include <gtest/gtest.h>
#include <vector>

using namespace skintest;

namespace {

// Five pictures of 20 x 20; the first 5 columns of each are magenta (outside the shape).
const uint32_t kPic[5] = {0x00FFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x808080};

std::string FivePictures(int w, int h)
{
    return Bmp24(5 * w, h, [w](int x, int) -> uint32_t {
        const int k = x / w, local = x % w;
        if (local < 5)
            return 0xFF00FF;
        // The focus mark is magenta but for one column.
        if (k == 0 && local != 10)
            return 0xFF00FF;
        return kPic[k];
    });
}

class CommandWnd : public KV::CSkinWnd
{
public:
    std::vector<WORD> commands;
    int downs = 0;
    LRESULT OnCommand(WORD code, WORD id, HWND control) override
    {
        if (code == BN_CLICKED)
            commands.push_back(id);
        return KV::CSkinWnd::OnCommand(code, id, control);
    }
    LRESULT OnLButtonDown(UINT flags, int x, int y) override
    {
        ++downs;
        return KV::CSkinWnd::OnLButtonDown(flags, x, y);
    }
};

// What the control paints, asked for the way the system asks (print its client area).
uint32_t Shown(const KV::CSkin* element, int x = 12, int y = 10)
{
    DibCanvas canvas(200, 60, 0x123456);
    ::SendMessageW(element->GetHwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    return canvas.At(x, y);
}

void Click(HWND hwnd, int x, int y)
{
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

struct Fixture
{
    SkinFolder folder;
    CommandWnd wnd;
    Fixture()
    {
        folder.WritePicture(40, FivePictures(20, 20));
        folder.WritePicture(41, FivePictures(134, 40));
        folder.WritePicture(700, SolidBmp(300, 24, 0xC0C0C0));
        wnd.SetPath(folder.root.c_str());
        wnd.SetName(folder.name.c_str());
    }
    std::wstring Picture(unsigned id) const
    {
        return folder.root + folder.name + L"\\" + std::to_wstring(id) + L".bmp";
    }
};

} // namespace

TEST(Button, PictureOfEachStateAfterMouseMessages)
{
    Fixture fx;
    fx.wnd.AddSkin(40, RECT{10, 10, 0, 0}, 0x03002011);
    ASSERT_NE(nullptr, CreateTestWindow(fx.wnd, 0, 0, 100, 100));
    auto* button = dynamic_cast<KV::CButton*>(fx.wnd.GetSkin(0));
    ASSERT_NE(nullptr, button);
    HWND h = button->GetHwnd();
    EXPECT_EQ(KV::CRect(10, 10, 30, 30), button->GetRect());
    EXPECT_FALSE(button->HitShape(2, 10));

    struct Step
    {
        const char* what;
        std::function<void()> act;
        uint32_t colour;
    };
    const Step steps[] = {
        {"normal", [] {}, kPic[1]},
        {"mouse over", [&] { ::SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(12, 10)); }, kPic[3]},
        {"mouse over the see-through edge", [&] { ::SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(2, 10)); },
         kPic[1]},
        {"held down", [&] { ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 10)); }, kPic[2]},
        {"released", [&] { ::SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(12, 10)); }, kPic[1]},
        {"checked", [&] { button->SetCheck(1); }, kPic[2]},
        {"unchecked", [&] { button->SetCheck(0); }, kPic[1]},
        {"disabled", [&] { ::EnableWindow(h, FALSE); }, kPic[1]},
        {"enabled", [&] { ::EnableWindow(h, TRUE); }, kPic[1]},
        {"hidden", [&] { button->ShowWindow(0); }, kPic[4]},
    };
    for (const Step& step : steps)
    {
        step.act();
        EXPECT_EQ(step.colour, Shown(button)) << step.what;
    }
    EXPECT_EQ(std::vector<WORD>{40}, fx.wnd.commands);
    // A hidden button stays on screen, disabled, and ignores clicks.
    EXPECT_TRUE(::GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(::IsWindowEnabled(h));
    Click(h, 12, 10);
    EXPECT_EQ(1u, fx.wnd.commands.size());
    button->ShowWindow(1);
    EXPECT_EQ(kPic[1], Shown(button));
}

TEST(Button, ClickOutsideTheShapeDoesNotPressIt)
{
    Fixture fx;
    fx.wnd.AddSkin(40, RECT{10, 10, 0, 0}, 0x03002011);
    ASSERT_NE(nullptr, CreateTestWindow(fx.wnd, 0, 0, 100, 100));
    auto* button = dynamic_cast<KV::CButton*>(fx.wnd.GetSkin(0));
    ASSERT_NE(nullptr, button);
    ::SendMessageW(button->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 10));
    EXPECT_EQ(kPic[1], Shown(button));
    ::SendMessageW(button->GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 10));
    EXPECT_TRUE(fx.wnd.commands.empty());
    EXPECT_EQ(1, fx.wnd.downs); // the press went to what lies behind
    Click(button->GetHwnd(), 12, 10);
    EXPECT_EQ(std::vector<WORD>{40}, fx.wnd.commands);
}

TEST(Button, BadPictureStripsLoadWithoutHarm)
{
    Fixture fx;
    fx.folder.WritePicture(42, SolidBmp(4, 20, 0x0000FF)); // narrower than five pictures
    fx.folder.WritePicture(43, SolidBmp(7, 20, 0x0000FF)); // not a multiple of five
    fx.wnd.AddSkin(42, RECT{0, 0, 0, 0}, 0x03002011);
    fx.wnd.AddSkin(43, RECT{0, 30, 0, 0}, 0x03002011);
    ASSERT_NE(nullptr, CreateTestWindow(fx.wnd, 0, 0, 100, 100));
    for (int i = 0; i < 2; ++i)
    {
        const KV::CSkin* button = fx.wnd.GetSkin(i);
        ASSERT_NE(nullptr, button->GetHwnd());
        ::SendMessageW(button->GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(0, 0));
        Shown(button, 0, 0);
    }
    EXPECT_EQ(0, fx.wnd.GetSkin(0)->DestRect().right);
    EXPECT_EQ(1, fx.wnd.GetSkin(1)->DestRect().right);
}

TEST(TabCtrl, ClickedTabIsTheOnlyCheckedOne)
{
    Fixture fx;
    ASSERT_NE(nullptr, CreateTestWindow(fx.wnd, 0, 0, 400, 100));
    KV::CTabCtrl tabs;
    ASSERT_NE(nullptr, tabs.Create(nullptr, fx.wnd.GetHwnd(), 0, RECT{0, 0, 300, 40}, 2000));
    EXPECT_EQ(1, tabs.SetBackImg(fx.Picture(700).c_str()));
    EXPECT_EQ(24, tabs.GetHeight());
    const std::wstring pic = fx.Picture(41);
    ASSERT_NE(nullptr, tabs.AddTab(2003, pic.c_str(), L"One"));
    ASSERT_NE(nullptr, tabs.AddTab(2004, pic.c_str(), L"Two"));
    EXPECT_EQ(nullptr, tabs.AddTab(2005, fx.Picture(999).c_str(), L"Missing"));
    EXPECT_EQ(2, tabs.Size());
    EXPECT_EQ(268, tabs.GetWidht());
    EXPECT_EQ(40, tabs.GetHeight());
    EXPECT_EQ(KV::CRect(134, 0, 268, 40), tabs.GetCtrl(2004)->GetRect());

    tabs.SetCheck(2003);
    Click(tabs.GetCtrl(2004)->GetHwnd(), 60, 20);
    EXPECT_EQ(0u, tabs.GetCtrl(2003)->GetCheck());
    EXPECT_NE(0u, tabs.GetCtrl(2004)->GetCheck());
    EXPECT_EQ(1, tabs.GetCheckNum());
    EXPECT_EQ(kPic[2], Shown(tabs.GetCtrl(2004), 60, 5));
    EXPECT_EQ(kPic[1], Shown(tabs.GetCtrl(2003), 60, 5));

    tabs.SetCheckByNum(5);
    EXPECT_EQ(0u, tabs.GetCtrl(2003)->GetCheck() | tabs.GetCtrl(2004)->GetCheck());
    EXPECT_EQ(0, tabs.GetCheckNum());
}

TEST(Panel, ControlsSideBySideAndOnlyTheActivePanelShown)
{
    Fixture fx;
    fx.folder.WritePicture(50, FivePictures(30, 20));
    fx.folder.WritePicture(51, FivePictures(40, 20));
    ASSERT_NE(nullptr, CreateTestWindow(fx.wnd, 0, 0, 400, 200));
    KV::CPanelList list;
    for (int p = 0; p < 2; ++p)
    {
        auto* panel = new KV::CPanel;
        ASSERT_NE(nullptr,
                  panel->Create(nullptr, fx.wnd.GetHwnd(), 0, RECT{0, 50, 300, 74}, (UINT)(2025 + p)));
        panel->LoadBitmapW(fx.Picture(700).c_str(), 1, 0);
        list.AddPanel(panel);
    }
    KV::CPanel* first = list.Get(0);
    const std::wstring p30 = fx.Picture(50), p40 = fx.Picture(51);
    ASSERT_NE(nullptr, first->AddCheckBox(60, p30.c_str(), 0, 1));
    ASSERT_NE(nullptr, first->AddCheckBox(61, p30.c_str(), 0, 1));
    EXPECT_EQ(nullptr, first->AddCheckBox(62, fx.Picture(998).c_str(), 0, 1));
    ASSERT_NE(nullptr, first->AddCheckBox(63, p40.c_str(), 0, 1));
    ASSERT_NE(nullptr, list.Get(1)->AddButton(70, p40.c_str(), 0, 1));
    const int xs[] = {0, 30, 60};
    const unsigned short ids[] = {60, 61, 63};
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(xs[i], first->GetCtrl(ids[i])->GetRect().left) << ids[i];
        EXPECT_EQ(50, first->GetCtrl(ids[i])->GetRect().top) << ids[i];
    }
    EXPECT_EQ(nullptr, first->GetCtrl(62));
    EXPECT_EQ(100, first->GetLWidht());
    EXPECT_EQ(100, first->DestRect().right);
    EXPECT_EQ(20, list.GetHeight());
    EXPECT_EQ(list.Get(1)->GetCtrl(70), list.GetCtrl(70));
    EXPECT_EQ(nullptr, list.GetCtrl(99));

    first->EnableCtrl(61, 0);
    EXPECT_EQ(0, first->GetEnableCtrl(61));
    EXPECT_EQ(kPic[4], Shown(first->GetCtrl(61)));
    EXPECT_EQ(1, first->GetEnableCtrl(60));

    auto visible = [](HWND h) { return (::GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE) != 0; };
    const struct
    {
        int active;
        bool first, second;
    } cases[] = {{1, false, true}, {0, true, false}, {5, false, false}};
    for (const auto& c : cases)
    {
        list.ShowPanel(c.active);
        EXPECT_EQ(c.first, visible(first->GetHwnd())) << c.active;
        EXPECT_EQ(c.first, visible(first->GetCtrl(63)->GetHwnd())) << c.active;
        EXPECT_EQ(c.second, visible(list.Get(1)->GetHwnd())) << c.active;
        EXPECT_EQ(c.second, visible(list.GetCtrl(70)->GetHwnd())) << c.active;
    }

    // Moving the panels takes their controls along.
    list.SetDest(RECT{0, 120, 300, 200});
    EXPECT_EQ(KV::CRect(30, 120, 60, 140), first->GetCtrl(61)->GetRect());
    list.Clear();
    EXPECT_EQ(0, list.Size());
}
