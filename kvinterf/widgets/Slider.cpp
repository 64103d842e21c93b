#include "kvinterf/widgets/Slider.h"

namespace KV {

CSlider::CSlider() {}

CSlider::~CSlider() {}

HWND CSlider::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT&, UINT id)
{
    HWND hwnd = CreateControl(0, TRACKBAR_CLASSW, style | 0x50010001, 10, 50, 200, 20, parent, id, instance);
    if (!hwnd)
        return nullptr;
    ::SendMessageW(hwnd, TBM_SETUNICODEFORMAT, TRUE, 0);
    UseDefaultFont(kDefaultHeight, 0); // kept for the owner; the trackbar draws no text
    return hwnd;
}

void CSlider::SetRange(int minimum, int maximum)
{
    if (!m_hWnd)
        return;
    if (maximum < minimum)
        maximum = minimum;
    ::SendMessageW(m_hWnd, TBM_SETRANGEMIN, FALSE, minimum);
    ::SendMessageW(m_hWnd, TBM_SETRANGEMAX, TRUE, maximum);
}

void CSlider::SetPosition(int position)
{
    if (m_hWnd)
        ::SendMessageW(m_hWnd, TBM_SETPOS, TRUE, position);
}

int CSlider::GetPosition() const
{
    return m_hWnd ? (int)::SendMessageW(m_hWnd, TBM_GETPOS, 0, 0) : 0;
}

void CSlider::SetTicFreq(int frequency)
{
    if (m_hWnd && frequency > 0)
        ::SendMessageW(m_hWnd, TBM_SETTICFREQ, (WPARAM)frequency, 0);
}

void CSlider::SetPageSize(int size)
{
    if (m_hWnd)
        ::SendMessageW(m_hWnd, TBM_SETPAGESIZE, 0, size);
}

void CSlider::SetSelect(int start, int end)
{
    if (m_hWnd)
        ::SendMessageW(m_hWnd, TBM_SETSEL, FALSE, MAKELPARAM(start, end));
}

int CSlider::SetFont(int height, int weight)
{
    return ReplaceFont(MakeArial(height, weight), 0);
}

void CSlider::DrawThumb(HDC dc, const RECT& rect, bool enabled)
{
    RECT rc = rect;
    HBRUSH outer = ::CreateSolidBrush(enabled ? kFrameColour : kFrameDisabledColour);
    HBRUSH inner = ::CreateSolidBrush(kInnerFrameColour);
    HBRUSH fill = ::CreateSolidBrush(kThumbColour);
    if (outer)
        ::FrameRect(dc, &rc, outer);
    ::InflateRect(&rc, -1, -1);
    if (inner)
        ::FrameRect(dc, &rc, inner);
    ::InflateRect(&rc, -1, -1);
    if (fill && rc.left < rc.right && rc.top < rc.bottom)
        ::FillRect(dc, &rc, fill);
    for (HBRUSH brush : {outer, inner, fill})
        if (brush)
            ::DeleteObject(brush);
}

LRESULT CSlider::ReflectedMessage(NMHDR* header)
{
    if (!header || header->code != (UINT)NM_CUSTOMDRAW || header->hwndFrom != m_hWnd)
        return 0;
    auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(header);
    LRESULT result = CDRF_DODEFAULT;
    if (draw->dwDrawStage == CDDS_PREPAINT)
        result = CDRF_NOTIFYITEMDRAW;
    else if (draw->dwDrawStage == CDDS_ITEMPREPAINT && draw->dwItemSpec == TBCD_THUMB)
    {
        DrawThumb(draw->hdc, draw->rc, ::IsWindowEnabled(m_hWnd) != 0);
        result = CDRF_SKIPDEFAULT;
    }
    // A dialog procedure hands its result back through the message result.
    HWND parent = ::GetParent(m_hWnd);
    if (parent && ::GetWindowLongPtrW(parent, DWLP_DLGPROC))
        ::SetWindowLongPtrW(parent, DWLP_MSGRESULT, result);
    return result;
}

LRESULT CSlider::OnNotify(int, NMHDR* header)
{
    return ReflectedMessage(header);
}

} // namespace KV
