#include "kvstruct/files/IniTable.h"
#include "kvstruct/sys/Handles.h"
#include "kvstruct/files/FileAccess.h"
#include "kvstruct/sys/MsgBox.h"
#include "kvstruct/files/SafeFile.h"

#include <windows.h>

#include <cwchar>

namespace KV {

namespace {

// Only the head of a file is read.
const DWORD kMaxFileBytes = 64000;

// Reads at most kMaxFileBytes; false when the read fails.
bool ReadHead(HANDLE h, std::string& data)
{
    data.assign(kMaxFileBytes, '\0');
    DWORD got = 0;
    if (!::ReadFile(h, &data[0], kMaxFileBytes, &got, nullptr))
    {
        data.clear();
        return false;
    }
    data.resize(got);
    return true;
}

// Opens path (with the warning on failure) and reads its head; false only when it cannot be
// opened. A failed read leaves data empty.
bool ReadFileHead(const wchar_t* path, std::string& data)
{
    CFileHandle h(OpenFileRead(path));
    if (!h.IsValid())
        return false;
    ReadHead(h, data);
    return true;
}

// ANSI text of at most maxBytes bytes, cut at a whole character.
std::string ToAnsiCut(const std::wstring& text, size_t maxBytes)
{
    std::string out;
    char piece[8];
    for (size_t i = 0; i < text.size(); ++i)
    {
        int units = 1;
        if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size())
            units = 2;
        int n = ::WideCharToMultiByte(CP_ACP, 0, &text[i], units, piece, sizeof piece, nullptr, nullptr);
        if (n <= 0)
            n = 0;
        if (out.size() + static_cast<size_t>(n) > maxBytes)
            break;
        out.append(piece, static_cast<size_t>(n));
        i += static_cast<size_t>(units - 1);
    }
    return out;
}

} // namespace

CIniTable::CIniTable() = default;
CIniTable::CIniTable(const CIniTable& other) = default;
CIniTable& CIniTable::operator=(const CIniTable& other) = default;
CIniTable::~CIniTable() = default;

int CIniTable::Load_UTF16(const wchar_t* path)
{
    std::string data;
    if (!ReadFileHead(path, data))
        return 0;
    Clear();
    std::wstring text(data.size() / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(static_cast<unsigned char>(data[2 * i]) |
                                       (static_cast<unsigned char>(data[2 * i + 1]) << 8));
    Parse(text.c_str(), text.size(), false);
    return 1;
}

int CIniTable::Load_ANSII(const wchar_t* path)
{
    std::string data;
    if (!ReadFileHead(path, data))
        return 0;
    Clear();
    std::wstring text;
    if (!data.empty())
    {
        int n = ::MultiByteToWideChar(CP_ACP, 0, data.data(), static_cast<int>(data.size()), nullptr, 0);
        if (n > 0)
        {
            text.assign(static_cast<size_t>(n), L'\0');
            ::MultiByteToWideChar(CP_ACP, 0, data.data(), static_cast<int>(data.size()), &text[0], n);
        }
    }
    Parse(text.c_str(), text.size(), true);
    return 1;
}

void CIniTable::Parse(const wchar_t* text, size_t length, bool cutTo259)
{
    std::wstring collected;
    std::wstring key;
    bool inSection = false;
    bool skipSpaces = false;
    auto add = [&](const std::wstring& name, const std::wstring& value, bool section) {
        Entry e{name, value, section};
        if (cutTo259)
        {
            if (e.name.size() > 259)
                e.name.resize(259);
            if (e.value.size() > 259)
                e.value.resize(259);
        }
        m_entries.push_back(e);
    };
    // A zero character ends the data, as the end of the read does.
    size_t end = 0;
    while (end < length && text[end])
        ++end;
    for (size_t i = 0; i <= end; ++i)
    {
        wchar_t c = i < end ? text[i] : L'\r';
        if (c == L'\n' || (c == L' ' && skipSpaces))
            continue;
        if (!inSection && c == L'[' && i < end)
        {
            inSection = true;
            collected += c;
        }
        else if (inSection && c != L']' && i < end)
            collected += c;
        else if (inSection && c == L']')
        {
            collected += c;
            inSection = false;
            skipSpaces = true;
            add(collected, L"H", true);
            collected.clear();
            ++i; // the character after "]" (normally the CR)
        }
        else if (c == L'=' && i < end)
        {
            key = collected;
            collected.clear();
            ++i; // the character after "=" (normally a space)
            skipSpaces = false;
        }
        else if (c == L'\r')
        {
            if (!collected.empty())
            {
                add(key, collected, false);
                collected.clear();
                key.clear();
                skipSpaces = true;
            }
        }
        else
            collected += c;
    }
}

std::string CIniTable::FormatANSII() const
{
    std::string out;
    for (const Entry& e : m_entries)
    {
        if (e.section && !out.empty())
            out += "\r\n";
        if (!out.empty())
            out += "\r\n";
        out += ToAnsiCut(e.name, 260);
        if (!e.section)
        {
            out += " = ";
            out += ToAnsiCut(e.value, 260);
        }
    }
    return out;
}

int CIniTable::Save_ANSII(const wchar_t* path) const
{
    CSafeOutFile file;
    if (!file.Open(path))
    {
        ShowFileWarning(1, path, ::GetLastError());
        return 0;
    }
    std::string bytes = FormatANSII();
    file.Stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.Commit())
    {
        ShowFileWarning(1, path, ::GetLastError());
        return 0;
    }
    return 1;
}

const CIniTable::Entry* CIniTable::Find(const wchar_t* name) const
{
    if (!name)
        return nullptr;
    for (const Entry& e : m_entries)
        if (e.name == name)
            return &e;
    return nullptr;
}

const wchar_t* CIniTable::GetW(const wchar_t* key) const
{
    const Entry* e = Find(key);
    return e ? e->value.c_str() : L"";
}

std::wstring CIniTable::_GetW(const wchar_t* key) const
{
    return GetW(key);
}

int CIniTable::IsKey(const wchar_t* key) const
{
    return Find(key) ? 1 : 0;
}

int CIniTable::IsSection(const wchar_t* name) const
{
    return IsKey(name);
}

int CIniTable::IsKey(const wchar_t* key, const wchar_t* value) const
{
    const Entry* e = Find(key);
    if (!e)
        return -1;
    return e->value == (value ? value : L"") ? 1 : 0;
}

int CIniTable::Set(const wchar_t* key, const wchar_t* value)
{
    if (!value)
        return 0;
    Entry* e = const_cast<Entry*>(Find(key));
    if (!e)
        return 0;
    e->value = value;
    return 1;
}

int CIniTable::Set(const wchar_t* key, const std::wstring& value)
{
    return Set(key, value.c_str());
}

void CIniTable::CreateSection(const wchar_t* name)
{
    m_entries.push_back({name ? name : L"", L"H", true});
}

void CIniTable::CreateKey(const wchar_t* key, const wchar_t* value)
{
    m_entries.push_back({key ? key : L"", value ? value : L"", false});
}

void CIniTable::CreateKey(const wchar_t* key, const std::wstring& value)
{
    m_entries.push_back({key ? key : L"", value, false});
}

void CIniTable::Clear()
{
    m_entries.clear();
}

const wchar_t* CIniTable::GetName(unsigned long index) const
{
    return index < m_entries.size() ? m_entries[index].name.c_str() : L"";
}

const wchar_t* CIniTable::GetValue(unsigned long index) const
{
    return index < m_entries.size() ? m_entries[index].value.c_str() : L"";
}

bool CIniTable::IsSectionEntry(unsigned long index) const
{
    return index < m_entries.size() && m_entries[index].section;
}

} // namespace KV
