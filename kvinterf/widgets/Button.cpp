#include "kvinterf/widgets/Button.h"
#include "kvstruct/image/Bitmap.h"

namespace KV {

namespace {

HFONT MakeCaptionFont()
{
    HFONT font = ::CreateFontW(20, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    return font ? font : ::CreateFontW(20, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"");
}

} // namespace

CButton* CButton::Make(HWND parent, DWORD style, const CRect& place, unsigned long skinStyle, UINT id,
                       const wchar_t* pictureFile)
{
    CButton* button = new CButton;
    const RECT rc = {place.left, place.top, place.left + place.right, place.top + place.bottom};
    if (!button->Create(nullptr, parent, style | WS_VISIBLE, rc, id))
    {
        delete button;
        return nullptr;
    }
    button->SetParam((unsigned short)id, place, skinStyle);
    if (!button->LoadBitmapW(pictureFile, 5, 0))
    {
        delete button;
        return nullptr;
    }
    // Above the strip or panel it lies on.
    ::SetWindowPos(button->GetHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return button;
}

CButton* CButton::Find(const std::vector<CButton*>& row, unsigned short id)
{
    for (CButton* button : row)
        if (button->GetCtrlID() == id)
            return button;
    return nullptr;
}

int CButton::RowWidth(const std::vector<CButton*>& row)
{
    int width = 0;
    for (const CButton* button : row)
        width += button->DestRect().right;
    return width;
}

CButton::CButton()
    : m_hShape(nullptr), m_hFont(MakeCaptionFont()), m_crText(0x141414), m_nFlags(0), m_bLangChange(1),
      m_nAlignY(0), m_hFocusPic(nullptr), m_pNotify(nullptr), m_bTracking(false), m_bDown(false)
{}

CButton::~CButton()
{
    // The window goes before the objects it paints with.
    DestroyWindow();
    if (m_hShape)
        ::DeleteObject(m_hShape);
    if (m_hFont)
        ::DeleteObject(m_hFont);
    if (m_hFocusPic)
        ::DeleteObject(m_hFocusPic);
}

HWND CButton::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    if (m_hWnd || !parent)
        return nullptr;
    m_nFlags |= kPush;
    HWND hwnd = ::CreateWindowExW(0, L"BUTTON", L"", style | 0x5001000B, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>((UINT_PTR)id), instance, nullptr);
    if (hwnd)
        SetHandle(parent, hwnd);
    return hwnd;
}

int CButton::LoadBitmapW(const wchar_t* file, int pictures, int reload)
{
    const int result = CSkin::LoadBitmapW(file, pictures, reload);
    if (!result || !m_hWnd || !m_dib.IsLoad())
        return result;
    SetRectRgn();
    const CSize size = m_dib.GetSize();
    const int w = size.cx / (pictures > 0 ? pictures : 1);
    HRGN shape = nullptr;
    if (w > 0 && size.cy > 0)
    {
        HBITMAP bitmap = CreateBITMAP(m_dib);
        if (bitmap)
        {
            shape = CreateRegion(bitmap, 0xFF00FF, 0x101010);
            ::DeleteObject(bitmap);
        }
        // The normal picture decides where the button can be clicked.
        HRGN normal = ::CreateRectRgn(0, 0, w, size.cy);
        if (shape && normal)
        {
            ::OffsetRgn(shape, -w * (pictures > 1 ? kPicNormal : 0), 0);
            ::CombineRgn(shape, shape, normal, RGN_AND);
        }
        if (normal)
            ::DeleteObject(normal);
    }
    if (m_hShape)
        ::DeleteObject(m_hShape);
    m_hShape = shape;
    if (m_hFocusPic)
        ::DeleteObject(m_hFocusPic);
    m_hFocusPic = nullptr;
    // The see-through corners show what lies behind, and clicks there go to the parent.
    HRGN visible = m_hShape ? ::CreateRectRgn(0, 0, 0, 0) : nullptr;
    if (visible && ::CombineRgn(visible, m_hShape, nullptr, RGN_COPY) != ERROR)
    {
        if (!::SetWindowRgn(m_hWnd, visible, TRUE))
            ::DeleteObject(visible);
    }
    else if (visible)
        ::DeleteObject(visible);
    return result;
}

bool CButton::HitShape(int x, int y) const
{
    if (m_hShape)
        return ::PtInRegion(m_hShape, x, y) != 0;
    RECT rc = {0, 0, 0, 0};
    if (m_hWnd)
        ::GetClientRect(m_hWnd, &rc);
    POINT pt = {x, y};
    return ::PtInRect(&rc, pt) != 0;
}

void CButton::Repaint(bool now)
{
    if (!m_hWnd)
        return;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    if (now)
        ::UpdateWindow(m_hWnd);
}

int CButton::SetCheck(int check)
{
    if (check)
        m_nFlags |= kChecked;
    else
        m_nFlags &= ~kChecked;
    Repaint(true);
    return 1;
}

int CButton::ShowWindow(int show)
{
    if (show)
        m_nFlags &= ~kHidden;
    else
        m_nFlags |= kHidden;
    if (m_hWnd)
        ::EnableWindow(m_hWnd, show ? TRUE : FALSE);
    Repaint(true);
    return 1;
}

HWND CButton::SetFocus()
{
    HWND previous = m_hWnd ? ::SetFocus(m_hWnd) : nullptr;
    Repaint(false);
    return previous;
}

void CButton::SetTextColor(COLORREF colour, COLORREF)
{
    m_crText = colour;
    Repaint(false);
}

int CButton::PictureFor(UINT action, UINT state) const
{
    if (action == ODA_SELECT)
        return ((state & ODS_SELECTED) || (m_nFlags & kChecked)) ? kPicPressed : kPicNormal;
    if (m_nFlags & kHidden)
        return kPicHidden;
    if (m_hWnd && !::IsWindowEnabled(m_hWnd))
        return kPicNormal;
    // A push button held down keeps its pressed look through any repaint.
    if ((m_nFlags & kChecked) || (state & ODS_SELECTED))
        return kPicPressed;
    return (m_nFlags & kHover) ? kPicHover : kPicNormal;
}

int CButton::DrawItem(DRAWITEMSTRUCT* item)
{
    if (!item || !item->hDC)
        return 1;
    HDC dc = item->hDC;
    const RECT& rc = item->rcItem;
    const CSize size = m_dib.GetSize();
    const int pictures = m_nPictures > 0 ? m_nPictures : 1;
    // 1:1 from the top-left corner: a picture is never stretched over a larger button.
    const int w = size.cx / pictures;
    const RECT pic = {rc.left, rc.top, rc.left + w, rc.top + size.cy};
    DrawBitmap(dc, pic, PictureFor(item->itemAction, item->itemState));

    wchar_t text[129];
    const int length = m_hWnd ? ::GetWindowTextW(m_hWnd, text, 129) : 0;
    if (length > 0)
    {
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, (m_hWnd && ::IsWindowEnabled(m_hWnd)) ? m_crText : kDisabledColour);
        HGDIOBJ old = m_hFont ? ::SelectObject(dc, m_hFont) : nullptr;
        RECT box = rc;
        box.top += m_nAlignY;
        ::DrawTextW(dc, text, length, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        if (old)
            ::SelectObject(dc, old);
    }
    if ((m_nFlags & kFocused) && w > 0 && size.cy > 0 && m_dib.IsLoad())
    {
        if (!m_hFocusPic)
            m_hFocusPic = CreateBITMAP(m_dib);
        HDC mem = m_hFocusPic ? ::CreateCompatibleDC(dc) : nullptr;
        if (mem)
        {
            const int saved = ::SaveDC(dc);
            ClipToRegion(dc, m_hShape, rc.left, rc.top);
            HGDIOBJ old = ::SelectObject(mem, m_hFocusPic);
            ::TransparentBlt(dc, rc.left, rc.top, w, size.cy, mem, kPicFocus * w, 0, w, size.cy, 0xFF00FF);
            ::SelectObject(mem, old);
            ::DeleteDC(mem);
            ::RestoreDC(dc, saved);
        }
    }
    return 1;
}

void CButton::Draw(HDC dc)
{
    DrawThroughItem(dc, ODT_BUTTON);
}

LRESULT CButton::MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int x = (short)LOWORD(lParam), y = (short)HIWORD(lParam);
        if ((m_nFlags & kHidden) || !HitShape(x, y))
        {
            // Outside the shape the press belongs to whatever lies behind; the system button
            // never hears of it, so it neither presses nor clicks.
            m_bPassedOn = true;
            if (!(m_nFlags & kHidden))
            {
                HWND parent = ::GetParent(hwnd);
                POINT pt = {x, y};
                ::MapWindowPoints(hwnd, parent, &pt, 1);
                if (parent)
                    ::SendMessageW(parent, msg, wParam, MAKELPARAM((short)pt.x, (short)pt.y));
            }
            return 0;
        }
        break;
    }
    case WM_SETTEXT:
    case WM_ENABLE: {
        // The system button would paint its own look at once.
        LRESULT result = ::DefWindowProcW(hwnd, msg, wParam, lParam);
        m_bPassedOn = true;
        Repaint(false);
        return result;
    }
    default:
        break;
    }
    return CSkin::MessageLoop(hwnd, msg, wParam, lParam);
}

LRESULT CButton::OnMouseMove(UINT flags, int x, int y)
{
    if (HitShape(x, y))
    {
        if ((m_nFlags & kHover) || (flags & MK_LBUTTON))
            return 0;
        m_nFlags |= kHover;
        Repaint(true);
        if (!m_bTracking && m_hWnd)
        {
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
            m_bTracking = ::TrackMouseEvent(&track) != 0;
        }
    }
    else if (m_nFlags & kHover)
        LeaveHover();
    return 0;
}

void CButton::LeaveHover()
{
    m_nFlags &= ~kHover;
    if (!(m_nFlags & kPush))
        m_nFlags &= ~kChecked;
    Repaint(true);
}

LRESULT CButton::OnMouseLeave()
{
    m_bTracking = false;
    if (m_nFlags & kHover)
        LeaveHover();
    return 0;
}

LRESULT CButton::OnLButtonDown(UINT, int, int)
{
    m_bDown = true;
    if (m_hWnd && ::GetFocus() != m_hWnd)
        ::SetFocus(m_hWnd);
    if (!(m_nFlags & kPush))
    {
        m_nFlags |= kChecked;
        Repaint(true);
    }
    return 0;
}

LRESULT CButton::OnLButtonUp(UINT, int x, int y)
{
    const bool click = m_bDown && HitShape(x, y);
    m_bDown = false;
    m_nFlags &= ~kHover;
    if (!(m_nFlags & kPush))
        m_nFlags &= ~kChecked;
    Repaint(false);
    if (click && m_pNotify)
        m_pNotify->OnCommand(BN_CLICKED, GetCtrlID(), m_hWnd);
    return 0;
}

LRESULT CButton::OnSetFocus(HWND)
{
    m_nFlags |= kFocused;
    Repaint(false);
    return 0;
}

LRESULT CButton::OnKillFocus(HWND)
{
    m_nFlags &= ~kFocused;
    Repaint(false);
    return 0;
}

LRESULT CButton::OnEraseBkgnd(HDC)
{
    return 1;
}

LRESULT CButton::OnInputLangChange(WPARAM charset, LPARAM layout)
{
    if (!m_bLangChange || !m_hWnd)
        return 1;
    HWND parent = ::GetParent(m_hWnd);
    HWND grand = parent ? ::GetParent(parent) : nullptr;
    if (!grand || !::SendMessageW(grand, WM_INPUTLANGCHANGE, charset, layout))
        if (parent)
            ::SendMessageW(parent, WM_INPUTLANGCHANGE, charset, layout);
    return 1;
}

} // namespace KV
