#pragma once
// Relations in x and y: a formula with comparisons (x*x+y*y = 1, y < Sin(x),
// (x*x+y*y <= 4) and (y >= 0)), every pixel classified as holding, empty or undecided. An
// equation is a curve in the line colour, anything else a region in the fill colour (filled or
// not). Read at the mouse's point: whether the relation holds there. Not analysed.
#include "plot/TKindDescriptor.h"

class TRelationKind : public TKindDescriptor
{
  public:
    const char* Name() const override { return "relation"; }
    QString Caption() const override;
    std::vector<std::u16string> Variables() const override { return {u"x", u"y"}; }
    QString Label(const TFunc& Graph) const override;
    const TCurveSource& Source() const override;
    void Read(const TReadoutPlace& At, TReadout& r) const override;
    std::vector<TGraphEditor> Editors() const override;
    QString Problem(const TFuncList& List, int Index, const TEvalContext* Context) const override;
    QString AnalysisRefusal() const override;

    // Whether Formula combines comparisons with and, or or xor outside parentheses
    // ("x < 1 and y < 1", read as "x < (1 and y) < 1").
    static bool NeedsParentheses(const std::u16string& Formula, char16_t Separator);
};
