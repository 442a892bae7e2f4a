#!/usr/bin/env bash
# The build places the help page beside the program, where Help > Index looks for it.
set -euo pipefail
vendrel="$2"
page="$(dirname "$vendrel")/Vendrel.html"
if [ ! -f "$page" ]; then
  echo "FAIL: no help page at $page" >&2
  exit 1
fi
for section in 'id="language"' 'id="functions"' 'id="keys"' 'id="settings"'; do
  grep -q "$section" "$page" || { echo "FAIL: help page lacks $section" >&2; exit 1; }
done
echo "help page present: $page"
