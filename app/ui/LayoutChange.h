#pragma once
// Following the system's keyboard layout: a switch to a layout the user has enabled brings that
// layout's lessons and statistics; a switch to any other layout changes nothing.
//
// Wiring in CMainWnd: call FollowKeyboardLayout(doc, forced, steps) once at start (forced),
// after every WM_INPUTLANGCHANGEREQUEST/WM_INPUTLANGCHANGE of the main window or the options
// dialog, and from each page command (600-602) before the page is laid out. The steps are the
// window's own: pause the lesson (start flag when the letter index is 0, with sound), rebuild
// both lesson libraries for the document's layout, refill the lesson tree tabs, show the
// selected lesson, refresh the keyboard's key texts and the graph's layout header.
#include <functional>

class CWaltzDoc;

enum class LayoutFollow {
    Same,       // the active layout already is the user's layout
    NotEnabled, // the user has not enabled the active layout: nothing changed
    Switched,   // the user's layout, statistics and lessons are now the active layout's
};

struct LayoutFollowSteps
{
    // Before anything changes, so the lap of the old layout is paused.
    std::function<void()> pauseLesson;
    // After the document's layout changed: the libraries from that layout's folder.
    std::function<void(CWaltzDoc& doc)> rebuildLibraries;
    // Last: the views show the new layout's lessons and keys.
    std::function<void()> refreshViews;
};

// Reads the active layout through the keyboard layer. Unless forced, nothing happens when it is
// the user's layout already.
LayoutFollow FollowKeyboardLayout(CWaltzDoc& doc, bool forced, const LayoutFollowSteps& steps);
