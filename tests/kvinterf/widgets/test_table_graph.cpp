// The table model and the graph list: column widths, hit tests, active rows and items, and
// painting that only touches what is in view.
#include "kvinterf/skin_test_util.h"
#include <gtest/gtest.h>

namespace {

// Three columns of 30 % (the first gets the rest), rows of 20 pixels under a 25-pixel header.
void ThreeColumns(KV::CTableChart& t, unsigned long rows)
{
    for (unsigned long id : {7ul, 8ul, 9ul})
        t.AddColumn(id, 30, 0, L"");
    t.AllignColumn();
    t.SetHeightRow(20);
    t.SetHeightHead(25);
    for (unsigned long r = 0; r < rows; ++r)
    {
        t.AddRow();
        for (unsigned long c = 0; c < 3; ++c)
            t.AddCell(c, r, (long)(r * 10 + c));
    }
    t.SetFrame({0, 0, 100, 400});
    t.SetDrawPosition(0, rows * 3);
}

} // namespace

TEST(TableChart, WidthsAndHits)
{
    KV::CTableChart t;
    ThreeColumns(t, 4);
    EXPECT_EQ(40u, t.GetColumnWidth(0));
    EXPECT_EQ(30u, t.GetColumnWidth(1));
    struct Case
    {
        int x, y;
        unsigned long id, row;
    } cases[] = {{5, 30, 7, 0},
                 {40, 30, 7, 0},
                 {41, 30, 8, 0},
                 {99, 70, 9, 2},
                 {5, 10, 0xFFFFFFFF, 0xFFFFFFFF},
                 {5, 200, 0xFFFFFFFF, 0xFFFFFFFF}};
    for (const Case& c : cases)
    {
        const KV::CIndex hit = t.Hit(c.x, c.y);
        EXPECT_EQ(c.id, hit.first) << c.x << "," << c.y;
        EXPECT_EQ(c.row, hit.second) << c.x << "," << c.y;
    }
}

TEST(TableChart, ActiveRows)
{
    KV::CTableChart t;
    ThreeColumns(t, 3);
    EXPECT_EQ(2u, t.SetActiveLastRow());
    EXPECT_EQ(1u, t.IsLast(2));
    EXPECT_EQ(1, t.RemoveActiveRow()); // the last row goes, the one before becomes active
    EXPECT_EQ(1u, t.GetActiveRow());
    EXPECT_TRUE(t.IsActive(1));
    EXPECT_EQ(2u, t.GetNumRow());
    t.SetActiveRow(7); // past the end
    EXPECT_EQ(1u, t.GetActiveRow());
    KV::CTableChart none;
    EXPECT_EQ(0xFFFFFFFFul, none.IsLast(0));
    EXPECT_EQ(0xFFFFFFFFul, none.SetActiveLastRow());
}

TEST(TableWindow, ScrollBarOnlyForLongTables)
{
    KV::CWnd host;
    skintest::CreateTestWindow(host, 0, 0, 300, 300);
    for (unsigned long rows : {5ul, 500ul})
    {
        KV::CTableChart chart;
        ThreeColumns(chart, rows);
        KV::CTable table;
        table.SetpTableChart(&chart);
        table.Create(::GetModuleHandleW(nullptr), host, 0, {0, 0, 300, 300}, 2010);
        table.CreateScrool(WS_CHILD | WS_VISIBLE | SBS_VERT, 787);
        table.MoveWindow(0, 0, 300, 300);
        const bool shown = table.GetScrollBar()->IsShow() != 0;
        EXPECT_EQ(rows > 5, shown);
        EXPECT_EQ(shown ? 268 : 284, chart.GetFrame().right) << rows;
        // Only the rows in view are in the draw range, wherever the table is scrolled.
        EXPECT_LE(chart.GetDrawEnd() - chart.GetDrawFirst(), 3u * 15);
        chart.SetActiveRow(rows - 1);
        table.UpdateScrollPos();
        EXPECT_EQ(rows > 5 ? rows - table.GetVisibleRows() : 0, table.GetFirstRow());
        table.DestroyWindow();
    }
    host.DestroyWindow();
}

TEST(GraphList, NavigationAndLabels)
{
    KV::CGraphList g;
    for (unsigned long i = 0; i < 3; ++i)
        g.AddItem(i, i * 10.0, 5.0 * (i + 1), L"d");
    EXPECT_EQ(0u, g.FindNextByID(2)->m_nID);
    EXPECT_EQ(2u, g.FindPrevByID(0)->m_nID);
    EXPECT_EQ(nullptr, g.FindPrevByID(9));
    EXPECT_EQ(0u, g.FindNextByID(9)->m_nID);
    KV::CListID sel;
    sel.Add(2);
    EXPECT_EQ(0u, g.SelectNextColumn(sel));
    EXPECT_EQ(0u, g.GetActiveColumn());
    KV::CGraphList empty;
    EXPECT_EQ(0xFFFFFFFFul, empty.SelectNextColumn(sel));
    EXPECT_EQ(0, empty.RemoveActiveColumn());

    KV::CGraphListTimeY t;
    SYSTEMTIME a = {}, b = {};
    a.wMinute = 1, a.wSecond = 5, b.wSecond = 59;
    t.AddItem(0, 0, a, L"x");
    t.AddItem(1, 10, b, L"y");
    EXPECT_EQ(1, t.GetMaxMinute());
    EXPECT_EQ(5, t.GetMaxSecond());
    EXPECT_EQ(L"00:59", t.GetAt(1)->m_sLabelY);
    EXPECT_EQ(65, t.GetMaxY());
}

TEST(GraphList, PaintsAPointAndThinsLongSeries)
{
    skintest::DibCanvas canvas(320, 200, 0xFFFFFF);
    KV::CGraphList g;
    g.SetFrame({0, 0, 320, 200});
    g.AddItem(0, 0, 0.0, L"only"); // all values 0: no division by zero
    g.SetActiveLastColumn();
    g.Draw(canvas.Dc());
    EXPECT_EQ(0u, g.GetDrawnSegments()); // one marker, no line
    EXPECT_EQ(0u, g.Hit(g.GetPlot().left + 1, g.GetPlot().bottom - 1));
    g.Clear();
    for (unsigned long i = 0; i < 65535; ++i)
        g.AddItem(i, i * 10.0, (double)(i % 97), L"");
    g.Draw(canvas.Dc());
    EXPECT_LE(g.GetDrawnSegments(), (unsigned long)g.GetWidth() + 1);
    EXPECT_GT(g.GetDrawnSegments(), 100u);
}

TEST(TableWindow, ScrollingStopsAtBothEnds)
{
    KV::CWnd host;
    skintest::CreateTestWindow(host, 0, 0, 300, 300);
    KV::CTableChart chart;
    ThreeColumns(chart, 500);
    KV::CTable table;
    table.SetpTableChart(&chart);
    table.Create(::GetModuleHandleW(nullptr), host, 0, {0, 0, 300, 300}, 2010);
    table.CreateScrool(WS_CHILD | WS_VISIBLE | SBS_VERT, 787);
    table.MoveWindow(0, 0, 300, 300);
    const unsigned long page = table.GetVisibleRows(), last = 500 - page;
    struct Step
    {
        UINT code;
        unsigned long first;
    } steps[] = {{SB_LINEUP, 0},    {SB_PAGEDOWN, page}, {SB_LINEDOWN, page + 1}, {SB_PAGEUP, 1},
                 {SB_BOTTOM, last}, {SB_LINEDOWN, last}, {SB_PAGEDOWN, last},     {SB_TOP, 0}};
    for (const Step& s : steps)
    {
        table.OnVScrool(s.code, 0, nullptr);
        EXPECT_EQ(s.first, table.GetFirstRow()) << s.code;
        EXPECT_EQ(s.first * 3, chart.GetDrawFirst()) << s.code;
    }
    table.DestroyWindow();
    host.DestroyWindow();
}
