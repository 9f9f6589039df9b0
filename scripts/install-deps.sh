#!/bin/sh
# Installs the Debian packages the build, the tests and the demo need, and only those missing.
# Safe to run again. As root it runs apt-get; otherwise it prints the line to run and stops.
set -eu

packages="cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools libwine-dev wine wine64
  xvfb xauth python3 python3-pefile python3-xlrd python3-xlwt curl"

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

line="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y$missing"
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages. Run as root:" >&2
  echo "  $line" >&2
  exit 1
fi
echo "Installing:$missing"
sh -c "$line"
