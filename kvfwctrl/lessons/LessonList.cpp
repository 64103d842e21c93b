#include "kvfwctrl/lessons/LessonList.h"
#include "kvstruct/files/Paths.h"
#include "kvstruct/files/FileAccess.h"
#include "kvstruct/sys/Handles.h"
#include "kvstruct/core/TextCopy.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cwchar>
#include <string>

namespace KV {

namespace {

// Folder links could loop; real lesson trees are shallow.
const int kMaxDepth = 16;

struct Found
{
    std::wstring name;
    bool folder;
};

// Joins base, relative and name like PathAppendW; "" when the result does not fit.
std::wstring Join(const wchar_t* base, const wchar_t* relative, const wchar_t* name)
{
    wchar_t tmp[MAX_PATH] = {0};
    if (!base || wcslen(base) >= MAX_PATH)
        return std::wstring();
    wcscpy(tmp, base);
    if (relative && relative[0] && !::PathAppendW(tmp, relative))
        return std::wstring();
    if (name && name[0] && !::PathAppendW(tmp, name))
        return std::wstring();
    return tmp;
}

// The entries of a folder matching pattern, sorted as Windows lists them; false when the
// search finds nothing at all.
bool ListFolder(const std::wstring& folder, const wchar_t* pattern, std::vector<Found>& found, size_t limit)
{
    found.clear();
    if (folder.empty())
        return false;
    std::wstring search = folder + L"\\" + pattern;
    WIN32_FIND_DATAW fd;
    CFindHandle h(::FindFirstFileW(search.c_str(), &fd));
    if (!h.IsValid())
        return false;
    do
    {
        if (!wcscmp(fd.cFileName, L".") || !wcscmp(fd.cFileName, L".."))
            continue;
        bool isFolder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder && (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        found.push_back({fd.cFileName, isFolder});
    } while (::FindNextFileW(h, &fd));
    h.Reset();
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return CompareFileNames(a.name.c_str(), b.name.c_str()) < 0;
    });
    if (found.size() > limit)
        found.resize(limit);
    return true;
}

std::wstring WithoutExtension(const std::wstring& name)
{
    std::vector<wchar_t> tmp(name.begin(), name.end());
    tmp.push_back(0);
    ::PathRemoveExtensionW(tmp.data());
    return tmp.data();
}

std::wstring TrimSlashes(const wchar_t* text)
{
    std::wstring s = text ? text : L"";
    while (!s.empty() && s.back() == L'\\')
        s.pop_back();
    return s;
}

} // namespace

CLessonList::CLessonList() : m_pLangTable(nullptr), m_nCP(1252) {}

CLessonList::~CLessonList()
{
    Clear();
}

const wchar_t* CLessonList::GetPathUser(wchar_t* buffer, size_t size) const
{
    if (!buffer || size == 0)
        return L"";
    buffer[0] = 0;
    if (m_sBasePath.IsEmpty() || m_sPathUser.IsEmpty())
        return buffer;
    std::wstring path = Join(m_sBasePath, m_sPathUser, kUser);
    CopyToBuffer(buffer, size, path.c_str());
    return buffer;
}

const wchar_t* CLessonList::GetLocalFolder(const wchar_t* klid, wchar_t* buffer, size_t size)
{
    if (!buffer || size == 0)
        return L"";
    static const wchar_t* const kEnglish[] = {L"00000409", L"00000809", L"00010409",
                                              L"00020409", L"00030409", L"00040409"};
    bool english = false;
    for (const wchar_t* k : kEnglish)
        english = english || (klid && !wcscmp(klid, k));
    std::wstring folder = kLocalLanguage;
    if (english)
        folder += L"En";
    else if (klid && wcslen(klid) <= 8)
        folder += klid;
    CopyToBuffer(buffer, size, folder.c_str());
    return buffer;
}

CLesson* CLessonList::AddFolderEntry(const wchar_t* name)
{
    CLesson* entry = new CLesson(this);
    entry->SetLessonName(name, true);
    entry->SetLessonNameSys(name);
    m_list.push_back(entry);
    return entry;
}

CLesson* CLessonList::LoadCurrent(const wchar_t* relative, const wchar_t* section)
{
    if (!section || !section[0])
        return nullptr;
    std::vector<Found> found;
    if (!ListFolder(Join(m_sBasePath, relative, section), L"*.*", found, kMaxFolderLessons))
        return nullptr;
    CLesson* entry = AddFolderEntry(section);
    for (const Found& f : found)
    {
        if (f.folder)
            continue;
        std::wstring name = WithoutExtension(f.name);
        CLesson* lesson = new CLesson(this);
        lesson->SetLessonNameSys(name.c_str());
        lesson->SetLessonName(name.c_str(), false);
        lesson->SetRelPath(relative);
        lesson->SetParentName(section);
        m_list.push_back(lesson);
    }
    return entry;
}

int CLessonList::LoadRecursive(const wchar_t* relative, const wchar_t* folder)
{
    return LoadRecursive(relative, folder, 0);
}

int CLessonList::LoadRecursive(const wchar_t* relative, const wchar_t* folder, int depth)
{
    if (depth > kMaxDepth || !folder || !folder[0])
        return 0;
    std::vector<Found> found;
    if (!ListFolder(Join(m_sBasePath, relative, folder), L"*.txt", found, kMaxFolderLessons))
        return 0;
    int any = 0;
    for (const Found& f : found)
    {
        if (f.folder)
        {
            AddFolderEntry(f.name.c_str());
            // The inner folder lies in this one: its lessons are relative to relative\folder.
            std::wstring inner = TrimSlashes(relative);
            if (!inner.empty())
                inner += L"\\";
            inner += folder;
            if (LoadRecursive(inner.c_str(), f.name.c_str(), depth + 1))
                any = 1;
            continue;
        }
        std::wstring name = WithoutExtension(f.name);
        CLesson* lesson = new CLesson(this);
        lesson->SetLessonNameSys(name.c_str());
        lesson->SetLessonName(name.c_str(), false);
        lesson->SetRelPath(relative);
        lesson->SetParentName(folder);
        m_list.push_back(lesson);
    }
    return any;
}

int CLessonList::LoadCourse(const wchar_t* localFolder)
{
    std::wstring standard = std::wstring(kMultiLanguage) + kStandart;
    struct Section
    {
        const wchar_t* name;
        bool local;
    };
    static const Section kSections[] = {{L"Letter", false}, {L"Syllable", true},     {L"Capital", false},
                                        {L"Words", true},   {L"DigitSymbol", false}, {L"Text", true},
                                        {L"Addition", true}};
    int sections = 0;
    for (const Section& s : kSections)
    {
        CLesson* entry = LoadCurrent(s.local ? localFolder : standard.c_str(), s.name);
        if (!entry)
            continue;
        ++sections;
        if (!wcscmp(s.name, L"Addition"))
            entry->SetSection(2);
    }
    return sections;
}

void CLessonList::Clear()
{
    for (CLesson* lesson : m_list)
        delete lesson;
    m_list.clear();
}

unsigned long CLessonList::Add(CLesson* lesson)
{
    if (!lesson)
        return GetCount();
    m_list.push_back(lesson);
    return GetCount() - 1;
}

CLesson* CLessonList::Get(unsigned long id) const
{
    return id < m_list.size() ? m_list[id] : nullptr;
}

int CLessonList::GetSection(unsigned long id) const
{
    CLesson* lesson = Get(id);
    return lesson ? lesson->GetSection() : 0;
}

const wchar_t* CLessonList::GetTextW(unsigned long id, unsigned long offset) const
{
    CLesson* lesson = Get(id);
    return lesson ? lesson->GetTextW(offset) : nullptr;
}

const char* CLessonList::GetTextA(unsigned long id, unsigned long offset) const
{
    CLesson* lesson = Get(id);
    return lesson ? lesson->GetTextA(offset) : nullptr;
}

unsigned short CLessonList::GetLength(unsigned long id) const
{
    CLesson* lesson = Get(id);
    return lesson ? lesson->GetLength() : 0;
}

void CLessonList::GetUniSymbols(unsigned long id, wchar_t* buffer, size_t size) const
{
    CLesson* lesson = Get(id);
    if (lesson && lesson->GetSection() == 0)
        lesson->GetUniSymbols(buffer, size);
}

void CLessonList::GetUniSymbols(unsigned long id, wchar_t* buffer) const
{
    CLesson* lesson = Get(id);
    if (lesson && lesson->GetSection() == 0)
        lesson->GetUniSymbols(buffer);
}

void CLessonList::RemoveText(unsigned long id) const
{
    if (CLesson* lesson = Get(id))
        lesson->RemoveText();
}

void CLessonList::SetUpdateFlag() const
{
    for (CLesson* lesson : m_list)
        lesson->SetUpdateFlag();
}

unsigned long CLessonList::GetNextID(unsigned long id) const
{
    unsigned long n = GetCount();
    if (n <= 1)
        return id;
    for (unsigned long i = id + 1; i < n && i > id; ++i)
        if (m_list[i]->GetSection() == 0)
            return i;
    return id;
}

unsigned long CLessonList::GetPrevID(unsigned long id) const
{
    unsigned long n = GetCount();
    if (n <= 1)
        return id;
    unsigned long i = id < n ? id : n;
    while (i > 0)
    {
        --i;
        if (m_list[i]->GetSection() == 0)
            return i;
    }
    return id;
}

unsigned long CLessonList::GetLastID() const
{
    for (unsigned long i = GetCount(); i > 1; --i)
        if (m_list[i - 1]->GetSection() == 0)
            return i - 1;
    return 0;
}

int CLessonList::NewFolder() const
{
    std::wstring folder = Join(m_sBasePath, m_sPathUser, nullptr);
    if (m_sBasePath.IsEmpty() || folder.empty())
        return 0;
    int rc = ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return rc == ERROR_SUCCESS || rc == ERROR_ALREADY_EXISTS || rc == ERROR_FILE_EXISTS ? 1 : 0;
}

int CLessonList::NewLesson(const wchar_t* fileName) const
{
    if (!fileName || !fileName[0] || !wcscmp(fileName, L".") || !wcscmp(fileName, L"..") ||
        wcspbrk(fileName, L"\\/:*?\"<>|"))
        return 0; // the file stays inside the user's folder
    wchar_t folder[MAX_PATH] = {0};
    if (!GetPathUser(folder, MAX_PATH)[0])
        return 0;
    if (!rxPathFileExists(folder))
    {
        NewFolder();
        ReviseFolder(folder); // the "User" folder itself
    }
    std::wstring path = Join(folder, nullptr, fileName);
    if (path.empty())
        return 0;
    if (rxPathFileExists(path.c_str()))
        return 1; // never empty an existing lesson
    return CFileHandle(OpenFileWrite(path.c_str())).IsValid() ? 1 : 0;
}

} // namespace KV
