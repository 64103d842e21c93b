#pragma once
// Shows one page of the main window at a time (typing 600, statistics 601, lesson editor 602).
// The pages' elements share their places: the current page's are shown, the others are hidden
// and parked in an empty place so that they cut nothing out of the shown page's shapes.
//
// Wiring in CMainWnd: one member `CPageSwitcher m_pages{*this}` built after the skin is created;
// WM_COMMAND 600/601/602 (buttons and the F2/F3/F4 accelerators) call ShowPage(id) and then do
// the page's own set-up (pause, refill); WM_SIZE needs nothing extra; F1 (610) calls
// ShowPageHelp(hwnd, m_pages.GetPage()).
#include "kvstruct/core/Geometry.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace KV {
class CSkin;
class CSkinWnd;
} // namespace KV

class CPageSwitcher
{
public:
    // Creates the lesson page's views inside the window the first time that page is shown.
    typedef std::function<void(KV::CSkinWnd& window)> ViewFactory;

    explicit CPageSwitcher(KV::CSkinWnd& window) : m_wnd(window) {}

    // The page a command asks for (600, 601 or 602); 0 for any other command.
    static unsigned PageOfCommand(unsigned command);
    // Whether an element belongs to a page (frame elements belong to none).
    static bool IsOnPage(unsigned short id, unsigned page);

    void SetLessonViewFactory(ViewFactory factory) { m_lessonViews = std::move(factory); }

    // Lays the window out for a page: its elements shown, the other pages' parked, the page
    // buttons checked for the current page only, the export and keyboard-panel buttons shown
    // only on their pages. False (and nothing changes) for an unknown page.
    bool ShowPage(unsigned page);
    unsigned GetPage() const { return m_page; }

private:
    struct Parked
    {
        KV::CRect dest;
        KV::CSkin* links[4];
        unsigned long style;
        SIZE client;
    };
    void Park(KV::CSkin& element);
    void Unpark(KV::CSkin& element);
    SIZE ClientSize() const;

    KV::CSkinWnd& m_wnd;
    unsigned m_page = 0;
    std::map<unsigned short, Parked> m_parked;
    ViewFactory m_lessonViews;
    bool m_lessonViewsMade = false;
};

// F1: opens the help topic of the page (see HelpTopics.h); a missing help file is told to the
// user. Returns true when the topic is shown.
bool ShowPageHelp(HWND owner, unsigned page, const std::wstring& folder = std::wstring());
// The help topic of a page; the typing page's for anything else.
const wchar_t* HelpTopicOfPage(unsigned page);
