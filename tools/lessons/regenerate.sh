#!/bin/bash
# Rebuilds every shipped lesson below data/Lessons from tools/lessons/src.
#   tools/lessons/regenerate.sh [build folder]    (default: $FW_BUILD, else build/)
# The scan-code lessons go through the lesson library under Wine (gen_lessons.exe);
# the layout-dependent lessons are plain code-page text written by make_local.py.
set -e
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
BUILD=${1:-${FW_BUILD:-$ROOT/build}}
BUILD=$(mkdir -p "$BUILD" && cd "$BUILD" && pwd)

winpath() { echo "Z:$1" | tr / '\\'; }

FW_BUILD="$BUILD" "$ROOT/fw" build --target gen_lessons
"$ROOT/cmake/wine-test.sh" "$BUILD" "$BUILD/bin/gen_lessons.exe" \
  "$(winpath "$HERE/src")" "$(winpath "$ROOT/data/Lessons")"
python3 "$HERE/make_local.py" "$ROOT/data/Lessons"
