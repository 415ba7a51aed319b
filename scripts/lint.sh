#!/usr/bin/env bash
# Checks the formatting and runs clang-tidy on the program's own code (core, ui, app, web/core),
# and ESLint on the web edition's JavaScript.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" clang-format clang-tidy

ensure_web_tools
step "Linting the web edition's JavaScript with ESLint" sh -c 'cd web && npx --no-install eslint .'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
git ls-files 'core/*.cpp' 'core/*.h' 'ui/*.cpp' 'ui/*.h' 'app/*.cpp' 'web/core/*.cpp' \
    'web/core/*.h' >"$work/formatted"
# The web core's C interface is built for WebAssembly alone; its native neighbours are checked.
git ls-files 'core/*.cpp' 'ui/*.cpp' 'app/*.cpp' 'web/core/*.cpp' |
    grep -v '^web/core/core_api.cpp$' >"$work/sources"

step "Checking the formatting of $(wc -l <"$work/formatted") files with clang-format" \
    xargs -a "$work/formatted" clang-format --dry-run --Werror
# clang-tidy needs the compile database and the header generated from the form.
step "Configuring build" cmake -S . -B build -DBUILD_TESTING=ON -DKALVORA_WEB_CORE=ON \
    "${CMAKE_WARNING_OPTIONS[@]}" >/dev/null
step "Generating the form's header" \
    cmake --build build --target kalvora_window_autogen -j "$(nproc)" >/dev/null

# One report per file, so that two clang-tidy running side by side cannot mix their lines;
# each file is named when done, since the whole takes minutes.
tidy_file() {
    clang-tidy -p build --quiet "$1" >"$work/tidy-${1//\//_}.log" 2>&1 || true
    echo "    $1" >&2
}
export -f tidy_file
export work
step "Running clang-tidy on $(wc -l <"$work/sources") files, $(nproc) at a time" \
    xargs -a "$work/sources" -P "$(nproc)" -n 1 bash -c 'tidy_file "$1"' tidy_file
if cat "$work"/tidy-*.log | grep -E ': (warning|error):'; then
    echo "clang-tidy found problems" >&2
    exit 1
fi
echo "clang-format and clang-tidy: clean"
