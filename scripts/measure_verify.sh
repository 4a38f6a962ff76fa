#!/usr/bin/env bash
# The whole process of 'vantrell-tool verify' on a game folder (default build/game, whose 50
# default records it drives again), RUNS times (default 10): each run's wall time from launch to
# exit, then the fastest, the median and the slowest.
#   scripts/measure_verify.sh [RUNS] [DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-10}"
dir="${2:-build/game}"
tool=build/vantrell-tool
if [ ! -x "$tool" ]; then
  echo "measure_verify.sh: no $tool; build the default preset first" >&2
  exit 2
fi
now() { date +%s%6N; }
# One run first, untimed: it must pass, and the files come into the page cache.
"$tool" verify --dir "$dir" >/dev/null
times=()
for run in $(seq "$runs"); do
  start=$(now)
  "$tool" verify --dir "$dir" >/dev/null
  end=$(now)
  times+=($(( end - start )))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
ms() { awk -v us="$1" 'BEGIN { printf "%.1f", us / 1000 }'; }
lines=$(("$tool" verify --dir "$dir" || true) | tail -n +2 | wc -l)
echo "verify --dir $dir: $lines entries, $runs runs:" \
     "fastest $(ms "${sorted[0]}") ms, median $(ms "${sorted[$(( runs / 2 ))]}") ms," \
     "slowest $(ms "${sorted[$(( runs - 1 ))]}") ms"
