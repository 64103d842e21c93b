#pragma once
// Shared by the elements that paint everything themselves (tables, graphs, legends): painting
// off screen, and the messages by which the system control would paint or hide clicks.
#include "kvinterf/window/MessageWnd.h"

namespace KV {

// Paints draw(memoryDC, client) off screen over a background and copies it to dc in one go.
template <class F>
void PaintBuffered(HWND hwnd, HDC dc, HBRUSH background, F draw)
{
    RECT rc;
    ::GetClientRect(hwnd, &rc);
    if (rc.right <= 0 || rc.bottom <= 0)
        return;
    HDC mem = ::CreateCompatibleDC(dc);
    HBITMAP bmp = ::CreateCompatibleBitmap(dc, rc.right, rc.bottom);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::FillRect(mem, &rc, background);
    draw(mem, rc);
    ::BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
}

// True when msg was handled: WM_PAINT paints through the object only, and a static control
// takes its own clicks instead of passing them through.
inline bool OwnerPaintMessage(CMessageWnd& wnd, UINT msg, LRESULT& result)
{
    if (msg == WM_PAINT)
    {
        wnd.OnPaint();
        result = 0;
        return true;
    }
    if (msg == WM_NCHITTEST)
    {
        result = HTCLIENT;
        return true;
    }
    return false;
}

} // namespace KV
