#include "common/fwtest.h"
#include "app/doc/WaltzDoc.h"
#include "app/ui/DialogIds.h"
#include "app/ui/DlgResults.h"
#include "app/ui/ResultViews.h"
#include "kvfwctrl/stats/ViewScore.h"
#include "kvstruct/files/IniTable.h"
#include "kvstruct/sys/Shell.h"

#include <gtest/gtest.h>
#include <richedit.h>

namespace {

TEST(Rating, SpeedAccuracyAndRhythmGiveRatingAwardSoundAndTexts)
{
    const struct
    {
        unsigned cpm;
        double accuracy, irregular;
        int rating, award, sound;
        const wchar_t *speedText, *accuracyText, *irregularText;
        int speedGauge, accuracyGauge, rhythmGauge;
    } cases[] = {
        {100, 100, 0, 25, 2, 3, L"100", L"100", L"0", 25, 100, 0},
        {400, 100, 0, 100, 5, 4, L"400", L"100", L"0", 100, 100, 0},
        {250, 95, 2, 36, 2, 3, L"250", L"95.0", L"2.0", 62, 75, 10},
        {100, 70, 0.5, 4, 1, 2, L"100", L"70.0", L"0.50", 25, 0, 2},        // rated as 80
        {100, 80, 0, 5, 1, 2, L"100", L"80.0", L"0", 25, 0, 0},             // same as 70
        {900, 99.5, 30, 17, 1, 2, L"900", L"99.50", L"30.0", 100, 97, 100}, // clamped
        {0, 100, 0, 0, 1, 2, L"0", L"100", L"0", 0, 100, 0},
        {180, 99.9, 0, 44, 3, 4, L"180", L"99.90", L"0", 45, 99, 0},
    };
    for (const auto& c : cases)
    {
        const tagRating r = RateResult(c.cpm, c.accuracy, c.irregular);
        SCOPED_TRACE(c.cpm);
        EXPECT_EQ(c.rating, r.nRating);
        EXPECT_EQ(c.award, r.nAward);
        EXPECT_EQ(c.sound, r.nSound);
        EXPECT_EQ(c.speedText, r.sSpeed);
        EXPECT_EQ(c.accuracyText, r.sAccuracy);
        EXPECT_EQ(c.irregularText, r.sIrregular);
        EXPECT_EQ(c.speedGauge, r.nSpeedGauge);
        EXPECT_EQ(c.accuracyGauge, r.nAccuracyGauge);
        EXPECT_EQ(c.rhythmGauge, r.nRhythmGauge);
    }
}

TEST(Rating, LevelCodeOfAPublishedResult)
{
    EXPECT_STREQ(L"4", GetLevelCode(150, 40, 5));
    EXPECT_STREQ(L"4", GetLevelCode(199, 40, 5));
    EXPECT_STREQ(L"3", GetLevelCode(200, 11, 50));
    EXPECT_STREQ(L"2", GetLevelCode(200, 12, 17.5));
    EXPECT_STREQ(L"1", GetLevelCode(200, 12, 17));
}

std::vector<std::wstring> g_sent;
int RecordPage(const wchar_t* target)
{
    g_sent.push_back(target);
    return 1;
}

void Command(HWND dialog, int id, bool fromControl = true)
{
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   fromControl ? reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)) : 0);
}

class ResultsDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_lang.Load_UTF16((fwtest::BinDir() + L"\\Language\\English.ini").c_str()));
        KV::CLessonList& list = m_doc.GetLessonList(0);
        KV::CLesson* lesson = new KV::CLesson(&list);
        lesson->SetLessonName(L"short", false);
        lesson->SetTextW(L"asdf jkl");
        list.Add(lesson);
        m_doc.SetLessonID(0);
        m_doc.SetHeader(CHeaderDoc(L"Mia", L"", L"", L"", L"m"));
        KV::CLapList* laps = m_doc.GetStat().GetCurrent();
        laps->NewStatError(8);
        laps->AddStatError(1, 1);
        laps->AddStatError(5, 2);
        laps->StartLap();
        laps->AddStatLetter(L"asdf jkl", 0, 2);
        laps->EndLap();
    }

    std::unique_ptr<CDlgResults> Open()
    {
        std::unique_ptr<CDlgResults> dlg(new CDlgResults(nullptr, m_doc, &m_lang, &m_place));
        dlg->SetSoundPlayer([this](unsigned short code) { m_sounds.push_back(code); });
        EXPECT_NE(nullptr, dlg->Create());
        return dlg;
    }

    fwtest::MsgRecorder m_boxes;
    KV::CIniTable m_lang;
    CWaltzDoc m_doc;
    KV::CRect m_place;
    std::vector<unsigned short> m_sounds;
};

TEST_F(ResultsDialog, RatingPageShowsTheLastPassWithItsAwardAndSound)
{
    std::unique_ptr<CDlgResults> dlg = Open();
    HWND wnd = dlg->GetHwnd();
    wchar_t title[64] = {0};
    ::GetWindowTextW(wnd, title, 64);
    EXPECT_STREQ(L"Results", title);
    CDlgResultCommon* page = dlg->GetpCommon();
    ASSERT_NE(nullptr, page);
    const KV::CLap* lap = GetLastLap(m_doc);
    const tagRating expected =
        RateResult(lap->GetSpeedCPM(), lap->GetAccuracyProc(), lap->GetIrregCharProc());
    EXPECT_EQ(expected.nRating, page->GetGauge(CDlgResultCommon::GaugeRating).GetCurPos());
    EXPECT_EQ(expected.nAccuracyGauge, page->GetGauge(CDlgResultCommon::GaugeAccuracy).GetCurPos());
    EXPECT_EQ(4, page->GetGauge(CDlgResultCommon::GaugeRating).GetLabelCount());
    const std::wstring award = L"aw_" + std::to_wstring(expected.nAward) + L".bmp";
    EXPECT_EQ(award, page->GetAwardPath().substr(page->GetAwardPath().size() - award.size()));
    EXPECT_NE(0, ::SendDlgItemMessageW(page->GetHwnd(), IDC_AWARD, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_EQ(1u, m_sounds.size());
    EXPECT_EQ(expected.nSound, m_sounds[0]);

    // The marks colour the lesson text: the wrong key and the hesitation.
    HWND edit = ::GetDlgItem(page->GetHwnd(), IDC_LESSON_TEXT);
    const struct
    {
        long position;
        COLORREF back;
    } marks[] = {{0, m_doc.GetOptions().m_nBackColour},
                 {1, m_doc.GetOptions().m_nBadColour},
                 {5, m_doc.GetOptions().m_nArhythmColour}};
    for (const auto& m : marks)
    {
        CHARRANGE range = {m.position, m.position + 1};
        ::SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        CHARFORMAT2W format = {};
        format.cbSize = sizeof(format);
        ::SendMessageW(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        EXPECT_EQ(m.back, format.crBackColor) << m.position;
    }
}

TEST_F(ResultsDialog, ButtonsEndWithTheChoiceAndRememberThePlace)
{
    const struct
    {
        int id;
        bool fromControl;
        INT_PTR result;
    } cases[] = {
        {IDCANCEL, true, CDlgResults::NextLesson},
        {IDOK, true, CDlgResults::BackLesson},
        {IDCANCEL, false, CDlgResults::Closed}, // Escape or the close box
    };
    for (const auto& c : cases)
    {
        m_place = KV::CRect();
        std::unique_ptr<CDlgResults> dlg = Open();
        HWND wnd = dlg->GetHwnd();
        ::SetWindowPos(wnd, nullptr, 31, 47, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Command(wnd, IDC_PAGE_CHARACTERS);
        EXPECT_EQ(CDlgResults::PageCharacters, dlg->GetPage());
        Command(wnd, c.id, c.fromControl);
        EXPECT_FALSE(::IsWindow(wnd));
        EXPECT_EQ(c.result, dlg->GetResult());
        EXPECT_EQ(31, m_place.left);
        EXPECT_EQ(47, m_place.top);
    }
    // It opens where it was left.
    std::unique_ptr<CDlgResults> again = Open();
    RECT rect;
    ::GetWindowRect(again->GetHwnd(), &rect);
    EXPECT_EQ(31, rect.left);
    EXPECT_EQ(47, rect.top);
}

TEST_F(ResultsDialog, RecordsSendTheShortLessonWithLevelFour)
{
    KV::ShellExecHandler previous = KV::SetShellExecHandler(RecordPage);
    g_sent.clear();
    std::unique_ptr<CDlgResults> dlg = Open();
    Command(dlg->GetHwnd(), IDC_RECORDS);
    KV::SetShellExecHandler(previous);
    ASSERT_EQ(1u, g_sent.size());
    EXPECT_STREQ(L"4", dlg->GetLevel());
    EXPECT_NE(std::wstring::npos, g_sent[0].find(L"Mia")) << g_sent[0];
}

} // namespace

// The Progress page compares the pass before with the one just ended; the Characters page lists
// the characters of the pass just ended, numbered.
TEST_F(ResultsDialog, ProgressAndCharacterTablesShowTheLastPasses)
{
    KV::CLapList* laps = m_doc.GetStat().GetCurrent();
    laps->StartLap();
    laps->AddStatLetter(L"asdf jkl", 0, 2);
    laps->EndLap();
    HWND page = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    CResultViews views(&m_lang, fwtest::BinDir() + L"\\Skin\\Default\\");
    const RECT area = {0, 0, 600, 400};
    struct
    {
        int kind;
        unsigned long rows;
        const wchar_t* first[2];
    } cases[] = {{IResultViews::Progress, 2, {L"Previous pass", L"This pass"}},
                 {IResultViews::Characters, 8, {L"1", L"2"}}};
    for (const auto& c : cases)
    {
        views.Create(page, area, c.kind, m_doc);
        const KV::CTableChart& chart = views.GetScore(page)->GetScore().GetChart();
        EXPECT_EQ(c.rows, chart.GetNumRow()) << c.kind;
        for (unsigned long row = 0; row < 2; ++row)
            EXPECT_STREQ(c.first[row], chart.GetCellText(0, row)) << c.kind;
        views.Destroy(page);
        EXPECT_EQ(nullptr, views.GetScore(page));
    }
    ::DestroyWindow(page);
}
