#pragma once
// The user header: who the user is (nick, full name, description, avatar) and the ID that
// names the user's files.
#include "kvstruct/core/CString.h"

#include <istream>
#include <ostream>

class CHeaderDoc
{
public:
    // Empty values take the defaults: "Guest" texts, the "1-heart" avatar, a new UUID.
    CHeaderDoc(const wchar_t* nick = L"", const wchar_t* fullName = L"", const wchar_t* description = L"",
               const wchar_t* avatar = L"", const wchar_t* id = L"");
    CHeaderDoc(const CHeaderDoc&) = default;
    CHeaderDoc& operator=(const CHeaderDoc&) = default;
    virtual ~CHeaderDoc();

    // Reads the header record at the start of a user file; 1 when it was read whole.
    virtual int Load(const wchar_t* path);
    // Record version 2: nick, full name, description, avatar, user ID.
    virtual void Serialize(std::ostream& out) const;
    // 0 for a refused version 0 (the user is told) or a record cut short; the header then
    // keeps what it had before the call.
    virtual int Serialize(std::istream& in);

    const wchar_t* GetNick() const { return m_sNick; }
    const wchar_t* GetFullName() const { return m_sFullName; }
    const wchar_t* GetDescription() const { return m_sDescription; }
    const wchar_t* GetAvatar() const { return m_sAvatar; }
    const wchar_t* GetID() const { return m_sID; }
    // The base name of the user's files: the ID, which becomes the nick when it is empty.
    const wchar_t* GetFileName();

    void SetID(const wchar_t* id) { m_sID = id ? id : L""; }
    // As typed, empty included (the wizard edits the header in place).
    void SetNick(const wchar_t* nick) { m_sNick = nick ? nick : L""; }
    void SetFullName(const wchar_t* name) { m_sFullName = name ? name : L""; }
    void SetDescription(const wchar_t* text) { m_sDescription = text ? text : L""; }

    // A new UUID in its string form; empty when the system cannot make one.
    static KV::CString NewUUID();

private:
    KV::CString m_sNick;
    KV::CString m_sFullName;
    KV::CString m_sDescription;
    KV::CString m_sAvatar;
    KV::CString m_sID;
};
