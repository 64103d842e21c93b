#pragma once
// The main window's lesson editor page: the lesson tree (301) beside the lesson view (302), both
// showing the two libraries of the user's layout (the course and the user's own lessons).
#include <string>

class CWaltzDoc;
namespace KV {
class CIniTable;
class CSkin;
class CViewLesson;
class CViewTreeLesson;
} // namespace KV

class CLessonPage
{
public:
    enum : unsigned short { kTreeView = 301, kLessonView = 302 };

    CLessonPage(CWaltzDoc& doc, KV::CIniTable& lang);
    CLessonPage(const CLessonPage&) = delete;
    CLessonPage& operator=(const CLessonPage&) = delete;

    // The object of one of the page's skin elements; nullptr for any other element.
    KV::CSkin* NewView(unsigned short id);
    // After the skin made both views: links them to each other, the libraries and the language.
    // False when a view is missing.
    bool SetUp();

    // The page becomes visible: both tabs refilled, the selected lesson shown.
    void Show();
    // Marks and selects the lesson being typed in the tree of its course.
    void MarkCurrentLesson();
    // The page is left: unsaved edits are offered for saving. False when the user cancelled.
    bool Leave();
    // Before the libraries are rebuilt (the trees point into them).
    void Clear();
    // A user lesson was created or deleted: the user's library is read again from its folder
    // (relative to the lesson root) and the trees refilled by name.
    void ReloadUserLessons(const std::wstring& localFolder);
    // The tab and ID of the lesson the user activated in the tree.
    unsigned long GetActiveCourse() const;
    long GetActiveLesson() const;
    void Relabel();

    KV::CViewTreeLesson* GetTree() const { return m_pTree; }
    KV::CViewLesson* GetView() const { return m_pView; }

private:
    CWaltzDoc& m_doc;
    KV::CIniTable& m_lang;
    KV::CViewTreeLesson* m_pTree; // owned by the window's skin
    KV::CViewLesson* m_pView;     // owned by the window's skin
};
