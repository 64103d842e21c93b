#pragma once
// Opening files with the user-visible warning on failure.
#include "kvstruct/kvstruct_api.h"

#include <windows.h>

namespace KV {

// Open with a warning box on failure; INVALID_HANDLE_VALUE then.
KVSTRUCT_API HANDLE OpenFileRead(const wchar_t* path);
KVSTRUCT_API HANDLE OpenFileWrite(const wchar_t* path);
// The warning of a failed open: write 0 "Could not open file ", 1 "Could not write to file ",
// then the path and ". Access is denied." or ". Error: " and the code.
KVSTRUCT_API void ShowFileWarning(int write, const wchar_t* path, unsigned long error);
// The same warning after any prefix.
KVSTRUCT_API void ShowPathWarning(const wchar_t* prefix, const wchar_t* path, unsigned long error);
// Writes CR LF.
KVSTRUCT_API int WriteDiv(HANDLE file);

} // namespace KV
