#pragma once
// The statistics page's graph: one chosen statistic of the passes or groups, two tabs (by
// course, by lesson), a panel of check boxes that chooses the statistic, point selections kept
// in step with the score table.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvinterf/widgets/Graph.h"
#include "kvinterf/widgets/Panel.h"
#include "kvinterf/widgets/TabCtrl.h"
#include "kvstruct/core/Colour.h"
#include "kvstruct/core/Param.h"

namespace KV {

class CViewScore;

enum : unsigned short {
    kIdGraphTabs = 2002,
    kIdGraphTabCourse = 2003,
    kIdGraphTabLesson = 2004,
    kIdGraphPanel = 2006,
    kIdGraphDelete = 751,
    kCmdDeleteLaps = 3001,
    kCmdNextDiagram = 3008,
    kCmdPrevDiagram = 3009,
    kCmdNextPoint = 3010,
    kCmdPrevPoint = 3011,
    kCmdGraphTabChanged = 3014,
    kCmdCurGraphChanged = 3016,
    kCmdSelectionChanged = 3017,
    kCmdPointClicked = 3018,
    kCmdPointDblClicked = 3019,
    kCmdSelectAll = 3022,
    kGraphKindCount = 4096,
};

class KVFWCTRL_API CViewGraph : public CDiagram
{
public:
    CViewGraph();
    ~CViewGraph() override;

    using CDiagram::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    LRESULT OnCommand(WORD code, WORD id, HWND control) override;
    LRESULT OnLButtonDown(UINT flags, int x, int y) override;
    LRESULT OnLButtonDblClick(UINT flags, int x, int y) override;
    LRESULT OnSize(UINT type, int width, int height) override;
    LRESULT OnInputLangChange(WPARAM charset, LPARAM layout) override;
    int LoadBitmapW(const wchar_t* file, int pictures, int reload) override;
    virtual void SetActiveTab(unsigned short tab);
    virtual int OnDelete(HWND control);
    virtual void OnSelectNextDiargam();
    virtual void OnSelectPrevDiargam();
    virtual void OnSelectNextPoint();
    virtual void OnSelectPrevPoint();
    virtual void OnChangedTab(unsigned short tab);
    virtual void OnSetCurGraph(unsigned short id);
    virtual void OnSelectAll();

    // type 4096 counts and percentages, else durations.
    void NewGraph(unsigned long type, const LOGFONTW* font);
    void SetFormat(const CListRGBA& colours, const LOGFONTW* font);
    void DeleteGraph();
    CGraphList* GetGraph() const { return m_pGraphOwned; }
    void SetType(int type, int allLabels, int pointSize);
    void SetLeftHeader(const wchar_t* text);
    void SetRightHeader(const wchar_t* text);
    void AddTime(unsigned long i, unsigned long j, const SYSTEMTIME& time, const wchar_t* text);
    void AddInt(unsigned long i, unsigned long j, long value, const wchar_t* text);

    int CreateTabs(HINSTANCE instance, const wchar_t* skinPath, const wchar_t* courseText = nullptr,
                   const wchar_t* lessonText = nullptr);
    int AddCoursePanel(HINSTANCE instance, const wchar_t* skinPath, const wchar_t* fallbackPath,
                       CListParam& params, int deleteButton, DWORD checkStyle);
    int AddLettersPanel(HINSTANCE instance, const wchar_t* skinPath, const wchar_t* fallbackPath,
                        CListParam& params, int deleteButton, DWORD checkStyle);
    void SetCheck(int panel, const CListParam& params);
    void SetpViewScore(CViewScore* score) { m_pScore = score; }
    void SetActiveNumTab(unsigned short tab) { m_nTab = tab; }
    unsigned short GetActiveTab() const { return m_nTab; }
    void Update();
    void EnableButDelete();
    unsigned long GetActivePointCourse() const { return m_selCourse.GetID(0); }
    const CListID& GetSelection() const { return m_nTab ? m_selLesson : m_selCourse; }
    void SetActiveGraph();
    void SetCurGraph(unsigned long id);
    unsigned long GetCurGraph() const;

    // add: the point joins the selection instead of replacing it (Control held).
    void SetActivePoint(unsigned long index, bool add);
    void SetActivePoint(unsigned long index);
    void SetActiveLastPoint();
    void SetActiveCurPoint();
    CPanelList& GetPanels() { return m_panels; }
    CTabCtrl* GetTabs() const { return m_pTabs; }
    const CListRGBA& GetColours() const { return m_colours; }

protected:
    CListID& Selection() { return m_nTab ? m_selLesson : m_selCourse; }
    CListParam* Params() const { return m_nTab ? m_pLessonParams : m_pCourseParams; }
    int AddPanel(int index, HINSTANCE instance, const wchar_t* skinPath, const wchar_t* fallbackPath,
                 CListParam& params, int deleteButton, DWORD checkStyle);
    void StepPoint(bool next);
    void ClickPoint(UINT flags, int x, int y, WORD command);
    void ScoreSelect();
    void Notify(WORD command);
    void FreeFonts();

    CGraphList* m_pGraphOwned;
    CListParam* m_pCourseParams; // not owned
    CListParam* m_pLessonParams; // not owned
    CListRGBA m_colours;
    CViewScore* m_pScore; // not owned
    unsigned long m_bDelete;
    unsigned short m_nTab;
    CListID m_selCourse;
    CListID m_selLesson;
    CTabCtrl* m_pTabs;
    CPanelList m_panels;
    HFONT m_hFontHeader;
    HFONT m_hFontGraph;
};

} // namespace KV
