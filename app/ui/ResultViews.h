#pragma once
// The score table and graph on the results dialog's Progress and Characters pages: the last two
// passes side by side, or the characters of the pass just ended.
#include "app/ui/DlgResults.h"

#include <map>
#include <memory>
#include <string>

namespace KV {
class CIniTable;
class CViewGraph;
class CViewScore;
} // namespace KV

class CResultViews : public IResultViews
{
public:
    // skinFolder: the shown skin's pictures (for the table and graph colours), ending in "\".
    CResultViews(KV::CIniTable* lang, const std::wstring& skinFolder);
    ~CResultViews() override;

    void Create(HWND page, const RECT& area, int kind, CWaltzDoc& doc) override;
    void Destroy(HWND page) override;

    KV::CViewScore* GetScore(HWND page) const;

private:
    struct Views;
    void FillProgress(Views& views, CWaltzDoc& doc);
    void FillCharacters(Views& views, CWaltzDoc& doc);

    KV::CIniTable* m_pLang;
    std::wstring m_skinFolder;
    std::map<HWND, std::unique_ptr<Views>> m_views;
};
