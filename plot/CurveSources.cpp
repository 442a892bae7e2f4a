// The source of every graph kind; a new kind of curve is registered here.
#include "plot/TCurveSource.h"
#include "plot/TDerivedCurve.h"
#include "plot/TFunctionCurve.h"
#include "plot/TInverseCurve.h"
#include "plot/TSampledCurve.h"

const TCurveSource& CurveSourceOf(TGraphKind Kind)
{
    static const TFunctionCurve Function;
    static const TParametricCurve Parametric;
    static const TPolarCurve Polar;
    static const TInverseCurve Inverse;
    static const TDerivedCurve Derived;
    switch (Kind)
    {
    case TGraphKind::Function:
        break;
    case TGraphKind::Parametric:
        return Parametric;
    case TGraphKind::Polar:
        return Polar;
    case TGraphKind::Inverse:
        return Inverse;
    case TGraphKind::Derivative:
    case TGraphKind::Integral:
        return Derived;
    }
    return Function;
}
