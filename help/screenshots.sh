#!/bin/bash
# Takes the help's screenshots from the built program on a private Xvfb display and writes them
# as PNG files into help/images/ (or the folder given with -o). A page names a screenshot with
#   <!-- screenshot: file.png "alt text" -->
# and the build shows it as soon as the file exists, so run this again after any change to the
# skin or the windows and commit the pictures.
# Needs xvfb, x11-apps (xwd), x11-utils (xwininfo), imagemagick (convert), and xdotool for
# the shots behind a key. Usage: help/screenshots.sh [-o folder] [build folder]
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT="$ROOT/help/images"
if [ "${1:-}" = "-o" ]; then OUT=$(mkdir -p "$2" && cd "$2" && pwd); shift 2; fi
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
WINE=/usr/lib/wine/wine64
[ -x "$WINE" ] || WINE=wine64
for tool in Xvfb xwd xwininfo convert; do
  command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing" >&2; exit 1; }
done

# The shots: file, keys pressed in the main window first (xdotool names), window to capture.
SHOTS="main-window.png||Fingerwaltz
typing-page.png|F2|Fingerwaltz
statistics-page.png|F3|Fingerwaltz
lessons-page.png|F4|Fingerwaltz
options-general.png|ctrl+o|Options"

# The program runs from a copy of bin, so its settings and user files never land in the build.
WORK=$(mktemp -d)
cp -r "$BUILD/bin" "$WORK/bin"
rm -f "$WORK/bin"/*test*.exe "$WORK/bin/fingerwaltz.ini"
rm -rf "$WORK/bin/User"
# The pages, not the first-run wizard.
printf '[Wizard]\r\nShowWizard = 0\r\n' >"$WORK/bin/fingerwaltz.ini"
export HOME="$WORK/home" WINEPREFIX="$BUILD/wine/shots-prefix" WINEDEBUG=-all
mkdir -p "$HOME"
"$ROOT/cmake/wine-prefix.sh" "$WINEPREFIX"

FIFO="$WORK/display"
mkfifo "$FIFO"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$FIFO" >/dev/null 2>&1 &
XVFB=$!
read -r -t 20 N <"$FIFO"
export DISPLAY=:$N
(cd "$WORK/bin" && exec "$WINE" Fingerwaltz.exe >/dev/null 2>&1) &
PROGRAM=$!
cleanup() {
  kill "$PROGRAM" 2>/dev/null || true
  WINEPREFIX="$WINEPREFIX" "$(dirname "$WINE")/wineserver" -k 2>/dev/null || true
  kill "$XVFB" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

window_id() { xwininfo -name "$1" 2>/dev/null | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p'; }
for _ in $(seq 1 60); do [ -n "$(window_id Fingerwaltz)" ] && break; sleep 0.5; done
MAIN=$(window_id Fingerwaltz)
[ -n "$MAIN" ] || { echo "screenshots: the program's window did not appear" >&2; exit 1; }
sleep 2

mkdir -p "$OUT"
echo "$SHOTS" | while IFS='|' read -r file keys title; do
  if [ -n "$keys" ]; then
    command -v xdotool >/dev/null || { echo "  skipped $file (xdotool missing)"; continue; }
    xdotool key --window "$MAIN" "$keys" 2>/dev/null
    sleep 2
  fi
  id=$(window_id "$title")
  if [ -z "$id" ]; then echo "  skipped $file (no window \"$title\")"; continue; fi
  xwd -silent -id "$id" | convert xwd:- "png:$OUT/$file"
  echo "  $OUT/$file"
  [ "$title" = Fingerwaltz ] || xdotool key --window "$id" Escape 2>/dev/null
  sleep 1
done
