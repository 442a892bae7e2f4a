// Every function of the formula language against references computed outside the program
// (data/mathlib_references.py: mpmath at 100 and 150 digits of the exact long double argument):
// the error in units in the last place stays within the bound of expr/MathLibAccuracy.h, and
// every argument where the function is defined gives a value. Set VENDREL_ULP_TABLE=1 to print
// the measured maximum of each function.
#include "expr/Errors.h"
#include "expr/FunctionLibrary.h"
#include "expr/MathLib.h"
#include "expr/MathLibAccuracy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

namespace
{
struct TReference
{
    const char* Name;
    Float80 A, B;
    Float80 Hi;    // the true value rounded to long double
    double LoUlps; // the rest, in units of 2^UlpExp
    int UlpExp;    // the exponent of the unit in the last place of the true value
};

// clang-format off
const TReference References[] = {
#include "data/MathLibReferences.inc"
};
// clang-format on

struct TRoutine
{
    TUnaryRoutine Unary = nullptr;
    TBinaryRoutine Binary = nullptr;
};

const std::map<std::string_view, TRoutine>& Routines()
{
    using namespace MathLib;
    static const std::map<std::string_view, TRoutine> Table = {
        {"Sqrt", {FunctionLibrary::Sqrt}},
        {"Exp", {FunctionLibrary::Exp}},
        {"Ln", {FunctionLibrary::Ln}},
        {"Power", {nullptr, FunctionLibrary::Power}},
        {"Abs", {FunctionLibrary::Abs}},
        {"LogBase10", {LogBase10}},
        {"LogBase2", {LogBase2}},
        {"LogBaseN", {nullptr, LogBaseN}},
        {"ArcCos", {ArcCos}},
        {"ArcCot", {ArcCot}},
        {"ArcCsc", {ArcCsc}},
        {"ArcSec", {ArcSec}},
        {"ArcSin", {ArcSin}},
        {"ArcTan", {ArcTan}},
        {"ArcTan2", {nullptr, ArcTan2}},
        {"Cos", {Cos}},
        {"Cot", {Cot}},
        {"Coversine", {Coversine}},
        {"Csc", {Csc}},
        {"Exsecans", {Exsecans}},
        {"Haversine", {Haversine}},
        {"Sec", {Sec}},
        {"Sin", {Sin}},
        {"Tan", {Tan}},
        {"Versine", {Versine}},
        {"ArcCosH", {ArcCosH}},
        {"ArcCotH", {ArcCotH}},
        {"ArcCscH", {ArcCscH}},
        {"ArcSecH", {ArcSecH}},
        {"ArcSinH", {ArcSinH}},
        {"ArcTanH", {ArcTanH}},
        {"CosH", {CosH}},
        {"CotH", {CotH}},
        {"CscH", {CscH}},
        {"SecH", {SecH}},
        {"SinH", {SinH}},
        {"TanH", {TanH}},
    };
    return Table;
}

std::u16string Utf16(std::string_view Ascii)
{
    return std::u16string(Ascii.begin(), Ascii.end());
}

std::string Describe(const TReference& Row, bool Binary)
{
    char Text[160];
    if (Binary)
        std::snprintf(Text, sizeof Text, "%s(%.21Lg, %.21Lg)", Row.Name, Row.A, Row.B);
    else
        std::snprintf(Text, sizeof Text, "%s(%.21Lg)", Row.Name, Row.A);
    return Text;
}

struct TMeasure
{
    double MaxUlps = 0;
    std::string Worst;
    int Rows = 0;
    std::vector<std::string> NoValue; // defined there, but the routine raised an error
};

// The error of every row, gathered per function.
const std::map<std::string, TMeasure>& Measures()
{
    static const std::map<std::string, TMeasure> Result = []
    {
        std::map<std::string, TMeasure> m;
        for (const TReference& Row : References)
        {
            const TRoutine& R = Routines().at(Row.Name);
            TMeasure& Measure = m[Row.Name];
            ++Measure.Rows;
            Float80 Got;
            try
            {
                Got = R.Unary ? R.Unary(Row.A) : R.Binary(Row.A, Row.B);
            }
            catch (const Exception& e)
            {
                Measure.NoValue.push_back(Describe(Row, !R.Unary) + ": " + e.ClassName());
                continue;
            }
            // Got - Hi is exact once the two are close; a far value is a failure either way.
            const double Ulps = std::fabs(double(std::ldexp(Got - Row.Hi, -Row.UlpExp)) - Row.LoUlps);
            if (!(Ulps <= Measure.MaxUlps))
            {
                Measure.MaxUlps = std::isnan(Ulps) ? HUGE_VAL : Ulps;
                char Text[80];
                std::snprintf(Text, sizeof Text, " = %.21Lg", Got);
                Measure.Worst = Describe(Row, !R.Unary) + Text;
            }
        }
        if (std::getenv("VENDREL_ULP_TABLE"))
            for (const auto& [Name, Measure] : m)
                std::printf("%-10s %5d rows  max %10.3g ulp  %3zu without a value  worst %s\n", Name.c_str(),
                            Measure.Rows, Measure.MaxUlps, Measure.NoValue.size(), Measure.Worst.c_str());
        return m;
    }();
    return Result;
}
} // namespace

TEST(Accuracy, EveryFunctionHasReferences)
{
    for (const MathLibAccuracy::TBound& Bound : MathLibAccuracy::Bounds)
    {
        const std::string Name(Bound.Name.begin(), Bound.Name.end());
        EXPECT_TRUE(Measures().count(Name)) << Name;
    }
    EXPECT_EQ(Measures().size(), std::size(MathLibAccuracy::Bounds));
}

TEST(Accuracy, EveryFunctionStaysWithinItsBound)
{
    for (const auto& [Name, Measure] : Measures())
    {
        const double Bound = MathLibAccuracy::UlpBound(Utf16(Name));
        EXPECT_LE(Measure.MaxUlps, Bound)
            << Name << " over " << Measure.Rows << " arguments, worst " << Measure.Worst;
    }
}

TEST(Accuracy, EveryArgumentWhereDefinedGivesAValue)
{
    for (const auto& [Name, Measure] : Measures())
    {
        std::string List;
        for (const std::string& Call : Measure.NoValue)
            List += "\n  " + Call;
        EXPECT_TRUE(Measure.NoValue.empty())
            << Measure.NoValue.size() << " failures of " << Name << ":" << List;
    }
}
