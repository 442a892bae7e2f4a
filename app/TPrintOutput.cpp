#include "app/TPrintOutput.h"

#include <QPainter>
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

bool TPrintOutput::PrintPage(QPrinter& Printer, const TPrinterInfo& Info, const TDrawPlot& Draw)
{
    QPainter Painter;
    if (!Painter.begin(&Printer))
        return false;
    try
    {
        // The painter's origin is the corner of the printable area; no other scaling.
        Draw(Painter, Info.PrintWidth, Info.PrintHeight, MarginFor(Info.PrintQuality),
             ArrowSizeFor(Info.PrintQuality));
    }
    catch (...)
    {
        Painter.end(); // the job ends with what was drawn so far
        throw;
    }
    Painter.end();
    return true;
}

bool TPrintOutput::PrintExecute(QPrinter& Printer, const TDrawPlot& Draw, const TShowError& ShowError)
{
    const TPrinterInfo Info = QueryPrinter(Printer);
    if (Info.PrinterDevice.isEmpty())
    {
        ShowError(QString::fromLatin1(NoPrintersText));
        return false;
    }
    if (!PrintPage(Printer, Info, Draw))
    {
        ShowError(QString::fromLatin1(CannotStartText));
        return false;
    }
    return true;
}
