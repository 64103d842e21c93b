#include "kvfwctrl/stats/StatLetter.h"
#include "kvfwctrl/stats/StreamLimit.h"
#include "kvstruct/core/Serialize.h"
#include "kvstruct/core/TextCopy.h"

#include <algorithm>
#include <string>
#include <cstdio>
#include <cwchar>

namespace KV {

namespace {

// Writes the text of format and value into buffer, cut to size units with the terminating 0.
template <typename T>
void WriteNumber(wchar_t* buffer, size_t size, const wchar_t* format, T value)
{
    wchar_t text[64];
    swprintf(text, 64, format, value);
    CopyToBuffer(buffer, size, text);
}

void WriteInt(wchar_t* buffer, size_t size, int value)
{
    WriteNumber(buffer, size, L"%i", value);
}

// Texts shorter than this are counted with a plain search instead of a full table.
const size_t kSmallText = 128;

} // namespace

// ---------------------------------------------------------------------------------------
// CStatLetter

CStatLetter::CStatLetter(const CStatLetter* other) : CStatLetter()
{
    if (other)
        *this = *other;
}

void CStatLetter::GetLetter(wchar_t* buffer, size_t size) const
{
    const wchar_t text[2] = {m_cLetter, 0};
    CopyToBuffer(buffer, size, text);
}

void CStatLetter::AddStatLetter(wchar_t letter, unsigned short number, unsigned short errors,
                                unsigned short irreg)
{
    m_cLetter = letter;
    m_nNumber = number;
    m_nErrors = errors;
    m_nIrreg = irreg;
}

int CStatLetter::GetErrorRatio() const
{
    return m_nNumber ? m_nErrors * 100 / m_nNumber : 0;
}

int CStatLetter::GetIrregRatio() const
{
    return m_nNumber ? m_nIrreg * 100 / m_nNumber : 0;
}

void CStatLetter::GetNumber(wchar_t* buffer, size_t size) const
{
    WriteInt(buffer, size, m_nNumber);
}

void CStatLetter::GetError(wchar_t* buffer, size_t size) const
{
    WriteInt(buffer, size, m_nErrors);
}

void CStatLetter::GetIrreg(wchar_t* buffer, size_t size) const
{
    WriteInt(buffer, size, m_nIrreg);
}

void CStatLetter::GetErrorRatio(wchar_t* buffer, size_t size) const
{
    WriteInt(buffer, size, GetErrorRatio());
}

void CStatLetter::GetIrregRatio(wchar_t* buffer, size_t size) const
{
    WriteInt(buffer, size, GetIrregRatio());
}

void CStatLetter::Clear()
{
    AddStatLetter(0, 0, 0, 0);
}

CStatLetter& CStatLetter::operator+=(const CStatLetter& other)
{
    m_nNumber = static_cast<unsigned short>(m_nNumber + other.m_nNumber);
    m_nErrors = static_cast<unsigned short>(m_nErrors + other.m_nErrors);
    m_nIrreg = static_cast<unsigned short>(m_nIrreg + other.m_nIrreg);
    return *this;
}

void CStatLetter::Serialize(std::ostream& out) const
{
    CByteWriter bytes(CByteWriter::kStatLetterSize);
    bytes.StatLetter(*this);
    bytes.Flush(out);
}

void CStatLetter::Serialize(std::istream& in)
{
    const unsigned short version = SerializeUS(in);
    if (version == 0)
        return;
    // Version 1 has letter, number and errors; 2 and later add the irregular count.
    unsigned char b[8];
    ReadBytes(in, b, version >= 2 ? 8 : 6);
    m_cLetter = static_cast<wchar_t>(GetUS(b));
    m_nNumber = GetUS(b + 2);
    m_nErrors = GetUS(b + 4);
    if (version >= 2)
        m_nIrreg = GetUS(b + 6);
}

// ---------------------------------------------------------------------------------------
// CStatLetterList

CStatLetterList::CStatLetterList(const CStatLetterList& other)
    : m_records(other.m_records), m_letters(&m_records), m_nAllNumber(other.m_nAllNumber)
{}

CStatLetterList::~CStatLetterList() = default;

void CStatLetterList::Clear()
{
    m_records.clear();
}

CStatLetterList& CStatLetterList::operator=(const CStatLetterList& other)
{
    if (&other != this)
    {
        m_records = other.m_records;
        m_nAllNumber = other.m_nAllNumber;
    }
    return *this;
}

void CStatLetterList::AddStatLetter(wchar_t letter, unsigned short number, unsigned short errors,
                                    unsigned short irreg)
{
    m_records.emplace_back();
    m_records.back().AddStatLetter(letter, number, errors, irreg);
}

unsigned short CStatLetterList::GetNumSymbol(wchar_t letter, const wchar_t* text) const
{
    unsigned short n = 0;
    for (; *text; ++text)
        if (*text == letter)
            ++n;
    return n;
}

void CStatLetterList::Sort(unsigned long sortOrder)
{
    // Ties keep their order of first appearance (any order would do; this one is repeatable).
    if (sortOrder == 1)
        std::stable_sort(m_records.begin(), m_records.end(), [](const CStatLetter& a, const CStatLetter& b) {
            return a.GetNumber() > b.GetNumber();
        });
    else if (sortOrder == 2)
        std::stable_sort(m_records.begin(), m_records.end(), [](const CStatLetter& a, const CStatLetter& b) {
            return a.GetErrorRatio() > b.GetErrorRatio();
        });
}

void CStatLetterList::AddStatistic(const wchar_t* text, const short* marks, unsigned long onlyFaulty,
                                   unsigned long sortOrder)
{
    if (!text)
        text = L"";
    const size_t length = wcslen(text);
    m_nAllNumber = static_cast<unsigned short>(length);

    // One pass: a record per distinct character in order of first appearance. A character
    // is found through a table indexed by its UTF-16 unit (a plain search for short texts).
    std::vector<CStatLetter> found;
    std::vector<unsigned int> slot;
    const bool useTable = length >= kSmallText;
    if (useTable)
        slot.assign(65536, 0);
    for (size_t i = 0; i < length; ++i)
    {
        const wchar_t c = text[i];
        size_t index = found.size();
        if (useTable)
        {
            unsigned int& s = slot[static_cast<unsigned short>(c)];
            if (s)
                index = s - 1;
            else
                s = static_cast<unsigned int>(found.size() + 1);
        }
        else
        {
            for (size_t k = 0; k < found.size(); ++k)
                if (found[k].GetLetter() == c)
                {
                    index = k;
                    break;
                }
        }
        if (index == found.size())
        {
            found.emplace_back();
            found.back().SetLetter(c);
        }
        CStatLetter& r = found[index];
        r.IncNum();
        const short mark = marks ? marks[i] : 0;
        if (mark == 1)
            r.IncErrors();
        else if (mark == 2)
            r.IncIrreg();
    }

    // Characters that already had a record before the call are left alone.
    std::vector<char> skip(found.size(), 0);
    for (const CStatLetter& p : m_records)
    {
        if (useTable)
        {
            unsigned int s = slot[static_cast<unsigned short>(p.GetLetter())];
            if (s)
                skip[s - 1] = 1;
        }
        else
        {
            for (size_t k = 0; k < found.size(); ++k)
                if (found[k].GetLetter() == p.GetLetter())
                    skip[k] = 1;
        }
    }

    for (size_t k = 0; k < found.size(); ++k)
    {
        if (skip[k])
            continue;
        if (onlyFaulty == 1 && !found[k].GetError() && !found[k].GetIrreg())
            continue;
        Append(found[k]);
    }
    Sort(sortOrder);
}

void CStatLetterList::AddStatistic(const wchar_t* symbols, const wchar_t* text)
{
    if (!text)
        text = L"";
    if (!symbols)
        symbols = L"";
    const size_t length = wcslen(text);
    m_nAllNumber = static_cast<unsigned short>(length);

    std::vector<unsigned short> count;
    if (length >= kSmallText)
    {
        count.assign(65536, 0);
        for (size_t i = 0; i < length; ++i)
            ++count[static_cast<unsigned short>(text[i])];
    }
    for (const wchar_t* s = symbols; *s; ++s)
    {
        unsigned short n = count.empty() ? GetNumSymbol(*s, text) : count[static_cast<unsigned short>(*s)];
        AddStatLetter(*s, n, 0, 0);
    }
    Sort(1);
}

void CStatLetterList::GetAllNumberStr(wchar_t* buffer, size_t size) const
{
    WriteInt(buffer, size, m_nAllNumber);
}

unsigned short CStatLetterList::GetParam(unsigned short kind) const
{
    unsigned short sum = 0;
    for (const CStatLetter& p : m_records)
    {
        if (kind == 1)
            sum = static_cast<unsigned short>(sum + p.GetNumber());
        else if (kind == 2)
            sum = static_cast<unsigned short>(sum + p.GetError());
        else if (kind == 3)
            sum = static_cast<unsigned short>(sum + p.GetIrreg());
    }
    return sum;
}

double CStatLetterList::GetRatioNumber(unsigned long index) const
{
    if (index >= m_records.size() || m_nAllNumber == 0)
        return 0.0;
    return m_records[index].GetNumber() * 100.0 / m_nAllNumber;
}

void CStatLetterList::GetRatioNumber(unsigned long index, wchar_t* buffer, size_t size) const
{
    WriteNumber(buffer, size, L"%.1f", GetRatioNumber(index));
}

double CStatLetterList::GetRatioMax() const
{
    if (m_nAllNumber == 0)
        return 0.0;
    double best = 0.0;
    for (const CStatLetter& p : m_records)
    {
        if (p.IsSpace())
            continue;
        double ratio = p.GetNumber() * 100.0 / m_nAllNumber;
        if (ratio > best)
            best = ratio;
    }
    return best;
}

CStatLetterList& CStatLetterList::operator+=(const CStatLetterList& other)
{
    if (&other == this)
    {
        CStatLetterList copy(other);
        return *this += copy;
    }
    // Groups merge thousands of laps: records are found through a small open-addressing
    // table (letter -> first record, with a chain for repeated letters).
    const size_t n = m_records.size();
    const size_t m = other.m_records.size();
    size_t capacity = 64;
    while (capacity < 2 * (n + m))
        capacity *= 2;
    // Lists of a few hundred characters stay on the stack (no allocation per merge).
    int headSmall[1024];
    int nextSmall[512];
    std::vector<int> headBig, nextBig;
    int* head = headSmall;
    int* next = nextSmall;
    if (n + m > 512)
    {
        headBig.resize(capacity);
        nextBig.resize(n + m);
        head = headBig.data();
        next = nextBig.data();
    }
    std::fill(head, head + capacity, -1);
    auto bucket = [&](wchar_t c) {
        size_t h = (static_cast<size_t>(static_cast<unsigned short>(c)) * 40503u) & (capacity - 1);
        while (head[h] >= 0 && m_records[head[h]].GetLetter() != c)
            h = (h + 1) & (capacity - 1);
        return h;
    };
    auto insert = [&](int index) {
        size_t h = bucket(m_records[index].GetLetter());
        next[index] = head[h];
        head[h] = index;
    };
    for (size_t i = n; i-- > 0;)
        insert(static_cast<int>(i));
    m_records.reserve(n + m);
    for (const CStatLetter& r : other.m_records)
    {
        size_t h = bucket(r.GetLetter());
        if (head[h] < 0)
        {
            Append(r);
            insert(static_cast<int>(m_records.size() - 1));
            continue;
        }
        for (int i = head[h]; i >= 0; i = next[i])
            m_records[i] += r;
    }
    m_nAllNumber = static_cast<unsigned short>(m_nAllNumber + other.m_nAllNumber);
    return *this;
}

void CStatLetterList::Serialize(std::ostream& out) const
{
    CByteWriter bytes(CByteWriter::StatLettersSize(*this));
    bytes.StatLetters(*this);
    bytes.Flush(out);
}

void CStatLetterList::Serialize(std::istream& in)
{
    Clear();
    const unsigned short version = SerializeUS(in);
    if (version == 0)
        return;
    // A letter record holds at least its version word.
    const unsigned long count = LimitCount(in, SerializeUS(in), 2);
    if (count == 0 || !in.good())
        return;
    // Records of the newest version are 10 bytes: take them all in one block, and give
    // back what older, shorter records leave over. Missing bytes read as 0.
    const size_t want = static_cast<size_t>(count) * 10;
    unsigned char stackBlock[1280];
    std::vector<unsigned char> heapBlock;
    unsigned char* block = stackBlock;
    if (want > sizeof(stackBlock))
    {
        heapBlock.resize(want);
        block = heapBlock.data();
    }
    std::streamsize got =
        in.rdbuf()->sgetn(reinterpret_cast<char*>(block), static_cast<std::streamsize>(want));
    if (got < 0)
        got = 0;
    std::fill(block + got, block + want, 0);

    // Records that at least begin inside the data; shorter old records may leave some over.
    size_t records = 0;
    for (size_t pos = 0; records < count && pos < static_cast<size_t>(got); ++records)
    {
        const unsigned short v = GetUS(block + pos);
        pos += v == 0 ? 2 : v == 1 ? 8 : 10;
    }
    m_records.resize(records);

    size_t pos = 0;
    for (size_t i = 0; i < records; ++i)
    {
        const unsigned short v = GetUS(block + pos);
        if (v >= 1)
        {
            m_records[i].AddStatLetter(static_cast<wchar_t>(GetUS(block + pos + 2)), GetUS(block + pos + 4),
                                       GetUS(block + pos + 6), v >= 2 ? GetUS(block + pos + 8) : 0);
        }
        pos += v == 0 ? 2 : v == 1 ? 8 : 10;
    }

    if (pos > static_cast<size_t>(got))
    {
        // The data ended inside the records.
        in.setstate(std::ios::eofbit | std::ios::failbit);
    }
    else if (pos < static_cast<size_t>(got))
    {
        // Older records were shorter: the rest belongs to what follows.
        const std::streamoff extra = static_cast<std::streamoff>(got - static_cast<std::streamsize>(pos));
        if (in.rdbuf()->pubseekoff(-extra, std::ios::cur, std::ios::in) == std::streampos(-1))
        {
            for (size_t k = static_cast<size_t>(got); k-- > pos;)
                if (in.rdbuf()->sputbackc(static_cast<char>(block[k])) == std::char_traits<char>::eof())
                {
                    in.setstate(std::ios::badbit);
                    break;
                }
        }
    }
}

} // namespace KV
