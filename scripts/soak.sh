#!/usr/bin/env bash
# Runs the soak (random race ticks over every stage and mode, checked after every tick) in the
# sanitizer build, by default for the full million ticks.
#   scripts/soak.sh                     a million ticks, the usual seed
#   scripts/soak.sh 5000000 12345       five million ticks from seed 12345
# Builds the sanitize preset first; a release build's soak is build/vantrell-soak.
set -euo pipefail
cd "$(dirname "$0")/.."
ticks="${1:-1000000}"
seed="${2:-20261207}"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize --target vantrell-soak
VANTRELL_SOAK_TICKS="$ticks" VANTRELL_SOAK_SEED="$seed" \
  ASAN_OPTIONS=detect_leaks=1 build-sanitize/vantrell-soak
