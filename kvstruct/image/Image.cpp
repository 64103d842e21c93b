#include "kvstruct/image/Image.h"
#include "kvstruct/image/BitmapFile.h"
#include "kvstruct/sys/Handles.h"
#include "kvstruct/sys/MsgBox.h"
#include "kvstruct/core/Serialize.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstring>
#include <new>

namespace KV {

namespace {

bool ReadExact(HANDLE file, void* buffer, size_t count)
{
    unsigned char* out = static_cast<unsigned char*>(buffer);
    size_t done = 0;
    while (done < count)
    {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(count - done, 0x10000000));
        DWORD got = 0;
        if (!ReadFile(file, out + done, chunk, &got, nullptr) || got == 0)
            return false;
        done += got;
    }
    return true;
}

} // namespace

CImage::CImage() : m_nHeight(0), m_nWidth(0), m_nTexture(0) {}

CImage::CImage(unsigned short height, unsigned short width)
    : m_nHeight(height), m_nWidth(width), m_nTexture(0)
{}

CImage::CImage(const CImage& other) = default;
CImage& CImage::operator=(const CImage& other) = default;
CImage::~CImage() = default;

void CImage::FreeIt()
{
    std::vector<CRGBA>().swap(m_aPixels);
}

int CImage::ReadBMPFile(const wchar_t* file, int warn)
{
    HANDLE h = file ? CreateFileW(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)
                    : INVALID_HANDLE_VALUE;
    if (h == INVALID_HANDLE_VALUE)
    {
        if (warn)
            ShowWarning(L"can't open file: .bmp");
        return 0;
    }
    CFileHandle closer(h);
    FreeIt();
    m_nWidth = 0;
    m_nHeight = 0;

    unsigned char head[54] = {};
    LARGE_INTEGER length = {};
    tagBitmapInfoHeader info;
    const bool haveHead = GetFileSizeEx(h, &length) && ReadExact(h, head, sizeof(head)) &&
                          ReadBitmapInfoHeader(head + 14, sizeof(head) - 14, info);
    const unsigned long headerSize = info.size;
    const long width = static_cast<long>(info.width);
    const long height = static_cast<long>(info.height);
    if (!haveHead || info.bits != 24 || info.compression != BI_RGB || headerSize < 40)
    {
        ShowWarning(L"not a 24 bit/pixelimage, or is compressed!\n");
        return 0;
    }
    const long rows = height < 0 ? -height : height;
    if (width <= 0 || width > 0xFFFF || rows <= 0 || rows > 0xFFFF)
    {
        ShowWarning(L"Picture wrong size");
        return 0;
    }

    // Pixels begin where the file header says when that lies behind the information header
    // (a colour table or a longer header moves them on), else right behind that header.
    // Rows the file does not hold are cut off.
    const long long offset = ReadBitmapFileHeader(head).dataOffset;
    long long dataAt = 14 + static_cast<long long>(headerSize);
    if (offset > dataAt && offset < length.QuadPart)
        dataAt = offset;
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    const size_t stride = (rowBytes + 3) & ~static_cast<size_t>(3);
    long long present = length.QuadPart > dataAt ? (length.QuadPart - dataAt) : 0;
    // The last row needs no padding behind it.
    long long fullRows =
        present >= static_cast<long long>(rowBytes)
            ? 1 + (present - static_cast<long long>(rowBytes)) / static_cast<long long>(stride)
            : 0;
    long keep = static_cast<long>(std::min<long long>(rows, fullRows));
    if (keep <= 0)
    {
        ShowWarning(L"Picture wrong size");
        return 0;
    }
    LARGE_INTEGER at;
    at.QuadPart = dataAt;
    if (!SetFilePointerEx(h, at, nullptr, FILE_BEGIN))
        return 0;

    std::vector<CRGBA> pixels;
    std::vector<unsigned char> line;
    try
    {
        pixels.resize(static_cast<size_t>(width) * keep);
        line.resize(stride);
    }
    catch (const std::bad_alloc&)
    {
        return 0;
    }
    // A top-down file is cut at its bottom and turned so that rows run from the bottom up.
    const bool topDown = height < 0;
    for (long y = 0; y < keep; ++y)
    {
        const size_t want = y + 1 < fullRows ? stride : rowBytes;
        if (!ReadExact(h, line.data(), want))
            return 0;
        const long target = topDown ? keep - 1 - y : y;
        CRGBA* out = pixels.data() + static_cast<size_t>(target) * width;
        const unsigned char* in = line.data();
        for (long x = 0; x < width; ++x, in += 3)
            out[x].Set(in[2], in[1], in[0], 255);
    }
    m_aPixels.swap(pixels);
    m_nWidth = static_cast<unsigned short>(width);
    m_nHeight = static_cast<unsigned short>(keep);
    return 1;
}

CRGBA CImage::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight || m_aPixels.empty())
        return CRGBA();
    return m_aPixels[static_cast<size_t>(x) + static_cast<size_t>(y) * m_nWidth];
}

void CImage::SetPixel(int x, int y, const CRGBA& colour)
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight || m_aPixels.empty())
        return;
    m_aPixels[static_cast<size_t>(x) + static_cast<size_t>(y) * m_nWidth] = colour;
}

void CImage::EmbedChromaKey(const CRGBA* keys, unsigned long count)
{
    // No key, no pass: the stored alpha of a picture without keys stays.
    if (count == 0)
        return;
    if (!keys)
        count = 0;
    for (CRGBA& p : m_aPixels)
    {
        unsigned char alpha = 255;
        for (unsigned long i = 0; i < count; ++i)
        {
            if (p.r == keys[i].r && p.g == keys[i].g && p.b == keys[i].b)
            {
                alpha = keys[i].a;
                break;
            }
        }
        p.a = alpha;
    }
}

unsigned int CImage::CreateTexture()
{
    if (m_aPixels.empty() || !m_nWidth || !m_nHeight)
        return 0;
    if (!m_nTexture || !glIsTexture(m_nTexture))
    {
        GLuint name = 0;
        glGenTextures(1, &name);
        m_nTexture = name;
    }
    if (!m_nTexture)
        return 0;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, m_nTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, m_nWidth, m_nHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 m_aPixels.data());
    return m_nTexture;
}

void CImage::DeleteTexture()
{
    if (m_nTexture)
    {
        GLuint name = m_nTexture;
        glDeleteTextures(1, &name);
        m_nTexture = 0;
    }
}

void CImage::DrawTexture(float x, float y, float z, int upright, int /*spare*/) const
{
    if (!m_nWidth || !m_nHeight)
        return;
    const float x2 = x + m_nWidth;
    const float y2 = y + m_nHeight;
    // Texture s at the left and right edges; swapped for a mirrored picture.
    const float sl = upright ? 0.0f : 1.0f;
    const float sr = upright ? 1.0f : 0.0f;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, m_nTexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_QUADS);
    glTexCoord2f(sl, 0.0f);
    glVertex3f(x, y, z);
    glTexCoord2f(sr, 0.0f);
    glVertex3f(x2, y, z);
    glTexCoord2f(sr, 1.0f);
    glVertex3f(x2, y2, z);
    glTexCoord2f(sl, 1.0f);
    glVertex3f(x, y2, z);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
}

void CImage::DrawPixel(float x, float y, float z) const
{
    if (m_aPixels.empty())
        return;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glRasterPos3f(x, y, z);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glDrawPixels(m_nWidth, m_nHeight, GL_RGBA, GL_UNSIGNED_BYTE, m_aPixels.data());
    glDisable(GL_BLEND);
}

int CImage::Read(const RECT& rect)
{
    return Read(rect.left, rect.bottom, rect.right - rect.left, rect.top - rect.bottom);
}

int CImage::Read(int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF)
        return -1;
    std::vector<CRGBA> pixels;
    try
    {
        pixels.resize(static_cast<size_t>(width) * height);
    }
    catch (const std::bad_alloc&)
    {
        return -1;
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    m_aPixels.swap(pixels);
    m_nWidth = static_cast<unsigned short>(width);
    m_nHeight = static_cast<unsigned short>(height);
    return 0;
}

void CImage::Copy(float x, float y, float z, int sx, int sy) const
{
    if (m_aPixels.empty())
        return;
    glRasterPos3f(x, y, z);
    glCopyPixels(sx, sy, m_nWidth, m_nHeight, GL_COLOR);
}

void CImage::Serialize(std::ostream& out) const
{
    // Sizes always describe the pixels written, so a picture without pixels is 0 x 0.
    const bool has = !m_aPixels.empty();
    const unsigned short h = has ? m_nHeight : 0;
    const unsigned short w = has ? m_nWidth : 0;
    unsigned char head[8] = {1,
                             0,
                             0,
                             0,
                             static_cast<unsigned char>(h & 0xFF),
                             static_cast<unsigned char>(h >> 8),
                             static_cast<unsigned char>(w & 0xFF),
                             static_cast<unsigned char>(w >> 8)};
    out.write(reinterpret_cast<const char*>(head), sizeof(head));
    if (has)
        out.write(reinterpret_cast<const char*>(m_aPixels.data()),
                  static_cast<std::streamsize>(m_aPixels.size() * sizeof(CRGBA)));
}

int CImage::Serialize(std::istream& in)
{
    static_assert(sizeof(CRGBA) == 4, "pixels are stored as 4 bytes");
    unsigned char head[4] = {};
    in.read(reinterpret_cast<char*>(head), 4);
    if (in.gcount() != 4 || Le32(head) != 1)
        return 0;
    unsigned char sizes[4] = {};
    in.read(reinterpret_cast<char*>(sizes), 4);
    if (in.gcount() != 4)
        return 0;
    const unsigned short h = Le16(sizes);
    const unsigned short w = Le16(sizes + 2);
    const size_t bytes = static_cast<size_t>(h) * w * 4;
    FreeIt();
    m_nHeight = 0;
    m_nWidth = 0;

    const long long left = StreamBytesLeft(in);
    if (left >= 0 && static_cast<unsigned long long>(left) < bytes)
    {
        in.setstate(std::ios::failbit);
        return 0;
    }
    // With no known length the pixels are read in pieces, so a false size costs no more
    // memory than the data that really arrives.
    std::vector<CRGBA> pixels;
    const size_t piece = 1 << 20;
    try
    {
        if (left >= 0)
            pixels.reserve(bytes / 4);
        size_t done = 0;
        while (done < bytes)
        {
            size_t n = std::min(piece, bytes - done);
            pixels.resize((done + n) / 4);
            in.read(reinterpret_cast<char*>(pixels.data()) + done, static_cast<std::streamsize>(n));
            if (static_cast<size_t>(in.gcount()) != n)
            {
                in.setstate(std::ios::failbit);
                return 0;
            }
            done += n;
        }
    }
    catch (const std::bad_alloc&)
    {
        in.setstate(std::ios::failbit);
        return 0;
    }
    m_aPixels.swap(pixels);
    m_nHeight = h;
    m_nWidth = w;
    return 1;
}

} // namespace KV
