#!/usr/bin/env bash
# Leak check of whole sessions: builds the tests with the address and undefined-behaviour
# sanitizers in build-asan/ and runs, under LeakSanitizer, the complete session (n = 100,
# random values, both methods, the matrices, fitting, about, new calculation, exit) and a
# short random user: on Qt's offscreen platform, then on a virtual X display with a window
# manager, as on a desktop. tests/lsan.supp silences third-party libraries only; any leak
# that passes through the program's own code fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSORVANI_SANITIZE=ON \
  -DSORVANI_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j "$(nproc)" --target tst_sesioncompleta tst_usuarioaleatorio

# Full stacks, so that a report names the program's frames and the suppressions can match
# whole libraries.
export ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=1"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

sesiones() {
  build-asan/tests/ui/tst_sesioncompleta
  SORVANI_MONKEY_ACTIONS=${SORVANI_LEAK_ACTIONS:-600} build-asan/tests/ui/tst_usuarioaleatorio
}

echo "== offscreen"
QT_QPA_PLATFORM=offscreen sesiones

echo "== X (Xvfb, openbox)"
pantalla=99
while [[ -e /tmp/.X11-unix/X$pantalla || -e /tmp/.X$pantalla-lock ]]; do pantalla=$((pantalla + 1)); done
Xvfb ":$pantalla" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pid_x=$!
pid_wm=
terminar() {
  [[ -n "$pid_wm" ]] && kill "$pid_wm" 2>/dev/null || true
  kill "$pid_x" 2>/dev/null || true
}
trap terminar EXIT
export DISPLAY=":$pantalla"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
# The window manager activates each window as it shows, and the main window again when a
# dialog closes.
openbox --sm-disable >/dev/null 2>&1 &
pid_wm=$!
sleep 0.5
QT_QPA_PLATFORM=xcb sesiones

echo "Sin fugas del programa."
