#pragma once
// The plot going out of the window: Edit > Copy (at the logical size, or at the screen's
// resolution when asked), File > Print, Print to PDF, Print Setup, Export Picture and Export
// Animation. Every picture is the one the plot surface shows (its background, font, view and
// graphs) drawn by the window's renderer or, for exports, by a picture of its own; the marks of
// the analysis go on copies and pages when the user asked for them. A curve's error is handed to
// CurveFailed, the window's own report, which also hides the graphs.
#include <QImage>
#include <QString>

#include <functional>
#include <memory>

class Exception;
class QPainter;
class QPrinter;
class TDialogs;
class TPlotModel;
class TPlotRenderer;
class TWindowBox;

class TOutputCommands
{
  public:
    // The marks laid over the plot, on a picture of Width x Height with Margin at Scale.
    using TDrawMarks = std::function<void(QPainter&, int Width, int Height, int Margin, double Scale)>;
    using TCurveFailed = std::function<void(const Exception&)>;

    TOutputCommands(const TPlotModel& Model, TPlotRenderer& Renderer, TWindowBox& Surface, TDialogs& Dialogs,
                    char16_t DecimalSeparator, TDrawMarks DrawMarks, TCurveFailed CurveFailed);
    ~TOutputCommands();

    // The picture of the surface at Scale device pixels per pixel.
    QImage Render(double Scale);
    void Copy(bool AtScreenResolution);
    void Print();
    void PrintPdf();
    void PageSetup();
    void ExportPicture();
    void ExportAnimation();

  private:
    // The plot on a page of Width x Height dots, for the printer and the PDF file.
    void DrawPage(QPainter& Painter, int Width, int Height, int Margin, int ArrowSize);

    const TPlotModel& Model;
    TPlotRenderer& Renderer;
    TWindowBox& Surface;
    TDialogs& Dialogs;
    const char16_t Sep;
    TDrawMarks DrawMarks;
    TCurveFailed CurveFailed;
    std::unique_ptr<QPrinter> Printer;
    QString ExportFileName;
};
