#!/usr/bin/env bash
# The layers, checked on the include lines of every file under a layer's folder (any extension:
# a header may be named .inl or .ipp) against the one table in cmake/layers.txt, which the build
# reads too. The build already refuses most wrong includes (each target sees only the folders,
# Qt modules and third-party headers it may use); this check names every one, and also refuses:
#   - an include name that climbs with "..", which would reach any folder from any other;
#   - a third-party header (<boost/...>, <png.h>, ...) outside the layers the table gives it;
#   - a header of no library the table knows: one in the compiler's folders that no package of
#     the table's "system" row installs (<X11/Xlib.h>, <gmp.h>), as dpkg-query tells;
#   - an include line it cannot read for certain: a comment or a line break inside it, a macro
#     in place of the name, a spelling other than "#include" ("%:include", "#import",
#     "#include_next"), anything after the name but a "//" comment;
#   - a top-level folder that the table does not know, whose sources nothing would check.
# __has_include(<X>) names X as an include line does.
#
# Usage: scripts/check-layers.sh [project folder]; exits 1 and lists every violation.
# VENDREL_INCLUDE_DIRS (folders separated by ":") is searched before the compiler's folders.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
TABLE=cmake/layers.txt
[ -f "$TABLE" ] || { echo "check-layers: no layer table $TABLE" >&2; exit 1; }

# The table: per folder its project folders, Qt modules and libraries (each " a b c ", or
# " * "), per library its headers, and the system's packages.
declare -A PROJECT QT THIRD HEADERS MODULE_OF
LAYERS=()
SYSTEM_PACKAGES=
spaced() { [ "$1" = - ] && echo " " || echo " ${1//,/ } "; }
while read -r kind name a b c; do
    case $kind in
    layer)
        LAYERS+=("$name")
        PROJECT[$name]=$(spaced "$a")
        QT[$name]=$(spaced "$b")
        THIRD[$name]=$(spaced "$c")
        ;;
    library) HEADERS[$name]=$(spaced "$a") ;;
    system) SYSTEM_PACKAGES=$(spaced "$name") ;;
    '' | '#'*) ;;
    *) echo "check-layers: $TABLE: cannot read the line \"$kind $name\"" >&2; exit 1 ;;
    esac
done < "$TABLE"

failures=0
violation() {
    echo "$1: $2" >&2
    failures=$((failures + 1))
}

# The files: those git knows (tracked or not ignored) in a checkout, else all but build folders
# (those holding a CMakeCache.txt).
in_checkout=false
[ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ] && in_checkout=true
if $in_checkout; then
    folders=$(git ls-files -co --exclude-standard | sed -n 's|/.*||p' | sort -u)
else
    folders=$(find . -mindepth 1 -maxdepth 1 -type d ! -name .git ! -exec test -e '{}/CMakeCache.txt' ';' \
        -printf '%f\n' | sort)
fi
for folder in $folders; do
    [ -n "${PROJECT[$folder]+known}" ] || violation "$folder/" "a top-level folder that $TABLE does not know"
done
files_of() {
    local file
    if $in_checkout; then
        # A file deleted but not yet committed has nothing left to read.
        git ls-files -co --exclude-standard -z -- "$1" |
            while IFS= read -r -d '' file; do [ -f "$file" ] && printf '%s\0' "$file"; done
    else
        find "$1" -type f -print0
    fi
}

# The folder of Qt's headers, to tell which module a header such as <QWidget> belongs to.
QT_HEADERS=$( (qtpaths6 --query QT_INSTALL_HEADERS || qmake6 -query QT_INSTALL_HEADERS) 2>/dev/null || true)

# The Qt module of an include name ("QtWidgets/QWidget", "QWidget"), or "Qt" when the module
# cannot be told.
qt_module() {
    local name=$1
    if [[ $name == Qt*/* ]]; then
        echo "${name%%/*}"
        return
    fi
    if [ -n "$QT_HEADERS" ]; then
        local found
        for found in "$QT_HEADERS"/Qt*/"$name"; do
            [ -e "$found" ] && { basename "$(dirname "$found")"; return; }
        done
    fi
    echo Qt
}

# LIBRARY: the library whose header an include name is, or nothing.
library_of() {
    local name=$1 library header
    LIBRARY=
    for library in "${!HEADERS[@]}"; do
        for header in ${HEADERS[$library]}; do
            if [[ $header == */ && $name == "$header"* ]] || [ "$name" = "$header" ]; then
                LIBRARY=$library
                return
            fi
        done
    done
}

# The folders the compiler searches for <X>, in its order.
INCLUDE_DIRS=()
IFS=: read -r -a INCLUDE_DIRS <<< "${VENDREL_INCLUDE_DIRS:-}"
while IFS= read -r dir; do
    INCLUDE_DIRS+=("$dir")
done < <(${CXX:-c++} -xc++ -E -v /dev/null 2>&1 >/dev/null |
    sed -n '/^#include <...> search starts here:/,/^End of search list/{s/^ //p}' | grep -v '^End of' || true)

# Names that no project folder, Qt or the table explains wait in PENDING (lines "file:line")
# until one question to dpkg-query has told the owners of them all.
declare -A PENDING FOUND_AT
pending() {
    local name=$1 where=$2 dir
    if [ -z "${FOUND_AT[$name]+known}" ]; then
        FOUND_AT[$name]=
        for dir in "${INCLUDE_DIRS[@]}"; do
            [ -n "$dir" ] && [ -e "$dir/$name" ] && { FOUND_AT[$name]=$dir/$name; break; }
        done
    fi
    # A name found nowhere fails to compile on its own.
    [ -n "${FOUND_AT[$name]}" ] && PENDING[$name]+="$where"$'\n'
    return 0
}

# check_name FOLDER FILE:LINE NAME: the name of an include line in FOLDER's file.
check_name() {
    local folder=$1 where=$2 name=$3 first module
    local folders=${PROJECT[$folder]} modules=${QT[$folder]} libraries=${THIRD[$folder]}
    first=${name%%/*}
    if [[ $name =~ (^|/)\.\.(/|$) ]]; then
        violation "$where" "$name climbs with \"..\"; include \"<folder>/X.h\" from a root"
    elif [[ $name == */* && -n ${PROJECT[$first]+known} ]]; then
        [[ $folders == " * " || $folders == *" $first "* ]] ||
            violation "$where" "$folder/ may not include $name"
    elif library_of "$name" && [ -n "$LIBRARY" ]; then
        [[ $libraries == *" $LIBRARY "* ]] ||
            violation "$where" "$folder/ may not include $name ($LIBRARY)"
    elif [[ $name =~ ^Q[A-Za-z] ]]; then
        [ "$modules" != " * " ] || return 0
        [ -n "${MODULE_OF[$name]+known}" ] || MODULE_OF[$name]=$(qt_module "$name")
        module=${MODULE_OF[$name]}
        # A header of no known module passes where some Qt is allowed (Qt's headers may not be
        # installed yet when this runs first).
        if [ "$modules" = " " ] || { [ "$module" != Qt ] && [[ $modules != *" ${module#Qt} "* ]]; }; then
            violation "$where" "$folder/ may not include $name ($module)"
        fi
    else
        pending "$name" "$where"
    fi
}

# The include lines of the files named on its input (each ended by a zero byte), one per line as
# "FILE<TAB>LINE<TAB>WHAT<TAB>TEXT": WHAT is "name" with the name between its delimiters, or
# "unreadable" with the reason. Every file is read as the compiler would read it as a header:
# lines joined by a trailing backslash count as one, and comments ("//", "/* */" over
# any number of lines, but not inside a string) are blanks, so that a directive is found where
# a comment would hide it from a plain search, and refused.
include_lines() {
    # shellcheck disable=SC2016 # the program is awk's, not the shell's
    xargs -0 -r awk '
    # The line with its comments as blanks; Open says whether a block comment goes on.
    function uncommented(s,   out, j) {
        out = ""
        while (s != "") {
            if (Open) {
                j = index(s, "*/")
                if (j == 0)
                    return out " "
                s = substr(s, j + 2)
                Open = 0
                out = out " "
                continue
            }
            if (!match(s, /\/\*|\/\/|"|\047/))
                return out s
            out = out substr(s, 1, RSTART - 1)
            s = substr(s, RSTART)
            if (substr(s, 1, 2) == "//")
                return out " "
            if (substr(s, 1, 2) == "/*") {
                Open = 1
                s = substr(s, 3)
                continue
            }
            # A string or character literal: kept whole, up to its closing quote.
            if (substr(s, 1, 1) == "\"" ? match(substr(s, 2), /^([^"\\]|\\.)*"/) : match(substr(s, 2), /^([^\047\\]|\\.)*\047/)) {
                out = out substr(s, 1, RLENGTH + 1)
                s = substr(s, RLENGTH + 2)
            } else
                return out s
        }
        return out
    }
    function report(s, plain,   u, rest, n) {
        u = uncommented(s)
        if (s !~ /include|import/)
            return
        if (u ~ /^[ \t\f\v]*(#|%:)[ \t\f\v]*(include|import)/) {
            if (!plain)
                print File "\t" Start "\tunreadable\tit goes on over a line break"
            else if (match(s, Plain_) && substr(u, 1, RLENGTH) == substr(s, 1, RLENGTH) && substr(u, RLENGTH + 1) ~ /^[ \t]*$/) {
                s = substr(s, 1, RLENGTH)
                sub(/^[ \t]*#[ \t]*include[ \t]*/, "", s)
                print File "\t" Start "\tname\t" s
            } else if (u != s)
                print File "\t" Start "\tunreadable\ta comment stands inside it"
            else if (s ~ /^[ \t]*#[ \t]*include[ \t]+[A-Za-z_]/)
                print File "\t" Start "\tunreadable\ta macro stands in place of the name"
            else
                print File "\t" Start "\tunreadable\tit is no plain #include <name> or #include \"name\""
        }
        if (u !~ /^[ \t\f\v]*(#|%:)[ \t\f\v]*(el)?if/)
            return
        rest = u
        while ((n = index(rest, "__has_include")) > 0) {
            rest = substr(rest, n + 13)
            # "defined(__has_include)" asks whether the operator exists, of no header.
            if (rest !~ /^(_next)?[ \t]*\(/ || rest ~ /^[ \t]*\)/)
                continue
            if (rest ~ /^(_next)?[ \t]*\([ \t]*(<[^<>"]+>|"[^<>"]+")[ \t]*\)/) {
                sub(/^(_next)?[ \t]*\([ \t]*/, "", rest)
                match(rest, /^(<[^<>"]+>|"[^<>"]+")/)
                print File "\t" Start "\tname\t" substr(rest, 1, RLENGTH)
            } else
                print File "\t" Start "\tunreadable\t__has_include names no header in <> or \"\""
        }
    }
    BEGIN { Plain_ = "^[ \t]*#[ \t]*include[ \t]*(<[^<>\"]+>|\"[^<>\"]+\")" }
    FNR == 1 {
        if (Joining)
            report(Text, 0)
        Joining = 0
        Open = 0
        File = FILENAME
    }
    {
        Line = $0
        sub(/\r$/, "", Line)
        if (Joining) { Text = Text Line; Plain = 0 } else { Text = Line; Start = FNR; Plain = 1 }
        Joining = 0
        if (Text ~ /\\$/) { sub(/\\$/, "", Text); Joining = 1; next }
        report(Text, Plain)
    }
    END { if (Joining) report(Text, 0) }
    '
}

# check FOLDER: every include line of its files.
check() {
    local folder=$1 file number what text name
    while IFS=$'\t' read -r file number what text; do
        if [ "$what" = unreadable ]; then
            violation "$file:$number" "an include line that this check cannot read: $text"
            continue
        fi
        name=${text:1:${#text}-2}
        # "X.h" beside the file is the file's own folder's.
        [[ $text == \"* && $name != *..* && -e "${file%/*}/$name" ]] && continue
        check_name "$folder" "$file:$number" "$name"
    done < <(files_of "$folder" | sort -z | LC_ALL=C include_lines)
}

for folder in "${LAYERS[@]}"; do
    if [ -d "$folder" ]; then check "$folder"; fi
done

# The pending names: refused unless a package of the system's installs the file found.
if [ ${#PENDING[@]} -gt 0 ] && [ -n "${SYSTEM_PACKAGES// /}" ] && command -v dpkg-query > /dev/null; then
    declare -A SYSTEM_FILE
    read -r -a patterns <<< "$SYSTEM_PACKAGES"
    paths=()
    for name in "${!PENDING[@]}"; do paths+=("${FOUND_AT[$name]}"); done
    while IFS= read -r line; do
        [[ $line =~ ^(.*):\ (/.*)$ ]] || continue
        path=${BASH_REMATCH[2]}
        for package in ${BASH_REMATCH[1]//,/ }; do
            package=${package%%:*}
            for pattern in "${patterns[@]}"; do
                # shellcheck disable=SC2053 # the table's "*" matches as a pattern
                [[ $package == $pattern ]] && SYSTEM_FILE[$path]=1
            done
        done
    done < <(dpkg-query -S "${paths[@]}" 2>/dev/null || true)
    for name in "${!PENDING[@]}"; do
        [ -n "${SYSTEM_FILE[${FOUND_AT[$name]}]+known}" ] && continue
        while IFS= read -r where; do
            [ -n "$where" ] && violation "$where" \
                "$name is of no library in $TABLE (${FOUND_AT[$name]}): a new library starts with its row"
        done <<< "${PENDING[$name]}"
    done
fi

if [ $failures -gt 0 ]; then
    echo "check-layers: $failures violation(s) of the layers in $TABLE" >&2
    exit 1
fi
echo "check-layers: every include keeps to its layer"
