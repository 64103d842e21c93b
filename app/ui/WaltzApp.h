#pragma once
// The program: one instance per desktop, the settings file, the current user, the language,
// the sounds, the main window and the message loop.
#include "app/doc/AppSettings.h"
#include "app/doc/UserManager.h"
#include "app/doc/WaltzDoc.h"
#include "kvstruct/files/IniTable.h"

#include <windows.h>

#include <memory>
#include <string>

class CMainWnd;

class CWaltzApp
{
public:
    // Tray icon of a hidden main window.
    static const UINT kTrayIconId = 4018;

    // programFolder ends with a backslash; empty for the running program's folder.
    explicit CWaltzApp(const std::wstring& programFolder = std::wstring());
    ~CWaltzApp();

    // Start, message loop and shut-down; the exit code.
    int Run(HINSTANCE instance, int showCommand);
    // Everything up to the message loop; 0 when the program must end.
    int InitInstance(HINSTANCE instance, int showCommand);
    int MessageLoop();
    // Saves the user, destroys the window, frees what the start took.
    void ExitInstance();

    CWaltzDoc& GetDoc() { return m_doc; }
    CAppSettings& GetSettings() { return m_settings; }
    CUserManager& GetUsers() { return m_users; }
    KV::CIniTable& GetLanguage() { return m_language; }
    CMainWnd* GetMainWnd() const { return m_pMainWnd.get(); }
    HBRUSH GetDialogBrush() const { return m_hBrush; }

    // The first instance's window, brought up, when there is one; true then.
    static bool BringUpFirstInstance();
    // A simulated Caps Lock press when it is on; the thread's state forgets it as well.
    static void SwitchCapsLockOff();

private:
    int LoadLib();
    void OpenCurrentUser();
    void LoadLanguage();
    void LoadSounds();
    int CreateWnd();
    // Accelerators come with the commands of the main window.
    int CreateAccelerators();
    // The dialogs the main window opens at start and at the end of a lesson.
    void SetDialogs();

    std::wstring m_folder;
    CWaltzDoc m_doc;
    CAppSettings m_settings;
    CUserManager m_users;
    KV::CIniTable m_language;
    std::unique_ptr<CMainWnd> m_pMainWnd;
    HINSTANCE m_hInstance;
    HBRUSH m_hBrush;
    HMODULE m_hRichEdit;
};
