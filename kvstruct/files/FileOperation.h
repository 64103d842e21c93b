#pragma once
// The files of a folder tree that carry one extension: full paths and shown names.
#include "kvstruct/kvstruct_api.h"

#include <string>

namespace KV {

class KVSTRUCT_API CFileOperation
{
public:
    // Scans stop adding files when the tables are full.
    static const unsigned long kMaxEntries = 250;

    CFileOperation();
    CFileOperation(const CFileOperation& other);
    CFileOperation& operator=(const CFileOperation& other);
    virtual ~CFileOperation();

    // Sets the count to 0.
    void Clear();
    // Appends every file of folder named "*" + extension (extension with its dot, ".ini"),
    // names sorted case-insensitively per folder; matching sub-folders are scanned too (their
    // names always without extension). keepExtension 0 cuts a name at the extension.
    // Returns the number of files added by this call.
    unsigned long Load(const wchar_t* folder, const wchar_t* extension, int keepExtension);

    unsigned long GetCount() const { return m_count; }
    // "" past the count.
    const wchar_t* GetPath(unsigned long index) const;
    const wchar_t* GetName(unsigned long index) const;
    // Position of a name (exact match), -1 when absent.
    long Find(const wchar_t* name) const;

private:
    unsigned long LoadFolder(const std::wstring& folder, const wchar_t* extension, int keepExtension,
                             int depth);

    unsigned long m_count;
    std::wstring m_paths[kMaxEntries];
    std::wstring m_names[kMaxEntries];
};

} // namespace KV
