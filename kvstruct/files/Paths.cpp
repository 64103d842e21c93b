#include "kvstruct/files/Paths.h"
#include "kvstruct/core/TextCopy.h"
#include "kvstruct/files/FileAccess.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <cstring>
#include <cwchar>

namespace KV {

namespace {

bool IsFolder(const wchar_t* path)
{
    DWORD a = ::GetFileAttributesW(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates a folder and its parents; the system's error code, or 0.
DWORD MakeFolder(const wchar_t* path)
{
    if (!path || !path[0])
        return ERROR_BAD_PATHNAME;
    if (IsFolder(path))
        return 0;
    // SHCreateDirectoryExW wants a full path.
    wchar_t full[MAX_PATH];
    DWORD n = ::GetFullPathNameW(path, MAX_PATH, full, nullptr);
    if (!n || n >= MAX_PATH)
        return ERROR_BAD_PATHNAME;
    int rc = ::SHCreateDirectoryExW(nullptr, full, nullptr);
    if (rc == ERROR_SUCCESS || IsFolder(full))
        return 0;
    return rc ? static_cast<DWORD>(rc) : ERROR_PATH_NOT_FOUND;
}

// The program's folder with its trailing backslash, or empty.
template <typename Char, typename GetName, typename FindLast>
std::basic_string<Char> ExeFolder(GetName getName, FindLast findLast)
{
    Char path[MAX_PATH];
    DWORD n = getName(nullptr, path, MAX_PATH);
    if (!n || n >= MAX_PATH)
        return {};
    Char* slash = findLast(path, Char('\\'));
    if (!slash)
        return {};
    slash[1] = 0;
    return path;
}

template <typename Char>
int PutExeFolder(Char* buffer, size_t size, const std::basic_string<Char>& folder)
{
    if (!buffer || !size)
        return 0;
    buffer[0] = 0;
    // A cut folder would name another place.
    if (folder.empty() || folder.size() >= size)
        return 0;
    CopyText(buffer, size, folder.c_str());
    return 1;
}

std::string ExeFolderA()
{
    return ExeFolder<char>(::GetModuleFileNameA, [](char* s, char c) { return strrchr(s, c); });
}

} // namespace

std::wstring GetPathToExeW()
{
    return ExeFolder<wchar_t>(::GetModuleFileNameW, [](wchar_t* s, wchar_t c) { return wcsrchr(s, c); });
}

int GetPathToExeW(wchar_t* buffer, size_t size)
{
    return PutExeFolder(buffer, size, GetPathToExeW());
}

int GetPathToExeA(char* buffer, size_t size)
{
    return PutExeFolder(buffer, size, ExeFolderA());
}

int GetPathToExeW(wchar_t* buffer)
{
    return GetPathToExeW(buffer, MAX_PATH);
}

int GetPathToExeA(char* buffer)
{
    return GetPathToExeA(buffer, MAX_PATH);
}

std::wstring GetFullPath(const wchar_t* folder, const wchar_t* name, const wchar_t* extension)
{
    wchar_t tmp[MAX_PATH] = {0};
    if (!::PathCombineW(tmp, folder && folder[0] ? folder : nullptr, name && name[0] ? name : nullptr))
        return {};
    std::wstring path = tmp;
    if (!path.empty() && extension && extension[0] && !*::PathFindExtensionW(tmp))
        path += extension;
    if (path.size() >= MAX_PATH)
        path.clear();
    return path;
}

wchar_t* GetFullPath(wchar_t* dest, size_t destSize, const wchar_t* folder, const wchar_t* name,
                     const wchar_t* extension)
{
    if (!dest || !destSize)
        return dest;
    std::wstring path = GetFullPath(folder, name, extension);
    if (path.size() >= destSize)
        path.clear();
    return CopyText(dest, destSize, path.c_str());
}

wchar_t* GetFullPath(wchar_t* dest, const wchar_t* folder, const wchar_t* name, const wchar_t* extension)
{
    return GetFullPath(dest, MAX_PATH, folder, name, extension);
}

wchar_t* GetFullPath(wchar_t* dest, const wchar_t* folder, unsigned long number, const wchar_t* extension)
{
    return GetFullPath(dest, MAX_PATH, folder, std::to_wstring(number).c_str(), extension);
}

int rxPathFileExists(const wchar_t* path)
{
    return path && path[0] && ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
}

int CreateDirectoryW(const wchar_t* path)
{
    DWORD error = MakeFolder(path);
    if (!error)
        return 1;
    ShowPathWarning(L"Create Directory failed. Path ", path, error);
    return 0;
}

int ReviseFolder(const wchar_t* path)
{
    return MakeFolder(path) ? 0 : 1;
}

int CompareFileNames(const wchar_t* a, const wchar_t* b)
{
    int rc = ::CompareStringOrdinal(a ? a : L"", -1, b ? b : L"", -1, TRUE);
    if (rc == CSTR_LESS_THAN)
        return -1;
    if (rc == CSTR_GREATER_THAN)
        return 1;
    if (rc == CSTR_EQUAL)
        return 0;
    return wcscmp(a ? a : L"", b ? b : L"");
}

} // namespace KV
