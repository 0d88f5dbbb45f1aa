#!/usr/bin/env bash
# Typed values, a random fill over them with F3, and Ctrl+Z: the typed values are back.
# On the way, the worksheet's and the solution's context menus (Menu key) and a worksheet
# of 100 equations scrolled to its last cell, before any fitting. Then that worksheet
# filled at random and laid out for 3 equations: Ctrl+Z brings back its 100 x 101 values.
source "$(dirname "$0")/lib.sh" "$@"

e2e_start_main_window

e2e_type_values 2 2 1 3 4 5 6
readonly typed=$'2\t1\t3\n4\t5\t6'
e2e_expect "$typed" "typed values" e2e_copy_sheet

# A copy of the worksheet, not empty and other than $1.
copy_differs() {
    e2e_copy_sheet
    [[ -n "$E2E_GOT" && "$E2E_GOT" != "$1" ]]
}
e2e_keys F3
e2e_until copy_differs "$typed" || e2e_fail "F3 did not change the worksheet"
e2e_keys ctrl+z
e2e_expect "$typed" "Ctrl+Z after F3" e2e_copy_sheet

e2e_keys Menu
e2e_screenshot worksheet_menu
e2e_keys Escape F4 Menu
e2e_screenshot solution_menu
e2e_keys Escape

e2e_keys F2
e2e_type_values 100
e2e_keys ctrl+End
e2e_screenshot sheet_100_end

# F3 fills all 100 equations: 100 lines, each starting with a number.
e2e_keys F3
random_100() {
    e2e_copy_sheet
    [[ $E2E_GOT == [0-9]* && $(grep -c . <<<"$E2E_GOT") == 100 ]]
}
e2e_until random_100 || e2e_fail "F3 did not fill the 100 equations"
readonly hundred="$E2E_GOT"
# From the worksheet back to the number box: Ingresar, then the box, in the tab order.
e2e_keys shift+Tab shift+Tab
e2e_type_values 3
e2e_expect "$(cut -f1-4 <<<"$hundred" | head -n 3)" "3 equations with the values that fit" e2e_copy_sheet
e2e_keys ctrl+z
e2e_expect "$hundred" "Ctrl+Z brings back the 100 equations" e2e_copy_sheet
e2e_screenshot sheet_100_undone
