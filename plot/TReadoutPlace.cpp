#include "plot/TReadoutPlace.h"

#include "expr/Errors.h"
#include "expr/NumberText.h"
#include "plot/QtText.h"
#include "plot/TEvalContext.h"
#include "plot/TFuncList.h"
#include "plot/TPlotReadout.h"
#include "plot/TPlotView.h"

const TFunc& TReadoutPlace::Func() const
{
    return List.Item(Graph);
}

QString TReadoutPlace::Number(Float80 Value) const
{
    return FromU16(FormatGeneral15(Value, Separator));
}

void TReadoutPlace::MarkRow(TReadout& r, Float80 Value) const
{
    if (!GraphsEnabled)
        return;
    try
    {
        // The row the curve was drawn at in this column, as the renderer rounds it.
        bool Overflow = false;
        const int64_t Row = View.RowOf(Value, OriginY, Overflow);
        if (!Overflow && Row >= 0 && Row < Height)
            r.Marker = QPoint(Pixel.x(), int(Row));
    }
    catch (const Exception&)
    {
        // A row beyond 64 bits is off the surface: no marker.
    }
}

QString ReadoutError(const std::exception& Error)
{
    return QStringLiteral(": ") + QString::fromUtf8(Error.what());
}
