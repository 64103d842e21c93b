#pragma once
// Helpers of the skin and window tests: small bitmaps and layout files written on the fly,
// a registered window class for skinned windows, message pumping and DIB rendering.
#include "common/fwtest.h"
#include "kvinterf/kvinterf.h"
#include <windows.h>
#include <cstdint>
#include <functional>
#include <string>

namespace skintest {

// 24-bit bottom-up bitmap file bytes; colour(x, y) gives 0x00RRGGBB for the pixel at (x, y)
// counted from the top-left corner.
inline std::string Bmp24(int w, int h, const std::function<uint32_t(int, int)>& colour)
{
    const int stride = ((w * 3) + 3) & ~3;
    const uint32_t dataSize = (uint32_t)(stride * h);
    std::string b;
    auto u16 = [&](uint32_t v) {
        b += (char)(v & 0xFF);
        b += (char)((v >> 8) & 0xFF);
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    b += "BM";
    u32(54 + dataSize);
    u16(0);
    u16(0);
    u32(54);
    u32(40);
    u32((uint32_t)w);
    u32((uint32_t)h);
    u16(1);
    u16(24);
    u32(0);
    u32(dataSize);
    u32(2835);
    u32(2835);
    u32(0);
    u32(0);
    for (int row = h - 1; row >= 0; --row)
    {
        for (int x = 0; x < w; ++x)
        {
            const uint32_t c = colour(x, row);
            b += (char)(c & 0xFF);         // blue
            b += (char)((c >> 8) & 0xFF);  // green
            b += (char)((c >> 16) & 0xFF); // red
        }
        for (int p = w * 3; p < stride; ++p)
            b += '\0';
    }
    return b;
}

inline std::string SolidBmp(int w, int h, uint32_t rgb)
{
    return Bmp24(w, h, [rgb](int, int) { return rgb; });
}

// Little-endian writers of layout files.
struct Bytes
{
    std::string b;
    Bytes& U16(unsigned v)
    {
        b += (char)(v & 0xFF);
        b += (char)((v >> 8) & 0xFF);
        return *this;
    }
    Bytes& U32(unsigned long v)
    {
        U16(v & 0xFFFF);
        U16((v >> 16) & 0xFFFF);
        return *this;
    }
    Bytes& Str(const wchar_t* s)
    {
        std::wstring w(s);
        U16((unsigned)w.size());
        for (wchar_t c : w)
            U16(c);
        return *this;
    }
    Bytes& Record(unsigned id, int a, int bb, int c, int d, unsigned long style, int l0 = 0, int l1 = 0,
                  int l2 = 99, int l3 = 99, unsigned version = 1)
    {
        U16(version).U16(id).U16(a).U16(bb).U16(c).U16(d).U16(l0).U16(l1).U16(l2).U16(l3).U32(style);
        return *this;
    }
};

inline const wchar_t* TestClass()
{
    static ATOM atom = KV::CWnd::RegisterClassW(::GetModuleHandleW(nullptr), L"FwSkinTestWnd");
    (void)atom;
    return L"FwSkinTestWnd";
}

inline void Pump(DWORD ms = 0)
{
    const DWORD start = ::GetTickCount();
    do
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (ms)
            ::Sleep(5);
    } while (::GetTickCount() - start < ms);
}

// A caption-less top-level window of the given client size for a skin window object. Hidden by
// default: under Wine without a window manager, destroying a shown window waits two seconds.
inline HWND CreateTestWindow(KV::CWnd& wnd, int x, int y, int w, int h, DWORD style = WS_POPUP)
{
    return wnd.Create(0, TestClass(), L"skin test", style, x, y, w, h, nullptr, nullptr,
                      ::GetModuleHandleW(nullptr));
}

// A 32-bit top-down DIB section selected into a memory DC; pixels as 0x00RRGGBB.
class DibCanvas
{
public:
    DibCanvas(int w, int h, uint32_t fill = 0xFFFFFF) : m_w(w), m_h(h)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        m_dc = ::CreateCompatibleDC(nullptr);
        m_bmp = ::CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_old = ::SelectObject(m_dc, m_bmp);
        for (int i = 0; i < w * h; ++i)
            m_bits[i] = fill;
    }
    ~DibCanvas()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bmp);
        ::DeleteDC(m_dc);
    }
    HDC Dc() const { return m_dc; }
    uint32_t At(int x, int y) const
    {
        ::GdiFlush();
        return m_bits[y * m_w + x] & 0xFFFFFF;
    }

private:
    int m_w, m_h;
    HDC m_dc;
    HBITMAP m_bmp;
    HGDIOBJ m_old;
    uint32_t* m_bits = nullptr;
};

// A fresh skin root holding name.skn (when layout is given) and the folder name\.
struct SkinFolder
{
    std::wstring root; // with a trailing backslash
    std::wstring name;

    explicit SkinFolder(const wchar_t* skinName = L"Test") : name(skinName)
    {
        root = fwtest::MakeTempDir(L"skin") + L"\\";
        ::CreateDirectoryW((root + name).c_str(), nullptr);
    }
    std::wstring Layout() const { return root + name + L".skn"; }
    void WriteLayout(const std::string& bytes) const { fwtest::WriteFileBytes(Layout(), bytes); }
    void WritePicture(unsigned id, const std::string& bytes) const
    {
        fwtest::WriteFileBytes(root + name + L"\\" + std::to_wstring(id) + L".bmp", bytes);
    }
};

// Counts the points of a rectangle area inside a region.
inline int PointsIn(HRGN rgn, const RECT& rc)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += ::PtInRegion(rgn, x, y) ? 1 : 0;
    return n;
}

} // namespace skintest
