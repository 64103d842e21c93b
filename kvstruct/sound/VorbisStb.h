#pragma once
/* C interface of the Ogg Vorbis decoder (internal to kvstruct). */
#ifdef __cplusplus
extern "C" {
#endif

/* Decodes a whole Ogg Vorbis file held in memory into interleaved 16-bit samples.
   Returns the number of frames (samples per channel), or -1 on damaged or unsupported data.
   The samples are freed with fw_vorbis_free. */
int fw_vorbis_decode(const unsigned char* data, int size, int* channels, int* rate, short** samples);
void fw_vorbis_free(short* samples);

#ifdef __cplusplus
}
#endif
