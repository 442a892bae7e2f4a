#pragma once
// Least-squares fits of a model formula in x to a data table: the named parameters chosen to
// vary are moved, from their current values, until the sum of the squared residuals
// model(x_i) - y_i is least.
//
// The model is read as the plot reads a formula (the time t put into the text, "Pi", the
// function library, "x" and the parameters known) and compiled once. The minimiser is
// Levenberg-Marquardt (Eigen's, in long double) on the exact Jacobian: each column is the
// forward derivative of the compiled program with respect to one parameter's storage
// (expr/TDualRunner), never a difference quotient. Gauss-Newton steps on a column-scaled,
// column-pivoted QR factorisation in long double then polish the answer until a step no
// longer changes it, so that the parameters are right to the last digits the data decide.
//
// Result: the values, their standard errors s * sqrt(diag((J^T J)^-1)) with
// s^2 = RSS / (points - parameters), the residual sum of squares RSS, s, and the iterations
// (Levenberg-Marquardt steps and polishing steps). The status says whether it converged, or
// why not: the iteration limit, a singular Jacobian (the data cannot tell the parameters
// apart), or a model undefined at a data point (its line and the evaluator's message). A fit
// that did not converge leaves it to the caller to keep the old values.
//
// A trial step of the minimiser that lands where the model is undefined at some point is
// only rejected (a shorter step follows); the start, and every accepted point, must be
// defined everywhere. A fit held at the edge of where the model is defined, short of a
// minimum, did not converge: its status names the point that stopped it. Fails with EFitError when nothing
// varies, a varied name is not a parameter, or there are no more points than varied parameters; the model's
// parse and conversion errors (and a call without a derivative) pass through unchanged.
#include "analysis/TDataTable.h"
#include "expr/Float80.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TEvaluator;
class TDualRunner;
class TParameterContext;

enum class TFitStatus : uint8_t
{
    Converged,
    IterationLimit,
    SingularJacobian,
    Undefined,
};

struct TFitResult
{
    TFitStatus Status = TFitStatus::Converged;
    // One per varied parameter, in the order they were named.
    std::vector<Float80> Values;
    std::vector<Float80> StandardErrors;
    Float80 ResidualSumOfSquares = 0;
    Float80 ResidualStandardDeviation = 0;
    int Iterations = 0;
    // Status Undefined: the line of the data point where the model is undefined.
    uint32_t UndefinedLine = 0;
    // Why the fit did not converge, as a sentence; empty when it converged.
    std::string Message;

    bool Converged() const { return Status == TFitStatus::Converged; }
};

class TLeastSquaresFit
{
  public:
    // Levenberg-Marquardt steps before the fit gives up, unless SetIterationLimit says other.
    static constexpr int MaxIterations = 200;
    void SetIterationLimit(int Limit) { IterationLimit = Limit; }

    explicit TLeastSquaresFit(char16_t DecimalSeparator = u'.');
    ~TLeastSquaresFit();
    TLeastSquaresFit(const TLeastSquaresFit&) = delete;
    TLeastSquaresFit& operator=(const TLeastSquaresFit&) = delete;

    // Every named parameter the model reads, with its value: the start of those that vary,
    // the fixed value of the others.
    void SetParameters(const std::vector<std::u16string>& Names, const std::vector<Float80>& Values);

    TFitResult Fit(std::u16string_view Model, const TDataTable& Data,
                   const std::vector<std::u16string>& Varied, Float80 T = 0);

  private:
    char16_t Sep;
    int IterationLimit = MaxIterations;
    Float80 XValue = 0;
    std::unique_ptr<TParameterContext> Parameters;
    std::unique_ptr<TEvaluator> Evaluator;
    std::unique_ptr<TDualRunner> Dual;
};
