#pragma once
// Owner-drawn tables: a chart model of columns (widths in per cent), header and body cells that
// paints only the rows in view, and the skin element that shows it with a vertical scroll bar.
#include "kvinterf/skin/Skin.h"
#include "kvinterf/widgets/ScrollBar.h"
#include "kvstruct/image/Dib.h"
#include <string>
#include <vector>

namespace KV {

enum : unsigned long { kSkinTypeTable = 0x09000000ul };

// (column index, row) inside a cell; (column ID, row) as a hit result.
class KVINTERF_API CIndex
{
public:
    enum : unsigned long { kNone = 0xFFFFFFFFul };
    CIndex(unsigned long a = kNone, unsigned long b = kNone) : first(a), second(b) {}
    virtual ~CIndex() {}
    bool IsNone() const { return first == kNone && second == kNone; }
    unsigned long first;
    unsigned long second;
};

class KVINTERF_API CTableColumn
{
public:
    CTableColumn(unsigned long id = 0, unsigned long width = 0, int key = 0)
        : m_nID(id), m_nWidth(width), m_bKey(key)
    {}
    virtual ~CTableColumn() {}
    unsigned long m_nID;
    unsigned long m_nWidth; // per cent
    int m_bKey;
};

class KVINTERF_API CTableColumnList
{
public:
    virtual ~CTableColumnList() {}
    std::vector<CTableColumn> m_list;
};

// Cell format word.
enum : unsigned long {
    kCellAlignLeft = 0x10,
    kCellAlignRight = 0x20,
    kCellAlignTop = 0x100,
    kCellAlignBottom = 0x200,
    kCellGridBottom = 0x08,
    kCellDefaultFormat = 15,
};

class KVINTERF_API CCell
{
public:
    CCell() : m_nWidth(0), m_nHeight(0), m_nFormat(kCellDefaultFormat), m_bActive(0) {}
    CCell(const CCell&) = default;
    CCell(CCell&&) = default;
    CCell& operator=(const CCell&) = default;
    CCell& operator=(CCell&&) = default;
    virtual ~CCell() {}
    // Places the cell: leftPercent is the sum of the widths of the columns before it.
    void Update(const RECT& frame, unsigned long leftPercent, unsigned long visualRow, int top);
    // Text clipped one pixel inside the cell, on one line, aligned by the format word.
    virtual void Draw(HDC dc) const;

    CIndex m_index;
    CRect m_rect;
    std::wstring m_text;
    int m_nWidth; // per cent
    int m_nHeight;
    unsigned long m_nFormat;
    int m_bActive;
};

struct KVINTERF_API tagTableStyle
{
    int height;
    COLORREF text;
    COLORREF back;
    unsigned long format;
    HFONT font;
    HFONT fontBold;
    HBRUSH brushBack;
    HBRUSH brushActiveColumn;
    HBRUSH brushKeyColumn;
    HBRUSH brushActiveRow;
    HPEN pen;
};

// A body cell as stored: a table of a whole history holds hundreds of thousands of them, so
// the texts live in one shared buffer and a CCell is made only for the cells drawn.
struct tagBodyCell
{
    unsigned long column;
    unsigned long row;
    unsigned long text; // offset in the text buffer
    unsigned short length;
    unsigned short format;
    unsigned long active;
};

class KVINTERF_API CTableChart
{
public:
    CTableChart();
    virtual ~CTableChart();
    CTableChart(const CTableChart&) = delete;
    CTableChart& operator=(const CTableChart&) = delete;

    unsigned long AddColumn(unsigned long id, unsigned long widthPercent, unsigned long key,
                            const wchar_t* name);
    void SetNameColumn(unsigned long columnIndex, const wchar_t* text);
    void AllignColumn();
    void RemoveAllColumn();
    void RemoveHeader();
    void Init();

    unsigned long AddRow();
    // Room for that many body cells (a table about to be filled).
    void Reserve(unsigned long cells)
    {
        m_cells.reserve(cells);
        m_texts.reserve((size_t)cells * 6);
    }
    void AddCell(unsigned long columnIndex, unsigned long row, const wchar_t* text);
    void AddCell(unsigned long columnIndex, unsigned long row, long number);
    // The cell's text, or nullptr past the end.
    const wchar_t* GetCellText(unsigned long columnIndex, unsigned long row) const;
    const wchar_t* GetHeaderText(unsigned long columnIndex) const;
    unsigned long GetColumnID(unsigned long columnIndex) const;
    unsigned long GetColumnWidth(unsigned long columnIndex) const;

    void SetStyle(int kind, COLORREF text, COLORREF back, COLORREF grid, COLORREF activeColumn,
                  COLORREF keyColumn, COLORREF activeRow, int gridWidth, unsigned long formatSet,
                  unsigned long formatClear);
    const tagTableStyle& GetStyle(int kind) const { return kind == 0 ? m_head : m_rows; }
    void SetFont(const LOGFONTW& font);
    void SetHeightRow(int h) { m_rows.height = h > 0 ? h : 1; }
    void SetHeightHead(int h) { m_head.height = h > 0 ? h : 0; }
    int GetRowHeight() const { return m_rows.height; }
    int GetHeadHeight() const { return m_head.height; }
    int GetHeight() const { return (int)m_nRows * m_rows.height + m_head.height; }
    int GetDrawHeight() const;
    unsigned long GetNumRow() const { return m_nRows; }
    unsigned long GetNumColumn() const { return (unsigned long)m_columns.m_list.size(); }
    unsigned long GetNumCells() const { return (unsigned long)m_cells.size(); }
    void SetFrame(const RECT& rect) { m_rcFrame = rect; }
    void Update(const RECT& rect) { m_rcFrame = rect; }
    const CRect& GetFrame() const { return m_rcFrame; }
    int LoadImageHeader(const wchar_t* file);
    void ShowActive(int column, int row)
    {
        m_bShowActiveColumn = column;
        m_bShowActiveRow = row;
    }

    void SetActiveRow(unsigned long row);
    unsigned long SetActiveLastRow();
    unsigned long GetActiveRow() const { return m_nActiveRow; }
    void SetActive(unsigned long row);
    void ResetActive();
    int IsActive(unsigned long row) const;
    unsigned long IsLast(unsigned long row) const;
    int RemoveActiveRow();
    unsigned long SetActiveColumnByID(unsigned long id);
    unsigned long GetActiveColumn() const { return m_nActiveColumn; }

    void SetDrawPosition(unsigned long first, unsigned long end);
    unsigned long GetDrawFirst() const { return m_nDrawFirst; }
    unsigned long GetDrawEnd() const { return m_nDrawEnd; }
    CIndex Hit(int x, int y) const;
    void Draw(HDC dc);

protected:
    void FreeStyle(tagTableStyle& style);
    void MakeStyleObjects(tagTableStyle& style, COLORREF grid, COLORREF activeColumn, COLORREF keyColumn,
                          COLORREF activeRow, int gridWidth);
    unsigned long LeftPercent(unsigned long columnIndex) const;
    void PlaceBodyCell(CCell& cell, unsigned long visualRow) const;
    CCell MakeCell(const tagBodyCell& body) const;
    void DrawBodyCell(HDC dc, CCell& cell);

    std::vector<tagBodyCell> m_cells;
    std::vector<wchar_t> m_texts;
    std::vector<CCell> m_header;
    tagTableStyle m_head;
    tagTableStyle m_rows;
    CTableColumnList m_columns;
    std::vector<unsigned long> m_activeRows; // rows whose cells carry the active flag
    unsigned long m_nRows;
    unsigned long m_nActiveRow;
    unsigned long m_nActiveColumn;
    unsigned long m_nDrawFirst;
    unsigned long m_nDrawEnd;
    CRect m_rcFrame;
    CDib m_dibHeader;
    int m_bShowActiveColumn;
    int m_bShowActiveRow;
};

class KVINTERF_API CTable : public CSkin
{
public:
    enum { kScrollWidth = 16, kScrollGap = 32 };
    CTable();
    ~CTable() override;

    using CSkin::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    void SetpTableChart(CTableChart* chart) { m_pChart = chart; }
    CTableChart* GetpTableChart() const { return m_pChart; }
    int CreateScrool(DWORD style, UINT id);
    CScrollBar* GetScrollBar() const { return m_pScroll; }
    // Keeps the active row in view.
    void UpdateScrollPos();
    // Lays out frame, scroll bar and draw range for the client size.
    void Layout();
    unsigned long GetFirstRow() const { return m_nFirstRow; }
    unsigned long GetVisibleRows() const;
    void ScrollTo(long firstRow);

    void Draw(HDC dc) override;
    int MoveWindow(const RECT& rect, int repaint = 1) override;
    int MoveWindow(int x, int y, int w, int h, int repaint = 1) override;
    LRESULT OnSize(UINT type, int width, int height) override;
    LRESULT OnVScrool(UINT code, int pos, HWND control) override;
    LRESULT OnLButtonDown(UINT flags, int x, int y) override;
    LRESULT OnMouseWeel(UINT flags, short delta, int x, int y) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnDestroy() override;
    LRESULT MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    CTableChart* m_pChart; // not owned
    CScrollBar* m_pScroll;
    unsigned long m_nFirstRow;
};

} // namespace KV
