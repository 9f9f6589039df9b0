#!/bin/sh
# A PNG of every window into docs/: the standard windows and the button lab, shown through the
# registered DLL under Wine. usage: screenshots.sh (from the source folder, after the win64 build)
set -eu
build="$(pwd)/build/win64"
export WINEPREFIX="$build/screenshots-prefix"
[ -d "$WINEPREFIX" ] || sh scripts/wine-run.sh wineboot --init 2>/dev/null
sh scripts/wine-run.sh regsvr32 /s "Z:$build/src/platform/win32/TeskLumoraLib.dll"
# No update server: the bug-report window shows its blank page at once.
sh scripts/wine-run.sh reg add 'HKCU\Software\TeskLumoraLib' /v UpdateServer \
  /d "http://127.0.0.1:9" /f >/dev/null
shots="$build/screenshots"
rm -rf "$shots" && mkdir -p "$shots" docs
# In a virtual desktop, where Wine draws the windows' frames and captions itself.
sh scripts/wine-run.sh explorer /desktop=screenshots,1024x768 "$build/tools/screenshots.exe" "Z:$shots"
for bmp in "$shots"/*.bmp; do
  png="docs/$(basename "$bmp" .bmp).png"
  /usr/bin/python3 scripts/bmp_to_png.py "$bmp" "$png"
  echo "$png"
done
wineserver -k 2>/dev/null || true
