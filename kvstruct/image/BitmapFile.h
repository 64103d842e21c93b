#pragma once
// The headers of a bitmap file, read in one place for every picture holder (CDib, CImage).
// Inline and internal to kvstruct: nothing here is exported.
#include <cstddef>

namespace KV {

inline unsigned long Le32(const unsigned char* p)
{
    return static_cast<unsigned long>(p[0]) | (static_cast<unsigned long>(p[1]) << 8) |
           (static_cast<unsigned long>(p[2]) << 16) | (static_cast<unsigned long>(p[3]) << 24);
}

inline unsigned short Le16(const unsigned char* p)
{
    return static_cast<unsigned short>(p[0] | (p[1] << 8));
}

// The 14-byte file header in front of every bitmap file.
struct tagBitmapFileHeader
{
    bool signature;           // begins with "BM"
    unsigned long fileSize;   // as the file claims, file header included
    unsigned long dataOffset; // where the file says its pixels begin
};

inline tagBitmapFileHeader ReadBitmapFileHeader(const unsigned char* p)
{
    return {p[0] == 'B' && p[1] == 'M', Le32(p + 2), Le32(p + 10)};
}

// The information header after it: the core form (12 bytes, 16-bit sizes) or an information
// header of 40 bytes or more (only its first 40 bytes are read here).
struct tagBitmapInfoHeader
{
    unsigned long size; // the header's own size field
    long long width;
    long long height; // negative: top row first
    unsigned short planes;
    unsigned short bits;
    unsigned long compression; // BI_RGB for the core form
    unsigned long imageSize;
    unsigned long coloursUsed;
};

// false when the bytes cannot hold the header or its size names neither form.
inline bool ReadBitmapInfoHeader(const unsigned char* p, size_t size, tagBitmapInfoHeader& out)
{
    out = tagBitmapInfoHeader();
    if (size < 12)
        return false;
    out.size = Le32(p);
    if (out.size == 12)
    {
        out.width = Le16(p + 4);
        out.height = Le16(p + 6);
        out.planes = Le16(p + 8);
        out.bits = Le16(p + 10);
        return true;
    }
    if (out.size < 40 || size < 40)
        return false;
    out.width = static_cast<long>(Le32(p + 4));
    out.height = static_cast<long>(Le32(p + 8));
    out.planes = Le16(p + 12);
    out.bits = Le16(p + 14);
    out.compression = Le32(p + 16);
    out.imageSize = Le32(p + 20);
    out.coloursUsed = Le32(p + 32);
    return true;
}

} // namespace KV
