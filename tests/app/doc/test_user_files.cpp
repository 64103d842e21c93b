#include "common/fwtest.h"
#include "user_bytes.h"
#include "app/doc/WaltzDoc.h"

#include <gtest/gtest.h>
#include <sstream>

using userbytes::Bytes;

namespace {

// Marker values of an options record; each differs from the default.
std::string OptionsRecord(unsigned version, const std::wstring& klid = L"00000407")
{
    Bytes b;
    b.US(version).Str(L"Deutsch").Str(L"Blue").Str(L"Type #2").US(0).US(3).US(0).Str(L"c").US(0).Str(L"d");
    if (version < 10)
        b.US(1).US(7);
    if (version >= 2 && version <= 11)
        b.Str(L"Lucida Console");
    if (version >= 3)
        b.Str(klid);
    if (version >= 4)
        b.US(1).US(0);
    if (version >= 5)
        b.US(1).US(1);
    if (version >= 6)
        b.US(0);
    if (version >= 7)
        b.UL(0x111111).UL(0x222222);
    if (version >= 8)
        b.US(5);
    if (version >= 9)
        b.UL(0x333333).UL(0x444444);
    if (version >= 10)
    {
        b.US(1).US(2).US(1).UL(704).UL(0x1111).US(1).UL(701).UL(0x1010);
        b.US(1).US(1).US(1).UL(10).UL(0x101001);
    }
    if (version >= 11)
        b.US(2).US(3);
    if (version >= 12)
    {
        b.US(1).UL(static_cast<unsigned long>(-20)).UL(0).UL(0).UL(0).UL(400);
        b.UC(0).UC(0).UC(0).UC(1).UC(0).UC(0).UC(2).UC(0).Str(L"Arial");
    }
    if (version >= 13)
        b.UL(0x555555);
    if (version >= 14)
    {
        b.US(1).US(1).US(1).US(0).US(50).US(0).UL(1).Str(L"x.ogg");
        b.US(1).US(0);
    }
    return b.Get();
}

std::string PlacesRecord(unsigned version, unsigned splitA, unsigned splitB)
{
    Bytes b;
    b.US(version).US(1).US(2).US(300).US(400).US(2).US(splitA).US(splitB);
    if (version >= 3)
        for (unsigned i = 0; i < 12; ++i)
            b.US(20 + i);
    if (version >= 5)
        b.US(11).US(12).US(13).US(14);
    if (version >= 6)
        b.US(15);
    if (version >= 7)
        for (unsigned i = 0; i < 8; ++i)
            b.US(40 + i);
    if (version >= 8)
        b.US(9);
    return b.Get();
}

// The default sound sets as stored.
std::string SoundSet(const std::vector<std::pair<unsigned, std::wstring>>& sounds)
{
    Bytes b;
    b.US(1).US(static_cast<unsigned>(sounds.size()));
    for (const auto& s : sounds)
        b.US(1).US(s.first).US(100).US(1).UL(1).Str(s.second);
    return b.Get();
}

class UserFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fwtest::MakeTempDir(L"doc");
        m_sta = m_dir + L"\\u1.sta";
        m_opt = m_dir + L"\\u1.opt";
        m_pla = m_dir + L"\\u1.pla";
    }
    int Load(CWaltzDoc& doc) { return doc.Load(m_sta.c_str(), m_opt.c_str(), m_pla.c_str()); }
    int Save(CWaltzDoc& doc) { return doc.Save(m_sta.c_str(), m_opt.c_str(), m_pla.c_str()); }

    fwtest::MsgRecorder m_boxes;
    std::wstring m_dir, m_sta, m_opt, m_pla;
};

TEST_F(UserFiles, AKnownDocumentIsWrittenByteForByte)
{
    CWaltzDoc doc;
    doc.SetHeader(CHeaderDoc(L"Anna", L"Full Anna", L"About Anna", L"1-heart", L"u1"));
    COptionsDoc& o = doc.GetOptions();
    o.m_sLanguage = L"Deutsch";
    o.m_sKLID = L"00000407";
    o.m_nShowHands = 0;
    o.m_nArhythmColour = 0x123456;
    CPlacesDoc& p = doc.GetPlaces();
    p.m_position = KV::CPoint(10, 20);
    p.m_nSplitA = 30;
    p.m_rects[CPlacesDoc::RectResults] = KV::CRect(1, 2, 3, 4);
    p.m_rects[CPlacesDoc::RectAbout] = KV::CRect(5, 6, 7, 8);
    p.m_nView[4] = 6;
    p.m_nLastSetting = 9;
    ASSERT_EQ(1, Save(doc));

    const std::wstring klid = GetActiveKLID().GetW();
    const std::string sta = Bytes()
                                .Raw(userbytes::Header(L"Anna", L"u1"))
                                .US(3)
                                .Raw(userbytes::Store(userbytes::LapList(klid, 1, 0, 1, 0), klid))
                                .Get();
    EXPECT_EQ(fwtest::Hex(sta), fwtest::Hex(fwtest::ReadFileBytes(m_sta)));

    Bytes opt;
    opt.US(1)
        .US(14)
        .Str(L"Deutsch")
        .Str(L"Default")
        .Str(L"Type #1")
        .US(1)
        .US(0)
        .US(1)
        .Str(L"")
        .US(1)
        .Str(L"");
    // The system's layouts, each enabled, as the options found them.
    EXPECT_GE(o.m_layouts.GetSizeInstall(), 1u) << "a new user trains on the installed layouts";
    opt.Str(L"00000407").US(1).US(static_cast<unsigned short>(o.m_layouts.GetSizeInstall()));
    for (const KV::CLayout& layout : o.m_layouts.GetLayouts())
        opt.US(1).Str(layout.GetKLID().GetW()).US(1);
    opt.US(0).US(0).US(0).UL(0xFAFAFA).UL(0x0A0A0A).US(2).UL(0x8000).UL(0xF0);
    const std::pair<unsigned long, unsigned long> score[] = {
        {1, 0x101001}, {2, 0x101001}, {704, 0x1010}, {701, 0x1111}, {706, 0x1010}, {707, 0x1011},
        {702, 0x1010}, {705, 0x1010}, {703, 0x2011}, {708, 0x1010}, {3, 0x101000}};
    opt.US(1).US(11);
    for (const auto& c : score)
        opt.US(1).UL(c.first).UL(c.second);
    opt.US(1).US(4).US(1).UL(10).UL(0x101001).US(1).UL(705).UL(0x1111);
    opt.US(1).UL(702).UL(0x1011).US(1).UL(708).UL(0x1011);
    opt.US(0).US(0);
    opt.US(1).UL(static_cast<unsigned long>(-14)).UL(0).UL(0).UL(0).UL(700);
    opt.UC(0).UC(0).UC(0).UC(1).UC(0).UC(0).UC(2).UC(0).Str(L"Courier New");
    opt.UL(0x123456);
    opt.Raw(SoundSet({{0, L"click-1.ogg"}, {1, L"click-2.ogg"}, {2, L"alarm-3.ogg"}}));
    opt.Raw(SoundSet({{9, L"alarm-2.ogg"},
                      {8, L"alarm-1.ogg"},
                      {7, L"click-5.ogg"},
                      {6, L"click-4.ogg"},
                      {5, L"click-3.ogg"},
                      {4, L"sound-3.ogg"},
                      {3, L"sound-2.ogg"},
                      {2, L"sound-1.ogg"},
                      {1, L"click-3.ogg"},
                      {0, L"music-1.ogg"}}));
    EXPECT_EQ(fwtest::Hex(opt.Get()), fwtest::Hex(fwtest::ReadFileBytes(m_opt)));

    Bytes pla;
    pla.US(1).US(8).US(10).US(20).US(657).US(325).US(0).US(30).US(45);
    pla.US(0).US(0).US(0).US(0).US(0).US(0).US(0).US(0).US(1).US(2).US(3).US(4);
    pla.US(0).US(0).US(0).US(0).US(6).US(0).US(0).US(0).US(0).US(5).US(6).US(7).US(8).US(9);
    EXPECT_EQ(fwtest::Hex(pla.Get()), fwtest::Hex(fwtest::ReadFileBytes(m_pla)));

    // And back: the same bytes once more.
    const std::string before = fwtest::ReadFileBytes(m_opt) + fwtest::ReadFileBytes(m_pla);
    CWaltzDoc back;
    ASSERT_EQ(1, Load(back));
    ASSERT_EQ(1, Save(back));
    EXPECT_EQ(before, fwtest::ReadFileBytes(m_opt) + fwtest::ReadFileBytes(m_pla));
    EXPECT_EQ(sta, fwtest::ReadFileBytes(m_sta));
    EXPECT_EQ(0u, m_boxes.Count());
}

TEST_F(UserFiles, EveryOptionsVersionReadsItsFieldsAndKeepsDefaultsForTheRest)
{
    for (unsigned v = 1; v <= 14; ++v)
    {
        SCOPED_TRACE(v);
        COptionsDoc o;
        std::istringstream in(OptionsRecord(v));
        ASSERT_EQ(1, o.Serialize(in));
        EXPECT_EQ(EOF, in.peek());
        EXPECT_STREQ(L"Deutsch", o.m_sLanguage);
        EXPECT_STREQ(L"d", o.m_sTextD);
        EXPECT_EQ(0, o.m_nSoundSys);
        EXPECT_EQ(0, o.m_soundSys.IsOn());
        EXPECT_STREQ(v >= 12 ? L"Arial" : v >= 2 ? L"Lucida Console" : L"Courier New", o.m_font.GetName());
        EXPECT_STREQ(v >= 3 ? L"00000407" : GetActiveKLID().GetW(), o.m_sKLID);
        EXPECT_EQ(v >= 5 ? 1 : 0, o.m_nKeyboardView);
        EXPECT_EQ(v >= 6 ? 0 : 1, o.m_nShowHands);
        EXPECT_EQ(v >= 7 ? 0x111111ul : 0xFAFAFAul, o.m_nBackColour);
        EXPECT_EQ(v >= 8 ? 5 : 2, o.m_nOptionG);
        EXPECT_EQ(v >= 9 ? 0x444444ul : 0xF0ul, o.m_nBadColour);
        EXPECT_EQ(v >= 10 ? 2ul : 11ul, o.m_scoreColumns.GetSize());
        EXPECT_EQ(v >= 10 ? 1ul : 4ul, o.m_letterColumns.GetSize());
        EXPECT_EQ(v >= 11 ? 2 : 0, o.m_nGroupMode);
        EXPECT_EQ(v >= 13 ? 0x555555ul : 0xF0F0ul, o.m_nArhythmColour);
        EXPECT_EQ(v >= 14 ? 1ul : 3ul, o.m_soundSys.GetSize());
        EXPECT_EQ(v >= 14 ? 0ul : 10ul, o.m_soundGame.GetSize());
        // The old flag showed words per minute and graphed it instead of characters.
        EXPECT_EQ(1, o.m_scoreColumns.IsStyle(704, 0x101, 0xF0F));
        EXPECT_EQ(1, o.m_scoreColumns.IsStyle(701, 0x10, 0xFFF));
        // Names come from the program, never from the file.
        EXPECT_STREQ(L"SpeedWPM", o.m_scoreColumns.Find(704)->GetName());
        EXPECT_STREQ(L"TipSpeedCPM", o.m_scoreColumns.Find(701)->GetDescription());
        EXPECT_STREQ(L"CharName", o.m_letterColumns.Find(10)->GetName());
    }
}

TEST_F(UserFiles, EveryPlacesVersionReadsItsFieldsAndMendsTheSplits)
{
    for (unsigned v = 1; v <= 8; ++v)
    {
        SCOPED_TRACE(v);
        CPlacesDoc p;
        std::istringstream in(PlacesRecord(v, v % 2 ? 0 : 100, 100));
        ASSERT_EQ(1, p.Serialize(in));
        EXPECT_EQ(EOF, in.peek());
        EXPECT_EQ(KV::CPoint(1, 2), p.m_position);
        EXPECT_EQ(KV::CSize(300, 400), p.m_size);
        EXPECT_EQ(65, p.m_nSplitA);
        EXPECT_EQ(45, p.m_nSplitB);
        EXPECT_EQ(v >= 3 ? KV::CRect(28, 29, 30, 31) : KV::CRect(), p.m_rects[CPlacesDoc::RectResults]);
        EXPECT_EQ(v >= 5 ? 14 : 0, p.m_nView[3]);
        EXPECT_EQ(v >= 6 ? 15 : 0, p.m_nView[4]);
        EXPECT_EQ(v >= 7 ? KV::CRect(44, 45, 46, 47) : KV::CRect(), p.m_rects[CPlacesDoc::RectAbout]);
        EXPECT_EQ(v >= 8 ? 9 : 0, p.m_nLastSetting);
    }
}

TEST_F(UserFiles, RefusedVersionsWarnAndKeepDefaults)
{
    struct Case
    {
        std::string file;
        const wchar_t* message;
        int loaded;
    } cases[] = {
        {Bytes().US(0).Get(), L"Wrong version file: *.usr", -7},
        {Bytes().Raw(userbytes::Header(L"A", L"u1")).US(3).Get(), nullptr, 1},
    };
    for (const Case& c : cases)
    {
        m_boxes.Clear();
        ASSERT_TRUE(fwtest::WriteFileBytes(m_sta, c.file));
        ASSERT_TRUE(fwtest::WriteFileBytes(m_opt, Bytes().US(1).US(0).Get()));
        ASSERT_TRUE(fwtest::WriteFileBytes(m_pla, Bytes().US(1).US(0).Get()));
        CWaltzDoc doc;
        EXPECT_EQ(c.loaded, Load(doc));
        std::vector<std::wstring> texts;
        for (const fwtest::MsgRecord& box : m_boxes.Boxes())
        {
            texts.push_back(box.text);
            EXPECT_EQ(L"Fingerwaltz", box.caption);
        }
        std::vector<std::wstring> expected;
        if (c.message)
            expected.push_back(c.message);
        else
        {
            expected.push_back(L"Wrong version file: *.opt");
            expected.push_back(L"Wrong version file: winpos");
        }
        EXPECT_EQ(expected, texts);
        EXPECT_STREQ(L"English", doc.GetOptions().m_sLanguage);
        EXPECT_EQ(68, doc.GetPlaces().m_nSplitA);
    }
}

TEST_F(UserFiles, MissingOptionsAndPlacesGiveDefaults)
{
    CWaltzDoc doc;
    doc.SetHeader(CHeaderDoc(L"A", L"", L"", L"", L"u1"));
    doc.GetOptions().m_sSkin = L"Other";
    doc.GetPlaces().m_nSplitB = 20;
    ASSERT_EQ(1, Save(doc));
    ::DeleteFileW(m_opt.c_str());
    ::DeleteFileW(m_pla.c_str());
    ASSERT_EQ(1, Load(doc));
    EXPECT_STREQ(L"Default", doc.GetOptions().m_sSkin);
    EXPECT_EQ(45, doc.GetPlaces().m_nSplitB);
    EXPECT_TRUE(doc.GetDamaged().empty());
    EXPECT_EQ(-2, doc.Load(L"", m_opt.c_str(), m_pla.c_str()));
}

TEST_F(UserFiles, AnUnreadableFileIsKeptOnceBeforeItIsReplaced)
{
    CWaltzDoc doc;
    doc.SetHeader(CHeaderDoc(L"A", L"", L"", L"", L"u1"));
    ASSERT_EQ(1, Save(doc));
    const std::string whole = fwtest::ReadFileBytes(m_sta);
    const std::string cut = whole.substr(0, whole.size() - 7);
    ASSERT_TRUE(fwtest::WriteFileBytes(m_sta, cut));
    ASSERT_TRUE(fwtest::WriteFileBytes(m_pla, Bytes().US(1).US(0).Get()));
    ASSERT_EQ(1, Load(doc));
    EXPECT_EQ(2u, doc.GetDamaged().size());
    m_boxes.Clear();
    ASSERT_EQ(1, Save(doc));
    EXPECT_EQ(cut, fwtest::ReadFileBytes(m_sta + L".damaged"));
    EXPECT_EQ(Bytes().US(1).US(0).Get(), fwtest::ReadFileBytes(m_pla + L".damaged"));
    EXPECT_FALSE(fwtest::ReadFileBytes(m_opt + L".damaged").size());
    ASSERT_EQ(1u, m_boxes.Count());
    EXPECT_EQ(L"Fingerwaltz", m_boxes.Boxes()[0].caption);
    EXPECT_NE(std::wstring::npos, m_boxes.LastText().find(L"u1.sta.damaged"));
    ASSERT_EQ(1, Save(doc));
    EXPECT_EQ(1u, m_boxes.Count());
}

TEST_F(UserFiles, AFailedReplaceLeavesEveryPreviousFileAsItWas)
{
    CWaltzDoc doc;
    doc.SetHeader(CHeaderDoc(L"A", L"", L"", L"", L"u1"));
    ASSERT_EQ(1, Save(doc));
    const std::string before[3] = {fwtest::ReadFileBytes(m_sta), fwtest::ReadFileBytes(m_opt),
                                   fwtest::ReadFileBytes(m_pla)};
    doc.GetOptions().m_sSkin = L"Changed";
    doc.GetPlaces().m_nSplitA = 12;
    doc.GetStat().GetCurrent()->SetLessonID(7);
    // Another program holds the main file: its replacement fails after every temporary was written.
    HANDLE held = ::CreateFileW(m_sta.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(0, Save(doc));
    ::CloseHandle(held);
    EXPECT_EQ(before[0], fwtest::ReadFileBytes(m_sta));
    EXPECT_EQ(before[1], fwtest::ReadFileBytes(m_opt));
    EXPECT_EQ(before[2], fwtest::ReadFileBytes(m_pla));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW((m_opt + L".tmp").c_str()));
    EXPECT_EQ(0, doc.Save(m_sta.c_str(), m_opt.c_str(), (m_dir + L"\\missing\\u1.pla").c_str()));
    EXPECT_EQ(before[1], fwtest::ReadFileBytes(m_opt));
}

} // namespace
