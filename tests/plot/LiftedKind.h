#pragma once
// A graph kind that exists only in the tests, to show that a kind is one descriptor, one source
// and one registration: "lifted" graphs y = f(x) + L, with f in Func and the lift L, a formula
// too, in FromText under the document key "Lift"+n. Everything the program asks of a kind
// (document, legend, readout, Graph panel, paint) it answers here and nowhere else.
#include "expr/Errors.h"
#include "expr/TimeSubstitution.h"
#include "plot/GraphKind.h"
#include "plot/TCurveEvaluators.h"
#include "plot/TEvalContext.h"
#include "plot/TFuncList.h"
#include "plot/TFunctionCurve.h"
#include "plot/TGraphKeys.h"
#include "plot/TPlotReadout.h"
#include "plot/TReadoutPlace.h"

// The curve of f + L, traced as a function's.
class TLiftedCurve : public TFunctionCurve
{
  public:
    TCurveTexts Texts(const TFuncList& List, int Index, const TEvalContext& Context) const override
    {
        const TFunc& Graph = List.Item(Index);
        std::u16string Sum = u"(";
        Sum += Graph.Func.toStdU16String();
        Sum += u")+(";
        Sum += Graph.FromText.toStdU16String();
        Sum += u")";
        return {{FormulaAtTime(Sum, Context.Time, Context.Separator)}};
    }
};

class TLiftedKind : public TKindDescriptor
{
  public:
    const char* Name() const override { return "lifted"; }
    QString Caption() const override { return QStringLiteral("Lifted y = f(x) + L"); }
    void ReadKeys(const TGraphKeys& Keys, TFunc& Graph) const override
    {
        Graph.FromText = Keys.Text("Lift", "0");
    }
    void WriteKeys(TGraphKeys& Keys, const TFunc& Graph) const override
    {
        Keys.WriteText("Lift", Graph.FromText);
    }
    QString Label(const TFunc& Graph) const override
    {
        return Graph.Func + QStringLiteral(" + ") + Graph.FromText;
    }
    const TCurveSource& Source() const override { return Curve; }
    bool FillsByColumn() const override { return true; }
    void Read(const TReadoutPlace& At, TReadout& r) const override
    {
        r.Text += ReadoutGap + QStringLiteral("h%1(x)").arg(At.Graph + 1);
        try
        {
            const TCurveTexts Texts = Curve.Texts(At.List, At.Graph, *At.Context);
            const Float80 Value = At.Evaluators.For(u"x").EvaluateAt(Texts.Formulas[0], At.X);
            r.Text += QStringLiteral(" = ") + At.Number(Value);
            At.MarkRow(r, Value);
        }
        catch (const Exception& Error)
        {
            r.Text += ReadoutError(Error);
        }
    }
    std::vector<TGraphEditor> Editors() const override
    {
        return {{TGraphField::Func, QStringLiteral("f(x):")}, {TGraphField::From, QStringLiteral("L:")}};
    }

  private:
    TLiftedCurve Curve;
};

// The kind's value, registered at the first call.
inline TGraphKind LiftedKind()
{
    static const TLiftedKind Descriptor;
    static const TGraphKind Kind = []
    {
        const TGraphKind k = TGraphKind(200);
        RegisterGraphKind(k, Descriptor);
        return k;
    }();
    return Kind;
}
