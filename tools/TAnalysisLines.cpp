#include "tools/TAnalysisLines.h"

#include "tools/TInputLine.h"

#include "expr/Errors.h"

#include <cstdio>
#include <cstring>

namespace
{
std::string Exact(Float80 Value)
{
    char Buffer[64];
    std::snprintf(Buffer, sizeof Buffer, "%.20Le", Value);
    return Buffer;
}

std::string PointLine(const TAnalysisPoint& P)
{
    std::string Line = KindName(P.Kind);
    switch (P.Kind)
    {
    case TPointKind::Area:
        return Line + "\t" + Exact(P.Y) + "\t" + Exact(P.Estimate) + "\n";
    case TPointKind::Undefined:
        return Line + "\t" + Exact(P.X) + "\t" + P.ErrorClass + "\t" + P.ErrorMessage + "\n";
    default:
        Line.append("\t").append(Exact(P.X));
        if (P.HasY)
            Line.append("\t").append(Exact(P.Y));
        return Line + "\n";
    }
}
} // namespace

bool TAnalysisLines::QuestionFor(const char* Option, TAnalysisQuestion& Question)
{
    static constexpr struct
    {
        const char* Option;
        TAnalysisQuestion Question;
    } Options[] = {{"--roots", TAnalysisQuestion::Roots},
                   {"--extrema", TAnalysisQuestion::Extrema},
                   {"--area", TAnalysisQuestion::Area},
                   {"--inflections", TAnalysisQuestion::Inflections}};
    for (const auto& Known : Options)
        if (std::strcmp(Option, Known.Option) == 0)
        {
            Question = Known.Question;
            return true;
        }
    return false;
}

std::string TAnalysisLines::AnalyseLine(const std::string& Line)
{
    std::string Out;
    try
    {
        const TInputLine Input = TInputLine::Parse(Line);
        TAnalysisRequest Request = Asked;
        Request.Formula = Input.Formula;
        Request.T = Input.T;
        const TAnalysisResult Result = Desk.Answer(Request);
        for (const TAnalysisPoint& P : Result.Points)
            Out += PointLine(P);
        for (const std::string& Note : Result.Notes)
            Out += "note\t" + Note + "\n";
    }
    catch (const Exception& e)
    {
        Out += std::string("error\t") + e.ClassName() + "\t" + e.Message() + "\n";
    }
    catch (const std::exception& e)
    {
        Out += std::string("error\tException\t") + e.what() + "\n";
    }
    return Out + "end\n";
}
