#pragma once
// The main window's statistics page: the score table (306) over the graph (305) and the filter
// bar under the table. Tab 0 lists the user's passes of the current layout, grouped as the
// filter bar says; tab 1 the characters of the selected row. The page is filled when it is shown
// after the passes changed, not on every visit.
#include <windows.h>

#include <memory>
#include <string>

class CWaltzDoc;
class CDlgStatCustom;
namespace KV {
class CIniTable;
class CSkin;
class CViewGraph;
class CViewScore;
class CLapListGroup;
} // namespace KV

// Asks before passes are deleted from the statistics; tests answer it themselves.
typedef bool (*DeletePassesConfirm)(HWND owner, const wchar_t* text);
// Returns the previous confirmation; nullptr restores the message box.
DeletePassesConfirm SetDeletePassesConfirm(DeletePassesConfirm confirm);

class CStatisticsPage
{
public:
    enum : unsigned short { kScoreView = 306, kGraphView = 305 };

    CStatisticsPage(CWaltzDoc& doc, KV::CIniTable& lang);
    ~CStatisticsPage();
    CStatisticsPage(const CStatisticsPage&) = delete;
    CStatisticsPage& operator=(const CStatisticsPage&) = delete;

    // The object of one of the page's skin elements; nullptr for any other element.
    KV::CSkin* NewView(unsigned short id);
    // After the skin made both views: tabs, graph panels and the filter bar (pictures from
    // skinFolder, else fallbackFolder; both end in a backslash). False when a view is missing.
    bool SetUp(HINSTANCE instance, const std::wstring& skinFolder, const std::wstring& fallbackFolder);

    // The passes, columns or language changed: the next Show fills the page again.
    void Invalidate() { m_bDirty = true; }
    bool IsDirty() const { return m_bDirty; }
    // The page becomes visible: filled when needed; the last row and point are selected.
    void Show();
    // The page's own commands (deleting passes, tabs, selection, filter bar, export); true when
    // taken.
    bool OnCommand(WORD id, HWND owner);
    // The graph's right-hand header: the keyboard layout's name.
    void SetLayoutHeader(const wchar_t* name);
    // Texts of the filter bar and the tabs after the language changed.
    void Relabel();

    KV::CViewScore* GetScore() const { return m_pScore; }
    KV::CViewGraph* GetGraph() const { return m_pGraph; }
    CDlgStatCustom* GetFilterBar() const { return m_filter.get(); }

private:
    // Rebuilds the groups with the stored grouping, filter and columns and fills tab 0.
    void FillPasses();
    // The characters of the selected row on tab 1.
    void FillCharacters();
    void DeleteSelectedPasses(HWND owner);

    CWaltzDoc& m_doc;
    KV::CIniTable& m_lang;
    KV::CViewScore* m_pScore; // owned by the window's skin
    KV::CViewGraph* m_pGraph; // owned by the window's skin
    std::unique_ptr<CDlgStatCustom> m_filter;
    KV::CLapListGroup* m_pGroups; // the store's, rebuilt by FillPasses
    bool m_bDirty;
};
