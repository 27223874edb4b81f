#!/usr/bin/env bash
# Builds the Debian package, build-package/lumivex_<version>_amd64.deb, from a Release build of
# its own (build-package), so the test build is left alone. Prints the package's path.
#
#   scripts/package.sh
#
# The binary gets Debian's hardening flags, as a package built by dpkg-buildpackage would.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh >&2
dir=build-package
jobs="$(nproc)"

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DLUMIVEX_BENCHMARKS=OFF >/dev/null
cmake --build "$dir" -j"$jobs" --target lumivex lumivex_install_files >&2
rm -f "$dir"/lumivex_*.deb
(cd "$dir" && cpack -G DEB >&2)
debs=("$dir"/lumivex_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "package: no single .deb in $dir" >&2
  exit 1
fi
echo "${debs[0]}"
