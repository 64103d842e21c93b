#pragma once
// Flat key-value table of the language files (UTF-16) and the settings file (ANSI).
// Sections are entries too (name with its brackets, value "H"); the first entry of a name wins.
#include "kvstruct/kvstruct_api.h"

#include <string>
#include <vector>

namespace KV {

class KVSTRUCT_API CIniTable
{
public:
    CIniTable();
    CIniTable(const CIniTable& other);
    CIniTable& operator=(const CIniTable& other);
    virtual ~CIniTable();

    // 0 when the file cannot be opened (the user saw a warning; the table is unchanged);
    // otherwise the table is replaced by the file's entries and 1 returned.
    int Load_UTF16(const wchar_t* path);
    int Load_ANSII(const wchar_t* path);
    // Parses text already in memory (the loaders' second half).
    void Parse(const wchar_t* text, size_t length, bool cutTo259);
    // Writes the table as ANSI text; the previous file survives any failure. 1 on success.
    int Save_ANSII(const wchar_t* path) const;
    // The bytes Save_ANSII writes.
    std::string FormatANSII() const;

    // Value of the first entry with that name; "" when absent (never null).
    const wchar_t* GetW(const wchar_t* key) const;
    std::wstring _GetW(const wchar_t* key) const;
    int IsKey(const wchar_t* key) const;
    int IsSection(const wchar_t* name) const;
    // 1 same value, 0 other value, -1 no such entry.
    int IsKey(const wchar_t* key, const wchar_t* value) const;
    // Replaces the first entry's value; 0 (nothing added) when absent or value is null.
    int Set(const wchar_t* key, const wchar_t* value);
    int Set(const wchar_t* key, const std::wstring& value);
    void CreateSection(const wchar_t* name);
    void CreateKey(const wchar_t* key, const wchar_t* value);
    void CreateKey(const wchar_t* key, const std::wstring& value);

    void Clear();
    unsigned long GetCount() const { return static_cast<unsigned long>(m_entries.size()); }
    // "" past the end.
    const wchar_t* GetName(unsigned long index) const;
    const wchar_t* GetValue(unsigned long index) const;
    bool IsSectionEntry(unsigned long index) const;

private:
    struct Entry
    {
        std::wstring name;
        std::wstring value;
        bool section;
    };
    const Entry* Find(const wchar_t* name) const;

    std::vector<Entry> m_entries;
};

} // namespace KV
