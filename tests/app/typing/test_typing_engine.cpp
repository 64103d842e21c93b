// The keystroke judge driven through the table keyboard layer and a fake clock: errors, words,
// dead keys, the rhythm bar, the end of a lesson and pausing.
#include "app/typing/DeadKeys.h"
#include "app/typing/TypingEngine.h"
#include "kvfwctrl/lessons/LessonList.h"
#include "kvfwctrl/stats/LapList.h"
#include "kvfwctrl/stats/Letter.h"
#include "kvinterf/widgets/Progress.h"
#include "kvstruct/files/IniTable.h"
#include "kvtesting/KeyboardLayerTable.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

struct FakeDoc : ITypingDoc
{
    KV::CLapList laps;
    KV::CLetterList letters;
    KV::CLessonList lessons;
    std::vector<unsigned short> sounds;
    int saves = 0;
    KV::CLapList* GetpLapList() override { return &laps; }
    KV::CLetterList* GetpLetterList() override { return &letters; }
    KV::CLessonList* GetpLessonList(unsigned long course) override
    {
        return course == 0 ? &lessons : nullptr;
    }
    void PlayGameSound(unsigned short code) override { sounds.push_back(code); }
    int SaveUser() override { return ++saves; }
    int GetShowHands() override { return 1; }
    int Count(unsigned short code) const
    {
        int n = 0;
        for (unsigned short s : sounds)
            n += s == code ? 1 : 0;
        return n;
    }
};

struct FakeHost : ITypingHost
{
    unsigned long now = 1000;
    bool timer = false;
    int results = 1, shownResults = 0, ready = 0, capsBoxes = 0;
    void StartLessonTimer() override { timer = true; }
    void StopLessonTimer() override { timer = false; }
    bool IsTypingPageShown() override { return true; }
    bool IsInterfaceSoundOn() override { return true; }
    unsigned long GetClockMs() override { return now; }
    int ShowResults() override { return ++shownResults, results; }
    void LessonMadeReady() override { ++ready; }
    void RefreshView() override {}
    void ShowCapsLockBox() override { ++capsBoxes; }
};

// Document, window, bars and engine of one session.
struct World
{
    FakeDoc doc;
    FakeHost host;
    KV::CProgress lessonBar{KV::SP_LEFT_TO_RIGHT, 0, 1}, errorBar{KV::SP_LEFT_TO_RIGHT, 1, 1},
        rhythmBar{KV::SP_REVERSED, 0, 1};
    CTypingEngine engine;
};

class Session : public ::testing::Test
{
protected:
    KV::CTableKeyboardLayer layer;
    std::unique_ptr<World> world;
    FakeDoc* doc = nullptr;
    FakeHost* host = nullptr;
    CTypingEngine* engine = nullptr;

    void SetUp() override { KV::SetKeyboardLayer(&layer); }
    void TearDown() override { KV::SetKeyboardLayer(nullptr); }

    // A fresh session whose standard course holds the texts; the first lesson is current and
    // running (resumed by a key that is not judged).
    void Start(std::vector<std::wstring> texts, const wchar_t* klid = L"00000409", int results = 1)
    {
        layer.SetActiveLayout(klid);
        layer.ResetDeadKey();
        world.reset(new World());
        doc = &world->doc;
        host = &world->host;
        engine = &world->engine;
        host->results = results;
        for (const std::wstring& text : texts)
        {
            KV::CLesson* lesson = new KV::CLesson(&doc->lessons);
            lesson->SetLessonNameSys(L"test");
            lesson->SetTextW(text.c_str());
            doc->lessons.Add(lesson);
        }
        doc->laps.SetCourseID(0);
        doc->laps.SetLessonID(0);
        doc->laps.SetLetterIndex(0);
        doc->laps.NewStatError(static_cast<int>(texts[0].size()));
        engine->SetUp(host, doc, nullptr, nullptr, &world->lessonBar, &world->errorBar, &world->rhythmBar);
        engine->Reset();
        engine->Pause(1, 1, 0, 0);
        Press(VK_SPACE);
        doc->sounds.clear();
    }
    // One key by virtual key, with Shift held when asked.
    void Press(UINT vk, bool shift = false)
    {
        layer.SetKeyState(VK_SHIFT, shift ? 0x80 : 0);
        engine->OnKeyDown(vk, 1, layer.MapVirtualKey(vk, MAPVK_VK_TO_VSC, layer.GetActiveLayout()));
        layer.SetKeyState(VK_SHIFT, 0);
    }
    // Characters as the active layout types them.
    void Type(const std::wstring& text)
    {
        for (wchar_t c : text)
        {
            const SHORT k = layer.VkKeyScan(c, layer.GetActiveLayout());
            Press(k & 0xFF, (k & 0x100) != 0);
        }
    }
    short Mark(int i) const { return doc->laps.GetpStatError()[i]; }
    const KV::CLap& Lap() const { return *doc->laps.GetCurLap(); }
    unsigned long Index() const { return doc->laps.GetLetterIndex(); }
    const KV::CLetter* Letter(wchar_t c) const
    {
        for (unsigned long i = 0; i < doc->letters.GetSize(); ++i)
            if (doc->letters.Get(i)->GetLetter() == c)
                return doc->letters.Get(i);
        return nullptr;
    }
    KV::CProgress& LessonBar() { return world->lessonBar; }
    KV::CProgress& ErrorBar() { return world->errorBar; }
    KV::CProgress& RhythmBar() { return world->rhythmBar; }
};

} // namespace

TEST(DeadKeys, CompositionRows)
{
    struct Case
    {
        wchar_t dead, base, result;
    } cases[] = {
        {0x00B4, L'e', 0x00E9},   {0x00B4, L'Z', 0x0179},   {0x00B4, L' ', 0x00B4},
        {0x00B4, L'b', L'b'},     {0x00B4, 0x0130, 0x00CD}, {0x00B4, 0x0131, 0x00ED},
        {L'^', L'g', 0x011D},     {L'^', 0x0130, 0x00CE},   {L'^', 0x0131, 0x00EE},
        {L'`', 0x0130, 0x00CC},   {L'`', 0x0131, 0x00EC},   {0x00A8, 0x0130, 0x00CF},
        {0x00A8, 0x0131, 0x00EF}, {0x00A8, L'y', 0x00FF},   {0x00A8, 0x0399, 0x03AA},
        {0x00A8, 0x03C5, 0x03CB}, {L'~', L'n', 0x00F1},     {0x02C7, L'c', 0x010D},
        {0x02C7, L'Z', 0x017D},   {0x02D8, L'a', 0x0103},   {0x00B0, L'u', 0x016F},
        {0x00B0, L'A', 0x00C5},   {0x02D9, L'z', 0x017C},   {0x02DD, L'o', 0x0151},
        {0x00B8, L'c', 0x00E7},   {0x02DB, L'E', 0x0118},   {0x0384, 0x0391, 0x0386},
        {0x0384, 0x03C9, 0x03CE}, {0x0384, L' ', 0x0384},   {0x0385, 0x03B9, 0x0390},
        {0x0385, 0x03C5, 0x03B0}, {0x0385, 0x03B1, 0x03B1}, {L'~', L'e', L'e'},
        {L'x', L'e', L'e'},
    };
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<int>(c.result), static_cast<int>(ComposeDeadKey(c.dead, c.base)))
            << std::hex << static_cast<int>(c.dead) << " + " << static_cast<int>(c.base);
}

TEST_F(Session, APausedKeyOnlyResumesAndStartsALap)
{
    Start({L"ab"});
    EXPECT_FALSE(engine->IsPaused());
    EXPECT_TRUE(host->timer);
    ASSERT_NE(doc->laps.GetCurLap(), nullptr);
    EXPECT_EQ(0u, Index());
    EXPECT_EQ(0, LessonBar().GetUsedStep());
}

TEST_F(Session, TwoWrongKeysCountOneError)
{
    Start({L"abc"});
    Type(L"xxab");
    EXPECT_EQ(2u, Index());
    EXPECT_EQ(1, Mark(0));
    EXPECT_EQ(0, Mark(1));
    EXPECT_EQ(1, doc->Count(8));
    EXPECT_EQ(2, doc->Count(6));
    EXPECT_EQ(2, LessonBar().GetUsedStep()); // the error's step, then b's
    EXPECT_EQ(1, ErrorBar().GetUsedStep());
    ASSERT_EQ(2u, doc->letters.GetSize());
    ASSERT_NE(nullptr, Letter(L'a'));
    ASSERT_NE(nullptr, Letter(L'b'));
    EXPECT_EQ(1, Letter(L'a')->GetBad());
    EXPECT_EQ(0, Letter(L'a')->GetGood());
    EXPECT_EQ(1, Letter(L'b')->GetGood());
    EXPECT_TRUE(engine->IsArmed());
}

TEST_F(Session, WordsCloseAtSpacePositions)
{
    // A wrong key at the space closes the word (good); the space then closes one again, bad.
    Start({L"a b c"});
    Type(L"ax ");
    EXPECT_EQ(1, Lap().GetGoodWord());
    EXPECT_EQ(1, Lap().GetBadWord());
    Type(L"b ");
    EXPECT_EQ(2, Lap().GetGoodWord());
}

TEST_F(Session, ShiftAloneWhereACapitalIsExpected)
{
    Start({L"Ab"});
    Press(VK_SHIFT, true);
    EXPECT_EQ(1, doc->Count(7));
    EXPECT_EQ(0, doc->Count(8));
    EXPECT_EQ(0, ErrorBar().GetUsedStep());
    EXPECT_EQ(0, Mark(0));
    Type(L"A");
    EXPECT_EQ(1u, Index());
}

TEST_F(Session, DeadKeysOfTheGermanLayout)
{
    struct Case
    {
        const char* what;
        std::wstring lesson;
        std::vector<UINT> keys;
        unsigned long index; // reached without an error
    } cases[] = {
        {"acute + e", L"\x00E9x", {VK_OEM_6, 'E'}, 1},
        {"acute + space", L"\x00B4x", {VK_OEM_6, VK_SPACE}, 1},
        {"acute + a base not in its row", L"bx", {VK_OEM_6, 'B'}, 1},
        {"acute twice", L"\x00B4x", {VK_OEM_6, VK_OEM_6}, 1},
        {"circumflex + o", L"\x00F4x", {VK_OEM_5, 'O'}, 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        Start({c.lesson}, L"00000407");
        for (UINT vk : c.keys)
            Press(vk);
        EXPECT_EQ(c.index, Index());
        EXPECT_EQ(0, doc->Count(8));
        EXPECT_EQ(0, engine->GetPendingDead());
    }
}

TEST_F(Session, ComposedKeystrokeWithoutScanCodeIsJudgedByItsCharacter)
{
    Start({L"\x00E9\x00E0"});
    engine->OnKeyDown(0xE5, 1, 0);
    EXPECT_EQ(0u, Index());
    engine->OnChar(0x00E9);
    EXPECT_EQ(1u, Index());
    engine->OnKeyDown(0xE5, 1, 0);
    engine->OnChar(L'a');
    EXPECT_EQ(1u, Index());
    EXPECT_EQ(1, Mark(1));
    engine->OnChar(0x00E0); // a character message without its key-down is not judged again
    EXPECT_EQ(1u, Index());
}

TEST_F(Session, RhythmBarLength)
{
    Start({L"abcdefghijklmnop"});
    EXPECT_EQ(200, RhythmBar().GetLength());
    Type(L"a");
    EXPECT_EQ(300, RhythmBar().GetLength()); // 10500 / 35
    Type(L"x");
    EXPECT_EQ(200, RhythmBar().GetLength());
    // Six keystrokes 100 ms apart: a measurement of 500 ms gives the shortest bar, 50.
    for (wchar_t c : std::wstring(L"bcdefg"))
    {
        host->now += 100;
        Type(std::wstring(1, c));
    }
    Type(L"h");
    EXPECT_EQ(500, engine->GetRhythmMeter().duration);
    EXPECT_EQ(50, RhythmBar().GetLength());
    // Slow keys: 5 intervals of 700 ms give 3500 / 35 = 100.
    for (wchar_t c : std::wstring(L"ijklmn"))
    {
        host->now += 700;
        Type(std::wstring(1, c));
    }
    Type(L"o");
    EXPECT_EQ(100, RhythmBar().GetLength());
}

TEST_F(Session, RhythmBarFillsByTheClockWhateverTheTick)
{
    // 50 steps of 11 ms: full after 550 ms with ticks of 10 ms or 16 ms, and after one late tick.
    for (unsigned long tick : {10ul, 16ul, 600ul})
    {
        SCOPED_TRACE(tick);
        Start({L"abc"});
        Type(L"a");
        RhythmBar().SetLength(50);
        const unsigned long begin = host->now;
        while (RhythmBar().GetUsedStep() < 49 && host->now - begin < 2000)
        {
            host->now += tick;
            engine->OnTimer();
        }
        if (tick != 600)
        {
            EXPECT_GE(host->now - begin, 539u);
            EXPECT_LT(host->now - begin, 550u);
            host->now = begin + 550;
            engine->OnTimer();
        }
        // Full: a rhythm event marks the position and the engine waits for the next key.
        EXPECT_EQ(2, Mark(1));
        EXPECT_EQ(1, doc->Count(9));
        EXPECT_EQ(0, engine->IsActive());
        EXPECT_EQ(200, RhythmBar().GetLength());
        EXPECT_TRUE(engine->IsArmed());
        doc->sounds.clear();
    }
}

TEST_F(Session, EndOfLessonNextOrSame)
{
    struct Case
    {
        int result;
        unsigned long lesson;
    } cases[] = {{2, 1}, {1, 0}, {0, 0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.result);
        Start({L"ab c", L"next"}, L"00000409", c.result);
        Type(L"ab c");
        EXPECT_EQ(1, host->shownResults);
        EXPECT_EQ(1u, doc->laps.GetSize());
        EXPECT_EQ(c.lesson, doc->laps.GetLessonID());
        EXPECT_EQ(0u, Index());
        EXPECT_TRUE(engine->IsPaused());
        EXPECT_FALSE(host->timer);
        EXPECT_EQ(1, doc->Count(0)); // paused at the start
        EXPECT_EQ(0, LessonBar().GetUsedStep());
    }
}

TEST_F(Session, LastCharacterClosesTheLastWordAndStoresTheLap)
{
    Start({L"ab cd"});
    Type(L"ab c");
    host->now += 10000;
    engine->OnTimer(); // a rhythm event in the last word is not counted at its end
    Type(L"d");
    ASSERT_EQ(1u, doc->laps.GetSize());
    const KV::CLap* stored = doc->laps.Get(0);
    EXPECT_EQ(2, stored->GetGoodWord());
    EXPECT_EQ(0, stored->GetIrregWord());
    EXPECT_EQ(1, doc->saves);
}

TEST_F(Session, StartingAnotherLessonPausesItAtItsStart)
{
    Start({L"ab", L"cd"});
    Type(L"ax");
    engine->StartLesson(0, 1, true);
    EXPECT_EQ(1u, doc->laps.GetLessonID());
    EXPECT_EQ(0u, Index());
    EXPECT_TRUE(engine->IsPaused());
    EXPECT_EQ(0, ErrorBar().GetUsedStep());
    EXPECT_EQ(0, Mark(0));
    EXPECT_EQ(1, host->ready);
    Press('Z'); // resumes only
    Type(L"cd");
    EXPECT_EQ(1, host->shownResults);
    // An empty course keeps the current lesson.
    engine->StartLesson(1, 0, false);
    EXPECT_EQ(1u, doc->laps.GetLessonID());
}

TEST_F(Session, AHeldKeyIsJudgedForEveryMessage)
{
    Start({L"aaab"});
    const UINT scan = layer.MapVirtualKey('A', MAPVK_VK_TO_VSC, layer.GetActiveLayout());
    for (int i = 0; i < 3; ++i)
        engine->OnKeyDown('A', 7, scan);
    EXPECT_EQ(3u, Index());
}

TEST_F(Session, KeysWithoutACharacterAreIgnoredAndCapsLockIsReported)
{
    Start({L"ab"});
    for (UINT vk : {VK_LEFT, VK_F5, VK_HOME})
        Press(vk);
    EXPECT_EQ(0, ErrorBar().GetUsedStep());
    EXPECT_EQ(0u, Index());
    engine->OnKeyUp('A');
    EXPECT_EQ(0, host->capsBoxes);
    layer.SetCapsLock(true);
    engine->OnKeyUp('A');
    EXPECT_EQ(1, host->capsBoxes);
    layer.SetCapsLock(false);
}

TEST_F(Session, FocusLostToAnotherProgramPauses)
{
    Start({L"ab"});
    engine->OnKillFocus(reinterpret_cast<HWND>(1));
    EXPECT_FALSE(engine->IsPaused());
    engine->OnKillFocus(nullptr);
    EXPECT_TRUE(engine->IsPaused());
    EXPECT_FALSE(host->timer);
    EXPECT_EQ(0, doc->Count(0)); // no sound
}

TEST(PauseTexts, LanguageTextsKeptInUnicodeWhateverTheLayout)
{
    // A Russian interface with a German lesson name: no single code page holds both.
    KV::CIniTable language;
    language.CreateKey(L"Pause", L"\x041F\x0430\x0443\x0437\x0430");
    language.CreateKey(L"AreYouReady", L"\x0413\x043E\x0442\x043E\x0432\x044B?");
    language.CreateKey(L"PressAnyKey", L"Taste dr\x00FC"
                                       L"cken");
    language.CreateKey(L"Section", L"Abschnitt");
    language.CreateKey(L"Words", L"W\x00F6rter");
    language.CreateKey(L"Lesson", L"\x0423\x0440\x043E\x043A");
    KV::CLesson lesson;
    lesson.SetParentName(L"Words");
    lesson.SetLessonName(L"\x00DC"
                         L"bung",
                         false);
    std::wstring texts[5];
    CTypingEngine::MakePauseTexts(&language, &lesson, texts);
    EXPECT_EQ(L"\x041F\x0430\x0443\x0437\x0430", texts[0]);
    EXPECT_EQ(L"\x0413\x043E\x0442\x043E\x0432\x044B?", texts[1]);
    EXPECT_EQ(L"Taste dr\x00FC"
              L"cken",
              texts[2]);
    EXPECT_EQ(L"Abschnitt: W\x00F6rter", texts[3]);
    EXPECT_EQ(L"\x0423\x0440\x043E\x043A: \x00DC"
              L"bung",
              texts[4]);
    CTypingEngine::MakePauseTexts(&language, nullptr, texts);
    for (const std::wstring& t : texts)
        EXPECT_EQ(L"", t);
}
