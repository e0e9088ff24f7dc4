#!/usr/bin/env bash
# Checks that includes run downwards only: ui -> platform -> core. The build
# already keeps widgets out of the core (hakobee_core links no Qt Widgets);
# this catches a core or platform file that reaches up into a layer above it.
# Prints every offending include and exits 1 when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
check() {
  local layer=$1 forbidden=$2
  local hits
  hits=$(grep -rnE "^#include \"(${forbidden})/" "src/${layer}" || true)
  if [[ -n "$hits" ]]; then
    echo "check-layers: src/${layer} includes from a layer above it:" >&2
    echo "$hits" >&2
    status=1
  fi
}
check core 'platform|ui'
check platform 'ui'
[[ $status -eq 0 ]] && echo "check-layers: includes run downwards only (ui -> platform -> core)"
exit $status
