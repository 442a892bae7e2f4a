#include "plot/TFunctionCurve.h"

#include "expr/Errors.h"
#include "expr/TimeSubstitution.h"
#include "plot/TCurveEvaluators.h"
#include "plot/TEvalContext.h"
#include "plot/TFuncList.h"
#include "plot/TGraphFrames.h"
#include "plot/TPaintBudget.h"

#include <algorithm>

TCurveTexts TFunctionCurve::Texts(const TFuncList& List, int Index, const TEvalContext& Context) const
{
    return {{FormulaAtTime(List.Item(Index).Func.toStdU16String(), Context.Time, Context.Separator)}};
}

// The columns as the drawing loop walks them: an error other than an undefined point ends the
// walk. Known rows are taken as they are. A walk that the budget stops goes on from there when
// it is asked for again.
void TFunctionCurve::Trace(const TCurveTrace& In, TCurveGeometry& G) const
{
    if (!G.Started)
    {
        G = TCurveGeometry();
        G.Started = true;
        G.Next = In.First;
    }
    const std::u16string& Text = In.Texts.Formulas[0];
    TGraphEvaluator& With = In.Evaluators.For(u"x");
    std::shared_ptr<const TExprProgram> Program;
    if (In.KnownRows)
        G.Points.reserve(size_t(std::max<int64_t>(0, In.Last - In.First)));
    const int64_t Every = BudgetEvery(Text);
    for (int64_t Evaluated = 1; G.Next <= In.Last; ++G.Next)
    {
        const int64_t px = G.Next;
        if (G.Break)
        {
            G.EndPiece();
            G.Break = false;
            continue;
        }
        if (In.KnownRows)
        {
            G.Points.emplace_back(int(px), In.KnownRows[size_t(px - In.First)]);
            continue;
        }
        if (!Program)
            Program = With.Program(Text);
        try
        {
            G.Points.emplace_back(int(px), TGraphFrames::CurveRow(With, *Program, In.View, In.OriginY, px));
        }
        catch (const Exception& Error)
        {
            if (!IsUndefinedPoint(Error))
            {
                G.Error = std::current_exception();
                break;
            }
            G.Break = true;
        }
        if (In.Budget && Evaluated++ % Every == 0)
        {
            ++G.Next; // this column is done
            In.Budget->Check();
            --G.Next;
        }
    }
    G.EndPiece();
}
