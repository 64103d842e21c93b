// Progress bars: the counter the typing session relies on, and the frame and fill drawn from a
// four-quarter test bitmap, read back from a DIB.
#include "../skin_test_util.h"
#include <gtest/gtest.h>
#include <functional>

using namespace skintest;

TEST(Progress, CounterSemantics)
{
    struct Case
    {
        const char* what;
        std::function<void(KV::CProgress&)> act;
        int used, full, rate, length;
    } cases[] = {
        {"new bar", [](KV::CProgress&) {}, 0, 0, 0, 100},
        {"one step", [](KV::CProgress& p) { p.AddStep(); }, 1, 0, 1, 100},
        {"steps to the length", [](KV::CProgress& p) { p.SetLength(4), p.AddStep(3), p.AddStep(); }, 4, 1,
         100, 4},
        {"past the length is not full", [](KV::CProgress& p) { p.SetLength(4), p.AddStep(5); }, 5, 0, 125, 4},
        {"length 0, no steps", [](KV::CProgress& p) { p.SetLength(0); }, 0, 1, 0, 0},
        {"length 0, a step", [](KV::CProgress& p) { p.SetLength(0), p.AddStep(); }, 1, 0, 0, 0},
        {"reset", [](KV::CProgress& p) { p.SetLength(3), p.AddStep(3), p.Reset(); }, 0, 0, 0, 3},
        {"length grows without steps", [](KV::CProgress& p) { p.SetLength(2), p.AddLength(), p.AddStep(3); },
         3, 1, 100, 3},
        {"integer rate", [](KV::CProgress& p) { p.SetLength(3), p.AddStep(); }, 1, 0, 33, 3},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        KV::CProgress bar;
        c.act(bar);
        EXPECT_EQ(c.used, bar.GetUsedStep());
        EXPECT_EQ(c.full, bar.IsFull());
        EXPECT_EQ(c.rate, bar.GetUsedRate());
        EXPECT_EQ(c.length, bar.GetLength());
    }
}

namespace {

const uint32_t kQuarter[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};
const uint32_t kFill = 0x20C0A0; // as 0xRRGGBB

struct Bar
{
    SkinFolder folder;
    KV::CSkinWnd parent;
    KV::CProgress* bar;

    Bar(KV::SP_DIRECTION direction, int percentage, int firstStep)
        : bar(new KV::CProgress(direction, percentage, firstStep))
    {
        // 40 x 20: one colour per quarter of the width.
        folder.WritePicture(550, Bmp24(40, 20, [](int x, int) { return kQuarter[x / 10]; }));
        CreateTestWindow(parent, 0, 0, 300, 100);
        RECT none = {0, 0, 0, 0};
        bar->Create(::GetModuleHandleW(nullptr), parent.GetHwnd(), 0, none, 550);
        bar->SetParam(550, KV::CRect(0, 0, 200, 40), KV::kSkinTypeProgress | KV::kSkinLeft | KV::kSkinTop);
        bar->SetColour(RGB(0x20, 0xC0, 0xA0));
        parent.AddSkin(bar);
    }
    int Load(int slices)
    {
        return bar->LoadBitmapW((folder.root + folder.name + L"\\550.bmp").c_str(), slices, 1);
    }
};

} // namespace

TEST(Progress, BitmapSetsTheHeightAndSliceStyle)
{
    KV::CProgress windowless;
    EXPECT_EQ(1, windowless.LoadBitmapW(L"Z:\\nothing.bmp", 5, 1));
    EXPECT_EQ(5, windowless.GetSliceStyle());

    Bar b(KV::SP_LEFT_TO_RIGHT, 0, 0);
    EXPECT_EQ(0, b.Load(0));
    EXPECT_EQ(0, b.bar->LoadBitmapW(L"Z:\\no\\such.bmp", 4, 1));
    ASSERT_EQ(1, b.Load(4));
    RECT rc;
    ::GetClientRect(b.bar->GetHwnd(), &rc);
    EXPECT_EQ(200, rc.right);
    EXPECT_EQ(20, rc.bottom); // the bitmap's height, not the placement's 40
}

TEST(Progress, FourSliceFrameAndFill)
{
    // Client 200 x 20; the inner left edge is 10 (a quarter of the bitmap); the fill shows
    // from x = 20 in rows 6 to 14.
    struct Case
    {
        const char* what;
        KV::SP_DIRECTION dir;
        int percentage, firstStep, length, used;
        int edge;
    } cases[] = {
        {"steps", KV::SP_LEFT_TO_RIGHT, 0, 0, 10, 3, 67},
        {"no steps", KV::SP_LEFT_TO_RIGHT, 0, 0, 10, 0, 10},
        {"reversed", KV::SP_REVERSED, 0, 0, 10, 3, 143},
        {"reversed, no steps is full width", KV::SP_REVERSED, 0, 0, 10, 0, 200},
        {"past the length runs to the edge", KV::SP_LEFT_TO_RIGHT, 0, 0, 10, 12, 238},
        {"percentage", KV::SP_LEFT_TO_RIGHT, 1, 0, 4, 2, 105},
        {"percentage, first step shown as 3 %", KV::SP_LEFT_TO_RIGHT, 1, 1, 100, 1, 15},
        {"percentage, first step without the flag", KV::SP_LEFT_TO_RIGHT, 1, 0, 100, 1, 11},
        {"percentage, no steps", KV::SP_LEFT_TO_RIGHT, 1, 1, 100, 0, 10},
        {"percentage reversed", KV::SP_REVERSED, 1, 0, 4, 1, 152},
        {"length 0", KV::SP_LEFT_TO_RIGHT, 0, 0, 0, 0, 10},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        Bar b(c.dir, c.percentage, c.firstStep);
        ASSERT_EQ(1, b.Load(4));
        b.bar->SetLength(static_cast<unsigned short>(c.length));
        b.bar->AddStep(static_cast<unsigned short>(c.used));
        EXPECT_EQ(c.edge, b.bar->GetFillEdge(200));
        DibCanvas canvas(200, 20, 0x000000);
        b.bar->Draw(canvas.Dc());
        // Frame: left half, stretched third quarter, last quarter.
        EXPECT_EQ(kQuarter[0], canvas.At(5, 2));
        EXPECT_EQ(kQuarter[1], canvas.At(15, 2));
        EXPECT_EQ(kQuarter[2], canvas.At(100, 2));
        EXPECT_EQ(kQuarter[3], canvas.At(195, 18));
        int filled = 0;
        for (int x = 0; x < 200; ++x)
            filled += canvas.At(x, 10) == kFill ? 1 : 0;
        const int right = c.edge < 200 ? c.edge : 200;
        EXPECT_EQ(right > 20 ? right - 20 : 0, filled);
        EXPECT_NE(kFill, canvas.At(100, 5));
        EXPECT_NE(kFill, canvas.At(100, 15));
    }
}

TEST(Progress, ThreeAndFiveSliceFramesHaveNoFill)
{
    // Three slices: thirds of 40 are 13 wide; five: thirds and ninths (13, 4).
    struct Case
    {
        int slices;
        int x;
        uint32_t colour;
    } cases[] = {
        {3, 5, kQuarter[0]},  {3, 50, kQuarter[1]}, {3, 195, kQuarter[3]}, {5, 5, kQuarter[0]},
        {5, 14, kQuarter[1]}, {5, 60, kQuarter[1]}, {5, 195, kQuarter[3]},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.slices * 1000 + c.x);
        Bar b(KV::SP_LEFT_TO_RIGHT, 0, 0);
        ASSERT_EQ(1, b.Load(c.slices));
        b.bar->AddStep(50);
        DibCanvas canvas(200, 20, 0x000000);
        b.bar->Draw(canvas.Dc());
        EXPECT_EQ(c.colour, canvas.At(c.x, 10));
    }
}
