#!/usr/bin/env python3
"""The means of the data sets in tests/analysis/test_data_summary.cpp, computed exactly.

Each literal is first rounded to the long double the compiler makes of it (64-bit significand,
to nearest, ties to even), the mean of those values is taken as an exact fraction and rounded
once more the same way; the result is printed as a C hexadecimal literal to paste into the
test. Run: python3 data_summary_references.py
"""
from fractions import Fraction


def round_long_double(value):
    """The long double nearest to a Fraction (normal range), ties to even."""
    if value == 0:
        return Fraction(0)
    sign = -1 if value < 0 else 1
    a = abs(value)
    e = a.numerator.bit_length() - a.denominator.bit_length()
    if Fraction(2) ** e > a:
        e -= 1
    while Fraction(2) ** (e + 1) <= a:
        e += 1
    scaled = a / Fraction(2) ** (e - 63)
    q = scaled.numerator // scaled.denominator
    rest = scaled - q
    if rest > Fraction(1, 2) or (rest == Fraction(1, 2) and q % 2 == 1):
        q += 1
    return sign * q * Fraction(2) ** (e - 63)


def hex_literal(value):
    if value == 0:
        return "0.0L"
    sign = "-" if value < 0 else ""
    a = abs(value)
    e = 0
    while a.denominator != 1 or a.numerator >= 2 ** 64:
        if a.denominator != 1:
            a *= 2
            e -= 1
        else:
            a /= 2
            e += 1
    return "%s0x%XP%dL" % (sign, a.numerator, e)


# y values of the set "decimals of every size" in the test, in its order.
DECIMALS = ["0.1", "123456.789", "-0.000314159265358979", "7e12", "-7e12", "2.5",
            "1e-9", "33.333333333333333333", "-12345678901234567.89", "12345678901234567.89",
            "0.0625", "9.99999999999999999e5"]

if __name__ == "__main__":
    values = [round_long_double(Fraction(d)) for d in DECIMALS]
    print("mean of the decimals:", hex_literal(round_long_double(sum(values) / len(values))))
