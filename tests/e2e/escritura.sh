#!/usr/bin/env bash
# A 3 x 3 system typed value by value through the in-cell editor and solved with F4 by
# both methods. The grids cannot be read off the screen, so the test copies them with the
# keyboard (Ctrl+C) and reads the clipboard.
source "$(dirname "$0")/lib.sh" "$@"

e2e_start_main_window

# The number box has the focus with its text selected: typing replaces it.
e2e_type_values 3

#  2 X1 + X2 -   X3 =   8
# -3 X1 - X2 + 2 X3 = -11
# -2 X1 + X2 + 2 X3 =  -3
e2e_type_values 2 1 -1 8 -3 -1 2 -11 -2 1 2 -3
e2e_screenshot sistema

# Enter after the last value leaves the focus on the worksheet: select the whole body.
e2e_keys ctrl+Home ctrl+shift+End ctrl+c
e2e_expect_clipboard $'2\t1\t-1\t8\n-3\t-1\t2\t-11\n-2\t1\t2\t-3' "hoja de cálculo"

# Choleski is the method selected at start. After a solve the solution grid has the focus.
e2e_keys F4
e2e_keys ctrl+Home shift+Down shift+Down ctrl+c
e2e_expect_clipboard $'2\n3\n-1' "solución por Choleski"
e2e_screenshot choleski

# "Método de Gauss - Jordan" has no mnemonic: click it. It lies at (360, 540) twips inside
# the frame at (6315, 4710) twips, 15 twips to the pixel.
e2e_click_client $(((6315 + 360) / 15 + 12)) $(((4710 + 540) / 15 + 11))
e2e_keys F4
e2e_keys ctrl+Home shift+Down shift+Down ctrl+c
e2e_expect_clipboard $'2.00000\n3.00000\n-1.00000' "solución por Gauss - Jordan"
e2e_screenshot gauss_jordan
e2e_check_program_log
