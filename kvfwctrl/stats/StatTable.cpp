#include "kvfwctrl/stats/StatTable.h"
#include "kvfwctrl/stats/ViewGraph.h"
#include "kvfwctrl/stats/ViewScore.h"
#include "kvstruct/sys/TimeText.h"
#include <cmath>
#include <cwchar>

namespace KV {

namespace {

const wchar_t* const kSectionKeys[] = {L"Letter",      L"Syllable", L"Capital", L"Words",
                                       L"DigitSymbol", L"Text",     L"User",    L"Addition"};

std::wstring Label(const CLap& lap, unsigned short mode)
{
    wchar_t date[32];
    lap.GetDate(date);
    std::wstring label = date;
    if (mode == 0)
    {
        label += L" - ";
        label += lap.GetNameLesson();
    }
    return label;
}

// "%3.<decimals>f" of a value from 0 to 100 without the C library's slow float formatting;
// values within a hair of a rounding tie still go through it, so the text is always the same.
void FormatFixed(wchar_t* text, double value, int decimals)
{
    const double scale = decimals == 2 ? 100.0 : decimals == 1 ? 10.0 : 1.0;
    const double scaled = value * scale;
    const double frac = scaled - std::floor(scaled);
    if (value < 0 || value > 1000 || std::fabs(frac - 0.5) < 1e-6)
    {
        const wchar_t* format = decimals == 2 ? L"%3.2f" : decimals == 1 ? L"%3.1f" : L"%3.0f";
        std::swprintf(text, 32, format, value);
        return;
    }
    unsigned long n = (unsigned long)std::floor(scaled + 0.5);
    wchar_t digits[24];
    int len = 0;
    for (int i = 0; i < decimals; ++i, n /= 10)
        digits[len++] = (wchar_t)(L'0' + n % 10);
    if (decimals)
        digits[len++] = L'.';
    do
    {
        digits[len++] = (wchar_t)(L'0' + n % 10);
        n /= 10;
    } while (n);
    int out = 0;
    for (int pad = 3 - len; pad > 0; --pad)
        text[out++] = L' ';
    while (len)
        text[out++] = digits[--len];
    text[out] = 0;
}

} // namespace

std::wstring FormatStatPercent(double percent, int accuracy)
{
    const bool round = accuracy ? percent == 100.0 : percent == 0.0;
    const bool fine = accuracy ? (percent > 99.0 && percent < 100.0) : (percent > 0.0 && percent < 1.0);
    wchar_t text[40];
    FormatFixed(text, percent, round ? 0 : fine ? 2 : 1);
    std::wcscat(text, L"%");
    return text;
}

void FillStatCourse(CViewScore* score, CViewGraph* graph, CLap* lap, CIniTable* strings,
                    unsigned long graphedID, unsigned long columnID, unsigned long column, unsigned long row,
                    unsigned long x, unsigned short mode)
{
    if (!score || !graph)
        return;
    const bool graphed = columnID == graphedID;
    if (!lap)
    {
        score->AddCell(row, column, L"-");
        if (graphed)
            graph->AddInt(row, 0, 0, L"0");
        return;
    }
    // A pass without characters has no share of errors, right keys or rhythm slips.
    const bool typed = lap->GetTotalChar() != 0;
    long value = 0;
    switch (columnID)
    {
    case kStatDate: {
        wchar_t date[32];
        lap->GetDate(date);
        score->AddCell(row, column, date);
        return;
    }
    case kStatLessonName:
        score->AddCell(row, column, lap->GetNameLesson());
        return;
    case kStatLessonType: {
        const unsigned short type = lap->GetTypeLesson();
        const wchar_t* key = (type >= 1 && type <= 8) ? kSectionKeys[type - 1] : L"";
        score->AddCell(row, column, strings ? strings->GetW(key) : L"");
        return;
    }
    case kStatSpeedCPM:
        value = lap->GetSpeedCPM();
        score->AddCell(row, column, value);
        break;
    case kStatSpeedWPM:
        value = lap->GetSpeedWPM();
        score->AddCell(row, column, value);
        break;
    case kStatErrors:
        value = lap->GetError();
        score->AddCell(row, column, value);
        break;
    case kStatAccuracy:
        value = lap->GetAccuracy();
        score->AddCell(row, column, value);
        break;
    case kStatLength:
        value = lap->GetTotalChar();
        score->AddCell(row, column, value);
        break;
    case kStatDuration: {
        const SYSTEMTIME duration = lap->GetDuration();
        score->AddCell(row, column, FormatToTimeW(duration, 1, L"", L"").c_str());
        if (graphed)
            graph->AddTime(row, x, duration, Label(*lap, mode).c_str());
        return;
    }
    case kStatErrorsProc:
    case kStatRhythm:
    case kStatAccuracyProc: {
        const bool accuracy = columnID == kStatAccuracyProc;
        double percent = 0.0;
        if (typed)
            percent = accuracy                  ? lap->GetAccuracyProc()
                      : columnID == kStatRhythm ? lap->GetIrregCharProc()
                                                : lap->GetErrorProc();
        score->AddCell(row, column, FormatStatPercent(percent, accuracy).c_str());
        value = (long)percent;
        break;
    }
    default:
        return;
    }
    if (graphed)
        graph->AddInt(row, x, value, Label(*lap, mode).c_str());
}

void FillStatLetter(CViewScore* score, CViewGraph* graph, CStatLetter* record, unsigned long graphedID,
                    unsigned long columnID, unsigned long column, unsigned long row, unsigned long x)
{
    if (!score || !graph || !record)
        return;
    wchar_t label[4] = {record->GetLetter(), 0, 0, 0};
    if (label[0] == L' ')
        std::wcscpy(label, L"SP");
    long value = 0;
    switch (columnID)
    {
    case kStatCharName:
        score->AddCell(row, column, label);
        return;
    case kStatErrors:
        value = record->GetError();
        score->AddCell(row, column, value);
        break;
    case kStatErrorsProc: {
        value = record->GetErrorRatio();
        wchar_t text[16];
        std::swprintf(text, 16, L"%i", (int)value);
        score->AddCell(row, column, text);
        break;
    }
    case kStatLength:
        value = record->GetNumber();
        score->AddCell(row, column, value);
        break;
    default:
        return;
    }
    if (columnID == graphedID)
        graph->AddInt(row, x, value, label);
}

void SetHeadersScore(CViewScore* score, CListParam& params, CIniTable* strings, unsigned long firstColumn)
{
    if (!score || !strings || params.GetShowSize() == 0)
        return;
    unsigned long column = firstColumn;
    for (const CParam& p : params.m_items)
        if (p.IsUsed())
            score->SetNameColumn(column++, strings->GetW(p.GetName()));
    score->Refresh();
}

void SetColumnScore(CViewScore* score, CListParam& params, unsigned long reserved)
{
    const unsigned long n = params.GetShowSize();
    if (!score || n == 0)
        return;
    const unsigned long width = 100 / n - reserved / n;
    for (const CParam& p : params.m_items)
        if (p.IsUsed())
            score->AddColumn(p.GetID(), width, p.GetStyle(0xF00000), L"");
    score->AllignColumn();
}

void SetHeadersGraph(CViewGraph* graph, CListParam& params, CIniTable* strings)
{
    if (!graph || !strings)
        return;
    for (const CParam& p : params.m_items)
        if (p.GetStyle(0xF00))
        {
            graph->SetLeftHeader(strings->GetW(p.GetDescription()));
            return;
        }
}

void FillStatPage(CViewScore* score, CViewGraph* graph, const CLapListGroup& groups, CListParam& params,
                  CIniTable* strings, const LOGFONTW* font)
{
    if (!score || !graph)
        return;
    const unsigned long graphedID = params.GetFirstID(0x100, 0xF00);
    const CParam* graphed = params.Find(graphedID);
    graph->NewGraph(graphed ? graphed->GetStyle(0xF000) : (unsigned long)kGraphKindCount, font);
    SetHeadersGraph(graph, params, strings);
    score->RemoveAllColumn();
    SetColumnScore(score, params, 0);
    SetHeadersScore(score, params, strings, 0);
    std::vector<unsigned long> ids;
    for (const CParam& p : params.m_items)
        if (p.IsUsed())
            ids.push_back(p.GetID());
    const unsigned long rows = groups.GetSize();
    const unsigned short mode = groups.GetMode();
    score->Reserve(rows * (unsigned long)ids.size());
    for (unsigned long r = 0; r < rows; ++r)
    {
        const unsigned long row = score->AddRow();
        CLapGroup* lap = groups.Get(r);
        for (unsigned long c = 0; c < ids.size(); ++c)
            FillStatCourse(score, graph, lap, strings, graphedID, ids[c], c, row, r * 10, mode);
    }
    score->SetActiveColumnByID(graphedID);
    score->SetActiveLastRow();
    graph->SetActiveLastPoint();
    score->Refresh();
}

} // namespace KV
