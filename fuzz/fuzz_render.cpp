// Any document draws on a small picture without a crash, a hang or a foreign exception.
// The first two bytes give the picture's width and height (1 .. 64), the third the
// switches the document does not hold (fills, motion blur, grid, numbers, arrows, grid
// style); the rest is the document file.
#include "FuzzSupport.h"

#include "expr/Errors.h"
#include "plot/TCanvas.h"
#include "plot/TDocument.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotRenderer.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int* Argc, char*** Argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication App(*Argc, *Argv);
    return 0;
}

namespace
{
void ApplySwitches(TPlotModel& Model, uint8_t Bits)
{
    Model.FilledGraphs = Bits & 1;
    Model.MotionBlur = Bits & 2;
    Model.View.Grid = Bits & 4;
    Model.View.Numbers = Bits & 8;
    Model.View.Arrows = Bits & 16;
    const int GridStyle = (Bits >> 5) % 3;
    Model.View.GridSolid = GridStyle == 0;
    Model.View.GridDash = GridStyle == 1;
    Model.View.GridDot = GridStyle == 2;
    Model.TimeIncrement = (Bits & 128) ? 0.05f : 0.0f;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 3)
        return 0;
    const int Width = 1 + Data[0] % 64;
    const int Height = 1 + Data[1] % 64;

    const QString Path = QString::fromStdString(Fuzz::ScratchDir()) + QStringLiteral("/render.vdg");
    {
        QFile File(Path);
        if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate))
            Fuzz::Fail("cannot write", Path.toStdString());
        File.write(reinterpret_cast<const char*>(Data + 3), qint64(Size - 3));
    }

    TPlotModel Model;
    TDocument::Read(Path, Model);
    ApplySwitches(Model, Data[2]);

    static TGraphEvaluator Evaluator(u'.');
    QImage Image(Width, Height, QImage::Format_RGB32);
    QPainter Painter(&Image);
    TCanvas Canvas(Painter);
    TPlotRenderer Renderer(Model, Evaluator, u'.');
    try
    {
        Renderer.DrawPlot(Canvas, Width, Height, 5, 3, [](const Exception&) {});
    }
    catch (const Exception&)
    {
        // A bound, time or tick error ends the drawing: that is a result, not a fault.
    }
    return 0;
}
