#include "plot/TCurveSource.h"

#include "expr/Errors.h"
#include "plot/TCanvas.h"
#include "plot/TFuncList.h"
#include "plot/TPlotView.h"

#include <QBrush>
#include <QPainter>

bool TCurveSource::Drawn(const TFuncList& List, int Index) const
{
    return !List.Item(Index).Func.isEmpty();
}

void TCurveSource::DrawTraced(TCanvas&, const TCurveGeometry&, const TRunPaint&) const {}

void TCurveSource::DrawFill(TCanvas& Canvas, const TCurveGeometry& G, const TPlotView&, int32_t,
                            TColor Color) const
{
    if (!G.Closed())
        return;
    QPainter& Painter = Canvas.Painter();
    Painter.save();
    Painter.setRenderHint(QPainter::Antialiasing, false);
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(QBrush(ToQColor(Color)));
    Painter.drawPolygon(G.Points.data(), int(G.Points.size()), Qt::WindingFill);
    Painter.restore();
}

bool IsUndefinedPoint(const Exception& Error)
{
    return dynamic_cast<const EZeroDivide*>(&Error) || dynamic_cast<const EInvalidOp*>(&Error) ||
           dynamic_cast<const EDomainError*>(&Error);
}

std::u16string CurveKey(TGraphKind Kind, const TCurveTexts& Texts)
{
    std::u16string Key;
    Key += char16_t(unsigned(Kind));
    Key += char16_t(uint16_t(Texts.Order));
    Key += char16_t(uint32_t(Texts.Order) >> 16);
    const auto Address = uint64_t(uintptr_t(Texts.Data.get()));
    for (int Shift = 0; Shift < 64; Shift += 16)
        Key += char16_t(uint16_t(Address >> Shift));
    for (const std::u16string& Text : Texts.Formulas)
    {
        const size_t n = Text.size();
        Key += char16_t(n >> 16);
        Key += char16_t(n & 0xFFFF);
        Key += Text;
    }
    return Key;
}
