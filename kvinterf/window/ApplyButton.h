#pragma once
// The Apply button (control 20) that skinned windows and dialogs share.
#include <windows.h>

namespace KV {
namespace ApplyButton {

constexpr int kId = 20;

inline int IsEnabled(HWND owner)
{
    HWND apply = owner ? ::GetDlgItem(owner, kId) : nullptr;
    return (apply && ::IsWindowEnabled(apply)) ? 1 : 0;
}

inline void Enable(HWND owner, int on)
{
    HWND apply = owner ? ::GetDlgItem(owner, kId) : nullptr;
    if (apply)
        ::EnableWindow(apply, on ? TRUE : FALSE);
    if (owner)
        ::InvalidateRect(owner, nullptr, FALSE);
}

} // namespace ApplyButton
} // namespace KV
