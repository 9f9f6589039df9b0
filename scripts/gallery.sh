#!/bin/sh
# The button gallery through the real GDI path under Wine: docs/gallery.png.
# usage: gallery.sh (from the source folder, after the win32 build)
set -eu
build="$(pwd)/build/win32"
export WINEPREFIX="$build/gallery-prefix" WINEARCH=win32
mkdir -p docs
sh scripts/wine-run.sh "$build/tools/gallery.exe" "Z:$build/gallery.bmp"
/usr/bin/python3 scripts/bmp_to_png.py "$build/gallery.bmp" docs/gallery.png
echo "docs/gallery.png"
