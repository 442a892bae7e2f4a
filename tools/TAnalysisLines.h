#pragma once
// vendrel-eval's analysis modes: --roots A B, --extrema A B, --inflections A B, --area A B.
// Each input line
// X<TAB>T<TAB>FORMULA (X unused) gets a block of output lines, in the order found:
//
//   root|double root|minimum|maximum|inflection <TAB> x <TAB> y      (%.20Le)
//   pole|jump <TAB> x
//   area <TAB> value <TAB> error estimate
//   undefined <TAB> x <TAB> ErrorClass <TAB> message     (where the area meets an error)
//   note <TAB> text
//   error <TAB> ErrorClass <TAB> message                 (no result for this line)
//
// and then a line "end", so a script can tell the blocks of several input lines apart.
#include "expr/Float80.h"

#include <memory>
#include <string>

class TAnalysis;

class TAnalysisLines
{
  public:
    enum class TMode
    {
        Roots,
        Extrema,
        Area,
        Inflections
    };

    TAnalysisLines(char16_t Separator, TMode Mode, Float80 A, Float80 B, int Samples);
    ~TAnalysisLines();

    // The output block for one input line, each line ended by '\n'.
    std::string AnalyseLine(const std::string& Line);

    // The mode for an option ("--roots", ...), or false when it names none.
    static bool ModeFor(const char* Option, TMode& Mode);

  private:
    char16_t Separator;
    TMode Mode;
    Float80 A, B;
    std::unique_ptr<TAnalysis> Analysis;
};
