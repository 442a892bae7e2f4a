#pragma once
// The texts of the command line: `vendrel --help`, `--version` and every line `vendrel --render`
// writes on standard error, in namespace Msg with the window's (app/Errors.h) and the layers'.
// Each is used from one place. Placeholders %1, %2, ... are filled with QString::arg in order;
// an error line is ErrorPrefix followed by its text.
namespace Msg
{
inline constexpr const char* ErrorPrefix = "vendrel: ";

// --help: the introduction, the options of --render and the closing part, in this order.
inline constexpr const char* HelpIntroduction =
    "Usage: vendrel [FILE.vdg]\n"
    "       vendrel --render FILE.vdg OUT.png [OPTION...]\n"
    "       vendrel --help | --version\n"
    "\n"
    "Vendrel plots formulas in x and the time parameter t. Without options it opens\n"
    "the main window, with the document FILE.vdg when one is named.\n"
    "\n"
    "--render draws FILE.vdg into the picture OUT.png without a window or a display,\n"
    "with the graphs enabled, the document's View options (round grid steps, pi\n"
    "ticks, logarithmic axes, equal scales, legend, dark plot) and every other\n"
    "setting at its start value. Graphs of every kind are drawn: functions,\n"
    "parametric, polar and inverse curves, derivatives, integrals, relations in x and\n"
    "y (whole: every pixel decided) and points of data files (File > Import Data...\n"
    "in the window makes a points graph of a CSV, TSV or TXT file and Save As keeps\n"
    "its points in the document). Options:\n";
// One line per option, the name padded to 21 columns.
inline constexpr const char* RenderOptions =
    "  --size WxH           picture size in pixels, each side 1 to 16384, at most 16383\n"
    "                       for WebP, also once scaled (default 523x523)\n"
    "  --time T             the time parameter t, as typed in the time editor (default 0)\n"
    "  --filled             fill between each curve and the x axis\n"
    "  --scale R            draw for a screen of R device pixels per pixel, 0.25 to 8: the\n"
    "                       picture has WxH times R pixels (default 1)\n"
    "  --time-limit S       stop with an error when the render takes longer than S seconds,\n"
    "                       writing included (default 10, an animation's too: give a\n"
    "                       longer limit for a long animation; at most 86400)\n"
    "  --document-limit KIB\n"
    "                       refuse a document larger than KIB KiB (default and at most\n"
    "                       65536)\n"
    "  --from T0 --to T1 --step DT\n"
    "                       for OUT.webp, OUT.gif or --frames: frames at T0, T0 + DT, ...\n"
    "                       up to T1, with the motion-blur trail of that step\n"
    "  --delay MS           an animation frame's delay in milliseconds, 10 to 60000\n"
    "                       (default 40)\n"
    "  --frames DIR         write the animation's frames as DIR/frame0001.png, ...\n"
    "  --set NAME=VALUE     the document's parameter NAME starts at VALUE (repeatable)\n";
inline constexpr const char* HelpClosing =
    "It exits with 0 when the picture is written, 1 when the document cannot be drawn\n"
    "or the picture not written (the reason on standard error), 2 for wrong arguments.\n"
    "\n"
    "  --help               print this help and exit\n"
    "  --version            print the version and exit\n"
    "\n"
    "The manual page vendrel(1) tells more.\n";
// --version, before the version number and its line end.
inline constexpr const char* VersionPrefix = "vendrel ";

// After the error line when --render is given nothing at all.
inline constexpr const char* RenderUsage =
    "usage: vendrel --render FILE.vdg OUT.png|.svg|.pdf [--size WxH] [--time T] [--filled] [--scale R] "
    "[--time-limit S] [--document-limit KIB] [--set NAME=VALUE]...\n"
    "       vendrel --render FILE.vdg OUT.webp|.gif|--frames DIR --from T0 --to T1 --step DT [--delay MS]"
    " [--size WxH] [--filled] [--scale R] [--time-limit S] [--document-limit KIB] [--set "
    "NAME=VALUE]...\n";

// Arguments that do not form a render command (exit 2).
inline constexpr const char* UnusableName = "Cannot use the file name '%1': it is not valid UTF-8";
inline constexpr const char* InvalidSize = "invalid size '%1': expected WxH, each 1 to %2";
inline constexpr const char* InvalidScale = "invalid scale '%1': expected a number from %2 to %3";
inline constexpr const char* InvalidTimeLimit =
    "invalid time limit '%1': expected seconds, more than 0 and at most %2";
inline constexpr const char* InvalidDocumentLimit = "invalid document limit '%1': expected KiB, 1 to %2";
inline constexpr const char* UnknownOption = "unknown or incomplete option '%1'";
inline constexpr const char* NoDocumentAndOutput = "expected a document and an output file";
inline constexpr const char* NoDocumentAndFrames = "expected a document and --frames DIR, no output file";
inline constexpr const char* UnknownFormat =
    "unknown output format '%1': expected .png, .svg, .pdf, .webp or .gif";
inline constexpr const char* InvalidSizeFor = "invalid size '%1x%2' for %3: expected WxH, each %4 to %5";
inline constexpr const char* InvalidScaledSize =
    "invalid size '%1x%2' at scale %3: the picture would be %4x%5, more than %6 a side";
inline constexpr const char* TimesWithoutAnimation =
    "--from, --to, --step and --delay need a .webp or .gif output or --frames DIR";
inline constexpr const char* TimeInAnimation =
    "--time does not apply to an animation: its times are --from, --to and --step";
inline constexpr const char* AnimationWithoutTimes = "an animation needs --from T0, --to T1 and --step DT";
inline constexpr const char* InvalidDelay = "invalid delay '%1': expected milliseconds, %2 to %3";
// --set NAME=VALUE: no name, a value that is no number (its message), a name the document lacks.
inline constexpr const char* SetWithoutName = "invalid --set '%1': expected NAME=VALUE";
inline constexpr const char* SetWithBadValue = "invalid --set '%1': %2";
inline constexpr const char* SetUnknownParameter = "invalid --set: the document has no parameter '%1'";

// A render that fails (exit 1).
inline constexpr const char* RenderStopped = "the render took longer than %1 s and was stopped";
inline constexpr const char* DocumentOverLimit = "%1 is larger than the document limit of %2 KiB";
inline constexpr const char* CannotOpenDocument = "cannot open %1";
// The whole line when memory ran out before any window or render began: it allocates nothing.
inline constexpr const char* OutOfMemoryLine = "vendrel: out of memory\n";
} // namespace Msg
