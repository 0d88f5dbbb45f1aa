#!/usr/bin/env bash
# The about dialog under a real window manager: F1 opens it as a modal window, Escape
# closes it, and the main window stays and gets the keyboard back. The dialog's own keys
# and a second showing are tested without a display.
source "$(dirname "$0")/lib.sh" "$@"

readonly DIALOGO='^Información$'

# Waits for the dialog of the program; sets DIALOG.
esperar_dialogo()
{
    e2e_until buscar_dialogo || e2e_fail "el diálogo «Información» no apareció"
}

buscar_dialogo()
{
    DIALOG=$(e2e_windows "$E2E_PID" "$DIALOGO" | head -n 1)
    [[ -n "$DIALOG" ]]
}

sin_dialogo() { [[ -z "$(e2e_windows "$E2E_PID" "$DIALOGO")" ]]; }

# The dialog is gone, the main window is still shown and has the focus again.
esperar_cierre()
{
    e2e_until sin_dialogo || e2e_fail "$1 no cerró el diálogo"
    kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "el programa terminó al cerrar el diálogo"
    [[ "$(e2e_windows "$E2E_PID" "^$E2E_TITLE\$")" == "$E2E_WINDOW" ]] ||
        e2e_fail "la ventana principal ya no se muestra"
    e2e_until test "$(xdotool getactivewindow 2>/dev/null)" = "$E2E_WINDOW" ||
        e2e_fail "la ventana principal no recuperó el foco"
    e2e_log "$1 cerró el diálogo; la ventana principal sigue y tiene el foco"
}

e2e_start_main_window

e2e_keys F1
esperar_dialogo
[[ "$DIALOG" != "$E2E_WINDOW" ]] || e2e_fail "F1 no abrió otra ventana"
eval "$(xdotool getwindowgeometry --shell "$DIALOG")"
((WIDTH == 326 && HEIGHT == 197)) || e2e_fail "el diálogo mide ${WIDTH}x${HEIGHT}, se esperaba 326x197"
xprop -id "$DIALOG" _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL ||
    e2e_fail "el diálogo no es modal: $(xprop -id "$DIALOG" _NET_WM_STATE)"
e2e_screenshot abierto

e2e_keys Escape
esperar_cierre Escape
e2e_screenshot cerrado
e2e_check_program_log
