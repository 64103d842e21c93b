#include "kvstruct/input/KeyPress.h"
#include "kvstruct/input/KeyboardLayer.h"

namespace KV {

namespace {

struct ToggleKey
{
    int virtualKey;
    WORD scanCode;
};

// The scan codes the toggle keys are sent with (extended-key flag set).
const ToggleKey kToggleKeys[] = {{VK_CAPITAL, 0x45}, {VK_NUMLOCK, 0x45}, {VK_SCROLL, 0x46}};

} // namespace

void PressKey(int key, int on)
{
    if (key == 0)
        key = VK_CAPITAL;
    const ToggleKey* toggle = nullptr;
    for (const ToggleKey& t : kToggleKeys)
        if (t.virtualKey == key)
            toggle = &t;
    if (!toggle)
        return;
    CKeyboardLayer* kb = GetKeyboardLayer();
    bool isOn = (kb->GetKeyState(key) & 1) != 0;
    if ((on != 0) == isOn)
        return;
    INPUT in[2] = {};
    for (int i = 0; i < 2; ++i)
    {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = static_cast<WORD>(key);
        in[i].ki.wScan = toggle->scanCode;
        in[i].ki.dwFlags = KEYEVENTF_EXTENDEDKEY | (i ? KEYEVENTF_KEYUP : 0);
    }
    kb->SendInput(2, in, sizeof(INPUT));
}

} // namespace KV
