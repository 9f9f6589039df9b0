#!/bin/sh
# Runs the Wine suites of the given presets at once. Their prefixes lie in their own build trees
# and each suite gets an X display of its own, so nothing one does meets the other (real mouse
# input included). Each line is prefixed with its preset; fails when any suite fails.
# usage: wine-suites.sh PRESET...   (from the source folder, after the builds)
set -u
status="$(mktemp -d)"
trap 'rm -rf "$status"' EXIT
display=90
for preset in "$@"; do
  ( xvfb-run -a -n "$display" -s "-screen 0 1280x1024x24" ctest --preset "$preset" 2>&1
    echo $? > "$status/$preset" ) | sed -u "s/^/[$preset] /" &
  display=$((display + 5))
done
wait
failed=0
for preset in "$@"; do
  [ "$(cat "$status/$preset" 2>/dev/null)" = 0 ] || { echo "The $preset Wine suite failed"; failed=1; }
done
exit $failed
