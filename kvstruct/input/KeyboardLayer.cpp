#include "kvstruct/input/KeyboardLayer.h"

#include <cwchar>

namespace KV {

CKeyboardLayer::~CKeyboardLayer() = default;

UINT CKeyboardLayer::SendInput(UINT count, INPUT* inputs, int size)
{
    return ::SendInput(count, inputs, size);
}

namespace {

// The real system functions.
class CWin32KeyboardLayer : public CKeyboardLayer
{
public:
    UINT MapVirtualKey(UINT code, UINT mapType, HKL layout) override
    {
        return ::MapVirtualKeyExW(code, mapType, layout);
    }

    int ToUnicode(UINT virtualKey, UINT scanCode, const BYTE* keyState, wchar_t* buffer, int bufferSize,
                  UINT flags, HKL layout) override
    {
        // Wine writes nothing into a one-unit buffer, so always translate into a larger one.
        wchar_t tmp[8] = {0};
        int n = ::ToUnicodeEx(virtualKey, scanCode, keyState, tmp, 8, flags, layout);
        if (buffer && bufferSize > 0)
        {
            int copy = n < 0 ? 1 : n;
            if (copy > bufferSize - 1)
                copy = bufferSize - 1;
            for (int i = 0; i < copy; ++i)
                buffer[i] = tmp[i];
            buffer[copy < 0 ? 0 : copy] = 0;
        }
        return n;
    }

    SHORT VkKeyScan(wchar_t ch, HKL layout) override { return ::VkKeyScanExW(ch, layout); }

    HKL GetActiveLayout() override { return ::GetKeyboardLayout(0); }

    BOOL GetActiveLayoutName(wchar_t klid[KL_NAMELENGTH]) override { return ::GetKeyboardLayoutNameW(klid); }

    int GetLayoutList(int count, HKL* list) override { return ::GetKeyboardLayoutList(count, list); }

    BOOL GetLayoutKLID(HKL layout, wchar_t klid[KL_NAMELENGTH]) override
    {
        // The active layout names itself; others are named by their language word, which is
        // what the registry uses for the standard layouts.
        if (layout == ::GetKeyboardLayout(0))
            return ::GetKeyboardLayoutNameW(klid);
        unsigned long id = static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(layout) & 0xFFFFFFFF);
        unsigned long device = (id >> 16) & 0xFFFF;
        unsigned long lang = id & 0xFFFF;
        unsigned long klidValue = (device & 0xF000) == 0xF000 || device == lang ? lang : device;
        swprintf(klid, KL_NAMELENGTH, L"%08lX", klidValue);
        return TRUE;
    }

    HKL LoadLayout(const wchar_t* klid, UINT flags) override { return ::LoadKeyboardLayoutW(klid, flags); }

    HKL ActivateLayout(HKL layout, UINT flags) override { return ::ActivateKeyboardLayout(layout, flags); }

    BOOL GetKeyboardState(BYTE state[256]) override { return ::GetKeyboardState(state); }

    SHORT GetKeyState(int virtualKey) override { return ::GetKeyState(virtualKey); }
};

CWin32KeyboardLayer g_win32Layer;
CKeyboardLayer* g_layer = nullptr;

} // namespace

CKeyboardLayer* GetKeyboardLayer()
{
    return g_layer ? g_layer : &g_win32Layer;
}

CKeyboardLayer* SetKeyboardLayer(CKeyboardLayer* layer)
{
    CKeyboardLayer* old = GetKeyboardLayer();
    g_layer = layer;
    return old;
}

} // namespace KV
