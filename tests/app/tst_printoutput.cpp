// Printing: the printer query, the margin and arrow size from the resolution, and a job
// that always ends, written to a PDF file so no printer is needed.
#include "app/TPrintOutput.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

class TestPrintOutput : public QObject
{
    Q_OBJECT

  private slots:
    void MarginAndArrow_data();
    void MarginAndArrow();
    void PdfPrinterIsQueried();
    void PrintWritesPdfWithPageSizeAndScaledSizes();
    void JobEndsWhenDrawingFails();
    void PdfInMemoryIsThePageAPdfPrinterMakes();
    void NoPrinterSaysSo();
};

void TestPrintOutput::MarginAndArrow_data()
{
    QTest::addColumn<int>("Quality");
    QTest::addColumn<int>("Margin");
    QTest::addColumn<int>("Arrow");
    QTest::newRow("600 dpi") << 600 << 300 << 10;
    QTest::newRow("300 dpi") << 300 << 150 << 5;
    QTest::newRow("1200 dpi") << 1200 << 600 << 20;
    QTest::newRow("arrow rounds down") << 119 << 59 << 1;
}

void TestPrintOutput::MarginAndArrow()
{
    QFETCH(int, Quality);
    QFETCH(int, Margin);
    QFETCH(int, Arrow);
    QCOMPARE(TPrintOutput::MarginFor(Quality), Margin);
    QCOMPARE(TPrintOutput::ArrowSizeFor(Quality), Arrow);
}

void TestPrintOutput::PdfPrinterIsQueried()
{
    QTemporaryDir Dir;
    QPrinter Printer(QPrinter::HighResolution);
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(Dir.filePath(QStringLiteral("plot.pdf")));
    Printer.setResolution(600);
    Printer.setPageSize(QPageSize(QPageSize::A4));
    Printer.setPageOrientation(QPageLayout::Portrait);
    const auto Info = TPrintOutput::QueryPrinter(Printer);
    QCOMPARE(Info.PrinterDevice, Dir.filePath(QStringLiteral("plot.pdf")));
    QCOMPARE(Info.PrintQuality, 600);
    // A4 is 210 x 297 mm: the physical page in dots at 600 dpi (Qt rounds it to whole points).
    QVERIFY2(qAbs(Info.PrintWidth - 4961) <= 10, qPrintable(QString::number(Info.PrintWidth)));
    QVERIFY2(qAbs(Info.PrintHeight - 7016) <= 10, qPrintable(QString::number(Info.PrintHeight)));

    Printer.setPageOrientation(QPageLayout::Landscape);
    const auto Wide = TPrintOutput::QueryPrinter(Printer);
    QVERIFY(Wide.PrintWidth > Wide.PrintHeight);
}

void TestPrintOutput::PrintWritesPdfWithPageSizeAndScaledSizes()
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("plot.pdf"));
    QPrinter Printer(QPrinter::HighResolution);
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(Path);
    Printer.setResolution(600);
    int Calls = 0, GotWidth = 0, GotHeight = 0, GotMargin = 0, GotArrow = 0;
    const bool Printed = TPrintOutput::PrintExecute(
        Printer,
        [&](QPainter& Painter, int Width, int Height, int Margin, int ArrowSize)
        {
            ++Calls;
            GotWidth = Width;
            GotHeight = Height;
            GotMargin = Margin;
            GotArrow = ArrowSize;
            Painter.fillRect(Margin, Margin, Width - 2 * Margin, Height - 2 * Margin, Qt::black);
        },
        [](const QString& Text) { QFAIL(qPrintable(Text)); });
    QVERIFY(Printed);
    QCOMPARE(Calls, 1);
    QCOMPARE(GotMargin, 300);
    QCOMPARE(GotArrow, 10);
    const QRectF Page = Printer.paperRect(QPrinter::DevicePixel);
    QCOMPARE(GotWidth, qRound(Page.width()));
    QCOMPARE(GotHeight, qRound(Page.height()));

    QFile Pdf(Path);
    QVERIFY(Pdf.open(QIODevice::ReadOnly));
    const QByteArray Bytes = Pdf.readAll();
    QVERIFY(Bytes.startsWith("%PDF"));
    QVERIFY(Bytes.size() > 500);
}

void TestPrintOutput::JobEndsWhenDrawingFails()
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("partial.pdf"));
    QPrinter Printer(QPrinter::HighResolution);
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(Path);
    bool Threw = false;
    try
    {
        TPrintOutput::PrintExecute(
            Printer,
            [](QPainter& Painter, int, int, int, int)
            {
                Painter.drawLine(0, 0, 100, 100);
                throw std::runtime_error("'abc' is not a valid floating point value");
            },
            [](const QString&) {});
    }
    catch (const std::runtime_error&)
    {
        Threw = true;
    }
    QVERIFY(Threw);
    // The job was ended: the file is a complete PDF with what was drawn so far.
    QFile Pdf(Path);
    QVERIFY(Pdf.open(QIODevice::ReadOnly));
    const QByteArray Bytes = Pdf.readAll();
    QVERIFY(Bytes.startsWith("%PDF"));
    QVERIFY(Bytes.trimmed().endsWith("%%EOF"));
    // And the printer can start the next job.
    QVERIFY(TPrintOutput::PrintExecute(
        Printer, [](QPainter&, int, int, int, int) {}, [](const QString&) {}));
}

// Print to PDF makes its file in memory; the page must be the one a PDF printer of the same
// layout and resolution gives: the same drawing sizes, device and origin, the same media box.
void TestPrintOutput::PdfInMemoryIsThePageAPdfPrinterMakes()
{
    struct TPage
    {
        QList<int> Arguments;
        QSize Device;
        QTransform Origin;
    };
    const auto Recorder = [](TPage& Page)
    {
        return [&Page](QPainter& Painter, int Width, int Height, int Margin, int ArrowSize)
        {
            Page = {{Width, Height, Margin, ArrowSize},
                    QSize(Painter.device()->width(), Painter.device()->height()),
                    Painter.deviceTransform()};
            Painter.fillRect(Margin, Margin, Width - 2 * Margin, Height - 2 * Margin, Qt::black);
        };
    };
    const auto MediaBox = [](const QByteArray& Pdf)
    {
        const qsizetype At = Pdf.indexOf("/MediaBox");
        return At < 0 ? QByteArray() : Pdf.mid(At, Pdf.indexOf(']', At) - At);
    };
    QTemporaryDir Dir;
    for (const QPageLayout::Orientation Orientation : {QPageLayout::Portrait, QPageLayout::Landscape})
    {
        const QString Path = Dir.filePath(QStringLiteral("printer.pdf"));
        QPrinter Printer(QPrinter::HighResolution);
        Printer.setOutputFormat(QPrinter::PdfFormat);
        Printer.setOutputFileName(Path);
        Printer.setPageSize(QPageSize(QPageSize::Letter));
        Printer.setPageOrientation(Orientation);
        TPage Printed, InMemory;
        QVERIFY(TPrintOutput::PrintExecute(Printer, Recorder(Printed),
                                           [](const QString& Text) { QFAIL(qPrintable(Text)); }));
        const QByteArray Bytes =
            TPrintOutput::PdfPage(Printer.pageLayout(), Printer.resolution(), Recorder(InMemory));
        QCOMPARE(InMemory.Arguments, Printed.Arguments);
        QCOMPARE(InMemory.Device, Printed.Device);
        QCOMPARE(InMemory.Origin, Printed.Origin);
        QFile File(Path);
        QVERIFY(File.open(QIODevice::ReadOnly));
        const QByteArray Box = MediaBox(File.readAll());
        QVERIFY(!Box.isEmpty());
        QCOMPARE(MediaBox(Bytes), Box);
        QVERIFY(Bytes.trimmed().endsWith("%%EOF"));
    }
}

void TestPrintOutput::NoPrinterSaysSo()
{
    // A PDF printer without a file to write stands for "no printer to use".
    QPrinter Printer;
    Printer.setOutputFormat(QPrinter::PdfFormat);
    QVERIFY(Printer.outputFileName().isEmpty());
    QStringList Errors;
    int Calls = 0;
    const bool Printed = TPrintOutput::PrintExecute(
        Printer, [&](QPainter&, int, int, int, int) { ++Calls; },
        [&](const QString& Text) { Errors << Text; });
    QVERIFY(!Printed);
    QCOMPARE(Calls, 0);
    QCOMPARE(Errors, QStringList{QStringLiteral("No printers")});
}

QTEST_MAIN(TestPrintOutput)
#include "tst_printoutput.moc"
