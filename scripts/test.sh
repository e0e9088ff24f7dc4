#!/usr/bin/env bash
# Installs what is missing, builds, readies the CUPS print queue the printing
# tests use, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh default
scripts/cups-setup.sh
ctest --preset default
