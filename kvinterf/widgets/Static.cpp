#include "kvinterf/widgets/Static.h"
#include "kvstruct/sys/Handles.h"
#include "kvstruct/image/Bitmap.h"

namespace KV {

CStatic::CStatic() : m_bLoaded(0) {}

CStatic::~CStatic() {}

HWND CStatic::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    if (m_hWnd || !parent)
        return nullptr;
    HWND hwnd = ::CreateWindowExW(0, L"STATIC", L"", style | WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>((UINT_PTR)id), instance, nullptr);
    if (hwnd)
        SetHandle(parent, hwnd);
    return hwnd;
}

int CStatic::LoadBitmapW(const wchar_t* file, int pictures, int reload)
{
    const int result = CSkin::LoadBitmapW(file, pictures, reload);
    if (!result || !m_hWnd)
        return result;
    HRGN shape = nullptr;
    if (!IsStretched())
    {
        HBITMAP bitmap = CreateBITMAP(m_dib);
        if (bitmap)
            shape = CreateRegion(bitmap, 0xFF00FF, 0x101010);
        // Only the first picture of a strip shapes the element.
        const CSize size = m_dib.GetSize();
        CRegionHandle first(shape ? ::CreateRectRgn(0, 0, size.cx / (pictures > 0 ? pictures : 1), size.cy)
                                  : nullptr);
        if (first.IsValid())
            ::CombineRgn(shape, shape, first, RGN_AND);
    }
    if (shape)
        SetBaseRgn(shape);
    else
        SetRectRgn();
    m_bLoaded = 1;
    return result;
}

int CStatic::DrawItem(DRAWITEMSTRUCT* item)
{
    if (!item || !item->hDC || !m_bLoaded)
        return 1;
    const RECT& rc = item->rcItem;
    const int saved = ::SaveDC(item->hDC);
    if (m_hRgn)
    {
        CRegionHandle clip(::CreateRectRgn(0, 0, 0, 0));
        if (clip.IsValid())
        {
            ::CombineRgn(clip, m_hRgn, nullptr, RGN_COPY);
            ::OffsetRgn(clip, rc.left, rc.top);
            ::ExtSelectClipRgn(item->hDC, clip, RGN_AND);
        }
    }
    DrawBitmap(item->hDC, rc, 0);
    ::RestoreDC(item->hDC, saved);
    return 1;
}

void CStatic::Draw(HDC dc)
{
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_STATIC;
    item.CtlID = GetCtrlID();
    item.hwndItem = m_hWnd;
    item.hDC = dc;
    ::GetClientRect(m_hWnd, &item.rcItem);
    DrawItem(&item);
}

LRESULT CStatic::MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_SETTEXT:
    case WM_ENABLE: {
        // The system control would paint its own look at once; the text is kept and this
        // element repaints itself instead.
        LRESULT result = ::DefWindowProcW(hwnd, msg, wParam, lParam);
        m_bPassedOn = true;
        ::InvalidateRect(hwnd, nullptr, FALSE);
        return result;
    }
    default:
        return CSkin::MessageLoop(hwnd, msg, wParam, lParam);
    }
}

void CStatic::ForwardToParent(UINT msg, UINT flags, int x, int y)
{
    HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (!parent)
        return;
    POINT pt = {x, y};
    ::MapWindowPoints(m_hWnd, parent, &pt, 1);
    ::SendMessageW(parent, msg, flags, MAKELPARAM((short)pt.x, (short)pt.y));
}

LRESULT CStatic::OnLButtonDown(UINT flags, int x, int y)
{
    ForwardToParent(WM_LBUTTONDOWN, flags, x, y);
    return 0;
}

LRESULT CStatic::OnLButtonDblClick(UINT flags, int x, int y)
{
    ForwardToParent(WM_LBUTTONDBLCLK, flags, x, y);
    return 0;
}

LRESULT CStatic::OnEraseBkgnd(HDC)
{
    return 1;
}

} // namespace KV
