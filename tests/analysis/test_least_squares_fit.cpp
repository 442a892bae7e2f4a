// Fits against answers computed outside the program (data/fit_problems.py: the least-squares
// answer at 60 digits in mpmath for the data exactly as read), from two starts each, one far.
// Each fit prints its log relative error, -log10(|b - c| / |c|), the least over the parameters
// (and 19.5 for an exact match), for the notes on accuracy.
#include "analysis/Errors.h"
#include "analysis/TDelimitedText.h"
#include "analysis/TLeastSquaresFit.h"
#include "expr/Utf16.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> Split(const std::string& Text, char Separator)
{
    std::vector<std::string> Parts;
    std::stringstream In(Text);
    for (std::string Part; std::getline(In, Part, Separator);)
        Parts.push_back(Part);
    return Parts;
}

std::vector<Float80> Numbers(const std::string& Text)
{
    std::vector<Float80> Values;
    for (const std::string& Part : Split(Text, ','))
        Values.push_back(std::strtold(Part.c_str(), nullptr));
    return Values;
}

// Digits of agreement, capped at 19.5 (an exact match in long double).
Float80 LogRelativeError(Float80 Value, Float80 Reference)
{
    if (Value == Reference)
        return 19.5L;
    return std::min(19.5L, -std::log10(std::fabs(Value - Reference) / std::fabs(Reference)));
}

Float80 LeastLogRelativeError(const std::vector<Float80>& Values, const std::vector<Float80>& References)
{
    Float80 Least = 19.5L;
    for (size_t j = 0; j < References.size(); ++j)
        Least = std::min(Least, LogRelativeError(Values[j], References[j]));
    return Least;
}

TDataTable ReadData(const std::string& Name)
{
    const TDelimitedText Text = TDelimitedText::FromFile(VENDREL_ANALYSIS_DATA "/fit_" + Name + ".csv");
    return Text.Read(Text.Guess());
}

struct TProblem
{
    std::string Name, Model;
    std::vector<std::u16string> Names;
    std::vector<Float80> Starts[2], Values, Errors, True;
    Float80 Rss;
};

std::vector<TProblem> Problems()
{
    std::ifstream In(VENDREL_ANALYSIS_DATA "/fit_problems.txt");
    std::vector<TProblem> Out;
    for (std::string Line; std::getline(In, Line);)
    {
        const std::vector<std::string> f = Split(Line, '\t');
        TProblem p{f[0],
                   f[1],
                   {},
                   {Numbers(f[3]), Numbers(f[4])},
                   Numbers(f[5]),
                   Numbers(f[6]),
                   Numbers(f[8]),
                   std::strtold(f[7].c_str(), nullptr)};
        for (const std::string& Name : Split(f[2], ','))
            p.Names.push_back(FromUtf8(Name));
        Out.push_back(p);
    }
    return Out;
}

TEST(LeastSquaresFit, ReachesTheReferenceAnswersFromTwoStarts)
{
    const std::vector<TProblem> All = Problems();
    ASSERT_EQ(All.size(), 7u);
    for (const TProblem& Problem : All)
    {
        const TDataTable Data = ReadData(Problem.Name);
        const bool Exact = Problem.Name.find("exact") != std::string::npos;
        for (int Start = 0; Start < 2; ++Start)
        {
            SCOPED_TRACE(Problem.Name + " from start " + std::to_string(Start + 1));
            TLeastSquaresFit Fit;
            Fit.SetParameters(Problem.Names, Problem.Starts[Start]);
            const TFitResult Result = Fit.Fit(FromUtf8(Problem.Model), Data, Problem.Names);
            ASSERT_TRUE(Result.Converged()) << Result.Message;
            const Float80 Lre = LeastLogRelativeError(Result.Values, Problem.Values);
            std::printf(
                "fit LRE %-18s start %d: %5.2Lf (rss %5.2Lf, stderr %5.2Lf, true %5.2Lf) in %d iterations\n",
                Problem.Name.c_str(), Start + 1, Lre,
                LogRelativeError(Result.ResidualSumOfSquares, Problem.Rss),
                LeastLogRelativeError(Result.StandardErrors, Problem.Errors),
                LeastLogRelativeError(Result.Values, Problem.True), Result.Iterations);
            // The data decide the noisy answers to about 17 digits (the model's values carry an
            // error of a unit or two in the last place); the exact ones recover their parameters.
            EXPECT_GE(Lre, Problem.Name == "cubic_far_noisy" ? 12 : 16.5L);
            if (Exact)
            {
                // What is left is the rounding of the data and of the model's values.
                EXPECT_GE(LeastLogRelativeError(Result.Values, Problem.True), 18);
                EXPECT_LT(Result.ResidualStandardDeviation, 1e-18L);
                continue;
            }
            EXPECT_GE(LeastLogRelativeError(Result.StandardErrors, Problem.Errors), 12);
            EXPECT_GE(LogRelativeError(Result.ResidualSumOfSquares, Problem.Rss), 15);
            EXPECT_GE(LogRelativeError(Result.ResidualStandardDeviation,
                                       std::sqrt(Problem.Rss / Float80(Data.Count() - Problem.Names.size()))),
                      15);
        }
    }
}

struct TFailureCase
{
    const char* Name;
    const char16_t* Model;
    std::vector<Float80> Start;
    TFitStatus Status;
    const char* Message;
};

TEST(LeastSquaresFit, SaysWhyItDidNotConverge)
{
    // y = 2x on lines 2..6 of the file (line 1 is the header).
    const TDataTable Data({{1, 2}, {2, 4}, {3, 6}, {4, 8}, {5, 10}}, {2, 3, 4, 5, 6});
    const std::vector<TFailureCase> Cases = {
        {"two parameters that only act as their product",
         u"a*b*x",
         {1, 1},
         TFitStatus::SingularJacobian,
         "The parameters cannot be told apart by the data: the Jacobian is singular"},
        {"a parameter the model does not read",
         u"a*x + 0*b",
         {1, 1},
         TFitStatus::SingularJacobian,
         "The parameters cannot be told apart by the data: the Jacobian is singular"},
        {"undefined at the start",
         u"a*Sqrt(x - b)",
         {1, 2.5L},
         TFitStatus::Undefined,
         "The model is undefined at the point of line 2: Domain check failure in MathLib"},
        {"a derivative undefined at a point",
         u"a*x + Sqrt(b - 3)",
         {1, 3},
         TFitStatus::Undefined,
         "The model is undefined at the point of line 2: Floating point division by zero"},
        {"more steps needed than allowed",
         u"a*Exp(b*x/100)",
         {-1000, 300},
         TFitStatus::IterationLimit,
         "The fit did not converge within 3 iterations"},
    };
    for (const TFailureCase& Case : Cases)
    {
        SCOPED_TRACE(Case.Name);
        TLeastSquaresFit Fit;
        Fit.SetIterationLimit(3);
        Fit.SetParameters({u"a", u"b"}, Case.Start);
        const TFitResult Result = Fit.Fit(Case.Model, Data, {u"a", u"b"});
        EXPECT_EQ(int(Result.Status), int(Case.Status));
        EXPECT_EQ(Result.Message, Case.Message);
        EXPECT_EQ(Result.UndefinedLine, Case.Status == TFitStatus::Undefined ? 2u : 0u);
    }
}

TEST(LeastSquaresFit, StepsIntoUndefinedRegionsAreOnlyRejected)
{
    // Sqrt(x - b) is undefined for b past 1; a far start's first steps overshoot there.
    std::vector<TDataPoint> Points;
    std::vector<uint32_t> Lines;
    for (int i = 1; i <= 20; ++i)
    {
        Points.push_back({Float80(i), 3 * std::sqrt(Float80(i) - 0.5L)});
        Lines.push_back(uint32_t(i));
    }
    TLeastSquaresFit Fit;
    Fit.SetParameters({u"a", u"b"}, {100, -50});
    const TFitResult Result = Fit.Fit(u"a*Sqrt(x - b)", TDataTable(Points, Lines), {u"a", u"b"});
    ASSERT_TRUE(Result.Converged()) << Result.Message;
    EXPECT_NEAR(double(Result.Values[0]), 3, 1e-15);
    EXPECT_NEAR(double(Result.Values[1]), 0.5, 1e-15);

    // The data want b = 3, but the model is defined only up to b = 1 (at every point; line 1
    // is the first): the fit is held at that edge, and says so rather than report the edge as
    // the answer.
    for (TDataPoint& p : Points)
        p.Y = 2 * p.X + 3;
    TLeastSquaresFit Edge;
    Edge.SetParameters({u"a", u"b"}, {1, 0});
    const TFitResult Held = Edge.Fit(u"a*x + b + 0*Sqrt(1 - b)", TDataTable(Points, Lines), {u"a", u"b"});
    EXPECT_EQ(int(Held.Status), int(TFitStatus::Undefined));
    EXPECT_EQ(Held.UndefinedLine, 1u);
    EXPECT_EQ(Held.Message.rfind("The model is undefined at the point of line 1: ", 0), 0u) << Held.Message;
}

TEST(LeastSquaresFit, RefusesAFitThatCannotStart)
{
    const TDataTable Two({{1, 1}, {2, 2}}, {1, 2});
    TLeastSquaresFit Fit;
    Fit.SetParameters({u"a", u"b", u"k"}, {1, 1, 2});
    const struct
    {
        std::vector<std::u16string> Varied;
        const char* Message;
    } Rows[] = {
        {{}, "Choose at least one parameter to vary"},
        {{u"a", u"z"}, "'z' is not a parameter of the model"},
        {{u"a", u"b"}, "The fit needs more data points than parameters to vary"},
    };
    for (const auto& Row : Rows)
    {
        try
        {
            Fit.Fit(u"a + b*x", Two, Row.Varied);
            ADD_FAILURE() << Row.Message;
        }
        catch (const EFitError& e)
        {
            EXPECT_STREQ(e.Message(), Row.Message);
        }
    }
    // A fixed parameter keeps its value; names match without regard to case.
    const TFitResult Result = Fit.Fit(u"A + k*x", Two, {u"a"});
    ASSERT_TRUE(Result.Converged());
    EXPECT_EQ(Result.Values[0], -1.5L);
    EXPECT_THROW(Fit.Fit(u"a + * x", Two, {u"a"}), EExprEvalError);
}
} // namespace
