#!/usr/bin/env bash
# scripts/check-layers.sh on a small tree made here under the project's own layer table: the
# clean tree passes, and each hole added to it alone is refused with its own message.
# Usage: check_layers.sh PROJECT_FOLDER
set -uo pipefail
PROJECT=$(cd "$1" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
cases=0

# A clean tree: a few sources in their layers, with includes each layer may make, and a build
# folder, which is no source folder.
make_tree() {
    rm -rf "$WORK/tree"
    mkdir -p "$WORK/tree/cmake" "$WORK/tree/expr" "$WORK/tree/analysis" "$WORK/tree/plot" "$WORK/tree/export"
    cp "$PROJECT/cmake/layers.txt" "$WORK/tree/cmake/"
    mkdir -p "$WORK/tree/build" && touch "$WORK/tree/build/CMakeCache.txt"
    printf '#include <string>\n' > "$WORK/tree/expr/Lexer.h"
    printf '#include "expr/Lexer.h"\n#include <boost/math/tools/roots.hpp>\n' > "$WORK/tree/analysis/Roots.cpp"
    printf '#include "expr/Lexer.h"\n#include <QImage>\n' > "$WORK/tree/plot/Canvas.cpp"
    printf '#include "plot/Canvas.h"\n#include <png.h>\n#include <webp/encode.h>\n' > "$WORK/tree/export/Png.cpp"
}

# expect NAME STATUS TEXT: the check on the tree exits STATUS and its output holds TEXT.
expect() {
    local name=$1 status=$2 text=$3 output got
    cases=$((cases + 1))
    output=$(bash "$PROJECT/scripts/check-layers.sh" "$WORK/tree" 2>&1)
    got=$?
    if [ "$got" != "$status" ] || [[ $output != *"$text"* ]]; then
        echo "FAIL: $name: exit $got (wanted $status), output:" >&2
        echo "$output" >&2
        failures=$((failures + 1))
    else
        echo "ok: $name"
    fi
}

make_tree
expect "the clean tree passes" 0 "every include keeps to its layer"

# name | file | line added | what the check says
while IFS='|' read -r name file line text; do
    make_tree
    mkdir -p "$WORK/tree/$(dirname "$file")"
    printf '%s\n' "$line" >> "$WORK/tree/$file"
    expect "$name" 1 "$text"
done <<'ROWS'
an include that climbs out of its folder|plot/Font.cpp|#include "../app/PlotFont.h"|plot/Font.cpp:1: ../app/PlotFont.h climbs with ".."
a climb hidden inside a project name|plot/Font.cpp|#include "plot/../app/PlotFont.h"|climbs with ".."
Boost in the evaluator|expr/Solve.cpp|#include <boost/math/tools/roots.hpp>|expr/ may not include boost/math/tools/roots.hpp (boost)
libpng in the plot|plot/Save.cpp|#include <png.h>|plot/ may not include png.h (png)
a test library in a library|export/Check.h|#include <gtest/gtest.h>|export/ may not include gtest/gtest.h (gtest)
a new top-level folder with sources|extras/Tool.cpp|#include "expr/Lexer.h"|extras/: a top-level folder that cmake/layers.txt does not know
a new top-level folder without sources|docs/notes.txt|notes|docs/: a top-level folder that cmake/layers.txt does not know
a layer reaching up|plot/Dock.cpp|#include "app/TMainForm.h"|plot/ may not include app/TMainForm.h
widgets in the plot|plot/Box.cpp|#include <QtWidgets/QWidget>|plot/ may not include QtWidgets/QWidget (QtWidgets)
ROWS

echo "$((cases - failures)) passed, $failures failed"
[ $failures -eq 0 ]
