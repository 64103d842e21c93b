#pragma once
// The statistics page's table: one row per pass or group, one column per statistic, two tabs
// (by course, by lesson), selections kept in step with the graph view, export to CSV.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvinterf/widgets/Static.h"
#include "kvinterf/widgets/TabCtrl.h"
#include "kvinterf/widgets/Table.h"
#include "kvinterf/window/Dialog.h"
#include "kvstruct/core/Colour.h"
#include "kvstruct/core/Param.h"
#include "kvstruct/files/IniTable.h"

namespace KV {

class CViewGraph;

// Controls and commands of the score view.
enum : unsigned short {
    kIdScoreTable = 2010,
    kIdScoreScroll = 787,
    kIdScoreTabs = 2012,
    kIdScoreTabCourse = 2013,
    kIdScoreTabLesson = 2014,
    kCmdScoreTabChanged = 3015,
    // Writes the rows and columns shown to a CSV file the user chooses.
    kCmdExportTable = 3030,
};

class KVFWCTRL_API CScore
{
public:
    CScore();
    virtual ~CScore();
    CScore(const CScore&) = delete;
    CScore& operator=(const CScore&) = delete;

    virtual HWND Create(HINSTANCE instance, HWND parent, unsigned long style, RECT& rect, unsigned long id);
    virtual void Draw(HDC dc);

    // Exactly 8 colours: rows' text, background, grid, active column; header's the same four.
    void SetFormat(const CListRGBA& colours);
    void ShowScrool(int show) { m_bShowScroll = show; }
    int IsShowScroll() const { return m_bShowScroll; }

    void SetFont(const LOGFONTW& font) { m_chart.SetFont(font); }
    unsigned long IsLast(unsigned long row) const { return m_chart.IsLast(row); }
    int IsEmpty() const { return m_chart.GetNumCells() == 0; }
    CIndex Hit(int x, int y) const { return m_chart.Hit(x, y); }
    void ShowActive(int column, int row) { m_chart.ShowActive(column, row); }
    void AllignColumn() { m_chart.AllignColumn(); }
    unsigned long SetActiveLastRow() { return m_chart.SetActiveLastRow(); }
    void ResetActive() { m_chart.ResetActive(); }
    void SetActiveRow(const CListID& rows);
    int RemoveActiveRow() { return m_chart.RemoveActiveRow(); }
    unsigned long GetActiveRow() const { return m_chart.GetActiveRow(); }
    void RemoveAllColumn() { m_chart.RemoveAllColumn(); }
    unsigned long AddColumn(unsigned long id, unsigned long width, unsigned long style, const wchar_t* name)
    {
        return m_chart.AddColumn(id, width, style, name);
    }
    void SetNameColumn(unsigned long column, const wchar_t* text) { m_chart.SetNameColumn(column, text); }
    unsigned long SetActiveColumnByID(unsigned long id) { return m_chart.SetActiveColumnByID(id); }
    void RemoveHeader() { m_chart.RemoveHeader(); }
    void AddCell(unsigned long row, unsigned long column, long number)
    {
        m_chart.AddCell(column, row, number);
    }
    void AddCell(unsigned long row, unsigned long column, const wchar_t* text)
    {
        m_chart.AddCell(column, row, text);
    }
    unsigned long AddRow() { return m_chart.AddRow(); }
    int LoadImageHeader(const wchar_t* path) { return m_chart.LoadImageHeader(path); }
    void Init() { m_chart.Init(); }

    void Move(const RECT& rect);
    void Show(int show);
    void UpdateScrollPos() { m_table.UpdateScrollPos(); }

    CTable& GetTable() { return m_table; }
    CTableChart& GetChart() { return m_chart; }
    const CTableChart& GetChart() const { return m_chart; }

protected:
    CTable m_table;
    CTableChart m_chart;
    unsigned long m_bShowScroll;
};

class KVFWCTRL_API CViewScore : public CStatic
{
public:
    CViewScore();
    ~CViewScore() override;

    using CStatic::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    void Draw(HDC dc) override;
    int ShowWindow(int command) override;
    LRESULT OnCommand(WORD code, WORD id, HWND control) override;
    LRESULT OnLButtonDown(UINT flags, int x, int y) override;
    LRESULT OnMouseWeel(UINT flags, short delta, int x, int y) override;
    LRESULT OnSize(UINT type, int width, int height) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    int LoadBitmapW(const wchar_t* file, int pictures, int reload) override;
    virtual void SetActiveTab(unsigned short tab);
    virtual void OnChangedTab(unsigned short tab);

    // Tab captions come from the language table when one is set.
    int CreateTabs(HINSTANCE instance, const wchar_t* skinPath);
    void SetActiveNumTab(unsigned short tab) { m_nActiveTab = tab; }
    unsigned short GetActiveTab() const { return (unsigned short)m_nActiveTab; }
    CTabCtrl* GetTabs() const { return m_pTabs; }

    void SetActiveRow(const CListID& rows);
    void SetActiveRow(unsigned long row);
    // add: the row joins the selection (Control held) instead of replacing it.
    void SelectRow(unsigned long row, bool add);
    CListID GetActiveRows() const { return m_selection; }
    unsigned long GetActiveRow() const { return m_score.GetActiveRow(); }
    int RemoveActiveRow();
    long SetActiveLastRow();
    void MouseWeel(UINT keys, short delta, int x, int y);
    void Update();
    int LoadBitmapStat(const wchar_t* path);

    void SetpScoreGraph(CViewGraph* graph) { m_pGraph = graph; }
    CViewGraph* GetpScoreGraph() const { return m_pGraph; }
    void SetpStatCustomDlg(CDialog* dialog) { m_pCustomDlg = dialog; }
    void SetpStrings(CIniTable* strings) { m_pStrings = strings; }
    void ShowScrool(int show)
    {
        m_bShowScroll = show;
        m_score.ShowScrool(show);
    }
    void SetFont(const LOGFONTW& font) { m_score.SetFont(font); }
    void ShowActive(int column, int row) { m_score.ShowActive(column, row); }
    void UpdateScrollPos() { m_score.UpdateScrollPos(); }
    void AllignColumn() { m_score.AllignColumn(); }
    void RemoveAllColumn() { m_score.RemoveAllColumn(); }
    unsigned long AddColumn(unsigned long id, unsigned long width, unsigned long style, const wchar_t* name)
    {
        return m_score.AddColumn(id, width, style, name);
    }
    void SetNameColumn(unsigned long column, const wchar_t* text) { m_score.SetNameColumn(column, text); }
    void SetActiveColumnByID(unsigned long id);
    void RemoveHeader() { m_score.RemoveHeader(); }
    void AddCell(unsigned long row, unsigned long column, long number)
    {
        m_score.AddCell(row, column, number);
    }
    void AddCell(unsigned long row, unsigned long column, const wchar_t* text)
    {
        m_score.AddCell(row, column, text);
    }
    unsigned long AddRow() { return m_score.AddRow(); }
    void Reserve(unsigned long cells) { m_score.GetChart().Reserve(cells); }
    int LoadImageHeader(const wchar_t* path) { return m_score.LoadImageHeader(path); }
    void Init() { m_score.Init(); }
    // The table's layout after its rows changed.
    void Refresh();

    // Asks for a file and writes the table to it; a failure is reported in a message box.
    // 1 written, 0 cancelled or nothing to write, -1 failed.
    int ExportTable();

    CScore& GetScore() { return m_score; }

protected:
    void Reselect();
    const wchar_t* Text(const wchar_t* key, const wchar_t* fallback) const;

    CScore m_score;
    CViewGraph* m_pGraph; // not owned
    unsigned long m_bShowScroll;
    CDialog* m_pCustomDlg; // not owned
    CListID m_selection;
    unsigned long m_nActiveTab;
    CTabCtrl* m_pTabs;
    CIniTable* m_pStrings; // not owned
    HINSTANCE m_hInstance;
};

} // namespace KV
