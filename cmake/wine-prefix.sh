#!/bin/bash
# Makes a Wine prefix that behaves like a plain Windows desktop: no crash dialog,
# the usual fonts, named keyboard layouts. Runs once per prefix (a marker file says it is done).
set -e
PREFIX="$1"
WINE=${WINE:-/usr/lib/wine/wine64}
[ -x "$WINE" ] || WINE=wine64

mkdir -p "$(dirname "$PREFIX")"
exec 9>"$PREFIX.lock"
flock 9
if [ -f "$PREFIX/.fw-ready" ]; then exit 0; fi
export WINEPREFIX="$PREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if ! $WINE wineboot -i >/dev/null 2>&1; then
  echo "wine-prefix.sh: 'wineboot -i' failed for $PREFIX" >&2
  exit 1
fi
REG=$(mktemp --suffix=.reg)
cat >"$REG" <<'REGEOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Courier New"="Liberation Mono"
"Times New Roman"="Liberation Serif"
"Verdana"="DejaVu Sans"
"Tahoma"="DejaVu Sans"
"MS Sans Serif"="Liberation Sans"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Keyboard Layouts\00000409]
"Layout Text"="US"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Keyboard Layouts\00000407]
"Layout Text"="German"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Keyboard Layouts\00000419]
"Layout Text"="Russian"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Keyboard Layouts\0000040C]
"Layout Text"="French"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Keyboard Layouts\00000809]
"Layout Text"="United Kingdom"
REGEOF
if ! $WINE regedit /S "$REG" >/dev/null 2>&1; then
  rm -f "$REG"
  echo "wine-prefix.sh: importing the prefix settings failed for $PREFIX" >&2
  exit 1
fi
rm -f "$REG"
"$(dirname "$WINE")/wineserver" -w 2>/dev/null || true
# The marker last: a prefix whose set-up broke off is made again next time.
touch "$PREFIX/.fw-ready"
