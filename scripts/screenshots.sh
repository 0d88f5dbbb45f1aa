#!/usr/bin/env bash
# Takes screenshots of the built program (build/src/app/sorvani) under a virtual X server
# and prints their paths. Builds nothing: run scripts/run.sh or cmake --build first.
set -euo pipefail
cd "$(dirname "$0")/.."

program=build/src/app/sorvani
out_dir=screenshots
[[ -x "$program" ]] || { echo "No existe $program: compile primero." >&2; exit 1; }
mkdir -p "$out_dir"

# A private runtime directory, so that an instance running on the desktop does not count
# as "already running".
runtime=$(mktemp -d)
chmod 700 "$runtime"
source scripts/virtual-display.sh
start_virtual_display
app_pid=
stop_program() {
  [[ -z "$app_pid" ]] || kill "$app_pid" 2>/dev/null
  rm -rf "$runtime"
}
DISPLAY_CLEANUP+=(stop_program)

XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb "$program" &
app_pid=$!
window=$(xdotool search --sync --onlyvisible --name 'Métodos Numéricos : Sorvani' | head -n 1)
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 0.5

shot() {
  sleep 0.4
  import -window root "$out_dir/$1.png"
  echo "$out_dir/$1.png"
}

# Places in the window's client area, in pixels (twips / 15), below the menu bar.
eval "$(xdotool getwindowgeometry --shell "$window")"
menu=$((HEIGHT - 409))
click_at() { xdotool mousemove --window "$window" "$1" $((menu + $2)) click 1; }

type_values() { for t in "$@"; do xdotool type --delay 20 -- "$t"; xdotool key Return; done; }

shot inicio

# Four equations: the number box has the focus with its text selected.
xdotool type --window "$window" 4
xdotool key --window "$window" Return
shot hoja_4

# A system typed through the in-cell editor, value and Enter, then F4 (Choleski).
type_values 4 -2 1 3 11  -2 4 -2 1 -15  1 -2 4 -2 15  3 1 -2 4 -7
xdotool type 25
shot editor_abierto
xdotool key Escape
xdotool key F4
shot choleski_4

# The same system by Gauss - Jordan: the option button inside "Método de Cálculo"
# (frame at 6315,4710 twips; the option at 360,540 inside it).
click_at 465 361
xdotool key F4
shot gauss_jordan_4
click_at 470 340
xdotool key F4

# "Matrices B-C" (button B_Mostrar, centre of 1530..2895 x 90..690 twips), fitted with F5.
click_at 144 26
xdotool key F5
shot matrices
click_at 144 26

# The about dialog, closed with Escape.
xdotool key F1
shot acerca_de
xdotool key Escape

# One hundred equations: random values (F3), solved (F4), every grid fitted (F5).
xdotool key F2
xdotool type 100
xdotool key Return F3 F4 F5
shot aleatorio_100
click_at 144 26
shot matrices_100
