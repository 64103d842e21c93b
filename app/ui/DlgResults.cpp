#include "app/ui/DlgResults.h"
#include "app/doc/WaltzDoc.h"
#include "app/ui/DialogIds.h"
#include "app/ui/OptionLists.h"
#include "kvstruct/files/IniTable.h"
#include "kvstruct/files/Paths.h"
#include "kvstruct/sys/WebPages.h"

#include <richedit.h>
#include <algorithm>
#include <cwchar>

namespace {

const DWORD kGaugeStyle = SS_OWNERDRAW;

struct GaugeLook
{
    int id;
    int centre[2];
    int height[2];
    bool rhythmColours;
};
const GaugeLook kGauges[CDlgResultCommon::GaugeCount] = {
    {IDC_RATING_GAUGE, {1, 3}, {10, 10}, false},
    {IDC_SPEED_GAUGE, {1, 3}, {6, 7}, false},
    {IDC_ACCURACY_GAUGE, {5, 6}, {6, 7}, false},
    {IDC_RHYTHM_GAUGE, {1, 6}, {6, 7}, true},
};

} // namespace

KV::CLap* GetLastLap(CWaltzDoc& doc)
{
    KV::CLapList* list = doc.GetStat().GetCurrent();
    if (!list || list->GetSize() == 0)
        return nullptr;
    return list->Get(list->GetSize() - 1);
}

// ---- CDlgResultCommon ----

CDlgResultCommon::CDlgResultCommon(CFWDialog& owner, CWaltzDoc& doc)
    : CFWChildDlg(IDD_RESULT_COMMON, owner), m_doc(doc), m_rating(RateResult(0, 100.0, 0.0)),
      m_hAward(nullptr), m_hWrong(::CreateSolidBrush(doc.GetOptions().m_nBadColour)),
      m_hRhythm(::CreateSolidBrush(doc.GetOptions().m_nArhythmColour))
{
    if (const KV::CLap* lap = GetLastLap(doc))
        m_rating = RateResult(lap->GetSpeedCPM(), lap->GetAccuracyProc(), lap->GetIrregCharProc());
    m_sAwardPath = ProgramFolder() + L"Data\\Img\\aw_" + std::to_wstring(m_rating.nAward) + L".bmp";
}

CDlgResultCommon::~CDlgResultCommon()
{
    DestroyWindow();
    if (m_hAward)
        ::DeleteObject(m_hAward);
    ::DeleteObject(m_hWrong);
    ::DeleteObject(m_hRhythm);
}

INT_PTR CDlgResultCommon::OnInitDialog(HWND focus, LPARAM param)
{
    MakeGauges();
    CFWChildDlg::OnInitDialog(focus, param);
    ShowAward();
    ShowLessonText();
    return 1;
}

void CDlgResultCommon::MakeGauges()
{
    const int positions[GaugeCount] = {m_rating.nRating, m_rating.nSpeedGauge, m_rating.nAccuracyGauge,
                                       m_rating.nRhythmGauge};
    for (int i = 0; i < GaugeCount; ++i)
    {
        KV::CGradient& gauge = m_gauges[i];
        m_drawn.Replace(m_hWnd, kGauges[i].id, &gauge, kGaugeStyle);
        if (kGauges[i].rhythmColours)
            gauge.SetColors(220, 255, 30, 255, 255, 0, 255, 30, 30);
        else
            gauge.SetColors(255, 30, 30, 255, 255, 0, 30, 255, 30);
        gauge.SetCenter(kGauges[i].centre[0], kGauges[i].centre[1]);
        gauge.SetHight(kGauges[i].height[0], kGauges[i].height[1]);
        gauge.SetCurPos(positions[i]);
    }
}

void CDlgResultCommon::OnTranslate()
{
    const std::wstring rating[4] = {Text(L"Bad"), Text(L"Normal"), Text(L"Perfect"), Text(L"Champion")};
    m_gauges[GaugeRating].ClearLabels();
    m_gauges[GaugeRating].SetLabels(rating[0].c_str(), rating[1].c_str(), rating[2].c_str(),
                                    rating[3].c_str(), nullptr);
    m_gauges[GaugeSpeed].ClearLabels();
    m_gauges[GaugeSpeed].SetLabels(L"0", L"200", L">400", nullptr);
    m_gauges[GaugeAccuracy].ClearLabels();
    m_gauges[GaugeAccuracy].SetLabels(L"<80", L"100", nullptr);
    m_gauges[GaugeRhythm].ClearLabels();
    m_gauges[GaugeRhythm].SetLabels(L"0", L">20", nullptr);

    SetItemKey(IDC_RATING_LABEL, L"Rating");
    ::SetDlgItemTextW(m_hWnd, IDC_RATING_LABEL,
                      (Text(L"Rating") + L": " + std::to_wstring(m_rating.nRating)).c_str());
    SetItemKey(IDC_SPEED_LABEL, L"Speed");
    ::SetDlgItemTextW(m_hWnd, IDC_SPEED_TEXT, (m_rating.sSpeed + L" " + Text(L"CharPerMinute")).c_str());
    SetItemKey(IDC_ACCURACY_LABEL, L"Accuracy");
    ::SetDlgItemTextW(m_hWnd, IDC_ACCURACY_TEXT,
                      (m_rating.sAccuracy + L" " + Text(L"CharInPercents")).c_str());
    SetItemKey(IDC_RHYTHM_LABEL, L"Arhythmic");
    ::SetDlgItemTextW(m_hWnd, IDC_RHYTHM_TEXT,
                      (m_rating.sIrregular + L" " + Text(L"CharInPercents")).c_str());
    SetItemKey(IDC_LEGEND_WRONG, L"WrongInput");
    SetItemKey(IDC_LEGEND_RHYTHM, L"ArhythmicInput");
    ::SetDlgItemTextW(m_hWnd, IDC_AWARD_MISSING, (Text(L"PictureMissing") + L"\n" + m_sAwardPath).c_str());
    for (KV::CGradient& gauge : m_gauges)
        gauge.Invalidate();
}

INT_PTR CDlgResultCommon::OnCtlColorStatic(HDC dc, HWND hwnd)
{
    const int id = ::GetDlgCtrlID(hwnd);
    if (id == IDC_LEGEND_WRONG_BOX || id == IDC_LEGEND_RHYTHM_BOX)
    {
        const bool wrong = id == IDC_LEGEND_WRONG_BOX;
        ::SetBkColor(dc, wrong ? m_doc.GetOptions().m_nBadColour : m_doc.GetOptions().m_nArhythmColour);
        ::SetTextColor(dc, m_doc.GetOptions().m_nTextColour);
        return reinterpret_cast<INT_PTR>(wrong ? m_hWrong : m_hRhythm);
    }
    return CFWChildDlg::OnCtlColorStatic(dc, hwnd);
}

namespace {

// The picture's own background (the colour of its corner) becomes the page's face, so the
// award stands on the dialog rather than on a square of its own.
void TakeFace(HBITMAP bitmap, COLORREF face)
{
    DIBSECTION dib = {};
    if (!::GetObjectW(bitmap, sizeof(dib), &dib) || !dib.dsBm.bmBits || dib.dsBm.bmBitsPixel != 24)
        return;
    BYTE* bits = static_cast<BYTE*>(dib.dsBm.bmBits);
    const BYTE corner[3] = {bits[0], bits[1], bits[2]};
    for (LONG y = 0; y < dib.dsBm.bmHeight; ++y)
        for (LONG x = 0; x < dib.dsBm.bmWidth; ++x)
        {
            BYTE* pixel = bits + y * dib.dsBm.bmWidthBytes + x * 3;
            if (pixel[0] == corner[0] && pixel[1] == corner[1] && pixel[2] == corner[2])
            {
                pixel[0] = GetBValue(face);
                pixel[1] = GetGValue(face);
                pixel[2] = GetRValue(face);
            }
        }
}

} // namespace

void CDlgResultCommon::ShowAward()
{
    m_hAward = static_cast<HBITMAP>(
        ::LoadImageW(nullptr, m_sAwardPath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (m_hAward)
        TakeFace(m_hAward, m_crBack);
    if (m_hAward)
        ::SendDlgItemMessageW(m_hWnd, IDC_AWARD, STM_SETIMAGE, IMAGE_BITMAP,
                              reinterpret_cast<LPARAM>(m_hAward));
    // Without its picture the award names the file that is missing.
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_AWARD), m_hAward ? SW_SHOW : SW_HIDE);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_AWARD_MISSING), m_hAward ? SW_HIDE : SW_SHOW);
}

void CDlgResultCommon::ShowLessonText()
{
    HWND edit = ::GetDlgItem(m_hWnd, IDC_LESSON_TEXT);
    if (!edit)
        return;
    const COptionsDoc& options = m_doc.GetOptions();
    const wchar_t* text = m_doc.GetStat().GetCurrent() ? m_doc.GetCurTextW() : nullptr;
    ::SetWindowTextW(edit, text ? text : L"");
    ::SendMessageW(edit, EM_SETBKGNDCOLOR, 0, options.m_nBackColour);
    CHARFORMAT2W format = {};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BACKCOLOR;
    std::wcscpy(format.szFaceName, L"Courier New");
    format.yHeight = 200; // 10 points
    format.crTextColor = options.m_nTextColour;
    format.crBackColor = options.m_nBackColour;
    ::SendMessageW(edit, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));

    const KV::CLapList* list = m_doc.GetStat().GetCurrent();
    const short* marks = list ? list->GetpStatError() : nullptr;
    const long length = text ? static_cast<long>(std::wcslen(text)) : 0;
    const long count = marks ? std::min<long>(length, list->GetSizeStatError()) : 0;
    format.dwMask = CFM_BACKCOLOR;
    for (long start = 0; start < count;)
    {
        // One format per run of equal marks.
        long end = start + 1;
        while (end < count && marks[end] == marks[start])
            ++end;
        if (marks[start] == 1 || marks[start] == 2)
        {
            CHARRANGE range = {start, end};
            ::SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
            format.crBackColor = marks[start] == 1 ? options.m_nBadColour : options.m_nArhythmColour;
            ::SendMessageW(edit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        }
        start = end;
    }
    CHARRANGE none = {0, 0};
    ::SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&none));
}

// ---- CDlgResultStats ----

CDlgResultStats::CDlgResultStats(CFWDialog& owner, CWaltzDoc& doc, int kind, IResultViews* views)
    : CFWChildDlg(IDD_RESULT_STATS, owner), m_doc(doc), m_nKind(kind), m_pViews(views)
{}

CDlgResultStats::~CDlgResultStats()
{
    if (m_pViews && m_hWnd)
        m_pViews->Destroy(m_hWnd);
    DestroyWindow();
}

INT_PTR CDlgResultStats::OnInitDialog(HWND focus, LPARAM param)
{
    CFWChildDlg::OnInitDialog(focus, param);
    HWND area = ::GetDlgItem(m_hWnd, IDC_STATS_AREA);
    RECT rect = {0, 0, 0, 0};
    ::GetWindowRect(area, &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    if (m_pViews)
    {
        ::ShowWindow(area, SW_HIDE);
        m_pViews->Create(m_hWnd, rect, m_nKind, m_doc);
    }
    return 1;
}

// ---- CDlgResults ----

CDlgResults::CDlgResults(HWND parent, CWaltzDoc& doc, KV::CIniTable* lang, KV::CRect* place)
    : CFWDialog(IDD_RESULTS, parent, lang, place ? place : &doc.GetPlaces().m_rects[CPlacesDoc::RectResults]),
      m_doc(doc), m_pViews(nullptr), m_nPage(-1)
{
    // The lesson text is a rich-text view.
    ::LoadLibraryW(L"RichEd20.dll");
    m_player = [&doc](unsigned short code) { doc.GetOptions().m_soundGame.Play(code); };
}

CDlgResults::~CDlgResults()
{
    m_pCommon.reset();
    m_pStats[0].reset();
    m_pStats[1].reset();
}

INT_PTR CDlgResults::OnInitDialog(HWND focus, LPARAM param)
{
    CFWDialog::OnInitDialog(focus, param);
    ShowPage(PageRating);
    if (m_player)
        m_player(m_pCommon->GetRating().nSound);
    return 1;
}

void CDlgResults::OnTranslate()
{
    ::SetWindowTextW(m_hWnd, Text(L"Results").c_str());
    SetItemKey(IDOK, L"BackLesson");
    SetItemKey(IDCANCEL, L"NextLesson");
    SetItemKey(IDC_RECORDS, L"Records");
    SetItemKey(IDC_PAGE_RATING, L"Rating");
    SetItemKey(IDC_PAGE_PROGRESS, L"Progress");
    SetItemKey(IDC_PAGE_CHARACTERS, L"Characters");
}

void CDlgResults::ShowPage(int page)
{
    if (page < 0 || page >= PageCount)
        return;
    RECT area = {0, 0, 0, 0};
    ::GetWindowRect(::GetDlgItem(m_hWnd, IDC_PAGE_AREA), &area);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
    ::InflateRect(&area, -1, -1);
    if (page == PageRating && !m_pCommon)
    {
        m_pCommon.reset(new CDlgResultCommon(*this, m_doc));
        m_pCommon->CreatePage(area);
    }
    if (page != PageRating && !m_pStats[page - 1])
    {
        m_pStats[page - 1].reset(new CDlgResultStats(
            *this, m_doc, page == PageProgress ? IResultViews::Progress : IResultViews::Characters,
            m_pViews));
        m_pStats[page - 1]->CreatePage(area);
    }
    KV::CDialog* pages[PageCount] = {m_pCommon.get(), m_pStats[0].get(), m_pStats[1].get()};
    for (int i = 0; i < PageCount; ++i)
        if (pages[i] && pages[i]->GetHwnd())
            ::ShowWindow(pages[i]->GetHwnd(), i == page ? SW_SHOW : SW_HIDE);
    for (int i = 0; i < PageCount; ++i)
        ::CheckDlgButton(m_hWnd, IDC_PAGE_RATING + i, i == page ? BST_CHECKED : BST_UNCHECKED);
    m_nPage = page;
}

INT_PTR CDlgResults::OnCommand(WORD code, WORD id, HWND control)
{
    switch (id)
    {
    case IDC_PAGE_RATING:
    case IDC_PAGE_PROGRESS:
    case IDC_PAGE_CHARACTERS:
        ShowPage(id - IDC_PAGE_RATING);
        return 1;
    case IDC_RECORDS:
        SubmitRecords();
        return 1;
    case IDCANCEL:
        // The button means "next lesson"; Escape and the close box only leave.
        if (control)
            Finish(NextLesson);
        else
            Finish(Closed);
        return 1;
    case IDOK:
        Finish(BackLesson);
        return 1;
    default:
        return CFWDialog::OnCommand(code, id, control);
    }
}

void CDlgResults::Ok()
{
    Finish(BackLesson);
}

void CDlgResults::Cancel()
{
    Finish(Closed);
}

const wchar_t* CDlgResults::GetLevel()
{
    const wchar_t* text = m_doc.GetStat().GetCurrent() ? m_doc.GetCurTextW() : nullptr;
    const std::wstring lesson = text ? text : L"";
    wchar_t symbols[1024] = {0};
    if (text)
        m_doc.GetUniSymbols(m_doc.GetLessonID(), symbols, 1024);
    KV::CStatLetterList letters;
    letters.AddStatistic(symbols, lesson.c_str());
    return GetLevelCode(static_cast<unsigned long>(lesson.size()),
                        static_cast<unsigned long>(std::wcslen(symbols)), letters.GetRatioMax());
}

int CDlgResults::SubmitRecords()
{
    const KV::CLap* lap = GetLastLap(m_doc);
    if (!lap)
        return 0;
    const wchar_t* text = m_doc.GetCurTextW();
    const SYSTEMTIME duration = lap->GetDuration();
    const std::wstring wpm = std::to_wstring(lap->GetSpeedWPM());
    const std::wstring cpm = std::to_wstring(lap->GetSpeedCPM());
    const std::wstring accuracy = std::to_wstring(static_cast<int>(lap->GetAccuracyProc()));
    const std::wstring seconds = std::to_wstring(duration.wMinute * 60 + duration.wSecond);
    const std::wstring length = std::to_wstring(text ? std::wcslen(text) : 0);
    return KV::SendStatistics(KV::GetStatisticsPage(), GetLevel(), m_doc.GetHeader().GetNick(), wpm.c_str(),
                              cpm.c_str(), accuracy.c_str(), seconds.c_str(), length.c_str());
}
