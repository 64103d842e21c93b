#pragma once
// The lesson tree view: the course (tab 0) and the user's own lessons (tab 1), each a lesson
// tree; the user's panel holds New, Rename and Delete. The selected lesson is shown in the
// lesson view, and the parent window hears of everything by WM_COMMAND (LessonViewIds.h).
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvfwctrl/lessons/LessonPageFrame.h"
#include "kvfwctrl/lessons/TreeLesson.h"
#include "kvinterf/widgets/Static.h"

namespace KV {

class CIniTable;
class CLessonList;
class CViewLesson;

class KVFWCTRL_API CViewTreeLesson : public CStatic
{
public:
    CViewTreeLesson();
    ~CViewTreeLesson() override;

    using CStatic::Create;
    // The view with its two trees (controls 2020 and 2021).
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    // The view's own picture; the tabs and panels are built from the same skin folder.
    int LoadBitmapW(const wchar_t* file, int pictures, int reload) override;

    void SetpLessonList(CLessonList* course, CLessonList* user);
    void SetpViewLesson(CViewLesson* view);
    CViewLesson* GetpViewLesson() const { return m_pViewLesson; }
    // Tab captions from the table ("TabCourse", "User").
    void SetpLangTable(const CIniTable* table);

    // Refills the active tab's tree (CTreeLesson::kSelectByID or kSelectByName) and shows the
    // selected lesson.
    void FillLesson(unsigned long how);
    // Refills both tabs, the active one last, and shows its selected lesson.
    void FillAll(unsigned long how);
    // Empties both trees and the lesson view: call before the libraries are reloaded.
    void ClearTrees();
    long GetSelectedID() const { return m_trees.GetCurID(m_nTab); }
    int SetSelectedID(long id) { return m_trees.SetCurID(m_nTab, id); }
    long GetActiveID() const { return m_trees.GetActiveID(m_nTab); }
    int ActivateItem(long id) { return m_trees.ActivateItem(m_nTab, id); }
    int GetActiveTab() const { return m_nTab; }
    void SetActiveTab(int tab);
    void SetFont(const LOGFONTW* font);
    void SetLessonToView();
    void EnableButtons();
    // Creates the user's lesson folder of the current layout below the lesson root.
    int CreateUserFolder();

    int OnNewLesson();
    int OnRename();
    int OnDeleteLesson();
    void OnChangedTab(int tab);
    void OnSwitchFocus();

    CTreeLessonList& GetTrees() { return m_trees; }
    CTreeLesson* GetTree(int tab) const { return m_trees.Get(tab); }
    CButton* GetButton(unsigned short id) const { return m_frame.GetButton(id); }
    CTabCtrl* GetTabs() const { return m_frame.GetTabs(); }
    // The active tab's tree takes the focus.
    HWND SetFocus() override;

    LRESULT MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(WORD code, WORD id, HWND control) override;
    LRESULT OnSize(UINT type, int width, int height) override;
    LRESULT OnDrawItem(UINT id, DRAWITEMSTRUCT* item) override;

protected:
    // Notifications of the trees reach the view with their code as the message number.
    LRESULT OnTreeNotify(UINT code, WPARAM wParam, LPARAM lParam);
    void Layout();
    void SendToParent(WORD command, LPARAM lParam = 0);
    int OfferSave();

    CTreeLessonList m_trees;
    CLessonPageFrame m_frame;
    CViewLesson* m_pViewLesson;
    int m_nTab;
};

} // namespace KV
