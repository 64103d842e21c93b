#include "kvinterf/widgets/Splitter.h"
#include "kvinterf/skin/SkinWnd.h"
#include "kvstruct/image/Bitmap.h"

namespace KV {

CSplitter::CSplitter() : m_nRight(0), m_nBottom(0), m_nPos(0), m_bDragging(0) {}

CSplitter::~CSplitter() {}

HWND CSplitter::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    if (m_hWnd || !parent)
        return nullptr;
    HWND hwnd = ::CreateWindowExW(0, L"STATIC", L"", style | WS_CHILD | SS_NOTIFY, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>((UINT_PTR)id), instance, nullptr);
    if (hwnd)
    {
        SetHandle(parent, hwnd);
        ::ShowWindow(hwnd, SW_HIDE);
    }
    return hwnd;
}

int CSplitter::LoadBitmapW(const wchar_t* file, int pictures, int reload)
{
    const int result = CSkin::LoadBitmapW(file, pictures, reload);
    if (!result || !m_hWnd)
        return result;
    HRGN shape = nullptr;
    const unsigned long h = m_nStyle & kSkinAnchorH, v = m_nStyle & kSkinAnchorV;
    if (h != kSkinStretchH && v != kSkinStretchV)
    {
        HBITMAP bitmap = CreateBITMAP(m_dib);
        if (bitmap)
        {
            shape = CreateRegion(bitmap, 0xFF00FF, 0x101010);
            ::DeleteObject(bitmap);
        }
    }
    if (shape)
        SetBaseRgn(shape);
    else
        SetRectRgn();
    // Hidden until it has a picture to show.
    ::ShowWindow(m_hWnd, SW_SHOWNA);
    return result;
}

void CSplitter::Draw(HDC dc)
{
    if (!dc || !m_dib.IsLoad())
        return;
    const int saved = ::SaveDC(dc);
    // Its own shape, not what is left of it after overlaps: the bar lies over the areas it splits.
    if (m_hRgnBase)
        ::ExtSelectClipRgn(dc, m_hRgnBase, RGN_AND);
    const CSize size = m_dib.GetSize();
    // The bar is as tall as its element: the picture repeats downwards, never stretched.
    for (int y = 0; y < m_rcDest.bottom && size.cy > 0; y += size.cy)
        DrawBitmap(dc, RECT{0, y, size.cx, y + size.cy}, 0);
    ::RestoreDC(dc, saved);
}

LRESULT CSplitter::OnEraseBkgnd(HDC)
{
    return 1;
}

int CSplitter::ParentWidth() const
{
    HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    RECT client = {0, 0, 0, 0};
    if (parent)
        ::GetClientRect(parent, &client);
    return client.right;
}

int CSplitter::PlaceX(int w)
{
    if (m_nPos <= 5)
        m_nPos = 10;
    else if (m_nPos > 89)
        m_nPos = 80;
    int x = (int)((long long)w * (long long)m_nPos / 100) - m_rcDest.right / 2;
    if (w <= 0)
        return x;
    if (x < m_rcLimit.left)
    {
        x = m_rcLimit.left;
        m_nPos = (unsigned long)((long long)x * 100 / w);
    }
    else if (x > w - m_rcLimit.right)
    {
        x = w - m_rcLimit.right;
        m_nPos = (unsigned long)((long long)(x < 0 ? 0 : x) * 100 / w);
    }
    return x;
}

void CSplitter::UpdatePos()
{
    if (m_bDragging || !m_hWnd)
        return;
    const int w = ParentWidth();
    m_rcDest.left = (int)((long long)w * (long long)m_nPos / 100) - m_rcDest.right / 2;
    ::SetWindowPos(m_hWnd, nullptr, m_rcDest.left, m_rcDest.top, m_rcDest.right, m_rcDest.bottom,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void CSplitter::MoveSkin(const RECT* rect)
{
    if (rect)
        CSkin::MoveSkin(rect);
    if (!m_bDragging)
        m_rcDest.left = PlaceX(ParentWidth());
    CSkin::MoveSkin();
}

void CSplitter::Resize(const CSize& delta, CRect* rect, int notify)
{
    if (m_bDragging)
    {
        CSkin::Resize(delta, rect, notify);
        return;
    }
    // The parent is about to take its new size: place against that one. Upwards and
    // downwards it follows its anchor like any element.
    m_rcDest.left = PlaceX(ParentWidth() + delta.cx);
    const unsigned long v = m_nStyle & kSkinAnchorV;
    if (v == kSkinBottom)
        m_rcDest.top += delta.cy;
    else if (v == kSkinStretchV)
    {
        m_rcDest.bottom = m_rcDest.bottom + delta.cy < 0 ? 0 : m_rcDest.bottom + delta.cy;
        SetRectRgn();
    }
    CSkin::MoveSkin();
    if (notify)
        for (CSkin* link : m_pLink)
            if (link)
                link->MoveByAssociation(1);
    if (rect)
        *rect = GetRect();
}

LRESULT CSplitter::OnLButtonDown(UINT, int x, int y)
{
    if (!m_hWnd)
        return 0;
    m_ptLast = CPoint(x, y);
    ::ClientToScreen(m_hWnd, &m_ptLast);
    m_nRight = m_rcDest.right - x;
    m_nBottom = m_rcDest.bottom - y;
    ::SetCapture(m_hWnd);
    return 0;
}

LRESULT CSplitter::OnMouseMove(UINT, int x, int y)
{
    if (!m_hWnd || ::GetCapture() != m_hWnd)
        return 0;
    POINT pt = {x, y};
    ::ClientToScreen(m_hWnd, &pt);
    int dx = pt.x - m_ptLast.x, dy = pt.y - m_ptLast.y;
    switch (m_nStyle & kSkinRole)
    {
    case kSkinRoleSizeW:
    case kSkinRoleKeep2:
        dy = 0;
        break;
    case kSkinRoleSizeH:
    case kSkinRoleKeep1:
        dx = 0;
        break;
    case kSkinRoleSizeWH:
        break;
    default:
        dx = dy = 0;
        break;
    }
    m_ptLast = CPoint(m_ptLast.x + dx, m_ptLast.y + dy);
    const int w = ParentWidth();
    const int right = m_rcDest.left + m_rcDest.right;
    int newX = m_rcDest.left + dx;
    // The limit rectangle bounds the drag as it bounds the placing.
    const int minX = m_rcLimit.left, maxX = w - m_rcLimit.right;
    if (newX > maxX)
        newX = maxX;
    if (newX < minX)
        newX = minX;
    if (newX != m_rcDest.left + dx)
    {
        // Cut by a limit: the cursor is taken as standing at the limited edge.
        POINT edge = {newX + m_rcDest.right - m_nRight, 0};
        HWND parent = ::GetParent(m_hWnd);
        ::ClientToScreen(parent, &edge);
        m_ptLast.x = edge.x;
    }
    if (newX + m_rcDest.right == right || w <= 0)
        return 0;
    // The share of the splitter's centre, so that a resize puts it back where it was dragged.
    m_nPos = (unsigned long)((long long)(newX + m_rcDest.right / 2) * 100 / w);
    m_bDragging = 1;
    m_rcDest.left = newX;
    CSkin::MoveSkin();
    for (CSkin* link : m_pLink)
        if (link)
            link->MoveByAssociation(1);
    m_bDragging = 0;
    HWND parent = ::GetParent(m_hWnd);
    if (CSkinWnd* skinWnd = dynamic_cast<CSkinWnd*>(CWnd::GetpWnd(parent)))
        skinWnd->BuildRegion(0);
    ::RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return 0;
}

LRESULT CSplitter::OnLButtonUp(UINT, int, int)
{
    if (m_hWnd && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    return 0;
}

} // namespace KV
