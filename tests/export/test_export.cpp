// The export writers, read back by independent readers: what is written is the picture the
// renderer draws, in every format, and a writer that fails leaves the old file and nothing else.
#include "ExportTestSupport.h"

#include "export/Errors.h"
#include "export/TAnimationExport.h"
#include "export/TExactPalette.h"
#include "export/TFrameFolderWriter.h"
#include "export/TGifWriter.h"
#include "export/TPictureWriter.h"
#include "export/TPngEncoder.h"
#include "export/TWebPWriter.h"
#include "expr/NumberText.h"
#include "plot/TPlotPalette.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace ExportTest;

namespace
{
QByteArray ReadAll(const QString& Path)
{
    QFile File(Path);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

void WriteFile(const QString& Path, const QByteArray& Bytes)
{
    QFile File(Path);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write(Bytes);
}

// The picture the animation's frame Index should be: the frame's time, the trail of the step.
QImage ExpectedFrame(const TAnimationPlan& Plan, int Index, bool Numbers = true)
{
    TPlotPicture P = Picture();
    P.Model().View.Numbers = Numbers;
    P.Model().TimeIncrement = float(Plan.Step);
    P.Model().TimeText =
        QString::fromStdU16String(FormatGeneral15(TAnimationExport::FrameTime(Plan, Index), u'.'));
    return P.Render(Plan.Size);
}

TAnimationPlan Plan(Float80 From, Float80 To, Float80 Step, QSize Size = QSize(120, 90))
{
    TAnimationPlan s;
    s.From = From;
    s.To = To;
    s.Step = Step;
    s.Size = Size;
    return s;
}

QStringList EntriesOf(const QString& Folder)
{
    return QDir(Folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}
} // namespace

TEST(ExportFormat, IsChosenByTheExtensionAlone)
{
    EXPECT_EQ(FormatForFile(QStringLiteral("a/b.PNG")), TExportFormat::Png);
    EXPECT_EQ(FormatForFile(QStringLiteral("b.svg")), TExportFormat::Svg);
    EXPECT_EQ(FormatForFile(QStringLiteral("b.pdf")), TExportFormat::Pdf);
    EXPECT_EQ(FormatForFile(QStringLiteral("b.webp")), TExportFormat::WebP);
    EXPECT_EQ(FormatForFile(QStringLiteral("b.gif")), TExportFormat::Gif);
    EXPECT_EQ(FormatForFile(QStringLiteral("png.bmp")), std::nullopt);
    EXPECT_EQ(FormatForFile(QStringLiteral("b.png.tmp")), std::nullopt);
}

TEST(AnimationFrames, AreCountedFromTheTimesAndRefusedWhenAbsurd)
{
    struct TRow
    {
        const char* Name;
        Float80 From, To, Step;
        int Count; // 0: refused with Message
        const char* Message;
    } Rows[] = {
        {"both ends are frames", 0, 1, 0.1L, 11, nullptr},
        {"an end between steps is not reached", 0, 1, 0.3L, 4, nullptr},
        {"one time is one frame", 2, 2, 0.5L, 1, nullptr},
        {"a negative step runs backward", 1, -1, -0.5L, 5, nullptr},
        {"exactly 10000 frames", 0, 9999, 1, 10000, nullptr},
        {"a step of 0", 0, 1, 0, 0, Msg::ZeroStep},
        {"a step away from the end", 0, 1, -0.1L, 0, Msg::WrongSign},
        {"10001 frames", 0, 10000, 1, 0, Msg::TooManyFrames},
        {"a tiny step", 0, 1, 1e-300L, 0, Msg::TooManyFrames},
    };
    for (const TRow& r : Rows)
    {
        SCOPED_TRACE(r.Name);
        if (r.Count)
            EXPECT_EQ(TAnimationExport::FrameCount(Plan(r.From, r.To, r.Step)), r.Count);
        else
        {
            try
            {
                TAnimationExport::FrameCount(Plan(r.From, r.To, r.Step));
                ADD_FAILURE() << "accepted";
            }
            catch (const EExportError& e)
            {
                EXPECT_STREQ(e.Message(), r.Message);
            }
        }
    }
}

// The times are read with the separator the user types, as the time editor reads them.
TEST(AnimationPlan, ReadsTheTimesWithTheUsersSeparator)
{
    const TAnimationPlan Comma =
        TAnimationPlan::Read(QStringLiteral("0,5"), QStringLiteral("1"), QStringLiteral("0,25"), u',');
    EXPECT_EQ(Comma.From, 0.5L);
    EXPECT_EQ(Comma.FrameCount(), 3);
    EXPECT_EQ(Comma.DelayMs, 40);
    try
    {
        TAnimationPlan::Read(QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("0,25"), u'.');
        ADD_FAILURE() << "a comma read with a point";
    }
    catch (const EConvertError& e)
    {
        EXPECT_STREQ(e.Message(), "'0,25' is not a valid floating point value");
    }
}

TEST(PngExport, DecodesToThePictureItselfWithOrWithoutAPalette)
{
    QTemporaryDir Dir;
    TPlotPicture P = Picture();
    // Antialiased numbers over fills and trails can take more than 256 colours; without
    // them the plot has few.
    P.Model().View.Numbers = false;
    const QImage Plot = P.Render(QSize(300, 200));
    ASSERT_FALSE(TExactPalette::Indexed(Plot).isNull());
    // A gradient of 300 x 200 distinct colours takes the full-colour path.
    QImage Gradient(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            Gradient.setPixel(x, y, qRgb(x % 256, y, (x / 256) * 100));
    ASSERT_TRUE(TExactPalette::Indexed(Gradient).isNull());
    for (const QImage& Image : {Plot, Gradient})
    {
        const QString Path = Dir.filePath(QStringLiteral("p.png"));
        TPictureWriter::SaveBytes(TPngEncoder::Encode(Image), Path);
        EXPECT_EQ(QImage(Path).convertToFormat(QImage::Format_RGB32), Image);
    }
    TPictureWriter::Write(P, TExportFormat::Png, QSize(300, 200), Dir.filePath(QStringLiteral("w.png")));
    EXPECT_EQ(QImage(Dir.filePath(QStringLiteral("w.png"))).convertToFormat(QImage::Format_RGB32), Plot);
}

// The vector formats, rasterised by their own readers, match the PNG outside antialiasing.
TEST(VectorExport, RasterisesToThePngOfTheSameSize)
{
    QTemporaryDir Dir;
    const QSize Size(523, 523);
    TPlotPicture P = Picture();
    const QImage Png = P.Render(Size);

    const QString Svg = Dir.filePath(QStringLiteral("p.svg"));
    TPictureWriter::Write(P, TExportFormat::Svg, Size, Svg);
    QSvgRenderer Renderer(Svg);
    ASSERT_TRUE(Renderer.isValid());
    QImage FromSvg(Size, QImage::Format_RGB32);
    FromSvg.fill(Qt::white);
    {
        QPainter Painter(&FromSvg);
        Painter.setRenderHint(QPainter::Antialiasing, false);
        Renderer.render(&Painter);
    }
    EXPECT_GE(EqualShare(Png, FromSvg), 0.97);
    EXPECT_EQ(MissedCurvePixels(Png, FromSvg, qRgb(255, 0, 0)), 0);
    EXPECT_TRUE(ReadAll(Svg).contains(">-10</text>")) << "tick numbers stay text";

    const QString Pdf = Dir.filePath(QStringLiteral("p.pdf"));
    TPictureWriter::Write(P, TExportFormat::Pdf, Size, Pdf);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const QString Prefix = Dir.filePath(QStringLiteral("page"));
    ASSERT_EQ(QProcess::execute(QStringLiteral("pdftoppm"),
                                {QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-aa"),
                                 QStringLiteral("no"), QStringLiteral("-aaVector"), QStringLiteral("no"),
                                 QStringLiteral("-scale-to-x"), QString::number(Size.width()),
                                 QStringLiteral("-scale-to-y"), QString::number(Size.height()), Pdf, Prefix}),
              0);
    const QImage FromPdf(Prefix + QStringLiteral(".png"));
    EXPECT_GE(EqualShare(Png, FromPdf), 0.97);
    EXPECT_EQ(MissedCurvePixels(Png, FromPdf, qRgb(255, 0, 0)), 0);
    QProcess Text;
    Text.start(QStringLiteral("pdftotext"), {Pdf, QStringLiteral("-")});
    ASSERT_TRUE(Text.waitForFinished());
    EXPECT_TRUE(Text.readAllStandardOutput().contains("-10")) << "tick numbers stay text";
}

// The presentation options reach the exports: the dark ground in the PNG, the pi numbers and
// the legend's formulas as text in the SVG and the PDF.
TEST(VectorExport, KeepsThePresentationOptionsAndTheirTexts)
{
    QTemporaryDir Dir;
    const QSize Size(523, 523);
    TPlotModel Model = Scene();
    Model.Options.PiTicks = Model.Options.Legend = Model.Options.DarkPlot = true;
    TPlotPicture P(Model, u'.', clWhite, QFont(QStringLiteral("DejaVu Sans"), 8));
    EXPECT_EQ(P.Render(Size).pixel(1, 1), ToQColor(DarkGround).rgb());

    const QString Svg = Dir.filePath(QStringLiteral("p.svg"));
    TPictureWriter::Write(P, TExportFormat::Svg, Size, Svg);
    const QString Text = QString::fromUtf8(ReadAll(Svg));
    for (const QString& Want : {QStringLiteral(">Sin(x*t)*5</text>"), QStringLiteral(">x/2+t</text>"),
                                QStringLiteral(">3π/2</text>"), QStringLiteral(">−π</text>")})
        EXPECT_TRUE(Text.contains(Want)) << Want.toStdString();

    const QString Pdf = Dir.filePath(QStringLiteral("p.pdf"));
    TPictureWriter::Write(P, TExportFormat::Pdf, Size, Pdf);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QProcess Reader;
    Reader.start(QStringLiteral("pdftotext"), {Pdf, QStringLiteral("-")});
    ASSERT_TRUE(Reader.waitForFinished());
    const QString PdfText = QString::fromUtf8(Reader.readAllStandardOutput());
    EXPECT_TRUE(PdfText.contains(QStringLiteral("Sin(x*t)*5"))) << PdfText.toStdString();
    EXPECT_TRUE(PdfText.contains(QStringLiteral("3π/2"))) << PdfText.toStdString();
}

TEST(WebPExport, HoldsEveryFrameExactlyWithItsDelay)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("a.webp"));
    TAnimationPlan s = Plan(0, 0.4L, 0.1L);
    s.DelayMs = 70;
    TPlotPicture P = Picture();
    TWebPWriter Writer(Path, s.Size, s.DelayMs);
    ASSERT_TRUE(TAnimationExport::Run(P, s, Writer, {}));
    const std::vector<TDecodedFrame> Frames = ReadWebP(Path);
    ASSERT_EQ(Frames.size(), 5u);
    for (int i = 0; i < 5; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(Frames[size_t(i)].DurationMs, 70);
        EXPECT_EQ(Frames[size_t(i)].Image, ExpectedFrame(s, i)) << "lossless";
    }
    EXPECT_NE(Frames[1].Image, Frames[2].Image) << "the graphs move";
}

TEST(GifExport, HoldsEveryFrameWithAnExactPaletteAndItsDelay)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("a.gif"));
    TAnimationPlan s = Plan(-0.2L, 0.2L, 0.2L);
    s.DelayMs = 44; // shown as 4 hundredths
    TPlotPicture P = Picture();
    P.Model().View.Numbers = false; // at most 256 colours: the palette is exact
    TGifWriter Writer(Path, s.Size, s.DelayMs);
    ASSERT_TRUE(TAnimationExport::Run(P, s, Writer, {}));
    const std::vector<TGifFrame> Frames = ReadGif(Path);
    ASSERT_EQ(Frames.size(), 3u);
    for (int i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(Frames[size_t(i)].DelayCs, 4);
        EXPECT_EQ(Frames[size_t(i)].Image, ExpectedFrame(s, i, false));
    }
}

TEST(GifExport, QuantisesAFrameOfMoreThan256Colours)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("q.gif"));
    QImage Gradient(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            Gradient.setPixel(x, y, qRgb(x * 4, y * 4, 128));
    {
        TGifWriter Writer(Path, Gradient.size(), 40);
        Writer.Add(Gradient);
        Writer.Commit();
    }
    const std::vector<TGifFrame> Frames = ReadGif(Path);
    ASSERT_EQ(Frames.size(), 1u);
    EXPECT_LE(Frames[0].PaletteSize, 256);
    int Worst = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
        {
            const QRgb a = Gradient.pixel(x, y), b = Frames[0].Image.pixel(x, y);
            Worst = std::max({Worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    EXPECT_LE(Worst, 40) << "the palette follows the picture's colours";

    // A plot whose numbers' antialiasing takes it past 256 colours keeps its common colours
    // (ground, grid, fills, curves, trail) exact: only a few text pixels move.
    TPlotPicture P = Picture();
    const QImage Plot = P.Render(QSize(523, 523));
    ASSERT_TRUE(TExactPalette::Indexed(Plot).isNull());
    {
        TGifWriter Writer(Path, Plot.size(), 40);
        Writer.Add(Plot);
        Writer.Commit();
    }
    EXPECT_GE(EqualShare(ReadGif(Path).at(0).Image, Plot), 0.995);
}

TEST(FrameFolderExport, WritesNumberedPngsAndReplacesOnlyAFolderOfFrames)
{
    QTemporaryDir Dir;
    const QString Folder = Dir.filePath(QStringLiteral("frames"));
    TAnimationPlan s = Plan(0, 0.2L, 0.1L);
    TPlotPicture P = Picture();
    {
        TFrameFolderWriter Writer(Folder);
        ASSERT_TRUE(TAnimationExport::Run(P, s, Writer, {}));
    }
    EXPECT_EQ(EntriesOf(Folder), QStringList({"frame0001.png", "frame0002.png", "frame0003.png"}));
    EXPECT_EQ(QImage(Folder + QStringLiteral("/frame0003.png")).convertToFormat(QImage::Format_RGB32),
              ExpectedFrame(s, 2));
    EXPECT_EQ(EntriesOf(Dir.path()), QStringList({"frames"})) << "no temporary folder is left";

    // A second export replaces the earlier frames whole.
    {
        TFrameFolderWriter Writer(Folder);
        ASSERT_TRUE(TAnimationExport::Run(P, Plan(0, 0.1L, 0.1L), Writer, {}));
    }
    EXPECT_EQ(EntriesOf(Folder), QStringList({"frame0001.png", "frame0002.png"}));

    // A folder holding anything else is refused and left alone.
    WriteFile(Folder + QStringLiteral("/notes.txt"), "mine");
    EXPECT_THROW(TFrameFolderWriter{Folder}, EExportError);
    EXPECT_EQ(EntriesOf(Folder).size(), 3);
}

TEST(AnimationExport, CancelledOrFailedLeavesTheOldFileAndNothingElse)
{
    QTemporaryDir Dir;
    TPlotPicture P = Picture();
    const QString Path = Dir.filePath(QStringLiteral("old.webp"));
    WriteFile(Path, "the old file");
    {
        TWebPWriter Writer(Path, QSize(120, 90), 40);
        int Calls = 0;
        EXPECT_FALSE(TAnimationExport::Run(P, Plan(0, 1, 0.1L), Writer,
                                           [&](int Done, int Count)
                                           {
                                               ++Calls;
                                               EXPECT_EQ(Count, 11);
                                               return Done < 3;
                                           }));
        EXPECT_EQ(Calls, 3);
    }
    const QString Gif = Dir.filePath(QStringLiteral("old.gif"));
    WriteFile(Gif, "the old gif");
    {
        TGifWriter Writer(Gif, QSize(120, 90), 40);
        EXPECT_FALSE(
            TAnimationExport::Run(P, Plan(0, 1, 0.1L), Writer, [](int Done, int) { return Done < 2; }));
    }
    // A drawing error ends the export: the bounds cannot be read.
    P.Model().LeftText = QStringLiteral("left");
    {
        TFrameFolderWriter Writer(Dir.filePath(QStringLiteral("frames")));
        EXPECT_THROW(TAnimationExport::Run(P, Plan(0, 1, 0.1L), Writer, {}), Exception);
    }
    EXPECT_EQ(ReadAll(Path), "the old file");
    EXPECT_EQ(ReadAll(Gif), "the old gif");
    EXPECT_EQ(EntriesOf(Dir.path()), QStringList({"old.gif", "old.webp"}));
}

// A device in the target's place is never replaced, and one that refuses the bytes is a
// failure; a full disk keeps the old picture. Devices are made in a private folder, the full disk is a small
// tmpfs of the test's own.
TEST(PictureExport, FailsWithCannotWriteAndKeepsWhatWasThere)
{
    QTemporaryDir Dir;
    TPlotPicture P = Picture();
    auto ExpectCannotWrite = [&](TExportFormat Format, const QString& Path)
    {
        try
        {
            TPictureWriter::Write(P, Format, QSize(200, 150), Path);
            ADD_FAILURE() << "wrote " << Path.toStdString();
        }
        catch (const EExportError& e)
        {
            EXPECT_EQ(QString::fromUtf8(e.Message()), QStringLiteral("cannot write ") + Path);
        }
    };
    ExpectCannotWrite(TExportFormat::Png, Dir.filePath(QStringLiteral("missing/p.png")));
    ExpectCannotWrite(TExportFormat::Svg, Dir.path());

    const QString Full = Dir.filePath(QStringLiteral("full"));
    if (mknod(Full.toLocal8Bit().constData(), S_IFCHR | 0666, makedev(1, 7)) == 0)
    {
        for (TExportFormat Format : {TExportFormat::Png, TExportFormat::Svg, TExportFormat::Pdf})
            ExpectCannotWrite(Format, Full);
        struct stat Info;
        ASSERT_EQ(stat(Full.toLocal8Bit().constData(), &Info), 0);
        EXPECT_TRUE(S_ISCHR(Info.st_mode)) << "the device is still a device";
    }
    // A device that takes what is written (as a pipe or /dev/stdout would) is written to.
    const QString Null = Dir.filePath(QStringLiteral("null"));
    if (mknod(Null.toLocal8Bit().constData(), S_IFCHR | 0666, makedev(1, 3)) == 0)
    {
        EXPECT_NO_THROW(TPictureWriter::Write(P, TExportFormat::Svg, QSize(200, 150), Null));
        struct stat Info;
        ASSERT_EQ(stat(Null.toLocal8Bit().constData(), &Info), 0);
        EXPECT_TRUE(S_ISCHR(Info.st_mode));
    }

    const QString Small = Dir.filePath(QStringLiteral("small"));
    QDir().mkdir(Small);
    // Two pages: the old picture takes one, a new one does not fit in the other.
    if (mount("tmpfs", Small.toLocal8Bit().constData(), "tmpfs", 0, "size=8k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here";
    const QString Old = Small + QStringLiteral("/plot.png");
    WriteFile(Old, QByteArray(3000, 'o'));
    for (TExportFormat Format : {TExportFormat::Png, TExportFormat::Svg, TExportFormat::Pdf})
    {
        P.Model().FuncList.Item(0).Func = QStringLiteral("Sin(x*7)*9"); // too big for what is left
        try
        {
            TPictureWriter::Write(P, Format, QSize(1200, 900), Old);
            ADD_FAILURE() << "a full disk took the picture";
        }
        catch (const EExportError&)
        {
        }
        EXPECT_EQ(ReadAll(Old), QByteArray(3000, 'o'));
        EXPECT_EQ(EntriesOf(Small), QStringList({"plot.png"}));
    }
    // Animations too: the frames fill the disk before the end.
    try
    {
        TWebPWriter Writer(Old, QSize(600, 400), 40);
        TAnimationExport::Run(P, Plan(0, 2, 0.1L, QSize(600, 400)), Writer, {});
        ADD_FAILURE() << "a full disk took the animation";
    }
    catch (const EExportError&)
    {
    }
    EXPECT_EQ(ReadAll(Old), QByteArray(3000, 'o'));
    EXPECT_EQ(EntriesOf(Small), QStringList({"plot.png"}));
    umount(Small.toLocal8Bit().constData());
}
