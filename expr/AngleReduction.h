#pragma once
// The reduction of an angle to the quarter turn around 0: x = n * pi/2 + r with |r| <= pi/4,
// r carried to about 128 bits, using 384 bits of 2/pi, so that the functions that cancel near
// the zeros of sine and cosine (Versine, Coversine, Haversine, Exsecans) keep every digit up
// to |x| = 2^63 (whose multiples of pi/2 come closer to a long double than 2^-120).
#include "expr/Float80.h"
#include "expr/TwoFloat80.h"

struct TReducedAngle
{
    unsigned Quadrant = 0; // n mod 4
    TTwoFloat80 R;         // r = x - n * pi/2
};

// x must be finite with |x| <= 2^63.
TReducedAngle ReduceAngle(Float80 x);

// sin and cos of a reduced remainder r (|r| <= pi/4) to about 2^-75 of the value, by their
// series.
TTwoFloat80 SinOfReduced(TTwoFloat80 r);
TTwoFloat80 CosOfReduced(TTwoFloat80 r);
// 1 - cos r, without the cancellation of the difference.
TTwoFloat80 OneMinusCosOfReduced(TTwoFloat80 r);
