#!/bin/sh
# Runs a command that runs Windows programs under Wine (wine-run.sh, wine-desktop.sh) with the
# screen at the given pixels per inch, then puts the prefix back to Wine's default of 96. Wine
# reads LogPixels under the user's desktop settings as each process starts. The programs find
# the value they should see in TESK_DPI.
# usage: wine-at-dpi.sh <dpi> <command> [arguments...]
set -u
here="$(dirname "$0")"
TESK_DPI="$1"
export TESK_DPI
shift
desktop='HKCU\Control Panel\Desktop'
sh "$here/wine-run.sh" reg add "$desktop" /v LogPixels /t REG_DWORD /d "$TESK_DPI" /f >/dev/null
"$@"
status=$?
sh "$here/wine-run.sh" reg delete "$desktop" /v LogPixels /f >/dev/null
exit $status
