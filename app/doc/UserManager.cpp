#include "app/doc/UserManager.h"
#include "app/doc/UserSettings.h"
#include "app/doc/WaltzDoc.h"
#include "kvstruct/kvstruct.h"

#include <windows.h>
#include <algorithm>
#include <cwctype>

namespace {

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool EndsWithSta(const std::wstring& name)
{
    if (name.size() <= 4)
        return false;
    std::wstring tail = name.substr(name.size() - 4);
    for (wchar_t& c : tail)
        c = static_cast<wchar_t>(std::towlower(c));
    return tail == L".sta";
}

// Deleting a file that is not there is no failure.
bool DeleteIfThere(const std::wstring& path)
{
    return ::DeleteFileW(path.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND;
}

} // namespace

CUserManager::CUserManager(CWaltzDoc& doc, CUserSettings& settings) : m_doc(doc), m_settings(settings) {}

std::wstring CUserManager::UserFile(const wchar_t* id, const wchar_t* extension) const
{
    return UserFile(m_settings.GetUserPath(), id, extension);
}

std::wstring CUserManager::UserFile(std::wstring folder, const wchar_t* id, const wchar_t* extension)
{
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        folder += L'\\';
    return folder + id + extension;
}

int CUserManager::SaveAs(CWaltzDoc& doc, const wchar_t* id)
{
    return doc.Save(UserFile(id, L".sta").c_str(), UserFile(id, L".opt").c_str(),
                    UserFile(id, L".pla").c_str());
}

int CUserManager::LoadAs(CWaltzDoc& doc, const wchar_t* id)
{
    return doc.Load(UserFile(id, L".sta").c_str(), UserFile(id, L".opt").c_str(),
                    UserFile(id, L".pla").c_str());
}

int CUserManager::SaveCurrent()
{
    return SaveAs(m_doc, m_doc.GetHeader().GetFileName());
}

const std::vector<CHeaderDoc>& CUserManager::ListUsers()
{
    m_users.clear();
    // The settings file is read once, not once per user.
    const std::wstring folder = m_settings.GetUserPath();
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW(UserFile(folder, L"*", L".sta").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
        {
            const std::wstring name = found.cFileName;
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && EndsWithSta(name))
                names.push_back(name.substr(0, name.size() - 4));
        } while (::FindNextFileW(find, &found));
        ::FindClose(find);
    }
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return KV::CompareFileNames(a.c_str(), b.c_str()) < 0;
    });
    for (const std::wstring& id : names)
    {
        CHeaderDoc header(id.c_str(), L"", L"", L"", id.c_str());
        // An unreadable header still lists the user, under its file name.
        header.Load(UserFile(folder, id.c_str(), L".sta").c_str());
        header.SetID(id.c_str());
        m_users.push_back(header);
    }
    return m_users;
}

int CUserManager::ConvertOldUser(const wchar_t* id)
{
    const std::wstring usr = UserFile(id, L".usr");
    if (!Exists(usr))
        return NothingToDo;
    if (!m_doc.LoadMainFile(usr.c_str()))
        return NotRead;
    m_doc.GetHeader().SetID(id);
    if (!SaveAs(m_doc, id))
        return NotWritten;
    // The old file goes only when the new ones read back whole.
    CWaltzDoc check;
    if (LoadAs(check, id) != 1 || !check.GetDamaged().empty())
        return NotRead;
    ::DeleteFileW(usr.c_str());
    return Done;
}

int CUserManager::OpenUser(const wchar_t* id)
{
    if (!id || !id[0])
        return NoPath;
    const std::wstring folder = m_settings.GetUserPath();
    if (folder.empty() || !KV::rxPathFileExists(folder.c_str()))
        m_settings.ResetUserPath();
    ConvertOldUser(id);
    if (!Exists(UserFile(id, L".sta")))
    {
        SaveCurrent();
        // The document becomes the new user instead of a copy of the one just saved.
        if (!Exists(UserFile(id, L".sta")))
            m_doc.SetHeader(CHeaderDoc(L"", L"", L"", L"", id));
    }
    const int loaded = LoadAs(m_doc, id);
    if (loaded != 1)
    {
        m_settings.SetUser(L"Guest");
        LoadAs(m_doc, id);
        return NotRead;
    }
    return Done;
}

int CUserManager::CreateUser(const wchar_t* nick, const wchar_t* fullName, const wchar_t* description,
                             const wchar_t* avatar, const wchar_t* id)
{
    CHeaderDoc header(nick, fullName, description, avatar, id);
    const wchar_t* name = header.GetFileName();
    if (Exists(UserFile(name, L".pla")) || Exists(UserFile(name, L".sta")))
        return UserExists;
    CWaltzDoc doc;
    doc.SetHeader(header);
    doc.GetOptions() = m_doc.GetOptions();
    doc.GetPlaces() = m_doc.GetPlaces();
    return SaveAs(doc, name) ? Done : NotWritten;
}

int CUserManager::SelectUser(unsigned long index)
{
    ListUsers();
    if (index >= m_users.size())
        return NoUser;
    const std::wstring id = m_users[index].GetID();
    if (id == m_settings.GetUser())
        return NothingToDo;
    return m_settings.SetUser(id.c_str()) ? Done : NotWritten;
}

int CUserManager::EditUser(unsigned long index, const CHeaderDoc& header)
{
    ListUsers();
    if (index >= m_users.size())
        return NoUser;
    const std::wstring id = m_users[index].GetID();
    CHeaderDoc edited(header);
    edited.SetID(id.c_str());
    CWaltzDoc doc;
    if (LoadAs(doc, id.c_str()) != 1)
        return NotRead;
    doc.SetHeader(edited);
    if (!SaveAs(doc, id.c_str()))
        return NotWritten;
    if (id == m_doc.GetHeader().GetID())
        m_doc.SetHeader(edited);
    return Done;
}

int CUserManager::DeleteUser(unsigned long index)
{
    ListUsers();
    if (index >= m_users.size())
        return NoUser;
    const std::wstring id = m_users[index].GetID();
    if (id == m_settings.GetUser() || id == m_doc.GetHeader().GetID())
    {
        // The document must not keep the user whose files go now: a later save would bring
        // them back.
        std::wstring next;
        if (index > 0)
            next = m_users[index - 1].GetID();
        else if (m_users.size() > 1)
            next = m_users[1].GetID();
        else
        {
            CHeaderDoc guest;
            if (CreateUser(L"", L"", L"", L"", guest.GetID()) != Done)
                return NotWritten;
            next = guest.GetID();
        }
        if (!m_settings.SetUser(next.c_str()) || OpenUser(next.c_str()) != Done)
            return NotRead;
    }
    for (const wchar_t* extension : {L".sta", L".opt", L".pla"})
        if (!DeleteIfThere(UserFile(id.c_str(), extension)))
            return NotDeleted;
    return Done;
}
