#include "plot/TCurveReadout.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/NumberText.h"
#include "expr/TextToFloat.h"
#include "plot/GraphKind.h"
#include "plot/QtText.h"
#include "plot/TCurveSource.h"
#include "plot/TDerivedCurve.h"
#include "plot/TPlotModel.h"
#include "plot/TPlotView.h"

#include <cmath>
#include <limits>

namespace
{
const QString Gap = QStringLiteral("    ");

// A point of a sampled curve: its plane point and its place in device pixels.
struct TCurvePoint
{
    bool Ok = false;
    Float80 R = 0; // of a polar curve
    Float80 X = 0, Y = 0, Px = 0, Py = 0;
};
} // namespace

TCurveReadout::TCurveReadout(const TPlotModel& ModelIn, char16_t DecimalSeparator)
    : Model(ModelIn), Sep(DecimalSeparator), Evaluators(DecimalSeparator)
{
}

TCurveReadout::~TCurveReadout() = default;

void TCurveReadout::Read(TReadout& r, const TPlotView& View, int32_t OriginY, QPoint Pixel, Float80 Y,
                         int Width, int Height, int Graph)
{
    Evaluators.SetParameters(Model.Parameters.Names(), Model.Parameters.Values());
    Float80 T = 0;
    try
    {
        T = TextToFloat(ToU16(Model.TimeText), Sep);
    }
    catch (const Exception& Error)
    {
        r.Text += Gap + QString::fromUtf8(Error.what());
        return;
    }
    if (Model.FuncList.Item(Graph).Kind == TGraphKind::Inverse)
        ReadInverse(r, View, Pixel, Y, Width, Height, Graph, T);
    else if (!HasFormula(Model.FuncList.Item(Graph).Kind))
        ReadDerived(r, View, OriginY, Pixel, Height, Graph, T);
    else
        ReadSampled(r, View, OriginY, Pixel, Width, Height, Graph, T);
}

void TCurveReadout::ReadInverse(TReadout& r, const TPlotView& View, QPoint Pixel, Float80 Y, int Width,
                                int Height, int Graph, Float80 T)
{
    r.Text += Gap + QStringLiteral("g%1(y)").arg(Graph + 1);
    Float80 Value = 0;
    try
    {
        const std::vector<std::u16string> Texts =
            CurveSourceOf(TGraphKind::Inverse).Texts(Model.FuncList, Graph, T, Sep);
        Value = Evaluators.For(u"y").EvaluateAt(Texts[0], Y);
    }
    catch (const Exception& Error)
    {
        r.Text += QStringLiteral(": ") + QString::fromUtf8(Error.what());
        return;
    }
    r.Text += QStringLiteral(" = ") + FromU16(FormatGeneral15(Value, Sep));
    if (!Model.GraphsEnabled)
        return;
    try
    {
        const int64_t Column = View.LogX ? Round64(View.ColumnAt(Value))
                                         : int64_t(View.OriginX) + Round64(FMul(Value, View.ScaleX));
        if (Column >= 0 && Column < Width && Pixel.y() >= 0 && Pixel.y() < Height)
            r.Marker = QPoint(int(Column), Pixel.y());
    }
    catch (const Exception&)
    {
        // A column beyond 64 bits is off the surface: no marker.
    }
}

void TCurveReadout::ReadDerived(TReadout& r, const TPlotView& View, int32_t OriginY, QPoint Pixel, int Height,
                                int Graph, Float80 T)
{
    const TFunc& Func = Model.FuncList.Item(Graph);
    r.Text += Gap + (Func.Kind == TGraphKind::Integral ? QStringLiteral("F%1(x)") : QStringLiteral("d%1(x)"))
                        .arg(Graph + 1);
    Float80 Value = 0;
    try
    {
        const std::optional<Float80> v =
            DerivedValueAt(Model.FuncList, Graph, View.PlaneX(Pixel.x()), T, Evaluators.For(u"x"));
        if (!v)
        {
            r.Text += QStringLiteral(": the graph is undefined between a and x");
            return;
        }
        Value = *v;
    }
    catch (const Exception& Error)
    {
        r.Text += QStringLiteral(": ") + QString::fromUtf8(Error.what());
        return;
    }
    r.Text += QStringLiteral(" = ") + FromU16(FormatGeneral15(Value, Sep));
    if (!Model.GraphsEnabled)
        return;
    try
    {
        bool Overflow = false;
        const int64_t Row = View.RowOf(Value, OriginY, Overflow);
        if (!Overflow && Row >= 0 && Row < Height)
            r.Marker = QPoint(Pixel.x(), int(Row));
    }
    catch (const Exception&)
    {
        // A row beyond 64 bits is off the surface: no marker.
    }
}

void TCurveReadout::ReadSampled(TReadout& r, const TPlotView& View, int32_t OriginY, QPoint Pixel, int Width,
                                int Height, int Graph, Float80 T)
{
    const TFunc& Func = Model.FuncList.Item(Graph);
    const bool Polar = Func.Kind == TGraphKind::Polar;
    if (Func.Kind != TGraphKind::Parametric && !Polar)
        return;
    const auto Number = [this](Float80 v) { return FromU16(FormatGeneral15(v, Sep)); };
    Float80 S0 = 0, S1 = 0;
    std::shared_ptr<const TExprProgram> First, Second;
    TGraphEvaluator& With = Evaluators.For(u"s");
    try
    {
        const std::vector<std::u16string> Texts =
            CurveSourceOf(Func.Kind).Texts(Model.FuncList, Graph, T, Sep);
        const size_t Ends = Polar ? 1 : 2;
        S0 = Evaluators.For(u"").EvaluateAt(Texts[Ends], 0);
        S1 = Evaluators.For(u"").EvaluateAt(Texts[Ends + 1], 0);
        First = With.Program(Texts[0]);
        if (!Polar)
            Second = With.Program(Texts[1]);
    }
    catch (const Exception& Error)
    {
        r.Text += Gap + QString::fromUtf8(Error.what());
        return;
    }
    const auto At = [&](Float80 S)
    {
        TCurvePoint p;
        try
        {
            if (Polar)
            {
                p.R = With.Run(*First, S);
                p.X = p.R * std::cos(S);
                p.Y = p.R * std::sin(S);
            }
            else
            {
                p.X = With.Run(*First, S);
                p.Y = With.Run(*Second, S);
            }
        }
        catch (const Exception&)
        {
            return p;
        }
        p.Px = View.ColumnAt(p.X);
        p.Py = View.RowAt(p.Y, OriginY);
        p.Ok = std::isfinite(p.Px) && std::isfinite(p.Py);
        return p;
    };
    const auto Distance = [&](const TCurvePoint& p)
    {
        if (!p.Ok)
            return std::numeric_limits<Float80>::infinity();
        const Float80 dx = p.Px - Pixel.x(), dy = p.Py - Pixel.y();
        return dx * dx + dy * dy;
    };
    const auto SAt = [&](int i) { return i == Samples ? S1 : S0 + (S1 - S0) * Float80(i) / Samples; };
    int Best = -1;
    Float80 BestDistance = std::numeric_limits<Float80>::infinity();
    for (int i = 0; i <= Samples; ++i)
    {
        const Float80 d = Distance(At(SAt(i)));
        if (d < BestDistance)
        {
            BestDistance = d;
            Best = i;
        }
    }
    if (Best < 0)
    {
        r.Text +=
            Gap + QStringLiteral("The curve is undefined from s = %1 to %2.").arg(Number(S0), Number(S1));
        return;
    }
    // Golden-section search between the neighbours of the nearest sample.
    Float80 a = SAt(std::max(Best - 1, 0)), b = SAt(std::min(Best + 1, Samples));
    const Float80 g = (std::sqrt(Float80(5)) - 1) / 2;
    Float80 c = b - g * (b - a), d = a + g * (b - a);
    Float80 Dc = Distance(At(c)), Dd = Distance(At(d));
    for (int k = 0; k < 60 && c != d; ++k)
    {
        if (Dc < Dd)
        {
            b = d;
            d = c;
            Dd = Dc;
            c = b - g * (b - a);
            Dc = Distance(At(c));
        }
        else
        {
            a = c;
            c = d;
            Dc = Dd;
            d = a + g * (b - a);
            Dd = Distance(At(d));
        }
    }
    Float80 S = Dc < Dd ? c : d;
    if (std::min(Dc, Dd) > BestDistance)
        S = SAt(Best);
    const TCurvePoint p = At(S);
    const QString n = QString::number(Graph + 1);
    r.Text += Gap + QStringLiteral("s = ") + Number(S);
    if (Polar)
        r.Text += Gap + QStringLiteral("r%1(s) = ").arg(n) + Number(p.R);
    r.Text += Gap + QStringLiteral("(x%1, y%1) = (").arg(n) + Number(p.X) + QStringLiteral("; ") +
              Number(p.Y) + QStringLiteral(")");
    if (!Model.GraphsEnabled)
        return;
    if (p.Px >= 0 && p.Px < Width && p.Py >= 0 && p.Py < Height)
        r.Marker = QPoint(int(Round64(p.Px)), int(Round64(p.Py)));
}
