#!/usr/bin/env bash
# Builds Sorvani and starts it. Only the program is built (the tests and benchmarks share
# build/ but are left for scripts/test.sh), so the first start does not wait for them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target sorvani
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec build/src/app/sorvani "$@"
fi
echo "No hay pantalla gráfica (DISPLAY y WAYLAND_DISPLAY están vacías)."
echo "Se muestra una demostración en una pantalla virtual (Xvfb): un sistema tecleado"
echo "celda por celda, resuelto por Choleski y por Gauss - Jordan, y un sistema aleatorio"
echo "de 100 ecuaciones. Capturas guardadas:"
exec scripts/screenshots.sh
