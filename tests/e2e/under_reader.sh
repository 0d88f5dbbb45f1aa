#!/usr/bin/env bash
# Runs a QtTest program where a screen reader could listen: its own X server and an
# accessibility bus, so that Qt sends its accessibility events. Used for the tests of
# those events, which the offscreen platform never sends.
#     under_reader.sh TEST_PROGRAM SCREENSHOT_DIR [test arguments...]
source "$(dirname "$0")/lib.sh" "$1" "$2"
shift 2

e2e_start_display_with_bus
# Its output also goes to the log that the sanitizers' reports are looked for in.
QT_QPA_PLATFORM=xcb timeout "$((E2E_WAIT * 10))" "$E2E_PROGRAM" "$@" 2>&1 | tee -a "$E2E_LOG"
