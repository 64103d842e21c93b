#include "kvstruct/sound/SoundSystem.h"
#include "kvstruct/sound/AudioBackend.h"
#include "kvstruct/core/Serialize.h"

namespace KV {

namespace {
const unsigned short kListVersion = 1;
// The smallest sound record: a version word of 0.
const long long kMinSoundRecord = 2;
} // namespace

CSoundSystem::CSoundSystem() : m_pSystem(nullptr), m_bOk(1) {}

CSoundSystem::CSoundSystem(const CSoundSystem& other)
    : m_pSystem(nullptr), m_sPath(other.m_sPath), m_bOk(other.m_bOk)
{
    // Own copies: sharing the other's sounds or back end would free them twice.
    for (const CSound* sound : other.m_list)
    {
        CSound* copy = new CSound(*sound);
        copy->SetpOwner(this);
        m_list.push_back(copy);
    }
}

CSoundSystem& CSoundSystem::operator=(const CSoundSystem& other)
{
    if (this == &other)
        return *this;
    Clear();
    for (const CSound* sound : other.m_list)
    {
        CSound* copy = new CSound(*sound);
        copy->SetpOwner(this);
        m_list.push_back(copy);
    }
    return *this;
}

CSoundSystem::~CSoundSystem()
{
    Clear();
    CSoundSystem::Release();
}

CSound* CSoundSystem::Get(unsigned long id) const
{
    for (CSound* sound : m_list)
        if (sound->GetID() == id)
            return sound;
    return nullptr;
}

CSound* CSoundSystem::Add(unsigned long id, const wchar_t* fileName, int enable, unsigned long volume)
{
    CSound* sound = new CSound(this, id, fileName, enable, volume);
    m_list.push_back(sound);
    return sound;
}

int CSoundSystem::Play(unsigned short id)
{
    CSound* sound = Get(id);
    return sound ? sound->Play() : 0;
}

CSoundSystem* CSoundSystem::Create()
{
    if (m_pSystem)
        return this;
    if (!Release())
        return nullptr;
    CAudioBackend* backend = CreateAudioBackend();
    if (!backend)
        return nullptr;
    if (backend->GetVersion() == 0 || !backend->Open(kChannels))
    {
        delete backend;
        return nullptr;
    }
    m_pSystem = backend;
    return this;
}

int CSoundSystem::Load()
{
    if (!Create())
    {
        m_bOk = 0;
        return 1;
    }
    int ok = 1;
    for (CSound* sound : m_list)
        if (!sound->Load())
            ok = 0;
    if (!ok)
        m_bOk = 0;
    return ok;
}

int CSoundSystem::Release()
{
    for (CSound* sound : m_list)
        sound->Release();
    if (m_pSystem)
    {
        int ok = m_pSystem->Close();
        delete m_pSystem;
        m_pSystem = nullptr;
        if (!ok)
            return 0;
    }
    return 1;
}

void CSoundSystem::Clear()
{
    for (CSound* sound : m_list)
    {
        sound->Release();
        delete sound;
    }
    m_list.clear();
}

int CSoundSystem::Serialize(std::ostream& out) const
{
    // The count is 16 bits: a longer list stores its first 65,535 sounds.
    size_t count = m_list.size() > 0xFFFF ? 0xFFFF : m_list.size();
    SerializeUS(out, kListVersion);
    SerializeUS(out, static_cast<unsigned short>(count));
    for (size_t i = 0; i < count; ++i)
        m_list[i]->Serialize(out);
    return 1;
}

int CSoundSystem::Serialize(std::istream& in)
{
    Clear();
    unsigned short version = SerializeUS(in);
    if (!in)
        return 0;
    if (version == 0)
        return 1;
    unsigned long count = SerializeUS(in);
    if (!in)
        return 0;
    long long left = StreamBytesLeft(in);
    if (left >= 0 && static_cast<long long>(count) * kMinSoundRecord > left)
        return 0;
    for (unsigned long i = 0; i < count; ++i)
    {
        // Sounds are made one by one as their records arrive, so a count larger than the
        // data allocates nothing beyond what was read.
        CSound* sound = new CSound(this, 0, L"", 1, 100);
        if (!sound->Serialize(in))
        {
            delete sound;
            return 0;
        }
        m_list.push_back(sound);
    }
    return 1;
}

} // namespace KV
