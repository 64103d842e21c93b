#include "app/typing/DeadKeys.h"

#include <windows.h>
#include <cwchar>

namespace {

struct DeadRow
{
    wchar_t dead;
    wchar_t marks[3]; // combining marks, zero-terminated
    const wchar_t* bases;
};

// Turkish dotted capital I (U+0130) and dotless i (U+0131) are listed where they combine as
// I and i do.
const DeadRow kRows[] = {
    {0x0385, {0x0308, 0x0301, 0}, L"\x03B9\x03C5"},
    {0x0384,
     {0x0301, 0, 0},
     L"\x0391\x0395\x0397\x0399\x039F\x03A5\x03A9\x03B1\x03B5\x03B7\x03B9\x03BF\x03C5\x03C9"},
    {0x005E, {0x0302, 0, 0}, L"AEGIOUaegiou\x0130\x0131"},
    {0x0060, {0x0300, 0, 0}, L"AEIOUaeiou\x0130\x0131"},
    {0x007E, {0x0303, 0, 0}, L"ANOano"},
    {0x02C7, {0x030C, 0, 0}, L"CDELNRSTZcdelnrstz"},
    {0x00A8, {0x0308, 0, 0}, L"AEIOUaeiouy\x0399\x03A5\x03B9\x03C5\x0130\x0131"},
    {0x02D8, {0x0306, 0, 0}, L"Aa"},
    {0x00B0, {0x030A, 0, 0}, L"AUau"},
    {0x02D9, {0x0307, 0, 0}, L"Zz"},
    {0x02DD, {0x030B, 0, 0}, L"OUou"},
    {0x00B8, {0x0327, 0, 0}, L"CScs"},
    {0x02DB, {0x0328, 0, 0}, L"AEae"},
    {0x00B4, {0x0301, 0, 0}, L"ACEILNORSUYZaceilnorsuyz\x0130\x0131"},
};

typedef int(WINAPI* NormalizeFn)(int, const wchar_t*, int, wchar_t*, int);

NormalizeFn Normalizer()
{
    static NormalizeFn fn = [] {
        FARPROC p = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "NormalizeString");
        if (!p)
        {
            HMODULE normaliz = LoadLibraryW(L"normaliz.dll");
            p = normaliz ? GetProcAddress(normaliz, "NormalizeString") : nullptr;
        }
        return reinterpret_cast<NormalizeFn>(reinterpret_cast<void*>(p));
    }();
    return fn;
}

} // namespace

wchar_t ComposeDeadKey(wchar_t dead, wchar_t base)
{
    for (const DeadRow& row : kRows)
    {
        if (row.dead != dead)
            continue;
        if (base == L' ')
            return dead;
        if (!base || !std::wcschr(row.bases, base))
            return base;
        wchar_t decomposed[4] = {base == 0x0130   ? L'I'
                                 : base == 0x0131 ? L'i'
                                                  : base,
                                 row.marks[0], row.marks[1], row.marks[2]};
        NormalizeFn normalize = Normalizer();
        wchar_t composed[8] = {};
        const int n = normalize ? normalize(1 /* NormalizationC */, decomposed,
                                            static_cast<int>(std::wcslen(decomposed)), composed, 8)
                                : 0;
        // The table only lists pairs with a precomposed form; anything else keeps the base.
        return n == 1 ? composed[0] : base;
    }
    return base;
}
