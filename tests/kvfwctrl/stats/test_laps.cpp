#include "../stat_test_util.h"
#include "common/fwtest.h"

#include <gtest/gtest.h>
#include <string>

using stattest::FakeClock;
using stattest::TestLap;
using stattest::TestLapList;

TEST(LapMeasures, NoCorrectCharacters)
{
    TestLap lap;
    lap.Counts(0, 3);
    EXPECT_EQ(lap.GetAccuracyProc(), 0.0);
    EXPECT_EQ(lap.GetErrorProc(), 100.0);
    EXPECT_EQ(lap.GetIrregCharProc(), 0.0);
    EXPECT_EQ(lap.GetSpeedCPM(), 0);
}

TEST(LapMeasures, SpeedsAndPercentages)
{
    TestLap lap;
    lap.Counts(40, 10, 8, 30, 5);
    EXPECT_EQ(lap.GetSpeedCPM(), 80);
    EXPECT_EQ(lap.GetSpeedWPM(), 16);
    EXPECT_DOUBLE_EQ(lap.GetAccuracyProc(), 80.0);
    EXPECT_DOUBLE_EQ(lap.GetErrorProc(), 20.0);
    EXPECT_DOUBLE_EQ(lap.GetIrregCharProc(), 10.0);
    EXPECT_EQ(lap.GetTotalChar(), 50);
    lap.Counts(40, 10, 8, 30, 41);
    EXPECT_EQ(lap.GetIrregCharProc(), 0.0);
    lap.Counts(40, 10, 8, 0);
    EXPECT_EQ(lap.GetSpeedWPM(), 0);
    EXPECT_EQ(lap.GetSpeedCPM(), 0);
}

TEST(LapMeasures, WordsPerMinuteTruncates)
{
    TestLap lap;
    lap.Counts(0, 0, 7, 9);
    EXPECT_EQ(lap.GetSpeedWPM(), 46);
}

TEST(LapMeasures, DurationInMinutesAndSeconds)
{
    KV::CLap lap;
    lap.SetDuration(125);
    SYSTEMTIME t = lap.GetDuration();
    EXPECT_EQ(t.wMinute, 2);
    EXPECT_EQ(t.wSecond, 5);
    EXPECT_EQ(t.wHour, 0);
    lap.SetDuration(3725);
    t = lap.GetDuration();
    EXPECT_EQ(t.wMinute, 62);
    EXPECT_EQ(t.wSecond, 5);
    lap.SetDuration(0x10000 + 7);
    EXPECT_EQ(lap.GetTotalTimeSec(), 7);
}

TEST(LapMeasures, DateTextAndDayTest)
{
    TestLap lap;
    lap.Date(2009, 7, 14);
    wchar_t buffer[32];
    lap.GetDate(buffer);
    EXPECT_STREQ(buffer, L"07/14/09");
    struct
    {
        WORD year, month, day;
        bool same;
    } const days[] = {{2009, 7, 14, true}, {2009, 7, 15, false}, {2009, 7, 13, false},
                      {2009, 8, 14, false}, {2010, 7, 14, false}};
    SYSTEMTIME other = {};
    for (const auto& d : days)
    {
        other.wYear = d.year;
        other.wMonth = d.month;
        other.wDay = d.day;
        EXPECT_EQ(lap.IsDateDay(other) != 0, d.same) << d.year << "-" << d.month << "-" << d.day;
    }
    EXPECT_TRUE(lap.IsDateWeek(other));
    EXPECT_TRUE(lap.IsDateMonth(other));

    KV::CLap now;
    now.SetDate();
    SYSTEMTIME utc;
    ::GetSystemTime(&utc);
    EXPECT_EQ(now.GetSystemDate().wYear, utc.wYear);
}

TEST(LapMeasures, EndLapTakesTotalsFromLetters)
{
    KV::CLap lap;
    const short marks[] = {0, 1, 0, 2, 1};
    lap.AddStatLetter(L"abcab", marks, 1, 2);
    lap.EndLap();
    EXPECT_EQ(lap.GetError(), 2);
    EXPECT_EQ(lap.GetAccuracy(), 3);
    EXPECT_EQ(lap.GetIrregChar(), 1);
    EXPECT_EQ(lap.GetTotalChar(), 5);
}

TEST(LapMeasures, AddingAndCopying)
{
    TestLap a;
    a.Counts(10, 2, 3, 60).Date(2020, 1, 2).Type(4).Name(L"first").Letter(L'x', 2, 1, 0);
    a.SetID(5);
    TestLap b;
    b.Counts(0xFFFF, 1, 1, 10).Date(2020, 1, 3).Type(6).Name(L"second").Letter(L'x', 1, 0, 1);
    b.SetID(9);
    a += b;
    EXPECT_EQ(a.GetID(), 5u);
    EXPECT_STREQ(a.GetNameLesson(), L"--");
    EXPECT_EQ(a.GetTypeLesson(), 6);
    EXPECT_EQ(a.GetSystemDate().wDay, 3);
    EXPECT_EQ(a.GetAccuracy(), 9); // 16-bit wrap
    EXPECT_EQ(a.GetError(), 3);
    EXPECT_EQ(a.GetTotalTimeSec(), 70);
    ASSERT_EQ(a.GetpStatLetter()->m_letters.size(), 1u);
    EXPECT_EQ(a.GetpStatLetter()->m_letters[0]->GetNumber(), 3);

    KV::CLap c;
    c = b;
    EXPECT_EQ(c.GetID(), 9u);
    EXPECT_STREQ(c.GetNameLesson(), L"second");
    EXPECT_NE(c.GetpStatLetter()->m_letters[0], b.GetpStatLetter()->m_letters[0]);
    c.Clear();
    EXPECT_EQ(c.GetID(), 9u);
    EXPECT_EQ(c.GetTotalChar(), 0);
    EXPECT_TRUE(c.GetpStatLetter()->m_letters.empty());
}

TEST(LapClock, PausedTimeIsNotCounted)
{
    FakeClock clock;
    stattest::UsLayout us;
    TestLapList list;
    EXPECT_EQ(list.StartLap(), 1);
    ASSERT_NE(list.GetCurLap(), nullptr);
    clock.Advance(10);
    list.SetCurTime();
    EXPECT_EQ(list.GetCurLap()->GetTotalTimeSec(), 10);
    list.PauseLap(1);
    clock.Advance(100);
    list.PauseLap(1); // the second pause changes nothing
    EXPECT_EQ(list.Accumulated(), 10);
    list.SetCurTime(); // while paused only the finished segments count
    EXPECT_EQ(list.GetCurLap()->GetTotalTimeSec(), 10);
    list.PauseLap(0);
    clock.Advance(5);
    list.SetCurTime();
    EXPECT_EQ(list.GetCurLap()->GetTotalTimeSec(), 15);
    SYSTEMTIME t = list.GetCurTotalTime();
    EXPECT_EQ(t.wSecond, 15);
    list.ResetStatisticLap();
    EXPECT_EQ(list.Accumulated(), 0);
    EXPECT_EQ(list.SegmentStart(), 0);
    EXPECT_NE(list.GetCurLap(), nullptr);
}

TEST(LapClock, NoCurrentLap)
{
    stattest::UsLayout us;
    KV::CLapList list;
    EXPECT_EQ(list.GetCurLap(), nullptr);
    list.SetCurTime();
    list.AddGoodWord();
    list.SetNameLesson(L"x");
    list.AddStatLetter(L"abc", 0, 0);
    EXPECT_EQ(list.GetCurTotalChar(), 0);
    EXPECT_EQ(list.GetCurError(), 0);
    SYSTEMTIME t = list.GetCurTotalTime();
    EXPECT_EQ(t.wMinute + t.wSecond + t.wYear, 0);
    list.EndLap();
    EXPECT_EQ(list.GetSize(), 0u);
}

TEST(LapList, DefaultsAndLayout)
{
    stattest::UsLayout german(L"00000407");
    KV::CLapList list;
    EXPECT_EQ(list.GetLessonID(), 1u);
    EXPECT_EQ(list.GetCourseID(), 0u);
    EXPECT_EQ(list.GetLetterIndex(), 0u);
    EXPECT_EQ(list.GetSelectLesson(), 1u);
    EXPECT_STREQ(list.GetKLID(), L"00000407");
    list.SetLetterIndex(4);
    EXPECT_EQ(list.GetLetterIndexNext(), 5u);
    EXPECT_EQ(list.GetLetterIndex(), 5u);
}

TEST(LapList, StoringLapsGivesPositionsAsIDs)
{
    FakeClock clock;
    stattest::UsLayout us;
    KV::CLapList list;
    list.StartLap();
    EXPECT_EQ(list.GetCurLap()->GetID(), 0u);
    list.SetNameLesson(L"one");
    list.SetTypeLesson(3);
    list.AddGoodWord();
    list.NewStatError(4);
    list.AddStatError(1, 1);
    list.AddStatLetter(L"abca", 1, 2);
    EXPECT_EQ(list.GetCurError(), 0); // totals are closed by EndLap
    list.EndLap();
    ASSERT_EQ(list.GetSize(), 1u);
    EXPECT_EQ(list.Get(0)->GetError(), 1);
    EXPECT_EQ(list.Get(0)->GetAccuracy(), 3);
    EXPECT_STREQ(list.Get(0)->GetNameLesson(), L"one");
    ASSERT_NE(list.GetCurLap(), nullptr);
    EXPECT_EQ(list.GetCurLap()->GetID(), 1u);
    EXPECT_EQ(list.GetpStatLetter(0)->m_letters.size(), 1u);
    EXPECT_EQ(list.GetpStatLetter(1), nullptr);
    EXPECT_EQ(list.Get(1), nullptr);
    list.ResetLap();
    EXPECT_EQ(list.GetCurLap(), nullptr);
    EXPECT_EQ(list.GetSize(), 1u);
}

TEST(LapList, EndLapOnStoredLapOnlyDetaches)
{
    stattest::UsLayout us;
    TestLapList list;
    list.Add().Counts(5, 0);
    list.MakeStoredCurrent(0);
    list.EndLap();
    EXPECT_EQ(list.GetCurLap(), nullptr);
    ASSERT_EQ(list.GetSize(), 1u);
    list.ResetLap(); // must not free the stored lap
    EXPECT_EQ(list.Get(0)->GetID(), 0u);
}

TEST(LapList, DeleteLapByID)
{
    stattest::UsLayout us;
    TestLapList list;
    list.Add();
    list.Add();
    list.Add();
    EXPECT_EQ(list.DeleteLap(7), 0);
    EXPECT_EQ(list.GetSize(), 3u);
    EXPECT_EQ(list.DeleteLap(1), 1);
    ASSERT_EQ(list.GetSize(), 2u);
    EXPECT_EQ(list.Get(0)->GetID(), 0u);
    EXPECT_EQ(list.Get(1)->GetID(), 2u);
    // Deleting the stored lap that is also the current one leaves no dangling lap.
    list.MakeStoredCurrent(1);
    EXPECT_EQ(list.DeleteLap(2), 1);
    EXPECT_EQ(list.GetCurLap(), nullptr);
}

TEST(ErrorMarks, ErrorIsNotReplacedByIrregular)
{
    stattest::UsLayout us;
    KV::CLapList list;
    list.AddStatError(0, 1); // no array: nothing
    short* marks = list.NewStatError(3);
    ASSERT_NE(marks, nullptr);
    EXPECT_EQ(list.GetSizeStatError(), 3);
    list.AddStatError(0, 1);
    list.AddStatError(0, 2);
    EXPECT_EQ(marks[0], 1);
    list.AddStatError(1, 2);
    list.AddStatError(1, 1);
    EXPECT_EQ(marks[1], 1);
    list.AddStatError(2, 2);
    EXPECT_EQ(marks[2], 2);
}

TEST(ErrorMarks, SameCountKeepsMarks)
{
    stattest::UsLayout us;
    KV::CLapList list;
    EXPECT_EQ(list.NewStatError(0), nullptr);
    short* marks = list.NewStatError(5);
    list.AddStatError(4, 1);
    EXPECT_EQ(list.NewStatError(5), marks);
    EXPECT_EQ(marks[4], 1);
    short* other = list.NewStatError(6);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other[4], 0);
    EXPECT_EQ(list.GetSizeStatError(), 6);
    list.ClearStatError();
    EXPECT_EQ(list.GetpStatError(), nullptr);
    EXPECT_EQ(list.GetSizeStatError(), 0);
}

TEST(ErrorMarks, PositionsOutsideTheArrayAreIgnored)
{
    stattest::UsLayout us;
    KV::CLapList list;
    short* marks = list.NewStatError(2);
    list.AddStatError(2, 1);
    list.AddStatError(-1, 1);
    list.AddStatError(1000000, 1);
    EXPECT_EQ(marks[0], 0);
    EXPECT_EQ(marks[1], 0);
    EXPECT_EQ(list.NewStatError(-3), nullptr);
    EXPECT_EQ(list.GetpStatError(), marks);
}

TEST(ErrorMarks, FewerMarksThanCharactersCountAsRight)
{
    stattest::UsLayout us;
    KV::CLapList list;
    list.StartLap();
    list.NewStatError(2);
    list.AddStatError(1, 1);
    list.AddStatLetter(L"abcdefgh", 0, 0);
    list.EndLap();
    EXPECT_EQ(list.Get(0)->GetError(), 1);
    EXPECT_EQ(list.Get(0)->GetAccuracy(), 7);
}
