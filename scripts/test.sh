#!/usr/bin/env bash
# Builds Lumivex and runs every test: the unit and program tests, the Qt tests on the offscreen
# platform, the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, a minute of
# fuzzing each of the settings-file loader and the image readers, the end-to-end checks of the
# real program under Xvfb and Xorg, the pixel self-check, faults and load (a lost display, key
# storms, many runs), the Debian package of the build installed and run as a user would, and the
# Windows build with its checks under Wine.
#
# The program is built once; then three lanes run side by side, each a chain of checks: the
# builds that need the processor (sanitizers, fuzzing; then the package) in one, the checks of
# the built program on X servers (which mostly wait for the screen) in another, the Windows
# build and its Wine checks in the third. Each check's output goes to build-logs/NAME.log; a failed check prints
# the end of its log.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs="$(nproc)"

# Nothing is cached between runs: every build starts from the sources.
export jobs

logs=build-logs
rm -rf "$logs"
mkdir -p "$logs"

# check NAME: runs the function NAME in a shell of its own that stops at the first failing
# command, with its output in its log, and says how it went.
check() {
  local start=$SECONDS status=0
  bash -c "set -euo pipefail; $1" >"$logs/$1.log" 2>&1 || status=$?
  if [ "$status" -eq 0 ]; then
    echo "passed: $1 ($((SECONDS - start)) s)"
  else
    echo "FAILED: $1 (status $status after $((SECONDS - start)) s); the end of $logs/$1.log:"
    tail -n 80 "$logs/$1.log"
    return 1
  fi
}

# --- the checks --------------------------------------------------------------------------------

unit_tests() {
  ctest --test-dir build --output-on-failure -j"$jobs"
}

sanitized_tests() {
  cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DLUMIVEX_SANITIZE=ON \
    -DLUMIVEX_BENCHMARKS=OFF
  cmake --build build-sanitize -j"$jobs"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -E '^SettingsCrash\.'
}

# Every libFuzzer target (the settings-file loader, the image readers) for a minute each; new
# inputs are kept in build-fuzz for the next run.
fuzzing() {
  scripts/fuzz.sh -t 60
}

end_to_end() {
  scripts/e2e.sh build/lumivex 1920x1080x24 1024x768x24 3840x2160x24 2048x2560x24
  # Without the X server's shared memory the frames take Qt's ordinary path.
  E2E_XVFB_ARGS="-extension MIT-SHM" scripts/e2e.sh build/lumivex 1024x768x24
}

# Several monitors, display changes and keyboard layouts.
desk() {
  scripts/e2e_desk.sh build/lumivex
}

# The pixel self-check against what the X server shows.
verify() {
  scripts/e2e_verify.sh build/lumivex
}

# Faults and load: the X server killed under the program, key storms, a held key, many runs and
# two copies at once (cut-down counts; scripts/faults_full.sh runs the full ones).
faults() {
  scripts/faults_e2e.sh build/lumivex
}

# The package of this build: packed, checked, installed, run by an ordinary user, removed.
package() {
  if [ "$(id -u)" -eq 0 ]; then
    scripts/package-test.sh build
  else
    sudo scripts/package-test.sh build
  fi
}

# The Windows program cross-built with MinGW-w64, its tests and end-to-end checks under Wine.
windows() {
  scripts/test-windows.sh
}

export -f faults package windows verify unit_tests sanitized_tests fuzzing end_to_end desk

# --- the build and the lanes -------------------------------------------------------------------

# Installing into /usr lets the package come from this build (scripts/package.sh build).
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  >"$logs/configure.log"
cmake --build build -j"$jobs" >"$logs/build.log" 2>&1 || {
  tail -n 80 "$logs/build.log"
  exit 1
}
echo "built: build/"

processor_lane() {
  check sanitized_tests && check fuzzing && check package
}

screen_lane() {
  check unit_tests && check end_to_end && check desk && check verify && check faults
}

processor_lane &
processor=$!
screen_lane &
screen=$!
check windows &
windows=$!
failed=0
wait "$processor" || failed=1
wait "$screen" || failed=1
wait "$windows" || failed=1
if [ "$failed" -ne 0 ]; then
  echo "some checks failed" >&2
  exit 1
fi
echo "all checks passed"
