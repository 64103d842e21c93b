// Gauges: the shaded bar, the pointer at a percentage and the labels, read back from a DIB.
#include "../skin_test_util.h"
#include <gtest/gtest.h>
#include <vector>

using namespace skintest;

namespace {

const uint32_t kBack = 0xFFFFFF;

struct Gauge
{
    SkinFolder folder;
    KV::CSkinWnd wnd;
    KV::CGradient* gauge = nullptr;
    int w, h;
    Gauge(int width, int height) : w(width), h(height)
    {
        folder.WritePicture(50, SolidBmp(width, height, kBack));
        wnd.SetPath(folder.root.c_str());
        wnd.SetName(folder.name.c_str());
        RECT place = {0, 0, 0, 0};
        gauge = dynamic_cast<KV::CGradient*>(wnd.AddSkin(50, place, KV::kSkinTypeGradient | 0x2011));
        if (gauge && CreateTestWindow(wnd, 0, 0, width + 20, height + 20))
        {
            gauge->SetColors(255, 0, 0, 0, 255, 0, 0, 0, 255);
            gauge->SetTextColor(0x000000);
        }
    }
    uint32_t Paint(DibCanvas& canvas) const
    {
        gauge->Draw(canvas.Dc());
        return 0;
    }
    // Columns of row y that are not background.
    static std::vector<int> Ink(const DibCanvas& c, int width, int y)
    {
        std::vector<int> xs;
        for (int x = 0; x < width; ++x)
            if (c.At(x, y) != kBack)
                xs.push_back(x);
        return xs;
    }
};

} // namespace

TEST(Gradient, BarShadesThroughTheSplitPoint)
{
    Gauge g(210, 40);
    ASSERT_NE(nullptr, g.gauge);
    ASSERT_NE(nullptr, g.gauge->GetHwnd());
    ASSERT_NE(nullptr, g.gauge->GetFont());
    g.gauge->SetCenter(1, 3);
    DibCanvas canvas(210, 40);
    g.Paint(canvas);
    const int top = 40 * 2 / 5 - 5; // 11: the bar is 10 high around two fifths of the height
    const struct
    {
        int x, y;
        uint32_t want;
    } pixels[] = {
        {5, top, 0xFF0000},                                // start colour at the left margin
        {70, top + 9, 0x00FF00},                           // the middle colour exactly at a third
        {69, top + 5, 0x16E900},                           // 255 - 255 * 64 / 70 red, 255 * 64 / 70 green
        {204, top, 0x0059A6},                              // the right end stops short of the end colour
        {4, top, kBack},           {205, top, kBack},      // margins
        {100, top - 1 - 5, kBack}, {100, top + 10, kBack}, // above the pointer row, below the bar
    };
    for (const auto& p : pixels)
        EXPECT_EQ(p.want, canvas.At(p.x, p.y)) << p.x << "," << p.y;
}

TEST(Gradient, PointerStandsAtThePercentage)
{
    Gauge g(210, 40);
    ASSERT_NE(nullptr, g.gauge->GetHwnd());
    const int top = 11, m = 5;
    const struct
    {
        int percent, left;
    } cases[] = {{0, 0}, {50, 100}, {100, 200}, {-30, 0}, {250, 200}};
    for (const auto& c : cases)
    {
        g.gauge->SetCurPos(c.percent);
        DibCanvas canvas(210, 40);
        g.Paint(canvas);
        const std::vector<int> row = Gauge::Ink(canvas, 210, top - m); // the pointer's wide edge
        ASSERT_FALSE(row.empty()) << c.percent;
        EXPECT_NEAR(c.left, row.front(), 1) << c.percent;
        EXPECT_NEAR(c.left + 2 * m, row.back(), 1) << c.percent;
        const std::vector<int> tip = Gauge::Ink(canvas, 210, top - 1);
        ASSERT_FALSE(tip.empty()) << c.percent;
        EXPECT_NEAR(c.left + m, (tip.front() + tip.back()) / 2, 1) << c.percent;
        // Orange at the first corner, purple towards the others.
        const uint32_t corner = canvas.At(row.front(), top - m);
        EXPECT_GT((corner >> 16) & 0xFF, 0xC0u) << c.percent;
    }
}

TEST(Gradient, LabelsSpreadFromEdgeToEdge)
{
    Gauge g(310, 50);
    ASSERT_NE(nullptr, g.gauge->GetHwnd());
    g.gauge->SetLabels(L"0", L"200", L">400", L"-1");
    EXPECT_EQ(3, g.gauge->GetLabelCount());
    DibCanvas canvas(310, 50);
    g.Paint(canvas);
    // Ink columns of the label row, grouped into words.
    std::vector<std::pair<int, int>> words;
    for (int x = 0; x < 310; ++x)
    {
        bool ink = false;
        for (int y = 35; y < 50; ++y)
            ink = ink || canvas.At(x, y) != kBack;
        if (!ink)
            continue;
        if (words.empty() || x - words.back().second > 15)
            words.push_back({x, x});
        else
            words.back().second = x;
    }
    ASSERT_EQ(3u, words.size());
    EXPECT_NEAR(6, words[0].first, 2);                           // left-aligned at 6
    EXPECT_NEAR(155, (words[1].first + words[1].second) / 2, 2); // centred at 155
    EXPECT_NEAR(304, words[2].second, 2);                        // right-aligned at 304
}

TEST(Gradient, BadSettingsDrawWithoutFault)
{
    Gauge g(100, 30);
    ASSERT_NE(nullptr, g.gauge->GetHwnd());
    g.gauge->SetLabels(L"only", nullptr);
    g.gauge->SetCenter(5, 0); // ignored
    g.gauge->SetHight(-4, -2);
    EXPECT_EQ(0, g.gauge->GetBarHeight());
    EXPECT_EQ(0, g.gauge->GetMargin());
    DibCanvas canvas(100, 30);
    g.Paint(canvas);
    EXPECT_FALSE(Gauge::Ink(canvas, 100, 29).empty()); // the single label is drawn
    g.gauge->SetHight(10, 200);                        // margins wider than the gauge
    g.gauge->SetCenter(-3, 1);
    g.Paint(canvas);
    DRAWITEMSTRUCT empty = {};
    empty.hDC = canvas.Dc();
    EXPECT_EQ(1, g.gauge->DrawItem(&empty)); // zero width
    EXPECT_EQ(1, g.gauge->DrawItem(nullptr));
}
