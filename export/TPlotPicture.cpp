#include "export/TPlotPicture.h"

#include "export/Errors.h"
#include "plot/TCanvas.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotRenderer.h"

#include <QPainter>

#include <optional>
#include <string>

namespace
{
constexpr int PictureMargin = 5;
constexpr int PictureArrowSize = 3;
} // namespace

TPlotPicture::TPlotPicture(const TPlotModel& Model, char16_t DecimalSeparator, TColor BackgroundIn, const QFont& FontIn)
    : PlotModel(Model), Sep(DecimalSeparator), Background(BackgroundIn), Font(FontIn),
      Evaluator(std::make_unique<TGraphEvaluator>(DecimalSeparator)),
      Renderer(std::make_unique<TPlotRenderer>(PlotModel, *Evaluator, DecimalSeparator))
{
}

TPlotPicture::~TPlotPicture() = default;

void TPlotPicture::Draw(QPainter& Painter, int Width, int Height)
{
    TCanvas Canvas(Painter);
    Canvas.SetBrushColor(Background);
    Canvas.SetFont(Font);
    std::optional<std::string> CurveError;
    Renderer->DrawPlot(Canvas, Width, Height, PictureMargin, PictureArrowSize,
                       [&](const Exception& Error) { CurveError = Error.Message(); });
    if (CurveError)
        throw Exception(*CurveError);
}

QImage TPlotPicture::Render(QSize Size)
{
    QImage Image(Size, QImage::Format_RGB32);
    if (Image.isNull())
        ThrowExport(QStringLiteral("not enough memory for a picture of %1x%2").arg(Size.width()).arg(Size.height()));
    QPainter Painter(&Image);
    Draw(Painter, Image.width(), Image.height());
    return Image;
}
