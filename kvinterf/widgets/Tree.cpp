#include "kvinterf/widgets/Tree.h"
#include <cwchar>

namespace KV {

namespace {

HTREEITEM Next(HWND tree, HTREEITEM item, UINT relation)
{
    return reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, relation, (LPARAM)item));
}

// Pre-order walk in display order: first child, else next sibling, else the next sibling of the
// nearest ancestor that has one.
HTREEITEM WalkNext(HWND tree, HTREEITEM item)
{
    HTREEITEM next = Next(tree, item, TVGN_CHILD);
    if (next)
        return next;
    while (item)
    {
        next = Next(tree, item, TVGN_NEXT);
        if (next)
            return next;
        item = Next(tree, item, TVGN_PARENT);
    }
    return nullptr;
}

template <typename Test>
HTREEITEM FindItem(HWND tree, Test test)
{
    if (!tree)
        return nullptr;
    for (HTREEITEM item = Next(tree, nullptr, TVGN_ROOT); item; item = WalkNext(tree, item))
        if (test(item))
            return item;
    return nullptr;
}

bool ReadItem(HWND tree, HTREEITEM item, TVITEMW& tv, wchar_t* text)
{
    tv = TVITEMW();
    tv.mask = TVIF_HANDLE | TVIF_PARAM | (text ? TVIF_TEXT : 0);
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = text ? CTree::kTextSize : 0;
    if (text)
        text[0] = 0;
    return ::SendMessageW(tree, TVM_GETITEMW, 0, (LPARAM)&tv) != 0;
}

int SelectFound(HWND tree, HTREEITEM item)
{
    if (!item)
        return 0;
    return ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item) ? 1 : 0;
}

} // namespace

HTREEITEM AddTreeItem(HWND tree, const wchar_t* text, LPARAM parameter, HTREEITEM parent,
                      HTREEITEM insertAfter, int image)
{
    if (!tree)
        return nullptr;
    TVINSERTSTRUCTW ins = {};
    ins.hParent = parent ? parent : TVI_ROOT;
    ins.hInsertAfter = insertAfter ? insertAfter : TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM;
    ins.item.pszText = const_cast<wchar_t*>(text ? text : L"");
    ins.item.lParam = parameter;
    if (image != -1)
    {
        ins.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        ins.item.iImage = image;
        ins.item.iSelectedImage = image;
    }
    return reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_INSERTITEMW, 0, (LPARAM)&ins));
}

HTREEITEM GetTreeItem(HWND tree, const wchar_t* text)
{
    if (!text)
        return nullptr;
    wchar_t buffer[CTree::kTextSize];
    return FindItem(tree, [&](HTREEITEM item) {
        TVITEMW tv;
        return ReadItem(tree, item, tv, buffer) &&
               ::CompareStringOrdinal(buffer, -1, text, -1, TRUE) == CSTR_EQUAL;
    });
}

HTREEITEM GetTreeItem(HWND tree, LPARAM parameter)
{
    return FindItem(tree, [&](HTREEITEM item) {
        TVITEMW tv;
        return ReadItem(tree, item, tv, nullptr) && tv.lParam == parameter;
    });
}

int SelectTreeItem(HWND tree, const wchar_t* text)
{
    return SelectFound(tree, GetTreeItem(tree, text));
}

int SelectTreeItem(HWND tree, LPARAM parameter)
{
    return SelectFound(tree, GetTreeItem(tree, parameter));
}

int IsTreeItem(HWND tree, HTREEITEM item)
{
    // A deleted item's handle is stale memory; only the walk can tell it is gone.
    if (!item)
        return 0;
    return FindItem(tree, [item](HTREEITEM other) { return other == item; }) ? 1 : 0;
}

int SetTreeItemText(HWND tree, HTREEITEM item, const wchar_t* text)
{
    if (!IsTreeItem(tree, item))
        return 0;
    wchar_t buffer[CTree::kTextSize];
    std::wcsncpy(buffer, text ? text : L"", CTree::kTextSize - 1);
    buffer[CTree::kTextSize - 1] = 0;
    TVITEMW tv = {};
    tv.mask = TVIF_HANDLE | TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer;
    return ::SendMessageW(tree, TVM_SETITEMW, 0, (LPARAM)&tv) ? 1 : 0;
}

int SetTreeItemText(HWND tree, LPARAM parameter, const wchar_t* text)
{
    HTREEITEM item = GetTreeItem(tree, parameter);
    return item ? SetTreeItemText(tree, item, text) : 0;
}

int SetIconState(HWND tree, HTREEITEM item, int image)
{
    if (!tree || !item)
        return 0;
    TVITEMW tv = {};
    tv.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tv.hItem = item;
    tv.iImage = image;
    tv.iSelectedImage = image;
    return ::SendMessageW(tree, TVM_SETITEMW, 0, (LPARAM)&tv) ? 1 : 0;
}

int RemoveTreeItems(HWND tree)
{
    return tree && ::SendMessageW(tree, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT) ? 1 : 0;
}

// ---------------------------------------------------------------------------------------------

CTree::CTree() : m_bEditing(false), m_nEndResult(0) {}

CTree::~CTree() {}

HWND CTree::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    HWND hwnd = CreateControl(WS_EX_CLIENTEDGE, WC_TREEVIEWW, style | 0x50010210, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent, id, instance);
    if (!hwnd)
        return nullptr;
    ::SendMessageW(hwnd, TVM_SETUNICODEFORMAT, TRUE, 0);
    SetTextColor(kTextColour, kBackColour);
    if (m_hFont)
        ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), TRUE);
    Init(100);
    return hwnd;
}

void CTree::Init(int scrollTime)
{
    if (!m_hWnd)
        return;
    RemoveTreeItems(m_hWnd);
    ::SendMessageW(m_hWnd, TVM_SETSCROLLTIME, scrollTime > 0 ? scrollTime : 0, 0);
}

int CTree::SetFont(const LOGFONTW* font)
{
    return font ? ReplaceFont(::CreateFontIndirectW(font), 1) : 0;
}

int CTree::SetFont(int height, int weight)
{
    return ReplaceFont(MakeArial(height, weight), 0);
}

void CTree::SetTextColor(COLORREF text, COLORREF background)
{
    if (!m_hWnd)
        return;
    ::SendMessageW(m_hWnd, TVM_SETTEXTCOLOR, 0, text);
    ::SendMessageW(m_hWnd, TVM_SETBKCOLOR, 0, background);
}

HTREEITEM CTree::AddItem(const wchar_t* text, LPARAM parameter, HTREEITEM parent, HTREEITEM insertAfter,
                         int image)
{
    return AddTreeItem(m_hWnd, text, parameter, parent, insertAfter, image);
}

int CTree::Select(HTREEITEM item)
{
    return m_hWnd && item ? SelectFound(m_hWnd, item) : 0;
}

LPARAM CTree::GetItemParam(HTREEITEM item) const
{
    TVITEMW tv;
    return m_hWnd && item && ReadItem(m_hWnd, item, tv, nullptr) ? tv.lParam : 0;
}

wchar_t* CTree::GetItemText(HTREEITEM item, wchar_t* buffer) const
{
    if (!buffer)
        return buffer;
    buffer[0] = 0;
    TVITEMW tv;
    if (m_hWnd && item)
        ReadItem(m_hWnd, item, tv, buffer);
    return buffer;
}

HWND CTree::EditLabel(HTREEITEM item)
{
    if (!m_hWnd || !item)
        return nullptr;
    ::SetFocus(m_hWnd);
    return reinterpret_cast<HWND>(::SendMessageW(m_hWnd, TVM_EDITLABELW, 0, (LPARAM)item));
}

LRESULT CTree::OnSelchanged(NMTREEVIEWW*)
{
    return 0;
}

LRESULT CTree::OnSelchanging(NMTREEVIEWW*)
{
    return 0;
}

LRESULT CTree::OnNotify(int id, NMHDR* header)
{
    if (!header)
        return 0;
    switch (header->code)
    {
    case TVN_SELCHANGEDW:
        OnSelchanged(reinterpret_cast<NMTREEVIEWW*>(header));
        break;
    case TVN_SELCHANGINGW:
        OnSelchanging(reinterpret_cast<NMTREEVIEWW*>(header));
        break;
    case TVN_BEGINLABELEDITW: {
        const LRESULT refused = ForwardNotify(id, header);
        m_bEditing = !refused;
        return refused;
    }
    case TVN_ENDLABELEDITW:
        // Some platforms end one edit twice; the owner hears of it once.
        if (!m_bEditing)
            return m_nEndResult;
        m_bEditing = false;
        m_nEndResult = 0; // a repeat while the owner still handles the first changes nothing
        m_nEndResult = ForwardNotify(id, header);
        return m_nEndResult;
    default:
        break;
    }
    return ForwardNotify(id, header);
}

LRESULT CTree::OnSize(UINT, int, int)
{
    return 0;
}

} // namespace KV
