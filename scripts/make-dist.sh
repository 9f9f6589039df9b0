#!/bin/sh
# The release folder build/dist/TeskLumoraLib-<version>/ and its zip: both DLLs with their
# assembly manifests (x86/, x64/), the README's usage section, the VBScript sample and SHA256SUMS.
# usage: make-dist.sh [WIN32_BUILD_DIR [WIN64_BUILD_DIR]]   (default build/win32, build/win64)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
win32=${1:-$root/build/win32}
win64=${2:-$root/build/win64}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$win64/CMakeCache.txt")
[ -n "$version" ] || { echo "no project version in $win64/CMakeCache.txt" >&2; exit 1; }
name=TeskLumoraLib-$version
dist=$root/build/dist
folder=$dist/$name

# Text files with Windows line ends, for Notepad and the script host alike.
crlf() { sed 's/\r*$/\r/'; }

copy_build() {  # BUILD_DIR SUBFOLDER
  mkdir -p "$folder/$2"
  cp "$1/src/win32/TeskLumoraLib.dll" "$1/src/win32/TeskLumoraLib.manifest" \
     "$folder/$2/"
}

rm -rf "$folder" "$dist/$name.zip"
copy_build "$win32" x86
copy_build "$win64" x64
awk '/^## Using it from a host/ { using = 1; print; next } using && /^## / { exit } using' \
  "$root/README.md" | crlf > "$folder/README.txt"
[ -s "$folder/README.txt" ] || { echo "README.md has no usage section" >&2; exit 1; }
mkdir -p "$folder/samples"
crlf < "$root/samples/every_operation.vbs" > "$folder/samples/every_operation.vbs"
(cd "$folder" && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort | xargs sha256sum > SHA256SUMS)

if command -v zip >/dev/null; then
  (cd "$dist" && zip -qr "$name.zip" "$name")
else
  (cd "$dist" && python3 -m zipfile -c "$name.zip" "$name")
fi
echo "$folder"
