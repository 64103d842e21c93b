#pragma once
// The lesson library: folder entries and, after each, the lessons of that folder. A lesson's
// position in the list is its lesson ID (valid until the next reload).
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvfwctrl/lessons/Lesson.h"
#include "kvstruct/core/CString.h"

#include <vector>

namespace KV {

class CIniTable;

class KVFWCTRL_API CLessonList
{
public:
    // Folders below the lesson root.
    static constexpr const wchar_t* kMultiLanguage = L"MultiLanguage\\";
    static constexpr const wchar_t* kStandart = L"Standart\\";
    static constexpr const wchar_t* kLocalLanguage = L"LocalLanguage\\";
    static constexpr const wchar_t* kUser = L"User";
    // Lessons taken from one folder at most; the rest of a larger folder is ignored.
    static const unsigned long kMaxFolderLessons = 10000;

    CLessonList();
    virtual ~CLessonList();
    CLessonList(const CLessonList&) = delete;
    CLessonList& operator=(const CLessonList&) = delete;

    void SetBasePath(const wchar_t* path) { m_sBasePath = path; }
    const wchar_t* GetBasePath() const { return m_sBasePath; }
    void SetPathUser(const wchar_t* path) { m_sPathUser = path; }
    const wchar_t* GetPathUserRel() const { return m_sPathUser; }
    // Base path, user path and "User" joined; "" when the base or the user path is empty.
    // The path is cut to size units; without a size, MAX_PATH.
    const wchar_t* GetPathUser(wchar_t* buffer, size_t size) const;
    const wchar_t* GetPathUser(wchar_t* buffer) const { return GetPathUser(buffer, MAX_PATH); }
    void SetCP(unsigned int codePage) { m_nCP = codePage; }
    unsigned int GetCP() const { return m_nCP; }
    void SetpLangTable(CIniTable* table) { m_pLangTable = table; }
    CIniTable* GetpLangTable() const { return m_pLangTable; }

    // "LocalLanguage\En" for the English layouts, else "LocalLanguage\" + klid.
    // Cut to size units; without a size, MAX_PATH.
    static const wchar_t* GetLocalFolder(const wchar_t* klid, wchar_t* buffer, size_t size);
    static const wchar_t* GetLocalFolder(const wchar_t* klid, wchar_t* buffer)
    {
        return GetLocalFolder(klid, buffer, MAX_PATH);
    }

    // One section folder (base\relative\section): its folder entry and one lesson per file,
    // names sorted as the file system shows them. None when the folder cannot be searched.
    CLesson* LoadCurrent(const wchar_t* relative, const wchar_t* section);
    // The "*.txt" entries of base\relative\folder, entering folders named "*.txt".
    int LoadRecursive(const wchar_t* relative, const wchar_t* folder);
    // The seven course sections in their order for a local-language folder; section 2 on
    // "Addition". Returns the number of sections found.
    int LoadCourse(const wchar_t* localFolder);

    void Clear();
    unsigned long GetCount() const { return static_cast<unsigned long>(m_list.size()); }
    // Takes ownership; returns the new lesson's ID.
    unsigned long Add(CLesson* lesson);
    CLesson* Get(unsigned long id) const;
    int GetSection(unsigned long id) const;
    const wchar_t* GetTextW(unsigned long id, unsigned long offset = 0) const;
    const char* GetTextA(unsigned long id, unsigned long offset = 0) const;
    unsigned short GetLength(unsigned long id) const;
    // The lesson's distinct characters (lessons of section 0 only); see CLesson::GetUniSymbols.
    void GetUniSymbols(unsigned long id, wchar_t* buffer, size_t size) const;
    void GetUniSymbols(unsigned long id, wchar_t* buffer) const;
    void RemoveText(unsigned long id) const;
    void SetUpdateFlag() const;

    unsigned long GetNextID(unsigned long id) const;
    unsigned long GetPrevID(unsigned long id) const;
    unsigned long GetLastID() const;

    // Creates base\user path with its parents.
    int NewFolder() const;
    // Creates the empty file fileName in the user's lesson folder; an existing file is left
    // as it is. 0 when the name or the folder is unusable.
    int NewLesson(const wchar_t* fileName) const;

private:
    int LoadRecursive(const wchar_t* relative, const wchar_t* folder, int depth);
    CLesson* AddFolderEntry(const wchar_t* name);

    std::vector<CLesson*> m_list;
    CString m_sBasePath;
    CString m_sPathUser;
    CIniTable* m_pLangTable;
    unsigned int m_nCP;
};

} // namespace KV
