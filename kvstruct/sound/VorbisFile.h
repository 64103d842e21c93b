#pragma once
// Decoded sound data and the Ogg Vorbis file decoder behind the sound back end.
#include "kvstruct/kvstruct_api.h"
#include <vector>

namespace KV {

// Interleaved signed 16-bit samples.
struct KVSTRUCT_API CPcmBuffer
{
    std::vector<short> samples;
    unsigned long channels = 0;
    unsigned long rate = 0;

    unsigned long GetFrames() const
    {
        return channels ? static_cast<unsigned long>(samples.size() / channels) : 0;
    }
    double GetSeconds() const { return rate ? static_cast<double>(GetFrames()) / rate : 0.0; }
};

// Reads and decodes a whole Ogg Vorbis file. Returns 1 on success; 0 when the file is
// missing, unreadable, too large for a sound (64 MB), damaged (any page or header that does
// not hold together) or not Vorbis, or when the data is not one or two channels at 8 to
// 192 kHz. Decoding stops after ten minutes of 48 kHz stereo audio.
KVSTRUCT_API int DecodeVorbisFileW(const wchar_t* path, CPcmBuffer& out);
// The same for file data already in memory.
KVSTRUCT_API int DecodeVorbisMemory(const unsigned char* data, unsigned long size, CPcmBuffer& out);

} // namespace KV
