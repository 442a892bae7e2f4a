#include "app/TTangentRows.h"

#include "app/AnalysisNumber.h"

#include <cmath>

namespace
{
constexpr int Digits = 18;
} // namespace

std::vector<TTangentRows::TRow> TTangentRows::Rows(const TAnalysisPoint& P, char16_t Sep)
{
    if (P.Kind != TPointKind::Value)
        return {};
    auto Number = [Sep](bool Defined, Float80 v)
    { return Defined ? AnalysisNumber(v, Digits, Sep) : QStringLiteral("undefined"); };
    const QString X = AnalysisNumber(P.X, Digits, Sep);
    std::vector<TRow> Rows = {{X, Number(P.HasD1, P.D1), QStringLiteral("f'(x)")},
                              {X, Number(P.HasD2, P.D2), QStringLiteral("f''(x)")}};
    if (P.HasD1)
        Rows.push_back({QString(), Equation(P.X, P.Y, P.D1, Sep), QStringLiteral("tangent")});
    return Rows;
}

QString TTangentRows::Equation(Float80 X, Float80 Y, Float80 Slope, char16_t Sep)
{
    const Float80 c = Y - Slope * X;
    const QString Sign = std::signbit(c) ? QStringLiteral(" - ") : QStringLiteral(" + ");
    return QStringLiteral("y = ") + AnalysisNumber(Slope, Digits, Sep) + QStringLiteral("*x") + Sign +
           AnalysisNumber(std::fabs(c), Digits, Sep);
}
