#pragma once
// The program's one document: the current user's header, statistics, letter counts, window
// places, options and both lesson libraries, with the user's three files.
#include "app/doc/HeaderDoc.h"
#include "app/doc/OptionsDoc.h"
#include "app/doc/PlacesDoc.h"
#include "app/typing/TypingLink.h"
#include "kvfwctrl/lessons/LessonList.h"
#include "kvfwctrl/stats/LapListLang.h"
#include "kvfwctrl/stats/Letter.h"

#include <functional>
#include <istream>
#include <string>
#include <vector>

namespace KV {
class CIniTable;
}

class CWaltzDoc : public ITypingDoc
{
public:
    enum : int {
        LoadNoPath = -2,
        LoadFailed = -7,
    };
    // File versions of the main file: 1 and 2 hold options and places inside.
    static const unsigned short kStaVersion = 3;

    CWaltzDoc();
    CWaltzDoc(const CWaltzDoc&) = delete;
    CWaltzDoc& operator=(const CWaltzDoc&) = delete;
    virtual ~CWaltzDoc();

    // --- the user's files ---
    // Writes the three files through temporary files; nothing is replaced unless all three
    // temporaries were written, and a failed replace stops the rest. Files that could not be
    // read at the last load are first kept as path + ".damaged". 1, or 0 on any failure.
    int Save(const wchar_t* staPath, const wchar_t* optPath, const wchar_t* plaPath);
    // 1; -2 when a path is missing; -7 when the main file's header is refused. Missing options
    // or places keep the defaults.
    int Load(const wchar_t* staPath, const wchar_t* optPath, const wchar_t* plaPath);
    // A main file of any version after its header (the old ones carry options and places);
    // 1 when read whole.
    int ReadMain(std::istream& in);
    // Only a main file, of any version (an old ".usr"): header, then ReadMain. 1 when read
    // whole; the defaults stay for what it lacks.
    int LoadMainFile(const wchar_t* path);
    // Files of the last load that exist but could not be read whole.
    const std::vector<std::wstring>& GetDamaged() const { return m_damaged; }
    // The texts of the messages (the "damaged file kept" notice); may be null.
    void SetpLangTable(KV::CIniTable* table) { m_pLangTable = table; }

    CHeaderDoc& GetHeader() { return m_header; }
    void SetHeader(const CHeaderDoc& header) { m_header = header; }
    KV::CLapListLang& GetStat() { return m_stat; }
    KV::CLetterList& GetLetters() { return m_letters; }
    CPlacesDoc& GetPlaces() { return m_places; }
    COptionsDoc& GetOptions() { return m_options; }
    KV::CLessonList& GetLessonList(unsigned long course) { return course == 1 ? m_lessons[1] : m_lessons[0]; }
    KV::CLessonList& GetCurLessonList() { return GetLessonList(GetCourseID()); }

    // --- what the typing session asks of the document ---
    KV::CLapList* GetpLapList() override { return m_stat.GetCurrent(); }
    KV::CLetterList* GetpLetterList() override { return &m_letters; }
    KV::CLessonList* GetpLessonList(unsigned long course) override { return &GetLessonList(course); }
    void PlayGameSound(unsigned short code) override;
    // Saves through the saver; the first failure of a run is told to the user, later ones
    // only retry. Nothing in memory is lost either way.
    int SaveUser() override;
    int GetShowHands() override { return m_options.m_nShowHands ? 1 : 0; }
    // Saves the user's three files where the user operations keep them; 1 on success.
    void SetSaver(std::function<int()> saver) { m_saver = std::move(saver); }

    // --- statistics of the typing session ---
    KV::CLapList* GetCurLapList() { return m_stat.GetCurrent(); }
    int StartLap() { return GetCurLapList()->StartLap(); }
    void PauseLap(int pause) { GetCurLapList()->PauseLap(pause); }
    void EndLap() { GetCurLapList()->EndLap(); }
    void ResetLap() { GetCurLapList()->ResetLap(); }
    void ResetStatisticLap() { GetCurLapList()->ResetStatisticLap(); }
    void SetCurTime() { GetCurLapList()->SetCurTime(); }
    SYSTEMTIME GetCurTotalTime() { return GetCurLapList()->GetCurTotalTime(); }
    unsigned short GetCurTotalChar() { return GetCurLapList()->GetCurTotalChar(); }
    unsigned short GetCurError() { return GetCurLapList()->GetCurError(); }
    void AddGoodWord() { GetCurLapList()->AddGoodWord(); }
    void AddBadWord() { GetCurLapList()->AddBadWord(); }
    void AddIrregWord() { GetCurLapList()->AddIrregWord(); }
    // Marks the letter at the current index: kind 1 an error, 2 an irregular stroke.
    void AddStatError(short kind);
    // The per-letter statistics of the lap that ends, from the current lesson's text.
    void AddStatLetter(unsigned long onlyFaulty, unsigned long sortOrder);
    void AddGoodLetter(wchar_t letter) { m_letters.AddGood(letter); }
    void AddBadLetter(wchar_t letter) { m_letters.AddBad(letter); }

    // --- lessons ---
    unsigned long GetCourseID() { return m_stat.GetCurrent() ? m_stat.GetCourseID() : 0; }
    void SetCourseID(unsigned long id) { GetCurLapList()->SetCourseID(id); }
    // The current lesson ID after the fall-backs for a library that has shrunk.
    unsigned long GetLessonID();
    void SetLessonID(unsigned long id) { GetCurLapList()->SetLessonID(id); }
    unsigned long GetSelectLesson() { return GetCurLapList()->GetSelectLesson(); }
    void SetSelectLesson(unsigned long id) { GetCurLapList()->SetSelectLesson(id); }
    // None when the current ID is a section or there is no lesson.
    KV::CLesson* GetCurLesson();
    unsigned short GetCurLessonLength();
    const wchar_t* GetCurTextW(unsigned long offset = 0);
    const char* GetCurTextA(unsigned long offset = 0);
    unsigned long GetLetterIndex() { return GetCurLapList()->GetLetterIndex(); }
    // Ignored past the lesson's end.
    void SetLetterIndex(unsigned long index);
    // The expected character at the letter index and at the next one; 0 past the end.
    wchar_t GetCurLetter();
    wchar_t GetNextLetter();
    // Next and previous lesson of the library; the letter index goes back to 0.
    void NextLesson();
    void PrevLesson();
    // The distinct characters of a lesson; buffer holds bufferSize characters.
    void GetUniSymbols(unsigned long id, wchar_t* buffer, size_t bufferSize);
    // Keeps the stored lesson positions inside the current library when it is not empty.
    void ReviseLessonID();

private:
    wchar_t LetterAt(unsigned long index);
    // Copies each damaged file beside itself; false when one could not be kept.
    bool KeepDamaged();

    CHeaderDoc m_header;
    KV::CLapListLang m_stat;
    KV::CLetterList m_letters;
    CPlacesDoc m_places;
    COptionsDoc m_options;
    KV::CLessonList m_lessons[2];

    std::vector<std::wstring> m_damaged;
    KV::CIniTable* m_pLangTable;
    std::function<int()> m_saver;
    bool m_bSaveFailureTold;
};
