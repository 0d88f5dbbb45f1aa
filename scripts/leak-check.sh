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
cmake --build build-asan -j "$(nproc)" --target tst_wholesession tst_randomuser

# Full stacks, so that a report names the program's frames and the suppressions can match
# whole libraries.
export ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=1"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

sesiones() {
  build-asan/tests/ui/tst_wholesession
  SORVANI_MONKEY_ACTIONS=${SORVANI_LEAK_ACTIONS:-600} build-asan/tests/ui/tst_randomuser
}

echo "== offscreen"
QT_QPA_PLATFORM=offscreen sesiones

echo "== X (Xvfb, openbox)"
source scripts/virtual-display.sh
start_virtual_display
QT_QPA_PLATFORM=xcb sesiones

echo "Sin fugas del programa."
