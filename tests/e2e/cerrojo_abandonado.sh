#!/usr/bin/env bash
# An instance killed outright leaves its lock behind; the next start must still work, and
# must then hold the lock itself.
source "$(dirname "$0")/lib.sh" "$@"

e2e_start_display
runtime=$(e2e_new_runtime)
e2e_start_program "$runtime"
primera=$E2E_PID
e2e_wait_main_window "$primera"

kill -KILL "$primera"
{ wait "$primera"; } 2>/dev/null || true
e2e_until test -z "$(e2e_windows "$primera" .)" || e2e_fail "la ventana de la instancia matada sigue"
restos=$(ls -A "$runtime")
e2e_log "la instancia matada dejó en su carpeta: ${restos:-nada}"

e2e_start_program "$runtime"
siguiente=$E2E_PID
e2e_wait_main_window "$siguiente"
e2e_screenshot nueva_instancia
sleep 1
kill -0 "$siguiente" 2>/dev/null || e2e_fail "la nueva instancia terminó después de mostrarse"

# The lock is taken over, not ignored: a further start is refused.
e2e_expect_start_refused "$runtime" 10
e2e_check_program_log
