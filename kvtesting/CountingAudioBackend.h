#pragma once
// A silent back end that counts what would be played, for tests and for machines where
// sound must stay off. Sounds "load" when their file exists; playbacks run until stopped
// or until FinishAll() ends them.
#include "kvstruct/kvstruct_api.h"
#include "kvstruct/sound/AudioBackend.h"
#include <string>
#include <vector>

namespace KV {

class CCountingAudioBackend : public CAudioBackend
{
public:
    // Counts over every instance since the last Reset().
    struct Tally
    {
        unsigned long opens = 0;
        unsigned long closes = 0;
        unsigned long loads = 0;
        unsigned long loadFailures = 0;
        unsigned long releases = 0;
        unsigned long plays = 0;
        unsigned long stops = 0;
        unsigned long volumeCalls = 0;
        unsigned long modeCalls = 0;
        double lastVolume = -1.0;
        unsigned long lastMode = 0;
        std::vector<std::wstring> played; // full paths, in play order
        int refuseOpen = 0;               // set to make Open fail (no device)
    };

    static Tally& GetTally();
    static void Reset();
    // Ends every playback of every instance.
    static void FinishAll();
    // Factory for SetAudioBackendFactory.
    static CAudioBackend* Create();
    // Channels still playing in all instances.
    static unsigned long GetPlayingCount();

    CCountingAudioBackend();
    ~CCountingAudioBackend() override;
    CCountingAudioBackend(const CCountingAudioBackend&) = delete;
    CCountingAudioBackend& operator=(const CCountingAudioBackend&) = delete;

    int Open(unsigned long maxChannels) override;
    int Close() override;
    unsigned long GetVersion() const override { return 1; }

    CAudioSound* CreateSound(const wchar_t* path) override;
    int SetMode(CAudioSound* sound, unsigned long mode) override;
    int ReleaseSound(CAudioSound* sound) override;

    unsigned long StartSound(CAudioSound* sound, double volume) override;
    int SetChannelVolume(unsigned long channel, double volume) override;
    int IsPlaying(unsigned long channel) override;
    int StopChannel(unsigned long channel) override;

private:
    struct Channel
    {
        CAudioSound* sound = nullptr;
        unsigned long handle = 0;
        int playing = 0;
    };

    int m_open;
    unsigned long m_maxChannels;
    unsigned long m_serial;
    std::vector<Channel> m_channels;
};

} // namespace KV
