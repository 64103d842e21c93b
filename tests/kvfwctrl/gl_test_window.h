#pragma once
// A visible top-level window with an OpenGL context, one unit per pixel, origin bottom-left,
// depths -60..60 (larger in front): the drawing state of the typing view, for pixel checks.
#include "kvinterf/gl/GLC.h"
#include "kvstruct/core/Colour.h"
#include <windows.h>
#include <GL/gl.h>
#include <cstdlib>
#include <vector>

namespace fwtest {

class GLTestWindow
{
public:
    GLTestWindow(int width, int height) : m_width(width), m_height(height)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FwTestGLWindow";
        wc.style = CS_OWNDC;
        ::RegisterClassW(&wc);
        m_hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                   nullptr, nullptr, wc.hInstance, nullptr);
        m_gl.Create(m_hwnd);
        m_gl.Ortho(0, width, 0, height, -60, 60);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glShadeModel(GL_SMOOTH);
        glClearDepth(1.0);
    }
    ~GLTestWindow()
    {
        m_gl.Destroy(m_hwnd);
        ::DestroyWindow(m_hwnd);
    }

    void Clear(unsigned char r, unsigned char g, unsigned char b)
    {
        m_gl.MakeCurrentDC();
        glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    // Reads the back buffer after glFinish.
    void Grab()
    {
        glFinish();
        m_pixels.assign(static_cast<size_t>(m_width) * m_height * 4, 0);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, m_width, m_height, GL_RGBA, GL_UNSIGNED_BYTE, m_pixels.data());
    }
    // Pixel of the last Grab, y upwards from the bottom row.
    KV::CRGBA At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height || m_pixels.empty())
            return KV::CRGBA(1, 2, 3, 4);
        const unsigned char* p = &m_pixels[(static_cast<size_t>(y) * m_width + x) * 4];
        return KV::CRGBA(p[0], p[1], p[2]);
    }
    static bool Same(const KV::CRGBA& a, const KV::CRGBA& b, int tolerance = 2)
    {
        return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
               std::abs(a.b - b.b) <= tolerance;
    }
    // Pixels of colour c inside [x0, x1) x [y0, y1).
    int Count(const KV::CRGBA& c, int x0, int y0, int x1, int y1, int tolerance = 2) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (Same(At(x, y), c, tolerance))
                    ++n;
        return n;
    }
    // Leftmost column in row y showing colour c, or -1.
    int FirstX(const KV::CRGBA& c, int y) const
    {
        for (int x = 0; x < m_width; ++x)
            if (Same(At(x, y), c))
                return x;
        return -1;
    }

    HWND Hwnd() const { return m_hwnd; }
    HDC Dc() const { return m_gl.GetHDC(); }
    KV::CGLC& Gl() { return m_gl; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width, m_height;
    HWND m_hwnd;
    KV::CGLC m_gl;
    std::vector<unsigned char> m_pixels;
};

// One window for every drawing test (800 x 200): building a context and its glyphs costs
// seconds under Wine. Left alive until the process ends.
inline GLTestWindow& SharedGLWindow()
{
    static GLTestWindow* window = new GLTestWindow(800, 200);
    window->Gl().MakeCurrentDC();
    return *window;
}

} // namespace fwtest
