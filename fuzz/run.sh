#!/usr/bin/env bash
# Runs fuzz targets for a bounded time each, at most PARALLEL at once, and prints per target
# the executions, the coverage reached and the findings. Exits 1 when any target found
# something (crash, sanitizer report, timeout, out-of-memory) or failed to run.
#
#   bash fuzz/run.sh BUILD_DIR SECONDS PARALLEL TARGET...
#
# New corpus entries go to BUILD_DIR/fuzz-corpus/<target> (the seeds in fuzz/corpus stay as
# they are); findings to BUILD_DIR/fuzz-findings/<target>, logs to BUILD_DIR/fuzz-logs.
set -uo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "$1" && pwd)"
seconds="$2"
parallel="$3"
shift 3

mkdir -p "$build/fuzz-logs"

run_one() {
  local target="$1"
  local corpus="$build/fuzz-corpus/$target" findings="$build/fuzz-findings/$target"
  mkdir -p "$corpus" "$findings"
  # A small stack makes unbounded recursion fail at once instead of after megabytes. The
  # time-out is generous: Power(b, 2^31 - 1) with b near 1 runs its 2^31 steps (seconds) by design.
  (
    ulimit -s 512
    cd "$findings" &&
    QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 LSAN_OPTIONS="suppressions=$here/lsan.supp" \
    "$build/fuzz/$target" -max_total_time="$seconds" -timeout=120 -rss_limit_mb=2048 -max_len=4096 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "$here/corpus/$target"
  ) > "$build/fuzz-logs/$target.log" 2>&1
  echo $? > "$build/fuzz-logs/$target.rc"
}

report() {
  local target="$1" log="$build/fuzz-logs/$1.log"
  local rc execs cov found
  rc="$(cat "$build/fuzz-logs/$target.rc")"
  execs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  cov="$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)"
  found="$(find "$build/fuzz-findings/$target" -type f | wc -l)"
  printf '%-14s executions %-10s cov: %-6s findings %s\n' "$target" "${execs:-?}" "${cov:-?}" "$found"
  if [ "$rc" -ne 0 ] || [ "$found" -ne 0 ]; then
    echo "  $target: exit $rc; log $log" >&2
    grep -m 5 -E 'ERROR|runtime error|invariant broken|Test unit written' "$log" | sed 's/^/  /' >&2
    return 1
  fi
}

pending=("$@")
while [ ${#pending[@]} -gt 0 ]; do
  batch=("${pending[@]:0:$parallel}")
  pending=("${pending[@]:$parallel}")
  for t in "${batch[@]}"; do run_one "$t" & done
  wait
done

passed=0
failed=0
for t in "$@"; do
  if report "$t"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
