#pragma once
// The operations on the users of the user folder: list, open, create, select, edit, delete.
// Each returns 1 on success or one of the codes below.
#include "app/doc/HeaderDoc.h"

#include <string>
#include <vector>

class CWaltzDoc;
class CUserSettings;

class CUserManager
{
public:
    enum : int {
        Done = 1,
        NothingToDo = 0,
        NoPath = -2,
        UserExists = -4,
        NotWritten = -5,
        NotDeleted = -6,
        NotRead = -7,
        NoUser = -8,
    };

    CUserManager(CWaltzDoc& doc, CUserSettings& settings);

    // The user folder's ".sta" files in name order, each with its header; the ID of an entry
    // is its file's base name. Rebuilt on every call.
    const std::vector<CHeaderDoc>& ListUsers();
    // Makes user id the document's user; converts an old ".usr" of it first.
    int OpenUser(const wchar_t* id);
    int CreateUser(const wchar_t* nick, const wchar_t* fullName, const wchar_t* description,
                   const wchar_t* avatar, const wchar_t* id = L"");
    // Writes the user's ID as the current user; the caller then opens it.
    int SelectUser(unsigned long index);
    // The user keeps its ID whatever the new header says.
    int EditUser(unsigned long index, const CHeaderDoc& header);
    // Another user becomes current first (a new Guest when it was the only one).
    int DeleteUser(unsigned long index);

    // The current user's three files.
    int SaveCurrent();
    // UserPath\id + extension (".sta", ".opt", ".pla", ".usr").
    std::wstring UserFile(const wchar_t* id, const wchar_t* extension) const;
    static std::wstring UserFile(std::wstring folder, const wchar_t* id, const wchar_t* extension);

private:
    int SaveAs(CWaltzDoc& doc, const wchar_t* id);
    int LoadAs(CWaltzDoc& doc, const wchar_t* id);
    int ConvertOldUser(const wchar_t* id);

    CWaltzDoc& m_doc;
    CUserSettings& m_settings;
    std::vector<CHeaderDoc> m_users;
};
