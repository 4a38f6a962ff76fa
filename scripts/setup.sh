#!/usr/bin/env bash
# Sets up a Debian 12 machine for Vantrell, builds it, then plays or tests.
#   scripts/setup.sh play   install what is missing, build, start the game
#   scripts/setup.sh test   install what is missing, build, run the whole test suite, then the
#                           browser build's tests in headless Chromium, then the suite built with
#                           AddressSanitizer and UBSan (but for its slow tests), then every fuzz
#                           target for 10 s (VANTRELL_FUZZ_SECONDS: another time, 0 for none).
#                           Each phase's output is kept in build/test-logs/.
#   scripts/setup.sh web    install what is missing, build the game for the browser and serve it
#                           on http://127.0.0.1:8080 (VANTRELL_WEB_PORT: another port) through
#                           vantrell-server, with a world table in build-web/world.sqlite
set -euo pipefail
cd "$(dirname "$0")/.."

mode="${1:-play}"
case "$mode" in
  play|test|web) ;;
  *) echo "usage: $0 play|test|web" >&2; exit 2 ;;
esac

# Debian packages the build, the tests and the game need.
packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev
  # Stage packs: zip archives (libzip) and the TOML of stage designs and pack manifests.
  libzip-dev libtomlplusplus-dev
  # The desktop game: Qt 6 widgets, SDL2 joysticks and sound, FluidSynth with libsndfile and a
  # General MIDI soundfont to render the music at build time (and a player's own pieces), the
  # Japanese fonts of its texts, and a virtual X server with a window manager (full screen needs
  # one) for its end-to-end tests.
  qt6-base-dev libsdl2-dev libsdl2-mixer-dev libfluidsynth-dev libsndfile1-dev fluid-soundfont-gm
  fonts-ipafont-mincho fonts-ipafont-gothic
  xvfb xauth xdotool x11-utils openbox
  # English menus and dialogs (Qt Linguist's lupdate and lrelease with their CMake support),
  # ALSA's headers to keep its messages quiet, and what the Debian package and its checks use
  # (lintian brings man-db, whose man and lexgrog check the manual pages).
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libasound2-dev
  dpkg-dev fakeroot file appstream lintian
  clang libclang-rt-14-dev
  # FluidSynth's program and an Opus encoder render the music at build time.
  fluidsynth opus-tools
  # The world table server: HTTP, JSON, SQLite and PostgreSQL (whose cluster its tests start).
  libcpp-httplib-dev nlohmann-json3-dev libsqlite3-dev libpqxx-dev postgresql
  # curl asks the packaged server for its courses in the package check.
  curl
  # The browser build: Emscripten (its JavaScript parser comes from node-acorn), the page's zip
  # reader for stage packs (JSZip), esbuild to bundle it and the page's scripts, Chromium for
  # its tests.
  emscripten node-acorn node-jszip esbuild chromium
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
# Node.js with npm runs the page's server and tests; one installed from elsewhere will do.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  missing+=(nodejs npm)
fi
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake --preset default >/dev/null
cmake --build --preset default

# The browser build packs the native build's game folder and effects.
build_web() {
  export NODE_PATH=/usr/share/nodejs
  cmake --preset web >/dev/null
  cmake --build --preset web
}

if [ "$mode" = web ]; then
  build_web
  exec build/vantrell-server --www build-web/www --db sqlite:build-web/world.sqlite \
    --listen "127.0.0.1:${VANTRELL_WEB_PORT:-8080}"
fi

if [ "$mode" = test ]; then
  logs=build/test-logs
  rm -rf "$logs" && mkdir -p "$logs"
  started=$SECONDS
  # Runs one phase with its output kept in $logs/NAME.log: the last lines when it passes, all of
  # it when it fails.
  run_phase() {
    local name="$1" start=$SECONDS status=0
    shift
    "$@" >"$logs/$name.log" 2>&1 || status=$?
    if [ "$status" -eq 0 ]; then
      tail -n 3 "$logs/$name.log" | sed "s/^/  $name: /"
      echo "== $name: passed in $((SECONDS - start)) s"
    else
      cat "$logs/$name.log"
      echo "== $name: FAILED (exit $status) after $((SECONDS - start)) s"
    fi
    return "$status"
  }
  lint_page() {
    # ESLint and Prettier over the browser page, its hooks and its tests (package-lock.json).
    npm ci --no-audit --no-fund && npm run lint
  }
  build_sanitize() {
    cmake --preset sanitize >/dev/null && cmake --build --preset sanitize
  }
  browser_tests() {
    # playwright-core drives Debian's Chromium; it downloads no browser of its own.
    npm ci --prefix tests/web --no-audit --no-fund && node tests/web/browser_test.mjs --figures
  }

  run_phase layers bash scripts/check_layers.sh
  run_phase lint lint_page
  # The browser and sanitizer builds go on at the lowest priority beside the native suites,
  # which spend much of their time waiting on real time (windows, sound, timers): the builds
  # take the idle cores and leave the suites' timing alone.
  (
    renice -n 19 -p "$BASHPID" >/dev/null
    run_phase web-build build_web || exit 1
    touch "$logs/web.done"
    run_phase sanitize-build build_sanitize
  ) >"$logs/background.out" 2>&1 &
  background=$!
  run_phase native-tests ctest --preset default
  while [ ! -e "$logs/web.done" ] && kill -0 "$background" 2>/dev/null; do sleep 2; done
  if [ -e "$logs/web.done" ]; then
    run_phase browser-tests browser_tests
  fi
  background_status=0
  wait "$background" || background_status=$?
  cat "$logs/background.out"
  [ "$background_status" -eq 0 ] || exit "$background_status"
  # The page's start-up figure, taken once no build runs beside it. Its time is a figure, never a
  # failure; only a page that never shows its frames fails the phase.
  if [ -e "$logs/web.done" ]; then
    run_phase browser-figures node tests/web/figures.mjs --runs 1
  fi
  run_phase sanitized-tests ctest --preset sanitize
  fuzz_seconds="${VANTRELL_FUZZ_SECONDS:-10}"
  if [ "$fuzz_seconds" -gt 0 ]; then
    run_phase fuzz bash scripts/fuzz.sh "$fuzz_seconds"
  fi
  echo "== every test passed; the phases after the build took $((SECONDS - started)) s"
  exit 0
fi

exec build/vantrell
