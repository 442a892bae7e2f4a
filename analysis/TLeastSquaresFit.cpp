#include "analysis/TLeastSquaresFit.h"

#include "analysis/Errors.h"
#include "expr/FunctionLibrary.h"
#include "expr/TDualRunner.h"
#include "expr/TEvaluator.h"
#include "expr/TExprVar80Sym.h"
#include "expr/TParameterContext.h"
#include "expr/TimeSubstitution.h"
#include "expr/Utf16.h"

#include <Eigen/Dense>
#include <unsupported/Eigen/NonLinearOptimization>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <optional>

namespace
{
using TVector = Eigen::Matrix<Float80, Eigen::Dynamic, 1>;
using TMatrix = Eigen::Matrix<Float80, Eigen::Dynamic, Eigen::Dynamic>;

// The model undefined at a data point that must be defined.
struct TUndefinedPoint
{
    uint32_t Line;
    std::string Message;
};

// The residuals model(x_i) - y_i and their Jacobian, as Eigen's minimiser asks for them.
class TModelResiduals
{
  public:
    using Scalar = Float80;
    using InputType = TVector;
    using ValueType = TVector;
    using JacobianType = TMatrix;

    TModelResiduals(TEvaluator& Evaluator, TDualRunner& Dual, const TExprProgram& Program, Float80& X,
                    std::vector<Float80*> Storage, const TDataTable& Data)
        : Evaluator(Evaluator), Dual(Dual), Program(Program), X(X), Storage(std::move(Storage)), Data(Data)
    {
    }

    int inputs() const { return int(Storage.size()); }
    int values() const { return int(Data.Count()); }

    // At the start every point must be defined; after it, a trial point where one is not
    // gets residuals so large that the minimiser rejects the step.
    int operator()(const TVector& p, TVector& r)
    {
        Set(p);
        try
        {
            for (Eigen::Index i = 0; i < r.size(); ++i)
                r[i] = Residual(size_t(i));
        }
        catch (const TUndefinedPoint& Point)
        {
            if (!Started)
                throw;
            LastUndefined = Point;
            r.setConstant(Penalty);
            return 0;
        }
        if (!Started)
        {
            Started = true;
            const Float80 Norm = std::min(r.stableNorm() * 10 + 1, Float80(LDBL_MAX / 4));
            Penalty = Norm / std::sqrt(Float80(r.size()));
        }
        return 0;
    }

    int df(const TVector& p, TMatrix& J)
    {
        Set(p);
        for (size_t i = 0; i < Data.Count(); ++i)
        {
            X = Data.Point(i).X;
            for (size_t j = 0; j < Storage.size(); ++j)
                J(Eigen::Index(i), Eigen::Index(j)) =
                    Guarded(i, [&] { return Dual.Run(Program, Storage[j], 1).D1; });
        }
        return 0;
    }

    // The residuals at p, every point defined.
    TVector ResidualsAt(const TVector& p)
    {
        TVector r(values());
        Set(p);
        for (Eigen::Index i = 0; i < r.size(); ++i)
            r[i] = Residual(size_t(i));
        return r;
    }

    // The point of the last trial step rejected for an undefined model.
    std::optional<TUndefinedPoint> LastUndefined;

  private:
    void Set(const TVector& p)
    {
        for (size_t j = 0; j < Storage.size(); ++j)
            *Storage[j] = p[Eigen::Index(j)];
    }

    Float80 Residual(size_t i)
    {
        X = Data.Point(i).X;
        const Float80 r = Guarded(i, [&] { return Evaluator.Run(Program); }) - Data.Point(i).Y;
        if (!std::isfinite(r))
            throw TUndefinedPoint{Data.Line(i), std::string(Msg::Overflow)};
        return r;
    }

    // The model's arithmetic and domain errors make the point undefined; the others (parse
    // errors, a routine without a derivative) are the caller's.
    template <typename TRun> Float80 Guarded(size_t i, TRun Run)
    {
        try
        {
            return Run();
        }
        catch (const EDomainError& e)
        {
            throw TUndefinedPoint{Data.Line(i), e.Message()};
        }
        catch (const EExternal& e)
        {
            throw TUndefinedPoint{Data.Line(i), e.Message()};
        }
    }

    TEvaluator& Evaluator;
    TDualRunner& Dual;
    const TExprProgram& Program;
    Float80& X;
    std::vector<Float80*> Storage;
    const TDataTable& Data;
    bool Started = false;
    Float80 Penalty = 0;
};

// The least-squares algebra at one point: J scaled to unit columns, factorised once.
class TLinearisation
{
  public:
    explicit TLinearisation(const TMatrix& J) : Scale(J.colwise().norm().transpose())
    {
        for (Eigen::Index j = 0; j < Scale.size(); ++j)
            if (Scale[j] == 0)
                Scale[j] = 1;
        QR.setThreshold(16 * LDBL_EPSILON * Float80(J.cols()));
        QR.compute(J * Scale.cwiseInverse().asDiagonal());
    }

    bool Singular() const { return QR.rank() < QR.cols(); }

    // The Gauss-Newton step d that makes J d closest to r.
    TVector Step(const TVector& r) const { return QR.solve(r).cwiseQuotient(Scale); }

    // The diagonal of (J^T J)^-1.
    TVector InverseNormalDiagonal() const
    {
        const Eigen::Index n = QR.cols();
        const TMatrix R = QR.matrixR().topLeftCorner(n, n).template triangularView<Eigen::Upper>();
        const TMatrix RInverse = R.template triangularView<Eigen::Upper>().solve(TMatrix::Identity(n, n));
        TVector Diagonal(n);
        for (Eigen::Index k = 0; k < n; ++k)
        {
            const Eigen::Index j = QR.colsPermutation().indices()[k];
            Diagonal[j] = RInverse.row(k).squaredNorm() / (Scale[j] * Scale[j]);
        }
        return Diagonal;
    }

  private:
    TVector Scale;
    Eigen::ColPivHouseholderQR<TMatrix> QR;
};

Float80 SumOfSquares(const TVector& r)
{
    Float80 Sum = 0;
    for (Eigen::Index i = 0; i < r.size(); ++i)
        Sum += r[i] * r[i];
    return Sum;
}

// How far the sum of squares of r may be off through the rounding of its residuals (each the
// difference of the model's value and y, both known to about a unit in the last place).
Float80 SumOfSquaresNoise(const TVector& r, const TDataTable& Data)
{
    Float80 Noise = 0;
    for (Eigen::Index i = 0; i < r.size(); ++i)
        Noise += std::fabs(r[i]) * (std::fabs(r[i]) + 2 * std::fabs(Data.Point(size_t(i)).Y));
    return 8 * LDBL_EPSILON * Noise;
}

// The largest change of a parameter in d, relative to p.
Float80 RelativeSize(const TVector& d, const TVector& p)
{
    Float80 Size = 0;
    for (Eigen::Index j = 0; j < d.size(); ++j)
        Size = std::max(Size, std::fabs(d[j]) / std::max(std::fabs(p[j]), LDBL_MIN));
    return Size;
}

// Whether the gradient of the sum of squares vanishes at the answer: each column of J is
// orthogonal to r to within Tolerance of their lengths, or the residuals are rounding alone.
bool Stationary(const TMatrix& J, const TVector& r, const TDataTable& Data)
{
    constexpr Float80 Tolerance = 1e-6L;
    Float80 LargestY = 0;
    for (const TDataPoint& p : Data.Points())
        LargestY = std::max(LargestY, std::fabs(p.Y));
    const Float80 Length = r.norm();
    if (Length <= 1024 * LDBL_EPSILON * LargestY * std::sqrt(Float80(r.size())))
        return true;
    for (Eigen::Index j = 0; j < J.cols(); ++j)
        if (std::fabs(J.col(j).dot(r)) > Tolerance * J.col(j).norm() * Length)
            return false;
    return true;
}

constexpr int MaxPolishSteps = 8;
} // namespace

TLeastSquaresFit::TLeastSquaresFit(char16_t DecimalSeparator)
    : Sep(DecimalSeparator), Parameters(std::make_unique<TParameterContext>()),
      Evaluator(MakePlotEvaluator(DecimalSeparator, &XValue)), Dual(std::make_unique<TDualRunner>(*Evaluator))
{
    Evaluator->AddContext(Parameters.get());
}

TLeastSquaresFit::~TLeastSquaresFit() = default;

void TLeastSquaresFit::SetParameters(const std::vector<std::u16string>& Names,
                                     const std::vector<Float80>& Values)
{
    Parameters->Assign(Names, Values);
}

TFitResult TLeastSquaresFit::Fit(std::u16string_view Model, const TDataTable& Data,
                                 const std::vector<std::u16string>& Varied, Float80 T)
{
    if (Varied.empty())
        throw EFitError(std::string(Msg::FitNothingToVary));
    std::vector<Float80*> Storage;
    TVector p(Eigen::Index(Varied.size()));
    for (const std::u16string& Name : Varied)
    {
        auto* Symbol = dynamic_cast<TExprVar80Sym*>(Parameters->Lookup(Name));
        if (!Symbol)
            throw EFitError(Msg::Format(Msg::FitUnknownParameter, ToUtf8(Name)));
        p[Eigen::Index(Storage.size())] = *Symbol->Storage();
        Storage.push_back(Symbol->Storage());
    }
    if (Data.Count() <= Varied.size())
        throw EFitError(std::string(Msg::FitTooFewPoints));

    const std::shared_ptr<const TExprProgram> Program = Evaluator->Compile(FormulaAtTime(Model, T, Sep));
    TModelResiduals Residuals(*Evaluator, *Dual, *Program, XValue, Storage, Data);
    TFitResult Result;
    try
    {
        Eigen::LevenbergMarquardt<TModelResiduals, Float80> Minimiser(Residuals);
        Minimiser.parameters.ftol = Minimiser.parameters.xtol = 64 * LDBL_EPSILON;
        Minimiser.parameters.maxfev = 10 * IterationLimit;
        Eigen::LevenbergMarquardtSpace::Status Status = Minimiser.minimizeInit(p);
        do
            Status = Minimiser.minimizeOneStep(p);
        while (Status == Eigen::LevenbergMarquardtSpace::Running && Minimiser.njev < IterationLimit);
        Result.Iterations = int(Minimiser.njev);
        if (Status == Eigen::LevenbergMarquardtSpace::Running ||
            Status == Eigen::LevenbergMarquardtSpace::TooManyFunctionEvaluation)
        {
            Result.Status = TFitStatus::IterationLimit;
            Result.Message = Msg::Format(Msg::FitIterationLimit, std::to_string(IterationLimit));
        }

        // Gauss-Newton from the minimiser's answer. Near the minimum a step changes the sum of
        // squares by far less than its rounding, so a step is taken while it does not raise the
        // sum beyond that rounding and is smaller than the step before, until it no longer
        // moves the parameters.
        TMatrix J(Residuals.values(), Residuals.inputs());
        TVector r = Residuals.ResidualsAt(p);
        Float80 Rss = SumOfSquares(r);
        Residuals.df(p, J);
        Float80 LastSize = INFINITY;
        for (int Step = 0; Step < MaxPolishSteps && Result.Converged(); ++Step)
        {
            const TLinearisation Linear(J);
            if (Linear.Singular())
                break;
            const TVector d = Linear.Step(r);
            const Float80 Size = RelativeSize(d, p);
            if (Size <= 2 * LDBL_EPSILON || Size >= LastSize / 2)
                break;
            LastSize = Size;
            const TVector Next = p - d;
            TVector NextR;
            try
            {
                NextR = Residuals.ResidualsAt(Next);
            }
            catch (const TUndefinedPoint&)
            {
                break;
            }
            const Float80 NextRss = SumOfSquares(NextR);
            if (NextRss > Rss + SumOfSquaresNoise(r, Data))
                break;
            p = Next;
            r = NextR;
            Rss = NextRss;
            Residuals.df(p, J);
            ++Result.Iterations;
        }

        const TLinearisation Linear(J);
        if (Result.Converged() && Linear.Singular())
        {
            Result.Status = TFitStatus::SingularJacobian;
            Result.Message = std::string(Msg::FitSingular);
        }
        // Stopped at the edge of where the model is defined, short of the minimum.
        if (Result.Converged() && Residuals.LastUndefined && !Stationary(J, r, Data))
            throw *Residuals.LastUndefined;
        const Float80 Freedom = Float80(Data.Count() - Varied.size());
        Result.ResidualSumOfSquares = Rss;
        Result.ResidualStandardDeviation = std::sqrt(Rss / Freedom);
        const TVector Diagonal = Linear.InverseNormalDiagonal();
        for (Eigen::Index j = 0; j < p.size(); ++j)
        {
            Result.Values.push_back(p[j]);
            Result.StandardErrors.push_back(Result.ResidualStandardDeviation * std::sqrt(Diagonal[j]));
        }
    }
    catch (const TUndefinedPoint& Point)
    {
        Result = TFitResult();
        Result.Status = TFitStatus::Undefined;
        Result.UndefinedLine = Point.Line;
        Result.Message =
            Msg::Format(Msg::Format(Msg::FitUndefinedAt, std::to_string(Point.Line)), Point.Message);
        for (Float80* Value : Storage)
            Result.Values.push_back(*Value);
    }
    return Result;
}
