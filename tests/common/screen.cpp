#include "common/screen.h"
#include "common/fwtest.h"

#include <windows.h>
#include <cstdlib>

namespace fwtest {

namespace {

unsigned long Big32(const std::string& b, size_t at)
{
    if (at + 4 > b.size())
        return 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(b.data() + at);
    return (static_cast<unsigned long>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// Value of a channel mask scaled to 0..255.
unsigned long Channel(unsigned long pixel, unsigned long mask)
{
    if (!mask)
        return 0;
    while (!(mask & 1))
    {
        mask >>= 1;
        pixel >>= 1;
    }
    return (pixel & mask) * 255 / mask;
}

} // namespace

bool ScreenShot::Capture()
{
    m_pixels.clear();
    m_width = m_height = 0;
    wchar_t display[64] = {};
    if (!GetEnvironmentVariableW(L"DISPLAY", display, 64))
    {
        m_error = "no DISPLAY";
        return false;
    }
    const std::wstring file = MakeTempDir(L"screen") + L"\\root.xwd";
    wchar_t unixFile[MAX_PATH] = {};
    // Wine runs a Unix program given by its Unix path; the output file is named in Unix terms.
    typedef char*(CDECL * ToUnix)(const wchar_t*);
    ToUnix toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix)
    {
        m_error = "not under Wine";
        return false;
    }
    char* u = toUnix(file.c_str());
    if (!u)
    {
        m_error = "no Unix path";
        return false;
    }
    MultiByteToWideChar(CP_UTF8, 0, u, -1, unixFile, MAX_PATH);
    HeapFree(GetProcessHeap(), 0, u);
    std::wstring cmd = L"/usr/bin/xwd -root -silent -display ";
    cmd += display;
    cmd += L" -out ";
    cmd += unixFile;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(L"/usr/bin/xwd", &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    {
        m_error = "xwd did not start: " + std::to_string(GetLastError());
        return false;
    }
    WaitForSingleObject(pi.hProcess, 20000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // The process handle of a Unix program may end before its output is complete.
    std::string b;
    for (int i = 0; i < 100; ++i)
    {
        b = ReadFileBytes(file);
        if (b.size() > 100 && b.size() >= Big32(b, 0) + Big32(b, 19 * 4) * 12 +
                                              static_cast<size_t>(Big32(b, 12 * 4)) * Big32(b, 5 * 4))
            break;
        Sleep(50);
    }
    const unsigned long headerSize = Big32(b, 0), width = Big32(b, 4 * 4), height = Big32(b, 5 * 4),
                        byteOrder = Big32(b, 7 * 4), bpp = Big32(b, 11 * 4), line = Big32(b, 12 * 4),
                        red = Big32(b, 14 * 4), green = Big32(b, 15 * 4), blue = Big32(b, 16 * 4),
                        colours = Big32(b, 19 * 4);
    const size_t data = headerSize + static_cast<size_t>(colours) * 12;
    const unsigned long bytes = bpp / 8;
    if (b.size() < 100 || (bytes != 3 && bytes != 4) || b.size() < data + static_cast<size_t>(line) * height)
    {
        m_error =
            "unexpected xwd output: " + std::to_string(b.size()) + " bytes, " + std::to_string(bpp) + " bits";
        return false;
    }
    m_width = static_cast<int>(width);
    m_height = static_cast<int>(height);
    m_pixels.resize(static_cast<size_t>(width) * height);
    for (unsigned long y = 0; y < height; ++y)
        for (unsigned long x = 0; x < width; ++x)
        {
            const unsigned char* p =
                reinterpret_cast<const unsigned char*>(b.data() + data + y * line + x * bytes);
            unsigned long v = 0;
            for (unsigned long i = 0; i < bytes; ++i)
                v |= static_cast<unsigned long>(p[i]) << (byteOrder ? 8 * (bytes - 1 - i) : 8 * i);
            m_pixels[y * width + x] = (Channel(v, red) << 16) | (Channel(v, green) << 8) | Channel(v, blue);
        }
    return true;
}

unsigned long ScreenShot::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0xFF000000ul;
    return m_pixels[static_cast<size_t>(y) * m_width + x];
}

int ScreenShot::Count(unsigned long rgb, int x0, int y0, int x1, int y1, int tolerance) const
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
        {
            const unsigned long p = At(x, y);
            if (p == 0xFF000000ul)
                continue;
            bool same = true;
            for (int s = 0; s < 24; s += 8)
                if (std::abs(static_cast<int>((p >> s) & 0xFF) - static_cast<int>((rgb >> s) & 0xFF)) >
                    tolerance)
                    same = false;
            n += same ? 1 : 0;
        }
    return n;
}

} // namespace fwtest
