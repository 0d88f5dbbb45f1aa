#!/usr/bin/env bash
# Checks formatting and shell scripts (scripts/lint.sh), then builds Sorvani with warnings
# as errors and runs every test: once in an optimised build, once with the address and
# undefined-behaviour sanitizers (skip that with SORVANI_SKIP_SANITIZE=1), and a few
# seconds of each fuzz target built with clang (skip with SORVANI_SKIP_FUZZ=1).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/lint.sh
# The end-to-end tests' tools are installed now: a missing one is a failure, not a skip.
export SORVANI_REQUIRE_E2E=1
# The compiler cache hits from a clone in any folder: paths under the clone count relative
# to it and the working folder is not hashed. The tests' precompiled header needs its macros
# and time stamps let through, and is itself made just before the files that use it.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime

jobs=$(nproc)
run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DSORVANI_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [[ "${SORVANI_SKIP_SANITIZE:-0}" != 1 ]]; then
  ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DSORVANI_SANITIZE=ON -DSORVANI_BUILD_BENCH=OFF
fi
if [[ "${SORVANI_SKIP_FUZZ:-0}" != 1 ]]; then
  CC=clang CXX=clang++ run_suite build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORVANI_FUZZ=ON
fi
