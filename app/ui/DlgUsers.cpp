#include "app/ui/DlgUsers.h"
#include "app/ui/FWDialog.h"
#include "app/doc/UserManager.h"
#include "app/ui/UserDialogIds.h"
#include "kvstruct/kvstruct.h"
#include "kvstruct/files/IniTable.h"
#include "kvstruct/sys/MsgBox.h"
#include "kvstruct/sys/MsgError.h"

#include <algorithm>

namespace {

std::wstring Text(KV::CIniTable* lang, const wchar_t* key)
{
    return LangText(lang, key);
}

void SetItemText(HWND dialog, int id, KV::CIniTable* lang, const wchar_t* key)
{
    ::SetDlgItemTextW(dialog, id, Text(lang, key).c_str());
}

std::wstring AvatarFolder()
{
    wchar_t folder[MAX_PATH] = {0};
    if (!KV::GetPathToExeW(folder))
        return std::wstring();
    return std::wstring(folder) + L"Avatars\\";
}

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[MAX_PATH] = {0};
    ::GetDlgItemTextW(dialog, id, text, MAX_PATH);
    return text;
}

void TranslateButtons(HWND dialog, KV::CIniTable* lang)
{
    SetItemText(dialog, IDOK, lang, L"OK");
    SetItemText(dialog, IDCANCEL, lang, L"Cancel");
}

} // namespace

HICON ShowAvatar(HWND dialog, int pictureId, const wchar_t* name, HICON previous)
{
    const std::wstring path = AvatarFolder() + name + L".ico";
    HICON icon = static_cast<HICON>(::LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 48, 48, LR_LOADFROMFILE));
    ::SendDlgItemMessageW(dialog, pictureId, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    if (previous)
        ::DestroyIcon(previous);
    return icon;
}

void RestorePlace(HWND dialog, const KV::CRect* place)
{
    if (place && !place->IsRectEmpty())
        ::MoveWindow(dialog, place->left, place->top, place->Width(), place->Height(), FALSE);
}

void RememberPlace(HWND dialog, KV::CRect* place)
{
    RECT rect;
    if (place && ::GetWindowRect(dialog, &rect))
        *place = rect;
}

// ---- CDlgSelectUser ----

CDlgSelectUser::CDlgSelectUser(HWND parent, CUserManager& users, KV::CIniTable* lang,
                               const wchar_t* currentId, KV::CRect* place)
    : KV::CDialogColor(IDD_SELECT_USER, parent), m_users(users), m_pLang(lang),
      m_sCurrentID(currentId ? currentId : L""), m_nSelected(-1), m_hIcon(nullptr), m_pPlace(place)
{}

void CDlgSelectUser::Cancel()
{
    RememberPlace(m_hWnd, m_pPlace);
    KV::CDialogColor::Cancel();
}

CDlgSelectUser::~CDlgSelectUser()
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
}

INT_PTR CDlgSelectUser::OnInitDialog(HWND focus, LPARAM param)
{
    KV::CDialogColor::OnInitDialog(focus, param);
    RestorePlace(m_hWnd, m_pPlace);
    m_list = m_users.ListUsers();
    HWND list = ::GetDlgItem(m_hWnd, IDC_USER_LIST);
    int current = m_list.empty() ? -1 : 0;
    for (size_t i = 0; i < m_list.size(); ++i)
    {
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_list[i].GetNick()));
        if (m_sCurrentID == m_list[i].GetID())
            current = static_cast<int>(i);
    }
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(current), 0);
    ShowSelection();
    return 1;
}

void CDlgSelectUser::OnTranslate()
{
    ::SetWindowTextW(m_hWnd, Text(m_pLang, L"SelectUser").c_str());
    TranslateButtons(m_hWnd, m_pLang);
}

void CDlgSelectUser::ShowSelection()
{
    const LRESULT index = ::SendDlgItemMessageW(m_hWnd, IDC_USER_LIST, LB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<size_t>(index) >= m_list.size())
        return;
    const CHeaderDoc& user = m_list[static_cast<size_t>(index)];
    ::SetDlgItemTextW(m_hWnd, IDC_USER_TEXT, (Text(m_pLang, L"CurrentUser") + L" " + user.GetNick()).c_str());
    m_hIcon = ShowAvatar(m_hWnd, IDC_USER_PICTURE, user.GetAvatar(), m_hIcon);
}

INT_PTR CDlgSelectUser::OnCommand(WORD code, WORD id, HWND control)
{
    if (id == IDC_USER_LIST && code == LBN_SELCHANGE)
        ShowSelection();
    if (id == IDC_USER_LIST && code == LBN_DBLCLK)
    {
        Ok();
        return 1;
    }
    return KV::CDialogColor::OnCommand(code, id, control);
}

void CDlgSelectUser::Ok()
{
    m_nSelected = static_cast<int>(::SendDlgItemMessageW(m_hWnd, IDC_USER_LIST, LB_GETCURSEL, 0, 0));
    RememberPlace(m_hWnd, m_pPlace);
    KV::CDialogColor::Ok();
}

const wchar_t* CDlgSelectUser::GetSelectedID() const
{
    if (m_nSelected < 0 || static_cast<size_t>(m_nSelected) >= m_list.size())
        return L"";
    return m_list[static_cast<size_t>(m_nSelected)].GetID();
}

// ---- CDlgNewUser ----

CDlgNewUser::CDlgNewUser(HWND parent, KV::CIniTable* lang, const CHeaderDoc* edit)
    : KV::CDialogColor(IDD_NEW_USER, parent), m_pLang(lang), m_bEdit(edit != nullptr),
      m_header(edit ? *edit : CHeaderDoc()), m_sAvatar(m_header.GetAvatar()), m_hIcon(nullptr)
{}

CDlgNewUser::~CDlgNewUser()
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
}

INT_PTR CDlgNewUser::OnInitDialog(HWND focus, LPARAM param)
{
    KV::CDialogColor::OnInitDialog(focus, param);
    if (m_bEdit)
    {
        ::SetDlgItemTextW(m_hWnd, IDC_NICK, m_header.GetNick());
        ::SetDlgItemTextW(m_hWnd, IDC_FULLNAME, m_header.GetFullName());
        ::SetDlgItemTextW(m_hWnd, IDC_DESCRIPTION, m_header.GetDescription());
    }
    SetAvatar(m_sAvatar.c_str());
    return 1;
}

void CDlgNewUser::OnTranslate()
{
    ::SetWindowTextW(m_hWnd, Text(m_pLang, m_bEdit ? L"Properties" : L"NewUser").c_str());
    SetItemText(m_hWnd, IDC_NICK_LABEL, m_pLang, L"Nick");
    SetItemText(m_hWnd, IDC_FULLNAME_LABEL, m_pLang, L"FullName");
    SetItemText(m_hWnd, IDC_DESCRIPTION_LABEL, m_pLang, L"Description");
    SetItemText(m_hWnd, IDC_PICTURE_LABEL, m_pLang, L"Picture");
    SetItemText(m_hWnd, IDC_CHANGE, m_pLang, L"Change");
    TranslateButtons(m_hWnd, m_pLang);
}

void CDlgNewUser::SetAvatar(const wchar_t* name)
{
    m_sAvatar = name ? name : L"";
    m_hIcon = ShowAvatar(m_hWnd, IDC_PICTURE, m_sAvatar.c_str(), m_hIcon);
}

INT_PTR CDlgNewUser::OnCommand(WORD code, WORD id, HWND control)
{
    if (id == IDC_CHANGE)
    {
        CDlgSelectAvatars avatars(m_hWnd, m_pLang, m_sAvatar.c_str());
        if (avatars.DoModal(::GetModuleHandleW(nullptr)) == kIdOk)
            SetAvatar(avatars.GetAvatar());
        return 1;
    }
    return KV::CDialogColor::OnCommand(code, id, control);
}

void CDlgNewUser::Ok()
{
    const std::wstring nick = ItemText(m_hWnd, IDC_NICK);
    if (nick.empty())
    {
        KV::ShowMsgBox(m_hWnd, Text(m_pLang, L"NickAbsent").c_str(), KV::kAppCaption, MB_OK | MB_ICONWARNING);
        ::SetFocus(::GetDlgItem(m_hWnd, IDC_NICK));
        return;
    }
    const std::wstring id = m_bEdit ? m_header.GetID() : L"";
    m_header = CHeaderDoc(nick.c_str(), ItemText(m_hWnd, IDC_FULLNAME).c_str(),
                          ItemText(m_hWnd, IDC_DESCRIPTION).c_str(), m_sAvatar.c_str(), id.c_str());
    KV::CDialogColor::Ok();
}

// ---- CDlgSelectAvatars ----

CDlgSelectAvatars::CDlgSelectAvatars(HWND parent, KV::CIniTable* lang, const wchar_t* current,
                                     KV::CRect* place)
    : KV::CDialogColor(IDD_SELECT_AVATARS, parent), m_pLang(lang),
      m_sAvatar(current ? current : L""), m_hIcon(nullptr), m_pPlace(place)
{}

void CDlgSelectAvatars::Cancel()
{
    RememberPlace(m_hWnd, m_pPlace);
    KV::CDialogColor::Cancel();
}

CDlgSelectAvatars::~CDlgSelectAvatars()
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
}

const wchar_t* CDlgSelectAvatars::GetAvatarsPage()
{
    return L"https://fingerwaltz.example/avatars";
}

INT_PTR CDlgSelectAvatars::OnInitDialog(HWND focus, LPARAM param)
{
    KV::CDialogColor::OnInitDialog(focus, param);
    RestorePlace(m_hWnd, m_pPlace);
    m_names.clear();
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((AvatarFolder() + L"*.ico").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
    {
        KV::CMsgError(L"CDlgSelectAvatars::InitDialog()", L"FindFirstFile()", m_hWnd);
        return 1;
    }
    do
    {
        std::wstring name = found.cFileName;
        m_names.push_back(name.substr(0, name.size() - 4));
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    std::sort(m_names.begin(), m_names.end(), [](const std::wstring& a, const std::wstring& b) {
        return KV::CompareFileNames(a.c_str(), b.c_str()) < 0;
    });
    HWND list = ::GetDlgItem(m_hWnd, IDC_AVATAR_LIST);
    int current = 0;
    for (size_t i = 0; i < m_names.size(); ++i)
    {
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_names[i].c_str()));
        if (m_names[i] == m_sAvatar)
            current = static_cast<int>(i);
    }
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(current), 0);
    ShowSelection();
    return 1;
}

void CDlgSelectAvatars::OnTranslate()
{
    ::SetWindowTextW(m_hWnd, Text(m_pLang, L"Picture").c_str());
    SetItemText(m_hWnd, IDC_AVATAR_WEB, m_pLang, L"MoreAvatars");
    TranslateButtons(m_hWnd, m_pLang);
}

void CDlgSelectAvatars::ShowSelection()
{
    const LRESULT index = ::SendDlgItemMessageW(m_hWnd, IDC_AVATAR_LIST, LB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<size_t>(index) >= m_names.size())
        return;
    const std::wstring& name = m_names[static_cast<size_t>(index)];
    ::SetDlgItemTextW(m_hWnd, IDC_AVATAR_TEXT, (Text(m_pLang, L"CurrentPicture") + L" " + name).c_str());
    m_hIcon = ShowAvatar(m_hWnd, IDC_AVATAR_PICTURE, name.c_str(), m_hIcon);
}

INT_PTR CDlgSelectAvatars::OnCommand(WORD code, WORD id, HWND control)
{
    if (id == IDC_AVATAR_LIST && code == LBN_SELCHANGE)
        ShowSelection();
    if (id == IDC_AVATAR_LIST && code == LBN_DBLCLK)
    {
        Ok();
        return 1;
    }
    if (id == IDC_AVATAR_WEB)
    {
        KV::ShellExec(GetAvatarsPage());
        return 1;
    }
    return KV::CDialogColor::OnCommand(code, id, control);
}

void CDlgSelectAvatars::Ok()
{
    const LRESULT index = ::SendDlgItemMessageW(m_hWnd, IDC_AVATAR_LIST, LB_GETCURSEL, 0, 0);
    if (index >= 0 && static_cast<size_t>(index) < m_names.size())
        m_sAvatar = m_names[static_cast<size_t>(index)];
    RememberPlace(m_hWnd, m_pPlace);
    KV::CDialogColor::Ok();
}
