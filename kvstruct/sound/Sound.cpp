#include "kvstruct/sound/Sound.h"
#include "kvstruct/sound/AudioBackend.h"
#include "kvstruct/core/Serialize.h"
#include "kvstruct/sound/SoundSystem.h"

#include <cwchar>

namespace KV {

namespace {
const unsigned short kSoundVersion = 1;
const size_t kMaxPath = 259;
} // namespace

CSound::CSound(CSoundSystem* owner, unsigned long id, const wchar_t* fileName, int enable,
               unsigned long volume)
    : m_pSound(nullptr), m_pSystem(nullptr), m_hChannel(0), m_pOwner(owner), m_bBreakPlay(1), m_nID(id),
      m_nMode(ModeLoopOff), m_fVolume(1.0), m_bEnable(enable), m_sFileName(fileName ? fileName : L"")
{
    SetVolume(volume);
}

CSound::CSound(const CSound& other)
    : m_pSound(nullptr), m_pSystem(nullptr), m_hChannel(0), m_pOwner(nullptr), m_bBreakPlay(1), m_nID(0),
      m_nMode(ModeLoopOff), m_fVolume(1.0), m_bEnable(1)
{
    CopySettings(other);
}

CSound& CSound::operator=(const CSound& other)
{
    if (this != &other)
    {
        // What is loaded belongs to the old file name and mode.
        Release();
        CopySettings(other);
    }
    return *this;
}

CSound::~CSound()
{
    Release();
}

void CSound::CopySettings(const CSound& other)
{
    m_nID = other.m_nID;
    m_fVolume = other.m_fVolume;
    m_bEnable = other.m_bEnable;
    m_nMode = other.m_nMode;
    m_sFileName = other.m_sFileName;
    m_bBreakPlay = other.m_bBreakPlay;
}

void CSound::SetVolume(unsigned long percent)
{
    m_fVolume = (percent > 100 ? 100 : percent) / 100.0;
}

unsigned long CSound::GetVolume() const
{
    // Rounded, so that every per cent set reads back the same (0.29 * 100 is 28.999...).
    return static_cast<unsigned long>(m_fVolume * 100.0 + 0.5);
}

int CSound::IsPlaying() const
{
    return m_pSound && m_pSystem && m_hChannel && m_pSystem->IsPlaying(m_hChannel);
}

int CSound::Load()
{
    if (!m_bEnable)
        return 1;
    if (!m_pOwner || !m_pOwner->GetpSystem())
        return 0;
    const wchar_t* path = m_pOwner->GetPath();
    size_t pathLength = std::wcslen(path);
    size_t nameLength = m_sFileName.GetLength();
    // A longer name would be cut and could name another file.
    if (nameLength == 0 || pathLength + nameLength > kMaxPath)
        return 0;
    wchar_t fullName[kMaxPath + 1];
    std::wmemcpy(fullName, path, pathLength);
    std::wmemcpy(fullName + pathLength, m_sFileName.GetW(), nameLength);
    fullName[pathLength + nameLength] = 0;

    if (m_pSound)
        Release();
    m_pSystem = m_pOwner->GetpSystem();
    m_pSound = m_pSystem->CreateSound(fullName);
    if (!m_pSound)
        return 0;
    if ((m_nMode & 0x0F) != ModeLoopOff)
        m_pSystem->SetMode(m_pSound, m_nMode);
    return 1;
}

int CSound::Play()
{
    if (!m_bEnable)
        return 0;
    if (!m_pSound)
        Load();
    if (!m_pSound)
        return 0;
    if (m_bBreakPlay && m_hChannel && m_pSystem->IsPlaying(m_hChannel))
        return 1;
    m_hChannel = m_pSystem->StartSound(m_pSound, m_fVolume);
    if (!m_hChannel)
        return 0;
    m_pSystem->SetChannelVolume(m_hChannel, m_fVolume);
    return 1;
}

int CSound::Stop()
{
    if (!m_bEnable || !m_pSound)
        return 0;
    if (!m_hChannel || !m_pSystem->IsPlaying(m_hChannel))
        return 1;
    int ok = m_pSystem->StopChannel(m_hChannel);
    m_hChannel = 0;
    return ok;
}

int CSound::Release()
{
    int ok = 1;
    if (m_pSound)
    {
        if (m_hChannel && m_pSystem->IsPlaying(m_hChannel))
            m_pSystem->StopChannel(m_hChannel);
        ok = m_pSystem->ReleaseSound(m_pSound);
    }
    m_pSound = nullptr;
    m_hChannel = 0;
    return m_bEnable ? ok : 0;
}

int CSound::Serialize(std::ostream& out) const
{
    SerializeUS(out, kSoundVersion);
    SerializeUS(out, static_cast<unsigned short>(m_nID));
    SerializeUS(out, static_cast<unsigned short>(GetVolume()));
    SerializeUS(out, static_cast<unsigned short>(m_bEnable));
    SerializeUL(out, m_nMode);
    m_sFileName.Serialize(out);
    return 1;
}

int CSound::Serialize(std::istream& in)
{
    unsigned short version = SerializeUS(in);
    if (!in)
        return 0;
    if (version == 0)
        return 1;
    unsigned long id = SerializeUS(in);
    unsigned long volume = SerializeUS(in);
    int enable = SerializeUS(in);
    unsigned long mode = SerializeUL(in);
    CString fileName;
    fileName.Serialize(in);
    if (!in)
        return 0;
    if (m_pSound && (fileName != m_sFileName || mode != m_nMode))
        Release();
    m_nID = id;
    SetVolume(volume);
    m_bEnable = enable;
    m_nMode = mode;
    m_sFileName = fileName;
    return 1;
}

} // namespace KV
