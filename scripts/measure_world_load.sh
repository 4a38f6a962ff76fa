#!/usr/bin/env bash
# The world table under load, SQLite and PostgreSQL side by side in one run: a vantrell-server on
# each (a fresh SQLite file; a PostgreSQL 15 cluster of its own, scripts/pg_cluster.sh), then
# vantrell-world-load with 64 clients against each in turn, ROUNDS times alternating. Prints
# accepted runs a second, answers a second and the latency (median, p99) of each, and the mean
# time a drive took (the servers' /metrics).
#   scripts/measure_world_load.sh [ROUNDS] [RUNS] [BUILD_DIR]     (default 2, 3000, build)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds="${1:-2}"
runs="${2:-3000}"
build="${3:-build}"
work=$(mktemp -d)
state="$work/pg.state"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  bash scripts/pg_cluster.sh stop "$state" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

pg=$(bash scripts/pg_cluster.sh start "$state")
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
for round in $(seq 1 "$rounds"); do
  for store in sqlite postgresql; do
    port=$(free_port)
    if [ "$store" = sqlite ]; then
      db="sqlite:$work/world-$round.sqlite"
    else
      name="load$round"
      /usr/lib/postgresql/15/bin/createdb -h "$(cat "$state")" -U vantrell "$name"
      db="postgresql:///$name?host=$(cat "$state")&user=vantrell"
    fi
    "$build/vantrell-server" --listen "127.0.0.1:$port" --db "$db" --requests-per-minute 0 \
      --runs-per-minute 0 >"$work/server.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 1 100); do curl -sf "http://127.0.0.1:$port/healthz" >/dev/null && break; sleep 0.1; done
    line=$("$build/vantrell-world-load" --server "127.0.0.1:$port" --clients 64 --runs "$runs" \
      --retry 10 | head -n 1)
    metrics=$(curl -sf "http://127.0.0.1:$port/metrics")
    drive=$(awk '/^vantrell_verify_seconds_sum/ { s = $2 } /^vantrell_verify_seconds_count/ { n = $2 }
                 END { if (n > 0) printf "%.3f ms", 1000 * s / n }' <<<"$metrics")
    echo "round $round $store: $line; mean drive $drive"
    kill "${pids[-1]}"
    wait "${pids[-1]}" 2>/dev/null || true
  done
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
