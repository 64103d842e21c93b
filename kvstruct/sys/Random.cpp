#include "kvstruct/sys/Random.h"
#include "kvstruct/core/TextCopy.h"

#include <windows.h>

#include <cstdlib>

namespace KV {

std::wstring GetRand(unsigned int n)
{
    // Seeding on every call would repeat the number within one tick.
    static const bool seeded = (std::srand(::GetTickCount()), true);
    (void)seeded;
    unsigned long value = n ? static_cast<unsigned long>(std::rand()) % n + 1 : ::GetTickCount();
    return std::to_wstring(value);
}

void GetRand(wchar_t* dest, size_t destSize, unsigned int n)
{
    CopyText(dest, destSize, GetRand(n).c_str());
}

void GetRand(wchar_t* dest, unsigned int n)
{
    GetRand(dest, 11, n);
}

} // namespace KV
