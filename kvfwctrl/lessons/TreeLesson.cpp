#include "kvfwctrl/lessons/TreeLesson.h"
#include "kvfwctrl/lessons/Lesson.h"
#include "kvfwctrl/lessons/LessonList.h"
#include "kvfwctrl/lessons/LessonTexts.h"
#include "kvfwctrl/lessons/LessonViewIds.h"
#include "kvstruct/files/Paths.h"
#include "kvstruct/sys/CursorWait.h"
#include "kvstruct/sys/MsgBox.h"
#include <shellapi.h>
#include <cwchar>
#include <cwctype>
#include <string>

namespace KV {

namespace {

const wchar_t kTxt[] = L".txt";

bool EndsWithTxt(const std::wstring& name)
{
    return name.size() >= 4 &&
           ::CompareStringOrdinal(name.c_str() + name.size() - 4, 4, kTxt, 4, TRUE) == CSTR_EQUAL;
}

std::wstring FileOf(const wchar_t* folder, const std::wstring& name)
{
    std::wstring path = folder ? folder : L"";
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
    return path + name + (EndsWithTxt(name) ? L"" : kTxt);
}

bool IsDeviceName(const std::wstring& name)
{
    // The part before the first dot, without trailing blanks, names a device whatever follows.
    std::wstring stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ')
        stem.pop_back();
    for (wchar_t& c : stem)
        c = (wchar_t)std::towupper(c);
    static const wchar_t* const kDevices[] = {L"CON",    L"PRN",     L"AUX",   L"NUL",
                                              L"CONIN$", L"CONOUT$", L"CLOCK$"};
    for (const wchar_t* device : kDevices)
        if (stem == device)
            return true;
    return stem.size() == 4 && (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
           stem[3] >= L'1' && stem[3] <= L'9';
}

// One icon of the shell's library, or of this library when the shell lacks it.
HICON LoadTreeIcon(const wchar_t* shellFile, int shellIndex, WORD ownId)
{
    HICON icon = nullptr;
    if (shellFile)
        ::ExtractIconExW(shellFile, shellIndex, nullptr, &icon, 1);
    if (!icon)
        icon = (HICON)::LoadImageW(GetFwctrlInstance(), MAKEINTRESOURCEW(ownId), IMAGE_ICON, 16, 15, 0);
    return icon;
}

} // namespace

int CheckLessonName(const wchar_t* folder, const wchar_t* name, const wchar_t* current)
{
    const std::wstring text = name ? name : L"";
    if (text.find_first_not_of(L" .") == std::wstring::npos)
        return kLessonNameEmpty;
    for (wchar_t c : text)
        if (c < 32 || std::wcschr(L"\\/:*?\"<>|", c))
            return kLessonNameChars;
    if (IsDeviceName(text))
        return kLessonNameReserved;
    const std::wstring path = FileOf(folder, text);
    if (!folder || !folder[0] || path.size() >= MAX_PATH)
        return kLessonNameLong;
    if (current && CompareFileNames(current, text.c_str()) == 0)
        return kLessonNameOk; // the same file, only the case changes
    return rxPathFileExists(path.c_str()) ? kLessonNameExists : kLessonNameOk;
}

const wchar_t* LessonNameFaultText(const CIniTable* table, int fault)
{
    switch (fault)
    {
    case kLessonNameEmpty:
        return LessonText(table, L"LessonNameEmpty", L"Please give the lesson a name.");
    case kLessonNameChars:
        return LessonText(table, L"LessonNameChars",
                          L"A lesson name cannot contain any of these characters: \\ / : * ? \" < > |");
    case kLessonNameReserved:
        return LessonText(table, L"LessonNameReserved",
                          L"Windows keeps this name for a device (such as CON, PRN, AUX, NUL, COM1 or "
                          L"LPT1). Please choose another name.");
    case kLessonNameExists:
        return LessonText(table, L"LessonNameExists",
                          L"There is already a lesson with this name. Please choose another name.");
    case kLessonNameLong:
        return LessonText(table, L"LessonNameLong",
                          L"This name is too long for the lesson folder. Please choose a shorter name.");
    default:
        return L"";
    }
}

// ---------------------------------------------------------------------------------------------

CTreeLesson::CTreeLesson()
    : m_pList(nullptr), m_nCurID(-1), m_nActiveID(-1), m_hCurItem(nullptr), m_hActiveItem(nullptr),
      m_bEditLabel(0), m_bFilling(0), m_hImages(nullptr)
{}

CTreeLesson::~CTreeLesson()
{
    // The control goes before the image list it shows.
    DestroyWindow();
    if (m_hImages)
        ::ImageList_Destroy(m_hImages);
}

HWND CTreeLesson::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    const DWORD treeStyle = TVS_FULLROWSELECT | TVS_NOTOOLTIPS | TVS_SHOWSELALWAYS | TVS_EDITLABELS |
                            TVS_LINESATROOT | TVS_HASLINES | TVS_HASBUTTONS;
    HWND hwnd = CTree::Create(instance, parent, style | treeStyle, rect, id);
    if (!hwnd)
        return hwnd;
    if (!m_hImages)
    {
        m_hImages = ::ImageList_Create(16, 15, ILC_COLOR32 | ILC_MASK, 4, 0);
        const struct
        {
            const wchar_t* shellFile;
            int shellIndex;
            WORD ownId;
        } icons[] = {{L"Shell32.DLL", 3, kIconLesson},
                     {L"Shell32.DLL", 4, kIconLesson},
                     {nullptr, 0, kIconLesson},
                     {nullptr, 0, kIconLessonActive}};
        for (const auto& source : icons)
        {
            HICON icon = LoadTreeIcon(source.shellFile, source.shellIndex, source.ownId);
            ::ImageList_ReplaceIcon(m_hImages, -1, icon);
            if (icon)
                ::DestroyIcon(icon);
        }
    }
    ::SendMessageW(hwnd, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)m_hImages);
    return hwnd;
}

const CIniTable* CTreeLesson::LangTable() const
{
    return m_pList ? m_pList->GetpLangTable() : nullptr;
}

HTREEITEM CTreeLesson::ItemOf(long id) const
{
    return (id >= 0 && (size_t)id < m_items.size()) ? m_items[(size_t)id] : nullptr;
}

CLesson* CTreeLesson::GetCurEntry() const
{
    return (m_pList && m_nCurID >= 0) ? m_pList->Get((unsigned long)m_nCurID) : nullptr;
}

void CTreeLesson::FillLesson(unsigned long how)
{
    if (!m_pList || !m_hWnd)
        return;
    m_bFilling = 1;
    // Turning drawing back on shows a window: only a visible tree pauses its drawing.
    const bool visible = (::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible)
        ::SendMessageW(m_hWnd, WM_SETREDRAW, FALSE, 0);
    DeleteAllItems();
    m_items.assign(m_pList->GetCount(), nullptr);
    m_hCurItem = nullptr;
    m_hActiveItem = nullptr;
    const CIniTable* table = LangTable();
    if (m_pList->GetCount() == 0)
        m_nCurID = -1;
    else if (table)
    {
        HTREEITEM folder = TVI_ROOT;
        for (unsigned long id = 0; id < m_pList->GetCount(); ++id)
        {
            CLesson* entry = m_pList->Get(id);
            if (entry->GetSection())
            {
                const wchar_t* name = entry->GetName();
                folder = AddItem(LessonText(table, name, name), (LPARAM)id, TVI_ROOT, TVI_LAST, kImageFolder);
                m_items[id] = folder;
            }
            else
                m_items[id] = AddItem(entry->GetName(), (LPARAM)id, folder, TVI_LAST, kImageLesson);
        }
        HTREEITEM active = ItemOf(m_nActiveID);
        if (active && m_pList->GetSection((unsigned long)m_nActiveID) == 0)
        {
            m_hActiveItem = active;
            SetIconState(active, kImageActive);
        }
        HTREEITEM select = nullptr;
        if (how == kSelectByName && !m_sSelectName.IsEmpty())
            select = GetItem((const wchar_t*)m_sSelectName);
        if (!select)
            select = ItemOf(m_nCurID);
        if (select)
        {
            Select(select);
            ::SendMessageW(m_hWnd, TVM_ENSUREVISIBLE, 0, (LPARAM)select);
            m_hCurItem = select;
            m_nCurID = (long)GetItemParam(select);
        }
        else
            m_nCurID = -1;
    }
    if (visible)
        ::SendMessageW(m_hWnd, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    m_bFilling = 0;
    if (m_bEditLabel && m_hCurItem)
    {
        m_bEditLabel = 0;
        EditLabel(m_hCurItem);
    }
}

void CTreeLesson::Clear()
{
    m_bFilling = 1;
    DeleteAllItems();
    m_bFilling = 0;
    m_items.clear();
    m_hCurItem = nullptr;
    m_hActiveItem = nullptr;
}

int CTreeLesson::SetCurID(long id)
{
    HTREEITEM item = ItemOf(id);
    if (!item)
        return 0;
    // A selection change can be refused (edits whose save failed stay on screen).
    Select(item);
    if ((HTREEITEM)::SendMessageW(m_hWnd, TVM_GETNEXTITEM, TVGN_CARET, 0) != item)
        return 0;
    m_nCurID = id;
    m_hCurItem = item;
    return 1;
}

int CTreeLesson::ActivateItem(long id)
{
    HTREEITEM item = ItemOf(id);
    if (!m_pList || !item || m_pList->GetSection((unsigned long)id) != 0)
        return 0;
    if (m_hActiveItem && m_hActiveItem != item)
        SetIconState(m_hActiveItem, kImageLesson);
    m_nActiveID = id;
    m_hActiveItem = item;
    SetIconState(item, kImageActive);
    SetCurID(id);
    return 1;
}

void CTreeLesson::Deactivate()
{
    if (m_hActiveItem)
        SetIconState(m_hActiveItem, kImageLesson);
    m_hActiveItem = nullptr;
    m_nActiveID = -1;
}

int CTreeLesson::ActivateAtCursor()
{
    if (!m_hWnd)
        return 0;
    const DWORD pos = ::GetMessagePos();
    TVHITTESTINFO hit = {};
    hit.pt.x = (short)LOWORD(pos);
    hit.pt.y = (short)HIWORD(pos);
    ::ScreenToClient(m_hWnd, &hit.pt);
    HTREEITEM item = (HTREEITEM)::SendMessageW(m_hWnd, TVM_HITTEST, 0, (LPARAM)&hit);
    if (!item || !(hit.flags & TVHT_ONITEMICON))
        return 0;
    return ActivateItem((long)GetItemParam(item));
}

int CTreeLesson::IsUserLesson(long id) const
{
    CLesson* entry = (m_pList && id >= 0) ? m_pList->Get((unsigned long)id) : nullptr;
    return entry && entry->GetSection() == 0 && std::wcscmp(entry->GetParentName(), CLessonList::kUser) == 0;
}

void CTreeLesson::ShowFault(const wchar_t* text, const wchar_t* name) const
{
    std::wstring message = text ? text : L"";
    if (name && name[0])
        message += std::wstring(L"\n\n") + name;
    ShowMsgBox(m_hWnd ? ::GetParent(m_hWnd) : nullptr, message.c_str(), kAppCaption,
               MB_OK | MB_ICONEXCLAMATION);
}

int CTreeLesson::NewLesson()
{
    wchar_t folder[MAX_PATH] = {0};
    if (!m_pList || !m_pList->GetPathUser(folder)[0])
        return 0;
    std::wstring name = L"New";
    for (int n = 1; n < 100000; ++n)
    {
        if (!GetItem(name.c_str()) && !rxPathFileExists(FileOf(folder, name).c_str()))
            break;
        name = L"New(" + std::to_wstring(n) + L")";
    }
    const int fault = CheckLessonName(folder, name.c_str(), nullptr);
    if (fault != kLessonNameOk)
    {
        ShowFault(LessonNameFaultText(LangTable(), fault), folder);
        return 0;
    }
    if (!m_pList->NewLesson((name + kTxt).c_str()))
        return 0;
    m_sSelectName = name.c_str();
    m_bEditLabel = 1;
    return 1;
}

int CTreeLesson::DeleteLesson()
{
    CCursorWait wait;
    const long id = m_nCurID;
    wchar_t folder[MAX_PATH] = {0};
    if (!IsUserLesson(id) || !m_pList->GetPathUser(folder)[0])
        return 0;
    if (!m_pList->Get((unsigned long)id)->Delete(folder))
        return 0;
    if (id == m_nActiveID && id != 0)
    {
        m_nActiveID = (long)m_pList->GetPrevID((unsigned long)id);
        m_hActiveItem = nullptr;
    }
    else if (m_nActiveID > id)
        --m_nActiveID; // the lessons after the deleted one move up a place
    if (m_nCurID != 0)
    {
        --m_nCurID;
        wchar_t text[kTextSize];
        m_sSelectName = GetItemText(ItemOf(m_nCurID), text);
    }
    else
        m_sSelectName = L"";
    return 1;
}

int CTreeLesson::StartRename()
{
    if (!IsUserLesson(m_nCurID) || !ItemOf(m_nCurID))
        return 0;
    return EditLabel(ItemOf(m_nCurID)) ? 1 : 0;
}

LRESULT CTreeLesson::OnBeginLabelEdit(NMTVDISPINFOW* info)
{
    return IsUserLesson((long)GetItemParam(info->item.hItem)) ? 0 : 1;
}

LRESULT CTreeLesson::OnEndLabelEdit(NMTVDISPINFOW* info)
{
    const long id = (long)GetItemParam(info->item.hItem);
    if (!info->item.pszText || !IsUserLesson(id))
        return FALSE; // editing was cancelled
    CLesson* lesson = m_pList->Get((unsigned long)id);
    const wchar_t* name = info->item.pszText;
    if (std::wcscmp(name, lesson->GetLessonNameSys()) == 0)
        return FALSE;
    wchar_t folder[MAX_PATH] = {0};
    m_pList->GetPathUser(folder);
    const int fault = CheckLessonName(folder, name, lesson->GetLessonNameSys());
    if (fault != kLessonNameOk)
    {
        ShowFault(LessonNameFaultText(LangTable(), fault), name);
        return FALSE;
    }
    if (!lesson->Rename(folder, name))
    {
        ShowFault(LessonText(LangTable(), L"LessonRenameFailed",
                             L"The lesson could not be renamed. Its folder may be read-only, or the file "
                             L"may be open in another program."),
                  name);
        return FALSE;
    }
    if (id == m_nCurID)
        m_sSelectName = name;
    return TRUE;
}

LRESULT CTreeLesson::OnSelchanged(NMTREEVIEWW* info)
{
    if (m_bFilling || !info)
        return 0;
    m_hCurItem = info->itemNew.hItem;
    m_nCurID = m_hCurItem ? (long)info->itemNew.lParam : -1;
    return 0;
}

LRESULT CTreeLesson::OnNotify(int id, NMHDR* header)
{
    if (!header)
        return 0;
    switch (header->code)
    {
    case TVN_SELCHANGINGW:
    case TVN_SELCHANGEDW:
        // Filling selects and deletes items; nobody needs to hear of that.
        if (m_bFilling)
        {
            if (header->code == TVN_SELCHANGEDW)
                OnSelchanged(reinterpret_cast<NMTREEVIEWW*>(header));
            return 0;
        }
        break;
    case TVN_BEGINLABELEDITW:
        if (OnBeginLabelEdit(reinterpret_cast<NMTVDISPINFOW*>(header)))
            return TRUE;
        break;
    case TVN_ENDLABELEDITW:
        // Some platforms end one edit twice; the rename runs once.
        if (!m_bEditing)
            return m_nEndResult;
        m_bEditing = false;
        m_nEndResult = FALSE;
        m_nEndResult = OnEndLabelEdit(reinterpret_cast<NMTVDISPINFOW*>(header));
        return m_nEndResult;
    case TVN_ITEMEXPANDEDW: {
        auto* info = reinterpret_cast<NMTREEVIEWW*>(header);
        if (m_pList && m_pList->GetSection((unsigned long)info->itemNew.lParam))
            SetIconState(info->itemNew.hItem, (info->action & TVE_EXPAND) ? kImageFolderOpen : kImageFolder);
        break;
    }
    default:
        break;
    }
    return CTree::OnNotify(id, header);
}

// ---------------------------------------------------------------------------------------------

CTreeLessonList::CTreeLessonList() {}

CTreeLessonList::~CTreeLessonList()
{
    Clear();
}

void CTreeLessonList::Add(CTreeLesson* tree)
{
    if (tree)
        m_list.push_back(tree);
}

void CTreeLessonList::Clear()
{
    for (CTreeLesson* tree : m_list)
        delete tree;
    m_list.clear();
}

void CTreeLessonList::SetpLessonList(int tab, CLessonList* list)
{
    if (CTreeLesson* tree = Get(tab))
        tree->SetpLessonList(list);
}

CLessonList* CTreeLessonList::GetpLessonList(int tab) const
{
    CTreeLesson* tree = Get(tab);
    return tree ? tree->GetpLessonList() : nullptr;
}

void CTreeLessonList::FillLesson(int tab, unsigned long how)
{
    if (CTreeLesson* tree = Get(tab))
        tree->FillLesson(how);
}

long CTreeLessonList::GetCurID(int tab) const
{
    CTreeLesson* tree = Get(tab);
    return tree ? tree->GetCurID() : -1;
}

int CTreeLessonList::SetCurID(int tab, long id)
{
    CTreeLesson* tree = Get(tab);
    return tree ? tree->SetCurID(id) : 0;
}

long CTreeLessonList::GetActiveID(int tab) const
{
    CTreeLesson* tree = Get(tab);
    return tree ? tree->GetActiveID() : -1;
}

int CTreeLessonList::ActivateItem(int tab, long id)
{
    CTreeLesson* tree = Get(tab);
    if (!tree || !tree->ActivateItem(id))
        return 0;
    DeactivateOthers(tab);
    return 1;
}

void CTreeLessonList::DeactivateOthers(int tab)
{
    for (int i = 0; i < Size(); ++i)
        if (i != tab)
            m_list[i]->Deactivate();
}

int CTreeLessonList::NewLesson(int tab)
{
    CTreeLesson* tree = Get(tab);
    return tree ? tree->NewLesson() : 0;
}

int CTreeLessonList::DeleteLesson(int tab)
{
    CTreeLesson* tree = Get(tab);
    return tree ? tree->DeleteLesson() : 0;
}

void CTreeLessonList::SetFont(const LOGFONTW* font)
{
    for (CTreeLesson* tree : m_list)
        tree->SetFont(font);
}

} // namespace KV
