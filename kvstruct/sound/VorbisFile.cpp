#include "kvstruct/sound/VorbisFile.h"
#include "kvstruct/sys/Handles.h"
#include "kvstruct/sound/OggCheck.h"
#include "kvstruct/sound/VorbisStb.h"

#include <algorithm>

#include <windows.h>

namespace KV {

namespace {
const unsigned long kMaxFileBytes = 64ul * 1024 * 1024;
// Ten minutes at 48 kHz stereo: a sound never decodes to more, whatever its data says.
const size_t kMaxSamples = 600ul * 48000 * 2;
const int kChunkFrames = 4096;
// Only a bound of the hint: the shipped music holds about 11 samples per byte.
const unsigned long long kMaxSamplesPerByte = 64;
} // namespace

int DecodeVorbisMemory(const unsigned char* data, unsigned long size, CPcmBuffer& out)
{
    out = CPcmBuffer();
    COggVorbisInfo info;
    // The decoder trusts the lengths in the headers; it only ever sees checked data.
    if (!data || size == 0 || size > kMaxFileBytes || !CheckOggVorbis(data, size, &info))
        return 0;
    int channels = 0;
    int rate = 0;
    fw_vorbis* decoder = fw_vorbis_open(data, static_cast<int>(size), &channels, &rate);
    if (!decoder)
        return 0;
    if (channels == static_cast<int>(info.channels) && rate == static_cast<int>(info.rate))
    {
        std::vector<short> samples;
        // The length the last page states, but no more than such a file can plausibly hold.
        samples.reserve(static_cast<size_t>(
            std::min<unsigned long long>({info.frames * channels, kMaxSamples,
                                          static_cast<unsigned long long>(size) * kMaxSamplesPerByte})));
        short chunk[kChunkFrames * 2];
        for (;;)
        {
            const int frames = fw_vorbis_read(decoder, chunk, kChunkFrames);
            if (frames <= 0)
                break;
            const size_t n = std::min(static_cast<size_t>(frames) * channels, kMaxSamples - samples.size());
            samples.insert(samples.end(), chunk, chunk + n);
            if (samples.size() >= kMaxSamples)
                break;
        }
        if (!samples.empty())
        {
            out.samples.swap(samples);
            out.channels = static_cast<unsigned long>(channels);
            out.rate = static_cast<unsigned long>(rate);
        }
    }
    fw_vorbis_close(decoder);
    return out.samples.empty() ? 0 : 1;
}

int DecodeVorbisFileW(const wchar_t* path, CPcmBuffer& out)
{
    out = CPcmBuffer();
    if (!path || !*path)
        return 0;
    CFileHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return 0;
    LARGE_INTEGER size;
    std::vector<unsigned char> bytes;
    int ok = ::GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= kMaxFileBytes;
    if (ok)
    {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
             read == bytes.size();
    }
    file.Reset();
    if (!ok)
        return 0;
    return DecodeVorbisMemory(bytes.data(), static_cast<unsigned long>(bytes.size()), out);
}

} // namespace KV
