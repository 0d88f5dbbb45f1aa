#!/usr/bin/env bash
# With Spanish regional settings the numeric keypad's decimal key types a comma in the
# worksheet, as in a spreadsheet: a system typed on the keypad alone reads and solves.
source "$(dirname "$0")/lib.sh" "$@"

e2e_use_locale es_ES.UTF-8
e2e_start_main_window

e2e_type_values 2

# 0,5 X1         = 1
#         2,5 X2 = 1,25
# Num Lock is off: xdotool adds Shift to reach the keypad's digits and its decimal key.
e2e_keys KP_0 KP_Decimal KP_5 KP_Enter KP_0 KP_Enter KP_1 KP_Enter \
    KP_0 KP_Enter KP_2 KP_Decimal KP_5 KP_Enter KP_1 KP_Decimal KP_2 KP_5 KP_Enter
e2e_screenshot sistema
e2e_keys ctrl+Home ctrl+shift+End ctrl+c
e2e_expect_clipboard $'0,5\t0\t1\n0\t2,5\t1,25' "hoja tecleada en el teclado numérico"

e2e_keys F4
e2e_keys ctrl+Home shift+Down ctrl+c
e2e_expect_clipboard $'2\n0,5' "solución por Choleski"
e2e_screenshot solucion
e2e_check_program_log
