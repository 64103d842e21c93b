#include "common/fwtest.h"
#include "kvfwctrl/typing/BaseInput.h"
#include "kvfwctrl/typing/LettersOut.h"
#include "kvfwctrl/typing/TextOut.h"

#include <gtest/gtest.h>
#include <GL/gl.h>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using KV::CBaseInput;
using KV::CLettersOut;
using KV::CLevelFW;
using KV::CRGBA;
using KV::CTextOut;

namespace {

const int kW = 800, kH = 200;

// One typing view for every drawing test: its context and glyphs cost seconds to build.
struct ViewHost
{
    ViewHost()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FwTestViewHost";
        ::RegisterClassW(&wc);
        parent = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, kW, kH, nullptr,
                                   nullptr, wc.hInstance, nullptr);
        view = new CBaseInput();
        RECT rc = {0, 0, kW, kH};
        view->Create(wc.hInstance, parent, WS_VISIBLE, rc, 100);
        LOGFONTW lf = {};
        lf.lfHeight = -18;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = ANSI_CHARSET;
        std::wcscpy(lf.lfFaceName, L"Arial");
        view->SetLOGFONT(&lf);
        view->CreateGL();
        view->SetFlagDraw(1);
    }
    ~ViewHost()
    {
        view->DestroyWindow();
        delete view;
        ::DestroyWindow(parent);
    }
    HWND parent;
    CBaseInput* view;
};

ViewHost& Host()
{
    static ViewHost* host = new ViewHost();
    return *host;
}

bool Same(const CRGBA& a, const CRGBA& b, int tolerance = 0)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

class TypingViewDraw : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view = Host().view;
        Reset();
    }
    void Reset()
    {
        view->SetLevel(new CLevelFW());
        view->SetFlagPause(0);
        view->SetLevel(nullptr);
        view->SetFlagStart(0);
        view->SetFlagAnimation(0);
        view->SetFlagDraw(1);
        view->SetpStatError(nullptr);
        view->SetSimpleColors(RGB(255, 255, 255), RGB(0, 0, 0), RGB(100, 100, 100), RGB(255, 0, 0),
                              RGB(255, 120, 120));
        view->SetAnimateColors(RGB(0, 0, 0), 0, 0);
        view->SetPauseText("", "", "", "", "");
        view->EmptyText();
        view->SetTime(SYSTEMTIME{});
        view->GetTextOut().SetTime(SYSTEMTIME{});
    }
    void UseOwnView()
    {
        own.reset(new ViewHost());
        view = own->view;
        Reset();
    }
    void TearDown() override
    {
        view->SetLevel(nullptr);
        own.reset();
    }
    // Draws one frame and reads what was shown.
    void Render()
    {
        HDC dc = ::GetDC(view->GetHwnd());
        ASSERT_EQ(1, view->DrawFrame(dc));
        glReadBuffer(GL_BACK);
        pixels.assign(static_cast<size_t>(kW) * kH * 4, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kW, kH, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        ::ReleaseDC(view->GetHwnd(), dc);
    }
    CRGBA At(int x, int y) const
    {
        const unsigned char* p = &pixels[(static_cast<size_t>(y) * kW + x) * 4];
        return CRGBA(p[0], p[1], p[2]);
    }
    int Count(const CRGBA& c, int x0, int y0, int x1, int y1, int tolerance = 0) const
    {
        int n = 0;
        for (int y = y0 < 0 ? 0 : y0; y < y1 && y < kH; ++y)
            for (int x = x0 < 0 ? 0 : x0; x < x1 && x < kW; ++x)
                if (Same(At(x, y), c, tolerance))
                    ++n;
        return n;
    }
    void WithEmptyLevel()
    {
        view->SetLevel(new CLevelFW());
        view->SetFlagPause(0);
    }

    CBaseInput* view = nullptr;
    std::unique_ptr<ViewHost> own;
    std::vector<unsigned char> pixels;
};

const CRGBA kBlack(0, 0, 0);

} // namespace

TEST(TypingLayout, FontHeightGivesTheTextScale)
{
    CTextOut text;
    EXPECT_FLOAT_EQ(80, text.GetTextScale());
    const int heights[7] = {-19, -18, -17, -16, -15, -14, -13};
    const float scales[7] = {110, 105, 100, 95, 90, 85, 80};
    for (int i = 0; i < 7; ++i)
    {
        text.SetHightFont(heights[i]);
        EXPECT_FLOAT_EQ(scales[i], text.GetTextScale()) << heights[i];
    }
    text.SetHightFont(-18);
    text.SetHightFont(-12);
    EXPECT_FLOAT_EQ(105, text.GetTextScale());
    EXPECT_FLOAT_EQ(105, text.GetLetters().GetLetterScale());
    EXPECT_EQ(12, text.GetLetters().GetFontHeight());
}

TEST(TypingLayout, CapacityAndTypedWindowFromTheClientWidth)
{
    CTextOut text;
    text.SetFrame(RECT{0, 0, 800, 200});
    text.CalcTextDate(16, 20, 3);
    EXPECT_EQ(25u, text.GetLetters().GetCapacity());
    EXPECT_EQ(16u, text.GetLetters().GetLetterAdvance());
    EXPECT_EQ(3u, text.GetLetters().GetSecondMetric());

    const char* lesson = "abcdefghijklmnopqrstuvwxyz0123456789";
    text.SetTextInputed(lesson, 0);
    EXPECT_EQ(0u, text.GetLetters().GetVisibleCount());
    text.SetTextInputed(lesson, 7);
    EXPECT_EQ(0u, text.GetLetters().GetFirstVisible());
    EXPECT_EQ(7u, text.GetLetters().GetVisibleCount());
    text.SetTextInputed(lesson, 30);
    EXPECT_EQ(5u, text.GetLetters().GetFirstVisible());
    EXPECT_EQ(25u, text.GetLetters().GetVisibleCount());
    EXPECT_EQ(lesson + 5, text.GetLetters().GetpVisible());
    // A narrower frame keeps the capacity until the layout is computed again.
    text.SetFrame(RECT{0, 0, 400, 200});
    EXPECT_EQ(25u, text.GetLetters().GetCapacity());
    text.CalcTextDate(16, 20, 3);
    EXPECT_EQ(12u, text.GetLetters().GetCapacity());
    EXPECT_EQ(18u, text.GetLetters().GetFirstVisible());
    // A font without a width leaves the capacity alone instead of dividing by zero.
    text.CalcTextDate(0, 20, 3);
    EXPECT_EQ(12u, text.GetLetters().GetCapacity());
}

TEST(TypingLayout, PromptAndPausePositions)
{
    CTextOut text;
    text.SetFrame(RECT{0, 0, 800, 200});
    text.SetPauseText("Pause", "Ready?", "Press a key", "Section: A", "Lesson: long name");
    text.CalcTextDate(10, 20, 3);
    EXPECT_FLOAT_EQ(740, text.GetPos(CTextOut::POS_CLOCK));
    EXPECT_FLOAT_EQ(400 - 6 * 10 / 2.0f, text.GetPos(CTextOut::POS_TOP));
    EXPECT_FLOAT_EQ(400 - 11 * 10 / 2.0f, text.GetPos(CTextOut::POS_BOTTOM));
    EXPECT_FLOAT_EQ(400 - 10 * 10 / 2.0f, text.GetPos(CTextOut::POS_SECTION));
    EXPECT_FLOAT_EQ(text.GetPos(CTextOut::POS_SECTION), text.GetPos(CTextOut::POS_LESSON));
    EXPECT_FLOAT_EQ(0.2f * 5 * 10, text.GetPos(CTextOut::POS_PAUSE_UL_X));
    EXPECT_FLOAT_EQ(200 - 2.2f * 20, text.GetPos(CTextOut::POS_PAUSE_UL_Y));
    EXPECT_FLOAT_EQ(0.7f * 20, text.GetPos(CTextOut::POS_PAUSE_LL_Y));
    EXPECT_FLOAT_EQ(800 - 1.2f * 5 * 10, text.GetPos(CTextOut::POS_PAUSE_LR_X));
    EXPECT_FLOAT_EQ(800 - 1.2f * 5 * 10, text.GetPos(CTextOut::POS_PAUSE_UR_X));
}

TEST(TypingLayout, LongTextsAreCutTo255Bytes)
{
    CTextOut text;
    const std::string longText(400, 'x');
    text.SetPauseText(longText.c_str(), longText.c_str(), nullptr, "s", "l");
    EXPECT_EQ(255u, std::wcslen(text.GetPauseWord()));
    EXPECT_EQ(255u, std::wcslen(text.GetTopPrompt()));
    EXPECT_STREQ(L"", text.GetBottomPrompt());
    const std::wstring longWide(400, L'\x0436');
    text.SetPauseTextW(longWide.c_str(), nullptr, nullptr, L"s", L"l");
    EXPECT_EQ(255u, std::wcslen(text.GetPauseWord()));
    EXPECT_STREQ(L"", text.GetTopPrompt());
}

TEST(TypingLayout, ClockShowsMinutesAndSeconds)
{
    CTextOut text;
    SYSTEMTIME t = {};
    t.wMinute = 4;
    t.wSecond = 7;
    text.SetTime(t);
    EXPECT_STREQ("04:07", text.GetClockText());
}

TEST(TypingColours, DefaultColoursByMark)
{
    CLettersOut letters;
    short marks[3] = {0, 1, 2};
    letters.SetpStatError(marks);
    EXPECT_EQ(CRGBA(100, 100, 100), letters.GetLetterColour(0));
    EXPECT_EQ(CRGBA(255, 0, 0), letters.GetLetterColour(1));
    EXPECT_EQ(CRGBA(255, 120, 120), letters.GetLetterColour(2));
    letters.SetpStatError(nullptr);
    EXPECT_EQ(CRGBA(100, 100, 100), letters.GetLetterColour(1));
}

TEST_F(TypingViewDraw, TypedCharactersTakeTheColourOfTheirMark)
{
    short marks[4] = {0, 1, 2, 0};
    view->SetpStatError(marks);
    view->SetMainText("mmm", 3);
    Render();
    const float adv = view->GetTextOut().GetLetters().GetAdvance('m');
    ASSERT_GT(adv, 10);
    const CRGBA colours[3] = {CRGBA(100, 100, 100), CRGBA(255, 0, 0), CRGBA(255, 120, 120)};
    for (int i = 0; i < 3; ++i)
    {
        const int x0 = static_cast<int>(400 - (3 - i) * adv), x1 = static_cast<int>(400 - (2 - i) * adv);
        for (int j = 0; j < 3; ++j)
        {
            if (i == j)
                EXPECT_GT(Count(colours[j], x0, 60, x1, 200), 20) << i;
            else
                EXPECT_EQ(0, Count(colours[j], x0, 60, x1, 200)) << i << " " << j;
        }
    }

    // In animation mode the typed text uses its own fixed colours.
    view->SetFlagAnimation(1);
    view->SetSimpleColors(RGB(255, 255, 255), RGB(0, 0, 0), RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9));
    Render();
    const CRGBA animated[3] = {CRGBA(0, 128, 0), CRGBA(240, 0, 0), CRGBA(240, 240, 0)};
    for (int i = 0; i < 3; ++i)
    {
        const int x0 = static_cast<int>(400 - (3 - i) * adv), x1 = static_cast<int>(400 - (2 - i) * adv);
        EXPECT_GT(Count(animated[i], x0, 60, x1, 200), 20) << i;
    }
    // Set with animation off, the colours given are used.
    view->SetFlagAnimation(0);
    view->SetSimpleColors(RGB(255, 255, 255), RGB(0, 0, 0), RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9));
    EXPECT_EQ(CRGBA(4, 5, 6), view->GetTextOut().GetLetters().GetErrorColour());
}

TEST_F(TypingViewDraw, ErroneousSpaceGetsABoxACorrectOneDoesNot)
{
    short marks[3] = {0, 1, 0};
    view->SetpStatError(marks);
    view->SetMainText("l l", 3);
    Render();
    const float adv = view->GetTextOut().GetLetters().GetAdvance('l');
    const float space = view->GetTextOut().GetLetters().GetAdvance(' ');
    const int x0 = static_cast<int>(400 - adv - space), x1 = static_cast<int>(400 - adv);
    // The box edges lie on y = B/2 - 10 and 10 above it.
    EXPECT_GT(Count(CRGBA(255, 0, 0), x0, 88, x1 + 1, 92), 10);
    EXPECT_GT(Count(CRGBA(255, 0, 0), x0, 98, x1 + 1, 102), 10);

    marks[1] = 0;
    Render();
    EXPECT_EQ(0, Count(CRGBA(255, 0, 0), 0, 0, kW, kH));
    // A wrong letter (not a space) has no box.
    short letterMarks[3] = {1, 0, 0};
    view->SetpStatError(letterMarks);
    view->SetMainText("l l", 3);
    Render();
    // On the box's lower edge only the letter's own stem is red, not a line across.
    const int lx0 = static_cast<int>(400 - 2 * adv - space);
    EXPECT_LT(Count(CRGBA(255, 0, 0), lx0, 90, lx0 + static_cast<int>(adv), 91), adv * 0.6f);
}

TEST_F(TypingViewDraw, MainTextAndClockWhenRunning)
{
    SYSTEMTIME t = {};
    t.wMinute = 1;
    t.wSecond = 5;
    view->SetTime(t);
    view->SetMainText("mmmm", 0);
    Render();
    // The untyped text starts at the centre, right of it.
    EXPECT_GT(Count(kBlack, 400, 80, 800, 200), 100);
    EXPECT_EQ(0, Count(kBlack, 0, 0, 395, 200));
    // Clock near the top right corner.
    EXPECT_GT(Count(kBlack, 740, 183, 800, 200), 5);
}

TEST_F(TypingViewDraw, PromptsBeforeTheFirstKeystrokeWithoutPauseWord)
{
    WithEmptyLevel();
    view->SetPauseText("PAUSE", "READY", "PRESS", "SECTION", "LESSON");
    view->SetMainText("mmmm", 0);
    view->SetFlagStart(1);
    view->SetFlagPause(1);
    Render();
    const CTextOut& text = view->GetTextOut();
    // Top prompt, section and lesson lines, bottom prompt, all near the centre.
    EXPECT_GT(Count(kBlack, 300, 170, 500, 200), 20);
    EXPECT_GT(Count(kBlack, 300, 125, 500, 150), 20);
    EXPECT_GT(Count(kBlack, 300, 75, 500, 100), 20);
    EXPECT_GT(Count(kBlack, 300, 30, 500, 55), 20);
    // No pause word in the corners.
    const int llx = static_cast<int>(text.GetPos(CTextOut::POS_PAUSE_LL_X));
    EXPECT_EQ(0, Count(kBlack, llx, 0, llx + 60, 30));
    const int lrx = static_cast<int>(text.GetPos(CTextOut::POS_PAUSE_LR_X));
    EXPECT_EQ(0, Count(kBlack, lrx, 0, lrx + 60, 30));
    // No main text.
    EXPECT_EQ(0, Count(kBlack, 520, 80, 800, 120));
    // The letter zone is hidden while paused.
    EXPECT_EQ(0, Count(CRGBA(230, 230, 230), 390, 0, 410, 200, 2));
}

TEST_F(TypingViewDraw, PauseLaterShowsPauseWordInFourCornersAndPrompts)
{
    WithEmptyLevel();
    view->SetPauseText("PAUSE", "READY", "PRESS", "SECTION", "LESSON");
    view->SetMainText("mmmm", 2);
    view->SetFlagPause(1);
    Render();
    const CTextOut& text = view->GetTextOut();
    const int corners[4][2] = {{static_cast<int>(text.GetPos(CTextOut::POS_PAUSE_UL_X)),
                                static_cast<int>(text.GetPos(CTextOut::POS_PAUSE_UL_Y))},
                               {static_cast<int>(text.GetPos(CTextOut::POS_PAUSE_LL_X)),
                                static_cast<int>(text.GetPos(CTextOut::POS_PAUSE_LL_Y))},
                               {static_cast<int>(text.GetPos(CTextOut::POS_PAUSE_LR_X)),
                                static_cast<int>(text.GetPos(CTextOut::POS_PAUSE_LR_Y))},
                               {static_cast<int>(text.GetPos(CTextOut::POS_PAUSE_UR_X)),
                                static_cast<int>(text.GetPos(CTextOut::POS_PAUSE_UR_Y))}};
    for (const auto& c : corners)
        EXPECT_GT(Count(kBlack, c[0], c[1], c[0] + 60, c[1] + 25), 20) << c[0] << "," << c[1];
    EXPECT_GT(Count(kBlack, 300, 125, 500, 150), 20);

    // An empty top prompt hides all four prompt lines; the pause word stays.
    view->SetPauseText("PAUSE", "", "PRESS", "SECTION", "LESSON");
    Render();
    EXPECT_EQ(0, Count(kBlack, 250, 25, 550, 175));
    EXPECT_GT(Count(kBlack, corners[1][0], corners[1][1], corners[1][0] + 60, corners[1][1] + 25), 20);

    // Without a level the pause flag does not change.
    view->SetLevel(nullptr);
    view->SetFlagPause(0);
    EXPECT_EQ(1, view->GetFlagPause());
}

TEST_F(TypingViewDraw, LetterZoneThickEdgeFollowsTheHand)
{
    // The zone type cannot go back to 1: a view of its own.
    UseOwnView();
    EXPECT_EQ(1, view->GetZoneType());
    float z[4];
    view->GetZoneRect(kW, kH, z);
    EXPECT_FLOAT_EQ(398, z[0]);
    EXPECT_FLOAT_EQ(75, z[1]);
    const CRGBA zone(0, 210, 210);
    const int midY = static_cast<int>((z[1] + z[3]) / 2);
    const int midX = static_cast<int>((z[0] + z[2]) / 2);
    const int left = static_cast<int>(z[0]), right = static_cast<int>(z[2]), bottom = static_cast<int>(z[1]);
    auto widthAt = [&](int x) { return Count(zone, x - 3, midY, x + 4, midY + 1); };
    auto heightAt = [&](int y) { return Count(zone, midX, y - 3, midX + 1, y + 4); };

    // Type 1: a light grey outline, no thick edge.
    Render();
    EXPECT_EQ(1, Count(CRGBA(230, 230, 230), left - 3, midY, left + 4, midY + 1, 1));
    EXPECT_EQ(0, Count(zone, 0, 0, kW, kH));

    view->SetTypeLetterZone(2);
    view->SetLetterZoneParam(RGB(0, 210, 210), 2);
    Render();
    EXPECT_EQ(3, widthAt(left));
    EXPECT_EQ(1, widthAt(right));
    EXPECT_EQ(1, heightAt(bottom));

    view->SetLetterZoneParam(RGB(0, 210, 210), 1);
    Render();
    EXPECT_EQ(1, widthAt(left));
    EXPECT_EQ(3, widthAt(right));

    view->SetLetterZoneParam(RGB(0, 210, 210), 0);
    Render();
    EXPECT_EQ(1, widthAt(left));
    EXPECT_EQ(1, widthAt(right));
    EXPECT_EQ(3, heightAt(bottom));
}

TEST_F(TypingViewDraw, PlainFrameWithoutAnimationAndBackgroundColour)
{
    WithEmptyLevel();
    view->SetSimpleColors(RGB(200, 220, 240), RGB(0, 0, 0), RGB(100, 100, 100), RGB(255, 0, 0),
                          RGB(255, 120, 120));
    Render();
    EXPECT_TRUE(Same(CRGBA(200, 220, 240), At(200, 150), 1));
    EXPECT_TRUE(Same(CRGBA(25, 25, 25), At(0, 100), 2));
    EXPECT_TRUE(Same(CRGBA(25, 25, 25), At(kW - 1, 100), 2));
    EXPECT_TRUE(Same(CRGBA(25, 25, 25), At(400, 0), 2));
    // With animation on, the clear colour is white whatever the background colour.
    view->SetFlagAnimation(1);
    Render();
    EXPECT_TRUE(Same(CRGBA(255, 255, 255), At(200, 150), 1));
}

TEST_F(TypingViewDraw, ShippedLevelBehindTheText)
{
    fwtest::MsgRecorder rec;
    CLevelFW* level = new CLevelFW();
    ASSERT_EQ(1, level->Load((fwtest::BinDir() + L"\\Data\\0110.wrd").c_str()));
    view->SetLevel(level);
    view->InitLevel();
    view->SetFlagAnimation(1);
    view->SetTotalSpeed(10);
    view->SetTotalSpeedLetter(10);
    view->SetMainText("mmmm", 0);
    Render();
    // The background colour of the top-left corner of the level shows there.
    const CRGBA topLeft = level->GetBackground()[2];
    EXPECT_TRUE(Same(topLeft, At(1, kH - 2), 3));
    EXPECT_GT(Count(kBlack, 400, 80, 800, 200), 100);
    EXPECT_EQ(0u, rec.Count());
}

TEST_F(TypingViewDraw, NothingWithoutLevelOperationsAndCaretIsClamped)
{
    view->SetPart(50);
    view->AddSpeed();
    view->ResetSpeed();
    view->SetTotalSpeed(3);
    view->AddSpeedLetter();
    view->ResetSpeedLetter();
    view->SetTotalSpeedLetter(3);
    view->RefreshLevel();
    view->InitLevel();
    EXPECT_EQ(nullptr, view->GetLevel());
    view->SetMainText("abc", 10);
    EXPECT_EQ(3u, view->GetTextOut().GetLetters().GetTyped());
    EXPECT_EQ(0u, view->GetTextOut().GetUntypedLength());
    view->SetMainText(nullptr, 0);
    EXPECT_EQ(0u, view->GetTextOut().GetLetters().GetTyped());
}

TEST_F(TypingViewDraw, UntypedTextIsCutAtTheRightEdge)
{
    std::string lesson(200, 'm');
    view->SetMainText(lesson.c_str(), 0);
    Render();
    const unsigned long drawn = view->GetTextOut().GetUntypedDrawn();
    EXPECT_GT(drawn, 3u);
    EXPECT_LT(drawn, 40u);
    // What reaches the right edge is drawn.
    EXPECT_GT(Count(kBlack, kW - 40, 80, kW, 160), 10);
}

TEST_F(TypingViewDraw, LessonLineShowsAPhraseAndTypedLettersKeepTheirAdvances)
{
    const std::string lesson = "the quick brown fox jumps over the lazy dog and types on ";
    view->SetMainText(lesson.c_str(), 20);
    Render();
    // Half a phrase right of the centre, in letters bigger than the interface's.
    const CTextOut& text = view->GetTextOut();
    EXPECT_GE(text.GetUntypedDrawn(), 18u);
    EXPECT_GT(text.GetDrawScale(), 24.0f);
    // Typed letters stand apart: between two typed m's lies a column without ink.
    view->SetMainText("mmx", 2);
    Render();
    const int m = static_cast<int>(400 - text.GetLetters().GetAdvance('m'));
    int gaps = 0;
    for (int x = m - 2; x <= m + 2; ++x)
        gaps += Count(CRGBA(100, 100, 100), x, 0, x + 1, kH) == 0;
    EXPECT_GT(gaps, 0);
}

TEST_F(TypingViewDraw, PauseTextsInAnyLanguageWhateverTheCodePage)
{
    WithEmptyLevel();
    view->SetMainText("mmmm", 2);
    view->SetFlagPause(1);
    // The view's byte glyphs stand for code page 1252, which has no Cyrillic letter: the
    // Russian pause word must not come out as the question marks of a conversion.
    const wchar_t russian[] = L"\x041F\x0430\x0443\x0437\x0430";
    view->SetPauseTextW(russian, L"", L"", L"", L"");
    Render();
    const CTextOut& text = view->GetTextOut();
    EXPECT_STREQ(russian, text.GetPauseWord());
    const int x = static_cast<int>(text.GetPos(CTextOut::POS_PAUSE_LL_X));
    const int y = static_cast<int>(text.GetPos(CTextOut::POS_PAUSE_LL_Y));
    EXPECT_GT(Count(kBlack, x, y, x + 60, y + 25), 20);
    const std::vector<unsigned char> drawn = pixels;
    view->SetPauseTextW(L"?????", L"", L"", L"", L"");
    Render();
    EXPECT_NE(drawn, pixels);
}

TEST_F(TypingViewDraw, LongPromptsAreMadeToFitTheView)
{
    WithEmptyLevel();
    view->SetMainText("mmmm", 2);
    view->SetFlagPause(1);
    const wchar_t* prompts[] = {L"Bereit?", L"Zum Starten eine Taste dr\x00FC"
                                            L"cken",
                                L"\x041D\x0430\x0436\x043C\x0438\x0442\x0435 \x043B\x044E\x0431\x0443\x044E "
                                L"\x043A\x043B\x0430\x0432\x0438\x0448\x0443, \x0447\x0442\x043E\x0431\x044B "
                                L"\x043D\x0430\x0447\x0430\x0442\x044C"};
    for (const wchar_t* prompt : prompts)
    {
        view->SetPauseTextW(L"Pause", prompt, prompt, prompt, L"Lektion: 1");
        Render();
        const CTextOut& text = view->GetTextOut();
        for (int i = 0; i < 4; ++i)
        {
            const float left = text.GetPos(CTextOut::POS_TOP + i);
            EXPECT_GE(left, 0) << i;
            EXPECT_LE(left + text.GetPromptWidth(i), kW) << i;
        }
        // The prompts at top and bottom stay clear of the pause words in the corners.
        EXPECT_LE(text.GetPos(CTextOut::POS_PAUSE_LL_X) + text.GetPromptWidth(4), text.GetPos(CTextOut::POS_BOTTOM));
        EXPECT_LE(text.GetPos(CTextOut::POS_BOTTOM) + text.GetPromptWidth(1), text.GetPos(CTextOut::POS_PAUSE_LR_X));
        // Nothing is drawn in the outermost columns.
        EXPECT_EQ(0, Count(kBlack, 0, 0, 2, kH));
        EXPECT_EQ(0, Count(kBlack, kW - 2, 0, kW, kH));
    }
}

TEST_F(TypingViewDraw, ATypedKeyRedrawsOnlyTheLineAndShowsWhatAWholeFrameShows)
{
    WithEmptyLevel();
    view->SetFlagAnimation(1);
    view->SetTime(SYSTEMTIME{0, 0, 0, 0, 0, 1, 7, 0});
    // Descenders and accented capitals reach furthest from the base line.
    const char text[] = "mj\xC9g mmmm q\xC5y mmmm";
    view->SetMainText(text, 3);
    HDC dc = ::GetDC(view->GetHwnd());
    view->Draw(dc);
    ::ReleaseDC(view->GetHwnd(), dc);
    const RECT line = view->GetLineRect();
    EXPECT_GT(line.top, 0);
    EXPECT_LT(line.bottom, kH);
    // The strip holds the text's ink, not the whole light band behind it.
    EXPECT_LT(line.bottom - line.top, 1.9f * view->GetTextOut().GetDrawScale());
    // Each next key draws the strip over the frame shown; the back buffer then holds what a
    // whole frame of the new caret holds.
    for (unsigned long caret : {5ul, 10ul, 13ul})
    {
        SCOPED_TRACE(caret);
        view->SetMainText(text, caret);
        view->ShowTyped();
        std::vector<unsigned char> typed(static_cast<size_t>(kW) * kH * 4, 0);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kW, kH, GL_RGBA, GL_UNSIGNED_BYTE, typed.data());
        Render();
        EXPECT_TRUE(typed == pixels);
    }
}

TEST_F(TypingViewDraw, RightClickGoesToTheParent)
{
    // The parent's default procedure ignores it; the forwarding must simply not fail.
    EXPECT_EQ(0, view->OnRButtonDown(0, 10, 10));
}

namespace {

// A 24-bit bitmap file of one row.
std::string RowBitmap(const std::vector<CRGBA>& row)
{
    auto u32 = [](unsigned long v) {
        return std::string{char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
    };
    std::string pixels;
    for (const CRGBA& c : row)
        pixels += std::string{char(c.b), char(c.g), char(c.r)};
    while (pixels.size() % 4)
        pixels += '\0';
    std::string s = "BM" + u32(54 + pixels.size()) + u32(0) + u32(54);
    s += u32(40) + u32(row.size()) + u32(1) + std::string{1, 0, 24, 0} + u32(0) + u32(pixels.size()) +
         u32(2835) + u32(2835) + u32(0) + u32(0);
    return s + pixels;
}

} // namespace

TEST_F(TypingViewDraw, BitmapOfEightColoursGivesTheAnimateColour)
{
    UseOwnView();
    fwtest::MsgRecorder rec;
    const std::wstring dir = fwtest::MakeTempDir(L"view");
    std::vector<CRGBA> eight;
    for (int i = 0; i < 8; ++i)
        eight.push_back(CRGBA(static_cast<unsigned char>(10 + i), 20, 30));
    ASSERT_TRUE(fwtest::WriteFileBytes(dir + L"\\eight.bmp", RowBitmap(eight)));
    ASSERT_TRUE(fwtest::WriteFileBytes(dir + L"\\three.bmp",
                                       RowBitmap({CRGBA(1, 1, 1), CRGBA(2, 2, 2), CRGBA(3, 3, 3)})));

    EXPECT_EQ(0, view->LoadBitmapW((dir + L"\\three.bmp").c_str(), 1, 1));
    EXPECT_EQ(CRGBA(0, 0, 0), view->GetTextOut().GetAnimateColour());
    EXPECT_EQ(1, view->LoadBitmapW((dir + L"\\eight.bmp").c_str(), 1, 1));
    EXPECT_EQ(CRGBA(10, 20, 30), view->GetTextOut().GetAnimateColour());
    EXPECT_EQ(0, view->LoadBitmapW((dir + L"\\missing.bmp").c_str(), 1, 1));
    EXPECT_EQ(0u, rec.Count());
}
