#!/usr/bin/env bash
# One instance at a time: a second start while the program runs ends at once, silently,
# and brings the running window forward, restored if it was minimised. An instance killed
# outright leaves its lock behind; the next start must still work, open the file named on
# its command line, laid out and filled, and then hold the lock itself: a further start
# with another file hands that file over, and the running instance asks before replacing
# the values in its worksheet and then shows the new system.
source "$(dirname "$0")/lib.sh" "$@"

e2e_start_display
runtime=$(e2e_new_runtime)
e2e_start_program "$runtime"
first=$E2E_PID
e2e_wait_main_window "$first"
window=$E2E_WINDOW

e2e_expect_start_refused "$runtime" 10
kill -0 "$first" 2>/dev/null || e2e_fail "the first instance ended"
windows=$(xdotool search --onlyvisible --name "^$E2E_TITLE\$" 2>/dev/null || true)
[[ "$windows" == "$window" ]] || e2e_fail "main windows: ${windows//$'\n'/ }"

# The first instance still answers the keyboard: its number box still has the "4" selected.
e2e_focus "$window"
e2e_expect 4 "the first instance still answers" e2e_copy ctrl+c

minimised() { xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN; }
mapped() { xwininfo -id "$window" | grep -q 'Map State: IsViewable'; }
# The stacking list runs from the bottom window to the top one.
on_top() { xprop -root _NET_CLIENT_LIST_STACKING | grep -qi "$(printf '0x%x$' "$window")"; }
active() { [[ "$(xdotool getactivewindow 2>/dev/null)" == "$window" ]]; }
in_front() { ! minimised && mapped && on_top && active; }
timeout "$E2E_WAIT" xdotool type 7
e2e_expect 7 "the 7 reached the number box" e2e_copy ctrl+a ctrl+c
printf 'other' | timeout 5 xclip -selection clipboard
timeout "$E2E_WAIT" xdotool windowminimize --sync "$window"
e2e_until minimised || e2e_fail "the window was not minimised"
! mapped || e2e_fail "the minimised window is still in view"
# A second at most; proportionally longer in the slower sanitizer build.
e2e_expect_start_refused "$runtime" $((E2E_WAIT > 30 ? E2E_WAIT / 30 : 1))
e2e_until in_front || e2e_fail "the minimised window did not come to the front"
e2e_screenshot in_front
# The keyboard reaches it: the number box has the focus back, its new text selected.
e2e_expect 7 "the window brought to the front takes the keyboard" e2e_copy ctrl+c

kill -KILL "$first"
{ wait "$first"; } 2>/dev/null || true
e2e_until e2e_no_window "$first" . || e2e_fail "the window of the killed instance stays"
[[ -e "$runtime/sorvani.lock" ]] || e2e_fail "the killed instance left no lock: nothing to test"

folder=$(mktemp -d "$E2E_WORK/systems.XXXXXX")
# 2 X1 + X2 = 5.5 ; X1 - X2 = 1, with the program's header row and column.
printf ',X1,X2,T.I\r\nEQ1,2,1,5.5\r\nEQ2,1,-1,1\r\n' >"$folder/first.csv"
# A Spanish spreadsheet's rows, read here in the C locale's decimal point.
printf '3;0;1,5\n0;2;4\n' >"$folder/second of two.csv"
e2e_start_program "$runtime" "$folder/first.csv"
next=$E2E_PID
e2e_wait_main_window "$next"
sleep 1
kill -0 "$next" 2>/dev/null || e2e_fail "the new instance ended after showing itself"
# The worksheet has the focus once laid out: its body, copied, is the file's.
e2e_expect $'2\t1\t5.5\n1\t-1\t1' "the file of the command line opened" e2e_copy ctrl+a ctrl+c
e2e_keys F4
e2e_screenshot first_file_solved

# The lock is taken over, not ignored: a further start is refused. From the folder of
# that start, the file goes over by its whole path.
(cd "$folder" && e2e_expect_start_refused "$runtime" 10 "second of two.csv")
e2e_wait_window "$next" '^Sorvani$'
e2e_screenshot question
e2e_keys alt+s
e2e_until e2e_no_window "$next" '^Sorvani$' || e2e_fail "the question did not close"
e2e_focus "$E2E_WINDOW"
e2e_expect $'3\t0\t1.5\n0\t2\t4' "the file of the second instance opened in the first" e2e_copy ctrl+a ctrl+c
