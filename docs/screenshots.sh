#!/usr/bin/env bash
# Takes the README's screenshots from the real program on a virtual display,
# the way a person would use it: a 2-2-1 network, the four XOR patterns typed
# in, a long training run (the progress window taken while it runs, then
# "Stop"), then one execution. Needs xvfb, xdotool and imagemagick.
# Usage: docs/screenshots.sh [build directory, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

LANG=es_ES.UTF-8 LC_ALL= "$build/app/perceptlab" &
program=$!
trap 'kill $program 2>/dev/null || true' EXIT
window=$(xdotool search --sync --name '^PerceptLab' | head -1)
sleep 1

# Positions inside the window's client area (it has a fixed size).
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.3; }
type_over() { click "$1" "$2"; xdotool key End shift+Home; xdotool type --delay 40 "$3"; sleep 0.2; }
choose_first() { click "$1" "$2"; xdotool key Escape Home; sleep 0.3; }
shot() { sleep 0.7; import -window "$window" "docs/$1.png"; }

type_over 90 136 2
type_over 90 256 2
type_over 90 376 1
choose_first 443 136
choose_first 443 256
shot tab-configuracion

click 465 316
for pattern in "0 0 0,1" "0 1 0,9" "1 0 0,9" "1 1 0,1"; do
  read -r a b out <<<"$pattern"
  type_over 53 134 "$a"
  type_over 111 134 "$b"
  type_over 53 202 "$out"
  click 115 231
done
shot tab-introducir-datos

# A run far longer than the screenshots take.
click 317 33
type_over 179 100 500000000
click 143 333
sleep 3

# The progress window is centred on the screen: 338 x 48.
read -r width height <<<"$(xdotool getdisplaygeometry)"
left=$(((width - 338) / 2))
top=$(((height - 48) / 2))
import -window root -crop "338x48+${left}+${top}" +repage docs/progreso.png
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage docs/entrenando.png

# "Stop", in the progress window's top right corner.
xdotool mousemove $((left + 304)) $((top + 24)) click 1
sleep 1
shot tab-entrenamiento

click 423 33
click 204 151; xdotool type "1"; xdotool key Return
click 204 169; xdotool type "0"; xdotool key Return
type_over 424 135 3
click 310 388
shot tab-ejecucion

click 534 33
shot tab-ayuda
