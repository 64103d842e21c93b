#include "kvfwctrl/stats/ViewGraph.h"
#include "kvfwctrl/stats/ViewScore.h"
#include "kvstruct/image/Bitmap.h"
#include <string>

namespace KV {

namespace {

bool ControlDown()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

bool FileExists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

CViewGraph::CViewGraph()
    : m_pGraphOwned(nullptr), m_pCourseParams(nullptr), m_pLessonParams(nullptr), m_pScore(nullptr),
      m_bDelete(0), m_nTab(0), m_pTabs(nullptr), m_hFontHeader(nullptr), m_hFontGraph(nullptr)
{}

CViewGraph::~CViewGraph()
{
    m_panels.Clear();
    delete m_pTabs;
    DeleteGraph();
    FreeFonts();
}

void CViewGraph::FreeFonts()
{
    if (m_hFontHeader)
        ::DeleteObject(m_hFontHeader);
    if (m_hFontGraph)
        ::DeleteObject(m_hFontGraph);
    m_hFontHeader = m_hFontGraph = nullptr;
}

HWND CViewGraph::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    HWND hwnd = CDiagram::Create(instance, parent, style | WS_CLIPCHILDREN, rect, id);
    Update();
    return hwnd;
}

void CViewGraph::NewGraph(unsigned long type, const LOGFONTW* font)
{
    DeleteGraph();
    const int left = type == kGraphKindCount ? 35 : 45;
    m_pGraphOwned = type == kGraphKindCount ? new CGraphList : new CGraphListTimeY;
    m_pGraphOwned->SetAreaIndent(left, 25, 10, 12);
    SetpGraph(m_pGraphOwned);
    SetFormat(m_colours, font);
    Update();
}

void CViewGraph::SetFormat(const CListRGBA& c, const LOGFONTW* font)
{
    if (!m_pGraphOwned || c.size() != 8)
        return;
    LOGFONTW lf = {};
    if (font)
        lf = *font;
    else
    {
        lf.lfHeight = 14;
        lf.lfCharSet = DEFAULT_CHARSET;
        ::lstrcpyW(lf.lfFaceName, L"Arial");
    }
    FreeFonts();
    lf.lfWeight = FW_BOLD;
    m_hFontHeader = ::CreateFontIndirectW(&lf);
    lf.lfWeight = FW_NORMAL;
    m_hFontGraph = ::CreateFontIndirectW(&lf);
    m_pGraphOwned->SetStyleHeader(c[0].GetCOLORREF(), c[1].GetCOLORREF(), c[2].GetCOLORREF(), 1,
                                  m_hFontHeader);
    m_pGraphOwned->SetStyle(c[3].GetCOLORREF(), c[4].GetCOLORREF(), c[5].GetCOLORREF(), c[6].GetCOLORREF(),
                            c[7].GetCOLORREF(), RGB(120, 120, 120), 1, 1, 1, m_hFontGraph);
}

void CViewGraph::DeleteGraph()
{
    SetpGraph(nullptr);
    delete m_pGraphOwned;
    m_pGraphOwned = nullptr;
}

void CViewGraph::SetType(int type, int allLabels, int pointSize)
{
    if (!m_pGraphOwned)
        return;
    m_pGraphOwned->SetType(type);
    m_pGraphOwned->ShowAllHorLabel(allLabels);
    m_pGraphOwned->SetSizePoint(pointSize);
}

void CViewGraph::SetLeftHeader(const wchar_t* text)
{
    if (m_pGraphOwned)
    {
        m_pGraphOwned->SetLeftHeader(text);
        Update();
    }
}

void CViewGraph::SetRightHeader(const wchar_t* text)
{
    if (m_pGraphOwned)
    {
        m_pGraphOwned->SetRightHeader(text);
        Update();
    }
}

void CViewGraph::AddTime(unsigned long i, unsigned long j, const SYSTEMTIME& time, const wchar_t* text)
{
    if (m_pGraphOwned)
        m_pGraphOwned->AddItem(i, (double)j, time, text);
}

void CViewGraph::AddInt(unsigned long i, unsigned long j, long value, const wchar_t* text)
{
    if (m_pGraphOwned)
        m_pGraphOwned->AddItem(i, (double)j, (double)value, text);
}

int CViewGraph::LoadBitmapW(const wchar_t* file, int pictures, int reload)
{
    const int result = CSkin::LoadBitmapW(file, pictures, reload);
    if (!result)
        return 0;
    CListRGBA colours;
    ImportDibToRGBA(m_dib, colours);
    m_colours = colours;
    SetFormat(m_colours, nullptr);
    return result;
}

int CViewGraph::CreateTabs(HINSTANCE instance, const wchar_t* skinPath, const wchar_t* courseText,
                           const wchar_t* lessonText)
{
    if (!m_hWnd || m_pTabs)
        return 0;
    const std::wstring root = skinPath ? skinPath : L"";
    m_pTabs = new CTabCtrl;
    const RECT strip = {0, 0, 10, 10};
    if (!m_pTabs->Create(instance, m_hWnd, 0, strip, kIdGraphTabs))
        return 0;
    m_pTabs->SetBackImg((root + L"2411.bmp").c_str());
    m_pTabs->AddTab(kIdGraphTabCourse, (root + L"2003.bmp").c_str(), courseText);
    m_pTabs->AddTab(kIdGraphTabLesson, (root + L"2004.bmp").c_str(), lessonText);
    m_pTabs->SetCheckByNum(m_nTab);
    Update();
    return 1;
}

int CViewGraph::AddPanel(int index, HINSTANCE instance, const wchar_t* skinPath, const wchar_t* fallbackPath,
                         CListParam& params, int deleteButton, DWORD checkStyle)
{
    if (!m_hWnd)
        return 0;
    (index == 0 ? m_pCourseParams : m_pLessonParams) = &params;
    const std::wstring root = skinPath ? skinPath : L"", spare = fallbackPath ? fallbackPath : L"";
    const int top = m_pTabs ? m_pTabs->GetHeight() : 0;
    CPanel* panel = new CPanel;
    const RECT place = {0, top, 10, top + 10};
    if (!panel->Create(instance, m_hWnd, 0, place, kIdGraphPanel))
    {
        delete panel;
        return 0;
    }
    panel->LoadBitmapW((root + L"700.bmp").c_str(), 1, 0);
    for (const CParam& p : params.m_items)
    {
        if (!p.GetStyle(0x0F) || !p.GetStyle(0xF0))
            continue;
        std::wstring pic = root + std::to_wstring(p.GetID()) + L".bmp";
        if (!FileExists(pic))
            pic = spare + std::to_wstring(p.GetID()) + L".bmp";
        panel->Add((unsigned short)p.GetID(), pic.c_str(), checkStyle ? checkStyle : 2, 1, 0);
    }
    if (deleteButton)
        panel->Add(kIdGraphDelete, (root + L"751.bmp").c_str(), 0, 1, 0);
    if (index == 0)
        m_bDelete = deleteButton ? 1 : 0;
    m_panels.AddPanel(panel);
    SetCheck(index, params);
    m_panels.ShowPanel(m_nTab);
    Update();
    return 1;
}

int CViewGraph::AddCoursePanel(HINSTANCE instance, const wchar_t* skinPath, const wchar_t* fallbackPath,
                               CListParam& params, int deleteButton, DWORD checkStyle)
{
    return AddPanel(0, instance, skinPath, fallbackPath, params, deleteButton, checkStyle);
}

int CViewGraph::AddLettersPanel(HINSTANCE instance, const wchar_t* skinPath, const wchar_t* fallbackPath,
                                CListParam& params, int deleteButton, DWORD checkStyle)
{
    return AddPanel(1, instance, skinPath, fallbackPath, params, deleteButton, checkStyle);
}

void CViewGraph::SetCheck(int panelIndex, const CListParam& params)
{
    CPanel* panel = m_panels.Get(panelIndex);
    if (!panel)
        return;
    for (const CParam& p : params.m_items)
        if (p.GetStyle(0x0F) && p.GetStyle(0xF0))
            panel->SetCheck((unsigned short)p.GetID(), p.GetStyle(0xF00) ? 1 : 0);
}

void CViewGraph::SetActiveTab(unsigned short tab)
{
    if (m_pTabs)
        m_pTabs->SetCheckByNum(tab);
    m_nTab = tab;
    m_panels.ShowPanel(tab);
    Update();
}

void CViewGraph::Update()
{
    if (!m_hWnd)
        return;
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    int top = m_pTabs ? m_pTabs->GetHeight() : 0;
    // The tab strip and the panels reach across the whole view, whatever its width.
    if (m_pTabs)
    {
        const RECT strip = {0, 0, rc.right, top};
        m_pTabs->MoveSkin(&strip);
    }
    m_panels.SetDest(RECT{0, top, rc.right, top});
    if (CPanel* panel = m_panels.Get(m_nTab))
        top += panel->GetHeight();
    if (m_pGraphOwned)
        m_pGraphOwned->SetFrame(CRect(0, top, rc.right, rc.bottom));
    if (m_bDelete)
        EnableButDelete();
    Invalidate(FALSE);
}

void CViewGraph::EnableButDelete()
{
    CPanel* panel = m_panels.Get(0);
    if (!panel || !m_bDelete)
        return;
    panel->EnableCtrl(kIdGraphDelete, m_nTab == 0 && m_pGraphOwned && m_pGraphOwned->Size() > 0);
}

LRESULT CViewGraph::OnSize(UINT type, int width, int height)
{
    CDiagram::OnSize(type, width, height);
    Update();
    return 0;
}

LRESULT CViewGraph::OnInputLangChange(WPARAM, LPARAM)
{
    return 1;
}

void CViewGraph::Notify(WORD command)
{
    if (HWND parent = ::GetParent(m_hWnd))
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(command, 0), (LPARAM)m_hWnd);
}

unsigned long CViewGraph::GetCurGraph() const
{
    const CListParam* params = Params();
    return params ? params->GetFirstID(0x100, 0xF00) : 0;
}

void CViewGraph::SetActiveGraph()
{
    SetCurGraph(GetCurGraph());
}

void CViewGraph::SetCurGraph(unsigned long id)
{
    if (!m_pScore)
        return;
    if (CListParam* params = Params())
    {
        params->SetCheck(id);
        SetCheck(m_nTab, *params);
    }
    m_pScore->SetActiveColumnByID(id);
    Update();
}

void CViewGraph::ScoreSelect()
{
    if (m_pScore)
        m_pScore->SetActiveRow(Selection());
}

void CViewGraph::SetActivePoint(unsigned long index, bool add)
{
    if (!m_pGraphOwned)
        return;
    CListID& sel = Selection();
    if (!add)
    {
        m_pGraphOwned->ResetActiveColumn();
        sel.Reset();
    }
    sel.Add(index);
    if (m_pGraphOwned->SetActiveColumn(sel))
        ScoreSelect();
    Invalidate(FALSE);
}

void CViewGraph::SetActivePoint(unsigned long index)
{
    SetActivePoint(index, ControlDown());
}

void CViewGraph::SetActiveLastPoint()
{
    if (!m_pGraphOwned || m_pGraphOwned->Size() == 0)
        return;
    m_pGraphOwned->ResetActiveColumn();
    Selection().Reset();
    SetActivePoint(m_pGraphOwned->GetAt(m_pGraphOwned->Size() - 1)->m_nID, false);
}

void CViewGraph::SetActiveCurPoint()
{
    if (!m_pGraphOwned || m_pGraphOwned->Size() == 0)
        return;
    const unsigned long n = m_pGraphOwned->Size();
    unsigned long index = Selection().GetLastID();
    if (Selection().GetSize() == 0 || index >= n)
        index = m_pGraphOwned->GetAt(n - 1)->m_nID;
    if (index < n)
        SetActivePoint(index, false);
}

void CViewGraph::StepPoint(bool next)
{
    if (!m_pGraphOwned || m_pGraphOwned->Size() == 0)
        return;
    const bool add = ControlDown();
    CListID& sel = Selection();
    if (!add)
        m_pGraphOwned->ResetActiveColumn();
    const unsigned long picked =
        next ? m_pGraphOwned->SelectNextColumn(sel) : m_pGraphOwned->SelectPrevColumn(sel);
    if (!add)
        sel.Reset();
    sel.Add(picked);
    m_pGraphOwned->SetActiveColumn(sel);
    ScoreSelect();
    Notify(kCmdSelectionChanged);
    Invalidate(FALSE);
}

void CViewGraph::OnSelectNextPoint()
{
    StepPoint(true);
}

void CViewGraph::OnSelectPrevPoint()
{
    StepPoint(false);
}

void CViewGraph::OnSelectAll()
{
    if (!m_pGraphOwned)
        return;
    m_pGraphOwned->ResetActiveColumn();
    Selection() = m_pGraphOwned->GetAllID();
    m_pGraphOwned->SetActiveColumn(Selection());
    ScoreSelect();
    Invalidate(FALSE);
}

void CViewGraph::OnSelectNextDiargam()
{
    CListParam* params = Params();
    if (!params)
        return;
    SetCurGraph(params->GetNextID(GetCurGraph(), 0x11, 0xFF));
    Notify(kCmdCurGraphChanged);
}

void CViewGraph::OnSelectPrevDiargam()
{
    CListParam* params = Params();
    if (!params)
        return;
    SetCurGraph(params->GetPrevID(GetCurGraph(), 0x11, 0xFF));
    Notify(kCmdCurGraphChanged);
}

void CViewGraph::OnChangedTab(unsigned short tab)
{
    m_nTab = tab;
    SetCurGraph(GetCurGraph());
    Notify(kCmdGraphTabChanged);
    m_panels.ShowPanel(tab);
    Update();
}

void CViewGraph::OnSetCurGraph(unsigned short id)
{
    SetCurGraph(id);
    Notify(kCmdCurGraphChanged);
    Invalidate(FALSE);
}

int CViewGraph::OnDelete(HWND control)
{
    if (m_nTab != 0)
        return 0;
    if (HWND parent = ::GetParent(m_hWnd))
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(kCmdDeleteLaps, 0), (LPARAM)control);
    return 1;
}

LRESULT CViewGraph::OnCommand(WORD code, WORD id, HWND control)
{
    CDiagram::OnCommand(code, id, control);
    if (id >= 701 && id <= 709)
        OnSetCurGraph(id);
    else if (id >= 1 && id <= 10)
        Notify(kCmdSelectionChanged);
    else
        switch (id)
        {
        case kIdGraphDelete:
            return OnDelete(control);
        case kIdGraphTabCourse:
            OnChangedTab(0);
            break;
        case kIdGraphTabLesson:
            OnChangedTab(1);
            break;
        case kCmdNextDiagram:
            OnSelectNextDiargam();
            break;
        case kCmdPrevDiagram:
            OnSelectPrevDiargam();
            break;
        case kCmdNextPoint:
            OnSelectNextPoint();
            break;
        case kCmdPrevPoint:
            OnSelectPrevPoint();
            break;
        case kCmdSelectAll:
            OnSelectAll();
            break;
        default:
            break;
        }
    return 0;
}

void CViewGraph::ClickPoint(UINT flags, int x, int y, WORD command)
{
    if (HWND parent = ::GetParent(m_hWnd))
        ::SetFocus(parent);
    if (!m_pGraphOwned)
        return;
    const unsigned long hit = m_pGraphOwned->Hit(x, y);
    if (hit == CGraphList::kNone)
        return;
    SetActivePoint(m_pGraphOwned->GetAt(hit)->m_nID, (flags & MK_CONTROL) != 0);
    Notify(command);
}

LRESULT CViewGraph::OnLButtonDown(UINT flags, int x, int y)
{
    ClickPoint(flags, x, y, kCmdPointClicked);
    return 0;
}

LRESULT CViewGraph::OnLButtonDblClick(UINT flags, int x, int y)
{
    ClickPoint(flags, x, y, kCmdPointDblClicked);
    return 0;
}

} // namespace KV
