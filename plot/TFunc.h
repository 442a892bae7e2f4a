#pragma once
// One graph: a formula text with its line colour, fill colour and dash style.
#include "plot/TColor.h"

#include <QString>

#include <cstdint>

class TFunc
{
  public:
    explicit TFunc(const QString& Formula = QString()) : Func(Formula) {}

    TColor BGColor = clWhite; // fill colour, used when "Filled Graphs" is on
    TColor Color = clBlack;   // line colour of the curve
    QString Func;             // the formula text as typed; may be empty
    int32_t Style = 0;        // dash style 0..4; other values only come from documents
};
