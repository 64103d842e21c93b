#include "common/fwtest.h"
#include "../keyboard_test_util.h"
#include "kvfwctrl/keyboard/Keyboard.h"
#include "kvtesting/KeyboardLayerTable.h"

#include <gtest/gtest.h>
#include <memory>
#include <sstream>

namespace {

std::string Bytes(KV::CKeyboard& kb)
{
    std::ostringstream out(std::ios::binary);
    kb.Serialize(out);
    return out.str();
}

void Read(KV::CKeyboard& kb, const std::string& bytes)
{
    std::istringstream in(bytes, std::ios::binary);
    kb.Serialize(in);
}

// Installs a table layer with the given layout active for the test's lifetime.
struct LayerScope
{
    explicit LayerScope(const wchar_t* klid) : layer(klid) { previous = KV::SetKeyboardLayer(&layer); }
    ~LayerScope() { KV::SetKeyboardLayer(previous); }
    KV::CTableKeyboardLayer layer;
    KV::CKeyboardLayer* previous;
};

} // namespace

// --- file form ---

TEST(KeyboardFile, OneKeyIsByteExactWithShiftBeforeFinger)
{
    KV::CKeyboard kb;
    kb.SetName(L"K");
    KV::CKey* key = kb.AddKey(L"30", L"15", L"16", 1, 3, 2);
    key->SetSize(15.7f, 16.2f);
    EXPECT_EQ(fwtest::Hex(Bytes(kb)), "01 00 01 00 01 00 4b 00 01 00 "
                                      "01 00 1e 00 0f 00 10 00 01 00 02 00 03 00 00 00");
}

TEST(KeyboardFile, RoundTripKeepsKeysAndTruncatesSizes)
{
    const std::wstring dir = fwtest::MakeTempDir(L"kbd");
    const std::wstring path = dir + L"\\Round.kbd";
    KV::CKeyboard kb;
    kbtest::Fill(kb);
    kb.GetKey(0)->SetSize(15.9f, 14.5f);
    ASSERT_EQ(kb.Save(path.c_str()), 1);

    KV::CKeyboard back;
    ASSERT_EQ(back.Load(path.c_str()), 1);
    EXPECT_STREQ(back.GetName(), L"Test");
    ASSERT_EQ(back.GetCount(), kb.GetCount());
    EXPECT_EQ(back.GetKey(0)->GetLength(), 15.0f);
    EXPECT_EQ(back.GetKey(0)->GetHight(), 14.0f);
    for (unsigned long i = 1; i < kb.GetCount(); ++i)
    {
        const KV::CKey* a = kb.GetKey(i);
        const KV::CKey* b = back.GetKey(i);
        EXPECT_EQ(a->GetCode(), b->GetCode()) << i;
        EXPECT_EQ(a->GetLength(), b->GetLength()) << i;
        EXPECT_EQ(a->GetHight(), b->GetHight()) << i;
        EXPECT_EQ(a->GetType(), b->GetType()) << i;
        EXPECT_EQ(a->GetNumFinger(), b->GetNumFinger()) << i;
        EXPECT_EQ(a->GetShift(), b->GetShift()) << i;
        EXPECT_EQ(b->GetpParent(), &back);
    }
    EXPECT_EQ(back.GetpLeftShift(), back.GetKey(kbtest::kLShift));
    EXPECT_EQ(back.GetpRightShift(), back.GetKey(kbtest::kRShift));
    EXPECT_EQ(back.GetpLeftHome(), back.GetKey(kbtest::kF));
    EXPECT_EQ(back.GetpRightHome(), back.GetKey(kbtest::kJ));
    EXPECT_EQ(back.GetCurrentShiftState(), 0u);
    EXPECT_EQ(back.GetCurrentKeyColor(), 255u);
    // Written again, the same bytes.
    EXPECT_EQ(Bytes(back), fwtest::ReadFileBytes(path));
}

TEST(KeyboardFile, SpareTextIsReadAndDiscarded)
{
    KV::CKeyboard kb;
    Read(kb, std::string("\x01\x00\x01\x00\x00\x00\x02\x00"
                         "\x01\x00\x1e\x01\x0f\x00\x0f\x00\x00\x00\x02\x00\x01\x00\x02\x00\x41\x00\x42\x00"
                         "\x01\x00\x30\x00\x0f\x00\x0f\x00\x04\x00\x00\x00\x00\x00\x00\x00",
                         50));
    ASSERT_EQ(kb.GetCount(), 2u);
    EXPECT_EQ(kb.GetKey(0)->GetCode(), 0x1E); // low 8 bits of 0x011E
    EXPECT_EQ(kb.GetKey(0)->GetShift(), 2u);
    EXPECT_EQ(kb.GetKey(0)->GetNumFinger(), 1u);
    EXPECT_EQ(kb.GetKey(1)->GetType(), 4u);
}

TEST(KeyboardFile, FirstWordZeroKeepsThePreviousKeyboard)
{
    KV::CKeyboard kb;
    kbtest::Fill(kb);
    kb.SetActiveKey(L"a", 0); // nothing to match yet, but keeps the call legal
    Read(kb, std::string("\x00\x00\x01\x00\x00\x00\x00\x00", 8));
    EXPECT_EQ(kb.GetCount(), 11u);
    EXPECT_STREQ(kb.GetName(), L"Test");
    EXPECT_NE(kb.GetpLeftShift(), nullptr);
}

TEST(KeyboardFile, LoadOfAFileThatIsNotAKeyboardKeepsIt)
{
    const std::wstring dir = fwtest::MakeTempDir(L"kbd");
    const std::wstring path = dir + L"\\Zero.kbd";
    ASSERT_TRUE(fwtest::WriteFileBytes(path, std::string("\x00\x00garbage", 9)));
    KV::CKeyboard kb;
    kbtest::Fill(kb);
    EXPECT_EQ(kb.Load(path.c_str()), 1);
    EXPECT_EQ(kb.GetCount(), 11u);
}

TEST(KeyboardFile, MissingFileLoadsAndSavesNothing)
{
    const std::wstring dir = fwtest::MakeTempDir(L"kbd");
    KV::CKeyboard kb;
    kbtest::Fill(kb);
    EXPECT_EQ(kb.Load((dir + L"\\none.kbd").c_str()), 0);
    EXPECT_EQ(kb.GetCount(), 11u);
    EXPECT_EQ(kb.Save((dir + L"\\no\\such\\folder.kbd").c_str()), 0);
}

TEST(KeyboardFile, KeyVersionZeroWarnsAndKeepsTheKeyAtDefaults)
{
    fwtest::MsgRecorder rec;
    KV::CKeyboard kb;
    // Two keys: the first record is only a zero word, reading goes on right after it.
    Read(kb, std::string("\x01\x00\x01\x00\x00\x00\x02\x00"
                         "\x00\x00"
                         "\x01\x00\x24\x00\x0f\x00\x0f\x00\x00\x00\x01\x00\x03\x00\x00\x00",
                         26));
    ASSERT_EQ(rec.Count(), 1u);
    EXPECT_EQ(rec.Boxes()[0].text, L"Wrong version file: *.kbd");
    EXPECT_EQ(rec.Boxes()[0].caption, L"Fingerwaltz");
    EXPECT_EQ(rec.Boxes()[0].type, static_cast<unsigned>(MB_OK | MB_ICONEXCLAMATION));
    ASSERT_EQ(kb.GetCount(), 2u);
    EXPECT_EQ(kb.GetKey(0)->GetCode(), 0);
    EXPECT_EQ(kb.GetKey(0)->GetLength(), 0.0f);
    EXPECT_EQ(kb.GetKey(1)->GetCode(), 0x24);
    EXPECT_EQ(kb.GetpRightHome(), kb.GetKey(1));
}

TEST(KeyboardFile, WrongListVersionLeavesNoKeys)
{
    fwtest::MsgRecorder rec;
    KV::CKeyboard kb;
    kbtest::Fill(kb);
    Read(kb, std::string("\x01\x00\x07\x00\x00\x00\x01\x00", 8));
    EXPECT_EQ(kb.GetCount(), 0u);
    ASSERT_EQ(rec.Count(), 1u);
    EXPECT_EQ(rec.LastText(), L"Wrong version file: *.wrd");
    EXPECT_EQ(kb.GetpLeftShift(), nullptr);
    EXPECT_EQ(kb.GetpLeftHome(), nullptr);
    // The active-key operations do nothing at all without Shift keys.
    kb.SetActiveKey(L"a", 1);
    kb.SetActiveKeys(L"a");
    kb.ResetActiveKeys();
    EXPECT_EQ(kb.GetCurrentKeyColor(), 255u);
}

TEST(KeyboardFile, DamagedCountReadsOnlyTheRecordsPresent)
{
    fwtest::MsgRecorder rec;
    KV::CKeyboard kb;
    // Count 0xFFFF, one whole key and a record cut short.
    Read(kb, std::string("\x01\x00\x01\x00\x00\x00\xff\xff"
                         "\x01\x00\x21\x00\x0f\x00\x0f\x00\x00\x00\x02\x00\x03\x00\x00\x00"
                         "\x01\x00\x24\x00\x0f",
                         31));
    EXPECT_EQ(kb.GetCount(), 1u);
    EXPECT_EQ(rec.Count(), 0u); // no warning per missing record
    EXPECT_EQ(kb.GetpLeftHome(), kb.GetKey(0));
}

// --- list operations ---

TEST(KeyboardKeys, AddKeyTakesLeadingDigitsAndFingerBeforeShift)
{
    KV::CKeyboard kb;
    KV::CKey* key = kb.AddKey(L"42abc", L"x", L"15.5", 1, 2, 3);
    EXPECT_EQ(key->GetCode(), 42);
    EXPECT_EQ(key->GetLength(), 0.0f);
    EXPECT_EQ(key->GetHight(), 15.0f);
    EXPECT_EQ(key->GetNumFinger(), 2u);
    EXPECT_EQ(key->GetShift(), 3u);
    EXPECT_EQ(key->GetpParent(), &kb);
    key->SetDate(L"7", L"8", L"9", 0, 4, 5);
    EXPECT_EQ(key->GetShift(), 4u);
    EXPECT_EQ(key->GetNumFinger(), 5u);
}

TEST(KeyboardKeys, SwapPastTheEndChangesNothing)
{
    KV::CKeyboard kb;
    kbtest::Fill(kb);
    KV::CKey* first = kb.GetKey(0);
    EXPECT_FALSE(kb.Swap(0, kb.GetCount()));
    EXPECT_EQ(kb.GetKey(0), first);
    EXPECT_TRUE(kb.Swap(0, 1));
    EXPECT_EQ(kb.GetKey(1), first);
}

TEST(KeyboardKeys, DeletingTheCurrentKeyForgetsIt)
{
    LayerScope us(L"00000409");
    KV::CKeyboard kb;
    kbtest::Fill(kb);
    kb.RefreshTextKey();
    kb.SetActiveKey(L"a", 0);
    ASSERT_EQ(kb.GetpCurrentKey(), kb.GetKey(kbtest::kA));
    std::unique_ptr<KV::CKey> handedOver(kb.GetKey(kbtest::kA));
    kb.DeleteKey(kbtest::kA);
    EXPECT_EQ(kb.GetpCurrentKey(), nullptr);
    EXPECT_EQ(kb.GetCount(), 10u);
}

// --- key texts ---

TEST(KeyboardText, UnitedStatesLetterAndDigitKeys)
{
    LayerScope us(L"00000409");
    KV::CKeyboard kb;
    kbtest::Fill(kb);
    kb.RefreshTextKey();
    const KV::CKey* a = kb.GetKey(kbtest::kA);
    EXPECT_STREQ(a->GetText1(), L"a");
    EXPECT_STREQ(a->GetText2(), L"A");
    EXPECT_EQ(a->GetOneKey(), 1u);
    EXPECT_STREQ(a->GetAText2(), "A");
    const KV::CKey* one = kb.GetKey(kbtest::kOne);
    EXPECT_STREQ(one->GetText1(), L"1");
    EXPECT_STREQ(one->GetText2(), L"!");
    EXPECT_EQ(one->GetOneKey(), 0u);
    EXPECT_STREQ(kb.GetKey(kbtest::kSpace)->GetText1(), L" ");
    EXPECT_STREQ(kb.GetKey(kbtest::kLShift)->GetText1(), L"");
}

TEST(KeyboardText, CapsLockAndHeldShiftDoNotChangeTheTexts)
{
    LayerScope us(L"00000409");
    us.layer.SetCapsLock(true);
    us.layer.SetKeyState(VK_RSHIFT, 0x80);
    us.layer.SetKeyState(VK_SHIFT, 0x80);
    KV::CKeyboard kb;
    kbtest::Fill(kb);
    kb.RefreshTextKey();
    EXPECT_STREQ(kb.GetKey(kbtest::kA)->GetText1(), L"a");
    EXPECT_STREQ(kb.GetKey(kbtest::kA)->GetText2(), L"A");
}

TEST(KeyboardText, EnterKeepsEmptyTexts)
{
    LayerScope us(L"00000409");
    KV::CKeyboard kb;
    KV::CKey* enter = kb.AddKey(L"28", L"15", L"15", 0, 0, 1);
    kb.RefreshTextKey();
    EXPECT_STREQ(enter->GetText1(), L"");
    EXPECT_STREQ(enter->GetText2(), L"");
}

TEST(KeyboardText, HiddenTextsAreNotRefreshed)
{
    LayerScope us(L"00000409");
    KV::CKeyboard kb;
    kbtest::Fill(kb);
    kb.ShowKeyText(0);
    kb.RefreshTextKey();
    EXPECT_STREQ(kb.GetKey(kbtest::kA)->GetText1(), L"");
}

TEST(KeyboardText, GermanSwapsZAndY)
{
    LayerScope de(L"00000407");
    KV::CKeyboard kb;
    KV::CKey* z = kb.AddKey(L"21", L"15", L"15", 0, 3, 1);     // 0x15
    KV::CKey* y = kb.AddKey(L"44", L"15", L"15", 0, 0, 2);     // 0x2C
    KV::CKey* ue = kb.AddKey(L"26", L"15", L"15", 0, 0, 1);    // 0x1A
    KV::CKey* caret = kb.AddKey(L"41", L"15", L"15", 0, 0, 2); // 0x29, a dead key
    KV::CKey* a = kb.AddKey(L"30", L"15", L"15", 0, 0, 2);
    kb.RefreshTextKey();
    EXPECT_STREQ(z->GetText2(), L"Z");
    EXPECT_EQ(z->GetOneKey(), 1u);
    EXPECT_STREQ(z->GetAText2(), "Z");
    EXPECT_STREQ(y->GetText1(), L"y");
    EXPECT_STREQ(ue->GetText2(), L"\u00DC");
    EXPECT_EQ(static_cast<unsigned char>(ue->GetAText2()[0]), 0xDC); // code page 1252
    EXPECT_STREQ(caret->GetText1(), L"^");
    // The dead key does not leak into the next key.
    EXPECT_STREQ(a->GetText1(), L"a");
    EXPECT_EQ(de.layer.GetPendingDeadKey(), 0);
}

TEST(KeyboardText, RussianInItsCodePage)
{
    LayerScope ru(L"00000419");
    KV::CKeyboard kb;
    kb.SetCP(1251);
    KV::CKey* ef = kb.AddKey(L"30", L"15", L"15", 0, 0, 2); // 0x1E
    KV::CKey* two = kb.AddKey(L"3", L"15", L"15", 0, 1, 2); // 0x03
    kb.RefreshTextKey();
    EXPECT_STREQ(ef->GetText1(), L"\u0444");
    EXPECT_STREQ(ef->GetText2(), L"\u0424");
    EXPECT_EQ(ef->GetOneKey(), 1u);
    EXPECT_EQ(static_cast<unsigned char>(ef->GetAText2()[0]), 0xD4);
    EXPECT_STREQ(two->GetText2(), L"\"");
    EXPECT_EQ(two->GetOneKey(), 0u);
}

// --- highlighting ---

class KeyboardActive : public ::testing::Test
{
protected:
    KeyboardActive() : us(L"00000409")
    {
        kbtest::Fill(kb);
        kb.RefreshTextKey();
    }
    LayerScope us;
    KV::CKeyboard kb;
    KV::CKey* Key(int i) { return kb.GetKey(i); }
    int LitCount()
    {
        int n = 0;
        for (unsigned long i = 0; i < kb.GetCount(); ++i)
            n += kb.GetKey(i)->GetActive() ? 1 : 0;
        return n;
    }
};

TEST_F(KeyboardActive, CapitalWithShiftLightsTheKeyAndTheShiftOfItsRole)
{
    kb.SetActiveKey(L"A", 1);
    EXPECT_EQ(Key(kbtest::kA)->GetActive(), 1u);
    EXPECT_EQ(Key(kbtest::kA)->GetReqShift(), 1u);
    EXPECT_EQ(Key(kbtest::kRShift)->GetActive(), 1u);
    EXPECT_EQ(Key(kbtest::kLShift)->GetActive(), 0u);
    EXPECT_EQ(LitCount(), 2);
    EXPECT_EQ(kb.GetCurrentShiftState(), 2u);
    EXPECT_EQ(kb.GetpCurrentKey(), Key(kbtest::kA));
}

TEST_F(KeyboardActive, SmallLetterLightsNoShift)
{
    kb.SetActiveKey(L"A", 1);
    kb.SetActiveKey(L"a", 0);
    EXPECT_EQ(Key(kbtest::kA)->GetActive(), 1u);
    EXPECT_EQ(Key(kbtest::kA)->GetReqShift(), 0u);
    EXPECT_EQ(LitCount(), 1);
}

TEST_F(KeyboardActive, RightHandCapitalLightsTheLeftShift)
{
    kb.SetActiveKey(L"K", 1);
    EXPECT_EQ(Key(kbtest::kLShift)->GetActive(), 1u);
    EXPECT_EQ(Key(kbtest::kRShift)->GetActive(), 0u);
    EXPECT_EQ(kb.GetCurrentShiftState(), 1u);
}

TEST_F(KeyboardActive, UnknownCharacterClearsEverythingAndKeepsTheCurrentKey)
{
    kb.SetActiveKey(L"A", 1);
    kb.SetActiveKey(L"\u00E9", 1);
    EXPECT_EQ(LitCount(), 0);
    EXPECT_EQ(kb.GetpCurrentKey(), Key(kbtest::kA));
    EXPECT_EQ(kb.GetCurrentShiftState(), 2u);
}

TEST_F(KeyboardActive, EmptyTextDoesNothing)
{
    kb.SetActiveKey(L"A", 1);
    kb.SetActiveKey(L"", 1);
    kb.SetActiveKey(nullptr, 1);
    EXPECT_EQ(LitCount(), 2);
}

TEST_F(KeyboardActive, CurrentKeyColourIsTheFingerColour)
{
    KV::CListRGBA scheme;
    for (int i = 0; i < 17; ++i)
        scheme.push_back(KV::CRGBA(static_cast<unsigned char>(10 * i), 1, 2));
    kb.SetColourShema(scheme);
    kb.SetActiveKey(L"g", 0);
    EXPECT_EQ(kb.GetCurrentKeyColor(), RGB(40, 1, 2));
}

TEST_F(KeyboardActive, SetOfCharactersLightsKeysAndShifts)
{
    kb.SetActiveKey(L"k", 0);
    kb.SetActiveKeys(L"aA");
    EXPECT_EQ(Key(kbtest::kA)->GetActive(), 1u);
    EXPECT_EQ(Key(kbtest::kRShift)->GetActive(), 1u);
    EXPECT_EQ(Key(kbtest::kLShift)->GetActive(), 0u);
    EXPECT_EQ(Key(kbtest::kK)->GetActive(), 0u);
    EXPECT_EQ(LitCount(), 2);
    EXPECT_EQ(kb.GetpCurrentKey(), nullptr);
    kb.SetActiveKeys(L"");
    EXPECT_EQ(LitCount(), 0);
}

TEST_F(KeyboardActive, ResetClearsEveryHighlight)
{
    kb.SetActiveKeys(L"aK!");
    EXPECT_GT(LitCount(), 2);
    kb.ResetActiveKeys();
    EXPECT_EQ(LitCount(), 0);
    EXPECT_EQ(kb.GetCurrentKeyColor(), 255u);
}

// --- layout ---

TEST(KeyboardLayout, RowOfTwoKeysAndARowEnd)
{
    KV::CKeyboard kb;
    kb.AddKey(L"16", L"15", L"15", 0, 0, 2);
    kb.AddKey(L"17", L"15", L"15", 0, 0, 2);
    kb.AddKey(L"0", L"10", L"15", 4, 0, 0);
    kb.AddKey(L"30", L"15", L"15", 0, 0, 2);
    kb.AddKey(L"0", L"10", L"15", 4, 0, 0);
    kb.RefreshSizeKey(200);
    EXPECT_EQ(kb.GetKey(0)->GetOriginX(), 0.0f);
    EXPECT_EQ(kb.GetKey(1)->GetOriginX(), 31.0f);
    EXPECT_EQ(kb.GetKey(2)->GetOriginX(), 62.0f);
    EXPECT_EQ(kb.GetKey(0)->GetFarX(), 29.0f);
    EXPECT_EQ(kb.GetKey(0)->GetOriginY(), 170.0f);
    EXPECT_EQ(kb.GetKey(0)->GetFarY(), 199.0f);
    EXPECT_EQ(kb.GetKey(0)->GetInnerX0(), 4.0f);
    EXPECT_EQ(kb.GetKey(0)->GetInnerX1(), 26.0f);
    EXPECT_EQ(kb.GetKey(0)->GetCenterX(), 14.5f);
    EXPECT_EQ(kb.GetLength(), 80.0f);
    EXPECT_EQ(kb.GetHight(), 60.0f);
    // The next row begins 2 x 15 + 1 below.
    EXPECT_EQ(kb.GetKey(3)->GetOriginX(), 0.0f);
    EXPECT_EQ(kb.GetKey(3)->GetOriginY(), 139.0f);
}

TEST(KeyboardLayout, GapMovesTheCursorAndEnterJumps)
{
    KV::CKeyboard kb;
    kb.AddKey(L"16", L"15", L"15", 0, 0, 2);
    kb.AddKey(L"0", L"5", L"15", 2, 0, 0);
    kb.AddKey(L"17", L"15", L"15", 0, 0, 2);
    kb.AddKey(L"28", L"20", L"15", 0, 0, 1);
    kb.AddKey(L"0", L"0", L"15", 4, 0, 0);
    kb.RefreshSizeKey(100);
    EXPECT_EQ(kb.GetKey(2)->GetOriginX(), 31.0f + 9.0f);
    // Enter: 33 units right of where the cursor stood.
    EXPECT_EQ(kb.GetKey(3)->GetOriginX(), 40.0f + 31.0f + 33.0f);
}

TEST(KeyboardLayout, NoRowEndMeansNoLength)
{
    KV::CKeyboard kb;
    kb.AddKey(L"16", L"15", L"15", 0, 0, 2);
    EXPECT_EQ(kb.GetLength(), 0.0f);
    KV::CKeyboard empty;
    empty.RefreshSizeKey(100); // nothing to lay out
    EXPECT_EQ(empty.GetLength(), 0.0f);
}

// --- hands ---

class KeyboardHands : public KeyboardActive
{
protected:
    KeyboardHands() { kb.RefreshSizeKey(100); }
};

TEST_F(KeyboardHands, RestOnTheHomeKeysWithoutACurrentKey)
{
    KV::tagHandDraw hd;
    ASSERT_TRUE(kb.GetHandDraw(hd));
    EXPECT_EQ(hd.lx, Key(kbtest::kF)->GetCenterX());
    EXPECT_EQ(hd.ry, Key(kbtest::kJ)->GetCenterY());
    EXPECT_EQ(hd.lFinger, 3u);
    EXPECT_EQ(hd.rFinger, 3u);
    EXPECT_EQ(hd.lActive + hd.rActive, 0u);
    EXPECT_EQ(hd.z, 70.0f);
}

TEST_F(KeyboardHands, RightHandCapitalSendsTheLeftLittleFingerToShift)
{
    kb.SetActiveKey(L"K", 1);
    KV::tagHandDraw hd;
    ASSERT_TRUE(kb.GetHandDraw(hd));
    EXPECT_EQ(hd.rx, Key(kbtest::kK)->GetCenterX());
    EXPECT_EQ(hd.rFinger, 2u);
    EXPECT_EQ(hd.rActive, 1u);
    EXPECT_EQ(hd.lx, Key(kbtest::kLShift)->GetCenterX());
    EXPECT_EQ(hd.ly, Key(kbtest::kLShift)->GetCenterY());
    EXPECT_EQ(hd.lFinger, 0u);
    EXPECT_EQ(hd.lActive, 1u);
}

TEST_F(KeyboardHands, LeftHandSmallLetterLeavesTheRightHandHome)
{
    kb.SetActiveKey(L"a", 0);
    KV::tagHandDraw hd;
    ASSERT_TRUE(kb.GetHandDraw(hd));
    EXPECT_EQ(hd.lx, Key(kbtest::kA)->GetCenterX());
    EXPECT_EQ(hd.lFinger, 0u);
    EXPECT_EQ(hd.rx, Key(kbtest::kJ)->GetCenterX());
    EXPECT_EQ(hd.rFinger, 3u);
    EXPECT_EQ(hd.rActive, 0u);
}

TEST_F(KeyboardHands, SpaceBarLightsBothThumbs)
{
    kb.SetActiveKey(L" ", 0);
    KV::tagHandDraw hd;
    ASSERT_TRUE(kb.GetHandDraw(hd));
    EXPECT_EQ(hd.lFinger, 5u);
    EXPECT_EQ(hd.rFinger, 5u);
    EXPECT_EQ(hd.lx, Key(kbtest::kSpace)->GetCenterX());
    EXPECT_EQ(hd.rx, Key(kbtest::kSpace)->GetCenterX());
    EXPECT_EQ(hd.lActive + hd.rActive, 2u);
}

TEST_F(KeyboardHands, NoHomeKeysNoHands)
{
    KV::CKeyboard bare;
    bare.AddKey(L"30", L"15", L"15", 0, 0, 2);
    KV::tagHandDraw hd;
    EXPECT_FALSE(bare.GetHandDraw(hd));
}

TEST(Hands, OutlineTablesAndFingertips)
{
    KV::CHands hands;
    ASSERT_EQ(hands.GetOutline().size(), 46u);
    ASSERT_EQ(hands.GetFingers().size(), 5u);
    EXPECT_EQ(hands.GetFingers()[0].x, 7.0f);
    EXPECT_EQ(hands.GetFingers()[3].y, 12.0f);
    EXPECT_EQ(hands.GetFingers()[4].x, 133.0f);
    EXPECT_EQ(hands.GetLineWidth(), 3.0f);
    EXPECT_EQ(hands.GetActiveColor(), KV::CRGBA(255, 0, 0));
    EXPECT_EQ(hands.GetPassiveColor(), KV::CRGBA(255, 255, 255));
}

TEST(Hands, SelectedFingertipLandsOnThePosition)
{
    KV::CHands hands;
    KV::tagHandDraw hd = {100, 50, 300, 60, 70, 2, 5, 1, 1};
    const KV::tagPosf l = hands.GetPointPos(hd, 0, 17); // middle fingertip
    EXPECT_EQ(l.x, 100.0f);
    EXPECT_EQ(l.y, 50.0f);
    const KV::tagPosf r = hands.GetPointPos(hd, 1, 32); // thumb tip
    EXPECT_EQ(r.x, 300.0f);
    EXPECT_EQ(r.y, 60.0f);
    // The right hand is mirrored: its little finger lies to the right of the thumb.
    EXPECT_GT(hands.GetPointPos(hd, 1, 4).x, r.x);
    EXPECT_LT(hands.GetPointPos(hd, 0, 4).x, l.x);
    // Unknown finger: the point (0, 0) is the tip.
    hd.lFinger = 9;
    EXPECT_EQ(hands.GetPosFingers(hd, 0).x, 0.0f);
}

TEST(Hands, FingerFourLightsTheIndexLikeThree)
{
    KV::CHands hands;
    KV::tagHandDraw hd = {0, 0, 0, 0, 70, 4, 3, 1, 1};
    for (int p = 0; p < 46; ++p)
    {
        const bool index = p >= 21 && p <= 27;
        EXPECT_EQ(hands.IsPointActive(hd, 0, p), index) << p;
        EXPECT_EQ(hands.IsPointActive(hd, 1, p), index) << p;
    }
    hd.lActive = 0;
    EXPECT_FALSE(hands.IsPointActive(hd, 0, 22));
}

TEST(KeyboardContrast, SwitchesTheHandsAndEveryKey)
{
    KV::CKeyboard kb;
    kbtest::Fill(kb);
    RECT rc = {0, 0, 0, 0};
    kb.Create(GetModuleHandleW(nullptr), nullptr, 0, rc, 304); // no parent: no window, hands only
    ASSERT_NE(kb.GetpHands(), nullptr);
    kb.SetContrast(1);
    EXPECT_EQ(kb.GetpHands()->GetLineWidth(), 4.0f);
    EXPECT_EQ(kb.GetpHands()->GetPassiveColor(), KV::CRGBA(0, 0, 0));
    EXPECT_EQ(kb.GetKey(3)->GetContrast(), 1);
    kb.SetContrast(0);
    EXPECT_EQ(kb.GetpHands()->GetLineWidth(), 3.0f);
    EXPECT_EQ(kb.GetpHands()->GetPassiveColor(), KV::CRGBA(255, 255, 255));
    kb.SetTypeView(1);
    EXPECT_EQ(kb.GetKey(0)->GetTypeView(), 1);
}

// --- shipped data ---

namespace {

std::wstring DataPath(const wchar_t* name)
{
    return fwtest::BinDir() + L"\\Data\\" + name;
}

double Luminance(const KV::CRGBA& c)
{
    return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
}

KV::CRGBA Brighter(const KV::CRGBA& c)
{
    auto up = [](int v) { return static_cast<unsigned char>(v + 50 > 255 ? 255 : v + 50); };
    return KV::CRGBA(up(c.r), up(c.g), up(c.b));
}

} // namespace

class ShippedKeyboard : public ::testing::TestWithParam<const wchar_t*>
{};

TEST_P(ShippedKeyboard, LoadsWithRowEndsHomeKeysAndShiftKeys)
{
    fwtest::MsgRecorder rec;
    const std::wstring name = GetParam();
    KV::CKeyboard kb;
    ASSERT_EQ(kb.Load(DataPath((name + L".kbd").c_str()).c_str()), 1);
    EXPECT_EQ(rec.Count(), 0u);
    EXPECT_EQ(std::wstring(kb.GetName()), name);
    ASSERT_GT(kb.GetCount(), 50u);
    EXPECT_EQ(kb.GetKey(kb.GetCount() - 1)->GetType(), 4u);
    int rows = 0;
    for (unsigned long i = 0; i < kb.GetCount(); ++i)
        rows += kb.GetKey(i)->GetType() == 4 ? 1 : 0;
    EXPECT_EQ(rows, 5);
    ASSERT_NE(kb.GetpLeftHome(), nullptr);
    ASSERT_NE(kb.GetpRightHome(), nullptr);
    EXPECT_EQ(kb.GetpLeftHome()->GetCode(), 0x21);
    EXPECT_EQ(kb.GetpRightHome()->GetCode(), 0x24);
    EXPECT_NE(kb.GetpLeftShift(), nullptr);
    EXPECT_NE(kb.GetpRightShift(), nullptr);
    // Narrow enough for the usual keyboard window scale.
    EXPECT_GT(kb.GetLength(), 300.0f);
    EXPECT_LT(kb.GetLength(), 588.0f);
}

TEST_P(ShippedKeyboard, KeysDoNotOverlap)
{
    KV::CKeyboard kb;
    ASSERT_EQ(kb.Load(DataPath((std::wstring(GetParam()) + L".kbd").c_str()).c_str()), 1);
    kb.RefreshSizeKey(300);
    for (unsigned long i = 0; i < kb.GetCount(); ++i)
    {
        const KV::CKey* a = kb.GetKey(i);
        if (!a->IsDrawn())
            continue;
        EXPECT_GE(a->GetOriginX(), 0.0f);
        EXPECT_LE(a->GetFarY(), 300.0f);
        for (unsigned long j = i + 1; j < kb.GetCount(); ++j)
        {
            const KV::CKey* b = kb.GetKey(j);
            if (!b->IsDrawn())
                continue;
            const bool apart = a->GetFarX() < b->GetOriginX() || b->GetFarX() < a->GetOriginX() ||
                               a->GetFarY() < b->GetOriginY() || b->GetFarY() < a->GetOriginY();
            EXPECT_TRUE(apart) << "keys " << i << " and " << j;
        }
    }
}

TEST_P(ShippedKeyboard, UnitedStatesLettersGoToTheTouchTypingFingers)
{
    LayerScope us(L"00000409");
    KV::CKeyboard kb;
    ASSERT_EQ(kb.Load(DataPath((std::wstring(GetParam()) + L".kbd").c_str()).c_str()), 1);
    struct Expect
    {
        const wchar_t* ch;
        unsigned long finger;
        unsigned long role;
    };
    const Expect table[] = {{L"a", 0, 2}, {L"s", 1, 2}, {L"d", 2, 2}, {L"f", 3, 2}, {L"g", 4, 2},
                            {L"h", 4, 1}, {L"j", 3, 1}, {L"k", 2, 1}, {L"l", 1, 1}, {L";", 0, 1},
                            {L"q", 0, 2}, {L"p", 0, 1}, {L"z", 0, 2}, {L"m", 3, 1}, {L" ", 5, 0}};
    for (const Expect& e : table)
    {
        kb.SetActiveKey(e.ch, 0);
        ASSERT_NE(kb.GetpCurrentKey(), nullptr) << static_cast<int>(e.ch[0]);
        EXPECT_EQ(kb.GetpCurrentKey()->GetNumFinger(), e.finger) << static_cast<int>(e.ch[0]);
        EXPECT_EQ(kb.GetpCurrentKey()->GetShift(), e.role) << static_cast<int>(e.ch[0]);
    }
}

INSTANTIATE_TEST_SUITE_P(Data, ShippedKeyboard, ::testing::Values(L"Type #1", L"Type #2", L"Type #3"));

TEST(ShippedKeyboardShape, IsoHasTheExtraKeyAndTheTallEnter)
{
    KV::CKeyboard iso, ansi;
    ASSERT_EQ(iso.Load(DataPath(L"Type #1.kbd").c_str()), 1);
    ASSERT_EQ(ansi.Load(DataPath(L"Type #2.kbd").c_str()), 1);
    auto find = [](const KV::CKeyboard& kb, unsigned char code) -> const KV::CKey* {
        for (unsigned long i = 0; i < kb.GetCount(); ++i)
            if (kb.GetKey(i)->GetCode() == code && kb.GetKey(i)->IsDrawn())
                return kb.GetKey(i);
        return nullptr;
    };
    ASSERT_NE(find(iso, 0x56), nullptr);
    EXPECT_EQ(find(ansi, 0x56), nullptr);
    ASSERT_NE(find(iso, 0x1C), nullptr);
    EXPECT_GE(find(iso, 0x1C)->GetHight(), 30.0f);
    EXPECT_EQ(find(ansi, 0x1C)->GetHight(), 15.0f);
}

TEST(ShippedColourScheme, FourReadableSchemesOfSeventeenColours)
{
    fwtest::MsgRecorder rec;
    KV::CKeyboard kb;
    const std::wstring path = DataPath(L"KeyboardScheme.bmp");
    ASSERT_EQ(kb.LoadBitmapW(path.c_str(), 1, 1), 1);
    const unsigned long count = kb.GetCountColourShema();
    ASSERT_GE(count, 4u);
    for (unsigned short n = 0; n < count; ++n)
    {
        kb.SetNumColourShema(n);
        ASSERT_EQ(kb.FillColourShema(), 1);
        const KV::CListRGBA& s = kb.GetColourShema();
        ASSERT_GE(s.size(), 17u);
        for (int f = 0; f < 6; ++f)
        {
            // Letters on the 3D face and on the flat fill (the shade), normal and in contrast.
            EXPECT_GT(std::abs(Luminance(s[15]) - Luminance(s[f])), 70.0) << n << " face " << f;
            EXPECT_GT(std::abs(Luminance(s[15]) - Luminance(s[f + 6])), 60.0) << n << " shade " << f;
            EXPECT_GT(Luminance(Brighter(s[f])), 90.0) << n << " contrast face " << f;
            EXPECT_GT(Luminance(Brighter(s[f + 6])), 90.0) << n << " contrast shade " << f;
        }
        EXPECT_GT(std::abs(Luminance(s[16]) - Luminance(s[12])), 70.0) << n;
        EXPECT_GT(std::abs(Luminance(s[16]) - Luminance(s[13])), 60.0) << n;
        EXPECT_GT(Luminance(Brighter(s[12])), 90.0) << n << " contrast highlight";
        // The highlight stands out from every finger colour.
        for (int f = 0; f < 6; ++f)
            EXPECT_GT(std::abs(s[12].r - s[f].r) + std::abs(s[12].g - s[f].g) + std::abs(s[12].b - s[f].b),
                      120)
                << n << " highlight vs finger " << f;
    }
    EXPECT_EQ(rec.Count(), 0u);
}
