#pragma once
// The user's typing statistics: one lap list per keyboard layout, one of them current.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvfwctrl/stats/LapGroup.h"
#include "kvfwctrl/stats/LapList.h"
#include "kvstruct/core/CString.h"
#include "kvstruct/core/Param.h"
#include <istream>
#include <ostream>
#include <vector>

namespace KV {

class KVFWCTRL_API CLapListLang
{
public:
    CLapListLang();
    CLapListLang(const CLapListLang&) = delete;
    CLapListLang& operator=(const CLapListLang&) = delete;
    virtual ~CLapListLang();

    void Init();
    void Clear();

    unsigned long GetSize() const { return static_cast<unsigned long>(m_lists.size()); }
    CLapList* Get(unsigned long index) const { return index < m_lists.size() ? m_lists[index] : nullptr; }
    CLapList* GetByKLID(const wchar_t* klid) const;
    // Selects the list of the layout, creating it when there is none.
    CLapList* SetKLID(const wchar_t* klid);
    // Always creates a new list for the active layout and makes it current.
    CLapList* CreateKLIDDef();
    CLapList* GetCurrent();
    const wchar_t* GetKLID() const { return m_sKLID; }

    unsigned short GetSizeStatError() const;
    short* GetpStatError() const;
    void ClearStatError();
    short* NewStatError(int count);
    void AddStatError(int position, short mark);
    unsigned long GetSelectLesson() const;
    void SetSelectLesson(unsigned long id);
    void SetLetterIndex(unsigned long index);
    unsigned long GetLetterIndex() const;
    unsigned long GetLetterIndexNext();
    void SetCourseID(unsigned long id);
    unsigned long GetCourseID() const;
    void SetLessonID(unsigned long id);
    unsigned long GetLessonID() const;
    CStatLetterList* GetpStatLetter(unsigned long index) const;
    void AddStatLetter(const wchar_t* text, unsigned long onlyFaulty, unsigned long sortOrder);

    // Keeps the stored positions inside a lesson library that has shrunk.
    void ReviseLessonID(unsigned long maxSelect, unsigned long maxLesson);

    // Rebuilds the groups of the current list (only clears them without one).
    CLapListGroup& GetGroup(unsigned short mode, unsigned short type, CListParam& params);

    // Version 3.
    void Serialize(std::ostream& out) const;
    void Serialize(std::istream& in);

protected:
    std::vector<CLapList*> m_lists;
    CString m_sKLID;
    CLapList* m_pCurrent;
    CLapListGroup m_groups;
};

} // namespace KV
