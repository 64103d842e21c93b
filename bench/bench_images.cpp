#include "bench.h"
#include "kvstruct/image/Bitmap.h"
#include "kvstruct/image/Dib.h"

#include <random>
#include <vector>

namespace {

// A 1,024 x 768 skin picture with a few hundred magenta holes of various sizes.
HBITMAP MakeHoledBitmap(int holes)
{
    const int w = 1024, h = 768;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    DWORD* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    for (int i = 0; i < w * h; ++i)
        bits[i] = 0x406080 + (i % 7);
    std::mt19937 rng(42);
    for (int n = 0; n < holes; ++n)
    {
        int cx = rng() % w, cy = rng() % h, r = 3 + rng() % 18;
        for (int y = cy - r; y <= cy + r; ++y)
            for (int x = cx - r; x <= cx + r; ++x)
                if (x >= 0 && y >= 0 && x < w && y < h && (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                    bits[y * w + x] = 0xF805F8; // near magenta
    }
    return bmp;
}

fwbench::Registrar region("kvstruct: CreateRegion, 1,024 x 768 with 300 holes", 20.0, [] {
    HBITMAP bmp = nullptr;
    HRGN rgn = nullptr;
    double ms = fwbench::MedianMs(
        7,
        [&] {
            rgn = KV::CreateRegion(bmp, RGB(255, 0, 255), 0x101010);
            bmp = nullptr;
        },
        [&] {
            if (rgn)
                DeleteObject(rgn);
            rgn = nullptr;
            bmp = MakeHoledBitmap(300);
        });
    if (rgn)
        DeleteObject(rgn);
    return ms;
});

} // namespace
