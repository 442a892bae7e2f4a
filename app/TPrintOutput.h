#pragma once
// Printing the plot on one page. The picture takes the printer's whole physical page in
// printer dots, with the margin and arrow size scaled from the printer's resolution; the
// drawing itself is handed in, so the same renderer serves screen, clipboard and paper.
#include <QByteArray>
#include <QString>

#include <functional>

class QPageLayout;
class QPaintDevice;
class QPainter;
class QPrinter;

class TPrintOutput
{
  public:
    // Draws the picture: Width x Height dots, margin and arrow size in dots.
    using TDrawPlot =
        std::function<void(QPainter& Painter, int Width, int Height, int Margin, int ArrowSize)>;
    // Shows a message box with the error icon.
    using TShowError = std::function<void(const QString& Text)>;

    // What the printer reports. PrinterDevice is empty when there is no printer to use.
    struct TPrinterInfo
    {
        QString PrinterDevice;
        int PrintWidth = 0;
        int PrintHeight = 0;
        int PrintQuality = 0;
    };

    // The current printer of Printer: a native printer without a name gets the system's
    // default printer, or else the first one available; a PDF printer is its output file.
    // Width and height are the physical page (not the printable area) in device dots, the
    // quality the resolution in dots per inch.
    static TPrinterInfo QueryPrinter(QPrinter& Printer);

    static int MarginFor(int PrintQuality) { return PrintQuality / 2; }
    static int ArrowSizeFor(int PrintQuality) { return PrintQuality / 60; }

    // Begins the job, draws, and ends the job, also when Draw throws (the error then goes on
    // to the caller). Returns false when the job cannot begin.
    static bool PrintPage(QPrinter& Printer, const TPrinterInfo& Info, const TDrawPlot& Draw);

    // The page as PrintPage draws it on a PDF printer of this layout and resolution, made in
    // memory: a PDF printer writes its file as it goes and cannot tell that the disk was full,
    // so the caller writes these bytes in one piece and can. Errors of Draw pass through.
    static QByteArray PdfPage(const QPageLayout& Layout, int Resolution, const TDrawPlot& Draw);

    // The whole Print command: query, "No printers" when there is none, print the page.
    // Returns whether a page was printed. Errors of Draw pass through.
    static bool PrintExecute(QPrinter& Printer, const TDrawPlot& Draw, const TShowError& ShowError);
};
