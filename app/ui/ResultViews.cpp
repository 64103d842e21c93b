#include "app/ui/ResultViews.h"
#include "app/doc/WaltzDoc.h"
#include "app/ui/FWDialog.h"
#include "kvfwctrl/stats/LapList.h"
#include "kvfwctrl/stats/StatTable.h"
#include "kvfwctrl/stats/ViewGraph.h"
#include "kvfwctrl/stats/ViewScore.h"

#include <vector>

struct CResultViews::Views
{
    KV::CViewScore score;
    KV::CViewGraph graph;
};

namespace {

// The IDs of the columns a list shows, in order.
std::vector<unsigned long> ShownIDs(const KV::CListParam& params)
{
    std::vector<unsigned long> ids;
    for (const KV::CParam& p : params.m_items)
        if (p.IsUsed())
            ids.push_back(p.GetID());
    return ids;
}

// A first column of its own (row names or numbers) before the chosen columns, firstShare
// times as wide as each of them.
void SetColumns(KV::CViewScore& score, KV::CViewGraph& graph, KV::CListParam& params, KV::CIniTable* lang,
                const wchar_t* firstKey, unsigned long firstShare, unsigned long graphedID)
{
    const KV::CParam* graphed = params.Find(graphedID);
    graph.NewGraph(graphed ? graphed->GetStyle(0xF000) : (unsigned long)KV::kGraphKindCount, nullptr);
    KV::SetHeadersGraph(&graph, params, lang);
    score.RemoveAllColumn();
    const unsigned long shares = static_cast<unsigned long>(ShownIDs(params).size()) + firstShare;
    score.AddColumn(0, 100 * firstShare / shares, 0, LangText(lang, firstKey).c_str());
    for (unsigned long id : ShownIDs(params))
        score.AddColumn(id, 100 / shares, 0, L"");
    KV::SetHeadersScore(&score, params, lang, 1);
    score.AllignColumn();
}

} // namespace

CResultViews::CResultViews(KV::CIniTable* lang, const std::wstring& skinFolder)
    : m_pLang(lang), m_skinFolder(skinFolder)
{}

CResultViews::~CResultViews()
{
    for (auto& v : m_views)
    {
        v.second->score.DestroyWindow();
        v.second->graph.DestroyWindow();
    }
}

void CResultViews::Create(HWND page, const RECT& area, int kind, CWaltzDoc& doc)
{
    std::unique_ptr<Views> views(new Views);
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const int middle = area.top + (area.bottom - area.top) / 2;
    views->score.Create(instance, page, WS_CHILD, RECT{area.left, area.top, area.right, middle}, 306);
    views->graph.Create(instance, page, WS_CHILD, RECT{area.left, middle, area.right, area.bottom}, 305);
    views->score.LoadBitmapStat((m_skinFolder + L"306.bmp").c_str());
    views->graph.LoadBitmapW((m_skinFolder + L"305.bmp").c_str(), 1, 0);
    ::MoveWindow(views->score.GetHwnd(), area.left, area.top, area.right - area.left, middle - area.top,
                 FALSE);
    ::MoveWindow(views->graph.GetHwnd(), area.left, middle, area.right - area.left, area.bottom - middle,
                 FALSE);
    views->score.SetpScoreGraph(&views->graph);
    views->graph.SetpViewScore(&views->score);
    views->score.SetpStrings(m_pLang);
    if (kind == Progress)
        FillProgress(*views, doc);
    else
        FillCharacters(*views, doc);
    views->score.ShowWindow(SW_SHOW);
    views->graph.ShowWindow(SW_SHOW);
    views->score.Update();
    views->graph.Update();
    m_views[page] = std::move(views);
}

void CResultViews::FillProgress(Views& views, CWaltzDoc& doc)
{
    KV::CListParam& params = doc.GetOptions().m_scoreColumns;
    const unsigned long graphedID = params.GetFirstID(0x100, 0xF00);
    // The rows are named: "Previous pass" and "This pass" need the room.
    SetColumns(views.score, views.graph, params, m_pLang, L"Lesson", 2, graphedID);
    KV::CLapList* laps = doc.GetpLapList();
    const unsigned long count = laps ? laps->GetSize() : 0;
    const std::vector<unsigned long> ids = ShownIDs(params);
    // The pass before and the pass just ended.
    const struct
    {
        unsigned long index;
        const wchar_t* key;
    } rows[] = {{count - 2, L"LastLesson"}, {count - 1, L"CurrentLesson"}};
    for (const auto& r : rows)
    {
        if (r.index >= count)
            continue;
        const unsigned long row = views.score.AddRow();
        views.score.AddCell(row, 0, LangText(m_pLang, r.key).c_str());
        for (unsigned long c = 0; c < ids.size(); ++c)
            KV::FillStatCourse(&views.score, &views.graph, laps->Get(r.index), m_pLang, graphedID, ids[c],
                               c + 1, row, row * 10, 0);
    }
    views.score.SetActiveColumnByID(graphedID);
    views.score.SetActiveLastRow();
    views.graph.SetActiveLastPoint();
    views.score.Refresh();
}

void CResultViews::FillCharacters(Views& views, CWaltzDoc& doc)
{
    KV::CListParam& params = doc.GetOptions().m_letterColumns;
    const unsigned long graphedID = params.GetFirstID(0x100, 0xF00);
    SetColumns(views.score, views.graph, params, m_pLang, L"Index", 1, graphedID);
    KV::CLapList* laps = doc.GetpLapList();
    KV::CStatLetterList* letters =
        laps && laps->GetSize() ? laps->GetpStatLetter(laps->GetSize() - 1) : nullptr;
    const std::vector<unsigned long> ids = ShownIDs(params);
    const size_t count = letters ? letters->m_letters.size() : 0;
    for (size_t r = 0; r < count; ++r)
    {
        const unsigned long row = views.score.AddRow();
        views.score.AddCell(row, 0, std::to_wstring(r + 1).c_str());
        // The cell writers only read the record.
        KV::CStatLetter* record = const_cast<KV::CStatLetter*>(letters->m_letters[r]);
        for (unsigned long c = 0; c < ids.size(); ++c)
            KV::FillStatLetter(&views.score, &views.graph, record, graphedID, ids[c], c + 1, row,
                               static_cast<unsigned long>(r) * 10);
    }
    views.score.SetActiveColumnByID(graphedID);
    views.score.Refresh();
}

void CResultViews::Destroy(HWND page)
{
    auto it = m_views.find(page);
    if (it == m_views.end())
        return;
    it->second->score.DestroyWindow();
    it->second->graph.DestroyWindow();
    m_views.erase(it);
}

KV::CViewScore* CResultViews::GetScore(HWND page) const
{
    auto it = m_views.find(page);
    return it == m_views.end() ? nullptr : &it->second->score;
}
