#!/usr/bin/env bash
# End-to-end checks of the program on a reading-room desk:
#   - two monitors of a real X server (Xorg with the dummy video driver and two RandR outputs):
#     --list-screens, --screen, restore + drag + maximise, the system menu's monitor list, a
#     monitor unplugged while the program runs;
#   - resolution and orientation changes while it runs (Xvfb resized with xrandr);
#   - keyboard layouts (setxkbmap us, fr, de): the digit row by position, the keypad with and
#     without Num Lock, the +/= and - keys of each layout.
# Frames are compared pixel for pixel with what build/lumivex_frames writes for the same keys.
#
#   scripts/e2e_desk.sh [BINARY] [STAGE...]
#
# STAGE is two_monitors, resolution_changes or keyboard_layouts; all three by default.
#
# Sections: servers and the program · the screen · two monitors · resolution and orientation
# changes · keyboard layouts
set -euo pipefail

cd "$(dirname "$0")/.."
# shellcheck source=scripts/e2e_lib.sh
. scripts/e2e_lib.sh
require_tools e2e-desk Xvfb Xorg xdotool xrandr setxkbmap import convert compare
binary="${1:-build/lumivex}"
require_program e2e-desk "$binary"
shift || true
stages=("$@")
if [ ${#stages[@]} -eq 0 ]; then
  stages=(two_monitors resolution_changes keyboard_layouts)
fi

work=$(mktemp -d)
mkdir -p "$work/app" "$work/run" "$work/expected"
chmod 700 "$work/run"
cp "$binary" "$work/app/lumivex"
server_pid=""
app_pid=""
stage=""

stop_server() {
  stop_program
  stop_server_process
}

cleanup() {
  stop_server
  rm -rf "$work"
}
trap cleanup EXIT

fail() { report_failure "e2e-desk FAILED ($stage): $*" 20 desk; }

# --- servers and the program ------------------------------------------------------------------

# Xorg with the dummy driver: every output a RandR monitor of its own, as on a real desk.
start_xorg_dummy() {
  cat >"$work/xorg.conf" <<'EOF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0 - 1000.0
  VertRefresh 5.0 - 200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 3200 1536
  EndSubSection
EndSection
EOF
  rm -f "$work/display"
  Xorg -displayfd 3 -config "$work/xorg.conf" -logfile "$work/xorg.log" -br -noreset \
    -nolisten tcp -novtswitch -sharevts 3>"$work/display" 2>"$work/server.log" &
  server_pid=$!
  wait_for_display "$work/display" "$work/server.log"
}

# A mode of exactly WIDTHxHEIGHT for an output (the test servers have no real timings).
add_mode() { # OUTPUT WIDTHxHEIGHT
  local w=${2%x*} h=${2#*x}
  xrandr --newmode "$2" 1 "$w" "$w" "$w" "$w" "$h" "$h" "$h" "$h" 2>/dev/null || true
  xrandr --addmode "$1" "$2"
}

start_program() { # ARGS...
  rm -f "$work/lumivex.log"
  (cd "$work/app" && exec env HOME="$work" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=xcb \
    ./lumivex "$@" >>"$work/lumivex.log" 2>&1) &
  app_pid=$!
}

end_program() {
  xdotool key Escape
  wait_for_exit 10
}

# --- the screen -------------------------------------------------------------------------------

# Waits until the region GEOMETRY of the screen equals the picture in REFERENCE.
region_equals() { # NAME GEOMETRY REFERENCE
  local deadline=$((SECONDS + 30)) differ
  while :; do
    shot "$1"
    convert "$work/$1.ppm" -crop "$2" +repage "$work/$1.crop.ppm"
    differ=$(compare -metric AE "$work/$1.crop.ppm" "$3" null: 2>&1 || true)
    [ "$differ" = 0 ] && return 0
    [ $SECONDS -lt $deadline ] || fail "$1: $differ pixels differ from $(basename "$3")"
    sleep 0.2
  done
}

window_geometry() { # prints X,Y,WIDTH,HEIGHT of the program's window
  local id
  id=$(xdotool search --onlyvisible --classname lumivex | head -n1)
  [ -n "$id" ] || { echo none; return; }
  eval "$(xdotool getwindowgeometry --shell "$id")"
  echo "$X,$Y,$WIDTH,$HEIGHT"
}

wait_for_geometry() { # X,Y,WIDTH,HEIGHT WHAT
  local deadline=$((SECONDS + 10))
  while [ "$(window_geometry)" != "$1" ]; do
    [ $SECONDS -lt $deadline ] || fail "$2: the window is at $(window_geometry), not $1"
    sleep 0.1
  done
}

# --- two monitors -----------------------------------------------------------------------------

two_monitors() {
  stage="two monitors (Xorg, dummy driver)"
  echo "e2e-desk: $stage"
  start_xorg_dummy
  add_mode DUMMY0 1920x1080
  add_mode DUMMY1 1280x1024
  xrandr --output DUMMY0 --mode 1920x1080 --primary --output DUMMY1 --mode 1280x1024 \
    --right-of DUMMY0
  local monitors
  monitors=$(xrandr --listmonitors | head -n1)
  [ "$monitors" = "Monitors: 2" ] || fail "the server shows '$monitors'"

  local listed
  listed=$(cd "$work/app" && QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/run" ./lumivex \
    --list-screens 2>/dev/null | tr -s ' ')
  [ "$listed" = "$(printf '%s\n' '# name x y width height scale primary' \
    '0 DUMMY0 0 0 1920 1080 1 yes' '1 DUMMY1 1920 0 1280 1024 1 no')" ] ||
    fail "--list-screens printed: $listed"
  pass "--list-screens lists both monitors"

  local status=0 err
  err=$(cd "$work/app" && QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/run" ./lumivex \
    --screen DUMMY7 2>&1 >/dev/null) || status=$?
  [ "$status" = 2 ] || fail "--screen DUMMY7 ended with $status, not 2"
  echo "$err" | grep -q "DUMMY1 *1920" || fail "--screen DUMMY7 did not list the monitors: $err"
  [ ! -e "$work/app/config.set" ] || fail "--screen DUMMY7 wrote the settings file"
  pass "an unknown --screen ends with 2, lists the monitors and leaves the settings alone"

  "$frames" 1920 1080 "$work/expected" =start1920 >/dev/null || fail "the frame writer failed"
  "$frames" 1280 1024 "$work/expected" =start1280 >/dev/null || fail "the frame writer failed"
  start_program --screen 1
  wait_for_geometry 1920,0,1280,1024 "--screen 1"
  region_equals screen1 1280x1024+1920+0 "$work/expected/start1280.ppm"
  [ "$(colours screen1 1920x1080+0+0)" = "000000*2073600" ] ||
    fail "something was drawn on the other monitor"
  xdotool key Left
  sleep 0.3
  shot pattern1
  [ "$(colours pattern1 1x1024+3199+0)" = "FFFFFF*1024" ] ||
    fail "pattern 1's column is not at the monitor's right edge"
  [ "$(colours pattern1 3199x1080+0+0)" = "000000*3454920" ] ||
    fail "pattern 1 drew more than its column"
  pass "--screen 1 covers exactly the second monitor, pattern 1 at its right edge"

  # Restored, the window sits at the template's place on its monitor; dragged to the left
  # monitor, the next double-click maximises it there.
  xdotool mousemove 1940 20 click --repeat 2 --delay 80 1
  local restored
  local deadline=$((SECONDS + 10))
  while :; do
    restored=$(window_geometry)
    [ "${restored%%,*}" = 1920 ] && [ "${restored##*,}" != 1024 ] && break
    [ $SECONDS -lt $deadline ] || fail "the double-click did not restore ($restored)"
    sleep 0.1
  done
  xdotool mousemove 1940 20 mousedown 1
  sleep 0.2
  xdotool mousemove 1400 300
  sleep 0.2
  xdotool mousemove 800 500
  sleep 0.2
  xdotool mouseup 1
  sleep 0.3
  xdotool mousemove 810 510 click --repeat 2 --delay 80 1
  wait_for_geometry 0,0,1920,1080 "drag and double-click"
  region_equals maximised_left 1920x1080+0+0 "$work/expected/start1920.ppm"
  pass "restore, drag to the other monitor and double-click maximise the window there"

  # The system menu's monitor items: Alt+Space, then the item's mnemonic.
  xdotool key alt+space
  sleep 0.5
  xdotool key 1
  wait_for_geometry 1920,0,1280,1024 "the system menu's second monitor"
  region_equals menu_moved 1280x1024+1920+0 "$work/expected/start1280.ppm"
  pass "the system menu moves the window to the monitor chosen"

  # Unplugged: the window goes to the primary monitor and repaints the start screen there.
  xrandr --output DUMMY1 --off
  wait_for_geometry 0,0,1920,1080 "the monitor unplugged"
  region_equals unplugged 1920x1080+0+0 "$work/expected/start1920.ppm"
  pass "a window whose monitor is unplugged moves to the primary one"
  end_program
  stop_server
}

# --- resolution and orientation changes -----------------------------------------------------------

resolution_changes() {
  stage="resolution changes (Xvfb)"
  echo "e2e-desk: $stage"
  start_xvfb 3840x3840x24
  local m
  for m in 3840x2160 1920x1080 2160x3840; do
    add_mode screen "$m"
  done
  xrandr --fb 3840x2160 --output screen --mode 3840x2160
  "$frames" 3840 2160 "$work/expected" =start Left =p1 >/dev/null
  "$frames" 1920 1080 "$work/expected" =start1920 Left Left =p2_1920 >/dev/null
  local to14=()
  for _ in $(seq 11); do
    to14+=(Left)
  done
  "$frames" 2160 3840 "$work/expected" =start2160 Left Left Left =p3_2160 "${to14[@]}" \
    =p14_2160 >/dev/null
  rm -f "$work/app/config.set"
  start_program
  region_equals start 3840x2160+0+0 "$work/expected/start.ppm"
  xdotool key Left
  region_equals p1 3840x2160+0+0 "$work/expected/p1.ppm"
  xrandr --fb 1920x1080 --output screen --mode 1920x1080
  region_equals start1920 1920x1080+0+0 "$work/expected/start1920.ppm"
  xdotool key Left
  region_equals p2_1920 1920x1080+0+0 "$work/expected/p2_1920.ppm"
  pass "3840x2160 to 1920x1080: the start screen, then the next pattern, at the new size"
  xrandr --fb 2160x3840 --output screen --mode 2160x3840
  region_equals start2160 2160x3840+0+0 "$work/expected/start2160.ppm"
  xdotool key Left
  region_equals p3_2160 2160x3840+0+0 "$work/expected/p3_2160.ppm"
  pass "to portrait 2160x3840: the start screen, then the next pattern, at the new size"
  xdotool key --delay 60 "${to14[@]}"
  region_equals p14_2160 2160x3840+0+0 "$work/expected/p14_2160.ppm"
  pass "the TG18-QC pattern picks its portrait image after the change"
  end_program
  rm -f "$work"/expected/*.ppm "$work"/*.ppm
  stop_server
}

# --- keyboard layouts -------------------------------------------------------------------------

# XKB keycodes: the digit row 1 ... 9, 0 and the keypad 0 ... 9.
digit_row=(19 10 11 12 13 14 15 16 17 18)
keypad=(90 87 88 89 83 84 85 79 80 81)

expect_position() { # KEYCODE POSITION WHAT
  xdotool key "$1"
  region_equals "key$1" "${W}x${H}+0+0" "$work/expected/p$2.ppm"
  if [ -n "${3:-}" ]; then
    pass "$3"
  fi
}

keyboard_layouts() {
  W=800 H=600
  stage="keyboard layouts (Xvfb)"
  echo "e2e-desk: $stage"
  start_xvfb "${W}x${H}x24"
  local args=(=start) p
  for p in 0 1 2 3 4 5 6 7 8 9; do
    args+=("$p" "=p$p")
  done
  "$frames" "$W" "$H" "$work/expected" "${args[@]}" >/dev/null
  local layout
  for layout in us fr de; do
    stage="keyboard layout $layout"
    setxkbmap "$layout"
    rm -f "$work/app/config.set"
    start_program
    region_equals "start_$layout" "${W}x${H}+0+0" "$work/expected/start.ppm"
    for p in 1 2 3 4 5 6 7 8 9 0; do
      expect_position "${digit_row[$p]}" "$p"
    done
    pass "$layout: every key of the digit row selects its position"
    # Num Lock is off when the server starts; the keypad keeps its codes either way.
    for p in 1 2 3 4 5 6 7 8 9 0; do
      expect_position "${keypad[$p]}" "$p"
    done
    xdotool key Num_Lock
    for p in 9 0 5; do
      expect_position "${keypad[$p]}" "$p"
    done
    xdotool key Num_Lock
    expect_position 63 5 "$layout: keypad digits with and without Num Lock; keypad * is not 8"
    expect_position 86 4
    expect_position 82 5 "$layout: keypad + and - step back and on"
    case "$layout" in
      us) expect_position 21 4 && expect_position 20 5 "us: = and - step back and on" ;;
      fr) expect_position 21 4 "fr: the = key steps back"
          expect_position 15 6 "fr: the 6 key, which types -, selects position 6" ;;
      de) expect_position 35 4 && expect_position 61 5 "de: the + and - keys step back and on" ;;
    esac
    end_program
  done
  setxkbmap us
  stop_server
}

for stage_function in "${stages[@]}"; do
  case "$stage_function" in
    two_monitors | resolution_changes | keyboard_layouts) "$stage_function" ;;
    *) echo "e2e-desk: no stage '$stage_function'" >&2; exit 2 ;;
  esac
done
echo "e2e-desk passed"
