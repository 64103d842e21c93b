#pragma once
// Helpers shared by the statistics tests: byte builders, a settable clock, laps with given
// counts and lists that take such laps.
#include "kvfwctrl/kvfwctrl.h"
#include "kvtesting/KeyboardLayerTable.h"

#include <cstring>
#include <sstream>
#include <string>

namespace stattest {

// Little-endian stream bytes written by hand.
struct Bytes
{
    std::string s;
    Bytes& us(unsigned v)
    {
        s += static_cast<char>(v & 0xFF);
        s += static_cast<char>((v >> 8) & 0xFF);
        return *this;
    }
    Bytes& str(const wchar_t* t)
    {
        us(static_cast<unsigned>(wcslen(t)));
        for (; *t; ++t)
            us(static_cast<unsigned short>(*t));
        return *this;
    }
    Bytes& raw(const std::string& more)
    {
        s += more;
        return *this;
    }
};

// The lap clock reads `now` while alive.
class FakeClock
{
public:
    FakeClock()
    {
        m_previous = KV::SetLapTimeSource(&Now);
        Value() = 1000000;
    }
    ~FakeClock() { KV::SetLapTimeSource(m_previous); }
    void Set(__int64 t) { Value() = t; }
    void Advance(__int64 s) { Value() += s; }
    static __int64& Value()
    {
        static __int64 now = 0;
        return now;
    }

private:
    static __int64 Now() { return Value(); }
    KV::LapTimeSource m_previous;
};

// A United States layout active while alive, so that new lists get "00000409".
class UsLayout
{
public:
    explicit UsLayout(const wchar_t* klid = L"00000409") : m_layer(klid)
    {
        m_previous = KV::SetKeyboardLayer(&m_layer);
    }
    ~UsLayout() { KV::SetKeyboardLayer(m_previous); }

private:
    KV::CTableKeyboardLayer m_layer;
    KV::CKeyboardLayer* m_previous;
};

struct TestLap : KV::CLap
{
    TestLap& Counts(unsigned short correct, unsigned short errors, unsigned short goodWords = 0,
                    unsigned short duration = 0, unsigned short irregChar = 0)
    {
        m_nCorrect = correct;
        m_nErrors = errors;
        m_nGoodWords = goodWords;
        m_nDuration = duration;
        m_nIrregChar = irregChar;
        return *this;
    }
    TestLap& Date(int y, int m, int d)
    {
        std::memset(&m_date, 0, sizeof(m_date));
        m_date.wYear = static_cast<WORD>(y);
        m_date.wMonth = static_cast<WORD>(m);
        m_date.wDay = static_cast<WORD>(d);
        return *this;
    }
    TestLap& Type(unsigned short t)
    {
        m_nTypeLesson = t;
        return *this;
    }
    TestLap& Name(const wchar_t* n)
    {
        m_sNameLesson = n;
        return *this;
    }
    TestLap& Letter(wchar_t c, unsigned short number, unsigned short errors, unsigned short irreg)
    {
        KV::CStatLetter r;
        r.AddStatLetter(c, number, errors, irreg);
        KV::CStatLetterList one;
        one.Append(r);
        m_statLetter += one;
        return *this;
    }
};

// A lap list whose stored laps and current lap can be set directly.
struct TestLapList : KV::CLapList
{
    TestLap& Add()
    {
        TestLap* lap = new TestLap;
        lap->SetID(static_cast<unsigned long>(m_laps.size()));
        m_laps.push_back(lap);
        return *lap;
    }
    void MakeStoredCurrent(unsigned long index) { m_pCurLap = m_laps[index]; }
    __int64 Accumulated() const { return m_llAccumulated; }
    __int64 SegmentStart() const { return m_llSegmentStart; }
};

inline std::string Write(const KV::CLapListLang& store)
{
    std::ostringstream out;
    store.Serialize(out);
    return out.str();
}

} // namespace stattest
