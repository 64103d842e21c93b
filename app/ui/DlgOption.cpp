#include "app/ui/DlgOption.h"
#include "app/doc/UserManager.h"
#include "app/doc/UserSettings.h"
#include "app/doc/UserTransfer.h"
#include "app/doc/WaltzDoc.h"
#include "app/ui/DlgUsers.h"
#include "app/ui/DialogIds.h"
#include "app/ui/Help.h"
#include "app/ui/OptionLists.h"
#include "app/ui/OptionsHost.h"
#include "kvinterf/window/ApplyButton.h"
#include "kvstruct/files/FileOperation.h"
#include "kvstruct/files/IniTable.h"
#include "kvstruct/sound/VorbisFile.h"
#include "kvstruct/files/Paths.h"
#include "kvstruct/sys/MsgBox.h"
#include "kvstruct/sys/MsgError.h"
#include "kvstruct/sys/Shell.h"
#include "kvstruct/sys/CursorWait.h"

#include <algorithm>
#include <commdlg.h>
#include <shlobj.h>
#include <iterator>

namespace {

int s_nLastPage = CDlgOption::PageGeneral;

bool ChooseColourBox(HWND owner, COLORREF& colour)
{
    static COLORREF custom[16] = {0};
    CHOOSECOLORW choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.rgbResult = colour;
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!::ChooseColorW(&choose))
        return false;
    colour = choose.rgbResult;
    return true;
}

ColourChooser s_chooser = ChooseColourBox;

bool ChooseFolderBox(HWND owner, const wchar_t* prompt, std::wstring& folder)
{
    BROWSEINFOW browse = {};
    browse.hwndOwner = owner;
    browse.lpszTitle = prompt;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&browse);
    if (!chosen)
        return false;
    wchar_t path[MAX_PATH] = {0};
    const bool ok = ::SHGetPathFromIDListW(chosen, path) != 0;
    ::CoTaskMemFree(chosen);
    folder = path;
    return ok;
}

FolderChooser s_folderChooser = ChooseFolderBox;

const wchar_t* const kPageKeys[] = {L"",         L"General", L"Skins",     L"Keyboard", L"HotKeys",
                                    L"Language", L"Sound",   L"Statistic", L"Users"};

// The game sounds in the order of their codes; the language file keeps the keys without spaces.
const wchar_t* const kEventKeys[] = {L"Title", L"Start", L"Result-Bad", L"Result-Good", L"Result-Best",
                                     L"Pause", L"Click", L"Shift",      L"Error",       L"Delay"};
const int kEventCount = 10;

const wchar_t* const kColourKeys[5] = {L"Background", L"Text", L"CorrectLetter", L"MistakenLetter",
                                       L"ArhythmicLetter"};

// The fixed shortcuts in the four groups of the main window's accelerator tables.
struct HotKey
{
    const wchar_t* keys;
    const wchar_t* name;
    const wchar_t* window;
};
const HotKey kHotKeys[] = {
    {L"F1", L"Help", L"WindowMain"},
    {L"F2", L"Lesson", L"WindowMain"},
    {L"F3", L"Statistic", L"WindowMain"},
    {L"F4", L"LessonEditor", L"WindowMain"},
    {L"F5, Ctrl+P", L"Pause", L"WindowMain"},
    {L"F7", L"ToBegin", L"WindowMain"},
    {L"F9", L"Keyboard", L"WindowMain"},
    {L"F12", L"Close", L"WindowMain"},
    {L"Ctrl+I", L"About", L"WindowMain"},
    {L"Ctrl+O", L"Options", L"WindowMain"},
    {L"Esc", L"ToTray", L"WindowMain"},
    {L"Ctrl+1 ... Ctrl+9", L"GraphSpeed", L"WindowStatistic"},
    {L"Left", L"NextDiagram", L"WindowStatistic"},
    {L"Right", L"PrevDiagram", L"WindowStatistic"},
    {L"Down, Ctrl+Down", L"NextDiagramPoint", L"WindowStatistic"},
    {L"Up, Ctrl+Up", L"PrevDiagramPoint", L"WindowStatistic"},
    {L"Delete", L"DeleteDiagramPoint", L"WindowStatistic"},
    {L"Ctrl+N", L"NewLesson", L"WindowLessonTree"},
    {L"Delete", L"DeleteLesson", L"WindowLessonTree"},
    {L"Space", L"ActivateLesson", L"WindowLessonTree"},
    {L"Ctrl+Q", L"SwitchLessonEditor", L"WindowLessonTree"},
    {L"Ctrl+S", L"SaveLesson", L"WindowLessonEditor"},
    {L"Ctrl+O", L"InsertLesson", L"WindowLessonEditor"},
    {L"Ctrl+Q", L"SwitchLessonTree", L"WindowLessonEditor"},
};

void AddColumn(HWND list, int index, int width, const std::wstring& text)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(text.c_str());
    if (::SendMessageW(list, LVM_SETCOLUMNW, index, reinterpret_cast<LPARAM>(&column)) == 0)
        ::SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

void AddRow(HWND list, int row, const std::wstring* texts, int count)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(texts[0].c_str());
    ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (int i = 1; i < count; ++i)
    {
        item.iSubItem = i;
        item.pszText = const_cast<wchar_t*>(texts[i].c_str());
        ::SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    }
}

// Rows of the keyboard's colour scheme picture: one scheme each.
int SchemeCount()
{
    const std::wstring path = ProgramFolder() + L"Data\\KeyboardScheme.bmp";
    HBITMAP bitmap =
        static_cast<HBITMAP>(::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    BITMAP info = {};
    const int count = bitmap && ::GetObjectW(bitmap, sizeof(info), &info) ? info.bmHeight : 1;
    if (bitmap)
        ::DeleteObject(bitmap);
    return count > 0 ? count : 1;
}

} // namespace

ColourChooser SetColourChooser(ColourChooser chooser)
{
    ColourChooser previous = s_chooser;
    s_chooser = chooser ? chooser : ChooseColourBox;
    return previous;
}

FolderChooser SetFolderChooser(FolderChooser chooser)
{
    FolderChooser previous = s_folderChooser;
    s_folderChooser = chooser ? chooser : ChooseFolderBox;
    return previous;
}

void ReloadSounds(COptionsDoc& options)
{
    const std::wstring folder = ProgramFolder() + L"Sound\\";
    options.m_soundSys.SetPath(folder.c_str());
    options.m_soundGame.SetPath(folder.c_str());
    options.m_soundSys.LoadIfOn();
    options.m_soundGame.LoadIfOn();
}

// ---- pages ----

CDlgOptPage::CDlgOptPage(UINT templateId, CDlgOption& dialog)
    : CFWChildDlg(templateId, dialog), m_dialog(dialog)
{}

CDlgOptPage::~CDlgOptPage()
{
    DestroyWindow();
}

INT_PTR CDlgOptPage::OnInitDialog(HWND focus, LPARAM param)
{
    CFWChildDlg::OnInitDialog(focus, param);
    Fill();
    return 1;
}

COptionsDoc& CDlgOptPage::Options()
{
    return m_dialog.GetOptions();
}

void CDlgOptPage::Changed(bool preview)
{
    m_dialog.Changed(preview);
}

// General: animation, typing font and the five colours of the typing view.
CDlgOptGeneral::CDlgOptGeneral(CDlgOption& dialog) : CDlgOptPage(IDD_OPT_GENERAL, dialog), m_brushes() {}

CDlgOptGeneral::~CDlgOptGeneral()
{
    DestroyWindow();
    for (HBRUSH brush : m_brushes)
        if (brush)
            ::DeleteObject(brush);
}

unsigned long* CDlgOptGeneral::Colour(int index)
{
    COptionsDoc& o = Options();
    unsigned long* colours[5] = {&o.m_nBackColour, &o.m_nTextColour, &o.m_nGoodColour, &o.m_nBadColour,
                                 &o.m_nArhythmColour};
    return colours[index];
}

void CDlgOptGeneral::OnTranslate()
{
    SetItemKey(IDC_GEN_ANIMATION, L"Animation");
    SetItemKey(IDC_GEN_FONT, L"Font");
    SetItemKey(IDC_GEN_COLOURS, L"Colours");
    for (int i = 0; i < 5; ++i)
    {
        SetItemKey(IDC_GEN_LABEL_FIRST + i, kColourKeys[i]);
        ::SetDlgItemTextW(m_hWnd, IDC_GEN_CHOOSE_FIRST + i, L"...");
    }
}

void CDlgOptGeneral::Fill()
{
    ::CheckDlgButton(m_hWnd, IDC_GEN_ANIMATION, Options().m_nAnimation ? BST_CHECKED : BST_UNCHECKED);
    const LOGFONTW& font = Options().m_font.GetLOGFONT();
    HDC screen = ::GetDC(nullptr);
    const int points = font.lfHeight ? ::MulDiv(font.lfHeight < 0 ? -font.lfHeight : font.lfHeight, 72,
                                                ::GetDeviceCaps(screen, LOGPIXELSY))
                                     : 0;
    ::ReleaseDC(nullptr, screen);
    ::SetDlgItemTextW(m_hWnd, IDC_GEN_FONT_NAME,
                      (std::wstring(font.lfFaceName) + L", " + std::to_wstring(points) + L" pt").c_str());
    for (int i = 0; i < 5; ++i)
        ::InvalidateRect(::GetDlgItem(m_hWnd, IDC_GEN_SWATCH_FIRST + i), nullptr, TRUE);
}

INT_PTR CDlgOptGeneral::OnCtlColorStatic(HDC dc, HWND hwnd)
{
    const int index = ::GetDlgCtrlID(hwnd) - IDC_GEN_SWATCH_FIRST;
    if (index < 0 || index >= 5)
        return CDlgOptPage::OnCtlColorStatic(dc, hwnd);
    if (m_brushes[index])
        ::DeleteObject(m_brushes[index]);
    m_brushes[index] = ::CreateSolidBrush(*Colour(index));
    return reinterpret_cast<INT_PTR>(m_brushes[index]);
}

INT_PTR CDlgOptGeneral::OnCommand(WORD code, WORD id, HWND control)
{
    if (id == IDC_GEN_ANIMATION && code == BN_CLICKED)
    {
        Options().m_nAnimation = ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED ? 1 : 0;
        Changed(true);
        return 1;
    }
    if (id == IDC_GEN_FONT && code == BN_CLICKED)
    {
        LOGFONTW font = Options().m_font.GetLOGFONT();
        CHOOSEFONTW choose = {};
        choose.lStructSize = sizeof(choose);
        choose.hwndOwner = m_hWnd;
        choose.lpLogFont = &font;
        choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_FIXEDPITCHONLY;
        if (::ChooseFontW(&choose))
        {
            Options().m_font.SetLOGFONT(font);
            Fill();
            Changed(true);
        }
        return 1;
    }
    const int index = id - IDC_GEN_CHOOSE_FIRST;
    if (index >= 0 && index < 5 && code == BN_CLICKED)
    {
        COLORREF colour = *Colour(index);
        if (s_chooser(m_hWnd, colour))
        {
            *Colour(index) = colour;
            Fill();
            Changed(true);
        }
        return 1;
    }
    return CDlgOptPage::OnCommand(code, id, control);
}

// Skins: the ".skn" files of the skin folder.
CDlgOptSkin::CDlgOptSkin(CDlgOption& dialog) : CDlgOptPage(IDD_OPT_SKIN, dialog) {}

const wchar_t* CDlgOptSkin::GetSkinsPage()
{
    return L"https://fingerwaltz.example/skins";
}

void CDlgOptSkin::OnTranslate()
{
    SetItemKey(IDC_SKIN_LABEL, L"Skins");
    SetItemKey(IDC_SKIN_UPDATE, L"Update");
    SetItemKey(IDC_SKIN_REFRESH, L"Refresh");
    SetItemKey(IDC_SKIN_WEB, L"AddFromWeb");
}

void CDlgOptSkin::Fill()
{
    KV::CFileOperation files;
    files.Load((ProgramFolder() + L"Skin").c_str(), L".skn", 0);
    HWND list = ::GetDlgItem(m_hWnd, IDC_SKIN_LIST);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    m_names.clear();
    for (unsigned long i = 0; i < files.GetCount(); ++i)
    {
        m_names.push_back(files.GetName(i));
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(files.GetName(i)));
        if (_wcsicmp(files.GetName(i), Options().m_sSkin) == 0)
            ::SendMessageW(list, LB_SETCURSEL, i, 0);
    }
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SKIN_UPDATE), !m_names.empty());
}

INT_PTR CDlgOptSkin::OnCommand(WORD code, WORD id, HWND control)
{
    if (id == IDC_SKIN_LIST && code == LBN_SELCHANGE)
    {
        const LRESULT index = ::SendDlgItemMessageW(m_hWnd, id, LB_GETCURSEL, 0, 0);
        if (index >= 0 && static_cast<size_t>(index) < m_names.size())
        {
            Options().m_sSkin = m_names[static_cast<size_t>(index)].c_str();
            Changed(false);
        }
        return 1;
    }
    if (id == IDC_SKIN_UPDATE && code == BN_CLICKED)
    {
        // The main window shows the chosen skin now; Cancel puts its own back.
        Changed(true);
        return 1;
    }
    if (id == IDC_SKIN_REFRESH && code == BN_CLICKED)
    {
        Fill();
        return 1;
    }
    if (id == IDC_SKIN_WEB && code == BN_CLICKED)
    {
        KV::ShellExec(GetSkinsPage());
        return 1;
    }
    return CDlgOptPage::OnCommand(code, id, control);
}

// Sound: both switches, and for each typing sound its flag, file and volume.
CDlgOptSound::CDlgOptSound(CDlgOption& dialog) : CDlgOptPage(IDD_OPT_SOUND, dialog), m_bFilling(false)
{
    KV::CFileOperation files;
    files.Load((ProgramFolder() + L"Sound").c_str(), L".ogg", 1);
    for (unsigned long i = 0; i < files.GetCount(); ++i)
        m_files.push_back(files.GetName(i));
}

CDlgOptSound::~CDlgOptSound()
{
    DestroyWindow();
    // The page's test playback used the dialog's copy; it holds no device afterwards.
    Options().m_soundGame.Release();
}

void CDlgOptSound::OnTranslate()
{
    SetItemKey(IDC_SND_INTERFACE, L"Interface");
    SetItemKey(IDC_SND_LESSONS, L"Lessons");
    SetItemKey(IDC_SND_GROUP, L"SoundLesson");
    SetItemKey(IDC_SND_FILE_LABEL, L"Sound");
    SetItemKey(IDC_SND_TEST, L"Test");
    SetItemKey(IDC_SND_VOLUME_LABEL, L"Volume");
    HWND list = ::GetDlgItem(m_hWnd, IDC_SND_EVENTS);
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                   LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    RECT client;
    ::GetClientRect(list, &client);
    const int width = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
    AddColumn(list, 0, width / 2, Text(L"Action"));
    AddColumn(list, 1, width * 3 / 10, Text(L"Sound"));
    AddColumn(list, 2, width - width / 2 - width * 3 / 10, Text(L"Volume"));
}

void CDlgOptSound::Fill()
{
    m_bFilling = true;
    const COptionsDoc& o = Options();
    ::CheckDlgButton(m_hWnd, IDC_SND_INTERFACE, o.m_nSoundSys ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_SND_LESSONS, o.m_nSoundGame ? BST_CHECKED : BST_UNCHECKED);
    HWND list = ::GetDlgItem(m_hWnd, IDC_SND_EVENTS);
    const int selected = GetEvent();
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < kEventCount; ++i)
    {
        const KV::CSound* sound = o.m_soundGame.Get(static_cast<unsigned long>(i));
        const std::wstring texts[3] = {Text(kEventKeys[i]), sound ? sound->GetFileName() : L"",
                                       sound ? std::to_wstring(sound->GetVolume()) + L" %" : L""};
        AddRow(list, i, texts, 3);
        ListView_SetCheckState(list, i, sound && sound->GetEnable() ? TRUE : FALSE);
    }
    HWND files = ::GetDlgItem(m_hWnd, IDC_SND_FILE);
    ::SendMessageW(files, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& file : m_files)
        ::SendMessageW(files, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(file.c_str()));
    ::SendDlgItemMessageW(m_hWnd, IDC_SND_VOLUME, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
    ListView_SetItemState(list, selected < 0 ? 0 : selected, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    m_bFilling = false;
    ShowEvent();
}

int CDlgOptSound::GetEvent() const
{
    return static_cast<int>(::SendDlgItemMessageW(m_hWnd, IDC_SND_EVENTS, LVM_GETNEXTITEM,
                                                  static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void CDlgOptSound::ShowEvent()
{
    const KV::CSound* sound = Options().m_soundGame.Get(static_cast<unsigned long>(GetEvent()));
    const bool on = sound != nullptr;
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SND_FILE), on);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SND_VOLUME), on);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SND_TEST), on);
    if (!sound)
        return;
    int file = -1;
    for (size_t i = 0; i < m_files.size(); ++i)
        if (_wcsicmp(m_files[i].c_str(), sound->GetFileName()) == 0)
            file = static_cast<int>(i);
    ::SendDlgItemMessageW(m_hWnd, IDC_SND_FILE, CB_SETCURSEL, static_cast<WPARAM>(file), 0);
    ::SendDlgItemMessageW(m_hWnd, IDC_SND_VOLUME, TBM_SETPOS, TRUE, static_cast<LPARAM>(sound->GetVolume()));
}

INT_PTR CDlgOptSound::OnCommand(WORD code, WORD id, HWND control)
{
    COptionsDoc& o = Options();
    KV::CSound* sound = o.m_soundGame.Get(static_cast<unsigned long>(GetEvent()));
    if ((id == IDC_SND_INTERFACE || id == IDC_SND_LESSONS) && code == BN_CLICKED)
    {
        (id == IDC_SND_INTERFACE ? o.m_nSoundSys : o.m_nSoundGame) =
            ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED ? 1 : 0;
        Changed(false);
        return 1;
    }
    if (id == IDC_SND_FILE && code == CBN_SELCHANGE && sound)
    {
        const LRESULT index = ::SendDlgItemMessageW(m_hWnd, id, CB_GETCURSEL, 0, 0);
        if (index < 0 || static_cast<size_t>(index) >= m_files.size())
            return 1;
        const std::wstring& file = m_files[static_cast<size_t>(index)];
        KV::CPcmBuffer pcm;
        if (!KV::DecodeVorbisFileW((ProgramFolder() + L"Sound\\" + file).c_str(), pcm))
        {
            // The event keeps the sound it had.
            KV::ShowMsgBox(m_hWnd, (Text(L"SoundFileBad") + L"\n" + file).c_str(), L"Fingerwaltz",
                           MB_OK | MB_ICONWARNING);
            ShowEvent();
            return 1;
        }
        sound->SetFileName(file.c_str());
        Fill();
        Changed(false);
        return 1;
    }
    if (id == IDC_SND_TEST && code == BN_CLICKED && sound)
    {
        KV::CSoundSystem& player = o.m_soundGame;
        player.SetPath((ProgramFolder() + L"Sound\\").c_str());
        player.Release();
        player.Load();
        player.KV::CSoundSystem::Play(sound->GetID());
        return 1;
    }
    return CDlgOptPage::OnCommand(code, id, control);
}

INT_PTR CDlgOptSound::OnNotify(int id, NMHDR* header)
{
    if (id == IDC_SND_EVENTS && header->code == LVN_ITEMCHANGED && !m_bFilling)
    {
        const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(header);
        KV::CSound* sound = Options().m_soundGame.Get(static_cast<unsigned long>(change->iItem));
        if (sound && (change->uChanged & LVIF_STATE))
        {
            const int on = ListView_GetCheckState(header->hwndFrom, change->iItem) ? 1 : 0;
            if (on != sound->GetEnable())
            {
                sound->SetEnable(on);
                Changed(false);
            }
            if ((change->uNewState ^ change->uOldState) & LVIS_SELECTED)
                ShowEvent();
        }
        return 0;
    }
    return CDlgOptPage::OnNotify(id, header);
}

INT_PTR CDlgOptSound::MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_HSCROLL && reinterpret_cast<HWND>(lParam) == ::GetDlgItem(m_hWnd, IDC_SND_VOLUME) &&
        LOWORD(wParam) == TB_ENDTRACK)
    {
        KV::CSound* sound = Options().m_soundGame.Get(static_cast<unsigned long>(GetEvent()));
        if (sound)
        {
            sound->SetVolume(
                static_cast<unsigned long>(::SendMessageW(reinterpret_cast<HWND>(lParam), TBM_GETPOS, 0, 0)));
            Fill();
            Changed(false);
        }
        return 0;
    }
    return CDlgOptPage::MessageLoop(hwnd, msg, wParam, lParam);
}

// Users: the users of the user folder, the user folder and the lesson folder.
CDlgOptUsers::CDlgOptUsers(CDlgOption& dialog) : CDlgOptPage(IDD_OPT_USERS, dialog) {}

void CDlgOptUsers::OnTranslate()
{
    SetItemKey(IDC_USERS_NEW, L"NewUser");
    SetItemKey(IDC_USERS_ACTIVATE, L"Activate");
    SetItemKey(IDC_USERS_PROPERTIES, L"Properties");
    SetItemKey(IDC_USERS_REMOVE, L"Remove");
    SetItemKey(IDC_USERS_PATH_LABEL, L"PathToUserData");
    SetItemKey(IDC_USERS_PATH_DEFAULT, L"Restore");
    SetItemKey(IDC_USERS_LESSONS_LABEL, L"PathToLessons");
    SetItemKey(IDC_USERS_LESSONS_DEFAULT, L"Restore");
}

void CDlgOptUsers::Fill()
{
    CUserManager* users = m_dialog.GetpUsers();
    CUserSettings* settings = m_dialog.GetpSettings();
    HWND list = ::GetDlgItem(m_hWnd, IDC_USERS_LIST);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    if (!users || !settings)
        return;
    const std::wstring current = m_dialog.GetDoc().GetHeader().GetID();
    const std::vector<CHeaderDoc>& all = users->ListUsers();
    for (size_t i = 0; i < all.size(); ++i)
    {
        const std::wstring nick = all[i].GetNick();
        const std::wstring shown = current == all[i].GetID() ? L"\x2022 " + nick : nick;
        ::SendMessageW(
            list, LB_ADDSTRING, 0,
            reinterpret_cast<LPARAM>((nick.empty() ? std::wstring(all[i].GetID()) : shown).c_str()));
        if (current == all[i].GetID())
            ::SendMessageW(list, LB_SETCURSEL, i, 0);
    }
    ::SetDlgItemTextW(m_hWnd, IDC_USERS_PATH, settings->GetUserPath().c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_USERS_LESSONS, m_dialog.GetDoc().GetLessonList(0).GetBasePath());
}

int CDlgOptUsers::Selected() const
{
    return static_cast<int>(::SendDlgItemMessageW(m_hWnd, IDC_USERS_LIST, LB_GETCURSEL, 0, 0));
}

void CDlgOptUsers::Message(const std::wstring& text) const
{
    KV::ShowMsgBox(m_hWnd, text.c_str(), L"Fingerwaltz", MB_OK | MB_ICONWARNING);
}

void CDlgOptUsers::ChooseUserPath()
{
    std::wstring folder;
    if (!s_folderChooser(m_hWnd, Text(L"SelectPathToUserData").c_str(), folder))
        return;
    // The user's files are written before they move, so the copies are current.
    m_dialog.GetpUsers()->SaveCurrent();
    switch (TransferUserFiles(*m_dialog.GetpSettings(), folder))
    {
    case TransferDone:
        break;
    case TransferWrongPath:
        Message(Text(L"WrongPath"));
        break;
    case TransferAccessDenied:
        Message(Text(L"AccessDenied"));
        break;
    default:
        Message(Text(L"TransferFailed"));
        break;
    }
    Fill();
}

void CDlgOptUsers::SetDefaultUserPath()
{
    CUserSettings& settings = *m_dialog.GetpSettings();
    const std::wstring folder = ProgramFolder() + L"User";
    if (!KV::ReviseFolder(folder.c_str()))
    {
        KV::CMsgError(L"CDlgOptUsers::OnSetDefUserPath()", L"CreateDirectory", folder.c_str(), m_hWnd);
        return;
    }
    m_dialog.GetpUsers()->SaveCurrent();
    const int result = TransferUserFiles(settings, folder);
    if (result != TransferDone && result != TransferWrongPath)
        Message(Text(result == TransferAccessDenied ? L"AccessDenied" : L"TransferFailed"));
    Fill();
}

void CDlgOptUsers::ChooseLessonPath(bool useDefault)
{
    std::wstring folder = ProgramFolder() + L"Lessons";
    if (useDefault)
    {
        if (!KV::ReviseFolder(folder.c_str()))
        {
            KV::CMsgError(L"CDlgOptUsers::OnSetDefLessonPath()", L"CreateDirectory", folder.c_str(), m_hWnd);
            return;
        }
    }
    else if (!s_folderChooser(m_hWnd, Text(L"SelectPathToLessons").c_str(), folder))
        return;
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    {
        Message(Text(L"WrongPath"));
        return;
    }
    if (!m_dialog.GetpSettings()->SetLessonPath(folder.c_str()))
    {
        Message(Text(L"AccessDenied"));
        return;
    }
    CWaltzDoc& doc = m_dialog.GetDoc();
    doc.GetLessonList(0).SetBasePath(folder.c_str());
    doc.GetLessonList(1).SetBasePath(folder.c_str());
    m_dialog.UserChanged();
}

void CDlgOptUsers::CreateUser()
{
    CDlgNewUser create(m_hWnd, GetOwner().GetpLang());
    if (create.DoModal(::GetModuleHandleW(nullptr)) != kIdOk)
        return;
    const CHeaderDoc& header = create.GetHeader();
    const int result = m_dialog.GetpUsers()->CreateUser(header.GetNick(), header.GetFullName(),
                                                        header.GetDescription(), header.GetAvatar());
    if (result == CUserManager::UserExists)
        Message(std::wstring(header.GetNick()) + L" " + Text(L"UserExist"));
    m_dialog.UserChanged();
}

void CDlgOptUsers::EditUser()
{
    const int index = Selected();
    const std::vector<CHeaderDoc>& all = m_dialog.GetpUsers()->ListUsers();
    if (index < 0 || static_cast<size_t>(index) >= all.size())
        return;
    CDlgNewUser edit(m_hWnd, GetOwner().GetpLang(), &all[static_cast<size_t>(index)]);
    if (edit.DoModal(::GetModuleHandleW(nullptr)) != kIdOk)
        return;
    m_dialog.GetpUsers()->EditUser(static_cast<unsigned long>(index), edit.GetHeader());
    m_dialog.UserChanged();
}

void CDlgOptUsers::RemoveUser()
{
    const int index = Selected();
    if (index < 0)
        return;
    if (KV::ShowMsgBox(m_hWnd, Text(L"ConfDelUserText").c_str(), L"Fingerwaltz",
                       MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_dialog.GetpUsers()->DeleteUser(static_cast<unsigned long>(index));
    m_dialog.UserChanged();
}

void CDlgOptUsers::ActivateUser()
{
    const int index = Selected();
    CUserManager& users = *m_dialog.GetpUsers();
    if (index < 0 || static_cast<size_t>(index) >= users.ListUsers().size())
        return;
    const std::wstring id = users.ListUsers()[static_cast<size_t>(index)].GetID();
    users.SaveCurrent();
    if (users.SelectUser(static_cast<unsigned long>(index)) == CUserManager::Done)
        users.OpenUser(id.c_str());
    m_dialog.UserChanged();
}

INT_PTR CDlgOptUsers::OnCommand(WORD code, WORD id, HWND control)
{
    if (!m_dialog.GetpUsers() || !m_dialog.GetpSettings())
        return CDlgOptPage::OnCommand(code, id, control);
    if (id == IDC_USERS_LIST && code == LBN_DBLCLK)
    {
        ActivateUser();
        return 1;
    }
    if (code != BN_CLICKED)
        return CDlgOptPage::OnCommand(code, id, control);
    switch (id)
    {
    case IDC_USERS_NEW:
        CreateUser();
        return 1;
    case IDC_USERS_ACTIVATE:
        ActivateUser();
        return 1;
    case IDC_USERS_PROPERTIES:
        EditUser();
        return 1;
    case IDC_USERS_REMOVE:
        RemoveUser();
        return 1;
    case IDC_USERS_PATH_CHOOSE:
        ChooseUserPath();
        return 1;
    case IDC_USERS_PATH_DEFAULT:
        SetDefaultUserPath();
        return 1;
    case IDC_USERS_LESSONS_CHOOSE:
        ChooseLessonPath(false);
        return 1;
    case IDC_USERS_LESSONS_DEFAULT:
        ChooseLessonPath(true);
        return 1;
    default:
        return CDlgOptPage::OnCommand(code, id, control);
    }
}

// Keyboard: type, style, colour scheme, contrast, hands and the enabled layouts.
CDlgOptKeyboard::CDlgOptKeyboard(CDlgOption& dialog)
    : CDlgOptPage(IDD_OPT_KEYBOARD, dialog), m_types(KeyboardTypes()), m_bFilling(false)
{}

void CDlgOptKeyboard::OnTranslate()
{
    SetItemKey(IDC_KBD_TYPE_LABEL, L"TypeKeyboard");
    SetItemKey(IDC_KBD_VIEW_LABEL, L"KeyboardView");
    SetItemKey(IDC_KBD_SCHEME_LABEL, L"ColourSchema");
    SetItemKey(IDC_KBD_CONTRAST, L"Contrast");
    SetItemKey(IDC_KBD_HANDS, L"ShowHands");
    SetItemKey(IDC_KBD_LAYOUTS_LABEL, L"KeyboardLayout");
}

void CDlgOptKeyboard::Fill()
{
    m_bFilling = true;
    const COptionsDoc& o = Options();
    KV::CIniTable* lang = GetOwner().GetpLang();
    FillKeyboardTypes(::GetDlgItem(m_hWnd, IDC_KBD_TYPE), m_types, o.m_sKeyboardType, lang);
    FillKeyboardViews(::GetDlgItem(m_hWnd, IDC_KBD_VIEW), o.m_nKeyboardView, lang);
    HWND schemes = ::GetDlgItem(m_hWnd, IDC_KBD_SCHEME);
    ::SendMessageW(schemes, CB_RESETCONTENT, 0, 0);
    const int count = SchemeCount();
    for (int i = 1; i <= count; ++i)
        ::SendMessageW(schemes, CB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>((Text(L"Schema") + L" #" + std::to_wstring(i)).c_str()));
    ::SendMessageW(schemes, CB_SETCURSEL, o.m_nKeyboardScheme, 0);
    ::CheckDlgButton(m_hWnd, IDC_KBD_CONTRAST, o.m_nKeyboardContrast ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_KBD_HANDS, o.m_nShowHands ? BST_CHECKED : BST_UNCHECKED);

    HWND list = ::GetDlgItem(m_hWnd, IDC_KBD_LAYOUTS);
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                   LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    RECT client;
    ::GetClientRect(list, &client);
    AddColumn(list, 0, client.right - ::GetSystemMetrics(SM_CXVSCROLL), L"");
    for (size_t i = 0; i < o.m_layouts.GetSize(); ++i)
    {
        const KV::CLayout* layout = o.m_layouts.GetAt(i);
        const std::wstring text =
            std::wstring(layout->GetName().GetW()) + L" (" + layout->GetKLID().GetW() + L")";
        AddRow(list, static_cast<int>(i), &text, 1);
        ListView_SetCheckState(list, static_cast<int>(i), layout->GetEnable() ? TRUE : FALSE);
    }
    m_bFilling = false;
}

INT_PTR CDlgOptKeyboard::OnCommand(WORD code, WORD id, HWND control)
{
    COptionsDoc& o = Options();
    const LRESULT index = ::SendDlgItemMessageW(m_hWnd, id, CB_GETCURSEL, 0, 0);
    if (id == IDC_KBD_TYPE && code == CBN_SELCHANGE && index >= 0 &&
        static_cast<size_t>(index) < m_types.size())
        o.m_sKeyboardType = m_types[static_cast<size_t>(index)].c_str();
    else if (id == IDC_KBD_VIEW && code == CBN_SELCHANGE)
        o.m_nKeyboardView = index == 1 ? 1 : 0;
    else if (id == IDC_KBD_SCHEME && code == CBN_SELCHANGE && index >= 0)
        o.m_nKeyboardScheme = static_cast<unsigned short>(index);
    else if (id == IDC_KBD_CONTRAST && code == BN_CLICKED)
        o.m_nKeyboardContrast = ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED ? 1 : 0;
    else if (id == IDC_KBD_HANDS && code == BN_CLICKED)
        o.m_nShowHands = ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED ? 1 : 0;
    else
        return CDlgOptPage::OnCommand(code, id, control);
    Changed(true);
    return 1;
}

INT_PTR CDlgOptKeyboard::OnNotify(int id, NMHDR* header)
{
    if (id == IDC_KBD_LAYOUTS && header->code == LVN_ITEMCHANGED && !m_bFilling)
    {
        const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(header);
        KV::CLayout* layout = Options().m_layouts.GetAt(static_cast<size_t>(change->iItem));
        if (layout && (change->uChanged & LVIF_STATE))
        {
            const unsigned long on = ListView_GetCheckState(header->hwndFrom, change->iItem) ? 1 : 0;
            if (on != layout->GetEnable())
            {
                layout->SetEnable(on);
                Changed(false);
            }
        }
        return 0;
    }
    return CDlgOptPage::OnNotify(id, header);
}

// Shortcuts: the fixed list, nothing to edit.
CDlgOptHotKey::CDlgOptHotKey(CDlgOption& dialog) : CDlgOptPage(IDD_OPT_HOTKEY, dialog) {}

void CDlgOptHotKey::OnTranslate()
{
    HWND list = ::GetDlgItem(m_hWnd, IDC_HOTKEY_LIST);
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT client;
    ::GetClientRect(list, &client);
    const int width = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
    AddColumn(list, 0, width * 3 / 10, Text(L"Command"));
    AddColumn(list, 1, width * 4 / 10, Text(L"Description"));
    AddColumn(list, 2, width - width * 7 / 10, Text(L"Window"));
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    int row = 0;
    for (const HotKey& key : kHotKeys)
    {
        const std::wstring texts[3] = {key.keys, Text(key.name), Text(key.window)};
        AddRow(list, row++, texts, 3);
    }
}

// Language: the interface languages; applied with OK or Apply.
CDlgOptLanguage::CDlgOptLanguage(CDlgOption& dialog) : CDlgOptPage(IDD_OPT_LANGUAGE, dialog) {}

void CDlgOptLanguage::OnTranslate() {}

void CDlgOptLanguage::Fill()
{
    m_names = FillLanguages(::GetDlgItem(m_hWnd, IDC_LANG_LIST), Options().m_sLanguage);
}

INT_PTR CDlgOptLanguage::OnCommand(WORD code, WORD id, HWND control)
{
    if (id == IDC_LANG_LIST && code == LBN_SELCHANGE)
    {
        const LRESULT index = ::SendDlgItemMessageW(m_hWnd, id, LB_GETCURSEL, 0, 0);
        if (index >= 0 && static_cast<size_t>(index) < m_names.size())
        {
            Options().m_sLanguage = m_names[static_cast<size_t>(index)].c_str();
            Changed(false);
        }
        return 1;
    }
    return CDlgOptPage::OnCommand(code, id, control);
}

// Statistic: which columns the score table ("Course") and the letter table ("Lesson") show.
CDlgOptStatistic::CDlgOptStatistic(CDlgOption& dialog)
    : CDlgOptPage(IDD_OPT_STATISTIC, dialog), m_bLetters(false)
{}

KV::CListParam& CDlgOptStatistic::Columns()
{
    return m_bLetters ? Options().m_letterColumns : Options().m_scoreColumns;
}

void CDlgOptStatistic::OnTranslate()
{
    SetItemKey(IDC_STAT_COURSE, L"Course");
    SetItemKey(IDC_STAT_LESSON, L"Lesson");
    SetItemKey(IDC_STAT_AVAILABLE_LABEL, L"AvailableParameters");
    SetItemKey(IDC_STAT_SELECTED_LABEL, L"SelectedParameters");
    SetItemKey(IDC_STAT_DESCRIPTION_LABEL, L"Description");
    ::SetDlgItemTextW(m_hWnd, IDC_STAT_ADD, L">");
    ::SetDlgItemTextW(m_hWnd, IDC_STAT_REMOVE, L"<");
    ::SetDlgItemTextW(m_hWnd, IDC_STAT_UP, L"\x25B2");
    ::SetDlgItemTextW(m_hWnd, IDC_STAT_DOWN, L"\x25BC");
}

void CDlgOptStatistic::Fill()
{
    ::CheckRadioButton(m_hWnd, IDC_STAT_COURSE, IDC_STAT_LESSON,
                       m_bLetters ? IDC_STAT_LESSON : IDC_STAT_COURSE);
    HWND available = ::GetDlgItem(m_hWnd, IDC_STAT_AVAILABLE);
    HWND selected = ::GetDlgItem(m_hWnd, IDC_STAT_SELECTED);
    ::SendMessageW(available, LB_RESETCONTENT, 0, 0);
    ::SendMessageW(selected, LB_RESETCONTENT, 0, 0);
    const KV::CListParam& columns = Columns();
    for (unsigned long i = 0; i < columns.GetSize(); ++i)
    {
        const KV::CParam* param = columns.GetAt(i);
        HWND list = param->IsShown() ? selected : available;
        const LRESULT row =
            ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text(param->GetName()).c_str()));
        ::SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(row), static_cast<LPARAM>(param->GetID()));
    }
    ::SetDlgItemTextW(m_hWnd, IDC_STAT_DESCRIPTION, L"");
}

unsigned long CDlgOptStatistic::SelectedID(int id) const
{
    const LRESULT row = ::SendDlgItemMessageW(m_hWnd, id, LB_GETCURSEL, 0, 0);
    return row < 0 ? 0
                   : static_cast<unsigned long>(::SendDlgItemMessageW(m_hWnd, id, LB_GETITEMDATA, row, 0));
}

void CDlgOptStatistic::Select(int id, unsigned long param)
{
    HWND list = ::GetDlgItem(m_hWnd, id);
    const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; ++row)
        if (static_cast<unsigned long>(::SendMessageW(list, LB_GETITEMDATA, row, 0)) == param)
            ::SendMessageW(list, LB_SETCURSEL, row, 0);
    ShowDescription(id);
}

void CDlgOptStatistic::ShowDescription(int id)
{
    const KV::CParam* param = Columns().Find(SelectedID(id));
    ::SetDlgItemTextW(m_hWnd, IDC_STAT_DESCRIPTION, param ? Text(param->GetDescription()).c_str() : L"");
}

INT_PTR CDlgOptStatistic::OnCommand(WORD code, WORD id, HWND control)
{
    if ((id == IDC_STAT_COURSE || id == IDC_STAT_LESSON) && code == BN_CLICKED)
    {
        m_bLetters = id == IDC_STAT_LESSON;
        Fill();
        return 1;
    }
    if ((id == IDC_STAT_AVAILABLE || id == IDC_STAT_SELECTED) && code == LBN_SELCHANGE)
    {
        ShowDescription(id);
        return 1;
    }
    if (code != BN_CLICKED && code != LBN_DBLCLK)
        return CDlgOptPage::OnCommand(code, id, control);
    const bool add = id == IDC_STAT_ADD || (id == IDC_STAT_AVAILABLE && code == LBN_DBLCLK);
    const bool remove = id == IDC_STAT_REMOVE || (id == IDC_STAT_SELECTED && code == LBN_DBLCLK);
    const unsigned long param = SelectedID(add ? IDC_STAT_AVAILABLE : IDC_STAT_SELECTED);
    if (!param || !(add || remove || id == IDC_STAT_UP || id == IDC_STAT_DOWN))
        return CDlgOptPage::OnCommand(code, id, control);
    if (add || remove)
        Columns().SetShow(param, add ? 1 : 0);
    else if (id == IDC_STAT_UP)
        Columns().MoveUp(param);
    else
        Columns().MoveDown(param);
    Fill();
    Select(remove ? IDC_STAT_AVAILABLE : IDC_STAT_SELECTED, param);
    Changed(false);
    return 1;
}

// ---- the dialog ----

CDlgOption::CDlgOption(HWND parent, CWaltzDoc& doc, KV::CIniTable* lang, IOptionsHost* host, KV::CRect* place)
    : CFWDialog(IDD_OPTIONS, parent, lang, place ? place : &doc.GetPlaces().m_rects[CPlacesDoc::RectOptions]),
      m_doc(doc), m_pHost(host), m_pUsers(nullptr), m_pSettings(nullptr), m_options(doc.GetOptions()),
      m_items(), m_nPage(0), m_bPreviewed(false)
{}

CDlgOption::~CDlgOption()
{
    DestroyPages();
}

int CDlgOption::GetLastPage()
{
    return s_nLastPage;
}

CDlgOptPage* CDlgOption::GetpPage(int page) const
{
    return page >= PageGeneral && page <= PageCount ? m_pages[page].get() : nullptr;
}

INT_PTR CDlgOption::OnInitDialog(HWND focus, LPARAM param)
{
    CFWDialog::OnInitDialog(focus, param);
    KV::ApplyButton::Enable(m_hWnd, 0);
    BuildTree();
    return 1;
}

void CDlgOption::OnTranslate()
{
    ::SetWindowTextW(m_hWnd, Text(L"Options").c_str());
    SetItemKey(IDOK, L"OK");
    SetItemKey(IDCANCEL, L"Cancel");
    SetItemKey(IDC_OPT_APPLY, L"Apply");
    SetItemKey(IDC_OPT_RESTORE, L"Restore");
    SetItemKey(IDC_OPT_HELP, L"CallHelp");
}

void CDlgOption::BuildTree()
{
    HWND tree = ::GetDlgItem(m_hWnd, IDC_OPT_TREE);
    ::SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    std::fill(std::begin(m_items), std::end(m_items), nullptr);
    const std::wstring rootText = Text(L"Options");
    TVINSERTSTRUCTW insert = {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(rootText.c_str());
    HTREEITEM root = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    HTREEITEM show = nullptr;
    const int wanted = IsPageListed(s_nLastPage) ? s_nLastPage : PageGeneral;
    for (int page = PageGeneral; page <= PageCount; ++page)
    {
        if (!IsPageListed(page))
            continue;
        const std::wstring text = Text(kPageKeys[page]);
        insert.hParent = root;
        insert.item.pszText = const_cast<wchar_t*>(text.c_str());
        insert.item.lParam = page;
        HTREEITEM item = reinterpret_cast<HTREEITEM>(
            ::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        m_items[page] = item;
        if (page == wanted)
            show = item;
    }
    ::SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    m_nPage = 0;
    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(show));
    if (m_nPage != wanted)
        ShowPage(wanted);
}

void CDlgOption::ShowPage(int page)
{
    if (!IsPageListed(page))
        return;
    if (!m_pages[page])
    {
        RECT area = {0, 0, 0, 0};
        ::GetWindowRect(::GetDlgItem(m_hWnd, IDC_OPT_AREA), &area);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
        switch (page)
        {
        case PageGeneral:
            m_pages[page].reset(new CDlgOptGeneral(*this));
            break;
        case PageSkins:
            m_pages[page].reset(new CDlgOptSkin(*this));
            break;
        case PageSound:
            m_pages[page].reset(new CDlgOptSound(*this));
            break;
        case PageUsers:
            m_pages[page].reset(new CDlgOptUsers(*this));
            break;
        case PageKeyboard:
            m_pages[page].reset(new CDlgOptKeyboard(*this));
            break;
        case PageHotKeys:
            m_pages[page].reset(new CDlgOptHotKey(*this));
            break;
        case PageLanguage:
            m_pages[page].reset(new CDlgOptLanguage(*this));
            break;
        default:
            m_pages[page].reset(new CDlgOptStatistic(*this));
            break;
        }
        m_pages[page]->CreatePage(area);
        FitPage(page);
    }
    for (int i = PageGeneral; i <= PageCount; ++i)
        if (m_pages[i] && m_pages[i]->GetHwnd())
            ::ShowWindow(m_pages[i]->GetHwnd(), i == page ? SW_SHOW : SW_HIDE);
    m_nPage = page;
    s_nLastPage = page;
    HWND tree = ::GetDlgItem(m_hWnd, IDC_OPT_TREE);
    if (m_items[page] && TreeView_GetSelection(tree) != m_items[page])
        TreeView_SelectItem(tree, m_items[page]);
}

void CDlgOption::FitPage(int page)
{
    HWND pageWnd = page >= PageGeneral && page <= PageCount && m_pages[page] ? m_pages[page]->GetHwnd() : nullptr;
    HWND areaWnd = ::GetDlgItem(m_hWnd, IDC_OPT_AREA);
    if (!pageWnd || !areaWnd)
        return;
    RECT margin = {0, 0, 7, 7};
    ::MapDialogRect(pageWnd, &margin);
    LONG needW = 0, needH = 0;
    for (HWND child = ::GetWindow(pageWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    {
        if (!(::GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        RECT rect;
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, pageWnd, reinterpret_cast<POINT*>(&rect), 2);
        needW = (std::max)(needW, rect.right + margin.right);
        needH = (std::max)(needH, rect.bottom + margin.bottom);
    }
    RECT area;
    ::GetWindowRect(areaWnd, &area);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
    const int dx = (std::max)(0L, needW - (area.right - area.left));
    const int dy = (std::max)(0L, needH - (area.bottom - area.top));
    if (!dx && !dy)
        return;
    auto grow = [](HWND wnd, int w, int h) {
        RECT rect;
        ::GetWindowRect(wnd, &rect);
        ::SetWindowPos(wnd, nullptr, 0, 0, rect.right - rect.left + w, rect.bottom - rect.top + h,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    auto move = [this](int id, int x, int y) {
        HWND wnd = ::GetDlgItem(m_hWnd, id);
        RECT rect;
        ::GetWindowRect(wnd, &rect);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        ::SetWindowPos(wnd, nullptr, rect.left + x, rect.top + y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    grow(m_hWnd, dx, dy);
    grow(areaWnd, dx, dy);
    grow(::GetDlgItem(m_hWnd, IDC_OPT_TREE), 0, dy);
    for (const std::unique_ptr<CDlgOptPage>& shown : m_pages)
        if (shown && shown->GetHwnd())
            grow(shown->GetHwnd(), dx, dy);
    for (int id : {IDC_OPT_HELP, IDC_OPT_RESTORE})
        move(id, 0, dy);
    for (int id : {IDOK, IDCANCEL, IDC_OPT_APPLY})
        move(id, dx, dy);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    KeepOnScreen();
}

bool CDlgOption::IsPageListed(int page) const
{
    if (page < PageGeneral || page > PageCount)
        return false;
    return page != PageUsers || (m_pUsers && m_pSettings);
}

void CDlgOption::UserChanged()
{
    // What the dialog holds belongs to the user who was current before.
    m_options = m_doc.GetOptions();
    const int page = m_nPage;
    DestroyPages();
    s_nLastPage = page;
    BuildTree();
    if (m_pHost)
        m_pHost->OptionsApplied(true);
    m_bPreviewed = false;
    KV::ApplyButton::Enable(m_hWnd, 0);
}

void CDlgOption::DestroyPages()
{
    for (std::unique_ptr<CDlgOptPage>& page : m_pages)
        page.reset();
}

INT_PTR CDlgOption::OnNotify(int id, NMHDR* header)
{
    if (id == IDC_OPT_TREE && header->code == TVN_SELCHANGEDW)
    {
        const NMTREEVIEWW* change = reinterpret_cast<const NMTREEVIEWW*>(header);
        if (change->itemNew.lParam)
            ShowPage(static_cast<int>(change->itemNew.lParam));
        return 0;
    }
    return CFWDialog::OnNotify(id, header);
}

void CDlgOption::Changed(bool preview)
{
    KV::ApplyButton::Enable(m_hWnd, 1);
    if (preview && m_pHost)
    {
        m_pHost->Preview(m_options);
        m_bPreviewed = true;
    }
}

void CDlgOption::Apply()
{
    COptionsDoc& user = m_doc.GetOptions();
    const bool languageChanged = _wcsicmp(user.m_sLanguage, m_options.m_sLanguage) != 0;
    user = m_options;
    if (languageChanged && m_pLang)
    {
        m_pLang->Load_UTF16(
            (ProgramFolder() + L"Language\\" + m_options.m_sLanguage.GetW() + L".ini").c_str());
        OnTranslate();
        for (std::unique_ptr<CDlgOptPage>& page : m_pages)
            if (page)
            {
                page->OnTranslate();
                page->Fill();
            }
        BuildTree();
    }
    ReloadSounds(user);
    if (m_pHost)
    {
        m_pHost->OptionsApplied(languageChanged);
        m_pHost->SaveUser();
    }
    // The main window now shows what was applied.
    m_bPreviewed = false;
    KV::ApplyButton::Enable(m_hWnd, 0);
}

void CDlgOption::Restore()
{
    KV::CCursorWait wait;
    COptionsDoc& user = m_doc.GetOptions();
    const bool languageChanged = _wcsicmp(user.m_sLanguage, L"English") != 0;
    user.SetDefault();
    if (m_pHost)
        m_pHost->SaveUser();
    ReloadSounds(user);
    m_options = user;
    if (languageChanged && m_pLang)
    {
        m_pLang->Load_UTF16((ProgramFolder() + L"Language\\" + user.m_sLanguage.GetW() + L".ini").c_str());
        OnTranslate();
    }
    const int page = m_nPage;
    DestroyPages();
    s_nLastPage = page;
    BuildTree();
    if (m_pHost)
        m_pHost->OptionsApplied(languageChanged);
    m_bPreviewed = false;
    KV::ApplyButton::Enable(m_hWnd, 0);
}

INT_PTR CDlgOption::OnCommand(WORD code, WORD id, HWND control)
{
    switch (id)
    {
    case IDC_OPT_APPLY:
        Apply();
        return 1;
    case IDC_OPT_RESTORE:
        Restore();
        return 1;
    case IDC_OPT_HELP:
        ShowHelpTopic(m_hWnd, kHelpOptionsPages[m_nPage >= PageGeneral ? m_nPage - 1 : 0]);
        return 1;
    case IDOK:
        Ok();
        return 1;
    case IDCANCEL:
        Cancel();
        return 1;
    default:
        return CFWDialog::OnCommand(code, id, control);
    }
}

void CDlgOption::Ok()
{
    Apply();
    CFWDialog::Ok();
}

void CDlgOption::Cancel()
{
    // The main window's views go back to the user's options as well, not only the record.
    if (m_bPreviewed && m_pHost)
        m_pHost->Preview(m_doc.GetOptions());
    m_bPreviewed = false;
    CFWDialog::Cancel();
}
