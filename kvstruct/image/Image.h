#pragma once
// An RGBA picture for OpenGL: textures of the animated levels, read from 24-bit bitmap
// files or from the level files' stream form.
#include "kvstruct/kvstruct_api.h"
#include "kvstruct/image/Bitmap.h"
#include "kvstruct/core/Colour.h"
#include "kvstruct/core/Geometry.h"
#include <windows.h>
#include <istream>
#include <ostream>
#include <vector>

namespace KV {

class KVSTRUCT_API CImage
{
public:
    CImage();
    // A size without pixels (IsEmpty() stays true until pixels are read).
    CImage(unsigned short height, unsigned short width);
    // Copies own their pixels; the texture name is copied as it stands (a handle, never
    // deleted behind the owner's back).
    CImage(const CImage& other);
    CImage& operator=(const CImage& other);
    virtual ~CImage();

    bool IsEmpty() const { return m_aPixels.empty(); }
    // (width, height).
    CSize GetSize() const { return CSize(m_nWidth, m_nHeight); }
    unsigned short GetWidth() const { return m_nWidth; }
    unsigned short GetHeight() const { return m_nHeight; }
    void FreeIt();

    // Reads a 24-bit bitmap file. 1, or 0 after a warning (shown only when warn is set for a
    // file that cannot be opened). Sizes the file cannot hold are cut to the rows present.
    int ReadBMPFile(const wchar_t* file, int warn = 1);

    // Pixel at x + y * width, rows from the bottom; a zero colour outside the picture.
    CRGBA GetPixel(int x, int y) const;
    // Ignored outside the picture.
    void SetPixel(int x, int y, const CRGBA& colour);
    // Direct access to width * height pixels (nullptr when empty).
    const CRGBA* GetpPixels() const { return m_aPixels.empty() ? nullptr : m_aPixels.data(); }

    // Every pixel whose r, g, b equal one of the keys gets the alpha of the first such key;
    // every other pixel becomes opaque.
    void EmbedChromaKey(const CRGBA* keys, unsigned long count);

    // OpenGL (a context must be current). The texture name, 0 when none could be made.
    unsigned int CreateTexture();
    unsigned int GetTexture() const { return m_nTexture; }
    void DeleteTexture();
    // One textured quad from (x, y) to (x + width, y + height) at depth z, alpha blended;
    // upright 0 mirrors it left to right. spare is unused.
    void DrawTexture(float x, float y, float z, int upright = 1, int spare = 0) const;
    // The pixels at raster position (x, y, z), alpha blended.
    void DrawPixel(float x, float y, float z) const;
    // Replaces the pixels by the colour buffer block from (left, bottom), right - left by
    // top - bottom. 0, or -1 for a size out of range or when no memory could be had.
    int Read(const RECT& rect);
    int Read(int x, int y, int width, int height);
    // Copies the colour buffer block at (sx, sy) of the picture's size to raster position
    // (x, y, z), when the picture is not empty.
    void Copy(float x, float y, float z, int sx, int sy) const;

    // UInt32 version 1, UInt16 height, UInt16 width, height * width * (r, g, b, a).
    void Serialize(std::ostream& out) const;
    // 1 when a picture was read; 0 for another version (nothing more read) or data that
    // cannot hold the sizes it claims (the picture is left empty and the stream failed).
    int Serialize(std::istream& in);

private:
    unsigned short m_nHeight;
    unsigned short m_nWidth;
    std::vector<CRGBA> m_aPixels;
    unsigned int m_nTexture;
};

} // namespace KV
