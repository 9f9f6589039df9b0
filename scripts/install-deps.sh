#!/bin/sh
# Installs the Debian packages the build, the tests and the demo need, and only those missing.
# Safe to run again. As root it runs apt-get; otherwise it prints the lines to run and stops.
# The product is a 32-bit DLL: Debian's i386 userland (wine32) runs it, beside wine64.
set -eu

packages="cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools libwine-dev wine wine64 wine32:i386
  xvfb xauth python3 python3-pefile python3-xlrd python3-xlwt curl openssl cloc"

# The smallest i386 Linux program there is: exit(0) through int 0x80. The kernel runs it only
# when it can run 32-bit code at all (IA32 emulation), which wine32 needs.
kernel_runs_i386() {
  probe="$(mktemp)"
  printf '\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000\061\333\270\001\000\000\000\315\200' >"$probe"
  chmod +x "$probe"
  ok=0
  "$probe" 2>/dev/null || ok=1
  rm -f "$probe"
  return $ok
}

if ! kernel_runs_i386; then
  echo "This kernel cannot run 32-bit (i386) programs (no IA32 emulation, or ia32_emulation=0)," >&2
  echo "so 32-bit Wine cannot run the product DLL here. Use a kernel with IA32 emulation." >&2
  exit 1
fi

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

arch=""
dpkg --print-foreign-architectures | grep -qx i386 || arch="dpkg --add-architecture i386 && "
line="${arch}apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y$missing"
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages. Run as root:" >&2
  echo "  $line" >&2
  exit 1
fi
echo "Installing:$missing"
sh -c "$line"
