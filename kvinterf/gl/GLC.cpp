#include "kvinterf/gl/GLC.h"
#include "kvstruct/sys/Handles.h"

#include "kvstruct/sys/MsgError.h"

#include <GL/gl.h>
#include <cstring>

namespace KV {

namespace {

const unsigned int kDefaultFontBase = 5000;

void DefaultFont(LOGFONTW& lf)
{
    std::memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -14;
    lf.lfWeight = 700;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = PROOF_QUALITY;
    wcscpy(lf.lfFaceName, L"Courier New");
}

void Report(const wchar_t* object, const wchar_t* error)
{
    CMsgError report(object, error);
}

} // namespace

CGLC::CGLC()
    : m_hRC(nullptr), m_hDC(nullptr), m_nFontBase(kDefaultFontBase), m_nCodePage(1252), m_aGlyphWidth{}
{
    DefaultFont(m_Font);
}

CGLC::~CGLC()
{
    m_hRC = nullptr;
    m_hDC = nullptr;
    DefaultFont(m_Font);
}

int CGLC::Create(HWND hWnd)
{
    if (!hWnd)
    {
        Report(L"CGLC::Create()", L"hWnd");
        return 0;
    }
    if (m_hRC)
        Destroy(WindowFromDC(m_hDC));
    m_hDC = GetDC(hWnd);
    if (!m_hDC)
        return 0;
    if (!SetupPixelFormat(m_hDC))
    {
        ReleaseDC(hWnd, m_hDC);
        m_hDC = nullptr;
        return 0;
    }
    m_hRC = wglCreateContext(m_hDC);
    if (!m_hRC)
    {
        ReleaseDC(hWnd, m_hDC);
        m_hDC = nullptr;
        return 0;
    }
    wglMakeCurrent(m_hDC, m_hRC);
    SetFont(m_hDC);
    return 0;
}

int CGLC::SetupPixelFormat(HDC dc)
{
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof(pfd);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 24;
    pfd.cDepthBits = 32;
    pfd.iLayerType = PFD_MAIN_PLANE;
    int format = ChoosePixelFormat(dc, &pfd);
    if (!format)
    {
        Report(L"CGLC::SetupPixelFormat()", L"ChoosePixelFormat()");
        return 0;
    }
    // A window keeps the first format it was given; setting the same one again is not needed.
    if (GetPixelFormat(dc) == format)
        return 1;
    if (!SetPixelFormat(dc, format, &pfd))
    {
        Report(L"CGLC::SetupPixelFormat()", L"SetPixelFormat()");
        return 0;
    }
    return 1;
}

int CGLC::SetFont(HDC dc)
{
    if (!m_hRC)
        return 0;
    // Lists built before in this context are replaced.
    if (m_nFontBase != kDefaultFontBase)
        glDeleteLists(m_nFontBase, 256);
    m_nFontBase = kDefaultFontBase;
    GLuint base = glGenLists(256);
    if (!base)
        return 0;
    CFontHandle font(CreateFontIndirectW(&m_Font));
    if (!font.IsValid())
    {
        glDeleteLists(base, 256);
        return 0;
    }
    m_nFontBase = base;
    CSelectObject select(dc, font);
    // Each byte becomes the character it means in the code page; runs of consecutive
    // characters are built in one call.
    wchar_t chars[256];
    for (int i = 0; i < 256; ++i)
    {
        char byte = static_cast<char>(i);
        wchar_t wc = 0;
        if (i == 0 || MultiByteToWideChar(m_nCodePage, 0, &byte, 1, &wc, 1) != 1)
            wc = static_cast<wchar_t>(i);
        chars[i] = wc;
    }
    GLYPHMETRICSFLOAT metrics[256] = {};
    BOOL ok = TRUE;
    for (int i = 0; i < 256;)
    {
        int n = 1;
        while (i + n < 256 && chars[i + n] == chars[i] + n)
            ++n;
        if (!wglUseFontOutlinesW(dc, chars[i], n, base + i, 0.0f, 0.0f, WGL_FONT_POLYGONS, metrics + i))
            ok = FALSE;
        i += n;
    }
    for (int i = 0; i < 256; ++i)
        m_aGlyphWidth[i] = ok ? metrics[i].gmfCellIncX : 0.0f;
    return ok ? 1 : 0;
}

float CGLC::GetGlyphWidth(unsigned char code) const
{
    return m_aGlyphWidth[code];
}

void CGLC::SetLOGFONT(const LOGFONTW* font)
{
    if (font)
        m_Font = *font;
    else
        DefaultFont(m_Font);
}

void CGLC::MakeCurrentDC(HDC /*dc*/)
{
    if (!m_hRC)
        return;
    if (wglGetCurrentDC() != m_hDC || wglGetCurrentContext() != m_hRC)
        wglMakeCurrent(m_hDC, m_hRC);
}

void CGLC::Ortho(double left, double right, double bottom, double top, double zNear, double zFar)
{
    glViewport(static_cast<GLint>(left), static_cast<GLint>(bottom), static_cast<GLsizei>(right),
               static_cast<GLsizei>(top));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(left, right, bottom, top, zNear, zFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void CGLC::Destroy(HWND hWnd)
{
    if (!m_hRC)
        return;
    if (wglGetCurrentContext() == m_hRC)
        wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(m_hRC);
    if (m_hDC)
        ReleaseDC(hWnd ? hWnd : WindowFromDC(m_hDC), m_hDC);
    m_hRC = nullptr;
    m_hDC = nullptr;
    m_nFontBase = kDefaultFontBase;
    for (float& w : m_aGlyphWidth)
        w = 0.0f;
}

void CGLC::SwapBuffers() const
{
    if (m_hDC)
        ::SwapBuffers(m_hDC);
}

} // namespace KV
