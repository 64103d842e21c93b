#pragma once
// Composition of a dead key's character with the next typed character, for layouts whose
// accents the system leaves to the program.

// The precomposed character of dead + base: a base the accent's row lists gives the composed
// letter, a space gives the spacing accent itself, anything else the base unchanged.
wchar_t ComposeDeadKey(wchar_t dead, wchar_t base);
