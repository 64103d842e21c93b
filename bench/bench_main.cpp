#include "bench.h"
#include "kvstruct/sys/MsgBox.h"

#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace fwbench {

namespace {
struct Entry
{
    const char* name;
    double limit;
    std::function<double()> measure;
};
std::vector<Entry>& Entries()
{
    static std::vector<Entry> entries;
    return entries;
}
int QuietBox(HWND, const wchar_t*, const wchar_t*, unsigned int)
{
    return IDOK;
}
} // namespace

Registrar::Registrar(const char* name, double limitMs, std::function<double()> measure)
{
    Entries().push_back({name, limitMs, std::move(measure)});
}

double MedianMs(int runs, const std::function<void()>& fn, const std::function<void()>& setup)
{
    LARGE_INTEGER freq;
    ::QueryPerformanceFrequency(&freq);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
    {
        if (setup)
            setup();
        LARGE_INTEGER a, b;
        ::QueryPerformanceCounter(&a);
        fn();
        ::QueryPerformanceCounter(&b);
        times.push_back(static_cast<double>(b.QuadPart - a.QuadPart) * 1000.0 /
                        static_cast<double>(freq.QuadPart));
    }
    std::sort(times.begin(), times.end());
    return times.empty() ? 0.0 : times[times.size() / 2];
}

} // namespace fwbench

int main(int argc, char** argv)
{
    KV::SetMsgBoxHandler(fwbench::QuietBox);
    const char* filter = argc > 1 ? argv[1] : nullptr;
    std::sort(fwbench::Entries().begin(), fwbench::Entries().end(),
              [](const fwbench::Entry& a, const fwbench::Entry& b) { return strcmp(a.name, b.name) < 0; });
    for (const auto& e : fwbench::Entries())
    {
        if (filter && !strstr(e.name, filter))
            continue;
        double ms = e.measure();
        printf("%-60s %10.3f ms   (target < %g ms)%s\n", e.name, ms, e.limit, ms < e.limit ? "" : "  SLOW");
        fflush(stdout);
    }
    return 0;
}
