// vendrel-eval: evaluates formulas exactly as the plot does, one per input line.
//
//   input   X<TAB>T<TAB>FORMULA      (X and T written with ".", the formula in UTF-8)
//   output  ok<TAB>%.20Le            or   error<TAB>ClassName<TAB>message
//
// "x" reads X, the time text of T (15 significant digits, the decimal separator in
// force) replaces the parameter t, and "Pi" and the whole function library are known.
// --separator C sets the decimal separator; by default it is the user's locale's.
// --roots A B, --extrema A B, --inflections A B and --area A B analyse each formula over
// [A, B] instead (tools/TAnalysisLines.h gives the output), sampled at --samples N points
// (TAnalysisRequest::DefaultSamples). --derivative 1 (or 2) prints f'(X) (f''(X)) in place of the value,
// computed exactly by differentiating the compiled formula.
// --set NAME=VALUE (VALUE written with ".") defines a parameter NAME that the formulas read.
// --fit DATA --model FORMULA --start NAME=VALUE... fits the model to a data file instead
// (tools/TFitCommand.h).
// --relation X0 X1 Y0 Y1 classifies each formula, a relation in x and y, over that box instead
// (tools/TRelationLines.h gives the output).
#include "analysis/TAnalysisRequest.h"
#include "expr/Errors.h"
#include "expr/FunctionLibrary.h"
#include "expr/TDualRunner.h"
#include "expr/TEvaluator.h"
#include "expr/TParameterContext.h"
#include "expr/TextToFloat.h"
#include "expr/TimeSubstitution.h"
#include "expr/Utf16.h"
#include "tools/TAnalysisLines.h"
#include "tools/TFitCommand.h"
#include "tools/TInputLine.h"
#include "tools/TRelationLines.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <langinfo.h>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace
{
// The parameters given with --set, in order.
struct TParameterSet
{
    std::vector<std::u16string> Names;
    std::vector<Float80> Values;
    // The curve variables, known only when given: s of parametric and polar curves, y of
    // inverse graphs.
    std::optional<Float80> S, Y;
};

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
    // Order 0: the value; 1 or 2: that derivative.
    TLineEvaluator(char16_t Separator, int Order, const TParameterSet& Set)
        : Separator(Separator), Order(Order), Evaluator(MakePlotEvaluator(Separator, &X)), Dual(*Evaluator)
    {
        Parameters.Assign(Set.Names, Set.Values);
        Evaluator->AddContext(&Parameters);
        if (Set.S)
        {
            S = *Set.S;
            Evaluator->RegisterVariable(u"s", &S);
        }
        if (Set.Y)
        {
            Y = *Set.Y;
            Evaluator->RegisterVariable(u"y", &Y);
        }
    }

    // The output line for one input line, without its end of line.
    std::string EvaluateLine(const std::string& Line)
    {
        try
        {
            return "ok\t" + ExactText(Evaluate(Line));
        }
        catch (const Exception& e)
        {
            return OneLine(std::string("error\t") + e.ClassName() + "\t" + e.Message());
        }
        catch (const std::bad_alloc&)
        {
            return "error\tException\tOut of memory";
        }
        catch (const std::exception& e)
        {
            return std::string("error\tException\t") + e.what();
        }
    }

  private:
    Float80 Evaluate(const std::string& Line)
    {
        const TInputLine Input = TInputLine::Parse(Line);
        X = Input.X();
        const std::u16string Text = FormulaAtTime(Input.Formula, Input.T, Separator);
        if (Order == 0)
            return Evaluator->EvaluateText(Text);
        const TDual d = Dual.Run(*Evaluator->Compile(Text), &X, Order);
        return Order == 1 ? d.D1 : d.D2;
    }

    // A record is one line whatever the input held: a line break that reaches a message (none
    // can, as the decoder refuses the overlong forms) shows as U+FFFD.
    static std::string OneLine(std::string Record)
    {
        for (size_t At = Record.find_first_of("\r\n"); At != std::string::npos;
             At = Record.find_first_of("\r\n", At))
            Record.replace(At, 1, "\xEF\xBF\xBD");
        return Record;
    }

    static std::string ExactText(Float80 Value)
    {
        char Buffer[64];
        std::snprintf(Buffer, sizeof Buffer, "%.20Le", Value);
        return Buffer;
    }

    char16_t Separator;
    int Order;
    Float80 X = 0;
    TParameterContext Parameters;
    Float80 S = 0, Y = 0;
    std::unique_ptr<TEvaluator> Evaluator;
    TDualRunner Dual;
};

// A number argument written with "."; false when it is not one.
bool ArgumentNumber(const char* Text, Float80& Value)
{
    try
    {
        Value = TextToFloat(FromUtf8(Text), u'.');
        return true;
    }
    catch (const Exception&)
    {
        return false;
    }
}

// One --set NAME=VALUE added to Set; false, with the reason in Error, when NAME cannot name
// a parameter (or names one already) or VALUE is no number.
bool AddParameter(const char* Argument, TParameterSet& Set, std::string& Error)
{
    const char* Equal = std::strchr(Argument, '=');
    Float80 Value = 0;
    if (!Equal || Equal == Argument || !ArgumentNumber(Equal + 1, Value))
    {
        Error =
            std::string("invalid --set '") + Argument + "': expected NAME=VALUE, VALUE written with \".\"";
        return false;
    }
    const std::u16string Name = FromUtf8(std::string_view(Argument, size_t(Equal - Argument)));
    if (Name == u"s" || Name == u"y")
    {
        (Name == u"s" ? Set.S : Set.Y) = Value;
        return true;
    }
    Error = TParameterContext::Refusal(Name);
    if (Error.empty())
    {
        std::vector<std::u16string> Names = Set.Names;
        Names.push_back(Name);
        try
        {
            TParameterContext().Define(Names);
        }
        catch (const Exception&)
        {
            Error = Msg::Format(Msg::ParameterTaken, ToUtf8(Name));
        }
    }
    if (!Error.empty())
        return false;
    Set.Names.push_back(Name);
    Set.Values.push_back(Value);
    return true;
}

// The answer to --help: one line per option, the name padded to 21 columns.
const std::string HelpText =
    "Usage: vendrel-eval [--separator C] [--set NAME=VALUE]... [--derivative 1|2] < LINES\n"
    "       vendrel-eval [--separator C] --roots|--extrema|--inflections|--area A B\n"
    "                    [--samples N] < LINES\n"
    "       vendrel-eval --fit DATA --model FORMULA --start NAME=VALUE...\n"
    "                    [--columns I,J] [--separator C]\n"
    "       vendrel-eval [--separator C] [--set NAME=VALUE]... --relation X0 X1 Y0 Y1 < LINES\n"
    "       vendrel-eval --help | --version\n"
    "\n"
    "Evaluates formulas exactly as the Vendrel plot does. Each input line is\n"
    "X<TAB>T<TAB>FORMULA, X and T written with \".\"; x reads X and the time text of T\n"
    "replaces the parameter t; a name given with --set reads its VALUE. Each gives one\n"
    "output line:\n"
    "  ok<TAB>VALUE                    VALUE as printf(\"%.20Le\")\n"
    "  error<TAB>CLASS<TAB>MESSAGE     the error's class name and its text\n"
    "With --derivative, VALUE is f'(X) or f''(X). With --roots, --extrema,\n"
    "--inflections or --area (X unused) each gives result lines such as\n"
    "root<TAB>X<TAB>Y, pole<TAB>X, area<TAB>VALUE<TAB>ESTIMATE or note<TAB>TEXT,\n"
    "then the line end.\n"
    "\n"
    "Options:\n"
    "  --separator C        decimal separator inside formulas (default: the locale's)\n"
    "  --set NAME=VALUE     a parameter NAME that the formulas read as VALUE (written\n"
    "                       with \".\"); repeatable; evaluation lines only. s=VALUE\n"
    "                       and y=VALUE make the variables of parametric and polar\n"
    "                       curves (s) and of inverse graphs (y) known\n"
    "  --derivative 1|2     print the first or second derivative at X, not the value\n"
    "  --roots A B          the roots, poles and jumps of each formula over [A, B]\n"
    "  --extrema A B        its local minima and maxima over [A, B] (roots of f')\n"
    "  --inflections A B    its inflection points over [A, B] (sign changes of f'')\n"
    "  --area A B           its signed area over [A, B] and the error estimate\n"
    "  --relation X0 X1 Y0 Y1\n"
    "                       each formula is a relation in x and y (x*x+y*y = 1,\n"
    "                       y < Sin(x)): prints holds, empty or undecided for the box\n"
    "                       [X0, X1] x [Y0, Y1] (X unused), proven as the plot proves a pixel\n"
    "  --samples N          points sampled over [A, B] (default " +
    std::to_string(TAnalysisRequest::DefaultSamples) +
    ")\n"
    "  --fit DATA           fit FORMULA (--model) to the x and y columns of the data\n"
    "                       file DATA (CSV, TSV or text, read as the import reads it),\n"
    "                       varying each parameter given with --start NAME=VALUE from\n"
    "                       VALUE; prints param<TAB>NAME<TAB>VALUE<TAB>STDERR lines,\n"
    "                       rss<TAB>VALUE, iterations<TAB>N and end\n"
    "  --columns I,J        the data's x and y columns, counted from 1 (default 1,2)\n"
    "  --help               print this help and exit\n"
    "  --version            print the version and exit\n"
    "\n"
    "The manual page vendrel-eval(1) tells more.\n";

// --help and --version print to standard output; 1 when that cannot be written.
int Answer(const char* Text)
{
    return std::fputs(Text, stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
}

// The results did not all reach standard output (a full disk, a closed pipe).
int OutputFailed()
{
    std::fprintf(stderr, "vendrel-eval: cannot write the results: %s\n",
                 errno ? std::strerror(errno) : "write error");
    return 1;
}

// Writes the answer to each input line, checking that it reached standard output.
template <typename TAnswer> int AnswerLines(TAnswer AnswerTo)
{
    std::string Line;
    while (std::getline(std::cin, Line))
    {
        std::cout << AnswerTo(Line);
        if (!std::cout)
            return OutputFailed();
    }
    return std::cout.flush() ? 0 : OutputFailed();
}

int Usage()
{
    std::fputs("usage: vendrel-eval [--separator C] [--set NAME=VALUE]... [--derivative 1|2]"
               " [--roots|--extrema|--inflections|--area A B [--samples N] | --relation X0 X1 Y0 Y1]"
               " < lines of X<TAB>T<TAB>FORMULA\n",
               stderr);
    return 2;
}
} // namespace

int main(int argc, char** argv)
{
    char16_t Separator = UserSeparator();
    if (TFitCommand::Asked(argc, argv))
        return TFitCommand(Separator).Run(argc, argv);
    TAnalysisRequest Asked; // with --roots, --extrema, --inflections or --area
    bool Analyse = false;
    int Order = 0;
    TParameterSet Set;
    std::optional<TRelationView> RelationBox; // with --relation
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--help") == 0)
            return Answer(HelpText.c_str());
        if (std::strcmp(argv[i], "--version") == 0)
            return Answer("vendrel-eval " VENDREL_VERSION "\n");
        if (!Analyse && i + 2 < argc && TAnalysisLines::QuestionFor(argv[i], Asked.Question))
        {
            Analyse = true;
            if (!ArgumentNumber(argv[++i], Asked.A) || !ArgumentNumber(argv[++i], Asked.B))
                return Usage();
            continue;
        }
        if (std::strcmp(argv[i], "--relation") == 0 && i + 4 < argc && !RelationBox)
        {
            TRelationView Box{};
            for (Float80* End : {&Box.X0, &Box.X1, &Box.Y0, &Box.Y1})
                if (!ArgumentNumber(argv[++i], *End))
                    return Usage();
            if (!TRelationLines::Usable(Box))
                return Usage();
            RelationBox = Box;
            continue;
        }
        if (std::strcmp(argv[i], "--derivative") == 0 && i + 1 < argc && Order == 0)
        {
            const std::string Chosen = argv[++i];
            if (Chosen != "1" && Chosen != "2")
                return Usage();
            Order = Chosen[0] - '0';
            continue;
        }
        if (std::strcmp(argv[i], "--set") == 0 && i + 1 < argc)
        {
            std::string Error;
            if (AddParameter(argv[++i], Set, Error))
                continue;
            std::fprintf(stderr, "vendrel-eval: %s\n", Error.c_str());
            return 2;
        }
        if (std::strcmp(argv[i], "--samples") == 0 && i + 1 < argc)
        {
            Float80 N = 0;
            if (!ArgumentNumber(argv[++i], N) || N < TAnalysisRequest::MinSamples ||
                N > TAnalysisRequest::MaxSamples || N != int(N))
                return Usage();
            Asked.Samples = int(N);
            continue;
        }
        if (std::strcmp(argv[i], "--separator") != 0 || i + 1 >= argc)
            return Usage();
        std::optional<char16_t> Chosen16 = SingleUnit(argv[++i]);
        if (!Chosen16)
            return Usage();
        Separator = *Chosen16;
    }

    if (Analyse && Order != 0)
        return Usage(); // an analysis gives points, not values
    if (RelationBox && (Analyse || Order != 0 || Set.S || Set.Y))
        return Usage(); // a relation's x and y are the box's
    std::ios::sync_with_stdio(false);
    if (Analyse && !Set.Names.empty())
    {
        std::fputs("vendrel-eval: --set applies to evaluation lines, not to an analysis\n", stderr);
        return 2;
    }
    try
    {
        if (Analyse)
        {
            Asked.Separator = Separator;
            TAnalysisLines Lines(Asked);
            return AnswerLines([&](const std::string& Line) { return Lines.AnalyseLine(Line); });
        }
        if (RelationBox)
        {
            const TRelationLines Relations(Separator, *RelationBox, Set.Names, Set.Values);
            return AnswerLines([&](const std::string& Line) { return Relations.ClassifyLine(Line); });
        }
        TLineEvaluator Lines(Separator, Order, Set);
        return AnswerLines([&](const std::string& Line) { return Lines.EvaluateLine(Line) + '\n'; });
    }
    catch (const std::bad_alloc&)
    {
        std::fputs("vendrel-eval: out of memory\n", stderr);
        return 1;
    }
}
