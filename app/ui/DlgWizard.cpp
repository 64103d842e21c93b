#include "app/ui/DlgWizard.h"
#include "app/doc/WaltzDoc.h"
#include "app/ui/DialogIds.h"
#include "app/ui/Help.h"
#include "app/ui/OptionLists.h"
#include "app/ui/OptionsHost.h"
#include "kvstruct/files/IniTable.h"

namespace {

const wchar_t* const kPageTitles[] = {L"", L"Language", L"Users", L"Keyboard", L"Animation", L"Statistic"};

} // namespace

// ---- pages ----

CDlgWizardPage::CDlgWizardPage(UINT templateId, CDlgWizard& wizard)
    : CFWChildDlg(templateId, wizard), m_wizard(wizard), m_doc(wizard.GetDoc()), m_bView(false)
{}

CDlgWizardPage::~CDlgWizardPage()
{
    if (m_bView && m_wizard.GetpPreview() && m_hWnd)
        m_wizard.GetpPreview()->DestroyView(m_hWnd);
    DestroyWindow();
}

INT_PTR CDlgWizardPage::OnInitDialog(HWND focus, LPARAM param)
{
    return CFWChildDlg::OnInitDialog(focus, param);
}

void CDlgWizardPage::MakeView(int id, int kind)
{
    IOptionsHost* preview = m_wizard.GetpPreview();
    HWND area = ::GetDlgItem(m_hWnd, id);
    if (!preview || !area)
        return;
    RECT rect;
    ::GetWindowRect(area, &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    ::ShowWindow(area, SW_HIDE);
    preview->CreateView(m_hWnd, rect, kind, m_doc.GetOptions());
    m_bView = true;
}

CDlgWizardLanguage::CDlgWizardLanguage(CDlgWizard& wizard) : CDlgWizardPage(IDD_WIZARD_LANGUAGE, wizard) {}

INT_PTR CDlgWizardLanguage::OnInitDialog(HWND focus, LPARAM param)
{
    CDlgWizardPage::OnInitDialog(focus, param);
    m_names = FillLanguages(::GetDlgItem(m_hWnd, IDC_WIZ_LANGUAGE_LIST), m_doc.GetOptions().m_sLanguage);
    return 1;
}

void CDlgWizardLanguage::OnTranslate()
{
    SetItemKey(IDC_WIZ_LANGUAGE_LABEL, L"Language");
}

INT_PTR CDlgWizardLanguage::OnCommand(WORD code, WORD id, HWND control)
{
    if (id == IDC_WIZ_LANGUAGE_LIST && code == LBN_SELCHANGE)
    {
        const LRESULT index = ::SendDlgItemMessageW(m_hWnd, id, LB_GETCURSEL, 0, 0);
        if (index >= 0 && static_cast<size_t>(index) < m_names.size())
            m_wizard.SwitchLanguage(m_names[static_cast<size_t>(index)].c_str());
        return 1;
    }
    return CDlgWizardPage::OnCommand(code, id, control);
}

CDlgWizardUser::CDlgWizardUser(CDlgWizard& wizard)
    : CDlgWizardPage(IDD_WIZARD_USER, wizard), m_bFilling(false)
{}

INT_PTR CDlgWizardUser::OnInitDialog(HWND focus, LPARAM param)
{
    CDlgWizardPage::OnInitDialog(focus, param);
    m_bFilling = true;
    const CHeaderDoc& header = m_doc.GetHeader();
    ::SetDlgItemTextW(m_hWnd, IDC_WIZ_NICK, header.GetNick());
    ::SetDlgItemTextW(m_hWnd, IDC_WIZ_FULLNAME, header.GetFullName());
    ::SetDlgItemTextW(m_hWnd, IDC_WIZ_DESCRIPTION, header.GetDescription());
    m_bFilling = false;
    return 1;
}

void CDlgWizardUser::OnTranslate()
{
    SetItemKey(IDC_WIZ_NICK_LABEL, L"Nick");
    SetItemKey(IDC_WIZ_FULLNAME_LABEL, L"FullName");
    SetItemKey(IDC_WIZ_DESCRIPTION_LABEL, L"Description");
}

INT_PTR CDlgWizardUser::OnCommand(WORD code, WORD id, HWND control)
{
    if (code == EN_CHANGE && !m_bFilling)
    {
        CHeaderDoc& header = m_doc.GetHeader();
        const std::wstring text = ControlText(m_hWnd, id);
        if (id == IDC_WIZ_NICK)
            header.SetNick(text.c_str());
        else if (id == IDC_WIZ_FULLNAME)
            header.SetFullName(text.c_str());
        else if (id == IDC_WIZ_DESCRIPTION)
            header.SetDescription(text.c_str());
        return 1;
    }
    return CDlgWizardPage::OnCommand(code, id, control);
}

CDlgWizardKeyboard::CDlgWizardKeyboard(CDlgWizard& wizard)
    : CDlgWizardPage(IDD_WIZARD_KEYBOARD, wizard), m_types(KeyboardTypes())
{}

INT_PTR CDlgWizardKeyboard::OnInitDialog(HWND focus, LPARAM param)
{
    CDlgWizardPage::OnInitDialog(focus, param);
    const COptionsDoc& options = m_doc.GetOptions();
    ::CheckDlgButton(m_hWnd, IDC_WIZ_CONTRAST, options.m_nKeyboardContrast ? BST_CHECKED : BST_UNCHECKED);
    MakeView(IDC_WIZ_KEYBOARD_PREVIEW, IOptionsHost::ViewKeyboard);
    return 1;
}

void CDlgWizardKeyboard::OnTranslate()
{
    SetItemKey(IDC_WIZ_KEYBOARD_LABEL, L"TypeKeyboard");
    SetItemKey(IDC_WIZ_VIEW_LABEL, L"KeyboardView");
    SetItemKey(IDC_WIZ_CONTRAST, L"Contrast");
    const COptionsDoc& options = m_doc.GetOptions();
    FillKeyboardTypes(::GetDlgItem(m_hWnd, IDC_WIZ_KEYBOARD_LIST), m_types, options.m_sKeyboardType,
                      GetOwner().GetpLang());
    FillKeyboardViews(::GetDlgItem(m_hWnd, IDC_WIZ_VIEW_LIST), options.m_nKeyboardView,
                      GetOwner().GetpLang());
}

INT_PTR CDlgWizardKeyboard::OnCommand(WORD code, WORD id, HWND control)
{
    COptionsDoc& options = m_doc.GetOptions();
    bool changed = true;
    if (id == IDC_WIZ_KEYBOARD_LIST && code == CBN_SELCHANGE)
    {
        const LRESULT index = ::SendDlgItemMessageW(m_hWnd, id, CB_GETCURSEL, 0, 0);
        if (index >= 0 && static_cast<size_t>(index) < m_types.size())
            options.m_sKeyboardType = m_types[static_cast<size_t>(index)].c_str();
    }
    else if (id == IDC_WIZ_VIEW_LIST && code == CBN_SELCHANGE)
        options.m_nKeyboardView = ::SendDlgItemMessageW(m_hWnd, id, CB_GETCURSEL, 0, 0) == 1 ? 1 : 0;
    else if (id == IDC_WIZ_CONTRAST && code == BN_CLICKED)
        options.m_nKeyboardContrast = ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED ? 1 : 0;
    else
        changed = false;
    if (!changed)
        return CDlgWizardPage::OnCommand(code, id, control);
    if (m_wizard.GetpPreview())
        m_wizard.GetpPreview()->Preview(options);
    return 1;
}

CDlgWizardView::CDlgWizardView(CDlgWizard& wizard) : CDlgWizardPage(IDD_WIZARD_VIEW, wizard) {}

INT_PTR CDlgWizardView::OnInitDialog(HWND focus, LPARAM param)
{
    CDlgWizardPage::OnInitDialog(focus, param);
    ::CheckDlgButton(m_hWnd, IDC_WIZ_ANIMATION,
                     m_doc.GetOptions().m_nAnimation ? BST_CHECKED : BST_UNCHECKED);
    MakeView(IDC_WIZ_VIEW_PREVIEW, IOptionsHost::ViewTyping);
    return 1;
}

void CDlgWizardView::OnTranslate()
{
    SetItemKey(IDC_WIZ_ANIMATION, L"Animation");
}

INT_PTR CDlgWizardView::OnCommand(WORD code, WORD id, HWND control)
{
    if (id == IDC_WIZ_ANIMATION && code == BN_CLICKED)
    {
        m_doc.GetOptions().m_nAnimation = ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED ? 1 : 0;
        if (m_wizard.GetpPreview())
            m_wizard.GetpPreview()->Preview(m_doc.GetOptions());
        return 1;
    }
    return CDlgWizardPage::OnCommand(code, id, control);
}

CDlgWizardStatistics::CDlgWizardStatistics(CDlgWizard& wizard) : CDlgWizardPage(IDD_WIZARD_STATISTICS, wizard)
{}

INT_PTR CDlgWizardStatistics::OnInitDialog(HWND focus, LPARAM param)
{
    CDlgWizardPage::OnInitDialog(focus, param);
    const KV::CParam* cpm = m_doc.GetOptions().m_scoreColumns.Find(701);
    const KV::CParam* wpm = m_doc.GetOptions().m_scoreColumns.Find(704);
    const bool chars = cpm && cpm->IsShown() && !(wpm && wpm->IsShown());
    ::CheckRadioButton(m_hWnd, IDC_WIZ_WPM, IDC_WIZ_CPM, chars ? IDC_WIZ_CPM : IDC_WIZ_WPM);
    return 1;
}

void CDlgWizardStatistics::OnTranslate()
{
    SetItemKey(IDC_WIZ_SPEED_LABEL, L"SpeedUnit");
    SetItemKey(IDC_WIZ_WPM, L"TipSpeedWPM");
    SetItemKey(IDC_WIZ_CPM, L"TipSpeedCPM");
}

INT_PTR CDlgWizardStatistics::OnCommand(WORD code, WORD id, HWND control)
{
    if ((id == IDC_WIZ_WPM || id == IDC_WIZ_CPM) && code == BN_CLICKED)
    {
        SetSpeedUnit(m_doc.GetOptions(), id == IDC_WIZ_CPM);
        return 1;
    }
    return CDlgWizardPage::OnCommand(code, id, control);
}

// ---- the wizard ----

CDlgWizard::CDlgWizard(HWND parent, CWaltzDoc& doc, KV::CIniTable* lang, IOptionsHost* preview)
    : CFWDialog(IDD_WIZARD, parent, lang), m_doc(doc), m_pPreview(preview), m_nPage(PageFirst)
{}

CDlgWizard::~CDlgWizard()
{
    m_pPage.reset();
    DestroyWindow();
}

INT_PTR CDlgWizard::OnInitDialog(HWND focus, LPARAM param)
{
    CFWDialog::OnInitDialog(focus, param);
    ::SendDlgItemMessageW(m_hWnd, IDC_WIZARD_HEADING, WM_SETFONT,
                          reinterpret_cast<WPARAM>(KV::GetDialogLookFont(m_hWnd, FW_BOLD, 120)), 0);
    ShowPage(PageFirst);
    return 1;
}

void CDlgWizard::OnTranslate()
{
    const std::wstring title = Text(L"Wizard") + L": " + Text(kPageTitles[m_nPage]);
    ::SetWindowTextW(m_hWnd, title.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_WIZARD_HEADING, Text(kPageTitles[m_nPage]).c_str());
    SetItemKey(IDC_WIZARD_NEXT, m_nPage == PageLast ? L"Finish" : L"Next");
    SetItemKey(IDC_WIZARD_BACK, L"Back");
    SetItemKey(IDC_WIZARD_HELP, L"CallHelp");
    if (m_pPage)
        m_pPage->OnTranslate();
}

void CDlgWizard::ShowPage(unsigned short page)
{
    m_pPage.reset();
    m_nPage = page;
    switch (page)
    {
    case 1:
        m_pPage.reset(new CDlgWizardLanguage(*this));
        break;
    case 2:
        m_pPage.reset(new CDlgWizardUser(*this));
        break;
    case 3:
        m_pPage.reset(new CDlgWizardKeyboard(*this));
        break;
    case 4:
        m_pPage.reset(new CDlgWizardView(*this));
        break;
    default:
        m_pPage.reset(new CDlgWizardStatistics(*this));
        break;
    }
    RECT area = {0, 0, 0, 0};
    ::GetWindowRect(::GetDlgItem(m_hWnd, IDC_WIZARD_AREA), &area);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
    if (HWND hwnd = m_pPage->CreatePage(area))
        ::ShowWindow(hwnd, SW_SHOW);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_WIZARD_BACK), page > PageFirst);
    OnTranslate();
}

void CDlgWizard::SwitchLanguage(const wchar_t* name)
{
    m_doc.GetOptions().m_sLanguage = name;
    if (m_pLang)
        m_pLang->Load_UTF16((ProgramFolder() + L"Language\\" + name + L".ini").c_str());
    OnTranslate();
}

INT_PTR CDlgWizard::OnCommand(WORD code, WORD id, HWND control)
{
    switch (id)
    {
    case IDC_WIZARD_NEXT:
        if (m_nPage >= PageLast)
            Finish(kIdOk);
        else
            ShowPage(static_cast<unsigned short>(m_nPage + 1));
        return 1;
    case IDC_WIZARD_BACK:
        if (m_nPage > PageFirst)
            ShowPage(static_cast<unsigned short>(m_nPage - 1));
        return 1;
    case IDC_WIZARD_HELP:
        ShowHelpTopic(m_hWnd, kHelpWizard);
        return 1;
    default:
        return CFWDialog::OnCommand(code, id, control);
    }
}

bool ShowWizardOnce(const wchar_t* settingsPath, const std::function<void()>& run)
{
    KV::CIniTable settings;
    if (!settingsPath || ::GetFileAttributesW(settingsPath) == INVALID_FILE_ATTRIBUTES ||
        !settings.Load_ANSII(settingsPath) || settings.IsKey(L"ShowWizard", L"1") != 1)
        return false;
    run();
    // Written after the wizard, so that a crash inside it shows it again on the next start.
    KV::CIniTable latest;
    if (latest.Load_ANSII(settingsPath) && latest.Set(L"ShowWizard", L"0"))
        latest.Save_ANSII(settingsPath);
    return true;
}

void SetSpeedUnit(COptionsDoc& options, bool charsPerMinute)
{
    // Shown first, so that the table never runs out of columns in between.
    options.m_scoreColumns.SetShow(charsPerMinute ? 701 : 704, 1);
    options.m_scoreColumns.SetShow(charsPerMinute ? 704 : 701, 0);
}
