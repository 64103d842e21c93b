#pragma once
// The platform's tree view as a skin element, and the same item operations for tree views of
// dialog boxes. Items carry a text, a 32-bit parameter and an icon state.
#include "kvinterf/widgets/SkinControl.h"

namespace KV {

constexpr unsigned long kSkinTypeTree = 0x07000000ul;

// Item operations on any tree view. Finding walks the items in display order.
KVINTERF_API HTREEITEM AddTreeItem(HWND tree, const wchar_t* text, LPARAM parameter, HTREEITEM parent,
                                   HTREEITEM insertAfter, int image = -1);
// The first item whose text equals text apart from case; nullptr when none.
KVINTERF_API HTREEITEM GetTreeItem(HWND tree, const wchar_t* text);
KVINTERF_API HTREEITEM GetTreeItem(HWND tree, LPARAM parameter);
// Find as above and make the item the current selection; 0 when not found.
KVINTERF_API int SelectTreeItem(HWND tree, const wchar_t* text);
KVINTERF_API int SelectTreeItem(HWND tree, LPARAM parameter);
// 0 when the item is not (or no longer) in the tree; the text is cut to 1,024 characters.
KVINTERF_API int SetTreeItemText(HWND tree, HTREEITEM item, const wchar_t* text);
KVINTERF_API int SetTreeItemText(HWND tree, LPARAM parameter, const wchar_t* text);
// Image and selected image together.
KVINTERF_API int SetIconState(HWND tree, HTREEITEM item, int image);
KVINTERF_API int RemoveTreeItems(HWND tree);
// Whether item is one of the tree's items.
KVINTERF_API int IsTreeItem(HWND tree, HTREEITEM item);

class KVINTERF_API CTree : public CSkinControl
{
public:
    CTree();
    ~CTree() override;

    enum : int { kTextSize = 1024 };
    enum : COLORREF { kTextColour = 0x0A0A0A, kBackColour = 0xFAFAFA };

    using CSkin::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    // Deletes every item and sets the scroll time in milliseconds.
    void Init(int scrollTime);
    // Replaces the font and applies it.
    int SetFont(const LOGFONTW* font);
    // "Arial" of that height and weight, applied with the next Create.
    int SetFont(int height, int weight);
    void SetTextColor(COLORREF text, COLORREF background);

    HTREEITEM AddItem(const wchar_t* text, LPARAM parameter, HTREEITEM parent = TVI_ROOT,
                      HTREEITEM insertAfter = TVI_LAST, int image = -1);
    HTREEITEM GetItem(const wchar_t* text) const { return GetTreeItem(m_hWnd, text); }
    HTREEITEM GetItem(LPARAM parameter) const { return GetTreeItem(m_hWnd, parameter); }
    int SelectItem(LPARAM parameter) { return SelectTreeItem(m_hWnd, parameter); }
    int SelectItem(const wchar_t* text) { return SelectTreeItem(m_hWnd, text); }
    int Select(HTREEITEM item);
    int SetTreeItemText(HTREEITEM item, const wchar_t* text)
    {
        return KV::SetTreeItemText(m_hWnd, item, text);
    }
    int SetIconState(HTREEITEM item, int image) { return KV::SetIconState(m_hWnd, item, image); }
    LPARAM GetItemParam(HTREEITEM item) const;
    // buffer holds kTextSize characters; returns it (empty for a missing item).
    wchar_t* GetItemText(HTREEITEM item, wchar_t* buffer) const;
    HWND EditLabel(HTREEITEM item);
    int DeleteAllItems() { return RemoveTreeItems(m_hWnd); }

    virtual LRESULT OnSelchanged(NMTREEVIEWW* info);
    virtual LRESULT OnSelchanging(NMTREEVIEWW* info);
    // Selection changes reach the two hooks; every notification then goes on to the parent with
    // its code as the message number. The second end of one label edit is not passed on.
    LRESULT OnNotify(int id, NMHDR* header) override;
    LRESULT OnSize(UINT type, int width, int height) override;

protected:
    bool m_bEditing;
    LRESULT m_nEndResult;
};

} // namespace KV
