#pragma once
// A scroll bar control of a window object, scrolled also with Page Up/Down, Home, End and the
// arrow keys.
#include "kvinterf/window/Wnd.h"

namespace KV {

class KVINTERF_API CScrollBar
{
public:
    CScrollBar();
    virtual ~CScrollBar();

    CScrollBar(const CScrollBar&) = delete;
    CScrollBar& operator=(const CScrollBar&) = delete;

    // A "scrollbar" child of parent's window with exactly style. Returns 0.
    int Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    HWND GetHwnd() const { return m_hWnd; }

    void SetScrollRange(int min, int max, BOOL redraw = TRUE);
    void SetScrollPage(UINT page, BOOL redraw = TRUE);
    int SetScrollPos(int position, BOOL redraw = TRUE);
    int GetScrollPos() const;
    void GetScrollRange(int* min, int* max) const;
    BOOL GetScrollInfo(SCROLLINFO* info) const;
    int SetScrollInfo(const SCROLLINFO* info, BOOL redraw = TRUE);
    void ShowScrollBar(int show);
    int IsShow() const { return m_bShow; }
    void EnableScrollBar(UINT arrows);
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void Invalidate(BOOL erase = FALSE);

    // The scroll code of a key: page up, page down, bottom, top, line up, line down; else 255.
    static UINT KeyToScrollCode(WPARAM key);

protected:
    static LRESULT CALLBACK KeyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd;
    WNDPROC m_pOldProc;
    int m_bShow;
};

} // namespace KV
