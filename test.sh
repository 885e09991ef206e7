#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
cd "$root/build"
exec ctest --output-on-failure -j "$(nproc)" "$@"
