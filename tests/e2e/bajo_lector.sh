#!/usr/bin/env bash
# Runs a QtTest program where a screen reader could listen: its own X server and an
# accessibility bus, so that Qt sends its accessibility events. Used for the tests of
# those events, which the offscreen platform never sends.
#     bajo_lector.sh TEST_PROGRAM SCREENSHOT_DIR [test arguments...]
source "$(dirname "$0")/lib.sh" "$1" "$2"
source "$(dirname "$0")/lib_lector.sh"
shift 2

e2e_start_display
e2e_start_accessibility_bus
estado=0
QT_QPA_PLATFORM=xcb timeout "$((E2E_WAIT * 10))" "$E2E_PROGRAM" "$@" || estado=$?
e2e_check_program_log
exit "$estado"
