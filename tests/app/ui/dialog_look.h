#pragma once
// Labels that do not fit their controls, measured with each control's own font.
#include <windows.h>
#include <string>
#include <vector>

namespace dialoglook {

// Texts of the visible static texts, buttons, check boxes and radio buttons under window that
// are wider than their control (or, for multi-line texts, taller).
inline std::vector<std::wstring> ClippedLabels(HWND window)
{
    std::vector<std::wstring> clipped;
    struct Search
    {
        std::vector<std::wstring>* out;
    } search = {&clipped};
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t cls[32] = {0}, text[512] = {0};
            ::GetClassNameW(child, cls, 32);
            ::GetWindowTextW(child, text, 512);
            const LONG style = ::GetWindowLongW(child, GWL_STYLE);
            const bool isStatic = _wcsicmp(cls, L"Static") == 0 && (style & SS_TYPEMASK) <= SS_RIGHT;
            const bool isButton = _wcsicmp(cls, L"Button") == 0 && (style & BS_TYPEMASK) != BS_GROUPBOX;
            // The style bit, not IsWindowVisible: the dialogs are measured without being shown.
            if (!text[0] || !(style & WS_VISIBLE) || (!isStatic && !isButton))
                return TRUE;
            RECT client;
            ::GetClientRect(child, &client);
            HDC dc = ::GetDC(child);
            HGDIOBJ old =
                ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0)));
            const int type = style & BS_TYPEMASK;
            const bool box = isButton && !(style & BS_PUSHLIKE) &&
                             (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX || type == BS_AUTORADIOBUTTON ||
                              type == BS_RADIOBUTTON);
            // Room the control keeps for itself: the check box, or a push button's frame.
            const int margin = box ? 18 : isButton ? 8 : 0;
            RECT need = {0, 0, client.right - margin, 0};
            const bool multi = isStatic && client.bottom > 2 * ::GetSystemMetrics(SM_CYMENU);
            ::DrawTextW(dc, text, -1, &need, DT_CALCRECT | (multi ? DT_WORDBREAK : DT_SINGLELINE));
            ::SelectObject(dc, old);
            ::ReleaseDC(child, dc);
            if (need.right > client.right - margin || need.bottom > client.bottom)
                s->out->push_back(text);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return clipped;
}

// With FW_SHOW_MS set, shows the window that many milliseconds (for a screenshot). Not by
// default: taking a shown window down costs seconds under Wine without a window manager.
inline void ShowForLook(HWND window)
{
    const char* show = std::getenv("FW_SHOW_MS");
    if (!show)
        return;
    if (!::IsWindowVisible(window))
        ::ShowWindow(window, SW_SHOWNOACTIVATE);
    ::UpdateWindow(window);
    const DWORD until = ::GetTickCount() + static_cast<DWORD>(std::atoi(show));
    MSG msg;
    do
    {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    } while (static_cast<LONG>(::GetTickCount() - until) < 0);
}

} // namespace dialoglook
