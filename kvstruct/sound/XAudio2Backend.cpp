#include "kvstruct/sound/XAudio2Backend.h"

#include <windows.h>
#include <mmsystem.h>
#include <objbase.h>
#include <xaudio2.h>

#include <map>

namespace KV {

namespace {

class CXAudio2Sound : public CAudioSound
{
public:
    std::shared_ptr<const CPcmBuffer> pcm;
    unsigned long mode = CAudioBackend::ModeLoopOff;
};

int DefaultProbe()
{
    return ::waveOutGetNumDevs() > 0;
}

CXAudio2Backend::DeviceProbe g_probe = DefaultProbe;

// Quiet time after the last sound started before the output rests, and the check's period.
const ULONGLONG kRestAfterMs = 2000;
const UINT kRestCheckMs = 500;

// The back ends whose rest timers run (thread timers carry no pointer of their own).
std::map<UINT_PTR, CXAudio2Backend*>& RestTimers()
{
    static std::map<UINT_PTR, CXAudio2Backend*> timers;
    return timers;
}

UINT32 QueuedBuffers(IXAudio2SourceVoice* voice)
{
    XAUDIO2_VOICE_STATE state = {};
    voice->GetState(&state, XAUDIO2_VOICE_NOSAMPLESPLAYED);
    return state.BuffersQueued;
}

} // namespace

CXAudio2Backend::DeviceProbe CXAudio2Backend::SetDeviceProbe(DeviceProbe probe)
{
    DeviceProbe previous = g_probe;
    g_probe = probe ? probe : DefaultProbe;
    return previous;
}

int CXAudio2Backend::HasOutputDevice()
{
    return g_probe() ? 1 : 0;
}

CXAudio2Backend::CXAudio2Backend()
    : m_pEngine(nullptr), m_pMaster(nullptr), m_maxChannels(kMaxChannels), m_serial(0), m_comInit(0),
      m_restTimer(0), m_lastStart(0)
{}

CXAudio2Backend::~CXAudio2Backend()
{
    Close();
}

int CXAudio2Backend::Open(unsigned long maxChannels)
{
    if (m_pEngine)
        return 1;
    if (!HasOutputDevice())
        return 0;
    m_maxChannels = maxChannels == 0 ? 1 : (maxChannels > 255 ? 255 : maxChannels);
    // The mixer finds its device through COM; a thread that has chosen its model already
    // (RPC_E_CHANGED_MODE) works as it is.
    HRESULT co = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    m_comInit = SUCCEEDED(co);
    IXAudio2* engine = nullptr;
    if (FAILED(::XAudio2Create(&engine, 0, XAUDIO2_DEFAULT_PROCESSOR)) || !engine)
    {
        Close();
        return 0;
    }
    m_pEngine = engine;
    IXAudio2MasteringVoice* master = nullptr;
    if (FAILED(m_pEngine->CreateMasteringVoice(&master)) || !master)
    {
        Close();
        return 0;
    }
    m_pMaster = master;
    // An output opened without a sound to play rests as well.
    ArmRestTimer();
    return 1;
}

void CXAudio2Backend::ArmRestTimer()
{
    m_lastStart = ::GetTickCount64();
    if (m_restTimer)
        return;
    m_restTimer = ::SetTimer(nullptr, 0, kRestCheckMs, reinterpret_cast<TIMERPROC>(&CXAudio2Backend::OnRestTimer));
    if (m_restTimer)
        RestTimers()[m_restTimer] = this;
}

void CXAudio2Backend::DisarmRestTimer()
{
    if (!m_restTimer)
        return;
    ::KillTimer(nullptr, m_restTimer);
    RestTimers().erase(m_restTimer);
    m_restTimer = 0;
}

void __stdcall CXAudio2Backend::OnRestTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    auto found = RestTimers().find(id);
    if (found == RestTimers().end())
    {
        ::KillTimer(nullptr, id);
        return;
    }
    CXAudio2Backend* self = found->second;
    if (::GetTickCount64() - self->m_lastStart >= kRestAfterMs)
        self->Rest();
}

int CXAudio2Backend::Rest()
{
    if (!m_pEngine)
        return 0;
    for (Channel& channel : m_channels)
        if (IsBusy(channel))
            return 0;
    DisarmRestTimer();
    if (!m_pMaster)
        return 1;
    for (Channel& channel : m_channels)
        DestroyVoice(channel);
    m_channels.clear();
    m_pMaster->DestroyVoice();
    m_pMaster = nullptr;
    m_pEngine->StopEngine();
    return 1;
}

int CXAudio2Backend::Wake()
{
    if (m_pMaster)
        return 1;
    if (!m_pEngine || FAILED(m_pEngine->StartEngine()))
        return 0;
    IXAudio2MasteringVoice* master = nullptr;
    if (FAILED(m_pEngine->CreateMasteringVoice(&master)) || !master)
        return 0;
    m_pMaster = master;
    return 1;
}

int CXAudio2Backend::Close()
{
    DisarmRestTimer();
    for (Channel& channel : m_channels)
        DestroyVoice(channel);
    m_channels.clear();
    if (m_pMaster)
    {
        m_pMaster->DestroyVoice();
        m_pMaster = nullptr;
    }
    if (m_pEngine)
    {
        m_pEngine->StopEngine();
        m_pEngine->Release();
        m_pEngine = nullptr;
    }
    if (m_comInit)
    {
        ::CoUninitialize();
        m_comInit = 0;
    }
    return 1;
}

unsigned long CXAudio2Backend::GetVersion() const
{
    return 0x00020008; // XAudio2 2.8
}

CAudioSound* CXAudio2Backend::CreateSound(const wchar_t* path)
{
    auto pcm = std::make_shared<CPcmBuffer>();
    if (!DecodeVorbisFileW(path, *pcm))
        return nullptr;
    auto* sound = new CXAudio2Sound();
    sound->pcm = std::move(pcm);
    return sound;
}

int CXAudio2Backend::SetMode(CAudioSound* sound, unsigned long mode)
{
    auto* s = dynamic_cast<CXAudio2Sound*>(sound);
    if (!s)
        return 0;
    s->mode = mode;
    return 1;
}

int CXAudio2Backend::ReleaseSound(CAudioSound* sound)
{
    auto* s = dynamic_cast<CXAudio2Sound*>(sound);
    if (!s)
        return 0;
    // The data lives on in the channels' references until their voices have let go.
    for (Channel& channel : m_channels)
        if (channel.data == s->pcm)
            Halt(channel);
    delete s;
    return 1;
}

CXAudio2Backend::Channel* CXAudio2Backend::Find(unsigned long handle)
{
    unsigned long index = (handle & 0xFF) - 1;
    if (handle == 0 || index >= m_channels.size() || m_channels[index].handle != handle)
        return nullptr;
    return &m_channels[index];
}

int CXAudio2Backend::IsBusy(Channel& channel)
{
    return channel.voice && !channel.stopped && QueuedBuffers(channel.voice) > 0;
}

void CXAudio2Backend::Halt(Channel& channel)
{
    if (channel.voice && !channel.stopped)
    {
        channel.voice->Stop(0);
        channel.voice->FlushSourceBuffers();
    }
    channel.stopped = 1;
}

int CXAudio2Backend::MakeVoice(Channel& channel, unsigned long channels, unsigned long rate)
{
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(channels * 2);
    format.nAvgBytesPerSec = rate * format.nBlockAlign;
    IXAudio2SourceVoice* voice = nullptr;
    if (FAILED(m_pEngine->CreateSourceVoice(&voice, &format)) || !voice)
        return 0;
    channel.voice = voice;
    channel.channels = channels;
    channel.rate = rate;
    channel.stopped = 1;
    return 1;
}

void CXAudio2Backend::DestroyVoice(Channel& channel)
{
    if (channel.voice)
    {
        // Synchronous: the mixer no longer reads the data afterwards.
        channel.voice->DestroyVoice();
        channel.voice = nullptr;
    }
    channel.data.reset();
    channel.stopped = 1;
}

CXAudio2Backend::Channel* CXAudio2Backend::TakeChannel(unsigned long channels, unsigned long rate)
{
    // A voice of the same format that has finished (no buffer left) is reused as it is.
    Channel* idleOther = nullptr;
    for (Channel& channel : m_channels)
    {
        if (!channel.voice || QueuedBuffers(channel.voice) > 0)
            continue;
        if (channel.channels == channels && channel.rate == rate)
            return &channel;
        if (!idleOther)
            idleOther = &channel;
    }
    if (m_channels.size() < m_maxChannels)
    {
        m_channels.emplace_back();
        Channel& channel = m_channels.back();
        if (!MakeVoice(channel, channels, rate))
        {
            m_channels.pop_back();
            return nullptr;
        }
        return &channel;
    }
    // All channels are taken: an idle voice of another format is remade, else a stopped
    // one whose flush the mixer has not reached yet, else the playback that started first
    // gives way.
    Channel* victim = idleOther;
    for (int pass = 0; pass < 2 && !victim; ++pass)
        for (Channel& channel : m_channels)
            if ((pass == 1 || channel.stopped) && (!victim || channel.serial < victim->serial))
                victim = &channel;
    if (!victim)
        return nullptr;
    DestroyVoice(*victim);
    if (!MakeVoice(*victim, channels, rate))
        return nullptr;
    return victim;
}

unsigned long CXAudio2Backend::StartSound(CAudioSound* sound, double volume)
{
    auto* s = dynamic_cast<CXAudio2Sound*>(sound);
    if (!m_pEngine || !s || !s->pcm || s->pcm->samples.empty() || !Wake())
        return 0;
    ArmRestTimer();
    const CPcmBuffer& pcm = *s->pcm;
    Channel* channel = TakeChannel(pcm.channels, pcm.rate);
    if (!channel)
        return 0;
    XAUDIO2_BUFFER buffer = {};
    buffer.Flags = XAUDIO2_END_OF_STREAM;
    buffer.AudioBytes = static_cast<UINT32>(pcm.samples.size() * sizeof(short));
    buffer.pAudioData = reinterpret_cast<const BYTE*>(pcm.samples.data());
    if (s->mode & (ModeLoopNormal | ModeLoopBidi))
        buffer.LoopCount = XAUDIO2_LOOP_INFINITE;
    // The channel's voice is new or has finished: nothing to flush.
    channel->data = s->pcm;
    channel->stopped = 1;
    if (FAILED(channel->voice->SubmitSourceBuffer(&buffer)))
        return 0;
    channel->voice->SetVolume(static_cast<float>(volume < 0.0 ? 0.0 : (volume > 1.0 ? 1.0 : volume)));
    if (FAILED(channel->voice->Start(0)))
        return 0;
    unsigned long index = static_cast<unsigned long>(channel - m_channels.data());
    ++m_serial;
    channel->serial = m_serial;
    channel->stopped = 0;
    channel->handle = ((static_cast<unsigned long>(m_serial) & 0xFFFFFF) << 8) | (index + 1);
    return channel->handle;
}

int CXAudio2Backend::SetChannelVolume(unsigned long handle, double volume)
{
    Channel* channel = Find(handle);
    if (!channel || !channel->voice)
        return 0;
    if (volume < 0.0)
        volume = 0.0;
    if (volume > 1.0)
        volume = 1.0;
    return SUCCEEDED(channel->voice->SetVolume(static_cast<float>(volume))) ? 1 : 0;
}

double CXAudio2Backend::GetChannelVolume(unsigned long handle)
{
    Channel* channel = Find(handle);
    if (!channel || !channel->voice)
        return -1.0;
    float volume = 0.0f;
    channel->voice->GetVolume(&volume);
    return volume;
}

int CXAudio2Backend::IsPlaying(unsigned long handle)
{
    Channel* channel = Find(handle);
    return channel && IsBusy(*channel);
}

int CXAudio2Backend::StopChannel(unsigned long handle)
{
    Channel* channel = Find(handle);
    if (!channel)
        return 0;
    Halt(*channel);
    return 1;
}

} // namespace KV
