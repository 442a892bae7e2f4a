#!/usr/bin/env bash
# The layers, checked on the include lines of every source file. The build already refuses most
# wrong includes (each library sees only the folders and Qt modules it may use); this check also
# names the rest, such as a Qt header reached through another module's folder.
#
#   folder      may include from the project   Qt modules
#   expr/       expr/                          none
#   analysis/   expr/ analysis/                none
#   tools/      expr/ analysis/                none
#   plot/       expr/ analysis/ plot/          QtCore QtGui
#   export/     expr/ plot/ export/            QtCore QtGui QtSvg
#   controls/   expr/ plot/ controls/          QtCore QtGui QtWidgets
#   app/        everything                     everything
#
# Usage: scripts/check-layers.sh [project folder]; exits 1 and lists every violation.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

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

failures=0
violation() {
    echo "$1: $2" >&2
    failures=$((failures + 1))
}

# check FOLDER "PROJECT FOLDERS ALLOWED" "QT MODULES ALLOWED" ("*" allows every module)
check() {
    local folder=$1 folders=" $2 " modules=" $3 "
    [ -d "$folder" ] || return 0
    local file line number name
    while IFS= read -r -d '' file; do
        number=0
        while IFS= read -r line || [ -n "$line" ]; do
            number=$((number + 1))
            [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*[\<\"]([^\>\"]+)[\>\"] ]] || continue
            name=${BASH_REMATCH[1]}
            if [[ $name =~ ^(expr|analysis|plot|export|controls|app|tools)/ ]]; then
                [[ $folders == *" ${BASH_REMATCH[1]} "* ]] ||
                    violation "$file:$number" "$folder/ may not include $name"
            elif [[ $name =~ ^Q[A-Za-z] ]] && [ "$modules" != " * " ]; then
                local module
                module=$(qt_module "$name")
                # A header of no known module passes where some Qt is allowed (Qt's headers
                # may not be installed yet when this runs first).
                if [ "$modules" = "  " ] || { [ "$module" != Qt ] && [[ $modules != *" $module "* ]]; }; then
                    violation "$file:$number" "$folder/ may not include $name ($module)"
                fi
            fi
        done < "$file"
    done < <(find "$folder" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)
}

check expr "expr" ""
check analysis "expr analysis" ""
check tools "expr analysis tools" ""
check plot "expr analysis plot" "QtCore QtGui"
check export "expr analysis plot export" "QtCore QtGui QtSvg"
check controls "expr analysis plot controls" "QtCore QtGui QtWidgets"

if [ $failures -gt 0 ]; then
    echo "check-layers: $failures include(s) cross a layer" >&2
    exit 1
fi
echo "check-layers: every include keeps to its layer"
