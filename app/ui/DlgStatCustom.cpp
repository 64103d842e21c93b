#include "app/ui/DlgStatCustom.h"
#include "app/ui/FWDialog.h"
#include "app/doc/OptionsDoc.h"
#include "app/ui/Commands.h"
#include "app/ui/StatDialogIds.h"
#include "kvfwctrl/stats/LapListLang.h"
#include "kvstruct/files/IniTable.h"

#include <iterator>
#include <string>

namespace {

// Grouping modes, in the order of the list.
const wchar_t* const kGroupingKeys[] = {L"GroupByLesson", L"GroupByDay"};
// "all types", then the lesson types in their own order.
const wchar_t* const kTypeKeys[] = {L"All",         L"Letter", L"Syllable", L"Capital", L"Words",
                                    L"DigitSymbol", L"Text",   L"User",     L"Addition"};

std::wstring Text(const KV::CIniTable* lang, const wchar_t* key)
{
    return LangText(lang, key);
}

void FillList(HWND list, const std::wstring& prefix, const KV::CIniTable* lang, const wchar_t* const* keys,
              size_t count, unsigned short selected)
{
    ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < count; ++i)
    {
        const std::wstring text = prefix + Text(lang, keys[i]);
        ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    ::SendMessageW(list, CB_SETCURSEL, selected, 0);
}

} // namespace

CDlgStatCustom::CDlgStatCustom(HWND parent, COptionsDoc& options, const KV::CIniTable* lang)
    : KV::CDialogColor(IDD_STAT_CUSTOM, parent), m_options(options), m_pLang(lang)
{}

INT_PTR CDlgStatCustom::OnInitDialog(HWND focus, LPARAM param)
{
    KV::CDialogColor::OnInitDialog(focus, param);
    Fill();
    return 1;
}

void CDlgStatCustom::Fill()
{
    if (!m_hWnd)
        return;
    FillList(::GetDlgItem(m_hWnd, IDC_STAT_GROUPING), std::wstring(), m_pLang, kGroupingKeys,
             std::size(kGroupingKeys), m_options.m_nGroupMode);
    FillList(::GetDlgItem(m_hWnd, IDC_STAT_TYPE_FILTER), Text(m_pLang, L"Show") + L" ", m_pLang, kTypeKeys,
             std::size(kTypeKeys), m_options.m_nLessonFilter);
}

unsigned short* CDlgStatCustom::StoredChoice(WORD list)
{
    if (list == IDC_STAT_GROUPING)
        return &m_options.m_nGroupMode;
    if (list == IDC_STAT_TYPE_FILTER)
        return &m_options.m_nLessonFilter;
    return nullptr;
}

INT_PTR CDlgStatCustom::OnCommand(WORD code, WORD id, HWND control)
{
    KV::CDialogColor::OnCommand(code, id, control);
    unsigned short* stored = StoredChoice(id);
    if (!stored || code != CBN_SELENDOK)
        return 0;
    const LRESULT chosen = ::SendDlgItemMessageW(m_hWnd, id, CB_GETCURSEL, 0, 0);
    if (chosen == CB_ERR || chosen == *stored)
        return 1;
    *stored = static_cast<unsigned short>(chosen);
    HWND view = ::GetParent(m_hWnd);
    HWND main = view ? ::GetParent(view) : nullptr;
    if (main)
    {
        ::SetFocus(main);
        const WORD command = id == IDC_STAT_GROUPING ? kCmdGroupingChanged : kCmdTypeFilterChanged;
        ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(command, 0), reinterpret_cast<LPARAM>(m_hWnd));
    }
    return 1;
}

INT_PTR CDlgStatCustom::OnSize(UINT type, int width, int height)
{
    KV::CDialogColor::OnSize(type, width, height);
    const int half = width / 2;
    ::MoveWindow(::GetDlgItem(m_hWnd, IDC_STAT_GROUPING), 0, 0, half, kListHeight, TRUE);
    ::MoveWindow(::GetDlgItem(m_hWnd, IDC_STAT_TYPE_FILTER), half, 0, half, kListHeight, TRUE);
    return 0;
}

KV::CLapListGroup& RegroupStatistics(KV::CLapListLang& store, COptionsDoc& options)
{
    return store.GetGroup(options.m_nGroupMode, options.m_nLessonFilter, options.m_scoreColumns);
}
