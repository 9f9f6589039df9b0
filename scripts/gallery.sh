#!/bin/sh
# The button gallery through the real GDI path under Wine: docs/gallery.png.
# usage: gallery.sh (from the source folder, after the win64 build)
set -eu
build="$(pwd)/build/win64"
export WINEPREFIX="$build/gallery-prefix"
[ -d "$WINEPREFIX" ] || sh scripts/wine-run.sh wineboot --init 2>/dev/null
mkdir -p docs
sh scripts/wine-run.sh "$build/tools/gallery.exe" "Z:$build/gallery.bmp"
/usr/bin/python3 scripts/bmp_to_png.py "$build/gallery.bmp" docs/gallery.png
wineserver -k 2>/dev/null || true
echo "docs/gallery.png"
