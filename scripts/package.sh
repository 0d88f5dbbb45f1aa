#!/usr/bin/env bash
# Builds an optimised Sorvani in build-package/ and makes its Debian package there with
# CPack; prints the package's path. Install it with `sudo apt install ./sorvani_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

dir=build-package
# Debian's own compiler and linker flags, hardening included, as its packages are built.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" \
  -DBUILD_TESTING=OFF -DSORVANI_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)"
rm -f "$dir"/sorvani_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
realpath "$dir"/sorvani_*.deb
