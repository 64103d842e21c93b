#pragma once
// Checks an Ogg Vorbis file before any decoder sees it: every page whole and intact, and the
// three header packets well formed, with every length inside its packet.
#include "kvstruct/kvstruct_api.h"
#include <cstddef>

namespace KV {

struct COggVorbisInfo
{
    unsigned int channels = 0;
    unsigned long rate = 0;
    // Granule position of the last page: the length in frames the stream states (a hint).
    unsigned long long frames = 0;
};

// True when the data is a sequence of intact Ogg pages (CRC checked) of one logical stream
// whose identification, comment and setup headers are sound for this program (one or two
// channels at 8 to 192 kHz).
KVSTRUCT_API bool CheckOggVorbis(const unsigned char* data, size_t size, COggVorbisInfo* info = nullptr);

// CRC of an Ogg page with its CRC field taken as zero; also used to write test data.
KVSTRUCT_API unsigned long OggPageCrc(const unsigned char* page, size_t size);

} // namespace KV
