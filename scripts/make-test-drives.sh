#!/bin/sh
# Gives a Wine prefix the drives SetSql is tested and shown on: M: a hard disk, N: a network drive and
# R: a floppy, each a folder below DIR. usage: make-test-drives.sh DIR (with WINEPREFIX set)
set -eu
dir="$1"
wine_run="$(dirname "$0")/wine-run.sh"
# The drive types go to the registry's 64-bit view, where a 64-bit prefix's mount manager reads
# them (`wine reg` may be the 32-bit program there; a 32-bit prefix has one view).
for drive in m:hd n:network r:floppy; do
  letter=${drive%%:*}
  mkdir -p "$dir/$letter"
  ln -sfn "$dir/$letter" "$WINEPREFIX/dosdevices/$letter:"
  "$wine_run" reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /d "${drive#*:}" /reg:64 /f >/dev/null
done
# The mount manager reads the drive types when it starts: in the next program's Wine server, since
# wine-run.sh has waited for this one's to end.
