/* Ogg Vorbis decoding for the sound files, on top of stb_vorbis.
   The build names the single-file decoder of the stb package (FW_STB_VORBIS_HEADER) and it is
   compiled here. Without it, decoding fails quietly and the program stays silent. */
#include <stdlib.h>
#include "kvstruct/sound/VorbisStb.h"

#if defined(FW_STB_VORBIS_HEADER)
#define FW_VORBIS_AVAILABLE 1
#include FW_STB_VORBIS_HEADER
#endif

int fw_vorbis_decode(const unsigned char* data, int size, int* channels, int* rate, short** samples)
{
    *channels = 0;
    *rate = 0;
    *samples = NULL;
#ifdef FW_VORBIS_AVAILABLE
    if (!data || size <= 0)
        return -1;
    return stb_vorbis_decode_memory(data, size, channels, rate, samples);
#else
    (void)data;
    (void)size;
    return -1;
#endif
}

void fw_vorbis_free(short* samples)
{
    free(samples);
}
