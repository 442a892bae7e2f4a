#pragma once
// The function an analysis studies: one compiled formula of x, or the difference of two
// (the intersections of two graphs are the roots of their difference, each graph read as
// its own program, never by joining the texts). A point where the arithmetic or the
// library raises an error (division by zero, invalid operation, domain error, overflow,
// integer division by zero) is undefined; an error of the text itself (parse, conversion)
// leaves the call, since no point of such a formula can be evaluated. Every evaluation
// first looks at the caller's cancel flag. Given a runner of derivatives, it also gives the
// first and second derivative at a point (JetAt), each defined or not on its own.
#include "expr/Float80.h"

#include <atomic>
#include <memory>
#include <string>

class TDualRunner;
class TEvaluator;
class TExprProgram;

class TCurveFunction
{
  public:
    struct TPoint
    {
        Float80 Y = 0;
        bool Defined = false;
    };

    // XStorage is the variable "x" of Evaluator; both and the programs outlive this object.
    TCurveFunction(TEvaluator& Evaluator, Float80& XStorage, std::shared_ptr<const TExprProgram> Formula,
                   std::shared_ptr<const TExprProgram> Subtracted, const std::atomic<bool>* Cancel);

    // The value with its first and second derivative (the first formula only).
    struct TJet
    {
        Float80 Y = 0, D1 = 0, D2 = 0;
        bool Defined = false;   // the value
        bool D1Defined = false; // f', and so f'' may be too
        bool D2Defined = false;
    };

    TPoint At(Float80 X);
    // Needs SetDualRunner; an undefined value counts as At's undefined points do.
    TJet JetAt(Float80 X);
    // The runner of derivatives over the same evaluator and variable; it must outlive this.
    void SetDualRunner(TDualRunner* Runner) { Dual = Runner; }
    // The first formula alone (its value where two graphs meet).
    TPoint FirstAt(Float80 X);

    // The class and message of the first undefined point met so far (empty before).
    const std::string& FirstErrorClass() const { return ErrorClass; }
    const std::string& FirstErrorMessage() const { return ErrorMessage; }
    // The class and message of the last undefined point met.
    const std::string& LastErrorClass() const { return LastClass; }
    const std::string& LastErrorMessage() const { return LastMessage; }

  private:
    TPoint Run(Float80 X, bool Both);
    // Runs Body, which returns true, with the cancel test before and the sorting of errors:
    // those of the text leave, every other one makes the point undefined (false).
    template <typename TBody> bool Guarded(TBody Body);

    TEvaluator& Evaluator;
    Float80& XValue;
    std::shared_ptr<const TExprProgram> Formula;
    std::shared_ptr<const TExprProgram> Subtracted;
    const std::atomic<bool>* Cancel;
    TDualRunner* Dual = nullptr;
    std::string ErrorClass, ErrorMessage, LastClass, LastMessage;
};
