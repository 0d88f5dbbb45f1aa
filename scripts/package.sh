#!/usr/bin/env bash
# Builds an optimised Sorvani in build-package/ and makes its Debian package there with
# CPack; prints the package's path. Install it with `sudo apt install ./sorvani_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

dir=build-package
# Debian's own compiler and linker flags, hardening included, as its packages are built.
# Read into variables first so that a failing dpkg-buildflags stops the script instead of
# leaving an unhardened build.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cxxflags=$(dpkg-buildflags --get CXXFLAGS)
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS="$cppflags $cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DBUILD_TESTING=OFF -DSORVANI_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)"

# The program itself must show it: position-independent, its relocations read-only after
# start-up and all bound then (what lintian's hardening checks look for).
programa=$dir/src/app/sorvani
elf=$(readelf -hldW "$programa")
falta=()
grep -q 'Type: *DYN' <<<"$elf" || falta+=(PIE)
grep -q GNU_RELRO <<<"$elf" || falta+=(RELRO)
grep -q BIND_NOW <<<"$elf" || falta+=(BIND_NOW)
if ((${#falta[@]})); then
  echo "$programa no está protegido como un paquete de Debian; le falta: ${falta[*]}" >&2
  exit 1
fi

rm -f "$dir"/sorvani_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
realpath "$dir"/sorvani_*.deb
