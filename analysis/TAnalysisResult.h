#pragma once
// What an analysis answers: a list of points, each with its kind, and notes in words about
// what the list leaves out or cannot promise. An area is one point of kind Area whose Y is
// the signed area and whose Estimate is the quadrature's error estimate; a point where the
// formula is undefined carries the evaluator's error class and message.
#include "expr/Float80.h"

#include <string>
#include <vector>

enum class TPointKind
{
    Root,       // the formula changes sign or is exactly 0 here
    DoubleRoot, // a minimum or maximum whose value is 0: the graph touches the axis
    Pole,       // a change of sign through values that grow without bound, or through an error
    Jump,       // a change of sign through a step of finite height
    Minimum,
    Maximum,
    Intersection, // the two graphs meet; Y is the first graph's value
    Value,        // the value at a given x
    Undefined,    // the formula raises an error at X
    Area,         // the signed area over [X, X2]
    ArcLength,    // the length of a curve over s from X to X2
    Inflection,   // f'' changes sign here
    // A data set's summary: its count (in Y), its mean point (the means of x and y), and the
    // first of its points with the least or greatest x or y.
    Count,
    Mean,
    XMin,
    XMax,
    YMin,
    YMax,
};

// The kind as the table and vendrel-eval write it ("root", "pole", ...).
const char* KindName(TPointKind Kind);

struct TAnalysisPoint
{
    TPointKind Kind = TPointKind::Root;
    Float80 X = 0;
    Float80 Y = 0;
    bool HasY = true;     // false for poles, jumps and undefined points
    Float80 X2 = 0;       // Area: the end of the interval
    Float80 Estimate = 0; // Area: the error estimate of the quadrature
    Float80 D1 = 0;       // Value: f'(X), where HasD1
    Float80 D2 = 0;       // Value: f''(X), where HasD2
    bool HasD1 = false;
    bool HasD2 = false;
    std::string ErrorClass; // Undefined: the evaluator's error
    std::string ErrorMessage;
};

struct TAnalysisResult
{
    std::vector<TAnalysisPoint> Points;
    std::vector<std::string> Notes;
};
