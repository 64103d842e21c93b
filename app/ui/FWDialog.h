#pragma once
// The program's dialogs and their pages: the skin's dialog look (colours and face), every text from the
// language table (the key itself when the table lacks it), a remembered window rectangle and
// skin elements drawn by their owner (gauges).
#include "kvinterf/window/Dialog.h"
#include "kvinterf/window/DialogLook.h"
#include "kvstruct/core/Geometry.h"

#include <string>
#include <vector>

namespace KV {
class CIniTable;
class CSkin;
} // namespace KV

// Text of key in lang; the key itself when the table is missing or lacks it.
std::wstring LangText(const KV::CIniTable* lang, const wchar_t* key);
// Text of key in lang; fallback when the table is missing or lacks it.
std::wstring LangText(const KV::CIniTable* lang, const wchar_t* key, const wchar_t* fallback);

// Row height of an owner-drawn list box with icons.
enum : int { kIconRowHeight = 20 };
// Draws a row of an owner-drawn list box of a program dialog: the icon in its item data (may be
// none) and its text, in the dialog look's colours; false when the item is no list box row.
bool DrawIconListItem(const DRAWITEMSTRUCT* item);

// Owner-drawn skin elements of one dialog window, painted on the dialog's background.
class CDrawnElements
{
public:
    void Add(KV::CSkin* element) { m_elements.push_back(element); }
    void Clear() { m_elements.clear(); }
    // Draws the element the item names; false when it is none of them.
    bool Draw(DRAWITEMSTRUCT* item, HBRUSH background) const;
    // Replaces the template's placeholder control id by element (same place, same id).
    HWND Replace(HWND dialog, int id, KV::CSkin* element, DWORD style);

private:
    std::vector<KV::CSkin*> m_elements;
};

class CFWDialog : public KV::CDialogColor
{
public:
    // place: the dialog's last rectangle (kept with the user's window places); used when the
    // dialog opens and updated when it closes with OK, Cancel or another ending. May be null.
    CFWDialog(UINT templateId, HWND parent, KV::CIniTable* lang, KV::CRect* place = nullptr);
    ~CFWDialog() override;

    INT_PTR OnInitDialog(HWND focus, LPARAM param) override;
    INT_PTR MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Ok() override;
    void Cancel() override;

    // Modal, from the program's templates.
    INT_PTR DoModal() { return KV::CDialog::DoModal(::GetModuleHandleW(nullptr)); }
    // Modeless, from the program's templates (tests drive it with messages).
    HWND Create() { return KV::CDialog::Create(::GetModuleHandleW(nullptr)); }

    std::wstring Text(const wchar_t* key) const { return LangText(m_pLang, key); }
    void SetItemKey(int id, const wchar_t* key) const;
    KV::CIniTable* GetpLang() const { return m_pLang; }
    void SetpLang(KV::CIniTable* lang) { m_pLang = lang; }
    // The code the dialog ended with (also when it ran modeless); -1 while open.
    INT_PTR GetResult() const { return m_nResult; }

    // Moves the dialog, whole, into the work area of its monitor.
    void KeepOnScreen();

protected:
    // Remembers the rectangle, then ends with code.
    void Finish(INT_PTR code);

    KV::CIniTable* m_pLang;
    KV::CRect* m_pPlace;
    INT_PTR m_nResult;
    CDrawnElements m_drawn;
};

// A page of a program dialog: a child dialog placed in an area of its owner.
class CFWChildDlg : public KV::CDialogColor
{
public:
    CFWChildDlg(UINT templateId, CFWDialog& owner);
    ~CFWChildDlg() override;

    // Creates the page inside the owner's window over area (owner client coordinates).
    HWND CreatePage(const RECT& area);
    INT_PTR MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    std::wstring Text(const wchar_t* key) const { return m_owner.Text(key); }
    void SetItemKey(int id, const wchar_t* key) const;
    CFWDialog& GetOwner() const { return m_owner; }

protected:
    CFWDialog& m_owner;
    CDrawnElements m_drawn;
};
