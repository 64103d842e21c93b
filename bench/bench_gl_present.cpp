#include "bench.h"
#include "kvinterf/gl/GLC.h"

#include <GL/gl.h>

namespace {

// Showing one finished frame of a GL child view: under Wine the frame is read back and copied
// onto the view with GDI; elsewhere it is the buffer swap.
double PresentMs(int w, int h)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"FwBenchPresentParent";
    ::RegisterClassW(&wc);
    HWND parent = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr,
                                    nullptr, wc.hInstance, nullptr);
    HWND view = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, w, h, parent, nullptr,
                                  wc.hInstance, nullptr);
    KV::CGLC gl;
    gl.Create(view);
    gl.Ortho(0, w, 0, h, -60, 60);
    float shade = 0.0f;
    auto draw = [&] {
        shade = shade > 0.9f ? 0.0f : shade + 0.1f;
        glClearColor(shade, 0.5f, 0.7f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFinish();
    };
    draw();
    gl.SwapBuffers(); // warm-up
    const double ms = fwbench::MedianMs(
        25, [&] { gl.SwapBuffers(); }, draw);
    gl.Destroy(view);
    ::DestroyWindow(parent);
    return ms;
}

fwbench::Registrar present800("kvinterf: GL child view frame shown (copy or swap), 800x200", 1.5,
                              [] { return PresentMs(800, 200); });
fwbench::Registrar present1000("kvinterf: GL child view frame shown (copy or swap), 1000x400", 2.0,
                               [] { return PresentMs(1000, 400); });

} // namespace
