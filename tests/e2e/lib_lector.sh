# shellcheck shell=bash
# The accessibility bus of a desktop with a screen reader, for the end-to-end tests that
# read the program as a blind user hears it. Sourced after lib.sh:
#     source lib.sh PROGRAM SCREENSHOT_DIR; source lib_lector.sh
# The session bus and the accessibility bus are the test's own, ended with it.

readonly E2E_BUS_LAUNCHER=/usr/libexec/at-spi-bus-launcher
readonly E2E_PYTHON=/usr/bin/python3
E2E_LECTOR="$(dirname "${BASH_SOURCE[0]}")/lector.py"
readonly E2E_LECTOR

e2e_require dbus-daemon dbus-send
[[ -x "$E2E_BUS_LAUNCHER" ]] || e2e_skip "falta $E2E_BUS_LAUNCHER (scripts/install-deps.sh lo instala)"
"$E2E_PYTHON" -c 'import pyatspi' 2>/dev/null ||
    e2e_skip "falta python3-pyatspi (scripts/install-deps.sh lo instala)"

# A private session bus, then the accessibility bus on it; programs started afterwards
# find both. Qt turns its accessibility on when QT_LINUX_ACCESSIBILITY_ALWAYS_ON is set,
# as it does for a running screen reader.
e2e_start_accessibility_bus()
{
    dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$E2E_WORK/bus" \
        >"$E2E_WORK/dbus.log" 2>&1 &
    e2e_track $!
    e2e_until test -s "$E2E_WORK/bus" || e2e_fail "el bus de sesión no arrancó"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$E2E_WORK/bus")
    export DBUS_SESSION_BUS_ADDRESS
    "$E2E_BUS_LAUNCHER" --launch-immediately >"$E2E_WORK/atspi.log" 2>&1 &
    e2e_track $!
    e2e_until e2e_bus_has org.a11y.Bus || e2e_fail "el bus de accesibilidad no arrancó"
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    e2e_log "bus de accesibilidad listo"
}

e2e_bus_has()
{
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'boolean true'
}

# One reading through the bus (see lector.py); fails on its error.
e2e_read() { timeout "$E2E_WAIT" "$E2E_PYTHON" "$E2E_LECTOR" "$@" 2>>"$E2E_WORK/lector.log"; }

# Waits until the reading equals the expected text.
e2e_expect_reading()
{
    local esperado=$1 que=$2
    shift 2
    E2E_READING=
    e2e_until e2e_reading_is "$esperado" "$@" ||
        e2e_fail "$que: se esperaba $(printf '%q' "$esperado") y se lee $(printf '%q' "$E2E_READING")"
    e2e_log "$que: correcto"
}

e2e_reading_is()
{
    local esperado=$1
    shift
    E2E_READING=$(e2e_read "$@") || E2E_READING=
    [[ "$E2E_READING" == "$esperado" ]]
}

# Hears the focus events from here on, as a screen reader does: one line per event.
e2e_start_listening()
{
    "$E2E_PYTHON" -u "$E2E_LECTOR" escuchar >"$E2E_WORK/oido" 2>>"$E2E_WORK/lector.log" &
    e2e_track $!
    e2e_until grep -q '^escuchando$' "$E2E_WORK/oido" || e2e_fail "no se pudo escuchar el bus"
}

# Waits until the last focus event heard reads as expected.
e2e_expect_heard()
{
    local esperado=$1 que=$2
    e2e_until e2e_heard_is "$esperado" ||
        e2e_fail "$que: se esperaba oír $(printf '%q' "$esperado") y se oyó $(printf '%q' "$E2E_HEARD")"
    e2e_log "$que: se oye «$esperado»"
}

e2e_heard_is()
{
    E2E_HEARD=$(tail -n 1 "$E2E_WORK/oido")
    [[ "$E2E_HEARD" == "$1" ]]
}
