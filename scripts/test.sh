#!/usr/bin/env bash
# Installs what is missing, builds, readies the CUPS print queue the printing
# tests use, and runs every test; then builds everything again with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer (preset "asan") and runs
# every test again there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh default
scripts/cups-setup.sh
scripts/npm-deps.sh
ctest --preset default

cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan
