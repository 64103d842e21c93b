#pragma once
// Turning a text of several lines into one line.
#include "kvstruct/kvstruct_api.h"

#include <cstddef>
#include <string>

namespace KV {

// One line: CR dropped, LF a space (not at the start, at the end or after a space).
// The unsized forms need dest to hold as many characters as source (with its terminator);
// the sized forms cut the line to destSize - 1 characters.
KVSTRUCT_API wchar_t* Remove_CR_LF_W(const wchar_t* source, wchar_t* dest);
KVSTRUCT_API char* Remove_CR_LF_A(const char* source, char* dest);
KVSTRUCT_API wchar_t* Remove_CR_LF_W(const wchar_t* source, wchar_t* dest, size_t destSize);
KVSTRUCT_API char* Remove_CR_LF_A(const char* source, char* dest, size_t destSize);
KVSTRUCT_API std::wstring Remove_CR_LF_W(const std::wstring& source);
KVSTRUCT_API std::string Remove_CR_LF_A(const std::string& source);

} // namespace KV
