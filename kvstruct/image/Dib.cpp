#include "kvstruct/image/Dib.h"
#include "kvstruct/image/BitmapFile.h"
#include "kvstruct/sys/Handles.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace KV {

namespace {

// Reads count bytes; false when the file ends or fails first (out then holds what came).
bool ReadFileHead(HANDLE file, std::vector<unsigned char>& out, size_t count)
{
    out.resize(count);
    size_t done = 0;
    while (done < count)
    {
        DWORD chunk = static_cast<DWORD>(count - done > 0x10000000 ? 0x10000000 : count - done);
        DWORD got = 0;
        if (!ReadFile(file, out.data() + done, chunk, &got, nullptr) || got == 0)
            break;
        done += got;
    }
    out.resize(done);
    return done == count;
}

// Position of the lowest set bit and the width of a colour mask.
void MaskShape(unsigned long mask, int& shift, int& bits)
{
    shift = 0;
    bits = 0;
    if (!mask)
        return;
    while (!(mask & 1))
    {
        mask >>= 1;
        ++shift;
    }
    while (mask & 1)
    {
        mask >>= 1;
        ++bits;
    }
}

unsigned char MaskChannel(unsigned long value, unsigned long mask)
{
    int shift, bits;
    MaskShape(mask, shift, bits);
    if (!bits)
        return 0;
    unsigned long v = (value & mask) >> shift;
    if (bits >= 8)
        return static_cast<unsigned char>(v >> (bits - 8));
    // Spread a narrow channel over the full byte (5 bits: 31 -> 255).
    unsigned long maxv = (1ul << bits) - 1;
    return static_cast<unsigned char>((v * 255 + maxv / 2) / maxv);
}

} // namespace

CDib::CDib()
    : m_pBits(nullptr), m_pColourTable(nullptr), m_nColourEntry(4), m_nWidth(0), m_nHeight(0), m_nPlanes(0),
      m_nBitCount(0), m_nCompression(0), m_nImageSize(0), m_nColours(0), m_nStride(0), m_aMasks{0, 0, 0},
      m_bHasMasks(false), m_bTopDown(false)
{}

CDib::CDib(const CDib& other) = default;
CDib& CDib::operator=(const CDib& other) = default;
CDib::~CDib() = default;

void CDib::Free()
{
    *this = CDib();
}

CSize CDib::GetSize() const
{
    if (!IsLoad())
        return CSize(0, 0);
    return CSize(m_nWidth, m_nHeight);
}

const BITMAPINFO* CDib::GetpInfo() const
{
    if (!m_pInfo)
        return nullptr;
    return reinterpret_cast<const BITMAPINFO*>(m_pInfo->data());
}

bool CDib::Load(const wchar_t* file)
{
    if (!file)
        return false;
    CFileHandle h(CreateFileW(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!h.IsValid())
        return false;
    Free();
    bool result = true;
    LARGE_INTEGER length;
    std::vector<unsigned char> head;
    if (GetFileSizeEx(h, &length) && ReadFileHead(h, head, 14) && ReadBitmapFileHeader(head.data()).signature)
    {
        unsigned long declared = ReadBitmapFileHeader(head.data()).fileSize;
        // The size field counts the file header too; a file shorter than it says is not used.
        if (declared > 14 && static_cast<long long>(declared) <= length.QuadPart)
        {
            std::vector<unsigned char> data;
            try
            {
                result = ReadFileHead(h, data, declared - 14) && Attach(data.data(), data.size());
            }
            catch (const std::bad_alloc&)
            {
                result = false;
            }
        }
    }
    return result;
}

bool CDib::LoadA(const char* file)
{
    if (!file)
        return false;
    int n = MultiByteToWideChar(CP_ACP, 0, file, -1, nullptr, 0);
    if (n <= 0)
        return false;
    std::vector<wchar_t> wide(n);
    MultiByteToWideChar(CP_ACP, 0, file, -1, wide.data(), n);
    return Load(wide.data());
}

bool CDib::Attach(const void* source, size_t size)
{
    Free();
    if (!source || size < 12)
        return false;
    const unsigned char* p = static_cast<const unsigned char*>(source);
    tagBitmapInfoHeader header;
    if (!ReadBitmapInfoHeader(p, size, header))
        return false;
    const unsigned long headerSize = header.size;
    if (headerSize != 12 && headerSize != 40 && headerSize != 108 && headerSize != 124)
        return false;
    if (size < headerSize)
        return false;
    long long width = header.width, height = header.height;
    unsigned short planes = header.planes, bits = header.bits;
    unsigned long compression = header.compression, imageSize = header.imageSize, used = header.coloursUsed;
    unsigned long masks[3] = {0, 0, 0};
    bool hasMasks = false;
    unsigned long long tableAt = headerSize, entry = headerSize == 12 ? 3 : 4;
    if (headerSize != 12 && compression == BI_BITFIELDS)
    {
        // The masks follow a plain information header; the longer headers carry them.
        const unsigned char* m = p + 40;
        if (headerSize == 40)
        {
            if (size < 52)
                return false;
            tableAt = 52;
        }
        masks[0] = Le32(m);
        masks[1] = Le32(m + 4);
        masks[2] = Le32(m + 8);
        hasMasks = true;
    }

    switch (bits)
    {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    case 0:
        if (compression != BI_JPEG && compression != BI_PNG)
            return false;
        break;
    default:
        return false;
    }
    switch (compression)
    {
    case BI_RGB:
        break;
    case BI_RLE8:
        if (bits != 8)
            return false;
        break;
    case BI_RLE4:
        if (bits != 4)
            return false;
        break;
    case BI_BITFIELDS:
        if (bits != 16 && bits != 32)
            return false;
        break;
    case BI_JPEG:
    case BI_PNG:
        break;
    default:
        return false;
    }

    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width <= 0 || height <= 0)
        return false;
    if (topDown && compression != BI_RGB && compression != BI_BITFIELDS)
        return false;

    // Entries stored in the file, and those a pixel can index (at most 2^bits).
    unsigned long long stored = used;
    if (headerSize == 12)
        stored = bits <= 8 ? (1ull << bits) : 0;
    else if (stored == 0 && bits <= 8 && bits > 0)
        stored = 1ull << bits;
    unsigned long long colours = stored;
    if (bits <= 8 && bits > 0 && colours > (1ull << bits))
        colours = 1ull << bits;
    const unsigned long long bitsAt = tableAt + stored * entry;
    if (bitsAt > size)
        return false;
    const unsigned long long available = size - bitsAt;
    const unsigned long long stride = ((static_cast<unsigned long long>(width) * bits + 31) / 32) * 4;

    const bool raw = compression == BI_RGB || compression == BI_BITFIELDS;
    unsigned long long needed;
    if (raw)
    {
        needed = stride * static_cast<unsigned long long>(height);
        if (needed > available || needed > 0xFFFFFFFFull)
            return false;
    }
    else
    {
        needed = imageSize ? imageSize : available;
        if (needed == 0 || needed > available)
            return false;
    }

    std::shared_ptr<std::vector<unsigned char>> data;
    std::shared_ptr<std::vector<unsigned char>> info;
    try
    {
        data = std::make_shared<std::vector<unsigned char>>(p, p + bitsAt + needed);
        // Normalised form: information header, masks, 4-byte colour table.
        const size_t infoColours = bits <= 8 ? static_cast<size_t>(colours) : 0;
        info = std::make_shared<std::vector<unsigned char>>(
            sizeof(BITMAPINFOHEADER) + (hasMasks ? 12 : 0) + infoColours * 4 + 4, 0);
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }

    if (topDown)
    {
        // Kept bottom-up, so that rows and source rectangles mean the same for every file.
        unsigned char* bitsOut = data->data() + bitsAt;
        for (long long top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        {
            unsigned char* a = bitsOut + top * stride;
            std::swap_ranges(a, a + stride, bitsOut + bottom * stride);
        }
    }

    BITMAPINFOHEADER* bih = reinterpret_cast<BITMAPINFOHEADER*>(info->data());
    bih->biSize = sizeof(BITMAPINFOHEADER);
    bih->biWidth = static_cast<LONG>(width);
    bih->biHeight = static_cast<LONG>(height);
    bih->biPlanes = 1;
    bih->biBitCount = bits;
    bih->biCompression = compression;
    bih->biSizeImage = static_cast<DWORD>(needed);
    bih->biClrUsed = bits <= 8 ? static_cast<DWORD>(colours) : 0;
    unsigned char* after = info->data() + sizeof(BITMAPINFOHEADER);
    if (hasMasks)
    {
        std::memcpy(after, masks, 12);
        after += 12;
    }
    const unsigned char* table = data->data() + tableAt;
    if (bits <= 8)
    {
        for (unsigned long long i = 0; i < colours; ++i)
        {
            after[i * 4 + 0] = table[i * entry + 0];
            after[i * 4 + 1] = table[i * entry + 1];
            after[i * 4 + 2] = table[i * entry + 2];
        }
    }

    m_pData = data;
    m_pInfo = info;
    m_pBits = data->data() + bitsAt;
    m_pColourTable = colours ? table : nullptr;
    m_nColourEntry = static_cast<unsigned long>(entry);
    m_nWidth = static_cast<long>(width);
    m_nHeight = static_cast<long>(height);
    m_nPlanes = planes;
    m_nBitCount = bits;
    m_nCompression = compression;
    m_nImageSize = static_cast<unsigned long>(needed);
    m_nColours = static_cast<unsigned long>(colours);
    m_nStride = static_cast<unsigned long>(stride);
    m_aMasks[0] = masks[0];
    m_aMasks[1] = masks[1];
    m_aMasks[2] = masks[2];
    m_bHasMasks = hasMasks;
    m_bTopDown = topDown;
    return true;
}

int CDib::Draw(HDC dc, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh, DWORD rop) const
{
    if (!IsLoad())
        return -1;
    if (sw == 0 || sh == 0)
    {
        sx = 0;
        sy = 0;
        sw = m_nWidth;
        sh = m_nHeight;
    }
    // Source rectangles are given from the top of the picture; the rows are held bottom-up,
    // and such a DIB counts its source rows from the bottom.
    int ySrc = m_nHeight - sy - sh;
    return StretchDIBits(dc, dx, dy, dw, dh, sx, ySrc, sw, sh, m_pBits, GetpInfo(), DIB_RGB_COLORS, rop);
}

int CDib::GetColour(unsigned long row, unsigned long column, unsigned char& r, unsigned char& g,
                    unsigned char& b) const
{
    if (!IsLoad() || (m_nCompression != BI_RGB && m_nCompression != BI_BITFIELDS))
        return 1;
    if (column >= static_cast<unsigned long>(m_nWidth) || row >= static_cast<unsigned long>(m_nHeight))
        return 2;
    // Rows lie a padded stride apart, as in the file.
    const unsigned char* line = m_pBits + static_cast<size_t>(row) * m_nStride;
    switch (m_nBitCount)
    {
    case 24: {
        const unsigned char* px = line + static_cast<size_t>(column) * 3;
        b = px[0];
        g = px[1];
        r = px[2];
        return 0;
    }
    case 32: {
        const unsigned char* px = line + static_cast<size_t>(column) * 4;
        if (m_bHasMasks)
        {
            unsigned long v = Le32(px);
            r = MaskChannel(v, m_aMasks[0]);
            g = MaskChannel(v, m_aMasks[1]);
            b = MaskChannel(v, m_aMasks[2]);
        }
        else
        {
            b = px[0];
            g = px[1];
            r = px[2];
        }
        return 0;
    }
    case 16: {
        unsigned long v = Le16(line + static_cast<size_t>(column) * 2);
        unsigned long rm = 0x7C00, gm = 0x03E0, bm = 0x001F;
        if (m_bHasMasks)
        {
            rm = m_aMasks[0];
            gm = m_aMasks[1];
            bm = m_aMasks[2];
        }
        r = MaskChannel(v, rm);
        g = MaskChannel(v, gm);
        b = MaskChannel(v, bm);
        return 0;
    }
    default: {
        // 1, 2, 4 or 8 bits: an index into the colour table, leftmost pixel in the high bits.
        const unsigned long bitPos = column * m_nBitCount;
        const unsigned char byte = line[bitPos / 8];
        const unsigned shift = 8 - m_nBitCount - (bitPos % 8);
        const unsigned long index = (byte >> shift) & ((1u << m_nBitCount) - 1);
        if (index >= m_nColours || !m_pColourTable)
        {
            r = g = b = 0;
            return 0;
        }
        const unsigned char* entry = m_pColourTable + index * m_nColourEntry;
        b = entry[0];
        g = entry[1];
        r = entry[2];
        return 0;
    }
    }
}

} // namespace KV
