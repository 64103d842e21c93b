// The program as a learner runs it: a key shown on the typing page, the start to the first
// painted page, and the processor while a lesson is paused.
#include "app/ui/MainFrame.h"
#include "app/ui/WaltzApp.h"
#include "bench.h"
#include "program_in_process.h"
#include "kvfwctrl/keyboard/Keyboard.h"
#include "kvfwctrl/typing/BaseInput.h"
#include "kvtesting/ProgramFolder.h"

#include <windows.h>
#include <GL/gl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using fwbench::InProcessProgram;
using fwbench::Ms;
using fwbench::ProgramCopy;
using fwbench::Pump;

// 500 keys of the first lesson through the main window's key path (the typing engine, then
// both views painted), 1,024 x 700; the first key of each pass only resumes the lesson.
fwbench::Registrar keyToScreen("program: key-down to both views painted, median of 500 keys", 2.0, [] {
    InProcessProgram program;
    CWaltzApp& app = program.app;
    if (!program.started)
        return -1.0;
    CMainWnd* main = app.GetMainWnd();
    const std::wstring text = app.GetDoc().GetCurTextW() ? app.GetDoc().GetCurTextW() : L"";
    if (text.empty())
        return -1.0;
    Pump();
    std::vector<double> times;
    for (size_t i = 0; i < 500; ++i)
    {
        const wchar_t ch = text[i % text.size()];
        const UINT vk = LOBYTE(::VkKeyScanW(ch));
        MSG msg = {main->GetHwnd(),
                   WM_KEYDOWN,
                   vk,
                   static_cast<LPARAM>(1 | (::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16)),
                   0,
                   {0, 0}};
        LARGE_INTEGER a, b;
        ::QueryPerformanceCounter(&a);
        main->PreTranslateKey(msg);
        ::QueryPerformanceCounter(&b);
        times.push_back(Ms(a, b));
        ::Sleep(1);
        Pump();
    }
    // Where the time goes: each view's drawing and its showing, then its whole frame.
    {
        KV::CBaseInput* view = main->GetView();
        HDC dc = ::GetDC(view->GetHwnd());
        const double draw = fwbench::MedianMs(30, [&] { view->DrawFrame(dc); });
        const double show = fwbench::MedianMs(30, [&] { view->GetGLC().SwapBuffers(); });
        ::ReleaseDC(view->GetHwnd(), dc);
        KV::CKeyboard* kb = main->GetKeyboard();
        RECT rc = {};
        ::GetClientRect(kb->GetHwnd(), &rc);
        kb->GetGLC().MakeCurrentDC();
        const double kbDraw = fwbench::MedianMs(30, [&] {
            kb->Render(rc.right, rc.bottom);
            glFinish();
        });
        const double kbShow = fwbench::MedianMs(30, [&] { kb->GetGLC().SwapBuffers(); });
        std::printf("    typing view drawn %.2f ms, shown %.2f ms; keyboard drawn %.2f ms, shown %.2f ms\n", draw,
                    show, kbDraw, kbShow);
        const double typed = fwbench::MedianMs(30, [&] { view->ShowTyped(); });
        const RECT line = view->GetLineRect();
        std::printf("    typing view's frame for a typed key (the line's strip, %ld x %ld, drawn and shown) %.2f ms\n",
                    line.right - line.left, line.bottom - line.top, typed);
    }
    for (KV::CSkin* view :
         {static_cast<KV::CSkin*>(main->GetView()), static_cast<KV::CSkin*>(main->GetKeyboard())})
    {
        RECT rc = {};
        ::GetClientRect(view->GetHwnd(), &rc);
        const double ms = fwbench::MedianMs(
            30, [&] { ::RedrawWindow(view->GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); });
        std::printf("    %s repainted through a paint message, %ld x %ld: %.2f ms\n",
                    view == main->GetView() ? "typing view" : "keyboard",
                    rc.right, rc.bottom, ms);
    }
    ::DestroyWindow(main->GetHwnd());
    Pump();
    std::sort(times.begin(), times.end());
    std::printf("    90th percentile %.2f ms, slowest %.2f ms\n", times[times.size() * 9 / 10], times.back());
    return times[times.size() / 2];
});

struct Process
{
    PROCESS_INFORMATION pi = {};
    HWND wnd = nullptr;
};

void Close(Process& p)
{
    if (p.wnd)
        ::PostMessageW(p.wnd, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(p.pi.hProcess, 15000) != WAIT_OBJECT_0)
        ::TerminateProcess(p.pi.hProcess, 1);
    ::CloseHandle(p.pi.hThread);
    ::CloseHandle(p.pi.hProcess);
}

// Starts the program and waits for its shown (and so painted) main window; ms, or -1.
double Start(const std::wstring& dir, Process& p)
{
    LARGE_INTEGER a, b;
    ::QueryPerformanceCounter(&a);
    if (!KV::StartProgram(dir, p.pi))
        return -1.0;
    p.wnd = KV::WaitForProcessWindow(p.pi.dwProcessId, kMainWindowClass, 20000, 1);
    ::QueryPerformanceCounter(&b);
    return p.wnd ? Ms(a, b) : -1.0;
}

// Process start to the typing page shown, with the Wine server running; the settings and
// user are made on the first of the runs.
fwbench::Registrar start("program: process start to the typing page shown (warm server)", 300.0, [] {
    ProgramCopy copy;
    std::vector<double> times;
    SIZE_T memory = 0;
    for (int run = 0; run < 3; ++run)
    {
        Process p;
        times.push_back(Start(copy.dir, p));
        ::Sleep(500);
        PROCESS_MEMORY_COUNTERS counters = {};
        if (::GetProcessMemoryInfo(p.pi.hProcess, &counters, sizeof counters))
            memory = std::max(memory, counters.WorkingSetSize);
        Close(p);
    }
    std::printf("    resident memory %.1f MB\n", static_cast<double>(memory) / (1024.0 * 1024.0));
    std::sort(times.begin(), times.end());
    return times[1];
});

// Processor time of this process in ms (under Wine the times of another process read 0).
double CpuMs()
{
    FILETIME created, ended, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto ticks = [](const FILETIME& f) {
        return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

// Runs the main window's messages (timers, paints) for ms milliseconds.
void RunFor(DWORD ms)
{
    const DWORD end = ::GetTickCount() + ms;
    for (DWORD now = ::GetTickCount(); static_cast<long>(end - now) > 0; now = ::GetTickCount())
    {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
        Pump();
    }
}

// Processor ms per second of the program in this process, 1,024 x 700, for four seconds:
// paused as after the start, or typing five keys a second (the first lesson's f, j and
// space) with the animated level on. 100 ms per second is 10 % of one core.
double CpuPerSecond(bool typing)
{
    InProcessProgram program;
    CWaltzApp& app = program.app;
    if (!program.started)
        return -1.0;
    CMainWnd* main = app.GetMainWnd();
    auto key = [&](UINT vk) {
        MSG msg = {main->GetHwnd(), WM_KEYDOWN, vk,
                   static_cast<LPARAM>(1 | (::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16)), 0, {0, 0}};
        main->PreTranslateKey(msg);
    };
    if (typing)
        key('F'); // resumes the lesson
    RunFor(1000);
    const double before = CpuMs();
    const UINT keys[] = {'F', 'F', 'F', VK_SPACE, 'J', 'J', 'J', VK_SPACE};
    for (int i = 0; i < 20; ++i)
    {
        if (typing)
            key(keys[i % 8]);
        RunFor(200);
    }
    const double ms = CpuMs() - before;
    ::DestroyWindow(main->GetHwnd());
    Pump();
    return ms / 4.0;
}

fwbench::Registrar paused("program: CPU ms per second while paused", 1.0, [] { return CpuPerSecond(false); });
fwbench::Registrar typing("program: CPU ms per second typing 5 keys/s, level animated", 100.0,
                          [] { return CpuPerSecond(true); });

} // namespace
