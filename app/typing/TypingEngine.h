#pragma once
// The keystroke judge of a lesson: translates each key, composes dead keys, compares the
// character with the lesson text and counts good and bad letters, words and rhythm events;
// keeps the lesson paused or running and drives the view, the keyboard, the bars and sounds.
// The main window forwards its key, timer and focus messages and the lesson commands.
#include "app/typing/TypingLink.h"

#include <string>

namespace KV {
class CIniTable;
class CBaseInput;
class CKeyboard;
class CProgress;
class CLesson;
} // namespace KV

class CTypingEngine
{
public:
    // Keystrokes per rhythm measurement and the step period of the rhythm bar.
    static const unsigned short kRhythmSpan = 5;
    static const long kRhythmResetDuration = 10500;
    static const unsigned long kRhythmStepMs = 11;
    // Shortest time between two frames of the view that the timer asks for: about 32 a
    // second, what a default Windows timer (15.6 ms) gives anyway, so that the level's
    // figures, which move a step a frame, move at the same speed on every machine (under
    // Wine the timer ticks every 10 ms), for half the processor of a frame per refresh.
    static const unsigned long kFrameMs = 30;

    struct tagRhythmMeter
    {
        unsigned short span = kRhythmSpan;
        unsigned short count = 0;
        long start = 0;
        long duration = kRhythmResetDuration;
        void Reset()
        {
            count = 0;
            duration = kRhythmResetDuration;
        }
        void Count(long now);
    };

    CTypingEngine();

    void SetUp(ITypingHost* host, ITypingDoc* doc, KV::CBaseInput* view, KV::CKeyboard* keyboard,
               KV::CProgress* lessonBar, KV::CProgress* errorBar, KV::CProgress* rhythmBar);

    // --- messages of the main window ---
    // 1 when the key was taken (resumed or judged), 0 when Ctrl is held or there is no text.
    int OnKeyDown(UINT virtualKey, UINT repeat, UINT flags);
    // The character message after a key-down without scan code: the system composed a dead
    // key with its letter into one keystroke, and this is the character to judge.
    void OnChar(wchar_t ch);
    void OnKeyUp(UINT virtualKey);
    void OnTimer();
    // Focus leaving the program (no receiving window of its own) pauses the lesson.
    void OnKillFocus(HWND newFocus);

    // --- lesson commands ---
    void Pause(int paused, int start, int byKey, int sound);
    void PauseContinue();
    void RestartLesson();
    // Drops the current lap and starts the lesson chosen in the lesson tree; the tree's course
    // is taken only when it has lessons (the user course may be empty).
    void StartLesson(unsigned long course, unsigned long lessonId, bool courseHasLessons);
    bool IsPaused() const { return m_bPaused; }

    // The view's pause texts for the current lesson, in the code page of the user's layout.
    // The texts are given to the view in UTF-16 whatever the layout's code page (kept as a
    // parameter for the callers; the view draws any language).
    void SetPauseTexts(const KV::CIniTable* language, UINT codePage);
    // Pause, "are you ready", "press any key", section line and lesson line; all empty
    // without a lesson.
    static void MakePauseTexts(const KV::CIniTable* language, KV::CLesson* lesson, std::wstring texts[5]);

    // --- judging ---
    int ProcessKey(UINT virtualKey, UINT repeat, UINT flags);
    void CorrectKey(wchar_t expected);
    void WrongKey(wchar_t expected);
    void RhythmEvent(wchar_t expected);
    wchar_t EndLesson();
    void Reset();
    void SetActive(int active);
    int IsActive() const { return m_nActive; }

    // The lesson character at the letter index (0 at the end or without a lesson).
    wchar_t GetExpectedChar();
    wchar_t GetPendingDead() const { return m_wPendingDead; }
    long GetLastCounted() const { return m_nLastCounted; }
    int IsArmed() const { return m_nArmed; }
    int IsWordBad() const { return m_nWordBad; }
    int IsWordIrregular() const { return m_nWordIrregular; }
    const tagRhythmMeter& GetRhythmMeter() const { return m_meter; }

private:
    KV::CLesson* GetLesson();
    const wchar_t* GetTextW();
    const char* GetTextA();
    void Judge(wchar_t typed, UINT virtualKey);
    void CloseWord(bool countIrregular);
    void ShowKey(wchar_t ch);
    void ShowAllKeys();
    void NewErrorMarks();
    void Play(unsigned short code);
    void StepRhythm();

    ITypingHost* m_pHost;
    ITypingDoc* m_pDoc;
    KV::CBaseInput* m_pView;
    KV::CKeyboard* m_pKeyboard;
    KV::CProgress* m_pLessonBar;
    KV::CProgress* m_pErrorBar;
    KV::CProgress* m_pRhythmBar;
    wchar_t m_wPendingDead;
    long m_nLastCounted;
    int m_nArmed;
    int m_nActive;
    int m_nWordBad;
    int m_nWordIrregular;
    tagRhythmMeter m_meter;

    bool m_bPaused;
    bool m_bLapStarted;
    // A key-down without scan code waits for its character message.
    bool m_bAwaitChar;
    // Clock reading of the rhythm bar's last step; the bar steps once per full period since.
    unsigned long m_nLastStepMs;
    unsigned long m_nLastPaintMs;
};
