// The statistics pages: cell texts, columns, the score table and graph views in a real window
// with selections kept in step, and the CSV export read back.
#include "common/fwtest.h"
#include "common/screen.h"
#include "kvinterf/skin_test_util.h"
#include "../stat_test_util.h"
#include <gtest/gtest.h>

using stattest::TestLap;

namespace {

struct Cell
{
    unsigned long id;
    const wchar_t* text;
};

// A score and a graph view inside a test window, fed as the main window feeds them.
struct Page
{
    KV::CWnd host;
    KV::CViewScore score;
    KV::CViewGraph graph;
    KV::CIniTable strings;
    KV::CListParam params;

    Page()
    {
        strings.Load_UTF16((fwtest::BinDir() + L"\\Language\\English.ini").c_str());
        skintest::CreateTestWindow(host, 0, 0, 800, 600);
        score.Create(::GetModuleHandleW(nullptr), host, 0, {0, 0, 800, 300}, 100);
        graph.Create(::GetModuleHandleW(nullptr), host, 0, {0, 300, 800, 600}, 101);
        score.SetpScoreGraph(&graph);
        score.SetpStrings(&strings);
        graph.SetpViewScore(&score);
        score.ShowWindow(SW_SHOW);
        graph.ShowWindow(SW_SHOW);
        params.Add(1, 0x101001, L"DateLetter", L"TipDateLesson");
        params.Add(2, 0x101001, L"NameLesson", L"TipNameLesson");
        params.Add(701, 0x1111, L"SpeedCPM", L"TipSpeedCPM");
        params.Add(705, 0x1011, L"ErrorsProc", L"TipErrorsProc");
        params.Add(703, 0x2011, L"Duration", L"TipDuration");
        params.Add(709, 0x1011, L"Rhythm", L"TipRhythm");
        graph.AddCoursePanel(::GetModuleHandleW(nullptr), L"", L"", params, 1, 2);
    }
    ~Page() { host.DestroyWindow(); }

    void Fill(KV::CLapList& list, unsigned short mode = 0)
    {
        KV::CLapListGroup groups;
        groups.Fill(&list, mode, 0, params);
        KV::FillStatPage(&score, &graph, groups, params, &strings, nullptr);
    }
    const KV::CTableChart& Chart() { return score.GetScore().GetChart(); }
    std::wstring At(unsigned long column, unsigned long row)
    {
        const wchar_t* t = Chart().GetCellText(column, row);
        return t ? t : L"<none>";
    }
    std::vector<unsigned long> GraphActive()
    {
        std::vector<unsigned long> ids;
        KV::CGraphList* g = graph.GetGraph();
        for (unsigned long i = 0; g && i < g->Size(); ++i)
            if (g->GetAt(i)->m_bActive)
                ids.push_back(i);
        return ids;
    }
    std::vector<unsigned long> TableActive()
    {
        std::vector<unsigned long> rows;
        for (unsigned long r = 0; r < Chart().GetNumRow(); ++r)
            if (Chart().IsActive(r))
                rows.push_back(r);
        return rows;
    }
};

void ThreePasses(stattest::TestLapList& list)
{
    list.Add().Counts(300, 2, 50, 307, 6).Date(2026, 5, 30).Name(L"Home row").Type(1);
    list.Add().Counts(150, 0, 20, 60, 0).Date(2026, 5, 31).Name(L"Say \"hi\", Jörg").Type(1);
    list.Add().Counts(99, 1, 10, 59, 1).Date(2026, 6, 2).Name(L"Привет").Type(6);
}

} // namespace

TEST(StatCells, PercentagesKeepTheirFormats)
{
    struct Case
    {
        double value;
        int accuracy;
        const wchar_t* text;
    } cases[] = {{0.5, 0, L"0.50%"},  {12.34, 0, L"12.3%"}, {0.0, 0, L"  0%"},    {99.5, 1, L"99.50%"},
                 {100.0, 1, L"100%"}, {87.5, 1, L"87.5%"},  {100.0, 0, L"100.0%"}};
    for (const Case& c : cases)
        EXPECT_EQ(c.text, KV::FormatStatPercent(c.value, c.accuracy)) << c.value;
    // Every other value reads as the C library would write it.
    for (int i = 0; i <= 20000; ++i)
    {
        const double v = i / 200.0 + (i % 7) * 1e-4, ratio = i * 100.0 / 20011;
        for (double x : {v, ratio})
            for (int accuracy : {0, 1})
            {
                const bool round = accuracy ? x == 100.0 : x == 0.0;
                const bool fine = accuracy ? (x > 99.0 && x < 100.0) : (x > 0.0 && x < 1.0);
                wchar_t text[40];
                std::swprintf(text, 40, round ? L"%3.0f%%" : fine ? L"%3.2f%%" : L"%3.1f%%", x);
                ASSERT_EQ(text, KV::FormatStatPercent(x, accuracy)) << x;
            }
    }
}

TEST(StatCells, LapCellsAndGraphPoints)
{
    Page page;
    TestLap lap;
    lap.Counts(300, 2, 50, 307, 6).Date(2026, 5, 30).Name(std::wstring(255, L'x').c_str());
    TestLap empty; // zero duration and no characters
    const Cell cells[] = {{1, L"05/30/26"}, {2, nullptr},  {701, L"58"},    {704, L"9"},     {702, L"2"},
                          {706, L"300"},    {708, L"302"}, {703, L"05:07"}, {705, L"0.66%"}, {709, L"2.0%"}};
    page.score.RemoveAllColumn();
    for (unsigned long c = 0; c < 10; ++c)
        page.score.AddColumn(c, 10, 0, L"");
    page.graph.NewGraph(KV::kGraphKindCount, nullptr);
    for (unsigned long r = 0; r < 3; ++r)
    {
        page.score.AddRow();
        for (unsigned long c = 0; c < 10; ++c)
            KV::FillStatCourse(&page.score, &page.graph,
                               r == 0   ? &lap
                               : r == 1 ? &empty
                                        : nullptr,
                               &page.strings, 705, cells[c].id, c, r, r * 10, 0);
    }
    for (unsigned long c = 0; c < 10; ++c)
        EXPECT_EQ(cells[c].text ? cells[c].text : lap.GetNameLesson(), page.At(c, 0)) << cells[c].id;
    for (unsigned long c : {0ul, 7ul, 8ul, 9ul})
        EXPECT_NE(L"<none>", page.At(c, 1));
    EXPECT_EQ(L"00:00", page.At(7, 1));
    EXPECT_EQ(L"  0%", page.At(8, 1));
    EXPECT_EQ(L"-", page.At(4, 2));
    KV::CGraphList* g = page.graph.GetGraph();
    ASSERT_EQ(3u, g->Size());
    EXPECT_EQ(0.0, g->GetAt(2)->m_dY);
    EXPECT_EQ(L"0", g->GetAt(2)->m_sLabelX);
    EXPECT_EQ(L"05/30/26 - " + std::wstring(255, L'x'), g->GetAt(0)->m_sLabelX);
}

TEST(StatCells, CharacterCells)
{
    Page page;
    KV::CStatLetter space, none;
    space.AddStatLetter(L' ', 8, 3, 0);
    none.AddStatLetter(L'q', 0, 0, 0); // never typed: no division by zero
    const Cell cells[] = {{10, L"SP"}, {705, L"37"}, {702, L"3"}, {708, L"8"}};
    page.score.RemoveAllColumn();
    for (unsigned long c = 0; c < 4; ++c)
        page.score.AddColumn(c, 25, 0, L"");
    page.graph.NewGraph(KV::kGraphKindCount, nullptr);
    for (unsigned long r = 0; r < 2; ++r)
    {
        page.score.AddRow();
        for (unsigned long c = 0; c < 4; ++c)
            KV::FillStatLetter(&page.score, &page.graph, r ? &none : &space, 705, cells[c].id, c, r, r * 10);
    }
    for (unsigned long c = 0; c < 4; ++c)
        EXPECT_EQ(cells[c].text, page.At(c, 0)) << cells[c].id;
    EXPECT_EQ(L"0", page.At(1, 1));
    ASSERT_EQ(2u, page.graph.GetGraph()->Size());
    EXPECT_EQ(L"SP", page.graph.GetGraph()->GetAt(0)->m_sLabelX);
    EXPECT_EQ(37.0, page.graph.GetGraph()->GetAt(0)->m_dY);
}

TEST(StatCells, ColumnsAndHeaders)
{
    Page page;
    KV::CListParam four;
    for (unsigned long id : {10ul, 705ul, 702ul, 708ul})
        four.Add(id, 0x1011, L"ErrorsChar", L"TipErrorsChar");
    KV::SetColumnScore(&page.score, four, 10);
    for (unsigned long c = 0; c < 4; ++c)
        EXPECT_EQ(c == 0 ? 31u : 23u, page.Chart().GetColumnWidth(c));
    KV::SetHeadersScore(&page.score, four, &page.strings, 0);
    EXPECT_STREQ(L"Errors", page.Chart().GetHeaderText(3));
    page.graph.NewGraph(KV::kGraphKindCount, nullptr);
    KV::SetHeadersGraph(&page.graph, page.params, &page.strings);
    EXPECT_STREQ(L"Speed in characters per minute", page.graph.GetGraph()->GetLeftHeader());
}

TEST(StatViews, EmptyStoreAndOnePass)
{
    fwtest::MsgRecorder boxes;
    Page page;
    stattest::TestLapList none;
    page.Fill(none);
    EXPECT_EQ(0u, page.Chart().GetNumRow());
    page.score.MouseWeel(0, -120, 0, 0);
    page.graph.OnCommand(0, KV::kCmdNextPoint, nullptr);
    EXPECT_EQ(0, page.score.ExportTable());
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"There are no passes to export.", boxes.LastText());

    stattest::TestLapList one;
    one.Add().Counts(0, 0, 0, 0, 0).Date(2026, 1, 1).Name(L"x");
    page.Fill(one);
    page.score.MouseWeel(0, -120, 0, 0);
    EXPECT_EQ(std::vector<unsigned long>{0}, page.TableActive());
    skintest::Pump(50);
}

TEST(StatViews, WheelWrapsAndSelectionsStayInStep)
{
    Page page;
    stattest::TestLapList list;
    ThreePasses(list);
    page.Fill(list);
    ASSERT_EQ(3u, page.Chart().GetNumRow());
    EXPECT_EQ(std::vector<unsigned long>{2}, page.TableActive());
    EXPECT_EQ(std::vector<unsigned long>{2}, page.GraphActive());
    EXPECT_EQ(2u, page.Chart().GetActiveColumn()); // the graphed column, CPM

    page.score.MouseWeel(0, -120, 0, 0); // towards the user on the last row
    EXPECT_EQ(std::vector<unsigned long>{0}, page.TableActive());
    EXPECT_EQ(std::vector<unsigned long>{0}, page.GraphActive());
    page.score.MouseWeel(0, 120, 0, 0); // away from the user on row 0
    EXPECT_EQ(std::vector<unsigned long>{2}, page.GraphActive());

    page.graph.OnCommand(0, KV::kCmdPrevPoint, nullptr);
    EXPECT_EQ(std::vector<unsigned long>{1}, page.TableActive());
    page.graph.OnCommand(0, KV::kCmdSelectAll, nullptr);
    EXPECT_EQ((std::vector<unsigned long>{0, 1, 2}), page.TableActive());

    // Clicks on the table window itself: plain, then with Control.
    HWND table = page.score.GetScore().GetTable().GetHwnd();
    const KV::CTableChart& chart = page.Chart();
    const int x = chart.GetFrame().left + 5, rowY = chart.GetFrame().top + chart.GetHeadHeight();
    auto click = [&](unsigned long row, WPARAM keys) {
        ::SendMessageW(table, WM_LBUTTONDOWN, keys,
                       MAKELPARAM(x, rowY + (int)row * chart.GetRowHeight() + 5));
    };
    click(0, MK_LBUTTON);
    EXPECT_EQ(std::vector<unsigned long>{0}, page.TableActive());
    EXPECT_EQ(std::vector<unsigned long>{0}, page.GraphActive());
    click(2, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ((std::vector<unsigned long>{0, 2}), page.TableActive());
    EXPECT_EQ((std::vector<unsigned long>{0, 2}), page.GraphActive());
    click(1, MK_LBUTTON);
    EXPECT_EQ(std::vector<unsigned long>{1}, page.GraphActive());
    // The date column was clicked: not a graphed statistic, the graph stays on CPM.
    EXPECT_EQ(701u, page.graph.GetCurGraph());
}

TEST(StatViews, FormatNeedsExactlyEightColours)
{
    Page page;
    KV::CListRGBA seven, eight;
    seven.assign(7, KV::CRGBA(1, 2, 3));
    eight.assign(8, KV::CRGBA(10, 20, 30));
    const COLORREF before = page.Chart().GetStyle(1).text;
    page.score.GetScore().SetFormat(seven);
    EXPECT_EQ(before, page.Chart().GetStyle(1).text);
    EXPECT_EQ(15, page.Chart().GetRowHeight());
    page.score.GetScore().SetFormat(eight);
    EXPECT_EQ(RGB(10, 20, 30), page.Chart().GetStyle(1).text);
    EXPECT_EQ(20, page.Chart().GetRowHeight());
    EXPECT_EQ(25, page.Chart().GetHeadHeight());
}

TEST(StatExport, CsvReadsBackAsShown)
{
    fwtest::MsgRecorder boxes;
    Page page;
    stattest::TestLapList list;
    ThreePasses(list);
    page.Fill(list);
    static std::wstring target;
    const std::wstring dir = fwtest::MakeTempDir(L"csv");
    target = dir + L"\\out.csv";
    KV::SaveFileAsk previous = KV::SetSaveFileAsk([](HWND, const wchar_t*, std::wstring& path) {
        path = target;
        return true;
    });
    EXPECT_EQ(1, page.score.ExportTable());
    const std::string bytes = fwtest::ReadFileBytes(target);
    const std::string expected =
        "\xEF\xBB\xBF"
        "Date,Lesson,CPM,Errors %,Time,Rhythm\r\n"
        "05/30/26,Home row,58,0.66%,05:07,2.0%\r\n"
        "05/31/26,\"Say \"\"hi\"\", J\xC3\xB6rg\",150,0%,01:00,0%\r\n"
        "06/02/26,\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82,100,1.0%,00:59,1.0%\r\n";
    EXPECT_EQ(expected, bytes);
    EXPECT_EQ(0u, boxes.Count());

    // A folder in place of the file: the user is told, nothing is left behind.
    target = dir;
    EXPECT_EQ(-1, page.score.ExportTable());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(std::wstring::npos, boxes.LastText().find(dir));
    EXPECT_EQ(MB_ICONEXCLAMATION, boxes.Boxes().back().type & MB_ICONMASK);
    KV::SetSaveFileAsk(previous);
}

namespace {

// The skin's eight colours of a statistics page: rows (text, background, grid, active column),
// then the header's four; the graph reads them as header text, brush, pen, then text, plot,
// series, frame and outer colours.
void WriteFormatBitmap(const std::wstring& path, const uint32_t (&rgb)[8])
{
    fwtest::WriteFileBytes(path, skintest::Bmp24(8, 1, [&](int x, int) { return rgb[x]; }));
}

void SaveShot(const fwtest::ScreenShot& shot, int w, int h, const wchar_t* name)
{
    wchar_t dir[MAX_PATH];
    if (!::GetEnvironmentVariableW(L"FW_LOOK_DIR", dir, MAX_PATH))
        return;
    std::string ppm = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const unsigned long c = shot.At(x, y);
            ppm += (char)((c >> 16) & 0xFF);
            ppm += (char)((c >> 8) & 0xFF);
            ppm += (char)(c & 0xFF);
        }
    fwtest::WriteFileBytes(std::wstring(dir) + L"\\" + name, ppm);
}

} // namespace

// 300 passes over 60 days on screen, by pass and by day: the header, the active row and the
// active point must stand out from everything else.
TEST(StatLook, PagesShowHeaderActiveRowAndPoint)
{
    const std::wstring dir = fwtest::MakeTempDir(L"look");
    const uint32_t table[8] = {0x202020, 0xFFFFFF, 0xC8C8C8, 0xFFF2CC,
                               0xFFFFFF, 0x3A6EA5, 0x2A5080, 0x2F5F95};
    const uint32_t graph[8] = {0xFFFFFF, 0x3A6EA5, 0x2A5080, 0x303030,
                               0xFFFFFF, 0xD04010, 0x8090A0, 0xF0F0F0};
    WriteFormatBitmap(dir + L"\\table.bmp", table);
    WriteFormatBitmap(dir + L"\\graph.bmp", graph);
    Page page;
    page.score.LoadBitmapStat((dir + L"\\table.bmp").c_str());
    // The skin places the element before its picture loads.
    page.graph.SetParam(0, KV::CRect(0, 300, 800, 300), KV::kSkinTypeDiagram | KV::kSkinLeft | KV::kSkinTop);
    page.graph.LoadBitmapW((dir + L"\\graph.bmp").c_str(), 1, 0);
    stattest::TestLapList list;
    for (int i = 0; i < 300; ++i)
    {
        const int day = i / 5; // five passes a day over 60 days
        list.Add()
            .Counts((unsigned short)(200 + (i * 37) % 150), (unsigned short)((i * 7) % 9), 40,
                    (unsigned short)(60 + (i * 13) % 300), (unsigned short)((i * 5) % 11))
            .Date(2026, 3 + day / 30, 1 + day % 30)
            .Name(i % 3 ? L"Home row" : L"Top row, left hand")
            .Type(1);
    }
    ::SetWindowPos(page.host, HWND_TOP, 0, 0, 800, 600, SWP_SHOWWINDOW);
    const wchar_t* names[] = {L"by_pass.ppm", L"by_day.ppm"};
    for (unsigned short mode = 0; mode < 2; ++mode)
    {
        page.Fill(list, mode);
        page.score.MouseWeel(0, 120, 0, 0); // the row before the last
        ::RedrawWindow(page.host, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        skintest::Pump(300);
        fwtest::ScreenShot shot;
        ASSERT_TRUE(shot.Capture()) << shot.Error();
        SaveShot(shot, 800, 600, names[mode]);
        EXPECT_GT(shot.Count(0x3A6EA5, 0, 0, 800, 25, 40), 2000) << "header";
        EXPECT_GT(shot.Count(0xD2D2D2, 0, 25, 800, 300, 2), 1000) << "active row";
        EXPECT_GT(shot.Count(0xD04010, 0, 300, 800, 600, 30), 200) << "series";
    }
    ::ShowWindow(page.host, SW_HIDE);
}

namespace {

// A host window that keeps the commands its views send up.
struct CommandHost : KV::CWnd
{
    std::vector<WORD> commands;
    LRESULT OnCommand(WORD code, WORD id, HWND control) override
    {
        commands.push_back(id);
        return KV::CWnd::OnCommand(code, id, control);
    }
};

} // namespace

TEST(GraphView, PanelTabsAndCommands)
{
    skintest::SkinFolder skin(L"Stat");
    const std::wstring root = skin.root + skin.name + L"\\";
    for (unsigned id : {700u, 701u, 705u, 703u, 751u})
        skin.WritePicture(id, skintest::SolidBmp(id == 700 ? 40 : 5 * 24, 24, 0x808080));
    CommandHost host;
    skintest::CreateTestWindow(host, 0, 0, 600, 400);
    KV::CViewScore score;
    KV::CViewGraph graph;
    score.Create(::GetModuleHandleW(nullptr), host, 0, {0, 0, 600, 200}, 100);
    graph.Create(::GetModuleHandleW(nullptr), host, 0, {0, 200, 600, 400}, 101);
    score.SetpScoreGraph(&graph);
    graph.SetpViewScore(&score);
    KV::CListParam course, letters;
    course.Add(1, 0x101001, L"DateLetter", L"TipDateLesson");
    course.Add(701, 0x1111, L"SpeedCPM", L"TipSpeedCPM");
    course.Add(702, 0x1010, L"Errors", L"TipErrors"); // not shown: skipped by the panel and by 3008
    course.Add(705, 0x1011, L"ErrorsProc", L"TipErrorsProc");
    course.Add(703, 0x2011, L"Duration", L"TipDuration");
    letters.Add(705, 0x1111, L"ErrorsCharProc", L"TipErrorsCharProc");

    // Without a graph the selection commands do nothing.
    for (WORD cmd : {KV::kCmdNextPoint, KV::kCmdPrevPoint, KV::kCmdSelectAll})
        graph.OnCommand(0, cmd, nullptr);
    EXPECT_EQ(0u, graph.GetSelection().GetSize());

    ASSERT_EQ(1, graph.AddCoursePanel(::GetModuleHandleW(nullptr), root.c_str(), L"", course, 1, 2));
    graph.AddLettersPanel(::GetModuleHandleW(nullptr), root.c_str(), L"", letters, 0, 2);
    KV::CPanel* panel = graph.GetPanels().Get(0);
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(4, panel->Size()); // 701, 705, 703 and the delete box
    EXPECT_EQ(KV::CButton::kChecked, panel->GetCtrl(701)->GetCheck());

    graph.NewGraph(KV::kGraphKindCount, nullptr);
    graph.Update();
    EXPECT_EQ(0, panel->GetEnableCtrl(KV::kIdGraphDelete)); // no points yet
    graph.AddInt(0, 0, 10, L"a");
    graph.Update();
    EXPECT_EQ(1, panel->GetEnableCtrl(KV::kIdGraphDelete));

    score.AddColumn(1, 50, 0, L"");
    score.AddColumn(705, 50, 0, L"");
    graph.OnCommand(0, KV::kCmdNextDiagram, nullptr); // 701 -> 705, 702 is not shown
    EXPECT_EQ(705u, graph.GetCurGraph());
    EXPECT_EQ(1u, score.GetScore().GetChart().GetActiveColumn());
    EXPECT_EQ(KV::CButton::kChecked, panel->GetCtrl(705)->GetCheck());
    EXPECT_EQ(0u, panel->GetCtrl(701)->GetCheck());
    graph.OnCommand(0, KV::kCmdNextDiagram, nullptr);
    graph.OnCommand(0, KV::kCmdNextDiagram, nullptr); // wraps past the last
    EXPECT_EQ(701u, graph.GetCurGraph());

    host.commands.clear();
    EXPECT_EQ(1, graph.OnDelete(nullptr));
    graph.OnCommand(0, KV::kIdGraphTabLesson, nullptr);
    EXPECT_EQ(1, graph.GetActiveTab());
    EXPECT_EQ(0, graph.OnDelete(nullptr)); // never on the lesson tab
    EXPECT_EQ(0, panel->GetEnableCtrl(KV::kIdGraphDelete));
    EXPECT_EQ((std::vector<WORD>{KV::kCmdDeleteLaps, KV::kCmdGraphTabChanged}), host.commands);

    // Seven colours leave the graph's style as it was.
    const COLORREF series = graph.GetGraph()->GetSeriesColour();
    KV::CListRGBA seven;
    seven.assign(7, KV::CRGBA(9, 9, 9));
    graph.SetFormat(seven, nullptr);
    EXPECT_EQ(series, graph.GetGraph()->GetSeriesColour());
    host.DestroyWindow();
}
