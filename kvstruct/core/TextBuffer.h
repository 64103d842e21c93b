#pragma once
// Writing text into a caller's buffer of known size.
#include <cstddef>
#include <cwchar>

namespace KV {

// Copies text into buffer of size units, cut to fit and always terminated (nothing is written
// when size is 0). True when the whole text fitted.
inline bool CopyToBuffer(wchar_t* buffer, size_t size, const wchar_t* text)
{
    if (!buffer || size == 0)
        return false;
    if (!text)
        text = L"";
    size_t n = 0;
    for (; n + 1 < size && text[n]; ++n)
        buffer[n] = text[n];
    buffer[n] = 0;
    return text[n] == 0;
}

} // namespace KV
