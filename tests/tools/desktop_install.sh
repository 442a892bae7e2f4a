#!/bin/bash
# The installed program on the desktop: installs the build into a temporary prefix and checks
# each file, the desktop entry and the software-centre entry with their validators, the
# document type as the desktop resolves it, the thumbnailer line as a file manager runs it,
# the manual pages, and --help/--version of both programs.
# Usage: bash desktop_install.sh <vendrel-eval path> <vendrel path>   (both in the build folder)
set -u
BUILD=$(cd "$(dirname "$2")" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
PREFIX="$WORK/prefix"
SHARE="$PREFIX/share"
FAILURES=0

fail() { echo "FAIL: $*" >&2; FAILURES=$((FAILURES + 1)); }
# Width and height of a PNG, read from its IHDR chunk.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'; }

VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
[ -n "$VERSION" ] || fail "no project version in $BUILD/CMakeCache.txt"

if ! cmake --install "$BUILD" --prefix "$PREFIX" > "$WORK/install.log" 2>&1; then
    cat "$WORK/install.log" >&2
    echo "FAIL: cmake --install" >&2
    exit 1
fi

APPID=org.example.vendrel.Vendrel
for file in bin/vendrel bin/vendrel-eval share/vendrel/Vendrel.html share/applications/vendrel.desktop \
            share/mime/packages/vendrel.xml share/thumbnailers/vendrel.thumbnailer \
            "share/metainfo/$APPID.metainfo.xml" share/man/man1/vendrel.1.gz share/man/man1/vendrel-eval.1.gz \
            share/icons/hicolor/scalable/apps/vendrel.svg share/doc/vendrel/copyright share/doc/vendrel/changelog.gz; do
    [ -s "$PREFIX/$file" ] || fail "installed file missing or empty: $file"
done
[ -x "$PREFIX/bin/vendrel" ] && [ -x "$PREFIX/bin/vendrel-eval" ] || fail "programs are not executable"
[ -e "$PREFIX/bin/Vendrel.html" ] && fail "the help page is installed beside the program, not in share/vendrel"
for size in 16 32 48 64 128 256; do
    icon="$SHARE/icons/hicolor/${size}x${size}/apps/vendrel.png"
    [ "$(png_size "$icon" 2>/dev/null)" = "${size}x${size}" ] || fail "icon $icon is not ${size}x${size}"
done

desktop-file-validate "$SHARE/applications/vendrel.desktop" > "$WORK/validate.log" 2>&1 ||
    fail "desktop-file-validate: $(cat "$WORK/validate.log")"
grep -qx 'MimeType=application/x-vendrel;' "$SHARE/applications/vendrel.desktop" || fail "desktop entry names no MimeType"
update-desktop-database "$SHARE/applications" > /dev/null 2>&1 || fail "update-desktop-database on the prefix"
grep -qx 'application/x-vendrel=vendrel.desktop;' "$SHARE/applications/mimeinfo.cache" 2> /dev/null ||
    fail "the desktop database does not open application/x-vendrel with vendrel.desktop"
# validate-tree also checks that the launchable desktop entry is installed beside the metainfo.
appstreamcli validate-tree --no-net "$PREFIX" > "$WORK/appstream.log" 2>&1 ||
    fail "appstreamcli validate-tree: $(cat "$WORK/appstream.log")"
grep -q "<release version=\"$VERSION\"" "$SHARE/metainfo/$APPID.metainfo.xml" || fail "metainfo names no release $VERSION"

# The document type, as xdg-mime resolves it (the generic way, whatever the desktop) with only
# the prefix's MIME database. Rows:
# file name|printf text|expected type (a "!" before it: any type but that one).
update-mime-database "$SHARE/mime" > /dev/null 2>&1 || fail "update-mime-database on the prefix"
mkdir -p "$WORK/docs" "$WORK/empty"
while IFS='|' read -r name text expected; do
    # shellcheck disable=SC2059
    printf "$text" > "$WORK/docs/$name"
    got=$(XDG_DATA_DIRS="$SHARE" XDG_DATA_HOME="$WORK/empty" XDG_CURRENT_DESKTOP=X-Generic xdg-mime query filetype "$WORK/docs/$name" 2>&1)
    if [ "${expected#!}" != "$expected" ]; then
        [ "$got" != "${expected#!}" ] || fail "$name: taken for ${expected#!}"
    else
        [ "$got" = "$expected" ] || fail "$name: type '$got', expected $expected"
    fi
done <<'ROWS'
named.vdg|[Main]\r\nFuncCount=1\r\n|application/x-vendrel
NAMED.VDG|x = 1\r\n|application/x-vendrel
as-written|[Main]\r\nFunc1=Sin(x)\r\nColor1=255\r\nBG1=16777215\r\nStyleStr1=0\r\nFuncCount=1\r\n|application/x-vendrel
lower-case-section|[main]\r\nFunc1=x\r\n|application/x-vendrel
count-after-other-keys|[Main]\nLeft=-10\nRight=10\nFuncCount=2\n|application/x-vendrel
utf8-mark|\357\273\277[MAIN]\r\nFuncCount=1\r\n|application/x-vendrel
utf16-little-end|\377\376[\0m\0A\0i\0N\0]\0\r\0\n\0F\0u\0n\0c\0\x31\0=\0x\0|application/x-vendrel
utf16-big-end|\376\377\0[\0M\0a\0i\0n\0]\0\r\0\n\0F\0u\0n\0c\0C\0o\0u\0n\0t\0=\0\x31|application/x-vendrel
longer-section|[Mainly]\nFuncCount=1\n|!application/x-vendrel
other-section|[Other]\n[Main]\nFunc1=x\n|!application/x-vendrel
indented-section| [Main]\nFunc1=x\n|!application/x-vendrel
section-only|[Main]\r\n|!application/x-vendrel
utf16-section-only|\377\376[\0M\0a\0i\0n\0]\0\r\0\n\0|!application/x-vendrel
ROWS
# Ordinary configuration files, some of them with a section [main] first: never ours.
for conf in "$(dirname "${BASH_SOURCE[0]}")"/conf-files/*; do
    got=$(XDG_DATA_DIRS="$SHARE" XDG_DATA_HOME="$WORK/empty" XDG_CURRENT_DESKTOP=X-Generic xdg-mime query filetype "$conf" 2>&1)
    [ "$got" != "application/x-vendrel" ] || fail "$(basename "$conf") is taken for a document"
done

# The thumbnailer line with a file manager's substitutions, run against the installed program.
printf '[Main]\r\nFuncCount=2\r\nFunc1=Sin(x)*5\r\nColor1=255\r\nFunc2=x*x/4\r\nStyleStr2=2\r\n' > "$WORK/good.vdg"
printf '[Main]\r\nFuncCount=1\r\nFunc1=Sin(x+\r\n' > "$WORK/bad.vdg"
exec_line=$(sed -n 's/^Exec=//p' "$SHARE/thumbnailers/vendrel.thumbnailer")
grep -qx 'MimeType=application/x-vendrel;' "$SHARE/thumbnailers/vendrel.thumbnailer" || fail "thumbnailer names no MimeType"
thumbnail() { # document output size
    local line=${exec_line//%i/$1}
    line=${line//%o/$2}
    line=${line//%s/$3}
    # shellcheck disable=SC2086
    PATH="$PREFIX/bin:$PATH" $line 2> "$WORK/thumb.err"
}
thumbnail "$WORK/good.vdg" "$WORK/thumb.png" 128 || fail "thumbnailer: exit $?, stderr: $(cat "$WORK/thumb.err")"
[ "$(png_size "$WORK/thumb.png" 2>/dev/null)" = "128x128" ] || fail "thumbnail is not a 128x128 PNG"
"$BUILD/vendrel" --render "$WORK/good.vdg" "$WORK/direct.png" --size 128x128 2> /dev/null
cmp -s "$WORK/thumb.png" "$WORK/direct.png" || fail "thumbnail differs from the build's own render"
thumbnail "$WORK/bad.vdg" "$WORK/bad-thumb.png" 128 && fail "thumbnail of a bad document succeeded"
[ -e "$WORK/bad-thumb.png" ] && fail "thumbnail of a bad document left a file"
# File managers run the thumbnailer on whatever is downloaded: it has small limits of its own.
{ printf '[Main]\r\nFuncCount=1\r\nFunc1=x\r\n'; head -c 2000000 /dev/zero | tr '\0' ' '; } > "$WORK/large.vdg"
thumbnail "$WORK/large.vdg" "$WORK/large-thumb.png" 128 && fail "thumbnail of a 2 MB document succeeded"
grep -q "larger than the document limit of 1024 KiB" "$WORK/thumb.err" || fail "large document: $(cat "$WORK/thumb.err")"
formula=x
for i in $(seq 200); do formula="Sin($formula+$((i % 7)))"; done
# Six hundred graphs (under the document limit): several seconds of drawing on any machine.
{ printf '[Main]\r\nFuncCount=600\r\n'; for i in $(seq 600); do printf 'Func%d=%s*%d\r\n' "$i" "$formula" "$i"; done; } > "$WORK/slow.vdg"
thumbnail "$WORK/slow.vdg" "$WORK/slow-thumb.png" 1024 && fail "thumbnail of a slow document succeeded"
grep -q "took longer than 2 s" "$WORK/thumb.err" || fail "slow document: $(cat "$WORK/thumb.err")"
[ -e "$WORK/large-thumb.png" ] || [ -e "$WORK/slow-thumb.png" ] && fail "a refused thumbnail left a file"

# --help and --version of both installed programs; every option that --help names is in
# the manual page, and the pages format without a warning.
for program in vendrel vendrel-eval; do
    out=$("$PREFIX/bin/$program" --version 2>&1) || fail "$program --version: exit $?"
    [ "$out" = "$program $VERSION" ] || fail "$program --version printed '$out', expected '$program $VERSION'"
    "$PREFIX/bin/$program" --help > "$WORK/help.txt" 2>&1 || fail "$program --help: exit $?"
    grep -q "^Usage: $program " "$WORK/help.txt" || fail "$program --help shows no usage line"
    page="$SHARE/man/man1/$program.1.gz"
    zcat "$page" | sed 's/\\-/-/g' > "$WORK/page.txt"
    for option in $(grep -o -- '--[a-z][a-z-]*' "$WORK/help.txt" | sort -u); do
        grep -q -- "$option" "$WORK/page.txt" || fail "$program: $option is in --help but not in the manual page"
    done
    zcat "$page" | groff -man -Tutf8 -ww -z > "$WORK/groff.log" 2>&1
    [ -s "$WORK/groff.log" ] && fail "$program.1 formats with warnings: $(cat "$WORK/groff.log")"
    grep -q "^\.TH .*\"Vendrel $VERSION\"" "$WORK/page.txt" || fail "$program.1 does not carry version $VERSION"
done

[ $FAILURES -eq 0 ] && echo "desktop install: all checks passed"
exit $((FAILURES > 0))
