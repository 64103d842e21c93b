#include "kvtesting/ProgramFolder.h"

#include <windows.h>

#include <fstream>

namespace KV {

namespace {

void CopyTree(const std::wstring& from, const std::wstring& to)
{
    ::CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((from + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do
    {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyTree(from + L"\\" + name, to + L"\\" + name);
        else
            ::CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
}

struct ProcessWindow
{
    DWORD pid;
    const wchar_t* cls;
    HWND wnd;
};

BOOL CALLBACK FindProcessWindow(HWND wnd, LPARAM param)
{
    auto* f = reinterpret_cast<ProcessWindow*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    wchar_t cls[64] = {};
    ::GetClassNameW(wnd, cls, 64);
    if (pid == f->pid && std::wstring(cls) == f->cls && ::IsWindowVisible(wnd))
    {
        f->wnd = wnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool StartProgram(const std::wstring& dir, PROCESS_INFORMATION& process)
{
    const std::wstring exe = dir + L"\\Fingerwaltz.exe";
    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    process = PROCESS_INFORMATION();
    return ::CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si,
                            &process) != FALSE;
}

HWND WaitForProcessWindow(DWORD pid, const wchar_t* cls, int timeoutMs, int pollMs)
{
    ProcessWindow found = {pid, cls, nullptr};
    for (int waited = 0; waited <= timeoutMs && !found.wnd; waited += pollMs)
    {
        ::EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&found));
        if (!found.wnd)
            ::Sleep(static_cast<DWORD>(pollMs));
    }
    return found.wnd;
}

void CopyProgramFolder(const std::wstring& bin, const std::wstring& dir, const char* settings)
{
    ::CreateDirectoryW(dir.c_str(), nullptr);
    for (const wchar_t* file : {L"Fingerwaltz.exe", L"kvstruct.dll", L"kvinterf.dll", L"kvfwctrl.dll"})
        ::CopyFileW((bin + L"\\" + file).c_str(), (dir + L"\\" + file).c_str(), FALSE);
    for (const wchar_t* folder : {L"Data", L"Skin", L"Language", L"Lessons", L"Sound"})
        CopyTree(bin + L"\\" + folder, dir + L"\\" + folder);
    if (settings)
    {
        std::ofstream out((dir + L"\\fingerwaltz.ini").c_str(), std::ios::binary);
        out << settings;
    }
}

void RemoveFolderTree(const std::wstring& dir)
{
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
        {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = dir + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolderTree(path);
            else
                ::DeleteFileW(path.c_str());
        } while (::FindNextFileW(find, &found));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(dir.c_str());
}

} // namespace KV
