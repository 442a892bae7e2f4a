#include "plot/TInverseCurve.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/TimeSubstitution.h"
#include "plot/TCanvas.h"
#include "plot/TCurveEvaluators.h"
#include "plot/TEvalContext.h"
#include "plot/TFuncList.h"
#include "plot/TPaintBudget.h"
#include "plot/TPlotView.h"

#include <algorithm>

TCurveTexts TInverseCurve::Texts(const TFuncList& List, int Index, const TEvalContext& Context) const
{
    return {{FormulaAtTime(List.Item(Index).Func.toStdU16String(), Context.Time, Context.Separator)}};
}

void TInverseCurve::Trace(const TCurveTrace& In, TCurveGeometry& G) const
{
    if (!G.Started)
    {
        G = TCurveGeometry();
        G.Started = true;
        G.Next = In.Top;
    }
    const std::u16string& Text = In.Texts.Formulas[0];
    TGraphEvaluator& With = In.Evaluators.For(u"y");
    std::shared_ptr<const TExprProgram> Program;
    const int64_t Every = BudgetEvery(Text);
    for (int64_t Evaluated = 1; G.Next <= In.Bottom; ++G.Next)
    {
        const int64_t Row = G.Next;
        try
        {
            if (!Program)
                Program = With.Program(Text);
            const Float80 x = With.Run(*Program, In.View.PlaneY(Row, In.OriginY));
            int64_t Column = 0;
            if (In.View.LogX)
                Column = x > 0 ? Round64(In.View.ColumnAt(x)) : -In.View.RowClamp;
            else
            {
                const int64_t d = Round64(FMul(x, In.View.ScaleX));
                if (__builtin_add_overflow(int64_t(In.View.OriginX), d, &Column))
                    Column = d > 0 ? In.View.RowClamp : -In.View.RowClamp;
            }
            Column = std::clamp(Column, -In.View.RowClamp, In.View.RowClamp + In.View.InnerWidth);
            G.Points.emplace_back(int(Column), int(Row));
        }
        catch (const Exception& Error)
        {
            if (!IsUndefinedPoint(Error))
            {
                G.Error = std::current_exception();
                break;
            }
            G.EndPiece();
        }
        if (In.Budget && Evaluated++ % Every == 0)
        {
            ++G.Next; // this row is done
            In.Budget->Check();
            --G.Next;
        }
    }
    G.EndPiece();
}

void TInverseCurve::DrawFill(TCanvas& Canvas, const TCurveGeometry& G, const TPlotView& View, int32_t,
                             TColor Color) const
{
    Canvas.SetPenColor(Color);
    for (const QPoint& P : G.Points)
    {
        Canvas.MoveTo(View.OriginX, P.y());
        Canvas.LineTo(P.x(), P.y());
    }
}
