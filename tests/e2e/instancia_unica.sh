#!/usr/bin/env bash
# A second start while the program runs ends at once, silently, and leaves the running
# instance alone.
source "$(dirname "$0")/lib.sh" "$@"

e2e_start_display
runtime=$(e2e_new_runtime)
e2e_start_program "$runtime"
primera=$E2E_PID
e2e_wait_main_window "$primera"
ventana=$E2E_WINDOW

e2e_expect_start_refused "$runtime" 10
e2e_screenshot tras_segundo_arranque

kill -0 "$primera" 2>/dev/null || e2e_fail "la primera instancia terminó"
ventanas=$(xdotool search --onlyvisible --name "^$E2E_TITLE\$" 2>/dev/null || true)
[[ "$ventanas" == "$ventana" ]] || e2e_fail "ventanas principales: ${ventanas//$'\n'/ }"

# The first instance still answers the keyboard: its number box still has the "4" selected.
e2e_focus "$ventana"
e2e_keys ctrl+c
e2e_expect_clipboard 4 "la primera instancia sigue respondiendo"
e2e_check_program_log
