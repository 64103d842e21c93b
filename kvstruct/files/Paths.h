#pragma once
// The program folder, composed file names and folders. Unsized buffers hold MAX_PATH (260)
// characters; the sized and std::wstring forms cut instead.
#include "kvstruct/kvstruct_api.h"

#include <windows.h>

#include <string>

namespace KV {

// Folder of the running program with a trailing backslash; 0 (and an empty text) when the
// system cannot name it or it does not fit.
KVSTRUCT_API int GetPathToExeW(wchar_t* buffer);
KVSTRUCT_API int GetPathToExeA(char* buffer);
KVSTRUCT_API int GetPathToExeW(wchar_t* buffer, size_t size);
KVSTRUCT_API int GetPathToExeA(char* buffer, size_t size);
// Empty when the folder cannot be named.
KVSTRUCT_API std::wstring GetPathToExeW();

// folder joined with name (".." and "." resolved, an absolute name wins); extension appended
// only when the result has none. The result is empty when it would not fit in MAX_PATH (a cut
// path would name another file), or in destSize.
KVSTRUCT_API wchar_t* GetFullPath(wchar_t* dest, const wchar_t* folder, const wchar_t* name,
                                  const wchar_t* extension);
KVSTRUCT_API wchar_t* GetFullPath(wchar_t* dest, const wchar_t* folder, unsigned long number,
                                  const wchar_t* extension);
KVSTRUCT_API wchar_t* GetFullPath(wchar_t* dest, size_t destSize, const wchar_t* folder, const wchar_t* name,
                                  const wchar_t* extension);
KVSTRUCT_API std::wstring GetFullPath(const wchar_t* folder, const wchar_t* name, const wchar_t* extension);

KVSTRUCT_API int rxPathFileExists(const wchar_t* path);
// Creates the folder with its missing parents. 1 when the folder exists afterwards; otherwise
// the warning "Create Directory failed. Path ..." and 0.
KVSTRUCT_API int CreateDirectoryW(const wchar_t* path);
// The same without the warning.
KVSTRUCT_API int ReviseFolder(const wchar_t* path);

// Order of names in a folder listing as NTFS keeps it (ordinal, case-insensitive by upper case):
// <0, 0, >0. Folder scans sort with it, whatever order the host's file system lists.
KVSTRUCT_API int CompareFileNames(const wchar_t* a, const wchar_t* b);

} // namespace KV
