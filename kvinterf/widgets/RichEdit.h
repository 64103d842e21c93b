#pragma once
// The platform's rich-edit control (version 2, wide) as a skin element. The program loads its
// library ("RichEd20") once at start; without it the element has no window.
#include "kvinterf/widgets/SkinControl.h"
#include <richedit.h>

namespace KV {

constexpr unsigned long kSkinTypeRichEdit = 0x08000000ul;

class KVINTERF_API CRichEdit : public CSkinControl
{
public:
    CRichEdit();
    ~CRichEdit() override;

    using CSkin::Create;
    // Created at position and size 0: the skin places it.
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;

    // Replaces the whole text without change notifications, then turns them on.
    int SetText(const wchar_t* text);
    // EM_SETTEXTEX: wide text (code page 1200) or 8-bit text in codePage.
    int SetTextEx(const wchar_t* text, DWORD flags = ST_DEFAULT, UINT codePage = 1200);
    int SetTextEx(const char* text, DWORD flags, UINT codePage);
    // The whole text with CR LF line ends, cut to size - 1 characters; returns the length.
    int GetText(wchar_t* buffer, int size) const;
    // Length of the text as GetText gives it.
    int GetTextLength() const;
    void SetSelect(long start, long end);
    void HideSelection(int hide);
    int SetTextMode(int mode);
    LRESULT SetOptions(int operation, DWORD options);
    // Returns the previous background colour.
    COLORREF SetBkgColor(COLORREF colour);
    // Returns the previous event mask.
    DWORD SetMaskEvent(DWORD mask);
    // Scrolls one line down.
    void SetScrool();
    // which: SCF_SELECTION, SCF_ALL or SCF_DEFAULT. A null face leaves the face alone.
    int SetDefaultCharFormat(UINT which, DWORD mask, DWORD effects, LONG height, const wchar_t* face,
                             LONG offset, COLORREF colour);
    int SetFont(const LOGFONTW* font);

    LRESULT OnNotify(int id, NMHDR* header) override;
};

} // namespace KV
