#pragma once
// A keyboard layer driven by built-in tables, for tests and for machines whose keyboard
// functions cannot be trusted (Wine offers one layout and no dead keys).
// Layouts: United States 00000409, United Kingdom 00000809, German 00000407 (dead keys ^ ´ `),
// Russian 00000419. Layout handles are the usual 0xLLLLLLLL values (0x04090409, ...).
#include "kvstruct/input/KeyboardLayer.h"

#include <vector>

namespace KV {

class CTableKeyboardLayer : public CKeyboardLayer
{
public:
    static const ULONG_PTR kUnitedStates = 0x04090409;
    static const ULONG_PTR kUnitedKingdom = 0x08090809;
    static const ULONG_PTR kGerman = 0x04070407;
    static const ULONG_PTR kRussian = 0x04190419;

    // Installed: United States, German, Russian; active: United States; every key up.
    CTableKeyboardLayer();
    // The same, with the layout of that KLID active (United States when unknown).
    explicit CTableKeyboardLayer(const wchar_t* activeKlid);
    ~CTableKeyboardLayer() override;

    // Handle of a known KLID ("00000407" -> 0x04070407), nullptr when the tables lack it.
    static HKL LayoutFromKLID(const wchar_t* klid);

    // --- CKeyboardLayer ---
    UINT MapVirtualKey(UINT code, UINT mapType, HKL layout) override;
    int ToUnicode(UINT virtualKey, UINT scanCode, const BYTE* keyState, wchar_t* buffer, int bufferSize,
                  UINT flags, HKL layout) override;
    SHORT VkKeyScan(wchar_t ch, HKL layout) override;
    HKL GetActiveLayout() override;
    BOOL GetActiveLayoutName(wchar_t klid[KL_NAMELENGTH]) override;
    int GetLayoutList(int count, HKL* list) override;
    BOOL GetLayoutKLID(HKL layout, wchar_t klid[KL_NAMELENGTH]) override;
    // Known KLIDs only; the layout is added to the installed list (KLF_ACTIVATE also activates it).
    HKL LoadLayout(const wchar_t* klid, UINT flags) override;
    // An installed handle, HKL_NEXT or HKL_PREV; returns the previous active layout, or nullptr.
    HKL ActivateLayout(HKL layout, UINT flags) override;
    BOOL GetKeyboardState(BYTE state[256]) override;
    SHORT GetKeyState(int virtualKey) override;
    // Keyboard events update the key state (a press of a toggle key flips its toggle bit);
    // every event is also recorded. Returns the number of events taken.
    UINT SendInput(UINT count, INPUT* inputs, int size) override;

    // --- settings for tests ---
    // Unknown handles are dropped; the active layout becomes the first one when it is not listed.
    void SetInstalledLayouts(const std::vector<HKL>& layouts);
    bool SetActiveLayout(HKL layout);
    bool SetActiveLayout(const wchar_t* klid);
    void SetKeyboardState(const BYTE state[256]);
    void SetKeyState(int virtualKey, BYTE value);
    void ClearKeyboardState();
    void SetCapsLock(bool on);
    // Dead key waiting for its next key (0 when none); ResetDeadKey forgets it.
    wchar_t GetPendingDeadKey() const { return m_deadKey; }
    void ResetDeadKey() { m_deadKey = 0; }
    // Keyboard events received through SendInput.
    const std::vector<KEYBDINPUT>& SentKeys() const { return m_sent; }
    void ClearSentKeys() { m_sent.clear(); }

private:
    std::vector<HKL> m_installed;
    HKL m_active;
    BYTE m_state[256];
    wchar_t m_deadKey;
    std::vector<KEYBDINPUT> m_sent;
};

} // namespace KV
