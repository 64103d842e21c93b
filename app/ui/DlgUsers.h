#pragma once
// The user dialogs: choose a user, create or edit one, choose a picture.
#include "app/doc/HeaderDoc.h"
#include "kvinterf/window/Dialog.h"

#include <string>
#include <vector>

namespace KV {
class CIniTable;
}
class CUserManager;

// Shows avatar `name` ("Avatars\" + name + ".ico" beside the program) in a picture control;
// returns the icon, which the caller destroys.
HICON ShowAvatar(HWND dialog, int pictureId, const wchar_t* name, HICON previous);
// Moves a dialog to its remembered rectangle (nothing when there is none) and remembers it again.
void RestorePlace(HWND dialog, const KV::CRect* place);
void RememberPlace(HWND dialog, KV::CRect* place);

class CDlgSelectUser : public KV::CDialogColor
{
public:
    // place: the last rectangle of the dialog (kept with the user's window places); it is used
    // when the dialog opens and updated when it closes. May be null.
    CDlgSelectUser(HWND parent, CUserManager& users, KV::CIniTable* lang, const wchar_t* currentId,
                   KV::CRect* place = nullptr);
    ~CDlgSelectUser() override;

    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    void OnTranslate() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;
    void Ok() override;
    void Cancel() override;

    // The chosen list index, -1 when none.
    int GetSelected() const { return m_nSelected; }
    const wchar_t* GetSelectedID() const;

private:
    void ShowSelection();

    CUserManager& m_users;
    KV::CIniTable* m_pLang;
    std::wstring m_sCurrentID;
    std::vector<CHeaderDoc> m_list;
    int m_nSelected;
    HICON m_hIcon;
    KV::CRect* m_pPlace;
};

class CDlgNewUser : public KV::CDialogColor
{
public:
    // edit null: a new user; otherwise the properties of that user.
    CDlgNewUser(HWND parent, KV::CIniTable* lang, const CHeaderDoc* edit = nullptr);
    ~CDlgNewUser() override;

    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    void OnTranslate() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;
    // Stays open, with a message, while the nick is empty.
    void Ok() override;

    const CHeaderDoc& GetHeader() const { return m_header; }
    void SetAvatar(const wchar_t* name);

private:
    KV::CIniTable* m_pLang;
    bool m_bEdit;
    CHeaderDoc m_header;
    std::wstring m_sAvatar;
    HICON m_hIcon;
};

class CDlgSelectAvatars : public KV::CDialogColor
{
public:
    CDlgSelectAvatars(HWND parent, KV::CIniTable* lang, const wchar_t* current, KV::CRect* place = nullptr);
    ~CDlgSelectAvatars() override;

    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    void OnTranslate() override;
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override;
    void Ok() override;
    void Cancel() override;

    const wchar_t* GetAvatar() const { return m_sAvatar.c_str(); }
    static const wchar_t* GetAvatarsPage();

private:
    void ShowSelection();

    KV::CIniTable* m_pLang;
    std::wstring m_sAvatar;
    std::vector<std::wstring> m_names;
    HICON m_hIcon;
    KV::CRect* m_pPlace;
};
