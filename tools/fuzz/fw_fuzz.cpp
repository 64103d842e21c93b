// fw_fuzz [format|all] [count] [--out folder]: feeds deterministic mutants of the shipped files
// and of seeds built in code to every file reader. Each format runs in child processes watched
// for crashes, hangs (2 s without progress) and memory use beyond 200 MB; failing inputs are
// saved as <out>\<format>\<kind>-<iteration><ext>. Exit code 1 when anything failed.
#include "FuzzFormats.h"
#include "FuzzMutate.h"

#include <windows.h>
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

using fuzz::CFormat;

namespace {

const DWORD kHangMs = 2000;
const DWORD kStartMs = 60000;
const SIZE_T kMemoryCap = 200u << 20;
const int kExitMemory = 0x4d;

// Shared between the watcher and its child: which mutant runs now.
struct CProgress
{
    volatile LONG64 current;
    volatile LONG started;
};

std::string Narrow(const std::wstring& w)
{
    return std::string(w.begin(), w.end());
}

// The process memory counters of ntdll: unlike GetProcessMemoryInfo they include the address
// space a process has taken without touching it (a huge allocation never written to).
struct CVmCounters
{
    SIZE_T PeakVirtualSize;
    SIZE_T VirtualSize;
    ULONG PageFaultCount;
    SIZE_T PeakWorkingSetSize;
    SIZE_T WorkingSetSize;
    SIZE_T QuotaPeakPagedPoolUsage;
    SIZE_T QuotaPagedPoolUsage;
    SIZE_T QuotaPeakNonPagedPoolUsage;
    SIZE_T QuotaNonPagedPoolUsage;
    SIZE_T PagefileUsage;
    SIZE_T PeakPagefileUsage;
};
typedef LONG(WINAPI* QueryProcess)(HANDLE, ULONG, void*, ULONG, ULONG*);
const ULONG kProcessVmCounters = 3;

// Memory of a process now, or at its peak: the largest of its address space, committed and
// resident memory, so that a blow-up counts however Wine reports it.
SIZE_T MemoryBytes(HANDLE process, bool peak = false)
{
    static const QueryProcess query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    CVmCounters vm = {};
    if (query)
        query(process, kProcessVmCounters, &vm, sizeof(vm), nullptr);
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(process, &counters, sizeof(counters));
    if (peak)
        return std::max({vm.PeakVirtualSize, counters.PeakPagefileUsage, counters.PeakWorkingSetSize});
    return std::max({vm.VirtualSize, counters.PagefileUsage, counters.WorkingSetSize});
}

bool WriteWhole(const std::wstring& path, const std::string& bytes)
{
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(h);
    return ok && written == bytes.size();
}

std::string MakeMutant(const CFormat& format, const std::vector<std::string>& seeds, uint64_t iteration)
{
    std::string bytes = fuzz::Mutate(seeds, iteration);
    if (format.mendOggCrc && (iteration & 1))
        fuzz::FixOggPageCrcs(bytes);
    return bytes;
}

// A crash ends the child at once, without the debugger's report.
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* info)
{
    ::TerminateProcess(::GetCurrentProcess(), info->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

int RunChild(const CFormat& format, uint64_t first, uint64_t last, CProgress* progress)
{
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ::SetUnhandledExceptionFilter(EndOnCrash);
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + L"fwfuzz-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(dir.c_str(), nullptr);
    const std::wstring file = dir + L"\\input" + format.extension;
    fuzz::PrepareReaders(dir);
    const std::vector<std::string> seeds = format.seeds();
    const SIZE_T baseline = MemoryBytes(::GetCurrentProcess(), true);
    progress->started = 1;
    int code = 0;
    for (uint64_t i = first; i < last && !code; ++i)
    {
        progress->current = static_cast<LONG64>(i);
        const std::string bytes = MakeMutant(format, seeds, i);
        WriteWhole(file, bytes);
        try
        {
            format.read(bytes, file, i);
        }
        catch (const std::bad_alloc&)
        {
            code = kExitMemory;
        }
        if (MemoryBytes(::GetCurrentProcess(), true) > baseline + kMemoryCap)
            code = kExitMemory;
    }
    ::DeleteFileW(file.c_str());
    ::RemoveDirectoryW(dir.c_str());
    return code;
}

struct CTally
{
    uint64_t mutants = 0, crashes = 0, hangs = 0, memory = 0;
};

void SaveFailure(const std::wstring& out, const CFormat& format, const std::vector<std::string>& seeds,
                 const wchar_t* kind, uint64_t iteration)
{
    const std::wstring dir = out + L"\\" + std::wstring(format.name, format.name + strlen(format.name));
    ::CreateDirectoryW(out.c_str(), nullptr);
    ::CreateDirectoryW(dir.c_str(), nullptr);
    const std::wstring path = dir + L"\\" + kind + L"-" + std::to_wstring(iteration) + format.extension;
    WriteWhole(path, MakeMutant(format, seeds, iteration));
    std::printf("  %s: %s\n", Narrow(kind).c_str(), Narrow(path).c_str());
}

// Runs mutants [0, count) of one format in as many children as failures require.
CTally Watch(const CFormat& format, uint64_t count, const std::wstring& out)
{
    CTally tally;
    const std::vector<std::string> seeds = format.seeds();
    if (seeds.empty())
    {
        std::printf("%s: no seeds found\n", format.name);
        tally.crashes = 1;
        return tally;
    }
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE mapping =
        ::CreateFileMappingW(INVALID_HANDLE_VALUE, &inherit, PAGE_READWRITE, 0, sizeof(CProgress), nullptr);
    CProgress* progress = static_cast<CProgress*>(::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    HANDLE job = ::CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limit = {};
    limit.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_PROCESS_MEMORY | JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    limit.ProcessMemoryLimit = kMemoryCap * 2;
    ::SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limit, sizeof(limit));

    uint64_t next = 0;
    while (next < count)
    {
        progress->current = static_cast<LONG64>(next);
        progress->started = 0;
        std::wstring command = L"\"" + std::wstring(self) + L"\" --child " +
                               std::wstring(format.name, format.name + strlen(format.name)) + L" " +
                               std::to_wstring(next) + L" " + std::to_wstring(count) + L" " +
                               std::to_wstring(reinterpret_cast<ULONG_PTR>(mapping));
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                              nullptr, &si, &pi))
        {
            std::printf("%s: could not start a child process (%lu)\n", format.name, ::GetLastError());
            ++tally.crashes;
            break;
        }
        ::AssignProcessToJobObject(job, pi.hProcess);
        ::ResumeThread(pi.hThread);
        ::CloseHandle(pi.hThread);
        SIZE_T baseline = 0;
        LONG64 seen = -1;
        DWORD since = ::GetTickCount();
        const wchar_t* failure = nullptr;
        for (;;)
        {
            const DWORD wait = ::WaitForSingleObject(pi.hProcess, 50);
            const LONG64 current = progress->current;
            if (wait == WAIT_OBJECT_0)
            {
                DWORD code = 0;
                ::GetExitCodeProcess(pi.hProcess, &code);
                if (code == static_cast<DWORD>(kExitMemory))
                    failure = L"memory";
                else if (code != 0)
                    failure = L"crash";
                break;
            }
            if (!progress->started)
            {
                if (::GetTickCount() - since > kStartMs)
                    failure = L"hang";
            }
            else
            {
                if (!baseline)
                    baseline = MemoryBytes(pi.hProcess);
                if (current != seen)
                {
                    seen = current;
                    since = ::GetTickCount();
                }
                else if (::GetTickCount() - since > kHangMs)
                    failure = L"hang";
                if (MemoryBytes(pi.hProcess) > baseline + kMemoryCap)
                    failure = L"memory";
            }
            if (failure)
            {
                ::TerminateProcess(pi.hProcess, 1);
                ::WaitForSingleObject(pi.hProcess, INFINITE);
                break;
            }
        }
        ::CloseHandle(pi.hProcess);
        if (!failure)
        {
            next = count;
            break;
        }
        const uint64_t at = static_cast<uint64_t>(progress->current);
        if (!progress->started)
        {
            std::printf("%s: the child did not start\n", format.name);
            ++tally.crashes;
            break;
        }
        SaveFailure(out, format, seeds, failure, at);
        if (failure[0] == L'c')
            ++tally.crashes;
        else if (failure[0] == L'h')
            ++tally.hangs;
        else
            ++tally.memory;
        next = at + 1;
    }
    tally.mutants = next;
    ::CloseHandle(job);
    ::UnmapViewOfFile(progress);
    ::CloseHandle(mapping);
    return tally;
}

int Usage()
{
    std::printf("usage: fw_fuzz [format|all] [count] [--out folder]\nformats:");
    for (const CFormat& f : fuzz::Formats())
        std::printf(" %s", f.name);
    std::printf("\n");
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 6 && std::wstring(argv[1]) == L"--child")
    {
        const CFormat* format = fuzz::FindFormat(Narrow(argv[2]));
        HANDLE mapping = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(_wcstoui64(argv[5], nullptr, 10)));
        void* view = ::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
        if (!format || !view)
            return 2;
        return RunChild(*format, _wcstoui64(argv[3], nullptr, 10), _wcstoui64(argv[4], nullptr, 10),
                        static_cast<CProgress*>(view));
    }
    std::string which = "all";
    uint64_t count = 100000;
    std::wstring out = L"fuzz-found";
    int positional = 0;
    for (int i = 1; i < argc; ++i)
    {
        const std::wstring arg = argv[i];
        if (arg == L"--out" && i + 1 < argc)
            out = argv[++i];
        else if (arg == L"-h" || arg == L"--help")
            return Usage();
        else if (positional++ == 0 && !iswdigit(arg[0]))
            which = Narrow(arg);
        else
            count = _wcstoui64(arg.c_str(), nullptr, 10);
    }
    if (which != "all" && !fuzz::FindFormat(which))
        return Usage();
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    // The seeds built in code are made as in the children.
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    fuzz::PrepareReaders(temp);
    int failed = 0;
    for (const CFormat& format : fuzz::Formats())
    {
        if (which != "all" && which != format.name)
            continue;
        const DWORD start = ::GetTickCount();
        const CTally t = Watch(format, count, out);
        std::printf("%-8s %llu mutants, %llu crashes, %llu hangs, %llu memory blow-ups (%.1f s)\n",
                    format.name, static_cast<unsigned long long>(t.mutants),
                    static_cast<unsigned long long>(t.crashes), static_cast<unsigned long long>(t.hangs),
                    static_cast<unsigned long long>(t.memory), (::GetTickCount() - start) / 1000.0);
        failed |= t.crashes || t.hangs || t.memory;
    }
    return failed ? 1 : 0;
}
