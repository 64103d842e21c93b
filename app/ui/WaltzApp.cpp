#include "app/ui/WaltzApp.h"
#include "app/ui/Help.h"
#include "app/ui/DlgResults.h"
#include "app/ui/DlgUsers.h"
#include "app/ui/DlgWizard.h"
#include "app/ui/ResultViews.h"
#include "app/ui/MainFrame.h"
#include "kvstruct/files/Paths.h"
#include "kvstruct/input/KeyboardLayer.h"
#include "kvstruct/sys/MsgBox.h"
#include "kvstruct/sys/MsgError.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {

std::wstring ProgramFolder(const std::wstring& given)
{
    std::wstring folder = given.empty() ? KV::GetPathToExeW() : given;
    if (!folder.empty() && folder.back() != L'\\')
        folder += L'\\';
    return folder;
}

bool IsKeyboardMessage(UINT msg)
{
    return msg >= WM_KEYFIRST && msg <= WM_KEYLAST;
}

} // namespace

CWaltzApp::CWaltzApp(const std::wstring& programFolder)
    : m_folder(ProgramFolder(programFolder)), m_settings(m_folder), m_users(m_doc, m_settings),
      m_hInstance(nullptr), m_hBrush(nullptr), m_hRichEdit(nullptr)
{
    m_doc.SetpLangTable(&m_language);
    SetHelpLanguage(&m_language);
    m_doc.SetSaver([this] { return m_users.SaveCurrent(); });
}

CWaltzApp::~CWaltzApp()
{
    ExitInstance();
}

int CWaltzApp::Run(HINSTANCE instance, int showCommand)
{
    if (!InitInstance(instance, showCommand))
    {
        ExitInstance();
        return 0;
    }
    const int code = MessageLoop();
    ExitInstance();
    return code;
}

bool CWaltzApp::BringUpFirstInstance()
{
    HWND first = ::FindWindowW(kMainWindowClass, kMainWindowTitle);
    if (!first)
        return false;
    KV::ShowMsgBox(nullptr, L"The application is already open.", KV::kAppCaption, MB_OK | MB_ICONINFORMATION);
    NOTIFYICONDATAW icon = {};
    icon.cbSize = sizeof icon;
    icon.hWnd = first;
    icon.uID = kTrayIconId;
    ::Shell_NotifyIconW(NIM_DELETE, &icon);
    ::ShowWindow(first, SW_SHOWNORMAL);
    ::SetForegroundWindow(first);
    return true;
}

void CWaltzApp::SwitchCapsLockOff()
{
    KV::CKeyboardLayer* layer = KV::GetKeyboardLayer();
    if (!(layer->GetKeyState(VK_CAPITAL) & 1))
        return;
    INPUT press[2] = {};
    for (INPUT& in : press)
    {
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = VK_CAPITAL;
        in.ki.wScan = 0x3A;
    }
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    layer->SendInput(2, press, sizeof(INPUT));
    BYTE state[256];
    if (::GetKeyboardState(state))
    {
        state[VK_CAPITAL] &= static_cast<BYTE>(~1);
        ::SetKeyboardState(state);
    }
}

int CWaltzApp::InitInstance(HINSTANCE instance, int showCommand)
{
    if (BringUpFirstInstance())
        return 0;
    m_hInstance = instance;
    m_hBrush = ::CreateSolidBrush(0xFFFDFD);
    if (!LoadLib())
        return 0;
    m_pMainWnd.reset(new CMainWnd(m_doc, m_settings, m_users, m_language));
    OpenCurrentUser();
    LoadLanguage();
    LoadSounds();
    SwitchCapsLockOff();
    SetDialogs();
    if (!CreateWnd())
    {
        KV::CMsgError(L"CWaltzApp::InitInstance()", L"CreateWnd()", nullptr);
        return 0;
    }
    if (!CreateAccelerators())
    {
        KV::CMsgError(L"CMainWnd::CreateAccelerators()", L"CreateAccelerators()", m_pMainWnd->GetHwnd());
        return 0;
    }
    m_pMainWnd->ShowPlaced(showCommand == SW_HIDE ? SW_SHOWNORMAL : showCommand);
    if (m_settings.IsWizardDue() && !m_pMainWnd->IsKeyboardShown())
        m_pMainWnd->ToggleKeyboard();
    m_settings.SetValue(L"ShowWizard", L"0");
    return 1;
}

int CWaltzApp::CreateAccelerators()
{
    return m_pMainWnd && m_pMainWnd->CreateAllAccelerators() ? 1 : 0;
}

void CWaltzApp::SetDialogs()
{
    tagMainDialogs& dialogs = m_pMainWnd->Dialogs();
    CMainWnd* main = m_pMainWnd.get();
    dialogs.wizard = [this, main](HWND owner) {
        CDlgWizard wizard(owner, m_doc, &m_language, main);
        wizard.DoModal();
    };
    dialogs.selectUser = [this](HWND owner) {
        const std::wstring current = m_settings.GetUser();
        CDlgSelectUser select(owner, m_users, &m_language, current.c_str());
        if (select.DoModal(::GetModuleHandleW(nullptr)) != IDOK || !select.GetSelectedID() ||
            current == select.GetSelectedID())
            return false;
        m_settings.SetUser(select.GetSelectedID());
        return true;
    };
    dialogs.results = [this](HWND owner) {
        CDlgResults results(owner, m_doc, &m_language);
        CResultViews views(&m_language, std::wstring(m_pMainWnd->GetPath()) + m_pMainWnd->GetName() + L"\\");
        results.SetpViews(&views);
        return static_cast<int>(results.DoModal());
    };
}

int CWaltzApp::LoadLib()
{
    m_hRichEdit = ::LoadLibraryW(L"RichEd20.dll");
    if (!m_hRichEdit)
    {
        KV::CMsgError(L"CWaltzApp::LoadLib()", L"::LoadLibrary(RichEd20)", nullptr);
        return 0;
    }
    INITCOMMONCONTROLSEX controls = {
        sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES |
                             ICC_INTERNET_CLASSES | ICC_PAGESCROLLER_CLASS | ICC_NATIVEFNTCTL_CLASS};
    // A refusal of the newer classes is no reason to stop.
    ::InitCommonControlsEx(&controls);
    return 1;
}

void CWaltzApp::OpenCurrentUser()
{
    // A new settings file names the user the document holds now.
    m_settings.SetFirstUser(m_doc.GetHeader().GetID());
    std::wstring id = m_settings.GetUser();
    if (id.empty())
    {
        id = m_doc.GetHeader().GetID();
        m_settings.SetUser(id.c_str());
    }
    m_users.OpenUser(id.c_str());
    const std::wstring folder = m_settings.GetUserPath();
    if (folder.empty() || !KV::rxPathFileExists(folder.c_str()))
    {
        const std::wstring text = L"The user folder cannot be created:\n" + folder +
                                  L"\nYour results can only be kept until the program ends.";
        KV::ShowMsgBox(nullptr, text.c_str(), KV::kAppCaption, MB_OK | MB_ICONWARNING);
    }
}

void CWaltzApp::LoadLanguage()
{
    const std::wstring folder = m_folder + L"Language\\";
    const std::wstring name = m_doc.GetOptions().m_sLanguage.GetW();
    if (name.empty() || !m_language.Load_UTF16((folder + name + L".ini").c_str()))
        m_language.Load_UTF16((folder + L"English.ini").c_str());
}

void CWaltzApp::LoadSounds()
{
    COptionsDoc& options = m_doc.GetOptions();
    const std::wstring folder = m_folder + L"Sound\\";
    // Each sound is decoded at its first play (a millisecond or two), not all of them before
    // the window shows.
    options.m_soundSys.SetPath(folder.c_str());
    options.m_soundGame.SetPath(folder.c_str());
}

int CWaltzApp::CreateWnd()
{
    if (!m_pMainWnd->CreateWnd(m_hInstance))
    {
        KV::CMsgError(L"CWaltzApp::CreateWnd()", L"m_pMainWnd->Create()", nullptr);
        return 0;
    }
    return 1;
}

int CWaltzApp::MessageLoop()
{
    MSG msg;
    bool soundsOpened = false;
    for (;;)
    {
        // Once the window has painted and waits for the learner, the sound output is opened
        // (its libraries take tens of milliseconds to load), so the first key sounds at once.
        if (!soundsOpened && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            soundsOpened = true;
            m_doc.GetOptions().m_soundGame.OpenIfOn();
            m_doc.GetOptions().m_soundSys.OpenIfOn();
            continue;
        }
        if (::GetMessageW(&msg, nullptr, 0, 0) <= 0)
            break;
        // Ctrl's own key-down is no keystroke of the lesson.
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_CONTROL)
            continue;
        CMainWnd* main = m_pMainWnd.get();
        if (main && main->GetHwnd() && IsKeyboardMessage(msg.message))
        {
            if (main->TranslateAccelerators(msg))
                continue;
            if (main->PreTranslateKey(msg))
                continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void CWaltzApp::ExitInstance()
{
    if (m_pMainWnd)
    {
        m_doc.SaveUser();
        if (m_pMainWnd->GetHwnd())
            m_pMainWnd->DestroyWindow();
        m_pMainWnd.reset();
    }
    if (m_hBrush)
        ::DeleteObject(m_hBrush);
    m_hBrush = nullptr;
    if (m_hRichEdit)
        ::FreeLibrary(m_hRichEdit);
    m_hRichEdit = nullptr;
}
