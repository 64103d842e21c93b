#pragma once
// The program's top-level window (class "FINGERWALTZ"): a skinned window whose elements are
// the page buttons, the typing view, the keyboard and the three bars. It forwards key, timer
// and focus messages to the typing engine and hosts the lesson for it.
#include "app/typing/TypingEngine.h"
#include "app/ui/LessonPage.h"
#include "app/ui/MainTray.h"
#include "app/ui/OptionsHost.h"
#include "app/ui/PageSwitcher.h"
#include "app/ui/PreviewViews.h"
#include "app/ui/StatisticsPage.h"
#include "kvinterf/skin/SkinWnd.h"

#include <functional>
#include <string>

class CWaltzDoc;
class CAppSettings;
class CUserManager;
namespace KV {
class CIniTable;
class CBaseInput;
class CKeyboard;
class CProgress;
} // namespace KV

constexpr const wchar_t* kMainWindowClass = L"FINGERWALTZ";
constexpr const wchar_t* kMainWindowTitle = L"Fingerwaltz";

// The dialogs the main window opens, each modal over the given owner. A hook that is not
// set is skipped: the flow goes on as if the dialog was closed.
struct tagMainDialogs
{
    // First-run wizard.
    std::function<void(HWND)> wizard;
    // User selection; true when a user other than the current one was chosen and written.
    std::function<bool(HWND)> selectUser;
    // Results of the lap just ended; 2 for "next lesson".
    std::function<int(HWND)> results;
};

class CMainWnd : public KV::CSkinWnd, public ITypingHost, public IOptionsHost
{
public:
    // Pages, held as their command numbers.
    enum : unsigned short { kPageTyping = 600, kPageStatistics = 601, kPageLessons = 602 };
    enum : unsigned short {
        kCmdClose = 604,
        kCmdMaximize = 605,
        kCmdMinimize = 606,
        kCmdKeyboard = 607,
        kCmdStartLesson = 3000,
        kCmdPause = 4016,
        kCmdRestart = 4017,
    };
    enum : unsigned short {
        kTitle = 410,
        kView = 303,
        kKeyboard = 304,
        kLessonBar = 550,
        kErrorBar = 551,
        kRhythmBar = 553
    };
    static const UINT_PTR kLessonTimer = 1;
    static const UINT_PTR kSlideTimer = 2;

    CMainWnd(CWaltzDoc& doc, CAppSettings& settings, CUserManager& users, KV::CIniTable& language);
    ~CMainWnd() override;

    // Registers the class and creates the window (hidden until placed); nullptr on failure.
    HWND CreateWnd(HINSTANCE instance);
    // Moves and sizes the window to the user's stored place and shows it.
    void ShowPlaced(int showCommand);
    tagMainDialogs& Dialogs() { return m_dialogs; }

    // Rebuilds the lesson libraries of the user's layout.
    void BuildLessons();
    // Shows a page (600 typing, 601 statistics, 602 lesson editor) and sets it up.
    void ShowPage(unsigned short page);
    // The accelerator tables of the window and its views; false when one cannot be made.
    bool CreateAllAccelerators();
    // Keyboard messages through the accelerator table of the view holding the focus, then the
    // window's own; true when one of them took the message.
    bool TranslateAccelerators(MSG& msg);
    CStatisticsPage& GetStatisticsPage() { return m_stats; }
    CLessonPage& GetLessonPage() { return m_lessons; }
    unsigned short GetPage() const { return m_nPage; }
    // Slides the keyboard panel open or closed.
    void ToggleKeyboard();
    // Fills the work area, or goes back to the size before.
    void ToggleMaximize();
    bool IsKeyboardShown() const { return m_bKeyboardShown; }

    // Keyboard messages of the window and its children, before they are dispatched; true
    // when taken here.
    bool PreTranslateKey(const MSG& msg);

    CTypingEngine& GetEngine() { return m_engine; }
    KV::CBaseInput* GetView() const { return m_pView; }
    KV::CKeyboard* GetKeyboard() const { return m_pKeyboard; }
    // Code page of the user's layout, for lesson texts and the keyboard's letters.
    UINT GetCodePage() const { return m_nCodePage; }

    // --- window ---
    KV::CSkin* NewSkin(unsigned short controlId, unsigned long type) override;
    LRESULT OnCreate(CREATESTRUCTW* cs) override;
    LRESULT OnCommand(WORD code, WORD id, HWND control) override;
    LRESULT OnKeyDown(WPARAM key, LPARAM flags) override;
    LRESULT OnKeyUp(WPARAM key, LPARAM flags) override;
    LRESULT OnChar(WPARAM ch, LPARAM flags) override;
    LRESULT OnTimer(UINT_PTR id) override;
    LRESULT OnKillFocus(HWND next) override;
    LRESULT OnActivateApp(BOOL active);
    LRESULT OnClose() override;
    LRESULT OnDestroy() override;
    LRESULT OnGetMinMaxInfo(MINMAXINFO* info) override;
    LRESULT OnSize(UINT type, int width, int height) override;
    LRESULT MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // --- the typing engine's host ---
    void StartLessonTimer() override;
    void StopLessonTimer() override;
    bool IsTypingPageShown() override { return m_nPage == kPageTyping; }
    bool IsInterfaceSoundOn() override { return m_bInterfaceSound; }
    unsigned long GetClockMs() override;
    int ShowResults() override;
    void LessonMadeReady() override;
    void RefreshView() override;
    void ShowCapsLockBox() override;

    // --- the option pages' host ---
    void Preview(const COptionsDoc& options) override;
    void CreateView(HWND page, const RECT& area, int kind, const COptionsDoc& options) override;
    void DestroyView(HWND page) override;
    void OptionsApplied(bool languageChanged) override;
    int SaveUser() override;

private:
    void PauseForDialog();
    void OpenOptions();
    void OpenAbout();
    void OpenFeedback();
    void HideToTray();
    void FollowLayout(bool forced);
    void SetLayoutHeader();
    void SetUpToolTips();
    // Type, colours, view, contrast and hands of the keyboard from options.
    void ApplyKeyboardOptions(const COptionsDoc& options);
    // Shows the skin named in options when it is another one that exists; false when it
    // could not be loaded (the shown one stays).
    bool FollowSkin(const COptionsDoc& options);
    void ApplyViewOptions(const COptionsDoc& options);
    int LoadSkins();
    void SetUpView();
    void SetUpKeyboard();
    void SetUpBars();
    void SetUpTyping();
    // The user's layout, or the active one when the user has none; reports an unreadable
    // active layout.
    std::wstring ReadLayout();
    void StorePlace();
    void PaintViews();

    CWaltzDoc& m_doc;
    CAppSettings& m_settings;
    CUserManager& m_users;
    KV::CIniTable& m_language;
    tagMainDialogs m_dialogs;
    CTypingEngine m_engine;
    // Shows one page's skin elements and parks the other pages' (their splitters and views
    // would otherwise cut through the typing page).
    CPageSwitcher m_pages;
    CStatisticsPage m_stats;
    CLessonPage m_lessons;
    CMainTray* m_pTray;
    HACCEL m_hTreeAccel;
    HACCEL m_hLessonAccel;
    HACCEL m_hGraphAccel;
    std::wstring m_lessonFolder;
    // Views inside option and wizard pages.
    CPreviewViews m_previews;
    // The keyboard file the keyboard shows.
    std::wstring m_keyboardType;

    KV::CBaseInput* m_pView;
    KV::CKeyboard* m_pKeyboard;
    KV::CProgress* m_pLessonBar;
    KV::CProgress* m_pErrorBar;
    KV::CProgress* m_pRhythmBar;

    unsigned short m_nPage;
    bool m_bInterfaceSound;
    bool m_bKeyboardShown;
    bool m_bCapsBoxOpen;
    bool m_bLayingOut;
    bool m_bMaximized;
    RECT m_rcRestore;
    int m_nKeyboardHeight;
    int m_nSlideSteps;
    UINT m_nCodePage;
    std::wstring m_klid;
    LARGE_INTEGER m_frequency;
};
