#!/bin/bash
# Runs one test program under Wine, isolated in the build tree: its own prefix, HOME
# (Wine's recycle bin lives there), a null sound device, and an X display.
BUILD="$1"; shift
HERE=$(cd "$(dirname "$0")" && pwd)
WINE=/usr/lib/wine/wine64
[ -x "$WINE" ] || WINE=wine64
export WINEPREFIX="$BUILD/wine/prefix"
"$HERE/wine-prefix.sh" "$WINEPREFIX"
export HOME="$BUILD/wine/home"
mkdir -p "$HOME"
export ALSA_CONFIG_PATH="$BUILD/wine/alsa-null.conf"
if [ ! -f "$ALSA_CONFIG_PATH" ]; then
  printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$ALSA_CONFIG_PATH"
fi
export WINEDEBUG=${WINEDEBUG:--all}
export FW_BUILD_DIR="$BUILD"
if [ -z "$DISPLAY" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$WINE" "$@"
fi
exec "$WINE" "$@"
