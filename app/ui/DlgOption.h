#pragma once
// The options dialog: a page tree and the option pages, editing a copy of the user's options
// that OK and Apply write back; Cancel puts the main window's previewed views back.
#include "app/doc/OptionsDoc.h"
#include "app/ui/FWDialog.h"

#include <memory>
#include <string>
#include <vector>

class CWaltzDoc;
class IOptionsHost;
class CUserManager;
class CUserSettings;
class CDlgOption;

// Picks a colour for owner; false when the user cancelled. Tests install their own.
typedef bool (*ColourChooser)(HWND owner, COLORREF& colour);
ColourChooser SetColourChooser(ColourChooser chooser);
// Picks a folder for owner with prompt; false when the user cancelled. Tests install their own.
typedef bool (*FolderChooser)(HWND owner, const wchar_t* prompt, std::wstring& folder);
FolderChooser SetFolderChooser(FolderChooser chooser);

class CDlgOptPage : public CFWChildDlg
{
public:
    CDlgOptPage(UINT templateId, CDlgOption& dialog);
    ~CDlgOptPage() override;

    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    // Puts the dialog's record into the controls.
    virtual void Fill() {}

protected:
    COptionsDoc& Options();
    // A control changed the record; preview: show it on the main window at once.
    void Changed(bool preview);

    CDlgOption& m_dialog;
};

class CDlgOptGeneral : public CDlgOptPage
{
public:
    explicit CDlgOptGeneral(CDlgOption& dialog);
    ~CDlgOptGeneral() override;
    void OnTranslate() override;
    void Fill() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;
    INT_PTR OnCtlColorStatic(HDC dc, HWND hwnd) override;

private:
    unsigned long* Colour(int index);
    HBRUSH m_brushes[5];
};

class CDlgOptSkin : public CDlgOptPage
{
public:
    explicit CDlgOptSkin(CDlgOption& dialog);
    void OnTranslate() override;
    void Fill() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;

    // The page of more skins on the product's web site.
    static const wchar_t* GetSkinsPage();

private:
    std::vector<std::wstring> m_names;
};

class CDlgOptSound : public CDlgOptPage
{
public:
    explicit CDlgOptSound(CDlgOption& dialog);
    ~CDlgOptSound() override;
    void OnTranslate() override;
    void Fill() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;
    INT_PTR OnNotify(int id, NMHDR* header) override;
    INT_PTR MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The event chosen in the list (game sound code), -1 when none.
    int GetEvent() const;

private:
    void ShowEvent();

    std::vector<std::wstring> m_files;
    bool m_bFilling;
};

class CDlgOptKeyboard : public CDlgOptPage
{
public:
    explicit CDlgOptKeyboard(CDlgOption& dialog);
    void OnTranslate() override;
    void Fill() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;
    INT_PTR OnNotify(int id, NMHDR* header) override;

private:
    std::vector<std::wstring> m_types;
    bool m_bFilling;
};

class CDlgOptHotKey : public CDlgOptPage
{
public:
    explicit CDlgOptHotKey(CDlgOption& dialog);
    void OnTranslate() override;
};

class CDlgOptLanguage : public CDlgOptPage
{
public:
    explicit CDlgOptLanguage(CDlgOption& dialog);
    void Fill() override;
    void OnTranslate() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;

private:
    std::vector<std::wstring> m_names;
};

class CDlgOptStatistic : public CDlgOptPage
{
public:
    explicit CDlgOptStatistic(CDlgOption& dialog);
    void OnTranslate() override;
    void Fill() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;

private:
    KV::CListParam& Columns();
    // The selected parameter ID of list id; 0 when none.
    unsigned long SelectedID(int id) const;
    void Select(int id, unsigned long param);
    void ShowDescription(int id);

    bool m_bLetters;
};

class CDlgOptUsers : public CDlgOptPage
{
public:
    explicit CDlgOptUsers(CDlgOption& dialog);
    void OnTranslate() override;
    void Fill() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;

private:
    int Selected() const;
    void Message(const std::wstring& text) const;
    void ChooseUserPath();
    void ChooseLessonPath(bool useDefault);
    void SetDefaultUserPath();
    void CreateUser();
    void EditUser();
    void RemoveUser();
    void ActivateUser();
};

class CDlgOption : public CFWDialog
{
public:
    enum : int {
        PageGeneral = 1,
        PageSkins,
        PageKeyboard,
        PageHotKeys,
        PageLanguage,
        PageSound,
        PageStatistic,
        PageUsers,
        PageCount = PageUsers
    };

    // host may be null (nothing is previewed, applied or saved beyond the document); place is
    // the dialog's remembered rectangle (by default the one in the user's window places).
    CDlgOption(HWND parent, CWaltzDoc& doc, KV::CIniTable* lang, IOptionsHost* host,
               KV::CRect* place = nullptr);
    ~CDlgOption() override;

    // The users and the program's settings for the Users page (it is listed only with them).
    void SetpUsers(CUserManager* users, CUserSettings* settings)
    {
        m_pUsers = users;
        m_pSettings = settings;
    }
    CUserManager* GetpUsers() const { return m_pUsers; }
    CUserSettings* GetpSettings() const { return m_pSettings; }
    // Another user became current: the dialog edits that user's options from now on.
    void UserChanged();

    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    void OnTranslate() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;
    INT_PTR OnNotify(int id, NMHDR* header) override;
    void Ok() override;
    void Cancel() override;

    // Writes the dialog's record into the user's document (language, sounds, main window).
    void Apply();
    // Every option of the user back to its default, saved at once.
    void Restore();
    void ShowPage(int page);
    // Grows the page area, and the dialog and its buttons with it, until every control of the
    // page fits inside with the template's margin (a page laid out for longer texts).
    void FitPage(int page);
    int GetPage() const { return m_nPage; }
    CDlgOptPage* GetpPage(int page) const;
    // The page shown when the dialog opens next (for the whole run of the program).
    static int GetLastPage();

    COptionsDoc& GetOptions() { return m_options; }
    CWaltzDoc& GetDoc() const { return m_doc; }
    void Changed(bool preview);

private:
    void BuildTree();
    void DestroyPages();

    bool IsPageListed(int page) const;

    CWaltzDoc& m_doc;
    IOptionsHost* m_pHost;
    CUserManager* m_pUsers;
    CUserSettings* m_pSettings;
    COptionsDoc m_options;
    std::unique_ptr<CDlgOptPage> m_pages[PageCount + 1];
    HTREEITEM m_items[PageCount + 1];
    int m_nPage;
    bool m_bPreviewed;
};

// Points the user's two sound sets at the program's sound folder and loads them again.
void ReloadSounds(COptionsDoc& options);
