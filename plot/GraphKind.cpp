#include "plot/GraphKind.h"

#include "expr/AsciiCase.h"
#include "plot/QtText.h"

#include "plot/TDerivedKind.h"
#include "plot/TFunctionKind.h"
#include "plot/TInverseKind.h"
#include "plot/TParametricKind.h"
#include "plot/TPointsKind.h"
#include "plot/TPolarKind.h"
#include "plot/TRelationKind.h"

#include <array>
#include <stdexcept>

namespace
{
// The descriptors by kind, filled with the built-in kinds at the first use; the Graph panel
// lists the kinds in the order they were registered.
struct TKindTable
{
    std::array<const TKindDescriptor*, 256> ByKind{};
    std::vector<TGraphKind> Order;

    void Add(TGraphKind Kind, const TKindDescriptor& Descriptor)
    {
        if (ByKind[size_t(Kind)])
            throw std::logic_error("a graph kind is registered twice");
        ByKind[size_t(Kind)] = &Descriptor;
        Order.push_back(Kind);
    }
};

TKindTable& Table()
{
    static const TFunctionKind Function;
    static const TParametricKind Parametric;
    static const TPolarKind Polar;
    static const TInverseKind Inverse;
    static const TDerivedKind Derivative(false);
    static const TDerivedKind Integral(true);
    static const TRelationKind Relation;
    static const TPointsKind Points;
    static TKindTable Kinds = []
    {
        TKindTable t;
        // A new kind of the program is one row here.
        t.Add(TGraphKind::Function, Function);
        t.Add(TGraphKind::Parametric, Parametric);
        t.Add(TGraphKind::Polar, Polar);
        t.Add(TGraphKind::Inverse, Inverse);
        t.Add(TGraphKind::Derivative, Derivative);
        t.Add(TGraphKind::Integral, Integral);
        t.Add(TGraphKind::Relation, Relation);
        t.Add(TGraphKind::Points, Points);
        return t;
    }();
    return Kinds;
}
} // namespace

const TKindDescriptor& KindOf(TGraphKind Kind)
{
    const TKindDescriptor* Found = Table().ByKind[size_t(Kind)];
    return Found ? *Found : *Table().ByKind[size_t(TGraphKind::Function)];
}

std::vector<TGraphKind> GraphKinds()
{
    return Table().Order;
}

QString GraphKindName(TGraphKind Kind)
{
    return QLatin1String(KindOf(Kind).Name());
}

TGraphKind GraphKindFromName(const QString& Name)
{
    const QString Trimmed = Name.trimmed();
    for (const TGraphKind Kind : Table().Order)
        if (EqualsAsciiCase(ToU16(Trimmed), std::string_view(KindOf(Kind).Name())))
            return Kind;
    return TGraphKind::Function;
}

TGraphKind KindOfRole(TDerivedRole Role)
{
    for (const TGraphKind Kind : Table().Order)
        if (KindOf(Kind).DerivedRole() == Role)
            return Kind;
    return TGraphKind::Function;
}

void RegisterGraphKind(TGraphKind Kind, const TKindDescriptor& Descriptor)
{
    Table().Add(Kind, Descriptor);
}
