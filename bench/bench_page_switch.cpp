// Switching the main window's pages with their keys, with a store of 65,535 passes: from the
// key to the page painted.
#include "app/doc/WaltzDoc.h"
#include "app/ui/MainFrame.h"
#include "bench.h"
#include "kvfwctrl/kvfwctrl.h"
#include "program_in_process.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void FillStore(KV::CLapList& list, int laps)
{
    const wchar_t* text = L"fjfj dkdk slsl a;a; ghgh";
    for (int i = 0; i < laps; ++i)
    {
        list.StartLap();
        list.SetNameLesson(i % 3 ? L"Home row, left hand" : L"Home row, both hands");
        list.SetTypeLesson(1);
        list.AddStatLetter(text, 0, 2);
        list.EndLap();
    }
    list.ResetLap();
}

// F2, F4 and F3 in turn, ten rounds, after the statistics were filled once; the median ms.
fwbench::Registrar pageSwitch("main window: page key to the page painted, 65,535 passes", 50.0, [] {
    fwbench::InProcessProgram program;
    if (!program.started)
        return -1.0;
    CMainWnd* main = program.app.GetMainWnd();
    KV::CLapList* list = program.app.GetDoc().GetpLapList();
    if (!list)
        return -1.0;
    FillStore(*list, 65535);
    main->GetStatisticsPage().Invalidate();
    fwbench::Pump();
    auto press = [main](UINT vk) {
        MSG msg = {main->GetHwnd(), WM_KEYDOWN, vk,
                   static_cast<LPARAM>(1 | (::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16)), 0, {0, 0}};
        LARGE_INTEGER a, b;
        ::QueryPerformanceCounter(&a);
        if (!main->TranslateAccelerators(msg))
            main->PreTranslateKey(msg);
        ::RedrawWindow(main->GetHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        ::QueryPerformanceCounter(&b);
        fwbench::Pump();
        return fwbench::Ms(a, b);
    };
    const double first = press(VK_F3);
    std::vector<double> typing, lessons, statistics;
    for (int round = 0; round < 10; ++round)
    {
        typing.push_back(press(VK_F2));
        lessons.push_back(press(VK_F4));
        statistics.push_back(press(VK_F3));
    }
    // FW_BENCH_DETAIL=1: where a switch spends its time.
    if (std::getenv("FW_BENCH_DETAIL"))
        for (unsigned short page : {600, 601, 602, 601})
        {
            LARGE_INTEGER a, b, c;
            ::QueryPerformanceCounter(&a);
            main->ShowPage(page);
            ::QueryPerformanceCounter(&b);
            ::RedrawWindow(main->GetHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            ::QueryPerformanceCounter(&c);
            std::printf("    page %u: shown %.1f ms, painted %.1f ms\n", page, fwbench::Ms(a, b), fwbench::Ms(b, c));
            fwbench::Pump();
        }
    auto median = [](std::vector<double> times) {
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    };
    std::printf("    statistics first shown (filled) %.1f ms; typing %.1f, lessons %.1f, statistics %.1f ms\n",
                first, median(typing), median(lessons), median(statistics));
    ::DestroyWindow(main->GetHwnd());
    fwbench::Pump();
    std::vector<double> all = typing;
    all.insert(all.end(), lessons.begin(), lessons.end());
    all.insert(all.end(), statistics.begin(), statistics.end());
    return median(all);
});

} // namespace
