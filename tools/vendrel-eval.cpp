// vendrel-eval: evaluates formulas exactly as the plot does, one per input line.
//
//   input   X<TAB>T<TAB>FORMULA      (X and T written with ".", the formula in UTF-8)
//   output  ok<TAB>%.20Le            or   error<TAB>ClassName<TAB>message
//
// "x" reads X, the time text of T (15 significant digits, the decimal separator in
// force) replaces the parameter t, and "Pi" and the whole function library are known.
// --separator C sets the decimal separator; by default it is the user's locale's.
#include "expr/Errors.h"
#include "expr/FunctionLibrary.h"
#include "expr/TEvaluator.h"
#include "expr/TextToFloat.h"
#include "expr/TimeSubstitution.h"
#include "expr/Utf16.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <langinfo.h>
#include <optional>
#include <string>

namespace
{
// One UTF-16 code unit from a UTF-8 text, or nothing when the text is not exactly one.
std::optional<char16_t> SingleUnit(const char* Utf8)
{
    std::u16string Text = FromUtf8(Utf8);
    if (Text.size() != 1)
        return std::nullopt;
    return Text[0];
}

// The user's decimal separator from the environment (LC_ALL, LC_NUMERIC, LANG). The C
// library is put back to the neutral "C" locale afterwards, so that printf writes ".".
char16_t UserSeparator()
{
    char16_t Separator = u'.';
    if (std::setlocale(LC_NUMERIC, ""))
        Separator = SingleUnit(nl_langinfo(RADIXCHAR)).value_or(u'.');
    std::setlocale(LC_ALL, "C");
    return Separator;
}

class TLineEvaluator
{
public:
    explicit TLineEvaluator(char16_t Separator) : Separator(Separator), Evaluator(MakePlotEvaluator(Separator, &X)) {}

    // The output line for one input line, without its end of line.
    std::string EvaluateLine(const std::string& Line)
    {
        try
        {
            return "ok\t" + ExactText(Evaluate(Line));
        }
        catch (const Exception& e)
        {
            return std::string("error\t") + e.ClassName() + "\t" + e.Message();
        }
        catch (const std::exception& e)
        {
            return std::string("error\tException\t") + e.what();
        }
    }

private:
    Float80 Evaluate(const std::string& Line)
    {
        const size_t FirstTab = Line.find('\t');
        const size_t SecondTab = FirstTab == std::string::npos ? FirstTab : Line.find('\t', FirstTab + 1);
        if (SecondTab == std::string::npos)
            throw EConvertError("Input line is not X<TAB>T<TAB>FORMULA");
        const Float80 T = TextToFloat(FromUtf8(std::string_view(Line).substr(FirstTab + 1, SecondTab - FirstTab - 1)), u'.');
        X = TextToFloat(FromUtf8(std::string_view(Line).substr(0, FirstTab)), u'.');
        const std::u16string Formula = FromUtf8(std::string_view(Line).substr(SecondTab + 1));
        return Evaluator->EvaluateText(FormulaAtTime(Formula, T, Separator));
    }

    static std::string ExactText(Float80 Value)
    {
        char Buffer[64];
        std::snprintf(Buffer, sizeof Buffer, "%.20Le", Value);
        return Buffer;
    }

    char16_t Separator;
    Float80 X = 0;
    std::unique_ptr<TEvaluator> Evaluator;
};

int Usage()
{
    std::fputs("usage: vendrel-eval [--separator C] < lines of X<TAB>T<TAB>FORMULA\n", stderr);
    return 2;
}
} // namespace

int main(int argc, char** argv)
{
    char16_t Separator = UserSeparator();
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--separator") != 0 || i + 1 >= argc)
            return Usage();
        std::optional<char16_t> Chosen = SingleUnit(argv[++i]);
        if (!Chosen)
            return Usage();
        Separator = *Chosen;
    }

    std::ios::sync_with_stdio(false);
    TLineEvaluator Lines(Separator);
    std::string Line;
    while (std::getline(std::cin, Line))
        std::cout << Lines.EvaluateLine(Line) << '\n';
    std::cout.flush();
    return 0;
}
