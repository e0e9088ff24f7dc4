#!/usr/bin/env bash
# Writes a PNG of every screen into OUTDIR (frmMain.png, Form1.png, ...),
# building the program first when needed. Renders offscreen; no display needed.
#
#   tools/screenshots.sh OUTDIR
set -euo pipefail
if [[ $# -ne 1 ]]; then
  echo "usage: tools/screenshots.sh OUTDIR" >&2
  exit 2
fi
outdir="$(mkdir -p "$1" && cd "$1" && pwd)"
cd "$(dirname "$0")/.."
scripts/build.sh default >/dev/null
QT_QPA_PLATFORM=offscreen build/default/hakobee-screenshots "$outdir"
