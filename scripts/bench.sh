#!/bin/sh
# Figures for the library: cold creation against system objects, timings under Wine, a 64 MiB download against curl fetching the same
# file from the same local server, the shortcut export against python3-xlwt, the windows (see
# tools/bench/windows_bench.cpp), and the sizes of both DLL builds.
# The 32-bit DLL, the product, in a 32-bit prefix first; then the 64-bit DLL in a 64-bit one.
# usage: bench.sh (from the source folder, after the win32 and win64 builds)
set -eu

# A host's CreateObject at start-up, each in a fresh process, beside two of the system's own
# automation objects created the same way; clsNewRegLib beyond its five-second pause, timed as
# a process that only sleeps that long.
cold_creation() {
  dll="Z:$build/src/win32/TeskLumoraLib.dll"
  sh scripts/wine-run.sh regsvr32 /s "$dll"
  sh scripts/wine-run.sh "$build/tools/cold_create.exe" 21 Scripting.Dictionary \
    MSXML2.DOMDocument TeskLumoraLib.ClsInfo
  sh scripts/wine-run.sh "$build/tools/cold_create.exe" 15 Scripting.Dictionary pause:5000 \
    TeskLumoraLib.clsNewRegLib | awk '
    { sub(/\r$/, ""); for (i = 1; i < NF; i++) if ($(i + 1) == "ms") median = $i }
    /^cold creation of Scripting/ { dictionary = median }
    /^cold creation of pause/ { pause = median }
    /clsNewRegLib/ { printf "cold creation of TeskLumoraLib.clsNewRegLib beyond its pause (%.1f ms, as a process sleeping 5000 ms takes): %.1f ms (%.2fx Scripting.Dictionary)\n",
                            pause, median - pause, (median - pause) / dictionary }'
  sh scripts/wine-run.sh regsvr32 /s /u "$dll"
}

bench_build() {
  build="$(pwd)/build/$1"
  export WINEPREFIX="$build/bench-prefix" WINEARCH="$1" TESK_WINE="$3"
  echo "== $2"
  cold_creation
  /usr/bin/python3 scripts/update_server.py start "$build/bench-update-server.port"
  server="http://127.0.0.1:$(cat "$build/bench-update-server.port")"
  sh scripts/wine-run.sh reg add 'HKCU\Software\TeskLumoraLib' /v UpdateServer \
    /d "$server/multi" /f >/dev/null
  big="$server/bytes/67108864"

  out=$(sh scripts/wine-run.sh "$build/tools/automation_bench.exe" \
    "Z:$build/src/win32/TeskLumoraLib.dll" "Z:$build/tools/stand_in_program.exe" "$big")
  echo "$out" | grep -v '^download seconds'
  ours=$(echo "$out" | sed -n 's/^download seconds: \([0-9.]*\).*/\1/p')
  curl_seconds=$(curl -s -o /dev/null -w '%{time_total}' "$big")
  awk -v ours="$ours" -v curl="$curl_seconds" 'BEGIN {
    printf "64 MiB download: StartTheStinkinDownLoad %.0f MB/s, curl %.0f MB/s (%.2f of curl)\n",
           64 / ours, 64 / curl, curl / ours }'

  # The shortcut keys' export against python3-xlwt writing the same cells.
  out=$(sh scripts/wine-run.sh "$build/tools/export_bench.exe" "Z:$build/bench-export.xls")
  echo "$out" | grep -v '^export seconds'
  ours=$(echo "$out" | sed -n 's/^export seconds: \([0-9.]*\).*/\1/p')
  xlwt_seconds=$(/usr/bin/python3 tools/bench/xlwt_peer.py "$build/bench-xlwt.xls" 32767)
  awk -v ours="$ours" -v xlwt="$xlwt_seconds" 'BEGIN {
    printf "export of 32767 shortcuts: %.1f ms, xlwt %.1f ms (%.1fx faster)\n",
           ours * 1000, xlwt * 1000, xlwt / ours }'
  rm -f "$build/bench-export.xls" "$build/bench-xlwt.xls"
  sh scripts/wine-run.sh "$build/tools/button_gdi_bench.exe"
  # In a virtual desktop: without a window manager Wine waits two seconds for every window it
  # unmaps, which would swamp the window cycles. The desktop needs a fresh Wine server, which
  # wine-run.sh gives each program.
  # The bug-report window opens the server's own page.
  sh scripts/wine-run.sh reg add 'HKCU\Software\TeskLumoraLib' /v UpdateServer \
    /d "$server/browser" /f >/dev/null
  sh scripts/wine-run.sh explorer /desktop=bench,1280x1024 "$build/tools/windows_bench.exe" \
    "Z:$build/src/win32/TeskLumoraLib.dll"
  /usr/bin/python3 scripts/update_server.py stop "$build/bench-update-server.port"
  echo "DLL size: $(stat -c %s "$build/src/win32/TeskLumoraLib.dll") bytes"
  echo
}

bench_build win32 "The 32-bit DLL, the product, in a 32-bit prefix" wine
bench_build win64 "The 64-bit DLL, in a 64-bit prefix" wine64
