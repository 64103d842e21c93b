#pragma once
// Random numbers as text (the statistics check code).
#include "kvstruct/kvstruct_api.h"

#include <cstddef>
#include <string>

namespace KV {

// A random number 1..n in decimal (the tick count for n = 0). The generator is seeded once,
// with the tick count of the first call. The unsized form writes at most 11 characters.
KVSTRUCT_API void GetRand(wchar_t* dest, unsigned int n);
KVSTRUCT_API void GetRand(wchar_t* dest, size_t destSize, unsigned int n);
KVSTRUCT_API std::wstring GetRand(unsigned int n);

} // namespace KV
