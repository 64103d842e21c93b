#include "app/ui/FWDialog.h"
#include "kvinterf/skin/Skin.h"
#include "kvstruct/files/IniTable.h"

#include <algorithm>

std::wstring LangText(const KV::CIniTable* lang, const wchar_t* key)
{
    return LangText(lang, key, key);
}

std::wstring LangText(const KV::CIniTable* lang, const wchar_t* key, const wchar_t* fallback)
{
    const std::wstring text = lang ? lang->_GetW(key) : std::wstring();
    return text.empty() ? fallback : text;
}

bool DrawIconListItem(const DRAWITEMSTRUCT* item)
{
    if (!item || item->CtlType != ODT_LISTBOX)
        return false;
    const KV::DialogLook& look = KV::GetDialogLook();
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    const COLORREF back = selected ? ::GetSysColor(COLOR_HIGHLIGHT) : look.field;
    HBRUSH brush = ::CreateSolidBrush(back);
    ::FillRect(item->hDC, &item->rcItem, brush);
    ::DeleteObject(brush);
    if (item->itemID != static_cast<UINT>(-1))
    {
        RECT text = item->rcItem;
        HICON icon = reinterpret_cast<HICON>(item->itemData);
        if (icon)
        {
            const int top = text.top + (text.bottom - text.top - 16) / 2;
            ::DrawIconEx(item->hDC, text.left + 3, top, icon, 16, 16, 0, nullptr, DI_NORMAL);
        }
        text.left += 24;
        const LRESULT length = ::SendMessageW(item->hwndItem, LB_GETTEXTLEN, item->itemID, 0);
        std::wstring caption(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
        ::SendMessageW(item->hwndItem, LB_GETTEXT, item->itemID, reinterpret_cast<LPARAM>(&caption[0]));
        ::SetBkMode(item->hDC, TRANSPARENT);
        ::SetTextColor(item->hDC, selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : look.text);
        ::DrawTextW(item->hDC, caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (item->itemState & ODS_FOCUS)
        ::DrawFocusRect(item->hDC, &item->rcItem);
    return true;
}

bool CDrawnElements::Draw(DRAWITEMSTRUCT* item, HBRUSH background) const
{
    for (KV::CSkin* element : m_elements)
    {
        if (element->GetHwnd() != item->hwndItem)
            continue;
        ::FillRect(item->hDC, &item->rcItem, background);
        element->DrawItem(item);
        return true;
    }
    return false;
}

HWND CDrawnElements::Replace(HWND dialog, int id, KV::CSkin* element, DWORD style)
{
    HWND old = ::GetDlgItem(dialog, id);
    RECT rect = {0, 0, 0, 0};
    if (old)
    {
        ::GetWindowRect(old, &rect);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        ::DestroyWindow(old);
    }
    HWND hwnd = element->Create(::GetModuleHandleW(nullptr), dialog, style, rect, static_cast<UINT>(id));
    if (hwnd)
        Add(element);
    return hwnd;
}

// ---- CFWDialog ----

CFWDialog::CFWDialog(UINT templateId, HWND parent, KV::CIniTable* lang, KV::CRect* place)
    : KV::CDialogColor(templateId, parent), m_pLang(lang), m_pPlace(place), m_nResult(-1)
{}

CFWDialog::~CFWDialog() = default;

INT_PTR CFWDialog::OnInitDialog(HWND focus, LPARAM param)
{
    KV::CDialogColor::OnInitDialog(focus, param);
    if (m_pPlace && !m_pPlace->IsRectEmpty())
    {
        // A rectangle from another screen setup must not hide the dialog.
        RECT work = {0, 0, ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
        RECT seen;
        if (::IntersectRect(&seen, m_pPlace, &work))
            ::SetWindowPos(m_hWnd, nullptr, m_pPlace->left, m_pPlace->top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    KeepOnScreen();
    return 1;
}

void CFWDialog::KeepOnScreen()
{
    RECT rect;
    if (!m_hWnd || !::GetWindowRect(m_hWnd, &rect))
        return;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    // Right and bottom first, so that a dialog larger than the screen keeps its title bar.
    const LONG x = (std::max)(work.left, (std::min)(rect.left, work.right - (rect.right - rect.left)));
    const LONG y = (std::max)(work.top, (std::min)(rect.top, work.bottom - (rect.bottom - rect.top)));
    if (x != rect.left || y != rect.top)
        ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CFWDialog::MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DRAWITEM && m_drawn.Draw(reinterpret_cast<DRAWITEMSTRUCT*>(lParam), m_hBrush))
        return 1;
    return KV::CDialogColor::MessageLoop(hwnd, msg, wParam, lParam);
}

void CFWDialog::SetItemKey(int id, const wchar_t* key) const
{
    ::SetDlgItemTextW(m_hWnd, id, Text(key).c_str());
}

void CFWDialog::Finish(INT_PTR code)
{
    RECT rect;
    if (m_pPlace && m_hWnd && ::GetWindowRect(m_hWnd, &rect))
        *m_pPlace = rect;
    m_nResult = code;
    EndDialog(code);
}

void CFWDialog::Ok()
{
    Finish(kIdOk);
}

void CFWDialog::Cancel()
{
    Finish(kIdCancel);
}

// ---- CFWChildDlg ----

CFWChildDlg::CFWChildDlg(UINT templateId, CFWDialog& owner)
    : KV::CDialogColor(templateId, owner.GetHwnd()), m_owner(owner)
{}

CFWChildDlg::~CFWChildDlg() = default;

HWND CFWChildDlg::CreatePage(const RECT& area)
{
    m_hParent = m_owner.GetHwnd();
    HWND hwnd = Create(::GetModuleHandleW(nullptr));
    if (hwnd)
        ::SetWindowPos(hwnd, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                       SWP_NOACTIVATE);
    return hwnd;
}

INT_PTR CFWChildDlg::MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DRAWITEM && (m_drawn.Draw(reinterpret_cast<DRAWITEMSTRUCT*>(lParam), m_hBrush) ||
                               DrawIconListItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam))))
        return 1;
    return KV::CDialogColor::MessageLoop(hwnd, msg, wParam, lParam);
}

void CFWChildDlg::SetItemKey(int id, const wchar_t* key) const
{
    ::SetDlgItemTextW(m_hWnd, id, Text(key).c_str());
}
