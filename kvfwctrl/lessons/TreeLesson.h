#pragma once
// The lesson tree: one lesson library shown as folders with their lessons below, the lesson
// chosen for typing marked by its own icon, the user's own lessons created, renamed and deleted
// in place. CTreeLessonList holds the trees of the lesson tree view, one per tab.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvinterf/widgets/Tree.h"
#include "kvstruct/core/CString.h"
#include <vector>

namespace KV {

class CIniTable;
class CLesson;
class CLessonList;

// Why a name cannot become a lesson's file name.
enum LessonNameFault {
    kLessonNameOk = 0,
    kLessonNameEmpty,
    kLessonNameChars,    // \ / : * ? " < > | or a control character
    kLessonNameReserved, // a device name such as CON or LPT1
    kLessonNameExists,
    kLessonNameLong, // folder, name and ".txt" do not fit in a path
};
// Checks name as the name of a lesson file in folder. current is the lesson's present name
// (a change of case only is no clash), or null for a new lesson.
KVFWCTRL_API int CheckLessonName(const wchar_t* folder, const wchar_t* name, const wchar_t* current);
// The text that tells the user about a fault of CheckLessonName, from the language table.
KVFWCTRL_API const wchar_t* LessonNameFaultText(const CIniTable* table, int fault);

class KVFWCTRL_API CTreeLesson : public CTree
{
public:
    enum { kImageFolder = 0, kImageFolderOpen = 1, kImageLesson = 2, kImageActive = 3 };
    enum { kSelectByID = 1, kSelectByName = 2 };

    CTreeLesson();
    ~CTreeLesson() override;

    using CTree::Create;
    // The tree with editable labels and the four icons (closed and open folder, lesson, active).
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;

    void SetpLessonList(CLessonList* list) { m_pList = list; }
    CLessonList* GetpLessonList() const { return m_pList; }

    // Empties the tree and shows the library: folders at the top level, lessons below the folder
    // before them. how kSelectByID selects the selected ID again, kSelectByName the remembered
    // name (and the selected ID when no item has it); a pending label edit then starts.
    void FillLesson(unsigned long how);
    // Removes every item but keeps the selected and active IDs for the next fill (the library
    // is about to be reloaded).
    void Clear();

    long GetCurID() const { return m_nCurID; }
    // Selects the item of a lesson or folder; 0 when there is none.
    int SetCurID(long id);
    long GetActiveID() const { return m_nActiveID; }
    CLesson* GetCurEntry() const;
    // Makes a lesson (not a folder) the active and selected one; 0 for anything else.
    int ActivateItem(long id);
    // Drops the active mark; the active ID becomes -1.
    void Deactivate();
    // Activates the lesson whose icon lies under the mouse position of the current message;
    // 1 when it did.
    int ActivateAtCursor();

    // Whether the entry is one of the user's own lessons (its folder is "User").
    int IsUserLesson(long id) const;
    // A new empty lesson "New", or "New(n)" with the first free n, in the user's folder; the
    // next fill by name selects it and opens its label. 0 when it could not be made.
    int NewLesson();
    // Sends the selected user lesson to the recycle bin and moves the selection and the active
    // lesson to the lessons before it; the caller reloads the library and fills by name.
    int DeleteLesson();
    // Starts editing the label of the selected user lesson; 0 for any other entry.
    int StartRename();
    const wchar_t* GetSelectName() const { return m_sSelectName; }
    void SetSelectName(const wchar_t* name) { m_sSelectName = name ? name : L""; }
    int IsFilling() const { return m_bFilling; }

    LRESULT OnNotify(int id, NMHDR* header) override;
    LRESULT OnSelchanged(NMTREEVIEWW* info) override;

protected:
    HTREEITEM ItemOf(long id) const;
    const CIniTable* LangTable() const;
    // Nonzero refuses the edit.
    LRESULT OnBeginLabelEdit(NMTVDISPINFOW* info);
    // TRUE when the item takes the new text.
    LRESULT OnEndLabelEdit(NMTVDISPINFOW* info);
    void ShowFault(const wchar_t* text, const wchar_t* name) const;

    CLessonList* m_pList;
    long m_nCurID;
    long m_nActiveID;
    HTREEITEM m_hCurItem;
    HTREEITEM m_hActiveItem;
    CString m_sSelectName;
    int m_bEditLabel;
    int m_bFilling;
    HIMAGELIST m_hImages;
    std::vector<HTREEITEM> m_items; // by lesson ID, as last filled
};

class KVFWCTRL_API CTreeLessonList
{
public:
    CTreeLessonList();
    virtual ~CTreeLessonList();
    CTreeLessonList(const CTreeLessonList&) = delete;
    CTreeLessonList& operator=(const CTreeLessonList&) = delete;

    // Takes the tree over.
    void Add(CTreeLesson* tree);
    void Clear();
    int Size() const { return (int)m_list.size(); }
    CTreeLesson* Get(int tab) const { return (tab >= 0 && tab < Size()) ? m_list[tab] : nullptr; }

    void SetpLessonList(int tab, CLessonList* list);
    CLessonList* GetpLessonList(int tab) const;
    void FillLesson(int tab, unsigned long how);
    long GetCurID(int tab) const;
    int SetCurID(int tab, long id);
    long GetActiveID(int tab) const;
    // Activates on that tab and drops the active mark of every other tab.
    int ActivateItem(int tab, long id);
    void DeactivateOthers(int tab);
    int NewLesson(int tab);
    int DeleteLesson(int tab);
    void SetFont(const LOGFONTW* font);

private:
    std::vector<CTreeLesson*> m_list;
};

} // namespace KV
