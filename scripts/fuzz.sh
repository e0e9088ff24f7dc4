#!/usr/bin/env bash
# Runs every fuzz target of the sanitizer build (build/asan, preset "asan")
# for a bounded time, two at a time (one per core), and fails when any of
# them finds a crash, a hang, a leak or a broken promise.
#
#   scripts/fuzz.sh [SECONDS]     seconds per target (default 60)
#
# Each target starts from its seeds and from the inputs kept from earlier
# findings (tests/fuzz/regressions/<target>/); what it learns stays in
# build/asan/fuzz/corpus/<target>/ for the next run. A finding is written to
# build/asan/fuzz/findings/; fix it, then copy the input to
# tests/fuzz/regressions/<target>/ so the normal test run replays it.
# build/asan/fuzz/summary.txt holds one line of figures per target.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build=build/asan
out="$build/fuzz"
targets=(settingsrows settingsrecord querytext janbarcode accessfile)

for target in "${targets[@]}"; do
  if [[ ! -x "$build/tests/fuzz/fuzz_$target" ]]; then
    echo "fuzz: $build/tests/fuzz/fuzz_$target is missing; build the asan preset first" >&2
    exit 1
  fi
done
rm -rf "$out/findings" "$out/logs"
mkdir -p "$out/findings" "$out/logs"

# Findings end the run at once; a report without a stack is of no use.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LC_ALL=C.UTF-8

run_target() {
  local target="$1"
  local corpus="$out/corpus/$target"
  local seeds="tests/fuzz/seeds/$target"
  [[ -d "$seeds" ]] || seeds="$build/tests/fuzz/seeds/$target"
  local inputs=("$corpus" "$seeds")
  [[ -d "tests/fuzz/regressions/$target" ]] && inputs+=("tests/fuzz/regressions/$target")
  local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
                 -artifact_prefix="$out/findings/$target-")
  [[ -f "tests/fuzz/$target.dict" ]] && options+=(-dict="tests/fuzz/$target.dict")
  mkdir -p "$corpus"
  # libFuzzer's exit code says whether it found something; the summary
  # below reads the findings folder, so the code is not needed here.
  "$build/tests/fuzz/fuzz_$target" "${options[@]}" "${inputs[@]}" \
    >"$out/logs/$target.log" 2>&1 || true
}

started=$(date +%s)
running=0
for target in "${targets[@]}"; do
  run_target "$target" &
  running=$((running + 1))
  if ((running == 2)); then
    wait -n
    running=$((running - 1))
  fi
done
wait

summary="$out/summary.txt"
: >"$summary"
found=0
for target in "${targets[@]}"; do
  log="$out/logs/$target.log"
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  corpus=$(find "$out/corpus/$target" -type f | wc -l)
  findings=$(find "$out/findings" -name "$target-*" -type f | wc -l)
  echo "target=$target seconds=$seconds executions=${executions:-0} corpus=$corpus findings=$findings" |
    tee -a "$summary"
  if ((findings > 0)) || [[ -z "$executions" ]]; then
    found=1
    echo "fuzz: $target: see $log" >&2
    grep -E "^(==[0-9]+==ERROR|SUMMARY|fuzz: broken)" "$log" | head -5 >&2 || true
  fi
done
echo "fuzz: $(($(date +%s) - started)) s in all"
exit "$found"
