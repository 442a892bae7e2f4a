#pragma once
// Graphs computed from another graph of the list, one value per pixel column as a function:
// the derivative of order 1 or 2, exact by automatic differentiation of the compiled program,
// and the integral from a, by Gauss-Kronrod quadrature column by column (TRunningIntegral),
// cut where the graph is undefined between a and x. A derived graph may come from a derived
// graph: the chain is followed down to the function y = f(x) at its root and read as
// f^(k) or the integral of f^(k), with k at most 2 (an integral's derivative is the graph it
// integrates). What cannot be drawn that way draws nothing, and DerivedGraphProblem says why.
#include "plot/TCurveSource.h"

#include <QString>

#include <optional>

// Why graph Index of List, a derived graph, draws nothing: empty when it draws.
QString DerivedGraphProblem(const TFuncList& List, int Index);

class TDerivedCurve : public TCurveSource
{
  public:
    bool Drawn(const TFuncList& List, int Index) const override;
    // The root function's formula at the context's time with the order of its derivative, and
    // for an integral the lower end a at that time.
    TCurveTexts Texts(const TFuncList& List, int Index, const TEvalContext& Context) const override;
    void Trace(const TCurveTrace& In, TCurveGeometry& G) const override;
    // From the x axis to the curve in every column, as a function is filled.
    void DrawFill(TCanvas& Canvas, const TCurveGeometry& G, const TPlotView& View, int32_t OriginY,
                  TColor Color) const override;
};

// The value of derived graph Index at x, as its curve is drawn (the integral over the stretch
// from a to x alone), or nothing where the integral is cut: the status bar's reading. A graph
// that cannot be drawn raises EExprEvalError with DerivedGraphProblem's text; other errors pass
// through.
std::optional<Float80> DerivedValueAt(const TFuncList& List, int Index, Float80 X,
                                      const TEvalContext& Context, class TCurveEvaluators& Evaluators);
