#!/usr/bin/env bash
# Builds the Debian package, build-deb/kestrova_<version>_<arch>.deb: a
# release build of the program alone, installed and packed by CPack with the
# runtime dependencies that dpkg-shlibdeps finds.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" --packages-only dpkg-dev file

build="$root/build-deb"
rm -f "$build"/kestrova_*.deb
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DKESTROVA_TESTS=OFF -DKESTROVA_BENCH=OFF >/dev/null
cmake --build "$build" -- --quiet
cd "$build"
cpack -G DEB >/dev/null
ls "$build"/kestrova_*.deb
