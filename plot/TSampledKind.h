#pragma once
// What parametric and polar curves have in common as kinds: formulas in s sampled from S0 to
// S1, read at the point nearest the mouse with its s, a problem named when an end of s has no
// value, and measured (arc length, enclosed area) by the Analyse panel instead of asked the
// questions of a function.
#include "analysis/TAnalysisRequest.h"
#include "plot/TKindDescriptor.h"

#include <optional>

class TExprProgram;

class TSampledKind : public TKindDescriptor
{
  public:
    std::vector<std::u16string> Variables() const override { return {u"s"}; }
    void ReadKeys(const TGraphKeys& Keys, TFunc& Graph) const override;
    void WriteKeys(TGraphKeys& Keys, const TFunc& Graph) const override;
    void Read(const TReadoutPlace& At, TReadout& r) const override;
    QString Problem(const TFuncList& List, int Index, const TEvalContext* Context) const override;
    // Measured whatever the question: the arc length and, closed, the enclosed area.
    void Ask(const TFunc& Graph, TAnalysisRequest& R) const override;
    QString AnalysisNote() const override;

  protected:
    // The question that measures a curve of the kind.
    virtual TAnalysisQuestion Measures() const = 0;
    // The editors of S0 and S1, after the kind's formulas.
    static std::vector<TGraphEditor> WithEnds(std::vector<TGraphEditor> Formulas);
    // The curve's plane point at S, and for a polar curve its radius, from the compiled
    // formulas of the frame (Second is Y(s), or null).
    struct TPoint
    {
        Float80 X = 0, Y = 0, R = 0;
    };
    virtual TPoint PointAt(class TGraphEvaluator& With, const TExprProgram& First, const TExprProgram* Second,
                           Float80 S) const = 0;
    // How many formulas come before the ends S0, S1 in the source's texts.
    virtual size_t Formulas() const = 0;
    // The reading's text of the point at s (after "s = ..."), for graph number n.
    virtual QString PointText(const TReadoutPlace& At, const TPoint& p) const = 0;

  private:
    // The ends of s and the frame's compiled formulas; false with the message in r when one
    // cannot be read.
    struct TFrame;
    bool ReadFrame(const TReadoutPlace& At, TReadout& r, TFrame& Frame) const;
};
