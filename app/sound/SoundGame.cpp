#include "app/sound/SoundGame.h"
#include "app/sound/SoundSys.h"

CSoundGame::CSoundGame() : m_bSwitch(1), m_pSwitch(&m_bSwitch)
{
    wchar_t path[MAX_PATH];
    GetSoundFolderW(path);
    SetPath(path);
    CSoundGame::SetDefault();
}

CSoundGame::CSoundGame(const CSoundGame& other)
    : KV::CSoundSystem(other), m_bSwitch(other.m_bSwitch),
      m_pSwitch(other.m_pSwitch == &other.m_bSwitch ? &m_bSwitch : other.m_pSwitch)
{}

CSoundGame& CSoundGame::operator=(const CSoundGame& other)
{
    KV::CSoundSystem::operator=(other);
    m_bSwitch = other.m_bSwitch;
    m_pSwitch = other.m_pSwitch == &other.m_bSwitch ? &m_bSwitch : other.m_pSwitch;
    return *this;
}

int CSoundGame::Play(unsigned short id)
{
    if (!IsOn())
        return 1;
    return KV::CSoundSystem::Play(id);
}

void CSoundGame::SetDefault()
{
    Clear();
    Release();
    Add(SoundTimeout, L"alarm-2.ogg");
    Add(SoundError, L"alarm-1.ogg");
    Add(SoundShift, L"click-5.ogg");
    Add(SoundKey, L"click-4.ogg");
    Add(SoundPause, L"click-3.ogg");
    Add(SoundResultTop, L"sound-3.ogg");
    Add(SoundResultMid, L"sound-2.ogg");
    Add(SoundResultLow, L"sound-1.ogg");
    Add(SoundResume, L"click-3.ogg");
    Add(SoundWaiting, L"music-1.ogg");
}

int CSoundGame::LoadIfOn()
{
    return IsOn() ? Load() : 1;
}

int CSoundGame::Serialize(std::istream& in)
{
    if (KV::CSoundSystem::Serialize(in))
        return 1;
    SetDefault();
    return 0;
}

unsigned short CSoundGame::GetResultSoundID(int score)
{
    if (score <= 20)
        return SoundResultLow;
    if (score <= 40)
        return SoundResultMid;
    return SoundResultTop;
}
