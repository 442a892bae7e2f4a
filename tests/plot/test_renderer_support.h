#pragma once
// A model, an evaluator and a picture to draw them on, for the renderer's pixel tests.
#include "expr/Errors.h"
#include "expr/NumberText.h"
#include "plot/TCanvas.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotRenderer.h"

#include <QImage>
#include <QPainter>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace RenderTest
{
inline const QRgb White = qRgb(255, 255, 255);
inline const QRgb Black = qRgb(0, 0, 0);
inline const QRgb Silver = qRgb(0xC0, 0xC0, 0xC0);
inline const QRgb Red = qRgb(255, 0, 0);
inline constexpr TColor RedColor = 0x0000FF;

using TPixels = std::set<std::pair<int, int>>;

struct TText
{
    int X, Y;
    QString Text;
};

inline QString Fixed(Float80 Value, int Decimals)
{
    return QString::fromStdU16String(FormatFixed(Value, Decimals, u'.'));
}

struct TScene
{
    TPlotModel Model;
    TGraphEvaluator Evaluator{u'.'};
    QImage Image;
    QImage WithoutNumbers;
    int ArrowSize = 3;
    std::vector<std::string> Reports;

    // Draws on a picture that starts magenta, so the background fill shows.
    const QImage& Draw(int Width = 410, int Height = 410)
    {
        Image = QImage(Width, Height, QImage::Format_RGB32);
        Image.fill(qRgb(255, 0, 255));
        QPainter Painter(&Image);
        TCanvas Canvas(Painter);
        Canvas.SetBrushColor(clWhite);
        TPlotRenderer Renderer(Model, Evaluator, u'.');
        // As the window does: a curve's error is reported and hides the graphs.
        Renderer.DrawPlot(Canvas, Width, Height, 5, ArrowSize,
                          [this](const Exception& Error)
                          {
                              Model.GraphsEnabled = false;
                              Reports.push_back(Error.Message());
                          });
        return Image;
    }

    // The pixels that the tick numbers change.
    TPixels NumberPixels()
    {
        const bool Numbers = Model.View.Numbers;
        Model.View.Numbers = false;
        WithoutNumbers = Draw();
        Model.View.Numbers = true;
        const QImage With = Draw();
        Model.View.Numbers = Numbers;
        TPixels Out;
        for (int y = 0; y < With.height(); ++y)
            for (int x = 0; x < With.width(); ++x)
                if (With.pixel(x, y) != WithoutNumbers.pixel(x, y))
                    Out.insert({x, y});
        return Out;
    }

    // Pixels of a colour anywhere in the last picture.
    int Count(QRgb Color) const
    {
        int n = 0;
        for (int y = 0; y < Image.height(); ++y)
            for (int x = 0; x < Image.width(); ++x)
                n += Image.pixel(x, y) == Color;
        return n;
    }

    bool ColumnHas(int X, QRgb Color) const
    {
        for (int y = 0; y < Image.height(); ++y)
            if (Image.pixel(X, y) == Color)
                return true;
        return false;
    }
};

// The pixels the texts would change on the picture without numbers (call NumberPixels first):
// the texts written by the canvas on white, less the pixels that are black already (text
// edges may be smoothed, and a smoothed edge over black stays black).
inline TPixels ExpectedTextPixels(const TScene& Scene, const std::vector<TText>& Texts)
{
    QImage Sheet(Scene.WithoutNumbers.size(), QImage::Format_RGB32);
    Sheet.fill(Qt::white);
    {
        QPainter Painter(&Sheet);
        TCanvas Canvas(Painter);
        for (const TText& t : Texts)
            Canvas.TextOut(t.X, t.Y, t.Text);
    }
    TPixels Out;
    for (int y = 0; y < Sheet.height(); ++y)
        for (int x = 0; x < Sheet.width(); ++x)
            if (Sheet.pixel(x, y) != White && Scene.WithoutNumbers.pixel(x, y) != Black)
                Out.insert({x, y});
    return Out;
}
} // namespace RenderTest
