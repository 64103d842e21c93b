#include "app/typing/TypingEngine.h"
#include "app/typing/DeadKeys.h"

#include "kvfwctrl/keyboard/Keyboard.h"
#include "kvfwctrl/lessons/LessonList.h"
#include "kvfwctrl/stats/LapList.h"
#include "kvfwctrl/stats/Letter.h"
#include "kvfwctrl/typing/BaseInput.h"
#include "kvinterf/widgets/Progress.h"
#include "kvstruct/files/IniTable.h"
#include "kvstruct/input/KeyboardLayer.h"

#include <cstring>
#include <cwchar>

namespace {

// Game sounds of a session.
enum : unsigned short {
    kSoundTitle = 0,
    kSoundStart = 1,
    kSoundPause = 5,
    kSoundClick = 6,
    kSoundShift = 7,
    kSoundError = 8,
    kSoundDelay = 9,
};

const unsigned short kRhythmAfterMiss = 200;
const unsigned short kRhythmShortest = 50;
const long kRhythmDivisor = 35;

bool IsDown(int virtualKey)
{
    return (KV::GetKeyboardLayer()->GetKeyState(virtualKey) & 0x8000) != 0;
}

} // namespace

void CTypingEngine::tagRhythmMeter::Count(long now)
{
    if (count == 0)
        start = now;
    if (count == span)
    {
        // Five intervals between six keystrokes; this keystroke does not open the next one.
        duration = now - start;
        count = 0;
        return;
    }
    ++count;
}

CTypingEngine::CTypingEngine()
    : m_pHost(nullptr), m_pDoc(nullptr), m_pView(nullptr), m_pKeyboard(nullptr), m_pLessonBar(nullptr),
      m_pErrorBar(nullptr), m_pRhythmBar(nullptr), m_wPendingDead(0), m_nLastCounted(-1), m_nArmed(1),
      m_nActive(0), m_nWordBad(0), m_nWordIrregular(0), m_bPaused(true), m_bLapStarted(false),
      m_bAwaitChar(false), m_nLastStepMs(0), m_nLastPaintMs(0)
{}

void CTypingEngine::SetUp(ITypingHost* host, ITypingDoc* doc, KV::CBaseInput* view, KV::CKeyboard* keyboard,
                          KV::CProgress* lessonBar, KV::CProgress* errorBar, KV::CProgress* rhythmBar)
{
    m_pHost = host;
    m_pDoc = doc;
    m_pView = view;
    m_pKeyboard = keyboard;
    m_pLessonBar = lessonBar;
    m_pErrorBar = errorBar;
    m_pRhythmBar = rhythmBar;
}

// --- lesson text ---

KV::CLesson* CTypingEngine::GetLesson()
{
    KV::CLapList* lap = m_pDoc ? m_pDoc->GetpLapList() : nullptr;
    KV::CLessonList* lessons = lap ? m_pDoc->GetpLessonList(lap->GetCourseID()) : nullptr;
    return lessons ? lessons->Get(lap->GetLessonID()) : nullptr;
}

const wchar_t* CTypingEngine::GetTextW()
{
    KV::CLesson* lesson = GetLesson();
    return lesson ? lesson->GetTextW() : nullptr;
}

const char* CTypingEngine::GetTextA()
{
    KV::CLesson* lesson = GetLesson();
    return lesson ? lesson->GetTextA() : nullptr;
}

wchar_t CTypingEngine::GetExpectedChar()
{
    KV::CLesson* lesson = GetLesson();
    const wchar_t* text = lesson ? lesson->GetTextW() : nullptr;
    if (!text || !*text)
        return 0;
    KV::CLapList* lap = m_pDoc->GetpLapList();
    const unsigned long length = std::wcslen(text);
    if (lap->GetLetterIndex() > length)
        lap->SetLetterIndex(0);
    return text[lap->GetLetterIndex()];
}

// --- messages ---

int CTypingEngine::OnKeyDown(UINT virtualKey, UINT repeat, UINT flags)
{
    if (IsDown(VK_CONTROL))
        return 0;
    KV::CLapList* lap = m_pDoc ? m_pDoc->GetpLapList() : nullptr;
    if (!lap)
        return 0;
    if (m_bPaused)
    {
        // The key only resumes the lesson; it is not judged.
        Pause(0, 0, 1, 1);
        lap->StartLap();
        m_bLapStarted = true;
        return 1;
    }
    if (m_bLapStarted)
    {
        if (KV::CLesson* lesson = GetLesson())
        {
            lap->SetNameLesson(lesson->GetName());
            if (lesson->GetType())
                lap->SetTypeLesson(lesson->GetType());
        }
        SetActive(1);
        m_bLapStarted = false;
    }
    const int taken = ProcessKey(virtualKey, repeat, flags);
    if (m_pView && m_pKeyboard)
        m_pView->SetLetterZoneParam(m_pKeyboard->GetCurrentKeyColor(),
                                    static_cast<int>(m_pKeyboard->GetCurrentShiftState()));
    return taken;
}

void CTypingEngine::OnChar(wchar_t ch)
{
    if (!m_bAwaitChar)
        return;
    m_bAwaitChar = false;
    if (!m_bPaused && GetExpectedChar())
        Judge(ch, 0);
}

void CTypingEngine::OnKeyUp(UINT)
{
    KV::CKeyboardLayer* layer = KV::GetKeyboardLayer();
    if ((layer->GetKeyState(VK_CAPITAL) & 0x8001) && m_pHost)
        m_pHost->ShowCapsLockBox();
}

void CTypingEngine::OnTimer()
{
    KV::CLapList* lap = m_pDoc ? m_pDoc->GetpLapList() : nullptr;
    if (!lap || m_bPaused || !m_pHost || !m_pHost->IsTypingPageShown() || !GetExpectedChar())
        return;
    lap->SetCurTime();
    if (m_pView)
        m_pView->SetTime(lap->GetCurTotalTime());
    if (m_nActive)
        StepRhythm();
    // The clock and the animation need no more frames than a display shows.
    const unsigned long now = m_pHost->GetClockMs();
    if (m_pView && now - m_nLastPaintMs >= kFrameMs)
    {
        m_nLastPaintMs = now;
        m_pView->Invalidate(FALSE);
    }
}

void CTypingEngine::StepRhythm()
{
    // One step per full period since the last step, so the bar fills at the same speed
    // whatever the timer's resolution; missed periods are caught up.
    const unsigned long now = m_pHost->GetClockMs();
    const unsigned long steps = (now - m_nLastStepMs) / kRhythmStepMs;
    if (!steps || !m_pRhythmBar)
        return;
    m_nLastStepMs += steps * kRhythmStepMs;
    if (m_pView)
        m_pView->AddSpeedLetter();
    for (unsigned long i = 0; i < steps; ++i)
    {
        m_pRhythmBar->AddStep();
        if (m_pRhythmBar->IsFull())
        {
            if (m_pView)
            {
                m_pView->AddSpeed();
                m_pView->ResetSpeedLetter();
            }
            RhythmEvent(GetExpectedChar());
            SetActive(0);
            return;
        }
    }
}

void CTypingEngine::OnKillFocus(HWND newFocus)
{
    KV::CLapList* lap = m_pDoc ? m_pDoc->GetpLapList() : nullptr;
    if (!newFocus && !m_bPaused && lap)
        Pause(1, lap->GetLetterIndex() == 0, 0, 0);
}

// --- pause and commands ---

void CTypingEngine::Pause(int paused, int start, int byKey, int sound)
{
    m_bPaused = paused != 0;
    if (m_pHost)
    {
        if (m_bPaused)
            m_pHost->StopLessonTimer();
        else
            m_pHost->StartLessonTimer();
        if (m_pHost->IsTypingPageShown() && sound && m_pHost->IsInterfaceSoundOn())
            Play(start ? kSoundTitle : byKey ? kSoundStart : kSoundPause);
        // The rhythm bar measures from the moment typing may go on.
        m_nLastStepMs = m_pHost->GetClockMs();
    }
    if (m_pView)
    {
        m_pView->SetFlagPause(paused);
        m_pView->SetFlagStart(start);
        m_pView->Invalidate(FALSE);
    }
    if (KV::CLapList* lap = m_pDoc ? m_pDoc->GetpLapList() : nullptr)
        lap->PauseLap(paused);
    if (m_bPaused)
    {
        ShowAllKeys();
        if (m_pKeyboard)
            m_pKeyboard->SetShowHands(0);
    }
    else if (const wchar_t ch = GetExpectedChar())
    {
        ShowKey(ch);
        if (m_pKeyboard)
        {
            if (m_pView)
                m_pView->SetLetterZoneParam(m_pKeyboard->GetCurrentKeyColor(),
                                            static_cast<int>(m_pKeyboard->GetCurrentShiftState()));
            m_pKeyboard->SetShowHands(m_pDoc->GetShowHands());
        }
    }
    if (m_pRhythmBar)
        m_pRhythmBar->Reset();
}

void CTypingEngine::PauseContinue()
{
    m_meter.Reset();
    if (m_pRhythmBar)
        m_pRhythmBar->SetLength(kRhythmAfterMiss);
    KV::CLapList* lap = m_pDoc ? m_pDoc->GetpLapList() : nullptr;
    if (!m_bPaused)
        Pause(1, lap && lap->GetLetterIndex() == 0, 0, 1);
    else
        Pause(0, 0, 0, 1);
    if (m_pDoc)
        m_pDoc->SaveUser();
}

void CTypingEngine::RestartLesson()
{
    KV::CLapList* lap = m_pDoc ? m_pDoc->GetpLapList() : nullptr;
    if (!lap)
        return;
    Pause(1, 1, 0, 1);
    if (m_pRhythmBar)
        m_pRhythmBar->Reset();
    lap->SetLetterIndex(0);
    lap->ResetStatisticLap();
    Reset();
    if (m_pView && m_pRhythmBar)
        m_pView->SetTotalSpeedLetter(m_pRhythmBar->GetLength());
    NewErrorMarks();
    if (GetExpectedChar())
    {
        if (m_pView)
            m_pView->SetMainText(GetTextA(), lap->GetLetterIndex());
        if (m_pHost)
            m_pHost->RefreshView();
    }
    if (m_pKeyboard)
        m_pKeyboard->SetShowHands(0);
    m_bPaused = true;
    m_pDoc->SaveUser();
}

void CTypingEngine::MakePauseTexts(const KV::CIniTable* language, KV::CLesson* lesson, std::wstring texts[5])
{
    for (int i = 0; i < 5; ++i)
        texts[i].clear();
    if (!lesson)
        return;
    auto text = [language](const wchar_t* key) -> std::wstring {
        const wchar_t* value = language ? language->GetW(key) : L"";
        return *value ? value : key;
    };
    texts[0] = text(L"Pause");
    texts[1] = text(L"AreYouReady");
    texts[2] = text(L"PressAnyKey");
    texts[3] = text(L"Section") + L": " + text(lesson->GetParentName());
    texts[4] = text(L"Lesson") + L": " + lesson->GetName();
}

void CTypingEngine::SetPauseTexts(const KV::CIniTable* language, UINT)
{
    // Interface texts stay UTF-16: the layout's code page may not hold the interface language
    // (a Russian interface on a US layout).
    std::wstring texts[5];
    MakePauseTexts(language, GetLesson(), texts);
    if (m_pView)
        m_pView->SetPauseTextW(texts[0].c_str(), texts[1].c_str(), texts[2].c_str(), texts[3].c_str(),
                               texts[4].c_str());
}

void CTypingEngine::StartLesson(unsigned long course, unsigned long lessonId, bool courseHasLessons)
{
    KV::CLapList* lap = m_pDoc ? m_pDoc->GetpLapList() : nullptr;
    if (!lap)
        return;
    lap->ResetLap();
    if (KV::CLessonList* lessons = m_pDoc->GetpLessonList(lap->GetCourseID()))
        lessons->RemoveText(lap->GetLessonID());
    lap->StartLap();
    if (courseHasLessons)
    {
        lap->SetCourseID(course);
        lap->SetLessonID(lessonId);
    }
    lap->SetLetterIndex(0);
    if (m_pHost)
        m_pHost->LessonMadeReady();
    RestartLesson();
}

// --- judging ---

int CTypingEngine::ProcessKey(UINT virtualKey, UINT, UINT flags)
{
    // The repeat count is not used: a held key is judged once per repeated message.
    if (m_pHost)
        m_meter.Count(static_cast<long>(m_pHost->GetClockMs()));
    const wchar_t expected = GetExpectedChar();
    if (!expected)
        return 0;
    KV::CLapList* lap = m_pDoc->GetpLapList();
    if (m_pView)
        m_pView->SetMainText(GetTextA(), lap->GetLetterIndex());
    const UINT scanCode = flags & 0xFF;
    if (scanCode == 0 && virtualKey != VK_SHIFT)
    {
        // A keystroke the system composed itself (a dead key with its letter): its character
        // message follows.
        m_bAwaitChar = true;
        return 1;
    }
    KV::CKeyboardLayer* layer = KV::GetKeyboardLayer();
    BYTE state[256] = {};
    layer->GetKeyboardState(state);
    wchar_t buffer[4] = {};
    const int n = layer->ToUnicode(virtualKey, scanCode, state, buffer, 4, 0, layer->GetActiveLayout());
    if (n < 0)
    {
        m_wPendingDead = buffer[0];
        return 1;
    }
    // A dead key followed by a letter it does not combine with gives both characters: the
    // letter is what was typed.
    wchar_t typed = buffer[0];
    if (n >= 2 && m_wPendingDead && buffer[0] == m_wPendingDead)
        typed = buffer[1];
    // Keys without a character (arrows, function keys, Ctrl, Alt) are neither right nor wrong.
    if (n == 0 && virtualKey != VK_SHIFT)
        return 1;
    Judge(typed, virtualKey);
    return 1;
}

void CTypingEngine::Judge(wchar_t typed, UINT virtualKey)
{
    KV::CLapList* lap = m_pDoc->GetpLapList();
    const wchar_t expected = GetExpectedChar();
    SetActive(1);
    if (expected == L' ')
        CloseWord(true);
    if (m_wPendingDead)
    {
        if (typed != m_wPendingDead)
            typed = ComposeDeadKey(m_wPendingDead, typed);
        // Shift held for a capital keeps the accent for the letter that follows.
        if (!IsDown(VK_SHIFT))
            m_wPendingDead = 0;
    }
    if (typed == expected)
    {
        CorrectKey(expected);
        unsigned long index = lap->GetLetterIndexNext();
        const wchar_t* text = GetTextW();
        if (text && index > std::wcslen(text))
            lap->SetLetterIndex(index = 0);
        const wchar_t next = GetExpectedChar();
        if (next)
        {
            if (m_pView)
                m_pView->SetMainText(GetTextA(), lap->GetLetterIndex());
            ShowKey(next);
        }
        else
        {
            CloseWord(false);
            EndLesson();
            NewErrorMarks();
            if (m_pView)
                m_pView->SetMainText(GetTextA(), lap->GetLetterIndex());
        }
    }
    else if (virtualKey != VK_SHIFT)
        WrongKey(expected);
    else
        Play(kSoundShift);
}

void CTypingEngine::CloseWord(bool countIrregular)
{
    KV::CLapList* lap = m_pDoc->GetpLapList();
    if (m_nWordBad)
        lap->AddBadWord();
    else
        lap->AddGoodWord();
    if (countIrregular && m_nWordIrregular)
        lap->AddIrregWord();
    m_nWordBad = 0;
    m_nWordIrregular = 0;
}

void CTypingEngine::CorrectKey(wchar_t expected)
{
    KV::CLapList* lap = m_pDoc->GetpLapList();
    const long index = static_cast<long>(lap->GetLetterIndex());
    if (index != m_nLastCounted)
    {
        Play(kSoundClick);
        if (m_nArmed)
        {
            m_pDoc->GetpLetterList()->AddGood(expected);
            const long length = m_meter.duration / kRhythmDivisor;
            if (m_pRhythmBar)
                m_pRhythmBar->SetLength(
                    static_cast<unsigned short>(length > kRhythmShortest ? length : kRhythmShortest));
            if (m_pLessonBar)
                m_pLessonBar->AddStep();
            m_nLastCounted = index;
            if (m_pView && m_pLessonBar)
            {
                m_pView->SetPart(static_cast<unsigned short>(m_pLessonBar->GetUsedRate()));
                m_pView->ResetSpeedLetter();
            }
        }
        else
        {
            // The error at this position already stepped the lesson bar.
            m_nArmed = 1;
        }
    }
    if (m_pRhythmBar)
        m_pRhythmBar->Reset();
}

void CTypingEngine::WrongKey(wchar_t expected)
{
    KV::CLapList* lap = m_pDoc->GetpLapList();
    if (m_nArmed)
    {
        Play(kSoundError);
        m_pDoc->GetpLetterList()->AddBad(expected);
        lap->AddStatError(static_cast<int>(lap->GetLetterIndex()), 1);
        if (m_pLessonBar)
            m_pLessonBar->AddStep();
        if (m_pErrorBar)
            m_pErrorBar->AddStep();
        m_nArmed = 0;
        m_nWordBad = 1;
    }
    m_meter.Reset();
    if (m_pRhythmBar)
    {
        m_pRhythmBar->Reset();
        m_pRhythmBar->SetLength(kRhythmAfterMiss);
    }
}

void CTypingEngine::RhythmEvent(wchar_t)
{
    if (!m_nArmed)
        return;
    KV::CLapList* lap = m_pDoc->GetpLapList();
    Play(kSoundDelay);
    lap->AddStatError(static_cast<int>(lap->GetLetterIndex()), 2);
    m_nWordIrregular = 1;
    m_meter.Reset();
    if (m_pRhythmBar)
    {
        m_pRhythmBar->Reset();
        m_pRhythmBar->SetLength(kRhythmAfterMiss);
    }
}

wchar_t CTypingEngine::EndLesson()
{
    KV::CLapList* lap = m_pDoc->GetpLapList();
    if (m_pView)
        m_pView->EmptyText();
    SetActive(0);
    if (m_pRhythmBar)
        m_pRhythmBar->Reset();
    if (m_pLessonBar)
        m_pLessonBar->AddStep();
    // The clock of the lap may lag behind by the ticks a busy queue held back.
    lap->SetCurTime();
    if (const wchar_t* text = GetTextW())
        lap->AddStatLetter(text, 1, 2);
    lap->EndLap();
    int result = 0;
    if (m_pHost)
    {
        m_pHost->StopLessonTimer();
        result = m_pHost->ShowResults();
    }
    KV::CLessonList* lessons = m_pDoc->GetpLessonList(lap->GetCourseID());
    if (result == 2 && lessons)
    {
        lap->ResetLap();
        lessons->RemoveText(lap->GetLessonID());
        lap->SetLessonID(lessons->GetNextID(lap->GetLessonID()));
        lap->SetLetterIndex(0);
    }
    else
    {
        lap->ResetStatisticLap();
        lap->SetLetterIndex(0);
    }
    m_pDoc->SaveUser();
    if (m_pHost)
        m_pHost->LessonMadeReady();
    Pause(1, lap->GetLetterIndex() == 0, 0, 1);
    Reset();
    return GetExpectedChar();
}

void CTypingEngine::Reset()
{
    m_nLastCounted = -1;
    m_nArmed = 1;
    m_nActive = 0;
    m_nWordBad = 0;
    m_nWordIrregular = 0;
    m_wPendingDead = 0;
    m_bAwaitChar = false;
    KV::CLapList* lap = m_pDoc ? m_pDoc->GetpLapList() : nullptr;
    KV::CLesson* lesson = GetLesson();
    const unsigned short length = lesson ? lesson->GetLength() : 0;
    if (m_pLessonBar)
    {
        m_pLessonBar->Reset();
        m_pLessonBar->SetLength(length);
        if (lap)
            m_pLessonBar->AddStep(lap->GetCurTotalChar());
    }
    if (m_pErrorBar)
    {
        m_pErrorBar->Reset();
        m_pErrorBar->SetLength(length);
        if (lap)
            m_pErrorBar->AddStep(lap->GetCurError());
    }
    m_meter.Reset();
    if (m_pRhythmBar)
        m_pRhythmBar->SetLength(kRhythmAfterMiss);
}

void CTypingEngine::SetActive(int active)
{
    // The rhythm bar measures from the moment the engine becomes active.
    if (active && !m_nActive && m_pHost)
        m_nLastStepMs = m_pHost->GetClockMs();
    m_nActive = active ? 1 : 0;
}

// --- helpers ---

void CTypingEngine::ShowKey(wchar_t ch)
{
    if (!m_pKeyboard)
        return;
    KV::CKeyboardLayer* layer = KV::GetKeyboardLayer();
    const SHORT scan = layer->VkKeyScan(ch, layer->GetActiveLayout());
    const wchar_t text[2] = {ch, 0};
    m_pKeyboard->SetActiveKey(text, static_cast<unsigned char>((scan >> 8) & 0xFF));
}

void CTypingEngine::ShowAllKeys()
{
    KV::CLapList* lap = m_pDoc ? m_pDoc->GetpLapList() : nullptr;
    KV::CLessonList* lessons = lap ? m_pDoc->GetpLessonList(lap->GetCourseID()) : nullptr;
    if (!m_pKeyboard || !lessons)
        return;
    wchar_t symbols[1024] = {};
    lessons->GetUniSymbols(lap->GetLessonID(), symbols, 1024);
    m_pKeyboard->SetActiveKeys(symbols);
}

void CTypingEngine::NewErrorMarks()
{
    KV::CLapList* lap = m_pDoc->GetpLapList();
    lap->ClearStatError();
    const char* text = GetTextA();
    short* marks = lap->NewStatError(text ? static_cast<int>(std::strlen(text)) : 0);
    if (m_pView)
        m_pView->SetpStatError(marks);
}

void CTypingEngine::Play(unsigned short code)
{
    if (m_pDoc)
        m_pDoc->PlayGameSound(code);
}
