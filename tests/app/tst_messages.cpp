// The window's messages against their literal texts: what a user reads in a message box, in the
// analysis panel and in the status of a print; and the command line's texts, which scripts read.
#include "app/Errors.h"
#include "app/RenderText.h"

#include <QtTest>

class TestMessages : public QObject
{
    Q_OBJECT

  private slots:
    void everyConstantHoldsItsExactText_data()
    {
        QTest::addColumn<QString>("Constant");
        QTest::addColumn<QString>("Text");
        auto Row = [](const char* Name, const char* Constant, const char* Text)
        { QTest::newRow(Name) << QString::fromLatin1(Constant) << QString::fromLatin1(Text); };
        Row("WrongRange", Msg::WrongRange,
            "You have set the wrong range! Max should be always greater than Min!");
        Row("HelpMissing", Msg::HelpMissing, "Failed to launch help.");
        Row("NoPrinters", Msg::NoPrinters, "No printers");
        Row("CannotStartPrinting", Msg::CannotStartPrinting, "Unable to start printing");
        Row("NoFormula", Msg::NoFormula, "The selected graph has no formula.");
        Row("NoSecondGraph", Msg::NoSecondGraph, "Add a second graph with a formula to intersect with.");
        Row("NothingFound", Msg::NothingFound, "Nothing found in the interval.");
        Row("Computing", Msg::Computing, "Computing...");
        Row("Stopped", Msg::Stopped, "Stopped.");
        Row("FitNeedsPoints", Msg::FitNeedsPoints,
            "A fit needs a points graph: File > Import Data... reads a data file into one.");
        Row("FitNeedsModel", Msg::FitNeedsModel,
            "A fit needs a function graph y = f(x) whose formula reads a named parameter (Tools > "
            "Parameters...).");

        Row("ErrorPrefix", Msg::ErrorPrefix, "vendrel: ");
        Row("VersionPrefix", Msg::VersionPrefix, "vendrel ");
        Row("UnusableName", Msg::UnusableName, "Cannot use the file name '%1': it is not valid UTF-8");
        Row("InvalidSize", Msg::InvalidSize, "invalid size '%1': expected WxH, each 1 to %2");
        Row("InvalidScale", Msg::InvalidScale, "invalid scale '%1': expected a number from %2 to %3");
        Row("InvalidTimeLimit", Msg::InvalidTimeLimit,
            "invalid time limit '%1': expected seconds, more than 0 and at most %2");
        Row("InvalidDocumentLimit", Msg::InvalidDocumentLimit,
            "invalid document limit '%1': expected KiB, 1 to %2");
        Row("UnknownOption", Msg::UnknownOption, "unknown or incomplete option '%1'");
        Row("NoDocumentAndOutput", Msg::NoDocumentAndOutput, "expected a document and an output file");
        Row("NoDocumentAndFrames", Msg::NoDocumentAndFrames,
            "expected a document and --frames DIR, no output file");
        Row("UnknownFormat", Msg::UnknownFormat,
            "unknown output format '%1': expected .png, .svg, .pdf, .webp or .gif");
        Row("InvalidSizeFor", Msg::InvalidSizeFor,
            "invalid size '%1x%2' for %3: expected WxH, each %4 to %5");
        Row("InvalidScaledSize", Msg::InvalidScaledSize,
            "invalid size '%1x%2' at scale %3: the picture would be %4x%5, more than %6 a side");
        Row("TimesWithoutAnimation", Msg::TimesWithoutAnimation,
            "--from, --to, --step and --delay need a .webp or .gif output or --frames DIR");
        Row("TimeInAnimation", Msg::TimeInAnimation,
            "--time does not apply to an animation: its times are --from, --to and --step");
        Row("AnimationWithoutTimes", Msg::AnimationWithoutTimes,
            "an animation needs --from T0, --to T1 and --step DT");
        Row("InvalidDelay", Msg::InvalidDelay, "invalid delay '%1': expected milliseconds, %2 to %3");
        Row("SetWithoutName", Msg::SetWithoutName, "invalid --set '%1': expected NAME=VALUE");
        Row("SetWithBadValue", Msg::SetWithBadValue, "invalid --set '%1': %2");
        Row("SetUnknownParameter", Msg::SetUnknownParameter,
            "invalid --set: the document has no parameter '%1'");
        Row("RenderStopped", Msg::RenderStopped, "the render took longer than %1 s and was stopped");
        Row("DocumentOverLimit", Msg::DocumentOverLimit, "%1 is larger than the document limit of %2 KiB");
        Row("CannotOpenDocument", Msg::CannotOpenDocument, "cannot open %1");
        Row("OutOfMemoryLine", Msg::OutOfMemoryLine, "vendrel: out of memory\n");
        Row("RenderUsage", Msg::RenderUsage,
            "usage: vendrel --render FILE.vdg OUT.png|.svg|.pdf [--size WxH] [--time T] [--filled] [--scale "
            "R] "
            "[--time-limit S] [--document-limit KIB] [--set NAME=VALUE]...\n"
            "       vendrel --render FILE.vdg OUT.webp|.gif|--frames DIR --from T0 --to T1 --step DT "
            "[--delay MS] "
            "[--size WxH] [--filled] [--scale R] [--time-limit S] [--document-limit KIB] [--set "
            "NAME=VALUE]...\n");
        Row("HelpIntroduction", Msg::HelpIntroduction,
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
            "its points in the document). Options:\n");
        Row("RenderOptions", Msg::RenderOptions,
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
            "  --set NAME=VALUE     the document's parameter NAME starts at VALUE (repeatable)\n");
        Row("HelpClosing", Msg::HelpClosing,
            "It exits with 0 when the picture is written, 1 when the document cannot be drawn\n"
            "or the picture not written (the reason on standard error), 2 for wrong arguments.\n"
            "\n"
            "  --help               print this help and exit\n"
            "  --version            print the version and exit\n"
            "\n"
            "The manual page vendrel(1) tells more.\n");
    }
    void everyConstantHoldsItsExactText()
    {
        QFETCH(QString, Constant);
        QFETCH(QString, Text);
        QCOMPARE(Constant, Text);
    }
};

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
