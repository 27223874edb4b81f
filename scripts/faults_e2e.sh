#!/usr/bin/env bash
# The real program under faults and load on Xvfb: the X server killed under it, key storms, a
# key held down, many runs in a row and two copies at once.
#
#   scripts/faults_e2e.sh [--full] [BINARY [CHECK...]]
#
# CHECK: lost-display, key-storm, held-key, many-runs, two-copies (default: all).
# Without --full the counts are cut down for the test command (scripts/test.sh); --full runs
# the 10,000-key storm and the 1,000 runs. BINARY defaults to build/lumivex; the XTest client
# is build/lumivex_keystorm. Exits non-zero on the first failed check.
#
# Sections (after the set-up): a lost display · key storms · many runs
set -euo pipefail

cd "$(dirname "$0")/.."
full=0
if [ "${1:-}" = "--full" ]; then
  full=1
  shift
fi
binary="${1:-build/lumivex}"
shift || true
checks=("$@")
[ ${#checks[@]} -gt 0 ] || checks=(lost-display key-storm held-key many-runs two-copies)
storm="$(dirname "$binary")/lumivex_keystorm"
# shellcheck source=scripts/e2e_lib.sh
. scripts/e2e_lib.sh
require_tools faults Xvfb xdotool import convert xset
[ -x "$binary" ] || { echo "faults: no program at $binary" >&2; exit 1; }

if [ $full -eq 1 ]; then
  storm_keys=10000 runs=1000
else
  storm_keys=2000 runs=10
fi
# FAULTS_STORM_KEYS and FAULTS_RUNS override the counts.
storm_keys=${FAULTS_STORM_KEYS:-$storm_keys}
runs=${FAULTS_RUNS:-$runs}

work="$(mktemp -d)"
server_pid=""
app_pid=""
section=""

cleanup() {
  stop_program
  stop_server_process
  rm -rf "$work"
}
trap cleanup EXIT

fail() { report_failure "faults FAILED ($section): $*" 40 "faults-$section"; }

# A fresh directory with a copy of the program: its settings file starts absent.
fresh_app() {
  rm -rf "$work/app"
  mkdir -p "$work/app" "$work/home" "$work/run"
  chmod 700 "$work/run"
  cp "$binary" "$work/app/lumivex"
  : >"$work/lumivex.log"
}

start_program() { # [DIRECTORY]
  local dir="${1:-$work/app}"
  (cd "$dir" && exec env HOME="$work/home" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=xcb \
    LC_ALL= LC_MESSAGES= LANG=C.UTF-8 ./lumivex --language en >>"$work/lumivex.log" 2>&1) &
  app_pid=$!
}

# Waits until the start screen's gray shows in the top-left corner.
wait_for_start_screen() {
  local deadline=$((SECONDS + 15))
  while :; do
    import -window root -depth 8 -crop 1x1+1+1 "$work/corner.ppm" 2>/dev/null &&
      [ "$(convert "$work/corner.ppm" -format '%[hex:p{0,0}]' info:)" = 808080 ] && return 0
    kill -0 "$app_pid" 2>/dev/null || fail "the program ended before showing its start screen"
    [ $SECONDS -lt $deadline ] || fail "timed out waiting for the start screen"
    sleep 0.1
  done
}

settings_position() { # FILE -> the position byte, after checking the file is whole
  local file="$1" size
  [ -f "$file" ] || fail "no settings file $file"
  size=$(stat -c %s "$file")
  [ "$size" -eq 45 ] || fail "$file has $size bytes, not 45"
  [ "$(od -An -v -tu1 -j1 -N1 "$file" | tr -d ' ')" = 43 ] || fail "$file: length byte is not 43"
  tail -c 43 "$file" | grep -Eq '^[01]{43}$' || fail "$file: the selection is not 43 ticks"
  od -An -v -tu1 -N1 "$file" | tr -d ' '
}

now_ms() { date +%s%3N; }

# --- a lost display ---------------------------------------------------------------------------

lost_display() { # SIGNAL: how the X server is ended
  section="lost display, X server ended with SIG$1"
  start_xvfb 1024x768x24
  fresh_app
  start_program
  wait_for_start_screen
  xdotool key --delay 20 Left Left Left
  sleep 0.5
  local killed
  killed=$(now_ms)
  kill -"$1" "$server_pid"
  wait "$server_pid" 2>/dev/null || true
  server_pid=""
  wait_for_status 5
  local took=$(($(now_ms) - killed))
  [ "$took" -le 1000 ] || fail "the program took $took ms to end"
  [ "$status" -eq 1 ] || fail "exit status $status, expected 1"
  grep -q "lumivex: the connection to the X display .* was lost" "$work/lumivex.log" ||
    fail "no message about the lost display on standard error"
  if grep -qi "core dumped\|Aborted" "$work/lumivex.log"; then
    fail "the program aborted"
  fi
  local position
  position=$(settings_position "$work/app/config.set")
  [ "$position" -eq 3 ] || fail "saved position $position, expected 3"
  [ -z "$(find "$work/app" -newer "$work/app/lumivex" -name 'config.set?*')" ] ||
    fail "temporary files left beside the settings: $(ls "$work/app")"
  pass "ended $took ms after the server, status 1, message: $(grep -m1 'lumivex:' "$work/lumivex.log")"
  pass "settings saved whole, position 3"
}


# No X server at all: a message and status 1, not an abort.
no_display() {
  section="no display"
  fresh_app
  status=0
  (cd "$work/app" && DISPLAY=:999 QT_QPA_PLATFORM=xcb ./lumivex --language en \
    >>"$work/lumivex.log" 2>&1) || status=$?
  [ "$status" -eq 1 ] || fail "exit status $status, expected 1"
  grep -q "lumivex: cannot open the X display :999" "$work/lumivex.log" || fail "no message"
  [ ! -e "$work/app/config.set" ] || fail "a settings file was written"
  pass "no X server: status 1, $(grep -m1 'lumivex:' "$work/lumivex.log")"
}

# --- key storms -------------------------------------------------------------------------------

# Waits until the program has used no processor time for half a second: the keys sent so far
# are handled.
wait_until_idle() {
  local before after deadline=$((SECONDS + 120))
  after=$(cpu_ticks)
  while :; do
    sleep 0.5
    before=$after
    after=$(cpu_ticks)
    [ "$before" != "$after" ] || return 0
    [ $SECONDS -lt $deadline ] || fail "the program kept busy for two minutes"
  done
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$app_pid/stat" 2>/dev/null || fail "the program ended"; }
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$app_pid/status"; }

key_storm() {
  section="key storm of $storm_keys keys"
  [ -x "$storm" ] || fail "no XTest client at $storm"
  start_xvfb 1024x768x24
  fresh_app
  start_program
  wait_for_start_screen
  local seed=20 first last started
  "$storm" storm $seed 0 100 >/dev/null
  wait_until_idle
  sleep 1.5 # the program gives freed memory back a second after the keys stop
  first=$(rss_kb)
  started=$(now_ms)
  expected=$("$storm" storm $seed 100 "$storm_keys")
  local sent_ms=$(($(now_ms) - started))
  wait_until_idle
  local handled_ms=$(($(now_ms) - started))
  sleep 1.5
  last=$(rss_kb)
  xdotool key Escape
  wait_for_status 10
  [ "$status" -eq 0 ] || fail "exit status $status"
  local position
  position=$(settings_position "$work/app/config.set")
  [ "$position" -eq "$expected" ] ||
    fail "saved position $position, the keys lead to $expected: a key was lost or doubled"
  local grown=$((last - first))
  [ "${grown#-}" -le 1024 ] || fail "resident memory went from $first kB to $last kB"
  pass "$storm_keys keys sent in $sent_ms ms, handled in $handled_ms ms; position $position as computed"
  pass "resident memory $first kB after 100 keys, $last kB after $storm_keys ($grown kB)"
  stop_server_process
}

held_key() {
  section="a key held down"
  [ -x "$storm" ] || fail "no XTest client at $storm"
  start_xvfb 1024x768x24
  xset r rate 250 20
  fresh_app
  start_program
  wait_for_start_screen
  # Short enough not to reach the last pattern: one step for every press the server delivers.
  local presses position
  presses=$("$storm" hold Left 1.2)
  wait_until_idle
  xdotool key Escape
  wait_for_status 10
  position=$(settings_position "$work/app/config.set")
  [ "$presses" -gt 5 ] || fail "the server repeated the key only $presses times"
  [ "$position" -eq "$presses" ] || fail "$presses presses moved the position to $position"
  pass "held 1.2 s: $presses presses (auto-repeat at 20/s), position $position"
  # Ten seconds: the position stops at the last pattern.
  start_program
  wait_for_start_screen
  presses=$("$storm" hold Left 10)
  wait_until_idle
  xdotool key Escape
  wait_for_status 10
  [ "$status" -eq 0 ] || fail "exit status $status"
  position=$(settings_position "$work/app/config.set")
  [ "$position" -eq 42 ] || fail "after $presses presses the position is $position, not 42"
  pass "held 10 s: $presses presses, position stops at 42"
  stop_server_process
}

# --- many runs --------------------------------------------------------------------------------

many_runs() {
  section="$runs runs in a row"
  start_xvfb 640x480x24
  fresh_app
  local run started=$SECONDS
  for ((run = 1; run <= runs; run++)); do
    start_program
    wait_for_start_screen
    # "-" steps on without stopping at the last pattern: the byte counts the runs (mod 256).
    xdotool key minus Escape
    wait_for_status 10
    [ "$status" -eq 0 ] || fail "run $run: exit status $status"
    local position
    position=$(settings_position "$work/app/config.set")
    [ "$position" -eq $((run % 256)) ] || fail "run $run saved position $position"
    local others
    others=$(ls -A "$work/app" | grep -v -x -e lumivex -e config.set || true)
    [ -z "$others" ] || fail "run $run left files beside the settings: $others"
  done
  pass "$runs runs in $((SECONDS - started)) s, each saved a whole file, no temporary files left"
  stop_server_process
}

two_copies() {
  section="two copies at once"
  start_xvfb 640x480x24
  fresh_app
  local round pids
  for round in 1 2 3 4 5; do
    start_program
    local a=$app_pid
    start_program
    local b=$app_pid
    wait_for_start_screen
    sleep 0.5
    kill -0 "$a" 2>/dev/null && kill -0 "$b" 2>/dev/null || fail "round $round: a copy did not stay up"
    # Both end at the same moment, as at a log-out, and save together.
    kill -TERM "$a" "$b"
    for pid in $a $b; do
      app_pid=$pid
      wait_for_status 10
      [ "$status" -eq 0 ] || fail "round $round: a copy ended with status $status"
    done
    settings_position "$work/app/config.set" >/dev/null
    local others
    others=$(ls -A "$work/app" | grep -v -x -e lumivex -e config.set || true)
    [ -z "$others" ] || fail "round $round left files beside the settings: $others"
  done
  # One after the other: each saves what it holds.
  start_program
  local first=$app_pid
  start_program
  local second=$app_pid
  wait_for_start_screen
  sleep 0.5
  local before
  before=$(settings_position "$work/app/config.set")
  xdotool key minus Escape
  # Whichever copy had the keyboard saved one more; the other saves what it loaded.
  local deadline=$((SECONDS + 10))
  while kill -0 "$first" 2>/dev/null && kill -0 "$second" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "neither copy ended on Escape"
    sleep 0.05
  done
  [ "$(settings_position "$work/app/config.set")" -eq $(((before + 1) % 256)) ] ||
    fail "the copy that ended did not save its position"
  kill -TERM "$first" "$second" 2>/dev/null || true
  for pid in $first $second; do
    app_pid=$pid
    wait_for_status 10
  done
  [ "$(settings_position "$work/app/config.set")" -eq "$before" ] ||
    fail "the second copy did not save its position"
  pass "5 rounds of two copies ending together, then one after the other: whole files, both saved"
  stop_server_process
}

for check in "${checks[@]}"; do
  echo "faults: $check"
  case $check in
  lost-display) lost_display KILL; lost_display TERM; no_display ;;
  key-storm) key_storm ;;
  held-key) held_key ;;
  many-runs) many_runs ;;
  two-copies) two_copies ;;
  *) echo "faults: unknown check $check" >&2; exit 2 ;;
  esac
done
