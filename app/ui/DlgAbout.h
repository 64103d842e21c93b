#pragma once
// The about box (name, version from the program's version block, the home page) and the
// feedback dialog.
#include "app/ui/FWDialog.h"
#include "kvinterf/widgets/Link.h"

class CDlgAbout : public CFWDialog
{
public:
    CDlgAbout(HWND parent, KV::CIniTable* lang, KV::CRect* place = nullptr);
    ~CDlgAbout() override;

    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    void OnTranslate() override;

    static const wchar_t* GetHomePage();
    KV::CLink& GetLink() { return m_link; }

private:
    KV::CLink m_link;
    HICON m_hIcon;
};

class CDlgBugs : public CFWDialog
{
public:
    CDlgBugs(HWND parent, KV::CIniTable* lang);

    void OnTranslate() override;
    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    // Sends the message with the library's feedback function; stays open while it is empty.
    void Ok() override;
};

// The ProductVersion text of the program's version block ("" when it has none).
std::wstring GetProgramVersion();
