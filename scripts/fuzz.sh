#!/usr/bin/env bash
# Runs every fuzz target (fuzz/*_fuzzer.cpp) for a bounded time, two at a time, with seeds from
# the generated game directory (build/game) and the hand-made ones in fuzz/seeds/.
#   scripts/fuzz.sh                 30 s per target (what the test command runs)
#   scripts/fuzz.sh 600             ten minutes per target
#   scripts/fuzz.sh 3600 bmp stage  an hour each for the named targets only
# Needs clang and libclang-rt-14-dev (scripts/setup.sh installs them) and the release build's
# game directory (scripts/setup.sh test, or: cmake --preset default && cmake --build --preset
# default). The targets are built by the sanitize preset (build-sanitize/, which also runs the
# test suite under the sanitizers). The corpus grows in build-sanitize/corpus/ from run to run;
# an input that crashes or breaks a check is kept in build-sanitize/findings/ and makes the
# script fail.
# FUZZ_JOBS sets how many targets run at once (default 2); VANTRELL_GAME_DIR another game
# directory; FUZZ_BUILD_DIR a fuzz build configured by hand (then the preset is not used);
# FUZZ_CORPUS_DIR where the corpora grow (default build-sanitize/corpus);
# VANTRELL_TOOL the vantrell-tool that exports the run-file seeds (default build/vantrell-tool).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
[ $# -gt 0 ] && shift
jobs="${FUZZ_JOBS:-2}"
game="$(realpath -m "${VANTRELL_GAME_DIR:-build/game}")"
out="${FUZZ_BUILD_DIR:-build-sanitize}"
if [ ! -f "$game/MAP0_8.BMP" ] || [ ! -f "$game/VANREC0.DAT" ]; then
  echo "fuzz.sh: no generated game in $game; build the default preset first" >&2
  exit 2
fi

if [ -n "${FUZZ_BUILD_DIR:-}" ]; then
  cmake --build "$out" --target vantrell-fuzz
else
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz
fi

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for source in fuzz/*_fuzzer.cpp; do
    name="$(basename "$source" _fuzzer.cpp)"
    targets+=("${name//_/-}")
  done
fi

# Seeds from the game directory, per target. The stage and recording targets read a header
# before the file (see their sources), so their seeds get one.
seed_from_game() {
  local target="$1" dir="$2"
  rm -rf "$dir" && mkdir -p "$dir"
  case "$target" in
    bmp) cp "$game"/*_8.BMP "$dir"/ ;;
    corner-heights) cp "$game"/MAP[0-9].DAT "$dir"/ ;;
    cell-types) cp "$game"/TYPE_[0-9].DAT "$dir"/ ;;
    course-objects) cp "$game"/OBJ[0-9].COD "$dir"/ ;;
    checkpoints) cp "$game"/CHK[0-9].COD "$dir"/ ;;
    height-profiles) cp "$game"/CHR_H0.DAT "$dir"/ ;;
    record-file) cp "$game"/VANREC[0-9].DAT "$dir"/ ;;
    # The example packs the build makes beside its game directory.
    stage-pack) cp "$(dirname "$game")"/packs/*.vstage "$dir"/ ;;
    run-file)
      local n
      for n in 1 2 3 4 5; do
        "${VANTRELL_TOOL:-build/vantrell-tool}" export --stage "$n" --rank 1 --dir "$game" \
          --out "$dir/stage$n.run" >/dev/null
      done ;;
    world-api)
      # Run files sent to the runs route with the key, and a few requests of the other routes.
      local n
      for n in 1 2 3 4 5; do
        "${VANTRELL_TOOL:-build/vantrell-tool}" export --stage "$n" --rank 1 --dir "$game" \
          --out "$dir/stage$n.tmp" >/dev/null
        { printf '\011\000'; cat "$dir/stage$n.tmp"; } >"$dir/run$n"
        rm -f "$dir/stage$n.tmp"
      done
      printf '\000\000{"name":"Ada"}' >"$dir/register"
      printf '\0030&10' >"$dir/board"
      printf '\0041' >"$dir/ghost"
      printf '\007/api/v1/courses/x/runs' >"$dir/path" ;;
    recording-file)
      for n in 0 1 2 3 4; do
        { printf '\000\000\000'; cat "$game/S${n}N9.JOY"; } >"$dir/versus-S${n}N9"
        { printf '\001\004\000'; cat "$game/S${n}N8.JOY"; } >"$dir/demo-S${n}N8"
      done ;;
    stage)
      local n k file
      for n in 0 1 2 3 4; do
        k=0
        for file in "MAP${n}_8.BMP" "MAP${n}.DAT" "TYPE_${n}.DAT" "CHR${n}_8.BMP" CHR_H0.DAT \
                    "OBJ${n}.COD" "CHK${n}.COD"; do
          # stage, file, mode (solo), running, first craft at the start, second further on
          { printf "\\$(printf '%03o' "$n")\\$(printf '%03o' "$k")\\001\\001"
            printf '\007\200\005\000\020\000\200\000\040\000\000\000'
            cat "$game/$file"; } >"$dir/stage${n}-file${k}"
          k=$((k + 1))
        done
      done ;;
  esac
}

corpora="${FUZZ_CORPUS_DIR:-$out/corpus}"
mkdir -p "$corpora" "$out/findings" "$out/logs"
run_target() {
  local target="$1"
  local corpus="$corpora/$target" seeds="$out/seeds/$target"
  local log="$out/logs/$target.log"
  mkdir -p "$corpus"
  seed_from_game "$target" "$seeds"
  local extra=()
  [ -d "fuzz/seeds/$target" ] && extra+=("fuzz/seeds/$target")
  if VANTRELL_GAME_DIR="$game" "$out/$target-fuzzer" \
      -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$out/findings/$target-" \
      "$corpus" "$seeds" "${extra[@]}" >"$log" 2>&1; then
    echo ok >"$log.result"
  else
    echo FOUND >"$log.result"
  fi
}

running=0
for target in "${targets[@]}"; do
  if [ ! -x "$out/$target-fuzzer" ]; then
    echo "fuzz.sh: no target $target" >&2
    exit 2
  fi
  rm -f "$out/logs/$target.log.result"
  run_target "$target" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait

status=0
passed=0
printf '%-16s %8s %12s %8s  %s\n' target seconds executions corpus result
for target in "${targets[@]}"; do
  log="$out/logs/$target.log"
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  result="$(cat "$log.result" 2>/dev/null || echo FOUND)"
  units="$(find "$corpora/$target" -type f | wc -l)"
  printf '%-16s %8s %12s %8s  %s\n' "$target" "$seconds" "${runs:-?}" "$units" "$result"
  if [ "$result" = ok ]; then
    passed=$((passed + 1))
  else
    status=1
    echo "---- $target: see $log and $out/findings/" >&2
    grep -E 'ERROR|SUMMARY|fuzz check failed|after a race tick|Test unit written' "$log" >&2 || true
  fi
done
echo "fuzz: $passed passed, $(( ${#targets[@]} - passed )) failed"
exit $status
