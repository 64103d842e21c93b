#include "kvstruct/kvstruct.h"
#include "common/fwtest.h"

#include <gtest/gtest.h>
#include <sstream>

using KV::CListParam;
using KV::CParam;

namespace {

// Items 1..5; 3 is hidden from view (not shown).
CListParam FiveItems()
{
    CListParam list;
    list.Add(1, CParam::Show, L"One", L"");
    list.Add(2, CParam::Show, L"Two", L"");
    list.Add(3, 0, L"Three", L"");
    list.Add(4, CParam::Show, L"Four", L"");
    list.Add(5, CParam::Show, L"Five", L"");
    return list;
}

} // namespace

TEST(ParamForm, ItemIsTenBytesWithoutNames)
{
    CParam p(7, CParam::Show | CParam::Key, L"Name", L"Desc");
    std::ostringstream out;
    p.Serialize(out);
    EXPECT_EQ(fwtest::Hex(out.str()), "01 00 07 00 00 00 01 00 10 00");
}

TEST(ParamForm, VersionZeroHasNoBody)
{
    CParam p(3, 1, L"", L"");
    std::istringstream in(std::string("\x00\x00\x09\x00\x00\x00", 6));
    p.Serialize(in);
    EXPECT_EQ(p.id, 3u);
    EXPECT_EQ(KV::StreamBytesLeft(in), 4);
}

TEST(ParamForm, ListRoundTripAndVersionZero)
{
    CListParam list = FiveItems();
    std::ostringstream out;
    list.Serialize(out);
    EXPECT_EQ(out.str().size(), 4u + 5u * 10u);
    CListParam back;
    std::istringstream in(out.str());
    back.Serialize(in);
    ASSERT_EQ(back.GetSize(), 5u);
    EXPECT_EQ(back.GetAt(3)->id, 4u);
    EXPECT_EQ(back.GetAt(2)->style, 0u);

    std::istringstream zero(std::string("\x00\x00", 2));
    back.Serialize(zero);
    EXPECT_EQ(back.GetSize(), 0u);
}

TEST(ParamList, LastShownItemCannotBeHidden)
{
    CListParam list;
    list.Add(1, CParam::Show, L"", L"");
    list.Add(2, 0, L"", L"");
    EXPECT_EQ(list.SetShow(1, 0), 0);
    EXPECT_EQ(list.GetStyle(1, CParam::Show), CParam::Show);
    EXPECT_EQ(list.SetShow(2, 1), 1);
    EXPECT_EQ(list.SetShow(1, 0), 1);
    EXPECT_EQ(list.SetShow(9, 1), 0);
}

TEST(ParamList, NextAndPrevWrapAround)
{
    CListParam list = FiveItems();
    EXPECT_EQ(list.GetNextID(5, CParam::Show, CParam::Show), 1u);
    EXPECT_EQ(list.GetNextID(2, CParam::Show, CParam::Show), 4u);
    EXPECT_EQ(list.GetNextID(42, CParam::Show, CParam::Show), 1u);
    EXPECT_EQ(list.GetPrevID(1, CParam::Show, CParam::Show), 5u);
    EXPECT_EQ(list.GetPrevID(4, CParam::Show, CParam::Show), 2u);
    EXPECT_EQ(list.GetPrevID(3, CParam::Show, CParam::Show), 0u);
    EXPECT_EQ(list.GetFirstID(CParam::Check, CParam::Check), 0u);
}

TEST(ParamList, PositionsAmongMatchingItems)
{
    CListParam list = FiveItems();
    EXPECT_EQ(list.GetNumID(4), 3u);
    EXPECT_EQ(list.GetNumID(99), 0u);
    EXPECT_EQ(list.GetNumID(4, CParam::Show, CParam::Show), 3u);
    EXPECT_EQ(list.GetNumID(3, CParam::Show, CParam::Show), 4u);
}

TEST(ParamList, SetCheckKeepsOneCheckedItem)
{
    CListParam list = FiveItems();
    list.SetCheck(2);
    list.SetCheck(4);
    EXPECT_EQ(list.IsStyle(2, 0, CParam::Check), 1);
    EXPECT_EQ(list.IsStyle(4, CParam::Check, CParam::Check), 1);
    EXPECT_EQ(list.GetFirstID(CParam::Check, CParam::Check), 4u);
}

TEST(ParamList, MovesSkipHiddenItems)
{
    CListParam list = FiveItems();
    EXPECT_EQ(list.MoveUp(4), 1);
    EXPECT_EQ(list.GetAt(1)->id, 4u);
    EXPECT_EQ(list.GetAt(2)->id, 3u);
    EXPECT_EQ(list.GetAt(3)->id, 2u);
    EXPECT_EQ(list.MoveUp(1), 0);
    EXPECT_EQ(list.MoveDown(5), 0);
    EXPECT_EQ(list.MoveDown(3), 0);
    EXPECT_EQ(list.MoveDown(77), 0);
    EXPECT_STREQ(list.GetAt(1)->GetName(), L"Four");
}

TEST(IdList, EmptyAndPastTheEnd)
{
    KV::CListID ids;
    EXPECT_EQ(ids.GetID(0), 0xFFFFFFFFu);
    EXPECT_EQ(ids.GetLastID(), 0xFFFFFFFFu);
    ids.Add(10);
    ids.Add(11);
    ids.Add(12);
    EXPECT_EQ(ids.GetID(5), 0u);
    EXPECT_EQ(ids.GetID(1), 11u);
    EXPECT_EQ(ids.GetLastID(), 12u);
    ids.Reset();
    EXPECT_EQ(ids.GetID(0), 0xFFFFFFFFu);
}

TEST(MessageBoxes, LibraryBoxesAreRecorded)
{
    fwtest::MsgRecorder rec(IDYES);
    EXPECT_EQ(KV::ShowWarning(L"Wrong version file: *.let"), IDYES);
    ASSERT_EQ(rec.Count(), 1u);
    EXPECT_EQ(rec.Boxes()[0].caption, L"Fingerwaltz");
    EXPECT_EQ(rec.Boxes()[0].type, static_cast<unsigned>(MB_OK | MB_ICONEXCLAMATION));
}
