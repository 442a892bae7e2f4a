#include "plot/TSampledKind.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "plot/NearestOnCurve.h"
#include "plot/QtText.h"
#include "plot/TCurveEvaluators.h"
#include "plot/TCurveSource.h"
#include "plot/TEvalContext.h"
#include "plot/TFuncList.h"
#include "plot/TGraphKeys.h"
#include "plot/TPlotReadout.h"
#include "plot/TPlotView.h"
#include "plot/TReadoutPlace.h"

#include <cmath>

struct TSampledKind::TFrame
{
    Float80 S0 = 0, S1 = 0;
    std::shared_ptr<const TExprProgram> First, Second;
};

void TSampledKind::ReadKeys(const TGraphKeys& Keys, TFunc& Graph) const
{
    const TFunc Defaults;
    Graph.FromText = Keys.Text("From", Defaults.FromText);
    Graph.ToText = Keys.Text("To", Defaults.ToText);
}

void TSampledKind::WriteKeys(TGraphKeys& Keys, const TFunc& Graph) const
{
    Keys.WriteText("From", Graph.FromText);
    Keys.WriteText("To", Graph.ToText);
}

bool TSampledKind::ReadFrame(const TReadoutPlace& At, TReadout& r, TFrame& Frame) const
{
    if (!At.Context)
    {
        r.Text += ReadoutGap + At.Problem;
        return false;
    }
    try
    {
        const TCurveTexts Texts = Source().Texts(At.List, At.Graph, *At.Context);
        TGraphEvaluator& Ends = At.Evaluators.For(u"");
        Frame.S0 = Ends.EvaluateAt(Texts.Formulas[Formulas()], 0);
        Frame.S1 = Ends.EvaluateAt(Texts.Formulas[Formulas() + 1], 0);
        TGraphEvaluator& With = At.Evaluators.For(u"s");
        Frame.First = With.Program(Texts.Formulas[0]);
        if (Formulas() > 1)
            Frame.Second = With.Program(Texts.Formulas[1]);
    }
    catch (const Exception& Error)
    {
        r.Text += ReadoutGap + QString::fromUtf8(Error.what());
        return false;
    }
    return true;
}

// The point of the curve nearest the mouse: "s = ...", then the kind's text of the point; the
// marker on it where it is on the surface.
void TSampledKind::Read(const TReadoutPlace& At, TReadout& r) const
{
    TFrame Frame;
    if (!ReadFrame(At, r, Frame))
        return;
    TGraphEvaluator& With = At.Evaluators.For(u"s");
    const auto Point = [&](Float80 S) -> std::optional<TPoint>
    {
        try
        {
            return PointAt(With, *Frame.First, Frame.Second.get(), S);
        }
        catch (const Exception&)
        {
            return std::nullopt;
        }
    };
    const auto Pixel = [&](Float80 S) -> std::optional<TCurvePixel>
    {
        const std::optional<TPoint> p = Point(S);
        if (!p)
            return std::nullopt;
        const TCurvePixel c{At.View.ColumnAt(p->X), At.View.RowAt(p->Y, At.OriginY)};
        if (!std::isfinite(c.Column) || !std::isfinite(c.Row))
            return std::nullopt;
        return c;
    };
    const std::optional<Float80> S = NearestOnCurve(Pixel, Frame.S0, Frame.S1, At.Pixel);
    if (!S)
    {
        r.Text += ReadoutGap +
                  QString::fromUtf8(Msg::Format(Msg::CurveUndefinedOverS, At.Number(Frame.S0).toStdString(),
                                                At.Number(Frame.S1).toStdString()));
        return;
    }
    r.Text +=
        ReadoutGap + QStringLiteral("s = ") + At.Number(*S) + PointText(At, Point(*S).value_or(TPoint{}));
    const std::optional<TCurvePixel> c = Pixel(*S);
    if (At.GraphsEnabled && c && c->Column >= 0 && c->Column < At.Width && c->Row >= 0 && c->Row < At.Height)
        r.Marker = QPoint(int(Round64(c->Column)), int(Round64(c->Row)));
}

// An end of s without a value draws nothing: "S0: " or "S1: " and the evaluator's message. A
// time text that is not a number is the time editor's to report.
QString TSampledKind::Problem(const TFuncList& List, int Index, const TEvalContext* Context) const
{
    if (!Context)
        return {};
    const TCurveTexts Texts = Source().Texts(List, Index, *Context);
    TCurveEvaluators Evaluators(Context->Separator);
    Context->Use(Evaluators);
    for (size_t e = 0; e < 2; ++e)
        try
        {
            Evaluators.For(u"").EvaluateAt(Texts.Formulas[Formulas() + e], 0);
        }
        catch (const Exception& Error)
        {
            return (e == 0 ? QStringLiteral("S0: ") : QStringLiteral("S1: ")) +
                   QString::fromUtf8(Error.what());
        }
    return {};
}

void TSampledKind::Ask(const TFunc& Graph, TAnalysisRequest& R) const
{
    R.Question = Measures();
    R.Second = ToU16(Graph.FuncY);
    R.From = ToU16(Graph.FromText);
    R.To = ToU16(Graph.ToText);
}

std::vector<TGraphEditor> TSampledKind::WithEnds(std::vector<TGraphEditor> Formulas)
{
    Formulas.push_back({TGraphField::From, QStringLiteral("s from (S0):")});
    Formulas.push_back({TGraphField::To, QStringLiteral("s to (S1):")});
    return Formulas;
}

QString TSampledKind::AnalysisNote() const
{
    return QString::fromUtf8(Msg::SampledCurveAnalysis);
}
