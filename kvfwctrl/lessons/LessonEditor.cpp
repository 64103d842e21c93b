#include "kvfwctrl/lessons/LessonEditor.h"
#include "kvfwctrl/lessons/Lesson.h"
#include "kvfwctrl/stats/StatLetter.h"
#include "kvinterf/window/Dialog.h"
#include <cwchar>
#include <vector>

namespace KV {

namespace {

// Lifts the rich-edit control's 32K default limit to the lesson's size.
void LimitText(HWND hwnd, long units)
{
    if (hwnd)
        ::SendMessageW(hwnd, EM_EXLIMITTEXT, 0, units);
}

} // namespace

CLessonEditor::CLessonEditor() : m_pLesson(nullptr), m_bLong(false) {}

CLessonEditor::~CLessonEditor() {}

HWND CLessonEditor::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    HWND hwnd = CRichEdit::Create(instance, parent, style | WS_VSCROLL | ES_AUTOVSCROLL, rect, id);
    m_bLong = false;
    LimitText(hwnd, kMaxText);
    SetMaskEvent(ENM_CHANGE);
    return hwnd;
}

int CLessonEditor::SetText(const wchar_t* text)
{
    if (!m_hWnd)
        return 0;
    text = text ? text : L"";
    const bool longText = std::wcslen(text) > kLongText;
    // The platform control empties itself one word at a time, each step walking the line from
    // its start: removing 64,000 units takes several times longer than making and filling a
    // fresh control. Wrapping a long line costs it time that grows with the square of the
    // line's length where the text has no punctuation (a drill such as "fff jjj " takes
    // seconds), so a long text stays one line. Scroll bars that appear once the text is in
    // make the control lay the whole text out again; a long text needs them anyway, so a
    // control for long texts has them from the start.
    if (longText != m_bLong || GetTextLength() > kLongText)
        Rebuild(longText);
    return CRichEdit::SetText(text);
}

void CLessonEditor::Rebuild(bool longText)
{
    HWND old = m_hWnd;
    HWND parent = ::GetParent(old);
    const UINT id = (UINT)::GetDlgCtrlID(old);
    const DWORD exStyle = (DWORD)::GetWindowLongW(old, GWL_EXSTYLE);
    const DWORD longStyle = WS_HSCROLL | ES_AUTOHSCROLL | ES_DISABLENOSCROLL;
    DWORD style = (DWORD)::GetWindowLongW(old, GWL_STYLE) & ~longStyle;
    if (longText)
        style |= longStyle;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(old, GWLP_HINSTANCE));
    const bool focused = ::GetFocus() == old;
    RECT place = {};
    ::GetWindowRect(old, &place);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&place), 2);
    // The new control takes the old one's place among its siblings.
    HWND before = ::GetWindow(old, GW_HWNDPREV);
    DestroyWindow();
    if (!CreateControl(exStyle, L"RichEdit20W", style, place.left, place.top, place.right - place.left,
                       place.bottom - place.top, parent, id, instance))
        return;
    ::SetWindowPos(m_hWnd, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_bLong = longText;
    LimitText(m_hWnd, kMaxText);
    if (longText)
        ::SendMessageW(m_hWnd, EM_SETTARGETDEVICE, 0, 1); // no wrapping
    if (m_hFont)
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
    if (focused)
        ::SetFocus(m_hWnd);
}

int CLessonEditor::SaveLesson()
{
    if (!m_pLesson)
        return 0;
    std::vector<wchar_t> text(kMaxText + 1, L'\0');
    GetText(text.data(), kMaxText + 1);
    m_pLesson->SetTextW(text.data());
    if (!m_pLesson->Save())
        return 0;
    SetText(m_pLesson->GetTextW(0));
    return 1;
}

int CLessonEditor::TrySaveLesson(int* failed)
{
    if (failed)
        *failed = 0;
    HWND owner = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (ShowConfirm(owner, m_sConfirm, 1) != CDialog::kIdOk)
        return 0;
    if (SaveLesson())
        return 1;
    if (failed)
        *failed = 1;
    return 0;
}

int CLessonEditor::LoadLesson(const wchar_t* path)
{
    if (!m_pLesson || !path || !path[0])
        return 0;
    // A lesson without a section: the file's text as it is, never read as scan codes.
    CLesson file(m_pLesson->GetList());
    if (!file.Load(path))
        return 0;
    SetText(file.GetTextW(0));
    return 1;
}

// ---------------------------------------------------------------------------------------------

CLessonProperty::CLessonProperty() : m_pLesson(nullptr)
{
    SetCaptionTable(L"Character", L"Count", L"Share", L"Total");
    m_sCutNote = L"The lesson has more characters than this report can list; the rest were left out.";
}

CLessonProperty::~CLessonProperty() {}

HWND CLessonProperty::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    HWND hwnd = CRichEdit::Create(instance, parent, style | WS_VSCROLL | ES_READONLY, rect, id);
    LimitText(hwnd, kMaxReport);
    SetBkgColor(0xFFFFFF);
    return hwnd;
}

void CLessonProperty::SetCaptionTable(const wchar_t* symbol, const wchar_t* count, const wchar_t* share,
                                      const wchar_t* total)
{
    const wchar_t* captions[4] = {symbol, count, share, total};
    for (int i = 0; i < 4; ++i)
        m_sCaption[i] = captions[i] ? captions[i] : L"";
}

std::wstring CLessonProperty::BuildReport(CLesson* lesson, size_t* headEnd, size_t* tailStart) const
{
    const std::wstring line48(48, L'-'), line46 = std::wstring(46, L'-') + L"\n";
    std::vector<wchar_t> symbols(kMaxSymbols + 2, L'\0');
    const wchar_t* text = L"";
    if (lesson)
    {
        // One unit more than listed tells whether the lesson has more distinct characters.
        lesson->GetUniSymbols(symbols.data(), symbols.size());
        text = lesson->GetTextW(0);
    }
    bool cut = std::wcslen(symbols.data()) > kMaxSymbols;
    symbols[kMaxSymbols] = 0;
    CStatLetterList stats;
    stats.AddStatistic(symbols.data(), text);
    wchar_t total[CStatLetter::kNumberTextSize];
    stats.GetAllNumberStr(total);

    const std::wstring totalRow = L"\t" + std::wstring(m_sCaption[3]) + L"\t|\t" + total + L"\t|\t100%\n";
    std::wstring report;
    report.reserve(kMaxReport);
    report = line48 + L"\n   " + std::wstring(m_sCaption[0]) + L"\t|\t" + std::wstring(m_sCaption[1]) +
             L"\t|\t" + std::wstring(m_sCaption[2]) + L"\n" + line46 + totalRow + line46;
    if (headEnd)
        *headEnd = report.size();
    const std::wstring tail = line46 + totalRow + line48;
    const std::wstring cutLine = L"\n" + std::wstring(m_sCutNote);
    wchar_t count[CStatLetter::kNumberTextSize], share[CStatLetter::kNumberTextSize];
    std::wstring row;
    for (size_t i = 0; i < stats.m_letters.size(); ++i)
    {
        const CStatLetter* record = stats.m_letters[i];
        record->GetNumber(count);
        stats.GetRatioNumber((unsigned long)i, share);
        row = L"\t";
        if (record->IsSpace())
            row += L"SP";
        else
            row += record->GetLetter();
        row += std::wstring(L"\t|\t") + count + L"\t|\t" + share + L"%\n";
        // Room is kept for the closing rows and the note that rows were left out.
        if (report.size() + row.size() + tail.size() + cutLine.size() >= kMaxReport)
        {
            cut = true;
            break;
        }
        report += row;
    }
    if (tailStart)
        *tailStart = report.size();
    report += tail;
    if (cut)
        report += cutLine;
    if (report.size() >= kMaxReport)
        report.resize(kMaxReport - 1); // only a caption longer than the whole report gets here
    return report;
}

void CLessonProperty::FormatRange(long start, long end, bool caption)
{
    CHARFORMAT2W format = {};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_COLOR | CFM_BACKCOLOR;
    format.dwEffects = caption ? CFE_BOLD : 0;
    format.yHeight = caption ? 180 : 200;
    format.crTextColor = caption ? (COLORREF)kCaptionColour : (COLORREF)0x000000;
    format.crBackColor = 0xFFFFFF;
    std::wcscpy(format.szFaceName, L"Verdana");
    SetSelect(start, end);
    ::SendMessageW(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

void CLessonProperty::UpdateProperty()
{
    if (!m_hWnd || !::IsWindowEnabled(m_hWnd))
        return;
    size_t headEnd = 0, tailStart = 0;
    const std::wstring report = BuildReport(m_pLesson, &headEnd, &tailStart);
    // Turning drawing back on shows a window: only a visible report pauses its drawing.
    const bool visible = (::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible)
        ::SendMessageW(m_hWnd, WM_SETREDRAW, FALSE, 0);
    SetText(report.c_str());
    // Line ends count one unit in the control as in the text, so the offsets carry over.
    FormatRange(0, -1, false);
    FormatRange(0, (long)headEnd, true);
    FormatRange((long)tailStart, -1, true);
    SetSelect(0, 0);
    if (visible)
        ::SendMessageW(m_hWnd, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

} // namespace KV
