#pragma once
// Synthesised presses of the toggle keys (through the keyboard layer).
#include "kvstruct/kvstruct_api.h"

namespace KV {

// Brings the toggle of key (VK_CAPITAL, VK_NUMLOCK or VK_SCROLL; 0 means Caps Lock) to the
// requested state with one press and release; nothing when it is there already or the key is
// not a toggle key.
KVSTRUCT_API void PressKey(int key, int on);

} // namespace KV
