#include "kvstruct/sound/AudioBackend.h"
#include "kvstruct/sound/XAudio2Backend.h"

namespace KV {

namespace {
CAudioBackend* CreateXAudio2()
{
    return new CXAudio2Backend();
}

AudioBackendFactory g_factory = CreateXAudio2;
} // namespace

CAudioSound::~CAudioSound() = default;
CAudioBackend::~CAudioBackend() = default;

CAudioBackend* CreateAudioBackend()
{
    return g_factory();
}

AudioBackendFactory SetAudioBackendFactory(AudioBackendFactory factory)
{
    AudioBackendFactory previous = g_factory;
    g_factory = factory ? factory : CreateXAudio2;
    return previous;
}

} // namespace KV
