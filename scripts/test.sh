#!/usr/bin/env bash
# Installs what is missing, builds, readies the CUPS print queue the printing
# tests use, and runs every test; then builds everything again with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer (preset "asan"), runs every
# test again there, and runs each fuzz target for a bounded time.
#
#   FUZZ_SECONDS=30   seconds per fuzz target (0 leaves the fuzzing out)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh default
scripts/cups-setup.sh
scripts/npm-deps.sh
ctest --preset default

cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

if (("${FUZZ_SECONDS:-30}" > 0)); then
  scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
fi
