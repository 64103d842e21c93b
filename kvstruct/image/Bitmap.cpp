#include "kvstruct/image/Bitmap.h"
#include "kvstruct/sys/Handles.h"
#include "kvstruct/sys/MsgBox.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace KV {

HBITMAP CreateBITMAP(const CDib& dib)
{
    if (!dib.IsLoad())
        return nullptr;
    const BITMAPINFO* info = dib.GetpInfo();
    const unsigned long compression = dib.GetCompression();
    if (compression == BI_RGB || compression == BI_BITFIELDS)
    {
        void* bits = nullptr;
        CBitmapHandle bmp(CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bmp.IsValid() || !bits)
            return nullptr;
        GdiFlush();
        std::memcpy(bits, dib.GetpBits(), static_cast<size_t>(dib.GetStride()) * dib.GetHeight());
        return bmp.Release();
    }
    if (compression == BI_RLE8 || compression == BI_RLE4)
    {
        // Run-length pictures are unpacked by the platform into a 32-bit section.
        BITMAPINFO out = {};
        out.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        out.bmiHeader.biWidth = dib.GetWidth();
        out.bmiHeader.biHeight = dib.GetHeight();
        out.bmiHeader.biPlanes = 1;
        out.bmiHeader.biBitCount = 32;
        out.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        CBitmapHandle bmp(CreateDIBSection(nullptr, &out, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bmp.IsValid())
            return nullptr;
        int lines = SetDIBits(CWindowDC(nullptr), bmp, 0, static_cast<UINT>(dib.GetHeight()), dib.GetpBits(),
                              info, DIB_RGB_COLORS);
        return lines > 0 ? bmp.Release() : nullptr;
    }
    return nullptr;
}

HBITMAP GetBITMAPW(const wchar_t* file)
{
    CDib dib;
    if (!dib.Load(file))
        return nullptr;
    return CreateBITMAP(dib);
}

HBITMAP GetBITMAPA(const char* file)
{
    CDib dib;
    if (!dib.LoadA(file))
        return nullptr;
    return CreateBITMAP(dib);
}

namespace {

HRGN RegionFromRects(const RECT* rects, size_t count)
{
    std::vector<unsigned char> buffer;
    try
    {
        buffer.resize(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
    RGNDATA* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(count);
    data->rdh.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    RECT bound = rects[0];
    for (size_t i = 1; i < count; ++i)
        UnionRect(&bound, &bound, &rects[i]);
    data->rdh.rcBound = bound;
    std::memcpy(data->Buffer, rects, count * sizeof(RECT));
    return ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data);
}

// Whether a DIB section stores its top row first. The section's header does not tell
// (its height reads positive either way), so the first pair of mirrored rows that differ is
// compared with what the platform reports on top. 1 or 0; -1 when it cannot be told.
int StoredTopDown(HBITMAP bitmap, const unsigned char* bits, long long stride, int width, int height,
                  int step)
{
    for (int k = 0; k < height / 2; ++k)
    {
        const unsigned char* a = bits + stride * k;
        const unsigned char* b = bits + stride * (height - 1 - k);
        for (int x = 0; x < width; ++x)
        {
            const unsigned char* pa = a + x * step;
            const unsigned char* pb = b + x * step;
            if (pa[0] == pb[0] && pa[1] == pb[1] && pa[2] == pb[2])
                continue;
            CMemoryDC mem(CreateCompatibleDC(nullptr));
            if (!mem.IsValid())
                return -1;
            HGDIOBJ old = SelectObject(mem, bitmap);
            if (!old)
                return -1;
            COLORREF shown = GetPixel(mem, x, k);
            SelectObject(mem, old);
            if (shown == RGB(pa[2], pa[1], pa[0]))
                return 1;
            if (shown == RGB(pb[2], pb[1], pb[0]))
                return 0;
            return -1;
        }
    }
    return 0; // mirror-symmetric: either order gives the same region
}

} // namespace

HRGN CreateRegion(HBITMAP bitmap, COLORREF key, COLORREF tolerance)
{
    if (!bitmap)
        return nullptr;
    CBitmapHandle owned(bitmap); // the region takes the bitmap over
    DIBSECTION ds = {};
    const int got = GetObjectW(bitmap, sizeof(ds), &ds);
    if (got < static_cast<int>(sizeof(BITMAP)) || ds.dsBm.bmWidth <= 0 || ds.dsBm.bmHeight <= 0)
        return nullptr;
    const int width = ds.dsBm.bmWidth;
    const int height = ds.dsBm.bmHeight;

    // Rows are read in place from a 24- or 32-bit DIB section; anything else is copied into
    // 32-bit pixels first.
    const unsigned char* base = nullptr;
    long long pitch = 0; // bytes from one row to the next, top row first
    int step = 4;
    std::vector<DWORD> pixels;
    bool direct = got == static_cast<int>(sizeof(DIBSECTION)) && ds.dsBm.bmBits &&
                  ds.dsBmih.biCompression == BI_RGB &&
                  (ds.dsBm.bmBitsPixel == 24 || ds.dsBm.bmBitsPixel == 32);
    if (direct)
    {
        GdiFlush();
        step = ds.dsBm.bmBitsPixel / 8;
        const long long stride = ds.dsBm.bmWidthBytes;
        const unsigned char* bits = static_cast<const unsigned char*>(ds.dsBm.bmBits);
        int topDown = StoredTopDown(bitmap, bits, stride, width, height, step);
        if (topDown < 0)
        {
            direct = false;
        }
        else if (topDown)
        {
            base = bits;
            pitch = stride;
        }
        else
        {
            base = bits + stride * (height - 1);
            pitch = -stride;
        }
    }
    if (!direct)
    {
        try
        {
            pixels.resize(static_cast<size_t>(width) * height);
        }
        catch (const std::bad_alloc&)
        {
            return nullptr;
        }
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height; // top row first
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        int lines = GetDIBits(CWindowDC(nullptr), bitmap, 0, static_cast<UINT>(height), pixels.data(), &bi,
                              DIB_RGB_COLORS);
        if (lines != height)
            return nullptr;
        base = reinterpret_cast<const unsigned char*>(pixels.data());
        pitch = static_cast<long long>(width) * 4;
    }

    // A channel is keyed when it lies within the tolerance on either side of the key.
    bool inR[256], inG[256], inB[256];
    auto fill = [](bool* table, int k, int t) {
        for (int v = 0; v < 256; ++v)
            table[v] = v >= k - t && v <= k + t;
    };
    fill(inR, GetRValue(key), GetRValue(tolerance));
    fill(inG, GetGValue(key), GetGValue(tolerance));
    fill(inB, GetBValue(key), GetBValue(tolerance));
    auto keyed = [&](const unsigned char* p) { return inB[p[0]] && inG[p[1]] && inR[p[2]]; };

    // Runs of opaque pixels, one band per row; a row whose runs equal the previous row's
    // extends that band downwards, which keeps the rectangle count low.
    std::vector<RECT> rects;
    std::vector<std::pair<int, int>> runs, previous;
    size_t bandStart = 0;
    bool ok = true;
    try
    {
        for (int y = 0; y < height; ++y)
        {
            const unsigned char* row = base + pitch * y;
            runs.clear();
            int x = 0;
            while (x < width)
            {
                while (x < width && keyed(row + x * step))
                    ++x;
                if (x >= width)
                    break;
                int start = x;
                while (x < width && !keyed(row + x * step))
                    ++x;
                runs.emplace_back(start, x);
            }
            if (y > 0 && !runs.empty() && runs == previous)
            {
                for (size_t i = bandStart; i < rects.size(); ++i)
                    rects[i].bottom = y + 1;
            }
            else
            {
                bandStart = rects.size();
                for (const auto& r : runs)
                    rects.push_back(RECT{r.first, y, r.second, y + 1});
            }
            previous.swap(runs);
        }
    }
    catch (const std::bad_alloc&)
    {
        ok = false;
    }
    owned.Reset();
    if (!ok)
        return nullptr;
    if (rects.empty())
        return CreateRectRgn(0, 0, 0, 0);

    // Some platforms build a region from a rectangle list in quadratic time, so it is made
    // from small pieces of whole bands joined pairwise.
    std::vector<CRegionHandle> parts;
    const size_t piece = 16;
    for (size_t first = 0; first < rects.size();)
    {
        size_t last = std::min(first + piece, rects.size());
        while (last < rects.size() && rects[last].top == rects[last - 1].top)
            ++last;
        CRegionHandle part(RegionFromRects(rects.data() + first, last - first));
        if (!part.IsValid())
            return nullptr;
        parts.push_back(std::move(part));
        first = last;
    }
    while (parts.size() > 1)
    {
        size_t out = 0;
        for (size_t i = 0; i < parts.size(); i += 2)
        {
            if (i + 1 < parts.size())
            {
                CombineRgn(parts[i], parts[i], parts[i + 1], RGN_OR);
                parts[i + 1].Reset();
            }
            if (out != i)
                parts[out] = std::move(parts[i]);
            ++out;
        }
        parts.resize(out);
    }
    return parts[0].Release();
}

BOOL DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int sx, int sy)
{
    if (!dc || !bitmap)
        return FALSE;
    BITMAP bm = {};
    if (!GetObjectW(bitmap, sizeof(bm), &bm))
        return FALSE;
    CMemoryDC mem(CreateCompatibleDC(dc));
    if (!mem.IsValid())
        return FALSE;
    CSelectObject select(mem, bitmap);
    SetMapMode(mem, GetMapMode(dc));
    // The size in dc's logical units (measured between two points, so an origin offset of
    // the mapping does not enter it); the source point in the memory context's units.
    POINT size[2] = {{0, 0}, {bm.bmWidth, bm.bmHeight}};
    DPtoLP(dc, size, 2);
    POINT org = {sx, sy};
    DPtoLP(mem, &org, 1);
    return BitBlt(dc, x, y, size[1].x - size[0].x, size[1].y - size[0].y, mem, org.x, org.y, SRCCOPY);
}

int ImportDibToRGBA(const CDib& dib, CListRGBA& list, unsigned long row, unsigned long column)
{
    list.clear();
    if (!dib.IsLoad())
    {
        ShowWarning(L"Picture not found");
        return 0;
    }
    const unsigned long height = static_cast<unsigned long>(dib.GetHeight());
    const unsigned long width = static_cast<unsigned long>(dib.GetWidth());
    const unsigned long rowFirst = row == kAllDib ? 0 : row;
    const unsigned long rowEnd = row == kAllDib ? height : row + 1;
    const unsigned long colFirst = column == kAllDib ? 0 : column;
    const unsigned long colEnd = column == kAllDib ? width : column + 1;
    for (unsigned long r = rowFirst; r < rowEnd; ++r)
    {
        for (unsigned long c = colFirst; c < colEnd; ++c)
        {
            unsigned char red = 0, green = 0, blue = 0;
            int res = dib.GetColour(r, c, red, green, blue);
            if (res == 2)
            {
                ShowWarning(L"Picture wrong size");
                return 0;
            }
            if (res != 0)
            {
                ShowWarning(L"Picture not found");
                return 0;
            }
            list.push_back(CRGBA(red, green, blue, 0));
        }
    }
    return 1;
}

} // namespace KV
