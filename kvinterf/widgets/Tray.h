#pragma once
// The program's icon in the notification area. The object is the platform's notification-icon
// record; the owner window receives CMessageWnd::kTrayMessage for mouse events on the icon.
#include "kvinterf/window/MessageWnd.h"
#include <shellapi.h>

namespace KV {

// The one door to Shell_NotifyIconW, so that tests can play a shell that refuses.
typedef BOOL (*TrayShellHandler)(DWORD message, NOTIFYICONDATAW* data);
// Returns the previous handler; nullptr restores Shell_NotifyIconW.
KVINTERF_API TrayShellHandler SetTrayShellHandler(TrayShellHandler handler);

class KVINTERF_API CTray
{
public:
    CTray(HWND window, UINT iconId);
    // Removes its own icon when it was added.
    ~CTray();

    CTray(const CTray&) = delete;
    CTray& operator=(const CTray&) = delete;

    enum : int { kTipChars = 127, kInfoChars = 255, kTitleChars = 63 };

    // Adds the icon with the tip (cut to 127 characters); icon is destroyed after the call (the
    // shell keeps its own copy). The shell's result: 0 when it refused.
    BOOL AddIcon(HICON icon, const wchar_t* tip = nullptr);
    BOOL DeleteIcon(UINT iconId);
    // A balloon over the icon; no title shows the text alone.
    BOOL ShowBalloonTip(const wchar_t* title, const wchar_t* text, UINT timeout, DWORD iconFlags);

    const NOTIFYICONDATAW& GetData() const { return m_data; }
    bool IsAdded() const { return m_bAdded; }

private:
    NOTIFYICONDATAW m_data;
    bool m_bAdded;
};

} // namespace KV
