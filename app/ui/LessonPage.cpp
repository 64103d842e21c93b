#include "app/ui/LessonPage.h"
#include "app/doc/WaltzDoc.h"
#include "kvfwctrl/lessons/LessonList.h"
#include "kvfwctrl/lessons/TreeLesson.h"
#include "kvfwctrl/lessons/ViewLesson.h"
#include "kvfwctrl/lessons/ViewTreeLesson.h"
#include "kvstruct/files/IniTable.h"

CLessonPage::CLessonPage(CWaltzDoc& doc, KV::CIniTable& lang)
    : m_doc(doc), m_lang(lang), m_pTree(nullptr), m_pView(nullptr)
{}

KV::CSkin* CLessonPage::NewView(unsigned short id)
{
    if (id == kTreeView)
        return m_pTree = new KV::CViewTreeLesson();
    if (id == kLessonView)
        return m_pView = new KV::CViewLesson();
    return nullptr;
}

bool CLessonPage::SetUp()
{
    if (!m_pTree || !m_pView || !m_pTree->GetHwnd() || !m_pView->GetHwnd())
        return false;
    m_pTree->SetpViewLesson(m_pView);
    m_pTree->SetpLangTable(&m_lang);
    m_pView->SetpLangTable(&m_lang);
    m_pTree->SetpLessonList(&m_doc.GetLessonList(0), &m_doc.GetLessonList(1));
    return true;
}

void CLessonPage::Show()
{
    if (!m_pTree)
        return;
    m_pTree->FillAll(KV::CTreeLesson::kSelectByID);
    MarkCurrentLesson();
    // The views were laid out while their page was hidden: once more at their real size.
    m_pTree->SetActiveTab(m_pTree->GetActiveTab());
    if (m_pView)
        m_pView->SetActiveTab(m_pView->GetActiveTab());
    for (KV::CSkin* view : {static_cast<KV::CSkin*>(m_pTree), static_cast<KV::CSkin*>(m_pView)})
        if (view && view->GetHwnd())
        {
            view->SetRectRgn();
            ::RedrawWindow(view->GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        }
}

void CLessonPage::MarkCurrentLesson()
{
    // The lesson being typed is marked and selected when its course's tree is the one shown;
    // the user's course only when the user has lessons of their own.
    const unsigned long course = m_doc.GetCourseID();
    if (!m_pTree || static_cast<unsigned long>(m_pTree->GetActiveTab()) != course ||
        m_doc.GetLessonList(course).GetCount() == 0)
        return;
    const long id = static_cast<long>(m_doc.GetLessonID());
    if (m_pTree->GetActiveID() == id && m_pTree->GetSelectedID() == id)
        return;
    if (m_pTree->ActivateItem(id))
        m_pTree->SetLessonToView();
}

bool CLessonPage::Leave()
{
    return !m_pView || m_pView->OfferSave() != 0;
}

void CLessonPage::Clear()
{
    if (m_pTree)
        m_pTree->ClearTrees();
}

void CLessonPage::ReloadUserLessons(const std::wstring& localFolder)
{
    if (!m_pTree)
        return;
    m_pTree->ClearTrees();
    KV::CLessonList& own = m_doc.GetLessonList(1);
    own.Clear();
    own.LoadRecursive(localFolder.c_str(), KV::CLessonList::kUser);
    m_doc.ReviseLessonID();
    m_pTree->FillAll(KV::CTreeLesson::kSelectByName);
}

unsigned long CLessonPage::GetActiveCourse() const
{
    return m_pTree ? static_cast<unsigned long>(m_pTree->GetActiveTab()) : 0;
}

long CLessonPage::GetActiveLesson() const
{
    return m_pTree ? m_pTree->GetActiveID() : 0;
}

void CLessonPage::Relabel()
{
    if (m_pTree)
        m_pTree->SetpLangTable(&m_lang);
    if (m_pView)
        m_pView->SetpLangTable(&m_lang);
}
