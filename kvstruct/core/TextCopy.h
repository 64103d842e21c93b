#pragma once
// Copying text into a caller's buffer of known size: the text is cut, never overrun, and the
// buffer always ends with a terminator. Inline so every module uses the same rule.
#include <cstddef>
#include <cwchar>
#include <string>

namespace KV {

// Copies at most size - 1 characters of src (null: nothing) and terminates; returns dest.
template <typename Char>
inline Char* CopyText(Char* dest, size_t size, const Char* src)
{
    if (!dest || !size)
        return dest;
    size_t n = src ? std::char_traits<Char>::length(src) : 0;
    if (n > size - 1)
        n = size - 1;
    if (n)
        std::char_traits<Char>::move(dest, src, n);
    dest[n] = 0;
    return dest;
}

// CopyText for callers that need to know whether the whole text fitted.
inline bool CopyToBuffer(wchar_t* buffer, size_t size, const wchar_t* text)
{
    if (!buffer || size == 0)
        return false;
    CopyText(buffer, size, text);
    return !text || wcslen(text) < size;
}

// Appends src to the text in dest, cut so that the whole stays within size characters.
inline wchar_t* AppendText(wchar_t* dest, size_t size, const wchar_t* src)
{
    if (!dest || !size)
        return dest;
    size_t used = wcsnlen(dest, size);
    if (used >= size)
    {
        dest[size - 1] = 0; // an unterminated buffer is cut too
        return dest;
    }
    CopyText(dest + used, size - used, src);
    return dest;
}

} // namespace KV
