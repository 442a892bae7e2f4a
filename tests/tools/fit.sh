#!/bin/bash
# Drives vendrel-eval --fit over data files and compares its lines: the answers against the
# references of tests/analysis/data/fit_problems.txt (computed with mpmath) to 15 digits, the
# failures exactly.
#   usage: bash fit.sh <vendrel-eval> [<vendrel>]
set -u
EVAL=${1:?usage: fit.sh <vendrel-eval> [<vendrel>]}
DATA=$(cd "$(dirname "$0")/../analysis/data" && pwd)
TAB=$'\t'
passed=0
failed=0
check() { # name, condition result
    if [ "$2" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL $1"; fi
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The noisy decay from two starts: each value and its standard error agree with the
# reference to 15 significant digits, and the lines come in the documented order.
reference=$(grep '^decay_noisy' "$DATA/fit_problems.txt")
IFS=, read -r -a values <<<"$(cut -f6 <<<"$reference")"
IFS=, read -r -a errors <<<"$(cut -f7 <<<"$reference")"
for start in "a=1 b=1 c=0" "a=100 b=0.01 c=-50"; do
    args=()
    for s in $start; do args+=(--start "$s"); done
    out=$("$EVAL" --fit "$DATA/fit_decay_noisy.csv" --model 'a*Exp(-b*x) + c' "${args[@]}")
    check "exit status 0 from $start" $?
    [ "$(cut -f1 <<<"$out" | tr '\n' ' ')" == "param param param rss iterations end " ]
    check "line order from $start: $out" $?
    i=0
    for name in a b c; do
        line=$(grep "^param${TAB}${name}${TAB}" <<<"$out")
        close=$(python3 -c "import sys; from decimal import Decimal as D
v, e, rv, re = map(D, sys.argv[1:])
print(int(abs(v - rv) <= abs(rv) * D('1e-15') and abs(e - re) <= abs(re) * D('1e-12')))" \
            "$(cut -f3 <<<"$line")" "$(cut -f4 <<<"$line")" "${values[$i]}" "${errors[$i]}")
        [ "$close" == 1 ]; check "$name from $start: $line (reference ${values[$i]} ± ${errors[$i]})" $?
        i=$((i + 1))
    done
done

# A decimal-comma file with semicolons, its columns chosen: y = 2x + 1 read backwards.
printf 'y;x\n3,0;1\n5,0;2\n7,5;3,25\n' >"$work/comma.txt"
out=$("$EVAL" --fit "$work/comma.txt" --columns 2,1 --model 'a*x + b' --start a=0 --start b=0 --separator .)
[ "$(head -n2 <<<"$out" | cut -f1-3)" == "param${TAB}a${TAB}2.00000000000000000000e+00
param${TAB}b${TAB}1.00000000000000000000e+00" ]; check "decimal commas and --columns: $out" $?

# Failures: one error line and status 1.
printf 'x,y\n1,2\n2,oops\n' >"$work/bad.csv"
printf 'x,y\n1,2\n2,4\n3,6\n' >"$work/line.csv"
while IFS='|' read -r name file model starts expected; do
    args=()
    for s in $starts; do args+=(--start "$s"); done
    out=$("$EVAL" --fit "$file" --model "$model" "${args[@]}" --separator . 2>&1)
    rc=$?
    [ $rc -eq 1 ] && [ "$out" == "$expected" ]; check "$name: exit $rc, $out" $?
done <<CASES
a bad field|$work/bad.csv|a*x|a=1|error${TAB}EDataFileError${TAB}Line 3: 'oops' is not a number
no such file|$work/none.csv|a*x|a=1|error${TAB}EDataFileError${TAB}Cannot read $work/none.csv
a formula that cannot be read|$work/line.csv|a*/x|a=1|error${TAB}EExprEvalError${TAB}Parse error: Factor expected
a singular Jacobian|$work/line.csv|a*b*x|a=1 b=1|error${TAB}EFitError${TAB}The parameters cannot be told apart by the data: the Jacobian is singular
undefined at a point|$work/line.csv|a*Ln(x - 2)|a=1|error${TAB}EFitError${TAB}The model is undefined at the point of line 2: Domain check failure in MathLib
too few points|$work/line.csv|a + b*x + c*x*x|a=1 b=1 c=1|error${TAB}EFitError${TAB}The fit needs more data points than parameters to vary
CASES

# Bad arguments: a line on standard error, status 2, nothing on standard output.
for args in "--fit $work/line.csv --model x" "--fit $work/line.csv --model x --start x=1" \
    "--fit $work/line.csv --model a*x --start a=one" "--fit $work/line.csv --model a*x --start a=1 --columns 0,1" \
    "--fit $work/line.csv --model a*x --start a=1 --start A=2" "--fit $work/line.csv --model a*x --start a=1 --bogus 1"; do
    # shellcheck disable=SC2086
    out=$("$EVAL" $args 2>"$work/err")
    rc=$?
    [ $rc -eq 2 ] && [ -z "$out" ] && [ "$(wc -l <"$work/err")" -eq 1 ]; check "vendrel-eval $args: exit $rc" $?
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
