#!/usr/bin/env bash
# End-to-end checks of the real program on a bare X server (Xvfb, no window manager): keys sent
# with xdotool, the screen captured with ImageMagick and checked pixel by pixel.
#
#   scripts/e2e.sh [BINARY] [WIDTHxHEIGHTxDEPTH ...]
#
# BINARY defaults to build/lumivex, the screen size to 1920x1080x24; each size given gets a
# server of its own. The binary runs from a copy in a temporary directory, so its settings file
# (config.set beside the executable) starts absent. Screenshots are kept in $E2E_SHOTS when that
# is set. The X server picks a free display number unless $E2E_DISPLAY names one;
# $E2E_XVFB_ARGS adds options of its own (e.g. "-extension MIT-SHM", to check the frames without
# shared memory). Exits non-zero on the first failed check.
#
# Sections: the X server and the program · the screen · the checks
set -euo pipefail

cd "$(dirname "$0")/.."
# shellcheck source=scripts/e2e_lib.sh
. scripts/e2e_lib.sh
require_tools e2e Xvfb xdotool xmessage import convert compare
binary="${1:-build/lumivex}"
require_program e2e "$binary"
shift || true
sizes=("$@")
if [ ${#sizes[@]} -eq 0 ]; then
  sizes=(1920x1080x24)
fi

work=""
server_pid=""
app_pid=""

cleanup() {
  stop_program
  stop_server_process
  if [ -n "$work" ]; then
    rm -rf "$work"
  fi
  work=""
}
trap cleanup EXIT

fail() { report_failure "e2e FAILED ($size): $*" 40 .; }

# --- the X server and the program -----------------------------------------------------------

# The program's own language, Chinese, by its option: a locale the system has not installed
# (zh_CN.UTF-8 on a bare CI machine) would leave the window titles' WM_NAME in the C locale,
# which xdotool cannot search by. in_english sets it aside to take the language from LANG.
program_args=(--language zh)

start_program() { # [VARIABLE=value ...] for the program's environment
  (cd "$work/app" && exec env HOME="$work/home" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=xcb \
    LC_ALL= LC_MESSAGES= LANG=C.UTF-8 "$@" ./lumivex "${program_args[@]}" \
    >>"$work/lumivex.log" 2>&1) &
  app_pid=$!
}

# --- the screen -------------------------------------------------------------------------------

start_screen_shown() {
  # The start screen's gray background at all four corners, inside its 5-pixel margin: the
  # window covers the screen (the root window is black).
  wait_for_pixel 1 1 808080 "the start screen"
  shot "$1"
  for corner in "1 1" "$((W - 2)) 1" "1 $((H - 2))" "$((W - 2)) $((H - 2))"; do
    # shellcheck disable=SC2086
    [ "$(pixel "$1" $corner)" = 808080 ] || fail "$1: corner ($corner) is not the start screen"
  done
}

# A part of the window that another window covered and uncovers is a paint the system asks for:
# that part shows the start screen, and the rest keeps the pattern (pattern 1: the last column
# white, the rest black).
uncover_part() {
  xmessage -geometry 300x200+100+100 covering >/dev/null 2>&1 &
  local cover=$!
  sleep 1
  kill "$cover"
  wait "$cover" 2>/dev/null || true
  # Inside what the other window covered, the screen is the start screen captured first.
  local area=280x180+110+110 deadline=$((SECONDS + 10)) differ
  convert "$work/start.ppm" -crop "$area" +repage "$work/start_part.ppm"
  while :; do
    shot uncovered
    convert "$work/uncovered.ppm" -crop "$area" +repage "$work/uncovered_part.ppm"
    differ=$(compare -metric AE "$work/uncovered_part.ppm" "$work/start_part.ppm" null: 2>&1 || true)
    [ "$differ" = 0 ] && break
    [ $SECONDS -lt $deadline ] || fail "the uncovered part is not the start screen ($differ pixels differ)"
    sleep 0.2
  done
  [ "$(pixel uncovered 50 50)" = 000000 ] || fail "the paint reached beyond the uncovered part"
  [ "$(pixel uncovered $((W - 1)) 50)" = FFFFFF ] || fail "the pattern was lost beside the paint"
  pass "an uncovered part of the window shows the start screen, the rest the pattern"
}

# Checks that the screen shows white in exactly the given columns, full height, on black.
white_columns_only() { # NAME COLUMN...
  local name=$1
  shift
  local expected_white=$((H * $#))
  local expected="FFFFFF*$expected_white"
  if [ $((W * H - expected_white)) -gt 0 ]; then
    expected="000000*$((W * H - expected_white)) $expected"
  fi
  local got
  got=$(colours "$name")
  [ "$got" = "$expected" ] || fail "$name: screen colours are '$got', expected '$expected'"
  for x in "$@"; do
    got=$(colours "$name" "1x$H+$x+0")
    [ "$got" = "FFFFFF*$H" ] || fail "$name: column $x is '$got', not white"
  done
  pass "$name: white in columns $* only"
}

# The walk through every pattern (the array walk).
# shellcheck source=scripts/e2e_walk.sh
source scripts/e2e_walk.sh

# Waits until the screen, captured as NAME, equals the picture in the file REFERENCE; the file
# goes once it has been matched.
screen_equals() { # NAME REFERENCE
  local deadline=$((SECONDS + 10)) differ
  while :; do
    shot "$1"
    differ=$(compare -metric AE "$work/$1.ppm" "$2" null: 2>&1 || true)
    if [ "$differ" = 0 ]; then
      if [ -z "${E2E_SHOTS:-}" ]; then
        rm -f "$work/$1.ppm" # some 6 MB at 1920 x 1080
      fi
      rm -f "$2"
      return 0
    fi
    if [ $SECONDS -ge $deadline ]; then
      cp "$2" "$work/$1.expected.ppm"
      fail "$1: $differ pixels differ from the expected picture"
    fi
    sleep 0.2
  done
}

# Waits until the screen equals the expected frame NAME of the walk.
frame_is() { # NAME
  screen_equals "$1" "$work/expected/$1.ppm"
}

walk_through_patterns() {
  rm -f "$work/app/config.set"
  mkdir -p "$work/expected"
  "$frames" "$W" "$H" "$work/expected" "${walk[@]}" || fail "the frame writer failed"
  start_program
  play_walk
  pass "all $shots frames of the walk through the patterns are pixel-exact"
  key Escape
  wait_for_exit 10
}

dialog_title='画面显示选项'

dialog_window() { # prints the id of the visible selection dialog, or nothing
  xdotool search --onlyvisible --name "^$dialog_title\$" 2>/dev/null | head -n1 || true
}

dialog_open() { [ -n "$(dialog_window)" ]; }
dialog_closed() { [ -z "$(dialog_window)" ]; }

wait_for_dialog() {
  wait_until 10 "the selection dialog did not open" dialog_open
  sleep 0.3
}


# Fails unless the two screens are equal outside the rectangle GEOMETRY (as for -crop).
outside_equal() { # NAME OTHER GEOMETRY
  local g=$3 w h x y differ
  w=${g%%x*} g=${g#*x}
  h=${g%%+*} g=${g#*+}
  x=${g%%+*} y=${g#*+}
  local mask=(-fill black -draw "rectangle $x,$y $((x + w - 1)),$((y + h - 1))")
  convert "$work/$1.ppm" "${mask[@]}" "$work/$1.masked.ppm"
  convert "$work/$2.ppm" "${mask[@]}" "$work/$2.masked.ppm"
  differ=$(compare -metric AE "$work/$1.masked.ppm" "$work/$2.masked.ppm" null: 2>&1 || true)
  rm -f "$work/$1.masked.ppm" "$work/$2.masked.ppm"
  [ "$differ" = 0 ] || fail "$1: $differ pixels outside $3 differ from $2"
}

dialog_crop() { # the dialog's rectangle as a -crop geometry
  local id
  id=$(dialog_window)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  echo "${WIDTH}x${HEIGHT}+${X}+${Y}"
}

settings_are() { # POSITION SELECTION: the 45 bytes of config.set
  local file="$work/app/config.set"
  [ -f "$file" ] || fail "no config.set was written"
  local size
  size=$(stat -c %s "$file")
  [ "$size" -eq 45 ] || fail "config.set has $size bytes, not 45"
  local got expected
  got=$(od -An -v -tu1 -N2 "$file" | tr -s ' ' | sed 's/^ //; s/ $//')
  expected="$1 43"
  [ "$got" = "$expected" ] || fail "config.set starts with '$got', expected '$expected'"
  got=$(tail -c 43 "$file")
  [ "$got" = "$2" ] || fail "config.set selection is '$got', expected '$2'"
  pass "config.set holds position $1 and the selection"
}

# --- the checks -------------------------------------------------------------------------------

# The first run's keys again with the locale English, and no settings file: the selection
# dialog's title is the English caption, its boxes tick and untick, and the settings file ends up
# the same 45 bytes.
in_english() {
  rm -f "$work/app/config.set"
  program_args=()
  start_program LANG=en_US.UTF-8
  program_args=(--language zh)
  wait_for_pixel 1 1 808080 "the start screen in English"
  key Left
  key Right
  dialog_title='Picture display options'
  key Return
  wait_for_dialog
  local id title
  id=$(dialog_window)
  title=$(xdotool getwindowname "$id")
  [ "$title" = "$dialog_title" ] || fail "the English dialog's title is '$title'"
  [ "$(xprop -id "$id" _NET_WM_NAME)" = "_NET_WM_NAME(UTF8_STRING) = \"$dialog_title\"" ] ||
    fail "the English dialog's _NET_WM_NAME is $(xprop -id "$id" _NET_WM_NAME)"
  pass "the selection dialog's title is '$title'"
  # The dialog alone: cheaper to capture than the screen.
  local shots=() name
  for name in english_dialog english_unticked english_ticked english_unticked_again; do
    [ ${#shots[@]} -eq 0 ] || key space
    import -window "$id" -depth 8 "$work/$name.ppm"
    shots+=("$work/$name.ppm")
  done
  key Escape
  [ -n "$(dialog_window)" ] || fail "Escape closed the English dialog"
  ! same "${shots[0]}" "${shots[1]}" || fail "Space did not untick the first box"
  same "${shots[0]}" "${shots[2]}" || fail "Space did not tick the first box again"
  same "${shots[1]}" "${shots[3]}" || fail "Space did not untick the first box a second time"
  pass "the English dialog's first box unticks, ticks and unticks"
  key Return
  wait_until 10 "the selection dialog did not close" dialog_closed
  dialog_title='画面显示选项'
  wait_for_pixel 1 1 808080 "the start screen after the English dialog"
  key Up
  key Left
  key Escape
  wait_for_exit 10
  cmp -s "$work/app/config.set" "$work/config.chinese" ||
    fail "config.set after the English run differs from the Chinese run's"
  pass "the English run saved the same 45 bytes as the Chinese one"
}

all_on=$(printf '1%.0s' $(seq 43))
pattern0_off="$(printf '1%.0s' $(seq 42))0"

# Frames go to the server through a shared-memory surface when the server offers MIT-SHM, and
# through Qt's own window buffer when it does not: each way must show the same frames.
shared=no
presentation_path() {
  shared=no
  if grep -q 'memfd:lumivex-surface' "/proc/$app_pid/maps" 2>/dev/null; then
    shared=yes
  fi
  if [[ " ${E2E_XVFB_ARGS:-} " == *" -extension MIT-SHM "* ]]; then
    [ $shared = no ] || fail "the surface is in shared memory though the server has no MIT-SHM"
    pass "without MIT-SHM the frames go through Qt's window buffer"
  else
    [ $shared = yes ] || fail "the surface is not in memory shared with the server"
    pass "the surface is in memory shared with the server"
  fi
}

run_size() {
  screen_size "$size"
  echo "e2e at $size"
  work=$(mktemp -d)
  mkdir -p "$work/app" "$work/home" "$work/run"
  chmod 700 "$work/run"
  cp "$binary" "$work/app/lumivex"
  start_xvfb "$size"

  # First run, no settings file.
  start_program
  start_screen_shown start
  local id
  id=$(xdotool search --onlyvisible --classname lumivex | head -n1)
  [ -n "$id" ] || fail "no visible program window"
  eval "$(xdotool getwindowgeometry --shell "$id")"
  [ "$X,$Y,$WIDTH,$HEIGHT" = "0,0,$W,$H" ] || fail "window at $X,$Y size ${WIDTH}x$HEIGHT"
  pass "the start screen covers the ${W}x$H screen"
  presentation_path

  key F10
  key alt
  shot system_keys
  [ "$(pixel system_keys 1 1)" = 808080 ] || fail "F10 or Alt redrew the window"
  pass "F10 and Alt do not redraw"

  key Left
  shot pattern1
  white_columns_only pattern1 $((W - 1))
  # Qt's window buffer answers the server's exposures itself, without a paint of the program's.
  if [ $shared = yes ]; then
    uncover_part
  fi
  key Right
  shot pattern0
  white_columns_only pattern0 0

  # Behind the selection dialog the pattern shown when Enter was pressed stays, pixel for
  # pixel: opening a modal dialog repaints nothing of the main window.
  key 8
  shot before_dialog
  [ "$(pixel before_dialog 1 1)" != 808080 ] || fail "pattern 8 did not replace the start screen"
  key Return
  wait_for_dialog
  sleep 0.5 # time for any repaint the opening might have set off
  shot dialog
  local crop
  crop=$(dialog_crop)
  pass "the selection dialog opened ($crop)"
  outside_equal dialog before_dialog "$crop"
  pass "outside the dialog the screen still shows pattern 8"
  key Escape
  [ -n "$(dialog_window)" ] || fail "Escape closed the selection dialog"
  pass "Escape leaves the dialog open"
  key space
  shot dialog_unticked
  [ "$(colours dialog "$crop")" != "$(colours dialog_unticked "$crop")" ] ||
    fail "Space changed nothing in the dialog"
  key Return
  wait_until 10 "the selection dialog did not close" dialog_closed
  start_screen_shown after_dialog
  cp "$work/start.ppm" "$work/start_again.ppm"
  screen_equals after_dialog "$work/start_again.ppm"
  pass "Enter closed the dialog and the whole start screen shows again"

  # Position 0 of the new playlist is pattern 1; Up redraws without moving.
  key Up
  shot position0
  white_columns_only position0 $((W - 1))
  key Left
  shot position1
  white_columns_only position1 0 $((W - 1))
  key Escape
  wait_for_exit 10
  pass "Escape ended the program"
  settings_are 1 "$pattern0_off"
  cp "$work/app/config.set" "$work/config.chinese"

  in_english

  # Second run: the position is resumed; Alt+F4 closes the dialog and keeps its ticks.
  start_program
  start_screen_shown restart
  key Up
  shot resumed
  white_columns_only resumed 0 $((W - 1))
  key Return
  wait_for_dialog
  key space
  key alt+F4
  wait_until 10 "the selection dialog did not close" dialog_closed
  pass "Alt+F4 closed the dialog"
  start_screen_shown after_alt_f4
  key Up
  shot all_enabled
  white_columns_only all_enabled 0

  # Asked to end by the system, it saves as on Escape.
  kill -TERM "$app_pid"
  wait_for_exit 10
  pass "SIGTERM ended the program"
  settings_are 0 "$all_on"

  # Qt scaling everything by 2 changes nothing on the screen: one surface pixel per device
  # pixel, the window still the screen's size.
  start_program QT_SCALE_FACTOR=2
  start_screen_shown scaled_start
  key Left
  shot scaled_pattern1
  white_columns_only scaled_pattern1 $((W - 1))
  key Escape
  wait_for_exit 10

  # Every pattern, with the gray level, step count and labels changed where they show.
  walk_through_patterns

  if [ -n "${E2E_SHOTS:-}" ]; then
    mkdir -p "$E2E_SHOTS/$size"
    for f in "$work"/*.ppm; do
      convert "$f" "$E2E_SHOTS/$size/$(basename "${f%.ppm}").png"
    done
  fi
  cleanup
}

for size in "${sizes[@]}"; do
  run_size
done
echo "e2e passed: ${sizes[*]}"
