#pragma once
// Dialog boxes run from dialog templates, a solid-colour variant and the message box of the
// program (template 15000 in this library's resources).
#include "kvinterf/kvinterf_api.h"
#include "kvstruct/core/Geometry.h"
#include <windows.h>
#include <commctrl.h>

namespace KV {

class CMapDlg;

class KVINTERF_API CDialog
{
public:
    CDialog(UINT templateId, HWND parent);
    virtual ~CDialog();

    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    enum { kIdOk = 1, kIdCancel = 2, kIdHelp = 9, kIdApply = 20 };

    virtual int IsApply();
    virtual void SetApply(int on);
    virtual int DoApply();
    virtual void Ok();
    virtual void Cancel();
    virtual int ShowWindow(int show);
    virtual int MoveWindow(int x, int y, int w, int h, int repaint = 1);
    virtual int SetWindowTextW(const wchar_t* text);
    virtual int DestroyWindow();
    virtual INT_PTR MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    virtual INT_PTR OnDestroy();
    virtual INT_PTR OnInitDialog(HWND focus, LPARAM param);
    virtual INT_PTR OnCtlColorDlg(HDC dc, HWND hwnd);
    virtual INT_PTR OnCtlColorStatic(HDC dc, HWND hwnd);
    virtual INT_PTR OnCtlColorBtn(HDC dc, HWND hwnd);
    virtual INT_PTR OnCtlColorEdit(HDC dc, HWND hwnd);
    virtual INT_PTR OnPaint();
    virtual INT_PTR OnCommand(WORD code, WORD id, HWND control);
    virtual INT_PTR OnLButtonDown(UINT flags, int x, int y);
    virtual INT_PTR OnRButtonDown(UINT flags, int x, int y);
    virtual INT_PTR OnNotify(int id, NMHDR* header);
    virtual INT_PTR OnSize(UINT type, int width, int height);
    virtual INT_PTR OnShowWindow(BOOL show, UINT status);
    virtual INT_PTR OnGetMinMaxInfo(MINMAXINFO* info);
    // Puts the texts of the current language into the controls; called on initialisation.
    virtual void OnTranslate();
    virtual INT_PTR OnEraseBkgnd(HDC dc);
    virtual INT_PTR OnHelp(HELPINFO* info);

    // Modal box from the template: from the program's module when instance is the program's,
    // otherwise from this library's. The control ID that ended it, or -1.
    INT_PTR DoModal(HINSTANCE instance);
    // Modeless box (template from this library unless instance names another module).
    HWND Create(HINSTANCE instance = nullptr);

    HWND GetHwnd() const { return m_hWnd; }
    HWND GetParent() const { return m_hParent; }
    UINT GetTemplate() const { return m_nTemplate; }
    bool IsModal() const { return m_bModal; }

    static INT_PTR CALLBACK DlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    void EndDialog(INT_PTR result);

    HWND m_hWnd;
    HWND m_hParent;
    UINT m_nTemplate;
    bool m_bModal;

private:
    friend class CMapDlg;
};

class KVINTERF_API CDialogColor : public CDialog
{
public:
    CDialogColor(UINT templateId, HWND parent, COLORREF colour);
    // On the face colour of the current dialog look (DialogLook.h).
    CDialogColor(UINT templateId, HWND parent);
    ~CDialogColor() override;

    void EnableSound(int flag) { m_nSound = flag; }
    int IsSoundEnabled() const { return m_nSound; }
    HBRUSH GetBrush() const { return m_hBrush; }

    // The interface sound of a control; the program's dialogs play it.
    virtual void OnSound(UINT id);

    // Gives the controls the look's face and colours (ApplyDialogLook).
    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    INT_PTR MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnCtlColorDlg(HDC dc, HWND hwnd) override;
    INT_PTR OnCtlColorStatic(HDC dc, HWND hwnd) override;
    INT_PTR OnCtlColorBtn(HDC dc, HWND hwnd) override;
    // Edits and lists: the look's field colour.
    INT_PTR OnCtlColorEdit(HDC dc, HWND hwnd) override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;
    INT_PTR OnHelp(HELPINFO* info) override;
    INT_PTR OnNotify(int id, NMHDR* header) override;

protected:
    HBRUSH m_hBrush;
    COLORREF m_crBack;
    int m_nSound;
    // Of the dialog look when the dialog was made.
    COLORREF m_crText;
    COLORREF m_crField;
    HBRUSH m_hField;
};

class KVINTERF_API CDlgConfirm : public CDialogColor
{
public:
    enum { kTemplate = 15000, kIdText = 15001, kIdIcon = 15002 };
    enum : COLORREF { kBackground = 0xFFFDFD };

    explicit CDlgConfirm(HWND parent);
    CDlgConfirm(HWND parent, const wchar_t* text, const CSize& size, int twoButtons);

    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    void OnTranslate() override;
    INT_PTR OnSize(UINT type, int width, int height) override;

    const wchar_t* GetText() const { return m_pText; }

protected:
    const wchar_t* m_pText;
    int m_nWidth;
    int m_nHeight;
    int m_bTwoButtons;
};

// The program's confirmation box behind a replaceable door, as ShowMsgBox is for message boxes:
// 1 for OK (or yes), 2 for Cancel (or no). While a message-box handler is installed (tests,
// batch runs) the question goes to it as a box with OK, or Yes and No, and never waits on a
// modal dialog.
typedef int (*ConfirmHandler)(HWND parent, const wchar_t* text, int twoButtons);
KVINTERF_API int ShowConfirm(HWND parent, const wchar_t* text, int twoButtons);
// Returns the previous handler; nullptr restores the behaviour above.
KVINTERF_API ConfirmHandler SetConfirmHandler(ConfirmHandler handler);

} // namespace KV
