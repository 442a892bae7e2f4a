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
#include "analysis/TAnalysisDesk.h"
#include "analysis/TAnalysisRequest.h"

#include <string>

class TAnalysisLines
{
  public:
    // Asked: the question, interval, samples and separator; each line gives its formula and time.
    explicit TAnalysisLines(const TAnalysisRequest& Asked) : Asked(Asked) {}

    // The output block for one input line, each line ended by '\n'.
    std::string AnalyseLine(const std::string& Line);

    // The question an option asks ("--roots", ...), or false when it names none.
    static bool QuestionFor(const char* Option, TAnalysisQuestion& Question);

  private:
    TAnalysisRequest Asked;
    TAnalysisDesk Desk;
};
