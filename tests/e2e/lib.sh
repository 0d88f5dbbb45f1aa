# shellcheck shell=bash
# Shared by the end-to-end tests, sourced as: source lib.sh PROGRAM SCREENSHOT_DIR
#
# Each test gets its own X server (Xvfb on a display it picks itself) with openbox as the
# window manager, and starts the real program there with real X input (xdotool through
# XTEST). Every process started here is ended when the test exits, however it exits, and
# every wait has a time limit, so a broken program fails the test instead of hanging it.
set -euo pipefail

# Absolute, so that a test may start it from another folder.
E2E_PROGRAM=$(readlink -f "${1:?program}")
E2E_SHOTS=${2:?screenshot folder}
E2E_NAME=$(basename "$0" .sh)
readonly E2E_PROGRAM E2E_SHOTS E2E_NAME
readonly E2E_TITLE='Métodos Numéricos : Sorvani'
# Seconds that each step may wait for the program; the sanitizer build is several times slower.
E2E_WAIT=${SORVANI_E2E_WAIT:-30}

e2e_log() { printf '[%s] %s\n' "$E2E_NAME" "$*"; }

# A missing tool skips the test, unless SORVANI_REQUIRE_E2E=1 (scripts/test.sh sets it once
# it has installed them): then it fails.
e2e_skip() {
    if [[ "${SORVANI_REQUIRE_E2E:-0}" == 1 ]]; then
        e2e_log "FAILED (SORVANI_REQUIRE_E2E=1): $*"
        exit 1
    fi
    e2e_log "SKIPPED: $*"
    exit 77
}

e2e_require() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || e2e_skip "$tool is missing (scripts/install-deps.sh installs it)"
    done
}
e2e_require Xvfb openbox xdotool xdpyinfo xprop xwininfo xclip import
[[ -x "$E2E_PROGRAM" ]] || {
    e2e_log "no program at $E2E_PROGRAM"
    exit 1
}

E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/sorvani-e2e.XXXXXX")
readonly E2E_WORK E2E_LOG="$E2E_WORK/program.log"
mkdir -p "$E2E_SHOTS" "$E2E_WORK/config"

# Ends the processes of this test, newest first: the program before the window manager
# before the X server. The sanitizers report into the program's log and the program may
# go on: a test that passed with such a report fails.
e2e_cleanup() {
    local status=$? pid
    trap - EXIT INT TERM
    for pid in $(tac "$E2E_WORK/pids" 2>/dev/null); do
        kill -TERM "$pid" 2>/dev/null || continue
        timeout 3 tail --pid="$pid" -f /dev/null || kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    if ((status == 0)) && grep -qe AddressSanitizer -e 'runtime error:' -e LeakSanitizer "$E2E_LOG" 2>/dev/null; then
        e2e_log "FAILED: the program reported a memory error or undefined behaviour"
        status=1
    fi
    ((status == 0 || status == 77)) || tail -n 40 "$E2E_WORK"/*.log 2>/dev/null || true
    rm -rf "$E2E_WORK"
    exit "$status"
}
trap e2e_cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Remembers a background process for the cleanup and for the guard below.
e2e_track() { echo "$1" >>"$E2E_WORK/pids"; }

# If this shell is killed outright (a test timeout may do that), its traps never run:
# a detached guard then ends what it started.
(
    trap '' INT TERM
    while kill -0 $$ 2>/dev/null; do sleep 1; done
    [[ -f "$E2E_WORK/pids" ]] && xargs -r kill -KILL <"$E2E_WORK/pids" 2>/dev/null
    rm -rf "$E2E_WORK"
) </dev/null >/dev/null 2>&1 &
disown

e2e_fail() {
    e2e_log "FAILED: $*; the screen then: $E2E_SHOTS/$E2E_NAME-failure.png"
    [[ -z "${DISPLAY:-}" ]] || import -window root "$E2E_SHOTS/$E2E_NAME-failure.png" 2>/dev/null || true
    exit 1
}

# Runs "$@" until it succeeds or the wait runs out.
e2e_until() {
    local limit=$((SECONDS + E2E_WAIT))
    until "$@"; do
        ((SECONDS < limit)) || return 1
        sleep 0.1
    done
}

# Xvfb on a free display that it chooses itself, then openbox; returns once both serve.
e2e_start_display() {
    # -noreset: by default the server resets when its last client leaves, and a client
    # connecting during the reset is refused.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$E2E_WORK/display" \
        >"$E2E_WORK/xvfb.log" 2>&1 &
    e2e_track $!
    e2e_until test -s "$E2E_WORK/display" || e2e_fail "Xvfb did not start"
    DISPLAY=":$(head -n 1 "$E2E_WORK/display")"
    export DISPLAY
    e2e_until xdpyinfo >/dev/null 2>&1 || e2e_fail "cannot connect to $DISPLAY"
    # An empty configuration folder: openbox's stock settings, not the user's.
    XDG_CONFIG_HOME="$E2E_WORK/config" openbox --sm-disable >"$E2E_WORK/openbox.log" 2>&1 &
    e2e_track $!
    e2e_until e2e_wm_running $! || e2e_fail "openbox did not start"
}

e2e_wm_running() {
    kill -0 "$1" 2>/dev/null || e2e_fail "openbox ended while starting"
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# A private runtime folder: the program keeps its single-instance lock there, so an
# instance running on the developer's desktop does not count. Starts that must see each
# other share one.
e2e_new_runtime() { mktemp -d "$E2E_WORK/runtime.XXXXXX"; }

# Starts the program in the background, with the arguments after RUNTIME; sets E2E_PID.
# The C locale's number forms make the results read back from the clipboard the same on
# every machine, unless the test chose regional settings of its own with e2e_use_locale.
E2E_LOCALE=C.UTF-8
E2E_LOCPATH=
e2e_start_program() {
    local runtime=$1
    shift
    env XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb LANG="$E2E_LOCALE" LC_ALL="$E2E_LOCALE" \
        LANGUAGE= ${E2E_LOCPATH:+LOCPATH="$E2E_LOCPATH"} "$E2E_PROGRAM" "$@" >>"$E2E_LOG" 2>&1 &
    E2E_PID=$!
    e2e_track "$E2E_PID"
}

# The regional settings of the programs started after it, such as es_ES.UTF-8; compiled into
# a folder of this test where the C library lacks them, as a Spanish desktop has them.
e2e_use_locale() {
    E2E_LOCALE=$1
    locale -a 2>/dev/null | grep -qixF "${1/%.UTF-8/.utf8}" && return
    e2e_require localedef
    E2E_LOCPATH="$E2E_WORK/locales"
    mkdir -p "$E2E_LOCPATH"
    localedef -i "${1%%.*}" -f "${1#*.}" "$E2E_LOCPATH/$1" >>"$E2E_WORK/localedef.log" 2>&1 ||
        [[ -e "$E2E_LOCPATH/$1/LC_NUMERIC" ]] || e2e_skip "could not compile the regional settings $1"
    e2e_log "regional settings $1 compiled into $E2E_LOCPATH"
}

# The program started on a display of its own, its main window waited for and focused.
e2e_start_main_window() {
    e2e_start_display
    e2e_start_program "$(e2e_new_runtime)"
    e2e_wait_main_window "$E2E_PID"
}

# Visible windows of process PID whose title matches the regular expression.
e2e_windows() {
    xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null || true
}

# Waits for a window of process PID whose title matches REGEX; sets E2E_FOUND.
e2e_wait_window() {
    e2e_until e2e_window_shown "$1" "$2" || e2e_fail "no window «$2» in ${E2E_WAIT} s"
}

e2e_window_shown() {
    if ! kill -0 "$1" 2>/dev/null; then
        local status=0
        { wait "$1"; } 2>/dev/null || status=$?
        e2e_fail "the program ended with status $status without showing the window «$2»"
    fi
    E2E_FOUND=$(e2e_windows "$1" "$2" | head -n 1)
    [[ -n "$E2E_FOUND" ]]
}

# Process PID shows no window whose title matches REGEX.
e2e_no_window() { [[ -z "$(e2e_windows "$1" "$2")" ]]; }

# Waits for the main window of process PID and gives it the focus; sets E2E_WINDOW.
e2e_wait_main_window() {
    e2e_wait_window "$1" "^$E2E_TITLE\$"
    E2E_WINDOW=$E2E_FOUND
    e2e_focus "$E2E_WINDOW"
}

e2e_focus() {
    timeout "$E2E_WAIT" xdotool windowactivate --sync "$1" >/dev/null 2>&1 ||
        timeout "$E2E_WAIT" xdotool windowfocus --sync "$1" >/dev/null 2>&1 ||
        e2e_fail "the window $1 does not take the focus"
}

# Keys through XTEST, as a keyboard gives them, to whatever has the focus.
e2e_keys() { timeout "$E2E_WAIT" xdotool key --delay 40 "$@"; }

# Each value typed and followed by Enter. "--" lets values start with a minus sign.
e2e_type_values() {
    local value
    for value in "$@"; do
        timeout "$E2E_WAIT" xdotool type --delay 40 -- "$value"
        timeout "$E2E_WAIT" xdotool key Return
    done
}

# A left click at (x, y) pixels of the client area below the menu bar of the main window.
e2e_click_client() {
    local full
    full=$(xdotool getwindowgeometry --shell "$E2E_WINDOW" | sed -n 's/^HEIGHT=//p')
    timeout "$E2E_WAIT" xdotool mousemove --window "$E2E_WINDOW" "$1" $((full - 409 + $2)) click 1
}

# "Método de Gauss - Jordan" has no mnemonic: a click on it, at (360, 540) twips inside
# the frame at (6315, 4710) twips, 15 twips to the pixel.
e2e_choose_gauss_jordan() { e2e_click_client $(((6315 + 360) / 15 + 12)) $(((4710 + 540) / 15 + 11)); }

# The screen, kept as SHOTS/TEST-NAME.png.
e2e_screenshot() {
    sleep 0.4
    import -window root "$E2E_SHOTS/$E2E_NAME-$1.png" || e2e_fail "could not take the screenshot $1"
}

# Runs PROBE, which sets E2E_GOT, until E2E_GOT is exactly EXPECTED:
#     e2e_expect EXPECTED WHAT PROBE [ARGUMENTS...]
e2e_expect() {
    local expected=$1 what=$2
    shift 2
    E2E_GOT=
    e2e_until e2e_got "$expected" "$@" ||
        e2e_fail "$what: expected $(printf '%q' "$expected"), got $(printf '%q' "$E2E_GOT")"
    e2e_log "$what: correct"
}

e2e_got() {
    local expected=$1
    shift
    "$@"
    [[ "$E2E_GOT" == "$expected" ]]
}

# Sends KEYS, the last of which copies, and reads the clipboard. The program owns the
# clipboard after a copy, so reading it also shows that it still serves. Under e2e_expect
# the keys go again and again: a key sent while a window is still taking the focus would
# otherwise be lost, and the check with it.
e2e_copy() {
    e2e_keys "$@"
    E2E_GOT=$(timeout 5 xclip -o -selection clipboard 2>/dev/null) || E2E_GOT=
}

# The whole body of the focused grid, selected and copied.
e2e_copy_sheet() { e2e_copy ctrl+Home ctrl+shift+End ctrl+c; }

# A 3 x 3 system typed after its "3":
#  2 X1 + X2 -   X3 =   8
# -3 X1 - X2 + 2 X3 = -11
# -2 X1 + X2 + 2 X3 =  -3
e2e_type_system3() { e2e_type_values 2 1 -1 8 -3 -1 2 -11 -2 1 2 -3; }

# Starts the program once more while an instance holds the lock of RUNTIME: the new start
# must end by itself, with status 0, within LIMIT seconds and without ever showing a window.
# The arguments after LIMIT go to the program.
e2e_expect_start_refused() {
    local runtime=$1 limit=$2 start us status=0
    shift 2
    start=${EPOCHREALTIME/[.,]/}
    e2e_start_program "$runtime" "$@"
    while kill -0 "$E2E_PID" 2>/dev/null; do
        [[ -z "$(xdotool search --onlyvisible --pid "$E2E_PID" 2>/dev/null)" ]] ||
            e2e_fail "the second instance showed a window"
        ((${EPOCHREALTIME/[.,]/} - start <= limit * 1000000)) || e2e_fail "the second instance still runs after $limit s"
        sleep 0.05
    done
    us=$((${EPOCHREALTIME/[.,]/} - start))
    wait "$E2E_PID" || status=$?
    ((status == 0)) || e2e_fail "the second instance ended with status $status"
    e2e_log "the second instance ended by itself in $((us / 1000)) ms, with status 0"
}

# A display with the accessibility bus of a desktop with a screen reader, for the tests
# that read the program as a blind user hears it: a private session bus, then the
# accessibility bus on it, both the test's own; programs started afterwards find both. Qt turns its
# accessibility on when QT_LINUX_ACCESSIBILITY_ALWAYS_ON is set, as for a screen reader.
readonly E2E_BUS_LAUNCHER=/usr/libexec/at-spi-bus-launcher E2E_PYTHON=/usr/bin/python3
E2E_READER="$(dirname "${BASH_SOURCE[0]}")/reader.py"
readonly E2E_READER
e2e_start_display_with_bus() {
    e2e_require dbus-daemon dbus-send "$E2E_BUS_LAUNCHER"
    "$E2E_PYTHON" -c 'import pyatspi' 2>/dev/null || e2e_skip "python3-pyatspi is missing (scripts/install-deps.sh installs it)"
    e2e_start_display
    dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$E2E_WORK/bus" \
        >"$E2E_WORK/dbus.log" 2>&1 &
    e2e_track $!
    e2e_until test -s "$E2E_WORK/bus" || e2e_fail "the session bus did not start"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$E2E_WORK/bus")
    export DBUS_SESSION_BUS_ADDRESS
    "$E2E_BUS_LAUNCHER" --launch-immediately >"$E2E_WORK/atspi.log" 2>&1 &
    e2e_track $!
    e2e_until e2e_bus_has org.a11y.Bus || e2e_fail "the accessibility bus did not start"
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

e2e_bus_has() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'boolean true'
}

# One reading through the bus (see reader.py).
e2e_reading() { E2E_GOT=$(timeout "$E2E_WAIT" "$E2E_PYTHON" "$E2E_READER" "$@" 2>>"$E2E_WORK/reader.log") || E2E_GOT=; }

# Sends each KEY and waits until the last focus event heard reads as its EXPECTED:
#     e2e_expect_heard KEY EXPECTED [KEY EXPECTED...]
e2e_expect_heard() {
    while (($# >= 2)); do
        e2e_keys "$1"
        e2e_expect "$2" "heard after $1" e2e_last_heard
        shift 2
    done
}

e2e_last_heard() { E2E_GOT=$(tail -n 1 "$E2E_WORK/heard"); }
