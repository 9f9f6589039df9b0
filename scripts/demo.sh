#!/bin/sh
# The demo: registers the freshly built DLL in the demo's own Wine prefix, gives the prefix a
# drive M: holding a MySQL installation whose server is the stand-in program, starts an update
# server on 127.0.0.1, and runs the demo host. usage: demo.sh BUILD_DIR (the win64 build)
set -eu
build=$(cd "$1" && pwd)
here=$(dirname "$0")
export WINEPREFIX="$build/demo-prefix"
dll="Z:$build/src/platform/win32/TeskLumoraLib.dll"

[ -d "$WINEPREFIX" ] || "$here/wine-run.sh" wineboot --init 2>/dev/null
"$here/wine-run.sh" regsvr32 /s "$dll"
echo "Registered $dll in $WINEPREFIX"

sh "$here/make-test-drives.sh" "$build/demo-drives"
bin="$build/demo-drives/m/mysql/bin"
mkdir -p "$bin"
: > "$bin/mysqlwatch.exe"
cp "$build/tools/stand_in_program.exe" "$bin/mysqld-opt.exe"
rm -f "$bin/started.log"

# The update server, on 127.0.0.1, set for the demo's user.
/usr/bin/python3 "$here/update_server.py" start "$build/demo-update-server.port"
port=$(cat "$build/demo-update-server.port")
"$here/wine-run.sh" reg add 'HKCU\Software\TeskLumoraLib' /v UpdateServer \
  /d "http://127.0.0.1:$port/demo" /f >/dev/null

shots="$build/demo-screenshots"
rm -rf "$shots" && mkdir -p "$shots"
"$here/wine-run.sh" "$build/tools/demo_host.exe" "Z:$shots"
for bmp in "$shots"/*.bmp; do
  /usr/bin/python3 "$here/bmp_to_png.py" "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
echo "The demo's screenshots: $shots"
/usr/bin/python3 "$here/update_server.py" stop "$build/demo-update-server.port"
wineserver -k 2>/dev/null || true
