#!/bin/bash
# vendrel-eval --relation X0 X1 Y0 Y1: holds, empty or undecided for the relation of each line
# over the box, as the plot decides a pixel; the time and the parameters reach the relation.
#   usage: bash relation.sh <vendrel-eval> [<vendrel>]
set -u
EVAL=${1:?usage: relation.sh <vendrel-eval> [<vendrel>]}
passed=0
failed=0

# Table rows: box (X0 X1 Y0 Y1)|T|FORMULA|expected, each a case of its own.
read -r -d '' TABLE <<'CASES'
0.5 1 0.5 1|0|x*x+y*y = 1|holds
0.5 1 0.5 1|3|x*x+y*y = 1+t|empty
1.5 2.5 -0.5 0.5|3|x*x+y*y = 1+t|holds
0.5 1 0.5 1|0|x*x+y*y <= 1|holds
2 3 2 3|0|x*x+y*y <= 1|empty
-0.25 0.25 -0.25 0.25|0|x*x+y*y = 0|holds
0.25 0.5 -0.25 0.25|0|x*x+y*y = 0|empty
-1 1 -1 1|0|Abs(x-y) = 0|holds
-10 10 -10 10|0|0*(2*x+y) = 0*3|holds
-1 5 -3 3|0|y = Sqrt(x-3)*Sqrt(1-x)|empty
0.5 0.5001 0.5 0.5001|0|(y = x) and (y = x + 0.0001)|empty
1.5 1.55 5 6|0|Tan(x) = y|empty
1.5 1.625 5 6|0|Tan(x) = y|undecided
1.5 1.625 100 101|0|Tan(x) = y|holds
0.5 1 0.5 1|0|y < Sin(x)|holds
0.5 1 0.9 1|0|y < Sin(x)|empty
8.5 9.5 -0.5 0.5|0|81-x*x-y*y = Abs(81-x*x-y*y)|holds
9.5 10 -0.5 0.5|0|81-x*x-y*y = Abs(81-x*x-y*y)|empty
-0.001 0.001 -0.001 0.001|0|Power(x*x+y*y, 3) = 27*x*x*y*y|holds
0 1 0 1|0|x mod 3 = y|holds
0 1 0 1|0|x*x+y*y =|error	EExprEvalError	Parse error: Factor expected
0 1 0 1|0|x*x+z = 1|error	EExprEvalError	Parse error: Unknown symbol: 'z'
CASES

while IFS='|' read -r box t formula expected; do
    # shellcheck disable=SC2086
    actual=$(printf '0\t%s\t%s\n' "$t" "$formula" | "$EVAL" --separator . --relation $box)
    if [ "$actual" == "$expected" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        printf 'FAIL %s over %s at t = %s: expected %s, got %s\n' "$formula" "$box" "$t" "$expected" "$actual"
    fi
done <<<"$TABLE"

# A parameter given with --set, and one line answered per input line.
actual=$(printf '0\t0\tx*x+y*y = a\n0\t0\tx < a\n' | "$EVAL" --set a=4 --relation 1.75 2.25 -0.25 0.25)
if [ "$actual" == $'holds\nholds' ]; then passed=$((passed + 1)); else
    failed=$((failed + 1))
    echo "FAIL --set with --relation: $actual"
fi

# Bad arguments: a usage line on stderr, exit 2 and no output.
for args in "--relation 1 0 0 1" "--relation 0 1 0" "--relation 0 1 0 x" "--relation 0 1 1 1" \
    "--relation 0 1 0 1 --derivative 1" "--relation 0 1 0 1 --roots 0 1" "--set y=1 --relation 0 1 0 1" \
    "--relation 0 1 0 1 --relation 0 1 0 1"; do
    # shellcheck disable=SC2086
    out=$("$EVAL" $args </dev/null 2>/dev/null)
    status=$?
    if [ $status -eq 2 ] && [ -z "$out" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL vendrel-eval $args: status $status, output '$out'"
    fi
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
