#include "kvtesting/CountingAudioBackend.h"

#include <windows.h>
#include <algorithm>

namespace KV {

namespace {

class CCountedSound : public CAudioSound
{
public:
    std::wstring path;
    unsigned long mode = CAudioBackend::ModeLoopOff;
};

CCountingAudioBackend::Tally g_tally;
std::vector<CCountingAudioBackend*> g_instances;

} // namespace

CCountingAudioBackend::Tally& CCountingAudioBackend::GetTally()
{
    return g_tally;
}

void CCountingAudioBackend::Reset()
{
    g_tally = Tally();
}

void CCountingAudioBackend::FinishAll()
{
    for (CCountingAudioBackend* backend : g_instances)
        for (Channel& channel : backend->m_channels)
            channel.playing = 0;
}

unsigned long CCountingAudioBackend::GetPlayingCount()
{
    unsigned long count = 0;
    for (CCountingAudioBackend* backend : g_instances)
        for (Channel& channel : backend->m_channels)
            count += channel.playing ? 1 : 0;
    return count;
}

CAudioBackend* CCountingAudioBackend::Create()
{
    return new CCountingAudioBackend();
}

CCountingAudioBackend::CCountingAudioBackend() : m_open(0), m_maxChannels(kMaxChannels), m_serial(0)
{
    g_instances.push_back(this);
}

CCountingAudioBackend::~CCountingAudioBackend()
{
    Close();
    g_instances.erase(std::remove(g_instances.begin(), g_instances.end(), this), g_instances.end());
}

int CCountingAudioBackend::Open(unsigned long maxChannels)
{
    if (g_tally.refuseOpen)
        return 0;
    ++g_tally.opens;
    m_open = 1;
    m_maxChannels = maxChannels ? maxChannels : 1;
    return 1;
}

int CCountingAudioBackend::Close()
{
    if (m_open)
        ++g_tally.closes;
    m_open = 0;
    m_channels.clear();
    return 1;
}

CAudioSound* CCountingAudioBackend::CreateSound(const wchar_t* path)
{
    DWORD attributes = path ? ::GetFileAttributesW(path) : INVALID_FILE_ATTRIBUTES;
    if (!m_open || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
    {
        ++g_tally.loadFailures;
        return nullptr;
    }
    ++g_tally.loads;
    auto* sound = new CCountedSound();
    sound->path = path;
    return sound;
}

int CCountingAudioBackend::SetMode(CAudioSound* sound, unsigned long mode)
{
    auto* s = dynamic_cast<CCountedSound*>(sound);
    if (!s)
        return 0;
    ++g_tally.modeCalls;
    g_tally.lastMode = mode;
    s->mode = mode;
    return 1;
}

int CCountingAudioBackend::ReleaseSound(CAudioSound* sound)
{
    if (!sound)
        return 0;
    for (Channel& channel : m_channels)
        if (channel.sound == sound)
        {
            channel.playing = 0;
            channel.sound = nullptr;
        }
    ++g_tally.releases;
    delete sound;
    return 1;
}

unsigned long CCountingAudioBackend::StartSound(CAudioSound* sound, double volume)
{
    auto* s = dynamic_cast<CCountedSound*>(sound);
    if (!m_open || !s)
        return 0;
    Channel* channel = nullptr;
    for (Channel& c : m_channels)
        if (!c.playing)
        {
            channel = &c;
            break;
        }
    if (!channel && m_channels.size() < m_maxChannels)
    {
        m_channels.emplace_back();
        channel = &m_channels.back();
    }
    if (!channel)
        channel = &m_channels.front(); // all busy: the first channel gives way
    ++g_tally.plays;
    g_tally.lastVolume = volume;
    g_tally.played.push_back(s->path);
    channel->sound = sound;
    channel->playing = 1;
    channel->handle =
        ((++m_serial & 0xFFFFFF) << 8) | static_cast<unsigned long>(channel - m_channels.data() + 1);
    return channel->handle;
}

int CCountingAudioBackend::SetChannelVolume(unsigned long handle, double volume)
{
    for (Channel& channel : m_channels)
        if (channel.handle == handle && handle)
        {
            ++g_tally.volumeCalls;
            g_tally.lastVolume = volume;
            return 1;
        }
    return 0;
}

int CCountingAudioBackend::IsPlaying(unsigned long handle)
{
    for (Channel& channel : m_channels)
        if (channel.handle == handle && handle)
            return channel.playing;
    return 0;
}

int CCountingAudioBackend::StopChannel(unsigned long handle)
{
    for (Channel& channel : m_channels)
        if (channel.handle == handle && handle)
        {
            if (channel.playing)
                ++g_tally.stops;
            channel.playing = 0;
            return 1;
        }
    return 0;
}

} // namespace KV
