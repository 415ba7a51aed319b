#!/usr/bin/env bash
# Builds the web edition into build-web/site/: the page written from the desktop's form, its
# scripts, the core in WebAssembly, the pictures, the manifest and the service worker.
#
#   bash scripts/web.sh              build
#   bash scripts/web.sh --serve      build, then serve the site on http://127.0.0.1:8080/ until Ctrl+C
#   bash scripts/web.sh --test       build, then run the core's wasm tests and the browser tests
#   bash scripts/web.sh --benchmark  build, then time the start and CALCULATE in Chromium and
#                                    print the size of a first visit
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

mode=${1:-}
case "$mode" in
"" | --serve | --test | --benchmark) ;;
*)
    echo "usage: bash scripts/web.sh [--serve | --test | --benchmark]" >&2
    exit 2
    ;;
esac

build=build-web
site=$build/site

ensure_packages "${WEB_PACKAGES[@]}"

step "Building the core for the web" bash web/core/build.sh "$build"

# The site is made beside the old one and then put in its place, so that a server or a test
# running meanwhile never sees half a build.
build_site() {
    local next
    next=$(mktemp -d "$build/site.new.XXXXXX")
    cp web/static/page.css web/static/register-sw.js "$next/"
    # The desktop's pictures: logo, hand pointer, icons.
    cp ui/resources/*.gif ui/resources/*.png ui/resources/*.svg "$next/"
    mkdir "$next/src"
    cp web/src/*.js "$next/src/"
    if compgen -G 'web/src/*.css' >/dev/null; then cp web/src/*.css "$next/src/"; fi
    # core.js finds the module beside itself.
    cp "$build/core/kalvora-core.wasm" "$next/src/"
    # The page preloads the scripts and the core it finds there.
    python3 web/generate_page.py "$next"
    # Last: it lists and hashes every other file.
    python3 web/generate_offline.py "$next"
    chmod -R a+rX "$next"
    rm -rf "$site"
    mv "$next" "$site"
}
step "Writing the site into $site" build_site

case "$mode" in
--serve)
    echo "Serving $site on http://127.0.0.1:8080/ (Ctrl+C ends)" >&2
    exec python3 -m http.server 8080 --bind 127.0.0.1 --directory "$site"
    ;;
--test)
    step "Testing the core in WebAssembly" bash web/core/test.sh "$build"
    ensure_web_tools
    step "Testing the page in Chromium" node --test web/tests/
    ;;
--benchmark)
    ensure_web_tools
    node web/benchmark.mjs
    ;;
esac
