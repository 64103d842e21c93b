#include "kvfwctrl/lessons/ViewTreeLesson.h"
#include "kvfwctrl/lessons/Lesson.h"
#include "kvfwctrl/lessons/LessonList.h"
#include "kvfwctrl/lessons/LessonTexts.h"
#include "kvfwctrl/lessons/LessonViewIds.h"
#include "kvfwctrl/lessons/ViewLesson.h"
#include "kvstruct/files/Paths.h"
#include <cwchar>

namespace KV {

namespace {

const unsigned short kTabIds[2] = {kIdTabCourse, kIdTabUser};
const CLessonPageFrame::PanelSpec kPanels[2] = {
    {kIdPanelCourse, {0, 0, 0}},
    {kIdPanelUser, {kCmdNewLesson, kCmdRenameLesson, kCmdDeleteLesson}},
};

// Notifications of child controls arrive with their (negative) code as the message number.
bool IsNotifyCode(UINT msg)
{
    return msg > 0xFFFF;
}

} // namespace

CViewTreeLesson::CViewTreeLesson() : m_pViewLesson(nullptr), m_nTab(0)
{
    m_frame.SetCaption(0, L"Course");
    m_frame.SetCaption(1, L"My lessons");
}

CViewTreeLesson::~CViewTreeLesson()
{
    // The children go while every part of the view still exists to hear from them.
    DestroyWindow();
}

HWND CViewTreeLesson::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    HWND hwnd = CStatic::Create(instance, parent, style | WS_CLIPCHILDREN, rect, id);
    if (!hwnd || m_trees.Size())
        return hwnd;
    const UINT treeIds[2] = {kIdTreeCourse, kIdTreeUser};
    for (UINT treeId : treeIds)
    {
        auto* tree = new CTreeLesson;
        m_trees.Add(tree);
        tree->Create(instance, hwnd, 0, RECT{0, 0, 1, 1}, treeId);
    }
    SetActiveTab(m_nTab);
    return hwnd;
}

int CViewTreeLesson::LoadBitmapW(const wchar_t* file, int pictures, int reload)
{
    const int result = CStatic::LoadBitmapW(file, pictures, reload);
    if (result && m_hWnd && (reload || !m_frame.IsBuilt()))
    {
        m_frame.Build(m_hWnd, CLessonPageFrame::FolderOf(file), kIdTreeTabs, kTabIds, kPanels);
        SetActiveTab(m_nTab);
        EnableButtons();
    }
    return result;
}

void CViewTreeLesson::SetpLessonList(CLessonList* course, CLessonList* user)
{
    m_trees.SetpLessonList(0, course);
    m_trees.SetpLessonList(1, user);
}

void CViewTreeLesson::SetpViewLesson(CViewLesson* view)
{
    m_pViewLesson = view;
    if (view)
        view->SetpViewTree(this);
}

void CViewTreeLesson::SetpLangTable(const CIniTable* table)
{
    m_frame.SetCaption(0, LessonText(table, L"TabCourse", L"Course"));
    m_frame.SetCaption(1, LessonText(table, L"User", L"My lessons"));
}

void CViewTreeLesson::FillLesson(unsigned long how)
{
    m_trees.FillLesson(m_nTab, how);
    EnableButtons();
    SetLessonToView();
}

void CViewTreeLesson::FillAll(unsigned long how)
{
    for (int tab = 0; tab < m_trees.Size(); ++tab)
        if (tab != m_nTab)
            m_trees.FillLesson(tab, how);
    FillLesson(how);
}

void CViewTreeLesson::ClearTrees()
{
    if (m_pViewLesson)
        m_pViewLesson->EmptyText();
    for (int tab = 0; tab < m_trees.Size(); ++tab)
        m_trees.Get(tab)->Clear();
    EnableButtons();
}

void CViewTreeLesson::SetActiveTab(int tab)
{
    if (tab < 0 || tab >= 2)
        tab = 0;
    m_nTab = tab;
    m_frame.ShowTab(tab);
    for (int n = 0; n < m_trees.Size(); ++n)
        if (HWND tree = m_trees.Get(n)->GetHwnd())
            ::ShowWindow(tree, n == tab ? SW_SHOW : SW_HIDE);
    Layout();
}

void CViewTreeLesson::SetFont(const LOGFONTW* font)
{
    if (!font)
        return;
    LOGFONTW tree = {};
    tree.lfHeight = -18;
    tree.lfWeight = FW_NORMAL;
    tree.lfCharSet = font->lfCharSet;
    wcsncpy(tree.lfFaceName, font->lfFaceName, LF_FACESIZE - 1);
    m_trees.SetFont(&tree);
}

void CViewTreeLesson::SetLessonToView()
{
    CTreeLesson* tree = m_trees.Get(m_nTab);
    if (!tree || !tree->GetpLessonList() || !m_pViewLesson)
        return;
    CLesson* entry = tree->GetCurEntry();
    if (!entry)
    {
        m_pViewLesson->EmptyText();
        return;
    }
    if (entry->GetSection())
        m_pViewLesson->EmptyText();
    else
        m_pViewLesson->SetpLesson(entry);
    SendToParent(kMsgLessonShown, (LPARAM)tree->GetCurID());
}

void CViewTreeLesson::EnableButtons()
{
    CTreeLesson* tree = m_trees.Get(m_nTab);
    const int own = tree && tree->IsUserLesson(tree->GetCurID());
    m_frame.EnableButton(kCmdRenameLesson, own);
    m_frame.EnableButton(kCmdDeleteLesson, own);
}

int CViewTreeLesson::CreateUserFolder()
{
    CLessonList* list = m_trees.GetpLessonList(1) ? m_trees.GetpLessonList(1) : m_trees.GetpLessonList(0);
    wchar_t folder[MAX_PATH] = {0};
    if (!list || !list->GetPathUser(folder)[0])
        return 0;
    return KV::CreateDirectoryW(folder);
}

int CViewTreeLesson::OfferSave()
{
    return m_pViewLesson ? m_pViewLesson->OfferSave() : 1;
}

int CViewTreeLesson::OnNewLesson()
{
    if (!OfferSave())
        return 0;
    if (m_nTab != 1)
        OnChangedTab(1);
    if (!m_trees.NewLesson(1))
        return 0;
    // The parent reloads the user's library: nothing may keep pointing into it.
    if (m_pViewLesson)
        m_pViewLesson->EmptyText();
    SendToParent(kMsgLessonCreated);
    return 1;
}

int CViewTreeLesson::OnRename()
{
    CTreeLesson* tree = m_trees.Get(m_nTab);
    return tree ? tree->StartRename() : 0;
}

int CViewTreeLesson::OnDeleteLesson()
{
    if (!m_trees.DeleteLesson(m_nTab))
        return 0;
    if (m_pViewLesson)
        m_pViewLesson->EmptyText();
    SendToParent(kMsgLessonDeleted);
    SendToParent(kMsgActiveLessonChanged);
    return 1;
}

void CViewTreeLesson::OnChangedTab(int tab)
{
    if (tab != m_nTab && !OfferSave())
    {
        m_frame.ShowTab(m_nTab); // the clicked tab gives its check back
        return;
    }
    SetActiveTab(tab);
    EnableButtons();
    SetLessonToView();
    SendToParent(kMsgTreeTabChanged);
}

void CViewTreeLesson::OnSwitchFocus()
{
    if (m_pViewLesson)
        m_pViewLesson->SetFocus();
}

HWND CViewTreeLesson::SetFocus()
{
    CTreeLesson* tree = m_trees.Get(m_nTab);
    return tree && tree->GetHwnd() ? ::SetFocus(tree->GetHwnd()) : CStatic::SetFocus();
}

void CViewTreeLesson::SendToParent(WORD command, LPARAM lParam)
{
    HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (parent)
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(command, 0), lParam);
}

LRESULT CViewTreeLesson::OnCommand(WORD, WORD id, HWND)
{
    switch (id)
    {
    case kCmdNewLesson:
        OnNewLesson();
        break;
    case kCmdRenameLesson:
        OnRename();
        break;
    case kCmdDeleteLesson:
        OnDeleteLesson();
        break;
    case kIdTabCourse:
        OnChangedTab(0);
        break;
    case kIdTabUser:
        OnChangedTab(1);
        break;
    case kCmdActivateLesson:
        if (ActivateItem(GetSelectedID()))
            SendToParent(kMsgActiveLessonChanged);
        break;
    case kCmdFocusLessonView:
        OnSwitchFocus();
        break;
    case kCmdInsertLesson:
        if (m_pViewLesson)
            m_pViewLesson->OnInsertLesson();
        break;
    default:
        break;
    }
    return 0;
}

LRESULT CViewTreeLesson::OnTreeNotify(UINT code, WPARAM wParam, LPARAM lParam)
{
    CTreeLesson* tree = m_trees.Get(m_nTab);
    switch (code)
    {
    case TVN_SELCHANGINGW:
        // A failed save keeps the lesson, and the edits with it, on screen.
        return OfferSave() ? 0 : TRUE;
    case TVN_SELCHANGEDW:
        EnableButtons();
        SetLessonToView();
        return 0;
    case NM_CLICK:
        if (tree && tree->ActivateAtCursor())
        {
            m_trees.DeactivateOthers(m_nTab);
            SendToParent(kMsgActiveLessonChanged);
        }
        return 0;
    case NM_DBLCLK:
        // A double click renames an own lesson; on anything else it keeps its usual meaning.
        return OnRename();
    case TVN_ITEMEXPANDEDW:
        SendToParent(kMsgFolderToggled);
        return 0;
    default:
        break;
    }
    HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    return parent ? ::SendMessageW(parent, code, wParam, lParam) : 0;
}

LRESULT CViewTreeLesson::MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (IsNotifyCode(msg))
        return OnTreeNotify(msg, wParam, lParam);
    return CStatic::MessageLoop(hwnd, msg, wParam, lParam);
}

void CViewTreeLesson::Layout()
{
    if (!m_hWnd)
        return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const RECT pane = m_frame.Layout(client.right, client.bottom, m_nTab);
    for (int n = 0; n < m_trees.Size(); ++n)
        m_trees.Get(n)->MoveSkin(&pane);
}

LRESULT CViewTreeLesson::OnSize(UINT, int, int)
{
    Layout();
    return 0;
}

LRESULT CViewTreeLesson::OnDrawItem(UINT, DRAWITEMSTRUCT* item)
{
    return CLessonPageFrame::DrawItem(item);
}

} // namespace KV
