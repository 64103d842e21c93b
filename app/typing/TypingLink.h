#pragma once
// What the typing engine needs from the user's document and from the main window, so the
// engine can be driven by either the real program or a test.
#include <windows.h>

namespace KV {
class CLapList;
class CLetterList;
class CLessonList;
} // namespace KV

// The current user's statistics, letters and lessons.
class ITypingDoc
{
public:
    virtual ~ITypingDoc() {}
    // Lap list of the active keyboard layout: current lap, course, lesson and letter index.
    virtual KV::CLapList* GetpLapList() = 0;
    virtual KV::CLetterList* GetpLetterList() = 0;
    // Course 0 the standard library, 1 the user's own lessons.
    virtual KV::CLessonList* GetpLessonList(unsigned long course) = 0;
    // Plays a game sound when the user's sound option is on.
    virtual void PlayGameSound(unsigned short code) = 0;
    // Saves the user's files; a failure is reported to the user by the document.
    virtual int SaveUser() = 0;
    virtual int GetShowHands() = 0;
};

// The main window's side of a session.
class ITypingHost
{
public:
    virtual ~ITypingHost() {}
    virtual void StartLessonTimer() = 0;
    virtual void StopLessonTimer() = 0;
    virtual bool IsTypingPageShown() = 0;
    // Cleared while the window rebuilds a page.
    virtual bool IsInterfaceSoundOn() = 0;
    // Milliseconds of a steady clock.
    virtual unsigned long GetClockMs() = 0;
    // The results dialog over the main window; 2 for "next lesson".
    virtual int ShowResults() = 0;
    // A lesson was made current: select it in the lesson tree, refresh the view, set the pause
    // texts.
    virtual void LessonMadeReady() = 0;
    // Background level, clock, speed graph and part of the view made fresh.
    virtual void RefreshView() = 0;
    // The modal reminder that Caps Lock is on.
    virtual void ShowCapsLockBox() = 0;
};
