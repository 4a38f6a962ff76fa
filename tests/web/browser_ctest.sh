#!/usr/bin/env bash
# The browser build's tests as one ctest entry (label "browser"): node tests/web/browser_test.mjs
# against the native build and the browser build. Exits 77, which ctest reports as skipped,
# where the browser build or the test's npm packages are not there yet.
#   browser_ctest.sh NATIVE_BUILD WEB_BUILD
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
native="$1"
web="$2"
if [ ! -f "$web/www/vantrell.wasm" ]; then
  echo "skipped: no browser build in $web (cmake --preset web && cmake --build --preset web)"
  exit 77
fi
if [ ! -d "$here/node_modules/playwright-core" ]; then
  echo "skipped: the browser tests' packages are missing (npm ci --prefix tests/web)"
  exit 77
fi
exec node "$here/browser_test.mjs" --build "$native" --web "$web"
