#pragma once
// Owned zero-terminated UTF-16 string; the buffer is never null.
#include "kvstruct/kvstruct_api.h"
#include "kvstruct/core/TextCopy.h"

#include <cstddef>
#include <istream>
#include <ostream>

namespace KV {

class KVSTRUCT_API CString
{
public:
    CString();
    CString(const wchar_t* text);
    CString(const CString& other);
    CString(CString&& other) noexcept;
    ~CString();

    CString& operator=(const wchar_t* text);
    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;

    const wchar_t* GetW(unsigned long index = 0) const { return m_pBuffer + index; }
    wchar_t* Data(unsigned long index = 0) { return m_pBuffer + index; }
    operator const wchar_t*() const { return m_pBuffer; }

    unsigned long GetLength() const;
    bool IsEmpty() const { return m_pBuffer[0] == 0; }
    void Empty();

    bool operator==(const wchar_t* text) const;
    bool operator==(const CString& other) const { return *this == other.m_pBuffer; }
    bool operator!=(const wchar_t* text) const { return !(*this == text); }
    bool operator!=(const CString& other) const { return !(*this == other.m_pBuffer); }

    // Stores U+FFFE followed by text (text shorter than 4,095 characters); empty text gives "".
    void InitUniCode(const wchar_t* text);

    // UInt16 count of code units, then the units; no terminator.
    void Serialize(std::ostream& out) const;
    void Serialize(std::istream& in);

    // Integer to text in radix 2..36; the unsized form writes at most 34 characters, the sized
    // one cuts to size - 1.
    static wchar_t* Itow(wchar_t* buffer, long value, int radix);
    static wchar_t* Itow(wchar_t* buffer, size_t size, long value, int radix);
    // Equality test (1 when equal), not an ordering.
    static int Cmp(const wchar_t* a, const wchar_t* b);
    // Append and copy into an array, cut to its size (never exported: the size is the array's).
    template <size_t N>
    static wchar_t* Cat(wchar_t (&dst)[N], const wchar_t* src)
    {
        return AppendText(dst, N, src);
    }
    template <size_t N>
    static wchar_t* Copy(wchar_t (&dst)[N], const wchar_t* src)
    {
        return CopyText(dst, N, src);
    }

private:
    void Assign(const wchar_t* text, unsigned long length);

    wchar_t* m_pBuffer;
};

} // namespace KV
