#pragma once
// The first-start wizard: language, name, keyboard, view and speed unit of the new user, one
// page at a time; every choice is written into the user's document at once.
#include "app/ui/FWDialog.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CWaltzDoc;
class IOptionsHost;
class COptionsDoc;

class CDlgWizard;

class CDlgWizardPage : public CFWChildDlg
{
public:
    CDlgWizardPage(UINT templateId, CDlgWizard& wizard);
    ~CDlgWizardPage() override;
    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;

protected:
    // The preview view of kind over the placeholder control id (when the main window makes one).
    void MakeView(int id, int kind);

    CDlgWizard& m_wizard;
    CWaltzDoc& m_doc;
    bool m_bView;
};

class CDlgWizardLanguage : public CDlgWizardPage
{
public:
    explicit CDlgWizardLanguage(CDlgWizard& wizard);
    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    void OnTranslate() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;

private:
    std::vector<std::wstring> m_names;
};

class CDlgWizardUser : public CDlgWizardPage
{
public:
    explicit CDlgWizardUser(CDlgWizard& wizard);
    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    void OnTranslate() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;

private:
    bool m_bFilling;
};

class CDlgWizardKeyboard : public CDlgWizardPage
{
public:
    explicit CDlgWizardKeyboard(CDlgWizard& wizard);
    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    void OnTranslate() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;

private:
    std::vector<std::wstring> m_types;
};

class CDlgWizardView : public CDlgWizardPage
{
public:
    explicit CDlgWizardView(CDlgWizard& wizard);
    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    void OnTranslate() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;
};

class CDlgWizardStatistics : public CDlgWizardPage
{
public:
    explicit CDlgWizardStatistics(CDlgWizard& wizard);
    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    void OnTranslate() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;
};

class CDlgWizard : public CFWDialog
{
public:
    enum : unsigned short { PageFirst = 1, PageLast = 5 };

    // lang is reloaded when the user picks another language; preview may be null.
    CDlgWizard(HWND parent, CWaltzDoc& doc, KV::CIniTable* lang, IOptionsHost* preview = nullptr);
    ~CDlgWizard() override;

    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    void OnTranslate() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;

    unsigned short GetPage() const { return m_nPage; }
    CFWChildDlg* GetpPage() const { return m_pPage.get(); }
    CWaltzDoc& GetDoc() const { return m_doc; }
    IOptionsHost* GetpPreview() const { return m_pPreview; }
    // Loads "Language\" + name + ".ini" into the language table and relabels the wizard.
    void SwitchLanguage(const wchar_t* name);

private:
    void ShowPage(unsigned short page);

    CWaltzDoc& m_doc;
    IOptionsHost* m_pPreview;
    std::unique_ptr<CFWChildDlg> m_pPage;
    unsigned short m_nPage;
};

// The wizard runs on the first start only: when the settings file says "ShowWizard" "1", run
// is called (it shows the wizard) and "ShowWizard" becomes "0" in the file. True when it ran.
bool ShowWizardOnce(const wchar_t* settingsPath, const std::function<void()>& run);
// Speed unit of the score table: words per minute shows column 704 and hides 701; characters
// per minute the other way round.
void SetSpeedUnit(COptionsDoc& options, bool charsPerMinute);
