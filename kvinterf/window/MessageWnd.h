#pragma once
// A window handle wrapped in an object whose virtual operations receive the window messages.
#include "kvinterf/kvinterf_api.h"
#include <windows.h>
#include <commctrl.h>

namespace KV {

class CMapWnd;

class KVINTERF_API CMessageWnd
{
public:
    CMessageWnd();
    virtual ~CMessageWnd();

    CMessageWnd(const CMessageWnd&) = delete;
    CMessageWnd& operator=(const CMessageWnd&) = delete;

    // Window-procedure form of the dispatch.
    virtual LRESULT MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Dialog-box form: the result of a dialog procedure.
    virtual INT_PTR MessageLoopDlg(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Destroys the window and forgets the handle; 1 when there was none.
    virtual int DestroyWindow();

    virtual void Draw(HDC dc);
    virtual void Close();
    virtual int OffSetWindow(int dx, int dy, int repaint = 1);
    virtual int MoveWindow(const RECT& rect, int repaint = 1);
    virtual int MoveWindow(int x, int y, int w, int h, int repaint = 1);
    // Moves the window keeping its client size.
    virtual int MoveWindow(int x, int y, int repaint = 1);

    virtual int EnableWindow(int enable);
    virtual int IsWindowEnabled();
    virtual HWND SetFocus();
    virtual int ShowWindow(int show);
    virtual int IsWindowVisible();
    virtual int SetWindowTextW(const wchar_t* text);
    virtual LRESULT rtSendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Removes the bits when remove != 0, adds them otherwise.
    virtual void SetStyle(DWORD bits, int remove);
    virtual void SetStyleExt(DWORD bits, int remove);

    virtual int CreateAccelerators(const ACCEL* table, int count);
    virtual void DestroyAccelerators();
    virtual int TranslateAcceleratorW(MSG* msg);
    virtual HWND CreateToolTips(HINSTANCE instance);
    virtual int AddToolTip(HWND control, const wchar_t* text);
    virtual void DestroyToolTips();

    virtual LRESULT OnClose();
    virtual LRESULT OnCreate(CREATESTRUCTW* cs);
    virtual LRESULT OnNcCreate(CREATESTRUCTW* cs);
    virtual LRESULT OnCommand(WORD code, WORD id, HWND control);
    virtual LRESULT OnNotify(int id, NMHDR* header);
    virtual LRESULT OnSysCommand(WPARAM command, LPARAM lParam);
    virtual LRESULT OnDestroy();

    virtual LRESULT OnGetMinMaxInfo(MINMAXINFO* info);
    virtual LRESULT OnEraseBkgnd(HDC dc);
    virtual LRESULT OnLButtonDown(UINT flags, int x, int y);
    virtual LRESULT OnLButtonDblClick(UINT flags, int x, int y);
    virtual LRESULT OnLButtonUp(UINT flags, int x, int y);
    virtual LRESULT OnRButtonDown(UINT flags, int x, int y);
    virtual LRESULT OnRButtonUp(UINT flags, int x, int y);
    virtual LRESULT OnMouseMove(UINT flags, int x, int y);
    virtual LRESULT OnMouseWeel(UINT flags, short delta, int x, int y);
    virtual LRESULT OnMouseLeave();

    virtual LRESULT OnPaint();
    virtual LRESULT OnPaintClient(HDC dc);
    virtual LRESULT OnNcPaint(HRGN region);
    virtual LRESULT OnSetCursor(HWND hwnd, UINT hitTest, UINT mouseMsg);
    virtual LRESULT OnSetFocus(HWND previous);
    virtual LRESULT OnKillFocus(HWND next);
    virtual LRESULT OnSize(UINT type, int width, int height);
    virtual LRESULT OnTimer(UINT_PTR id);

    virtual LRESULT OnNotifyTray(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnCtlColorDlg(HDC dc, HWND hwnd);
    virtual LRESULT OnCtlColorStatic(HDC dc, HWND hwnd);
    virtual LRESULT OnCtlColorBtn(HDC dc, HWND hwnd);
    virtual LRESULT OnCtlColorEdit(HDC dc, HWND hwnd);
    virtual LRESULT OnDrawItem(UINT id, DRAWITEMSTRUCT* item);
    virtual LRESULT OnVScrool(UINT code, int pos, HWND control);
    virtual LRESULT OnHScrool(UINT code, int pos, HWND control);
    virtual LRESULT OnNcHitTest(int x, int y);
    virtual LRESULT OnShowWindow(BOOL show, UINT status);

    virtual LRESULT OnKeyDown(WPARAM key, LPARAM flags);
    virtual LRESULT OnKeyUp(WPARAM key, LPARAM flags);
    virtual LRESULT OnDeadChar(WPARAM ch, LPARAM flags);
    virtual LRESULT OnSysKeyDown(WPARAM key, LPARAM flags);
    virtual LRESULT OnSysKeyUp(WPARAM key, LPARAM flags);
    virtual LRESULT OnSysDeadChar(WPARAM ch, LPARAM flags);
    virtual LRESULT OnChar(WPARAM ch, LPARAM flags);
    virtual LRESULT OnInputLangChange(WPARAM charset, LPARAM layout);
    virtual LRESULT OnHelp(HELPINFO* info);
    virtual LRESULT OnInitDialog(HWND focus, LPARAM param);

    // Thin wrappers.
    HWND GetHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    HACCEL GetAccelerators() const { return m_hAccel; }
    HWND GetToolTips() const { return m_hToolTip; }
    BOOL Invalidate(BOOL erase = FALSE) { return ::InvalidateRect(m_hWnd, nullptr, erase); }
    BOOL InvalidateRect(const RECT* rect, BOOL erase = FALSE)
    {
        return ::InvalidateRect(m_hWnd, rect, erase);
    }
    BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }
    BOOL GetClientRect(RECT* rect) const { return ::GetClientRect(m_hWnd, rect); }
    BOOL GetWindowRect(RECT* rect) const { return ::GetWindowRect(m_hWnd, rect); }
    BOOL ScreenToClient(POINT* pt) const { return ::ScreenToClient(m_hWnd, pt); }
    BOOL ClientToScreen(POINT* pt) const { return ::ClientToScreen(m_hWnd, pt); }
    void SetIcon(HICON icon, BOOL big)
    {
        ::SendMessageW(m_hWnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL, (LPARAM)icon);
    }

    // The private message of tray-icon notifications.
    enum : UINT { kTrayMessage = 0x8064 };

protected:
    // The default procedure: the previous procedure of a subclassed control, else the platform's.
    LRESULT DefProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd;
    HACCEL m_hAccel;
    HWND m_hToolTip;
    WNDPROC m_pOldProc; // previous procedure of a subclassed control (kept for CWnd)
    bool m_bPassedOn;   // set when DefProc handed the current message to m_pOldProc

    friend class CMapWnd;
    friend class CWnd;
};

} // namespace KV
