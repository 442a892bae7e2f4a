#include "app/TPrintOutput.h"

#include "app/Errors.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

TPrintOutput::TPrinterInfo TPrintOutput::QueryPrinter(QPrinter& Printer)
{
    TPrinterInfo Info;
    if (Printer.outputFormat() == QPrinter::PdfFormat)
    {
        Info.PrinterDevice = Printer.outputFileName();
    }
    else
    {
        if (Printer.printerName().isEmpty())
        {
            QPrinterInfo Chosen = QPrinterInfo::defaultPrinter();
            if (Chosen.isNull())
            {
                const QList<QPrinterInfo> Available = QPrinterInfo::availablePrinters();
                if (!Available.isEmpty())
                    Chosen = Available.first();
            }
            if (!Chosen.isNull())
                Printer.setPrinterName(Chosen.printerName());
        }
        Info.PrinterDevice = Printer.printerName();
    }
    if (Info.PrinterDevice.isEmpty())
        return Info;
    const QRectF Page = Printer.paperRect(QPrinter::DevicePixel);
    Info.PrintWidth = qRound(Page.width());
    Info.PrintHeight = qRound(Page.height());
    Info.PrintQuality = Printer.resolution();
    return Info;
}

namespace
{
bool DrawPage(QPaintDevice& Device, const TPrintOutput::TPrinterInfo& Info,
              const TPrintOutput::TDrawPlot& Draw)
{
    QPainter Painter;
    if (!Painter.begin(&Device))
        return false;
    try
    {
        // The painter's origin is the corner of the printable area; no other scaling.
        Draw(Painter, Info.PrintWidth, Info.PrintHeight, TPrintOutput::MarginFor(Info.PrintQuality),
             TPrintOutput::ArrowSizeFor(Info.PrintQuality));
    }
    catch (...)
    {
        Painter.end(); // the job ends with what was drawn so far
        throw;
    }
    Painter.end();
    return true;
}
} // namespace

bool TPrintOutput::PrintPage(QPrinter& Printer, const TPrinterInfo& Info, const TDrawPlot& Draw)
{
    return DrawPage(Printer, Info, Draw);
}

QByteArray TPrintOutput::PdfPage(const QPageLayout& Layout, int Resolution, const TDrawPlot& Draw)
{
    QBuffer Bytes;
    Bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter Pdf(&Bytes);
        Pdf.setResolution(Resolution);
        Pdf.setPageLayout(Layout);
        TPrinterInfo Info;
        const QRect Page = Layout.fullRectPixels(Resolution);
        Info.PrintWidth = Page.width();
        Info.PrintHeight = Page.height();
        Info.PrintQuality = Resolution;
        if (!DrawPage(Pdf, Info, Draw))
            return QByteArray();
    }
    return Bytes.data();
}

bool TPrintOutput::PrintExecute(QPrinter& Printer, const TDrawPlot& Draw, const TShowError& ShowError)
{
    const TPrinterInfo Info = QueryPrinter(Printer);
    if (Info.PrinterDevice.isEmpty())
    {
        ShowError(QString::fromLatin1(Msg::NoPrinters));
        return false;
    }
    if (!PrintPage(Printer, Info, Draw))
    {
        ShowError(QString::fromLatin1(Msg::CannotStartPrinting));
        return false;
    }
    return true;
}
