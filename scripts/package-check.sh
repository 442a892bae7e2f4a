#!/usr/bin/env bash
# Installs the built Debian package on this machine with apt-get, tries it as a user would
# (a render, the window under Xvfb, the document type and the default application that the
# package's triggers register) and removes it again, checking that nothing stays behind.
# The package is removed on every way out, so the machine is left as it was.
# Usage (as root): bash scripts/package-check.sh [BUILD]      (after `make package`)
set -uo pipefail
BUILD=${1:-build}
deb=$(ls "$BUILD"/vendrel_*_amd64.deb 2> /dev/null | head -n 1)
[ -n "$deb" ] || { echo "package-check: no vendrel_*_amd64.deb in $BUILD (run make package)" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "package-check: installing needs root" >&2; exit 1; }
deb=$(realpath "$deb")
WORK=$(mktemp -d)
FAILURES=0
export DEBIAN_FRONTEND=noninteractive
# xdg-mime asks the shared MIME database directly, whatever desktop this runs in.
export XDG_CURRENT_DESKTOP=X-Generic

fail() { echo "FAIL: $*" >&2; FAILURES=$((FAILURES + 1)); }
remove() { apt-get remove -y -qq vendrel > "$WORK/remove.log" 2>&1; }
trap 'remove; rm -rf "$WORK"' EXIT
installed() { dpkg-query -W -f='${Status}' vendrel 2> /dev/null | grep -q 'install ok installed'; }

printf '[Main]\r\nFuncCount=2\r\nFunc1=Sin(x*t)*5\r\nColor1=255\r\nBG1=16764108\r\nFunc2=x*x/4-3\r\nStyleStr2=1\r\n' > "$WORK/waves.vdg"
cp "$WORK/waves.vdg" "$WORK/no-extension"

echo "package-check: installing $deb"
apt-get install -y -qq --no-install-recommends "$deb" > "$WORK/install.log" 2>&1 || { cat "$WORK/install.log" >&2; fail "apt-get install"; exit 1; }
installed || fail "vendrel is not installed after apt-get install"
[ "$(command -v vendrel)" = /usr/bin/vendrel ] || fail "vendrel is not /usr/bin/vendrel"
vendrel --version || fail "vendrel --version"
vendrel-eval --version || fail "vendrel-eval --version"
printf '2\t0\tSqrt(x)\n' | vendrel-eval --separator . | grep -q '^ok' || fail "vendrel-eval evaluates nothing"
man -w vendrel > /dev/null 2>&1 || fail "man finds no page vendrel"

vendrel --render "$WORK/waves.vdg" "$WORK/render.png" --size 256x256 --time 0.5 2> "$WORK/render.err" || fail "render: $(cat "$WORK/render.err")"
identify "$WORK/render.png" 2> /dev/null | grep -q 'PNG 256x256' || fail "render wrote no 256x256 PNG"

# The triggers ran: the MIME database knows the type by content, the desktop database the
# application for it.
[ "$(xdg-mime query filetype "$WORK/no-extension")" = application/x-vendrel ] || fail "installed MIME type not in the database"
grep -q '^application/x-vendrel=.*vendrel.desktop' /usr/share/applications/mimeinfo.cache 2> /dev/null ||
    fail "desktop database does not list vendrel.desktop for application/x-vendrel"

# The window with a document, under Xvfb; still running after three seconds.
shot="$BUILD/package-check-window.png"
xvfb-run -a -s '-screen 0 800x700x24' sh -c "vendrel '$WORK/waves.vdg' & pid=\$!; sleep 3;
    import -window root '$shot'; kill \$pid" > "$WORK/gui.log" 2>&1 || fail "window did not stay up: $(cat "$WORK/gui.log")"
[ -s "$shot" ] && echo "package-check: screenshot of the window: $shot"

echo "package-check: removing"
remove || { cat "$WORK/remove.log" >&2; fail "apt-get remove"; }
installed && fail "vendrel still installed after apt-get remove"
for file in /usr/bin/vendrel /usr/bin/vendrel-eval /usr/share/vendrel /usr/share/mime/packages/vendrel.xml \
            /usr/share/applications/vendrel.desktop /usr/share/thumbnailers/vendrel.thumbnailer \
            /usr/share/icons/hicolor/256x256/apps/vendrel.png /usr/share/man/man1/vendrel.1.gz; do
    [ -e "$file" ] && fail "left behind after removal: $file"
done
[ "$(xdg-mime query filetype "$WORK/no-extension")" = application/x-vendrel ] && fail "MIME type still known after removal"
grep -q 'application/x-vendrel' /usr/share/applications/mimeinfo.cache 2> /dev/null && fail "desktop database still lists the type"

[ $FAILURES -eq 0 ] && echo "package-check: 1 passed, 0 failed" || echo "package-check: 0 passed, 1 failed"
exit $((FAILURES > 0))
