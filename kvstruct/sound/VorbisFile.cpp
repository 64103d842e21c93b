#include "kvstruct/sound/VorbisFile.h"
#include "kvstruct/sys/Handles.h"
#include "kvstruct/sound/VorbisStb.h"

#include <windows.h>

namespace KV {

namespace {
const unsigned long kMaxFileBytes = 64ul * 1024 * 1024;
} // namespace

int DecodeVorbisMemory(const unsigned char* data, unsigned long size, CPcmBuffer& out)
{
    out = CPcmBuffer();
    if (!data || size == 0 || size > kMaxFileBytes)
        return 0;
    int channels = 0;
    int rate = 0;
    short* samples = nullptr;
    int frames = fw_vorbis_decode(data, static_cast<int>(size), &channels, &rate, &samples);
    int ok = frames > 0 && samples && (channels == 1 || channels == 2) && rate >= 8000 && rate <= 192000;
    if (ok)
    {
        out.samples.assign(samples, samples + static_cast<size_t>(frames) * channels);
        out.channels = static_cast<unsigned long>(channels);
        out.rate = static_cast<unsigned long>(rate);
    }
    if (samples)
        fw_vorbis_free(samples);
    return ok;
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
