#!/bin/bash
# Pictures of the main window's three pages (typing F2, statistics F3, lessons F4) at the
# default window size and maximized, in English, German and Russian, for a user with some
# weeks of practice (tools/demo/gen_demo_store.cpp). The typing page is shown paused before
# the lesson and again in the middle of it.
#   tools/screens/pages.sh [out-folder] [languages]   (default build/screens/pages, all three)
# Needs a built tree (./fw build); see program.sh for the tools it needs.
set -e
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${FW_BUILD:-$ROOT/build}
OUT=$(mkdir -p "${1:-$BUILD/screens/pages}" && cd "${1:-$BUILD/screens/pages}" && pwd)
LANGUAGES=${2:-English German Russian}
. "$ROOT/tools/screens/program.sh"
shots_setup "$BUILD"

# One size of the window: every page, the typing page also while a lesson runs.
pages() {
  local size=$1 language=$2
  shots_key F2
  shots_take "$MAIN" "$OUT/typing-$size-$language.png"
  shots_key F3
  shots_take "$MAIN" "$OUT/statistics-$size-$language.png"
  shots_key F4
  shots_take "$MAIN" "$OUT/lessons-$size-$language.png"
  shots_key F2
  # A key resumes the lesson; then the learner types on from where the lesson stood.
  shots_focus_typing
  xdotool key space
  sleep 1
  xdotool type --delay 440 "${TEXT:0:$3}"
  sleep 1
  shots_take "$MAIN" "$OUT/typing-running-$size-$language.png"
  shots_key F5
}

for language in $LANGUAGES; do
  echo "$language:"
  shots_fresh_bin
  # The current lesson stands 60 characters before its end; 12 of them are typed per size.
  TEXT=$(shots_demo_store --language "$language" --near-end 60)
  shots_start
  pages default "$language" 12
  TEXT=${TEXT:12}
  if [ -z "$(shots_window_id Fingerwaltz)" ]; then
    echo "  the program's window is gone; starting it again"
    shots_stop
    shots_start
  fi
  shots_maximize
  pages maximized "$language" 12
  shots_maximize
  shots_stop
done
echo "pictures in $OUT"
