#pragma once
// Builds bitmap files byte by byte, so tests control every header field.
#include <cstdint>
#include <string>
#include <vector>

namespace bmptest {

inline void Put16(std::string& s, uint32_t v)
{
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>((v >> 8) & 0xFF));
}

inline void Put32(std::string& s, uint32_t v)
{
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

struct Rgb
{
    unsigned char r, g, b;
};

// Information header (40 bytes) and everything after the file header.
inline std::string InfoHeader(int32_t width, int32_t height, uint16_t bits, uint32_t compression = 0,
                              uint32_t imageSize = 0, uint32_t used = 0, uint32_t headerSize = 40)
{
    std::string s;
    Put32(s, headerSize);
    Put32(s, static_cast<uint32_t>(width));
    Put32(s, static_cast<uint32_t>(height));
    Put16(s, 1);
    Put16(s, bits);
    Put32(s, compression);
    Put32(s, imageSize);
    Put32(s, 2835);
    Put32(s, 2835);
    Put32(s, used);
    Put32(s, 0);
    s.resize(headerSize < 40 ? 40 : headerSize, '\0');
    return s;
}

// A complete file: 14-byte file header in front of body (declared size = real size unless given).
inline std::string WithFileHeader(const std::string& body, long long declaredSize = -1, uint32_t offset = 0)
{
    std::string s = "BM";
    Put32(s, static_cast<uint32_t>(declaredSize < 0 ? body.size() + 14 : declaredSize));
    Put16(s, 0);
    Put16(s, 0);
    Put32(s, offset ? offset : 54);
    return s + body;
}

// 24-bit pixels given in file row order (first row stored first), rows padded to 4 bytes.
inline std::string Pixels24(const std::vector<std::vector<Rgb>>& rows)
{
    std::string s;
    for (const auto& row : rows)
    {
        size_t start = s.size();
        for (const Rgb& p : row)
        {
            s.push_back(static_cast<char>(p.b));
            s.push_back(static_cast<char>(p.g));
            s.push_back(static_cast<char>(p.r));
        }
        while ((s.size() - start) % 4)
            s.push_back('\x5A'); // padding that must never be read as a colour
    }
    return s;
}

inline std::string Bmp24(const std::vector<std::vector<Rgb>>& rows, bool topDown = false)
{
    int32_t h = static_cast<int32_t>(rows.size());
    int32_t w = rows.empty() ? 0 : static_cast<int32_t>(rows[0].size());
    return WithFileHeader(InfoHeader(w, topDown ? -h : h, 24) + Pixels24(rows));
}

} // namespace bmptest
