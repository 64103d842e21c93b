#include "app/ui/StatisticsPage.h"
#include "app/doc/WaltzDoc.h"
#include "app/ui/Commands.h"
#include "app/ui/DlgStatCustom.h"
#include "app/ui/FWDialog.h"
#include "kvfwctrl/stats/LapGroup.h"
#include "kvfwctrl/stats/LapListLang.h"
#include "kvfwctrl/stats/StatTable.h"
#include "kvfwctrl/stats/ViewGraph.h"
#include "kvfwctrl/stats/ViewScore.h"
#include "kvinterf/widgets/Button.h"
#include "kvinterf/widgets/TabCtrl.h"
#include "kvstruct/files/IniTable.h"
#include "kvstruct/sys/MsgBox.h"

#include <vector>

namespace {

bool AskWithMessageBox(HWND owner, const wchar_t* text)
{
    return KV::ShowMsgBox(owner, text, KV::kAppCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

DeletePassesConfirm g_confirm = AskWithMessageBox;

// Check boxes of the graph panels: one statistic at a time, drawn from the skin's pictures.
const DWORD kGraphCheckStyle = 2;

} // namespace

DeletePassesConfirm SetDeletePassesConfirm(DeletePassesConfirm confirm)
{
    const DeletePassesConfirm previous = g_confirm;
    g_confirm = confirm ? confirm : AskWithMessageBox;
    return previous;
}

CStatisticsPage::CStatisticsPage(CWaltzDoc& doc, KV::CIniTable& lang)
    : m_doc(doc), m_lang(lang), m_pScore(nullptr), m_pGraph(nullptr), m_pGroups(nullptr), m_bDirty(true)
{}

CStatisticsPage::~CStatisticsPage()
{
    if (m_filter && m_filter->GetHwnd())
        m_filter->DestroyWindow();
}

KV::CSkin* CStatisticsPage::NewView(unsigned short id)
{
    if (id == kScoreView)
        return m_pScore = new KV::CViewScore();
    if (id == kGraphView)
        return m_pGraph = new KV::CViewGraph();
    return nullptr;
}

bool CStatisticsPage::SetUp(HINSTANCE instance, const std::wstring& skinFolder,
                            const std::wstring& fallbackFolder)
{
    if (!m_pScore || !m_pGraph || !m_pScore->GetHwnd() || !m_pGraph->GetHwnd())
        return false;
    COptionsDoc& options = m_doc.GetOptions();
    m_pScore->SetpScoreGraph(m_pGraph);
    m_pGraph->SetpViewScore(m_pScore);
    m_pScore->SetpStrings(&m_lang);
    m_pScore->CreateTabs(instance, skinFolder.c_str());
    m_pGraph->CreateTabs(instance, skinFolder.c_str(), LangText(&m_lang, L"StatCourse").c_str(),
                         LangText(&m_lang, L"StatLesson").c_str());
    m_pGraph->AddCoursePanel(instance, skinFolder.c_str(), fallbackFolder.c_str(), options.m_scoreColumns, 1,
                             kGraphCheckStyle);
    m_pGraph->AddLettersPanel(instance, skinFolder.c_str(), fallbackFolder.c_str(), options.m_letterColumns,
                              0, kGraphCheckStyle);
    m_filter.reset(new CDlgStatCustom(m_pScore->GetHwnd(), options, &m_lang));
    if (m_filter->Create(instance))
    {
        m_pScore->SetpStatCustomDlg(m_filter.get());
        ::ShowWindow(m_filter->GetHwnd(), SW_SHOW);
    }
    m_pScore->Update();
    m_bDirty = true;
    return true;
}

void CStatisticsPage::Show()
{
    if (!m_pScore || !m_pGraph)
        return;
    if (m_bDirty)
    {
        FillPasses();
        if (m_pScore->GetActiveTab() == 1)
            FillCharacters();
        return;
    }
    m_pScore->SetActiveLastRow();
    m_pGraph->SetActiveLastPoint();
}

void CStatisticsPage::FillPasses()
{
    COptionsDoc& options = m_doc.GetOptions();
    m_pGroups = &RegroupStatistics(m_doc.GetStat(), options);
    if (m_pScore->GetActiveTab() == 0)
        KV::FillStatPage(m_pScore, m_pGraph, *m_pGroups, options.m_scoreColumns, &m_lang, nullptr);
    m_pGraph->Update();
    m_bDirty = false;
}

void CStatisticsPage::FillCharacters()
{
    if (!m_pGroups)
        return;
    KV::CListParam& params = m_doc.GetOptions().m_letterColumns;
    const KV::CListID rows = m_pScore->GetActiveRows();
    unsigned long row = m_pGroups->GetSize() ? m_pGroups->GetSize() - 1 : 0;
    if (rows.GetSize())
        row = rows.GetID(rows.GetSize() - 1);
    KV::CStatLetterList* letters = m_pGroups->GetpStatLetter(row);
    const unsigned long graphedID = params.GetFirstID(0x100, 0xF00);
    const KV::CParam* graphed = params.Find(graphedID);
    m_pGraph->NewGraph(graphed ? graphed->GetStyle(0xF000) : (unsigned long)KV::kGraphKindCount, nullptr);
    KV::SetHeadersGraph(m_pGraph, params, &m_lang);
    m_pScore->RemoveAllColumn();
    KV::SetColumnScore(m_pScore, params, 0);
    KV::SetHeadersScore(m_pScore, params, &m_lang, 0);
    std::vector<unsigned long> ids;
    for (const KV::CParam& p : params.m_items)
        if (p.IsUsed())
            ids.push_back(p.GetID());
    const size_t count = letters ? letters->m_letters.size() : 0;
    m_pScore->Reserve(static_cast<unsigned long>(count * ids.size()));
    for (size_t r = 0; r < count; ++r)
    {
        const unsigned long tableRow = m_pScore->AddRow();
        // The cell writers only read the record.
        KV::CStatLetter* record = const_cast<KV::CStatLetter*>(letters->m_letters[r]);
        for (unsigned long c = 0; c < ids.size(); ++c)
            KV::FillStatLetter(m_pScore, m_pGraph, record, graphedID, ids[c], c, tableRow,
                               static_cast<unsigned long>(r) * 10);
    }
    m_pScore->SetActiveColumnByID(graphedID);
    m_pScore->SetActiveLastRow();
    m_pGraph->SetActiveLastPoint();
    m_pScore->Refresh();
    m_pGraph->Update();
}

bool CStatisticsPage::OnCommand(WORD id, HWND owner)
{
    if (!m_pScore || !m_pGraph)
        return false;
    switch (id)
    {
    case kCmdDeleteLaps:
        DeleteSelectedPasses(owner);
        return true;
    case kCmdScoreTabChanged:
    case kCmdGraphTabChanged: {
        // Both views show the same tab; the one that changed tells the other.
        const unsigned short tab =
            id == kCmdScoreTabChanged ? m_pScore->GetActiveTab() : m_pGraph->GetActiveTab();
        if (m_pScore->GetActiveTab() != tab)
            m_pScore->SetActiveTab(tab);
        if (m_pGraph->GetActiveTab() != tab)
            m_pGraph->SetActiveTab(tab);
        if (tab == 1)
            FillCharacters();
        else
            FillPasses();
        return true;
    }
    case kCmdGroupingChanged:
    case kCmdTypeFilterChanged:
        if (m_pScore->GetActiveTab() != 0)
        {
            m_pScore->SetActiveTab(0);
            m_pGraph->SetActiveTab(0);
        }
        FillPasses();
        m_pGraph->SetActiveGraph();
        m_pGraph->SetActiveLastPoint();
        return true;
    case kCmdExportStatistics:
        m_pScore->ExportTable();
        return true;
    default:
        return false;
    }
}

void CStatisticsPage::DeleteSelectedPasses(HWND owner)
{
    if (!m_pGroups || m_pScore->GetActiveTab() != 0)
        return;
    const KV::CListID rows = m_pScore->GetActiveRows();
    if (!rows.GetSize())
        return;
    const std::wstring text = LangText(&m_lang, L"ConfDelPasses");
    if (!g_confirm(owner, text.c_str()))
        return;
    m_pGroups->DeleteLap(rows);
    FillPasses();
}

void CStatisticsPage::SetLayoutHeader(const wchar_t* name)
{
    if (m_pGraph)
        m_pGraph->SetRightHeader(name);
}

void CStatisticsPage::Relabel()
{
    if (m_filter && m_filter->GetHwnd())
        m_filter->Fill();
    const std::wstring captions[2] = {LangText(&m_lang, L"StatCourse"), LangText(&m_lang, L"StatLesson")};
    for (KV::CTabCtrl* tabs :
         {m_pScore ? m_pScore->GetTabs() : nullptr, m_pGraph ? m_pGraph->GetTabs() : nullptr})
        for (int tab = 0; tab < 2 && tabs; ++tab)
            if (KV::CButton* button = tabs->GetTab(tab))
            {
                button->SetWindowTextW(captions[tab].c_str());
                button->Invalidate();
            }
    m_bDirty = true;
}
