#!/usr/bin/env bash
# Start-up: the main window's title, size and place, and where the keyboard focus lands.
source "$(dirname "$0")/lib.sh" "$@"

e2e_start_main_window
e2e_screenshot inicio

titulo=$(xdotool getwindowname "$E2E_WINDOW")
[[ "$titulo" == "$E2E_TITLE" ]] || e2e_fail "título $(printf '%q' "$titulo")"

# The size of the window without the frame: the client area plus the menu bar above it.
eval "$(xdotool getwindowgeometry --shell "$E2E_WINDOW")"
((WIDTH == 620)) || e2e_fail "ancho $WIDTH, se esperaba 620"
((HEIGHT > 409 && HEIGHT < 409 + 60)) || e2e_fail "alto $HEIGHT, se esperaba 409 más la barra de menús"
e2e_log "tamaño ${WIDTH}x${HEIGHT}: 620x409 más una barra de menús de $((HEIGHT - 409))"

# Fixed size: the minimum and the maximum that the window asks of the window manager are
# its own size.
pistas=$(xprop -id "$E2E_WINDOW" WM_NORMAL_HINTS)
grep -q "minimum size: $WIDTH by $HEIGHT" <<<"$pistas" || e2e_fail "tamaño mínimo: $pistas"
grep -q "maximum size: $WIDTH by $HEIGHT" <<<"$pistas" || e2e_fail "tamaño máximo: $pistas"

# Centred on the 1024 x 768 screen; the title bar that the window manager adds above the
# window moves it down a little.
x=$(xwininfo -id "$E2E_WINDOW" | awk '/Absolute upper-left X/ { print $NF }')
y=$(xwininfo -id "$E2E_WINDOW" | awk '/Absolute upper-left Y/ { print $NF }')
centro_x=$((x + WIDTH / 2))
centro_y=$((y + HEIGHT / 2))
((centro_x >= 508 && centro_x <= 516)) || e2e_fail "no está centrada a lo ancho: centro en x = $centro_x"
((centro_y >= 368 && centro_y <= 416)) || e2e_fail "no está centrada a lo alto: centro en y = $centro_y"

# The number box has the focus with its "4" selected: copying gives exactly that text.
e2e_keys ctrl+c
e2e_expect_clipboard 4 "texto seleccionado en el número de ecuaciones"
e2e_check_program_log
