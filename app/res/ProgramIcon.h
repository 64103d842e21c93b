#pragma once
// The program's icon (tools/avatars/make_app_icon.py draws Fingerwaltz.ico): the window class,
// the tray and the about box load it by this number, and as the first icon of the program the
// shell shows it for the file, its shortcuts and its installed-programs entry.
#define FW_PROGRAM_ICON 107
