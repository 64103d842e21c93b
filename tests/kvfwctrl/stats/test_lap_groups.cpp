#include "../stat_test_util.h"

#include <gtest/gtest.h>

using stattest::TestLapList;
using stattest::UsLayout;

namespace {

KV::CListParam Columns()
{
    KV::CListParam params;
    params.Add(1, 0x101001, L"DateLetter", L"TipDateLesson");
    params.Add(2, 0x101001, L"NameLesson", L"TipNameLesson");
    params.Add(701, 0x1111, L"SpeedCPM", L"TipSpeedCPM");
    return params;
}

} // namespace

TEST(LapGrouping, ModeZeroOneRowPerLap)
{
    UsLayout us;
    TestLapList list;
    list.Add().Counts(10, 1).Name(L"a").Type(1).Date(2020, 5, 3);
    list.Add().Counts(20, 2).Name(L"b").Type(2).Date(2020, 5, 1);
    list.Add().Counts(30, 3).Name(L"c").Type(1).Date(2020, 5, 1);
    KV::CListParam params = Columns();
    params.SetHide(2, 1);
    KV::CLapListGroup groups;
    groups.Fill(&list, 0, 0, params);
    ASSERT_EQ(groups.GetSize(), 3u);
    EXPECT_STREQ(groups.Get(0)->GetNameLesson(), L"a");
    EXPECT_STREQ(groups.Get(2)->GetNameLesson(), L"c");
    EXPECT_EQ(groups.Get(1)->GetError(), 2);
    EXPECT_EQ(groups.Get(2)->GetAccuracy(), 30);
    EXPECT_EQ(groups.Get(1)->GetID(), 1u);
    EXPECT_EQ(params.GetStyle(2, KV::CParam::Hide), 0u);
    EXPECT_EQ(groups.GetMode(), 0);
    EXPECT_EQ(groups.Get(3), nullptr);

    // A type filter keeps only that type.
    groups.Fill(&list, 0, 1, params);
    ASSERT_EQ(groups.GetSize(), 2u);
    EXPECT_STREQ(groups.Get(1)->GetNameLesson(), L"c");
}

TEST(LapGrouping, ModeThreeSplitsOnTypeChange)
{
    UsLayout us;
    TestLapList list;
    list.Add().Counts(10, 1).Type(2).Date(2020, 5, 1).Name(L"x");
    list.Add().Counts(20, 3).Type(2).Date(2020, 5, 2);
    list.Add().Counts(5, 5).Type(6).Date(2020, 6, 1);
    list.Add().Counts(7, 0).Type(2).Date(2020, 6, 2);
    KV::CListParam params = Columns();
    KV::CLapListGroup groups;
    groups.Fill(&list, 3, 0, params);
    ASSERT_EQ(groups.GetSize(), 3u);
    EXPECT_EQ(groups.Get(0)->GetMembers().GetSize(), 2u);
    EXPECT_EQ(groups.Get(0)->GetTotalChar(), 34);
    EXPECT_STREQ(groups.Get(0)->GetNameLesson(), L"--");
    EXPECT_EQ(groups.Get(0)->GetSystemDate().wDay, 2);
    EXPECT_EQ(groups.Get(1)->GetTypeLesson(), 6);
    EXPECT_EQ(groups.Get(2)->GetAccuracy(), 7);
    EXPECT_NE(params.GetStyle(2, KV::CParam::Hide), 0u);

    groups.Fill(&list, 2, 0, params);
    EXPECT_EQ(groups.GetSize(), 3u);
    groups.Fill(&list, 3, 2, params);
    ASSERT_EQ(groups.GetSize(), 2u);
    EXPECT_EQ(groups.Get(1)->GetMembers().GetID(0), 3u);
    groups.Fill(&list, 4, 0, params);
    EXPECT_EQ(groups.GetSize(), 0u);
}

TEST(LapGrouping, ModeOneClosesWhenTheDateChanges)
{
    UsLayout us;
    TestLapList list;
    list.Add().Type(1).Date(2009, 5, 30).Letter(L'a', 2, 1, 0);
    list.Add().Type(1).Date(2009, 5, 30).Letter(L'a', 1, 0, 0).Letter(L'b', 1, 1, 0);
    list.Add().Type(1).Date(2009, 5, 31);
    KV::CListParam params = Columns();
    KV::CLapListGroup groups;
    groups.Fill(&list, 1, 0, params);
    ASSERT_EQ(groups.GetSize(), 2u);
    EXPECT_EQ(groups.Get(0)->GetMembers().GetSize(), 2u);
    EXPECT_EQ(groups.Get(1)->GetMembers().GetSize(), 1u);
    const KV::CStatLetterList* letters = groups.GetpStatLetter(0);
    ASSERT_EQ(letters->m_letters.size(), 2u);
    EXPECT_EQ(letters->m_letters[0]->GetNumber(), 3);
    EXPECT_EQ(letters->m_letters[1]->GetError(), 1);
    EXPECT_EQ(groups.GetpStatLetter(2), nullptr);
}

TEST(LapGrouping, NoEmptyRowsWhenTypeAndDayChangeTogether)
{
    UsLayout us;
    TestLapList list;
    list.Add().Type(1).Date(2009, 5, 20);
    list.Add().Type(2).Date(2009, 5, 10);
    KV::CListParam params = Columns();
    KV::CLapListGroup groups;
    groups.Fill(&list, 1, 0, params);
    ASSERT_EQ(groups.GetSize(), 2u);
    EXPECT_EQ(groups.Get(0)->GetMembers().GetSize(), 1u);
    EXPECT_EQ(groups.Get(1)->GetMembers().GetSize(), 1u);
}

TEST(LapGrouping, AveragesPerLap)
{
    UsLayout us;
    TestLapList list;
    list.Add().Counts(30, 10).Type(1).Date(2020, 1, 1);
    list.Add().Counts(45, 5).Type(1).Date(2020, 1, 1);
    KV::CListParam params = Columns();
    KV::CLapListGroup groups;
    groups.Fill(&list, 1, 0, params);
    ASSERT_EQ(groups.GetSize(), 1u);
    const KV::CLap* group = groups.Get(0);
    EXPECT_EQ(group->GetError(), 7);
    EXPECT_EQ(group->GetAccuracy(), 37);
    EXPECT_DOUBLE_EQ(group->GetErrorProc(), 100.0 - 75 * 100.0 / 90); // from the sums: 15 of 90

    KV::CLapGroup plain(0);
    plain += *list.Get(0);
    plain += *list.Get(1);
    EXPECT_EQ(plain.GetError(), 15);
    KV::CLapGroup empty(1);
    EXPECT_EQ(empty.GetError(), 0);
    plain = *list.Get(0);
    EXPECT_EQ(plain.GetMembers().GetSize(), 2u);
    EXPECT_EQ(plain.GetError(), 10);
}

TEST(LapGrouping, DeleteRowsRemovesTheirLaps)
{
    UsLayout us;
    TestLapList list;
    for (int day = 1; day <= 3; ++day)
    {
        list.Add().Type(1).Date(2020, 1, day);
        list.Add().Type(1).Date(2020, 1, day);
    }
    list.Add().Type(1).Date(2020, 1, 3);
    KV::CListParam params = Columns();
    KV::CLapListGroup groups;
    groups.Fill(&list, 1, 0, params);
    ASSERT_EQ(groups.GetSize(), 3u);
    KV::CListID rows;
    rows.Add(2);
    EXPECT_EQ(groups.DeleteLap(rows), 1);
    EXPECT_EQ(list.GetSize(), 4u);
    rows.Reset();
    rows.Add(0);
    rows.Add(1);
    rows.Add(5);
    EXPECT_EQ(groups.DeleteLap(rows), 0);
    EXPECT_EQ(list.GetSize(), 0u);
    KV::CLapGroup g(0);
    EXPECT_EQ(g.RemoveGroup(nullptr), 0);
}

TEST(LapGrouping, StoreGroupsItsCurrentList)
{
    UsLayout us;
    KV::CLapListLang store;
    KV::CListParam params = Columns();
    EXPECT_EQ(store.GetGroup(0, 0, params).GetSize(), 0u);
    KV::CLapList* list = store.GetCurrent();
    list->StartLap();
    list->EndLap();
    list->StartLap();
    list->EndLap();
    KV::CLapListGroup& groups = store.GetGroup(0, 0, params);
    EXPECT_EQ(groups.GetSize(), 2u);
    EXPECT_EQ(groups.GetLapList(), list);
    EXPECT_EQ(store.GetGroup(1, 0, params).GetSize(), 1u);
    store.Clear();
    EXPECT_EQ(groups.GetSize(), 0u);
    EXPECT_EQ(groups.GetLapList(), nullptr);
}
