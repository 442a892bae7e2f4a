#include "expr/TimeSubstitution.h"

#include "expr/Utf16.h"

#include <gtest/gtest.h>

#include <string>

TEST(SubstituteTime, ReplacesOnlyTheIdentifierT)
{
    const struct
    {
        const char* Name;
        std::u16string Formula;
        std::u16string Time;
        char16_t Sep;
        std::u16string Expected;
    } Cases[] = {
        {"a lone t", u"t", u"0.5", u'.', u"0.5"},
        {"an argument", u"Sqrt(t)", u"0.5", u'.', u"Sqrt(0.5)"},
        {"a product", u"x*t", u"0.5", u'.', u"x*0.5"},
        {"every occurrence", u"t*t+Sin(t)", u"2", u'.', u"2*2+Sin(2)"},
        {"a negative time is plain text", u"x*t", u"-0.3", u'.', u"x*-0.3"},
        {"after a number, spliced without operator", u"2t", u"0.5", u'.', u"20.5"},
        {"after a decimal number", u"1.5t", u"0.5", u'.', u"1.50.5"},
        {"the e stays in the number", u"2et", u"0.5", u'.', u"2e0.5"},
        {"the exponent sign stays in the number", u"2e-t", u"0.5", u'.', u"2e-0.5"},
        {"an exponent with digits", u"2e5t", u"0.5", u'.', u"2e50.5"},
        {"upper-case T is never replaced", u"T*x", u"0.5", u'.', u"T*x"},
        {"names holding the letter", u"Cot(t)+CotH(t)+ArcCot(t)+ArcCotH(t)", u"1", u'.',
         u"Cot(1)+CotH(1)+ArcCot(1)+ArcCotH(1)"},
        {"operator words", u"not t", u"1", u'.', u"not 1"},
        {"tt is one identifier", u"tt", u"1", u'.', u"tt"},
        {"t_1 is one identifier", u"t_1", u"1", u'.', u"t_1"},
        {"t1 is one identifier", u"t1+_t", u"1", u'.', u"t1+_t"},
        {"a letter beyond ASCII continues the name", u"t\u00E9+x\u00B7t", u"1", u'.', u"t\u00E9+x\u00B7t"},
        {"a middle dot cannot start a name", u"\u00B7t", u"1", u'.', u"\u00B71"},
        {"a superscript ends the name", u"t\u00B2", u"1", u'.', u"1\u00B2"},
        {"blanks and operators separate", u"t\tt<>t", u"1", u'.', u"1\t1<>1"},
        {"comma time text", u"Power(t,2)", u"0,5", u',', u"Power(0,5,2)"},
        {"with a comma separator 2,e is one number", u"2,et", u"0,5", u',', u"2,e0,5"},
        {"with a point separator ,et is a name", u"2,et", u"0.5", u'.', u"2,et"},
        {"no t at all", u"Sin(x)", u"0.5", u'.', u"Sin(x)"},
        {"empty formula", u"", u"0.5", u'.', u""},
        {"nothing after a NUL changes", std::u16string(u"t\0t", 3), u"1", u'.', std::u16string(u"1\0t", 3)},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(ToUtf8(SubstituteTime(Case.Formula, Case.Time, Case.Sep)), ToUtf8(Case.Expected))
            << Case.Name;
}

// The plot and vendrel-eval both reach a formula through this: the time in the 15-digit form,
// written with the separator the substitution also reads numbers by.
TEST(FormulaAtTime, WritesTheTimeInTheFormThePlotUses)
{
    EXPECT_EQ(ToUtf8(FormulaAtTime(u"x*t", 0.05L, u'.')), "x*0.05");
    EXPECT_EQ(ToUtf8(FormulaAtTime(u"2,5t+t", -1.5L, u',')), "2,5-1,5+-1,5");
    EXPECT_EQ(ToUtf8(FormulaAtTime(u"Sin(t)", 0.00001L, u'.')), "Sin(1E-5)");
    EXPECT_EQ(ToUtf8(FormulaAtTime(u"t", 1.0L / 3, u'.')), "0.333333333333333");
}
