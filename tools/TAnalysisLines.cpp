#include "tools/TAnalysisLines.h"

#include "tools/TInputLine.h"

#include "analysis/TAnalysis.h"
#include "expr/Errors.h"
#include "expr/TextToFloat.h"
#include "expr/Utf16.h"

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

TAnalysisLines::TAnalysisLines(char16_t Sep, TMode M, Float80 From, Float80 To, int Samples)
    : Separator(Sep), Mode(M), A(From), B(To), Analysis(std::make_unique<TAnalysis>(Sep))
{
    Analysis->SetSamples(Samples);
}

TAnalysisLines::~TAnalysisLines() = default;

bool TAnalysisLines::ModeFor(const char* Option, TMode& Mode)
{
    if (std::strcmp(Option, "--roots") == 0)
        Mode = TMode::Roots;
    else if (std::strcmp(Option, "--extrema") == 0)
        Mode = TMode::Extrema;
    else if (std::strcmp(Option, "--area") == 0)
        Mode = TMode::Area;
    else if (std::strcmp(Option, "--inflections") == 0)
        Mode = TMode::Inflections;
    else
        return false;
    return true;
}

std::string TAnalysisLines::AnalyseLine(const std::string& Line)
{
    std::string Out;
    try
    {
        const TInputLine Input = TInputLine::Parse(Line);
        const Float80 T = Input.T;
        const std::u16string& Formula = Input.Formula;
        TAnalysisResult Result;
        switch (Mode)
        {
        case TMode::Roots:
            Result = Analysis->Roots(Formula, T, A, B);
            break;
        case TMode::Extrema:
            Result = Analysis->Extrema(Formula, T, A, B);
            break;
        case TMode::Area:
            Result = Analysis->Area(Formula, T, A, B);
            break;
        case TMode::Inflections:
            Result = Analysis->Inflections(Formula, T, A, B);
            break;
        }
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
