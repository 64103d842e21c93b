#pragma once
// The main window's side of the option pages: its typing view and keyboard show the options
// being edited at once, and views like them can be made inside a page.
#include <windows.h>

class COptionsDoc;

class IOptionsPreview
{
public:
    enum : int { ViewKeyboard = 1, ViewTyping = 2 };
    virtual ~IOptionsPreview() {}
    // Shows options on the typing view (colours, animation) and the keyboard (type, view,
    // scheme, contrast, hands) without storing them.
    virtual void Preview(const COptionsDoc& options) = 0;
    // A keyboard or typing view of kind as a child of page over area, showing options; it lives
    // until DestroyView of the same page.
    virtual void CreateView(HWND page, const RECT& area, int kind, const COptionsDoc& options) = 0;
    virtual void DestroyView(HWND page) = 0;
};
