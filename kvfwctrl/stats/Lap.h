#pragma once
// One pass through one lesson: counts, duration, date, lesson and per-character statistics.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvfwctrl/stats/StatLetter.h"
#include "kvstruct/core/CString.h"
#include <windows.h>
#include <istream>
#include <ostream>

namespace KV {

class KVFWCTRL_API CLap
{
public:
    CLap();
    CLap(const CLap& other);
    CLap& operator=(const CLap& other);
    CLap& operator+=(const CLap& other);

    // Overridden by groups of laps, which may average them per lap.
    virtual unsigned short GetAccuracy() const { return m_nCorrect; }
    virtual unsigned short GetError() const { return m_nErrors; }
    // Virtual so that a group is always freed as a group.
    virtual ~CLap();

    // Counts, duration, type and date zero, name empty, letter statistics cleared; ID kept.
    void Clear();

    void SetNameLesson(const wchar_t* name) { m_sNameLesson = name; }
    const wchar_t* GetNameLesson() const { return m_sNameLesson; }
    void SetTypeLesson(unsigned short type) { m_nTypeLesson = type; }
    unsigned short GetTypeLesson() const { return m_nTypeLesson; }
    void SetID(unsigned long id) { m_nID = id; }
    unsigned long GetID() const { return m_nID; }

    // Current UTC date; "MM/DD/YY" text of it.
    void SetDate();
    // "MM/DD/YY", cut to size units; without a size at most 32.
    void GetDate(wchar_t* buffer, size_t size) const;
    void GetDate(wchar_t* buffer) const { GetDate(buffer, 32); }
    const SYSTEMTIME& GetSystemDate() const { return m_date; }
    void SetSystemDate(const SYSTEMTIME& date) { m_date = date; }

    void SetDuration(__int64 seconds) { m_nDuration = static_cast<unsigned short>(seconds & 0xFFFF); }
    unsigned short GetTotalTimeSec() const { return m_nDuration; }
    // Minutes (not carried into hours) and seconds of the duration.
    SYSTEMTIME GetDuration() const;

    unsigned short GetTotalChar() const { return static_cast<unsigned short>(m_nCorrect + m_nErrors); }
    unsigned short GetIrregChar() const { return m_nIrregChar; }
    unsigned short GetIrregWord() const { return m_nIrregWord; }
    unsigned short GetGoodWord() const { return m_nGoodWords; }
    unsigned short GetBadWord() const { return m_nBadWords; }
    void AddGoodWord() { ++m_nGoodWords; }
    void AddBadWord() { ++m_nBadWords; }
    void AddIrregWord() { ++m_nIrregWord; }

    unsigned short GetSpeedWPM() const;
    unsigned short GetSpeedCPM() const;
    double GetAccuracyProc() const;
    double GetErrorProc() const;
    double GetIrregCharProc() const;

    int IsDateDay(SYSTEMTIME date) const;
    int IsDateWeek(SYSTEMTIME date) const;
    int IsDateMonth(SYSTEMTIME date) const;

    void AddStatLetter(const wchar_t* text, const short* marks, unsigned long onlyFaulty,
                       unsigned long sortOrder);
    CStatLetterList* GetpStatLetter() { return &m_statLetter; }
    const CStatLetterList* GetpStatLetter() const { return &m_statLetter; }

    // Totals from the letter statistics: errors, correct characters, irregular characters.
    void EndLap();

    // Version 4.
    void Serialize(std::ostream& out) const;
    void Serialize(std::istream& in);

protected:
    unsigned short m_nCorrect;
    unsigned short m_nErrors;
    unsigned short m_nGoodWords;
    unsigned short m_nBadWords;
    unsigned short m_nDuration;
    unsigned short m_nIrregChar;
    unsigned short m_nIrregWord;
    unsigned short m_nTypeLesson;
    CString m_sNameLesson;
    SYSTEMTIME m_date;
    CStatLetterList m_statLetter;
    unsigned long m_nID;
};

} // namespace KV
