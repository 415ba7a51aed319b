#!/usr/bin/env bash
# Tests the core for the web page, as web/core/build.sh BUILD_DIR built it: the core's own
# GoogleTest suite in WebAssembly under node; core-compare's answers from the wasm build against
# the native build's, byte for byte; web/src/core.js with the page's module against the native
# answers. Stops at the first that fails, with exit status 1.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(realpath -m "${1:?usage: web/core/test.sh BUILD_DIR}")
# Node 18 runs WASI only with the flag; node 20 accepts it still.
run_wasi=(node --no-warnings --experimental-wasi-unstable-preview1 "$root/web/core/run-wasi.mjs")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "==> The core's tests in WebAssembly under node"
"${run_wasi[@]}" "$out/core/core_tests.wasm" --gtest_brief=1

echo "==> The wasm core against the native core"
"$out/native/core-compare" >"$work/native.txt"
"${run_wasi[@]}" "$out/core/core-compare.wasm" >"$work/wasm.txt"
if ! cmp -s "$work/native.txt" "$work/wasm.txt"; then
    echo "The wasm core answers differently; first differences (< native, > wasm):" >&2
    diff "$work/native.txt" "$work/wasm.txt" | head -n 12 >&2
    exit 1
fi
echo "$(wc -l <"$work/native.txt") answers alike ($(grep -c '^E' "$work/native.txt") estimates)"

echo "==> core.js against the native core"
KALVORA_WEB_BUILD="$out" node --test "$root/web/core/core.test.mjs"
