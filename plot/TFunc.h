#pragma once
// One graph: a formula text with its line colour, fill colour and dash style.
#include <QString>

#include <cstdint>

// Colours are 0x00BBGGRR: red in the low byte, then green, then blue.
using TColor = int32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clSilver = 0xC0C0C0;

class TFunc
{
public:
    explicit TFunc(const QString& Formula = QString()) : Func(Formula) {}

    TColor BGColor = clWhite; // fill colour, used when "Filled Graphs" is on
    TColor Color = clBlack;   // line colour of the curve
    QString Func;             // the formula text as typed; may be empty
    int32_t Style = 0;        // dash style 0..4; other values only come from documents
};
