#include "app/sound/SoundSet.h"
#include "kvstruct/files/Paths.h"

#include <windows.h>
#include <cwchar>

void GetSoundFolderW(wchar_t* buffer)
{
    if (!KV::GetPathToExeW(buffer, MAX_PATH) || wcslen(buffer) + 6 >= MAX_PATH)
        buffer[0] = 0;
    else
        wcscat(buffer, L"Sound\\");
}

CSoundSet::CSoundSet() : m_bSwitch(1), m_pSwitch(&m_bSwitch)
{
    wchar_t path[MAX_PATH];
    GetSoundFolderW(path);
    SetPath(path);
}

CSoundSet::CSoundSet(const CSoundSet& other)
    : KV::CSoundSystem(other), m_bSwitch(other.m_bSwitch),
      m_pSwitch(other.m_pSwitch == &other.m_bSwitch ? &m_bSwitch : other.m_pSwitch)
{}

CSoundSet& CSoundSet::operator=(const CSoundSet& other)
{
    KV::CSoundSystem::operator=(other);
    m_bSwitch = other.m_bSwitch;
    m_pSwitch = other.m_pSwitch == &other.m_bSwitch ? &m_bSwitch : other.m_pSwitch;
    return *this;
}

int CSoundSet::Play(unsigned short id)
{
    if (!IsOn())
        return 1;
    OpenIfOn();
    return KV::CSoundSystem::Play(id);
}

void CSoundSet::OpenIfOn()
{
    if (IsOn() && !GetpSystem() && !m_bNoDevice && !Create())
        m_bNoDevice = true;
}

int CSoundSet::LoadIfOn()
{
    return IsOn() ? Load() : 1;
}

int CSoundSet::Serialize(std::istream& in)
{
    if (KV::CSoundSystem::Serialize(in))
        return 1;
    SetDefault();
    return 0;
}
