#!/usr/bin/env bash
# scripts/check-layers.sh on a small tree made here under the project's own layer table: the
# clean tree passes, and each hole added to it alone is refused with its own message: wrong
# layers, headers of libraries the table does not know, and include lines in every form the
# check cannot read for certain.
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
    printf '#include <string>\n#include <sys/stat.h>\n' > "$WORK/tree/expr/Lexer.h"
    printf '#include "expr/Lexer.h"\n#include <boost/math/tools/roots.hpp>\n' > "$WORK/tree/analysis/Roots.cpp"
    printf '#include "expr/Lexer.h"\n#include <QImage>\n' > "$WORK/tree/plot/Canvas.cpp"
    printf '#include "plot/Canvas.h"\n#include <png.h>\n#include <libpng16/pngconf.h>\n#include <webp/encode.h>\n' \
        > "$WORK/tree/export/Png.cpp"
    # Readable forms: blanks around "#", a comment after the name, a header beside its file,
    # a test for a header the layer may include.
    printf '#  include\t"Kernel.inl" // the loop\n#if defined(__has_include) && __has_include(<boost/version.hpp>)\n#endif\n' \
        > "$WORK/tree/analysis/Kernel.h"
    printf '#include <cmath>\n' > "$WORK/tree/analysis/Kernel.inl"
}
# A folder of headers that no package installs, searched before the compiler's own.
mkdir -p "$WORK/include/X11"
touch "$WORK/include/gmp.h" "$WORK/include/X11/Xlib.h"
export VENDREL_INCLUDE_DIRS=$WORK/include

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
    printf '%b\n' "$line" >> "$WORK/tree/$file" # the row's \n and \f as characters
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
a library under its other name|plot/Save.cpp|#include <libpng16/png.h>|plot/ may not include libpng16/png.h (png)
a second header of a library|tests/Bench.cpp|#include <muParserDef.h>|tests/ may not include muParserDef.h (muparser)
a header of no library in the table|expr/Big.cpp|#include <gmp.h>|expr/Big.cpp:1: gmp.h is of no library in cmake/layers.txt
a folder of no library in the table, quoted|app/Window.cpp|#include "X11/Xlib.h"|X11/Xlib.h is of no library in cmake/layers.txt
a file of another extension|analysis/Kernel.inl|#include <QImage>|analysis/Kernel.inl:2: analysis/ may not include QImage
a file of no extension|plot/kernels/table|#include "app/TMainForm.h"|plot/kernels/table:1: plot/ may not include app/TMainForm.h
a macro in place of the name|plot/Font.cpp|#include PLOT_FONT_HEADER|plot/Font.cpp:1: an include line that this check cannot read: a macro stands in place of the name
a comment between the sign and the word|plot/Font.cpp|#/**/include <png.h>|plot/Font.cpp:1: an include line that this check cannot read: a comment stands inside it
a comment before the name|plot/Font.cpp|#include /* the font */ "app/Font.h"|cannot read: a comment stands inside it
a comment before the sign|plot/Font.cpp|/* the font */ #include "app/Font.h"|cannot read: a comment stands inside it
the end of an earlier comment before the sign|plot/Font.cpp|/* the font\n*/ #include "app/Font.h"|plot/Font.cpp:2: an include line that this check cannot read: a comment stands inside it
a comment mark inside a string hides nothing|plot/Font.cpp|const char* Fonts = "fonts/*.ttf";\n#include <png.h>|plot/Font.cpp:2: plot/ may not include png.h (png)
a comment mark inside a line comment hides nothing|plot/Font.cpp|// fonts/*.ttf\n#include <png.h>|plot/Font.cpp:2: plot/ may not include png.h (png)
a line break inside the line|plot/Font.cpp|#include \\\n"app/Font.h"|plot/Font.cpp:1: an include line that this check cannot read: it goes on over a line break
a line break inside the word|plot/Font.cpp|#inc\\\nlude "app/Font.h"|cannot read: it goes on over a line break
a form feed after the sign|plot/Font.cpp|#\finclude "app/Font.h"|cannot read: it is no plain #include
the digraph of the sign|plot/Font.cpp|%:include "app/Font.h"|cannot read: it is no plain #include
the import directive|plot/Font.cpp|#import <png.h>|cannot read: it is no plain #include
the next include of a name|plot/Font.cpp|#include_next <png.h>|cannot read: it is no plain #include
more after the name|plot/Font.cpp|#include <QImage> <png.h>|cannot read: it is no plain #include
a name without its closing bracket|plot/Font.cpp|#include <QImage|cannot read: it is no plain #include
a test for a header the layer may not include|plot/Font.cpp|#if defined(X) && __has_include(<png.h>)|plot/ may not include png.h (png)
a test for a header by a macro|plot/Font.cpp|#elif __has_include(FONT_HEADER)|cannot read: __has_include names no header
ROWS

echo "$((cases - failures)) passed, $failures failed"
[ $failures -eq 0 ]
