#!/usr/bin/env bash
# One instance at a time: a second start while the program runs ends at once, silently,
# and brings the running window forward, restored if it was minimised; an instance killed
# outright leaves its lock behind, and the next start must still work and then hold the
# lock itself.
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

minimizada() { xprop -id "$ventana" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN; }
mapeada() { xwininfo -id "$ventana" | grep -q 'Map State: IsViewable'; }
# The stacking list runs from the bottom window to the top one.
encima() { xprop -root _NET_CLIENT_LIST_STACKING | grep -qi "$(printf '0x%x$' "$ventana")"; }
activa() { [[ "$(xdotool getactivewindow 2>/dev/null)" == "$ventana" ]]; }
al_frente() { ! minimizada && mapeada && encima && activa; }
# Copies until the copy holds the expected text: a key sent while the window is still
# taking the focus would otherwise be lost, and the check with it.
copia_es() { e2e_keys ctrl+c; e2e_clipboard_is "$1"; }
timeout "$E2E_WAIT" xdotool type 7
e2e_keys ctrl+a
e2e_until copia_es 7 || e2e_fail "el 7 no llegó a la caja del número"
printf 'otro' | timeout 5 xclip -selection clipboard
timeout "$E2E_WAIT" xdotool windowminimize --sync "$ventana"
e2e_until minimizada || e2e_fail "la ventana no se minimizó"
! mapeada || e2e_fail "la ventana minimizada sigue a la vista"
# A second at most; proportionally longer in the slower sanitizer build.
e2e_expect_start_refused "$runtime" $((E2E_WAIT > 30 ? E2E_WAIT / 30 : 1))
e2e_until al_frente || e2e_fail "la ventana minimizada no volvió al frente"
e2e_screenshot al_frente
# The keyboard reaches it: the number box has the focus back, its new text selected.
e2e_until copia_es 7 || e2e_fail "la ventana vuelta al frente no recibe el teclado"
e2e_log "la ventana vuelta al frente recibe el teclado: correcto"

kill -KILL "$primera"
{ wait "$primera"; } 2>/dev/null || true
e2e_until test -z "$(e2e_windows "$primera" .)" || e2e_fail "la ventana de la instancia matada sigue"
[[ -e "$runtime/sorvani.lock" ]] || e2e_fail "la instancia matada no dejó su cerrojo: nada que probar"

e2e_start_program "$runtime"
siguiente=$E2E_PID
e2e_wait_main_window "$siguiente"
e2e_screenshot nueva_instancia
sleep 1
kill -0 "$siguiente" 2>/dev/null || e2e_fail "la nueva instancia terminó después de mostrarse"

# The lock is taken over, not ignored: a further start is refused.
e2e_expect_start_refused "$runtime" 10
e2e_check_program_log
