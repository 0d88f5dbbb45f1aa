#!/usr/bin/env bash
# Start-up: the main window's title, size and place, and where the keyboard focus lands.
# Then the about dialog under a real window manager: F1 opens it as a modal window, Escape
# closes it, and the main window stays and gets the keyboard back. The dialog's own keys
# and a second showing are tested without a display.
source "$(dirname "$0")/lib.sh" "$@"

e2e_start_main_window
e2e_screenshot start
title=$(xdotool getwindowname "$E2E_WINDOW")
[[ "$title" == "$E2E_TITLE" ]] || e2e_fail "title $(printf '%q' "$title")"

# The size of the window without the frame: the client area plus the menu bar above it.
eval "$(xdotool getwindowgeometry --shell "$E2E_WINDOW")"
((WIDTH == 620)) || e2e_fail "width $WIDTH, expected 620"
((HEIGHT > 409 && HEIGHT < 409 + 60)) || e2e_fail "height $HEIGHT, expected 409 plus the menu bar"
# Fixed size: the minimum and the maximum that the window asks of the window manager are
# its own size.
hints=$(xprop -id "$E2E_WINDOW" WM_NORMAL_HINTS)
for bound in minimum maximum; do
    grep -q "$bound size: $WIDTH by $HEIGHT" <<<"$hints" || e2e_fail "$bound size: $hints"
done

# Centred on the 1024 x 768 screen; the title bar that the window manager adds above the
# window moves it down a little.
x=$(xwininfo -id "$E2E_WINDOW" | awk '/Absolute upper-left X/ { print $NF }')
y=$(xwininfo -id "$E2E_WINDOW" | awk '/Absolute upper-left Y/ { print $NF }')
((x + WIDTH / 2 >= 508 && x + WIDTH / 2 <= 516)) || e2e_fail "not centred across: centre at x = $((x + WIDTH / 2))"
((y + HEIGHT / 2 >= 368 && y + HEIGHT / 2 <= 416)) || e2e_fail "not centred down: centre at y = $((y + HEIGHT / 2))"

# The number box has the focus with its "4" selected: copying gives exactly that text.
e2e_expect 4 "selected text of the number of equations" e2e_copy ctrl+c

readonly DIALOG='^Información$'
e2e_keys F1
e2e_wait_window "$E2E_PID" "$DIALOG"
[[ "$E2E_FOUND" != "$E2E_WINDOW" ]] || e2e_fail "F1 opened no other window"
eval "$(xdotool getwindowgeometry --shell "$E2E_FOUND")"
((WIDTH == 326 && HEIGHT == 197)) || e2e_fail "the dialog is ${WIDTH}x${HEIGHT}, expected 326x197"
xprop -id "$E2E_FOUND" _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL ||
    e2e_fail "the dialog is not modal: $(xprop -id "$E2E_FOUND" _NET_WM_STATE)"
e2e_screenshot about_open

e2e_keys Escape
e2e_until e2e_no_window "$E2E_PID" "$DIALOG" || e2e_fail "Escape did not close the dialog"
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the program ended when the dialog closed"
[[ "$(e2e_windows "$E2E_PID" "^$E2E_TITLE\$")" == "$E2E_WINDOW" ]] || e2e_fail "the main window is no longer shown"
e2e_until test "$(xdotool getactivewindow 2>/dev/null)" = "$E2E_WINDOW" ||
    e2e_fail "the main window did not get the focus back"
e2e_log "Escape closed the dialog; the main window stays and has the focus"
