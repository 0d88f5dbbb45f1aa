#!/usr/bin/env bash
# A system as a document: "sorvani FILE" opens FILE at start, laid out and filled; a second
# start with another file hands it to the running instance, which asks before replacing
# the values in its worksheet and then shows the new system.
source "$(dirname "$0")/lib.sh" "$@"

e2e_start_display
runtime=$(e2e_new_runtime)
carpeta=$(mktemp -d "$E2E_WORK/sistemas.XXXXXX")
# 2 X1 + X2 = 5.5 ; X1 - X2 = 1, with the program's header row and column.
printf ',X1,X2,T.I\r\nEQ1,2,1,5.5\r\nEQ2,1,-1,1\r\n' >"$carpeta/primero.csv"
# A Spanish spreadsheet's rows, read here in the C locale's decimal point.
printf '3;0;1,5\n0;2;4\n' >"$carpeta/segundo de dos.csv"

e2e_start_program "$runtime" "$carpeta/primero.csv"
primera=$E2E_PID
e2e_wait_main_window "$primera"
ventana=$E2E_WINDOW

# The worksheet has the focus once laid out: its body, copied, is the file's.
copia_es() { e2e_keys ctrl+a ctrl+c; e2e_clipboard_is "$1"; }
e2e_until copia_es $'2\t1\t5.5\n1\t-1\t1' || e2e_fail "la hoja no tiene el primer sistema: $(printf '%q' "$E2E_CLIPBOARD")"
e2e_log "el archivo de la línea de órdenes se abrió: correcto"
e2e_keys F4
e2e_screenshot primero_resuelto

# From the folder of the second start: the file goes over by its whole path.
(cd "$carpeta" && e2e_expect_start_refused "$runtime" 10 "segundo de dos.csv")
pregunta() { [[ -n "$(e2e_windows "$primera" '^Sorvani$')" ]]; }
e2e_until pregunta || e2e_fail "no apareció la pregunta antes de reemplazar los valores"
e2e_screenshot pregunta
e2e_keys alt+s
sin_pregunta() { ! pregunta; }
e2e_until sin_pregunta || e2e_fail "la pregunta no se cerró"
e2e_focus "$ventana"
e2e_until copia_es $'3\t0\t1.5\n0\t2\t4' || e2e_fail "la hoja no tiene el segundo sistema: $(printf '%q' "$E2E_CLIPBOARD")"
e2e_log "el archivo de la segunda instancia se abrió en la primera: correcto"
e2e_check_program_log
