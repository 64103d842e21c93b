#pragma once
// A copy of the built program with its libraries and data folders, for tests and benchmarks
// that start the program where its first start may write its settings and users.
#include <string>

namespace KV {

// Copies the program, its libraries and its data folders from bin into dir (created); writes
// settings, when given, as dir's "fingerwaltz.ini".
void CopyProgramFolder(const std::wstring& bin, const std::wstring& dir, const char* settings = nullptr);
// Deletes a folder with everything in it.
void RemoveFolderTree(const std::wstring& dir);

} // namespace KV
