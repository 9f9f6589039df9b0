#!/bin/sh
# A PNG of every window into docs/: the standard windows and the button lab, shown through the
# registered DLL under Wine at 96 pixels per inch, again in a high-contrast theme as
# docs/high-contrast/<window>.png, then the standard windows at 120, 144 and 192 as
# docs/dpi/<window>-<dpi>.png.
# usage: screenshots.sh [build folder, default build/win32, the product] (from the source folder,
# after the build)
set -eu
build="$(cd "${1:-build/win32}" && pwd)"
export WINEPREFIX="$build/screenshots-prefix"
WINEARCH=$(sed -n 's/^TESK_WINDOWS_ARCH:STRING=//p' "$build/CMakeCache.txt")
export WINEARCH
sh scripts/wine-run.sh regsvr32 /s "Z:$build/src/win32/TeskLumoraLib.dll"
# No update server: the bug-report window shows its blank page at once.
sh scripts/wine-run.sh reg add 'HKCU\Software\TeskLumoraLib' /v UpdateServer \
  /d "http://127.0.0.1:9" /f >/dev/null
mkdir -p docs/dpi docs/high-contrast
for dpi in 96 120 144 192; do
  shots="$build/screenshots/$dpi"
  rm -rf "$shots" && mkdir -p "$shots/high-contrast"
  contrast=""
  if [ "$dpi" = 96 ]; then contrast="Z:$shots/high-contrast"; fi
  # In a virtual desktop, where Wine draws the windows' frames and captions itself; large
  # enough for the largest window at 192.
  sh scripts/wine-at-dpi.sh "$dpi" sh scripts/wine-run.sh explorer /desktop=screenshots,1280x1024 \
    "$build/tools/screenshots.exe" "Z:$shots" $contrast
  for bmp in "$shots"/*.bmp; do
    name="$(basename "$bmp" .bmp)"
    if [ "$dpi" = 96 ]; then
      png="docs/$name.png"
    elif [ "$name" != button-lab ]; then
      png="docs/dpi/$name-$dpi.png"
    else
      continue
    fi
    /usr/bin/python3 scripts/bmp_to_png.py "$bmp" "$png"
    echo "$png"
  done
  for bmp in "$shots"/high-contrast/*.bmp; do
    [ -e "$bmp" ] || continue
    png="docs/high-contrast/$(basename "$bmp" .bmp).png"
    /usr/bin/python3 scripts/bmp_to_png.py "$bmp" "$png"
    echo "$png"
  done
done
