#!/usr/bin/env bash
# Executions per second of every fuzz target, built from this checkout and from an earlier
# commit, measured side by side: for each target the earlier build runs, then this one, each
# alone for the same time from the same seeds and an empty corpus, so both meet the same load.
#   scripts/measure_fuzz_rates.sh [SECONDS [COMMIT]]
# SECONDS per target and build (default 30); COMMIT the build to compare with (default
# 71d90ca, the last one whose readers opened files themselves). The earlier build is made in a
# git worktree under build-fuzz-base/. Needs what scripts/fuzz.sh needs.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
base="${2:-71d90ca}"
tree="build-fuzz-base/src"
if [ ! -d "$tree" ]; then
  git worktree add --detach "$tree" "$base" >/dev/null
else
  git -C "$tree" checkout -q --detach "$base"
fi
cmake -S "$tree" --preset fuzz >/dev/null
cmake --build "$tree/build-fuzz" --target vantrell-fuzz >/dev/null
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null

corpora="$(mktemp -d)"
trap 'rm -rf "$corpora"' EXIT
rate() {  # build-dir target -> executions per second
  local build="$1" target="$2" out
  out="$(FUZZ_BUILD_DIR="$build" FUZZ_JOBS=1 FUZZ_CORPUS_DIR="$corpora/$(basename "$build")" \
         bash scripts/fuzz.sh "$seconds" "$target" 2>&1)"
  awk -v t="$target" -v s="$seconds" '$1 == t && $5 == "ok" { printf "%d", $3 / s }' <<<"$out"
}

printf '%-16s %12s %12s %8s\n' target "$base/s" "now/s" ratio
for source in fuzz/*_fuzzer.cpp; do
  name="$(basename "$source" _fuzzer.cpp)"
  target="${name//_/-}"
  before="-"
  [ -x "$tree/build-fuzz/$target-fuzzer" ] && before="$(rate "$tree/build-fuzz" "$target")"
  now="$(rate build-sanitize "$target")"
  ratio="-"
  if [ -n "$before" ] && [ "$before" != "-" ] && [ "$before" -gt 0 ] && [ -n "$now" ]; then
    ratio="$(awk -v a="$now" -v b="$before" 'BEGIN { printf "%.1f", a / b }')"
  fi
  printf '%-16s %12s %12s %8s\n' "$target" "${before:-FAILED}" "${now:-FAILED}" "$ratio"
done
