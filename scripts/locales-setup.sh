#!/usr/bin/env bash
# Compiles the locales the locale tests run the program under into a folder
# of their own (default build/default/locales), for glibc's LOCPATH. Needs
# no root: the sources come from Debian's "locales" package (scripts/deps.sh),
# nothing is added to the system's locale archive. Quick when done before.
#
#   scripts/locales-setup.sh [OUTDIR]
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/default/locales}"
locales=(en_US ja_JP de_DE)

if [[ ! -d /usr/share/i18n/locales ]]; then
  echo "locales-setup: /usr/share/i18n/locales is missing; run scripts/deps.sh (package locales)" >&2
  exit 1
fi
mkdir -p "$out"
for name in "${locales[@]}"; do
  target="$out/$name.UTF-8"
  [[ -f "$target/LC_NUMERIC" ]] && continue
  # Build beside the target and move it in place, so an interrupted run
  # never leaves a half-made locale that a later run would take as done.
  rm -rf "$target.tmp"
  localedef -i "$name" -f UTF-8 "$target.tmp"
  rm -rf "$target"
  mv "$target.tmp" "$target"
done
