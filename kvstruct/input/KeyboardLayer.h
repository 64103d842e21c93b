#pragma once
// The system's keyboard functions behind one thin layer: the program uses the Win32
// implementation; tests install a table-driven one (United States, German, Russian), because
// Wine offers a single layout and no dead keys.
#include "kvstruct/kvstruct_api.h"
#include <windows.h>

namespace KV {

class KVSTRUCT_API CKeyboardLayer
{
public:
    virtual ~CKeyboardLayer();

    // MapVirtualKeyExW(code, mapType, layout).
    virtual UINT MapVirtualKey(UINT code, UINT mapType, HKL layout) = 0;
    // ToUnicodeEx semantics: >0 characters written, 0 none, -1 a dead key was stored.
    // The buffer must hold at least two characters.
    virtual int ToUnicode(UINT virtualKey, UINT scanCode, const BYTE* keyState, wchar_t* buffer,
                          int bufferSize, UINT flags, HKL layout) = 0;
    // VkKeyScanExW: low byte the virtual key, high byte the shift state; -1 when no key gives ch.
    virtual SHORT VkKeyScan(wchar_t ch, HKL layout) = 0;

    // The layout active in the calling thread and its KLID ("00000409").
    virtual HKL GetActiveLayout() = 0;
    virtual BOOL GetActiveLayoutName(wchar_t klid[KL_NAMELENGTH]) = 0;
    // GetKeyboardLayoutList semantics: with count 0 returns the number of layouts.
    virtual int GetLayoutList(int count, HKL* list) = 0;
    // KLID of an installed layout handle; FALSE when unknown.
    virtual BOOL GetLayoutKLID(HKL layout, wchar_t klid[KL_NAMELENGTH]) = 0;
    virtual HKL LoadLayout(const wchar_t* klid, UINT flags) = 0;
    virtual HKL ActivateLayout(HKL layout, UINT flags) = 0;

    virtual BOOL GetKeyboardState(BYTE state[256]) = 0;
    virtual SHORT GetKeyState(int virtualKey) = 0;

    // SendInput semantics (synthesised key presses); the Win32 default calls ::SendInput.
    virtual UINT SendInput(UINT count, INPUT* inputs, int size);
};

// The layer in use (the Win32 one unless a test installed another).
KVSTRUCT_API CKeyboardLayer* GetKeyboardLayer();
// Installs a layer (not owned) and returns the previous one; nullptr restores the Win32 layer.
KVSTRUCT_API CKeyboardLayer* SetKeyboardLayer(CKeyboardLayer* layer);

} // namespace KV
