#pragma once
// The platform's drop-down list as a skin element.
#include "kvinterf/widgets/SkinControl.h"

namespace KV {

constexpr unsigned long kSkinTypeSelectBox = 0x16000000ul;

class KVINTERF_API CSelectBox : public CSkinControl
{
public:
    CSelectBox();
    ~CSelectBox() override;

    using CSkin::Create;
    // Created at position and size 0: the skin places it. Its height there includes the list.
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;

    // Index of the new entry, or CB_ERR.
    int AddString(const wchar_t* text);
    void ResetContent();
    int GetCurSel() const;
    int SetCurSel(int index);
    // The first entry that starts with text, searched from the start of the list; CB_ERR and
    // the selection unchanged when none does.
    int SelectString(const wchar_t* text);
    int SetFont(int height, int weight);
    void SetTextColor(COLORREF, COLORREF = 0) {}

    LRESULT OnNotify(int id, NMHDR* header) override;

    enum : int { kDefaultHeight = 15 };
};

} // namespace KV
