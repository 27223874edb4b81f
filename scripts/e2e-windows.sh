#!/usr/bin/env bash
# End-to-end checks of the Windows program, lumivex.exe, under Wine on a bare X server (Xvfb, no
# window manager): keys sent with xdotool, the screen captured with ImageMagick.
#
#   scripts/e2e-windows.sh [WIDTHxHEIGHTxDEPTH ...]
#
# Needs build-windows/lumivex.exe and lumivex_frames.exe (scripts/build-windows.sh), the Linux
# frame writer build/lumivex_frames, and a Wine prefix in $WINEPREFIX (scripts/test-windows.sh
# makes a fresh one). Every frame of the walk through the patterns must equal the frame the
# headless program draws on Windows, pixel for pixel, and the Linux frame as well: everywhere
# when the frame has no text, outside the text when it has (the glyphs come from each
# platform's own fonts). Screenshots are kept in $E2E_SHOTS when that is set.
set -euo pipefail

#   Set-up and helpers      Wine, the X server, the program, the screen
#   Expected frames         both frame writers, the text masks, the comparisons
#   The checks              one run of the program after another, per screen size

cd "$(dirname "$0")/.."
build=build-windows
sizes=("$@")
if [ ${#sizes[@]} -eq 0 ]; then
  sizes=(1920x1080x24 1024x768x24)
fi
# shellcheck source=scripts/e2e_lib.sh
. scripts/e2e_lib.sh
require_tools e2e-windows Xvfb xdotool import convert compare wine wineserver winepath
for file in "$build/lumivex.exe" "$build/lumivex_frames.exe" build/lumivex_frames; do
  [ -e "$file" ] || { echo "e2e-windows: $file is missing" >&2; exit 1; }
done
[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] ||
  { echo "e2e-windows: WINEPREFIX names no Wine prefix" >&2; exit 1; }
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# --- Set-up and helpers ------------------------------------------------------------------------

work=""
server_pid=""
app_pid=""

cleanup() {
  stop_program
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  stop_server_process
  if [ -n "$work" ]; then
    if [ -n "${E2E_SHOTS:-}" ]; then
      mkdir -p "$E2E_SHOTS/$size"
      for f in "$work"/*.ppm; do
        [ -e "$f" ] && convert "$f" "$E2E_SHOTS/$size/$(basename "${f%.ppm}").png"
      done
    fi
    rm -rf "$work"
  fi
  work=""
}
trap cleanup EXIT

fail() { report_failure "e2e-windows FAILED ($size): $*" 40 "$size"; }

# The program in Chinese, its own language, by its option, as on Linux: a Chinese locale would
# also make Wine substitute other faces for Arial, and the frames would no longer be the frame
# writer's. ARGUMENTS after -- replace the option (the fourth run takes the language from the
# user's UI language, which Wine derives from the locale variables).
start_program() { # [VARIABLE=value ...] [-- ARGUMENTS ...]
  local vars=() args=(--language zh)
  while [ $# -gt 0 ] && [ "$1" != -- ]; do vars+=("$1"); shift; done
  [ $# -gt 0 ] && shift && args=("$@")
  (cd "$work/app" && exec env "${vars[@]}" wine ./lumivex.exe "${args[@]}" \
    >>"$work/lumivex.log" 2>&1) &
  app_pid=$!
}

start_screen_shown() { # NAME: the start screen's gray at the four corners covers the screen
  wait_for_pixel 1 1 808080 "the start screen" 30
  shot "$1"
  for corner in "1 1" "$((W - 2)) 1" "1 $((H - 2))" "$((W - 2)) $((H - 2))"; do
    # shellcheck disable=SC2086
    [ "$(pixel "$1" $corner)" = 808080 ] || fail "$1: corner ($corner) is not the start screen"
  done
}

window_named() { # NAME: the id of the visible X window with that title, or nothing
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true
}

window_shown() { [ -n "$(window_named "$1")" ]; }
window_gone() { [ -z "$(window_named "$1")" ]; }

wait_for_window() { # NAME
  wait_until 15 "no window '$1' appeared" window_shown "$1"
  sleep 0.5
}

wait_for_no_window() { # NAME
  wait_until 15 "the window '$1' did not close" window_gone "$1"
}

window_crop() { # NAME: the window's rectangle as a -crop geometry
  local id
  id=$(window_named "$1")
  eval "$(xdotool getwindowgeometry --shell "$id")"
  echo "${WIDTH}x${HEIGHT}+${X}+${Y}"
}

region_differs() { # NAME NAME GEOMETRY: how many pixels of the region differ between two shots
  compare -metric AE "$work/$1.ppm[$3]" "$work/$2.ppm[$3]" null: 2>&1 || true
}

# Shoots the screen as NAME until its region equals (or, with "differs", no longer equals) the
# one of shot REFERENCE: a dialog may still be painting its controls.
wait_for_region() { # NAME REFERENCE GEOMETRY equals|differs WHAT
  local deadline=$((SECONDS + 10)) differ
  while :; do
    shot "$1"
    differ=$(region_differs "$2" "$1" "$3")
    if [ "$4" = equals ] && [ "$differ" = 0 ]; then return 0; fi
    if [ "$4" = differs ] && [ "$differ" != 0 ]; then return 0; fi
    [ $SECONDS -lt $deadline ] || fail "$5 ($differ pixels differ)"
    sleep 0.3
  done
}

settings_are() { # POSITION SELECTION: the 45 bytes of config.set beside the .exe
  local file="$work/app/config.set"
  [ -f "$file" ] || fail "no config.set was written beside lumivex.exe"
  local bytes
  bytes=$(stat -c %s "$file")
  [ "$bytes" -eq 45 ] || fail "config.set has $bytes bytes, not 45"
  local got
  got=$(od -An -v -tu1 -N2 "$file" | tr -s ' ' | sed 's/^ //; s/ $//')
  [ "$got" = "$1 43" ] || fail "config.set starts with '$got', expected '$1 43'"
  got=$(tail -c 43 "$file")
  [ "$got" = "$2" ] || fail "config.set selection is '$got', expected '$2'"
  pass "config.set beside lumivex.exe holds position $1 and the selection"
}

# --- Expected frames ---------------------------------------------------------------------------

# Writes the walk's frames with both frame writers, as drawn and with the text as boxes and as
# nothing; frames whose text differs between the two platforms get a mask of where text is.
expected_frames() {
  local dir kind
  for kind in "" boxes none; do
    dir="$work/expected/linux${kind:+-$kind}"
    mkdir -p "$dir"
    build/lumivex_frames ${kind:+--text=$kind} "$W" "$H" "$dir" "${walk[@]}" ||
      fail "the Linux frame writer failed"
    dir="$work/expected/windows${kind:+-$kind}"
    mkdir -p "$dir"
    wine "$build/lumivex_frames.exe" ${kind:+--text=$kind} "$W" "$H" "$(winepath -w "$dir")" \
      "${walk[@]}" >>"$work/frames.log" 2>&1 || fail "the Windows frame writer failed"
  done
  local name text=()
  for step in "${walk[@]}"; do
    [[ $step == =* ]] || continue
    name=${step#=}
    local e="$work/expected"
    if cmp -s "$e/linux-boxes/$name.ppm" "$e/linux-none/$name.ppm" &&
      cmp -s "$e/windows-boxes/$name.ppm" "$e/windows-none/$name.ppm"; then
      continue # no text
    fi
    text+=("$name")
    # White where either platform draws text: where its boxes differ from its blank text.
    convert \( "$e/linux-boxes/$name.ppm" "$e/linux-none/$name.ppm" -compose difference \
      -composite \) \( "$e/windows-boxes/$name.ppm" "$e/windows-none/$name.ppm" \
      -compose difference -composite \) -compose lighten -composite -separate \
      -evaluate-sequence max -threshold 0 "$e/$name.mask.pgm" || fail "no text mask for $name"
  done
  echo "  frames with text: ${text[*]}"
}

# Waits until the screen equals the Windows frame NAME exactly, then compares it with the Linux
# frame: exactly, or outside the text mask when the frame has one.
frame_is() { # NAME
  local name=$1 e="$work/expected" deadline=$((SECONDS + 15)) differ
  while :; do
    shot "$name"
    differ=$(compare -metric AE "$work/$name.ppm" "$e/windows/$name.ppm" null: 2>&1 || true)
    [ "$differ" = 0 ] && break
    if [ $SECONDS -ge $deadline ]; then
      cp "$e/windows/$name.ppm" "$work/$name.expected.ppm"
      fail "$name: $differ pixels differ from the Windows frame"
    fi
    sleep 0.3
  done
  if [ -f "$e/$name.mask.pgm" ]; then
    # Both pictures black where the mask is white, then compared.
    local picture
    for picture in screen:"$work/$name.ppm" linux:"$e/linux/$name.ppm"; do
      convert "${picture#*:}" \( "$e/$name.mask.pgm" -negate \) -compose multiply -composite \
        "$work/masked-${picture%%:*}.ppm" || fail "$name: cannot mask the text"
    done
    differ=$(compare -metric AE "$work/masked-screen.ppm" "$work/masked-linux.ppm" null: 2>&1 ||
      true)
    [ "$differ" = 0 ] || fail "$name: $differ pixels outside the text differ from Linux"
  else
    differ=$(compare -metric AE "$work/$name.ppm" "$e/linux/$name.ppm" null: 2>&1 || true)
    [ "$differ" = 0 ] || fail "$name: $differ pixels differ from the Linux frame"
  fi
  if [ -z "${E2E_SHOTS:-}" ]; then
    rm -f "$work/$name.ppm"
  fi
}

# --- The checks --------------------------------------------------------------------------------

# shellcheck source=scripts/e2e_walk.sh
source scripts/e2e_walk.sh

all_on=$(printf '1%.0s' $(seq 43))
all_off=$(printf '0%.0s' $(seq 43))
only_pattern39="0001$(printf '0%.0s' $(seq 39))"

run_size() {
  screen_size "$size"
  echo "e2e-windows at $size"
  work=$(mktemp -d)
  mkdir -p "$work/app" "$work/expected"
  cp "$build/lumivex.exe" "$work/app/lumivex.exe"
  start_xvfb "$size"
  wineserver -k 2>/dev/null || true # a server of an earlier display knows another screen
  expected_frames

  # The monitors as the system enumerates them: Xvfb's one screen.
  local screens
  screens=$(cd "$work/app" && wine ./lumivex.exe --list-screens 2>&1) ||
    fail "--list-screens failed: $screens"
  grep -Eq "^0 +[^ ]+ +0 +0 +$W +$H +1(\.0+)? +yes" <<<"$screens" ||
    fail "--list-screens does not list the ${W}x$H screen as primary: $screens"
  if (cd "$work/app" && wine ./lumivex.exe --screen 1 >/dev/null 2>&1); then
    fail "--screen 1 started on a screen that does not exist"
  fi
  pass "--list-screens lists the screen; --screen refuses one that is not there"

  # First run, no settings file: the start screen covers the screen; every pattern.
  start_program
  start_screen_shown start
  local id
  id=$(xdotool search --onlyvisible --classname 'lumivex.exe' | head -n1)
  [ -n "$id" ] || fail "no visible program window"
  eval "$(xdotool getwindowgeometry --shell "$id")"
  [ "$X,$Y,$WIDTH,$HEIGHT" = "0,0,$W,$H" ] || fail "window at $X,$Y size ${WIDTH}x$HEIGHT"
  pass "the start screen covers the ${W}x$H screen"
  key F10
  key alt
  shot system_keys
  [ "$(pixel system_keys 1 1)" = 808080 ] || fail "F10 or Alt redrew the window"
  pass "F10 and Alt do not redraw"

  play_walk
  pass "all $shots frames of the walk equal the Windows and the Linux frames"
  key 5
  key Escape
  wait_for_exit 20
  pass "Escape ended the program"
  settings_are 5 "$all_on"

  # Second run: the position is resumed; the selection dialog, Tab order, Clear all, Enter.
  start_program
  start_screen_shown restart
  key shift # redraws without changing anything
  frame_is p5
  pass "the restart resumed at position 5"
  key Return
  wait_for_window '画面显示选项'
  local dialog
  dialog=$(window_crop '画面显示选项')
  shot dialog
  key Escape
  [ -n "$(window_named '画面显示选项')" ] || fail "Escape closed the selection dialog"
  # Clear all is the 40th control in the tab order, after 39 check boxes.
  for _ in $(seq 39); do xdotool key --delay 20 Tab; done
  sleep 0.3
  key space
  wait_for_region dialog_cleared dialog "$dialog" differs "Clear all changed nothing in the dialog"
  sleep 1 # all 43 boxes repainted
  shot dialog_cleared
  key Tab
  key Return
  wait_for_no_window '画面显示选项'
  start_screen_shown after_dialog
  pass "Tab reached Clear all, Enter closed the dialog ($dialog)"
  key 9 # the playlist holds pattern 0 alone: position 0
  frame_is p0
  pass "the playlist holds pattern 0 only"
  key Escape
  wait_for_exit 20
  settings_are 0 "$all_off"

  # Third run: the empty selection is resumed; the close box keeps the ticks; the About box.
  start_program
  start_screen_shown third
  key Return
  wait_for_window '画面显示选项'
  for _ in $(seq 39); do xdotool key --delay 20 Tab; done
  # The same boxes unticked and the focus on Clear all again: the same picture.
  wait_for_region dialog_empty dialog_cleared "$dialog" equals \
    "the dialog does not show the empty selection"
  key Tab   # the box of pattern 39, next in the tab order
  key space # ticks it
  eval "$(xdotool getwindowgeometry --shell "$(window_named '画面显示选项')")"
  # The close box sits at the right end of the title bar, which Wine draws inside the X window.
  xdotool mousemove $((X + WIDTH - 12)) $((Y + 10)) click 1
  wait_for_no_window '画面显示选项'
  start_screen_shown after_close_box
  pass "the close box closed the dialog"
  key alt+space
  sleep 1
  shot system_menu
  # The About item is followed by a separator and the one monitor's item (Wine adds an "About
  # Wine" item of its own further up): from the top, Up wraps to the monitor item, then About.
  key Up Up Return
  wait_for_window '关于 Lumivex'
  shot about
  pass "the system menu opened the About box"
  key Return
  wait_for_no_window '关于 Lumivex'
  key Escape
  wait_for_exit 20
  settings_are 0 "$only_pattern39"

  # Fourth run, without a settings file: asked to close by another program (taskkill sends
  # WM_CLOSE), it saves.
  # The user's UI language is German: the dialog's title is German; Enter keeps the selection.
  rm "$work/app/config.set"
  start_program LC_ALL=de_DE.UTF-8 --
  start_screen_shown fourth
  key Return
  wait_for_window 'Optionen der Bildanzeige'
  key Return
  wait_for_no_window 'Optionen der Bildanzeige'
  pass "the user's UI language chose the German texts"
  key 3
  wine taskkill /im lumivex.exe >/dev/null 2>&1 || true
  wait_for_exit 20
  pass "taskkill ended the program"
  settings_are 3 "$all_on"

  # Fifth run, at a scale of 150 % (144 dots per inch): the program is DPI-aware, so the window
  # still covers the screen's device pixels and a pattern is drawn one pixel per pixel.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 ||
    fail "cannot set the scale"
  wineserver -w
  start_program
  start_screen_shown scaled_start
  key 1
  frame_is p1
  key Escape
  wait_for_exit 20
  wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
  wineserver -w
  pass "at 144 dots per inch the frames are still the device pixels"

  cleanup
}

for size in "${sizes[@]}"; do
  run_size
done
echo "e2e-windows passed: ${sizes[*]}"
