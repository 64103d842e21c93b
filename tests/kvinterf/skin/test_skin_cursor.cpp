// The cursor of a skinned window is not set again on every mouse move, yet comes back whenever
// another window may have changed it.
#include "../skin_test_util.h"
#include <gtest/gtest.h>

using namespace skintest;

TEST(SkinCursor, SetAgainWhenAnotherWindowMayHaveChangedIt)
{
    KV::CSkinWnd wnd;
    wnd.AddSkin(1, RECT{0, 0, 0, 0}, 0x01000011);
    HWND h = CreateTestWindow(wnd, 300, 300, 100, 100);
    ASSERT_NE(nullptr, h);
    HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, h, nullptr,
                                   nullptr, nullptr);
    const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    const HCURSOR beam = ::LoadCursorW(nullptr, IDC_IBEAM);
    auto over = [&](HWND target) {
        ::SetCursorPos(350, 350);
        ::SendMessageW(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    };
    const struct
    {
        const char* what;
        HWND target;
        bool left;
    } steps[] = {
        {"over a child", child, false},
        {"back after the mouse left", h, true},
    };
    EXPECT_EQ(arrow, over(h));
    for (const auto& step : steps)
    {
        ::SetCursor(beam); // what a child or another window of the program may do
        if (step.left)
            ::SendMessageW(h, WM_MOUSELEAVE, 0, 0);
        EXPECT_EQ(arrow, over(step.target)) << step.what;
    }
    ::DestroyWindow(child);
}
