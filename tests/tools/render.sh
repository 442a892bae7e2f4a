#!/bin/bash
# vendrel --render from the outside: a document becomes a PNG of the asked size; a drawing
# error exits 1 with the error's text on stderr; bad arguments exit 2.
# Usage: bash render.sh <vendrel-eval path> <vendrel path>
set -u
VENDREL="$2"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
FAILURES=0

fail() { echo "FAIL: $*" >&2; FAILURES=$((FAILURES + 1)); }

# Width and height of a PNG, read from its IHDR chunk.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'; }

printf '[Main]\r\nFuncCount=2\r\nFunc1=Sin(x*t)*5\r\nColor1=255\r\nFunc2=1/x\r\nStyleStr2=1\r\n' > "$WORK/good.vdg"
printf '[Main]\r\nFuncCount=1\r\nFunc1=Sin(x+\r\n' > "$WORK/bad.vdg"

"$VENDREL" --render "$WORK/good.vdg" "$WORK/default.png" 2> "$WORK/err"
rc=$?
[ $rc -eq 0 ] || fail "good document: exit $rc, stderr: $(cat "$WORK/err")"
[ "$(png_size "$WORK/default.png" 2>/dev/null)" = "523x523" ] || fail "default size is not 523x523"

"$VENDREL" --render "$WORK/good.vdg" "$WORK/sized.png" --size 320x200 --time 0.5 2> "$WORK/err"
rc=$?
[ $rc -eq 0 ] || fail "--size/--time: exit $rc, stderr: $(cat "$WORK/err")"
[ "$(png_size "$WORK/sized.png" 2>/dev/null)" = "320x200" ] || fail "--size 320x200 not honoured"

# --scale R: the logical size times R, every partly covered pixel counted.
for case in "523x523 2 1046x1046" "101x100 1.5 152x150" "40x40 0.25 10x10"; do
    set -- $case
    "$VENDREL" --render "$WORK/good.vdg" "$WORK/scaled.png" --size "$1" --scale "$2" 2> "$WORK/err"
    rc=$?
    [ $rc -eq 0 ] || fail "--scale $2: exit $rc, stderr: $(cat "$WORK/err")"
    [ "$(png_size "$WORK/scaled.png" 2>/dev/null)" = "$3" ] || fail "--size $1 --scale $2 is not $3"
done
# Too large only once scaled: refused with the options, before the document is read.
"$VENDREL" --render "$WORK/missing.vdg" "$WORK/huge.png" --size 16384x16384 --scale 8 2> "$WORK/err"
[ $? -eq 2 ] || fail "a scaled picture over the size limit: expected exit 2"
grep -q "^vendrel: invalid size '16384x16384' at scale 8: the picture would be 131072x131072" "$WORK/err" \
    || fail "scaled size: message missing: $(cat "$WORK/err")"
[ -e "$WORK/huge.png" ] && fail "a scaled picture over the size limit left a file"

# The desktop's scale settings do not reach the picture: only --scale does.
for setting in QT_SCALE_FACTOR=3 QT_FONT_DPI=200 QT_SCREEN_SCALE_FACTORS=2.5; do
    env "$setting" "$VENDREL" --render "$WORK/good.vdg" "$WORK/env.png" 2> /dev/null || fail "$setting: exit $?"
    cmp -s "$WORK/env.png" "$WORK/default.png" || fail "$setting in the environment changed the picture"
done

"$VENDREL" --render "$WORK/bad.vdg" "$WORK/bad.png" 2> "$WORK/err"
rc=$?
[ $rc -eq 1 ] || fail "bad formula: exit $rc, expected 1"
grep -q "^Parse error: " "$WORK/err" || fail "bad formula: no parse error on stderr: $(cat "$WORK/err")"

# 1/x has an undefined point where a fill cannot have a gap: the fill ends the drawing.
"$VENDREL" --render "$WORK/good.vdg" "$WORK/filled.png" --filled 2> "$WORK/err"
rc=$?
[ $rc -eq 1 ] || fail "filled 1/x: exit $rc, expected 1"
grep -q "Floating point division by zero" "$WORK/err" || fail "filled 1/x: message missing: $(cat "$WORK/err")"

"$VENDREL" --render "$WORK/good.vdg" "$WORK/x.png" --time abc 2> "$WORK/err"
[ $? -eq 1 ] || fail "time that is not a number: expected exit 1"
grep -q "'abc' is not a valid floating point value" "$WORK/err" || fail "bad time: message missing: $(cat "$WORK/err")"

"$VENDREL" --render "$WORK/missing.vdg" "$WORK/x.png" 2> /dev/null
[ $? -eq 1 ] || fail "missing document: expected exit 1"

# "--render --help" is the program's help, on standard output, exit 0.
"$VENDREL" --render --help > "$WORK/help" 2> /dev/null || fail "--render --help: exit $?"
grep -q "^Usage: vendrel " "$WORK/help" || fail "--render --help shows no usage line"

for args in "--render $WORK/good.vdg" "--render $WORK/good.vdg $WORK/x.png --size 0x10" \
            "--render $WORK/good.vdg $WORK/x.png --size" "--render $WORK/good.vdg $WORK/x.png --bogus" \
            "--render $WORK/good.vdg $WORK/x.png --scale 0" "--render $WORK/good.vdg $WORK/x.png --scale abc" \
            "--render $WORK/good.vdg $WORK/x.png --scale 9" "--render $WORK/good.vdg $WORK/x.png --scale"; do
    # shellcheck disable=SC2086
    "$VENDREL" $args 2> /dev/null
    rc=$?
    [ $rc -eq 2 ] || fail "'$args': exit $rc, expected 2"
done

# Names are the bytes the user gave. One that is not UTF-8 is used as given or refused, and
# never traded for another name: nothing but the named file may appear.
BYTES_DIR="$WORK/bytes"
mkdir "$BYTES_DIR"
cp "$WORK/good.vdg" "$BYTES_DIR/$(printf 'in\xE9\xFF.vdg')"
"$VENDREL" --render "$BYTES_DIR/$(printf 'in\xE9\xFF.vdg')" "$BYTES_DIR/$(printf 'out\xE9\xFF.png')" 2> "$WORK/err"
rc=$?
others=$(ls "$BYTES_DIR" | LC_ALL=C grep -av "$(printf '\xE9\xFF')")
[ -z "$others" ] || fail "a name that is not UTF-8 wrote another file: $others"
if [ $rc -eq 0 ]; then
    [ -s "$BYTES_DIR/$(printf 'out\xE9\xFF.png')" ] || fail "exit 0 but the named picture is missing"
else
    [ -s "$WORK/err" ] || fail "a name that is not UTF-8 was refused without a message"
fi

# Only a regular file of at most the document size is a document: not a pipe, not a device,
# not a file past the cap (read as empty, it would draw an empty picture and exit 0).
mkfifo "$WORK/pipe.vdg"
timeout 20 "$VENDREL" --render "$WORK/pipe.vdg" "$WORK/x.png" 2> /dev/null
[ $? -eq 1 ] || fail "a pipe as document: expected exit 1 at once"
truncate -s 65M "$WORK/large.vdg"
"$VENDREL" --render "$WORK/large.vdg" "$WORK/large.png" 2> "$WORK/err"
[ $? -eq 1 ] || fail "a document past the size cap: expected exit 1"
[ ! -e "$WORK/large.png" ] || fail "a document past the size cap drew a picture"

# Past a file-size limit the picture cannot be written: exit 1 with a message, not death by
# SIGXFSZ.
prlimit --fsize=4096 "$VENDREL" --render "$WORK/good.vdg" "$WORK/limited.png" --size 2000x2000 2> "$WORK/err"
rc=$?
[ $rc -eq 1 ] || fail "file-size limit: exit $rc, expected 1 (stderr: $(cat "$WORK/err"))"

# Out of memory under a limit: a clear line and exit 1, not an abort. A formula of 30 million
# characters needs far more than the limit leaves once the program has started. Skipped where
# the limit stops the program from starting at all (a sanitizer's reserved shadow memory).
LIMIT_KB=$((400 * 1024))
if bash -c 'ulimit -v "$1"; "$2" --render "$3" "$4"; exit $?' _ $LIMIT_KB "$VENDREL" "$WORK/good.vdg" "$WORK/small.png" 2> /dev/null; then
    { printf '[Main]\r\nFuncCount=1\r\nFunc1='; yes 1 | tr -d '\n' | head -c 30000000; printf '\r\n'; } > "$WORK/huge.vdg"
    (ulimit -v $LIMIT_KB; "$VENDREL" --render "$WORK/huge.vdg" "$WORK/huge.png") 2> "$WORK/err"
    rc=$?
    [ $rc -eq 1 ] || fail "out of memory: exit $rc, expected 1 (stderr: $(cat "$WORK/err"))"
    grep -qi "memory" "$WORK/err" || fail "out of memory: no message: $(cat "$WORK/err")"
else
    echo "SKIP out of memory: the program does not start under a ${LIMIT_KB} KiB address-space limit"
fi
# A render past its time limit stops with a clear error and leaves no file: an older picture
# at OUT stays as it was and nothing else appears beside it. The document needs seconds.
formula=x
for i in $(seq 200); do formula="Sin($formula+$((i % 7)))"; done
{ printf '[Main]\r\nFuncCount=100\r\n'; for i in $(seq 100); do printf 'Func%d=%s*%d\r\n' "$i" "$formula" "$i"; done; } > "$WORK/slow.vdg"
mkdir "$WORK/out" && echo "older picture" > "$WORK/out/slow.png"
"$VENDREL" --render "$WORK/slow.vdg" "$WORK/out/slow.png" --size 4000x1000 --time-limit 0.3 2> "$WORK/err"
rc=$?
[ $rc -eq 1 ] || fail "render past its time limit: exit $rc, expected 1"
grep -qx "vendrel: the render took longer than 0.3 s and was stopped" "$WORK/err" || fail "time limit: message missing: $(cat "$WORK/err")"
[ "$(cat "$WORK/out/slow.png")" = "older picture" ] || fail "time limit: the older picture was touched"
[ "$(ls "$WORK/out")" = "slow.png" ] || fail "time limit: files left beside the picture: $(ls "$WORK/out")"

# A pipe as the output: without a reader it fails at once; with a reader that does not read, the
# time limit covers the write, and with no limit given the default one does, an animation's too.
mkfifo "$WORK/fifo.png" "$WORK/fifo.gif"
timeout 20 "$VENDREL" --render "$WORK/good.vdg" "$WORK/fifo.png" 2> "$WORK/err"
rc=$?
[ $rc -eq 1 ] || fail "a pipe without a reader: exit $rc, expected 1"
grep -qx "vendrel: cannot write $WORK/fifo.png" "$WORK/err" || fail "pipe without a reader: $(cat "$WORK/err")"
{ printf '[Main]\r\nFuncCount=30\r\n'; for i in $(seq 30); do printf 'Func%d=Sin(x*%d+t)*%d+Cos(x*x/%d)\r\nColor%d=%d\r\n' $i $i $((i % 9)) $i $i $((i * 123457 % 16777216)); done; } > "$WORK/busy.vdg"
exec 3<> "$WORK/fifo.png" 4<> "$WORK/fifo.gif" # readers that never read
timeout 30 "$VENDREL" --render "$WORK/busy.vdg" "$WORK/fifo.png" --size 1600x1600 --time-limit 1 2> "$WORK/err"
rc=$?
[ $rc -eq 1 ] || fail "a pipe that is not read, --time-limit 1: exit $rc, expected 1"
grep -qx "vendrel: the render took longer than 1 s and was stopped" "$WORK/err" || fail "unread pipe: $(cat "$WORK/err")"
timeout 40 "$VENDREL" --render "$WORK/busy.vdg" "$WORK/fifo.gif" --size 800x800 --from 0 --to 0.1 --step 0.1 2> "$WORK/err"
rc=$?
[ $rc -eq 1 ] || fail "an animation into a pipe that is not read: exit $rc, expected 1 after the default limit"
grep -qx "vendrel: the render took longer than 10 s and was stopped" "$WORK/err" || fail "animation: $(cat "$WORK/err")"
exec 3<&- 4<&-

for limit in 0 -1 abc 1e9 nan inf 10s; do
    "$VENDREL" --render "$WORK/good.vdg" "$WORK/x.png" --time-limit "$limit" 2> "$WORK/err"
    rc=$?
    [ $rc -eq 2 ] || fail "--time-limit $limit: exit $rc, expected 2"
    grep -q "invalid time limit '$limit'" "$WORK/err" || fail "--time-limit $limit: message missing: $(cat "$WORK/err")"
done
for limit in 0 -1 abc 65537 1.5; do
    "$VENDREL" --render "$WORK/good.vdg" "$WORK/x.png" --document-limit "$limit" 2> "$WORK/err"
    rc=$?
    [ $rc -eq 2 ] || fail "--document-limit $limit: exit $rc, expected 2"
    grep -q "invalid document limit '$limit'" "$WORK/err" || fail "--document-limit $limit: $(cat "$WORK/err")"
done
"$VENDREL" --render "$WORK/good.vdg" "$WORK/x.png" --document-limit 65536 2> "$WORK/err" || fail "--document-limit 65536: $(cat "$WORK/err")"
"$VENDREL" --render "$WORK/good.vdg" "$WORK/limited.png" --time-limit 30 2> "$WORK/err" || fail "--time-limit 30 on a quick document failed: $(cat "$WORK/err")"
cmp -s "$WORK/limited.png" "$WORK/default.png" || fail "a time limit changed the picture"

[ $FAILURES -eq 0 ] && echo "render: all checks passed"
exit $((FAILURES > 0))
