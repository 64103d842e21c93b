/* Ogg Vorbis decoding for the sound files, on top of stb_vorbis.
   The build names the single-file decoder of the stb package (FW_STB_VORBIS_HEADER) and it is
   compiled here. Callers check the stream's pages and headers first (OggCheck). */
#include <stdlib.h>
#include "kvstruct/sound/VorbisStb.h"

#include FW_STB_VORBIS_HEADER

struct fw_vorbis
{
    stb_vorbis* decoder;
    int channels;
};

fw_vorbis* fw_vorbis_open(const unsigned char* data, int size, int* channels, int* rate)
{
    int error = 0;
    stb_vorbis* decoder;
    fw_vorbis* v;
    stb_vorbis_info info;
    *channels = 0;
    *rate = 0;
    if (!data || size <= 0)
        return NULL;
    decoder = stb_vorbis_open_memory(data, size, &error, NULL);
    if (!decoder)
        return NULL;
    v = (fw_vorbis*)malloc(sizeof(fw_vorbis));
    if (!v)
    {
        stb_vorbis_close(decoder);
        return NULL;
    }
    info = stb_vorbis_get_info(decoder);
    v->decoder = decoder;
    v->channels = info.channels;
    *channels = info.channels;
    *rate = (int)info.sample_rate;
    return v;
}

int fw_vorbis_read(fw_vorbis* v, short* samples, int frames)
{
    return stb_vorbis_get_samples_short_interleaved(v->decoder, v->channels, samples, frames * v->channels);
}

void fw_vorbis_close(fw_vorbis* v)
{
    if (!v)
        return;
    stb_vorbis_close(v->decoder);
    free(v);
}
