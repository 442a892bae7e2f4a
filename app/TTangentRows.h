#pragma once
// The rows the analysis panel adds below a value at x: f'(x), f''(x) and the tangent's
// equation y = m*x + c (c = f(x) - m*x), each at 18 significant digits, so that Copy gives
// them to full long double precision and the equation can be pasted back as a formula.
#include "analysis/TAnalysisResult.h"

#include <QString>

#include <vector>

class TTangentRows
{
  public:
    struct TRow
    {
        QString X, Y, Kind;
    };

    // The rows for a point of kind Value; none for any other.
    static std::vector<TRow> Rows(const TAnalysisPoint& Value, char16_t DecimalSeparator);
    // "y = m*x + c", or "y = m*x - |c|".
    static QString Equation(Float80 X, Float80 Y, Float80 Slope, char16_t DecimalSeparator);
};
