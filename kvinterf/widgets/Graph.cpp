#include "kvinterf/widgets/Graph.h"
#include "kvinterf/widgets/OwnerPaint.h"
#include "kvstruct/sys/TimeText.h"
#include <algorithm>
#include <cwchar>

namespace KV {

namespace {

std::wstring Decimal(double value)
{
    wchar_t text[32];
    std::swprintf(text, 32, L"%ld", (long)value);
    return text;
}

void DeleteGdi(HGDIOBJ& o)
{
    if (o)
        ::DeleteObject(o);
    o = nullptr;
}

template <class T>
void Replace(T& handle, T fresh)
{
    if (handle)
        ::DeleteObject(handle);
    handle = fresh;
}

int TextHeight(HDC dc)
{
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(dc, &tm);
    return tm.tmHeight > 0 ? tm.tmHeight : 13;
}

} // namespace

// --- items ------------------------------------------------------------------------------------

CGraph::CGraph(CGraphList* owner, double x, double y, unsigned long id, CGraph* previous,
               const wchar_t* labelX, const wchar_t* labelY)
    : m_pOwner(owner), m_dX(x), m_dY(y), m_nID(id), m_bActive(0), m_pPrev(previous),
      m_sLabelX(labelX ? labelX : L""), m_sLabelY(labelY ? labelY : L""), m_x(0), m_y(0), m_cx(0), m_cy(0)
{}

void CGraphPoint::Place()
{
    const CRect& p = m_pOwner->m_rcPlot;
    const double mx = m_pOwner->m_dMaxX > 0 ? m_pOwner->m_dMaxX : 1.0;
    const double my = m_pOwner->m_dMaxY > 0 ? m_pOwner->m_dMaxY : 1.0;
    const int w = p.Width(), h = p.Height();
    m_x = p.left + (int)(w * (m_dX / mx));
    m_y = p.top + h - (int)(h * (m_dY / my));
    const int s = m_pOwner->GetSizePoint(m_bActive);
    m_cx = m_cy = 2 * s + 1;
}

void CGraphPoint::Draw(HDC dc)
{
    Place();
    const int s = m_pOwner->GetSizePoint(m_bActive);
    if (m_pPrev)
    {
        ::MoveToEx(dc, m_pPrev->m_x, m_pPrev->m_y, nullptr);
        ::LineTo(dc, m_x, m_y);
    }
    ::RoundRect(dc, m_x - s, m_y - s, m_x + s + 1, m_y + s + 1, 2, 2);
}

int CGraphPoint::IsPoint(int x, int y) const
{
    return x >= m_x - 3 && x <= m_x + 3 && y >= m_y - 3 && y <= m_y + 3;
}

void CGraphCol::Place()
{
    const CRect& p = m_pOwner->m_rcPlot;
    const double my = m_pOwner->m_dMaxY > 0 ? m_pOwner->m_dMaxY : 1.0;
    const int w = p.Width(), h = p.Height();
    int s = m_pOwner->GetSizePoint(0);
    const double room = (double)w - 2 * s;
    if (m_pOwner->m_dMaxX > room && m_pOwner->m_dMaxX > 0)
    {
        // More columns than the plot holds at their own offsets: squeeze them in.
        const double n = (double)m_pOwner->Size();
        const int fit = (int)(w / (n > 0 ? n : 1));
        s = std::max(1, std::min(s, fit));
        m_x = p.left + (int)((room > 0 ? room : 0) * (m_dX / m_pOwner->m_dMaxX)) + s / 2;
    }
    else
        m_x = p.left + (int)m_dX + s;
    m_cx = s;
    const int bar = (int)(h * (m_dY / my));
    m_y = p.top + h - bar;
    m_cy = bar + 1;
}

void CGraphCol::Draw(HDC dc)
{
    Place();
    const CRect& p = m_pOwner->m_rcPlot;
    if (m_x - p.left > p.Width())
        return;
    RECT rc = {m_x, m_y, m_x + m_cx, m_y + m_cy};
    HBRUSH brush = ::CreateSolidBrush(m_bActive ? RGB(0xC8, 0xC8, 0xE1) : m_pOwner->m_crSeries);
    ::FillRect(dc, &rc, brush);
    ::DeleteObject(brush);
    if (m_bActive)
        ::Rectangle(dc, m_x - 1, m_y - 1, m_x + m_cx + 1, m_y + m_cy + 1);
}

int CGraphCol::IsPoint(int x, int y) const
{
    return x >= m_x && x <= m_x + m_cx && y >= m_y && y <= m_y + m_cy;
}

// --- list -------------------------------------------------------------------------------------

CGraphList::CGraphList()
    : m_dMaxX(0), m_dMaxY(0), m_nType(kLine), m_bAllLabels(0), m_nSizePoint(2), m_nSizeActive(4),
      m_nHeaderHeight(22), m_nHeaderPos(1), m_crHeaderText(0), m_hHeaderBrush(nullptr), m_hHeaderPen(nullptr),
      m_hHeaderFont(nullptr), m_nIndentLeft(25), m_nIndentBottom(20), m_nIndentTop(8), m_nIndentRight(10),
      m_crText(RGB(0, 0xC8, 0)), m_crPlot(RGB(0xDC, 0xFF, 0xDC)), m_crSeries(0), m_hPlotBrush(nullptr),
      m_hOuterBrush(nullptr), m_hSeriesPen(nullptr), m_hFramePen(nullptr), m_hMarkerPen(nullptr),
      m_hFont(nullptr), m_bOwnFont(true), m_nSegments(0)
{
    m_hHeaderBrush = ::CreateSolidBrush(RGB(255, 255, 255));
    m_hHeaderPen = ::CreatePen(PS_SOLID, 1, 0);
    m_hPlotBrush = ::CreateSolidBrush(m_crPlot);
    m_hOuterBrush = ::CreateSolidBrush(RGB(0x19, 0xFA, 0x19));
    m_hSeriesPen = ::CreatePen(PS_SOLID, 1, 0);
    m_hFramePen = ::CreatePen(PS_SOLID, 1, RGB(0, 0xC8, 0));
    m_hMarkerPen = ::CreatePen(PS_DOT, 1, RGB(0x78, 0x78, 0x78));
    LOGFONTW font = {};
    font.lfHeight = 13;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::wcscpy(font.lfFaceName, L"Arial");
    m_hFont = ::CreateFontIndirectW(&font);
}

CGraphList::~CGraphList()
{
    Clear();
    HGDIOBJ objects[] = {m_hHeaderBrush, m_hHeaderPen, m_hPlotBrush, m_hOuterBrush,
                         m_hSeriesPen,   m_hFramePen,  m_hMarkerPen};
    for (HGDIOBJ o : objects)
        DeleteGdi(o);
    if (m_bOwnFont && m_hFont)
        ::DeleteObject(m_hFont);
}

void CGraphList::SetAreaIndent(int left, int bottom, int top, int right)
{
    m_nIndentLeft = left;
    m_nIndentBottom = bottom;
    m_nIndentTop = top;
    m_nIndentRight = right;
    SetFrame(m_rcFrame);
}

void CGraphList::SetStyleHeader(COLORREF text, COLORREF brush, COLORREF pen, int, HFONT font)
{
    m_crHeaderText = text;
    Replace(m_hHeaderBrush, ::CreateSolidBrush(brush));
    Replace(m_hHeaderPen, ::CreatePen(PS_SOLID, 1, pen));
    m_hHeaderFont = font;
}

void CGraphList::SetStyle(COLORREF text, COLORREF plot, COLORREF series, COLORREF frame, COLORREF outer,
                          COLORREF marker, int seriesWidth, int frameWidth, int markerWidth, HFONT font)
{
    m_crText = text;
    m_crPlot = plot;
    m_crSeries = series;
    Replace(m_hPlotBrush, ::CreateSolidBrush(plot));
    Replace(m_hOuterBrush, ::CreateSolidBrush(outer));
    Replace(m_hSeriesPen, ::CreatePen(PS_SOLID, seriesWidth, series));
    Replace(m_hFramePen, ::CreatePen(PS_SOLID, frameWidth, frame));
    Replace(m_hMarkerPen, ::CreatePen(PS_DOT, markerWidth, marker));
    if (font)
    {
        if (m_bOwnFont && m_hFont)
            ::DeleteObject(m_hFont);
        m_hFont = font;
        m_bOwnFont = false;
    }
}

void CGraphList::SetFrame(const RECT& rect)
{
    m_rcFrame = rect;
    const bool header = !m_sLeftHeader.empty() || !m_sRightHeader.empty();
    m_rcPlot.left = rect.left + m_nIndentLeft;
    m_rcPlot.top = rect.top + m_nIndentTop + (header && m_nHeaderPos == 1 ? m_nHeaderHeight : 0);
    m_rcPlot.right = rect.right - m_nIndentRight;
    m_rcPlot.bottom = rect.bottom - m_nIndentBottom - (header && m_nHeaderPos == 2 ? m_nHeaderHeight : 0);
    if (m_rcPlot.right < m_rcPlot.left)
        m_rcPlot.right = m_rcPlot.left;
    if (m_rcPlot.bottom < m_rcPlot.top)
        m_rcPlot.bottom = m_rcPlot.top;
}

void CGraphList::Append(CGraph* item)
{
    if (item->m_dX > m_dMaxX)
        m_dMaxX = item->m_dX;
    if (item->m_dY > m_dMaxY)
        m_dMaxY = item->m_dY;
    m_items.push_back(item);
}

void CGraphList::AddItem(unsigned long id, double x, double y, const wchar_t* label)
{
    const std::wstring text = Decimal(y);
    CGraph* prev = m_items.empty() ? nullptr : m_items.back();
    CGraph* item = m_nType == kBar
                       ? static_cast<CGraph*>(new CGraphCol(this, x, y, id, prev, label, text.c_str()))
                       : new CGraphPoint(this, x, y, id, prev, label, text.c_str());
    Append(item);
}

void CGraphList::AddItem(unsigned long id, double x, const wchar_t* y, const wchar_t* label)
{
    AddItem(id, x, y ? std::wcstod(y, nullptr) : 0.0, label);
}

void CGraphList::AddItem(unsigned long id, double x, const SYSTEMTIME& time, const wchar_t* label)
{
    AddItem(id, x, (double)(time.wMinute * 60 + time.wSecond), label);
}

void CGraphList::Clear()
{
    for (CGraph* item : m_items)
        delete item;
    m_items.clear();
    m_dMaxX = m_dMaxY = 0;
}

void CGraphList::PlaceAll()
{
    for (CGraph* item : m_items)
        item->Place();
}

unsigned long CGraphList::Hit(int x, int y)
{
    PlaceAll();
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i]->IsPoint(x, y))
            return (unsigned long)i;
    return kNone;
}

void CGraphList::ResetActiveColumn()
{
    for (CGraph* item : m_items)
        item->m_bActive = 0;
}

unsigned long CGraphList::SetActiveLastColumn()
{
    if (m_items.empty())
        return kNone;
    m_items.back()->m_bActive = 1;
    return m_items.back()->m_nID;
}

int CGraphList::IndexByID(unsigned long id) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i]->m_nID == id)
            return (int)i;
    return -1;
}

int CGraphList::SetActiveColumn(const CListID& ids)
{
    // Ids are usually row numbers: try the item at that index first.
    for (unsigned long id : ids.m_ids)
    {
        if (id < m_items.size() && m_items[id]->m_nID == id)
        {
            m_items[id]->m_bActive = 1;
            continue;
        }
        const int i = IndexByID(id);
        if (i < 0)
            return 0;
        m_items[i]->m_bActive = 1;
    }
    return 1;
}

unsigned long CGraphList::GetActiveColumn() const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i]->m_bActive)
            return (unsigned long)i;
    return 0;
}

CListID CGraphList::GetAllID() const
{
    CListID ids;
    ids.m_ids.reserve(m_items.size());
    for (const CGraph* item : m_items)
        ids.Add(item->m_nID);
    return ids;
}

CGraph* CGraphList::FindByID(unsigned long id) const
{
    const int i = IndexByID(id);
    return i < 0 ? nullptr : m_items[i];
}

CGraph* CGraphList::FindNextByID(unsigned long id) const
{
    if (m_items.empty())
        return nullptr;
    const int i = IndexByID(id);
    if (i < 0 || i + 1 >= (int)m_items.size())
        return m_items.front();
    return m_items[i + 1];
}

CGraph* CGraphList::FindPrevByID(unsigned long id) const
{
    const int i = IndexByID(id);
    if (i < 0)
        return nullptr;
    return i == 0 ? m_items.back() : m_items[i - 1];
}

unsigned long CGraphList::SelectNextColumn(const CListID& ids)
{
    if (m_items.empty())
        return kNone;
    CGraph* next = FindNextByID(ids.GetLastID());
    if (!next)
        return 0;
    next->m_bActive = 1;
    return next->m_nID;
}

unsigned long CGraphList::SelectPrevColumn(const CListID& ids)
{
    if (m_items.empty())
        return kNone;
    CGraph* prev = FindPrevByID(ids.GetLastID());
    if (!prev)
        return 0;
    prev->m_bActive = 1;
    return prev->m_nID;
}

int CGraphList::RemoveActiveColumn()
{
    if (m_items.empty())
        return 0;
    const unsigned long i = GetActiveColumn();
    CGraph* gone = m_items[i];
    if (i + 1 < m_items.size())
        m_items[i + 1]->m_pPrev = gone->m_pPrev;
    m_items.erase(m_items.begin() + i);
    delete gone;
    return 1;
}

void CGraphList::DrawHeader(HDC dc)
{
    if (m_sLeftHeader.empty() && m_sRightHeader.empty())
        return;
    RECT strip = m_rcFrame;
    if (m_nHeaderPos == 2)
        strip.top = strip.bottom - m_nHeaderHeight;
    else
        strip.bottom = strip.top + m_nHeaderHeight;
    ::FillRect(dc, &strip, m_hHeaderBrush);
    ::SelectObject(dc, m_hHeaderFont ? m_hHeaderFont : m_hFont);
    ::SetTextColor(dc, m_crHeaderText);
    RECT text = {strip.left + 5, strip.top + 3, strip.right - 5, strip.bottom};
    const UINT flags = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (m_sRightHeader.empty())
        ::DrawTextW(dc, m_sLeftHeader.c_str(), -1, &text, flags | DT_CENTER);
    else
    {
        ::DrawTextW(dc, m_sLeftHeader.c_str(), -1, &text, flags | DT_LEFT);
        ::DrawTextW(dc, m_sRightHeader.c_str(), -1, &text, flags | DT_RIGHT);
    }
    ::SelectObject(dc, m_hHeaderPen);
    const int y = m_nHeaderPos == 2 ? strip.top : strip.bottom - 1;
    ::MoveToEx(dc, strip.left, y, nullptr);
    ::LineTo(dc, strip.right, y);
}

void CGraphList::DrawLineThinned(HDC dc)
{
    // One vertical segment per pixel column, spanning every value that falls in it and the
    // column before: the outline of the curve with never more segments than pixels.
    std::vector<POINT> pts;
    std::vector<DWORD> counts;
    pts.reserve((size_t)m_rcPlot.Width() * 2 + 4);
    size_t i = 0;
    int lastY = m_items.empty() ? 0 : m_items.front()->m_y;
    while (i < m_items.size())
    {
        const int x = m_items[i]->m_x;
        int lo = lastY, hi = lastY;
        for (; i < m_items.size() && m_items[i]->m_x == x; ++i)
        {
            lastY = m_items[i]->m_y;
            lo = std::min(lo, lastY);
            hi = std::max(hi, lastY);
        }
        pts.push_back({x, lo});
        pts.push_back({x, hi + 1});
        counts.push_back(2);
    }
    if (!counts.empty())
        ::PolyPolyline(dc, pts.data(), counts.data(), (DWORD)counts.size());
    m_nSegments = (unsigned long)counts.size();
}

void CGraphList::DrawXLabels(HDC dc)
{
    ::SetTextColor(dc, m_crText);
    ::SelectObject(dc, m_hFont);
    const int th = TextHeight(dc);
    long lastRight = -0x7FFFFFFF;
    const size_t n = m_items.size();
    for (size_t i = 0; i < n; ++i)
    {
        const CGraph* item = m_items[i];
        if (!(item->m_bActive || m_bAllLabels) || item->m_sLabelX.empty())
            continue;
        SIZE sz = {};
        ::GetTextExtentPoint32W(dc, item->m_sLabelX.c_str(), (int)item->m_sLabelX.size(), &sz);
        const int cx = item->m_x + (m_nType == kBar ? item->m_cx / 2 : 0);
        int left = cx - sz.cx / 2;
        if (m_nType == kLine && i == 0)
            left = cx;
        else if (m_nType == kLine && i + 1 == n)
            left = cx - sz.cx;
        // Kept inside the frame and never over the label before.
        left = std::max(left, (int)m_rcFrame.left + 1);
        left = std::min(left, (int)(m_rcFrame.right - 1 - sz.cx));
        if (left <= lastRight)
            continue;
        RECT rc = {left, m_rcPlot.bottom + 5, left + sz.cx, m_rcPlot.bottom + 5 + th};
        ::DrawTextW(dc, item->m_sLabelX.c_str(), -1, &rc, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT);
        lastRight = left + sz.cx + 6;
    }
}

void CGraphList::DrawVertLab(HDC dc, int y, const wchar_t* text)
{
    if (!text || !*text)
        return;
    const int th = TextHeight(dc);
    RECT rc = {m_rcFrame.left, y - th / 2, m_rcPlot.left - 2, y - th / 2 + th};
    ::DrawTextW(dc, text, -1, &rc, DT_SINGLELINE | DT_NOPREFIX | DT_RIGHT | DT_NOCLIP);
}

void CGraphList::DrawActiveLabels(HDC dc, const CGraph* active)
{
    const std::wstring top = Decimal(m_dMaxY);
    DrawVertLab(dc, m_rcPlot.top, top.c_str());
    if (active && active->m_sLabelY != L"0" && active->m_sLabelY != top)
    {
        // Only where it does not run into the top or the bottom label.
        const int th = TextHeight(dc);
        if (active->m_y > m_rcPlot.top + th && active->m_y < m_rcPlot.bottom - th)
            DrawVertLab(dc, active->m_y, active->m_sLabelY.c_str());
    }
    DrawVertLab(dc, m_rcPlot.bottom, L"0");
}

void CGraphList::Draw(HDC dc)
{
    if (!dc || m_rcFrame.Width() <= 0 || m_rcFrame.Height() <= 0)
        return;
    const int saved = ::SaveDC(dc);
    ::SetBkMode(dc, TRANSPARENT);
    ::IntersectClipRect(dc, m_rcFrame.left, m_rcFrame.top, m_rcFrame.right, m_rcFrame.bottom);
    ::FillRect(dc, &m_rcFrame, m_hOuterBrush);
    DrawHeader(dc);

    ::SelectObject(dc, m_hFramePen);
    ::SelectObject(dc, m_hPlotBrush);
    ::Rectangle(dc, m_rcPlot.left, m_rcPlot.top, m_rcPlot.right + 1, m_rcPlot.bottom + 1);
    const int mid = (m_rcPlot.top + m_rcPlot.bottom) / 2;
    ::SelectObject(dc, m_hMarkerPen);
    ::MoveToEx(dc, m_rcPlot.left + 1, mid, nullptr);
    ::LineTo(dc, m_rcPlot.right, mid);

    // The items, clipped to the plot and the markers' overhang.
    const int saved2 = ::SaveDC(dc);
    const int s = std::max(m_nSizePoint, m_nSizeActive);
    ::IntersectClipRect(dc, m_rcPlot.left - s, m_rcPlot.top - s, m_rcPlot.right + s + 1,
                        m_rcPlot.bottom + s + 1);
    ::SelectObject(dc, m_hSeriesPen);
    PlaceAll();
    const CGraph* active = nullptr;
    for (const CGraph* item : m_items)
        if (item->m_bActive)
            active = item;
    m_nSegments = 0;
    const size_t width = (size_t)std::max(1, m_rcPlot.Width());
    if (m_nType == kLine && m_items.size() > width)
        DrawLineThinned(dc);
    else if (m_nType == kLine)
    {
        // One polyline; markers only while they have room between them.
        std::vector<POINT> pts;
        pts.reserve(m_items.size());
        for (const CGraph* item : m_items)
            pts.push_back({item->m_x, item->m_y});
        ::Polyline(dc, pts.data(), (int)pts.size());
        m_nSegments = pts.empty() ? 0 : (unsigned long)pts.size() - 1;
        if (m_items.size() <= width / 8)
        {
            HBRUSH series = ::CreateSolidBrush(m_crSeries);
            ::SelectObject(dc, series);
            for (const CGraph* item : m_items)
            {
                const int s = m_nSizePoint;
                ::RoundRect(dc, item->m_x - s, item->m_y - s, item->m_x + s + 1, item->m_y + s + 1, 2, 2);
            }
            ::SelectObject(dc, m_hPlotBrush);
            ::DeleteObject(series);
        }
    }
    else
    {
        for (CGraph* item : m_items)
            if (!item->m_bActive)
                item->Draw(dc);
        m_nSegments = (unsigned long)m_items.size();
    }
    // Active items last, on top, with a marker that stands out.
    if (active)
    {
        HPEN bold = ::CreatePen(PS_SOLID, 2, m_crSeries);
        ::SelectObject(dc, bold);
        HBRUSH fill = ::CreateSolidBrush(RGB(255, 255, 255));
        ::SelectObject(dc, m_nType == kLine ? (HGDIOBJ)fill : m_hPlotBrush);
        for (CGraph* item : m_items)
            if (item->m_bActive)
            {
                CGraph* prev = item->m_pPrev;
                if (m_nType == kLine)
                    item->m_pPrev = nullptr; // the line already joins it
                item->Draw(dc);
                item->m_pPrev = prev;
            }
        ::SelectObject(dc, m_hSeriesPen);
        ::SelectObject(dc, m_hPlotBrush);
        ::DeleteObject(fill);
        ::DeleteObject(bold);
    }
    ::RestoreDC(dc, saved2);

    DrawXLabels(dc);
    ::SetTextColor(dc, m_crText);
    ::SelectObject(dc, m_hFont);
    if (active)
    {
        const int ax = active->m_x + (m_nType == kBar ? active->m_cx / 2 : 0);
        ::SelectObject(dc, m_hMarkerPen);
        ::MoveToEx(dc, m_rcPlot.left, active->m_y, nullptr);
        ::LineTo(dc, ax, active->m_y);
        ::LineTo(dc, ax, m_rcPlot.bottom);
    }
    if (!m_items.empty())
        DrawActiveLabels(dc, active);
    ::RestoreDC(dc, saved);
}

// --- durations --------------------------------------------------------------------------------

void CGraphListTimeY::AddItem(unsigned long id, double x, const SYSTEMTIME& time, const wchar_t* label)
{
    const double seconds = (double)(time.wMinute * 60 + time.wSecond);
    if (time.wMinute > m_nMaxMinute || (time.wMinute == m_nMaxMinute && time.wSecond > m_nMaxSecond))
    {
        m_nMaxMinute = time.wMinute;
        m_nMaxSecond = time.wSecond;
    }
    const std::wstring text = FormatToTimeW(time, 1, L"", L"");
    CGraph* prev = m_items.empty() ? nullptr : m_items.back();
    CGraph* item = m_nType == kBar
                       ? static_cast<CGraph*>(new CGraphCol(this, x, seconds, id, prev, label, text.c_str()))
                       : new CGraphPoint(this, x, seconds, id, prev, label, text.c_str());
    Append(item);
}

void CGraphListTimeY::DrawVertLab(HDC dc, int y, const wchar_t* text)
{
    CGraphList::DrawVertLab(dc, y, text);
}

void CGraphListTimeY::DrawActiveLabels(HDC dc, const CGraph* active)
{
    SYSTEMTIME t = {};
    t.wMinute = m_nMaxMinute;
    t.wSecond = m_nMaxSecond;
    const std::wstring top = FormatToTimeW(t, 1, L"", L"");
    DrawVertLab(dc, m_rcPlot.top, top.c_str());
    if (active && active->m_dY > 0 && active->m_sLabelY != top)
    {
        const int th = TextHeight(dc);
        if (active->m_y > m_rcPlot.top + th && active->m_y < m_rcPlot.bottom - th)
            DrawVertLab(dc, active->m_y, active->m_sLabelY.c_str());
    }
    DrawVertLab(dc, m_rcPlot.bottom, L"00:00");
}

// --- skin elements ----------------------------------------------------------------------------

namespace {

HWND CreateStaticChild(CSkin& skin, HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    HWND hwnd = ::CreateWindowExW(0, L"STATIC", L"", (style & ~(DWORD)WS_VISIBLE) | WS_CHILD | SS_NOTIFY,
                                  rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>((UINT_PTR)id), instance, nullptr);
    if (hwnd)
        skin.SetHandle(parent, hwnd);
    return hwnd;
}

} // namespace

CDiagram::CDiagram() : m_pGraphList(nullptr) {}

CDiagram::~CDiagram() {}

HWND CDiagram::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    if (m_hWnd || !parent)
        return nullptr;
    return CreateStaticChild(*this, instance, parent, style & 0xFFFF0000ul, rect, id);
}

void CDiagram::Draw(HDC dc)
{
    if (!m_hWnd)
        return;
    PaintBuffered(m_hWnd, dc, (HBRUSH)::GetStockObject(WHITE_BRUSH), [this](HDC mem, const RECT&) {
        if (m_pGraphList)
            m_pGraphList->Draw(mem);
    });
}

LRESULT CDiagram::OnEraseBkgnd(HDC)
{
    return 1;
}

LRESULT CDiagram::MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    return OwnerPaintMessage(*this, msg, result) ? result : CSkin::MessageLoop(hwnd, msg, wParam, lParam);
}

void CLegend::Draw(HDC dc, const RECT& share) const
{
    if (share.right <= share.left)
        return;
    RECT box = {share.left, share.top, std::min<LONG>(share.left + m_nBoxWidth, share.right), share.bottom};
    HBRUSH brush = ::CreateSolidBrush(m_crColour);
    ::FillRect(dc, &box, brush);
    ::DeleteObject(brush);
    const int baseline = share.bottom / 2 + 6;
    const UINT align = ::SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    RECT clip = {box.right + 5, share.top, share.right, share.bottom};
    ::ExtTextOutW(dc, box.right + 5, baseline, ETO_CLIPPED, &clip, m_sText.c_str(), (UINT)m_sText.size(),
                  nullptr);
    ::SetTextAlign(dc, align);
}

CLegendCtrl::CLegendCtrl() : m_crText(0), m_nTextHeight(13), m_hFont(nullptr) {}

CLegendCtrl::~CLegendCtrl()
{
    if (m_hFont)
        ::DeleteObject(m_hFont);
}

HWND CLegendCtrl::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    if (m_hWnd || !parent)
        return nullptr;
    HWND hwnd = CreateStaticChild(*this, instance, parent, (style & 0xFFFF0000ul) | WS_VISIBLE, rect, id);
    if (hwnd && !m_hFont)
        SetFont(m_nTextHeight, FW_NORMAL);
    return hwnd;
}

void CLegendCtrl::AddLegend(COLORREF colour, const wchar_t* text, int boxWidth)
{
    m_list.emplace_back(colour, text, boxWidth);
}

void CLegendCtrl::SetFont(int height, int weight)
{
    if (m_hFont)
        ::DeleteObject(m_hFont);
    LOGFONTW font = {};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    std::wcscpy(font.lfFaceName, L"Arial");
    m_hFont = ::CreateFontIndirectW(&font);
}

void CLegendCtrl::DrawInto(HDC dc, const RECT& rc)
{
    if (m_list.empty())
        return;
    const int saved = ::SaveDC(dc);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, m_crText);
    if (m_hFont)
        ::SelectObject(dc, m_hFont);
    const int share = (rc.right - rc.left) / (int)m_list.size();
    for (size_t i = 0; i < m_list.size(); ++i)
    {
        const RECT part = {rc.left + (int)i * share, rc.top, rc.left + (int)(i + 1) * share, rc.bottom};
        m_list[i].Draw(dc, part);
    }
    ::RestoreDC(dc, saved);
}

void CLegendCtrl::Draw(HDC dc)
{
    if (!m_hWnd)
        return;
    PaintBuffered(m_hWnd, dc, (HBRUSH)::GetStockObject(WHITE_BRUSH),
                  [this](HDC mem, const RECT& rc) { DrawInto(mem, rc); });
}

LRESULT CLegendCtrl::OnEraseBkgnd(HDC)
{
    return 1;
}

LRESULT CLegendCtrl::MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    return OwnerPaintMessage(*this, msg, result) ? result : CSkin::MessageLoop(hwnd, msg, wParam, lParam);
}

} // namespace KV
