#pragma once
// The filter bar under the score table: how the passes are grouped and which lesson type is
// shown. Both choices live in the user's options; a change is announced to the main window.
#include "kvinterf/window/Dialog.h"

namespace KV {
class CIniTable;
class CLapListGroup;
class CLapListLang;
} // namespace KV
class COptionsDoc;

class CDlgStatCustom : public KV::CDialogColor
{
public:
    enum : int {
        kListHeight = 98, // with the dropped list
    };

    // parent: the score view, whose parent is the main window.
    CDlgStatCustom(HWND parent, COptionsDoc& options, const KV::CIniTable* lang);

    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;
    INT_PTR OnSize(UINT type, int width, int height) override;

    // Fills both lists in the current language and selects the stored choices.
    void Fill();

private:
    // The stored choice a list shows, or nullptr for another control.
    unsigned short* StoredChoice(WORD list);

    COptionsDoc& m_options;
    const KV::CIniTable* m_pLang;
};

// The rows of the statistics page: the groups of the current lap list by the stored grouping,
// type filter and score columns (rebuilt whenever the filter bar announces a change).
KV::CLapListGroup& RegroupStatistics(KV::CLapListLang& store, COptionsDoc& options);
