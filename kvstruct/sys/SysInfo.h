#pragma once
// The product version of a file and the machine description of error reports.
#include "kvstruct/kvstruct_api.h"

#include <cstddef>
#include <string>

namespace KV {

// Product version of a file: "1.2" or "1.2.3" (build not 0). 0 and an empty text when absent.
// The unsized form writes at most 32 characters; the sized form cuts to destSize - 1.
KVSTRUCT_API int GetAppVer(const wchar_t* file, wchar_t* dest);
KVSTRUCT_API int GetAppVer(const wchar_t* file, wchar_t* dest, size_t destSize);
// Empty when the file has no version.
KVSTRUCT_API std::wstring GetAppVer(const wchar_t* file);
// Multi-line machine description for error reports (cut to destSize - 1 characters).
KVSTRUCT_API void GetSysInfo(wchar_t* dest, size_t destSize = 2048);
KVSTRUCT_API std::wstring GetSysInfo();

} // namespace KV
