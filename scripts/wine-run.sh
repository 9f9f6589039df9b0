#!/bin/sh
# Runs a Windows program under Wine in a private prefix (WINEPREFIX, default: the build tree's),
# without Wine's offers to install Mono or Gecko and without its debug chatter.
: "${WINEPREFIX:=$(pwd)/wineprefix}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
