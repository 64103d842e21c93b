#include "bench.h"
#include "kvfwctrl/keyboard/Keyboard.h"

#include <GL/gl.h>
#include <string>

namespace {

std::wstring DataFile(const wchar_t* name)
{
    wchar_t exe[MAX_PATH];
    DWORD n = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path(exe, n);
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"Data\\" + name;
}

// One frame of the shipped ISO keyboard with both hands and one key lit, 1,000 x 300.
fwbench::Registrar frame("keyboard: one frame, Type #1, hands, one key lit, 1,000 x 300", 4.0, [] {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"FwBenchKeyboardParent";
    ::RegisterClassW(&wc);
    HWND parent = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 1000, 300, nullptr,
                                    nullptr, wc.hInstance, nullptr);
    KV::CKeyboard kb;
    RECT rc = {0, 0, 1000, 300};
    kb.Create(wc.hInstance, parent, WS_VISIBLE, rc, 304);
    kb.SetLOGFONT(nullptr);
    kb.CreateGL();
    kb.Load(DataFile(L"Type #1.kbd").c_str());
    kb.LoadBitmapW(DataFile(L"KeyboardScheme.bmp").c_str(), 1, 1);
    // Times the window as it is after loading, so a keyboard that lost its size shows here.
    RECT client = {};
    ::GetClientRect(kb.GetHwnd(), &client);
    kb.OnSize(0, client.right, client.bottom);
    kb.SetActiveKey(L"K", 1);
    kb.Render(client.right, client.bottom); // warm-up
    glFinish();
    const double ms = fwbench::MedianMs(15, [&] {
        kb.Render(client.right, client.bottom);
        glFinish();
    });
    kb.DestroyWindow();
    ::DestroyWindow(parent);
    return ms;
});

} // namespace
