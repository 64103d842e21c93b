#include "common/screen.h"
#include "kvinterf/gl/GLC.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

// A GL view drawn as a child of a shown window must reach the screen, where a user sees it.
namespace {

const int kLeft = 860, kTop = 660;          // parent on the screen, away from other tests' windows
const int kViewX = 30, kViewY = 20;         // view inside the parent
const unsigned long kBack = 0x2050C0;       // frame background
const unsigned long kMark = 0xE0C020;       // rectangle in the frame's lower-left quarter
const unsigned long kParentBack = 0x808080; // parent background (gray brush)

void Pump()
{
    MSG msg;
    for (int i = 0; i < 5; ++i)
    {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(20);
    }
}

void DrawFrame(KV::CGLC& gl, int w, int h)
{
    gl.MakeCurrentDC();
    gl.Ortho(0, w, 0, h, -60, 60);
    glClearColor(((kBack >> 16) & 0xFF) / 255.0f, ((kBack >> 8) & 0xFF) / 255.0f, (kBack & 0xFF) / 255.0f, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3ub((kMark >> 16) & 0xFF, (kMark >> 8) & 0xFF, kMark & 0xFF);
    glRectf(0, 0, w / 2.0f, h / 2.0f);
}

// Screen pixels of the view's four quarters: expects the mark in the lower-left one only.
void ExpectFrameOnScreen(const fwtest::ScreenShot& s, int w, int h)
{
    const int x0 = kLeft + kViewX, y0 = kTop + kViewY;
    const int quarter = (w / 2 - 4) * (h / 2 - 4);
    EXPECT_EQ(s.Count(kMark, x0 + 2, y0 + h / 2 + 2, x0 + w / 2 - 2, y0 + h - 2), quarter) << "lower left";
    EXPECT_EQ(s.Count(kBack, x0 + w / 2 + 2, y0 + 2, x0 + w - 2, y0 + h / 2 - 2), quarter) << "upper right";
    EXPECT_EQ(s.Count(kBack, x0 + 2, y0 + 2, x0 + w / 2 - 2, y0 + h / 2 - 2), quarter) << "upper left";
}

} // namespace

TEST(GLContextOnScreen, ChildViewFramesReachTheScreenAndSurviveRepaintAndResize)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = L"FwGlScreenParent";
    RegisterClassW(&wc);
    HWND parent = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, kLeft, kTop, 400, 300,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    HWND view = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, kViewX, kViewY, 200, 100, parent,
                                nullptr, wc.hInstance, nullptr);
    Pump();
    KV::CGLC gl;
    gl.Create(view);
    ASSERT_TRUE(gl.IsCreated());
    EXPECT_EQ(gl.IsOffscreen(), KV::CGLC::OffscreenForChildren());

    struct Step
    {
        const char* what;
        int w, h;
        bool draw;
    } steps[] = {
        {"first frame", 200, 100, true},
        {"repainted from the last frame", 200, 100, false},
        {"after a resize", 260, 140, true},
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.what);
        if (step.w != 200)
            MoveWindow(view, kViewX, kViewY, step.w, step.h, TRUE);
        if (step.draw)
        {
            DrawFrame(gl, step.w, step.h);
            gl.SwapBuffers();
        }
        else
        {
            // Something else painted over the view; the system then asks it to paint.
            HDC dc = GetDC(view);
            RECT r = {0, 0, step.w, step.h};
            FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            ReleaseDC(view, dc);
            InvalidateRect(view, nullptr, TRUE);
        }
        Pump();
        fwtest::ScreenShot shot;
        ASSERT_TRUE(shot.Capture()) << shot.Error();
        ExpectFrameOnScreen(shot, step.w, step.h);
        // The parent around the view keeps its own background.
        EXPECT_EQ(shot.At(kLeft + 5, kTop + 5), kParentBack);
    }
    // The frame is still readable in the context (what the drawing tests rely on).
    std::vector<unsigned char> px(4);
    glReadPixels(2, 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
    EXPECT_EQ(px[0], (kMark >> 16) & 0xFF);
    gl.Destroy(view);
    EXPECT_FALSE(gl.IsCreated());
    DestroyWindow(parent);
}
