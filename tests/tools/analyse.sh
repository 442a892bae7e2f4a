#!/bin/bash
# vendrel-eval's analysis modes: each input line gets its block of result lines and "end".
#   usage: bash analyse.sh <vendrel-eval> [<vendrel>]
set -u
EVAL=${1:?usage: analyse.sh <vendrel-eval> [<vendrel>]}
passed=0
failed=0

# check NAME EXPECTED ARGS... (the input on stdin)
check() {
    local name=$1 expected=$2
    shift 2
    local actual
    actual=$("$EVAL" --separator . "$@")
    if [ "$actual" == "$expected" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        printf 'FAIL %s\n  expected:\n%s\n  actual:\n%s\n' "$name" "$expected" "$actual"
    fi
}

T=$'\t'
check "roots, a pole and errors, one block per line" \
"root${T}-1.41421356237309504876e+00${T}-1.08420217248550443401e-19
root${T}1.41421356237309504876e+00${T}-1.08420217248550443401e-19
end
pole${T}0.00000000000000000000e+00
end
error${T}EConvertError${T}Input line is not X<TAB>T<TAB>FORMULA
end
error${T}EExprEvalError${T}Parse error: Unknown symbol: '2'
end
error${T}EAnalysisError${T}The formula is undefined at every sample of the interval (Domain check failure in MathLib)
end" --roots -10 10 < <(printf '0\t0\tx*x-2\n0\t0\t1/x\nno tabs\n0\t0\t2^3\n0\t0\tLn(-1-x*x)\n')

check "the time reaches the formula; x is unused" \
"root${T}5.00000000000000000000e-01${T}0.00000000000000000000e+00
end" --roots -1 1 < <(printf '7\t0.5\tx-t\n')

check "extrema at 523 samples: the roots of f', to the last bit" \
"maximum${T}-1.00000000000000000000e+00${T}2.00000000000000000000e+00
minimum${T}1.00000000000000000000e+00${T}-2.00000000000000000000e+00
end" --extrema -10 10 --samples 523 < <(printf '0\t0\tx*x*x-3*x\n')

check "inflection points: the long doubles nearest -pi, 0 and pi" \
"inflection${T}-3.14159265358979323851e+00${T}5.01655761266833202345e-20
inflection${T}0.00000000000000000000e+00${T}0.00000000000000000000e+00
inflection${T}3.14159265358979323851e+00${T}-5.01655761266833202345e-20
end" --inflections -4 4 < <(printf '0\t0\tSin(x)\n')

check "areas with their estimates, and an error inside the interval with its x" \
"area${T}1.77245385090551602764e+00${T}1.53735865262624167935e-19
end
undefined${T}0.00000000000000000000e+00${T}EZeroDivide${T}Floating point division by zero
note${T}The formula is undefined at x = 0 inside the interval
end" --area -10 10 < <(printf '0\t0\tExp(-x*x)\n0\t0\t1/x\n')

check "a reversed interval" \
"error${T}EAnalysisError${T}The interval's start must not lie after its end
end" --area 1 0 < <(printf '0\t0\tx\n')

# Bad arguments: a usage line on stderr, a non-zero exit and no output.
for args in "--roots 1" "--roots 1 x" "--area a 1" "--samples 1" "--roots 0 1 --extrema 0 1"; do
    # shellcheck disable=SC2086
    out=$("$EVAL" $args </dev/null 2>/dev/null)
    status=$?
    if [ $status -ne 0 ] && [ -z "$out" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL vendrel-eval $args: status $status, output '$out'"
    fi
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
