#!/bin/bash
# Named parameters from the command line: --render --set draws what the same document with the
# value written into its formula draws, an animation moves the parameters tick by tick and
# gives the same bytes every time, bad --set arguments exit 2 with one line and no file, and
# vendrel-eval --set defines a parameter for the formulas it reads.
# Usage: bash render_parameters.sh <vendrel-eval path> <vendrel path>
set -u
EVAL="$1"
VENDREL="$2"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
passed=0
failed=0
check() { # name, status
    if [ "$2" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL $1"; fi
}
# A document of one frame of blur with formula $1 and the parameter section $2.
doc() { printf '[Main]\r\nFuncCount=1\r\nFunc1=%s\r\nFramesCount=1\r\n%s' "$1" "$2"; }
PARAMS=$'[Parameters]\r\nCount=2\r\nName1=a\r\nValue1=1\r\nMin1=0\r\nMax1=2\r\nStep1=0.75\r\nMode1=loop\r\nName2=Lift\r\nValue2=-1\r\nMin2=-2\r\nMax2=2\r\nStep2=1.5\r\nMode2=bounce\r\n'
doc 'a*Sin(x*t + 1) + lift' "$PARAMS" > "$WORK/params.vdg"

# --set against the value written in (and the document's own values against theirs).
render() { "$VENDREL" --render "$@" --size 160x120 2> "$WORK/err"; }
doc '(2.5)*Sin(x*t + 1) + (-1)' '' > "$WORK/set.vdg"
render "$WORK/params.vdg" "$WORK/a.png" --time 0.5 --set a=2.5 && render "$WORK/set.vdg" "$WORK/b.png" --time 0.5
cmp -s "$WORK/a.png" "$WORK/b.png"; check "--set a=2.5 draws as a=2.5 written in" $?
doc '(1)*Sin(x*t + 1) + (-1)' '' > "$WORK/own.vdg"
render "$WORK/params.vdg" "$WORK/a.png" --time 0.5 && render "$WORK/own.vdg" "$WORK/b.png" --time 0.5
cmp -s "$WORK/a.png" "$WORK/b.png"; check "the document's values draw as written in" $?

# Frame 3 of an animation shows the values after 2 ticks: a = 1 + 0.75 + 0.75 -> past 2 -> 0,
# Lift = -1 + 1.5 + 1.5 = 2.
anim() { "$VENDREL" --render "$WORK/params.vdg" "$@" --size 160x120 --from 0 --to 0.4 --step 0.1 2> "$WORK/err"; }
anim --frames "$WORK/f1" && anim --frames "$WORK/f2"
check "the animation was drawn: $(cat "$WORK/err")" $?
diff -r "$WORK/f1" "$WORK/f2" > /dev/null; check "two animations of one document are byte for byte the same" $?
doc '(0)*Sin(x*t + 1) + (2)' '' > "$WORK/tick2.vdg"
render "$WORK/tick2.vdg" "$WORK/tick2.png" --time 0.2
cmp -s "$WORK/f1/frame0003.png" "$WORK/tick2.png"; check "frame 3 shows the values after two ticks" $?
anim "$WORK/a.gif" && anim "$WORK/b.gif"
cmp -s "$WORK/a.gif" "$WORK/b.gif"; check "two GIF exports are byte for byte the same" $?

# Bad --set: exit 2, one line on stderr, no file.
while IFS='|' read -r name set message; do
    "$VENDREL" --render "$WORK/params.vdg" "$WORK/bad.png" --set "$set" 2> "$WORK/err"
    rc=$?
    [ $rc -eq 2 ]; check "$name: exit $rc" $?
    [ "$(grep -cv 'XDG_RUNTIME_DIR' "$WORK/err")" -eq 1 ] && grep -qF "$message" "$WORK/err"
    check "$name: stderr $(cat "$WORK/err")" $?
    [ ! -e "$WORK/bad.png" ]; check "$name: a file was written" $?
done <<'CASES'
an unknown name|b=1|vendrel: invalid --set: the document has no parameter 'b'
a bad number|a=fast|vendrel: invalid --set 'a=fast': 'fast' is not a valid floating point value
no value|a|vendrel: invalid --set 'a': expected NAME=VALUE
no name|=1|vendrel: invalid --set '=1': expected NAME=VALUE
CASES

# vendrel-eval --set: the name reads its value in any case; others keep their message.
out=$(printf '2\t0\tA*x + lift\n0\t0\tb\n' | "$EVAL" --separator . --set a=1.5 --set Lift=-0.25)
[ "$out" == $'ok\t2.75000000000000000000e+00\nerror\tEExprEvalError\tParse error: Unknown symbol: \'b\'' ]
check "vendrel-eval --set: $out" $?
while IFS='|' read -r name set message; do
    "$EVAL" --set "$set" < /dev/null > /dev/null 2> "$WORK/err"
    rc=$?
    [ $rc -eq 2 ] && [ "$(cat "$WORK/err")" == "vendrel-eval: $message" ]; check "vendrel-eval $name: $rc $(cat "$WORK/err")" $?
done <<'CASES'
t|t=1|'t' cannot name a parameter: x, y, s, t and Pi have a meaning of their own in formulas
a function|COS=1|'COS' cannot name a parameter: it is the name of a function
a bad number|a=1,5|invalid --set 'a=1,5': expected NAME=VALUE, VALUE written with "."
CASES
"$EVAL" --set k=1 --set K=2 < /dev/null 2> "$WORK/err"
[ $? -eq 2 ] && grep -qF "'K' cannot name a parameter: another parameter has that name" "$WORK/err"
check "vendrel-eval refuses one name twice: $(cat "$WORK/err")" $?

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
