#include "common/fwtest.h"
#include "kvfwctrl/keyboard/NameObject.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

// A minimal item: one UInt16 value and a name for Rename.
struct CItem
{
    static int alive;
    CItem() { ++alive; }
    ~CItem() { --alive; }
    void Serialize(std::ostream& out) { KV::SerializeUS(out, value); }
    void Serialize(std::istream& in) { value = KV::SerializeUS(in); }
    void SetName(const wchar_t* n) { name = n; }
    unsigned short value = 0;
    std::wstring name;
};
int CItem::alive = 0;

std::string Bytes(KV::CNameObject<CItem>& list)
{
    std::ostringstream out(std::ios::binary);
    list.Serialize(out);
    return out.str();
}

} // namespace

TEST(NameObject, NewListIsNamedNewAndEmpty)
{
    KV::CNameObject<CItem> list;
    EXPECT_STREQ(list.GetName(), L"New");
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_EQ(list.Get(0), nullptr);
    EXPECT_EQ(fwtest::Hex(Bytes(list)), "01 00 03 00 4e 00 65 00 77 00 00 00");
}

TEST(NameObject, StreamRoundTripIsByteExact)
{
    KV::CNameObject<CItem> list;
    list.SetName(L"Ab");
    list.New()->value = 7;
    list.New()->value = 0x0102;
    const std::string bytes = Bytes(list);
    EXPECT_EQ(fwtest::Hex(bytes), "01 00 02 00 41 00 62 00 02 00 07 00 02 01");

    KV::CNameObject<CItem> back;
    std::istringstream in(bytes, std::ios::binary);
    back.Serialize(in);
    EXPECT_STREQ(back.GetName(), L"Ab");
    ASSERT_EQ(back.GetCount(), 2u);
    EXPECT_EQ(back.Get(0)->value, 7);
    EXPECT_EQ(back.Get(1)->value, 0x0102);
}

TEST(NameObject, WrongVersionShowsTheListMessageAndReadsNothing)
{
    fwtest::MsgRecorder rec;
    KV::CNameObject<CItem> list;
    list.New();
    std::istringstream in(std::string("\x02\x00\x00\x00\x01\x00\x05\x00", 8), std::ios::binary);
    list.Serialize(in);
    EXPECT_EQ(list.GetCount(), 0u);
    ASSERT_EQ(rec.Count(), 1u);
    EXPECT_EQ(rec.Boxes()[0].text, L"Wrong version file: *.wrd");
    EXPECT_EQ(rec.Boxes()[0].caption, L"");
    EXPECT_EQ(rec.Boxes()[0].type, static_cast<unsigned>(MB_OK));
    EXPECT_EQ(in.tellg(), std::streampos(2));
}

TEST(NameObject, DamagedCountReadsOnlyTheItemsPresent)
{
    // Count 0xFFFF but only two whole items and half of a third.
    const std::string bytes("\x01\x00\x00\x00\xFF\xFF\x01\x00\x02\x00\x03", 11);
    std::istringstream in(bytes, std::ios::binary);
    const int before = CItem::alive;
    KV::CNameObject<CItem> list;
    list.Serialize(in);
    ASSERT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(list.Get(1)->value, 2);
    EXPECT_EQ(CItem::alive, before + 2);
}

TEST(NameObject, DeleteHandsTheItemOverAndReturnsItsSuccessor)
{
    KV::CNameObject<CItem> list;
    CItem* a = list.New();
    CItem* b = list.New();
    CItem* c = list.New();
    EXPECT_EQ(list.Delete(3), nullptr);
    EXPECT_EQ(list.Delete(0), b);
    delete a;
    EXPECT_EQ(list.Delete(1), b); // the last one removed: the new last one
    delete c;
    EXPECT_EQ(list.Delete(0), nullptr); // now empty
    delete b;
    EXPECT_EQ(list.GetCount(), 0u);
}

TEST(NameObject, SwapOutOfRangeChangesNothing)
{
    KV::CNameObject<CItem> list;
    CItem* a = list.New();
    CItem* b = list.New();
    EXPECT_FALSE(list.Swap(0, 2));
    EXPECT_EQ(list.Get(0), a);
    EXPECT_TRUE(list.Swap(0, 1));
    EXPECT_EQ(list.Get(0), b);
    EXPECT_EQ(list.Get(1), a);
}

TEST(NameObject, ClearAndDestructorFreeEveryItem)
{
    const int before = CItem::alive;
    {
        KV::CNameObject<CItem> list;
        list.New();
        list.New();
        EXPECT_TRUE(list.Rename(1, L"x"));
        EXPECT_EQ(list.Get(1)->name, L"x");
        EXPECT_FALSE(list.Rename(2, L"y"));
        list.Clear();
        EXPECT_EQ(CItem::alive, before);
        list.New();
    }
    EXPECT_EQ(CItem::alive, before);
}
