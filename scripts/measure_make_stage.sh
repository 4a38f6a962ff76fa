#!/usr/bin/env bash
# The whole process of 'vantrell-tool make-stage' on a design (default the example
# docs/examples/lakeside.toml), RUNS times (default 5): each run's wall time from launch to
# exit (layout, painting, the stage check, ten autopilot races each driven again, the archive),
# then the fastest, the median and the slowest, and the pack's size.
#   scripts/measure_make_stage.sh [RUNS] [DESIGN]
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-5}"
design="${2:-docs/examples/lakeside.toml}"
tool=build/vantrell-tool
if [ ! -x "$tool" ]; then
  echo "measure_make_stage.sh: no $tool; build the default preset first" >&2
  exit 2
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
now() { date +%s%6N; }
times=()
for run in $(seq "$runs"); do
  start=$(now)
  "$tool" make-stage "$design" --out "$out/pack.vstage" >/dev/null
  end=$(now)
  times+=($(( end - start )))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
s() { awk -v us="$1" 'BEGIN { printf "%.2f", us / 1000000 }'; }
unpacked=$(unzip -l "$out/pack.vstage" 2>/dev/null | tail -1 | awk '{ print $1 }' || true)
echo "make-stage $design: $runs runs: fastest $(s "${sorted[0]}") s," \
     "median $(s "${sorted[$(( runs / 2 ))]}") s, slowest $(s "${sorted[$(( runs - 1 ))]}") s;" \
     "pack $(stat -c %s "$out/pack.vstage") bytes${unpacked:+, $unpacked bytes unpacked}"
