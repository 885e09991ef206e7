#!/usr/bin/env bash
# Checks what no compiler checks: formatting of every C++ file, and
# clang-tidy over the program's sources (settings in .clang-format and
# .clang-tidy).
# Installs clang-format and clang-tidy when they are missing.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

for package in clang-format-14 clang-tidy-14; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        echo "Installing: $package"
        sudo_cmd=()
        [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
        "${sudo_cmd[@]}" apt-get update -qq
        DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "$package" >/dev/null
    fi
done

echo "clang-format: checking $(git ls-files '*.cpp' '*.h' | wc -l) files"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run --Werror

# clang cannot read g++'s precompiled headers: clang-tidy gets compile
# commands of its own, configured without them.
echo "clang-tidy: checking the program's sources"
cmake -S "$root" -B "$root/build-tidy" -G Ninja -DKESTROVA_PCH=OFF -DKESTROVA_TESTS=OFF \
    -DKESTROVA_BENCH=OFF >/dev/null
run-clang-tidy-14 -p build-tidy -quiet -j "$(nproc)" "$root/src/.*\\.cpp" >build-tidy/clang-tidy.log 2>&1 || {
    grep -E "(error|warning):" build-tidy/clang-tidy.log | sort -u
    echo "clang-tidy found problems (full output: build-tidy/clang-tidy.log)"
    exit 1
}
echo "clang-tidy: clean"
