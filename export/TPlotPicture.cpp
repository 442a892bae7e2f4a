#include "export/TPlotPicture.h"

#include "export/Errors.h"
#include "plot/TGraphEvaluator.h"
#include "plot/TPlotRenderer.h"
#include "plot/TPlotTarget.h"

#include <QPainter>

#include <optional>
#include <string>

TPlotPicture::TPlotPicture(const TPlotModel& Model, char16_t DecimalSeparator, TColor BackgroundIn,
                           const QFont& FontIn, double ScaleIn)
    : PlotModel(Model), Sep(DecimalSeparator), Background(BackgroundIn), Font(FontIn), Scale(ScaleIn),
      Evaluator(std::make_unique<TGraphEvaluator>(DecimalSeparator)),
      Renderer(std::make_unique<TPlotRenderer>(PlotModel, *Evaluator, DecimalSeparator))
{
}

TPlotPicture::~TPlotPicture() = default;

void TPlotPicture::Draw(QPainter& Painter, int Width, int Height)
{
    std::optional<std::string> CurveError;
    DrawPlotOn(Painter, *Renderer, TPlotTarget::Screen(QSize(Width, Height), Scale, Background, Font),
               [&](const Exception& Error) { CurveError = Error.Message(); });
    if (CurveError)
        throw Exception(*CurveError);
}

QImage TPlotPicture::Render(QSize Size)
{
    QImage Image(Size, QImage::Format_RGB32);
    if (Image.isNull())
        ThrowExport(
            QStringLiteral("not enough memory for a picture of %1x%2").arg(Size.width()).arg(Size.height()));
    QPainter Painter(&Image);
    Draw(Painter, Image.width(), Image.height());
    return Image;
}
