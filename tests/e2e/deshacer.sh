#!/usr/bin/env bash
# Typed values, a random fill over them with F3, and Ctrl+Z: the typed values are back.
# On the way, the worksheet's and the solution's context menus (Menu key) and a worksheet
# of 100 equations scrolled to its last cell, before any fitting.
source "$(dirname "$0")/lib.sh" "$@"

e2e_start_main_window

e2e_type_values 2
e2e_type_values 2 1 3 4 5 6
readonly tecleado=$'2\t1\t3\n4\t5\t6'
e2e_keys ctrl+Home ctrl+shift+End ctrl+c
e2e_expect_clipboard "$tecleado" "valores tecleados"

e2e_keys F3 ctrl+Home ctrl+shift+End ctrl+c
otra_hoja() { ! e2e_clipboard_is "$tecleado"; }
e2e_until otra_hoja || e2e_fail "F3 no cambió la hoja"
e2e_keys ctrl+z ctrl+Home ctrl+shift+End ctrl+c
e2e_expect_clipboard "$tecleado" "Ctrl+Z después de F3"

e2e_keys Menu
e2e_screenshot menu_hoja
e2e_keys Escape

e2e_keys F4 Menu
e2e_screenshot menu_solucion
e2e_keys Escape

e2e_keys F2
e2e_type_values 100
e2e_keys ctrl+End
e2e_screenshot hoja_100_final
e2e_check_program_log
