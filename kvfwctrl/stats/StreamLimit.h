#pragma once
// Internal to kvfwctrl: helpers of the statistics stream. Counts read from a stream are
// bounded by what its remaining bytes can hold, and records are moved in whole blocks
// (one stream call per record instead of one per field: files hold millions of fields).
#include "kvfwctrl/stats/StatLetter.h"
#include "kvstruct/core/CString.h"
#include "kvstruct/core/Serialize.h"
#include <algorithm>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace KV {

// The count, or fewer when the rest of the stream cannot hold that many records of at
// least minBytes each. Totals up to `unchecked` bytes are let through without measuring
// the stream (record loops also stop at the end of the data), which keeps seeks rare.
inline unsigned long LimitCount(std::istream& in, unsigned long count, unsigned long minBytes,
                                unsigned long long unchecked = 4096)
{
    if (!in.good())
        return 0;
    unsigned long long need = static_cast<unsigned long long>(count) * minBytes;
    if (need <= unchecked)
        return count;
    long long left = StreamBytesLeft(in);
    if (left < 0)
        return count;
    unsigned long long fit = static_cast<unsigned long long>(left) / minBytes;
    return fit < count ? static_cast<unsigned long>(fit) : count;
}

// True while the stream is usable and has at least one more byte to read.
inline bool HasMoreData(std::istream& in)
{
    return in.good() && in.rdbuf()->sgetc() != std::char_traits<char>::eof();
}

// n bytes at once, with the rules of the primitives: missing bytes read as 0 and a short
// read fails the stream. Returns the bytes really read.
inline std::streamsize ReadBytes(std::istream& in, unsigned char* bytes, std::streamsize n)
{
    std::fill(bytes, bytes + n, 0);
    if (!in.good())
    {
        in.setstate(std::ios::failbit);
        return 0;
    }
    std::streamsize got = in.rdbuf()->sgetn(reinterpret_cast<char*>(bytes), n);
    if (got < 0)
        got = 0;
    if (got < n)
    {
        std::fill(bytes + got, bytes + n, 0);
        in.setstate(std::ios::eofbit | std::ios::failbit);
    }
    return got;
}

inline unsigned short GetUS(const unsigned char* b)
{
    return static_cast<unsigned short>(b[0] | (b[1] << 8));
}

// Builds one record in memory (on the stack when small) and writes it with one call.
class CByteWriter
{
public:
    // `capacity` is an upper bound of the bytes that will be put.
    explicit CByteWriter(size_t capacity)
    {
        if (capacity > sizeof(m_stack))
            m_heap.resize(capacity);
        m_start = m_p = m_heap.empty() ? m_stack : m_heap.data();
    }
    CByteWriter(const CByteWriter&) = delete;
    CByteWriter& operator=(const CByteWriter&) = delete;

    void US(unsigned short value)
    {
        m_p[0] = static_cast<char>(value & 0xFF);
        m_p[1] = static_cast<char>(value >> 8);
        m_p += 2;
    }
    // The string form of CString (count, then the units).
    void String(const CString& text)
    {
        const unsigned short n = static_cast<unsigned short>(text.GetLength() & 0xFFFF);
        US(n);
        const wchar_t* p = text.GetW();
        for (unsigned short i = 0; i < n; ++i)
            US(static_cast<unsigned short>(p[i]));
    }
    // The letter-statistics record (version 1) with its letter records (version 2).
    void StatLetters(const CStatLetterList& list)
    {
        const unsigned short count = static_cast<unsigned short>(StatLetterCount(list));
        US(1);
        US(count);
        for (unsigned short i = 0; i < count; ++i)
            StatLetter(*list.m_letters[i]);
    }
    // The letter record (version 2): letter, number, errors, irregular.
    void StatLetter(const CStatLetter& r)
    {
        US(2);
        US(static_cast<unsigned short>(r.GetLetter()));
        US(r.GetNumber());
        US(r.GetError());
        US(r.GetIrreg());
    }
    static const size_t kStatLetterSize = 10;
    void Flush(std::ostream& out)
    {
        std::streamsize n = static_cast<std::streamsize>(m_p - m_start);
        if (out.good() && out.rdbuf()->sputn(m_start, n) != n)
            out.setstate(std::ios::badbit);
        m_p = m_start;
    }

    static size_t StatLetterCount(const CStatLetterList& list)
    {
        return std::min<size_t>(list.m_letters.size(), 0xFFFF);
    }
    static size_t StatLettersSize(const CStatLetterList& list)
    {
        return 4 + kStatLetterSize * StatLetterCount(list);
    }
    static size_t StringSize(const CString& text)
    {
        return 2 + 2 * std::min<size_t>(text.GetLength(), 0xFFFF);
    }

private:
    char m_stack[1024];
    std::vector<char> m_heap;
    char* m_start;
    char* m_p;
};

// Reads the string form in one block; the units that were there are kept.
inline void ReadString(std::istream& in, CString& text)
{
    const unsigned short n = SerializeUS(in);
    unsigned char stackBytes[512];
    wchar_t stackUnits[257];
    std::vector<unsigned char> heapBytes;
    std::vector<wchar_t> heapUnits;
    unsigned char* bytes = stackBytes;
    wchar_t* units = stackUnits;
    if (n > 256)
    {
        heapBytes.resize(static_cast<size_t>(n) * 2);
        heapUnits.resize(static_cast<size_t>(n) + 1);
        bytes = heapBytes.data();
        units = heapUnits.data();
    }
    std::streamsize got = n ? ReadBytes(in, bytes, static_cast<std::streamsize>(n) * 2) : 0;
    const size_t count = static_cast<size_t>(got + 1) / 2;
    for (size_t i = 0; i < count; ++i)
        units[i] = static_cast<wchar_t>(GetUS(&bytes[2 * i]));
    units[count] = 0;
    text = units;
}

} // namespace KV
