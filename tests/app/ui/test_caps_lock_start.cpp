// Caps Lock is switched off when the program starts, and left alone when it is off.
#include "app/ui/WaltzApp.h"
#include "kvtesting/KeyboardLayerTable.h"

#include <gtest/gtest.h>

TEST(ProgramStartKeys, CapsLockSwitchedOffOnlyWhenOn)
{
    KV::CTableKeyboardLayer layer;
    KV::SetKeyboardLayer(&layer);
    for (bool on : {false, true})
    {
        SCOPED_TRACE(on);
        layer.ClearSentKeys();
        layer.SetCapsLock(on);
        CWaltzApp::SwitchCapsLockOff();
        EXPECT_EQ(0, layer.GetKeyState(VK_CAPITAL) & 1);
        EXPECT_EQ(on ? 2u : 0u, layer.SentKeys().size());
    }
    KV::SetKeyboardLayer(nullptr);
}
