#include "app/ui/MainFrame.h"
#include "app/doc/AppSettings.h"
#include "app/doc/LessonFolders.h"
#include "app/doc/UserManager.h"
#include "app/doc/WaltzDoc.h"
#include "app/sound/SoundSys.h"
#include "app/ui/Accelerators.h"
#include "app/ui/Commands.h"
#include "app/ui/DlgAbout.h"
#include "app/ui/DlgOption.h"
#include "app/ui/LayoutChange.h"
#include "app/ui/SkinPages.h"
#include "app/ui/WebCommands.h"
#include "kvfwctrl/lessons/ViewLesson.h"
#include "kvfwctrl/lessons/ViewTreeLesson.h"
#include "kvfwctrl/stats/ViewGraph.h"
#include "kvfwctrl/stats/ViewScore.h"
#include "kvinterf/window/DialogLook.h"
#include "kvstruct/sys/LayoutName.h"
#include "kvfwctrl/keyboard/Keyboard.h"
#include "kvfwctrl/level/Level.h"
#include "kvfwctrl/typing/BaseInput.h"
#include "kvinterf/widgets/Button.h"
#include "kvinterf/widgets/Panel.h"
#include "kvinterf/widgets/Progress.h"
#include "kvinterf/widgets/Splitter.h"
#include "kvinterf/widgets/Text.h"
#include "kvstruct/files/IniTable.h"
#include "kvstruct/files/Paths.h"
#include "kvstruct/input/KeyboardLayer.h"
#include "kvstruct/sys/MsgBox.h"
#include "kvstruct/sys/MsgError.h"

#include <algorithm>
#include <cwchar>

namespace {

// Bar colours (0x00BBGGRR): lesson, errors, rhythm.
const COLORREF kLessonColour = 0xFB8A60;
const COLORREF kErrorColour = 0x7E85FE;
const COLORREF kRhythmColour = 0x8CD33D;
const COLORREF kTitleColour = 0xF5F0EC;
const unsigned short kRhythmStartLength = 200;
// The keyboard panel slides in this many steps of this period.
const int kSlideSteps = 8;
const UINT kSlideMs = 15;
// Below this the typing page has no room for its keyboard.
const int kMinWidth = 800, kMinHeight = 540;

// The ANSI code page of a layout's language ("00000407" → 1252).
UINT CodePageOf(const std::wstring& klid)
{
    const unsigned long id = std::wcstoul(klid.c_str(), nullptr, 16);
    wchar_t buffer[8] = {};
    if (id &&
        ::GetLocaleInfoW(MAKELCID(LOWORD(id), SORT_DEFAULT), LOCALE_IDEFAULTANSICODEPAGE, buffer, 8) > 0)
    {
        const UINT cp = static_cast<UINT>(std::wcstoul(buffer, nullptr, 10));
        if (cp)
            return cp;
    }
    return 1252;
}

int KeyboardHeight(HWND keyboard)
{
    RECT rc = {};
    ::GetClientRect(keyboard, &rc);
    return rc.bottom;
}

} // namespace

CMainWnd::CMainWnd(CWaltzDoc& doc, CAppSettings& settings, CUserManager& users, KV::CIniTable& language)
    : m_doc(doc), m_settings(settings), m_users(users), m_language(language), m_pages(*this),
      m_stats(doc, language), m_lessons(doc, language), m_pTray(nullptr), m_hTreeAccel(nullptr),
      m_hLessonAccel(nullptr), m_hGraphAccel(nullptr), m_pView(nullptr), m_pKeyboard(nullptr),
      m_pLessonBar(nullptr), m_pErrorBar(nullptr), m_pRhythmBar(nullptr), m_nPage(0), m_bInterfaceSound(true),
      m_bKeyboardShown(true), m_bCapsBoxOpen(false), m_bLayingOut(false), m_bMaximized(false), m_rcRestore(),
      m_nKeyboardHeight(0), m_nSlideSteps(0), m_nCodePage(1252)
{
    ::QueryPerformanceFrequency(&m_frequency);
}

CMainWnd::~CMainWnd()
{
    delete m_pTray;
    for (HACCEL table : {m_hTreeAccel, m_hLessonAccel, m_hGraphAccel})
        if (table)
            ::DestroyAcceleratorTable(table);
}

HWND CMainWnd::CreateWnd(HINSTANCE instance)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = KV::CWnd::WndProc;
    wc.hInstance = instance;
    wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(107));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = nullptr;
    wc.lpszClassName = kMainWindowClass;
    if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    HWND wnd = Create(0, kMainWindowClass, kMainWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 200, 200, nullptr, nullptr, instance);
    if (wnd)
    {
        SetIcon(wc.hIcon, TRUE);
        SetIcon(wc.hIcon, FALSE);
    }
    return wnd;
}

void CMainWnd::ShowPlaced(int showCommand)
{
    const CPlacesDoc& places = m_doc.GetPlaces();
    ::ShowWindow(m_hWnd,
                 places.m_nWindowState == 1 && showCommand == SW_SHOWNORMAL ? SW_MAXIMIZE : showCommand);
    ::UpdateWindow(m_hWnd);
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(m_hWnd);
}

// ---------------------------------------------------------------------------------------------
// Creation

KV::CSkin* CMainWnd::NewSkin(unsigned short controlId, unsigned long type)
{
    switch (controlId)
    {
    case kView:
        return m_pView = new KV::CBaseInput();
    case kKeyboard:
        return m_pKeyboard = new KV::CKeyboard();
    case kLessonBar:
        return m_pLessonBar = new KV::CProgress(KV::SP_LEFT_TO_RIGHT, 0, 1);
    case kErrorBar:
        return m_pErrorBar = new KV::CProgress(KV::SP_LEFT_TO_RIGHT, 1, 1);
    case kRhythmBar:
        return m_pRhythmBar = new KV::CProgress(KV::SP_REVERSED, 0, 1);
    default:
        if (KV::CSkin* view = m_stats.NewView(controlId))
            return view;
        if (KV::CSkin* view = m_lessons.NewView(controlId))
            return view;
        return KV::CSkinWnd::NewSkin(controlId, type);
    }
}

LRESULT CMainWnd::OnCreate(CREATESTRUCTW* cs)
{
    if (m_settings.IsWizardDue())
    {
        if (m_dialogs.wizard)
            m_dialogs.wizard(m_hWnd);
        m_doc.SaveUser();
        m_settings.SetUser(m_doc.GetHeader().GetID());
    }
    if (m_users.ListUsers().size() > 1 && m_dialogs.selectUser && m_dialogs.selectUser(m_hWnd))
        m_users.OpenUser(m_settings.GetUser().c_str());
    m_klid = ReadLayout();
    m_nCodePage = CodePageOf(m_klid);
    BuildLessons();
    if (!LoadSkins())
    {
        KV::CMsgError(L"CWaltzApp::LoadResourceApp()", L"m_pMainWnd->LoadSkins()", m_hWnd);
        return -1;
    }
    // The elements are placed in the window's final size, inside the work area.
    const CPlacesDoc& places = m_doc.GetPlaces();
    RECT work = {0, 0, 1024, 768};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = std::min<int>(std::max<int>(places.m_size.cx, kMinWidth), work.right - work.left);
    const int height = std::min<int>(std::max<int>(places.m_size.cy, kMinHeight), work.bottom - work.top);
    const int x = std::max<int>(work.left, std::min<int>(places.m_position.x, work.right - width));
    const int y = std::max<int>(work.top, std::min<int>(places.m_position.y, work.bottom - height));
    ::SetWindowPos(m_hWnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // Sizes seen while the elements are made are not the user's: no layout until they exist.
    m_bLayingOut = true;
    const LRESULT created = KV::CSkinWnd::OnCreate(cs);
    m_bLayingOut = false;
    if (created == -1)
        return -1;
    if (!m_pView || !m_pKeyboard || !m_pLessonBar || !m_pErrorBar || !m_pRhythmBar)
    {
        KV::CMsgError(L"CMainWnd::NewSkin()", L"pSkin", m_hWnd);
        return -1;
    }
    if (KV::CText* title = dynamic_cast<KV::CText*>(GetSkinByID(kTitle)))
    {
        title->SetFont(17, FW_SEMIBOLD);
        title->SetTextColor(kTitleColour);
        title->SetTextIndent(12);
        title->SetWindowTextW(kMainWindowTitle);
    }
    SetUpBars();
    SetUpView();
    SetUpKeyboard();
    // The pages' splitters stand where the user left them.
    const CPlacesDoc& split = m_doc.GetPlaces();
    for (const auto& place : {std::make_pair(kStatisticsSplitter, split.m_nSplitA),
                              std::make_pair(kLessonSplitter, split.m_nSplitB)})
        if (auto* splitter = dynamic_cast<KV::CSplitter*>(GetSkinByID(place.first)))
        {
            splitter->SetPos(place.second);
            splitter->MoveSkin();
        }
    // The skin creates its views hidden.
    m_pView->ShowWindow(SW_SHOW);
    m_pKeyboard->ShowWindow(SW_SHOW);
    m_engine.SetUp(this, &m_doc, m_pView, m_pKeyboard, m_pLessonBar, m_pErrorBar, m_pRhythmBar);
    const std::wstring skinFolder = std::wstring(GetPath()) + GetName() + L"\\";
    m_stats.SetUp(::GetModuleHandleW(nullptr), skinFolder,
                  m_settings.GetProgramFolder() + L"Skin\\Default\\");
    m_lessons.SetUp();
    SetLayoutHeader();
    SetUpToolTips();
    m_pTray = new CMainTray(m_hWnd, &m_language);
    ShowPage(kPageTyping);
    return 0;
}

std::wstring CMainWnd::ReadLayout()
{
    wchar_t active[KL_NAMELENGTH] = {};
    if (!KV::GetKeyboardLayer()->GetActiveLayoutName(active))
        KV::CMsgError(L"CMainWnd::OnCreate()", L"GetKeyboardLayoutName()", m_hWnd);
    COptionsDoc& options = m_doc.GetOptions();
    std::wstring klid = options.m_sKLID.GetW();
    if (klid.empty())
        klid = active;
    else if (klid != active)
    {
        // Where the system cannot switch (Wine), the user's layout still chooses the lessons.
        KV::CKeyboardLayer* layer = KV::GetKeyboardLayer();
        if (HKL layout = layer->LoadLayout(klid.c_str(), KLF_ACTIVATE))
            layer->ActivateLayout(layout, 0);
    }
    options.m_sKLID = klid.c_str();
    m_doc.GetStat().SetKLID(klid.c_str());
    return klid;
}

void CMainWnd::BuildLessons()
{
    m_lessonFolder = BuildLessonLibraries(m_doc, &m_language, m_settings.GetLessonPath(), m_klid.c_str());
    for (int course = 0; course < 2; ++course)
        m_doc.GetLessonList(course).SetCP(m_nCodePage);
}

int CMainWnd::LoadSkins()
{
    const std::wstring folder = m_settings.GetProgramFolder() + L"Skin\\";
    std::wstring name = m_doc.GetOptions().m_sSkin.GetW();
    if (name.empty())
        name = L"Default";
    SetPath(folder.c_str());
    auto load = [&](const std::wstring& skin) {
        // A damaged layout may have made some elements before it failed.
        Clear();
        SetName(skin.c_str());
        return Load((folder + skin + L".skn").c_str());
    };
    if (!load(name))
    {
        // A missing or damaged skin gives way to the one the program ships.
        if (_wcsicmp(name.c_str(), L"Default") == 0 || !load(L"Default"))
        {
            KV::CMsgError(L"CMainWnd::LoadSkins()", L"Load()", m_hWnd);
            return 0;
        }
        name = L"Default";
        m_doc.GetOptions().m_sSkin = name.c_str();
    }
    // Dialogs take the colours and face of the skin the window shows.
    KV::LoadDialogLook((folder + name).c_str());
    return 1;
}

void CMainWnd::SetUpBars()
{
    m_pLessonBar->SetColour(kLessonColour);
    m_pErrorBar->SetColour(kErrorColour);
    m_pRhythmBar->SetColour(kRhythmColour);
    m_pRhythmBar->SetLength(kRhythmStartLength);
}

void CMainWnd::SetUpView()
{
    const COptionsDoc& options = m_doc.GetOptions();
    m_pView->SetLOGFONT(&options.m_font.GetLOGFONT());
    KV::CLevelFW* level = new KV::CLevelFW();
    level->Load((m_settings.GetProgramFolder() + L"Data\\0110.wrd").c_str());
    m_pView->SetLevel(level);
    m_pView->CreateGL();
    m_pView->SetFlagDraw(1);
    m_pView->SetFlagAnimation(options.m_nAnimation);
    m_pView->SetTypeLetterZone(KV::CBaseInput::ZONE_COLOURED);
    m_pView->SetSimpleColors(options.m_nBackColour, options.m_nTextColour, options.m_nGoodColour,
                             options.m_nBadColour, options.m_nArhythmColour);
    m_pView->SetTotalSpeed(10);
}

void CMainWnd::SetUpKeyboard()
{
    const COptionsDoc& options = m_doc.GetOptions();
    m_pKeyboard->SetCP(m_nCodePage);
    m_pKeyboard->SetLOGFONT(nullptr);
    m_pKeyboard->CreateGL();
    m_keyboardType.clear();
    ApplyKeyboardOptions(options);
}

// ---------------------------------------------------------------------------------------------
// Pages and lessons

void CMainWnd::ShowPage(unsigned short page)
{
    if (!CPageSwitcher::PageOfCommand(page))
        return;
    // Edits in the lesson editor are offered for saving before it is left.
    if (m_nPage == kPageLessons && page != kPageLessons && !m_lessons.Leave())
        return;
    HCURSOR cursor = ::SetCursor(::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
    m_bInterfaceSound = false;
    m_nPage = page;
    FollowLayout(false);
    m_pages.ShowPage(page);
    KV::CLapList* lap = m_doc.GetpLapList();
    if (page == kPageTyping)
    {
        // Also when the engine counts as paused already: the view, the keyboard and the timer
        // learn it here on the first page shown.
        m_engine.Pause(1, lap ? lap->GetLetterIndex() == 0 : 1, 0, 1);
        m_engine.Reset();
        m_pView->SetTotalSpeedLetter(m_pRhythmBar->GetLength());
        if (lap && m_engine.GetExpectedChar())
        {
            lap->NewStatError(m_doc.GetCurLessonLength());
            m_pView->SetpStatError(lap->GetpStatError());
            m_pView->SetMainText(m_doc.GetCurTextA(), lap->GetLetterIndex());
        }
        LessonMadeReady();
        ::SetFocus(m_hWnd);
    }
    else
    {
        if (!m_engine.IsPaused())
            m_engine.Pause(1, lap ? lap->GetLetterIndex() == 0 : 1, 0, 0);
        if (page == kPageStatistics)
            m_stats.Show();
        else
            m_lessons.Show();
    }
    m_bInterfaceSound = true;
    ::SetCursor(cursor);
}

void CMainWnd::LessonMadeReady()
{
    m_lessons.MarkCurrentLesson();
    m_engine.SetPauseTexts(&m_language, m_nCodePage);
    RefreshView();
}

void CMainWnd::RefreshView()
{
    if (!m_pView)
        return;
    m_pView->RefreshLevel();
    if (KV::CLapList* lap = m_doc.GetpLapList())
        m_pView->SetTime(lap->GetCurTotalTime());
    m_pView->ResetSpeed();
    m_pView->ResetSpeedLetter();
    m_pView->SetPart(0);
    ::InvalidateRect(m_pView->GetHwnd(), nullptr, FALSE);
}

void CMainWnd::ToggleMaximize()
{
    // The window has no frame of the system's: it is sized to the work area and back itself,
    // and the skin is laid out again for the new size.
    RECT target = m_rcRestore;
    if (!m_bMaximized)
    {
        GetWindowRect(&m_rcRestore);
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &target, 0);
    }
    m_bMaximized = !m_bMaximized;
    m_doc.GetPlaces().m_nWindowState = m_bMaximized ? 1 : 0;
    ::SetWindowPos(m_hWnd, nullptr, target.left, target.top, target.right - target.left,
                   target.bottom - target.top, SWP_NOZORDER);
}

void CMainWnd::ToggleKeyboard()
{
    if (!m_pKeyboard || m_nSlideSteps > 0)
        return;
    if (m_bKeyboardShown)
        m_nKeyboardHeight = KeyboardHeight(m_pKeyboard->GetHwnd());
    else
        m_pKeyboard->ShowWindow(SW_SHOW);
    m_bKeyboardShown = !m_bKeyboardShown;
    m_nSlideSteps = kSlideSteps;
    ::SetTimer(m_hWnd, kSlideTimer, kSlideMs, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Messages

LRESULT CMainWnd::MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ACTIVATEAPP)
        OnActivateApp(static_cast<BOOL>(wParam));
    if (msg == kTrayMessage && m_pTray)
    {
        m_pTray->OnTrayMessage(lParam);
        return 0;
    }
    if (msg == WM_INPUTLANGCHANGE && hwnd == m_hWnd)
        FollowLayout(false);
    return KV::CSkinWnd::MessageLoop(hwnd, msg, wParam, lParam);
}

bool CMainWnd::PreTranslateKey(const MSG& msg)
{
    if (msg.hwnd != m_hWnd && !::IsChild(m_hWnd, msg.hwnd))
        return false;
    switch (msg.message)
    {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Alt combinations stay the system's (Alt+F4, the window menu).
        if (msg.message == WM_SYSKEYDOWN && msg.wParam != VK_F10)
            return false;
        OnKeyDown(msg.wParam, msg.lParam);
        // Only a keystroke the system composed itself (scan code 0) needs its character
        // message; translating others would use up a dead key the engine is composing.
        if (((msg.lParam >> 16) & 0xFF) == 0)
            ::TranslateMessage(&msg);
        return true;
    case WM_KEYUP:
        OnKeyUp(msg.wParam, msg.lParam);
        return true;
    case WM_CHAR:
        OnChar(msg.wParam, msg.lParam);
        return true;
    default:
        return false;
    }
}

LRESULT CMainWnd::OnKeyDown(WPARAM key, LPARAM flags)
{
    if (m_nPage != kPageTyping)
        return 0;
    m_engine.OnKeyDown(static_cast<UINT>(key), LOWORD(flags), HIWORD(flags));
    PaintViews();
    return 0;
}

void CMainWnd::PaintViews()
{
    // A key is shown at once, not at the next timer tick, and drawn directly rather than
    // through a paint message: the text always moves, the keyboard only when it asked for a
    // frame (another key or the hands). What a view shows is no longer due for painting.
    if (m_pView && m_pView->GetHwnd() && ::IsWindowVisible(m_pView->GetHwnd()))
        m_pView->ShowTyped();
    if (m_pKeyboard && m_pKeyboard->GetHwnd() && ::IsWindowVisible(m_pKeyboard->GetHwnd()) &&
        ::GetUpdateRect(m_pKeyboard->GetHwnd(), nullptr, FALSE))
        m_pKeyboard->Draw(nullptr);
}

LRESULT CMainWnd::OnKeyUp(WPARAM key, LPARAM)
{
    if (m_nPage == kPageTyping)
        m_engine.OnKeyUp(static_cast<UINT>(key));
    return 0;
}

LRESULT CMainWnd::OnChar(WPARAM ch, LPARAM)
{
    if (m_nPage == kPageTyping)
        m_engine.OnChar(static_cast<wchar_t>(ch));
    return 0;
}

LRESULT CMainWnd::OnTimer(UINT_PTR id)
{
    if (id == kLessonTimer)
    {
        m_engine.OnTimer();
        return 0;
    }
    if (id == kSlideTimer)
    {
        // Even steps, the remainder in the last one.
        const int step = m_nSlideSteps > 1
                             ? m_nKeyboardHeight / kSlideSteps
                             : m_nKeyboardHeight - (kSlideSteps - 1) * (m_nKeyboardHeight / kSlideSteps);
        Resize(0, m_bKeyboardShown ? step : -step, 1);
        if (--m_nSlideSteps <= 0)
        {
            ::KillTimer(m_hWnd, kSlideTimer);
            if (!m_bKeyboardShown)
                m_pKeyboard->ShowWindow(SW_HIDE);
        }
        return 0;
    }
    return KV::CSkinWnd::OnTimer(id);
}

LRESULT CMainWnd::OnKillFocus(HWND next)
{
    m_engine.OnKillFocus(next);
    return 0;
}

LRESULT CMainWnd::OnActivateApp(BOOL active)
{
    // Another program took the keyboard: the lesson pauses without a sound.
    if (!active && !m_engine.IsPaused())
        m_engine.OnKillFocus(nullptr);
    return 0;
}

LRESULT CMainWnd::OnCommand(WORD code, WORD id, HWND control)
{
    PlayCommandSound(&m_doc.GetOptions().m_soundSys, id, m_bInterfaceSound ? 1 : 0);
    switch (id)
    {
    case kPageTyping:
    case kPageStatistics:
    case kPageLessons:
        ShowPage(id);
        break;
    case kCmdClose:
        ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
        break;
    case kCmdMaximize:
        ToggleMaximize();
        break;
    case kCmdMinimize:
        if (!m_engine.IsPaused())
            m_engine.Pause(1, m_doc.GetLetterIndex() == 0, 0, 0);
        ::ShowWindow(m_hWnd, SW_MINIMIZE);
        m_doc.SaveUser();
        break;
    case kCmdKeyboard:
        ToggleKeyboard();
        break;
    case kCmdOptions:
        OpenOptions();
        break;
    case kCmdAbout:
        OpenAbout();
        break;
    case kCmdHelp:
        ShowPageHelp(m_hWnd, m_nPage);
        break;
    case kCmdToTray:
        HideToTray();
        break;
    case kCmdHomePage:
        OpenHomePage(m_hWnd, &m_language);
        break;
    case kCmdTellFriend:
        TellFriend(m_hWnd, &m_language);
        break;
    case kCmdShowFromTray:
        if (m_pTray)
            m_pTray->ShowFromTray();
        break;
    case kCmdFeedback:
        OpenFeedback();
        break;
    case kCmdPause:
        m_engine.PauseContinue();
        break;
    case kCmdRestart:
        m_engine.RestartLesson();
        break;
    case kCmdStartLesson: {
        const unsigned long course = m_lessons.GetActiveCourse();
        const bool hasLessons = !(course == 1 && m_doc.GetLessonList(1).GetCount() == 0);
        m_engine.StartLesson(course, static_cast<unsigned long>(m_lessons.GetActiveLesson()), hasLessons);
        break;
    }
    case kCmdLessonCreated:
    case kCmdLessonDeleted:
        m_lessons.ReloadUserLessons(m_lessonFolder);
        break;
    default:
        if (m_stats.OnCommand(id, m_hWnd))
            break;
        return KV::CSkinWnd::OnCommand(code, id, control);
    }
    // A clicked button must not keep the keys from the lesson.
    if (control && m_nPage == kPageTyping)
        ::SetFocus(m_hWnd);
    return 0;
}

void CMainWnd::PauseForDialog()
{
    if (!m_engine.IsPaused())
        m_engine.Pause(1, m_doc.GetLetterIndex() == 0, 0, 1);
}

void CMainWnd::OpenOptions()
{
    PauseForDialog();
    CDlgOption dialog(m_hWnd, m_doc, &m_language, this);
    dialog.SetpUsers(&m_users, &m_settings);
    dialog.DoModal();
    RefreshView();
}

void CMainWnd::OpenAbout()
{
    PauseForDialog();
    CDlgAbout dialog(m_hWnd, &m_language, &m_doc.GetPlaces().m_rects[CPlacesDoc::RectAbout]);
    dialog.DoModal();
    RefreshView();
}

void CMainWnd::OpenFeedback()
{
    PauseForDialog();
    CDlgBugs dialog(m_hWnd, &m_language);
    dialog.DoModal();
}

void CMainWnd::HideToTray()
{
    if (!m_engine.IsPaused())
        m_engine.Pause(1, m_doc.GetLetterIndex() == 0, 0, 0);
    m_doc.SaveUser();
    if (m_pTray)
        m_pTray->HideToTray();
}

void CMainWnd::FollowLayout(bool forced)
{
    LayoutFollowSteps steps;
    steps.pauseLesson = [this] {
        if (!m_engine.IsPaused())
            m_engine.Pause(1, m_doc.GetLetterIndex() == 0, 0, 1);
        m_lessons.Clear();
    };
    steps.rebuildLibraries = [this](CWaltzDoc& doc) {
        m_klid = doc.GetOptions().m_sKLID.GetW();
        m_nCodePage = CodePageOf(m_klid);
        BuildLessons();
    };
    steps.refreshViews = [this] {
        if (m_nPage == kPageLessons)
            m_lessons.Show();
        m_stats.Invalidate();
        if (m_nPage == kPageStatistics)
            m_stats.Show();
        m_pKeyboard->SetCP(m_nCodePage);
        m_pKeyboard->RefreshTextKey();
        SetLayoutHeader();
    };
    FollowKeyboardLayout(m_doc, forced, steps);
}

void CMainWnd::SetLayoutHeader()
{
    std::wstring name;
    LONG status = 0;
    if (KV::GetNameLayout(m_klid.c_str(), name, &status) != 0)
    {
        KV::CMsgError(L"CMainWnd::SetHeadersLayout()", L"GetNameLayout()", m_hWnd);
        return;
    }
    m_stats.SetLayoutHeader(name.c_str());
}

void CMainWnd::SetUpToolTips()
{
    if (!GetToolTips() && !CreateToolTips(::GetModuleHandleW(nullptr)))
        return;
    const auto add = [this](KV::CSkin* element, const std::wstring& text) {
        if (element && element->GetHwnd() && !text.empty())
            AddToolTip(element->GetHwnd(), text.c_str());
    };
    for (unsigned short id : {600, 601, 602, 604, 605, 606, 607, 608, 609, 610, 611, 4016, 4017})
        if (const ButtonTip* tip = FindButtonTip(id))
            add(GetSkinByID(id), TipText(&m_language, *tip));
    // The lesson views' panel buttons.
    for (unsigned short id : {kCmdNewLesson, kCmdDelete, kCmdRenameLesson})
        if (const ButtonTip* tip = FindButtonTip(id))
            add(m_lessons.GetTree() ? m_lessons.GetTree()->GetButton(id) : nullptr,
                TipText(&m_language, *tip));
    for (unsigned short id : {kCmdSaveLesson, kCmdInsertLesson})
        if (const ButtonTip* tip = FindButtonTip(id))
            add(m_lessons.GetView() ? m_lessons.GetView()->GetButton(id) : nullptr,
                TipText(&m_language, *tip));
    // The graph's check boxes: the column's own tip with its Ctrl+digit, in the accelerators' order.
    KV::CPanel* panel = m_stats.GetGraph() ? m_stats.GetGraph()->GetPanels().Get(0) : nullptr;
    if (!panel)
        return;
    if (const ButtonTip* tip = FindButtonTip(kCmdDelete, true))
        add(panel->GetCtrl(kCmdDelete), TipText(&m_language, *tip));
    const KV::CListParam& columns = m_doc.GetOptions().m_scoreColumns;
    int key = 0;
    for (unsigned long i = 0; i < columns.GetSize(); ++i)
    {
        const KV::CParam* column = columns.GetAt(i);
        if (KV::CButton* box = panel->GetCtrl(static_cast<unsigned short>(column->GetID())))
            add(box, GraphColumnTipText(&m_language, column->GetDescription(), key++));
    }
}

bool CMainWnd::CreateAllAccelerators()
{
    const std::vector<ACCEL> main = MainAccelerators(), tree = LessonTreeAccelerators(),
                             lesson = LessonViewAccelerators();
    KV::CViewGraph* graph = m_stats.GetGraph();
    const std::vector<ACCEL> graphKeys =
        GraphAccelerators(m_doc.GetOptions().m_scoreColumns, [graph](unsigned long id) {
            KV::CPanel* panel = graph ? graph->GetPanels().Get(0) : nullptr;
            return panel && panel->GetCtrl(static_cast<unsigned short>(id)) != nullptr;
        });
    if (!KV::CSkinWnd::CreateAccelerators(main.data(), static_cast<int>(main.size())))
        return false;
    m_hTreeAccel = ::CreateAcceleratorTableW(const_cast<ACCEL*>(tree.data()), static_cast<int>(tree.size()));
    m_hLessonAccel =
        ::CreateAcceleratorTableW(const_cast<ACCEL*>(lesson.data()), static_cast<int>(lesson.size()));
    m_hGraphAccel =
        ::CreateAcceleratorTableW(const_cast<ACCEL*>(graphKeys.data()), static_cast<int>(graphKeys.size()));
    return m_hTreeAccel && m_hLessonAccel && m_hGraphAccel;
}

bool CMainWnd::TranslateAccelerators(MSG& msg)
{
    // The view holding the focus first: its keys (Delete, Space, Ctrl+O) mean something else there.
    const HWND focus = ::GetFocus();
    struct
    {
        KV::CSkin* view;
        HACCEL table;
    } views[] = {{m_lessons.GetTree(), m_hTreeAccel},
                 {m_lessons.GetView(), m_hLessonAccel},
                 {m_stats.GetGraph(), m_hGraphAccel},
                 {m_stats.GetScore(), m_hGraphAccel}};
    for (const auto& v : views)
    {
        if (!v.view || !v.table || !v.view->GetHwnd() || !::IsWindowVisible(v.view->GetHwnd()))
            continue;
        const HWND target = v.view == m_stats.GetScore() ? m_stats.GetGraph()->GetHwnd() : v.view->GetHwnd();
        if ((focus == v.view->GetHwnd() || ::IsChild(v.view->GetHwnd(), focus)) &&
            ::TranslateAcceleratorW(target, v.table, &msg))
            return true;
    }
    return GetAccelerators() && ::TranslateAcceleratorW(m_hWnd, GetAccelerators(), &msg);
}

LRESULT CMainWnd::OnGetMinMaxInfo(MINMAXINFO* info)
{
    if (info)
    {
        info->ptMinTrackSize.x = kMinWidth;
        info->ptMinTrackSize.y = m_bKeyboardShown ? kMinHeight : 0;
    }
    return 0;
}

LRESULT CMainWnd::OnSize(UINT type, int width, int height)
{
    // Maximizing, restoring or a size set from outside: the skin is laid out again.
    if (!m_pKeyboard || !m_pKeyboard->GetHwnd() || m_bLayingOut || type == SIZE_MINIMIZED ||
        m_nSlideSteps > 0)
        return 0;
    const KV::CRect all = GetUnionRect();
    if (all.right == width && all.bottom == height)
        return 0;
    m_bLayingOut = true;
    Resize(width - all.right, height - all.bottom, 1);
    m_bLayingOut = false;
    return 0;
}

void CMainWnd::StorePlace()
{
    CPlacesDoc& places = m_doc.GetPlaces();
    if (auto* splitter = dynamic_cast<KV::CSplitter*>(GetSkinByID(kStatisticsSplitter)))
        places.m_nSplitA = static_cast<unsigned short>(splitter->GetPos());
    if (auto* splitter = dynamic_cast<KV::CSplitter*>(GetSkinByID(kLessonSplitter)))
        places.m_nSplitB = static_cast<unsigned short>(splitter->GetPos());
    if (m_bMaximized || ::IsIconic(m_hWnd))
        return;
    RECT rc;
    GetWindowRect(&rc);
    places.m_position = KV::CPoint(rc.left, rc.top);
    // A closed keyboard panel is not the size the user chose.
    places.m_size =
        KV::CSize(rc.right - rc.left, rc.bottom - rc.top + (m_bKeyboardShown ? 0 : m_nKeyboardHeight));
}

LRESULT CMainWnd::OnClose()
{
    StorePlace();
    return KV::CSkinWnd::OnClose();
}

LRESULT CMainWnd::OnDestroy()
{
    if (KV::CLapList* lap = m_doc.GetpLapList())
        lap->PauseLap(1);
    ::KillTimer(m_hWnd, kLessonTimer);
    ::KillTimer(m_hWnd, kSlideTimer);
    ::PostQuitMessage(0);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// The typing engine's host

void CMainWnd::StartLessonTimer()
{
    ::SetTimer(m_hWnd, kLessonTimer, 1, nullptr);
}

void CMainWnd::StopLessonTimer()
{
    ::KillTimer(m_hWnd, kLessonTimer);
}

unsigned long CMainWnd::GetClockMs()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<unsigned long>(now.QuadPart * 1000 / m_frequency.QuadPart);
}

int CMainWnd::ShowResults()
{
    // A pass has ended: the statistics page fills again when it is shown next.
    m_stats.Invalidate();
    return m_dialogs.results ? m_dialogs.results(m_hWnd) : 1;
}

// ---------------------------------------------------------------------------------------------
// The option pages' host

void CMainWnd::ApplyKeyboardOptions(const COptionsDoc& options)
{
    const std::wstring type = options.m_sKeyboardType.GetW();
    if (type != m_keyboardType)
    {
        m_keyboardType = type;
        m_pKeyboard->Load((m_settings.GetProgramFolder() + L"Data\\" + type + L".kbd").c_str());
        RECT client;
        ::GetClientRect(m_pKeyboard->GetHwnd(), &client);
        m_pKeyboard->OnSize(0, client.right, client.bottom);
    }
    ApplyKeyboardLook(*m_pKeyboard, options);
}

void CMainWnd::ApplyViewOptions(const COptionsDoc& options)
{
    if (!m_pView || !m_pKeyboard)
        return;
    ApplyTypingLook(*m_pView, options);
    ApplyKeyboardOptions(options);
    RefreshView();
    ::InvalidateRect(m_pKeyboard->GetHwnd(), nullptr, FALSE);
}

bool CMainWnd::FollowSkin(const COptionsDoc& options)
{
    const std::wstring name = options.m_sSkin.GetW();
    if (name.empty() || _wcsicmp(name.c_str(), GetName()) == 0 ||
        !KV::rxPathFileExists((std::wstring(GetPath()) + name + L".skn").c_str()))
        return true;
    const std::wstring shown = GetName();
    SetName(name.c_str());
    if (!UpdatePic())
    {
        // A skin without one of the pictures: the shown one comes back whole.
        SetName(shown.c_str());
        UpdatePic();
        return false;
    }
    KV::LoadDialogLook((std::wstring(GetPath()) + name).c_str());
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return true;
}

void CMainWnd::Preview(const COptionsDoc& options)
{
    ApplyViewOptions(options);
    FollowSkin(options);
    m_previews.Apply(options);
}

void CMainWnd::CreateView(HWND page, const RECT& area, int kind, const COptionsDoc& options)
{
    const std::wstring program = m_settings.GetProgramFolder();
    std::wstring skin = options.m_sSkin.GetW();
    if (skin.empty() || !KV::rxPathFileExists((program + L"Skin\\" + skin + L".skn").c_str()))
        skin = L"Default";
    // The wizard comes before the window has read the user's layout.
    UINT codePage = m_nCodePage;
    if (m_klid.empty())
    {
        wchar_t active[KL_NAMELENGTH] = {};
        KV::GetKeyboardLayer()->GetActiveLayoutName(active);
        codePage = CodePageOf(active);
    }
    m_previews.SetSources(program + L"Data\\", program + L"Skin\\" + skin + L"\\", codePage);
    m_previews.Create(page, area, kind, options);
}

void CMainWnd::DestroyView(HWND page)
{
    m_previews.Destroy(page);
}

void CMainWnd::OptionsApplied(bool languageChanged)
{
    ApplyViewOptions(m_doc.GetOptions());
    if (languageChanged)
    {
        m_stats.Relabel();
        m_lessons.Relabel();
        SetUpToolTips();
        m_engine.SetPauseTexts(&m_language, m_nCodePage);
    }
    m_stats.Invalidate();
    if (m_nPage == kPageStatistics)
        m_stats.Show();
}

int CMainWnd::SaveUser()
{
    return m_doc.SaveUser();
}

void CMainWnd::ShowCapsLockBox()
{
    // Key releases keep coming while the box is up.
    if (m_bCapsBoxOpen)
        return;
    m_bCapsBoxOpen = true;
    std::wstring text = m_language._GetW(L"PressCapsLock");
    if (text.empty())
        text = L"Caps Lock is on. Switch it off to go on typing.";
    KV::ShowMsgBox(m_hWnd, text.c_str(), KV::kAppCaption, MB_OK | MB_ICONINFORMATION);
    m_bCapsBoxOpen = false;
}
