#!/usr/bin/env bash
# Installs what is missing, builds, and starts the designer with the given arguments.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/setup.sh"
exec "$root/build/kestrova" "$@"
