#pragma once
// Where the status bar reads a graph: the pixel under the mouse with its plane point, the view
// it is read in, the frame's evaluation context and the evaluators to read with. A graph's kind
// reads itself there (TKindDescriptor::Read) and adds its text and marker to the reading.
#include "expr/Float80.h"

#include <QPoint>
#include <QString>

#include <cstdint>
#include <exception>

class Exception;
class TCurveEvaluators;
class TFunc;
class TFuncList;
struct TEvalContext;
struct TPlotView;
struct TReadout;

struct TReadoutPlace
{
    const TFuncList& List;
    int Graph = 0;
    // Null when the time text is not a number; Problem then holds the message.
    const TEvalContext* Context = nullptr;
    QString Problem;
    // With the context's parameters.
    TCurveEvaluators& Evaluators;
    char16_t Separator = u'.';
    const TPlotView& View;
    int32_t OriginY = 0;
    QPoint Pixel;
    Float80 X = 0, Y = 0; // the plane point of the pixel
    int Width = 0, Height = 0;
    // The marker stands on the curve only where the picture shows the graphs.
    bool GraphsEnabled = false;

    const TFunc& Func() const;
    // A number as the readout writes it: 15 significant digits.
    QString Number(Float80 Value) const;
    // The marker at the row of Value in the pixel's column, when that row is on the surface.
    void MarkRow(TReadout& r, Float80 Value) const;
};

// The "    " between the parts of a reading.
inline const QString ReadoutGap = QStringLiteral("    ");
// ": " and the error's message, which stands in place of a value.
QString ReadoutError(const std::exception& Error);
