#include "kvfwctrl/stats/ViewScore.h"
#include "kvfwctrl/stats/TableExport.h"
#include "kvfwctrl/stats/ViewGraph.h"
#include "kvstruct/image/Bitmap.h"
#include "kvstruct/sys/MsgBox.h"
#include <string>

namespace KV {

namespace {

bool ControlDown()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

} // namespace

// --- CScore -----------------------------------------------------------------------------------

CScore::CScore() : m_bShowScroll(1)
{
    m_table.SetpTableChart(&m_chart);
}

CScore::~CScore() {}

HWND CScore::Create(HINSTANCE instance, HWND parent, unsigned long style, RECT& rect, unsigned long)
{
    HWND hwnd = m_table.Create(instance, parent, style, rect, kIdScoreTable);
    if (hwnd && m_bShowScroll)
        m_table.CreateScrool(WS_CHILD | WS_VISIBLE | WS_TABSTOP | SBS_VERT, kIdScoreScroll);
    return hwnd;
}

void CScore::Draw(HDC dc)
{
    m_table.Draw(dc);
}

void CScore::SetFormat(const CListRGBA& c)
{
    if (c.size() != 8)
        return;
    const COLORREF key = RGB(235, 235, 235), activeRow = RGB(210, 210, 210);
    m_chart.SetStyle(1, c[0].GetCOLORREF(), c[1].GetCOLORREF(), c[2].GetCOLORREF(), c[3].GetCOLORREF(), key,
                     activeRow, 0, 15, 0);
    m_chart.SetStyle(0, c[4].GetCOLORREF(), c[5].GetCOLORREF(), c[6].GetCOLORREF(), c[7].GetCOLORREF(), key,
                     activeRow, 1, 0, 8);
    m_chart.SetHeightHead(25);
    m_chart.SetHeightRow(20);
}

void CScore::SetActiveRow(const CListID& rows)
{
    for (unsigned long row : rows.m_ids)
        m_chart.SetActiveRow(row);
}

void CScore::Move(const RECT& rect)
{
    m_table.MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void CScore::Show(int show)
{
    m_table.ShowWindow(show);
}

// --- CViewScore -------------------------------------------------------------------------------

CViewScore::CViewScore()
    : m_pGraph(nullptr), m_bShowScroll(1), m_pCustomDlg(nullptr), m_nActiveTab(0), m_pTabs(nullptr),
      m_pStrings(nullptr), m_hInstance(nullptr)
{}

CViewScore::~CViewScore()
{
    delete m_pTabs;
}

HWND CViewScore::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    HWND hwnd = CStatic::Create(instance, parent, style | WS_CLIPCHILDREN | SS_NOTIFY, rect, id);
    if (!hwnd)
        return nullptr;
    m_hInstance = instance;
    ::ShowWindow(hwnd, SW_HIDE);
    RECT inner = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
    m_score.ShowScrool((int)m_bShowScroll);
    m_score.Create(instance, hwnd, WS_CLIPCHILDREN, inner, kIdScoreTable);
    Update();
    return hwnd;
}

const wchar_t* CViewScore::Text(const wchar_t* key, const wchar_t* fallback) const
{
    const wchar_t* text = m_pStrings ? m_pStrings->GetW(key) : L"";
    return *text ? text : fallback;
}

int CViewScore::CreateTabs(HINSTANCE instance, const wchar_t* skinPath)
{
    if (!m_hWnd || m_pTabs)
        return 0;
    const std::wstring root = skinPath ? skinPath : L"";
    m_pTabs = new CTabCtrl;
    const RECT strip = {0, 0, 10, 10};
    if (!m_pTabs->Create(instance, m_hWnd, 0, strip, kIdScoreTabs))
        return 0;
    m_pTabs->SetBackImg((root + L"2411.bmp").c_str());
    m_pTabs->AddTab(kIdScoreTabCourse, (root + L"2013.bmp").c_str(), Text(L"StatCourse", L""));
    m_pTabs->AddTab(kIdScoreTabLesson, (root + L"2014.bmp").c_str(), Text(L"StatLesson", L""));
    m_pTabs->SetCheckByNum((int)m_nActiveTab);
    Update();
    return 1;
}

void CViewScore::Draw(HDC dc)
{
    if (IsPictureLoaded())
    {
        CStatic::Draw(dc);
        return;
    }
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    ::FillRect(dc, &rc, m_score.GetChart().GetStyle(1).brushBack);
}

LRESULT CViewScore::OnEraseBkgnd(HDC)
{
    return 1;
}

int CViewScore::ShowWindow(int command)
{
    m_score.Show(command);
    return CStatic::ShowWindow(command);
}

void CViewScore::SetActiveTab(unsigned short tab)
{
    if (m_pTabs)
        m_pTabs->SetCheckByNum(tab);
    m_nActiveTab = tab;
    ShowWindow(SW_SHOW);
}

void CViewScore::OnChangedTab(unsigned short tab)
{
    m_nActiveTab = tab;
    if (HWND parent = ::GetParent(m_hWnd))
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(kCmdScoreTabChanged, 0), (LPARAM)m_hWnd);
    ShowWindow(SW_SHOW);
}

LRESULT CViewScore::OnCommand(WORD code, WORD id, HWND control)
{
    CStatic::OnCommand(code, id, control);
    if (id == kCmdExportTable)
    {
        ExportTable();
        return 0;
    }
    if (m_pGraph && m_pGraph->GetHwnd())
        ::SendMessageW(m_pGraph->GetHwnd(), WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)control);
    if (id == kIdScoreTabCourse)
        OnChangedTab(0);
    else if (id == kIdScoreTabLesson)
        OnChangedTab(1);
    return 0;
}

void CViewScore::Reselect()
{
    m_score.ResetActive();
    m_score.SetActiveRow(m_selection);
    m_score.UpdateScrollPos();
    m_score.GetTable().Invalidate(FALSE);
}

void CViewScore::SetActiveRow(const CListID& rows)
{
    if (m_score.IsEmpty() || rows.GetSize() == 0)
        return;
    m_selection = rows;
    Reselect();
}

void CViewScore::SelectRow(unsigned long row, bool add)
{
    if (!add)
        m_selection.Reset();
    m_selection.Add(row);
    Reselect();
}

void CViewScore::SetActiveRow(unsigned long row)
{
    SelectRow(row, ControlDown());
}

int CViewScore::RemoveActiveRow()
{
    if (!m_score.RemoveActiveRow())
        return 0;
    Refresh();
    return 1;
}

long CViewScore::SetActiveLastRow()
{
    if (m_score.IsEmpty())
        return -1;
    m_score.ResetActive();
    const unsigned long last = m_score.SetActiveLastRow();
    if (last != CIndex::kNone)
        SelectRow(last, false);
    return (long)last;
}

void CViewScore::MouseWeel(UINT, short delta, int, int)
{
    if (m_score.IsEmpty())
        return;
    const CTableChart& chart = m_score.GetChart();
    const unsigned long rows = chart.GetNumCells() / chart.GetNumColumn();
    const unsigned long cur = m_score.GetActiveRow();
    unsigned long row;
    if ((unsigned short)delta & 0x8000)
        row = cur + 1 >= rows ? 0 : cur + 1;
    else
        row = cur == 0 ? rows - 1 : cur - 1;
    const bool add = ControlDown();
    SelectRow(row, add);
    if (m_pGraph)
        m_pGraph->SetActivePoint(row, add);
}

LRESULT CViewScore::OnMouseWeel(UINT flags, short delta, int x, int y)
{
    MouseWeel(flags, delta, x, y);
    return 0;
}

LRESULT CViewScore::OnLButtonDown(UINT flags, int x, int y)
{
    if (HWND parent = ::GetParent(m_hWnd))
        ::SetFocus(parent);
    if (!m_pGraph)
        return 0;
    const CIndex hit = m_score.Hit(x, y);
    const bool add = (flags & MK_CONTROL) != 0;
    if (hit.second != CIndex::kNone)
    {
        SelectRow(hit.second, add);
        m_pGraph->SetActivePoint(hit.second, add);
    }
    if (hit.first != CIndex::kNone && m_pGraph->GetHwnd())
        ::SendMessageW(m_pGraph->GetHwnd(), WM_COMMAND, MAKEWPARAM((WORD)hit.first, 0), 0);
    return 0;
}

void CViewScore::Update()
{
    if (!m_hWnd)
        return;
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    const int top = m_pTabs ? m_pTabs->GetHeight() : 0;
    // The tab strip reaches across the whole view, whatever its width.
    if (m_pTabs)
    {
        const RECT strip = {0, 0, rc.right, top};
        m_pTabs->MoveSkin(&strip);
    }
    RECT table = {0, top, rc.right + (m_bShowScroll ? CTable::kScrollWidth : 0), rc.bottom};
    if (m_pCustomDlg)
        table.bottom -= 25;
    m_score.Move(table);
    if (m_pCustomDlg && m_pCustomDlg->GetHwnd())
        ::MoveWindow(m_pCustomDlg->GetHwnd(), 0, table.bottom, rc.right, 25, TRUE);
}

void CViewScore::Refresh()
{
    m_score.GetTable().Layout();
    m_score.GetTable().Invalidate(FALSE);
}

LRESULT CViewScore::OnSize(UINT type, int width, int height)
{
    CStatic::OnSize(type, width, height);
    Update();
    return 0;
}

void CViewScore::SetActiveColumnByID(unsigned long id)
{
    m_score.SetActiveColumnByID(id);
    m_score.UpdateScrollPos();
    m_score.GetTable().Invalidate(FALSE);
}

int CViewScore::LoadBitmapW(const wchar_t* file, int pictures, int reload)
{
    const int result = CStatic::LoadBitmapW(file, pictures, reload);
    if (!result)
        return 0;
    CListRGBA colours;
    ImportDibToRGBA(m_dib, colours);
    m_score.SetFormat(colours);
    return result;
}

int CViewScore::LoadBitmapStat(const wchar_t* path)
{
    CDib dib;
    if (!path || !dib.Load(path) || !dib.IsLoad())
        return 0;
    CListRGBA colours;
    ImportDibToRGBA(dib, colours);
    m_score.SetFormat(colours);
    return 1;
}

int CViewScore::ExportTable()
{
    const CTableChart& chart = m_score.GetChart();
    HWND owner = m_hWnd ? ::GetAncestor(m_hWnd, GA_ROOT) : nullptr;
    if (chart.GetNumColumn() == 0 || chart.GetNumCells() == 0)
    {
        ShowMsgBox(owner, Text(L"ExportNothing", L"There are no passes to export."), kAppCaption,
                   MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    std::wstring path;
    if (!AskSaveFile(owner, Text(L"ExportFileName", L"statistics.csv"), path))
        return 0;
    if (ExportTableCSV(chart, path.c_str()))
        return 1;
    std::wstring text = Text(L"ExportFailed", L"The table could not be written to this file:");
    text += L"\n";
    text += path;
    ShowMsgBox(owner, text.c_str(), kAppCaption, MB_OK | MB_ICONEXCLAMATION);
    return -1;
}

} // namespace KV
