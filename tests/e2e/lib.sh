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
# Seconds that each step may wait for the program (SORVANI_E2E_WAIT); the sanitizer build
# is several times slower.
E2E_WAIT=${SORVANI_E2E_WAIT:-30}

e2e_log() { printf '[%s] %s\n' "$E2E_NAME" "$*"; }

# A missing tool skips the test, unless SORVANI_REQUIRE_E2E=1 (scripts/test.sh sets it once
# it has installed them): then it fails.
e2e_skip()
{
    if [[ "${SORVANI_REQUIRE_E2E:-0}" == 1 ]]; then
        e2e_log "FALLO (SORVANI_REQUIRE_E2E=1): $*"
        exit 1
    fi
    e2e_log "OMITIDO: $*"
    exit 77
}

e2e_require()
{
    local herramienta
    for herramienta in "$@"; do
        command -v "$herramienta" >/dev/null 2>&1 ||
            e2e_skip "falta $herramienta (scripts/install-deps.sh lo instala)"
    done
}
e2e_require Xvfb openbox xdotool xdpyinfo xprop xwininfo xclip import
[[ -x "$E2E_PROGRAM" ]] || {
    e2e_log "no existe el programa $E2E_PROGRAM"
    exit 1
}

E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/sorvani-e2e.XXXXXX")
readonly E2E_WORK
mkdir -p "$E2E_SHOTS" "$E2E_WORK/config"
e2e_pids=()

# Ends the processes of this test, newest first: the program before the window manager
# before the X server.
e2e_cleanup()
{
    local status=$? i pid
    trap - EXIT INT TERM
    for ((i = ${#e2e_pids[@]} - 1; i >= 0; i--)); do
        pid=${e2e_pids[i]}
        kill -0 "$pid" 2>/dev/null || continue
        kill -TERM "$pid" 2>/dev/null || true
        for _ in $(seq 30); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    if ((status != 0 && status != 77)); then
        for log in "$E2E_WORK"/*.log; do
            [[ -s "$log" ]] || continue
            e2e_log "--- $(basename "$log")"
            tail -n 40 "$log"
        done
    fi
    rm -rf "$E2E_WORK"
    exit "$status"
}
trap e2e_cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Remembers a background process for cleanup, also in a file that the guard below reads.
e2e_track()
{
    e2e_pids+=("$1")
    echo "$1" >>"$E2E_WORK/pids"
}

# If this shell is killed outright (a test timeout may do that), its traps never run:
# a detached guard then ends what it started.
(
    trap '' INT TERM
    while kill -0 $$ 2>/dev/null; do sleep 1; done
    [[ -f "$E2E_WORK/pids" ]] && xargs -r kill -KILL <"$E2E_WORK/pids" 2>/dev/null
    rm -rf "$E2E_WORK"
) </dev/null >/dev/null 2>&1 &
disown

e2e_fail()
{
    e2e_log "FALLO: $*"
    if [[ -n "${DISPLAY:-}" ]]; then
        import -window root "$E2E_SHOTS/$E2E_NAME-fallo.png" 2>/dev/null &&
            e2e_log "captura: $E2E_SHOTS/$E2E_NAME-fallo.png"
    fi
    exit 1
}

# Runs "$@" until it succeeds or the wait runs out.
e2e_until()
{
    local limite=$((SECONDS + E2E_WAIT))
    until "$@"; do
        ((SECONDS < limite)) || return 1
        sleep 0.1
    done
}

# Xvfb on a free display that it chooses itself, then openbox; returns once both serve.
e2e_start_display()
{
    # -noreset: by default the server resets when its last client leaves, and a client
    # connecting during the reset is refused.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$E2E_WORK/display" \
        >"$E2E_WORK/xvfb.log" 2>&1 &
    e2e_track $!
    e2e_until test -s "$E2E_WORK/display" || e2e_fail "Xvfb no arrancó"
    DISPLAY=":$(head -n 1 "$E2E_WORK/display")"
    export DISPLAY
    e2e_until xdpyinfo >/dev/null 2>&1 || e2e_fail "no se puede conectar con $DISPLAY"

    # An empty configuration folder: openbox's stock settings, not the user's.
    XDG_CONFIG_HOME="$E2E_WORK/config" openbox --sm-disable >"$E2E_WORK/openbox.log" 2>&1 &
    local wm=$!
    e2e_track "$wm"
    e2e_until e2e_wm_running "$wm" || e2e_fail "openbox no arrancó"
    e2e_log "pantalla $DISPLAY lista"
}

e2e_wm_running()
{
    kill -0 "$1" 2>/dev/null || e2e_fail "openbox terminó al arrancar"
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# A private runtime folder: the program keeps its single-instance lock there, so an
# instance running on the developer's desktop does not count. Starts that must see each
# other share one.
e2e_new_runtime()
{
    local dir
    dir=$(mktemp -d "$E2E_WORK/runtime.XXXXXX")
    chmod 700 "$dir"
    echo "$dir"
}

# Starts the program in the background, with the arguments after RUNTIME; sets E2E_PID.
# The C locale's number forms make the results read back from the clipboard the same on
# every machine, unless the test chose regional settings of its own with e2e_use_locale.
E2E_LOCALE=C.UTF-8
E2E_LOCPATH=
e2e_start_program()
{
    local runtime=$1
    shift
    env XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb LANG="$E2E_LOCALE" LC_ALL="$E2E_LOCALE" \
        LANGUAGE= ${E2E_LOCPATH:+LOCPATH="$E2E_LOCPATH"} \
        "$E2E_PROGRAM" "$@" >>"$E2E_WORK/programa.log" 2>&1 &
    E2E_PID=$!
    e2e_track "$E2E_PID"
}

# The regional settings of the programs started after it, such as es_ES.UTF-8; compiled into
# a folder of this test where the C library lacks them, as a Spanish desktop has them.
e2e_use_locale()
{
    E2E_LOCALE=$1
    locale -a 2>/dev/null | grep -qixF "${1/%.UTF-8/.utf8}" && return
    e2e_require localedef
    E2E_LOCPATH="$E2E_WORK/locales"
    mkdir -p "$E2E_LOCPATH"
    localedef -i "${1%%.*}" -f "${1#*.}" "$E2E_LOCPATH/$1" >>"$E2E_WORK/localedef.log" 2>&1 ||
        [[ -e "$E2E_LOCPATH/$1/LC_NUMERIC" ]] || e2e_skip "no se pudo compilar la configuración regional $1"
    e2e_log "configuración regional $1 compilada en $E2E_LOCPATH"
}

# The program started on a display of its own, its main window waited for and focused.
e2e_start_main_window()
{
    e2e_start_display
    e2e_start_program "$(e2e_new_runtime)"
    e2e_wait_main_window "$E2E_PID"
}

# Visible windows of process PID whose title matches the regular expression.
e2e_windows()
{
    xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null || true
}

# Waits for the main window of process PID and gives it the focus; sets E2E_WINDOW.
e2e_wait_main_window()
{
    local pid=$1
    e2e_until e2e_find_main_window "$pid" || e2e_fail "la ventana principal no apareció en ${E2E_WAIT} s"
    e2e_focus "$E2E_WINDOW"
}

e2e_find_main_window()
{
    if ! kill -0 "$1" 2>/dev/null; then
        local estado=0
        { wait "$1"; } 2>/dev/null || estado=$?
        e2e_fail "el programa terminó con el estado $estado sin mostrar su ventana"
    fi
    E2E_WINDOW=$(e2e_windows "$1" "^$E2E_TITLE\$" | head -n 1)
    [[ -n "$E2E_WINDOW" ]]
}

e2e_focus()
{
    timeout "$E2E_WAIT" xdotool windowactivate --sync "$1" >/dev/null 2>&1 ||
        timeout "$E2E_WAIT" xdotool windowfocus --sync "$1" >/dev/null 2>&1 ||
        e2e_fail "la ventana $1 no recibe el foco"
}

# Keys through XTEST, as a keyboard gives them, to whatever has the focus.
e2e_keys() { timeout "$E2E_WAIT" xdotool key --delay 40 "$@"; }

# Each value typed and followed by Enter. "--" lets values start with a minus sign.
e2e_type_values()
{
    local valor
    for valor in "$@"; do
        timeout "$E2E_WAIT" xdotool type --delay 40 -- "$valor"
        timeout "$E2E_WAIT" xdotool key Return
    done
}

# A left click at (x, y) pixels of the client area below the menu bar of the main window.
e2e_click_client()
{
    local alto
    alto=$(xdotool getwindowgeometry --shell "$E2E_WINDOW" | sed -n 's/^HEIGHT=//p')
    local menu=$((alto - 409))
    timeout "$E2E_WAIT" xdotool mousemove --window "$E2E_WINDOW" "$1" $((menu + $2)) click 1
}

e2e_screenshot()
{
    local file="$E2E_SHOTS/$E2E_NAME-$1.png"
    sleep 0.4
    import -window root "$file" || e2e_fail "no se pudo tomar la captura $file"
    e2e_log "captura: $file"
}

# The sanitizers report into the program's log and the program may go on: that is a failure.
e2e_check_program_log()
{
    if grep -q -e 'AddressSanitizer' -e 'runtime error:' -e 'LeakSanitizer' "$E2E_WORK/programa.log" 2>/dev/null; then
        e2e_fail "el programa informó un error de memoria o de comportamiento indefinido"
    fi
}

# Waits until the clipboard holds exactly the expected text. The program owns the
# clipboard after a copy, so reading it also shows that the program is still serving.
e2e_expect_clipboard()
{
    local esperado=$1 que=$2
    E2E_CLIPBOARD=
    e2e_until e2e_clipboard_is "$esperado" ||
        e2e_fail "$que: se esperaba $(printf '%q' "$esperado") y el portapapeles tiene $(printf '%q' "$E2E_CLIPBOARD")"
    e2e_log "$que: correcto"
}

e2e_clipboard_is()
{
    E2E_CLIPBOARD=$(timeout 5 xclip -o -selection clipboard 2>/dev/null) || E2E_CLIPBOARD=
    [[ "$E2E_CLIPBOARD" == "$1" ]]
}

# Starts the program once more while an instance holds the lock of RUNTIME: the new start
# must end by itself, with status 0, within LIMIT seconds and without ever showing a window.
# The arguments after LIMIT go to the program.
e2e_expect_start_refused()
{
    local runtime=$1 limite=$2 pid inicio ventanas estado
    shift 2
    inicio=$EPOCHREALTIME
    e2e_start_program "$runtime" "$@"
    pid=$E2E_PID
    while kill -0 "$pid" 2>/dev/null; do
        ventanas=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true)
        [[ -z "$ventanas" ]] || e2e_fail "la segunda instancia mostró una ventana"
        awk -v a="$inicio" -v b="$EPOCHREALTIME" -v l="$limite" 'BEGIN { exit !(b - a > l) }' &&
            e2e_fail "la segunda instancia sigue en marcha después de $limite s"
        sleep 0.05
    done
    if wait "$pid"; then estado=0; else estado=$?; fi
    E2E_REFUSED_SECONDS=$(awk -v a="$inicio" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.2f", b - a }')
    ((estado == 0)) || e2e_fail "la segunda instancia terminó con el estado $estado"
    e2e_log "la segunda instancia terminó sola en $E2E_REFUSED_SECONDS s, con el estado 0"
}
