#!/usr/bin/env bash
# Checks the formatting and runs clang-tidy on the program's own code (core, ui, app).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" clang-format clang-tidy
git ls-files 'core/*.cpp' 'core/*.h' 'ui/*.cpp' 'ui/*.h' 'app/*.cpp' | xargs clang-format --dry-run --Werror
# clang-tidy needs the compile database and the header generated from the form.
cmake -S . -B build -DBUILD_TESTING=ON >/dev/null
cmake --build build --target kalvora_window_autogen -j "$(nproc)" >/dev/null
report=$(mktemp)
git ls-files 'core/*.cpp' 'ui/*.cpp' 'app/*.cpp' |
    xargs -P "$(nproc)" -n 2 clang-tidy -p build --quiet >"$report" 2>&1 || true
if grep -E ': (warning|error):' "$report"; then
    echo "clang-tidy found problems" >&2
    exit 1
fi
echo "clang-format and clang-tidy: clean"
