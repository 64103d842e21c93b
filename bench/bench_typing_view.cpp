#include "bench.h"
#include "kvfwctrl/typing/BaseInput.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// The typing view in an 800 x 200 window: the shipped level animated behind a
// 200-character lesson half typed.
struct TypingBench
{
    TypingBench()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FwBenchTypingHost";
        ::RegisterClassW(&wc);
        parent = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 800, 200, nullptr,
                                   nullptr, wc.hInstance, nullptr);
        view = new KV::CBaseInput();
        RECT rc = {0, 0, 800, 200};
        view->Create(wc.hInstance, parent, WS_VISIBLE, rc, 100);
        LOGFONTW lf = {};
        lf.lfHeight = -18;
        lf.lfCharSet = ANSI_CHARSET;
        std::wcscpy(lf.lfFaceName, L"Arial");
        view->SetLOGFONT(&lf);

        wchar_t exe[MAX_PATH];
        ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring path(exe);
        path = path.substr(0, path.find_last_of(L'\\') + 1) + L"Data\\0110.wrd";
        KV::CLevelFW* level = new KV::CLevelFW();
        level->Load(path.c_str());
        view->SetLevel(level);
        view->CreateGL();
        view->SetFlagDraw(1);
        view->SetFlagAnimation(1);
        view->SetTypeLetterZone(2);
        view->SetLetterZoneParam(RGB(0, 210, 210), 1);
        view->SetSimpleColors(RGB(255, 255, 255), RGB(0, 0, 0), RGB(100, 100, 100), RGB(255, 0, 0),
                              RGB(255, 120, 120));
        view->SetTotalSpeed(10);
        view->SetTotalSpeedLetter(10);
        view->SetPart(100);
        view->AddSpeed();

        std::string lesson;
        const char* words[] = {"fjord ", "lake ", "hills ", "sky ", "dune ", "quiet ", "sand "};
        for (int i = 0; lesson.size() < 200; ++i)
            lesson += words[i % 7];
        lesson.resize(200);
        std::vector<short> marks(200, 0);
        for (int i = 0; i < 200; i += 9)
            marks[i] = static_cast<short>(1 + i % 2);
        view->SetpStatError(marks.data());
        view->SetMainText(lesson.c_str(), 100);
        SYSTEMTIME t = {};
        t.wMinute = 2;
        t.wSecond = 31;
        view->SetTime(t);
        dc = ::GetDC(view->GetHwnd());
        for (int i = 0; i < 5; ++i)
            view->Draw(dc); // warm up: textures and glyph lists in place
    }
    ~TypingBench()
    {
        ::ReleaseDC(view->GetHwnd(), dc);
        view->DestroyWindow();
        delete view;
        ::DestroyWindow(parent);
    }
    HWND parent;
    KV::CBaseInput* view;
    HDC dc;
};

// Rendering of one frame, finished with glFinish.
fwbench::Registrar typingFrame("kvfwctrl: typing view frame + glFinish, shipped level, 800x200", 4.0, [] {
    TypingBench b;
    return fwbench::MedianMs(15, [&] { b.view->DrawFrame(b.dc); });
});

// The same frame shown: SwapBuffers of a child window copies it out under Wine.
fwbench::Registrar typingShown("kvfwctrl: typing view frame shown (SwapBuffers), 800x200", 8.0, [] {
    TypingBench b;
    return fwbench::MedianMs(15, [&] { b.view->Draw(b.dc); });
});

} // namespace
