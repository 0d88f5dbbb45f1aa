#!/usr/bin/env bash
# A blind student's session, read back as a screen reader reads it: the program runs with
# its accessibility on an accessibility bus, a 3 x 3 system is typed with real key presses
# and solved by both methods, and every reading goes through the bus (lector.py): the
# worksheet, the solution, B and C as tables with their headers, the status line, the cell
# that each arrow key reaches, the mail link of the about dialog.
source "$(dirname "$0")/lib.sh" "$@"
source "$(dirname "$0")/lib_lector.sh"

e2e_start_display
e2e_start_accessibility_bus
e2e_start_program "$(e2e_new_runtime)"
e2e_wait_main_window "$E2E_PID"
e2e_expect_reading "Listo" "línea de estado al arrancar" estado

e2e_type_values 3
e2e_expect_reading "Ingrese todos los datos para el sistema de 3 ecuaciones, luego pulse Calcular." \
    "línea de estado con la hoja lista" estado

#  2 X1 + X2 -   X3 =   8
# -3 X1 - X2 + 2 X3 = -11
# -2 X1 + X2 + 2 X3 =  -3
e2e_type_values 2 1 -1 8 -3 -1 2 -11 -2 1 2 -3
e2e_expect_reading "$(printf '3x4 20\n\tX1\tX2\tX3\tT.I\nEQ1\t2\t1\t-1\t8\nEQ2\t-3\t-1\t2\t-11\nEQ3\t-2\t1\t2\t-3')" \
    "hoja de datos" tabla "Hoja de datos"

# Enter after the last value leaves the worksheet on the last cell; each arrow key is heard.
e2e_start_listening
e2e_expect_reading "EQ3, T.I, -3" "celda con el foco tras escribir" foco
e2e_keys Up
e2e_expect_heard "EQ2, T.I, -11" "flecha arriba"
e2e_keys Left
e2e_expect_heard "EQ2, X3, 2" "flecha izquierda"
e2e_keys Home
e2e_expect_heard "EQ2, X1, -3" "Inicio"
e2e_keys Down
e2e_expect_heard "EQ3, X1, -2" "flecha abajo"
e2e_keys Right
e2e_expect_heard "EQ3, X2, 1" "flecha derecha"
e2e_expect_reading "EQ3, X2, 1" "celda con el foco tras las flechas" foco

# Choleski is selected at start. The solve puts the focus on the solution, which is read
# in order: each unknown with its value.
e2e_keys F4
e2e_expect_heard "X1, 2" "foco en la solución tras Choleski"
e2e_keys Down
e2e_expect_heard "X2, 3" "segunda incógnita"
e2e_keys Down
e2e_expect_heard "X3, -1" "tercera incógnita"
e2e_expect_reading "$(printf '3x1 6\nX1\t2\nX2\t3\nX3\t-1')" "solución por Choleski" tabla "Solución"
e2e_expect_reading "Ingrese todos los datos para el sistema de 3 ecuaciones, luego pulse Calcular." \
    "línea de estado tras resolver" estado
e2e_read arbol >"$E2E_SHOTS/$E2E_NAME-arbol.txt" || e2e_fail "no se pudo leer el árbol"
e2e_log "árbol tras resolver: $E2E_SHOTS/$E2E_NAME-arbol.txt"
grep -q 'Borde' "$E2E_SHOTS/$E2E_NAME-arbol.txt" &&
    e2e_fail "los bordes de la línea de estado aparecen en el árbol"
e2e_screenshot choleski

# "Matrices B-C" at (1530, 180) twips inside the top band at (-45, -90): its centre in pixels.
e2e_click_client 144 26
e2e_expect_reading "$(printf '3x3 9\n\t2\t0\t0\n\t-3\t0.5\t0\n\t-2\t2\t-1')" "matriz B" tabla "Matriz B"
e2e_expect_reading "$(printf '3x3 9\n\t1\t0.5\t-0.5\n\t0\t1\t1\n\t0\t0\t1')" "matriz C" tabla "Matriz C"
e2e_screenshot matrices
e2e_click_client 144 26

# "Método de Gauss - Jordan" at (360, 540) twips inside the frame at (6315, 4710).
e2e_click_client $(((6315 + 360) / 15 + 12)) $(((4710 + 540) / 15 + 11))
e2e_keys F4
# The solution grid keeps its current cell: the focus comes back to the third unknown.
e2e_expect_heard "X3, -1.00000" "foco en la solución tras Gauss - Jordan"
e2e_keys ctrl+Home
e2e_expect_heard "X1, 2.00000" "primera incógnita"
e2e_expect_reading "$(printf '3x1 6\nX1\t2.00000\nX2\t3.00000\nX3\t-1.00000')" \
    "solución por Gauss - Jordan" tabla "Solución"
e2e_screenshot gauss_jordan

e2e_keys F1
e2e_expect_reading "link «sorvani@example.org» Press" "enlace del diálogo Información" enlace
e2e_keys Escape
e2e_check_program_log
