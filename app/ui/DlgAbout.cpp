#include "app/ui/DlgAbout.h"
#include "app/ui/DialogIds.h"
#include "app/ui/OptionLists.h"
#include "app/res/ProgramIcon.h"
#include "kvstruct/sys/MsgBox.h"
#include "kvstruct/sys/SysInfo.h"
#include "kvstruct/sys/WebPages.h"

#include <vector>

std::wstring GetProgramVersion()
{
    const std::wstring exe = ProgramFolder() + L"Fingerwaltz.exe";
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(exe.c_str(), &handle);
    if (!size)
        return std::wstring();
    std::vector<char> block(size);
    wchar_t* text = nullptr;
    UINT length = 0;
    if (!::GetFileVersionInfoW(exe.c_str(), 0, size, block.data()) ||
        !::VerQueryValueW(block.data(), L"\\StringFileInfo\\040904b0\\ProductVersion",
                          reinterpret_cast<void**>(&text), &length) ||
        !text)
        return std::wstring();
    return text;
}

// ---- CDlgAbout ----

CDlgAbout::CDlgAbout(HWND parent, KV::CIniTable* lang, KV::CRect* place)
    : CFWDialog(IDD_ABOUT, parent, lang, place), m_hIcon(nullptr)
{}

CDlgAbout::~CDlgAbout()
{
    DestroyWindow();
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
}

const wchar_t* CDlgAbout::GetHomePage()
{
    return L"https://fingerwaltz.example/";
}

INT_PTR CDlgAbout::OnInitDialog(HWND focus, LPARAM param)
{
    m_drawn.Replace(m_hWnd, IDC_ABOUT_LINK, &m_link, SS_OWNERDRAW | SS_NOTIFY);
    CFWDialog::OnInitDialog(focus, param);
    // The name stands out; the link is a line of text a little larger than the rest.
    ::SendDlgItemMessageW(m_hWnd, IDC_ABOUT_NAME, WM_SETFONT,
                          reinterpret_cast<WPARAM>(KV::GetDialogLookFont(m_hWnd, FW_BOLD, 150)), 0);
    LOGFONTW text = {};
    ::GetObjectW(KV::GetDialogLookFont(m_hWnd, FW_NORMAL, 120), sizeof(text), &text);
    m_link.SetTextHeight(text.lfHeight);
    m_hIcon = static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(FW_PROGRAM_ICON), IMAGE_ICON, 32, 32, 0));
    if (!m_hIcon)
        m_hIcon = static_cast<HICON>(::LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, 32, 32, LR_SHARED));
    ::SendDlgItemMessageW(m_hWnd, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(m_hIcon), 0);
    return 1;
}

void CDlgAbout::OnTranslate()
{
    ::SetWindowTextW(m_hWnd, Text(L"AboutTitle").c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_ABOUT_VERSION, (Text(L"Version") + L" " + GetProgramVersion()).c_str());
    SetItemKey(IDC_ABOUT_TEXT, L"AboutText");
    SetItemKey(IDOK, L"OK");
    m_link.SetParamStr(GetHomePage(), Text(L"HomePage").c_str());
    m_link.Invalidate();
}

// ---- CDlgBugs ----

CDlgBugs::CDlgBugs(HWND parent, KV::CIniTable* lang) : CFWDialog(IDD_BUGS, parent, lang) {}

INT_PTR CDlgBugs::OnInitDialog(HWND focus, LPARAM param)
{
    CFWDialog::OnInitDialog(focus, param);
    ::CheckDlgButton(m_hWnd, IDC_BUGS_SYSINFO, BST_CHECKED);
    return 1;
}

void CDlgBugs::OnTranslate()
{
    ::SetWindowTextW(m_hWnd, Text(L"BugsTitle").c_str());
    SetItemKey(IDC_BUGS_NAME_LABEL, L"YourName");
    SetItemKey(IDC_BUGS_MAIL_LABEL, L"EMail");
    SetItemKey(IDC_BUGS_MESSAGE_LABEL, L"Message");
    SetItemKey(IDC_BUGS_SYSINFO, L"AttachSysInfo");
    SetItemKey(IDOK, L"Send");
    SetItemKey(IDCANCEL, L"Cancel");
}

void CDlgBugs::Ok()
{
    std::wstring message = ControlText(m_hWnd, IDC_BUGS_MESSAGE);
    if (message.find_first_not_of(L" \t\r\n") == std::wstring::npos)
    {
        KV::ShowMsgBox(m_hWnd, Text(L"MessageEmpty").c_str(), L"Fingerwaltz", MB_OK | MB_ICONINFORMATION);
        ::SetFocus(::GetDlgItem(m_hWnd, IDC_BUGS_MESSAGE));
        return;
    }
    if (::IsDlgButtonChecked(m_hWnd, IDC_BUGS_SYSINFO) == BST_CHECKED)
        message += L"\r\n\r\n" + KV::GetSysInfo();
    KV::SendFeedBack(KV::GetContactPage(), message.c_str(), GetProgramVersion().c_str(),
                     ControlText(m_hWnd, IDC_BUGS_NAME).c_str(), ControlText(m_hWnd, IDC_BUGS_MAIL).c_str());
    CFWDialog::Ok();
}
