#pragma once
// Display names of keyboard layouts from the registry.
#include "kvstruct/kvstruct_api.h"

#include <windows.h>

#include <string>

namespace KV {

// 0: dest holds the name ("No-name layout" for an empty value, "Chinese" when the layout has no
// key); 2 the size query failed, 3 the value is not a plain string, 4 reading it failed (dest
// untouched then). status receives the last registry result. The unsized forms write at most
// MAX_PATH characters; the sized form cuts the name to destSize - 1.
KVSTRUCT_API int GetNameLayout(const wchar_t* layoutId, wchar_t* dest, LONG* status);
KVSTRUCT_API int GetNameLayout(const wchar_t* layoutId, wchar_t* dest, LONG& status);
KVSTRUCT_API int GetNameLayout(const wchar_t* layoutId, wchar_t* dest, size_t destSize, LONG* status);
KVSTRUCT_API int GetNameLayout(const wchar_t* layoutId, std::wstring& dest, LONG* status);

} // namespace KV
