#include "kvfwctrl/stats/LapList.h"
#include "kvfwctrl/stats/StreamLimit.h"
#include "kvfwctrl/keyboard/Layout.h"
#include "kvstruct/core/Serialize.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace KV {

namespace {

__int64 SystemClock()
{
    return _time64(nullptr);
}

LapTimeSource g_timeSource = &SystemClock;

} // namespace

__int64 GetLapTime()
{
    return g_timeSource();
}

LapTimeSource SetLapTimeSource(LapTimeSource source)
{
    LapTimeSource previous = g_timeSource;
    g_timeSource = source ? source : &SystemClock;
    return previous;
}

CString KLIDFromNumber(unsigned short number)
{
    wchar_t text[16];
    swprintf(text, 16, L"%08u", static_cast<unsigned>(number));
    return CString(text);
}

CLapList::CLapList()
{
    Init();
}

CLapList::~CLapList()
{
    Clear();
}

void CLapList::Init()
{
    m_pCurLap = nullptr;
    m_llSegmentStart = 0;
    m_llAccumulated = 0;
    m_nLessonID = 1;
    m_nCourseID = 0;
    m_nLetterIndex = 0;
    m_nSelectLesson = 1;
    m_pStatError = nullptr;
    m_nStatError = 0;
    m_nStatErrorAlloc = 0;
    m_sKLID = GetActiveKLID();
}

bool CLapList::IsStored(const CLap* lap) const
{
    return lap && std::find(m_laps.begin(), m_laps.end(), lap) != m_laps.end();
}

void CLapList::Clear()
{
    ClearCurrentLap();
    ClearStatError();
    for (CLap* p : m_laps)
        delete p;
    m_laps.clear();
    Init();
}

CStatLetterList* CLapList::GetpStatLetter(unsigned long index) const
{
    CLap* lap = Get(index);
    return lap ? lap->GetpStatLetter() : nullptr;
}

int CLapList::DeleteLap(unsigned long id)
{
    for (auto it = m_laps.begin(); it != m_laps.end(); ++it)
    {
        if ((*it)->GetID() != id)
            continue;
        // The lap being typed may be a stored one; it must not be left dangling.
        if (*it == m_pCurLap)
            m_pCurLap = nullptr;
        delete *it;
        m_laps.erase(it);
        return 1;
    }
    return 0;
}

CLap* CLapList::NewLap()
{
    m_pCurLap = new CLap;
    m_pCurLap->SetID(static_cast<unsigned long>(m_laps.size()));
    return m_pCurLap;
}

void CLapList::ClearCurrentLap()
{
    if (m_pCurLap && !IsStored(m_pCurLap))
        delete m_pCurLap;
    m_pCurLap = nullptr;
}

int CLapList::StartLap()
{
    m_llSegmentStart = GetLapTime();
    if (!m_pCurLap)
        NewLap();
    m_pCurLap->SetDate();
    return 1;
}

void CLapList::PauseLap(int pause)
{
    if (pause)
    {
        if (m_llSegmentStart == 0)
            return;
        m_llAccumulated += GetLapTime() - m_llSegmentStart;
        m_llSegmentStart = 0;
    }
    else
        m_llSegmentStart = GetLapTime();
}

void CLapList::SetCurTime()
{
    if (!m_pCurLap)
        return;
    // While paused only the finished segments count (not the seconds since 1970).
    __int64 running = m_llSegmentStart ? GetLapTime() - m_llSegmentStart : 0;
    m_pCurLap->SetDuration(m_llAccumulated + running);
}

SYSTEMTIME CLapList::GetCurTotalTime() const
{
    if (m_pCurLap)
        return m_pCurLap->GetDuration();
    SYSTEMTIME t = {};
    return t;
}

unsigned short CLapList::GetCurTotalChar() const
{
    return m_pCurLap ? m_pCurLap->GetTotalChar() : 0;
}

unsigned short CLapList::GetCurError() const
{
    return m_pCurLap ? m_pCurLap->GetError() : 0;
}

void CLapList::SetNameLesson(const wchar_t* name)
{
    if (m_pCurLap)
        m_pCurLap->SetNameLesson(name);
}

void CLapList::SetTypeLesson(unsigned short type)
{
    if (m_pCurLap)
        m_pCurLap->SetTypeLesson(type);
}

void CLapList::AddGoodWord()
{
    if (m_pCurLap)
        m_pCurLap->AddGoodWord();
}

void CLapList::AddBadWord()
{
    if (m_pCurLap)
        m_pCurLap->AddBadWord();
}

void CLapList::AddIrregWord()
{
    if (m_pCurLap)
        m_pCurLap->AddIrregWord();
}

void CLapList::AddStatLetter(const wchar_t* text, unsigned long onlyFaulty, unsigned long sortOrder)
{
    if (!m_pCurLap)
        return;
    const size_t length = text ? wcslen(text) : 0;
    if (m_pStatError && m_nStatErrorAlloc < length)
    {
        // Fewer marks than characters: the missing positions count as right.
        std::vector<short> marks(length, 0);
        std::copy(m_pStatError, m_pStatError + m_nStatErrorAlloc, marks.begin());
        m_pCurLap->AddStatLetter(text, marks.data(), onlyFaulty, sortOrder);
        return;
    }
    m_pCurLap->AddStatLetter(text, m_pStatError, onlyFaulty, sortOrder);
}

void CLapList::EndLap()
{
    if (m_pCurLap)
        m_pCurLap->EndLap();
    m_llSegmentStart = 0;
    m_llAccumulated = 0;
    if (IsStored(m_pCurLap))
    {
        m_pCurLap = nullptr;
        return;
    }
    if (!m_pCurLap)
        return;
    m_laps.push_back(m_pCurLap);
    m_pCurLap = nullptr;
    NewLap();
}

void CLapList::ResetLap()
{
    ClearCurrentLap();
    m_llSegmentStart = 0;
    m_llAccumulated = 0;
}

void CLapList::ResetStatisticLap()
{
    if (m_pCurLap)
    {
        m_pCurLap->Clear();
        m_pCurLap->SetDate();
    }
    m_llSegmentStart = 0;
    m_llAccumulated = 0;
}

short* CLapList::NewStatError(int count)
{
    if (count <= 0)
        return nullptr;
    if (m_pStatError && m_nStatError != 0 && m_nStatErrorAlloc == static_cast<size_t>(count))
        return m_pStatError;
    ClearStatError();
    m_pStatError = new short[static_cast<size_t>(count)]();
    m_nStatErrorAlloc = static_cast<size_t>(count);
    m_nStatError = static_cast<unsigned short>(count & 0xFFFF);
    return m_pStatError;
}

void CLapList::AddStatError(int position, short mark)
{
    if (!m_pStatError || position < 0 || static_cast<size_t>(position) >= m_nStatErrorAlloc)
        return;
    short& m = m_pStatError[position];
    if (mark == 2 && m == 1)
        return;
    m = mark;
}

void CLapList::ClearStatError()
{
    delete[] m_pStatError;
    m_pStatError = nullptr;
    m_nStatError = 0;
    m_nStatErrorAlloc = 0;
}

void CLapList::Serialize(std::ostream& out) const
{
    // The stream counts laps in 16 bits; beyond that only the newest laps fit.
    const size_t first = m_laps.size() > 0xFFFF ? m_laps.size() - 0xFFFF : 0;
    SerializeUS(out, 7);
    SerializeUS(out, static_cast<unsigned short>(m_laps.size() - first));
    for (size_t i = first; i < m_laps.size(); ++i)
        m_laps[i]->Serialize(out);
    SerializeUS(out, static_cast<unsigned short>(m_llAccumulated & 0xFFFF));
    if (m_pCurLap)
        m_pCurLap->Serialize(out);
    else
        CLap().Serialize(out);
    SerializeUS(out, static_cast<unsigned short>(m_nLessonID & 0xFFFF));
    SerializeUS(out, static_cast<unsigned short>(m_nLetterIndex & 0xFFFF));
    SerializeUS(out, static_cast<unsigned short>(m_nSelectLesson & 0xFFFF));
    m_sKLID.Serialize(out);
    SerializeUS(out, m_nStatError);
    for (unsigned short j = 0; j < m_nStatError; ++j)
        SerializeUS(out, static_cast<unsigned short>(m_pStatError[j]));
    SerializeUS(out, static_cast<unsigned short>(m_nCourseID & 0xFFFF));
}

void CLapList::Serialize(std::istream& in)
{
    Clear();
    const unsigned short version = SerializeUS(in);
    if (version >= 1)
    {
        // A lap record holds at least its version word.
        const unsigned long count = LimitCount(in, SerializeUS(in), 2);
        m_laps.reserve(count);
        for (unsigned long i = 0; i < count && HasMoreData(in); ++i)
        {
            CLap* lap = new CLap;
            lap->Serialize(in);
            lap->SetID(static_cast<unsigned long>(m_laps.size()));
            m_laps.push_back(lap);
        }
    }
    if (version >= 2)
    {
        if (!m_pCurLap)
            NewLap();
        m_llAccumulated = SerializeUS(in);
        if (m_llAccumulated)
            m_pCurLap->SetDuration(m_llAccumulated);
    }
    if (version >= 3)
    {
        if (!m_pCurLap)
            NewLap();
        m_pCurLap->Serialize(in);
        m_pCurLap->SetDuration(m_llAccumulated);
    }
    if (version == 4)
        m_sKLID = KLIDFromNumber(SerializeUS(in));
    if (version >= 4)
    {
        m_nLessonID = SerializeUS(in);
        m_nLetterIndex = SerializeUS(in);
        m_nSelectLesson = SerializeUS(in);
    }
    if (version >= 5)
    {
        CString klid;
        klid.Serialize(in);
        // A damaged list keeps the active layout rather than an empty name.
        if (!in.fail())
            m_sKLID = klid;
    }
    if (version >= 6)
    {
        ClearStatError();
        const unsigned long count = SerializeUS(in);
        // Marks are allocated only for what the data can hold.
        const unsigned long fit = LimitCount(in, count, 2, 0);
        if (fit == count && NewStatError(static_cast<int>(count)))
        {
            for (unsigned long j = 0; j < count; ++j)
                AddStatError(static_cast<int>(j), static_cast<short>(SerializeUS(in)));
        }
        else
        {
            // Damaged: keep no marks and skip what is left of them.
            for (unsigned long j = 0; j < fit; ++j)
                SerializeUS(in);
        }
    }
    if (version >= 7)
        m_nCourseID = SerializeUS(in);
}

} // namespace KV
