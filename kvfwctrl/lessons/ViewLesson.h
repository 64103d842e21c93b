#pragma once
// The lesson view: the lesson's editable text (tab 0, with Insert text from file and Save) and
// the report of its characters (tab 1). Edited text is offered for saving before it would be
// left: another selection, another tab, the view hidden.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvfwctrl/lessons/LessonEditor.h"
#include "kvfwctrl/lessons/LessonPageFrame.h"
#include "kvinterf/widgets/Static.h"

namespace KV {

class CIniTable;
class CLesson;
class CViewTreeLesson;

class KVFWCTRL_API CViewLesson : public CStatic
{
public:
    // The open-file dialog of "Insert text"; tests put one in that never waits. 1 and the
    // chosen file in path (520 units), else 0.
    typedef int (*FileBrowser)(HWND owner, const wchar_t* folder, wchar_t* path, const wchar_t* kind);
    static FileBrowser SetFileBrowser(FileBrowser browser);
    enum { kBrowsePathSize = 520 };

    CViewLesson();
    ~CViewLesson() override;

    using CStatic::Create;
    // The view with the editor (control 2030) and the report (2031), both empty and disabled.
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    // The view's own picture; the tabs and panels are built from the same skin folder.
    int LoadBitmapW(const wchar_t* file, int pictures, int reload) override;

    void SetpViewTree(CViewTreeLesson* view) { m_pViewTree = view; }
    // Tab captions, the save question, report captions and messages from the table.
    void SetpLangTable(const CIniTable* table);

    // Shows the lesson's text and report and enables the view; Save starts disabled.
    void SetpLesson(CLesson* lesson);
    CLesson* GetpLesson() const { return m_editor.GetpLesson(); }
    void SetText(const wchar_t* text);
    int GetWasEdit() const { return m_bEdited; }
    // Empties editor and report and disables them, Save and Insert.
    void EmptyText();
    void SetDlgConfirm(const wchar_t* text) { m_editor.SetDlgConfirm(text); }
    void SetCaptionProperties(const wchar_t* symbol, const wchar_t* count, const wchar_t* share,
                              const wchar_t* total)
    {
        m_property.SetCaptionTable(symbol, count, share, total);
    }
    void SetFont(const LOGFONTW* font);

    // Saves the edited text; on success Save is disabled and the parent hears 3004.
    int SaveLesson();
    // Edited text is offered for saving. 1 when the view may move on: nothing was edited, the
    // user said no (the edits are dropped) or the text was saved; 0 when a wanted save failed
    // and the edits are kept.
    int OfferSave();
    // The file dialog, then InsertLessonFile.
    void OnInsertLesson();
    // The text of a text file replaces the editor's (not yet the lesson's) and Save is enabled.
    // A path that fails the folder check shows "Bad Path Name: " and the path; an empty or
    // binary file changes nothing; a file too long for a lesson is cut, with a message.
    int InsertLessonFile(const wchar_t* path);
    void OnChangedTab(int tab);
    void SetActiveTab(int tab);
    int GetActiveTab() const { return m_nTab; }
    void OnSwitchFocus();

    CLessonEditor& GetEditor() { return m_editor; }
    CLessonProperty& GetProperty() { return m_property; }
    CButton* GetButton(unsigned short id) const { return m_frame.GetButton(id); }
    CTabCtrl* GetTabs() const { return m_frame.GetTabs(); }

    // The editor (or the report) takes the focus.
    HWND SetFocus() override;
    // Hiding the view first offers edited text for saving.
    int ShowWindow(int show) override;

    LRESULT OnCommand(WORD code, WORD id, HWND control) override;
    LRESULT OnSize(UINT type, int width, int height) override;
    LRESULT OnDrawItem(UINT id, DRAWITEMSTRUCT* item) override;

protected:
    void Layout();
    void SetEdited(int edited);
    void SendToParent(WORD command, LPARAM lParam = 0);
    void ShowMessage(const wchar_t* key, const wchar_t* english, const wchar_t* path) const;

    CLessonEditor m_editor;
    CLessonProperty m_property;
    CLessonPageFrame m_frame;
    CViewTreeLesson* m_pViewTree;
    const CIniTable* m_pTable;
    int m_nTab;
    int m_bEdited;
};

} // namespace KV
