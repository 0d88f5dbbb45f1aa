# shellcheck shell=bash
# Sourced by the scripts that need a screen where there may be none: starts Xvfb on a free
# display with openbox as window manager (title bars, and the focus back on a window when
# a dialog closes), exports DISPLAY, and ends both when the script exits. The caller adds
# its own clean-up to PANTALLA_LIMPIEZA (commands run before the server goes away).
PANTALLA_LIMPIEZA=()
pantalla_pids=()

pantalla_terminar()
{
    local orden i
    for orden in "${PANTALLA_LIMPIEZA[@]}"; do
        eval "$orden" || true
    done
    for ((i = ${#pantalla_pids[@]} - 1; i >= 0; i--)); do
        kill "${pantalla_pids[i]}" 2>/dev/null || true
    done
}

iniciar_pantalla_virtual()
{
    local numero=99
    while [[ -e /tmp/.X11-unix/X$numero || -e /tmp/.X$numero-lock ]]; do numero=$((numero + 1)); done
    Xvfb ":$numero" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    pantalla_pids+=($!)
    trap pantalla_terminar EXIT
    export DISPLAY=":$numero"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    openbox --sm-disable >/dev/null 2>&1 &
    pantalla_pids+=($!)
    sleep 0.5
}
