#include "kvfwctrl/stats/LapListLang.h"
#include "kvfwctrl/stats/StreamLimit.h"
#include "kvfwctrl/keyboard/Layout.h"
#include "kvstruct/core/Serialize.h"

#include <cwchar>

namespace KV {

CLapListLang::CLapListLang()
{
    Init();
}

CLapListLang::~CLapListLang()
{
    Clear();
}

void CLapListLang::Init()
{
    m_pCurrent = nullptr;
    m_sKLID = GetActiveKLID();
}

void CLapListLang::Clear()
{
    Init();
    // The groups point into the lists that go now.
    m_groups.Clear();
    for (CLapList* list : m_lists)
    {
        list->Clear();
        delete list;
    }
    m_lists.clear();
}

CLapList* CLapListLang::GetByKLID(const wchar_t* klid) const
{
    if (!klid)
        klid = L"";
    for (CLapList* list : m_lists)
        if (wcscmp(list->GetKLID(), klid) == 0)
            return list;
    return nullptr;
}

CLapList* CLapListLang::SetKLID(const wchar_t* klid)
{
    CString name(klid);
    m_sKLID = name;
    m_pCurrent = GetByKLID(name);
    if (!m_pCurrent)
    {
        m_pCurrent = new CLapList;
        m_pCurrent->SetKLID(name);
        m_lists.push_back(m_pCurrent);
    }
    return m_pCurrent;
}

CLapList* CLapListLang::CreateKLIDDef()
{
    m_pCurrent = new CLapList;
    m_sKLID = GetActiveKLID();
    m_pCurrent->SetKLID(m_sKLID);
    m_lists.push_back(m_pCurrent);
    return m_pCurrent;
}

CLapList* CLapListLang::GetCurrent()
{
    if (m_lists.empty())
        CreateKLIDDef();
    if (!m_pCurrent || wcscmp(m_pCurrent->GetKLID(), m_sKLID) != 0)
        SetKLID(m_sKLID);
    return m_pCurrent;
}

unsigned short CLapListLang::GetSizeStatError() const
{
    return m_pCurrent ? m_pCurrent->GetSizeStatError() : 0;
}

short* CLapListLang::GetpStatError() const
{
    return m_pCurrent ? m_pCurrent->GetpStatError() : nullptr;
}

void CLapListLang::ClearStatError()
{
    if (m_pCurrent)
        m_pCurrent->ClearStatError();
}

short* CLapListLang::NewStatError(int count)
{
    return m_pCurrent ? m_pCurrent->NewStatError(count) : nullptr;
}

void CLapListLang::AddStatError(int position, short mark)
{
    if (m_pCurrent)
        m_pCurrent->AddStatError(position, mark);
}

unsigned long CLapListLang::GetSelectLesson() const
{
    return m_pCurrent ? m_pCurrent->GetSelectLesson() : 0;
}

void CLapListLang::SetSelectLesson(unsigned long id)
{
    if (m_pCurrent)
        m_pCurrent->SetSelectLesson(id);
}

void CLapListLang::SetLetterIndex(unsigned long index)
{
    if (m_pCurrent)
        m_pCurrent->SetLetterIndex(index);
}

unsigned long CLapListLang::GetLetterIndex() const
{
    return m_pCurrent ? m_pCurrent->GetLetterIndex() : 0;
}

unsigned long CLapListLang::GetLetterIndexNext()
{
    return m_pCurrent ? m_pCurrent->GetLetterIndexNext() : 0;
}

void CLapListLang::SetCourseID(unsigned long id)
{
    if (m_pCurrent)
        m_pCurrent->SetCourseID(id);
}

unsigned long CLapListLang::GetCourseID() const
{
    return m_pCurrent ? m_pCurrent->GetCourseID() : 0;
}

void CLapListLang::SetLessonID(unsigned long id)
{
    if (m_pCurrent)
        m_pCurrent->SetLessonID(id);
}

unsigned long CLapListLang::GetLessonID() const
{
    return m_pCurrent ? m_pCurrent->GetLessonID() : 0;
}

CStatLetterList* CLapListLang::GetpStatLetter(unsigned long index) const
{
    return m_pCurrent ? m_pCurrent->GetpStatLetter(index) : nullptr;
}

void CLapListLang::AddStatLetter(const wchar_t* text, unsigned long onlyFaulty, unsigned long sortOrder)
{
    if (m_pCurrent)
        m_pCurrent->AddStatLetter(text, onlyFaulty, sortOrder);
}

void CLapListLang::ReviseLessonID(unsigned long maxSelect, unsigned long maxLesson)
{
    if (!m_pCurrent)
        return;
    if (m_pCurrent->GetSelectLesson() > maxSelect)
        m_pCurrent->SetSelectLesson(maxSelect);
    if (m_pCurrent->GetLessonID() > maxLesson)
        m_pCurrent->SetLessonID(maxLesson);
}

CLapListGroup& CLapListLang::GetGroup(unsigned short mode, unsigned short type, CListParam& params)
{
    if (m_pCurrent)
        m_groups.Fill(m_pCurrent, mode, type, params);
    else
        m_groups.Clear();
    return m_groups;
}

void CLapListLang::Serialize(std::ostream& out) const
{
    const size_t count = m_lists.size() > 0xFFFF ? 0xFFFF : m_lists.size();
    SerializeUS(out, 3);
    SerializeUS(out, static_cast<unsigned short>(count));
    for (size_t i = 0; i < count; ++i)
        m_lists[i]->Serialize(out);
    m_sKLID.Serialize(out);
}

void CLapListLang::Serialize(std::istream& in)
{
    Clear();
    const unsigned short version = SerializeUS(in);
    if (version == 0)
        return;
    // A lap-list record holds at least its version word.
    const unsigned long count = LimitCount(in, SerializeUS(in), 2);
    for (unsigned long i = 0; i < count && HasMoreData(in); ++i)
    {
        CLapList* list = new CLapList;
        list->Serialize(in);
        m_lists.push_back(list);
    }
    if (version == 2)
    {
        CString klid = KLIDFromNumber(SerializeUS(in));
        if (!in.fail())
            SetKLID(klid);
    }
    else if (version >= 3)
    {
        CString klid;
        klid.Serialize(in);
        // Without a readable name the active layout stays and GetCurrent picks it later.
        if (!in.fail())
            SetKLID(klid);
    }
}

} // namespace KV
