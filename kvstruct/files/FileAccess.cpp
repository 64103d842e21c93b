#include "kvstruct/files/FileAccess.h"
#include "kvstruct/sys/MsgBox.h"

#include <string>

namespace KV {

void ShowPathWarning(const wchar_t* prefix, const wchar_t* path, unsigned long error)
{
    std::wstring text = prefix ? prefix : L"";
    text += path ? path : L"";
    if (error == ERROR_ACCESS_DENIED)
        text += L". Access is denied.";
    else
        text += L". Error: " + std::to_wstring(error);
    ShowWarning(text.c_str());
}

void ShowFileWarning(int write, const wchar_t* path, unsigned long error)
{
    ShowPathWarning(write ? L"Could not write to file " : L"Could not open file ", path, error);
}

HANDLE OpenFileRead(const wchar_t* path)
{
    HANDLE h = INVALID_HANDLE_VALUE;
    if (path && path[0])
        h = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        ShowFileWarning(0, path, path && path[0] ? ::GetLastError() : ERROR_INVALID_NAME);
    return h;
}

HANDLE OpenFileWrite(const wchar_t* path)
{
    HANDLE h = INVALID_HANDLE_VALUE;
    if (path && path[0])
        h = ::CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        ShowFileWarning(1, path, path && path[0] ? ::GetLastError() : ERROR_INVALID_NAME);
    return h;
}

int WriteDiv(HANDLE file)
{
    DWORD written = 0;
    return ::WriteFile(file, "\r\n", 2, &written, nullptr) && written == 2 ? 1 : 0;
}

} // namespace KV
