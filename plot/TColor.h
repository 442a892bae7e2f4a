#pragma once
// The colour of the model, the canvas and the controls: 0x00BBGGRR, red in the low byte,
// then green, then blue; the high byte is not used. Every conversion to and from the other
// forms lives here.
#include <QColor>

#include <cstdint>

using TColor = int32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clSilver = 0xC0C0C0;
// The classic window colour, white, not the desktop theme's: the plot's black axes and
// numbers need a light ground. New plot surfaces and colour buttons start with it.
inline constexpr TColor clWindow = clWhite;

// The opaque ARGB value of a colour: the red and blue bytes swap places.
inline constexpr uint32_t ColorToArgb(TColor Color)
{
    const uint32_t Red = uint32_t(Color) & 0xFF;
    const uint32_t Green = (uint32_t(Color) >> 8) & 0xFF;
    const uint32_t Blue = (uint32_t(Color) >> 16) & 0xFF;
    return 0xFF000000u + Red * 65536u + Green * 256u + Blue;
}

// The opaque QColor of a colour.
inline QColor ToQColor(TColor Color)
{
    return QColor::fromRgba(ColorToArgb(Color));
}

// The colour of a QColor; its alpha is dropped.
inline TColor FromQColor(const QColor& Color)
{
    return TColor(Color.red() | (Color.green() << 8) | (Color.blue() << 16));
}
