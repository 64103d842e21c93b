#include "app/sound/SoundSys.h"
#include "kvstruct/files/Paths.h"

#include <cwchar>

void GetSoundFolderW(wchar_t* buffer)
{
    if (!KV::GetPathToExeW(buffer, MAX_PATH) || wcslen(buffer) + 6 >= MAX_PATH)
        buffer[0] = 0;
    else
        wcscat(buffer, L"Sound\\");
}

CSoundSys::CSoundSys() : m_bSwitch(1), m_pSwitch(&m_bSwitch)
{
    wchar_t path[MAX_PATH];
    GetSoundFolderW(path);
    SetPath(path);
    CSoundSys::SetDefault();
}

CSoundSys::CSoundSys(const CSoundSys& other)
    : KV::CSoundSystem(other), m_bSwitch(other.m_bSwitch),
      m_pSwitch(other.m_pSwitch == &other.m_bSwitch ? &m_bSwitch : other.m_pSwitch)
{}

CSoundSys& CSoundSys::operator=(const CSoundSys& other)
{
    KV::CSoundSystem::operator=(other);
    m_bSwitch = other.m_bSwitch;
    m_pSwitch = other.m_pSwitch == &other.m_bSwitch ? &m_bSwitch : other.m_pSwitch;
    return *this;
}

int CSoundSys::Play(unsigned short id)
{
    if (!IsOn())
        return 1;
    return KV::CSoundSystem::Play(id);
}

void CSoundSys::SetDefault()
{
    Clear();
    Add(SoundClick, L"click-1.ogg");
    Add(SoundTool, L"click-2.ogg");
    Add(SoundAlarm, L"alarm-3.ogg");
}

int CSoundSys::LoadIfOn()
{
    return IsOn() ? Load() : 1;
}

int CSoundSys::Serialize(std::istream& in)
{
    if (KV::CSoundSystem::Serialize(in))
        return 1;
    SetDefault();
    return 0;
}

int GetCommandSoundID(unsigned int commandId)
{
    switch (commandId)
    {
    case 3016:
    case 3017:
    case 3018:
    case 3023:
        return CSoundSys::SoundTool;
    case 3001:
    case 3003:
        return CSoundSys::SoundAlarm;
    case 607:
        return -1;
    default:
        return CSoundSys::SoundClick;
    }
}

int PlayCommandSound(CSoundSys* sounds, unsigned int commandId, int soundFlag)
{
    if (!sounds || !soundFlag)
        return 0;
    int id = GetCommandSoundID(commandId);
    if (id < 0)
        return 0;
    sounds->Play(static_cast<unsigned short>(id));
    return 1;
}

int PlayDialogCommandSound(CSoundSys* sounds, WPARAM wParam, int soundFlag)
{
    switch (HIWORD(wParam))
    {
    case 3:    // CBN_SETFOCUS, LBN_SELCANCEL
    case 4:    // CBN_KILLFOCUS, LBN_SETFOCUS
    case 10:   // CBN_SELENDCANCEL
    case 256:  // EN_SETFOCUS
    case 512:  // EN_KILLFOCUS
    case 768:  // EN_CHANGE
    case 1024: // EN_UPDATE
        return 0;
    default:
        return PlayCommandSound(sounds, LOWORD(wParam), soundFlag);
    }
}

int PlayDialogNotifySound(CSoundSys* sounds, const NMHDR* header, int soundFlag)
{
    if (!sounds || !header || !soundFlag)
        return 0;
    if (header->code != static_cast<UINT>(NM_CLICK) && header->code != static_cast<UINT>(TVN_SELCHANGEDW))
        return 0;
    sounds->Play(CSoundSys::SoundClick);
    return 1;
}
