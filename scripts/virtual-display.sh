# shellcheck shell=bash
# Sourced by the scripts that need a screen where there may be none: starts Xvfb on a free
# display with openbox as window manager (title bars, and the focus back on a window when
# a dialog closes), exports DISPLAY, and ends both when the script exits. The caller adds
# its own clean-up to DISPLAY_CLEANUP (commands run before the server goes away).
DISPLAY_CLEANUP=()
display_pids=()

stop_virtual_display()
{
    local step i
    for step in "${DISPLAY_CLEANUP[@]}"; do
        eval "$step" || true
    done
    for ((i = ${#display_pids[@]} - 1; i >= 0; i--)); do
        kill "${display_pids[i]}" 2>/dev/null || true
    done
}

start_virtual_display()
{
    local number=99
    while [[ -e /tmp/.X11-unix/X$number || -e /tmp/.X$number-lock ]]; do number=$((number + 1)); done
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    display_pids+=($!)
    trap stop_virtual_display EXIT
    export DISPLAY=":$number"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    openbox --sm-disable >/dev/null 2>&1 &
    display_pids+=($!)
    sleep 0.5
}
