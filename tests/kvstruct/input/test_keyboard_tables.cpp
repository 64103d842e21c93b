#include "kvtesting/KeyboardLayerTable.h"
#include "kvstruct/kvstruct.h"
#include "common/fwtest.h"

#include <gtest/gtest.h>
#include <string>

using KV::CTableKeyboardLayer;

namespace {

HKL H(ULONG_PTR id)
{
    return reinterpret_cast<HKL>(id);
}

// One key press translated with the given modifiers (everything else up).
std::wstring Type(CTableKeyboardLayer& kb, UINT vk, bool shift = false, bool caps = false, bool altgr = false,
                  int* result = nullptr)
{
    BYTE state[256] = {0};
    if (shift)
        state[VK_SHIFT] = 0x80;
    if (caps)
        state[VK_CAPITAL] = 0x01;
    if (altgr)
        state[VK_CONTROL] = state[VK_MENU] = 0x80;
    wchar_t buf[8] = {0};
    UINT scan = kb.MapVirtualKey(vk, MAPVK_VK_TO_VSC, nullptr);
    int n = kb.ToUnicode(vk, scan, state, buf, 8, 0, nullptr);
    if (result)
        *result = n;
    return n < 0 ? std::wstring(buf, 1) : std::wstring(buf, static_cast<size_t>(n));
}

// The character the key with that scan code gives, plain or with Shift.
std::wstring ScanToText(CTableKeyboardLayer& kb, UINT scan, bool shift = false)
{
    UINT vk = kb.MapVirtualKey(scan, MAPVK_VSC_TO_VK, kb.GetActiveLayout());
    return Type(kb, vk, shift);
}

} // namespace

TEST(KeyboardTables, ScanCodesMapBothWaysOnUnitedStates)
{
    CTableKeyboardLayer kb;
    EXPECT_EQ(kb.MapVirtualKey(0x1E, MAPVK_VSC_TO_VK, nullptr), static_cast<UINT>('A'));
    EXPECT_EQ(kb.MapVirtualKey('A', MAPVK_VK_TO_VSC, nullptr), 0x1Eu);
    EXPECT_EQ(kb.MapVirtualKey(0x2A, MAPVK_VSC_TO_VK, nullptr), static_cast<UINT>(VK_SHIFT));
    EXPECT_EQ(kb.MapVirtualKey(0x36, MAPVK_VSC_TO_VK_EX, nullptr), static_cast<UINT>(VK_RSHIFT));
    EXPECT_EQ(kb.MapVirtualKey(VK_RSHIFT, MAPVK_VK_TO_VSC, nullptr), 0x36u);
    EXPECT_EQ(kb.MapVirtualKey(VK_SPACE, MAPVK_VK_TO_VSC, nullptr), 0x39u);
    EXPECT_EQ(kb.MapVirtualKey(VK_OEM_1, MAPVK_VK_TO_CHAR, nullptr), static_cast<UINT>(';'));
    EXPECT_EQ(kb.MapVirtualKey('Q', MAPVK_VK_TO_CHAR, nullptr), static_cast<UINT>('Q'));
    EXPECT_EQ(kb.MapVirtualKey(0x7F, MAPVK_VSC_TO_VK, nullptr), 0u);
    // Every scan code of a character key comes back from its virtual key.
    for (UINT scan = 0x02; scan <= 0x35; ++scan)
    {
        UINT vk = kb.MapVirtualKey(scan, MAPVK_VSC_TO_VK, nullptr);
        if (vk && vk != VK_SHIFT && vk != VK_CONTROL)
        {
            EXPECT_EQ(kb.MapVirtualKey(vk, MAPVK_VK_TO_VSC, nullptr), scan) << std::hex << scan;
        }
    }
}

TEST(KeyboardTables, ShiftAndCapsLockOnUnitedStates)
{
    CTableKeyboardLayer kb;
    EXPECT_EQ(Type(kb, 'A'), L"a");
    EXPECT_EQ(Type(kb, 'A', true), L"A");
    EXPECT_EQ(Type(kb, 'A', false, true), L"A");
    EXPECT_EQ(Type(kb, 'A', true, true), L"a");
    // Caps Lock leaves digits and punctuation alone.
    EXPECT_EQ(Type(kb, '1', false, true), L"1");
    EXPECT_EQ(Type(kb, '1', true), L"!");
    EXPECT_EQ(Type(kb, VK_OEM_7, true), L"\"");
    EXPECT_EQ(Type(kb, VK_SPACE), L" ");
    EXPECT_EQ(Type(kb, VK_RETURN), L"\r");
    int n = 7;
    EXPECT_EQ(Type(kb, VK_SHIFT, false, false, false, &n), L"");
    EXPECT_EQ(n, 0);
}

TEST(KeyboardTables, ControlGivesControlCharacters)
{
    CTableKeyboardLayer kb;
    BYTE state[256] = {0};
    state[VK_CONTROL] = 0x80;
    wchar_t buf[4] = {0};
    EXPECT_EQ(kb.ToUnicode('C', 0x2E, state, buf, 4, 0, nullptr), 1);
    EXPECT_EQ(buf[0], 0x03);
    EXPECT_EQ(kb.ToUnicode(VK_F1, 0x3B, state, buf, 4, 0, nullptr), 0);
}

TEST(KeyboardTables, KeyReleaseGivesNothing)
{
    CTableKeyboardLayer kb;
    BYTE state[256] = {0};
    wchar_t buf[4] = {0};
    EXPECT_EQ(kb.ToUnicode('A', 0x1E | 0x8000, state, buf, 4, 0, nullptr), 0);
}

TEST(KeyboardTables, VkKeyScanGivesKeyAndShiftState)
{
    CTableKeyboardLayer kb;
    EXPECT_EQ(kb.VkKeyScan(L'a', nullptr), 0x0041);
    EXPECT_EQ(kb.VkKeyScan(L'A', nullptr), 0x0141);
    EXPECT_EQ(kb.VkKeyScan(L'@', nullptr), 0x0132);
    EXPECT_EQ(kb.VkKeyScan(L' ', nullptr), VK_SPACE);
    EXPECT_EQ(kb.VkKeyScan(L'\r', nullptr), VK_RETURN);
    EXPECT_EQ(kb.VkKeyScan(L'ф', nullptr), -1);
    EXPECT_EQ(kb.VkKeyScan(L'ф', H(CTableKeyboardLayer::kRussian)), 0x0041);
    EXPECT_EQ(kb.VkKeyScan(L'Ф', H(CTableKeyboardLayer::kRussian)), 0x0141);
    // AltGr is Ctrl + Alt: shift state 6.
    EXPECT_EQ(kb.VkKeyScan(L'@', H(CTableKeyboardLayer::kGerman)), 0x0651);
    EXPECT_EQ(kb.VkKeyScan(L'€', H(CTableKeyboardLayer::kGerman)), 0x0645);
}

TEST(KeyboardTables, GermanSwapsYAndZ)
{
    CTableKeyboardLayer kb(L"00000407");
    EXPECT_EQ(ScanToText(kb, 0x15), L"z");
    EXPECT_EQ(ScanToText(kb, 0x2C), L"y");
    EXPECT_EQ(ScanToText(kb, 0x1A), L"ü");
    EXPECT_EQ(ScanToText(kb, 0x1A, true), L"Ü");
    EXPECT_EQ(ScanToText(kb, 0x0C), L"ß");
    EXPECT_EQ(ScanToText(kb, 0x0C, true), L"?");
    EXPECT_EQ(ScanToText(kb, 0x03, true), L"\"");
    EXPECT_EQ(ScanToText(kb, 0x04, true), L"§");
    EXPECT_EQ(kb.MapVirtualKey(0x15, MAPVK_VSC_TO_VK, nullptr), static_cast<UINT>('Z'));
    EXPECT_EQ(kb.MapVirtualKey('Y', MAPVK_VK_TO_VSC, nullptr), 0x2Cu);
    // Caps Lock makes umlauts capitals but leaves ß.
    EXPECT_EQ(Type(kb, VK_OEM_3, false, true), L"Ö");
    EXPECT_EQ(Type(kb, VK_OEM_4, false, true), L"ß");
    EXPECT_EQ(Type(kb, 'Q', false, false, true), L"@");
    EXPECT_EQ(Type(kb, 'E', false, false, true), L"€");
    EXPECT_EQ(Type(kb, '7', false, false, true), L"{");
    EXPECT_EQ(Type(kb, 'A', false, false, true), L"");
}

TEST(KeyboardTables, GermanDeadKeysCompose)
{
    CTableKeyboardLayer kb(L"00000407");
    int n = 0;
    EXPECT_EQ(Type(kb, VK_OEM_5, false, false, false, &n), L"^");
    EXPECT_EQ(n, -1);
    EXPECT_EQ(kb.GetPendingDeadKey(), L'^');
    // A Shift press between the dead key and the letter keeps the dead key waiting.
    EXPECT_EQ(Type(kb, VK_SHIFT, true, false, false, &n), L"");
    EXPECT_EQ(Type(kb, 'E', false, false, false, &n), L"ê");
    EXPECT_EQ(n, 1);
    EXPECT_EQ(kb.GetPendingDeadKey(), 0);

    Type(kb, VK_OEM_6);
    EXPECT_EQ(Type(kb, 'E'), L"é");
    Type(kb, VK_OEM_6, true); // Shift + ´ is the grave accent
    EXPECT_EQ(kb.GetPendingDeadKey(), L'`');
    EXPECT_EQ(Type(kb, 'E'), L"è");
    Type(kb, VK_OEM_6);
    EXPECT_EQ(Type(kb, 'E', true), L"É");
    Type(kb, VK_OEM_5);
    EXPECT_EQ(Type(kb, VK_SPACE), L"^");
    // No composition: the accent and the letter both come out.
    Type(kb, VK_OEM_5);
    EXPECT_EQ(Type(kb, 'X', false, false, false, &n), L"^x");
    EXPECT_EQ(n, 2);
    // Two dead keys in a row give both accents.
    Type(kb, VK_OEM_5);
    EXPECT_EQ(Type(kb, VK_OEM_5, false, false, false, &n), L"^^");
    EXPECT_EQ(n, 2);
    EXPECT_EQ(kb.MapVirtualKey(VK_OEM_5, MAPVK_VK_TO_CHAR, nullptr), 0x8000005Eu);
}

TEST(KeyboardTables, DeadKeyStateCanBeLeftAlone)
{
    CTableKeyboardLayer kb(L"00000407");
    BYTE state[256] = {0};
    wchar_t buf[4] = {0};
    EXPECT_EQ(kb.ToUnicode(VK_OEM_5, 0x29, state, buf, 4, 0x4, nullptr), -1);
    EXPECT_EQ(kb.GetPendingDeadKey(), 0);
}

TEST(KeyboardTables, RussianLetters)
{
    CTableKeyboardLayer kb(L"00000419");
    EXPECT_EQ(ScanToText(kb, 0x10), L"й");
    EXPECT_EQ(ScanToText(kb, 0x1E), L"ф");
    EXPECT_EQ(ScanToText(kb, 0x1E, true), L"Ф");
    EXPECT_EQ(ScanToText(kb, 0x29), L"ё");
    EXPECT_EQ(ScanToText(kb, 0x04, true), L"№");
    EXPECT_EQ(ScanToText(kb, 0x35), L".");
    EXPECT_EQ(Type(kb, 'Q', false, true), L"Й");
    EXPECT_EQ(kb.MapVirtualKey(0x10, MAPVK_VSC_TO_VK, nullptr), static_cast<UINT>('Q'));
}

TEST(KeyboardTables, SameScanCodeDiffersByLayout)
{
    CTableKeyboardLayer kb;
    EXPECT_EQ(ScanToText(kb, 0x1E), L"a");
    ASSERT_TRUE(kb.SetActiveLayout(L"00000419"));
    EXPECT_EQ(ScanToText(kb, 0x1E), L"ф");
    // An explicit layout handle wins over the active one.
    wchar_t buf[4] = {0};
    BYTE state[256] = {0};
    EXPECT_EQ(kb.ToUnicode('Y', 0x15, state, buf, 4, 0, H(CTableKeyboardLayer::kUnitedStates)), 1);
    EXPECT_EQ(buf[0], L'y');
}

TEST(KeyboardTables, LayoutListAndActiveLayout)
{
    CTableKeyboardLayer kb;
    wchar_t klid[KL_NAMELENGTH] = {0};
    ASSERT_TRUE(kb.GetActiveLayoutName(klid));
    EXPECT_STREQ(klid, L"00000409");
    EXPECT_EQ(kb.GetLayoutList(0, nullptr), 3);
    HKL list[8] = {};
    ASSERT_EQ(kb.GetLayoutList(8, list), 3);
    EXPECT_EQ(list[0], H(0x04090409));
    EXPECT_EQ(list[1], H(0x04070407));
    EXPECT_EQ(list[2], H(0x04190419));
    ASSERT_TRUE(kb.GetLayoutKLID(list[2], klid));
    EXPECT_STREQ(klid, L"00000419");
    EXPECT_FALSE(kb.GetLayoutKLID(H(0x12345678), klid));

    EXPECT_EQ(kb.ActivateLayout(list[1], 0), list[0]);
    ASSERT_TRUE(kb.GetActiveLayoutName(klid));
    EXPECT_STREQ(klid, L"00000407");
    EXPECT_EQ(kb.ActivateLayout(reinterpret_cast<HKL>(HKL_NEXT), 0), list[1]);
    EXPECT_EQ(kb.GetActiveLayout(), list[2]);
    EXPECT_EQ(kb.ActivateLayout(H(0x08090809), 0), nullptr); // not installed

    EXPECT_EQ(kb.LoadLayout(L"00000809", KLF_ACTIVATE), H(0x08090809));
    EXPECT_EQ(kb.GetActiveLayout(), H(0x08090809));
    EXPECT_EQ(kb.GetLayoutList(0, nullptr), 4);
    EXPECT_EQ(kb.LoadLayout(L"0000040C", 0), nullptr);

    kb.SetInstalledLayouts({H(0x04190419), H(0x11111111)});
    EXPECT_EQ(kb.GetLayoutList(0, nullptr), 1);
    EXPECT_EQ(kb.GetActiveLayout(), H(0x04190419));
}

TEST(KeyboardTables, UnitedKingdomDiffersFromUnitedStates)
{
    CTableKeyboardLayer kb(L"00000809");
    EXPECT_EQ(ScanToText(kb, 0x03, true), L"\"");
    EXPECT_EQ(ScanToText(kb, 0x04, true), L"£");
    EXPECT_EQ(ScanToText(kb, 0x28, true), L"@");
    EXPECT_EQ(ScanToText(kb, 0x2B), L"#");
}

TEST(KeyboardTables, KeyStateIsSettable)
{
    CTableKeyboardLayer kb;
    EXPECT_EQ(kb.GetKeyState(VK_CAPITAL), 0);
    kb.SetCapsLock(true);
    EXPECT_EQ(kb.GetKeyState(VK_CAPITAL) & 1, 1);
    kb.SetKeyState(VK_SHIFT, 0x80);
    EXPECT_LT(kb.GetKeyState(VK_SHIFT), 0);
    BYTE state[256] = {0};
    ASSERT_TRUE(kb.GetKeyboardState(state));
    EXPECT_EQ(state[VK_SHIFT], 0x80);
    EXPECT_EQ(state[VK_CAPITAL], 0x01);
    kb.ClearKeyboardState();
    EXPECT_EQ(kb.GetKeyState(VK_SHIFT), 0);
}

TEST(KeyboardTables, SentKeysToggleCapsLock)
{
    CTableKeyboardLayer kb;
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = VK_CAPITAL;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    EXPECT_EQ(kb.SendInput(2, in, sizeof(INPUT)), 2u);
    EXPECT_EQ(kb.GetKeyState(VK_CAPITAL), 1);
    EXPECT_EQ(kb.SendInput(2, in, sizeof(INPUT)), 2u);
    EXPECT_EQ(kb.GetKeyState(VK_CAPITAL), 0);
    EXPECT_EQ(kb.SentKeys().size(), 4u);
    // Events given by scan code only go through the layout.
    INPUT shift = {};
    shift.type = INPUT_KEYBOARD;
    shift.ki.wScan = 0x2A;
    shift.ki.dwFlags = KEYEVENTF_SCANCODE;
    kb.SendInput(1, &shift, sizeof(INPUT));
    EXPECT_LT(kb.GetKeyState(VK_SHIFT), 0);
}

TEST(KeyboardTables, InstalledLayerIsTheOneInUse)
{
    CTableKeyboardLayer kb(L"00000419");
    KV::CKeyboardLayer* previous = KV::SetKeyboardLayer(&kb);
    EXPECT_EQ(KV::GetKeyboardLayer(), &kb);
    KV::SetKeyboardLayer(nullptr);
    EXPECT_NE(KV::GetKeyboardLayer(), &kb);
    (void)previous;
}

// The Win32 layer under Wine gives the host's layout, United States here.
TEST(KeyboardWin32, UnitedStatesMatchesTheTables)
{
    KV::CKeyboardLayer* win = KV::GetKeyboardLayer();
    wchar_t klid[KL_NAMELENGTH] = {0};
    ASSERT_TRUE(win->GetActiveLayoutName(klid));
    if (std::wstring(klid) != L"00000409")
        GTEST_SKIP() << "host layout is not United States";
    CTableKeyboardLayer table;
    HKL layout = win->GetActiveLayout();
    BYTE state[256] = {0};
    for (UINT scan = 0x02; scan <= 0x35; ++scan)
    {
        UINT vk = win->MapVirtualKey(scan, MAPVK_VSC_TO_VK, layout);
        EXPECT_EQ(vk, table.MapVirtualKey(scan, MAPVK_VSC_TO_VK, nullptr)) << std::hex << scan;
        if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_BACK || vk == VK_TAB || vk == VK_RETURN || !vk)
            continue;
        for (int shift = 0; shift < 2; ++shift)
        {
            state[VK_SHIFT] = shift ? 0x80 : 0;
            wchar_t a[4] = {0}, b[4] = {0};
            int na = win->ToUnicode(vk, scan, state, a, 4, 0, layout);
            int nb = table.ToUnicode(vk, scan, state, b, 4, 0, nullptr);
            EXPECT_EQ(na, nb) << std::hex << scan;
            EXPECT_EQ(a[0], b[0]) << std::hex << scan;
        }
    }
}
