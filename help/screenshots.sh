#!/bin/bash
# Takes the help's screenshots from the built program on a private Xvfb display and writes them
# as PNG files into help/images/ (or the folder given with -o). A page names a screenshot with
#   <!-- screenshot: file.png "alt text" -->
# and the build shows it as soon as the file exists, so run this again after any change to the
# skin or the windows and commit the pictures. The program runs for a learner with some weeks
# of practice (tools/demo/gen_demo_store.cpp), so the statistics have something to show.
# Needs xvfb, x11-apps (xwd), x11-utils (xwininfo), imagemagick (convert) and xdotool.
# Usage: help/screenshots.sh [-o folder] [build folder]
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT="$ROOT/help/images"
if [ "${1:-}" = "-o" ]; then OUT=$(mkdir -p "$2" && cd "$2" && pwd); shift 2; fi
. "$ROOT/tools/screens/program.sh"
shots_setup "${1:-$ROOT/build}"
mkdir -p "$OUT"

# The pages of the options, in the order of the dialog's tree.
OPTION_PAGES="general skins keyboard shortcuts languages sounds statistics users"

# A short lesson of the course waits at its start, and its text is printed: the script types
# it whole, as a learner would, to reach the results.
TEXT=$(shots_demo_store --current-max 300 --near-end 300)
shots_start

shots_key F2
shots_take "$MAIN" "$OUT/typing-page.png"
shots_key ctrl+o
OPTIONS=$(shots_window Options)
if [ -n "$OPTIONS" ]; then
  # A click on each page's name in the tree (rows of 16 pixels below the title bar).
  row=58
  for page in $OPTION_PAGES; do
    shots_click "$OPTIONS" 70 $row 4
    xdotool mousemove 0 0 2>/dev/null
    shots_take "$OPTIONS" "$OUT/options-$page.png"
    row=$((row + 16))
  done
  shots_close "$OPTIONS"
else
  echo "  skipped the options (no window \"Options\")"
fi

shots_key F3
shots_take "$MAIN" "$OUT/statistics-page.png"
# The page opens on the lesson being typed, selected in its section and shown in the editor.
shots_key F4
shots_take "$MAIN" "$OUT/lessons-page.png"

# A lesson being typed at about 250 characters a minute, one slip on the way, then the results.
shots_key F2
shots_focus_typing
xdotool key space
sleep 1
xdotool type --delay 440 "${TEXT:0:24}"
sleep 1
shots_take "$MAIN" "$OUT/main-window.png"
xdotool type --delay 440 "${TEXT:24:76}"
if [ "${TEXT:100:1}" = q ]; then xdotool type w; else xdotool type q; fi
xdotool type --delay 440 "${TEXT:100}"
RESULTS=$(shots_window Results)
if [ -n "$RESULTS" ]; then
  sleep 2
  shots_take "$RESULTS" "$OUT/results.png"
else
  echo "  skipped the results (no window \"Results\")"
fi

# The first start of a fresh copy: the wizard, on its keyboard page with the keyboard it shows.
shots_stop
shots_fresh_bin
printf '[Wizard]\r\nShowWizard = 1\r\n' >"$SHOTS_WORK/bin/fingerwaltz.ini"
(cd "$SHOTS_WORK/bin" && exec "$SHOTS_WINE" Fingerwaltz.exe >/dev/null 2>&1) &
SHOTS_PROGRAM=$!
WIZARD=$(shots_window "Welcome: Language")
if [ -n "$WIZARD" ]; then
  # Next twice (the button right of Back at the bottom): Users, then Keyboard.
  for _ in 1 2; do shots_click "$WIZARD" 459 329 2; done
  shots_take "$WIZARD" "$OUT/wizard-keyboard.png"
else
  echo "  skipped the wizard (no window \"Welcome: Language\")"
fi
shots_stop
