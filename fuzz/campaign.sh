#!/usr/bin/env bash
# A longer fuzzing run of every target on both cores (two targets at a time):
#   bash fuzz/campaign.sh SECONDS [BUILD_DIR]
# Builds the targets first (see `make fuzz-smoke` for the configuration).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:?usage: campaign.sh SECONDS [BUILD_DIR]}"
build="${2:-build-fuzz}"
make --no-print-directory fuzz-build FUZZ_BUILD="$build"
exec bash fuzz/run.sh "$build" "$seconds" 2 fuzz_formula fuzz_document fuzz_render
