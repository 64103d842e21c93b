# Shared by the scripts that photograph the running program (help/screenshots.sh,
# tools/screens/pages.sh); source it, then call the functions in this order:
#   shots_setup <build folder>        a private copy of bin, a Wine prefix, a private X server
#   shots_demo_store [options]        the demo learner's passes (tools/demo/gen_demo_store.cpp)
#   shots_start                       starts Fingerwaltz, waits for its window ($MAIN)
#   shots_key <keys>; shots_window <title>; shots_take <window id> <png>; shots_maximize
#   shots_stop                        ends the program (shots_setup's trap ends the rest)
# The program runs from a copy of bin, so its settings and user files never land in the build.
# FW_DISPLAY=<n> picks the X display number; otherwise Xvfb takes a free one.
# Needs xvfb, x11-apps (xwd), x11-utils (xwininfo), imagemagick (convert) and xdotool;
# fonts-wine gives Wine's window frames their close button.

SHOTS_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
SHOTS_WINE=/usr/lib/wine/wine64
[ -x "$SHOTS_WINE" ] || SHOTS_WINE=wine64

shots_setup() {
  SHOTS_BUILD=$(cd "$1" && pwd)
  for tool in Xvfb xwd xwininfo convert xdotool; do
    command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing" >&2; exit 1; }
  done
  cmake --build "$SHOTS_BUILD" --target gen_demo_store >/dev/null ||
    { echo "screenshots: gen_demo_store did not build" >&2; exit 1; }
  SHOTS_WORK=$(mktemp -d)
  export HOME="$SHOTS_WORK/home" WINEDEBUG=-all
  mkdir -p "$HOME"
  # Like the tests' prefix, and Wine draws the window frames itself (there is no window
  # manager on the private display), so dialogs show their title bars.
  export WINEPREFIX="$SHOTS_BUILD/wine/screens-prefix"
  "$SHOTS_ROOT/cmake/wine-prefix.sh" "$WINEPREFIX"
  WINE="$SHOTS_WINE" "$SHOTS_ROOT/cmake/wine-frames.sh" "$WINEPREFIX"
  if [ -n "${FW_DISPLAY:-}" ]; then
    Xvfb ":$FW_DISPLAY" -screen 0 1280x1024x24 -noreset -nolisten tcp >/dev/null 2>&1 &
    SHOTS_XVFB=$!
    local n=$FW_DISPLAY
    sleep 1
  else
    mkfifo "$SHOTS_WORK/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$SHOTS_WORK/display" >/dev/null 2>&1 &
    SHOTS_XVFB=$!
    local n=""
    read -r -t 20 n <"$SHOTS_WORK/display" || true
  fi
  kill -0 "$SHOTS_XVFB" 2>/dev/null && [ -n "$n" ] || { echo "screenshots: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=:$n
  trap shots_cleanup EXIT
  shots_fresh_bin
}

# A clean copy of the program folder: no tests, settings or users of a test run; no wizard.
shots_fresh_bin() {
  rm -rf "$SHOTS_WORK/bin"
  cp -r "$SHOTS_BUILD/bin" "$SHOTS_WORK/bin"
  rm -f "$SHOTS_WORK/bin"/*test*.exe "$SHOTS_WORK/bin/fingerwaltz.ini"
  rm -rf "$SHOTS_WORK/bin/User"
  printf '[Wizard]\r\nShowWizard = 0\r\n' >"$SHOTS_WORK/bin/fingerwaltz.ini"
}

shots_cleanup() {
  shots_stop
  WINEPREFIX="$WINEPREFIX" "$(dirname "$SHOTS_WINE")/wineserver" -k 2>/dev/null || true
  [ -n "${SHOTS_XVFB:-}" ] && kill "$SHOTS_XVFB" 2>/dev/null || true
  [ -n "${SHOTS_WORK:-}" ] && rm -rf "$SHOTS_WORK"
}

# The demo learner's passes, written into the copy's user folder; prints what the tool prints.
shots_demo_store() {
  (cd "$SHOTS_WORK/bin" && "$SHOTS_WINE" gen_demo_store.exe . "$@" 2>/dev/null | tr -d '\r')
}

shots_window_id() {
  xwininfo -name "$1" 2>/dev/null | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p'
}

shots_start() {
  (cd "$SHOTS_WORK/bin" && exec "$SHOTS_WINE" Fingerwaltz.exe >"${SHOTS_LOG:-/dev/null}" 2>&1) &
  SHOTS_PROGRAM=$!
  MAIN=""
  for _ in $(seq 1 60); do MAIN=$(shots_window_id Fingerwaltz); [ -n "$MAIN" ] && break; sleep 0.5; done
  [ -n "$MAIN" ] || { echo "screenshots: the program's window did not appear" >&2; exit 1; }
  sleep 2
}

shots_stop() {
  [ -n "${SHOTS_PROGRAM:-}" ] || return 0
  kill "$SHOTS_PROGRAM" 2>/dev/null || true
  WINEPREFIX="$WINEPREFIX" "$(dirname "$SHOTS_WINE")/wineserver" -k 2>/dev/null || true
  wait "$SHOTS_PROGRAM" 2>/dev/null || true
  SHOTS_PROGRAM=""
}

# Keys (xdotool names) to the main window, then time to paint.
shots_key() {
  xdotool key --window "$MAIN" "$@" 2>/dev/null
  sleep 2
}

# Waits up to 10 s for a window of that title; prints its id.
shots_window() {
  local id=""
  for _ in $(seq 1 20); do id=$(shots_window_id "$1"); [ -n "$id" ] && break; sleep 0.5; done
  echo "$id"
}

# Closes a dialog with Escape and waits up to 10 s until it is gone.
shots_close() {
  [ -n "$1" ] || return 0
  xdotool key --window "$1" Escape 2>/dev/null
  for _ in $(seq 1 20); do xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || break; sleep 0.5; done
  sleep 1
}

shots_take() {
  xwd -silent -id "$1" | convert xwd:- "png:$2"
  echo "  $2"
}

# Clicks at x y inside a window, then gives it time to paint (seconds, default 1).
shots_click() {
  xdotool mousemove --window "$1" "$2" "$3" click 1 2>/dev/null
  sleep "${4:-1}"
}

# The skin's maximize button (the middle one of the three at the right of the title row, each
# 30 pixels wide): maximizes, or restores a maximized window.
shots_maximize() {
  local width
  width=$(xwininfo -id "$MAIN" | sed -n 's/^ *Width: *//p')
  shots_click "$MAIN" $((width - 45)) 14
  xdotool mousemove 0 0 2>/dev/null
  sleep 1
}

# The keys typed next go to the typing page (not to a lesson tree that had the focus).
shots_focus_typing() {
  xdotool windowfocus --sync "$MAIN" 2>/dev/null || true
  shots_click "$MAIN" 400 150
}
