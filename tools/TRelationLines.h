#pragma once
// vendrel-eval's relation mode, --relation X0 X1 Y0 Y1: each input line X<TAB>T<TAB>FORMULA
// (X unused, T the time that replaces t) holds a relation in x and y, classified over the box
// [X0, X1] x [Y0, Y1] as the plot classifies one pixel (TRelationClassifier):
//
//   holds        a point of the box is proven to satisfy the relation
//   empty        it is proven to hold nowhere in the box
//   undecided    neither could be proven
//   error <TAB> ErrorClass <TAB> message      the formula cannot be read
#include "analysis/TRelationClassifier.h"

#include <string>
#include <vector>

class TRelationLines
{
  public:
    // Box: the box of every line; finite, X0 < X1 and Y0 < Y1. Names and Values: the named
    // parameters the formulas read.
    TRelationLines(char16_t Separator, const TRelationView& Box, std::vector<std::u16string> Names,
                   std::vector<Float80> Values);

    // The output line for one input line, ended by '\n'.
    std::string ClassifyLine(const std::string& Line) const;

    // Whether the box is one the mode accepts.
    static bool Usable(const TRelationView& Box);

  private:
    TRelationInput Setup; // all but the formula and the time
    TRelationView Box;
};
