#pragma once
// Windows and controls as objects: creation, subclassing, the library's window procedure and
// dialog-style command handling (OK, Cancel, Close, Help, Apply).
#include "kvinterf/window/MapWnd.h"

namespace KV {

class KVINTERF_API CWnd : public CMapWnd
{
public:
    CWnd();
    ~CWnd() override;

    // Control identifiers of the dialog-style commands.
    enum { kIdOk = 1, kIdCancel = 2, kIdClose = 8, kIdHelp = 9, kIdApply = 20 };

    virtual HWND Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x,
                        int y, int w, int h, HWND parent, HMENU menu, HINSTANCE instance,
                        void* param = nullptr);
    // Binds handle to this object; a child window gets the library's window procedure.
    virtual void SetHandle(HWND parent, HWND handle);
    virtual HCURSOR SetCursor(HCURSOR cursor);
    virtual int IsApply();
    virtual void SetApply(int on);
    virtual int DoApply();
    virtual void Ok();
    virtual void Cancel();

    LRESULT OnCommand(WORD code, WORD id, HWND control) override;
    LRESULT OnNotify(int id, NMHDR* header) override;
    int DestroyWindow() override;

    static ATOM RegisterClassW(HINSTANCE instance, const wchar_t* className);
    static CWnd* GetpWnd(HWND handle);
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK DlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // Gives handle the window procedure kept in this object; returns the one it had.
    WNDPROC SubclassWindow(HWND handle);
    // Runs the dialog template GetTemplate() modally; the result of EndDialog, or -1.
    INT_PTR DoModal(HINSTANCE instance);

    HWND GetParent() const { return m_hParent; }
    void SetParent(HWND parent) { m_hParent = parent; }
    UINT GetTemplate() const { return m_nTemplate; }
    void SetTemplate(UINT id) { m_nTemplate = id; }
    WNDPROC GetOldProc() const { return m_pOldProc; }
    bool IsModal() const { return m_bModal; }

protected:
    HWND m_hParent;
    UINT m_nTemplate;
    bool m_bModal;
};

// Module handle of kvinterf, whose resources hold the library's dialog templates.
KVINTERF_API HINSTANCE GetInterfInstance();

} // namespace KV
