#!/bin/bash
# Lets Wine draw the windows' title bars and frames itself, as Windows does, also on a display
# without a window manager (Xvfb); the close button's glyph needs the Marlett font, copied in
# when the system has it (package fonts-wine). Once per prefix (a marker file says it is done).
set -e
PREFIX="$1"
WINE=${WINE:-/usr/lib/wine/wine64}
[ -x "$WINE" ] || WINE=wine64
[ -f "$PREFIX/.fw-frames" ] && exit 0
REG=$(mktemp --suffix=.reg)
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Decorated"="N"\n' >"$REG"
WINEPREFIX="$PREFIX" WINEDEBUG=-all "$WINE" regedit /S "$REG"
rm -f "$REG"
if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$PREFIX/drive_c/windows/Fonts/"
fi
touch "$PREFIX/.fw-frames"
