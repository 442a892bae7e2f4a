#!/bin/bash
# Drives vendrel-eval over a table of formulas under both decimal separators and
# compares every output line exactly.
#   usage: bash eval.sh <vendrel-eval> [<vendrel>]
# Table rows: separator|X|T|FORMULA|expected output, with "|" standing for a tab.
set -u
EVAL=${1:?usage: eval.sh <vendrel-eval> [<vendrel>]}

read -r -d '' TABLE <<'CASES'
.|0|0|2 + 3 * 4|ok|1.40000000000000000000e+01
.|0|0|2^3|error|EExprEvalError|Parse error: Unknown symbol: '2'
.|0|0|7 mod 0|error|EDivByZero|Division by zero
.|0|0|7 / 0|error|EZeroDivide|Floating point division by zero
.|0|0|0 / 0|error|EInvalidOp|Invalid floating point operation
.|0|0||error|EExprEvalError|Parse error: Factor expected
.|0|0|1e5000|error|EConvertError|'1e5000' is not a valid floating point value
.|0|0|1e-4999|ok|0.00000000000000000000e+00
.|2|0|x*x|ok|4.00000000000000000000e+00
.|3|0|X*x|ok|9.00000000000000000000e+00
.|0|0|Sqrt(-1)|error|EDomainError|Domain check failure in MathLib
.|0|0|Power(1, 2000000000)|ok|1.00000000000000000000e+00
.|0|0|Power(-1, 2000000001)|ok|-1.00000000000000000000e+00
.|0|0|ArcSec(0.5)|error|EInvalidOp|Invalid floating point operation
.|0|0|TanH(6000)|ok|1.00000000000000000000e+00
.|0|0|Exp(11357)|error|EOverflow|Floating point overflow
.|2|0.5|x*t|ok|1.00000000000000000000e+00
.|2|0|x*t|ok|0.00000000000000000000e+00
.|3|-0.3|x*t|ok|-9.00000000000000000033e-01
.|0|0.5|2t|ok|2.05000000000000000000e+01
.|0|0.5|T|error|EExprEvalError|Parse error: Unknown symbol: 'T'
.|0|0.5|Sqrt(t)+Cot(1)*0|ok|7.07106781186547524382e-01
.|0|0.00001|t*100000|ok|1.00000000000000000000e+00
.|0|0.5|not t|ok|0.00000000000000000000e+00
.|0|0.5|1,5|error|EExprEvalError|Parse error: Unknown symbol: '1'
.|0|0|1/3|ok|3.33333333333333333342e-01
.|0|0|Sin(x)/x|error|EInvalidOp|Invalid floating point operation
.|abc|0|1|error|EConvertError|'abc' is not a valid floating point value
,|0|0|1,5|ok|1.50000000000000000000e+00
,|0|0|1.5|error|EConvertError|'1.5' is not a valid floating point value
,|0|0|Power(2,3)|error|EExprEvalError|Parse error: ',' and another parameter expected
,|0|0|Power(2 ,3)|ok|8.00000000000000000000e+00
,|3|0|Power(x,3)|ok|2.70000000000000000000e+01
,|0|0.5|t*4|ok|2.00000000000000000000e+00
,|0|0.5|2t|ok|2.05000000000000000000e+01
,|0|0.00001|t*100000|ok|1.00000000000000000000e+00
,|0|0|LogBaseN(2 , 8)|ok|3.00000000000000000000e+00
,|2|0|Sqrt(x*8)|ok|4.00000000000000000000e+00
,|0|0|1/3|ok|3.33333333333333333342e-01
CASES

passed=0
failed=0
for sep in . ,; do
    rows=$(grep -F "$sep|" <<<"$TABLE" | grep "^[$sep]|")
    [ -n "$rows" ] || continue
    # The input is the X, T and formula fields; the tool must answer each line in order.
    input=$(cut -d'|' -f2-4 <<<"$rows" | tr '|' '\t')
    expected=$(cut -d'|' -f5- <<<"$rows" | tr '|' '\t')
    actual=$(printf '%s\n' "$input" | "$EVAL" --separator "$sep")
    mapfile -t exp_lines <<<"$expected"
    mapfile -t act_lines <<<"$actual"
    mapfile -t in_lines <<<"$input"
    for i in "${!exp_lines[@]}"; do
        if [ "${act_lines[$i]-<missing>}" == "${exp_lines[$i]}" ]; then
            passed=$((passed + 1))
        else
            failed=$((failed + 1))
            printf 'FAIL [%s] %s\n  expected: %s\n  actual:   %s\n' "$sep" "${in_lines[$i]}" "${exp_lines[$i]}" \
                "${act_lines[$i]-<missing>}"
        fi
    done
    if [ "${#act_lines[@]}" -ne "${#exp_lines[@]}" ]; then
        failed=$((failed + 1))
        echo "FAIL [$sep] ${#act_lines[@]} output lines for ${#exp_lines[@]} input lines"
    fi
done

# Lines of any length are read whole: a formula of a million characters.
long=$(printf '1+%.0s' $(seq 1 500000))0
if [ "$(printf '0\t0\t%s\n' "$long" | "$EVAL" --separator .)" == $'ok\t5.00000000000000000000e+05' ]; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    echo "FAIL a formula of a million characters"
fi

# Lines that are not X<TAB>T<TAB>FORMULA get an error line each, and reading goes on.
malformed=$(printf 'no tabs\n0\t0.5\n0\t0\t7\n' | "$EVAL" --separator .)
if [ "$malformed" == $'error\tEConvertError\tInput line is not X<TAB>T<TAB>FORMULA\nerror\tEConvertError\tInput line is not X<TAB>T<TAB>FORMULA\nok\t7.00000000000000000000e+00' ]; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    printf 'FAIL malformed lines:\n%s\n' "$malformed"
fi

# A bad option is refused with a usage message and a non-zero status.
if "$EVAL" --separator ab </dev/null >/dev/null 2>&1; then
    failed=$((failed + 1))
    echo "FAIL --separator with two characters was accepted"
else
    passed=$((passed + 1))
fi

TAB=$'\t'
check() { # name, condition result
    if [ "$2" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL $1"; fi
}

# --derivative 1 and 2: f'(X) and f''(X) in the value's place, errors as for values (where f
# fails, the same error; where the slope is unbounded, the division by zero).
derivatives=$(printf '2\t0\tx*x*x\n0\t0\tSqrt(x)\n1\t0\tLn(x-1)\n0\t0.5\tx*t\n' | "$EVAL" --separator . --derivative 1)
[ "$derivatives" == "ok${TAB}1.20000000000000000000e+01
error${TAB}EZeroDivide${TAB}Floating point division by zero
error${TAB}EDomainError${TAB}Domain check failure in MathLib
ok${TAB}5.00000000000000000000e-01" ]; check "first derivatives, got: $derivatives" $?
second=$(printf '2\t0\tx*x*x\n' | "$EVAL" --separator . --derivative 2)
[ "$second" == "ok${TAB}1.20000000000000000000e+01" ]; check "second derivative, got: $second" $?
for args in "--derivative 3" "--derivative" "--derivative 1 --roots 0 1"; do
    # shellcheck disable=SC2086
    out=$("$EVAL" $args </dev/null 2>/dev/null)
    [ $? -ne 0 ] && [ -z "$out" ]; check "vendrel-eval $args is refused" $?
done

# The curve variables are known only when given: s and y keep the unknown-name error without
# --set, and read their value with it.
curves=$(printf '0\t0\ts*2\n0\t0\ty+1\n0\t0\tx+1\n' | "$EVAL" --separator . --set s=1.5 --set y=2)
[ "$curves" == "ok${TAB}3.00000000000000000000e+00
ok${TAB}3.00000000000000000000e+00
ok${TAB}1.00000000000000000000e+00" ]; check "--set s and y, got: $curves" $?
unknown=$(printf '0\t0\ts\n0\t0\ty\n' | "$EVAL" --separator .)
[ "$unknown" == "error${TAB}EExprEvalError${TAB}Parse error: Unknown symbol: 's'
error${TAB}EExprEvalError${TAB}Parse error: Unknown symbol: 'y'" ]; check "s and y unknown without --set, got: $unknown" $?

# Overlong UTF-8 stands for no character: C0 B1 is not the digit 1, and C0 8A is no line
# break, so every input line gives exactly one output line, whatever its bytes.
overlong=$(printf '0\t0\t\xC0\xB1\n0\t0\t1\xC0\x8A+2\n0\t0\t\xED\xA0\x80\n0\t0\t3\r\n' | "$EVAL" --separator .)
[ "$(wc -l <<<"$overlong")" -eq 4 ]; check "one output line per input line, got: $overlong" $?
! grep -q "^ok" <<<"$(head -n2 <<<"$overlong")"; check "overlong forms were read as characters: $overlong" $?

# Results that cannot be written are a failure, not a success: a private node of the
# full device stands for a full disk.
work=$(mktemp -d)
if mknod "$work/full" c 1 7 2>/dev/null; then
    printf '0\t0\t1\n' | "$EVAL" --separator . >"$work/full" 2>"$work/err"
    rc=$?
    [ $rc -ne 0 ] && grep -q "cannot write" "$work/err"; check "writing to a full disk: exit $rc, stderr: $(cat "$work/err")" $?
else
    echo "SKIP full-disk output: cannot make a device node here"
fi
rm -rf "$work"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
