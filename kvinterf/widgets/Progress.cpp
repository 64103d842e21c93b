#include "kvinterf/widgets/Progress.h"

namespace KV {

CProgress::CProgress(SP_DIRECTION direction, int percentage, int showFirstStep)
    : m_nLength(100), m_nUsed(0), m_nPercentage(percentage), m_nReversed(direction == SP_REVERSED ? 1 : 0),
      m_nShowFirstStep(showFirstStep), m_nSliceStyle(3), m_colour(0)
{}

CProgress::~CProgress() {}

HWND CProgress::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    if (m_hWnd || !parent)
        return nullptr;
    HWND hwnd = ::CreateWindowExW(0, L"STATIC", L"", style | WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
    if (hwnd)
        SetHandle(parent, hwnd);
    return hwnd;
}

int CProgress::LoadBitmapW(const wchar_t* file, int sliceStyle, int reload)
{
    m_nSliceStyle = sliceStyle;
    if (!m_hWnd)
        return 1;
    if (sliceStyle == 0)
        return 0;
    // The whole bitmap is one picture; the slices are cut when drawing.
    if (!CSkin::LoadBitmapW(file, 1, reload))
        return 0;
    m_rcDest.bottom = m_dib.GetSize().cy;
    MoveSkin();
    SetRectRgn();
    return 1;
}

void CProgress::Repaint()
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CProgress::SetLength(unsigned short length)
{
    m_nLength = length;
    Repaint();
}

void CProgress::AddStep()
{
    ++m_nUsed;
    Repaint();
}

void CProgress::AddStep(unsigned short steps)
{
    m_nUsed = static_cast<unsigned short>(m_nUsed + steps);
    Repaint();
}

void CProgress::Reset()
{
    m_nUsed = 0;
    Repaint();
}

void CProgress::SetColour(COLORREF colour)
{
    m_colour = colour;
    Repaint();
}

int CProgress::GetFillEdge(int W) const
{
    const int w = m_dib.IsLoad() ? m_dib.GetSize().cx : 0;
    const double inner = w / 4;
    if (m_nPercentage)
    {
        double p = m_nLength ? m_nUsed * 100.0 / m_nLength : 0.0;
        if (m_nShowFirstStep && p > 0.0 && p < 3.0)
            p = 3.0;
        const double d = (W - inner) * p / 100.0;
        return static_cast<int>(m_nReversed ? W - d : inner + d);
    }
    // A length of 0 has no step width.
    const double s = m_nLength ? (W - inner) / m_nLength : 0.0;
    return static_cast<int>(m_nReversed ? W - m_nUsed * s : inner + m_nUsed * s);
}

void CProgress::Draw(HDC dc)
{
    if (!dc || !m_hWnd || !m_dib.IsLoad())
        return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int W = client.right, H = client.bottom;
    const int w = m_dib.GetSize().cx, h = m_dib.GetSize().cy;
    ::SetStretchBltMode(dc, COLORONCOLOR);
    switch (m_nSliceStyle)
    {
    case 4:
        m_dib.Draw(dc, 0, 0, w / 2, H, 0, 0, w / 2, h);
        m_dib.Draw(dc, w / 2, 0, W - 3 * w / 4, H, w / 2, 0, w / 4, h);
        m_dib.Draw(dc, W - w / 4, 0, w / 4, H, w - w / 4, 0, w / 4, h);
        break;
    case 5:
        m_dib.Draw(dc, 0, 0, w / 3, H, 0, 0, w / 3, h);
        m_dib.Draw(dc, w / 3, 0, w / 9, H, w / 3, 0, w / 9, h);
        m_dib.Draw(dc, 4 * w / 9, 0, W - 8 * w / 9, H, 4 * w / 9, 0, w / 9, h);
        m_dib.Draw(dc, W - 4 * w / 9, 0, w / 9, H, 5 * w / 9, 0, w / 9, h);
        m_dib.Draw(dc, W - w / 3, 0, w / 3, H, w - w / 3, 0, w / 3, h);
        break;
    default:
        m_dib.Draw(dc, 0, 0, w / 3, H, 0, 0, w / 3, h);
        m_dib.Draw(dc, w / 3, 0, W - 2 * w / 3, H, w / 3, 0, w / 3, h);
        m_dib.Draw(dc, W - w / 3, 0, w / 3, H, w - w / 3, 0, w / 3, h);
        break;
    }
    // Only the four-slice frame has an inner rectangle to fill; the others are frames alone.
    if (m_nSliceStyle != 4)
        return;
    const int edge = GetFillEdge(W);
    RECT fill = {w / 4, 6, edge, H - 5};
    if (fill.right <= fill.left || fill.bottom <= fill.top)
        return;
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, 20, 0, W, H);
    HBRUSH brush = ::CreateSolidBrush(m_colour);
    ::FillRect(dc, &fill, brush);
    ::DeleteObject(brush);
    ::RestoreDC(dc, saved);
}

LRESULT CProgress::OnEraseBkgnd(HDC)
{
    return 1;
}

} // namespace KV
