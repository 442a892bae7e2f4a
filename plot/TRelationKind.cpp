#include "plot/TRelationKind.h"

#include "analysis/TRelation.h"
#include "expr/Errors.h"
#include "expr/FunctionLibrary.h"
#include "expr/TEvaluator.h"
#include "expr/TExprSimpleLexer.h"
#include "expr/TParameterContext.h"
#include "expr/TimeSubstitution.h"
#include "plot/TEvalContext.h"
#include "plot/TFuncList.h"
#include "plot/TPlotReadout.h"
#include "plot/TPlotView.h"
#include "plot/TReadoutPlace.h"
#include "plot/TRelationCurve.h"

namespace
{
// The relation's value at (x, y) as the plot's point evaluation gives it (not 0: it holds);
// errors pass through.
Float80 ValueAt(const std::u16string& Formula, const TEvalContext& Context, Float80 x, Float80 y)
{
    Float80 X = x, Y = y;
    TParameterContext Parameters;
    Parameters.Define(Context.ParameterNames);
    for (size_t i = 0; i < Context.ParameterValues.size() && i < Context.ParameterNames.size(); ++i)
        Parameters.SetValue(i, Context.ParameterValues[i]);
    const std::unique_ptr<TEvaluator> Evaluator = MakePlotEvaluator(Context.Separator, &X, u"x");
    Evaluator->RegisterVariable(u"y", &Y);
    Evaluator->AddContext(&Parameters);
    return Evaluator->Run(*Evaluator->Compile(FormulaAtTime(Formula, Context.Time, Context.Separator)));
}

// An error of a point where the relation is undefined (and so does not hold), as the
// classification treats it.
bool UndefinedThere(const Exception& Error)
{
    return dynamic_cast<const EMathError*>(&Error) || dynamic_cast<const EDomainError*>(&Error) ||
           dynamic_cast<const EIntError*>(&Error);
}
} // namespace

QString TRelationKind::Caption() const
{
    return QStringLiteral("Relation in x and y");
}

QString TRelationKind::Label(const TFunc& Graph) const
{
    return Graph.Func + QStringLiteral(" (pale: undecided)");
}

const TCurveSource& TRelationKind::Source() const
{
    static const TRelationCurve Curve;
    return Curve;
}

std::vector<TGraphEditor> TRelationKind::Editors() const
{
    return {{TGraphField::Func, QStringLiteral("relation:")}};
}

QString TRelationKind::AnalysisRefusal() const
{
    return QString::fromUtf8(Msg::RelationAnalysis);
}

// "r1(x, y) holds", "r1(x, y) does not hold", "r1(x, y) is undefined: <why>" at the mouse's
// point; a formula that cannot be read gives its error.
void TRelationKind::Read(const TReadoutPlace& At, TReadout& r) const
{
    r.Text += ReadoutGap + QStringLiteral("r%1(x, y)").arg(At.Graph + 1);
    if (!At.Context)
    {
        r.Text += QStringLiteral(": ") + At.Problem;
        return;
    }
    try
    {
        const bool Holds = ValueAt(At.Func().Func.toStdU16String(), *At.Context, At.X, At.Y) != 0;
        r.Text += Holds ? QStringLiteral(" holds") : QStringLiteral(" does not hold");
    }
    catch (const Exception& Error)
    {
        r.Text += (UndefinedThere(Error) ? QStringLiteral(" is undefined") : QString()) + ReadoutError(Error);
    }
    if (At.View.LogX || At.View.LogY)
        r.Text += ReadoutGap + QString::fromUtf8(Msg::RelationLogAxis);
}

QString TRelationKind::Problem(const TFuncList& List, int Index, const TEvalContext* Context) const
{
    const TFunc& Graph = List.Item(Index);
    if (Graph.Func.isEmpty() || !Context)
        return {};
    TRelationInput Input;
    Input.Formula = Graph.Func.toStdU16String();
    Input.Time = Context->Time;
    Input.Separator = Context->Separator;
    Input.ParameterNames = Context->ParameterNames;
    Input.ParameterValues = Context->ParameterValues;
    try
    {
        TRelation Relation(Input);
    }
    catch (const Exception& Error)
    {
        return QString::fromUtf8(Error.what());
    }
    if (NeedsParentheses(Input.Formula, Input.Separator))
        return QString::fromUtf8(Msg::RelationNeedsParentheses);
    return {};
}

bool TRelationKind::NeedsParentheses(const std::u16string& Formula, char16_t Separator)
{
    bool Logical = false, Comparison = false;
    try
    {
        TExprSimpleLexer Lexer(Formula, Separator);
        for (int Depth = 0; Lexer.CurrentKind() != TTokenKind::End; Lexer.Advance())
        {
            const TTokenKind Kind = Lexer.CurrentKind();
            if (Kind == TTokenKind::LParen)
                ++Depth;
            else if (Kind == TTokenKind::RParen)
                --Depth;
            else if (Depth == 0)
            {
                Logical =
                    Logical || Lexer.AtKeyword("AND") || Lexer.AtKeyword("OR") || Lexer.AtKeyword("XOR");
                Comparison = Comparison || Kind == TTokenKind::Equal || Kind == TTokenKind::NotEqual ||
                             Kind == TTokenKind::Less || Kind == TTokenKind::LessEqual ||
                             Kind == TTokenKind::Greater || Kind == TTokenKind::GreaterEqual;
            }
        }
    }
    catch (const Exception&)
    {
        return false; // a text that cannot be read has its own problem
    }
    return Logical && Comparison;
}
