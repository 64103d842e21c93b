#pragma once
// The main window's side of the option pages: its typing view and keyboard show the options
// being edited at once, views like them can be made inside a page, and it follows applied
// options.
#include <windows.h>

class COptionsDoc;

class IOptionsHost
{
public:
    enum : int { ViewKeyboard = 1, ViewTyping = 2 };
    virtual ~IOptionsHost() {}
    // Shows options on the typing view (colours, animation), the keyboard (type, view, scheme,
    // contrast, hands) and the window (the skin named in options, when it is not the shown one)
    // without storing them.
    virtual void Preview(const COptionsDoc& options) = 0;
    // A keyboard or typing view of kind as a child of page over area, showing options; it lives
    // until DestroyView of the same page.
    virtual void CreateView(HWND page, const RECT& area, int kind, const COptionsDoc& options) = 0;
    virtual void DestroyView(HWND page) = 0;
    // The user's options changed (languageChanged: the language table holds another language):
    // reload texts, skin and keyboard and lay the window out again.
    virtual void OptionsApplied(bool languageChanged) = 0;
    // Saves the user's files; 1 on success (a failure was shown to the user).
    virtual int SaveUser() = 0;
};
