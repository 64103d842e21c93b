#include "kvinterf/window/Wnd.h"
#include "kvinterf/window/ApplyButton.h"
#include "kvstruct/sys/CursorWait.h"

namespace KV {

CWnd::CWnd() : m_hParent(nullptr), m_nTemplate(0), m_bModal(false) {}

CWnd::~CWnd()
{
    DeleteFromMap(this);
    if (m_hWnd && ::IsWindow(m_hWnd))
    {
        // From here on the window must no longer reach this half-destroyed object.
        if (m_pOldProc)
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pOldProc));
        HWND hwnd = m_hWnd;
        m_hWnd = nullptr;
        if (!m_bModal)
            ::DestroyWindow(hwnd);
    }
    m_hWnd = nullptr;
}

ATOM CWnd::RegisterClassW(HINSTANCE instance, const wchar_t* className)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &CWnd::WndProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    return ::RegisterClassExW(&wc);
}

HWND CWnd::Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                  int w, int h, HWND parent, HMENU menu, HINSTANCE instance, void* param)
{
    m_hParent = parent;
    const bool topLevel = !(style & WS_CHILD);
    if (topLevel && !m_hWnd)
        SetPending(this);
    HWND hwnd =
        ::CreateWindowExW(exStyle, className, title, style, x, y, w, h, parent, menu, instance, param);
    if (GetPending() == this)
        SetPending(nullptr);
    if (!hwnd)
        return nullptr;
    if (hwnd != m_hWnd && ::IsWindow(hwnd))
        SetHandle(parent, hwnd);
    return hwnd;
}

void CWnd::SetHandle(HWND parent, HWND handle)
{
    m_hParent = parent;
    m_hWnd = handle;
    AddToMap(handle, this);
    if (parent && handle && (::GetWindowLongPtrW(handle, GWL_STYLE) & WS_CHILD))
    {
        WNDPROC old = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(handle, GWLP_WNDPROC));
        if (old != &CWnd::WndProc)
        {
            ::SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WndProc));
            m_pOldProc = old;
        }
    }
}

WNDPROC CWnd::SubclassWindow(HWND handle)
{
    if (!handle || !m_pOldProc)
        return nullptr;
    return reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pOldProc)));
}

CWnd* CWnd::GetpWnd(HWND handle)
{
    return dynamic_cast<CWnd*>(FromHandle(handle));
}

LRESULT CALLBACK CWnd::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CMessageWnd* object = FromHandle(hwnd);
    if (!object)
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    WNDPROC old = object->m_pOldProc;
    if (msg == WM_NCDESTROY)
    {
        // The handle dies now; a later window may get the same value.
        Release(hwnd);
        if (old)
        {
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
            return ::CallWindowProcW(old, hwnd, msg, wParam, lParam);
        }
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    // A subclassed control also gets every message its object did not pass on.
    const bool outer = object->m_bPassedOn;
    object->m_bPassedOn = false;
    LRESULT result = object->MessageLoop(hwnd, msg, wParam, lParam);
    // A handler may have deleted the object; then it is no longer in the map.
    if (Lookup(hwnd) != object)
        return result;
    if (old && !object->m_bPassedOn && ::IsWindow(hwnd))
        ::CallWindowProcW(old, hwnd, msg, wParam, lParam);
    object->m_bPassedOn = outer;
    return result;
}

INT_PTR CALLBACK CWnd::DlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CMessageWnd* object = FromHandle(hwnd);
    if (!object)
        return 0;
    if (msg == WM_NCDESTROY)
    {
        Release(hwnd);
        return 0;
    }
    return object->MessageLoopDlg(hwnd, msg, wParam, lParam);
}

INT_PTR CWnd::DoModal(HINSTANCE instance)
{
    if (m_hWnd)
        return -1;
    return RunModal(this, instance, m_nTemplate, m_hParent, &CWnd::DlgProc, m_bModal);
}

HCURSOR CWnd::SetCursor(HCURSOR cursor)
{
    return ::SetCursor(cursor);
}

int CWnd::IsApply()
{
    return ApplyButton::IsEnabled(m_hWnd);
}

void CWnd::SetApply(int on)
{
    ApplyButton::Enable(m_hWnd, on);
}

int CWnd::DoApply()
{
    SetApply(0);
    return 1;
}

void CWnd::Ok()
{
    if (m_bModal && m_hWnd)
        ::EndDialog(m_hWnd, kIdOk);
}

void CWnd::Cancel()
{
    if (m_bModal && m_hWnd)
        ::EndDialog(m_hWnd, kIdCancel);
}

LRESULT CWnd::OnCommand(WORD, WORD id, HWND)
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
        break;
    case kIdCancel:
    case kIdClose:
        Cancel();
        break;
    case kIdHelp: {
        CCursorWait wait;
        OnHelp(nullptr);
        break;
    }
    case kIdApply: {
        CCursorWait wait;
        DoApply();
        break;
    }
    default:
        break;
    }
    return 0;
}

LRESULT CWnd::OnNotify(int id, NMHDR* header)
{
    if (!header)
        return 0;
    CMessageWnd* target = FromHandle(header->hwndFrom);
    if (target && target != this)
        return target->OnNotify(id, header);
    return 0;
}

int CWnd::DestroyWindow()
{
    DestroyToolTips();
    if (m_bModal && m_hWnd)
    {
        ::EndDialog(m_hWnd, kIdCancel);
        return 1;
    }
    return CMapWnd::DestroyWindow();
}

} // namespace KV
