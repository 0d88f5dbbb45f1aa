#!/usr/bin/env bash
# Takes screenshots of the built program (build/src/app/sorvani) under a virtual X server
# and prints their paths. Builds nothing: run scripts/run.sh or cmake --build first.
set -euo pipefail
cd "$(dirname "$0")/.."

programa=build/src/app/sorvani
salida=screenshots
[[ -x "$programa" ]] || { echo "No existe $programa: compile primero." >&2; exit 1; }
mkdir -p "$salida"

# A private runtime directory, so that an instance running on the desktop does not count
# as "already running".
runtime=$(mktemp -d)
chmod 700 "$runtime"
source scripts/pantalla-virtual.sh
iniciar_pantalla_virtual
pid_app=
terminar_programa() {
  [[ -z "$pid_app" ]] || kill "$pid_app" 2>/dev/null
  rm -rf "$runtime"
}
PANTALLA_LIMPIEZA+=(terminar_programa)

XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb "$programa" &
pid_app=$!
ventana=$(xdotool search --sync --onlyvisible --name 'Métodos Numéricos : Sorvani' | head -n 1)
xdotool windowactivate --sync "$ventana" 2>/dev/null || xdotool windowfocus --sync "$ventana"
sleep 0.5

foto() {
  sleep 0.4
  import -window root "$salida/$1.png"
  echo "$salida/$1.png"
}

# Places in the window's client area, in pixels (twips / 15), below the menu bar.
eval "$(xdotool getwindowgeometry --shell "$ventana")"
menu=$((HEIGHT - 409))
clic() { xdotool mousemove --window "$ventana" "$1" $((menu + $2)) click 1; }

teclas() { for t in "$@"; do xdotool type --delay 20 -- "$t"; xdotool key Return; done; }

foto inicio

# Four equations: the number box has the focus with its text selected.
xdotool type --window "$ventana" 4
xdotool key --window "$ventana" Return
foto hoja_4

# A system typed through the in-cell editor, value and Enter, then F4 (Choleski).
teclas 4 -2 1 3 11  -2 4 -2 1 -15  1 -2 4 -2 15  3 1 -2 4 -7
xdotool type 25
foto editor_abierto
xdotool key Escape
xdotool key F4
foto choleski_4

# The same system by Gauss - Jordan: the option button inside "Método de Cálculo"
# (frame at 6315,4710 twips; the option at 360,540 inside it).
clic 465 361
xdotool key F4
foto gauss_jordan_4
clic 470 340
xdotool key F4

# "Matrices B-C" (button B_Mostrar, centre of 1530..2895 x 90..690 twips), fitted with F5.
clic 144 26
xdotool key F5
foto matrices
clic 144 26

# The about dialog, closed with Escape.
xdotool key F1
foto acerca_de
xdotool key Escape

# One hundred equations: random values (F3), solved (F4), every grid fitted (F5).
xdotool key F2
xdotool type 100
xdotool key Return F3 F4 F5
foto aleatorio_100
clic 144 26
foto matrices_100
