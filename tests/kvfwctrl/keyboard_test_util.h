#pragma once
// A small keyboard for the keyboard tests: two rows, both Shift keys, both home keys.
#include "kvfwctrl/keyboard/Keyboard.h"

namespace kbtest {

// Row 1: A (little, right Shift goes), 1 (little, right Shift), F (index), G (second index),
// J (index, left Shift), K (middle, left Shift), row end.
// Row 2: left Shift, space bar (thumb), right Shift, row end.
inline void Fill(KV::CKeyboard& kb)
{
    kb.Clear();
    kb.SetName(L"Test");
    // code, width, height, type, finger, shift
    kb.AddKey(L"30", L"15", L"15", 0, 0, 2); // 0x1E A
    kb.AddKey(L"2", L"15", L"15", 0, 0, 2);  // 0x02 1
    kb.AddKey(L"33", L"15", L"15", 0, 3, 2); // 0x21 F
    kb.AddKey(L"34", L"15", L"15", 0, 4, 2); // 0x22 G
    kb.AddKey(L"36", L"15", L"15", 0, 3, 1); // 0x24 J
    kb.AddKey(L"37", L"15", L"15", 0, 2, 1); // 0x25 K
    kb.AddKey(L"0", L"0", L"15", 4, 0, 0);   // row end
    kb.AddKey(L"42", L"30", L"15", 0, 0, 3); // 0x2A left Shift
    kb.AddKey(L"57", L"60", L"15", 0, 5, 0); // 0x39 space
    kb.AddKey(L"54", L"30", L"15", 0, 0, 4); // 0x36 right Shift
    kb.AddKey(L"0", L"0", L"15", 4, 0, 0);   // row end
}

enum { kA = 0, kOne = 1, kF = 2, kG = 3, kJ = 4, kK = 5, kLShift = 7, kSpace = 8, kRShift = 9 };

} // namespace kbtest
