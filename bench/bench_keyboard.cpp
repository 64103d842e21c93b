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

// The shipped ISO keyboard with both hands, 1,000 x 300, in a shown window.
struct KeyboardBench
{
    KeyboardBench()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FwBenchKeyboardParent";
        ::RegisterClassW(&wc);
        parent = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 1000, 300, nullptr,
                                   nullptr, wc.hInstance, nullptr);
        RECT rc = {0, 0, 1000, 300};
        kb.Create(wc.hInstance, parent, WS_VISIBLE, rc, 304);
        kb.SetLOGFONT(nullptr);
        kb.CreateGL();
        kb.Load(DataFile(L"Type #1.kbd").c_str());
        kb.LoadBitmapW(DataFile(L"KeyboardScheme.bmp").c_str(), 1, 1);
        // Times the window as it is after loading, so a keyboard that lost its size shows here.
        ::GetClientRect(kb.GetHwnd(), &client);
        kb.OnSize(0, client.right, client.bottom);
        kb.SetActiveKey(L"K", 1);
        kb.Render(client.right, client.bottom); // warm-up
        glFinish();
    }
    ~KeyboardBench()
    {
        kb.DestroyWindow();
        ::DestroyWindow(parent);
    }
    HWND parent;
    KV::CKeyboard kb;
    RECT client = {};
};

// A whole frame drawn (the unlit keys' picture reused), without showing it.
fwbench::Registrar frame("keyboard: one frame, Type #1, hands, one key lit, 1,000 x 300", 4.0, [] {
    KeyboardBench b;
    return fwbench::MedianMs(15, [&] {
        b.kb.Render(b.client.right, b.client.bottom);
        glFinish();
    });
});

// The next key lit, as typing does it: the frame's changed parts drawn and shown.
fwbench::Registrar nextKey("keyboard: next key lit, changed parts drawn and shown, 1,000 x 300", 1.0, [] {
    KeyboardBench b;
    const wchar_t* keys[] = {L"k", L"D", L"j", L"r", L" ", L"P"};
    size_t i = 0;
    b.kb.Draw(nullptr);
    return fwbench::MedianMs(
        30, [&] { b.kb.Draw(nullptr); }, [&] { b.kb.SetActiveKey(keys[i++ % 6], 1); });
});

} // namespace
