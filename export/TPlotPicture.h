#pragma once
// One plot to export: a copy of the model with its own evaluator and renderer, drawn at any
// size and time onto an image (the raster path, pixel for pixel what Copy gives at that
// size) or onto any QPainter (SVG and PDF, where lines, fills and text stay vectors).
// Margin, arrow size and font as on a screen of Scale device pixels per pixel.
#include "plot/TFunc.h"
#include "plot/TPlotModel.h"

#include <QFont>
#include <QImage>
#include <QSize>

#include <memory>

class QPainter;
class TGraphEvaluator;
class TPlotRenderer;

class TPlotPicture
{
  public:
    TPlotPicture(const TPlotModel& Model, char16_t DecimalSeparator, TColor Background, const QFont& Font,
                 double Scale = 1);
    ~TPlotPicture();

    TPlotModel& Model() { return PlotModel; }
    char16_t DecimalSeparator() const { return Sep; }

    // Draws a picture of Width x Height device pixels. Every error of the drawing leaves as an
    // Exception, a curve's too, once what could be drawn is drawn: an exported picture never
    // hides a failure.
    void Draw(QPainter& Painter, int Width, int Height);
    QImage Render(QSize Size);

  private:
    TPlotModel PlotModel;
    char16_t Sep;
    TColor Background;
    QFont Font;
    double Scale;
    std::unique_ptr<TGraphEvaluator> Evaluator;
    std::unique_ptr<TPlotRenderer> Renderer;
};
