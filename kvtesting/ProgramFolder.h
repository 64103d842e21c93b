#pragma once
// A copy of the built program with its libraries and data folders, for tests and benchmarks
// that start the program where its first start may write its settings and users.
#include <windows.h>

#include <string>

namespace KV {

// Copies the program, its libraries and its data folders from bin into dir (created); writes
// settings, when given, as dir's "fingerwaltz.ini".
void CopyProgramFolder(const std::wstring& bin, const std::wstring& dir, const char* settings = nullptr);
// Starts dir's program with dir as its working folder; false when it could not start.
bool StartProgram(const std::wstring& dir, PROCESS_INFORMATION& process);
// The visible top-level window of class cls that process pid shows within timeoutMs, looked
// for every pollMs; null when none came.
HWND WaitForProcessWindow(DWORD pid, const wchar_t* cls, int timeoutMs, int pollMs = 50);
// Deletes a folder with everything in it.
void RemoveFolderTree(const std::wstring& dir);

} // namespace KV
