// Layout files of skins: exact bytes, round trips, partial loads and damaged files.
#include "../skin_test_util.h"
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

using namespace skintest;

namespace {

std::string FourRecordLayout()
{
    Bytes f;
    f.U16(1).Str(L"Blue").U16(5);
    f.Record(700, 0, 0, 0, 0, 0x01111411);
    f.Record(701, 30, 4, 20, 12, 0x02002112, 1, 2, 300, 400);
    f.Record(702, 5, 6, 70, 80, 0x03012111);    // button
    f.Record(703, 700, 0, 701, 24, 0x13000015); // text between 700 and 701
    f.Record(704, 1, 2, 3, 4, 0x09000011);      // table: no class yet
    return f.b;
}

} // namespace

TEST(SkinFile, RecordIsTwentyFourBytesInFieldOrder)
{
    KV::CSkin skin;
    const RECT place = {1, 2, 3, 4};
    const RECT limit = {5, 6, 7, 8};
    skin.SetParam(700, place, 0x01111411, &limit);
    std::ostringstream out;
    EXPECT_EQ(1, skin.Serialize(out));
    EXPECT_EQ("01 00 bc 02 01 00 02 00 03 00 04 00 05 00 06 00 07 00 08 00 11 14 11 01",
              fwtest::Hex(out.str()));
}

TEST(SkinFile, DefaultsOfANewElement)
{
    KV::CSkin skin;
    EXPECT_EQ(0x01111411ul, skin.GetStyle());
    EXPECT_EQ(KV::CRect(0, 0, 99, 99), skin.MinMaxRect());
    const RECT place = {0, 0, 10, 10};
    skin.SetParam(12, place, 0x01000011);
    skin.SetParam(0, place, 0x01000011); // 0 keeps the picture number, a null limit the limit
    EXPECT_EQ(12, skin.GetID());
    EXPECT_EQ(12, skin.GetCtrlID());
    EXPECT_EQ(KV::CRect(0, 0, 99, 99), skin.MinMaxRect());
    skin.SetCtrlID(40);
    EXPECT_EQ(40, skin.GetCtrlID());
}

TEST(SkinFile, NameIsThePictureNumber)
{
    KV::CSkin skin;
    EXPECT_EQ(1, skin.SetName(L"455"));
    wchar_t buffer[8];
    EXPECT_STREQ(L"455", skin.GetName(buffer));
    EXPECT_EQ(0, skin.SetName(L"70000"));
    EXPECT_EQ(0, skin.SetName(L"12a"));
    EXPECT_EQ(455, skin.GetID());
}

TEST(SkinFile, RoundTripIsByteForByte)
{
    fwtest::MsgRecorder rec;
    SkinFolder folder;
    const std::string bytes = FourRecordLayout();
    folder.WriteLayout(bytes);
    KV::CSkinWnd wnd;
    ASSERT_EQ(1, wnd.Load(folder.Layout().c_str(), 0));
    EXPECT_STREQ(L"Blue", wnd.GetName());
    // Only the types with a class here become elements; the others are carried along.
    ASSERT_EQ(4, wnd.Size());
    EXPECT_EQ(700, wnd.GetSkin(0)->GetID());
    EXPECT_EQ(701, wnd.GetSkin(1)->GetID());
    EXPECT_EQ(702, wnd.GetSkin(2)->GetID());
    EXPECT_EQ(703, wnd.GetSkin(3)->GetID());
    EXPECT_NE(nullptr, dynamic_cast<KV::CStatic*>(wnd.GetSkin(1)));
    EXPECT_NE(nullptr, dynamic_cast<KV::CButton*>(wnd.GetSkin(2)));
    EXPECT_NE(nullptr, dynamic_cast<KV::CText*>(wnd.GetSkin(3)));
    const std::wstring copy = folder.root + L"Copy.skn";
    ASSERT_EQ(1, wnd.Save(copy.c_str()));
    EXPECT_EQ(fwtest::Hex(bytes), fwtest::Hex(fwtest::ReadFileBytes(copy)));
    EXPECT_EQ(0u, rec.Count());
}

TEST(SkinFile, SavedElementsAddedInCode)
{
    fwtest::MsgRecorder rec;
    SkinFolder folder;
    KV::CSkinWnd wnd;
    EXPECT_STREQ(L"New", wnd.GetName());
    const RECT a = {1, 1, 10, 10};
    ASSERT_NE(nullptr, wnd.AddSkin(5, a, 0x02000011));
    ASSERT_NE(nullptr, wnd.AddSkin(6, a, 0x17000011));
    EXPECT_EQ(nullptr, wnd.AddSkin(7, a, 0x42000011)); // no class for that type
    ASSERT_EQ(1, wnd.Save(folder.Layout().c_str()));
    Bytes expect;
    expect.U16(1).Str(L"New").U16(2).Record(5, 1, 1, 10, 10, 0x02000011).Record(6, 1, 1, 10, 10, 0x17000011);
    EXPECT_EQ(fwtest::Hex(expect.b), fwtest::Hex(fwtest::ReadFileBytes(folder.Layout())));
}

TEST(SkinFile, PartialLoadKeepsPictureAreasStaticsAndButtons)
{
    fwtest::MsgRecorder rec;
    SkinFolder folder;
    folder.WriteLayout(FourRecordLayout());
    KV::CSkinWnd wnd;
    ASSERT_EQ(1, wnd.Load(folder.Layout().c_str(), 1));
    EXPECT_EQ(1, wnd.IsPartial());
    ASSERT_EQ(3, wnd.Size());
    EXPECT_EQ(0x01000000ul, wnd.GetSkin(0)->GetStyle(KV::kSkinType));
    EXPECT_EQ(0x02000000ul, wnd.GetSkin(1)->GetStyle(KV::kSkinType));
    EXPECT_EQ(0x03000000ul, wnd.GetSkin(2)->GetStyle(KV::kSkinType));
    // Saving writes the picture area, the static and the button only.
    std::ostringstream out;
    ASSERT_EQ(1, wnd.Serialize(out));
    Bytes expect;
    expect.U16(1).Str(L"Blue").U16(3);
    expect.Record(700, 0, 0, 0, 0, 0x01111411);
    expect.Record(701, 30, 4, 20, 12, 0x02002112, 1, 2, 300, 400);
    expect.Record(702, 5, 6, 70, 80, 0x03012111);
    EXPECT_EQ(fwtest::Hex(expect.b), fwtest::Hex(out.str()));
}

TEST(SkinFile, ClassTableMakesTheKnownTypes)
{
    KV::CSkinWnd wnd;
    std::unique_ptr<KV::CSkin> picture(wnd.NewSkin(1, 0x01000000));
    std::unique_ptr<KV::CSkin> stat(wnd.NewSkin(1, 0x02000000));
    std::unique_ptr<KV::CSkin> gl(wnd.NewSkin(1, 0x0B000000));
    std::unique_ptr<KV::CSkin> text(wnd.NewSkin(1, 0x13000000));
    std::unique_ptr<KV::CSkin> title(wnd.NewSkin(1, 0x17000000));
    EXPECT_NE(nullptr, picture.get());
    EXPECT_NE(nullptr, dynamic_cast<KV::CStatic*>(stat.get()));
    EXPECT_NE(nullptr, dynamic_cast<KV::COpenGL*>(gl.get()));
    EXPECT_NE(nullptr, dynamic_cast<KV::CText*>(text.get()));
    EXPECT_NE(nullptr, dynamic_cast<KV::CTitle*>(title.get()));
    EXPECT_EQ(nullptr, wnd.NewSkin(1, 0x05000000));
    EXPECT_EQ(nullptr, wnd.NewSkin(1, 0x00000000));
    KV::CSkin button, progress;
    button.SetStyleWord(0x03000000);
    progress.SetStyleWord(0x04000000);
    EXPECT_EQ(5, wnd.GetNumPicture(&button));
    EXPECT_EQ(4, wnd.GetNumPicture(&progress));
    EXPECT_EQ(1, wnd.GetNumPicture(picture.get()));
}

TEST(SkinFile, MissingFileFailsSilently)
{
    fwtest::MsgRecorder rec;
    KV::CSkinWnd wnd;
    EXPECT_EQ(0, wnd.Load(L"Z:\\no\\such\\folder\\x.skn", 0));
    EXPECT_EQ(0, wnd.Load(nullptr, 0));
    EXPECT_EQ(0u, rec.Count());
}

TEST(SkinFile, WrongVersionWarnsAndLoadsNothing)
{
    fwtest::MsgRecorder rec;
    SkinFolder folder;
    Bytes f;
    f.U16(2).Str(L"Blue").U16(1).Record(700, 0, 0, 0, 0, 0x01111411);
    folder.WriteLayout(f.b);
    KV::CSkinWnd wnd;
    EXPECT_EQ(0, wnd.Load(folder.Layout().c_str(), 0));
    EXPECT_EQ(0, wnd.Size());
    ASSERT_EQ(1u, rec.Count());
    EXPECT_EQ(L"Wrong version file: *.skn", rec.LastText());
    EXPECT_EQ(L"Fingerwaltz", rec.Boxes()[0].caption);
}

TEST(SkinFile, CountBeyondTheDataIsRefused)
{
    fwtest::MsgRecorder rec;
    SkinFolder folder;
    Bytes f;
    f.U16(1).Str(L"Blue").U16(60000).Record(700, 0, 0, 0, 0, 0x01111411).Record(701, 0, 0, 0, 0, 0x02000011);
    folder.WriteLayout(f.b);
    KV::CSkinWnd wnd;
    EXPECT_EQ(0, wnd.Load(folder.Layout().c_str(), 0));
    EXPECT_EQ(0, wnd.Size());
    EXPECT_EQ(L"Wrong version file: *.skn", rec.LastText());
}

TEST(SkinFile, ZeroRecordVersionStopsAndKeepsNothing)
{
    fwtest::MsgRecorder rec;
    SkinFolder folder;
    Bytes f;
    f.U16(1)
        .Str(L"Blue")
        .U16(2)
        .Record(700, 0, 0, 0, 0, 0x01111411)
        .Record(701, 0, 0, 0, 0, 0x02000011, 0, 0, 99, 99, 0);
    folder.WriteLayout(f.b);
    KV::CSkinWnd wnd;
    EXPECT_EQ(0, wnd.Load(folder.Layout().c_str(), 0));
    EXPECT_EQ(0, wnd.Size());
    EXPECT_STREQ(L"New", wnd.GetName());
    ASSERT_EQ(1u, rec.Count());
    EXPECT_EQ(L"Wrong version file: *.skn", rec.LastText());
}

TEST(SkinFile, TruncatedFilesNeverReadPastTheEnd)
{
    fwtest::MsgRecorder rec;
    SkinFolder folder;
    const std::string bytes = FourRecordLayout();
    // Every cut of the file is refused cleanly.
    for (size_t cut = 0; cut < bytes.size(); cut += 3)
    {
        folder.WriteLayout(bytes.substr(0, cut));
        KV::CSkinWnd wnd;
        EXPECT_EQ(0, wnd.Load(folder.Layout().c_str(), 0)) << cut;
        EXPECT_EQ(0, wnd.Size()) << cut;
    }
    EXPECT_GT(rec.Count(), 0u);
}

TEST(SkinFile, UnknownTypesAreSkippedSafely)
{
    fwtest::MsgRecorder rec;
    SkinFolder folder;
    Bytes f;
    f.U16(1).Str(L"Odd").U16(3);
    f.Record(1, 0, 0, 0, 0, 0xEE000011).Record(2, 0, 0, 0, 0, 0x00000011).Record(3, 0, 0, 5, 5, 0x02000011);
    folder.WriteLayout(f.b);
    KV::CSkinWnd wnd;
    ASSERT_EQ(1, wnd.Load(folder.Layout().c_str(), 0));
    ASSERT_EQ(1, wnd.Size());
    EXPECT_EQ(3, wnd.GetSkin(0)->GetID());
    EXPECT_EQ(nullptr, wnd.GetSkinByID(1));
    EXPECT_EQ(-1, wnd.GetNumByID(2));
    std::ostringstream out;
    wnd.Serialize(out);
    EXPECT_EQ(fwtest::Hex(f.b), fwtest::Hex(out.str()));
}

TEST(SkinFile, SaveFailureWarnsAndKeepsTheOldFile)
{
    fwtest::MsgRecorder rec;
    KV::CSkinWnd wnd;
    EXPECT_EQ(0, wnd.Save(L"Z:\\no\\such\\folder\\x.skn"));
    EXPECT_EQ(L"Can't save file: *.skn", rec.LastText());
}

TEST(SkinFile, DeleteSkinReturnsTheNextElement)
{
    KV::CSkinWnd wnd;
    const RECT a = {0, 0, 1, 1};
    wnd.AddSkin(1, a, 0x01000011);
    wnd.AddSkin(2, a, 0x01000011);
    wnd.AddSkin(3, a, 0x01000011);
    KV::CSkin* next = wnd.DeleteSkin(1);
    EXPECT_EQ(wnd.GetSkin(0), next);
    EXPECT_EQ(2, next->GetID());
    next = wnd.DeleteSkin(3);
    EXPECT_EQ(wnd.GetSkin(0), next); // the new last one
    EXPECT_EQ(nullptr, wnd.DeleteSkin(99));
    EXPECT_EQ(nullptr, wnd.DeleteSkin(2));
    EXPECT_EQ(0, wnd.Size());
}

TEST(SkinFile, RefreshWithoutLayoutWarns)
{
    fwtest::MsgRecorder rec;
    SkinFolder folder;
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(L"Gone");
    EXPECT_EQ(0, wnd.RefreshSkins(0));
    EXPECT_EQ(L"Can't open file: *.skn", rec.LastText());
}

TEST(SkinFile, PicturePathIsRootNameNumber)
{
    KV::CSkinWnd wnd;
    wnd.SetPath(L"C:\\Prog\\Skin");
    wnd.SetName(L"Blue");
    KV::CSkin skin;
    skin.SetID(700);
    wchar_t path[MAX_PATH];
    ASSERT_TRUE(wnd.GetPicturePath(&skin, path));
    EXPECT_STREQ(L"C:\\Prog\\Skin\\Blue\\700.bmp", path);
    std::wstring longName(300, L'x');
    wnd.SetName(longName.c_str());
    EXPECT_FALSE(wnd.GetPicturePath(&skin, path));
}

TEST(SkinFile, ChildElementsAreFoundThroughTheirOwner)
{
    struct Owner : KV::CSkin
    {
        KV::CSkin inner;
        KV::CSkin* GetChildSkin(unsigned short id) override { return id == 7 ? &inner : nullptr; }
    };
    KV::CSkinWnd wnd;
    Owner* owner = new Owner;
    owner->SetParam(300, RECT{0, 0, 1, 1}, 0x01000011);
    wnd.AddSkin(owner);
    EXPECT_EQ(owner, wnd.GetSkinByID(300));
    EXPECT_EQ(&owner->inner, wnd.GetSkinByID(300, 7));
    EXPECT_EQ(nullptr, wnd.GetSkinByID(300, 8));
    EXPECT_EQ(nullptr, wnd.GetSkinByID(301, 7));
}
