#include "analysis/TAnalysisResult.h"

const char* KindName(TPointKind Kind)
{
    switch (Kind)
    {
    case TPointKind::Root:
        return "root";
    case TPointKind::DoubleRoot:
        return "double root";
    case TPointKind::Pole:
        return "pole";
    case TPointKind::Jump:
        return "jump";
    case TPointKind::Minimum:
        return "minimum";
    case TPointKind::Maximum:
        return "maximum";
    case TPointKind::Intersection:
        return "intersection";
    case TPointKind::Value:
        return "value";
    case TPointKind::Undefined:
        return "undefined";
    case TPointKind::Area:
        return "area";
    case TPointKind::ArcLength:
        return "arc length";
    case TPointKind::Inflection:
        return "inflection";
    case TPointKind::Count:
        return "count";
    case TPointKind::Mean:
        return "mean";
    case TPointKind::XMin:
        return "x min";
    case TPointKind::XMax:
        return "x max";
    case TPointKind::YMin:
        return "y min";
    case TPointKind::YMax:
        return "y max";
    }
    return "?";
}
