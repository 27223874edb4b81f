#!/usr/bin/env bash
# The Windows build under Wine, in a fresh Wine prefix (build-windows/wine): the unit and program
# tests, the end-to-end checks of lumivex.exe on Xvfb (scripts/e2e-windows.sh), the settings in
# %APPDATA% when the program's folder is not writable, and the installer, which must install and
# uninstall silently.
#
#   scripts/test-windows.sh [--log FILE] [WIDTHxHEIGHTxDEPTH ...]
#                                         (default 1920x1080x24 1024x768x24)
#
# With --log the whole output goes to FILE and only a summary (or, when a check fails, the end
# of the log) to the terminal, so that it can run in the background beside other checks: every
# X server it starts picks a free display with -displayfd.
#
# Builds what is missing first (scripts/build-windows.sh, and build/lumivex_frames for the Linux
# frames the end-to-end checks compare with). Runs as root; the check of an unwritable folder
# runs Wine as an unprivileged user and fails when it cannot.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --log ]; then
  log=$2
  shift 2
  mkdir -p "$(dirname "$log")"
  if ! "$0" "$@" >"$log" 2>&1; then
    tail -n 80 "$log"
    echo "the Windows checks failed; the whole log is $log" >&2
    exit 1
  fi
  grep -E '^(  ok|  made|  ran|  took|  end|test-windows|e2e-windows)' "$log"
  exit 0
fi
started=$SECONDS
scripts/build-windows.sh >/dev/null
if [ ! -x build/lumivex_frames ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j"$(nproc)" --target lumivex_frames
fi

build=build-windows
export WINEPREFIX="$PWD/$build/wine"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64

xvfb_pid=""
work=$(mktemp -d)
cleanup() {
  wineserver -k 2>/dev/null || true
  if [ -n "${user:-}" ]; then
    setpriv --reuid="$user" --regid="$user" --clear-groups env WINEPREFIX="$WINEPREFIX" \
      wineserver -k 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "test-windows FAILED: $*" >&2
  exit 1
}
pass() { echo "  ok: $*"; }

start_xvfb() {
  rm -f "$work/display"
  mkfifo "$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb_pid=$!
  local display
  read -r -t 10 display <"$work/display" || fail "Xvfb did not report its display"
  export DISPLAY=":$display"
}

# A fresh prefix each time: nothing of an earlier run can make a check pass.
echo "Wine prefix"
start_xvfb
rm -rf "$WINEPREFIX"
t=$SECONDS
wineboot -i >/dev/null 2>&1 || fail "wineboot could not make a prefix"
wineserver -w
# Wine's own fonts (fonts-wine) where Windows keeps its fonts: Debian's wineboot leaves
# C:\windows\Fonts empty, and without them the stock System font is not the bitmap font it is
# on Windows.
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
# No window manager runs on the X server, so Wine places and maps every window itself, as a
# bare Windows desktop would (Wine otherwise leaves full-screen windows to the window manager).
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 ||
  fail "cannot configure Wine's X11 driver"
wineserver -w
echo "  made in $((SECONDS - t)) s"

echo "Unit and program tests under Wine"
t=$SECONDS
wine "$build/lumivex_tests.exe" --gtest_brief=1 >"$work/tests.log" 2>&1 || {
  tail -n 60 "$work/tests.log"
  fail "the unit and program tests failed under Wine"
}
tail -n 3 "$work/tests.log"
wine "$build/lumivex_win32_tests.exe" --gtest_brief=1 >"$work/win32-tests.log" 2>&1 || {
  tail -n 60 "$work/win32-tests.log"
  fail "the Windows backend's tests failed under Wine"
}
tail -n 3 "$work/win32-tests.log"
echo "  ran in $((SECONDS - t)) s"

echo "The installer"
t=$SECONDS
setup=$(ls "$build"/lumivex-*-win64-setup.exe)
zip=$(ls "$build"/lumivex-*-win64.zip)
zip_names() { python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$1"; }
# Read the listing whole first: grep -q stops reading at the first match, and
# under pipefail the writer's broken pipe would fail the check.
names=$(zip_names "$zip")
grep -q '/lumivex.exe$' <<<"$names" || fail "the zip holds no lumivex.exe"
grep -q '/README.txt$' <<<"$names" || fail "the zip holds no README.txt"
wine "$setup" /S
wineserver -w
program_files="$WINEPREFIX/drive_c/Program Files/Lumivex"
start_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Lumivex.lnk"
for f in "$program_files/lumivex.exe" "$program_files/README.txt" "$program_files/uninstall.exe" \
  "$start_menu"; do
  [ -f "$f" ] || fail "the installer did not install $f"
done
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumivex' \
  /v DisplayVersion 2>/dev/null | grep -q DisplayVersion ||
  fail "the installer did not register the program for uninstalling"
pass "the installer put lumivex.exe under Program Files with a Start-menu entry"
# The installed program runs.
(cd "$program_files" && wine ./lumivex.exe --help >"$work/help.txt" 2>&1) ||
  fail "the installed lumivex.exe did not run"
grep -q -- --export-resources "$work/help.txt" || fail "the installed lumivex.exe printed no help"
wine "$program_files/uninstall.exe" /S
wineserver -w
[ ! -e "$program_files" ] || fail "the uninstaller left $program_files"
[ ! -e "$start_menu" ] || fail "the uninstaller left the Start-menu entry"
if wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumivex' \
  >/dev/null 2>&1; then
  fail "the uninstaller left the program's entry in the registry"
fi
pass "the uninstaller removed it all"
echo "  took $((SECONDS - t)) s"

kill "$xvfb_pid" 2>/dev/null || true
wait "$xvfb_pid" 2>/dev/null || true
xvfb_pid=""
wineserver -k 2>/dev/null || true
t=$SECONDS
scripts/e2e-windows.sh "$@"
echo "  end to end in $((SECONDS - t)) s"

# Last, as it hands the prefix to another user: a copy in a folder the user may not write to
# (as under Program Files) keeps its settings in %APPDATA%\Lumivex. Root writes everywhere, so
# Wine runs as an unprivileged user here; when it cannot, the check fails.
echo "Settings of a copy in a folder the user cannot write to"
t=$SECONDS
user=65534
start_xvfb
readonly_app="$work/readonly"
mkdir -p "$readonly_app" "$work/home"
cp "$build/lumivex.exe" "$readonly_app/"
chmod 755 "$work" "$readonly_app"
chown -R "$user:$user" "$WINEPREFIX" "$work/home"
as_user() {
  setpriv --reuid="$user" --regid="$user" --clear-groups \
    env HOME="$work/home" USER=lumivex-test WINEPREFIX="$WINEPREFIX" WINEDEBUG=-all \
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES" DISPLAY="$DISPLAY" "$@"
}
# Wine keeps a prefix's server in /tmp/wine-*/server-DEVICE-INODE and looks for it there: the
# folder root's server left for this prefix would refuse the unprivileged user, so it goes.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
server_dir="server-$(stat -c %D "$WINEPREFIX")-$(printf '%x' "$(stat -c %i "$WINEPREFIX")")"
for d in /tmp/wine-*/"$server_dir"; do
  if [ -d "$d" ] && [ "$(stat -c %u "$d")" = 0 ]; then
    rm -rf "$(dirname "$d")"
  fi
done
as_user true || fail "cannot run as an unprivileged user (setpriv)"
as_user test ! -w "$readonly_app" || fail "the unprivileged user can write to $readonly_app"
run_readonly_copy() { # KEYS...: starts the copy, sends the keys once it shows, ends it
  (cd "$readonly_app" && exec setpriv --reuid="$user" --regid="$user" --clear-groups \
    env HOME="$work/home" USER=lumivex-test WINEPREFIX="$WINEPREFIX" WINEDEBUG=-all \
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES" DISPLAY="$DISPLAY" wine ./lumivex.exe) &
  local pid=$! deadline=$((SECONDS + 60))
  until xdotool search --onlyvisible --classname 'lumivex.exe' >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || fail "the read-only copy did not start"
    [ $SECONDS -lt $deadline ] || fail "the read-only copy did not show its window"
    sleep 0.3
  done
  sleep 1
  for k in "$@" Escape; do
    xdotool key "$k"
    sleep 0.3
  done
  deadline=$((SECONDS + 20))
  while kill -0 "$pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "the read-only copy did not end"
    sleep 0.2
  done
  wait "$pid" || fail "the read-only copy ended with status $?"
}
run_readonly_copy 4
[ ! -e "$readonly_app/config.set" ] || fail "config.set appeared in the read-only folder"
appdata=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Roaming/Lumivex/config.set' | head -n1)
[ -n "$appdata" ] || fail "no config.set in the user's AppData\\Roaming\\Lumivex"
[ "$(od -An -tu1 -N1 "$appdata" | tr -d ' ')" = 4 ] || fail "the AppData settings lack position 4"
[ "$(stat -c %s "$appdata")" -eq 45 ] || fail "the AppData settings are not 45 bytes"
# The next start reads them back: ended at once, it saves the position it resumed.
run_readonly_copy
[ "$(od -An -tu1 -N1 "$appdata" | tr -d ' ')" = 4 ] || fail "the next start did not resume"
pass "config.set went to ${appdata#"$WINEPREFIX"/} and was read back"
as_user wineserver -k 2>/dev/null || true
echo "  took $((SECONDS - t)) s"

echo "test-windows passed in $((SECONDS - started)) s"
