#pragma once
// The audio back end under the sound system: a mixer with decoded sounds and a fixed number
// of playback channels. The program uses the XAudio2 back end; tests install a counting
// fake through the factory.
#include "kvstruct/kvstruct_api.h"

namespace KV {

// A loaded (decoded) sound; created and freed by its back end.
class KVSTRUCT_API CAudioSound
{
public:
    virtual ~CAudioSound();
};

class KVSTRUCT_API CAudioBackend
{
public:
    // Mode bits of a sound (the same values as the stored sound mode).
    enum : unsigned long {
        ModeLoopOff = 0x1,
        ModeLoopNormal = 0x2,
        ModeLoopBidi = 0x4,
    };
    // Playback channels of one back end.
    static const unsigned long kMaxChannels = 32;

    virtual ~CAudioBackend();

    // Starts the mixer; 0 when there is no output device or the platform refuses.
    virtual int Open(unsigned long maxChannels) = 0;
    // Stops every channel and frees the mixer; sounds stay valid until released.
    virtual int Close() = 0;
    virtual unsigned long GetVersion() const = 0;

    // Decodes a file; null when it is missing or cannot be decoded.
    virtual CAudioSound* CreateSound(const wchar_t* path) = 0;
    virtual int SetMode(CAudioSound* sound, unsigned long mode) = 0;
    // Stops the channels playing the sound and frees it.
    virtual int ReleaseSound(CAudioSound* sound) = 0;

    // Plays on a free channel (or takes the oldest when all are busy), not paused, at the
    // volume given (0.0 to 1.0) from its first sample. Returns a channel handle, 0 on
    // failure. Handles of finished or reused channels stay harmless: they report not playing.
    virtual unsigned long StartSound(CAudioSound* sound, double volume) = 0;
    virtual int SetChannelVolume(unsigned long channel, double volume) = 0;
    virtual int IsPlaying(unsigned long channel) = 0;
    virtual int StopChannel(unsigned long channel) = 0;
};

typedef CAudioBackend* (*AudioBackendFactory)();

// A new back end of the installed kind (XAudio2 by default); the caller deletes it.
KVSTRUCT_API CAudioBackend* CreateAudioBackend();
// Replaces the factory and returns the previous one; nullptr restores XAudio2.
KVSTRUCT_API AudioBackendFactory SetAudioBackendFactory(AudioBackendFactory factory);

} // namespace KV
