#include "app/doc/HeaderDoc.h"
#include "kvstruct/core/Serialize.h"
#include "kvstruct/sys/MsgBox.h"

#include <windows.h>
#include <rpc.h>
#include <fstream>

namespace {

bool IsGiven(const wchar_t* text)
{
    return text && text[0];
}

const wchar_t* OrDefault(const wchar_t* text, const wchar_t* fallback)
{
    return IsGiven(text) ? text : fallback;
}

} // namespace

CHeaderDoc::CHeaderDoc(const wchar_t* nick, const wchar_t* fullName, const wchar_t* description,
                       const wchar_t* avatar, const wchar_t* id)
    : m_sNick(OrDefault(nick, L"Guest")), m_sFullName(OrDefault(fullName, L"Guest")),
      m_sDescription(OrDefault(description, L"Guest")), m_sAvatar(OrDefault(avatar, L"1-heart"))
{
    if (IsGiven(id))
        m_sID = id;
    else
        m_sID = NewUUID();
    if (m_sID.IsEmpty())
        m_sID = m_sNick;
}

CHeaderDoc::~CHeaderDoc() = default;

int CHeaderDoc::Load(const wchar_t* path)
{
    if (!path || !path[0])
        return 0;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open())
        return 0;
    return Serialize(in);
}

void CHeaderDoc::Serialize(std::ostream& out) const
{
    KV::SerializeUS(out, 2);
    m_sNick.Serialize(out);
    m_sFullName.Serialize(out);
    m_sDescription.Serialize(out);
    m_sAvatar.Serialize(out);
    m_sID.Serialize(out);
}

int CHeaderDoc::Serialize(std::istream& in)
{
    const unsigned short version = KV::SerializeUS(in);
    if (in.fail())
        return 0;
    if (version == 0)
    {
        KV::ShowWarning(L"Wrong version file: *.usr");
        return 0;
    }
    KV::CString fields[5];
    for (int i = 0; i < (version >= 2 ? 5 : 4); ++i)
        fields[i].Serialize(in);
    if (in.fail())
        return 0;
    m_sNick = fields[0];
    m_sFullName = fields[1];
    m_sDescription = fields[2];
    m_sAvatar = fields[3];
    m_sID = fields[4];
    return 1;
}

const wchar_t* CHeaderDoc::GetFileName()
{
    if (m_sID.IsEmpty())
        m_sID = m_sNick;
    return m_sID;
}

KV::CString CHeaderDoc::NewUUID()
{
    UUID uuid;
    RPC_WSTR text = nullptr;
    KV::CString result;
    const RPC_STATUS made = ::UuidCreate(&uuid);
    if ((made == RPC_S_OK || made == RPC_S_UUID_LOCAL_ONLY) && ::UuidToStringW(&uuid, &text) == RPC_S_OK)
    {
        result = reinterpret_cast<const wchar_t*>(text);
        ::RpcStringFreeW(&text);
    }
    return result;
}
