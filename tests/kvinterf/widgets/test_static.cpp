// Picture elements, texts and titles: shapes, clicks and painting read back from a DIB.
#include "../skin_test_util.h"
#include <gtest/gtest.h>

using namespace skintest;

namespace {

RECT Rc(int l, int t, int r, int b)
{
    RECT rc = {l, t, r, b};
    return rc;
}

// Half magenta (left), half blue.
std::string HalfMagenta(int w, int h)
{
    return Bmp24(w, h, [w](int x, int) -> uint32_t { return x < w / 2 ? 0xFF00FF : 0x0000FF; });
}

class ClickParent : public KV::CSkinWnd
{
public:
    int downs = 0, doubles = 0;
    POINT last = {-1, -1};
    LRESULT OnLButtonDown(UINT, int x, int y) override
    {
        ++downs;
        last = {x, y};
        return 0;
    }
    LRESULT OnLButtonDblClick(UINT, int x, int y) override
    {
        ++doubles;
        last = {x, y};
        return 0;
    }
};

struct Fixture
{
    SkinFolder folder;
    Fixture()
    {
        folder.WritePicture(30, HalfMagenta(40, 20));
        folder.WritePicture(31, SolidBmp(200, 30, 0xFFFFFF));
    }
    void Attach(KV::CSkinWnd& wnd) const
    {
        wnd.SetPath(folder.root.c_str());
        wnd.SetName(folder.name.c_str());
    }
};

} // namespace

TEST(Static, ShapeIsCutFromTheBitmap)
{
    Fixture fx;
    KV::CSkinWnd wnd;
    fx.Attach(wnd);
    wnd.AddSkin(30, Rc(0, 0, 40, 20), 0x02000011);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 100, 100));
    auto* element = dynamic_cast<KV::CStatic*>(wnd.GetSkin(0));
    ASSERT_NE(nullptr, element);
    EXPECT_EQ(1, element->IsPictureLoaded());
    EXPECT_EQ(20 * 20, PointsIn(element->DestRgn(), {0, 0, 40, 20}));
    EXPECT_FALSE(::PtInRegion(element->DestRgn(), 5, 5));
    EXPECT_TRUE(::PtInRegion(element->DestRgn(), 25, 5));
}

TEST(Static, StretchingElementGetsARectangle)
{
    Fixture fx;
    KV::CSkinWnd wnd;
    fx.Attach(wnd);
    wnd.AddSkin(30, Rc(0, 0, 10, 20), 0x02000013);              // stretched horizontally: margin 10
    wnd.AddSkin(30, Rc(0, 30, 40, 10), 0x02000061, nullptr, 2); // fixed height
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 100, 100));
    const KV::CSkin* wide = wnd.GetSkin(0);
    EXPECT_EQ(KV::CRect(0, 0, 90, 20), wide->GetRect());
    EXPECT_EQ(90 * 20, PointsIn(wide->BaseRgn(), {0, 0, 100, 30}));
    EXPECT_TRUE(::PtInRegion(wide->BaseRgn(), 5, 5)); // magenta there, but kept
    EXPECT_EQ(40 * 10, PointsIn(wnd.GetSkin(1)->BaseRgn(), {0, 0, 50, 30}));
}

TEST(Static, PaintsItsPictureInsideItsShape)
{
    Fixture fx;
    KV::CSkinWnd wnd;
    fx.Attach(wnd);
    wnd.AddSkin(30, Rc(0, 0, 40, 20), 0x02000011);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 100, 100));
    DibCanvas canvas(40, 20, 0x123456);
    wnd.GetSkin(0)->Draw(canvas.Dc());
    EXPECT_EQ(0x123456u, canvas.At(5, 5));   // magenta is not painted
    EXPECT_EQ(0x0000FFu, canvas.At(30, 10)); // the blue half is
    EXPECT_EQ(1, ::SendMessageW(wnd.GetSkin(0)->GetHwnd(), WM_ERASEBKGND,
                                reinterpret_cast<WPARAM>(canvas.Dc()), 0));
}

TEST(Static, ClickReachesTheParentAtTheSameScreenPoint)
{
    Fixture fx;
    ClickParent wnd;
    fx.Attach(wnd);
    wnd.AddSkin(30, Rc(30, 40, 40, 20), 0x02000011);
    HWND h = CreateTestWindow(wnd, 50, 60, 200, 200);
    ASSERT_NE(nullptr, h);
    HWND child = wnd.GetSkin(0)->GetHwnd();
    ::SendMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    EXPECT_EQ(1, wnd.downs);
    EXPECT_EQ(35, wnd.last.x);
    EXPECT_EQ(46, wnd.last.y);
    POINT a = {5, 6}, b = wnd.last;
    ::ClientToScreen(child, &a);
    ::ClientToScreen(h, &b);
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    ::SendMessageW(child, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 2));
    EXPECT_EQ(1, wnd.doubles);
    EXPECT_EQ(31, wnd.last.x);
    EXPECT_EQ(42, wnd.last.y);
}

TEST(Text, HiddenTextKeepsItsBackground)
{
    Fixture fx;
    KV::CSkinWnd wnd;
    fx.Attach(wnd);
    wnd.AddSkin(31, Rc(0, 0, 200, 30), 0x13002011);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 300, 100));
    auto* text = dynamic_cast<KV::CText*>(wnd.GetSkin(0));
    ASSERT_NE(nullptr, text);
    EXPECT_NE(nullptr, text->GetFont());
    text->SetWindowTextW(L"WWWW");
    text->SetTextColor(0x000000, 0x0000FF); // red background
    auto countBlack = [&](DibCanvas& c) {
        int n = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 200; ++x)
                n += c.At(x, y) == 0 ? 1 : 0;
        return n;
    };
    {
        DibCanvas canvas(200, 30);
        text->Draw(canvas.Dc());
        EXPECT_EQ(0xFF0000u, canvas.At(199, 0));
        EXPECT_GT(countBlack(canvas), 20);
    }
    EXPECT_EQ(1, text->ShowWindow(0));
    EXPECT_TRUE(text->IsHidden());
    EXPECT_TRUE(::GetWindowLongPtrW(text->GetHwnd(), GWL_STYLE) & WS_VISIBLE); // the window stays
    {
        DibCanvas canvas(200, 30);
        text->Draw(canvas.Dc());
        EXPECT_EQ(0xFF0000u, canvas.At(199, 0));
        EXPECT_EQ(0xFF0000u, canvas.At(10, 15));
        EXPECT_EQ(0, countBlack(canvas));
    }
    text->ShowWindow(1);
    EXPECT_FALSE(text->IsHidden());
}

TEST(Text, DisabledCaptionIsGreyAndIndentMovesIt)
{
    Fixture fx;
    KV::CSkinWnd wnd;
    fx.Attach(wnd);
    wnd.AddSkin(31, Rc(0, 0, 200, 30), 0x13002011);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 300, 100));
    auto* text = dynamic_cast<KV::CText*>(wnd.GetSkin(0));
    ASSERT_NE(nullptr, text);
    text->SetWindowTextW(L"||||");
    text->SetTextColor(0x000000);
    auto firstInk = [&]() {
        DibCanvas canvas(200, 30);
        text->Draw(canvas.Dc());
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 30; ++y)
                if (canvas.At(x, y) != 0xFFFFFF)
                    return std::make_pair(x, canvas.At(x, y));
        return std::make_pair(-1, 0u);
    };
    const auto plain = firstInk();
    ASSERT_GE(plain.first, 0);
    text->SetTextIndent(40);
    const auto indented = firstInk();
    EXPECT_EQ(plain.first + 40, indented.first);
    ::EnableWindow(text->GetHwnd(), FALSE);
    bool grey = false;
    {
        DibCanvas canvas(200, 30);
        text->Draw(canvas.Dc());
        for (int x = 0; x < 200 && !grey; ++x)
            for (int y = 0; y < 30 && !grey; ++y)
                grey = canvas.At(x, y) == 0xAAAAAA;
    }
    EXPECT_TRUE(grey);
}

TEST(Title, RuleStartsAfterCaptionPlusThreeAverageCharacters)
{
    Fixture fx;
    KV::CSkinWnd wnd;
    fx.Attach(wnd);
    wnd.AddSkin(31, Rc(0, 0, 200, 30), 0x17002011);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 300, 100));
    auto* title = dynamic_cast<KV::CTitle*>(wnd.GetSkin(0));
    ASSERT_NE(nullptr, title);
    EXPECT_EQ(8, ::GetWindowLongPtrW(title->GetHwnd(), GWL_STYLE) & 0xFF);
    title->SetWindowTextW(L"Hello");
    DibCanvas canvas(200, 30);
    HGDIOBJ old = ::SelectObject(canvas.Dc(), title->GetFont());
    TEXTMETRICW tm;
    ::GetTextMetricsW(canvas.Dc(), &tm);
    ::SelectObject(canvas.Dc(), old);
    const int start = tm.tmAveCharWidth * 8;
    ASSERT_LT(start, 199);
    title->Draw(canvas.Dc());
    // The rule is 2 pixels high around the half height (15): rows 14 and 15.
    EXPECT_EQ(KV::CText::kRuleColour, canvas.At(start, 14));
    EXPECT_EQ(KV::CText::kRuleColour, canvas.At(start, 15));
    EXPECT_EQ(KV::CText::kRuleColour, canvas.At(199, 14));
    EXPECT_NE(KV::CText::kRuleColour, canvas.At(start, 13));
    EXPECT_NE(KV::CText::kRuleColour, canvas.At(start, 16));
    EXPECT_NE(KV::CText::kRuleColour, canvas.At(start - 1, 14));
}

TEST(Title, FiveCharactersOfWidthSevenStartAt56)
{
    DibCanvas canvas(10, 10);
    HFONT font = ::CreateFontW(14, 7, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    HGDIOBJ old = ::SelectObject(canvas.Dc(), font);
    TEXTMETRICW tm;
    ::GetTextMetricsW(canvas.Dc(), &tm);
    if (tm.tmAveCharWidth == 7)
        EXPECT_EQ(56, KV::CText::RuleStart(canvas.Dc(), 5));
    else
        EXPECT_EQ(tm.tmAveCharWidth * 8, KV::CText::RuleStart(canvas.Dc(), 5));
    ::SelectObject(canvas.Dc(), old);
    ::DeleteObject(font);
}

TEST(Text, SettingTheTextKeepsIt)
{
    Fixture fx;
    KV::CSkinWnd wnd;
    fx.Attach(wnd);
    wnd.AddSkin(31, Rc(0, 0, 200, 30), 0x13002011);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 300, 100));
    HWND h = wnd.GetSkin(0)->GetHwnd();
    ::SetWindowTextW(h, L"Lesson 3");
    wchar_t buffer[16] = {};
    ::GetWindowTextW(h, buffer, 16);
    EXPECT_STREQ(L"Lesson 3", buffer);
    EXPECT_EQ(wnd.GetSkin(0), KV::CWnd::GetpWnd(h));
}

TEST(Static, OnlyTheFirstPictureOfAStripShapesTheElement)
{
    struct StripWnd : KV::CSkinWnd
    {
        int GetNumPicture(const KV::CSkin*) const override { return 2; }
    };
    SkinFolder folder;
    // Two opaque pictures side by side.
    folder.WritePicture(50,
                        Bmp24(40, 10, [](int x, int) -> uint32_t { return x < 20 ? 0x00FF00 : 0x0000FF; }));
    StripWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    wnd.AddSkin(50, Rc(0, 0, 0, 0), 0x02002011);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 100, 100));
    EXPECT_EQ(KV::CRect(0, 0, 20, 10), wnd.GetSkin(0)->GetRect());
    EXPECT_EQ(200, PointsIn(wnd.GetSkin(0)->DestRgn(), {0, 0, 40, 10}));
    EXPECT_FALSE(::PtInRegion(wnd.GetSkin(0)->DestRgn(), 25, 5));
}
