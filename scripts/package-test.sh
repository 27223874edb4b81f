#!/usr/bin/env bash
# The Debian package as a user gets it. Builds it (scripts/package.sh), checks it with lintian,
# desktop-file-validate and appstreamcli, installs it with apt-get (which also proves that its
# dependencies resolve), starts the installed program from its desktop entry's command under
# Xvfb as an ordinary user with a fresh home folder, presses keys, checks the settings file in
# ~/.config/lumivex and that a second run resumes there, and removes the package again.
#
#   scripts/package-test.sh          the release package (scripts/package.sh)
#   scripts/package-test.sh DIR      the package of the build tree DIR (scripts/package.sh DIR)
#
# As root: it installs and removes the package.
#
# The first run is a Chinese session, the second an English one. While the program runs with its
# selection dialog open, every file it has mapped (libraries, Qt plugins, the fonts of either
# language) must come from a package the .deb depends on, directly or through others, or from
# an essential one.
# shellcheck disable=SC2015,SC2088 # "A && B || fail" is meant; "~/..." is text, not a path
set -euo pipefail
cd "$(dirname "$0")/.."

[ $# -le 1 ] || { echo "usage: scripts/package-test.sh [BUILD_DIR]" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "package-test: must run as root (it installs the package)" >&2; exit 1; }
# shellcheck source=scripts/e2e_lib.sh
. scripts/e2e_lib.sh
require_tools package-test lintian desktop-file-validate appstreamcli setpriv Xvfb xdotool xprop \
  import convert identify

work=""
server_pid=""
app_pid=""
installed=""

cleanup() {
  stop_program
  stop_server_process
  if [ -n "$installed" ]; then
    apt_get purge lumivex >/dev/null 2>&1 || true
  fi
  if [ -n "$work" ]; then
    rm -rf "$work"
  fi
}
trap cleanup EXIT

fail() { report_failure "package-test FAILED: $*" 40 package; }

apt_get() {
  DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 -y -q "$@"
}

# --- the package and its files ------------------------------------------------------------------

deb=$(scripts/package.sh "$@")
version=$(dpkg-deb -f "$deb" Version)
echo "package-test: $deb"
dpkg-deb -f "$deb" Package Version Architecture Section Maintainer Depends | sed 's/^/  /'
[ "$(basename "$deb")" = "lumivex_${version}_amd64.deb" ] || fail "the package is named $(basename "$deb")"

echo "--- lintian"
lintian_out=$(lintian --info --display-level '>=pedantic' "$deb" 2>&1) || true
echo "${lintian_out:-(nothing)}"
if grep -q '^E: ' <<<"$lintian_out"; then
  fail "lintian reports errors"
fi
pass "lintian: no errors"

work=$(mktemp -d)
chmod 755 "$work"
dpkg-deb -x "$deb" "$work/root"
desktop=("$work"/root/usr/share/applications/*.desktop)
metainfo=("$work"/root/usr/share/metainfo/*.metainfo.xml)
[ -f "${desktop[0]}" ] && [ -f "${metainfo[0]}" ] || fail "no desktop entry or AppStream file"
desktop-file-validate "${desktop[0]}" || fail "the desktop entry does not validate"
pass "desktop-file-validate $(basename "${desktop[0]}")"
appstreamcli validate --no-net --explain "${metainfo[0]}" || fail "the AppStream file does not validate"
pass "appstreamcli validate $(basename "${metainfo[0]}")"
app_id=$(basename "${desktop[0]}" .desktop)
[ "$(basename "${metainfo[0]}" .metainfo.xml)" = "$app_id" ] &&
  grep -qF "<id>$app_id</id>" "${metainfo[0]}" &&
  grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "${metainfo[0]}" ||
  fail "the AppStream id, its launchable and the desktop entry's name differ"

for size in 16 32 48 64 128 256; do
  png="$work/root/usr/share/icons/hicolor/${size}x${size}/apps/lumivex.png"
  [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] || fail "no ${size}x${size} icon"
done
# Every size is the same picture: sampled down by whole units, each one equals the 16-pixel icon.
for size in 32 48 64 128 256; do
  convert "$work/root/usr/share/icons/hicolor/${size}x${size}/apps/lumivex.png" -sample 16x16 \
    "$work/sampled.png"
  differ=$(compare -metric AE "$work/sampled.png" \
    "$work/root/usr/share/icons/hicolor/16x16/apps/lumivex.png" null: 2>&1 || true)
  [ "$differ" = 0 ] || fail "the ${size}x${size} icon is not the 16x16 picture ($differ pixels differ)"
done
pass "icons at 16 ... 256, one picture"

manual="$work/root/usr/share/man/man1/lumivex.1.gz"
man_text=$(MANWIDTH=100 man -l "$manual" 2>"$work/man.err" | col -b)
[ ! -s "$work/man.err" ] || fail "man reports: $(cat "$work/man.err")"
for phrase in "lumivex $version" "--screen" "--list-screens" "--language" "--export-resources" \
  "--version" "Page Up" "Escape" "config.set" "XDG_CONFIG_HOME" "~/.config/lumivex/config.set" \
  "LC_MESSAGES" "EXIT STATUS"; do
  grep -qF -- "$phrase" <<<"$man_text" || fail "the manual page does not mention $phrase"
done
pass "the manual page describes options, keys, the settings file and exit codes"

# --- installed ---------------------------------------------------------------------------------

echo "--- apt-get install $deb"
installed=yes
apt_get install "./$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get install failed"; }
[ "$(/usr/bin/lumivex --version)" = "lumivex $version" ] || fail "lumivex --version: $(/usr/bin/lumivex --version)"
pass "installed; lumivex --version says $version"
desktop_file="/usr/share/applications/$(basename "${desktop[0]}")"
exec_line=$(sed -n 's/^Exec=//p' "$desktop_file" | head -n1 | sed -E 's/ ?%[fFuUdDnNickvm]//g')
[ -n "$exec_line" ] || fail "the desktop entry has no Exec line"

# An ordinary user with a fresh home folder, on a bare X server.
user_uid=$(id -u nobody)
user_gid=$(id -g nobody)
home="$work/home"
mkdir -p "$home" "$work/run"
chown "$user_uid:$user_gid" "$home" "$work/run"
chmod 700 "$work/run"
W=1024
H=768
start_xvfb "${W}x${H}x24"

start_as_user() { # LOCALE: the desktop entry's command, as a desktop session starts it from the menu
  setpriv --reuid="$user_uid" --regid="$user_gid" --clear-groups \
    env -i LANG="$1" HOME="$home" USER=nobody LOGNAME=nobody PATH=/usr/bin:/bin DISPLAY="$DISPLAY" \
    XDG_RUNTIME_DIR="$work/run" sh -c "cd \"\$HOME\" && exec $exec_line" >>"$work/lumivex.log" 2>&1 &
  app_pid=$!
}

wait_for() { # DESCRIPTION COMMAND...
  local what=$1
  shift
  wait_until 15 "timed out waiting for $what" "$@"
}
start_screen_shown() { shot start && [ "$(pixel start 1 1)" = 808080 ]; }
# The selection dialog by its title in the session's language; the Chinese session's locale need
# not be installed, which leaves the title only in _NET_WM_NAME, where xdotool does not look.
dialog_title=""
dialog_open() {
  local id
  for id in $(xdotool search --onlyvisible --classname lumivex 2>/dev/null); do
    xprop -id "$id" _NET_WM_NAME 2>/dev/null | grep -qF "= \"$dialog_title\"" && return 0
  done
  return 1
}
dialog_closed() { ! dialog_open; }
white_columns_only() { # NAME COLUMN...: white full height in exactly these columns, black elsewhere
  local name=$1 got
  shift
  got=$(colours "$name")
  [ "$got" = "000000*$((W * H - H * $#)) FFFFFF*$((H * $#))" ] || fail "$name: colours '$got'"
  for x in "$@"; do
    [ "$(colours "$name" "1x$H+$x+0")" = "FFFFFF*$H" ] || fail "$name: column $x is not white"
  done
}
settings_are() { # EXPECTED-BYTES-AS-PRINTF
  local file="$home/.config/lumivex/config.set"
  [ -f "$file" ] || fail "no ~/.config/lumivex/config.set"
  # shellcheck disable=SC2059
  cmp -s "$file" <(printf "$1") || fail "config.set holds $(od -An -c "$file" | tr -s ' \n' ' ')"
  [ "$(stat -c '%s %U %a' "$file")" = "45 nobody 644" ] || fail "config.set: $(stat -c '%s %U %a' "$file")"
}

# Every mapped file of the running program comes from a package it depends on. Qt's xcb plugin
# also opens libXcursor (and with it libXrender) when it is there, for cursor themes, and does
# without it otherwise: no dependency of ours, nor of Qt's.
optional_packages="libxcursor1 libxrender1"
check_dependencies() {
  local closure owner pkg file unowned=0 checked=0 fonts
  closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
    --no-breaks --no-replaces --no-enhances lumivex | grep -v '^ ' | tr -d '<>' | sort -u)
  while read -r file; do
    owner=$(dpkg-query -S "$file" 2>/dev/null || dpkg-query -S "${file#/usr}" 2>/dev/null || true)
    if [ -z "$owner" ]; then
      unowned=$((unowned + 1)) # caches and the locale archive, made on this machine
      continue
    fi
    pkg=${owner%%:*}
    pkg=${pkg%%,*}
    checked=$((checked + 1))
    if ! grep -qx "$pkg" <<<"$closure" && ! grep -qw "$pkg" <<<"$optional_packages" &&
      [ "$(dpkg-query -W -f='${Essential}' "$pkg" 2>/dev/null)" != yes ]; then
      fail "the program uses $file from $pkg, which the package does not depend on"
    fi
  done < <(awk '$6 ~ /^\/(usr|lib|lib64|bin|etc)\// {print $6}' "/proc/$1/maps" | sort -u)
  fonts=$(awk '$6 ~ /\.(ttf|ttc|otf)$/ {print $6}' "/proc/$1/maps" | sort -u | xargs -n1 basename | tr '\n' ' ')
  pass "all $checked files the program maps come from its dependencies, fonts: $fonts($unowned unowned caches)"
}

# With the dialog's text on the screen, every font the program needs for the language is in use.
check_dependencies_with_dialog() {
  key Return
  wait_for "the selection dialog '$dialog_title'" dialog_open
  sleep 0.3
  local user_pid
  user_pid=$(pgrep -u "$user_uid" -x lumivex | head -n1)
  [ -n "$user_pid" ] || fail "no lumivex process of the user"
  check_dependencies "$user_pid"
}

echo "--- /usr/bin/lumivex as nobody, started by the desktop entry's command: $exec_line"
start_as_user zh_CN.UTF-8
dialog_title='画面显示选项'
wait_for "the start screen" start_screen_shown
check_dependencies_with_dialog
key space # pattern 0 out
key Return
wait_for "the dialog to close" dialog_closed
wait_for "the start screen" start_screen_shown
key Up
shot first
white_columns_only first $((W - 1)) # position 0: pattern 1
key Left
shot second
white_columns_only second 0 $((W - 1)) # position 1: pattern 2
key Escape
wait_for_exit 10
pattern0_off="\\001\\053$(printf '1%.0s' $(seq 42))0"
settings_are "$pattern0_off"
[ "$(stat -c '%U %a' "$home/.config/lumivex")" = "nobody 700" ] || fail "~/.config/lumivex: $(stat -c '%U %a' "$home/.config/lumivex")"
[ ! -e /usr/bin/config.set ] || fail "the installed program wrote /usr/bin/config.set"
pass "~/.config/lumivex/config.set holds position 1 and the selection"

start_as_user C.UTF-8
dialog_title='Picture display options'
wait_for "the start screen" start_screen_shown
key Up
shot resumed
white_columns_only resumed 0 $((W - 1))
pass "a second run, in English, resumed at position 1 with pattern 0 out"
check_dependencies_with_dialog
key Return # the selection as it was
wait_for "the dialog to close" dialog_closed
key Escape
wait_for_exit 10
settings_are "\\000\\053$(printf '1%.0s' $(seq 42))0"
pass "after the dialog, closed unchanged, the selection is kept and the playlist starts again"

echo "--- apt-get purge lumivex"
apt_get purge lumivex >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get purge failed"; }
installed=""
[ ! -e /usr/bin/lumivex ] && ! dpkg-query -W lumivex >/dev/null 2>&1 || fail "lumivex is still installed"
pass "removed"
echo "package-test passed: $(basename "$deb")"
