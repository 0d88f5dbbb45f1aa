#!/usr/bin/env bash
# Systems typed value by value through the in-cell editor and solved with F4. The grids
# cannot be read off the screen, so the test copies them with the keyboard (Ctrl+C) and
# reads the clipboard. A 3 x 3 system typed on the main keys is solved by both methods;
# then, with Spanish regional settings, the numeric keypad's decimal key types a comma, as
# in a spreadsheet: a system typed on the keypad alone reads and solves.
source "$(dirname "$0")/lib.sh" "$@"

e2e_start_main_window
# The number box has the focus with its text selected: typing replaces it.
e2e_type_values 3
e2e_type_system3
# Enter after the last value leaves the focus on the worksheet.
e2e_expect $'2\t1\t-1\t8\n-3\t-1\t2\t-11\n-2\t1\t2\t-3' "worksheet" e2e_copy_sheet

# Choleski is the method selected at start. After a solve the solution grid has the focus.
e2e_keys F4
e2e_expect $'2\n3\n-1' "solution by Choleski" e2e_copy ctrl+Home shift+Down shift+Down ctrl+c
e2e_screenshot choleski
e2e_choose_gauss_jordan
e2e_keys F4
e2e_expect $'2.00000\n3.00000\n-1.00000' "solution by Gauss - Jordan" e2e_copy ctrl+Home shift+Down shift+Down ctrl+c
e2e_screenshot gauss_jordan

kill -TERM "$E2E_PID"
e2e_use_locale es_ES.UTF-8
e2e_start_program "$(e2e_new_runtime)"
e2e_wait_main_window "$E2E_PID"
e2e_type_values 2
# 0,5 X1 = 1 ; 2,5 X2 = 1,25. Num Lock is off: xdotool adds Shift to reach the keypad's
# digits and its decimal key.
e2e_keys KP_0 KP_Decimal KP_5 KP_Enter KP_0 KP_Enter KP_1 KP_Enter \
    KP_0 KP_Enter KP_2 KP_Decimal KP_5 KP_Enter KP_1 KP_Decimal KP_2 KP_5 KP_Enter
e2e_expect $'0,5\t0\t1\n0\t2,5\t1,25' "worksheet typed on the numeric keypad" e2e_copy_sheet
e2e_keys F4
e2e_expect $'2\n0,5' "keypad system solved by Choleski" e2e_copy ctrl+Home shift+Down ctrl+c
e2e_screenshot keypad_solution
