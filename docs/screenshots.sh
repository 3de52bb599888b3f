#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's screenshots from the real program on a virtual display,
# the way a person would use it: a 2-2-1 network, the four XOR patterns typed
# in, a long training run (the progress window taken while it runs, then
# "Stop"), then one execution with 8 decimals, then the "Cómo Aprende" views
# with XOR mid-training in an enlarged window. Then the training again under
# a dark desktop palette (Fusion with dark colours, through the qt6ct
# platform theme). Needs xvfb, xdotool, imagemagick and qt6ct.
# Usage: docs/screenshots.sh [build directory, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

# Positions inside the window's client area, which opens at its default size.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.3; }
type_over() { click "$1" "$2"; xdotool key End shift+Home; xdotool type --delay 40 "$3"; sleep 0.2; }
choose_first() { click "$1" "$2"; xdotool key Escape Home; sleep 0.3; }
shot() { sleep 0.7; import -window "$window" "docs/$1.png"; }

start_program() {
  LANG=es_ES.UTF-8 LC_ALL= "$@" "$build/app/perceptlab" &
  program=$!
  window=$(xdotool search --sync --pid "$program" --name '^PerceptLab' | head -1)
  sleep 1
}
stop_program() { kill "$program" 2>/dev/null || true; wait "$program" 2>/dev/null || true; }
trap 'stop_program' EXIT

# A 2-2-1 network with the XOR patterns.
xor_network() {
  type_over 90 136 2
  type_over 90 256 2
  type_over 90 376 1
  choose_first 443 136
  choose_first 443 256
  shot "tab-configuracion$1"
  click 465 316
  for pattern in "0 0 0,1" "0 1 0,9" "1 0 0,9" "1 1 0,1"; do
    read -r a b out <<<"$pattern"
    type_over 53 134 "$a"
    type_over 111 134 "$b"
    type_over 53 202 "$out"
    click 115 231
  done
  shot "tab-introducir-datos$1"
}

# A run far longer than the screenshots take, taken while it runs, then "Stop".
long_run() {
  click 263 33
  type_over 179 100 500000000
  click 143 333
  sleep 3
  # The progress window is centred on the screen: 338 x 48.
  read -r width height <<<"$(xdotool getdisplaygeometry)"
  left=$(((width - 338) / 2))
  top=$(((height - 48) / 2))
  import -window root -crop "338x48+${left}+${top}" +repage "docs/progreso$1.png"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "docs/entrenando$1.png"
  xdotool mousemove $((left + 304)) $((top + 24)) click 1
  sleep 1
  shot "tab-entrenamiento$1"
}

start_program
xor_network ""
long_run ""
# The 8-decimal outputs of the execution tab, drawn with 7.
click 350 33
click 204 151; xdotool type "1"; xdotool key Return
click 204 169; xdotool type "0"; xdotool key Return
type_over 424 135 8
click 310 388
shot tab-ejecucion
click 540 33
shot tab-ayuda
# "Cómo Aprende" mid-training: fresh weights ("Reiniciar"), 15000 iterations,
# then one step applied on pattern 2 and the four views, at the default size
# and with the window filling the screen, as a maximised one does.
learning_views() {
  click 263 33
  click 143 357
  type_over 179 100 15000
  click 143 333
  sleep 2
  click 438 33
  click 65 67
  type_over 80 94 2
  click 240 94
  views "$1"
  xdotool windowmove "$window" 0 0
  read -r width height <<<"$(xdotool getdisplaygeometry)"
  xdotool windowsize "$window" "$width" "$height"
  sleep 1
  views "-max$1"
  xdotool windowsize "$window" 631 434
  sleep 1
}
views() {
  click 65 67
  shot "aprende-paso$1"
  click 132 67
  shot "aprende-red$1"
  click 215 67
  # The pointer on the map, so that its status line reads a value.
  xdotool mousemove --window "$window" 300 250
  shot "aprende-mapa$1"
  click 311 67
  shot "aprende-resultados$1"
}
learning_views ""
stop_program

# The same training under a dark palette.
dark=$(mktemp -d)
mkdir -p "$dark/qt6ct"
cat >"$dark/qt6ct/oscuro.conf" <<'COLOURS'
[ColorScheme]
active_colors=#ffffffff, #ff424245, #ff979797, #ff5e5c5b, #ff302f2e, #ff4a4947, #ffffffff, #ffffffff, #ffffffff, #ff3d3d3d, #ff222020, #ffe7e4e0, #ff12608a, #fff9f9f9, #ff0986d3, #ffa70b06, #ff5c5b5a, #ffffffff, #ff3f3f36, #ffffffff, #80ffffff
disabled_colors=#ff808080, #ff424245, #ff979797, #ff5e5c5b, #ff302f2e, #ff4a4947, #ff808080, #ffffffff, #ff808080, #ff3d3d3d, #ff222020, #ffe7e4e0, #ff12608a, #ff808080, #ff0986d3, #ffa70b06, #ff5c5b5a, #ffffffff, #ff3f3f36, #ffffffff, #80ffffff
inactive_colors=#ffffffff, #ff424245, #ff979797, #ff5e5c5b, #ff302f2e, #ff4a4947, #ffffffff, #ffffffff, #ffffffff, #ff3d3d3d, #ff222020, #ffe7e4e0, #ff12608a, #fff9f9f9, #ff0986d3, #ffa70b06, #ff5c5b5a, #ffffffff, #ff3f3f36, #ffffffff, #80ffffff
COLOURS
cat >"$dark/qt6ct/qt6ct.conf" <<SETTINGS
[Appearance]
color_scheme_path=$dark/qt6ct/oscuro.conf
custom_palette=true
style=Fusion
SETTINGS
start_program env XDG_CONFIG_HOME="$dark" QT_QPA_PLATFORMTHEME=qt6ct
xor_network -oscuro
long_run -oscuro
learning_views -oscuro
stop_program
rm -rf "$dark"
