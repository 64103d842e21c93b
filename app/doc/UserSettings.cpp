#include "app/doc/UserSettings.h"
#include "kvstruct/kvstruct.h"
#include "kvstruct/files/IniTable.h"

CUserSettings::CUserSettings(const wchar_t* settingsPath, const wchar_t* defaultUserPath)
    : m_settingsPath(settingsPath ? settingsPath : L""),
      m_defaultUserPath(defaultUserPath ? defaultUserPath : L"")
{}

CUserSettings::~CUserSettings() = default;

std::wstring CUserSettings::Get(const wchar_t* key) const
{
    Prepare();
    KV::CIniTable table;
    if (!KV::rxPathFileExists(m_settingsPath.c_str()) || !table.Load_ANSII(m_settingsPath.c_str()))
        return std::wstring();
    return table._GetW(key);
}

int CUserSettings::Set(const wchar_t* section, const wchar_t* key, const wchar_t* value)
{
    Prepare();
    KV::CIniTable table;
    if (KV::rxPathFileExists(m_settingsPath.c_str()) && !table.Load_ANSII(m_settingsPath.c_str()))
        return 0;
    if (!table.IsKey(key))
    {
        if (!table.IsSection(section))
            table.CreateSection(section);
        table.CreateKey(key, value);
    }
    else
        table.Set(key, value);
    return table.Save_ANSII(m_settingsPath.c_str());
}

std::wstring CUserSettings::GetUserPath() const
{
    return Get(L"UserPath");
}

int CUserSettings::ResetUserPath()
{
    if (!KV::ReviseFolder(m_defaultUserPath.c_str()))
        return 0;
    return Set(L"[PathToUserData]", L"UserPath", m_defaultUserPath.c_str());
}

int CUserSettings::SetUserPath(const wchar_t* folder)
{
    return folder && folder[0] ? Set(L"[PathToUserData]", L"UserPath", folder) : 0;
}

std::wstring CUserSettings::GetLessonPath() const
{
    return Get(L"LessonPath");
}

int CUserSettings::SetLessonPath(const wchar_t* folder)
{
    return folder && folder[0] ? Set(L"[PathToLessons]", L"LessonPath", folder) : 0;
}

std::wstring CUserSettings::GetUser() const
{
    return Get(L"User");
}

int CUserSettings::SetUser(const wchar_t* id)
{
    return Set(L"[CurrentUser]", L"User", id ? id : L"");
}
