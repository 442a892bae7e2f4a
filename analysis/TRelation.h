#pragma once
// A relation in x and y (x*x+y*y = 1, y < Sin(x), (x*x+y*y <= 4) and (y >= 0)), compiled with
// an evaluator that knows x, y, "Pi", the function library and the named parameters; t is put
// in the text as the plot does (FormulaAtTime). It answers what TRelationClassifier asks of a
// box of the plane and of a point, each answer a proof or "unknown":
//
//   Examine(box)  Nowhere    the relation holds at no point of the box (its value is 0, or
//                            it is undefined, wherever it is defined - TIntervalRunner);
//                 Everywhere it holds at every point (defined and not 0 throughout);
//                 Unknown    anything else. For a curve it also says whether both sides of
//                            the equation are defined and continuous on the whole box.
//   HoldsAt(p)    the point evaluator, as the plot evaluates, gives true (not 0) at p.
//   SignAt(p)     a curve's left side minus its right side, proven > 0 or < 0 at p.
//
// Shape: a top-level "=" makes a curve (its left and right sides, f = g); anything else is a
// region, true where its value is not 0. A region's boundary is drawn dashed when every
// comparison in it is strict (<, >, <>), solid otherwise.
//
// Not thread-safe: one TRelation per thread (the evaluator holds x and y).
#include "analysis/TRelationInput.h"
#include "expr/TIntervalRunner.h"

#include <memory>

class TEvaluator;
class TExprProgram;
class TParameterContext;

enum class TRelationShape : uint8_t
{
    Curve,
    Region,
};

enum class TBoundaryPen : uint8_t
{
    Solid,
    Dashed,
};

enum class TBoxAnswer : uint8_t
{
    Nowhere,
    Everywhere,
    Unknown,
};

// A closed box of the plane: x in [X0, X1], y in [Y0, Y1].
struct TPlaneBox
{
    Float80 X0, X1, Y0, Y1;
};

class TRelation
{
  public:
    // Compiles the relation; a text that cannot be read fails here with the evaluator's error
    // (EExprEvalError, EConvertError), as the plot reports it.
    explicit TRelation(const TRelationInput& Input);
    ~TRelation();
    TRelation(const TRelation&) = delete;
    TRelation& operator=(const TRelation&) = delete;

    TRelationShape Shape() const { return FShape; }
    TBoundaryPen Boundary() const { return FBoundary; }

    struct TFacts
    {
        TBoxAnswer Answer;
        bool SidesProven; // a curve's both sides defined and continuous on the box
    };
    TFacts Examine(const TPlaneBox& Box);
    bool HoldsAt(Float80 x, Float80 y);
    int SignAt(Float80 x, Float80 y);

  private:
    std::unique_ptr<TParameterContext> Parameters;
    Float80 X = 0, Y = 0;
    std::unique_ptr<TEvaluator> Evaluator;
    std::shared_ptr<const TExprProgram> Program;
    TIntervalRunner Runner;
    TRelationShape FShape = TRelationShape::Region;
    TBoundaryPen FBoundary = TBoundaryPen::Solid;
};
