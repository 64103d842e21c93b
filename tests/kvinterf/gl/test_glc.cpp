#include "common/fwtest.h"
#include "kvinterf/gl/GLC.h"
#include "kvinterf/gl/OpenGL.h"
#include "kvstruct/image/Image.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <cmath>
#include <sstream>
#include <vector>

namespace {

LPARAM g_lastClick = -1;

LRESULT CALLBACK TestProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_LBUTTONDOWN)
        g_lastClick = lParam;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A top-level window of its own class (own DC). Never shown: under Wine without a window
// manager, hiding or destroying a shown window waits two seconds.
struct TestWindow
{
    explicit TestWindow(int w = 64, int h = 64)
    {
        static ATOM atom = 0;
        if (!atom)
        {
            WNDCLASSW wc = {};
            wc.style = CS_OWNDC;
            wc.lpfnWndProc = TestProc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"FwGlTestWindow";
            atom = RegisterClassW(&wc);
        }
        hwnd = CreateWindowExW(0, L"FwGlTestWindow", L"gl", WS_POPUP, 10, 10, w, h, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }
    ~TestWindow() { DestroyWindow(hwnd); }
    HWND hwnd;
};

// Pixels of the back buffer, bottom row first, 4 bytes each.
std::vector<unsigned char> ReadBack(int w, int h)
{
    glFinish();
    std::vector<unsigned char> px(static_cast<size_t>(w) * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
    return px;
}

// 0xRRGGBB at (x, y) from the bottom.
unsigned long At(const std::vector<unsigned char>& px, int w, int x, int y)
{
    const unsigned char* p = &px[(static_cast<size_t>(y) * w + x) * 4];
    return (static_cast<unsigned long>(p[0]) << 16) | (p[1] << 8) | p[2];
}

int CountLit(const std::vector<unsigned char>& px)
{
    int n = 0;
    for (size_t i = 0; i < px.size(); i += 4)
        if (px[i] > 64 || px[i + 1] > 64 || px[i + 2] > 64)
            ++n;
    return n;
}

void ClearBlack()
{
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// Draws one glyph list 40 units high at (8, 12) and returns the pixels.
std::vector<unsigned char> DrawGlyph(KV::CGLC& gl, unsigned char code)
{
    gl.Ortho(0, 64, 0, 64, -60, 60);
    ClearBlack();
    glColor3f(1, 1, 1);
    glTranslatef(8, 12, 0);
    glScalef(40, 40, 1);
    const char byte = static_cast<char>(code);
    gl.EnsureGlyphs(&byte, 1);
    glCallList(gl.GetFontBase() + code);
    return ReadBack(64, 64);
}

// An 8 x 4 picture: left half red, right half blue, bottom row green.
KV::CImage TestPicture()
{
    std::stringstream ss;
    std::string data("\x01\x00\x00\x00\x04\x00\x08\x00", 8);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
        {
            unsigned char r = 0, g = 0, b = 0;
            if (y == 0)
                g = 255;
            else if (x < 4)
                r = 255;
            else
                b = 255;
            data += std::string{static_cast<char>(r), static_cast<char>(g), static_cast<char>(b), '\xFF'};
        }
    ss.str(data);
    KV::CImage img;
    EXPECT_EQ(img.Serialize(static_cast<std::istream&>(ss)), 1);
    return img;
}

} // namespace

TEST(GLContext, CreateMakesACurrentContextWithGlyphLists)
{
    TestWindow win;
    KV::CGLC gl;
    EXPECT_EQ(gl.GetFontBase(), 5000u);
    EXPECT_EQ(gl.Create(win.hwnd), 0);
    ASSERT_TRUE(gl.IsCreated());
    EXPECT_EQ(wglGetCurrentContext(), gl.GetHGLRC());
    EXPECT_EQ(wglGetCurrentDC(), gl.GetHDC());
    EXPECT_NE(gl.GetFontBase(), 5000u);
    EXPECT_TRUE(glIsList(gl.GetFontBase()));
    EXPECT_TRUE(glIsList(gl.GetFontBase() + 255));
    EXPECT_GT(gl.GetGlyphWidth('W'), 0.0f);
    PIXELFORMATDESCRIPTOR pfd = {};
    DescribePixelFormat(gl.GetHDC(), GetPixelFormat(gl.GetHDC()), sizeof(pfd), &pfd);
    EXPECT_TRUE(pfd.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_TRUE(pfd.dwFlags & PFD_SUPPORT_OPENGL);
    gl.Destroy(win.hwnd);
}

TEST(GLContext, AGlyphDrawnLeavesPixels)
{
    TestWindow win;
    KV::CGLC gl;
    gl.Create(win.hwnd);
    ASSERT_TRUE(gl.IsCreated());
    std::vector<unsigned char> px = DrawGlyph(gl, 'W');
    EXPECT_GT(CountLit(px), 40);
    // A space draws nothing.
    EXPECT_EQ(CountLit(DrawGlyph(gl, ' ')), 0);
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    EXPECT_EQ(vp[2], 64);
    EXPECT_EQ(vp[3], 64);
    gl.Destroy(win.hwnd);
}

TEST(GLContext, SecondCreateReplacesTheContextAndRebuildsGlyphs)
{
    TestWindow win;
    KV::CGLC gl;
    gl.Create(win.hwnd);
    HGLRC first = gl.GetHGLRC();
    ASSERT_NE(first, nullptr);
    gl.Create(win.hwnd);
    ASSERT_TRUE(gl.IsCreated());
    EXPECT_EQ(wglGetCurrentContext(), gl.GetHGLRC());
    EXPECT_TRUE(glIsList(gl.GetFontBase() + 'W'));
    EXPECT_GT(CountLit(DrawGlyph(gl, 'W')), 40);
    gl.Destroy(win.hwnd);
}

TEST(GLContext, SetFontAgainReplacesTheLists)
{
    TestWindow win;
    KV::CGLC gl;
    gl.Create(win.hwnd);
    unsigned int first = gl.GetFontBase();
    EXPECT_EQ(gl.SetFont(gl.GetHDC()), 1);
    EXPECT_TRUE(glIsList(gl.GetFontBase() + 'W'));
    if (gl.GetFontBase() != first)
    {
        EXPECT_FALSE(glIsList(first + 'W'));
    }
    EXPECT_GT(CountLit(DrawGlyph(gl, 'W')), 40);
    gl.Destroy(win.hwnd);
}

TEST(GLContext, BytesStandForTheCharactersOfTheCodePage)
{
    TestWindow win;
    KV::CGLC gl;
    EXPECT_EQ(gl.GetCodePage(), 1252u);
    gl.Create(win.hwnd);
    std::vector<unsigned char> latin = DrawGlyph(gl, 0xC0); // A with grave
    std::vector<unsigned char> euro = DrawGlyph(gl, 0x80);
    gl.SetCodePage(1251);
    gl.Create(win.hwnd);
    std::vector<unsigned char> cyrillic = DrawGlyph(gl, 0xC0); // Cyrillic A
    EXPECT_GT(CountLit(latin), 20);
    EXPECT_GT(CountLit(euro), 20);
    EXPECT_GT(CountLit(cyrillic), 20);
    EXPECT_NE(latin, cyrillic);
    gl.Destroy(win.hwnd);
}

TEST(GLContext, MakeCurrentDCSwitchesOnlyWhenNeeded)
{
    TestWindow wa, wb;
    KV::CGLC a, b;
    a.Create(wa.hwnd);
    b.Create(wb.hwnd);
    ASSERT_EQ(wglGetCurrentContext(), b.GetHGLRC());
    b.MakeCurrentDC(nullptr);
    EXPECT_EQ(wglGetCurrentContext(), b.GetHGLRC());
    a.MakeCurrentDC(nullptr);
    EXPECT_EQ(wglGetCurrentContext(), a.GetHGLRC());
    EXPECT_EQ(wglGetCurrentDC(), a.GetHDC());
    a.Destroy(wa.hwnd);
    b.Destroy(wb.hwnd);
}

TEST(GLContext, DestroyReleasesAndNeverCreatedDoesNothing)
{
    KV::CGLC never;
    never.Destroy(nullptr);
    EXPECT_FALSE(never.IsCreated());
    never.MakeCurrentDC();

    TestWindow win;
    KV::CGLC gl;
    gl.Create(win.hwnd);
    gl.Destroy(win.hwnd);
    EXPECT_FALSE(gl.IsCreated());
    EXPECT_EQ(gl.GetHDC(), nullptr);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(gl.GetFontBase(), 5000u);
    gl.Destroy(win.hwnd);
}

TEST(GLContext, CreateWithoutAWindowIsReported)
{
    fwtest::MsgRecorder rec(IDNO);
    size_t exits = fwtest::ExitCalls().size();
    KV::CGLC gl;
    EXPECT_EQ(gl.Create(nullptr), 0);
    EXPECT_FALSE(gl.IsCreated());
    ASSERT_EQ(rec.Count(), 1u);
    EXPECT_NE(rec.LastText().find(L"CGLC::Create()"), std::wstring::npos);
    EXPECT_NE(rec.LastText().find(L"hWnd"), std::wstring::npos);
    EXPECT_EQ(fwtest::ExitCalls().size(), exits + 1);
}

TEST(GLContext, FontDescriptionIsKept)
{
    KV::CGLC gl;
    EXPECT_STREQ(gl.GetLOGFONT()->lfFaceName, L"Courier New");
    EXPECT_EQ(gl.GetLOGFONT()->lfHeight, -14);
    LOGFONTW lf = *gl.GetLOGFONT();
    wcscpy(lf.lfFaceName, L"Arial");
    lf.lfHeight = -30;
    gl.SetLOGFONT(&lf);
    EXPECT_STREQ(gl.GetLOGFONT()->lfFaceName, L"Arial");
    gl.SetLOGFONT(nullptr);
    EXPECT_EQ(gl.GetLOGFONT()->lfWeight, 700);
}

TEST(ImageTexture, DrawnUprightAndMirrored)
{
    TestWindow win;
    KV::CGLC gl;
    gl.Create(win.hwnd);
    ASSERT_TRUE(gl.IsCreated());
    KV::CImage img = TestPicture();
    ASSERT_NE(img.CreateTexture(), 0u);
    gl.Ortho(0, 64, 0, 64, -60, 60);
    ClearBlack();
    img.DrawTexture(0, 0, 0, 1);
    img.DrawTexture(16, 0, 0, 0);
    std::vector<unsigned char> px = ReadBack(64, 64);
    EXPECT_EQ(At(px, 64, 1, 0), 0x00FF00u);
    EXPECT_EQ(At(px, 64, 1, 3), 0xFF0000u);
    EXPECT_EQ(At(px, 64, 6, 3), 0x0000FFu);
    EXPECT_EQ(At(px, 64, 8, 3), 0x000000u);
    // Mirrored left to right; rows keep their order.
    EXPECT_EQ(At(px, 64, 17, 0), 0x00FF00u);
    EXPECT_EQ(At(px, 64, 17, 3), 0x0000FFu);
    EXPECT_EQ(At(px, 64, 22, 3), 0xFF0000u);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    img.DeleteTexture();
    EXPECT_EQ(img.GetTexture(), 0u);
    gl.Destroy(win.hwnd);
}

TEST(ImageTexture, ChromaKeyedPixelsShowTheBackground)
{
    TestWindow win;
    KV::CGLC gl;
    gl.Create(win.hwnd);
    KV::CImage img = TestPicture();
    KV::CRGBA key(0, 0, 255, 0);
    img.EmbedChromaKey(&key, 1);
    img.CreateTexture();
    gl.Ortho(0, 64, 0, 64, -60, 60);
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    img.DrawTexture(0, 0, 0, 1);
    std::vector<unsigned char> px = ReadBack(64, 64);
    EXPECT_EQ(At(px, 64, 1, 3), 0xFF0000u);
    EXPECT_EQ(At(px, 64, 6, 3), 0xFFFFFFu);
    gl.Destroy(win.hwnd);
}

TEST(ImageTexture, PixelsDrawnAndReadBack)
{
    TestWindow win;
    KV::CGLC gl;
    gl.Create(win.hwnd);
    gl.Ortho(0, 64, 0, 64, -60, 60);
    glReadBuffer(GL_BACK);
    ClearBlack();
    KV::CImage img = TestPicture();
    img.DrawPixel(10, 20, 0);
    KV::CImage back;
    EXPECT_EQ(back.Read(10, 20, 8, 4), 0);
    EXPECT_EQ(back.GetSize(), KV::CSize(8, 4));
    EXPECT_EQ(back.GetPixel(0, 0), KV::CRGBA(0, 255, 0, 255));
    EXPECT_EQ(back.GetPixel(7, 3), KV::CRGBA(0, 0, 255, 255));
    RECT r = {10, 24, 14, 20}; // left, top, right, bottom with y upwards
    EXPECT_EQ(back.Read(r), 0);
    EXPECT_EQ(back.GetSize(), KV::CSize(4, 4));
    EXPECT_EQ(back.GetPixel(0, 3), KV::CRGBA(255, 0, 0, 255));
    EXPECT_EQ(back.Read(0, 0, -1, 5), -1);
    // A block copied within the frame buffer.
    img.Copy(40, 40, 0, 10, 20);
    std::vector<unsigned char> px = ReadBack(64, 64);
    EXPECT_EQ(At(px, 64, 40, 40), 0x00FF00u);
    EXPECT_EQ(At(px, 64, 47, 43), 0x0000FFu);
    gl.Destroy(win.hwnd);
}

TEST(OpenGLWindow, ChildContextPerspectiveAndClicks)
{
    TestWindow parent(200, 150);
    KV::COpenGL view;
    RECT rc = {20, 30, 120, 80};
    HWND child = view.Create(GetModuleHandleW(nullptr), parent.hwnd, WS_VISIBLE, rc, 77);
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(GetWindowLongW(child, GWL_STYLE) & WS_CHILD);
    ASSERT_TRUE(view.GetGLC().IsCreated());
    view.GetGLC().MakeCurrentDC();
    GLdouble proj[16];
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    EXPECT_DOUBLE_EQ(proj[11], -1.0); // a perspective projection
    EXPECT_NEAR(proj[5], 1.0 / tan(22.5 * 3.14159265358979 / 180.0), 1e-6);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));

    g_lastClick = -1;
    SendMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    EXPECT_EQ(g_lastClick, MAKELPARAM(25, 36));

    view.StartMove(3, 1);
    DWORD until = GetTickCount() + 2000;
    MSG msg;
    while (view.GetAngleX() < 1.0f && GetTickCount() < until)
    {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(5);
    }
    view.StopMove(3);
    EXPECT_GE(view.GetAngleX(), 1.0f);
    EXPECT_LT(view.GetAngleY(), 0.0f);
    view.DestroyWindow();
    EXPECT_FALSE(view.GetGLC().IsCreated());
}

// The kept picture comes back whole or in part, whatever the transformation and depth test,
// both for a window's own context and for a child view drawn off screen.
TEST(GLContext, KeptPictureComesBackWholeOrInPart)
{
    TestWindow parent(120, 90);
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 80, 60, parent.hwnd, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    struct Case
    {
        const char* what;
        HWND wnd;
    } cases[] = {{"own window", parent.hwnd}, {"child view", child}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        const int w = 80, h = 60;
        KV::CGLC gl;
        gl.Create(c.wnd);
        ASSERT_TRUE(gl.IsCreated());
        gl.Ortho(0, w, 0, h, -60, 60);
        glEnable(GL_DEPTH_TEST);
        // The picture: green with a red block at the lower left.
        glClearColor(0, 1, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glColor3f(1, 0, 0);
        glRectf(0, 0, 20, 20);
        EXPECT_FALSE(gl.HasPicture(w, h));
        gl.KeepPicture(w, h);
        EXPECT_TRUE(gl.HasPicture(w, h));
        EXPECT_FALSE(gl.HasPicture(w + 1, h));

        // Whole, over another frame and with a transformation and depth test in place. The
        // frames clear the view only: the picture may live beside it.
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, 0, w, h);
        ClearBlack();
        glDisable(GL_SCISSOR_TEST);
        glTranslatef(7, 5, 0);
        gl.DrawPicture();
        std::vector<unsigned char> px = ReadBack(w, h);
        EXPECT_EQ(At(px, w, 2, 2), 0xFF0000ul);
        EXPECT_EQ(At(px, w, 50, 40), 0x00FF00ul);
        EXPECT_EQ(At(px, w, 79, 59), 0x00FF00ul);

        // One client rectangle (y down): the lower-left 30 x 30.
        glEnable(GL_SCISSOR_TEST);
        ClearBlack();
        glDisable(GL_SCISSOR_TEST);
        const RECT part = {0, h - 30, 30, h};
        gl.DrawPicture(&part);
        px = ReadBack(w, h);
        EXPECT_EQ(At(px, w, 2, 2), 0xFF0000ul);
        EXPECT_EQ(At(px, w, 25, 25), 0x00FF00ul);
        EXPECT_EQ(At(px, w, 35, 5), 0ul);
        EXPECT_EQ(At(px, w, 5, 35), 0ul);
        gl.Destroy(c.wnd);
        EXPECT_FALSE(gl.HasPicture(w, h));
    }
}

// A context pays only for the glyphs it shows: each is built when first asked for.
TEST(GLContext, GlyphsAreBuiltWhenFirstAskedFor)
{
    TestWindow w;
    KV::CGLC gl;
    gl.Create(w.hwnd);
    const float* widths = gl.GetGlyphWidths();
    EXPECT_EQ(widths['W'], 0.0f);
    gl.EnsureGlyphs("Wi", 2);
    EXPECT_GT(widths['i'], 0.0f);
    EXPECT_GT(widths['W'], 0.0f);
    EXPECT_EQ(widths['M'], 0.0f);
    EXPECT_GT(gl.GetGlyphWidth('M'), 0.0f);
    gl.Destroy(w.hwnd);
}
