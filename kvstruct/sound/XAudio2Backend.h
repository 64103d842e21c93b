#pragma once
// XAudio2 back end: one mastering voice, a source voice per playing channel, Ogg Vorbis
// files decoded whole into memory.
//
// The mixer's threads cost processor time even while nothing plays, so a few seconds after
// the last sound has ended the output rests: voices and mastering voice go (the device is
// let go), the decoded sounds stay. The next sound opens the output again. The check runs on
// a timer of the thread that plays, so it needs that thread's messages to be dispatched.
#include "kvstruct/kvstruct_api.h"
#include "kvstruct/sound/AudioBackend.h"
#include "kvstruct/sound/VorbisFile.h"
#include <memory>
#include <vector>

struct HWND__;
struct IXAudio2;
struct IXAudio2MasteringVoice;
struct IXAudio2SourceVoice;

namespace KV {

class KVSTRUCT_API CXAudio2Backend : public CAudioBackend
{
public:
    // Answers whether a render device exists. Without one, creating the mastering voice
    // brings the process down on some platforms, so Open asks first and stays silent.
    typedef int (*DeviceProbe)();
    // Replaces the probe and returns the previous one; nullptr restores the default
    // (at least one wave output device).
    static DeviceProbe SetDeviceProbe(DeviceProbe probe);
    static int HasOutputDevice();

    CXAudio2Backend();
    ~CXAudio2Backend() override;
    CXAudio2Backend(const CXAudio2Backend&) = delete;
    CXAudio2Backend& operator=(const CXAudio2Backend&) = delete;

    int Open(unsigned long maxChannels) override;
    int Close() override;
    unsigned long GetVersion() const override;

    CAudioSound* CreateSound(const wchar_t* path) override;
    int SetMode(CAudioSound* sound, unsigned long mode) override;
    int ReleaseSound(CAudioSound* sound) override;

    unsigned long StartSound(CAudioSound* sound, double volume) override;
    int SetChannelVolume(unsigned long channel, double volume) override;
    int IsPlaying(unsigned long channel) override;
    int StopChannel(unsigned long channel) override;

    // The volume a channel's voice plays at; -1 for a stale handle.
    double GetChannelVolume(unsigned long channel);
    // Source voices created so far (they are kept and reused).
    unsigned long GetVoiceCount() const { return static_cast<unsigned long>(m_channels.size()); }
    // Lets the output go when no channel plays; 1 when it rests (also when it rested already).
    int Rest();
    bool IsResting() const { return m_pEngine && !m_pMaster; }

private:
    struct Channel
    {
        IXAudio2SourceVoice* voice = nullptr;
        unsigned long channels = 0;
        unsigned long rate = 0;
        std::shared_ptr<const CPcmBuffer> data; // kept until the voice has let go of it
        unsigned long handle = 0;
        unsigned long long serial = 0; // start order, to take the oldest
        int stopped = 1;
    };

    Channel* Find(unsigned long handle);
    int IsBusy(Channel& channel);
    void Halt(Channel& channel);
    int MakeVoice(Channel& channel, unsigned long channels, unsigned long rate);
    void DestroyVoice(Channel& channel);
    Channel* TakeChannel(unsigned long channels, unsigned long rate);
    // The output back after a rest; 0 when it cannot be had.
    int Wake();
    void ArmRestTimer();
    void DisarmRestTimer();
    static void __stdcall OnRestTimer(::HWND__* hwnd, unsigned int msg, unsigned long long id,
                                      unsigned long time);

    IXAudio2* m_pEngine;
    IXAudio2MasteringVoice* m_pMaster;
    std::vector<Channel> m_channels;
    unsigned long m_maxChannels;
    unsigned long long m_serial;
    int m_comInit;
    unsigned long long m_restTimer;
    unsigned long long m_lastStart; // tick count of the last sound started
};

} // namespace KV
