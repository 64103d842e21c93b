#include "app/doc/UserTransfer.h"
#include "app/doc/UserSettings.h"

#include <windows.h>

#include <vector>

namespace {

const wchar_t* const kExtensions[] = {L".sta", L".opt", L".pla", L".usr"};

std::wstring WithSlash(std::wstring folder)
{
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        folder += L'\\';
    return folder;
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadAll(const std::wstring& path, std::string& bytes)
{
    HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes.clear();
    char buffer[65536];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) != 0) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(file);
    return ok;
}

bool CanWrite(const std::wstring& folder)
{
    // A file of our own, gone when closed. Not GetTempFileName: under Wine it reports a name
    // even when the folder refuses every file.
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        const std::wstring probe = WithSlash(folder) + L"fw-probe-" + std::to_wstring(::GetCurrentProcessId()) +
                                   L"-" + std::to_wstring(attempt) + L".tmp";
        HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE)
        {
            ::CloseHandle(file);
            return true;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    return false;
}

bool SameFolder(const std::wstring& a, const std::wstring& b)
{
    wchar_t fullA[MAX_PATH] = {0}, fullB[MAX_PATH] = {0};
    ::GetFullPathNameW(a.c_str(), MAX_PATH, fullA, nullptr);
    ::GetFullPathNameW(b.c_str(), MAX_PATH, fullB, nullptr);
    return _wcsicmp(WithSlash(fullA).c_str(), WithSlash(fullB).c_str()) == 0;
}

} // namespace

int TransferUserFiles(CUserSettings& settings, const std::wstring& folder)
{
    const std::wstring from = WithSlash(settings.GetUserPath());
    const std::wstring to = WithSlash(folder);
    if (folder.empty() || !IsFolder(to) || SameFolder(from, to))
        return TransferWrongPath;
    if (!CanWrite(to))
        return TransferAccessDenied;

    std::vector<std::wstring> names;
    for (const wchar_t* extension : kExtensions)
    {
        WIN32_FIND_DATAW found;
        HANDLE search = ::FindFirstFileW((from + L"*" + extension).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }

    // Copy and compare everything first; a file already in the new folder is never replaced.
    std::vector<std::wstring> copied;
    bool ok = true;
    for (const std::wstring& name : names)
    {
        std::string original, copy;
        if (!::CopyFileW((from + name).c_str(), (to + name).c_str(), TRUE))
        {
            ok = false;
            break;
        }
        copied.push_back(to + name);
        if (!ReadAll(from + name, original) || !ReadAll(to + name, copy) || original != copy)
        {
            ok = false;
            break;
        }
    }
    if (!ok || !settings.SetUserPath(to.substr(0, to.size() - 1).c_str()))
    {
        for (const std::wstring& path : copied)
            ::DeleteFileW(path.c_str());
        return TransferFailed;
    }
    for (const std::wstring& name : names)
        ::DeleteFileW((from + name).c_str());
    return TransferDone;
}
