#include "kvfwctrl/stats/Lap.h"
#include "kvfwctrl/stats/StreamLimit.h"
#include "kvstruct/core/Serialize.h"
#include "kvstruct/core/TextCopy.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace KV {

CLap::CLap() : m_nID(0xFFFFFFFF)
{
    Clear();
}

CLap::CLap(const CLap& other) : CLap()
{
    *this = other;
}

CLap::~CLap() = default;

void CLap::Clear()
{
    m_nCorrect = m_nErrors = m_nGoodWords = m_nBadWords = 0;
    m_nDuration = m_nIrregChar = m_nIrregWord = m_nTypeLesson = 0;
    if (!m_sNameLesson.IsEmpty())
        m_sNameLesson.Empty();
    std::memset(&m_date, 0, sizeof(m_date));
    m_statLetter.Clear();
}

CLap& CLap::operator=(const CLap& other)
{
    if (&other == this)
        return *this;
    m_nCorrect = other.m_nCorrect;
    m_nErrors = other.m_nErrors;
    m_nGoodWords = other.m_nGoodWords;
    m_nBadWords = other.m_nBadWords;
    m_nDuration = other.m_nDuration;
    m_nIrregChar = other.m_nIrregChar;
    m_nIrregWord = other.m_nIrregWord;
    m_nTypeLesson = other.m_nTypeLesson;
    m_sNameLesson = other.m_sNameLesson;
    m_date = other.m_date;
    m_statLetter = other.m_statLetter;
    m_nID = other.m_nID;
    return *this;
}

CLap& CLap::operator+=(const CLap& other)
{
    m_date = other.m_date;
    m_nTypeLesson = other.m_nTypeLesson;
    if (m_sNameLesson != L"--")
        m_sNameLesson = L"--";
    m_nCorrect = static_cast<unsigned short>(m_nCorrect + other.m_nCorrect);
    m_nErrors = static_cast<unsigned short>(m_nErrors + other.m_nErrors);
    m_nGoodWords = static_cast<unsigned short>(m_nGoodWords + other.m_nGoodWords);
    m_nBadWords = static_cast<unsigned short>(m_nBadWords + other.m_nBadWords);
    m_nIrregChar = static_cast<unsigned short>(m_nIrregChar + other.m_nIrregChar);
    m_nIrregWord = static_cast<unsigned short>(m_nIrregWord + other.m_nIrregWord);
    m_nDuration = static_cast<unsigned short>(m_nDuration + other.m_nDuration);
    m_statLetter += other.m_statLetter;
    return *this;
}

void CLap::SetDate()
{
    ::GetSystemTime(&m_date);
}

void CLap::GetDate(wchar_t* buffer, size_t size) const
{
    wchar_t text[32];
    swprintf(text, 32, L"%02d/%02d/%02d", static_cast<int>(m_date.wMonth), static_cast<int>(m_date.wDay),
             static_cast<int>(m_date.wYear) - 2000);
    CopyToBuffer(buffer, size, text);
}

SYSTEMTIME CLap::GetDuration() const
{
    SYSTEMTIME t;
    std::memset(&t, 0, sizeof(t));
    t.wMinute = static_cast<WORD>(m_nDuration / 60);
    t.wSecond = static_cast<WORD>(m_nDuration % 60);
    return t;
}

namespace {

unsigned short PerMinute(unsigned short count, unsigned short seconds)
{
    if (seconds == 0)
        return 0;
    double perMinute = (static_cast<double>(count) / seconds) * 60.0;
    return static_cast<unsigned short>(static_cast<long>(perMinute) & 0xFFFF);
}

} // namespace

unsigned short CLap::GetSpeedWPM() const
{
    return PerMinute(m_nGoodWords, m_nDuration);
}

unsigned short CLap::GetSpeedCPM() const
{
    return PerMinute(m_nCorrect, m_nDuration);
}

double CLap::GetAccuracyProc() const
{
    if (m_nCorrect == 0)
        return 0.0;
    return 100.0 - m_nErrors * 100.0 / (m_nCorrect + m_nErrors);
}

double CLap::GetErrorProc() const
{
    return 100.0 - GetAccuracyProc();
}

double CLap::GetIrregCharProc() const
{
    if (m_nCorrect == 0 || m_nIrregChar > m_nCorrect)
        return 0.0;
    return m_nIrregChar * 100.0 / (m_nCorrect + m_nErrors);
}

// Same calendar day. Comparing the day of the month alone would put every pass of a month
// into one "day" row as long as the days only go up.
int CLap::IsDateDay(SYSTEMTIME date) const
{
    return m_date.wDay == date.wDay && m_date.wMonth == date.wMonth && m_date.wYear == date.wYear;
}

int CLap::IsDateWeek(SYSTEMTIME) const
{
    return 1;
}

int CLap::IsDateMonth(SYSTEMTIME) const
{
    return 1;
}

void CLap::AddStatLetter(const wchar_t* text, const short* marks, unsigned long onlyFaulty,
                         unsigned long sortOrder)
{
    m_statLetter.AddStatistic(text, marks, onlyFaulty, sortOrder);
}

void CLap::EndLap()
{
    m_nErrors = m_statLetter.GetParam(2);
    m_nCorrect = static_cast<unsigned short>(m_statLetter.GetAllNumber() - m_nErrors);
    m_nIrregChar = m_statLetter.GetParam(3);
}

void CLap::Serialize(std::ostream& out) const
{
    CByteWriter bytes(24 + CByteWriter::StatLettersSize(m_statLetter) +
                      CByteWriter::StringSize(m_sNameLesson));
    bytes.US(4);
    bytes.US(m_nCorrect);
    bytes.US(m_nErrors);
    bytes.US(m_nGoodWords);
    bytes.US(m_nBadWords);
    bytes.US(m_nDuration);
    bytes.US(m_nIrregChar);
    bytes.US(m_date.wYear);
    bytes.US(m_date.wMonth);
    bytes.US(m_date.wDay);
    bytes.StatLetters(m_statLetter);
    bytes.US(m_nTypeLesson);
    bytes.String(m_sNameLesson);
    bytes.US(m_nIrregWord);
    bytes.Flush(out);
}

void CLap::Serialize(std::istream& in)
{
    Clear();
    const unsigned short version = SerializeUS(in);
    if (version >= 1)
    {
        // Six counts, then year, month and day.
        unsigned char b[18];
        ReadBytes(in, b, 18);
        m_nCorrect = GetUS(b);
        m_nErrors = GetUS(b + 2);
        m_nGoodWords = GetUS(b + 4);
        m_nBadWords = GetUS(b + 6);
        m_nDuration = GetUS(b + 8);
        m_nIrregChar = GetUS(b + 10);
        m_date.wYear = GetUS(b + 12);
        m_date.wMonth = GetUS(b + 14);
        m_date.wDay = GetUS(b + 16);
    }
    if (version >= 2)
        m_statLetter.Serialize(in);
    if (version >= 3)
    {
        m_nTypeLesson = SerializeUS(in);
        ReadString(in, m_sNameLesson);
    }
    if (version >= 4)
        m_nIrregWord = SerializeUS(in);
}

} // namespace KV
