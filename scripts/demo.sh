#!/bin/sh
# The demo: registers the freshly built DLL in the demo's own Wine prefix and runs the demo host.
# usage: demo.sh BUILD_DIR (the win64 build)
set -eu
build=$(cd "$1" && pwd)
export WINEPREFIX="$build/demo-prefix"
wine_run="$(dirname "$0")/wine-run.sh"
dll="Z:$build/src/platform/win32/TeskLumoraLib.dll"

[ -d "$WINEPREFIX" ] || "$wine_run" wineboot --init 2>/dev/null
"$wine_run" regsvr32 /s "$dll"
echo "Registered $dll in $WINEPREFIX"
"$wine_run" "$build/tools/demo_host.exe"
wineserver -k 2>/dev/null || true
