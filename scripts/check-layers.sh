#!/usr/bin/env bash
# The layers, checked on the include lines of every source file against the one table in
# cmake/layers.txt, which the build reads too. The build already refuses most wrong includes
# (each target sees only the folders, Qt modules and third-party headers it may use); this
# check names every one, and also refuses:
#   - an include name that climbs with "..", which would reach any folder from any other;
#   - a third-party header (<boost/...>, <png.h>, ...) outside the layers the table gives it;
#   - a top-level folder that the table does not know, whose sources nothing would check.
#
# Usage: scripts/check-layers.sh [project folder]; exits 1 and lists every violation.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
TABLE=cmake/layers.txt
[ -f "$TABLE" ] || { echo "check-layers: no layer table $TABLE" >&2; exit 1; }

# The table: per folder its project folders, Qt modules and libraries (each " a b c ", or
# " * "), and per library its headers.
declare -A PROJECT QT THIRD HEADERS MODULE_OF
LAYERS=()
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
    '' | '#'*) ;;
    *) echo "check-layers: $TABLE: cannot read the line \"$kind $name\"" >&2; exit 1 ;;
    esac
done < "$TABLE"

failures=0
violation() {
    echo "$1: $2" >&2
    failures=$((failures + 1))
}

# The top-level folders: those git knows (tracked or not ignored) in a checkout, else all but
# build folders (those holding a CMakeCache.txt).
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
    folders=$(git ls-files -co --exclude-standard | sed -n 's|/.*||p' | sort -u)
else
    folders=$(find . -mindepth 1 -maxdepth 1 -type d ! -name .git ! -exec test -e '{}/CMakeCache.txt' ';' \
        -printf '%f\n' | sort)
fi
for folder in $folders; do
    [ -n "${PROJECT[$folder]+known}" ] || violation "$folder/" "a top-level folder that $TABLE does not know"
done

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

# check FOLDER: every include line of its sources.
check() {
    local folder=$1
    local folders=${PROJECT[$folder]} modules=${QT[$folder]} libraries=${THIRD[$folder]}
    local file line number name first module
    while IFS= read -r -d '' file; do
        # Only the include lines, each as "NUMBER:LINE".
        while IFS= read -r line; do
            number=${line%%:*}
            line=${line#*:}
            [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*[\<\"]([^\>\"]+)[\>\"] ]] || continue
            name=${BASH_REMATCH[1]}
            first=${name%%/*}
            if [[ $name =~ (^|/)\.\.(/|$) ]]; then
                violation "$file:$number" "$name climbs with \"..\"; include \"<folder>/X.h\" from a root"
            elif [[ $name == */* && -n ${PROJECT[$first]+known} ]]; then
                [[ $folders == " * " || $folders == *" $first "* ]] ||
                    violation "$file:$number" "$folder/ may not include $name"
            elif library_of "$name" && [ -n "$LIBRARY" ]; then
                [[ $libraries == *" $LIBRARY "* ]] ||
                    violation "$file:$number" "$folder/ may not include $name ($LIBRARY)"
            elif [[ $name =~ ^Q[A-Za-z] ]] && [ "$modules" != " * " ]; then
                [ -n "${MODULE_OF[$name]+known}" ] || MODULE_OF[$name]=$(qt_module "$name")
                module=${MODULE_OF[$name]}
                # A header of no known module passes where some Qt is allowed (Qt's headers
                # may not be installed yet when this runs first).
                if [ "$modules" = " " ] || { [ "$module" != Qt ] && [[ $modules != *" ${module#Qt} "* ]]; }; then
                    violation "$file:$number" "$folder/ may not include $name ($module)"
                fi
            fi
        done < <(grep -nE '^[[:space:]]*#[[:space:]]*include' "$file" || true)
    done < <(find "$folder" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' \) -print0 | sort -z)
}

for folder in "${LAYERS[@]}"; do
    if [ -d "$folder" ]; then check "$folder"; fi
done

if [ $failures -gt 0 ]; then
    echo "check-layers: $failures violation(s) of the layers in $TABLE" >&2
    exit 1
fi
echo "check-layers: every include keeps to its layer"
