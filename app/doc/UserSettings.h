#pragma once
// The two settings the user operations need: the user folder ("UserPath") and the current
// user ("User"), kept in the program's settings file.
#include <string>

class CUserSettings
{
public:
    // settingsPath: the settings file; defaultUserPath: the folder used when "UserPath"
    // names none that exists.
    CUserSettings(const wchar_t* settingsPath, const wchar_t* defaultUserPath);
    virtual ~CUserSettings();

    virtual std::wstring GetUserPath() const;
    // "UserPath" := the default folder, which is created. 1 on success.
    virtual int ResetUserPath();
    // "UserPath" := folder (which exists). 1 on success.
    virtual int SetUserPath(const wchar_t* folder);
    // "LessonPath": the lesson folder; empty when none is set.
    virtual std::wstring GetLessonPath() const;
    virtual int SetLessonPath(const wchar_t* folder);
    virtual std::wstring GetUser() const;
    virtual int SetUser(const wchar_t* id);

protected:
    // Runs before every read and write of the file: a place to create or complete it.
    virtual void Prepare() const {}
    std::wstring Get(const wchar_t* key) const;
    int Set(const wchar_t* section, const wchar_t* key, const wchar_t* value);

    std::wstring m_settingsPath;
    std::wstring m_defaultUserPath;
};
