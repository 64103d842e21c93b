#pragma once
// The results of a finished pass: its rating with award and gauges, its progress against the
// previous pass and its per-character figures; the user chooses the next lesson or a repeat.
#include "app/ui/FWDialog.h"
#include "app/ui/Rating.h"
#include "kvinterf/widgets/Gradient.h"

#include <functional>
#include <memory>
#include <string>

class CWaltzDoc;
namespace KV {
class CLap;
}

// The score tables and graphs of the progress and characters pages come from the statistics
// views; the program installs the maker, and without one those pages stay empty.
class IResultViews
{
public:
    enum : int { Progress = 1, Characters = 2 };
    virtual ~IResultViews() {}
    // Creates the views of page kind as children of page over area; they live until Destroy.
    virtual void Create(HWND page, const RECT& area, int kind, CWaltzDoc& doc) = 0;
    virtual void Destroy(HWND page) = 0;
};

class CDlgResultCommon : public CFWChildDlg
{
public:
    enum : int { GaugeRating, GaugeSpeed, GaugeAccuracy, GaugeRhythm, GaugeCount };

    CDlgResultCommon(CFWDialog& owner, CWaltzDoc& doc);
    ~CDlgResultCommon() override;

    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    void OnTranslate() override;
    INT_PTR OnCtlColorStatic(HDC dc, HWND hwnd) override;

    const tagRating& GetRating() const { return m_rating; }
    const std::wstring& GetAwardPath() const { return m_sAwardPath; }
    KV::CGradient& GetGauge(int index) { return m_gauges[index]; }

private:
    void MakeGauges();
    void ShowAward();
    void ShowLessonText();

    CWaltzDoc& m_doc;
    tagRating m_rating;
    std::wstring m_sAwardPath;
    KV::CGradient m_gauges[GaugeCount];
    HBITMAP m_hAward;
    HBRUSH m_hWrong;
    HBRUSH m_hRhythm;
};

class CDlgResultStats : public CFWChildDlg
{
public:
    CDlgResultStats(CFWDialog& owner, CWaltzDoc& doc, int kind, IResultViews* views);
    ~CDlgResultStats() override;
    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;

private:
    CWaltzDoc& m_doc;
    int m_nKind;
    IResultViews* m_pViews;
};

class CDlgResults : public CFWDialog
{
public:
    enum : int { NextLesson = 2, BackLesson = 1, Closed = 8 };
    enum : int { PageRating = 0, PageProgress = 1, PageCharacters = 2, PageCount = 3 };

    // The figures are those of the last pass of the document's current lap list; place is the
    // dialog's remembered rectangle (by default the one in the user's window places).
    CDlgResults(HWND parent, CWaltzDoc& doc, KV::CIniTable* lang, KV::CRect* place = nullptr);
    ~CDlgResults() override;

    // The statistics views of the two other pages (not owned); may be null.
    void SetpViews(IResultViews* views) { m_pViews = views; }
    // Plays a game sound; by default the user's typing sounds (silent while they are off).
    void SetSoundPlayer(std::function<void(unsigned short)> player) { m_player = std::move(player); }

    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    void OnTranslate() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;
    void Ok() override;
    void Cancel() override;

    void ShowPage(int page);
    int GetPage() const { return m_nPage; }
    CDlgResultCommon* GetpCommon() const { return m_pCommon.get(); }
    // Publishes the pass on the records page; the result of the library's sender.
    int SubmitRecords();
    // The level code of the current lesson sent with a published result.
    const wchar_t* GetLevel();

private:
    CWaltzDoc& m_doc;
    IResultViews* m_pViews;
    std::function<void(unsigned short)> m_player;
    std::unique_ptr<CDlgResultCommon> m_pCommon;
    std::unique_ptr<CDlgResultStats> m_pStats[2];
    int m_nPage;
};

// The last stored pass of the document's current lap list; none when there is none.
KV::CLap* GetLastLap(CWaltzDoc& doc);
