#pragma once
// A Windows bitmap file held in memory and painted with the device-independent-bitmap calls.
// Every header field is checked against the bytes actually loaded, so a damaged or hostile
// file leaves the picture empty instead of reading past the buffer.
#include "kvstruct/kvstruct_api.h"
#include "kvstruct/core/Geometry.h"
#include <windows.h>
#include <memory>
#include <vector>

namespace KV {

class KVSTRUCT_API CDib
{
public:
    CDib();
    // Copies share the loaded bytes; the last one alive frees them.
    CDib(const CDib& other);
    CDib& operator=(const CDib& other);
    virtual ~CDib();

    // Loads a ".bmp" file. False for a null name, a file that cannot be opened or a bitmap
    // whose headers do not fit its data. A file that is not a bitmap (no "BM", or shorter than
    // its size field says) leaves the picture empty and still returns true.
    bool Load(const wchar_t* file);
    bool LoadA(const char* file);
    // Attaches a bitmap given without its 14-byte file header (information header, colour
    // table, pixels). The bytes are copied. False, and empty, when the layout is not valid.
    bool Attach(const void* data, size_t size);
    void Free();

    int IsLoad() const { return m_pBits != nullptr; }
    // (width, height); (0, 0) when empty.
    CSize GetSize() const;
    long GetWidth() const { return m_nWidth; }
    long GetHeight() const { return m_nHeight; }
    unsigned short GetPlanes() const { return m_nPlanes; }
    unsigned short GetBitCount() const { return m_nBitCount; }
    unsigned long GetCompression() const { return m_nCompression; }
    unsigned long GetImageSize() const { return m_nImageSize; }
    unsigned long GetColourCount() const { return m_nColours; }
    unsigned long GetStride() const { return m_nStride; }
    // True when the file stores its top row first (negative height in the file); the rows
    // are turned on loading, so pixel data and GetColour are bottom-up either way.
    bool IsTopDown() const { return m_bTopDown; }
    // Pixel data as stored in the file, or nullptr.
    const unsigned char* GetpBits() const { return m_pBits; }
    // An information-header form of the headers (40-byte header, masks, colour table) that
    // every GDI call accepts, whatever header the file used. nullptr when empty.
    const BITMAPINFO* GetpInfo() const;
    // The three colour masks of a bit-field image (red, green, blue), else nullptr.
    const unsigned long* GetpMasks() const { return m_bHasMasks ? m_aMasks : nullptr; }

    // Stretches the source rectangle (a width or height of 0: the whole bitmap) onto the
    // destination rectangle. The platform's result, or -1 when empty.
    int Draw(HDC dc, int dx, int dy, int dw, int dh, int sx = 0, int sy = 0, int sw = 0, int sh = 0,
             DWORD rop = SRCCOPY) const;

    // Colour of one pixel, row 0 being the bottom row. 0 with r, g, b set; 1 when empty or compressed;
    // 2 when column >= width or row >= height.
    int GetColour(unsigned long row, unsigned long column, unsigned char& r, unsigned char& g,
                  unsigned char& b) const;

private:
    std::shared_ptr<const std::vector<unsigned char>> m_pData; // file bytes after the file header
    std::shared_ptr<const std::vector<unsigned char>> m_pInfo; // normalised BITMAPINFO
    const unsigned char* m_pBits;
    const unsigned char* m_pColourTable; // in the file: 3 bytes (core) or 4 bytes per entry
    unsigned long m_nColourEntry;        // 3 or 4
    long m_nWidth;
    long m_nHeight;
    unsigned short m_nPlanes;
    unsigned short m_nBitCount;
    unsigned long m_nCompression;
    unsigned long m_nImageSize;
    unsigned long m_nColours;
    unsigned long m_nStride;
    unsigned long m_aMasks[3];
    bool m_bHasMasks;
    bool m_bTopDown;
};

} // namespace KV
