#include "kvinterf/gl/GLC.h"
#include "kvstruct/sys/Handles.h"

#include "kvstruct/sys/MsgError.h"

#include <GL/gl.h>
#include <GL/glext.h> // GL_BGRA
#include <GL/wglext.h>
#include <commctrl.h>
#include <cstring>
#include <vector>

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

const UINT_PTR kViewSubclassId = 0x474C43; // "GLC"
const wchar_t kHelperClass[] = L"KVGLOffscreenHelper";

HWND CreateHelperWindow()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc = {};
    if (!GetClassInfoW(instance, kHelperClass, &wc))
    {
        wc.style = CS_OWNDC;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = instance;
        wc.lpszClassName = kHelperClass;
        if (!RegisterClassW(&wc))
            return nullptr;
    }
    return CreateWindowExW(WS_EX_TOOLWINDOW, kHelperClass, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                           instance, nullptr);
}

// Makes a context current for the lifetime of the object and restores the previous one.
class CurrentScope
{
public:
    CurrentScope(HDC dc, HGLRC rc) : m_dc(wglGetCurrentDC()), m_rc(wglGetCurrentContext())
    {
        m_switched = m_rc != rc || m_dc != dc;
        if (m_switched)
            wglMakeCurrent(dc, rc);
    }
    ~CurrentScope()
    {
        if (m_switched)
            wglMakeCurrent(m_dc, m_rc);
    }

private:
    HDC m_dc;
    HGLRC m_rc;
    bool m_switched;
};

} // namespace

struct CGLC::tagOffscreen
{
    HWND view = nullptr;
    HWND helper = nullptr;
    HDC helperDC = nullptr;
    // The frames are drawn into a double-buffered pbuffer of the view's size (a window's own
    // drawable in every respect that matters to the drawing code, back buffer included).
    HPBUFFERARB pbuffer = nullptr;
    HDC pbufferDC = nullptr;
    PFNWGLCREATEPBUFFERARBPROC createPbuffer = nullptr;
    PFNWGLGETPBUFFERDCARBPROC getPbufferDC = nullptr;
    PFNWGLRELEASEPBUFFERDCARBPROC releasePbufferDC = nullptr;
    PFNWGLDESTROYPBUFFERARBPROC destroyPbuffer = nullptr;
    // The pbuffer only grows, so a view made smaller keeps drawing in its lower-left part.
    int width = 0, height = 0;
    // The last frame shown, bottom row first, 32-bit BGRA: WM_PAINT repeats it.
    std::vector<unsigned char> frame;
    int frameWidth = 0, frameHeight = 0;
    bool shownInPaint = false;

    template <typename T>
    static bool Load(T& fn, const char* name)
    {
        fn = reinterpret_cast<T>(reinterpret_cast<void*>(wglGetProcAddress(name)));
        return fn != nullptr;
    }
    bool LoadCalls()
    {
        return Load(createPbuffer, "wglCreatePbufferARB") && Load(getPbufferDC, "wglGetPbufferDCARB") &&
               Load(releasePbufferDC, "wglReleasePbufferDCARB") &&
               Load(destroyPbuffer, "wglDestroyPbufferARB");
    }

    // A pbuffer of at least w x h replaces the present one and becomes the context's drawable
    // (the thread's current context stays current). False when none could be made.
    bool Grow(int w, int h, HGLRC rc)
    {
        if (pbuffer && w <= width && h <= height)
            return true;
        w = w > width ? w : width;
        h = h > height ? h : height;
        w = w < 1 ? 1 : w;
        h = h < 1 ? 1 : h;
        const int attributes[] = {0};
        HPBUFFERARB made = createPbuffer(helperDC, GetPixelFormat(helperDC), w, h, attributes);
        HDC dc = made ? getPbufferDC(made) : nullptr;
        if (!dc)
        {
            if (made)
                destroyPbuffer(made);
            return false;
        }
        HDC currentDC = wglGetCurrentDC();
        HGLRC current = wglGetCurrentContext();
        wglMakeCurrent(dc, rc);
        if (current && current != rc)
            wglMakeCurrent(currentDC, current);
        if (pbuffer)
        {
            releasePbufferDC(pbuffer, pbufferDC);
            destroyPbuffer(pbuffer);
        }
        pbuffer = made;
        pbufferDC = dc;
        width = w;
        height = h;
        return true;
    }

    void Release()
    {
        if (pbuffer)
        {
            releasePbufferDC(pbuffer, pbufferDC);
            destroyPbuffer(pbuffer);
        }
        pbuffer = nullptr;
        pbufferDC = nullptr;
        if (helperDC)
            ReleaseDC(helper, helperDC);
        helperDC = nullptr;
        if (helper)
            DestroyWindow(helper);
        helper = nullptr;
    }

    // Reads the view's part of the back buffer.
    void ReadFrame()
    {
        RECT client = {};
        GetClientRect(view, &client);
        frameWidth = client.right < width ? client.right : width;
        frameHeight = client.bottom < height ? client.bottom : height;
        if (frameWidth <= 0 || frameHeight <= 0)
        {
            frame.clear();
            return;
        }
        frame.resize(static_cast<size_t>(frameWidth) * frameHeight * 4);
        GLint pack = 4, readBuffer = GL_BACK;
        glGetIntegerv(GL_PACK_ALIGNMENT, &pack);
        glGetIntegerv(GL_READ_BUFFER, &readBuffer);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, frameWidth, frameHeight, GL_BGRA, GL_UNSIGNED_BYTE, frame.data());
        glReadBuffer(static_cast<GLenum>(readBuffer));
        glPixelStorei(GL_PACK_ALIGNMENT, pack);
    }

    void ShowFrame(HDC dc) const
    {
        if (frame.empty() || !dc)
            return;
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = frameWidth;
        bmi.bmiHeader.biHeight = frameHeight; // bottom-up, as GL reads
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, 0, 0, frameWidth, frameHeight, 0, 0, 0, frameHeight, frame.data(), &bmi,
                          DIB_RGB_COLORS);
    }

    void ShowFrame() const
    {
        HDC dc = GetDC(view);
        ShowFrame(dc);
        ReleaseDC(view, dc);
    }
};

bool CGLC::OffscreenForChildren()
{
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

CGLC::CGLC()
    : m_hRC(nullptr), m_hDC(nullptr), m_nFontBase(kDefaultFontBase), m_nCodePage(1252), m_aGlyphWidth{},
      m_pOffscreen(nullptr)
{
    DefaultFont(m_Font);
}

CGLC::~CGLC()
{
    if (m_pOffscreen)
    {
        // The context stays for its owner to destroy, but the view must not call back here.
        if (IsWindow(m_pOffscreen->view))
            RemoveWindowSubclass(m_pOffscreen->view, ViewProc, kViewSubclassId);
        delete m_pOffscreen;
        m_pOffscreen = nullptr;
    }
    m_hRC = nullptr;
    m_hDC = nullptr;
    DefaultFont(m_Font);
}

int CGLC::CreateOffscreen(HWND view)
{
    tagOffscreen* off = new tagOffscreen();
    off->view = view;
    off->helper = CreateHelperWindow();
    off->helperDC = off->helper ? GetDC(off->helper) : nullptr;
    HGLRC rc = nullptr;
    if (off->helperDC && SetupPixelFormat(off->helperDC))
        rc = wglCreateContext(off->helperDC);
    RECT client = {};
    GetClientRect(view, &client);
    if (!rc || !wglMakeCurrent(off->helperDC, rc) || !off->LoadCalls() ||
        !off->Grow(client.right, client.bottom, rc))
    {
        // The caller falls back to the view's own context.
        if (rc)
        {
            wglMakeCurrent(nullptr, nullptr);
            wglDeleteContext(rc);
        }
        off->Release();
        delete off;
        return 0;
    }
    wglMakeCurrent(off->pbufferDC, rc);
    m_hDC = off->pbufferDC;
    m_hRC = rc;
    m_pOffscreen = off;
    SetWindowSubclass(view, ViewProc, kViewSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return 1;
}

void CGLC::DestroyOffscreen()
{
    tagOffscreen* off = m_pOffscreen;
    if (!off)
        return;
    if (IsWindow(off->view))
        RemoveWindowSubclass(off->view, ViewProc, kViewSubclassId);
    if (wglGetCurrentContext() == m_hRC)
        wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(m_hRC);
    off->Release();
    delete off;
    m_pOffscreen = nullptr;
}

LRESULT CALLBACK CGLC::ViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                DWORD_PTR data)
{
    CGLC* self = reinterpret_cast<CGLC*>(data);
    tagOffscreen* off = self->m_pOffscreen;
    if (!off)
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    switch (msg)
    {
    case WM_SIZE:
        // The drawable follows the view before its owner sets the viewport.
        if (off->Grow(LOWORD(lParam), HIWORD(lParam), self->m_hRC))
            self->m_hDC = off->pbufferDC;
        break;
    case WM_ERASEBKGND:
        // The whole client area is the frame.
        return 1;
    case WM_PAINT: {
        // The owner may draw and show a new frame while painting; otherwise the last one is
        // shown again.
        off->shownInPaint = false;
        LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        if (!off->shownInPaint && self->m_pOffscreen == off)
            off->ShowFrame();
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, ViewProc, kViewSubclassId);
        off->view = nullptr;
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

int CGLC::Create(HWND hWnd)
{
    if (!hWnd)
    {
        Report(L"CGLC::Create()", L"hWnd");
        return 0;
    }
    if (m_hRC)
        Destroy(m_pOffscreen ? m_pOffscreen->view : WindowFromDC(m_hDC));
    if (OffscreenForChildren() && (GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) && CreateOffscreen(hWnd))
    {
        SetFont(m_hDC);
        return 0;
    }
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
    if (m_pOffscreen)
    {
        DestroyOffscreen();
    }
    else
    {
        if (wglGetCurrentContext() == m_hRC)
            wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(m_hRC);
        if (m_hDC)
            ReleaseDC(hWnd ? hWnd : WindowFromDC(m_hDC), m_hDC);
    }
    m_hRC = nullptr;
    m_hDC = nullptr;
    m_nFontBase = kDefaultFontBase;
    for (float& w : m_aGlyphWidth)
        w = 0.0f;
}

void CGLC::SwapBuffers() const
{
    if (m_pOffscreen)
    {
        CurrentScope scope(m_hDC, m_hRC);
        m_pOffscreen->ReadFrame();
        m_pOffscreen->ShowFrame();
        m_pOffscreen->shownInPaint = true;
        return;
    }
    if (m_hDC)
        ::SwapBuffers(m_hDC);
}

} // namespace KV
