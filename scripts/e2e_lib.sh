# Shared by the end-to-end scripts (sourced, not run): the tools they need, the program under
# test, and an X server on a display it picks itself. The sourcing script defines fail() and
# keeps its scratch folder in $work; server_pid is the running server's process.

# require_tools SCRIPT TOOL...: stops with a message naming the first tool that is missing.
require_tools() {
  local script=$1
  shift
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "$script: $tool is missing (scripts/setup.sh)" >&2; exit 1; }
  done
}

# require_program SCRIPT BINARY: the program and, beside it, the frame writer the checks compare
# against; sets frames to the writer's path.
require_program() {
  [ -x "$2" ] || { echo "$1: no program at $2" >&2; exit 1; }
  frames="$(dirname "$2")/lumivex_frames"
  [ -x "$frames" ] || { echo "$1: no frame writer at $frames" >&2; exit 1; }
}

# wait_for_display FIFO LOG: waits for a server started with -displayfd to name its display,
# then exports DISPLAY.
wait_for_display() {
  local deadline=$((SECONDS + 20))
  while [ ! -s "$1" ]; do
    kill -0 "$server_pid" 2>/dev/null || fail "the X server did not start: $(tail -n 5 "$2")"
    [ $SECONDS -lt $deadline ] || fail "the X server did not report its display"
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$1")"
}

# start_xvfb WIDTHxHEIGHTxDEPTH: a bare Xvfb on a free display. -br gives a black root window, so
# anything the program fails to cover shows up.
start_xvfb() {
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 "$1" -br -noreset -nolisten tcp 3>"$work/display" \
    2>"$work/server.log" &
  server_pid=$!
  wait_for_display "$work/display" "$work/server.log"
}

# stop_server_process: ends the server started last, if it still runs.
stop_server_process() {
  if [ -n "$server_pid" ] && kill -0 "$server_pid" 2>/dev/null; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  server_pid=""
}
