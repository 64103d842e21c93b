#pragma once
// The program started inside the benchmark's process, from a fresh copy of the bin folder.
#include "app/ui/WaltzApp.h"
#include "kvtesting/ProgramFolder.h"

#include <windows.h>
#include <string>

namespace fwbench {

inline std::wstring BinFolder()
{
    wchar_t exe[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const std::wstring path(exe, n);
    return path.substr(0, path.find_last_of(L'\\'));
}

// A fresh copy of the program (past its first-run wizard) in the temporary folder, removed at
// the end.
struct ProgramCopy
{
    ProgramCopy()
    {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        dir = std::wstring(temp) + L"fwbench-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
              std::to_wstring(::GetTickCount());
        KV::CopyProgramFolder(BinFolder(), dir, "[Wizard]\r\nShowWizard = 0\r\n");
    }
    ~ProgramCopy() { KV::RemoveFolderTree(dir); }
    std::wstring dir;
};

inline double Ms(const LARGE_INTEGER& a, const LARGE_INTEGER& b)
{
    LARGE_INTEGER freq;
    ::QueryPerformanceFrequency(&freq);
    return static_cast<double>(b.QuadPart - a.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

inline void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// The program started in this process from a fresh copy, its window 1,024 x 700.
struct InProcessProgram
{
    InProcessProgram() : app(copy.dir + L"\\")
    {
        app.GetDoc().GetPlaces().m_size = KV::CSize(1024, 700);
        started = app.InitInstance(::GetModuleHandleW(nullptr), SW_SHOWNORMAL) != 0;
    }
    ProgramCopy copy;
    CWaltzApp app;
    bool started = false;
};

} // namespace fwbench
