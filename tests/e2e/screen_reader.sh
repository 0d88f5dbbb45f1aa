#!/usr/bin/env bash
# A blind student's session, read back as a screen reader reads it: the program runs with
# its accessibility on an accessibility bus, a 3 x 3 system is typed with real key presses
# and solved by both methods, and every reading goes through the bus (reader.py): the
# worksheet, the solution, B and C as tables with their headers, the status line, the cell
# that each arrow key reaches, the mail link of the about dialog.
source "$(dirname "$0")/lib.sh" "$@"

readonly READY="Ingrese todos los datos para el sistema de 3 ecuaciones, luego pulse Calcular."
e2e_start_display_with_bus
e2e_start_program "$(e2e_new_runtime)"
e2e_wait_main_window "$E2E_PID"
e2e_expect "Listo" "status line at start" e2e_reading status

e2e_type_values 3
e2e_expect "$READY" "status line with the worksheet ready" e2e_reading status
e2e_type_system3
e2e_expect "$(printf '3x4 20\n\tX1\tX2\tX3\tT.I\nEQ1\t2\t1\t-1\t8\nEQ2\t-3\t-1\t2\t-11\nEQ3\t-2\t1\t2\t-3')" \
    "worksheet" e2e_reading table "Hoja de datos"

# The focus events heard from here on, one line each, as a screen reader hears them. Enter
# after the last value left the worksheet on the last cell; each arrow key is heard.
"$E2E_PYTHON" -u "$E2E_READER" listen >"$E2E_WORK/heard" 2>>"$E2E_WORK/reader.log" &
e2e_track $!
e2e_until grep -q '^listening$' "$E2E_WORK/heard" || e2e_fail "could not listen to the bus"
e2e_expect "EQ3, T.I, -3" "focused cell after typing" e2e_reading focus
e2e_expect_heard Up "EQ2, T.I, -11" Left "EQ2, X3, 2" Home "EQ2, X1, -3" Down "EQ3, X1, -2" \
    Right "EQ3, X2, 1"
e2e_expect "EQ3, X2, 1" "focused cell after the arrows" e2e_reading focus

# Choleski is selected at start. The solve puts the focus on the solution, which is read
# in order: each unknown with its value.
e2e_expect_heard F4 "X1, 2" Down "X2, 3" Down "X3, -1"
e2e_expect "$(printf '3x1 6\nX1\t2\nX2\t3\nX3\t-1')" "solution by Choleski" e2e_reading table "Solución"
e2e_expect "$READY" "status line after the solve" e2e_reading status
e2e_reading tree
[[ -n "$E2E_GOT" ]] || e2e_fail "could not read the tree"
printf '%s\n' "$E2E_GOT" >"$E2E_SHOTS/$E2E_NAME-tree.txt"
[[ "$E2E_GOT" != *Borde* ]] || e2e_fail "the status line's borders are in the tree: $E2E_SHOTS/$E2E_NAME-tree.txt"
e2e_screenshot choleski

# "Matrices B-C" at (1530, 180) twips inside the top band at (-45, -90): its centre in pixels.
e2e_click_client 144 26
e2e_expect "$(printf '3x3 9\n\t2\t0\t0\n\t-3\t0.5\t0\n\t-2\t2\t-1')" "matrix B" e2e_reading table "Matriz B"
e2e_expect "$(printf '3x3 9\n\t1\t0.5\t-0.5\n\t0\t1\t1\n\t0\t0\t1')" "matrix C" e2e_reading table "Matriz C"
e2e_screenshot matrices
e2e_click_client 144 26

# The solution grid keeps its current cell: the focus comes back to the third unknown.
e2e_choose_gauss_jordan
e2e_expect_heard F4 "X3, -1.00000" ctrl+Home "X1, 2.00000"
e2e_expect "$(printf '3x1 6\nX1\t2.00000\nX2\t3.00000\nX3\t-1.00000')" \
    "solution by Gauss - Jordan" e2e_reading table "Solución"
e2e_screenshot gauss_jordan

e2e_keys F1
e2e_expect "link «sorvani@example.org» Press" "link of the about dialog" e2e_reading link
e2e_keys Escape
