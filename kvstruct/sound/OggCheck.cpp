#include "kvstruct/sound/OggCheck.h"

#include <cstring>
#include <vector>

namespace KV {

namespace {

const size_t kPageHeader = 27;
const unsigned char kFlagContinued = 0x01;
const unsigned char kFlagFirst = 0x02;
// A comment header this large is no sound effect's; the decoder copies it whole.
const size_t kMaxCommentPacket = 1024 * 1024;

unsigned long Read32(const unsigned char* p)
{
    return p[0] | (static_cast<unsigned long>(p[1]) << 8) | (static_cast<unsigned long>(p[2]) << 16) |
           (static_cast<unsigned long>(p[3]) << 24);
}

struct CCrcTable
{
    unsigned long v[256];
    CCrcTable()
    {
        for (unsigned long i = 0; i < 256; ++i)
        {
            unsigned long r = i << 24;
            for (int k = 0; k < 8; ++k)
                r = (r & 0x80000000ul) ? ((r << 1) ^ 0x04c11db7ul) : (r << 1);
            v[i] = r & 0xfffffffful;
        }
    }
};

bool IsVorbisHeader(const std::vector<unsigned char>& packet, unsigned char type)
{
    return packet.size() >= 7 && packet[0] == type && std::memcmp(&packet[1], "vorbis", 6) == 0;
}

bool CheckIdentification(const std::vector<unsigned char>& p, COggVorbisInfo& info)
{
    if (p.size() != 30 || !IsVorbisHeader(p, 1) || Read32(&p[7]) != 0)
        return false;
    info.channels = p[11];
    info.rate = Read32(&p[12]);
    const unsigned int small = p[28] & 0x0f;
    const unsigned int large = p[28] >> 4;
    return info.channels >= 1 && info.channels <= 2 && info.rate >= 8000 && info.rate <= 192000 &&
           small >= 6 && small <= large && large <= 13 && (p[29] & 1);
}

// Vendor text, comment count and each comment, every length against what is left.
bool CheckComments(const std::vector<unsigned char>& p)
{
    if (!IsVorbisHeader(p, 3) || p.size() > kMaxCommentPacket)
        return false;
    size_t at = 7;
    auto takeLength = [&](size_t& length) {
        if (p.size() - at < 4)
            return false;
        length = Read32(&p[at]);
        at += 4;
        return length <= p.size() - at;
    };
    size_t length = 0;
    if (!takeLength(length))
        return false;
    at += length;
    size_t count = 0;
    if (!takeLength(count) || count > (p.size() - at) / 4)
        return false;
    for (size_t i = 0; i < count; ++i)
    {
        if (!takeLength(length))
            return false;
        at += length;
    }
    return at < p.size() && (p[at] & 1);
}

} // namespace

unsigned long OggPageCrc(const unsigned char* page, size_t size)
{
    static const CCrcTable table;
    unsigned long crc = 0;
    for (size_t i = 0; i < size; ++i)
    {
        const unsigned char byte = (i >= 22 && i < 26) ? 0 : page[i];
        crc = ((crc << 8) ^ table.v[((crc >> 24) ^ byte) & 0xff]) & 0xfffffffful;
    }
    return crc;
}

bool CheckOggVorbis(const unsigned char* data, size_t size, COggVorbisInfo* info)
{
    if (!data)
        return false;
    std::vector<unsigned char> packets[3];
    size_t complete = 0;
    bool open = false; // a packet continues on the next page
    unsigned long serial = 0;
    unsigned long long granule = 0;
    size_t at = 0;
    for (size_t page = 0; at < size; ++page)
    {
        const unsigned char* p = data + at;
        const size_t left = size - at;
        if (left < kPageHeader || std::memcmp(p, "OggS", 4) != 0 || p[4] != 0)
            return false;
        const unsigned char flags = p[5];
        const size_t segments = p[26];
        if (left < kPageHeader + segments)
            return false;
        size_t body = 0;
        for (size_t s = 0; s < segments; ++s)
            body += p[kPageHeader + s];
        const size_t pageSize = kPageHeader + segments + body;
        if (left < pageSize || OggPageCrc(p, pageSize) != Read32(p + 22))
            return false;
        if (page == 0)
            serial = Read32(p + 14);
        // One logical stream that starts on this page and continues only what is open.
        if (Read32(p + 14) != serial || ((flags & kFlagFirst) != 0) != (page == 0) ||
            ((flags & kFlagContinued) != 0) != open)
            return false;
        if (complete < 3)
        {
            const unsigned char* bytes = p + kPageHeader + segments;
            for (size_t s = 0; s < segments && complete < 3; ++s)
            {
                const size_t lace = p[kPageHeader + s];
                packets[complete].insert(packets[complete].end(), bytes, bytes + lace);
                bytes += lace;
                if (packets[complete].size() > kMaxCommentPacket + 1 && complete < 2)
                    return false;
                if (lace < 255)
                    ++complete;
            }
            // The identification header fills the first page alone.
            if (page == 0 && (complete != 1 || segments != 1))
                return false;
        }
        if (segments)
            open = p[kPageHeader + segments - 1] == 255;
        granule = Read32(p + 6) | (static_cast<unsigned long long>(Read32(p + 10)) << 32);
        at += pageSize;
    }
    COggVorbisInfo found;
    if (complete < 3 || !CheckIdentification(packets[0], found) || !CheckComments(packets[1]) ||
        !IsVorbisHeader(packets[2], 5))
        return false;
    found.frames = granule;
    if (info)
        *info = found;
    return true;
}

} // namespace KV
