#!/usr/bin/env bash
# Installs the Debian packages Kestrova needs (only those missing) and builds
# it into build/. Shared by run.sh and test.sh; quiet when everything is there.
# With --packages-only it installs and stops; further arguments name more
# packages (the Debian package build needs some).
set -euo pipefail

packages_only=
if [[ "${1:-}" == --packages-only ]]; then
    packages_only=1
    shift
fi

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# python3-pyftpdlib is the FTP server the upload tests start on 127.0.0.1;
# the preview reads rows through Qt's SQLite and PostgreSQL drivers, and its
# tests and benchmarks start their own PostgreSQL server and sqlite3 shell;
# it reads the SQLite driver's rows through SQLite's own interface.
packages=(cmake ninja-build g++ lld qt6-base-dev qt6-svg-dev libqscintilla2-qt6-dev
          libgl-dev fonts-dejavu-core poppler-utils desktop-file-utils python3-pyftpdlib
          libqt6sql6-sqlite libqt6sql6-psql postgresql sqlite3 libsqlite3-dev "$@")

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
        || missing+=("$package")
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

[[ -z "$packages_only" ]] || exit 0

# KESTROVA_WERROR=1 (as CI sets it) builds with warnings as errors.
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
[[ -z "${KESTROVA_WERROR:-}" ]] || options+=(-DKESTROVA_WERROR=ON)
if [[ ! -f "$root/build/build.ninja" || -n "${KESTROVA_WERROR:-}" ]]; then
    cmake -S "$root" -B "$root/build" -G Ninja "${options[@]}" >/dev/null
fi
cmake --build "$root/build" -- --quiet 2>&1 | grep -v '^ninja: no work to do' || true
test "${PIPESTATUS[0]}" -eq 0
