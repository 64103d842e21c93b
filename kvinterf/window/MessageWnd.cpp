#include "kvinterf/window/MessageWnd.h"
#include <windowsx.h>

namespace KV {

CMessageWnd::CMessageWnd()
    : m_hWnd(nullptr), m_hAccel(nullptr), m_hToolTip(nullptr), m_pOldProc(nullptr), m_bPassedOn(false)
{}

LRESULT CMessageWnd::DefProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // A subclassed control's own procedure is its default; it sees each message once.
    if (m_pOldProc)
    {
        m_bPassedOn = true;
        return ::CallWindowProcW(m_pOldProc, hwnd, msg, wParam, lParam);
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

CMessageWnd::~CMessageWnd()
{
    DestroyAccelerators();
    if (m_hToolTip && ::IsWindow(m_hToolTip))
        ::DestroyWindow(m_hToolTip);
    m_hToolTip = nullptr;
}

LRESULT CMessageWnd::MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    const UINT flags = (UINT)wParam;
    switch (msg)
    {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_NCCREATE:
        // The default procedure stores the title; a window must not fail for want of a handler.
        OnNcCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
        return DefProc(hwnd, msg, wParam, lParam);
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;

    case WM_PAINT:
        OnPaint();
        return DefProc(hwnd, msg, wParam, lParam);
    case WM_PRINTCLIENT:
        OnPaintClient((HDC)wParam);
        return DefProc(hwnd, msg, wParam, lParam);
    case WM_NCPAINT:
        OnNcPaint((HRGN)wParam);
        return DefProc(hwnd, msg, wParam, lParam);
    case WM_ERASEBKGND:
        return OnEraseBkgnd((HDC)wParam);

    case WM_SIZE:
        return OnSize(flags, (short)LOWORD(lParam), (short)HIWORD(lParam));
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return DefProc(hwnd, msg, wParam, lParam);
    case WM_SHOWWINDOW:
        return OnShowWindow((BOOL)wParam, (UINT)lParam);
    case WM_SETCURSOR: {
        LRESULT r = OnSetCursor((HWND)wParam, LOWORD(lParam), HIWORD(lParam));
        return r ? r : DefProc(hwnd, msg, wParam, lParam);
    }
    case WM_SETFOCUS:
        return OnSetFocus((HWND)wParam);
    case WM_KILLFOCUS:
        return OnKillFocus((HWND)wParam);
    case WM_NCHITTEST:
        return OnNcHitTest(x, y);
    case WM_DRAWITEM:
        return OnDrawItem((UINT)wParam, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_NOTIFY:
        return OnNotify((int)wParam, reinterpret_cast<NMHDR*>(lParam));
    case WM_INPUTLANGCHANGE:
        return OnInputLangChange(wParam, lParam);
    case WM_HELP:
        return OnHelp(reinterpret_cast<HELPINFO*>(lParam));
    case WM_INITDIALOG:
        return OnInitDialog((HWND)wParam, lParam);
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_COMMAND:
        OnCommand(HIWORD(wParam), LOWORD(wParam), (HWND)lParam);
        return 0;
    case WM_SYSCOMMAND:
        if (OnSysCommand(wParam, lParam))
            return 0;
        return DefProc(hwnd, msg, wParam, lParam);
    case WM_HSCROLL:
        return OnHScrool(LOWORD(wParam), (short)HIWORD(wParam), (HWND)lParam);
    case WM_VSCROLL:
        return OnVScrool(LOWORD(wParam), (short)HIWORD(wParam), (HWND)lParam);
    // A zero brush leaves the colour to the default procedure.
    case WM_CTLCOLOREDIT: {
        LRESULT r = OnCtlColorEdit((HDC)wParam, (HWND)lParam);
        return r ? r : DefProc(hwnd, msg, wParam, lParam);
    }
    case WM_CTLCOLORBTN: {
        LRESULT r = OnCtlColorBtn((HDC)wParam, (HWND)lParam);
        return r ? r : DefProc(hwnd, msg, wParam, lParam);
    }
    case WM_CTLCOLORDLG: {
        LRESULT r = OnCtlColorDlg((HDC)wParam, (HWND)lParam);
        return r ? r : DefProc(hwnd, msg, wParam, lParam);
    }
    case WM_CTLCOLORSTATIC: {
        LRESULT r = OnCtlColorStatic((HDC)wParam, (HWND)lParam);
        return r ? r : DefProc(hwnd, msg, wParam, lParam);
    }

    case WM_KEYDOWN:
        OnKeyDown(wParam, lParam);
        break;
    case WM_KEYUP:
        OnKeyUp(wParam, lParam);
        break;
    case WM_CHAR:
        OnChar(wParam, lParam);
        break;
    case WM_DEADCHAR:
        OnDeadChar(wParam, lParam);
        break;
    case WM_SYSKEYDOWN:
        OnSysKeyDown(wParam, lParam);
        break;
    case WM_SYSKEYUP:
        OnSysKeyUp(wParam, lParam);
        break;
    case WM_SYSDEADCHAR:
        OnSysDeadChar(wParam, lParam);
        break;

    case WM_MOUSEMOVE:
        OnMouseMove(flags, x, y);
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(flags, x, y);
        break;
    case WM_LBUTTONUP:
        OnLButtonUp(flags, x, y);
        break;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClick(flags, x, y);
        break;
    case WM_RBUTTONDOWN:
        OnRButtonDown(flags, x, y);
        break;
    case WM_RBUTTONUP:
        OnRButtonUp(flags, x, y);
        break;
    case WM_MOUSEWHEEL:
        return OnMouseWeel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), x, y);
    case WM_MOUSELEAVE:
        return OnMouseLeave();

    case kTrayMessage:
        OnNotifyTray(wParam, lParam);
        break;
    default:
        break;
    }
    return DefProc(hwnd, msg, wParam, lParam);
}

INT_PTR CMessageWnd::MessageLoopDlg(HWND, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    const UINT flags = (UINT)wParam;
    switch (msg)
    {
    case WM_DESTROY:
        return OnDestroy();
    case WM_SIZE:
        return OnSize(flags, (short)LOWORD(lParam), (short)HIWORD(lParam));
    case WM_PAINT:
        return OnPaint();
    case WM_ERASEBKGND:
        return OnEraseBkgnd((HDC)wParam);
    case WM_SHOWWINDOW:
        return OnShowWindow((BOOL)wParam, (UINT)lParam);
    case WM_SETCURSOR:
        return OnSetCursor((HWND)wParam, LOWORD(lParam), HIWORD(lParam));
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
    case WM_NOTIFY:
        return OnNotify((int)wParam, reinterpret_cast<NMHDR*>(lParam));
    case WM_HELP:
        return OnHelp(reinterpret_cast<HELPINFO*>(lParam));
    case WM_INITDIALOG:
        return OnInitDialog((HWND)wParam, lParam);
    case WM_COMMAND:
        OnCommand(HIWORD(wParam), LOWORD(wParam), (HWND)lParam);
        return 1;
    case WM_CTLCOLOREDIT:
        return OnCtlColorEdit((HDC)wParam, (HWND)lParam);
    case WM_CTLCOLORBTN:
        return OnCtlColorBtn((HDC)wParam, (HWND)lParam);
    case WM_CTLCOLORDLG:
        return OnCtlColorDlg((HDC)wParam, (HWND)lParam);
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic((HDC)wParam, (HWND)lParam);
    case WM_MOUSEMOVE:
        return OnMouseMove(flags, x, y);
    case WM_LBUTTONDOWN:
        return OnLButtonDown(flags, x, y);
    case WM_LBUTTONUP:
        return OnLButtonUp(flags, x, y);
    case WM_LBUTTONDBLCLK:
        return OnLButtonDblClick(flags, x, y);
    case WM_RBUTTONDOWN:
        return OnRButtonDown(flags, x, y);
    case WM_RBUTTONUP:
        return OnRButtonUp(flags, x, y);
    case WM_MOUSELEAVE:
        return OnMouseLeave();
    default:
        return 0;
    }
}

int CMessageWnd::DestroyWindow()
{
    if (!m_hWnd)
        return 1;
    HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    return ::DestroyWindow(hwnd) ? 1 : 0;
}

void CMessageWnd::Draw(HDC) {}

void CMessageWnd::Close()
{
    if (m_hWnd)
        ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

int CMessageWnd::OffSetWindow(int dx, int dy, int repaint)
{
    RECT rc;
    if (!m_hWnd || !::GetWindowRect(m_hWnd, &rc))
        return 0;
    HWND parent = ::GetParent(m_hWnd);
    if (parent && (::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CHILD))
        ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rc), 2);
    return ::MoveWindow(m_hWnd, rc.left + dx, rc.top + dy, rc.right - rc.left, rc.bottom - rc.top, repaint);
}

int CMessageWnd::MoveWindow(const RECT& rect, int repaint)
{
    return MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

int CMessageWnd::MoveWindow(int x, int y, int w, int h, int repaint)
{
    return m_hWnd ? ::MoveWindow(m_hWnd, x, y, w, h, repaint) : 0;
}

int CMessageWnd::MoveWindow(int x, int y, int repaint)
{
    if (!m_hWnd)
        return 0;
    UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (!repaint)
        flags |= SWP_NOREDRAW;
    return ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, flags);
}

int CMessageWnd::EnableWindow(int enable)
{
    return ::EnableWindow(m_hWnd, enable ? TRUE : FALSE);
}
int CMessageWnd::IsWindowEnabled()
{
    return ::IsWindowEnabled(m_hWnd);
}
HWND CMessageWnd::SetFocus()
{
    return ::SetFocus(m_hWnd);
}
int CMessageWnd::ShowWindow(int show)
{
    return ::ShowWindow(m_hWnd, show);
}
int CMessageWnd::IsWindowVisible()
{
    return ::IsWindowVisible(m_hWnd);
}
int CMessageWnd::SetWindowTextW(const wchar_t* text)
{
    return ::SetWindowTextW(m_hWnd, text);
}

LRESULT CMessageWnd::rtSendMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageW(m_hWnd, msg, wParam, lParam);
}

void CMessageWnd::SetStyle(DWORD bits, int remove)
{
    if (!m_hWnd)
        return;
    LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    style = remove ? (style & ~(LONG_PTR)bits) : (style | (LONG_PTR)bits);
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, style);
}

void CMessageWnd::SetStyleExt(DWORD bits, int remove)
{
    if (!m_hWnd)
        return;
    LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    style = remove ? (style & ~(LONG_PTR)bits) : (style | (LONG_PTR)bits);
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, style);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

int CMessageWnd::CreateAccelerators(const ACCEL* table, int count)
{
    DestroyAccelerators();
    if (!table || count <= 0)
        return 0;
    m_hAccel = ::CreateAcceleratorTableW(const_cast<ACCEL*>(table), count);
    return m_hAccel != nullptr;
}

void CMessageWnd::DestroyAccelerators()
{
    if (m_hAccel)
        ::DestroyAcceleratorTable(m_hAccel);
    m_hAccel = nullptr;
}

int CMessageWnd::TranslateAcceleratorW(MSG* msg)
{
    if (!m_hAccel || !m_hWnd || !msg)
        return 0;
    return ::TranslateAcceleratorW(m_hWnd, m_hAccel, msg);
}

HWND CMessageWnd::CreateToolTips(HINSTANCE instance)
{
    DestroyToolTips();
    m_hToolTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, instance, nullptr);
    if (m_hToolTip)
        ::SetWindowPos(m_hToolTip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return m_hToolTip;
}

int CMessageWnd::AddToolTip(HWND control, const wchar_t* text)
{
    if (!control || !text || !m_hToolTip)
        return 0;
    TTTOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = ::GetParent(control) ? ::GetParent(control) : m_hWnd;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<wchar_t*>(text);
    ::GetClientRect(control, &info.rect);
    return ::SendMessageW(m_hToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) ? 1 : 0;
}

void CMessageWnd::DestroyToolTips()
{
    if (m_hToolTip && ::IsWindow(m_hToolTip))
        ::DestroyWindow(m_hToolTip);
    m_hToolTip = nullptr;
}

LRESULT CMessageWnd::OnClose()
{
    DestroyWindow();
    return 0;
}
LRESULT CMessageWnd::OnCreate(CREATESTRUCTW*)
{
    return 0;
}
LRESULT CMessageWnd::OnNcCreate(CREATESTRUCTW*)
{
    return 0;
}
LRESULT CMessageWnd::OnCommand(WORD, WORD, HWND)
{
    return 0;
}
LRESULT CMessageWnd::OnNotify(int, NMHDR*)
{
    return 0;
}
LRESULT CMessageWnd::OnSysCommand(WPARAM, LPARAM)
{
    return 0;
}
LRESULT CMessageWnd::OnDestroy()
{
    return 0;
}
LRESULT CMessageWnd::OnGetMinMaxInfo(MINMAXINFO*)
{
    return 0;
}
LRESULT CMessageWnd::OnEraseBkgnd(HDC)
{
    return 0;
}
LRESULT CMessageWnd::OnLButtonDown(UINT, int, int)
{
    return 0;
}
LRESULT CMessageWnd::OnLButtonDblClick(UINT, int, int)
{
    return 0;
}
LRESULT CMessageWnd::OnLButtonUp(UINT, int, int)
{
    return 0;
}
LRESULT CMessageWnd::OnRButtonDown(UINT, int, int)
{
    return 0;
}
LRESULT CMessageWnd::OnRButtonUp(UINT, int, int)
{
    return 0;
}
LRESULT CMessageWnd::OnMouseMove(UINT, int, int)
{
    return 0;
}
LRESULT CMessageWnd::OnMouseWeel(UINT, short, int, int)
{
    return 0;
}
LRESULT CMessageWnd::OnMouseLeave()
{
    return 0;
}

LRESULT CMessageWnd::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    if (dc)
        Draw(dc);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT CMessageWnd::OnPaintClient(HDC dc)
{
    // The caller's context is already prepared; painting into it is all that is asked.
    if (dc)
        Draw(dc);
    return 0;
}

// A skinned window has no frame of its own; the default procedure draws whatever there is.
LRESULT CMessageWnd::OnNcPaint(HRGN)
{
    return 0;
}
LRESULT CMessageWnd::OnSetCursor(HWND, UINT, UINT)
{
    return 0;
}
LRESULT CMessageWnd::OnSetFocus(HWND)
{
    return 0;
}
LRESULT CMessageWnd::OnKillFocus(HWND)
{
    return 0;
}
LRESULT CMessageWnd::OnSize(UINT, int, int)
{
    return 0;
}
LRESULT CMessageWnd::OnTimer(UINT_PTR)
{
    return 0;
}
LRESULT CMessageWnd::OnNotifyTray(WPARAM, LPARAM)
{
    return 0;
}
LRESULT CMessageWnd::OnCtlColorDlg(HDC, HWND)
{
    return 0;
}
LRESULT CMessageWnd::OnCtlColorStatic(HDC, HWND)
{
    return 0;
}
LRESULT CMessageWnd::OnCtlColorBtn(HDC, HWND)
{
    return 0;
}
LRESULT CMessageWnd::OnCtlColorEdit(HDC, HWND)
{
    return 0;
}
LRESULT CMessageWnd::OnDrawItem(UINT, DRAWITEMSTRUCT*)
{
    return 0;
}
LRESULT CMessageWnd::OnVScrool(UINT, int, HWND)
{
    return 0;
}
LRESULT CMessageWnd::OnHScrool(UINT, int, HWND)
{
    return 0;
}
LRESULT CMessageWnd::OnNcHitTest(int x, int y)
{
    return ::DefWindowProcW(m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(x, y));
}
LRESULT CMessageWnd::OnShowWindow(BOOL, UINT)
{
    return 0;
}
LRESULT CMessageWnd::OnKeyDown(WPARAM, LPARAM)
{
    return 0;
}
LRESULT CMessageWnd::OnKeyUp(WPARAM, LPARAM)
{
    return 0;
}
LRESULT CMessageWnd::OnDeadChar(WPARAM, LPARAM)
{
    return 0;
}
LRESULT CMessageWnd::OnSysKeyDown(WPARAM, LPARAM)
{
    return 0;
}
LRESULT CMessageWnd::OnSysKeyUp(WPARAM, LPARAM)
{
    return 0;
}
LRESULT CMessageWnd::OnSysDeadChar(WPARAM, LPARAM)
{
    return 0;
}
LRESULT CMessageWnd::OnChar(WPARAM, LPARAM)
{
    return 0;
}
LRESULT CMessageWnd::OnInputLangChange(WPARAM, LPARAM)
{
    return 0;
}
LRESULT CMessageWnd::OnHelp(HELPINFO*)
{
    return 0;
}
LRESULT CMessageWnd::OnInitDialog(HWND, LPARAM)
{
    return 0;
}

} // namespace KV
