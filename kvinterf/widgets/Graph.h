#pragma once
// Progress graphs: a list of points (line graph) or columns (bar graph) painted into a frame
// with a header strip, value labels and a marker to the active item; the skin element that
// hosts one, and a row of coloured legend entries.
#include "kvinterf/skin/Skin.h"
#include "kvstruct/core/CString.h"
#include "kvstruct/core/Param.h"
#include <string>
#include <vector>

namespace KV {

enum : unsigned long {
    kSkinTypeDiagram = 0x0A000000ul,
    kSkinTypeLegend = 0x15000000ul,
};

class CGraphList;

class KVINTERF_API CGraph
{
public:
    CGraph(CGraphList* owner, double x, double y, unsigned long id, CGraph* previous, const wchar_t* labelX,
           const wchar_t* labelY);
    virtual ~CGraph() {}
    CGraph(const CGraph&) = delete;
    CGraph& operator=(const CGraph&) = delete;
    // Computes the pixel rectangle from the owner's plot, then paints.
    virtual void Draw(HDC dc) = 0;
    virtual int IsPoint(int x, int y) const = 0;
    // The pixel geometry alone (also used for hit tests and thinned drawing).
    virtual void Place() = 0;

    CGraphList* m_pOwner;
    double m_dX;
    double m_dY;
    unsigned long m_nID;
    int m_bActive;
    CGraph* m_pPrev;
    std::wstring m_sLabelX;
    std::wstring m_sLabelY;
    int m_x, m_y, m_cx, m_cy;
};

class KVINTERF_API CGraphPoint : public CGraph
{
public:
    using CGraph::CGraph;
    void Draw(HDC dc) override;
    int IsPoint(int x, int y) const override;
    void Place() override;
};

class KVINTERF_API CGraphCol : public CGraph
{
public:
    using CGraph::CGraph;
    void Draw(HDC dc) override;
    int IsPoint(int x, int y) const override;
    void Place() override;
};

class KVINTERF_API CGraphList
{
public:
    enum { kBar = 0, kLine = 1 };
    enum : unsigned long { kNone = 0xFFFFFFFFul };
    CGraphList();
    virtual ~CGraphList();
    CGraphList(const CGraphList&) = delete;
    CGraphList& operator=(const CGraphList&) = delete;

    virtual void Draw(HDC dc);
    virtual void DrawVertLab(HDC dc, int y, const wchar_t* text);
    virtual void AddItem(unsigned long id, double x, double y, const wchar_t* label);
    virtual void AddItem(unsigned long id, double x, const wchar_t* y, const wchar_t* label);
    virtual void AddItem(unsigned long id, double x, const SYSTEMTIME& time, const wchar_t* label);

    void SetType(int kind) { m_nType = kind; }
    int GetType() const { return m_nType; }
    void SetSizePoint(int n) { m_nSizePoint = n; }
    void SetSizeActivePoint(int n) { m_nSizeActive = n; }
    int GetSizePoint(int active) const { return active ? m_nSizeActive : m_nSizePoint; }
    void ShowAllHorLabel(int on) { m_bAllLabels = on; }
    void SetAreaIndent(int left, int bottom, int top, int right);
    void SetLeftHeader(const wchar_t* text) { m_sLeftHeader = text ? text : L""; }
    void SetRightHeader(const wchar_t* text) { m_sRightHeader = text ? text : L""; }
    const wchar_t* GetLeftHeader() const { return m_sLeftHeader.c_str(); }
    const wchar_t* GetRightHeader() const { return m_sRightHeader.c_str(); }
    void SetHeaderPos(int pos) { m_nHeaderPos = pos; }
    void SetStyleHeader(COLORREF text, COLORREF brush, COLORREF pen, int spare, HFONT font);
    void SetStyle(COLORREF text, COLORREF plot, COLORREF series, COLORREF frame, COLORREF outer,
                  COLORREF marker, int seriesWidth, int frameWidth, int markerWidth, HFONT font);
    HFONT GetFont() const { return m_hFont; }
    COLORREF GetPlotColour() const { return m_crPlot; }
    COLORREF GetSeriesColour() const { return m_crSeries; }

    void SetFrame(const RECT& rect);
    void Update(const RECT& rect) { SetFrame(rect); }
    const CRect& GetFrame() const { return m_rcFrame; }
    const CRect& GetPlot() const { return m_rcPlot; }
    int GetWidth() const { return m_rcPlot.Width(); }
    int GetHeight() const { return m_rcPlot.Height(); }
    CPoint GetBase() const { return CPoint(m_rcPlot.left, m_rcPlot.top); }
    long GetMaxX() const { return (long)m_dMaxX; }
    long GetMaxY() const { return (long)m_dMaxY; }
    double GetMaxXd() const { return m_dMaxX; }
    double GetMaxYd() const { return m_dMaxY; }

    void Clear();
    unsigned long Size() const { return (unsigned long)m_items.size(); }
    CGraph* GetAt(unsigned long index) const { return index < m_items.size() ? m_items[index] : nullptr; }
    unsigned long Hit(int x, int y);

    void ResetActiveColumn();
    unsigned long SetActiveLastColumn();
    int SetActiveColumn(const CListID& ids);
    unsigned long GetActiveColumn() const;
    CListID GetAllID() const;
    CGraph* FindByID(unsigned long id) const;
    CGraph* FindNextByID(unsigned long id) const;
    CGraph* FindPrevByID(unsigned long id) const;
    unsigned long SelectNextColumn(const CListID& ids);
    unsigned long SelectPrevColumn(const CListID& ids);
    int RemoveActiveColumn();

    // Number of line segments the last Draw painted (thinned to the plot width).
    unsigned long GetDrawnSegments() const { return m_nSegments; }

protected:
    void Append(CGraph* item);
    void PlaceAll();
    void DrawLineThinned(HDC dc);
    void DrawHeader(HDC dc);
    void DrawXLabels(HDC dc);
    virtual void DrawActiveLabels(HDC dc, const CGraph* active);
    int IndexByID(unsigned long id) const;

    std::vector<CGraph*> m_items;
    double m_dMaxX;
    double m_dMaxY;
    int m_nType;
    int m_bAllLabels;
    int m_nSizePoint;
    int m_nSizeActive;
    std::wstring m_sLeftHeader;
    std::wstring m_sRightHeader;
    int m_nHeaderHeight;
    int m_nHeaderPos;
    COLORREF m_crHeaderText;
    HBRUSH m_hHeaderBrush;
    HPEN m_hHeaderPen;
    HFONT m_hHeaderFont; // not owned
    int m_nIndentLeft, m_nIndentBottom, m_nIndentTop, m_nIndentRight;
    CRect m_rcFrame;
    CRect m_rcPlot;
    COLORREF m_crText;
    COLORREF m_crPlot;
    COLORREF m_crSeries;
    HBRUSH m_hPlotBrush;
    HBRUSH m_hOuterBrush;
    HPEN m_hSeriesPen;
    HPEN m_hFramePen;
    HPEN m_hMarkerPen;
    HFONT m_hFont;
    bool m_bOwnFont;
    unsigned long m_nSegments;

    friend class CGraphPoint;
    friend class CGraphCol;
};

// Durations on the vertical axis: values are seconds, labels minutes and seconds.
class KVINTERF_API CGraphListTimeY : public CGraphList
{
public:
    CGraphListTimeY() : m_nMaxMinute(0), m_nMaxSecond(0) {}
    using CGraphList::AddItem;
    void AddItem(unsigned long id, double x, const SYSTEMTIME& time, const wchar_t* label) override;
    void DrawVertLab(HDC dc, int y, const wchar_t* text) override;
    unsigned short GetMaxMinute() const { return m_nMaxMinute; }
    unsigned short GetMaxSecond() const { return m_nMaxSecond; }

protected:
    void DrawActiveLabels(HDC dc, const CGraph* active) override;
    unsigned short m_nMaxMinute;
    unsigned short m_nMaxSecond;
};

class KVINTERF_API CDiagram : public CSkin
{
public:
    CDiagram();
    ~CDiagram() override;
    using CSkin::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    void SetpGraph(CGraphList* graph) { m_pGraphList = graph; }
    CGraphList* GetpGraph() const { return m_pGraphList; }
    void Draw(HDC dc) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    CGraphList* m_pGraphList; // not owned
};

class KVINTERF_API CLegend
{
public:
    CLegend(COLORREF colour = 0, const wchar_t* text = L"", int boxWidth = 10)
        : m_crColour(colour), m_sText(text ? text : L""), m_nBoxWidth(boxWidth)
    {}
    virtual ~CLegend() {}
    void Draw(HDC dc, const RECT& share) const;
    COLORREF m_crColour;
    std::wstring m_sText;
    int m_nBoxWidth;
};

class KVINTERF_API CLegendCtrl : public CSkin
{
public:
    CLegendCtrl();
    ~CLegendCtrl() override;
    using CSkin::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    void AddLegend(COLORREF colour, const wchar_t* text, int boxWidth);
    int Size() const { return (int)m_list.size(); }
    void SetTextHight(int h) { m_nTextHeight = h; }
    void SetTextColor(COLORREF colour, COLORREF spare = 0)
    {
        (void)spare;
        m_crText = colour;
    }
    void SetFont(int height, int weight);
    void Draw(HDC dc) override;
    // Paints into any rectangle (the window's client area in Draw).
    void DrawInto(HDC dc, const RECT& rc);
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    std::vector<CLegend> m_list;
    COLORREF m_crText;
    int m_nTextHeight;
    HFONT m_hFont;
};

} // namespace KV
