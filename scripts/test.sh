#!/usr/bin/env bash
# Installs what is missing, builds, readies the CUPS print queue the printing
# tests use, and runs every test; then builds the tests labelled "asan" with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs them again.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh default
scripts/cups-setup.sh
scripts/npm-deps.sh
ctest --preset default

mapfile -t asan_targets < <(ctest --preset default -L asan -N | sed -n 's/^ *Test *#[0-9]*: *//p')
if ((${#asan_targets[@]})); then
  cmake --preset asan >/dev/null
  cmake --build --preset asan --target "${asan_targets[@]}"
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --preset asan
fi
