#!/bin/bash
# vendrel --render into every format: the extension chooses it, an animation's third frame is
# the picture --render --time gives for its time, and every bad argument or unwritable output
# gives one line on stderr, a non-zero exit and no file.
# Usage: bash render_export.sh <vendrel-eval path> <vendrel path>
set -u
VENDREL="$2"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
FAILURES=0
fail() { echo "FAIL: $*" >&2; FAILURES=$((FAILURES + 1)); }
have() { command -v "$1" > /dev/null; }

# One frame of blur, so a frame of the animation is the still picture of its time.
printf '[Main]\r\nFuncCount=2\r\nFunc1=Sin(x*t)*5\r\nColor1=255\r\nFunc2=x/2+t\r\nStyleStr2=1\r\nFramesCount=1\r\n' > "$WORK/doc.vdg"

for ext in png svg pdf webp gif; do
    anim=""
    case $ext in webp|gif) anim="--from 0 --to 0.4 --step 0.1 --delay 50" ;; esac
    # shellcheck disable=SC2086
    "$VENDREL" --render "$WORK/doc.vdg" "$WORK/out.$ext" --size 200x150 $anim 2> "$WORK/err" \
        || fail "$ext: exit $?, stderr: $(cat "$WORK/err")"
done
head -c 8 "$WORK/out.png" | grep -q PNG || fail "out.png is no PNG"
grep -q '<svg' "$WORK/out.svg" || fail "out.svg is no SVG"
head -c 5 "$WORK/out.pdf" | grep -q '%PDF-' || fail "out.pdf is no PDF"
head -c 6 "$WORK/out.gif" | grep -q 'GIF89a' || fail "out.gif is no GIF"
if have webpmux; then
    frames=$(webpmux -info "$WORK/out.webp" | grep -c '^ *[0-9]*:.*no *[0-9]* *$\|^ *[0-9]\+:')
    [ "$frames" -eq 5 ] || fail "out.webp has $frames frames, expected 5"
    webpmux -info "$WORK/out.webp" | grep -q ' 50 ' || fail "out.webp: no frame of 50 ms"
fi

# The third frame of the animation against --render --time of its time (the WebP's frames are
# checked whole by the export test, through libwebp's own animation decoder).
"$VENDREL" --render "$WORK/doc.vdg" "$WORK/still.png" --size 200x150 --time 0.2 2> /dev/null || fail "still"
if have compare; then
    # A GIF frame holds what changed; coalesced, it is the picture a viewer shows.
    convert "$WORK/out.gif" -coalesce "$WORK/gif-%d.png"
    diff=$(compare -metric AE "$WORK/gif-2.png" "$WORK/still.png" null: 2>&1)
    [ "$diff" = "0" ] || fail "gif frame 3 differs from --time 0.2 in $diff pixels"
fi
"$VENDREL" --render "$WORK/doc.vdg" --frames "$WORK/frames" --size 200x150 --from 0 --to 0.4 --step 0.1 2> "$WORK/err" \
    || fail "--frames: $(cat "$WORK/err")"
[ "$(ls "$WORK/frames" | tr '\n' ' ')" = "frame0001.png frame0002.png frame0003.png frame0004.png frame0005.png " ] \
    || fail "--frames wrote: $(ls "$WORK/frames")"
if have compare; then
    diff=$(compare -metric AE "$WORK/frames/frame0003.png" "$WORK/still.png" null: 2>&1)
    [ "$diff" = "0" ] || fail "frame0003.png differs from --time 0.2 in $diff pixels"
fi

mkdir "$WORK/dir.svg"
# Bad arguments: exit 2, one line on stderr, no file.
D="$WORK/doc.vdg"
while IFS='|' read -r name args; do
    # shellcheck disable=SC2086
    "$VENDREL" --render $args 2> "$WORK/err"
    rc=$?
    [ $rc -eq 2 ] || fail "$name: exit $rc, expected 2"
    # Qt's own note about a missing XDG_RUNTIME_DIR is the environment's, not an argument's.
    [ "$(grep -vc '^QStandardPaths:' "$WORK/err")" -eq 1 ] || fail "$name: stderr is not one line: $(cat "$WORK/err")"
    [ ! -e "$WORK/bad.out" ] && [ ! -e "$WORK/bad.gif" ] && [ ! -e "$WORK/bad.webp" ] || fail "$name: left a file"
done <<ARGS
unknown extension|$D $WORK/bad.bmp
svg smaller than 16|$D $WORK/bad.svg --size 15x100
larger than 16384|$D $WORK/bad.gif --size 16385x20 --from 0 --to 1 --step 1
step of 0|$D $WORK/bad.gif --from 0 --to 1 --step 0
step of the wrong sign|$D $WORK/bad.gif --from 0 --to 1 --step -0.1
more than 10000 frames|$D $WORK/bad.gif --from 0 --to 10000 --step 1
webp wider than its encoder takes|$D $WORK/bad.webp --size 16384x16384 --from 0 --to 1 --step 1
webp too large once scaled|$D $WORK/bad.webp --size 8192x20 --scale 2 --from 0 --to 1 --step 1
gif too large once scaled|$D $WORK/bad.gif --size 16384x20 --scale 1.5 --from 0 --to 1 --step 1
animation without times|$D $WORK/bad.gif
times for a still picture|$D $WORK/bad.png --from 0 --to 1 --step 0.5
time for an animation|$D $WORK/bad.gif --from 0 --to 1 --step 0.5 --time 3
delay that is no number|$D $WORK/bad.gif --from 0 --to 1 --step 0.5 --delay fast
frames and an output file|$D $WORK/bad.gif --frames $WORK/bad.out --from 0 --to 1 --step 1
ARGS

# Outputs that cannot be written: exit 1, "cannot write", nothing left, a device stays a device.
mknod "$WORK/full.png" c 1 7 2> /dev/null
mknod "$WORK/full.gif" c 1 7 2> /dev/null
ANIM="--from 0 --to 1 --step 0.5"
while IFS='|' read -r out opts; do
    # shellcheck disable=SC2086
    "$VENDREL" --render "$D" "$out" $opts 2> "$WORK/err"
    rc=$?
    [ $rc -eq 1 ] || fail "$out $opts: exit $rc, expected 1"
    grep -q "^vendrel: cannot write $out\$" "$WORK/err" || fail "$out: $(cat "$WORK/err")"
done <<OUTS
$WORK/missing/x.png|
$WORK/missing/x.gif|$ANIM
$WORK/full.png|
$WORK/full.gif|$ANIM
$WORK/dir.svg|
OUTS
for f in full.png full.gif; do
    [ -c "$WORK/$f" ] || [ ! -e "$WORK/$f" ] || fail "$f: the device was replaced"
done
# A folder of frames stopped by the time limit leaves nothing, and a rerun nothing more.
mkdir "$WORK/stopped"
for run in 1 2; do
    timeout 30 "$VENDREL" --render "$D" --frames "$WORK/stopped/fr" --from 0 --to 9999 --step 1 --size 200x150 \
        --time-limit 0.5 2> "$WORK/err"
    rc=$?
    [ $rc -eq 1 ] || fail "frames past the time limit, run $run: exit $rc, expected 1"
    [ -z "$(ls -A "$WORK/stopped")" ] || fail "frames past the time limit left: $(ls -A "$WORK/stopped")"
done
rmdir "$WORK/stopped"

[ -z "$(ls "$WORK" | grep -v '^\(doc.vdg\|out\..*\|still.png\|gif-[0-9]*.png\|frames\|err\|full.png\|full.gif\|dir.svg\)$')" ] \
    || fail "a temporary file was left: $(ls "$WORK")"

[ $FAILURES -eq 0 ] && echo "render_export: all checks passed"
exit $((FAILURES > 0))
