#!/usr/bin/env bash
# Typed values, a random fill over them with F3, and Ctrl+Z: the typed values are back.
# On the way, the worksheet's and the solution's context menus (Menu key) and a worksheet
# of 100 equations scrolled to its last cell, before any fitting. Then that worksheet
# filled at random and laid out for 3 equations: Ctrl+Z brings back its 100 x 101 values.
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

e2e_keys F3 ctrl+Home ctrl+shift+End ctrl+c
aleatorio_100()
{
    e2e_clipboard_is -
    [[ $E2E_CLIPBOARD == [0-9]* && $(grep -c . <<<"$E2E_CLIPBOARD") == 100 ]]
}
e2e_until aleatorio_100 || e2e_fail "F3 no llenó las 100 ecuaciones"
readonly cien="$E2E_CLIPBOARD"
# From the worksheet back to the number box: Ingresar, then the box, in the tab order.
e2e_keys shift+Tab shift+Tab
timeout "$E2E_WAIT" xdotool type --delay 40 3
e2e_keys Return ctrl+Home ctrl+shift+End ctrl+c
e2e_expect_clipboard "$(cut -f1-4 <<<"$cien" | head -n 3)" "3 ecuaciones con los valores que caben"
e2e_keys ctrl+z ctrl+Home ctrl+shift+End ctrl+c
e2e_expect_clipboard "$cien" "Ctrl+Z devuelve las 100 ecuaciones"
e2e_screenshot hoja_100_deshecha
e2e_check_program_log
