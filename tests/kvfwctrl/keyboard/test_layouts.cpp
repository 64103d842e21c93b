#include "common/fwtest.h"
#include "kvfwctrl/keyboard/Layout.h"
#include "kvtesting/KeyboardLayerTable.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

HKL H(ULONG_PTR v)
{
    return reinterpret_cast<HKL>(v);
}

// Installs a table-driven keyboard for the test's lifetime.
struct TableKeyboard
{
    explicit TableKeyboard(std::vector<HKL> installed, const wchar_t* active = L"00000409") : layer(active)
    {
        layer.SetInstalledLayouts(installed);
        previous = KV::SetKeyboardLayer(&layer);
    }
    ~TableKeyboard() { KV::SetKeyboardLayer(previous); }
    KV::CTableKeyboardLayer layer;
    KV::CKeyboardLayer* previous;
};

std::string Written(const KV::CListLayout& list)
{
    std::ostringstream out;
    list.Serialize(static_cast<std::ostream&>(out));
    return out.str();
}

void ReadInto(KV::CListLayout& list, const std::string& bytes)
{
    std::istringstream in(bytes);
    list.Serialize(static_cast<std::istream&>(in));
}

const std::string kRecordUS = std::string("\x01\x00\x08\x00", 4) + std::string("0\0"
                                                                               "0\0"
                                                                               "0\0"
                                                                               "0\0"
                                                                               "0\0"
                                                                               "4\0"
                                                                               "0\0"
                                                                               "9\0",
                                                                               16);
const std::string kRecordDE = std::string("\x01\x00\x08\x00", 4) + std::string("0\0"
                                                                               "0\0"
                                                                               "0\0"
                                                                               "0\0"
                                                                               "0\0"
                                                                               "4\0"
                                                                               "0\0"
                                                                               "7\0",
                                                                               16);
const std::string kRecordRU = std::string("\x01\x00\x08\x00", 4) + std::string("0\0"
                                                                               "0\0"
                                                                               "0\0"
                                                                               "0\0"
                                                                               "0\0"
                                                                               "4\0"
                                                                               "1\0"
                                                                               "9\0",
                                                                               16);

const std::string kOn("\x01\x00", 2);
const std::string kOff("\x00\x00", 2);

} // namespace

TEST(LayoutList, TwoInstalledAndNoSettingsAreBothEnabled)
{
    TableKeyboard kb({H(KV::CTableKeyboardLayer::kUnitedStates), H(KV::CTableKeyboardLayer::kGerman)});
    KV::CListLayout list;
    EXPECT_EQ(list.Init(), 1);
    ASSERT_EQ(list.GetSize(), 2u);
    EXPECT_EQ(list.GetAt(0)->GetKLID(), L"00000409");
    EXPECT_EQ(list.GetAt(1)->GetKLID(), L"00000407");
    EXPECT_TRUE(list.GetAt(0)->IsInstall());
    EXPECT_TRUE(list.GetAt(1)->IsInstall());
    EXPECT_EQ(list.IsEnable(L"00000409"), 1);
    EXPECT_EQ(list.IsEnable(L"00000407"), 1);
    EXPECT_EQ(list.GetSizeInstall(), 2u);
    EXPECT_EQ(list.GetLastEnable(), -1);
    EXPECT_EQ(list.GetAt(2), nullptr);
}

TEST(LayoutList, DisablingOneOfTwoLeavesTheOtherAsLast)
{
    TableKeyboard kb({H(KV::CTableKeyboardLayer::kUnitedStates), H(KV::CTableKeyboardLayer::kGerman)});
    KV::CListLayout list;
    list.Init();
    list.GetAt(0)->SetEnable(0);
    EXPECT_EQ(list.GetLastEnable(), 1);
    EXPECT_EQ(list.IsEnable(L"00000409"), 0);
    list.GetAt(1)->SetEnable(0);
    EXPECT_EQ(list.GetLastEnable(), -1);
}

TEST(LayoutList, UnknownKLIDIsNotEnabled)
{
    TableKeyboard kb({H(KV::CTableKeyboardLayer::kUnitedStates)});
    KV::CListLayout list;
    list.Init();
    EXPECT_EQ(list.IsEnable(L"0000040C"), 0);
    EXPECT_EQ(list.IsEnable(L"00000409"), 1);
    EXPECT_EQ(list.IsEnable(nullptr), 0);
    // KLIDs compare exactly, case included.
    EXPECT_EQ(list.IsEnable(L"0000409"), 0);
}

TEST(LayoutList, InitKeepsTheActiveLayout)
{
    TableKeyboard kb({H(KV::CTableKeyboardLayer::kUnitedStates), H(KV::CTableKeyboardLayer::kGerman),
                      H(KV::CTableKeyboardLayer::kRussian)},
                     L"00000407");
    KV::CListLayout list;
    EXPECT_EQ(list.Init(), 1);
    EXPECT_EQ(list.GetSize(), 3u);
    wchar_t klid[KL_NAMELENGTH] = {};
    kb.layer.GetActiveLayoutName(klid);
    EXPECT_STREQ(klid, L"00000407");
    EXPECT_EQ(kb.layer.GetActiveLayout(), H(KV::CTableKeyboardLayer::kGerman));
}

TEST(LayoutList, StreamIsByteExact)
{
    TableKeyboard kb({H(KV::CTableKeyboardLayer::kUnitedStates), H(KV::CTableKeyboardLayer::kGerman)});
    KV::CListLayout list;
    list.Init();
    list.GetAt(1)->SetEnable(0x10000); // only the low 16 bits are stored
    EXPECT_EQ(Written(list), std::string("\x01\x00\x02\x00", 4) + kRecordUS + kOn + kRecordDE + kOff);
}

TEST(LayoutList, StoredLayoutNoLongerInstalledIsKeptButNotWritten)
{
    std::string stored;
    {
        TableKeyboard kb({H(KV::CTableKeyboardLayer::kUnitedStates), H(KV::CTableKeyboardLayer::kGerman),
                          H(KV::CTableKeyboardLayer::kRussian)});
        KV::CListLayout list;
        list.Init();
        list.GetAt(2)->SetEnable(0);
        stored = Written(list);
    }
    TableKeyboard kb({H(KV::CTableKeyboardLayer::kUnitedStates), H(KV::CTableKeyboardLayer::kGerman)});
    KV::CListLayout list;
    list.Init();
    ReadInto(list, stored);
    ASSERT_EQ(list.GetSize(), 3u);
    const KV::CLayout* ru = list.GetAt(2);
    EXPECT_EQ(ru->GetKLID(), L"00000419");
    EXPECT_EQ(ru->GetEnable(), 0u);
    EXPECT_TRUE(ru->GetName().IsEmpty());
    EXPECT_FALSE(ru->IsInstall());
    // Reading after Init keeps the system's names.
    EXPECT_TRUE(list.GetAt(0)->IsInstall());
    EXPECT_EQ(list.GetSizeInstall(), 2u);
    EXPECT_EQ(Written(list), std::string("\x01\x00\x02\x00", 4) + kRecordUS + kOn + kRecordDE + kOn);
}

TEST(LayoutList, StoredFlagsAreMatchedByKLIDNotPosition)
{
    TableKeyboard kb({H(KV::CTableKeyboardLayer::kGerman), H(KV::CTableKeyboardLayer::kUnitedStates)});
    KV::CListLayout list;
    list.Init();
    ReadInto(list, std::string("\x01\x00\x02\x00", 4) + kRecordUS + kOff + kRecordDE + kOn);
    EXPECT_EQ(list.GetAt(0)->GetKLID(), L"00000407");
    EXPECT_EQ(list.IsEnable(L"00000407"), 1);
    EXPECT_EQ(list.IsEnable(L"00000409"), 0);
    EXPECT_EQ(list.GetLastEnable(), 0);
}

TEST(LayoutList, ReinstalledLayoutGetsItsNameBack)
{
    TableKeyboard kb({H(KV::CTableKeyboardLayer::kUnitedStates)});
    KV::CListLayout list;
    list.Init();
    ReadInto(list, std::string("\x01\x00\x01\x00", 4) + kRecordRU + kOff);
    EXPECT_FALSE(list.GetAt(1)->IsInstall());
    kb.layer.SetInstalledLayouts(
        {H(KV::CTableKeyboardLayer::kUnitedStates), H(KV::CTableKeyboardLayer::kRussian)});
    EXPECT_EQ(list.Init(), 1);
    ASSERT_EQ(list.GetSize(), 2u);
    EXPECT_TRUE(list.GetAt(1)->IsInstall());
    EXPECT_EQ(list.GetAt(1)->GetEnable(), 0u); // the stored flag stays
}

TEST(LayoutList, VersionZeroListReadsNothingSilently)
{
    fwtest::MsgRecorder rec;
    KV::CListLayout list;
    ReadInto(list, std::string("\x00\x00\x01\x00", 4) + kRecordUS + kOn);
    EXPECT_EQ(list.GetSize(), 0u);
    EXPECT_EQ(rec.Count(), 0u);
}

TEST(LayoutList, VersionZeroRecordWarnsAndStopsReading)
{
    fwtest::MsgRecorder rec;
    KV::CListLayout list;
    ReadInto(list, std::string("\x01\x00\x03\x00", 4) + kRecordUS + kOff + kOff + kRecordDE + kOn);
    ASSERT_EQ(rec.Count(), 1u);
    EXPECT_EQ(rec.LastText(), L"Wrong version file: *.usr");
    EXPECT_EQ(rec.Boxes()[0].caption, L"Fingerwaltz");
    ASSERT_EQ(list.GetSize(), 1u);
    EXPECT_EQ(list.GetAt(0)->GetKLID(), L"00000409");
    EXPECT_EQ(list.IsEnable(L"00000407"), 0);
}

TEST(LayoutList, TruncatedOrHugeCountsStopAtTheEnd)
{
    KV::CListLayout list;
    ReadInto(list, std::string("\x01\x00\xFF\xFF", 4) + kRecordUS + kOn + kRecordDE.substr(0, 7));
    EXPECT_EQ(list.GetSize(), 1u);
    EXPECT_EQ(list.IsEnable(L"00000409"), 1);
    KV::CListLayout empty;
    ReadInto(empty, std::string("\x01", 1));
    EXPECT_EQ(empty.GetSize(), 0u);
}

TEST(LayoutList, CopiesHoldEveryEntry)
{
    TableKeyboard kb({H(KV::CTableKeyboardLayer::kUnitedStates), H(KV::CTableKeyboardLayer::kGerman)});
    KV::CListLayout list;
    list.Init();
    list.GetAt(0)->SetEnable(0);
    KV::CListLayout copy(list);
    KV::CListLayout assigned;
    ReadInto(assigned, std::string("\x01\x00\x01\x00", 4) + kRecordRU + kOn);
    assigned = list;
    ASSERT_EQ(copy.GetSize(), 2u);
    ASSERT_EQ(assigned.GetSize(), 2u);
    EXPECT_EQ(assigned.IsEnable(L"00000419"), 0);
    EXPECT_EQ(copy.GetLastEnable(), 1);
    EXPECT_EQ(assigned.GetAt(1)->GetName(), list.GetAt(1)->GetName());
}

TEST(LayoutList, SystemLayerGivesTheActiveLayout)
{
    // The platform's own layer (one layout under Wine): Init names it and enables it.
    KV::CListLayout list;
    EXPECT_EQ(list.Init(), 1);
    ASSERT_GE(list.GetSize(), 1u);
    wchar_t klid[KL_NAMELENGTH] = {};
    ASSERT_TRUE(GetKeyboardLayoutNameW(klid));
    EXPECT_EQ(list.IsEnable(klid), 1);
    EXPECT_FALSE(list.GetAt(0)->GetName().IsEmpty());
}
