#!/usr/bin/env bash
# Installs the npm modules the tests need (mdb-reader, the second reader of
# the Access files the project writes) into tools/mdbreader/node_modules,
# exactly as pinned by its package-lock.json. Quick when already there.
set -euo pipefail
cd "$(dirname "$0")/../tools/mdbreader"
if [[ ! -d node_modules/mdb-reader ]] || [[ package-lock.json -nt node_modules/.package-lock.json ]]; then
  npm ci --no-audit --no-fund --loglevel=error
fi
