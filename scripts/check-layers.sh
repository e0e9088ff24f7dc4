#!/usr/bin/env bash
# Checks that includes run downwards only: ui -> production, cli ->
# production, production -> platform -> core; the window (ui) and the
# subcommands (cli) stand side by side and include nothing of each other.
# The build already keeps widgets out of the core (hakobee_core links no Qt
# Widgets); this catches a file that reaches up or across into another layer.
# Prints every offending include and exits 1 when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
check() {
  local layer=$1 forbidden=$2
  local hits
  hits=$(grep -rnE "^#include \"(${forbidden})/" "src/${layer}" || true)
  if [[ -n "$hits" ]]; then
    echo "check-layers: src/${layer} includes from a layer above or beside it:" >&2
    echo "$hits" >&2
    status=1
  fi
}
check core 'platform|production|cli|ui'
check platform 'production|cli|ui'
check production 'cli|ui'
check cli 'ui'
check ui 'cli'
[[ $status -eq 0 ]] && echo "check-layers: includes run downwards only (ui, cli -> production -> platform -> core)"
exit $status
