#!/bin/bash
# Installs the setup program as a new user would, in a fresh Wine prefix, and checks it:
# silent install, one start of the installed program, shortcuts and the installed-programs
# entry, an upgrade over the user's data, a silent uninstall that keeps that data.
# Needs DISPLAY (the program opens a window). Usage: installer/check.sh <build folder>
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "$1" && pwd)
WINE=/usr/lib/wine/wine64
[ -x "$WINE" ] || WINE=wine64
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=wineserver
VERSION=$(sed -n 's/^#define FW_VERSION_TEXT "\(.*\)"$/\1/p' "$BUILD/generated/FwVersion.h")
SETUP="$BUILD/package/Fingerwaltz-$VERSION-setup.exe"
[ -f "$SETUP" ] || { echo "check: $SETUP is missing; run ./fw package first" >&2; exit 1; }

# Everything lives in one scratch folder: prefix, HOME (Wine links the desktop there) and logs.
WORK="$BUILD/package/check"
rm -rf "$WORK"
mkdir -p "$WORK/home"
export WINEPREFIX="$WORK/prefix" HOME="$WORK/home" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap '"$WINESERVER" -k 2>/dev/null || true' EXIT

FAILED=0
pass() { echo "  ok    $*"; }
fail() { echo "  FAIL  $*"; FAILED=1; }
expect_file() { if [ -e "$1" ]; then pass "$2"; else fail "$2 ($1 missing)"; fi; }
expect_gone() { if [ -e "$1" ]; then fail "$2 ($1 still there)"; else pass "$2"; fi; }
wait_wine() { timeout 120 "$WINESERVER" -w; }

echo "check: fresh prefix"
"$ROOT/cmake/wine-prefix.sh" "$WINEPREFIX" >"$WORK/prefix.log" 2>&1
USERDIR=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n1)
APP="$USERDIR/AppData/Local/Programs/Fingerwaltz"
STARTMENU="$USERDIR/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Fingerwaltz.lnk"
KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Fingerwaltz'
desktop_link() { find -L "$USERDIR" "$HOME" -name Fingerwaltz.lnk -path '*Desktop*' 2>/dev/null | head -n1; }

echo "check: silent install of $(basename "$SETUP")"
"$WINE" "$SETUP" /S
wait_wine
for f in Fingerwaltz.exe kvstruct.dll kvinterf.dll kvfwctrl.dll Fingerwaltz.chm Uninstall.exe \
         Language/English.ini Data/KeyboardScheme.bmp; do
  expect_file "$APP/$f" "installed $f"
done
expect_file "$STARTMENU" "Start-menu shortcut"
if [ -n "$(desktop_link)" ]; then pass "desktop shortcut"; else fail "desktop shortcut"; fi
"$WINE" reg query "$KEY" >"$WORK/uninstall-entry.txt" 2>&1 || true
tr -d '\r' <"$WORK/uninstall-entry.txt" | sed 's/^/        /'
for value in "DisplayName.*Fingerwaltz" "DisplayVersion.*$VERSION" "Publisher.*Fingerwaltz developers" \
             "DisplayIcon.*Fingerwaltz.exe" "UninstallString.*Uninstall.exe" "EstimatedSize.*0x[1-9a-f]"; do
  if tr -d '\r' <"$WORK/uninstall-entry.txt" | grep -q "$value"; then pass "uninstall entry $value"
  else fail "uninstall entry $value"; fi
done

# What the entry and the setup show agrees with the installed program: its version block, its
# icon (every image of it in the setup too) and its size on disk.
entry() { tr -d '\r' <"$WORK/uninstall-entry.txt" | sed -n "s/^ *$1 *REG_[A-Z]* *//p"; }
block() { python3 "$ROOT/installer/pe_info.py" version "$APP/Fingerwaltz.exe" | sed -n "s/^$1=//p"; }
[ "$(block ProductVersion)" = "$VERSION" ] && [ "$(entry DisplayVersion)" = "$VERSION" ] &&
  pass "version $VERSION in the program's version block and the entry" ||
  fail "versions: program $(block ProductVersion), entry $(entry DisplayVersion), project $VERSION"
[ "$(entry Publisher)" = "$(block CompanyName)" ] && pass "publisher is the program's company name" ||
  fail "publisher $(entry Publisher) is not the program's $(block CompanyName)"
python3 "$ROOT/installer/pe_info.py" icons "$APP/Fingerwaltz.exe" >"$WORK/program-icon.txt"
python3 "$ROOT/installer/pe_info.py" icons "$SETUP" >"$WORK/setup-icon.txt"
if [ -s "$WORK/program-icon.txt" ] && [ -z "$(comm -23 <(sort "$WORK/program-icon.txt") <(sort "$WORK/setup-icon.txt"))" ]; then
  pass "the setup shows the program's icon ($(wc -l <"$WORK/program-icon.txt") sizes)"
else
  fail "the setup's icon is not the program's (or the program has none)"
fi
SIZE_KB=$(( $(entry EstimatedSize) ))
DISK_KB=$(du -sk --apparent-size "$APP" | cut -f1)
if [ "$SIZE_KB" -ge $((DISK_KB * 9 / 10)) ] && [ "$SIZE_KB" -le $((DISK_KB * 11 / 10)) ]; then
  pass "entry size $SIZE_KB KB for $DISK_KB KB installed"
else
  fail "entry size $SIZE_KB KB, but $DISK_KB KB installed"
fi

echo "check: first start of the installed program"
(cd "$APP" && exec "$WINE" Fingerwaltz.exe >"$WORK/program.log" 2>&1) &
STARTED=$!
main_window() { xwininfo -root -tree 2>/dev/null | grep -q '"Fingerwaltz": ('; }
for _ in $(seq 1 60); do main_window && break; kill -0 "$STARTED" 2>/dev/null || break; sleep 0.5; done
if main_window; then
  pass "the installed program opened its window"
  sleep 2
  "$WINE" taskkill /IM Fingerwaltz.exe >/dev/null 2>&1 || true
  for _ in $(seq 1 40); do kill -0 "$STARTED" 2>/dev/null || break; sleep 0.5; done
  if kill -0 "$STARTED" 2>/dev/null; then fail "the program did not close"; kill "$STARTED"; else pass "the program closed"; fi
else
  kill "$STARTED" 2>/dev/null || true
  fail "the installed program showed no window (see $WORK/program.log)"
fi
wait_wine

# The user's data as a learner leaves it: settings, a user file, an own lesson.
mkdir -p "$APP/User" "$APP/Lessons/LocalLanguage/En/User"
[ -f "$APP/fingerwaltz.ini" ] || printf '[Wizard]\r\nShowWizard=0\r\n' >"$APP/fingerwaltz.ini"
echo "statistics" >"$APP/User/learner.sta"
echo "my own lesson" >"$APP/Lessons/LocalLanguage/En/User/My lesson.txt"

echo "check: upgrade over the installation"
"$WINE" "$SETUP" /S
wait_wine
expect_file "$APP/Fingerwaltz.exe" "program present after the upgrade"
expect_file "$APP/fingerwaltz.ini" "settings kept by the upgrade"
expect_file "$APP/User/learner.sta" "user folder kept by the upgrade"
expect_file "$APP/Lessons/LocalLanguage/En/User/My lesson.txt" "own lesson kept by the upgrade"
expect_file "$STARTMENU" "Start-menu shortcut after the upgrade"
"$WINE" reg query "$KEY" >/dev/null 2>&1 && pass "uninstall entry after the upgrade" || fail "uninstall entry after the upgrade"

echo "check: silent uninstall"
"$WINE" "$APP/Uninstall.exe" /S
wait_wine
for f in Fingerwaltz.exe kvstruct.dll kvinterf.dll kvfwctrl.dll Fingerwaltz.chm Uninstall.exe \
         Language Sound Data Avatars Lessons/MultiLanguage; do
  expect_gone "$APP/$f" "removed $f"
done
expect_gone "$STARTMENU" "removed the Start-menu shortcut"
if [ -z "$(desktop_link)" ]; then pass "removed the desktop shortcut"; else fail "desktop shortcut left"; fi
if "$WINE" reg query "$KEY" >/dev/null 2>&1; then fail "uninstall entry left"; else pass "removed the uninstall entry"; fi
expect_file "$APP/fingerwaltz.ini" "settings kept"
expect_file "$APP/User/learner.sta" "user folder kept"
expect_file "$APP/Lessons/LocalLanguage/En/User/My lesson.txt" "own lesson kept"

if [ "$FAILED" = 0 ]; then
  echo "check: passed"
  # The prefix's server must be gone before its folder can be removed.
  "$WINESERVER" -k 2>/dev/null || true
  for _ in $(seq 1 20); do rm -rf "$WORK" 2>/dev/null && break; sleep 0.5; done
else
  echo "check: FAILED (prefix kept in $WORK)"
  exit 1
fi
