#include "bench.h"
#include "kvfwctrl/kvfwctrl.h"

#include <windows.h>
#include <memory>

namespace {

// Ten columns, speed graphed.
void TenColumns(KV::CListParam& params)
{
    params.Add(1, 0x101001, L"DateLetter", L"TipDateLesson");
    params.Add(2, 0x101001, L"NameLesson", L"TipNameLesson");
    params.Add(704, 0x1011, L"SpeedWPM", L"TipSpeedWPM");
    params.Add(701, 0x1111, L"SpeedCPM", L"TipSpeedCPM");
    params.Add(706, 0x1011, L"Accuracy", L"TipAccuracy");
    params.Add(707, 0x1011, L"AccuracyProc", L"TipAccuracyProc");
    params.Add(702, 0x1011, L"Errors", L"TipErrors");
    params.Add(705, 0x1011, L"ErrorsProc", L"TipErrorsProc");
    params.Add(703, 0x2011, L"Duration", L"TipDuration");
    params.Add(709, 0x1011, L"Rhythm", L"TipRhythm");
}

std::unique_ptr<KV::CLapListLang> Store(int laps)
{
    std::unique_ptr<KV::CLapListLang> store(new KV::CLapListLang);
    KV::CLapList* list = store->GetCurrent();
    const wchar_t* text = L"abcdefghij klmnopqrst";
    for (int i = 0; i < laps; ++i)
    {
        list->StartLap();
        list->SetNameLesson(L"Home row, left hand");
        list->SetTypeLesson(1);
        list->AddStatLetter(text, 0, 2);
        list->EndLap();
    }
    list->ResetLap();
    return store;
}

// A memory canvas the size of the default window's table.
struct Canvas
{
    HDC dc;
    HBITMAP bmp;
    HGDIOBJ old;
    Canvas(int w, int h)
    {
        HDC screen = ::GetDC(nullptr);
        dc = ::CreateCompatibleDC(screen);
        bmp = ::CreateCompatibleBitmap(screen, w, h);
        ::ReleaseDC(nullptr, screen);
        old = ::SelectObject(dc, bmp);
    }
    ~Canvas()
    {
        ::SelectObject(dc, old);
        ::DeleteObject(bmp);
        ::DeleteDC(dc);
    }
};

double FillPage(int laps)
{
    std::unique_ptr<KV::CLapListLang> store = Store(laps);
    KV::CListParam params;
    TenColumns(params);
    KV::CLapListGroup& groups = store->GetGroup(0, 0, params);
    KV::CViewScore score;
    KV::CViewGraph graph;
    score.SetpScoreGraph(&graph);
    graph.SetpViewScore(&score);
    return fwbench::MedianMs(5, [&] { KV::FillStatPage(&score, &graph, groups, params, nullptr, nullptr); });
}

double PaintTable(unsigned long rows)
{
    KV::CTableChart chart;
    for (unsigned long c = 0; c < 10; ++c)
        chart.AddColumn(700 + c, 10, c < 2, L"");
    for (unsigned long c = 0; c < 10; ++c)
        chart.SetNameColumn(c, L"Header");
    chart.SetHeightRow(20);
    for (unsigned long r = 0; r < rows; ++r)
    {
        chart.AddRow();
        for (unsigned long c = 0; c < 10; ++c)
            chart.AddCell(c, r, c == 1 ? L"Home row, left hand" : L" 12.5%");
    }
    chart.SetActiveLastRow();
    const int w = 760, h = 640;
    chart.SetFrame({0, 0, w, h});
    // The rows in view in the middle of the table.
    const unsigned long visible = (h - 25) / 20, first = rows > visible ? rows / 2 : 0;
    chart.SetDrawPosition(first * 10, (first + visible + 1) * 10);
    Canvas canvas(w, h);
    return fwbench::MedianMs(21, [&] { chart.Draw(canvas.dc); });
}

double PaintGraph(unsigned long points)
{
    KV::CGraphList graph;
    graph.SetLeftHeader(L"Speed in characters per minute");
    graph.SetFrame({0, 0, 760, 300});
    for (unsigned long i = 0; i < points; ++i)
        graph.AddItem(i, i * 10.0, (double)(150 + (i * 37) % 120), L"12/08/26 - Home row");
    graph.SetActiveLastColumn();
    Canvas canvas(760, 300);
    return fwbench::MedianMs(21, [&] { graph.Draw(canvas.dc); });
}

fwbench::Registrar fill("statistics page: fill from 65,535 passes, one row per pass, 10 columns", 150.0,
                        [] { return FillPage(65535); });
fwbench::Registrar paint30("statistics page: paint a table of 30 rows", 5.0, [] { return PaintTable(30); });
fwbench::Registrar paintAll("statistics page: paint a table of 65,535 rows", 5.0,
                            [] { return PaintTable(65535); });
fwbench::Registrar graph("statistics page: paint a line graph of 65,535 points", 10.0,
                         [] { return PaintGraph(65535); });

} // namespace
