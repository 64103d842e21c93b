#pragma once
/* C interface of the Ogg Vorbis decoder (internal to kvstruct). */
#ifdef __cplusplus
extern "C" {
#endif

typedef struct fw_vorbis fw_vorbis;

/* Opens Ogg Vorbis data held in memory (kept by the caller while open); NULL when damaged. */
fw_vorbis* fw_vorbis_open(const unsigned char* data, int size, int* channels, int* rate);
/* Decodes up to `frames` frames of interleaved 16-bit samples; 0 at the end. */
int fw_vorbis_read(fw_vorbis* v, short* samples, int frames);
void fw_vorbis_close(fw_vorbis* v);

#ifdef __cplusplus
}
#endif
