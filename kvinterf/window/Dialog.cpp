#include "kvinterf/window/Dialog.h"
#include "kvinterf/window/ApplyButton.h"
#include "kvinterf/window/DialogLook.h"
#include "kvinterf/window/MapWnd.h"
#include "kvinterf/window/Wnd.h"
#include "kvstruct/sys/CursorWait.h"
#include "kvstruct/sys/MsgBox.h"
#include <windowsx.h>

namespace KV {

CDialog::CDialog(UINT templateId, HWND parent)
    : m_hWnd(nullptr), m_hParent(parent), m_nTemplate(templateId), m_bModal(false)
{}

CDialog::~CDialog()
{
    CMapDlg::DeleteFromMap(this);
    if (m_hWnd && ::IsWindow(m_hWnd) && !m_bModal)
    {
        HWND hwnd = m_hWnd;
        m_hWnd = nullptr;
        ::DestroyWindow(hwnd);
    }
    m_hWnd = nullptr;
}

INT_PTR CALLBACK CDialog::DlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CDialog* object = CMapDlg::FromHandle(hwnd);
    if (!object)
        return 0;
    if (msg == WM_NCDESTROY)
    {
        CMapDlg::Release(hwnd);
        return 0;
    }
    return object->MessageLoop(hwnd, msg, wParam, lParam);
}

INT_PTR CDialog::DoModal(HINSTANCE instance)
{
    if (m_hWnd)
        return -1;
    return CMapDlg::RunModal(this, instance, m_nTemplate, m_hParent, &CDialog::DlgProc, m_bModal);
}

HWND CDialog::Create(HINSTANCE instance)
{
    if (m_hWnd)
        return m_hWnd;
    HINSTANCE module = instance ? instance : GetInterfInstance();
    CMapDlg::SetPending(this);
    HWND hwnd = ::CreateDialogParamW(module, MAKEINTRESOURCEW(m_nTemplate), m_hParent, &CDialog::DlgProc,
                                     reinterpret_cast<LPARAM>(this));
    if (CMapDlg::GetPending() == this)
        CMapDlg::SetPending(nullptr);
    if (hwnd && hwnd != m_hWnd)
    {
        m_hWnd = hwnd;
        CMapDlg::AddToMap(hwnd, this);
    }
    return hwnd;
}

void CDialog::EndDialog(INT_PTR result)
{
    if (!m_hWnd)
        return;
    if (m_bModal)
        ::EndDialog(m_hWnd, result);
    else
        DestroyWindow();
}

int CDialog::IsApply()
{
    return ApplyButton::IsEnabled(m_hWnd);
}

void CDialog::SetApply(int on)
{
    ApplyButton::Enable(m_hWnd, on);
}

int CDialog::DoApply()
{
    SetApply(0);
    return 1;
}

void CDialog::Ok()
{
    EndDialog(kIdOk);
}
void CDialog::Cancel()
{
    EndDialog(kIdCancel);
}
int CDialog::ShowWindow(int show)
{
    return ::ShowWindow(m_hWnd, show);
}
int CDialog::MoveWindow(int x, int y, int w, int h, int repaint)
{
    return m_hWnd ? ::MoveWindow(m_hWnd, x, y, w, h, repaint) : 0;
}
int CDialog::SetWindowTextW(const wchar_t* text)
{
    return ::SetWindowTextW(m_hWnd, text);
}

int CDialog::DestroyWindow()
{
    if (!m_hWnd)
        return 1;
    if (m_bModal)
    {
        ::EndDialog(m_hWnd, kIdCancel);
        return 1;
    }
    HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    return ::DestroyWindow(hwnd) ? 1 : 0;
}

INT_PTR CDialog::MessageLoop(HWND, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_DESTROY:
        return OnDestroy();
    case WM_SIZE:
        return OnSize((UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
    case WM_PAINT:
        return OnPaint();
    case WM_ERASEBKGND:
        return OnEraseBkgnd((HDC)wParam);
    case WM_SHOWWINDOW:
        return OnShowWindow((BOOL)wParam, (UINT)lParam);
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
    case WM_NOTIFY:
        return OnNotify((int)wParam, reinterpret_cast<NMHDR*>(lParam));
    case WM_HELP:
        return OnHelp(reinterpret_cast<HELPINFO*>(lParam));
    case WM_INITDIALOG:
        return OnInitDialog((HWND)wParam, lParam);
    case WM_COMMAND:
        return OnCommand(HIWORD(wParam), LOWORD(wParam), (HWND)lParam);
    case WM_CTLCOLOREDIT:
        return OnCtlColorEdit((HDC)wParam, (HWND)lParam);
    case WM_CTLCOLORBTN:
        return OnCtlColorBtn((HDC)wParam, (HWND)lParam);
    case WM_CTLCOLORDLG:
        return OnCtlColorDlg((HDC)wParam, (HWND)lParam);
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic((HDC)wParam, (HWND)lParam);
    case WM_LBUTTONDOWN:
        return OnLButtonDown((UINT)wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    case WM_RBUTTONDOWN:
        return OnRButtonDown((UINT)wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    default:
        return 0;
    }
}

INT_PTR CDialog::OnDestroy()
{
    return 0;
}

INT_PTR CDialog::OnInitDialog(HWND, LPARAM)
{
    OnTranslate();
    return 1;
}

INT_PTR CDialog::OnCtlColorDlg(HDC, HWND)
{
    return 0;
}
INT_PTR CDialog::OnCtlColorStatic(HDC, HWND)
{
    return 0;
}
INT_PTR CDialog::OnCtlColorBtn(HDC, HWND)
{
    return 0;
}
INT_PTR CDialog::OnCtlColorEdit(HDC, HWND)
{
    return 0;
}
INT_PTR CDialog::OnPaint()
{
    return 0;
}

INT_PTR CDialog::OnCommand(WORD, WORD id, HWND)
{
    switch (id)
    {
    case kIdOk:
        if (IsApply())
        {
            CCursorWait wait;
            DoApply();
        }
        Ok();
        return 1;
    case kIdCancel:
        Cancel();
        return 1;
    case kIdHelp: {
        CCursorWait wait;
        OnHelp(nullptr);
        return 1;
    }
    case kIdApply: {
        CCursorWait wait;
        DoApply();
        return 1;
    }
    default:
        return 0;
    }
}

INT_PTR CDialog::OnLButtonDown(UINT, int, int)
{
    return 0;
}
INT_PTR CDialog::OnRButtonDown(UINT, int, int)
{
    return 0;
}
INT_PTR CDialog::OnNotify(int, NMHDR*)
{
    return 0;
}
INT_PTR CDialog::OnSize(UINT, int, int)
{
    return 0;
}
INT_PTR CDialog::OnShowWindow(BOOL, UINT)
{
    return 0;
}
INT_PTR CDialog::OnGetMinMaxInfo(MINMAXINFO*)
{
    return 0;
}
void CDialog::OnTranslate() {}
INT_PTR CDialog::OnEraseBkgnd(HDC)
{
    return 0;
}
INT_PTR CDialog::OnHelp(HELPINFO*)
{
    return 0;
}

// ---------------------------------------------------------------------------------------------

CDialogColor::CDialogColor(UINT templateId, HWND parent, COLORREF colour)
    : CDialog(templateId, parent), m_hBrush(::CreateSolidBrush(colour)), m_crBack(colour), m_nSound(0),
      m_crText(GetDialogLook().text), m_crField(GetDialogLook().field), m_hField(::CreateSolidBrush(m_crField))
{}

CDialogColor::CDialogColor(UINT templateId, HWND parent)
    : CDialogColor(templateId, parent, GetDialogLook().background)
{}

CDialogColor::~CDialogColor()
{
    // The window goes first: it may still ask for the brush while being destroyed.
    if (m_hWnd && !m_bModal)
        DestroyWindow();
    if (m_hBrush)
        ::DeleteObject(m_hBrush);
    if (m_hField)
        ::DeleteObject(m_hField);
}

INT_PTR CDialogColor::OnInitDialog(HWND focus, LPARAM param)
{
    ApplyDialogLook(m_hWnd);
    return CDialog::OnInitDialog(focus, param);
}

INT_PTR CDialogColor::MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CTLCOLORLISTBOX)
        return OnCtlColorEdit(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    return CDialog::MessageLoop(hwnd, msg, wParam, lParam);
}

void CDialogColor::OnSound(UINT) {}

INT_PTR CDialogColor::OnCtlColorDlg(HDC, HWND)
{
    return reinterpret_cast<INT_PTR>(m_hBrush);
}

INT_PTR CDialogColor::OnCtlColorStatic(HDC dc, HWND)
{
    ::SetBkColor(dc, m_crBack);
    ::SetTextColor(dc, m_crText);
    return reinterpret_cast<INT_PTR>(m_hBrush);
}

INT_PTR CDialogColor::OnCtlColorBtn(HDC dc, HWND)
{
    ::SetBkColor(dc, m_crBack);
    ::SetTextColor(dc, m_crText);
    return reinterpret_cast<INT_PTR>(m_hBrush);
}

INT_PTR CDialogColor::OnCtlColorEdit(HDC dc, HWND)
{
    ::SetBkColor(dc, m_crField);
    ::SetTextColor(dc, m_crText);
    return reinterpret_cast<INT_PTR>(m_hField);
}

INT_PTR CDialogColor::OnCommand(WORD code, WORD id, HWND control)
{
    if (m_nSound)
    {
        switch (code)
        {
        case 3:
        case 4:
        case 10:
        case 0x100:
        case 0x200:
        case 0x300:
        case 0x400:
            break; // focus and edit-change notifications make no sound
        default:
            OnSound(id);
            break;
        }
    }
    return CDialog::OnCommand(code, id, control);
}

INT_PTR CDialogColor::OnHelp(HELPINFO* info)
{
    if (m_nSound)
        OnSound(kIdHelp);
    return CDialog::OnHelp(info);
}

INT_PTR CDialogColor::OnNotify(int id, NMHDR* header)
{
    if (m_nSound && header && (header->code == (UINT)-451 || header->code == (UINT)-2))
        OnSound(header->code);
    return CDialog::OnNotify(id, header);
}

// ---------------------------------------------------------------------------------------------

CDlgConfirm::CDlgConfirm(HWND parent)
    : CDialogColor(kTemplate, parent), m_pText(nullptr), m_nWidth(0), m_nHeight(0),
      m_bTwoButtons(0)
{}

CDlgConfirm::CDlgConfirm(HWND parent, const wchar_t* text, const CSize& size, int twoButtons)
    : CDialogColor(kTemplate, parent), m_pText(text), m_nWidth(size.cx), m_nHeight(size.cy),
      m_bTwoButtons(twoButtons)
{}

INT_PTR CDlgConfirm::OnInitDialog(HWND focus, LPARAM param)
{
    INT_PTR result = CDialogColor::OnInitDialog(focus, param);
    ::SetWindowTextW(m_hWnd, kAppCaption);
    HWND icon = ::GetDlgItem(m_hWnd, kIdIcon);
    if (icon)
        ::SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(::LoadIconW(nullptr, IDI_EXCLAMATION)), 0);
    HWND cancel = ::GetDlgItem(m_hWnd, kIdCancel);
    if (cancel && !m_bTwoButtons)
        ::ShowWindow(cancel, SW_HIDE);
    if (m_nWidth > 0 || m_nHeight > 0)
    {
        RECT rc;
        ::GetWindowRect(m_hWnd, &rc);
        int w = m_nWidth > 0 ? m_nWidth : rc.right - rc.left;
        int h = m_nHeight > 0 ? m_nHeight : rc.bottom - rc.top;
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    else
    {
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        OnSize(SIZE_RESTORED, rc.right, rc.bottom);
    }
    return result;
}

void CDlgConfirm::OnTranslate()
{
    if (m_hWnd && m_pText)
        ::SetDlgItemTextW(m_hWnd, kIdText, m_pText);
}

INT_PTR CDlgConfirm::OnSize(UINT, int width, int height)
{
    HWND ok = ::GetDlgItem(m_hWnd, kIdOk);
    if (!ok)
        return 0;
    RECT rc;
    ::GetWindowRect(ok, &rc);
    const int bw = rc.right - rc.left, bh = rc.bottom - rc.top;
    const int okX = width - 16 - bw;
    ::SetWindowPos(ok, nullptr, okX, height - 14 - bh, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    HWND cancel = ::GetDlgItem(m_hWnd, kIdCancel);
    if (cancel && m_bTwoButtons)
    {
        ::GetWindowRect(cancel, &rc);
        const int cw = rc.right - rc.left, ch = rc.bottom - rc.top;
        ::SetWindowPos(cancel, nullptr, okX - 16 - cw, height - 14 - ch, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return 0;
}

// ---------------------------------------------------------------------------------------------

namespace {
ConfirmHandler g_confirmHandler = nullptr;
} // namespace

int ShowConfirm(HWND parent, const wchar_t* text, int twoButtons)
{
    if (g_confirmHandler)
        return g_confirmHandler(parent, text ? text : L"", twoButtons);
    if (GetMsgBoxHandler())
    {
        const unsigned int type = (twoButtons ? MB_YESNO : MB_OK) | MB_ICONEXCLAMATION;
        const int answer = ShowMsgBox(parent, text, kAppCaption, type);
        return answer == IDYES || answer == IDOK ? CDialog::kIdOk : CDialog::kIdCancel;
    }
    CDlgConfirm box(parent, text ? text : L"", CSize(0, 0), twoButtons);
    return box.DoModal(nullptr) == CDialog::kIdOk ? CDialog::kIdOk : CDialog::kIdCancel;
}

ConfirmHandler SetConfirmHandler(ConfirmHandler handler)
{
    ConfirmHandler old = g_confirmHandler;
    g_confirmHandler = handler;
    return old;
}

} // namespace KV
