#!/usr/bin/env bash
# Runs both programs on virtual screens of 800, 1024 and 1152 pixels, of
# 2048 pixels at twice the size, and of 1920 and 3840 pixels (where the 1152
# layout is zoomed), walks what a pupil meets and keeps one picture per state.
#   scripts/tour.sh [picture folder] [build folder]
# Needs xvfb, xdotool and imagemagick (scripts/install-deps.sh).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$here/build/tour}")"
build="$(realpath -m "${2:-$here/build}")"
[ -x "$build/Kinetra" ] && [ -x "$build/Arxius_models/Concentracio" ] || "$here/scripts/build.sh" "$build"
mkdir -p "$out"

# Screen and scale factor; TOUR_SCREENS="800x600:1 2048x1536:2" takes fewer.
read -r -a screens <<<"${TOUR_SCREENS:-800x600:1 1024x768:1 1152x864:1 2048x1536:2 1920x1080:1 3840x2160:1}"
# The height of the menu bar in pixels before scaling.
menuBar=21

xvfb_pid=""
app_pid=""
runtime="$(mktemp -d)"
stop() {
  [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
  [ -z "$app_pid" ] || wait "$app_pid" 2>/dev/null || true
  app_pid=""
}
finish() {
  stop
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$runtime"
}
trap finish EXIT

free_display() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  echo ":$n"
}

shot() { import -window root "$out/$prefix-$1.png"; }
settle() { sleep "${1:-0.7}"; }
keys() { xdotool key --clearmodifiers "$@"; settle; }

# Pixel of a point given in the model's twips inside its client area.
at() {
  local x=$1 y=$2
  awk -v x="$x" -v y="$y" -v s="$scale" -v z="$zoom" -v q="$factor" -v m="$menuBar" \
    'BEGIN { printf "%d %d", x * s / 15 * z * q, (y * s / 15 + m) * z * q }'
}
click() { xdotool mousemove $(at "$1" "$2") click "${3:-1}"; settle; }
typeInto() { click "$1" "$2"; xdotool type --delay 30 "$3"; settle; }

# The item at `down` in the menu opened by Alt+`letter`.
menuItem() {
  xdotool key --clearmodifiers "alt+$1"
  settle 0.3
  local i
  for ((i = 0; i < $2; i++)); do xdotool key Down; done
  keys Return
}

waitFor() { timeout "${2:-30}" xdotool search --sync --onlyvisible --name "$1" | head -1; }

model() {
  (cd "$build" && exec env XDG_RUNTIME_DIR="$runtime" QT_SCALE_FACTOR="$factor" Arxius_models/Concentracio) &
  app_pid=$!
  local window
  window="$(waitFor "Concentracions de les dissolucions")"
  xdotool mousemove 5 5 windowfocus --sync "$window"
  settle 1.5
  shot model-rest
  xdotool key --clearmodifiers alt+o
  settle
  shot model-menu-concentracio
  keys Escape
  local names=(tant-per-cent grams-per-litre molaritat molalitat fraccio-molar) i
  for i in 0 1 2 3 4; do
    menuItem o "$i"
    shot "model-data-${names[$i]}"
    menuItem o "$i"
  done
  # Molaritat, then 10 g of solute in 100 cm3, molar mass 58.44: " 1.711".
  # Boxes: frame (5000, 2000) + box (3840, y) + half a box (847, 187).
  menuItem o 2
  typeInto 9687 2547 10
  typeInto 9687 3507 100
  typeInto 9687 4467 58.44
  shot model-result-button
  click 4607 9367
  shot model-results
  menuItem o 5
  typeInto 9687 3027 90
  typeInto 9687 4947 18
  shot model-all
  click 9687 2547 3
  shot model-context-menu
  keys Escape
  menuItem c 1
  shot model-frozen
  menuItem c 1
  keys alt+j
  settle 1
  shot model-help
  xprop -id "$(waitFor '^Ajuda')" WM_NAME >>"$out/$prefix-titles.txt"
  stop
}

launcher() {
  (cd "$build" && exec env XDG_RUNTIME_DIR="$runtime" QT_SCALE_FACTOR="$factor" ./Kinetra) &
  app_pid=$!
  waitFor Tavirel >/dev/null
  settle 9
  shot launcher-calibration-half
  settle 8
  shot launcher-calibration-end
  local window
  # The menu window replaces the calibration window when the run ends.
  sleep 6
  window="$(waitFor Tavirel)"
  xdotool mousemove 5 5 windowfocus --sync "$window"
  settle 1
  shot launcher-rest
  xdotool key --clearmodifiers alt+o
  settle
  shot launcher-menu-opcions
  keys Right Right Return
  shot launcher-recomanacions
  xdotool key --clearmodifiers alt+o
  settle 0.3
  keys Right Right Right Return
  shot launcher-sobre
  stop
}

for screen in "${screens[@]}"; do
  size=${screen%:*}
  factor=${screen#*:}
  width=${size%x*}
  logical=$((width / factor))
  height=${size#*x}
  scale=$(awk -v w="$logical" 'BEGIN { print (w * 15 > 16000) ? 1.125 : (w * 15 < 14000) ? 0.78125 : 1 }')
  # Above 1152 pixels the 1152 layout is zoomed to fit the screen.
  zoom=$(awk -v w="$logical" -v h="$((height / factor))" \
    'BEGIN { z = (w / 1152 < h / 864) ? w / 1152 : h / 864; print (w > 1152 && z > 1) ? z : 1 }')
  prefix="$size"
  display="$(free_display)"
  Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY="$display"
  timeout 10 sh -c 'until xdpyinfo >/dev/null 2>&1 || xdotool getmouselocation >/dev/null 2>&1; do sleep 0.2; done'
  : >"$out/$prefix-titles.txt"
  launcher
  model
  kill "$xvfb_pid"
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
done
echo "pictures in $out"
