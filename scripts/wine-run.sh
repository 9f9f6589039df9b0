#!/bin/sh
# Runs a Windows program under Wine in a private prefix (WINEPREFIX, default: the build tree's),
# without Wine's offers to install Mono or Gecko and without its debug chatter.
#
# WINEARCH (win32 or win64, default win64) is the kind of prefix made when there is none yet.
# TESK_WINE is the loader: `wine` (the default) starts 32- and 64-bit programs alike, but once
# wine32 is installed it takes a 64-bit prefix's own programs (cscript, regsvr32, reg) from
# syswow64, the 32-bit ones; `wine64` (Debian's 64-bit loader, not on PATH) the 64-bit ones.
#
# The program gets a Wine server of its own: one that an earlier program left running is ended
# first, and this one's is waited for until it has ended. A program started while the previous
# one's desktop is still closing can be refused every window for its whole life.
here="$(cd "$(dirname "$0")" && pwd)"
: "${WINEPREFIX:=$(pwd)/wineprefix}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH="${WINEARCH:-win64}"
# Wine takes the ANSI code page from the locale: Windows-1252 here, whatever the caller's, since
# the registry tests check text through it.
export LC_ALL=C.UTF-8

# Ends the prefix's Wine server with whatever still runs in it.
kill_wine_server() {
  wineserver -k 2>/dev/null
  wineserver -w
}

# Waits for the server to end as it does once its last program has, with the system's own
# programs (services, devices, the desktop) that it then closes. Killed at once, the server can
# leave one of those half-started, holding the caller's output open for ever. What a program
# left running is killed after a minute.
await_wine_server() {
  timeout 60 wineserver -w || kill_wine_server
}

# A 64-bit prefix made before wine32 was installed has no 32-bit system in syswow64, and the
# 32-bit loader that `wine` then is cannot start anything in it ("could not load kernel32.dll").
# Such a prefix, if it is one of this project's, is made afresh.
stale_prefix() {
  [ -d /usr/lib/i386-linux-gnu/wine ] || return 1
  grep -qx '#arch=win64' "$WINEPREFIX/system.reg" 2>/dev/null || return 1
  [ ! -e "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]
}

ensure_prefix() {
  if stale_prefix; then
    case "$WINEPREFIX" in
      "$(dirname "$here")"/*)
        echo "wine-run.sh: $WINEPREFIX predates wine32; making it afresh" >&2
        rm -rf "$WINEPREFIX" ;;
      *) echo "wine-run.sh: $WINEPREFIX predates wine32 and cannot start programs" >&2 ;;
    esac
  fi
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  wine wineboot --init >/dev/null 2>&1
  await_wine_server
}

# Wine draws the captions' close, minimise and maximise glyphs with the Marlett font, which
# Debian ships in Wine's data folder, where this Wine does not look: without it the captions show
# the letters that stand for the glyphs. The prefix gets its own copy.
install_marlett() {
  marlett=/usr/share/wine/fonts/marlett.ttf
  fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -f "$marlett" ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
    cp "$marlett" "$fonts/"
  fi
}

ensure_prefix
install_marlett
kill_wine_server
case "${TESK_WINE:-wine}" in
  wine64) loader=/usr/lib/wine/wine64 ;;
  *) loader=wine ;;
esac
"$loader" "$@"
status=$?
await_wine_server
exit $status
