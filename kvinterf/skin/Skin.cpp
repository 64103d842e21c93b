#include "kvinterf/skin/Skin.h"
#include "kvstruct/sys/Handles.h"
#include "kvstruct/sys/MsgBox.h"
#include "kvstruct/core/Serialize.h"
#include "kvstruct/core/TextCopy.h"
#include <cwchar>

namespace KV {

CSkin::CSkin()
    : m_nID(0), m_nCtrlID(0), m_rcLimit(0, 0, 99, 99), m_nStyle(kSkinDefaultStyle), m_hRgnBase(nullptr),
      m_hRgn(nullptr), m_nPictures(0), m_pLink{nullptr, nullptr, nullptr, nullptr}, m_bPlaced(false)
{}

CSkin::~CSkin()
{
    ClearAssociation();
    if (m_hRgn)
        ::DeleteObject(m_hRgn);
    if (m_hRgnBase)
        ::DeleteObject(m_hRgnBase);
}

HWND CSkin::Create(HINSTANCE, HWND, DWORD, const RECT&, UINT)
{
    return nullptr;
}

void CSkin::SetParam(unsigned short pictureNumber, const RECT& placement, unsigned long style,
                     const RECT* limit, unsigned short controlId)
{
    if (pictureNumber)
        m_nID = pictureNumber;
    m_rcPlace = placement;
    m_bPlaced = true;
    m_rcDest = placement;
    m_nStyle = style;
    if (limit)
        m_rcLimit = *limit;
    m_nCtrlID = controlId;
}

void CSkin::CopyParam(const CSkin& other)
{
    m_nID = other.m_nID;
    m_nCtrlID = other.m_nCtrlID;
    m_rcPlace = other.m_rcPlace;
    m_bPlaced = true;
    m_rcDest = other.m_rcDest;
    m_rcLimit = other.m_rcLimit;
    m_nStyle = other.m_nStyle;
}

wchar_t* CSkin::GetName(wchar_t* buffer, size_t size) const
{
    wchar_t text[8];
    std::swprintf(text, 8, L"%u", (unsigned)m_nID);
    CopyToBuffer(buffer, size, text);
    return buffer;
}

int CSkin::SetName(const wchar_t* text)
{
    if (!text || !*text)
        return 0;
    unsigned long value = 0;
    for (const wchar_t* p = text; *p; ++p)
    {
        if (*p < L'0' || *p > L'9')
            return 0;
        value = value * 10 + (unsigned long)(*p - L'0');
        if (value > 0xFFFF)
            return 0;
    }
    m_nID = (unsigned short)value;
    return 1;
}

CRect CSkin::GetRect() const
{
    return CRect(m_rcDest.left, m_rcDest.top, m_rcDest.left + m_rcDest.right, m_rcDest.top + m_rcDest.bottom);
}

bool CSkin::IsStretched() const
{
    const unsigned long h = m_nStyle & kSkinAnchorH, v = m_nStyle & kSkinAnchorV;
    return h == kSkinStretchH || h == kSkinFixedW || v == kSkinStretchV || v == kSkinFixedH;
}

int CSkin::Serialize(std::ostream& out) const
{
    SerializeUS(out, 1);
    SerializeUS(out, m_nID);
    m_rcPlace.SerializeUS(out);
    m_rcLimit.SerializeUS(out);
    SerializeUL(out, m_nStyle);
    return out.good() ? 1 : 0;
}

int CSkin::Serialize(std::istream& in)
{
    const unsigned short version = SerializeUS(in);
    if (!in || version != 1)
    {
        ShowWarning(L"Wrong version file: *.skn");
        return 0;
    }
    unsigned short id = SerializeUS(in);
    CRect place, limit;
    place.SerializeUS(in);
    limit.SerializeUS(in);
    unsigned long style = SerializeUL(in);
    if (!in)
    {
        ShowWarning(L"Wrong version file: *.skn");
        return 0;
    }
    m_nID = id;
    m_rcPlace = place;
    m_bPlaced = true;
    m_rcDest = place;
    m_rcLimit = limit;
    m_nStyle = style;
    return 1;
}

void CSkin::ResolvePlacement(const RECT& client)
{
    const unsigned long h = m_nStyle & kSkinAnchorH, v = m_nStyle & kSkinAnchorV;
    const bool fromBitmap = (m_nStyle & kSkinSizeSrc) == kSkinSizeFromBitmap;
    const CSize bmp = m_dib.GetSize();
    const int pictures = m_nPictures > 0 ? m_nPictures : 1;
    // Neighbour-placed directions keep control IDs in the placement; association sets them.
    if (h != kSkinBetweenH)
    {
        m_rcDest.left = (h == kSkinRight) ? client.right - m_rcPlace.left : m_rcPlace.left;
        if (fromBitmap && h != kSkinFixedW)
            m_rcDest.right = bmp.cx / pictures;
        else if (h == kSkinStretchH)
            m_rcDest.right = client.right - m_rcPlace.right - m_rcDest.left;
        else
            m_rcDest.right = m_rcPlace.right;
        if (m_rcDest.right < 0)
            m_rcDest.right = 0;
    }
    if (v != kSkinBetweenV)
    {
        m_rcDest.top = (v == kSkinBottom) ? client.bottom - m_rcPlace.top : m_rcPlace.top;
        if (fromBitmap && v != kSkinFixedH)
            m_rcDest.bottom = bmp.cy;
        else if (v == kSkinStretchV)
            m_rcDest.bottom = client.bottom - m_rcPlace.bottom - m_rcDest.top;
        else
            m_rcDest.bottom = m_rcPlace.bottom;
        if (m_rcDest.bottom < 0)
            m_rcDest.bottom = 0;
    }
}

void CSkin::ResolvePictureArea(const RECT& client)
{
    if ((m_nStyle & kSkinAnchorH) != kSkinBetweenH)
    {
        m_rcDest.left = m_rcPlace.left + client.left;
        m_rcDest.right = client.right - m_rcPlace.right - m_rcDest.left;
        if (m_rcDest.right < 0)
            m_rcDest.right = 0;
    }
    if ((m_nStyle & kSkinAnchorV) != kSkinBetweenV)
    {
        m_rcDest.top = m_rcPlace.top + client.top;
        m_rcDest.bottom = client.bottom - m_rcPlace.bottom - m_rcDest.top;
        if (m_rcDest.bottom < 0)
            m_rcDest.bottom = 0;
    }
    SetRectRgn();
}

int CSkin::LoadBitmapW(const wchar_t* file, int pictures, int reload)
{
    return LoadPictures(file, pictures, reload, true);
}

int CSkin::LoadPictures(const wchar_t* file, int pictures, int reload, bool place)
{
    if (pictures <= 0)
        return 0;
    if (!m_hWnd)
        return 1;
    if (!m_dib.IsLoad() || reload)
    {
        CDib dib;
        if (!file || !dib.Load(file))
            return 0;
        m_dib = dib;
    }
    m_nPictures = pictures;
    if (!place)
        return 1;
    RECT client = {0, 0, 0, 0};
    HWND parent = ::GetParent(m_hWnd);
    if (parent)
        ::GetClientRect(parent, &client);
    ResolvePlacement(client);
    MoveSkin();
    return 1;
}

int CSkin::DrawBitmap(HDC dc, const RECT& rect, int index) const
{
    if (!dc || !m_dib.IsLoad())
        return 0;
    const CSize bmp = m_dib.GetSize();
    const int pictures = m_nPictures > 0 ? m_nPictures : 1;
    const int w = bmp.cx / pictures;
    if (w <= 0 || bmp.cy <= 0 || index < 0 || index >= pictures)
        return 0;
    ::SetStretchBltMode(dc, COLORONCOLOR);
    return m_dib.Draw(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, index * w, 0,
                      w, bmp.cy) > 0
               ? 1
               : 0;
}

int CSkin::DrawItem(DRAWITEMSTRUCT*)
{
    return 0;
}

void CSkin::DrawThroughItem(HDC dc, UINT ctlType)
{
    DRAWITEMSTRUCT item = {};
    item.CtlType = ctlType;
    item.CtlID = GetCtrlID();
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = m_hWnd;
    item.hDC = dc;
    ::GetClientRect(m_hWnd, &item.rcItem);
    DrawItem(&item);
}

void CSkin::ClipToRegion(HDC dc, HRGN region, int x, int y)
{
    HRGN clip = region ? ::CreateRectRgn(0, 0, 0, 0) : nullptr;
    if (!clip)
        return;
    ::CombineRgn(clip, region, nullptr, RGN_COPY);
    ::OffsetRgn(clip, x, y);
    ::ExtSelectClipRgn(dc, clip, RGN_AND);
    ::DeleteObject(clip);
}

CSkin* CSkin::GetChildSkin(unsigned short)
{
    return nullptr;
}

void CSkin::SetAssociation(CSkin* left, CSkin* top, CSkin* right, CSkin* bottom)
{
    CSkin* links[4] = {left, top, right, bottom};
    for (int side = 0; side < 4; ++side)
    {
        CSkin* other = links[side];
        if (!other || other == this)
            continue;
        m_pLink[side] = other;
        other->m_pLink[(side + 2) % 4] = this; // a left neighbour sees this on its right
    }
}

void CSkin::ClearAssociation()
{
    for (CSkin*& link : m_pLink)
    {
        if (link)
            for (CSkin*& back : link->m_pLink)
                if (back == this)
                    back = nullptr;
        link = nullptr;
    }
}

void CSkin::DropLink(const CSkin* element)
{
    for (CSkin*& link : m_pLink)
        if (link == element)
            link = nullptr;
}

int CSkin::MoveByAssociation(int apply)
{
    int set = 0;
    if ((m_nStyle & kSkinAnchorH) == kSkinBetweenH && m_pLink[0] && m_pLink[2])
    {
        m_rcDest.left = m_pLink[0]->m_rcDest.left + m_pLink[0]->m_rcDest.right;
        m_rcDest.right = m_pLink[2]->m_rcDest.left - m_rcDest.left;
        if (m_rcDest.right < 0)
            m_rcDest.right = 0;
        set |= 1;
    }
    if ((m_nStyle & kSkinAnchorV) == kSkinBetweenV && m_pLink[1] && m_pLink[3])
    {
        m_rcDest.top = m_pLink[1]->m_rcDest.top + m_pLink[1]->m_rcDest.bottom;
        m_rcDest.bottom = m_pLink[3]->m_rcDest.top - m_rcDest.top;
        if (m_rcDest.bottom < 0)
            m_rcDest.bottom = 0;
        set |= 0x10;
    }
    if (set)
    {
        SetRectRgn();
        if (apply)
            MoveSkin();
    }
    return set;
}

void CSkin::Resize(const CSize& delta, CRect* rect, int notify)
{
    const unsigned long h = m_nStyle & kSkinAnchorH, v = m_nStyle & kSkinAnchorV;
    bool stretched = false;
    if (h == kSkinRight)
        m_rcDest.left += delta.cx;
    else if (h == kSkinStretchH)
    {
        m_rcDest.right = m_rcDest.right + delta.cx < 0 ? 0 : m_rcDest.right + delta.cx;
        stretched = true;
    }
    if (v == kSkinBottom)
        m_rcDest.top += delta.cy;
    else if (v == kSkinStretchV)
    {
        m_rcDest.bottom = m_rcDest.bottom + delta.cy < 0 ? 0 : m_rcDest.bottom + delta.cy;
        stretched = true;
    }
    if (stretched)
        SetRectRgn();
    MoveSkin();
    if (notify)
        for (CSkin* link : m_pLink)
            if (link)
                link->MoveByAssociation(1);
    if (rect)
        *rect = GetRect();
}

void CSkin::MoveSkin(const RECT* rect)
{
    if (rect)
    {
        m_rcDest.left = rect->left;
        m_rcDest.top = rect->top;
        m_rcDest.right = rect->right - rect->left;
        m_rcDest.bottom = rect->bottom - rect->top;
    }
    if (m_hWnd)
        ::SetWindowPos(m_hWnd, nullptr, m_rcDest.left, m_rcDest.top, m_rcDest.right, m_rcDest.bottom,
                       SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSkin::SetBaseRgn(HRGN region)
{
    if (m_hRgnBase && m_hRgnBase != region)
        ::DeleteObject(m_hRgnBase);
    m_hRgnBase = region;
    ResetRgn();
}

void CSkin::SetRectRgn()
{
    if (m_hRgnBase)
        ::SetRectRgn(m_hRgnBase, 0, 0, m_rcDest.right, m_rcDest.bottom);
    else
        m_hRgnBase = ::CreateRectRgn(0, 0, m_rcDest.right, m_rcDest.bottom);
    ResetRgn();
}

void CSkin::ResetRgn()
{
    if (!m_hRgn)
        m_hRgn = ::CreateRectRgn(0, 0, 0, 0);
    if (!m_hRgn)
        return;
    if (m_hRgnBase)
        ::CombineRgn(m_hRgn, m_hRgnBase, nullptr, RGN_COPY);
    else
        ::SetRectRgn(m_hRgn, 0, 0, m_rcDest.right, m_rcDest.bottom);
}

int CSkin::ExcludeRgn(const RECT& rect)
{
    if (!m_hRgn)
        ResetRgn();
    RECT local = rect;
    ::OffsetRect(&local, -m_rcDest.left, -m_rcDest.top);
    CRegionHandle cut(::CreateRectRgnIndirect(&local));
    if (!cut.IsValid() || !m_hRgn)
    {
        ShowWarning(L"CreateRectRgnIndirect");
        return 0;
    }
    ::CombineRgn(m_hRgn, m_hRgn, cut, RGN_DIFF);
    return 1;
}

} // namespace KV
