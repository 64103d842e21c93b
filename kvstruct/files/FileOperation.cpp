#include "kvstruct/files/FileOperation.h"
#include "kvstruct/sys/Handles.h"
#include "kvstruct/files/Paths.h"
#include "kvstruct/files/ShellFiles.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <vector>

namespace KV {

namespace {

// Deep enough for any real tree, and safe against folder links that loop.
const int kMaxDepth = 16;

struct FoundEntry
{
    std::wstring name;
    bool folder;
};

} // namespace

CFileOperation::CFileOperation() : m_count(0) {}

CFileOperation::CFileOperation(const CFileOperation& other) : m_count(0)
{
    *this = other;
}

CFileOperation& CFileOperation::operator=(const CFileOperation& other)
{
    if (this != &other)
    {
        m_count = other.m_count;
        for (unsigned long i = 0; i < kMaxEntries; ++i)
        {
            m_paths[i] = other.m_paths[i];
            m_names[i] = other.m_names[i];
        }
    }
    return *this;
}

CFileOperation::~CFileOperation() = default;

void CFileOperation::Clear()
{
    m_count = 0;
}

unsigned long CFileOperation::Load(const wchar_t* folder, const wchar_t* extension, int keepExtension)
{
    if (!folder || !folder[0] || !extension)
        return 0;
    return LoadFolder(folder, extension, keepExtension, 0);
}

unsigned long CFileOperation::LoadFolder(const std::wstring& folder, const wchar_t* extension,
                                         int keepExtension, int depth)
{
    if (depth > kMaxDepth || m_count >= kMaxEntries)
        return 0;
    std::wstring pattern = folder + L"\\*" + extension;
    WIN32_FIND_DATAW fd;
    CFindHandle h(::FindFirstFileW(pattern.c_str(), &fd));
    if (!h.IsValid())
        return 0;
    std::vector<FoundEntry> found;
    do
    {
        if (!wcscmp(fd.cFileName, L".") || !wcscmp(fd.cFileName, L".."))
            continue;
        bool isFolder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder && (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            continue; // links could lead outside the folder or round in circles
        found.push_back({fd.cFileName, isFolder});
    } while (::FindNextFileW(h, &fd));
    h.Reset();

    // The host file system may list names in any order; keep the order Windows shows.
    std::sort(found.begin(), found.end(), [](const FoundEntry& a, const FoundEntry& b) {
        return CompareFileNames(a.name.c_str(), b.name.c_str()) < 0;
    });

    unsigned long added = 0;
    for (const FoundEntry& e : found)
    {
        if (m_count >= kMaxEntries)
            break;
        if (e.folder)
        {
            added += LoadFolder(folder + L"\\" + e.name, extension, 0, depth + 1);
            continue;
        }
        const wchar_t* at = extension[0] ? wcsstr(e.name.c_str(), extension) : nullptr;
        if (extension[0] && !at)
            continue;
        m_paths[m_count] = folder + L"\\" + e.name;
        m_names[m_count] =
            keepExtension || !at ? e.name : e.name.substr(0, static_cast<size_t>(at - e.name.c_str()));
        ++m_count;
        ++added;
    }
    return added;
}

const wchar_t* CFileOperation::GetPath(unsigned long index) const
{
    return index < m_count ? m_paths[index].c_str() : L"";
}

const wchar_t* CFileOperation::GetName(unsigned long index) const
{
    return index < m_count ? m_names[index].c_str() : L"";
}

long CFileOperation::Find(const wchar_t* name) const
{
    if (!name)
        return -1;
    for (unsigned long i = 0; i < m_count; ++i)
        if (m_names[i] == name)
            return static_cast<long>(i);
    return -1;
}

} // namespace KV
