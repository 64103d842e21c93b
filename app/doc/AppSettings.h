#pragma once
// The program's settings file "fingerwaltz.ini" beside the program: the wizard flag, the
// current user, the user folder and the lesson root, each in its own section. Every access
// opens the file afresh and first creates or completes it.
#include "app/doc/UserSettings.h"

#include <string>

class CAppSettings : public CUserSettings
{
public:
    // programFolder ends with a backslash.
    explicit CAppSettings(const std::wstring& programFolder);

    std::wstring GetValue(const wchar_t* key) const { return Get(key); }
    // Writes the key into its own section.
    int SetValue(const wchar_t* key, const wchar_t* value);
    bool HasValue(const wchar_t* key, const wchar_t* value) const
    {
        return Get(key) == (value ? value : L"");
    }

    std::wstring GetLessonPath() const { return Get(L"LessonPath"); }
    // "ShowWizard" is compared as text: only "1" runs the wizard.
    bool IsWizardDue() const { return HasValue(L"ShowWizard", L"1"); }
    // The user a new settings file names; a fresh ID unless set.
    void SetFirstUser(const wchar_t* id) { m_firstUser = id ? id : L""; }
    const std::wstring& GetSettingsPath() const { return m_settingsPath; }
    const std::wstring& GetProgramFolder() const { return m_folder; }

    // The section holding key; null for unknown keys.
    static const wchar_t* SectionOf(const wchar_t* key);

protected:
    void Prepare() const override;

private:
    std::wstring m_folder;
    std::wstring m_firstUser;
};
