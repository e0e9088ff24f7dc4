#!/usr/bin/env bash
# Installs what is missing, builds, readies the CUPS print queue the printing
# tests use, and runs every test; then builds everything again with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer (preset "asan"), runs every
# test again there, and runs each fuzz target for a bounded time. The time
# of each step goes to build/test-times.txt (scripts/reliability-report.sh).
#
#   FUZZ_SECONDS=30   seconds per fuzz target (0 leaves the fuzzing out)
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build
times=build/test-times.txt
: >"$times"
started=$SECONDS
step() {
  local name="$1"
  shift
  local from=$SECONDS
  "$@"
  echo "$name=$((SECONDS - from))" >>"$times"
}

step build-default scripts/build.sh default
step cups-setup scripts/cups-setup.sh
step npm-deps scripts/npm-deps.sh
step test-default ctest --preset default

step configure-asan cmake --preset asan >/dev/null
step build-asan cmake --build --preset asan
step test-asan ctest --preset asan

if (("${FUZZ_SECONDS:-30}" > 0)); then
  step fuzz scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
fi
echo "total=$((SECONDS - started))" >>"$times"
