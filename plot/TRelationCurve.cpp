#include "plot/TRelationCurve.h"

#include "analysis/TRelationClassifier.h"
#include "expr/Errors.h"
#include "expr/TimeSubstitution.h"
#include "plot/TCanvas.h"
#include "plot/TCurveEvaluators.h"
#include "plot/TEvalContext.h"
#include "plot/TFuncList.h"
#include "plot/THelperLane.h"
#include "plot/TPaintBudget.h"
#include "plot/TPlotView.h"
#include "plot/TRelationRaster.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>

#include <atomic>
#include <exception>
#include <memory>

namespace
{
// What a trace keeps in the geometry: the classification and where its pixel (0, 0) lies.
struct TRelationPicture
{
    std::unique_ptr<TRelationClassifier> Classes;
    QPoint Origin;
};

const TRelationPicture* PictureOf(const TCurveGeometry& G)
{
    return static_cast<const TRelationPicture*>(G.Extra.get());
}
} // namespace

TCurveTexts TRelationCurve::Texts(const TFuncList& List, int Index, const TEvalContext& Context) const
{
    return {{FormulaAtTime(List.Item(Index).Func.toStdU16String(), Context.Time, Context.Separator)}};
}

TRelationView TRelationCurve::PlaneOf(const TPlotView& View, int32_t OriginY, int64_t First, int64_t Last,
                                      int64_t Top, int64_t Bottom)
{
    const auto Column = [&](Float80 c) { return (c - Float80(View.OriginX)) / View.ScaleX; };
    const auto Row = [&](Float80 r) { return (Float80(OriginY) - r) / View.ScaleY; };
    return {Column(Float80(First) - 0.5L), Column(Float80(Last) + 0.5L), Row(Float80(Bottom) + 0.5L),
            Row(Float80(Top) - 0.5L)};
}

const TRelationClassifier* TRelationCurve::Classes(const TCurveGeometry& G)
{
    const TRelationPicture* Picture = PictureOf(G);
    return Picture ? Picture->Classes.get() : nullptr;
}

void TRelationCurve::Trace(const TCurveTrace& In, TCurveGeometry& G) const
{
    if (!G.Started)
    {
        G = TCurveGeometry();
        G.Started = true;
        if (In.View.LogX || In.View.LogY || In.Last < In.First || In.Bottom < In.Top)
            return;
        TRelationInput Input;
        Input.Formula = In.Texts.Formulas[0]; // the time is in it already
        Input.Separator = In.Evaluators.For(u"x").DecimalSeparator();
        Input.ParameterNames = In.Evaluators.ParameterNames();
        Input.ParameterValues = In.Evaluators.ParameterValues();
        auto Picture = std::make_shared<TRelationPicture>();
        Picture->Origin = QPoint(int(In.First), int(In.Top));
        try
        {
            Picture->Classes = std::make_unique<TRelationClassifier>(
                Input, PlaneOf(In.View, In.OriginY, In.First, In.Last, In.Top, In.Bottom),
                int(In.Last - In.First + 1), int(In.Bottom - In.Top + 1));
        }
        catch (const Exception&)
        {
            G.Error = std::current_exception();
            return;
        }
        G.Extra = std::move(Picture);
    }
    if (!G.Extra)
        return;
    TRelationClassifier& Classes = *static_cast<TRelationPicture*>(G.Extra.get())->Classes;
    // While the budget lasts: nothing of a run shows before its trace is done, so a level worked
    // out at once would only lengthen the slice. A paint gets on by some boxes whatever the
    // budget.
    const TPaintBudget* Budget = In.Budget;
    const TRelationClassifier::TStop Stop =
        Budget ? TRelationClassifier::TStop([Budget] { return Budget->Expired(); })
               : TRelationClassifier::TStop();
    try
    {
        const int Finest = In.Coarse ? TRelationClassifier::PixelLevel : TRelationClassifier::FinestLevel;
        if (!RefineBands(Classes, In.Idle, Stop, Finest))
            throw EPaintAbandoned();
    }
    catch (const Exception&)
    {
        G.Error = std::current_exception();
    }
}

// Every band down to the finest level, each taken whole by this thread (lane 0) or by Idle
// (lane 1), when there is an idle lane and more than one band (bands share nothing, so neither
// waits for the other until the last band); false when Stop ended the work.
bool TRelationCurve::RefineBands(TRelationClassifier& Classes, THelperLane* Idle,
                                 const TRelationClassifier::TStop& Stop, int Finest)
{
    std::atomic<int> Next{0};
    std::atomic<bool> Stopped{false};
    const auto Work = [&](int Lane)
    {
        for (int Band = Next++; Band < Classes.BandCount() && !Stopped; Band = Next++)
            while (!Stopped && Classes.BandLevel(Band) <= Finest)
                if (!Classes.RefineBand(Band, Lane, Stop))
                    Stopped = true;
    };
    if (!Idle || Classes.BandCount() < 2)
    {
        Work(0);
        return !Stopped;
    }
    std::exception_ptr Failure;
    {
        const THelperLane::TWait Helped(*Idle, Idle->Post(
                                                   [&]
                                                   {
                                                       try
                                                       {
                                                           Work(1);
                                                       }
                                                       catch (...)
                                                       {
                                                           Stopped = true;
                                                           Failure = std::current_exception();
                                                       }
                                                   }));
        try
        {
            Work(0);
        }
        catch (...)
        {
            Stopped = true;
            throw; // once the helper has stopped (Helped waits for it)
        }
    }
    if (Failure)
        std::rethrow_exception(Failure);
    return !Stopped;
}

void TRelationCurve::DrawTraced(TCanvas& Canvas, const TCurveGeometry& G, const TRunPaint& Paint) const
{
    const TRelationPicture* Picture = PictureOf(G);
    if (!Picture || !Picture->Classes)
        return;
    const TRelationClassifier& Classes = *Picture->Classes;
    const TRelationRaster::TStyle Style{Paint.Line, Paint.Fill, Paint.Background, Paint.Width, Paint.Style};
    if (Canvas.RasterBits())
    {
        const QPaintDevice* Device = Canvas.Painter().device();
        QImage Image(reinterpret_cast<uchar*>(Canvas.RasterBits()), Device->width(), Device->height(),
                     qsizetype(Canvas.RasterStride() * 4), QImage::Format_ARGB32_Premultiplied);
        TRelationRaster::Paint(Image, Picture->Origin, Classes, Style);
        return;
    }
    // Elsewhere (SVG, PDF, a printer) the same pixels as an image over the picture, with room
    // around them for the pen.
    const int Pad = std::max(Paint.Width, 1);
    QImage Image(Classes.Width() + 2 * Pad, Classes.Height() + 2 * Pad, QImage::Format_ARGB32_Premultiplied);
    Image.fill(Qt::transparent);
    TRelationRaster::Paint(Image, QPoint(Pad, Pad), Classes, Style);
    QPainter& Painter = Canvas.Painter();
    Painter.save();
    Painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    Painter.drawImage(Picture->Origin - QPoint(Pad, Pad), Image);
    Painter.restore();
}
