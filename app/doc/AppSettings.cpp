#include "app/doc/AppSettings.h"
#include "app/doc/HeaderDoc.h"
#include "kvstruct/files/IniTable.h"
#include "kvstruct/files/Paths.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>

namespace {

struct Setting
{
    const wchar_t* section;
    const wchar_t* key;
};

// In the order a new file lists them.
const Setting kSettings[] = {{L"[Wizard]", L"ShowWizard"},
                             {L"[CurrentUser]", L"User"},
                             {L"[PathToUserData]", L"UserPath"},
                             {L"[PathToLesson]", L"LessonPath"}};

bool HasNul(const std::wstring& path)
{
    HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char buffer[4096];
    DWORD read = 0;
    bool nul = false;
    while (!nul && ::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        nul = std::memchr(buffer, 0, read) != nullptr;
    ::CloseHandle(file);
    return nul;
}

} // namespace

CAppSettings::CAppSettings(const std::wstring& programFolder)
    : CUserSettings((programFolder + L"fingerwaltz.ini").c_str(), (programFolder + L"User").c_str()),
      m_folder(programFolder)
{}

const wchar_t* CAppSettings::SectionOf(const wchar_t* key)
{
    for (const Setting& s : kSettings)
        if (key && !std::wcscmp(key, s.key))
            return s.section;
    return nullptr;
}

int CAppSettings::SetValue(const wchar_t* key, const wchar_t* value)
{
    const wchar_t* section = SectionOf(key);
    return section ? Set(section, key, value ? value : L"") : 0;
}

void CAppSettings::Prepare() const
{
    const auto defaultOf = [this](const wchar_t* key) -> std::wstring {
        if (!std::wcscmp(key, L"ShowWizard"))
            return L"1";
        if (!std::wcscmp(key, L"User"))
            return m_firstUser.empty() ? std::wstring(CHeaderDoc::NewUUID().GetW()) : m_firstUser;
        if (!std::wcscmp(key, L"UserPath"))
            return m_folder + L"User";
        return m_folder + L"Lessons";
    };
    KV::CIniTable table;
    if (!KV::rxPathFileExists(m_settingsPath.c_str()))
    {
        // Without its folders the program runs without a settings file.
        if (!KV::ReviseFolder((m_folder + L"User").c_str()) ||
            !KV::ReviseFolder((m_folder + L"Lessons").c_str()))
            return;
        for (const Setting& s : kSettings)
        {
            table.CreateSection(s.section);
            table.CreateKey(s.key, defaultOf(s.key));
        }
        table.Save_ANSII(m_settingsPath.c_str());
        return;
    }
    // A file that is no text is kept aside before it is rebuilt.
    if (HasNul(m_settingsPath))
    {
        ::CopyFileW(m_settingsPath.c_str(), (m_settingsPath + L".damaged").c_str(), FALSE);
        ::DeleteFileW(m_settingsPath.c_str());
        Prepare();
        return;
    }
    if (!table.Load_ANSII(m_settingsPath.c_str()))
        return;
    // Keys are looked up by name alone, so a key added after another section still counts.
    for (const Setting& s : kSettings)
    {
        if (table.IsKey(s.key))
            continue;
        if (!table.IsSection(s.section))
            table.CreateSection(s.section);
        table.CreateKey(s.key, defaultOf(s.key));
        table.Save_ANSII(m_settingsPath.c_str());
    }
}
