#pragma once
// One graph: a formula text with its line colour, fill colour and dash style, and the kind
// of curve the formula describes.
#include "plot/TColor.h"

#include <QString>

#include <cstdint>
#include <memory>

class TDataTable;
enum class TMarkerShape : uint8_t;

// What a graph's formulas describe. A function is y = f(x) sampled once per pixel column;
// parametric (x = X(s), y = Y(s)) and polar (r = R(s) at angle s) curves are sampled over s
// from From to To; an inverse graph is x = g(y), sampled once per pixel row; derivative and
// integral graphs are computed from another graph of the list; a points graph is a data set
// drawn as markers.
enum class TGraphKind : uint8_t
{
    Function,
    Parametric,
    Polar,
    Inverse,
    Derivative,
    Integral,
    Relation, // a relation in x and y, classified pixel by pixel
    Points,   // points of a data file, drawn as markers
};

class TFunc
{
  public:
    explicit TFunc(const QString& Formula = QString()) : Func(Formula) {}

    TColor BGColor = clWhite; // fill colour, used when "Filled Graphs" is on
    TColor Color = clBlack;   // line colour of the curve
    QString Func;             // the formula text as typed (X(s), R(s) or g(y) by kind); may be empty
    int32_t Style = 0;        // dash style 0..4; other values only come from documents

    TGraphKind Kind = TGraphKind::Function;
    QString FuncY;                           // Y(s) of a parametric curve
    QString FromText = QStringLiteral("0");  // S0 (integral graphs: the lower end a)
    QString ToText = QStringLiteral("2*Pi"); // S1
    int32_t Of = 0;                          // derived graphs: the graph's number, from 1
    int32_t Order = 1;                       // derivative graphs: 1 or 2

    // Points graphs: the data (shared by every copy of the graph; an edit makes a new table, so
    // equal pointers are equal data), the marker drawn at each point and whether a line joins
    // the points in their order. Func holds the data's name.
    std::shared_ptr<const TDataTable> Data;
    TMarkerShape Marker{}; // a dot
    bool Joined = false;

    bool operator==(const TFunc&) const = default;
};
