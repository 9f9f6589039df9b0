#!/bin/sh
# Runs a GoogleTest program under Wine in a virtual desktop of its own, where Wine manages the
# windows itself instead of waiting on the X server for each one it hides. Explorer does not
# pass the program's exit code on, so the verdict is read from the program's own summary: some
# tests passed and none failed.
# Its time is bounded here, 30 minutes for each TESK_SOAK, since the soak multiplies its runs.
# The desktop is TESK_DESKTOP_SIZE big, 1024x768 unless set.
# usage: wine-desktop.sh <program.exe> [arguments...]
set -u
here="$(dirname "$0")"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
# A desktop takes effect in a fresh Wine server only, which wine-run.sh gives each program.
timeout $((1800 * ${TESK_SOAK:-1})) sh "$here/wine-run.sh" explorer /desktop=tesk-tests,"${TESK_DESKTOP_SIZE:-1024x768}" "$@" 2>&1 | tee "$log"
grep -Eq '^\[  PASSED  \] [1-9][0-9]* tests?\.' "$log" && ! grep -q '^\[  FAILED  \]' "$log"
