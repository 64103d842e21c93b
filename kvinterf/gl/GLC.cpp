#include "kvinterf/gl/GLC.h"
#include "kvstruct/sys/Handles.h"

#include "kvstruct/sys/MsgError.h"

#include <GL/gl.h>
#include <GL/glext.h> // GL_BGRA
#include <GL/wglext.h>
#include <commctrl.h>
#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace KV {

namespace {

const unsigned int kDefaultFontBase = 5000;
// Chordal deviation of the glyph outlines in em: a fifth of a pixel at a 50-pixel glyph.
// With 0 the outlines are cut into 1/1024-em pieces, several times the triangles for the
// same look, and every typed key draws them all again.
const float kGlyphDeviation = 0.004f;

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
    // Sets the raster position in window coordinates (GL 1.4); null where missing.
    void(APIENTRY* windowPos)(GLint, GLint) = nullptr;
    // The pbuffer only grows, so a view made smaller keeps drawing in its lower-left part.
    // It is twice the view's height: the rows from height up hold the kept picture.
    int width = 0, height = 0;
    // The last frame shown, bottom row first, 32-bit BGRA: WM_PAINT repeats it.
    std::vector<unsigned char> frame;
    int frameWidth = 0, frameHeight = 0;
    // While the view paints: what of the frame its owner has shown already (a whole frame, or
    // parts of it); the rest of the region to paint is shown from the last frame.
    bool shownInPaint = false;
    HRGN shownPartsInPaint = nullptr;

    template <typename T>
    static bool Load(T& fn, const char* name)
    {
        fn = reinterpret_cast<T>(reinterpret_cast<void*>(wglGetProcAddress(name)));
        return fn != nullptr;
    }
    bool LoadCalls()
    {
        Load(windowPos, "glWindowPos2i");
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
        HPBUFFERARB made = createPbuffer(helperDC, GetPixelFormat(helperDC), w, 2 * h, attributes);
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

    void ForgetShownParts()
    {
        if (shownPartsInPaint)
            DeleteObject(shownPartsInPaint);
        shownPartsInPaint = nullptr;
    }

    void Release()
    {
        ForgetShownParts();
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
        ReadBlock(0, 0, frameWidth, frameHeight);
    }

    // True when the frame read last still has the view's size, so parts of it can be renewed.
    bool FrameFitsView() const
    {
        RECT client = {};
        GetClientRect(view, &client);
        const int w = client.right < width ? client.right : width;
        const int h = client.bottom < height ? client.bottom : height;
        return !frame.empty() && w == frameWidth && h == frameHeight;
    }

    // The part of the frame a client rectangle covers, in rows from the bottom; false when
    // nothing of it lies in the frame.
    bool FramePart(const RECT& r, int& x, int& y, int& w, int& h) const
    {
        const int left = r.left < 0 ? 0 : r.left;
        const int top = r.top < 0 ? 0 : r.top;
        const int right = r.right > frameWidth ? frameWidth : r.right;
        const int bottom = r.bottom > frameHeight ? frameHeight : r.bottom;
        if (left >= right || top >= bottom)
            return false;
        x = left;
        y = frameHeight - bottom;
        w = right - left;
        h = bottom - top;
        return true;
    }

    // Reads a block of the back buffer (rows from the bottom) into its place in the frame.
    void ReadBlock(int x, int y, int w, int h)
    {
        GLint pack = 4, rowLength = 0, skipPixels = 0, skipRows = 0, readBuffer = GL_BACK;
        glGetIntegerv(GL_PACK_ALIGNMENT, &pack);
        glGetIntegerv(GL_PACK_ROW_LENGTH, &rowLength);
        glGetIntegerv(GL_PACK_SKIP_PIXELS, &skipPixels);
        glGetIntegerv(GL_PACK_SKIP_ROWS, &skipRows);
        glGetIntegerv(GL_READ_BUFFER, &readBuffer);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glPixelStorei(GL_PACK_ROW_LENGTH, frameWidth);
        glPixelStorei(GL_PACK_SKIP_PIXELS, x);
        glPixelStorei(GL_PACK_SKIP_ROWS, y);
        glReadBuffer(GL_BACK);
        glReadPixels(x, y, w, h, GL_BGRA, GL_UNSIGNED_BYTE, frame.data());
        glReadBuffer(static_cast<GLenum>(readBuffer));
        glPixelStorei(GL_PACK_SKIP_ROWS, skipRows);
        glPixelStorei(GL_PACK_SKIP_PIXELS, skipPixels);
        glPixelStorei(GL_PACK_ROW_LENGTH, rowLength);
        glPixelStorei(GL_PACK_ALIGNMENT, pack);
    }

    // Copies a block of the frame (rows from the bottom) onto the view.
    void ShowBlock(HDC dc, int x, int y, int w, int h) const
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
        SetDIBitsToDevice(dc, x, frameHeight - y - h, w, h, x, y, 0, frameHeight, frame.data(), &bmi,
                          DIB_RGB_COLORS);
    }

    void ShowFrame() const
    {
        HDC dc = GetDC(view);
        ShowBlock(dc, 0, 0, frameWidth, frameHeight);
        ReleaseDC(view, dc);
    }

    // Shows the parts of the frame in a region of the view (client coordinates).
    void ShowRegion(HRGN region) const
    {
        const DWORD size = GetRegionData(region, 0, nullptr);
        if (!size || frame.empty())
            return;
        std::vector<unsigned char> buffer(size);
        RGNDATA* data = reinterpret_cast<RGNDATA*>(buffer.data());
        if (!GetRegionData(region, size, data))
            return;
        const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
        HDC dc = GetDC(view);
        for (DWORD i = 0; i < data->rdh.nCount; ++i)
        {
            int x, y, w, h;
            if (FramePart(rects[i], x, y, w, h))
                ShowBlock(dc, x, y, w, h);
        }
        ReleaseDC(view, dc);
    }
};

struct tagWideGlyph
{
    GLuint list = 0;
    float width = 0.0f;
};

struct CGLC::tagWideGlyphs
{
    std::unordered_map<wchar_t, tagWideGlyph> glyphs;
    std::vector<GLuint> calls;
};

bool CGLC::OffscreenForChildren()
{
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

CGLC::CGLC()
    : m_hRC(nullptr), m_hDC(nullptr), m_nFontBase(kDefaultFontBase), m_nCodePage(1252), m_aGlyphWidth{},
      m_fGlyphTop(0.0f), m_fGlyphBottom(0.0f),
      m_hFont(nullptr), m_aGlyphChar{}, m_aGlyphBuilt{}, m_pOffscreen(nullptr), m_pWide(new tagWideGlyphs()), m_nPictureWidth(0), m_nPictureHeight(0), m_nPictureTexture(0)
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
    if (m_hFont)
        DeleteObject(m_hFont);
    m_hFont = nullptr;
    m_hRC = nullptr;
    m_hDC = nullptr;
    DefaultFont(m_Font);
    delete m_pWide;
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
    case WM_SIZE: {
        // The drawable follows the view before its owner sets the viewport; a new one holds
        // no kept picture.
        const HPBUFFERARB before = off->pbuffer;
        if (off->Grow(LOWORD(lParam), HIWORD(lParam), self->m_hRC))
            self->m_hDC = off->pbufferDC;
        if (off->pbuffer != before)
            self->ForgetPicture();
        break;
    }
    case WM_ERASEBKGND:
        // The whole client area is the frame.
        return 1;
    case WM_PAINT: {
        // The owner may draw and show a new frame, or parts of one, while painting; the rest
        // of the region to paint is shown from the last frame.
        HRGN toPaint = CreateRectRgn(0, 0, 0, 0);
        if (toPaint && GetUpdateRgn(hwnd, toPaint, FALSE) == ERROR)
        {
            DeleteObject(toPaint);
            toPaint = nullptr;
        }
        off->shownInPaint = false;
        off->ForgetShownParts();
        off->shownPartsInPaint = CreateRectRgn(0, 0, 0, 0);
        LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        // The owner may have let its context go while painting.
        if (self->m_pOffscreen == off)
        {
            if (!off->shownInPaint)
            {
                if (toPaint && off->shownPartsInPaint &&
                    CombineRgn(toPaint, toPaint, off->shownPartsInPaint, RGN_DIFF) != ERROR)
                    off->ShowRegion(toPaint);
                else
                    off->ShowFrame();
            }
            off->ForgetShownParts();
        }
        if (toPaint)
            DeleteObject(toPaint);
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

int CGLC::SetFont(HDC /*dc*/)
{
    if (!m_hRC)
        return 0;
    // Lists built before in this context are replaced.
    if (m_nFontBase != kDefaultFontBase)
        glDeleteLists(m_nFontBase, 256);
    m_nFontBase = kDefaultFontBase;
    ForgetGlyphs();
    GLuint base = glGenLists(256);
    if (!base)
        return 0;
    m_hFont = CreateFontIndirectW(&m_Font);
    if (!m_hFont)
    {
        glDeleteLists(base, 256);
        return 0;
    }
    m_nFontBase = base;
    // Each byte stands for the character it means in the code page.
    for (int i = 0; i < 256; ++i)
    {
        char byte = static_cast<char>(i);
        wchar_t wc = 0;
        if (i == 0 || MultiByteToWideChar(m_nCodePage, 0, &byte, 1, &wc, 1) != 1)
            wc = static_cast<wchar_t>(i);
        m_aGlyphChar[i] = wc;
    }
    return 1;
}

void CGLC::ForgetGlyphs()
{
    if (m_hFont)
        DeleteObject(m_hFont);
    m_hFont = nullptr;
    // Their lists went with the context, or are deleted while it is current.
    if (m_hRC && wglGetCurrentContext() == m_hRC)
        for (const auto& glyph : m_pWide->glyphs)
            glDeleteLists(glyph.second.list, 1);
    m_pWide->glyphs.clear();
    for (int i = 0; i < 256; ++i)
    {
        m_aGlyphBuilt[i] = false;
        m_aGlyphWidth[i] = 0.0f;
    }
    m_fGlyphTop = m_fGlyphBottom = 0.0f;
}

void CGLC::EnsureGlyphs(const char* text, size_t length)
{
    if (!text || !m_hFont || !m_hRC)
        return;
    size_t i = 0;
    while (i < length && m_aGlyphBuilt[static_cast<unsigned char>(text[i])])
        ++i;
    if (i == length)
        return;
    CurrentScope scope(m_hDC, m_hRC);
    CSelectObject select(m_hDC, m_hFont);
    for (; i < length; ++i)
    {
        const unsigned char code = static_cast<unsigned char>(text[i]);
        if (m_aGlyphBuilt[code])
            continue;
        // Tried once: a glyph the font cannot give stays empty, with no width.
        m_aGlyphBuilt[code] = true;
        GLYPHMETRICSFLOAT metrics = {};
        if (wglUseFontOutlinesW(m_hDC, m_aGlyphChar[code], 1, m_nFontBase + code, kGlyphDeviation, 0.0f,
                                WGL_FONT_POLYGONS,
                                &metrics))
        {
            m_aGlyphWidth[code] = metrics.gmfCellIncX;
            if (metrics.gmfBlackBoxX > 0.0f && metrics.gmfBlackBoxY > 0.0f)
            {
                m_fGlyphTop = std::max(m_fGlyphTop, metrics.gmfptGlyphOrigin.y);
                m_fGlyphBottom = std::min(m_fGlyphBottom, metrics.gmfptGlyphOrigin.y - metrics.gmfBlackBoxY);
            }
        }
    }
}

float CGLC::GetGlyphWidth(unsigned char code)
{
    const char byte = static_cast<char>(code);
    EnsureGlyphs(&byte, 1);
    return m_aGlyphWidth[code];
}

const tagWideGlyph* CGLC::WideGlyph(wchar_t ch)
{
    auto found = m_pWide->glyphs.find(ch);
    if (found != m_pWide->glyphs.end())
        return &found->second;
    if (!m_hFont || !m_hRC)
        return nullptr;
    // Tried once: a glyph the font cannot give stays an empty list without width.
    tagWideGlyph& glyph = m_pWide->glyphs[ch];
    CurrentScope scope(m_hDC, m_hRC);
    glyph.list = glGenLists(1);
    if (!glyph.list)
        return &glyph;
    CSelectObject select(m_hDC, m_hFont);
    GLYPHMETRICSFLOAT metrics = {};
    if (wglUseFontOutlinesW(m_hDC, ch, 1, glyph.list, kGlyphDeviation, 0.0f, WGL_FONT_POLYGONS, &metrics))
        glyph.width = metrics.gmfCellIncX;
    return &glyph;
}

float CGLC::GetTextWidthW(const wchar_t* text, size_t length)
{
    float width = 0.0f;
    for (size_t i = 0; text && i < length; ++i)
        if (const tagWideGlyph* glyph = WideGlyph(text[i]))
            width += glyph->width;
    return width;
}

void CGLC::DrawTextW(const wchar_t* text, size_t length)
{
    if (!text || !length || !m_hRC)
        return;
    std::vector<GLuint>& calls = m_pWide->calls;
    calls.clear();
    for (size_t i = 0; i < length; ++i)
    {
        const tagWideGlyph* glyph = WideGlyph(text[i]);
        if (glyph && glyph->list)
            calls.push_back(glyph->list);
    }
    if (calls.empty())
        return;
    GLint base = 0;
    glGetIntegerv(GL_LIST_BASE, &base);
    glListBase(0);
    glCallLists(static_cast<GLsizei>(calls.size()), GL_UNSIGNED_INT, calls.data());
    glListBase(static_cast<GLuint>(base));
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
    ForgetGlyphs();
    ForgetPicture();
    m_nPictureTexture = 0; // went with the context
}

namespace {

// Copies a block of the back buffer within it, colour only, by the quickest way GL has.
void CopyBlock(void(APIENTRY* windowPos)(GLint, GLint), int sx, int sy, int w, int h, int dx, int dy)
{
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_PIXEL_MODE_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_FOG);
    glReadBuffer(GL_BACK);
    windowPos(dx, dy);
    glCopyPixels(sx, sy, w, h, GL_COLOR);
    glPopAttrib();
}

} // namespace

void CGLC::KeepPicture(int width, int height)
{
    ForgetPicture();
    if (!m_hRC || width <= 0 || height <= 0)
        return;
    CurrentScope scope(m_hDC, m_hRC);
    tagOffscreen* off = m_pOffscreen;
    if (off && off->windowPos && width <= off->width && height <= off->height)
        CopyBlock(off->windowPos, 0, 0, width, height, 0, off->height);
    else
    {
        if (!m_nPictureTexture || !glIsTexture(m_nPictureTexture))
        {
            GLuint name = 0;
            glGenTextures(1, &name);
            m_nPictureTexture = name;
        }
        glPushAttrib(GL_TEXTURE_BIT);
        glBindTexture(GL_TEXTURE_2D, m_nPictureTexture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        glReadBuffer(GL_BACK);
        glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, width, height, 0);
        glPopAttrib();
    }
    m_nPictureWidth = width;
    m_nPictureHeight = height;
}

void CGLC::DrawPicture(const RECT* part) const
{
    if (m_nPictureWidth <= 0 || !m_hRC)
        return;
    const int W = m_nPictureWidth, H = m_nPictureHeight;
    RECT r = {0, 0, W, H};
    if (part)
    {
        r.left = part->left < 0 ? 0 : part->left;
        r.top = part->top < 0 ? 0 : part->top;
        r.right = part->right > W ? W : part->right;
        r.bottom = part->bottom > H ? H : part->bottom;
        if (r.left >= r.right || r.top >= r.bottom)
            return;
    }
    // In GL rows from the bottom.
    const int x = r.left, y = H - r.bottom, w = r.right - r.left, h = r.bottom - r.top;
    CurrentScope scope(m_hDC, m_hRC);
    tagOffscreen* off = m_pOffscreen;
    if (off && off->windowPos && W <= off->width && H <= off->height)
    {
        CopyBlock(off->windowPos, x, off->height + y, w, h, x, y);
        return;
    }
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, m_nPictureTexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, W, 0, H, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const float s0 = static_cast<float>(x) / W, s1 = static_cast<float>(x + w) / W;
    const float t0 = static_cast<float>(y) / H, t1 = static_cast<float>(y + h) / H;
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0);
    glVertex2i(x, y);
    glTexCoord2f(s1, t0);
    glVertex2i(x + w, y);
    glTexCoord2f(s1, t1);
    glVertex2i(x + w, y + h);
    glTexCoord2f(s0, t1);
    glVertex2i(x, y + h);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

void CGLC::SwapBuffers() const
{
    if (m_pOffscreen)
    {
        CurrentScope scope(m_hDC, m_hRC);
        m_pOffscreen->ReadFrame();
        m_pOffscreen->ShowFrame();
        m_pOffscreen->shownInPaint = true;
        // What is shown needs no paint, also when the frame was drawn outside one.
        ValidateRect(m_pOffscreen->view, nullptr);
        return;
    }
    if (m_hDC)
    {
        ::SwapBuffers(m_hDC);
        if (HWND view = WindowFromDC(m_hDC))
            ValidateRect(view, nullptr);
    }
}

void CGLC::SwapBuffers(const RECT* parts, int count) const
{
    tagOffscreen* off = m_pOffscreen;
    if (!off || !off->FrameFitsView())
    {
        SwapBuffers();
        return;
    }
    CurrentScope scope(m_hDC, m_hRC);
    HDC dc = GetDC(off->view);
    for (int i = 0; i < count; ++i)
    {
        int x, y, w, h;
        if (!off->FramePart(parts[i], x, y, w, h))
            continue;
        off->ReadBlock(x, y, w, h);
        off->ShowBlock(dc, x, y, w, h);
        const RECT shown = {x, off->frameHeight - y - h, x + w, off->frameHeight - y};
        ValidateRect(off->view, &shown);
        if (off->shownPartsInPaint)
        {
            HRGN part = CreateRectRgnIndirect(&shown);
            CombineRgn(off->shownPartsInPaint, off->shownPartsInPaint, part, RGN_OR);
            DeleteObject(part);
        }
    }
    ReleaseDC(off->view, dc);
}

} // namespace KV
