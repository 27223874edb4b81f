#!/usr/bin/env bash
# Builds the Debian package, lumivex_<version>_amd64.deb, and prints its path.
#
#   scripts/package.sh            a release: a Release build of its own in build-package, with
#                                 Debian's hardening flags as dpkg-buildpackage would give them
#   scripts/package.sh DIR        from the existing build tree DIR (scripts/test.sh: build), which
#                                 must install into /usr; a tree configured for another prefix is
#                                 reconfigured for /usr, which rebuilds only the program
#
# Only the program and the files it installs are built, never the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"

if [ $# -gt 1 ]; then
  echo "usage: scripts/package.sh [BUILD_DIR]" >&2
  exit 2
fi
if [ $# -eq 1 ]; then
  dir=$1
  [ -f "$dir/CMakeCache.txt" ] || { echo "package: $dir is not a configured build tree" >&2; exit 1; }
  # The installed program tells its own bin folder by the prefix it was built for.
  prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$dir/CMakeCache.txt")
  if [ "$prefix" != /usr ]; then
    cmake -S . -B "$dir" -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
  fi
else
  scripts/setup.sh >&2
  dir=build-package
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
  LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
  export CXXFLAGS LDFLAGS
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DLUMIVEX_BENCHMARKS=OFF >/dev/null
fi
cmake --build "$dir" -j"$jobs" --target lumivex lumivex_install_files >&2
rm -f "$dir"/lumivex_*.deb
(cd "$dir" && cpack -G DEB >&2)
debs=("$dir"/lumivex_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "package: no single .deb in $dir" >&2
  exit 1
fi
echo "${debs[0]}"
