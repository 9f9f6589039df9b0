#!/bin/sh
# Figures for the automation server: timings under Wine and the sizes of both DLL builds.
# usage: bench.sh (from the source folder, after the win32 and win64 builds)
set -eu
export WINEPREFIX="$(pwd)/build/win64/bench-prefix"
[ -d "$WINEPREFIX" ] || sh scripts/wine-run.sh wineboot --init 2>/dev/null
sh scripts/wine-run.sh build/win64/tools/automation_bench.exe \
  "Z:$(pwd)/build/win64/src/platform/win32/TeskLumoraLib.dll" \
  "Z:$(pwd)/build/win64/tools/stand_in_program.exe"
for arch in win32 win64; do
  echo "DLL size, $arch: $(stat -c %s build/$arch/src/platform/win32/TeskLumoraLib.dll) bytes"
done
wineserver -k 2>/dev/null || true
