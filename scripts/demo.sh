#!/bin/sh
# The demo. First the product: the 32-bit DLL registered in a 32-bit Windows prefix, called by
# the 32-bit script host and by the demo host (built for i686), with a drive M: holding a MySQL
# installation whose server is the stand-in program and an update server on 127.0.0.1. Then
# 64-bit Windows: the same script through its 32-bit script host against the 32-bit DLL (WoW64,
# as most users run the product), and through its 64-bit one against the 64-bit DLL.
# usage: demo.sh WIN32_BUILD WIN64_BUILD
set -eu
win32=$(cd "$1" && pwd)
win64=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
wine_run="$here/wine-run.sh"
script="Z:$(dirname "$here")/tools/demo_host/demo.vbs"
dll_in() { echo "Z:$1/src/win32/TeskLumoraLib.dll"; }

/usr/bin/python3 "$here/update_server.py" start "$win32/demo-update-server.port"
port=$(cat "$win32/demo-update-server.port")
# The update server, set for the demo's user in the current prefix.
set_update_server() {
  "$wine_run" reg add 'HKCU\Software\TeskLumoraLib' /v UpdateServer \
    /d "http://127.0.0.1:$port/demo" /f >/dev/null
}

echo "== The product: the 32-bit DLL on 32-bit Windows"
export WINEPREFIX="$win32/demo-prefix" WINEARCH=win32 TESK_WINE=wine
"$wine_run" regsvr32 /s "$(dll_in "$win32")"
echo "Registered $(dll_in "$win32") in $WINEPREFIX"
set_update_server
sh "$here/make-test-drives.sh" "$win32/demo-drives"
bin="$win32/demo-drives/m/mysql/bin"
mkdir -p "$bin"
: > "$bin/mysqlwatch.exe"
cp "$win32/tools/stand_in_program.exe" "$bin/mysqld-opt.exe"
rm -f "$bin/started.log"

echo "VBScript (cscript)"
"$wine_run" cscript //nologo "$script"
echo
shots="$win32/demo-screenshots"
rm -rf "$shots" && mkdir -p "$shots"
"$wine_run" "$win32/tools/demo_host.exe" "Z:$shots"
for bmp in "$shots"/*.bmp; do
  /usr/bin/python3 "$here/bmp_to_png.py" "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
echo "The demo's screenshots: $shots"
printf 'shortcut-keys.xls read back by xlrd, an independent reader: '
/usr/bin/python3 "$here/read_xls.py" --summary "$shots/shortcut-keys.xls"

echo
echo "== 64-bit Windows: the 32-bit DLL for 32-bit hosts, the 64-bit DLL for 64-bit ones"
export WINEPREFIX="$win64/demo-prefix" WINEARCH=win64 TESK_WINE=wine
"$wine_run" 'C:\windows\syswow64\regsvr32.exe' /s "$(dll_in "$win32")"
TESK_WINE=wine64 "$wine_run" regsvr32 /s "$(dll_in "$win64")"
echo "Registered both DLLs in $WINEPREFIX, each by the regsvr32 of its bitness"
set_update_server
echo "VBScript (32-bit cscript, from syswow64)"
"$wine_run" 'C:\windows\syswow64\cscript.exe' //nologo "$script"
echo "VBScript (64-bit cscript)"
TESK_WINE=wine64 "$wine_run" cscript //nologo "$script"
echo "What each view of HKLM\\Software\\TeskLumoraLibDemo holds:"
for view in 32 64; do
  printf '  /reg:%s: ' "$view"
  "$wine_run" reg query 'HKLM\Software\TeskLumoraLibDemo' /v WrittenBy "/reg:$view" \
    | sed -n 's/.*REG_SZ *//p' | tr -d '\r'
done
/usr/bin/python3 "$here/update_server.py" stop "$win32/demo-update-server.port"
