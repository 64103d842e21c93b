#pragma once
// The laps of one keyboard layout, the lap being typed with its clock and error marks, and
// the user's place in the course for that layout.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvfwctrl/stats/Lap.h"
#include "kvstruct/core/CString.h"
#include <istream>
#include <ostream>
#include <vector>

namespace KV {

// Seconds of the calendar clock used by the lap clock (_time64 unless replaced).
typedef __int64 (*LapTimeSource)();
KVFWCTRL_API __int64 GetLapTime();
// Installs another clock (tests); nullptr restores _time64. Returns the previous one.
KVFWCTRL_API LapTimeSource SetLapTimeSource(LapTimeSource source);

class KVFWCTRL_API CLapList
{
public:
    CLapList();
    CLapList(const CLapList&) = delete;
    CLapList& operator=(const CLapList&) = delete;
    virtual ~CLapList();

    void Init();
    void Clear();

    unsigned long GetSize() const { return static_cast<unsigned long>(m_laps.size()); }
    CLap* Get(unsigned long index) const { return index < m_laps.size() ? m_laps[index] : nullptr; }
    CStatLetterList* GetpStatLetter(unsigned long index) const;
    int DeleteLap(unsigned long id);

    CLap* GetCurLap() const { return m_pCurLap; }
    int StartLap();
    void PauseLap(int pause);
    void SetCurTime();
    SYSTEMTIME GetCurTotalTime() const;
    unsigned short GetCurTotalChar() const;
    unsigned short GetCurError() const;
    void SetNameLesson(const wchar_t* name);
    void SetTypeLesson(unsigned short type);
    void AddGoodWord();
    void AddBadWord();
    void AddIrregWord();
    void AddStatLetter(const wchar_t* text, unsigned long onlyFaulty, unsigned long sortOrder);
    void EndLap();
    void ResetLap();
    void ResetStatisticLap();

    short* NewStatError(int count);
    void AddStatError(int position, short mark);
    void ClearStatError();
    short* GetpStatError() const { return m_pStatError; }
    unsigned short GetSizeStatError() const { return m_nStatError; }

    void SetLessonID(unsigned long id) { m_nLessonID = id; }
    unsigned long GetLessonID() const { return m_nLessonID; }
    void SetCourseID(unsigned long id) { m_nCourseID = id; }
    unsigned long GetCourseID() const { return m_nCourseID; }
    void SetLetterIndex(unsigned long index) { m_nLetterIndex = index; }
    unsigned long GetLetterIndex() const { return m_nLetterIndex; }
    unsigned long GetLetterIndexNext() { return ++m_nLetterIndex; }
    void SetSelectLesson(unsigned long id) { m_nSelectLesson = id; }
    unsigned long GetSelectLesson() const { return m_nSelectLesson; }
    void SetKLID(const wchar_t* klid) { m_sKLID = klid; }
    const wchar_t* GetKLID() const { return m_sKLID; }

    // Version 7.
    void Serialize(std::ostream& out) const;
    void Serialize(std::istream& in);

protected:
    CLap* NewLap();
    void ClearCurrentLap();
    bool IsStored(const CLap* lap) const;

    std::vector<CLap*> m_laps;
    CLap* m_pCurLap;
    unsigned long m_nLessonID;
    unsigned long m_nCourseID;
    unsigned long m_nLetterIndex;
    __int64 m_llSegmentStart;
    __int64 m_llAccumulated;
    unsigned long m_nSelectLesson;
    CString m_sKLID;
    short* m_pStatError;
    unsigned short m_nStatError;
    // Marks really allocated (the stored count is 16 bits); bounds every write.
    size_t m_nStatErrorAlloc;
};

// "00000409" from the number 409 (layouts of old statistics streams).
KVFWCTRL_API CString KLIDFromNumber(unsigned short number);

} // namespace KV
