#pragma once
// The legend: in the top right corner of the plot, one row per drawn graph, a short sample of
// its line (colour, dash style and the curves' width) and its formula (as its kind writes it:
// "Sin(x)", "(Cos(s), Sin(s))", "r = 1+Cos(s)", "x = y*y", "f2′", "f2″", "∫ f2"), on a box
// of its own.
// Formulas past MaxChars characters are cut in the middle to MaxChars with "…". Texts go
// through the canvas as text, so vector pictures keep them as text. Nothing is drawn when no
// graph is drawn.
#include <QString>

class TCanvas;
class TFunc;
class TPlotModel;

class TLegend
{
  public:
    static constexpr int MaxChars = 40;

    // The text a formula stands as in the legend.
    static QString Elided(const QString& Formula);
    // The formula of a graph as the legend writes it, before eliding.
    static QString Label(const TFunc& Graph);

    // Draws the legend of Model's drawn graphs on a Width-pixel-wide picture whose plot keeps
    // Margin pixels free, curves ArrowSize pixels wide.
    static void Draw(TCanvas& Canvas, const TPlotModel& Model, int Width, int Margin, int ArrowSize);
};
