#!/usr/bin/env bash
# Fails when a C++ file that git tracks is not laid out as .clang-format says; prints the
# files to run `clang-format -i` on. Tables aligned by hand stand between
# `// clang-format off` and `// clang-format on`.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format > /dev/null || { echo "check-format: clang-format is not installed" >&2; exit 1; }
bad=()
while IFS= read -r f; do
  clang-format --dry-run --Werror "$f" > /dev/null 2>&1 || bad+=("$f")
done < <(git ls-files '*.cpp' '*.h' ':!fuzz/corpus/*')
if [ ${#bad[@]} -gt 0 ]; then
  echo "check-format: not formatted (run clang-format -i on them):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "check-format: every C++ file is formatted"
