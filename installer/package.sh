#!/bin/bash
# Makes the Windows downloads from a finished build: build/package/Fingerwaltz-<version>-setup.exe
# (NSIS) and Fingerwaltz-<version>-portable.zip. Only the files that ship are taken from bin:
# the program, its libraries, the help file and the data folders (never test programs or the
# settings and user files a test run left there).
# Usage: installer/package.sh <build folder>
set -e
HERE=$(cd "$(dirname "$0")" && pwd)
BUILD=$(cd "$1" && pwd)
BIN="$BUILD/bin"
OUT="$BUILD/package"
VERSION=$(sed -n 's/^#define FW_VERSION_TEXT "\(.*\)"$/\1/p' "$BUILD/generated/FwVersion.h")
[ -n "$VERSION" ] || { echo "package: no version in $BUILD/generated/FwVersion.h" >&2; exit 1; }
for f in Fingerwaltz.exe kvstruct.dll kvinterf.dll kvfwctrl.dll Fingerwaltz.chm .data-files; do
  [ -f "$BIN/$f" ] || { echo "package: $BIN/$f is missing (is chmcmd, package fp-utils, installed?)" >&2; exit 1; }
done

STAGE="$OUT/stage/Fingerwaltz"
rm -rf "$OUT/stage"
mkdir -p "$STAGE"
{
  printf '%s\n' Fingerwaltz.exe kvstruct.dll kvinterf.dll kvfwctrl.dll Fingerwaltz.chm
  grep -v '^$' "$BIN/.data-files"
} | sort -u >"$OUT/stage/files.txt"
while IFS= read -r f; do
  mkdir -p "$STAGE/$(dirname "$f")"
  cp -p "$BIN/$f" "$STAGE/$f"
done <"$OUT/stage/files.txt"

# What the uninstaller removes: each file, then each folder deepest first (RMDir only removes
# a folder that is empty, so folders with the user's files stay).
LIST="$OUT/stage/files.nsh"
{
  printf '\xef\xbb\xbf'
  sed 's|/|\\|g; s|\$|$$|g; s|^\(.*\)$|  Delete "$INSTDIR\\\1"|' "$OUT/stage/files.txt"
  (cd "$STAGE" && find . -mindepth 1 -type d | sed 's|^\./||') |
    awk -F/ '{ print NF "\t" $0 }' | sort -rn -k1,1 | cut -f2- |
    sed 's|/|\\|g; s|\$|$$|g; s|^\(.*\)$|  RMDir "$INSTDIR\\\1"|'
} >"$LIST"

SETUP="$OUT/Fingerwaltz-$VERSION-setup.exe"
ZIP="$OUT/Fingerwaltz-$VERSION-portable.zip"
rm -f "$SETUP" "$ZIP"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$VERSION" -DSTAGE="$STAGE" -DFILELIST="$LIST" \
  -DICON="$HERE/../app/res/Fingerwaltz.ico" -DOUTFILE="$SETUP" "$HERE/Fingerwaltz.nsi"
(cd "$OUT/stage" && zip -q -r -X "$ZIP" Fingerwaltz)
echo "package: $SETUP"
echo "package: $ZIP"
