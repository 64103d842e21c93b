#include "../stat_test_util.h"
#include "common/fwtest.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <streambuf>

using fwtest::Hex;
using stattest::Bytes;
using stattest::FakeClock;
using stattest::UsLayout;

namespace {

// Fields of an empty lap record of the newest version.
Bytes& EmptyLap(Bytes& b)
{
    b.us(4);
    for (int i = 0; i < 9; ++i)
        b.us(0);
    return b.us(1).us(0).us(0).us(0).us(0);
}

void Read(KV::CLapListLang& store, const std::string& bytes)
{
    std::istringstream in(bytes);
    store.Serialize(in);
}

// Every object a read created, as a bound on what the data could hold.
size_t CountObjects(const KV::CLapListLang& store)
{
    size_t n = store.GetSize();
    for (unsigned long i = 0; i < store.GetSize(); ++i)
    {
        const KV::CLapList* list = store.Get(i);
        n += list->GetSize() + (list->GetCurLap() ? 1 : 0) + list->GetSizeStatError();
        for (unsigned long j = 0; j < list->GetSize(); ++j)
            n += list->Get(j)->GetpStatLetter()->m_letters.size();
        if (list->GetCurLap())
            n += list->GetCurLap()->GetpStatLetter()->m_letters.size();
    }
    return n;
}

// A store with two layouts, letter statistics, marks and a lap left running.
std::string SampleStore()
{
    FakeClock clock;
    UsLayout us;
    KV::CLapListLang store;
    KV::CLapList* de = store.SetKLID(L"00000407");
    for (int lap = 0; lap < 3; ++lap)
    {
        de->StartLap();
        de->SetNameLesson(lap ? L"Lesson two" : L"L1");
        de->SetTypeLesson(static_cast<unsigned short>(lap + 1));
        de->AddGoodWord();
        de->AddIrregWord();
        de->NewStatError(6);
        de->AddStatError(lap, 1);
        de->AddStatError(4, 2);
        de->AddStatLetter(L"abc de", 0, 2);
        clock.Advance(30 + lap);
        de->SetCurTime();
        de->EndLap();
        de->ResetLap();
    }
    de->SetLessonID(12);
    de->SetCourseID(1);
    de->SetSelectLesson(9);
    de->SetLetterIndex(3);
    de->StartLap();
    clock.Advance(42);
    de->PauseLap(1);
    de->SetCurTime();
    de->NewStatError(5);
    de->AddStatError(2, 1);
    de->AddStatError(3, 2);
    KV::CLapList* en = store.SetKLID(L"00000409");
    en->StartLap();
    en->AddStatLetter(L"xyz", 0, 1);
    en->EndLap();
    return stattest::Write(store);
}

// A stream buffer over bytes that cannot seek, like a pipe.
struct NoSeekBuf : std::streambuf
{
    explicit NoSeekBuf(std::string& bytes) { setg(&bytes[0], &bytes[0], &bytes[0] + bytes.size()); }
};

} // namespace

TEST(StatisticsStream, UnusedStoreIsVersionCountAndLayout)
{
    UsLayout us;
    KV::CLapListLang store;
    EXPECT_EQ(Hex(stattest::Write(store)), Hex(Bytes().us(3).us(0).str(L"00000409").s));
    EXPECT_EQ(Hex(stattest::Write(store)).substr(0, 17), "03 00 00 00 08 00");
}

TEST(StatisticsStream, MissingCurrentLapIsWrittenEmpty)
{
    UsLayout us;
    KV::CLapListLang store;
    KV::CLapList* list = store.SetKLID(L"00000409");
    list->StartLap();
    list->EndLap();
    list->ResetLap();
    ASSERT_EQ(list->GetSize(), 1u);
    const SYSTEMTIME& d = list->Get(0)->GetSystemDate();

    Bytes expected;
    expected.us(3).us(1);
    expected.us(7).us(1);
    expected.us(4).us(0).us(0).us(0).us(0).us(0).us(0).us(d.wYear).us(d.wMonth).us(d.wDay);
    expected.us(1).us(0).us(0).us(0).us(0);
    expected.us(0);
    EmptyLap(expected);
    expected.us(1).us(0).us(1).str(L"00000409").us(0).us(0);
    expected.str(L"00000409");
    const std::string bytes = stattest::Write(store);
    EXPECT_EQ(Hex(bytes), Hex(expected.s));
    EXPECT_NE(
        Hex(bytes).find(
            "04 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00 00 00"),
        std::string::npos);

    KV::CLapListLang back;
    Read(back, bytes);
    KV::CLapList* read = back.GetCurrent();
    ASSERT_NE(read->GetCurLap(), nullptr);
    EXPECT_EQ(read->GetCurLap()->GetID(), 1u);
    EXPECT_EQ(read->GetCurLap()->GetTotalChar(), 0);
    EXPECT_EQ(read->GetCurLap()->GetSystemDate().wYear, 0);
    EXPECT_EQ(stattest::Write(back), bytes);
}

TEST(StatisticsStream, RoundTripKeepsEverything)
{
    const std::string bytes = SampleStore();
    UsLayout us;
    KV::CLapListLang store;
    Read(store, bytes);
    ASSERT_EQ(store.GetSize(), 2u);
    EXPECT_STREQ(store.GetKLID(), L"00000409");
    EXPECT_EQ(store.GetCurrent(), store.Get(1));

    KV::CLapList* de = store.GetByKLID(L"00000407");
    ASSERT_NE(de, nullptr);
    ASSERT_EQ(de->GetSize(), 3u);
    EXPECT_STREQ(de->Get(1)->GetNameLesson(), L"Lesson two");
    EXPECT_EQ(de->Get(2)->GetTypeLesson(), 3);
    EXPECT_EQ(de->Get(2)->GetTotalTimeSec(), 32);
    EXPECT_EQ(de->Get(0)->GetError(), 1);
    EXPECT_EQ(de->Get(0)->GetIrregChar(), 1);
    EXPECT_EQ(de->Get(0)->GetIrregWord(), 1);
    EXPECT_EQ(de->Get(0)->GetpStatLetter()->m_letters.size(), 6u);
    EXPECT_EQ(de->Get(0)->GetpStatLetter()->m_letters[0]->GetLetter(), L'a');
    EXPECT_EQ(de->GetLessonID(), 12u);
    EXPECT_EQ(de->GetCourseID(), 1u);
    EXPECT_EQ(de->GetSelectLesson(), 9u);
    EXPECT_EQ(de->GetLetterIndex(), 3u);
    ASSERT_EQ(de->GetSizeStatError(), 5);
    EXPECT_EQ(de->GetpStatError()[2], 1);
    EXPECT_EQ(de->GetpStatError()[3], 2);
    ASSERT_NE(de->GetCurLap(), nullptr);
    EXPECT_EQ(de->GetCurLap()->GetTotalTimeSec(), 42);
    EXPECT_EQ(de->GetCurLap()->GetID(), 3u);

    // The running lap resumes with its time.
    FakeClock clock;
    de->PauseLap(0);
    clock.Advance(8);
    de->SetCurTime();
    EXPECT_EQ(de->GetCurLap()->GetTotalTimeSec(), 50);

    KV::CLapListLang again;
    Read(again, bytes);
    EXPECT_EQ(stattest::Write(again), bytes);
}

TEST(StatisticsStream, IDsArePositionsAfterReading)
{
    UsLayout us;
    KV::CLapListLang store;
    KV::CLapList* list = store.SetKLID(L"00000409");
    for (int i = 0; i < 4; ++i)
    {
        list->StartLap();
        list->EndLap();
    }
    ASSERT_EQ(list->DeleteLap(1), 1);
    ASSERT_EQ(list->DeleteLap(2), 1);
    EXPECT_EQ(list->Get(1)->GetID(), 3u);
    KV::CLapListLang back;
    Read(back, stattest::Write(store));
    KV::CLapList* read = back.GetCurrent();
    ASSERT_EQ(read->GetSize(), 2u);
    EXPECT_EQ(read->Get(0)->GetID(), 0u);
    EXPECT_EQ(read->Get(1)->GetID(), 1u);
    EXPECT_EQ(read->GetCurLap()->GetID(), 2u);
}

TEST(StatisticsStream, StoreVersionZeroIsEmpty)
{
    UsLayout us;
    KV::CLapListLang store;
    store.SetKLID(L"00000419");
    Read(store, Bytes().us(0).us(5).s);
    EXPECT_EQ(store.GetSize(), 0u);
    EXPECT_STREQ(store.GetKLID(), L"00000409");
}

TEST(StatisticsStream, StoreVersionTwoHasNumericLayout)
{
    UsLayout us;
    KV::CLapListLang store;
    Read(store, Bytes().us(2).us(0).us(1031).s);
    EXPECT_STREQ(store.GetKLID(), L"00001031");
    ASSERT_EQ(store.GetSize(), 1u);
    EXPECT_STREQ(store.GetCurrent()->GetKLID(), L"00001031");
    EXPECT_STREQ(KV::KLIDFromNumber(409), L"00000409");
}

TEST(StatisticsStream, StoreVersionOneLeavesNoCurrentList)
{
    UsLayout us;
    KV::CLapListLang store;
    // One list of version 5 naming the German layout.
    Bytes b;
    b.us(1).us(1);
    b.us(5).us(0).us(0);
    EmptyLap(b);
    b.us(1).us(0).us(1).str(L"00000407");
    Read(store, b.s);
    ASSERT_EQ(store.GetSize(), 1u);
    EXPECT_EQ(store.GetLessonID(), 0u); // nothing current yet
    KV::CLapList* current = store.GetCurrent();
    EXPECT_STREQ(current->GetKLID(), L"00000409");
    EXPECT_EQ(store.GetSize(), 2u);
}

TEST(StatisticsStream, LapListVersionThreeKeepsDefaults)
{
    UsLayout german(L"00000407");
    Bytes b;
    b.us(3).us(0).us(12);
    EmptyLap(b);
    KV::CLapList list;
    list.SetLessonID(30);
    list.SetKLID(L"x");
    std::istringstream in(b.s);
    list.Serialize(in);
    EXPECT_EQ(list.GetLessonID(), 1u);
    EXPECT_EQ(list.GetLetterIndex(), 0u);
    EXPECT_EQ(list.GetSelectLesson(), 1u);
    EXPECT_EQ(list.GetCourseID(), 0u);
    EXPECT_STREQ(list.GetKLID(), L"00000407");
    ASSERT_NE(list.GetCurLap(), nullptr);
    EXPECT_EQ(list.GetCurLap()->GetTotalTimeSec(), 12);
    EXPECT_FALSE(in.fail());
}

TEST(StatisticsStream, OlderLapListVersions)
{
    UsLayout us;
    // Version 1: stored laps only, no current lap.
    {
        Bytes b;
        b.us(1).us(1);
        EmptyLap(b);
        KV::CLapList list;
        std::istringstream in(b.s);
        list.Serialize(in);
        EXPECT_EQ(list.GetSize(), 1u);
        EXPECT_EQ(list.GetCurLap(), nullptr);
    }
    // Version 2: the accumulated time becomes the duration of a new current lap.
    {
        KV::CLapList list;
        std::istringstream in(Bytes().us(2).us(0).us(77).s);
        list.Serialize(in);
        ASSERT_NE(list.GetCurLap(), nullptr);
        EXPECT_EQ(list.GetCurLap()->GetTotalTimeSec(), 77);
        EXPECT_EQ(list.GetCurLap()->GetID(), 0u);
    }
    // Version 4: numeric layout, then lesson ID, letter index and selection.
    {
        Bytes b;
        b.us(4).us(0).us(0);
        EmptyLap(b);
        b.us(407).us(6).us(25).us(4);
        KV::CLapList list;
        std::istringstream in(b.s);
        list.Serialize(in);
        EXPECT_STREQ(list.GetKLID(), L"00000407");
        EXPECT_EQ(list.GetLessonID(), 6u);
        EXPECT_EQ(list.GetLetterIndex(), 25u);
        EXPECT_EQ(list.GetSelectLesson(), 4u);
        EXPECT_EQ(list.GetSizeStatError(), 0);
    }
    // Version 6: marks but no course ID; a later field is not read.
    {
        Bytes b;
        b.us(6).us(0).us(0);
        EmptyLap(b);
        b.us(2).us(3).us(4).str(L"00000419").us(3).us(0).us(2).us(1).us(1);
        KV::CLapList list;
        std::istringstream in(b.s);
        list.Serialize(in);
        EXPECT_STREQ(list.GetKLID(), L"00000419");
        ASSERT_EQ(list.GetSizeStatError(), 3);
        EXPECT_EQ(list.GetpStatError()[1], 2);
        EXPECT_EQ(list.GetpStatError()[2], 1);
        EXPECT_EQ(list.GetCourseID(), 0u);
        EXPECT_EQ(KV::SerializeUS(in), 1u);
    }
    // A newer version than known reads like the newest.
    {
        Bytes b;
        b.us(9).us(0).us(0);
        EmptyLap(b);
        b.us(2).us(3).us(4).str(L"00000419").us(0).us(1);
        KV::CLapList list;
        std::istringstream in(b.s);
        list.Serialize(in);
        EXPECT_EQ(list.GetCourseID(), 1u);
    }
}

TEST(StatisticsStream, OlderLapAndLetterVersions)
{
    // Lap version 1: counts and date only.
    {
        KV::CLap lap;
        lap.SetNameLesson(L"old");
        std::istringstream in(Bytes().us(1).us(9).us(1).us(2).us(3).us(60).us(4).us(2008).us(5).us(6).s);
        lap.Serialize(in);
        EXPECT_EQ(lap.GetAccuracy(), 9);
        EXPECT_EQ(lap.GetError(), 1);
        EXPECT_EQ(lap.GetSpeedWPM(), 2);
        EXPECT_EQ(lap.GetTotalTimeSec(), 60);
        EXPECT_EQ(lap.GetIrregChar(), 4);
        EXPECT_EQ(lap.GetSystemDate().wYear, 2008);
        EXPECT_EQ(lap.GetSystemDate().wDay, 6);
        EXPECT_EQ(lap.GetSystemDate().wHour, 0);
        EXPECT_STREQ(lap.GetNameLesson(), L"");
        EXPECT_FALSE(in.fail());
    }
    // Lap version 2 with letter records of versions 1 and 2; version 3 adds type and name.
    {
        Bytes b;
        b.us(3);
        for (int i = 0; i < 9; ++i)
            b.us(0);
        b.us(1).us(2).us(1).us('q').us(3).us(2).us(2).us('r').us(1).us(1).us(1);
        b.us(5).str(L"Name");
        b.us(0x1234);
        KV::CLap lap;
        std::istringstream in(b.s);
        lap.Serialize(in);
        const KV::CStatLetterList* letters = lap.GetpStatLetter();
        ASSERT_EQ(letters->m_letters.size(), 2u);
        EXPECT_EQ(letters->m_letters[0]->GetLetter(), L'q');
        EXPECT_EQ(letters->m_letters[0]->GetError(), 2);
        EXPECT_EQ(letters->m_letters[0]->GetIrreg(), 0);
        EXPECT_EQ(letters->m_letters[1]->GetIrreg(), 1);
        EXPECT_EQ(lap.GetTypeLesson(), 5);
        EXPECT_STREQ(lap.GetNameLesson(), L"Name");
        EXPECT_EQ(lap.GetIrregWord(), 0);
        EXPECT_EQ(KV::SerializeUS(in), 0x1234u);
    }
    // Letter list version 0 is empty and reads nothing more.
    {
        KV::CStatLetterList list;
        list.AddStatistic(L"a", L"a");
        std::istringstream in(Bytes().us(0).us(7).s);
        list.Serialize(in);
        EXPECT_TRUE(list.m_letters.empty());
        EXPECT_EQ(KV::SerializeUS(in), 7u);
    }
}

TEST(StatisticsStream, StoreLayoutSelection)
{
    UsLayout us;
    KV::CLapListLang store;
    EXPECT_EQ(store.GetLessonID(), 0u);
    store.SetLessonID(5); // no current list: nothing happens
    EXPECT_EQ(store.GetSize(), 0u);
    KV::CLapList* cur = store.GetCurrent();
    EXPECT_STREQ(cur->GetKLID(), L"00000409");
    KV::CLapList* de = store.SetKLID(L"00000407");
    EXPECT_EQ(store.SetKLID(L"00000409"), cur);
    EXPECT_EQ(store.SetKLID(L"00000407"), de);
    EXPECT_EQ(store.GetSize(), 2u);
    KV::CLapList* def = store.CreateKLIDDef();
    EXPECT_NE(def, cur);
    EXPECT_EQ(store.GetSize(), 3u);
    EXPECT_EQ(store.GetByKLID(L"00000409"), cur);

    store.SetSelectLesson(40);
    store.SetLessonID(50);
    store.ReviseLessonID(10, 60);
    EXPECT_EQ(store.GetSelectLesson(), 10u);
    EXPECT_EQ(store.GetLessonID(), 50u);
    store.ReviseLessonID(100, 20);
    EXPECT_EQ(store.GetLessonID(), 20u);
    store.SetLetterIndex(4);
    EXPECT_EQ(store.GetLetterIndexNext(), 5u);
    EXPECT_NE(store.NewStatError(3), nullptr);
    store.AddStatError(1, 1);
    EXPECT_EQ(store.GetpStatError()[1], 1);
}

TEST(StatisticsStream, DamagedStreamsNeverCrashOrExplode)
{
    const std::string good = SampleStore();
    UsLayout us;
    std::mt19937 rng(2024);
    for (int round = 0; round < 4000; ++round)
    {
        std::string bytes = good;
        switch (round % 4)
        {
        case 0:
            bytes.resize(rng() % bytes.size());
            break;
        case 1:
            for (int k = 1 + rng() % 6; k > 0; --k)
                bytes[rng() % bytes.size()] = static_cast<char>(rng());
            break;
        case 2: {
            // A count turned huge.
            size_t at = rng() % (bytes.size() - 1);
            bytes[at] = bytes[at + 1] = static_cast<char>(0xFF);
            break;
        }
        default:
            bytes.erase(rng() % bytes.size(), 1 + rng() % 8);
            break;
        }
        KV::CLapListLang store;
        Read(store, bytes);
        ASSERT_LE(CountObjects(store), bytes.size()) << "round " << round;
        store.GetCurrent();
        stattest::Write(store);
    }
}

TEST(StatisticsStream, HugeCountsOnShortData)
{
    UsLayout us;
    KV::CLapListLang store;
    Bytes b;
    b.us(3).us(0xFFFF).us(7).us(0xFFFF).us(4).us(0);
    Read(store, b.s);
    EXPECT_LE(CountObjects(store), b.s.size());

    // The same without a seekable stream: reading stops at the end of the data.
    std::string bytes = Bytes().us(3).us(0xFFFF).us(7).us(0xFFFF).us(2).us(1).us(2).us(3).us(4).us(5).us(6).s;
    NoSeekBuf buf(bytes);
    std::istream in(&buf);
    store.Serialize(in);
    EXPECT_LE(CountObjects(store), bytes.size());
    ASSERT_EQ(store.GetSize(), 1u);
    EXPECT_EQ(store.Get(0)->GetSize(), 1u);
}

TEST(StatisticsStream, OldLetterRecordsFromAStreamThatCannotSeek)
{
    // Version 1 records are shorter than the newest: what follows them must still be read.
    std::string bytes = Bytes().us(1).us(2).us(1).us('q').us(3).us(2).us(0).us(0xBEEF).us(0x1234).s;
    NoSeekBuf buf(bytes);
    std::istream in(&buf);
    KV::CStatLetterList list;
    list.Serialize(in);
    ASSERT_EQ(list.m_letters.size(), 2u);
    EXPECT_EQ(list.m_letters[0]->GetError(), 2);
    EXPECT_EQ(list.m_letters[1]->GetLetter(), 0);
    EXPECT_EQ(KV::SerializeUS(in), 0xBEEFu);
    EXPECT_EQ(KV::SerializeUS(in), 0x1234u);
    EXPECT_FALSE(in.fail());
}

TEST(StatisticsStream, LetterRecordsCutShort)
{
    // The data ends inside the second record: it keeps what was there, the stream fails.
    std::istringstream in(Bytes().us(1).us(3).us(2).us('a').us(1).us(0).us(0).us(2).us('b').s);
    KV::CStatLetterList list;
    list.Serialize(in);
    ASSERT_EQ(list.m_letters.size(), 2u);
    EXPECT_EQ(list.m_letters[1]->GetLetter(), L'b');
    EXPECT_EQ(list.m_letters[1]->GetNumber(), 0);
    EXPECT_TRUE(in.fail());
}
