#!/bin/bash
# Pictures of every dialog and page in English, German and Russian, taken the way a user sees
# them: the test DialogScreens.* (tests/app/ui/test_dialog_screens.cpp) opens each one on a
# private X server and this script captures the screen with xwd, cut to the dialog.
#   tools/screens/screens.sh [out-folder] [gtest filter]     (default build/screens, DialogScreens.*)
# Needs a built tree (./fw build), xwd (x11-apps) and convert (imagemagick).
set -e
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${FW_BUILD:-$ROOT/build}
OUT=$(mkdir -p "${1:-$BUILD/screens}" && cd "${1:-$BUILD/screens}" && pwd)
FILTER=${2:-DialogScreens.*}
WINE=/usr/lib/wine/wine64
[ -x "$WINE" ] || WINE=wine64
rm -f "$OUT"/*.ready "$OUT"/*.done

# Own prefix: like the tests' one, and Wine draws the window frames itself (there is no window
# manager on the private display), so the pictures show the title bars.
export WINEPREFIX="$BUILD/wine/screens-prefix"
"$ROOT/cmake/wine-prefix.sh" "$WINEPREFIX"
WINE="$WINE" "$ROOT/cmake/wine-frames.sh" "$WINEPREFIX"
export HOME="$BUILD/wine/home" WINEDEBUG=-all
mkdir -p "$HOME"

fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
XVFB=$!
read -r -t 20 n <"$fifo" || true
rm -f "$fifo"
[ -n "$n" ] || { echo "screens.sh: Xvfb did not start" >&2; kill $XVFB; exit 1; }
export DISPLAY=:$n
trap 'kill $XVFB 2>/dev/null || true' EXIT

cd "$BUILD/bin"
FW_SCREENS="Z:${OUT//\//\\}" "$WINE" test_app.exe --gtest_filter="$FILTER" --gtest_brief=1 &
TEST=$!
while kill -0 $TEST 2>/dev/null; do
  for ready in "$OUT"/*.ready; do
    [ -f "$ready" ] || continue
    read -r x y w h <"$ready" || continue
    [ -n "$h" ] || continue
    name=${ready%.ready}
    xwd -root -display "$DISPLAY" | convert xwd:- -crop "${w}x${h}+${x}+${y}" +repage "$name.png"
    rm -f "$ready"
    touch "$name.done"
  done
  sleep 0.1
done
wait $TEST || echo "screens.sh: the test program failed" >&2
rm -f "$OUT"/*.done
echo "pictures in $OUT:"
ls "$OUT"/*.png | wc -l
