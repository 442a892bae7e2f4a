#include "tools/TFitCommand.h"

#include "analysis/TDelimitedText.h"
#include "analysis/TLeastSquaresFit.h"
#include "expr/Errors.h"
#include "expr/TParameterContext.h"
#include "expr/TextToFloat.h"
#include "expr/Utf16.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace
{
int BadArgument(const std::string& Why)
{
    std::fprintf(stderr, "vendrel-eval: %s\n", Why.c_str());
    return 2;
}

// A result line whatever the message held: line breaks become blanks.
std::string OneLine(std::string Text)
{
    for (char& c : Text)
        if (c == '\n' || c == '\r' || c == '\t')
            c = ' ';
    return Text;
}

int Failure(const char* Class, const std::string& Message)
{
    std::printf("error\t%s\t%s\n", Class, OneLine(Message).c_str());
    std::fflush(stdout);
    return 1;
}

// A positive column number of at most MaxColumns.
bool ColumnNumber(const std::string& Text, size_t& Column)
{
    if (Text.empty() || Text.size() > 5 || Text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    Column = std::stoul(Text);
    if (Column == 0 || Column > TDelimitedText::MaxColumns)
        return false;
    --Column;
    return true;
}
} // namespace

bool TFitCommand::Asked(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--fit") == 0)
            return true;
    return false;
}

int TFitCommand::Run(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string Option = argv[i];
        if (i + 1 >= argc)
            return BadArgument("'" + Option + "' needs a value, or is no option of --fit");
        const std::string Value = argv[++i];
        if (Option == "--fit" && DataPath.empty())
            DataPath = Value;
        else if (Option == "--model" && Model.empty())
            Model = Value;
        else if (Option == "--start")
        {
            const size_t Equal = Value.find('=');
            long double Start = 0;
            try
            {
                if (Equal == std::string::npos || Equal == 0)
                    throw EConvertError(Value);
                Start = TextToFloat(FromUtf8(Value.substr(Equal + 1)), u'.');
            }
            catch (const Exception&)
            {
                return BadArgument("invalid --start '" + Value +
                                   "': expected NAME=VALUE, VALUE written with \".\"");
            }
            const std::u16string Name = FromUtf8(Value.substr(0, Equal));
            std::string Refusal = TParameterContext::Refusal(Name);
            std::vector<std::u16string> All = Names;
            All.push_back(Name);
            if (Refusal.empty())
                try
                {
                    TParameterContext().Define(All);
                }
                catch (const Exception&)
                {
                    Refusal = Msg::Format(Msg::ParameterTaken, ToUtf8(Name));
                }
            if (!Refusal.empty())
                return BadArgument(Refusal);
            Names.push_back(Name);
            Starts.push_back(Start);
        }
        else if (Option == "--columns" && !ColumnsGiven)
        {
            const size_t Comma = Value.find(',');
            if (Comma == std::string::npos || !ColumnNumber(Value.substr(0, Comma), XColumn) ||
                !ColumnNumber(Value.substr(Comma + 1), YColumn))
                return BadArgument("invalid --columns '" + Value +
                                   "': expected I,J, two column numbers from 1");
            ColumnsGiven = true;
        }
        else if (Option == "--separator")
        {
            const std::u16string Chosen = FromUtf8(Value);
            if (Chosen.size() != 1)
                return BadArgument("invalid --separator '" + Value + "': expected one character");
            Separator = Chosen[0];
        }
        else
            return BadArgument("'" + Option + "' is no option of --fit, or is given twice");
    }
    if (DataPath.empty() || Model.empty() || Names.empty())
        return BadArgument("--fit needs --fit DATA, --model FORMULA and at least one --start NAME=VALUE");
    ModelText = FromUtf8(Model);
    try
    {
        return Fit();
    }
    catch (const Exception& e)
    {
        return Failure(e.ClassName(), e.Message());
    }
    catch (const std::bad_alloc&)
    {
        return Failure("Exception", "Out of memory");
    }
}

int TFitCommand::Fit()
{
    const TDelimitedText Text = TDelimitedText::FromFile(DataPath);
    TDataLayout Layout = Text.Guess();
    if (ColumnsGiven)
    {
        Layout.XColumn = XColumn;
        Layout.YColumn = YColumn;
    }
    const TDataTable Data = Text.Read(Layout);

    TLeastSquaresFit Fitter(Separator);
    Fitter.SetParameters(Names, Starts);
    const TFitResult Result = Fitter.Fit(ModelText, Data, Names);
    if (!Result.Converged())
        return Failure("EFitError", Result.Message);
    for (size_t j = 0; j < Names.size(); ++j)
        std::printf("param\t%s\t%.20Le\t%.20Le\n", ToUtf8(Names[j]).c_str(), Result.Values[j],
                    Result.StandardErrors[j]);
    std::printf("rss\t%.20Le\niterations\t%d\nend\n", Result.ResidualSumOfSquares, Result.Iterations);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
    {
        std::fputs("vendrel-eval: cannot write the results\n", stderr);
        return 1;
    }
    return 0;
}
