// The catalogue the editor and Help > Functions show must describe the library the evaluator
// registers: the same names, in the same order, with the same arity, examples that parse, and
// completions that follow the names a field knows.
#include "ExprTestSupport.h"
#include "expr/FunctionCatalog.h"
#include "expr/MathLibAccuracy.h"
#include "expr/TExprBinary80FuncSym.h"
#include "expr/TExprContext.h"
#include "expr/TExprUnary80FuncSym.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using namespace FunctionCatalog;

TEST(FunctionCatalog, DescribesTheRegisteredLibraryInItsOrder)
{
    Float80 X = 0;
    const auto Evaluator = MakePlotEvaluator(u'.', &X);
    ASSERT_EQ(Functions().size(), std::size(MathLibAccuracy::Bounds));
    for (size_t i = 0; i < Functions().size(); ++i)
    {
        const TFunction& Row = Functions()[i];
        const std::string Name = ToUtf8(Row.Name);
        // The accuracy table is kept in the registration order.
        EXPECT_EQ(Row.Name, MathLibAccuracy::Bounds[i].Name) << "row " << i;
        EXPECT_GE(UlpBound(Row), 0) << Name;
        const TExprSym* Symbol = Evaluator->SymbolScope()->Lookup(Row.Name);
        ASSERT_NE(Symbol, nullptr) << Name;
        EXPECT_EQ(Symbol->Name(), Row.Name) << "spelled as registered";
        const int Arity = dynamic_cast<const TExprBinary80FuncSym*>(Symbol)  ? 2
                          : dynamic_cast<const TExprUnary80FuncSym*>(Symbol) ? 1
                                                                             : 0;
        EXPECT_EQ(Row.Arity, Arity) << Name;
        // One argument name per argument.
        EXPECT_EQ(int(std::count(Row.Arguments.begin(), Row.Arguments.end(), ',')) + 1, Row.Arity) << Name;
        EXPECT_EQ(Line(Row).rfind(Signature(Row) + ": ", 0), 0u) << Name;
    }
    EXPECT_EQ(FindFunction(u"arctan2"), &Functions()[14]);
    EXPECT_EQ(FindFunction(u"ArcTan3"), nullptr);
    EXPECT_EQ(Line(*FindFunction(u"ArcTan2")), "ArcTan2(y, x): angle of the point (x, y), -Pi to Pi");
}

TEST(FunctionCatalog, ExamplesParseAsTheyStand)
{
    // Every variable of every field kind, so each example can be read; values where all are defined.
    Float80 X = 0.5L, T = 0.25L, S = 0.75L, Y = 0.5L;
    TEvaluator Evaluator;
    RegisterPi(Evaluator);
    RegisterFunctionLibrary(Evaluator);
    Evaluator.RegisterVariable(u"x", &X);
    Evaluator.RegisterVariable(u"t", &T);
    Evaluator.RegisterVariable(u"s", &S);
    Evaluator.RegisterVariable(u"y", &Y);
    std::vector<std::string_view> Examples;
    for (const TFunction& Row : Functions())
        Examples.push_back(Row.Example);
    for (const TOperator& Row : Operators())
        Examples.push_back(Row.Example);
    for (std::span<const TName> Names : {Constants(), Variables()})
        for (const TName& Row : Names)
            Examples.push_back(Row.Example);
    for (std::string_view Example : Examples)
    {
        // Only the reading is asked of an example; ArcCosH(0.5) may still be outside its domain.
        const std::string Outcome =
            ExprTest::OutcomeOf([&] { return Evaluator.EvaluateText(FromUtf8(Example)); });
        EXPECT_EQ(Outcome.find("EExprEvalError"), std::string::npos) << Example << ": " << Outcome;
        EXPECT_EQ(Outcome.find("EConvertError"), std::string::npos) << Example << ": " << Outcome;
    }
}

TEST(FunctionCatalog, OperatorsAreListedFromTheLoosestLevel)
{
    int Level = 1;
    for (const TOperator& Row : Operators())
    {
        EXPECT_GE(Row.Level, Level) << Row.Symbol;
        Level = Row.Level;
    }
    EXPECT_EQ(Level, 4);
}

std::vector<std::string> NamesOf(const std::vector<TCompletion>& Found)
{
    std::vector<std::string> Names;
    for (const TCompletion& c : Found)
        Names.push_back(ToUtf8(c.Insert));
    return Names;
}

TEST(FunctionCatalog, CompletionsFollowTheFieldsNames)
{
    using TNames = std::vector<std::u16string>;
    using TExpected = std::vector<std::string>;
    struct TRow
    {
        const char* Name;
        std::u16string Prefix;
        TNames Variables;
        TNames Parameters;
        TExpected Expected;
    };
    const TNames Function = {u"x", u"t"}, Curve = {u"s", u"t"}, Inverse = {u"y", u"t"}, Ends = {u"t"};
    const TRow Rows[] = {
        {"functions open their bracket", u"Si", Function, {}, {"Sin(", "SinH("}},
        {"any letter case", u"SIN", Function, {}, {"Sin(", "SinH("}},
        {"the constant among the functions", u"p", Function, {}, {"Power(", "Pi"}},
        {"a parameter after the library", u"p", Function, {u"phase"}, {"Power(", "Pi", "phase"}},
        {"a function graph knows x", u"x", Function, {}, {"x"}},
        {"a curve does not know x", u"x", Curve, {}, {}},
        {"a curve knows s besides the functions",
         u"s",
         Curve,
         {},
         {"Sqrt(", "Sec(", "Sin(", "SecH(", "SinH(", "s"}},
        {"an inverse graph knows y", u"y", Inverse, {}, {"y"}},
        {"the ends of a curve know only t", u"t", Ends, {}, {"Tan(", "TanH(", "t"}},
        {"a parameter named like a variable is offered once", u"t", Ends, {u"T"}, {"Tan(", "TanH(", "t"}},
        {"nothing begins with the prefix", u"qz", Function, {u"a"}, {}},
    };
    for (const TRow& Row : Rows)
    {
        EXPECT_EQ(NamesOf(Completions(Row.Prefix, Row.Variables, Row.Parameters)), Row.Expected) << Row.Name;
    }
    const auto Arc = Completions(u"arctan2", Function, {});
    ASSERT_EQ(Arc.size(), 1u);
    EXPECT_EQ(Arc[0].Line, "ArcTan2(y, x): angle of the point (x, y), -Pi to Pi");
    EXPECT_EQ(Completions(u"x", Function, {})[0].Line, "x: the variable of a function graph y = f(x)");
}
} // namespace
