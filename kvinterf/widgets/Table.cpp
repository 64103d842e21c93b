#include "kvinterf/widgets/Table.h"
#include "kvinterf/widgets/OwnerPaint.h"
#include "kvstruct/image/Bitmap.h"
#include <cwchar>

namespace KV {

namespace {

void InitStyle(tagTableStyle& s, int height)
{
    s.height = height;
    s.text = RGB(0, 0, 0);
    s.back = RGB(255, 255, 255);
    s.format = kCellDefaultFormat;
    s.font = s.fontBold = nullptr;
    s.brushBack = s.brushActiveColumn = s.brushKeyColumn = s.brushActiveRow = nullptr;
    s.pen = nullptr;
}

HFONT MakeFont(LOGFONTW font, LONG weight)
{
    font.lfWeight = weight;
    return ::CreateFontIndirectW(&font);
}

LOGFONTW DefaultFont()
{
    LOGFONTW font = {};
    font.lfHeight = 16;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    std::wcscpy(font.lfFaceName, L"Arial");
    return font;
}

UINT TextFlags(unsigned long format)
{
    UINT flags = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    flags |= (format & kCellAlignLeft) ? DT_LEFT : (format & kCellAlignRight) ? DT_RIGHT : DT_CENTER;
    flags |= (format & kCellAlignTop) ? DT_TOP : (format & kCellAlignBottom) ? DT_BOTTOM : DT_VCENTER;
    return flags;
}

} // namespace

void CCell::Update(const RECT& frame, unsigned long leftPercent, unsigned long visualRow, int top)
{
    const long width = frame.right - frame.left;
    m_rect.left = frame.left + (long)(leftPercent * width / 100);
    // The right edge from the running sum, so that rounding leaves no gap between columns.
    m_rect.right = frame.left + (long)((leftPercent + m_nWidth) * width / 100);
    m_rect.top = top + (long)visualRow * m_nHeight;
    m_rect.bottom = m_rect.top + m_nHeight;
}

void CCell::Draw(HDC dc) const
{
    if (m_text.empty())
        return;
    RECT rc = {m_rect.left + 1, m_rect.top + 1, m_rect.right - 1, m_rect.bottom - 1};
    // A little air between a left- or right-aligned text and the grid.
    if (m_nFormat & kCellAlignLeft)
        rc.left += 3;
    else if (m_nFormat & kCellAlignRight)
        rc.right -= 3;
    ::DrawTextW(dc, m_text.c_str(), (int)m_text.size(), &rc, TextFlags(m_nFormat));
}

CTableChart::CTableChart()
    : m_nRows(0), m_nActiveRow(0), m_nActiveColumn(0), m_nDrawFirst(0), m_nDrawEnd(1), m_bShowActiveColumn(1),
      m_bShowActiveRow(1)
{
    InitStyle(m_head, 25);
    InitStyle(m_rows, 15);
    MakeStyleObjects(m_head, RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), 0);
    MakeStyleObjects(m_rows, RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255), RGB(0x64, 0xB4, 0xFF), 0);
    SetFont(DefaultFont());
}

CTableChart::~CTableChart()
{
    FreeStyle(m_head);
    FreeStyle(m_rows);
}

void CTableChart::FreeStyle(tagTableStyle& s)
{
    HGDIOBJ objects[] = {s.font,           s.fontBold,       s.brushBack, s.brushActiveColumn,
                         s.brushKeyColumn, s.brushActiveRow, s.pen};
    for (HGDIOBJ o : objects)
        if (o)
            ::DeleteObject(o);
    s.font = s.fontBold = nullptr;
    s.brushBack = s.brushActiveColumn = s.brushKeyColumn = s.brushActiveRow = nullptr;
    s.pen = nullptr;
}

void CTableChart::MakeStyleObjects(tagTableStyle& s, COLORREF grid, COLORREF activeColumn, COLORREF keyColumn,
                                   COLORREF activeRow, int gridWidth)
{
    HGDIOBJ old[] = {s.brushBack, s.brushActiveColumn, s.brushKeyColumn, s.brushActiveRow, s.pen};
    for (HGDIOBJ o : old)
        if (o)
            ::DeleteObject(o);
    s.brushBack = ::CreateSolidBrush(s.back);
    s.brushActiveColumn = ::CreateSolidBrush(activeColumn);
    s.brushKeyColumn = ::CreateSolidBrush(keyColumn);
    s.brushActiveRow = ::CreateSolidBrush(activeRow);
    s.pen = ::CreatePen(PS_SOLID, gridWidth, grid);
}

void CTableChart::SetStyle(int kind, COLORREF text, COLORREF back, COLORREF grid, COLORREF activeColumn,
                           COLORREF keyColumn, COLORREF activeRow, int gridWidth, unsigned long formatSet,
                           unsigned long formatClear)
{
    if (kind != 0 && kind != 1)
        return;
    tagTableStyle& s = kind == 0 ? m_head : m_rows;
    s.text = text;
    s.back = back;
    s.format = (s.format | formatSet) & ~formatClear;
    MakeStyleObjects(s, grid, activeColumn, keyColumn, activeRow, gridWidth);
    // The header's gradient ends in the background of the last style set.
    m_head.back = back;
}

void CTableChart::SetFont(const LOGFONTW& font)
{
    HGDIOBJ old[] = {m_head.font, m_head.fontBold, m_rows.font, m_rows.fontBold};
    for (HGDIOBJ o : old)
        if (o)
            ::DeleteObject(o);
    m_head.font = MakeFont(font, FW_BOLD);
    m_head.fontBold = MakeFont(font, FW_BOLD);
    m_rows.font = MakeFont(font, FW_NORMAL);
    m_rows.fontBold = MakeFont(font, FW_SEMIBOLD);
}

unsigned long CTableChart::AddColumn(unsigned long id, unsigned long widthPercent, unsigned long key,
                                     const wchar_t*)
{
    m_columns.m_list.push_back(CTableColumn(id, widthPercent, key ? 1 : 0));
    return (unsigned long)m_columns.m_list.size() - 1;
}

void CTableChart::SetNameColumn(unsigned long columnIndex, const wchar_t* text)
{
    CCell cell;
    cell.m_index = CIndex(columnIndex, 0);
    cell.m_text = text ? text : L"";
    cell.m_nHeight = m_head.height;
    cell.m_nFormat = m_head.format;
    cell.m_nWidth = (int)GetColumnWidth(columnIndex);
    m_header.push_back(cell);
}

void CTableChart::AllignColumn()
{
    if (m_columns.m_list.empty())
        return;
    unsigned long sum = 0;
    for (const CTableColumn& c : m_columns.m_list)
        sum += c.m_nWidth;
    m_columns.m_list[0].m_nWidth += 100 - sum;
    for (CCell& cell : m_header)
        cell.m_nWidth = (int)GetColumnWidth(cell.m_index.first);
}

void CTableChart::RemoveAllColumn()
{
    m_columns.m_list.clear();
    RemoveHeader();
}

void CTableChart::RemoveHeader()
{
    m_header.clear();
    m_cells.clear();
    m_texts.clear();
    m_activeRows.clear();
    Init();
}

void CTableChart::Init()
{
    m_nDrawFirst = 0;
    m_nDrawEnd = 1;
    m_nActiveColumn = 0;
    m_nRows = 0;
    m_nActiveRow = 0;
}

unsigned long CTableChart::AddRow()
{
    return m_nRows++;
}

void CTableChart::AddCell(unsigned long columnIndex, unsigned long row, const wchar_t* text)
{
    if (columnIndex >= m_columns.m_list.size())
        return;
    tagBodyCell cell;
    cell.column = columnIndex;
    cell.row = row;
    cell.text = (unsigned long)m_texts.size();
    size_t length = text ? std::wcslen(text) : 0;
    if (length > 0xFFFF)
        length = 0xFFFF;
    cell.length = (unsigned short)length;
    cell.format = (unsigned short)m_rows.format;
    cell.active = 0;
    m_texts.insert(m_texts.end(), text, text + length);
    m_texts.push_back(0);
    m_cells.push_back(cell);
}

void CTableChart::AddCell(unsigned long columnIndex, unsigned long row, long number)
{
    // Written by hand: a table of a whole history adds hundreds of thousands of numbers.
    wchar_t text[24];
    wchar_t* p = text + 23;
    *p = 0;
    unsigned long magnitude = number < 0 ? 0ul - (unsigned long)number : (unsigned long)number;
    do
    {
        *--p = (wchar_t)(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (number < 0)
        *--p = L'-';
    AddCell(columnIndex, row, p);
}

const wchar_t* CTableChart::GetCellText(unsigned long columnIndex, unsigned long row) const
{
    const unsigned long n = GetNumColumn();
    if (!n || columnIndex >= n)
        return nullptr;
    const size_t i = (size_t)row * n + columnIndex;
    if (i < m_cells.size() && m_cells[i].column == columnIndex && m_cells[i].row == row)
        return &m_texts[m_cells[i].text];
    for (const tagBodyCell& c : m_cells) // rows filled unevenly: search
        if (c.column == columnIndex && c.row == row)
            return &m_texts[c.text];
    return nullptr;
}

const wchar_t* CTableChart::GetHeaderText(unsigned long columnIndex) const
{
    for (const CCell& c : m_header)
        if (c.m_index.first == columnIndex)
            return c.m_text.c_str();
    return nullptr;
}

unsigned long CTableChart::GetColumnID(unsigned long columnIndex) const
{
    return columnIndex < m_columns.m_list.size() ? m_columns.m_list[columnIndex].m_nID : CIndex::kNone;
}

unsigned long CTableChart::GetColumnWidth(unsigned long columnIndex) const
{
    return columnIndex < m_columns.m_list.size() ? m_columns.m_list[columnIndex].m_nWidth : 0;
}

int CTableChart::GetDrawHeight() const
{
    const unsigned long n = GetNumColumn();
    const unsigned long rows = n ? (m_nDrawEnd - m_nDrawFirst + n - 1) / n : 0;
    return (int)rows * m_rows.height + m_head.height;
}

int CTableChart::LoadImageHeader(const wchar_t* file)
{
    return file && m_dibHeader.Load(file) ? 1 : 0;
}

void CTableChart::SetActiveRow(unsigned long row)
{
    const unsigned long n = GetNumColumn();
    if (!n || row >= m_cells.size() / n)
        return;
    m_nActiveRow = row;
    SetActive(row);
}

unsigned long CTableChart::SetActiveLastRow()
{
    const unsigned long n = GetNumColumn();
    if (!n || m_cells.size() < n)
        return CIndex::kNone;
    const unsigned long last = (unsigned long)(m_cells.size() / n) - 1;
    SetActiveRow(last);
    return last;
}

void CTableChart::SetActive(unsigned long row)
{
    const unsigned long n = GetNumColumn();
    const size_t first = (size_t)row * n;
    if (!n || first >= m_cells.size())
        return;
    for (size_t i = first; i < first + n && i < m_cells.size(); ++i)
        m_cells[i].active = 1;
    m_activeRows.push_back(row);
}

void CTableChart::ResetActive()
{
    const unsigned long n = GetNumColumn();
    for (unsigned long row : m_activeRows)
        for (size_t i = (size_t)row * n; i < (size_t)(row + 1) * n && i < m_cells.size(); ++i)
            m_cells[i].active = 0;
    m_activeRows.clear();
}

int CTableChart::IsActive(unsigned long row) const
{
    const unsigned long n = GetNumColumn();
    const size_t i = (size_t)row * n;
    return n && i < m_cells.size() && m_cells[i].active;
}

unsigned long CTableChart::IsLast(unsigned long row) const
{
    const unsigned long n = GetNumColumn();
    if (!n || m_cells.size() < n)
        return CIndex::kNone;
    return row >= m_cells.size() / n - 1 ? 1 : 0;
}

int CTableChart::RemoveActiveRow()
{
    const unsigned long n = GetNumColumn();
    if (!n || m_cells.empty())
        return 0;
    const unsigned long rows = (unsigned long)(m_cells.size() / n);
    if (m_nActiveRow >= rows)
        return 0;
    const unsigned long removed = m_nActiveRow;
    ResetActive();
    m_cells.erase(m_cells.begin() + (ptrdiff_t)removed * n, m_cells.begin() + (ptrdiff_t)(removed + 1) * n);
    for (size_t i = (size_t)removed * n; i < m_cells.size(); ++i)
        --m_cells[i].row;
    if (m_nRows)
        --m_nRows;
    if (removed == rows - 1 && removed > 0)
    {
        SetActiveRow(removed - 1);
        return 1;
    }
    return 0;
}

unsigned long CTableChart::SetActiveColumnByID(unsigned long id)
{
    m_nActiveColumn = 0;
    for (size_t i = 0; i < m_columns.m_list.size(); ++i)
        if (m_columns.m_list[i].m_nID == id)
        {
            m_nActiveColumn = (unsigned long)i;
            break;
        }
    return m_nActiveColumn;
}

void CTableChart::SetDrawPosition(unsigned long first, unsigned long end)
{
    const unsigned long cells = (unsigned long)m_cells.size();
    m_nDrawEnd = end < cells ? end : cells;
    m_nDrawFirst = first < m_nDrawEnd ? first : m_nDrawEnd;
}

unsigned long CTableChart::LeftPercent(unsigned long columnIndex) const
{
    unsigned long sum = 0;
    for (unsigned long i = 0; i < columnIndex && i < m_columns.m_list.size(); ++i)
        sum += m_columns.m_list[i].m_nWidth;
    return sum;
}

CCell CTableChart::MakeCell(const tagBodyCell& body) const
{
    CCell cell;
    cell.m_index = CIndex(body.column, body.row);
    cell.m_text.assign(&m_texts[body.text], body.length);
    cell.m_nFormat = body.format;
    cell.m_bActive = (int)body.active;
    return cell;
}

void CTableChart::PlaceBodyCell(CCell& cell, unsigned long visualRow) const
{
    cell.m_nWidth = (int)GetColumnWidth(cell.m_index.first);
    cell.m_nHeight = m_rows.height;
    cell.Update(m_rcFrame, LeftPercent(cell.m_index.first), visualRow, m_rcFrame.top + m_head.height);
}

CIndex CTableChart::Hit(int x, int y) const
{
    const unsigned long n = GetNumColumn();
    if (!n || m_nDrawFirst >= m_nDrawEnd)
        return CIndex();
    const unsigned long firstRow = m_cells[m_nDrawFirst].row;
    for (unsigned long i = m_nDrawFirst; i < m_nDrawEnd; ++i)
    {
        CCell cell = MakeCell(m_cells[i]);
        PlaceBodyCell(cell, cell.m_index.second - firstRow);
        const CRect& r = cell.m_rect;
        if (x >= r.left && x <= r.right && y >= r.top && y <= r.bottom)
            return CIndex(GetColumnID(cell.m_index.first), cell.m_index.second);
    }
    return CIndex();
}

void CTableChart::DrawBodyCell(HDC dc, CCell& cell)
{
    const unsigned long col = cell.m_index.first;
    const bool key = col < m_columns.m_list.size() && m_columns.m_list[col].m_bKey;
    const bool inActiveColumn = col == m_nActiveColumn;
    const bool meet = cell.m_bActive && inActiveColumn;
    HBRUSH brush;
    if (m_bShowActiveColumn && inActiveColumn && !cell.m_bActive)
        brush = key ? m_rows.brushKeyColumn : m_rows.brushActiveColumn;
    else if (m_bShowActiveRow && cell.m_bActive && !inActiveColumn)
        brush = m_rows.brushActiveRow;
    else if (meet && !m_bShowActiveColumn)
        brush = m_rows.brushActiveColumn;
    else if (meet)
        brush = m_rows.brushActiveRow;
    else
        brush = key ? m_rows.brushKeyColumn : m_rows.brushBack;
    const CRect& r = cell.m_rect;
    RECT inner = {r.left + 1, r.top + 1, r.right, r.bottom};
    ::FillRect(dc, &inner, brush);
    if (meet)
    {
        ::SelectObject(dc, m_rows.fontBold);
        ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
        cell.Draw(dc);
        ::SelectObject(dc, m_rows.font);
        return;
    }
    if (col != 0)
    {
        ::MoveToEx(dc, r.left, r.top, nullptr);
        ::LineTo(dc, r.left, r.bottom);
    }
    if (cell.m_nFormat & kCellGridBottom)
    {
        ::MoveToEx(dc, r.left, r.bottom - 1, nullptr);
        ::LineTo(dc, r.right, r.bottom - 1);
    }
    cell.Draw(dc);
}

void CTableChart::Draw(HDC dc)
{
    if (!dc || m_rcFrame.right <= m_rcFrame.left)
        return;
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, m_rcFrame.left, m_rcFrame.top, m_rcFrame.right, m_rcFrame.bottom);
    ::SetBkMode(dc, TRANSPARENT);

    // Header.
    ::SelectObject(dc, m_head.font);
    ::SelectObject(dc, m_head.pen);
    ::SetTextColor(dc, m_head.text);
    const RECT headRow = {m_rcFrame.left, m_rcFrame.top, m_rcFrame.right, m_rcFrame.top + m_head.height};
    if (!m_dibHeader.IsLoad())
    {
        TRIVERTEX v[2] = {{headRow.left, headRow.top, 0xFF00, 0xFF00, 0xFF00, 0},
                          {headRow.right, headRow.bottom, (COLOR16)(GetRValue(m_head.back) << 8),
                           (COLOR16)(GetGValue(m_head.back) << 8), (COLOR16)(GetBValue(m_head.back) << 8),
                           0}};
        GRADIENT_RECT g = {0, 1};
        ::GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_V);
    }
    for (CCell& cell : m_header)
    {
        cell.m_nWidth = (int)GetColumnWidth(cell.m_index.first);
        cell.m_nHeight = m_head.height;
        cell.Update(m_rcFrame, LeftPercent(cell.m_index.first), 0, m_rcFrame.top);
        if (m_dibHeader.IsLoad())
            m_dibHeader.Draw(dc, cell.m_rect.left, cell.m_rect.top, cell.m_rect.Width(),
                             cell.m_rect.Height());
        if (cell.m_index.first != 0)
        {
            ::MoveToEx(dc, cell.m_rect.left, cell.m_rect.top, nullptr);
            ::LineTo(dc, cell.m_rect.left, cell.m_rect.bottom);
        }
        cell.Draw(dc);
    }
    ::MoveToEx(dc, headRow.left, headRow.bottom - 1, nullptr);
    ::LineTo(dc, headRow.right, headRow.bottom - 1);

    // Body: only the cells of the draw range.
    ::SelectObject(dc, m_rows.font);
    ::SelectObject(dc, m_rows.pen);
    ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    ::SetTextColor(dc, m_rows.text);
    long bodyEnd = headRow.bottom;
    if (m_nDrawFirst < m_nDrawEnd && m_nDrawEnd <= m_cells.size())
    {
        unsigned long visual = 0, lastRow = m_cells[m_nDrawFirst].row;
        for (unsigned long i = m_nDrawFirst; i < m_nDrawEnd; ++i)
        {
            CCell cell = MakeCell(m_cells[i]);
            if (cell.m_index.second != lastRow)
            {
                lastRow = cell.m_index.second;
                ++visual;
            }
            PlaceBodyCell(cell, visual);
            DrawBodyCell(dc, cell);
            if (cell.m_rect.bottom > bodyEnd)
                bodyEnd = cell.m_rect.bottom;
            if (cell.m_rect.top > m_rcFrame.bottom)
                break;
        }
    }
    if (bodyEnd < m_rcFrame.bottom)
    {
        RECT rest = {m_rcFrame.left, bodyEnd, m_rcFrame.right, m_rcFrame.bottom};
        ::FillRect(dc, &rest, m_rows.brushBack);
    }
    ::RestoreDC(dc, saved);
}

// --- CTable ---------------------------------------------------------------------------------

CTable::CTable() : m_pChart(nullptr), m_pScroll(nullptr), m_nFirstRow(0) {}

CTable::~CTable()
{
    delete m_pScroll;
}

HWND CTable::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    if (m_hWnd || !parent)
        return nullptr;
    (void)rect;
    HWND hwnd =
        ::CreateWindowExW(0, L"STATIC", L"", (style & ~0xFFul) | WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 0, 300,
                          300, parent, reinterpret_cast<HMENU>((UINT_PTR)id), instance, nullptr);
    if (hwnd)
        SetHandle(parent, hwnd);
    return hwnd;
}

int CTable::CreateScrool(DWORD style, UINT id)
{
    if (!m_hWnd)
        return 0;
    delete m_pScroll;
    m_pScroll = new CScrollBar;
    const RECT rc = {0, 0, kScrollWidth, 100};
    m_pScroll->Create(style, rc, this, id);
    Layout();
    return m_pScroll->GetHwnd() != nullptr;
}

unsigned long CTable::GetVisibleRows() const
{
    if (!m_pChart || !m_hWnd)
        return 0;
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    const int body = rc.bottom - m_pChart->GetHeadHeight();
    return body > 0 ? (unsigned long)(body / m_pChart->GetRowHeight()) : 0;
}

void CTable::Layout()
{
    if (!m_pChart || !m_hWnd)
        return;
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    const unsigned long rows = m_pChart->GetNumRow(), visible = GetVisibleRows();
    const bool show = m_pScroll && m_pScroll->GetHwnd() && m_pChart->GetHeight() >= rc.bottom;
    if (rows <= visible || !show)
        m_nFirstRow = 0;
    else if (m_nFirstRow > rows - visible)
        m_nFirstRow = rows - visible;
    RECT frame = rc;
    frame.right -= show ? kScrollGap : kScrollWidth;
    if (frame.right < frame.left)
        frame.right = frame.left;
    m_pChart->SetFrame(frame);
    const unsigned long n = m_pChart->GetNumColumn();
    m_pChart->SetDrawPosition(m_nFirstRow * n, (m_nFirstRow + visible + 1) * n);
    if (m_pScroll && m_pScroll->GetHwnd())
    {
        if (show)
        {
            m_pScroll->MoveWindow(rc.right - kScrollGap, 0, kScrollWidth, rc.bottom, TRUE);
            SCROLLINFO si = {};
            si.cbSize = sizeof(si);
            si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            si.nMin = 0;
            si.nMax = rows ? (int)rows - 1 : 0;
            si.nPage = visible;
            si.nPos = (int)m_nFirstRow;
            m_pScroll->SetScrollInfo(&si, TRUE);
        }
        if (show != (m_pScroll->IsShow() != 0))
            m_pScroll->ShowScrollBar(show ? 1 : 0);
    }
}

void CTable::ScrollTo(long firstRow)
{
    if (!m_pChart)
        return;
    const long rows = (long)m_pChart->GetNumRow(), visible = (long)GetVisibleRows();
    long top = rows - visible;
    if (firstRow > top)
        firstRow = top;
    if (firstRow < 0)
        firstRow = 0;
    if ((unsigned long)firstRow == m_nFirstRow)
        return;
    m_nFirstRow = (unsigned long)firstRow;
    Layout();
    Invalidate(FALSE);
}

void CTable::UpdateScrollPos()
{
    if (!m_pChart)
        return;
    const unsigned long active = m_pChart->GetActiveRow(), visible = GetVisibleRows();
    if (active < m_nFirstRow)
        m_nFirstRow = active;
    else if (visible && active >= m_nFirstRow + visible)
        m_nFirstRow = active - visible + 1;
    Layout();
}

void CTable::Draw(HDC dc)
{
    if (!m_pChart || !m_hWnd)
        return;
    // Off screen first: the rows never flicker while scrolling.
    PaintBuffered(m_hWnd, dc, m_pChart->GetStyle(1).brushBack,
                  [this](HDC mem, const RECT&) { m_pChart->Draw(mem); });
}

int CTable::MoveWindow(const RECT& rect, int repaint)
{
    const int r = CSkin::MoveWindow(rect, repaint);
    Layout();
    return r;
}

int CTable::MoveWindow(int x, int y, int w, int h, int repaint)
{
    const int r = CSkin::MoveWindow(x, y, w, h, repaint);
    Layout();
    return r;
}

LRESULT CTable::OnSize(UINT, int, int)
{
    Layout();
    Invalidate(FALSE);
    return 0;
}

LRESULT CTable::OnVScrool(UINT code, int pos, HWND)
{
    const long first = (long)m_nFirstRow, page = (long)GetVisibleRows();
    switch (code)
    {
    case SB_LINEUP:
        ScrollTo(first - 1);
        break;
    case SB_LINEDOWN:
        ScrollTo(first + 1);
        break;
    case SB_PAGEUP:
        ScrollTo(first - (page > 1 ? page : 1));
        break;
    case SB_PAGEDOWN:
        ScrollTo(first + (page > 1 ? page : 1));
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 16-bit position of the message is not enough for long tables.
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_TRACKPOS;
        if (m_pScroll && m_pScroll->GetScrollInfo(&si))
            pos = si.nTrackPos;
        ScrollTo(pos);
        break;
    }
    case SB_TOP:
        ScrollTo(0);
        break;
    case SB_BOTTOM:
        ScrollTo(0x7FFFFFFF);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT CTable::OnLButtonDown(UINT flags, int x, int y)
{
    if (CWnd* parent = CWnd::GetpWnd(::GetParent(m_hWnd)))
        parent->OnLButtonDown(flags, x, y);
    return 0;
}

LRESULT CTable::OnMouseWeel(UINT flags, short delta, int x, int y)
{
    if (CWnd* parent = CWnd::GetpWnd(::GetParent(m_hWnd)))
        return parent->OnMouseWeel(flags, delta, x, y);
    return 0;
}

LRESULT CTable::OnEraseBkgnd(HDC)
{
    return 1;
}

LRESULT CTable::OnDestroy()
{
    delete m_pScroll;
    m_pScroll = nullptr;
    return 0;
}

LRESULT CTable::MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    return OwnerPaintMessage(*this, msg, result) ? result : CSkin::MessageLoop(hwnd, msg, wParam, lParam);
}

} // namespace KV
