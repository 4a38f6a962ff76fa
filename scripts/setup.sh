#!/usr/bin/env bash
# Sets up a Debian 12 machine for Vantrell, builds it, then plays or tests.
#   scripts/setup.sh play   install what is missing, build, start the game
#   scripts/setup.sh test   install what is missing, build, run the whole test suite, then the
#                           browser build's tests in headless Chromium, then the same suite built
#                           with AddressSanitizer and UBSan, then every fuzz target for 30 s
#                           (VANTRELL_FUZZ_SECONDS: another time, 0 for none)
#   scripts/setup.sh web    install what is missing, build the game for the browser and serve it
#                           on http://127.0.0.1:8080 (VANTRELL_WEB_PORT: another port)
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
  # The desktop game: Qt 6 widgets, SDL2 joysticks and sound, a General MIDI soundfont for the
  # music, the Japanese fonts of its texts, and a virtual X server with a window manager (full
  # screen needs one) for its end-to-end tests.
  qt6-base-dev libsdl2-dev libsdl2-mixer-dev libfluidsynth-dev fluid-soundfont-gm
  fonts-ipafont-mincho fonts-ipafont-gothic
  xvfb xauth xdotool x11-utils openbox
  # English menus and dialogs (Qt Linguist's lupdate and lrelease with their CMake support),
  # ALSA's headers to keep its messages quiet, and what the Debian package and its check use.
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libasound2-dev
  dpkg-dev fakeroot file appstream
  clang libclang-rt-14-dev
  # The browser build: Emscripten (its JavaScript parser comes from node-acorn), FluidSynth and
  # an Opus encoder for the music, Chromium for its tests.
  emscripten node-acorn fluidsynth opus-tools chromium
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
  exec node tests/web/serve.mjs build-web/www "${VANTRELL_WEB_PORT:-8080}"
fi

if [ "$mode" = test ]; then
  bash scripts/check_layers.sh
  # ESLint and Prettier over the browser page, its hooks and its tests (package-lock.json).
  npm ci --no-audit --no-fund
  npm run lint
  ctest --preset default
  build_web
  # playwright-core drives Debian's Chromium; it downloads no browser of its own.
  npm ci --prefix tests/web --no-audit --no-fund
  node tests/web/browser_test.mjs --figures
  cmake --preset sanitize >/dev/null
  cmake --build --preset sanitize
  ctest --preset sanitize
  fuzz_seconds="${VANTRELL_FUZZ_SECONDS:-30}"
  if [ "$fuzz_seconds" -gt 0 ]; then
    bash scripts/fuzz.sh "$fuzz_seconds"
  fi
  exit 0
fi

exec build/vantrell
