#include "plot/GraphKind.h"

#include <array>

namespace
{
struct TKindRow
{
    TGraphKind Kind;
    const char* Name;
    const char16_t* Variable;
};
// In the order of TGraphKind.
constexpr std::array<TKindRow, 6> Kinds{{
    {TGraphKind::Function, "function", u"x"},
    {TGraphKind::Parametric, "parametric", u"s"},
    {TGraphKind::Polar, "polar", u"s"},
    {TGraphKind::Inverse, "inverse", u"y"},
    {TGraphKind::Derivative, "derivative", u""},
    {TGraphKind::Integral, "integral", u""},
}};
static_assert(Kinds[size_t(TGraphKind::Integral)].Kind == TGraphKind::Integral, "rows follow the enum");
} // namespace

QString GraphKindName(TGraphKind Kind)
{
    return QLatin1String(Kinds[size_t(Kind)].Name);
}

TGraphKind GraphKindFromName(const QString& Name)
{
    const QString Trimmed = Name.trimmed();
    for (const TKindRow& Row : Kinds)
        if (Trimmed.compare(QLatin1String(Row.Name), Qt::CaseInsensitive) == 0)
            return Row.Kind;
    return TGraphKind::Function;
}

const char16_t* GraphKindVariable(TGraphKind Kind)
{
    return Kinds[size_t(Kind)].Variable;
}
