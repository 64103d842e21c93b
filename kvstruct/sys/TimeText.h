#pragma once
// Texts of times: lap clocks and the minute-and-second stamp of a record.
#include "kvstruct/kvstruct_api.h"

#include <windows.h>

#include <string>

namespace KV {

// kind 1 "mm:ss", kind 2 minutes unit1 " " seconds unit2, else empty. Returns the length.
// The text is cut to destSize - 1 characters.
KVSTRUCT_API int FormatToTimeW(wchar_t* dest, const SYSTEMTIME& time, int kind, const wchar_t* unit1,
                               const wchar_t* unit2, size_t destSize = 32);
KVSTRUCT_API int FormatToTimeA(char* dest, const SYSTEMTIME& time, int kind, const char* unit1,
                               const char* unit2, size_t destSize = 32);
KVSTRUCT_API std::wstring FormatToTimeW(const SYSTEMTIME& time, int kind, const wchar_t* unit1,
                                        const wchar_t* unit2);

// Appends the current UTC minute and second as four digits. The unsized form writes at most
// five characters after the text already in dest; the sized form cuts within destSize.
KVSTRUCT_API void GetCurRecordTime(wchar_t* dest);
KVSTRUCT_API void GetCurRecordTime(wchar_t* dest, size_t destSize);
// The four digits alone.
KVSTRUCT_API std::wstring GetCurRecordTime();

} // namespace KV
