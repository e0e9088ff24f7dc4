#!/usr/bin/env bash
# Installs what is missing, builds and starts the program. Extra arguments go
# to the program (for example --settings-root DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh default
cd build/default
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run: no display found; starting the program on a virtual display (xvfb-run)" >&2
  exec xvfb-run -a ./hakobee "$@"
fi
exec ./hakobee "$@"
