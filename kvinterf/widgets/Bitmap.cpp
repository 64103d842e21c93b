#include "kvinterf/widgets/Bitmap.h"

namespace KV {

CBitmap::CBitmap() {}

CBitmap::~CBitmap() {}

int CBitmap::LoadBitmapW(const wchar_t* file, int pictures, int reload)
{
    const wchar_t* path = m_strPath.GetW()[0] ? m_strPath.GetW() : file;
    return CStatic::LoadBitmapW(path, pictures, reload);
}

int CBitmap::Reload(const wchar_t* path)
{
    if (!path || !path[0])
        return 0;
    const CString old = m_strPath;
    m_strPath = path;
    if (!LoadBitmapW(nullptr, 1, 1))
    {
        m_strPath = old;
        return 0;
    }
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return 1;
}

int CBitmap::DrawItem(DRAWITEMSTRUCT* item)
{
    if (!item || !item->hDC)
        return 1;
    const RECT& rc = item->rcItem;
    ::FillRect(item->hDC, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (!m_dib.IsLoad())
        return 1;
    const CSize size = m_dib.GetSize();
    const int saved = ::SaveDC(item->hDC);
    ::IntersectClipRect(item->hDC, rc.left, rc.top, rc.right, rc.bottom);
    DrawBitmap(item->hDC, RECT{rc.left, rc.top, rc.left + size.cx, rc.top + size.cy}, 0);
    ::RestoreDC(item->hDC, saved);
    return 1;
}

} // namespace KV
