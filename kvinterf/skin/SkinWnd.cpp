#include "kvinterf/skin/SkinWnd.h"
#include "kvstruct/sys/Handles.h"
#include "kvinterf/gl/OpenGL.h"
#include "kvinterf/widgets/Progress.h"
#include "kvinterf/widgets/Static.h"
#include "kvinterf/widgets/Text.h"
#include "kvinterf/widgets/Title.h"
#include "kvinterf/widgets/Bitmap.h"
#include "kvinterf/widgets/Button.h"
#include "kvinterf/widgets/Icon.h"
#include "kvinterf/widgets/Link.h"
#include "kvinterf/widgets/List.h"
#include "kvinterf/widgets/Splitter.h"
#include "kvinterf/widgets/Tree.h"
#include "kvinterf/widgets/RichEdit.h"
#include "kvinterf/widgets/Edit.h"
#include "kvinterf/widgets/Gradient.h"
#include "kvinterf/widgets/Slider.h"
#include "kvinterf/widgets/SelectBox.h"
#include "kvstruct/sys/MsgBox.h"
#include "kvstruct/files/SafeFile.h"
#include "kvstruct/core/Serialize.h"
#include <cstdarg>
#include <cwchar>
#include <fstream>
#include <string>
#include "kvstruct/sys/MsgError.h"
#include "kvstruct/core/TextCopy.h"

namespace KV {

namespace {

// The fatal report of a resource the window cannot do without.
void ReportFatal(const wchar_t* object, const wchar_t* error, long number, HWND owner)
{
    CMsgError report(object, error, number, owner);
}

bool IsPartialType(unsigned long type)
{
    return type == kSkinTypePicture || type == kSkinTypeStatic || type == kSkinTypeButton;
}

// The head of a layout file: version 1, the skin's name and the element count. A bad version
// or a count the rest of the file cannot hold warns once and gives false.
bool ReadLayoutHeader(std::istream& in, CString& name, unsigned short& count)
{
    const unsigned short version = SerializeUS(in);
    if (in && version == 1)
    {
        name.Serialize(in);
        count = SerializeUS(in);
        const long long left = StreamBytesLeft(in);
        if (in && (left < 0 || (long long)count * kSkinRecordBytes <= left))
            return true;
    }
    ShowWarning(L"Wrong version file: *.skn");
    return false;
}

} // namespace

CSkinWnd::CSkinWnd()
    : m_strName(L"New"), m_hRgnWnd(nullptr), m_bPartial(0), m_bDrag(false), m_nRole(0), m_nSteps(0),
      m_nSize(0), m_nStep(0), m_nInterval(0), m_nTimerID(0), m_bTimer(false),
      m_hCurArrow(::LoadCursorW(nullptr, IDC_ARROW)), m_hCurWE(::LoadCursorW(nullptr, IDC_SIZEWE)),
      m_hCurNS(::LoadCursorW(nullptr, IDC_SIZENS)), m_hCurNWSE(::LoadCursorW(nullptr, IDC_SIZENWSE)),
      m_hCurShown(nullptr), m_bTrackLeave(false)
{
    m_listMove.reserve(16);
}

CSkinWnd::~CSkinWnd()
{
    if (m_bTimer && m_hWnd)
        ::KillTimer(m_hWnd, m_nTimerID);
    Clear();
    if (m_hRgnWnd)
        ::DeleteObject(m_hRgnWnd);
}

// ---------------------------------------------------------------------------------------------
// Element list

CSkin* CSkinWnd::NewSkin(unsigned short, unsigned long type)
{
    switch (type)
    {
    case kSkinTypePicture:
        return new CSkin;
    case kSkinTypeStatic:
        return new CStatic;
    case kSkinTypeProgress:
        return new CProgress;
    case kSkinTypeOpenGL:
        return new COpenGL;
    case kSkinTypeText:
        return new CText;
    case kSkinTypeTitle:
        return new CTitle;
    case kSkinTypeButton:
        return new CButton;
    case kSkinTypeSplitter:
        return new CSplitter;
    case kSkinTypeHyperLink:
        return new CHyperLink;
    case kSkinTypeList:
        return new CList;
    case kSkinTypeBitmap:
        return new CBitmap;
    case kSkinTypeIcon:
        return new CIcon;
    case kSkinTypeTree:
        return new CTree;
    case kSkinTypeRichEdit:
        return new CRichEdit;
    case kSkinTypeEdit:
        return new CEdit;
    case kSkinTypeGradient:
        return new CGradient;
    case kSkinTypeSlider:
        return new CSlider;
    case kSkinTypeSelectBox:
        return new CSelectBox;
    default:
        return nullptr;
    }
}

int CSkinWnd::GetNumPicture(const CSkin* element) const
{
    if (!element)
        return 1;
    switch (element->GetStyle(kSkinType))
    {
    case kSkinTypeButton:
        return 5;
    case kSkinTypeProgress:
        return 4;
    default:
        return 1;
    }
}

CSkin* CSkinWnd::AddSkin(unsigned short pictureNumber, const RECT& placement, unsigned long style,
                         const RECT* limit, unsigned short controlId)
{
    CSkin* element = NewSkin(controlId, style & kSkinType);
    if (!element)
        return nullptr;
    element->SetParam(pictureNumber, placement, style, limit, controlId);
    m_listSkin.push_back(element);
    return element;
}

CSkin* CSkinWnd::AddSkin(CSkin* element)
{
    if (element)
        m_listSkin.push_back(element);
    return element;
}

CSkin* CSkinWnd::GetSkinByID(unsigned short controlId, unsigned short child) const
{
    for (CSkin* element : m_listSkin)
        if (element->GetCtrlID() == controlId)
            return child ? element->GetChildSkin(child) : element;
    return nullptr;
}

int CSkinWnd::GetNumByID(unsigned short controlId) const
{
    for (size_t i = 0; i < m_listSkin.size(); ++i)
        if (m_listSkin[i]->GetCtrlID() == controlId)
            return (int)i;
    return -1;
}

CSkin* CSkinWnd::DeleteSkin(unsigned short controlId)
{
    const int index = GetNumByID(controlId);
    if (index < 0)
        return nullptr;
    CSkin* element = m_listSkin[index];
    m_listSkin.erase(m_listSkin.begin() + index);
    // No element may keep pointing at it, reciprocal link or not.
    for (CSkin* other : m_listSkin)
        other->DropLink(element);
    delete element;
    if (m_listSkin.empty())
        return nullptr;
    return (size_t)index < m_listSkin.size() ? m_listSkin[index] : m_listSkin.back();
}

void CSkinWnd::Clear()
{
    for (CSkin* element : m_listSkin)
        element->ClearAssociation();
    for (CSkin* element : m_listSkin)
        delete element;
    m_listSkin.clear();
    for (auto& kept : m_listKept)
        delete kept.second;
    m_listKept.clear();
    m_listMove.clear();
}

// ---------------------------------------------------------------------------------------------
// Layout file

int CSkinWnd::Serialize(std::ostream& out) const
{
    const size_t total = m_listSkin.size() + m_listKept.size();
    if (total > 0xFFFF)
        return 0;
    SerializeUS(out, 1);
    m_strName.Serialize(out);
    SerializeUS(out, (unsigned short)total);
    size_t element = 0, kept = 0;
    for (size_t i = 0; i < total; ++i)
    {
        const bool takeKept =
            kept < m_listKept.size() && (m_listKept[kept].first <= i || element >= m_listSkin.size());
        if (takeKept)
            m_listKept[kept++].second->Serialize(out);
        else
            m_listSkin[element++]->Serialize(out);
    }
    return out.good() ? 1 : 0;
}

int CSkinWnd::Serialize(std::istream& in)
{
    CString name;
    unsigned short count = 0;
    if (!ReadLayoutHeader(in, name, count))
        return 0;
    // Everything is read before anything is kept: a damaged file changes nothing.
    std::vector<CSkin*> loaded;
    std::vector<std::pair<size_t, CSkin*>> kept;
    const size_t base = m_listSkin.size() + m_listKept.size();
    bool ok = true;
    for (unsigned i = 0; i < count && ok; ++i)
    {
        CSkin record;
        if (!record.Serialize(in))
        {
            ok = false;
            break;
        }
        const unsigned long type = record.GetStyle(kSkinType);
        if (m_bPartial && !IsPartialType(type))
            continue;
        CSkin* element = NewSkin(record.GetID(), type);
        if (!element)
        {
            CSkin* copy = new CSkin;
            copy->CopyParam(record);
            kept.emplace_back(base + i, copy);
            continue;
        }
        element->CopyParam(record);
        loaded.push_back(element);
    }
    if (!ok)
    {
        for (CSkin* element : loaded)
            delete element;
        for (auto& k : kept)
            delete k.second;
        return 0;
    }
    m_strName = name;
    m_listSkin.insert(m_listSkin.end(), loaded.begin(), loaded.end());
    m_listKept.insert(m_listKept.end(), kept.begin(), kept.end());
    return 1;
}

int CSkinWnd::Load(const wchar_t* file, int partial)
{
    m_bPartial = partial ? 1 : 0;
    if (!file)
        return 0;
    std::ifstream in(file, std::ios::binary | std::ios::in);
    if (!in.is_open())
        return 0;
    return Serialize(in);
}

int CSkinWnd::Save(const wchar_t* file) const
{
    CSafeOutFile out;
    if (!file || !out.Open(file))
    {
        ShowWarning(L"Can't save file: *.skn");
        return 0;
    }
    if (!Serialize(out.Stream()) || !out.Commit())
    {
        out.Abandon();
        ShowWarning(L"Can't save file: *.skn");
        return 0;
    }
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Creating, placing and shaping

bool CSkinWnd::GetPicturePath(const CSkin* element, wchar_t* path, size_t size) const
{
    if (!path || size == 0)
        return false;
    std::wstring full = m_strPath.GetW();
    if (!full.empty() && full.back() != L'\\' && full.back() != L'/')
        full += L'\\';
    full += m_strName.GetW();
    full += L'\\' + std::to_wstring((unsigned)element->GetID()) + L".bmp";
    if (full.size() >= size || full.size() >= MAX_PATH)
    {
        path[0] = 0;
        return false;
    }
    return CopyToBuffer(path, size, full.c_str());
}

int CSkinWnd::LoadElementPictures(CSkin* element, const wchar_t* object, const wchar_t* error)
{
    wchar_t path[MAX_PATH];
    if (!GetPicturePath(element, path, MAX_PATH) || !element->LoadBitmapW(path, GetNumPicture(element), 0))
    {
        ReportFatal(object, error, element->GetID(), m_hWnd);
        return -1;
    }
    return 0;
}

int CSkinWnd::CreateSkins(HINSTANCE instance)
{
    if (!m_hWnd)
        return -1;
    // Without caption and frame first, so that the elements are placed in the final client area.
    LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    if ((style & 0xFF3BFFFF) != style)
    {
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, style & 0xFF3BFFFF);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    for (CSkin* element : m_listSkin)
    {
        const unsigned short id = element->GetCtrlID();
        if (element->GetStyle(kSkinType) == kSkinTypePicture)
            element->ResolvePictureArea(client);
        else if (!element->GetHwnd() && !::GetDlgItem(m_hWnd, id))
            element->Create(instance, m_hWnd, 0, element->GetRect(), id);
        if (LoadElementPictures(element, L"CSkinWnd::CreateSkins()", L"CSkinWnd::Create()") < 0)
            return -1;
    }
    if (!m_bPartial)
    {
        SetAssociations();
        ApplyAssociations();
    }
    BuildRegion(0);
    return 0;
}

int CSkinWnd::UpdateSkins(HINSTANCE instance)
{
    if (!m_hWnd)
        return -1;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    for (CSkin* element : m_listSkin)
    {
        if (element->GetHwnd())
            continue;
        if (element->GetStyle(kSkinType) == kSkinTypePicture)
            element->ResolvePictureArea(client);
        else
            element->Create(instance, m_hWnd, 0, element->GetRect(), element->GetCtrlID());
        if (LoadElementPictures(element, L"CSkinDlg::CreateSkins()", L"CSkinDlg::Create()") < 0)
            return -1;
    }
    SetAssociations();
    Resize(0, 0, 1);
    return 0;
}

int CSkinWnd::UpdatePic()
{
    wchar_t path[MAX_PATH];
    for (CSkin* element : m_listSkin)
        if (!GetPicturePath(element, path, MAX_PATH) ||
            !element->LoadBitmapW(path, GetNumPicture(element), 1))
            return 0;
    BuildRegion(1);
    return 1;
}

int CSkinWnd::RefreshSkins(int reload)
{
    wchar_t file[MAX_PATH];
    const int written = std::swprintf(file, MAX_PATH, L"%ls%ls.skn", m_strPath.GetW(), m_strName.GetW());
    std::ifstream in;
    if (written > 0 && written < MAX_PATH)
        in.open(file, std::ios::binary | std::ios::in);
    if (!in.is_open())
    {
        ShowWarning(L"Can't open file: *.skn");
        return 0;
    }
    CString name;
    unsigned short count = 0;
    if (!ReadLayoutHeader(in, name, count))
        return 0;
    // Every record is read and matched before any element changes.
    std::vector<CSkin> records(count);
    std::vector<CSkin*> targets(count, nullptr);
    for (unsigned i = 0; i < count; ++i)
    {
        if (!records[i].Serialize(in))
            return 0;
        CSkin* target = GetSkinByID(records[i].GetID());
        if (!target)
            for (auto& kept : m_listKept)
                if (kept.second->GetCtrlID() == records[i].GetID())
                    target = kept.second;
        if (!target && !m_bPartial)
            return 0;
        targets[i] = target;
    }
    for (unsigned i = 0; i < count; ++i)
    {
        CSkin* target = targets[i];
        if (!target)
            continue;
        const unsigned short ctrlId = target->GetCtrlID();
        target->CopyParam(records[i]);
        target->SetCtrlID(ctrlId == target->GetID() ? 0 : ctrlId);
    }
    RECT client = {0, 0, 0, 0};
    if (m_hWnd)
        ::GetClientRect(m_hWnd, &client);
    wchar_t path[MAX_PATH];
    for (CSkin* element : m_listSkin)
    {
        if (element->GetStyle(kSkinType) == kSkinTypePicture)
            element->ResolvePictureArea(client);
        if (!GetPicturePath(element, path, MAX_PATH) ||
            !element->LoadBitmapW(path, GetNumPicture(element), reload))
            return 0;
    }
    if (!m_bPartial)
    {
        SetAssociations();
        ApplyAssociations();
    }
    BuildRegion(0);
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return 1;
}

void CSkinWnd::SetAssociations()
{
    for (CSkin* element : m_listSkin)
    {
        const CRect& place = element->PlaceRect();
        CSkin* left = nullptr;
        CSkin* top = nullptr;
        CSkin* right = nullptr;
        CSkin* bottom = nullptr;
        if (element->GetStyle(kSkinAnchorH) == kSkinBetweenH)
        {
            left = GetSkinByID((unsigned short)place.left);
            right = GetSkinByID((unsigned short)place.right);
        }
        if (element->GetStyle(kSkinAnchorV) == kSkinBetweenV)
        {
            top = GetSkinByID((unsigned short)place.top);
            bottom = GetSkinByID((unsigned short)place.bottom);
        }
        element->SetAssociation(left, top, right, bottom);
    }
}

void CSkinWnd::ApplyAssociations()
{
    for (CSkin* element : m_listSkin)
        element->MoveByAssociation(1);
}

CRect CSkinWnd::GetUnionRect() const
{
    CRect all;
    for (CSkin* element : m_listSkin)
    {
        const CRect rc = element->GetRect();
        if (rc.IsRectEmpty())
            continue;
        if (all.IsRectEmpty())
            all = rc;
        else
            all.UnionRect(all, rc);
    }
    return all;
}

void CSkinWnd::BuildRegion(int redraw)
{
    const size_t n = m_listSkin.size();
    for (CSkin* element : m_listSkin)
        element->ResetRgn();
    // Earlier elements win: a later one loses whatever an earlier one already covers.
    for (size_t j = 1; j < n; ++j)
    {
        const CRect later = m_listSkin[j]->GetRect();
        if (later.IsRectEmpty())
            continue;
        for (size_t i = 0; i < j; ++i)
        {
            CRect common;
            if (common.IntersectRect(m_listSkin[i]->GetRect(), later))
                m_listSkin[j]->ExcludeRgn(common);
        }
    }
    CRegionHandle window(::CreateRectRgn(0, 0, 0, 0));
    CRegionHandle part(::CreateRectRgn(0, 0, 0, 0));
    if (!window.IsValid() || !part.IsValid())
    {
        ShowWarning(L"CreateRectRgnIndirect");
        return;
    }
    for (CSkin* element : m_listSkin)
    {
        if (!element->DestRgn())
            continue;
        ::CombineRgn(part, element->DestRgn(), nullptr, RGN_COPY);
        ::OffsetRgn(part, element->DestRect().left, element->DestRect().top);
        ::CombineRgn(window, window, part, RGN_OR);
    }
    part.Reset();
    if (m_hRgnWnd)
        ::DeleteObject(m_hRgnWnd);
    m_hRgnWnd = window.Release();
    if (m_hWnd)
    {
        // The system owns the region it is given; it gets a copy.
        CRegionHandle copy(::CreateRectRgn(0, 0, 0, 0));
        if (copy.IsValid())
        {
            ::CombineRgn(copy, m_hRgnWnd, nullptr, RGN_COPY);
            if (::SetWindowRgn(m_hWnd, copy, redraw ? TRUE : FALSE))
                copy.Release(); // the system owns it now
        }
    }
}

void CSkinWnd::FitWindowToElements(int redraw)
{
    if (!m_hWnd || m_listSkin.empty())
        return;
    const CRect all = GetUnionRect();
    RECT window, client;
    ::GetWindowRect(m_hWnd, &window);
    ::GetClientRect(m_hWnd, &client);
    const int frameW = (window.right - window.left) - client.right;
    const int frameH = (window.bottom - window.top) - client.bottom;
    UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (!redraw)
        flags |= SWP_NOREDRAW;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, all.right + frameW, all.bottom + frameH, flags);
}

void CSkinWnd::Resize(int dx, int dy, int redraw)
{
    const CSize delta(dx, dy);
    for (CSkin* element : m_listSkin)
        element->Resize(delta, nullptr, 0);
    if (!m_bPartial)
        ApplyAssociations();
    BuildRegion(0);
    FitWindowToElements(redraw);
    if (redraw && m_hWnd)
        ::RedrawWindow(m_hWnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// ---------------------------------------------------------------------------------------------
// Mouse

int CSkinWnd::HitSkin(POINT pt) const
{
    const int n = Size();
    if (n == 0)
        return -1;
    for (int i = n - 1; i >= 1; --i)
    {
        const CSkin* element = m_listSkin[i];
        // The element's own visibility: a hidden top-level window keeps its elements hittable.
        HWND hwnd = element->GetHwnd();
        if (hwnd && !(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE))
            continue;
        if (element->GetStyle(kSkinType) == kSkinTypeStatic && element->GetStyle(kSkinRole) == 0)
            continue;
        if (!element->GetRect().PtInRect(pt))
            continue;
        return i;
    }
    return 0;
}

int CSkinWnd::IsMaximize()
{
    return 0;
}

LRESULT CSkinWnd::OnLButtonDown(UINT, int x, int y)
{
    const int index = HitSkin(CPoint(x, y));
    if (index < 0 || !m_hWnd)
        return 0;
    const CSkin* element = m_listSkin[index];
    const CRect rc = element->GetRect();
    m_szEdge = CSize(rc.right - x, rc.bottom - y);
    m_nRole = element->GetStyle(kSkinRole);
    m_ptDown = CPoint(x, y);
    ::ClientToScreen(m_hWnd, &m_ptDown);
    ::GetWindowRect(m_hWnd, &m_rcWndDown);
    m_rcWndLast = m_rcWndDown;
    m_bDrag = true;
    ::SetCapture(m_hWnd);
    return 0;
}

LRESULT CSkinWnd::OnLButtonUp(UINT, int, int)
{
    if (m_bDrag)
    {
        m_bDrag = false;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
    }
    return 0;
}

LRESULT CSkinWnd::OnMouseMove(UINT flags, int x, int y)
{
    if (!m_bDrag || !m_hWnd)
        return 0;
    if (!(flags & MK_LBUTTON))
    {
        // The button went up somewhere we did not hear of.
        OnLButtonUp(flags, x, y);
        return 0;
    }
    POINT pt = {x, y};
    ::ClientToScreen(m_hWnd, &pt);
    const int dx = pt.x - m_ptDown.x, dy = pt.y - m_ptDown.y;
    switch (m_nRole)
    {
    case kSkinRoleMove: {
        CRect moved = m_rcWndDown;
        moved.OffsetRect(dx, dy);
        if (moved != m_rcWndLast)
        {
            ::SetWindowPos(m_hWnd, nullptr, moved.left, moved.top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            m_rcWndLast = moved;
        }
        break;
    }
    case kSkinRoleSizeW:
    case kSkinRoleSizeH:
    case kSkinRoleSizeWH: {
        if (IsMaximize())
            break;
        int wantW = m_rcWndDown.Width() + (m_nRole != kSkinRoleSizeH ? dx : 0);
        int wantH = m_rcWndDown.Height() + (m_nRole != kSkinRoleSizeW ? dy : 0);
        int ddx = wantW - m_rcWndLast.Width();
        int ddy = wantH - m_rcWndLast.Height();
        // No stretched element may shrink below one pixel.
        for (const CSkin* element : m_listSkin)
        {
            if (element->GetStyle(kSkinAnchorH) == kSkinStretchH && ddx < 1 - element->DestRect().right)
                ddx = 1 - element->DestRect().right;
            if (element->GetStyle(kSkinAnchorV) == kSkinStretchV && ddy < 1 - element->DestRect().bottom)
                ddy = 1 - element->DestRect().bottom;
        }
        if (ddx != 0 || ddy != 0)
        {
            Resize(ddx, ddy, 1);
            ::GetWindowRect(m_hWnd, &m_rcWndLast);
        }
        break;
    }
    default:
        break;
    }
    return 0;
}

HCURSOR CSkinWnd::CursorForRole(const CSkin* element) const
{
    const bool maximised = const_cast<CSkinWnd*>(this)->IsMaximize() != 0;
    switch (element->GetStyle(kSkinRole))
    {
    case kSkinRoleSizeWH:
        return maximised ? m_hCurArrow : m_hCurNWSE;
    case kSkinRoleSizeH:
        return maximised ? m_hCurArrow : m_hCurNS;
    case kSkinRoleSizeW:
        return (maximised && element->GetCtrlID() == 455) ? m_hCurArrow : m_hCurWE;
    case kSkinRoleKeep1:
    case kSkinRoleKeep2:
        return nullptr;
    default:
        return m_hCurArrow;
    }
}

LRESULT CSkinWnd::OnSetCursor(HWND hwnd, UINT, UINT)
{
    if (m_listSkin.empty() || !m_hWnd)
        return 0;
    POINT pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_hWnd, &pt);
    const int index = HitSkin(pt);
    if (index < 0)
        return 0;
    HCURSOR cursor = CursorForRole(m_listSkin[index]);
    // Setting the cursor is a round trip to the system on every mouse move. Over this window's
    // own area nothing else sets it, so it is set again only after the mouse left that area
    // (for a child, another window or anywhere else) or when another shape is wanted.
    const bool own = hwnd == m_hWnd;
    if (cursor && !(own && cursor == m_hCurShown))
        SetCursor(cursor);
    m_hCurShown = nullptr;
    if (own && cursor)
    {
        if (!m_bTrackLeave)
        {
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
            m_bTrackLeave = ::TrackMouseEvent(&track) != 0;
        }
        if (m_bTrackLeave)
            m_hCurShown = cursor;
    }
    return 1;
}

LRESULT CSkinWnd::OnMouseLeave()
{
    m_bTrackLeave = false;
    m_hCurShown = nullptr;
    return CWnd::OnMouseLeave();
}

// ---------------------------------------------------------------------------------------------
// Sliding

void CSkinWnd::SetTimerParam(int steps, int size, int stepPixels, UINT interval, UINT_PTR timerId)
{
    m_nSteps = steps;
    m_nSize = size;
    m_nStep = stepPixels;
    m_nInterval = interval;
    m_nTimerID = timerId;
}

void CSkinWnd::SetMoveSkins(int id, ...)
{
    m_listMove.clear();
    va_list args;
    va_start(args, id);
    // A long list without its end mark must not run away.
    for (int n = 0; id != -1 && n < 256; ++n)
    {
        m_listMove.push_back((unsigned short)id);
        id = va_arg(args, int);
    }
    va_end(args);
}

int CSkinWnd::StartMove()
{
    if (!m_hWnd || m_nSteps <= 0)
        return 0;
    m_bTimer = ::SetTimer(m_hWnd, m_nTimerID, m_nInterval, nullptr) != 0;
    return m_bTimer ? 1 : 0;
}

int CSkinWnd::StopMove(UINT_PTR timerId)
{
    if (m_hWnd)
        ::KillTimer(m_hWnd, timerId);
    m_bTimer = false;
    m_nSteps = 0;
    m_listMove.clear();
    if (m_hWnd)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return 1;
}

LRESULT CSkinWnd::OnTimer(UINT_PTR id)
{
    if (!m_bTimer || id != m_nTimerID)
        return 0;
    if (m_nSteps > 0)
    {
        for (unsigned short controlId : m_listMove)
        {
            CSkin* element = GetSkinByID(controlId);
            if (!element)
                continue;
            element->DestRect().top += m_nStep;
            element->MoveSkin();
        }
        --m_nSteps;
    }
    if (m_nSteps <= 0)
        StopMove(id);
    if (!m_bPartial)
        ApplyAssociations();
    BuildRegion(0);
    FitWindowToElements(1);
    if (m_hWnd)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Creation and painting

LRESULT CSkinWnd::OnCreate(CREATESTRUCTW* cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    return CreateSkins(cs ? cs->hInstance : nullptr) < 0 ? -1 : 0;
}

LRESULT CSkinWnd::OnDrawItem(UINT id, DRAWITEMSTRUCT* item)
{
    if (!item)
        return 0;
    for (CSkin* element : m_listSkin)
        if ((item->hwndItem && element->GetHwnd() == item->hwndItem) ||
            (!item->hwndItem && element->GetCtrlID() == id))
            return element->DrawItem(item);
    // Children that belong to an element (tabs, panel controls) draw themselves.
    if (CSkin* child = dynamic_cast<CSkin*>(GetpWnd(item->hwndItem)))
        return child->DrawItem(item);
    return 0;
}

void CSkinWnd::Draw(HDC dc)
{
    // Picture areas have no window; whatever picture they hold is painted here.
    for (CSkin* element : m_listSkin)
        if (!element->GetHwnd() && element->GetDib().IsLoad())
            element->DrawBitmap(dc, element->GetRect(), 0);
}

} // namespace KV
