#pragma once
// The main window's web commands: the home page (612) and telling a friend by mail (613).
//
// Wiring in CMainWnd: WM_COMMAND 612 calls OpenHomePage(hwnd, lang); WM_COMMAND 613 calls
// TellFriend(hwnd, lang). Both also come from the tray menu.
#include <windows.h>

#include <string>

namespace KV {
class CIniTable;
}

constexpr const wchar_t* kTellFriendSubject = L"Fingerwaltz touch-typing tutor";

// The new mail's address: subject, and the language text "TextFriend", a blank and the home
// page as body, both percent-encoded.
std::wstring TellFriendAddress(const KV::CIniTable* lang);

// Each opens its address with the associated program; when none opens, the user is told and
// false is returned.
bool OpenHomePage(HWND owner, const KV::CIniTable* lang);
bool TellFriend(HWND owner, const KV::CIniTable* lang);
