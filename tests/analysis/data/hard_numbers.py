#!/usr/bin/env python3
"""Decimal texts that are hard to round to long double (x87 80-bit: 64-bit significand,
exponents down to the denormal 2^-16445) and the correctly rounded value of each, as an exact
hexadecimal float. Normal results are read by mpmath at 30,000 bits (exactly, for these texts)
and rounded to 64 bits, and must agree with exact rational rounding; denormal ones come from
the rational rounding alone, since mpmath has no denormals.

    python3 hard_numbers.py > hard_numbers.txt
Each output line: DECIMAL<TAB>HEX (HEX is "inf" where the text overflows)."""
import random
from fractions import Fraction

import mpmath

MIN_EXP = -16445  # the smallest denormal is 2^-16445
MAX = Fraction((2**64 - 1) * 2**(16383 - 63))


def exact_decimal(num, den_pow2):
    """num / 2^den_pow2 written out exactly in decimal."""
    if den_pow2 <= 0:
        return str(num * 2**(-den_pow2))
    digits = str(num * 5**den_pow2).rjust(den_pow2 + 1, "0")
    return digits[:-den_pow2] + "." + digits[-den_pow2:]


def round_rational(q):
    """q (>0) rounded to the long double grid, ties to even: (man, exp) or None for overflow."""
    e = q.numerator.bit_length() - q.denominator.bit_length()
    if Fraction(2)**e > q:
        e -= 1
    shift = max(e - 63, MIN_EXP)
    scaled = q / Fraction(2)**shift
    man = scaled.numerator // scaled.denominator
    rest = scaled - man
    if rest > Fraction(1, 2) or (rest == Fraction(1, 2) and man % 2):
        man += 1
    if shift >= MIN_EXP and Fraction(man) * Fraction(2)**shift > MAX:
        return None
    return man, shift


def reference(text):
    q = Fraction(text)
    small = q < Fraction(2)**-16382
    if small:
        r = round_rational(q)
    else:
        with mpmath.workprec(30000):
            wide = mpmath.mpf(text)
        with mpmath.workprec(64):
            v = +wide  # rounded to nearest, ties to even
        sign, man, exp, _ = v._mpf_
        man, exp = int(man), int(exp)
        while man < 2**63:
            man, exp = man * 2, exp - 1
        r = round_rational(q)
        if man * Fraction(2)**exp > MAX:
            assert r is None
            return "inf"
        assert r == (man, exp), text
    if r is None:
        return "inf"
    man, exp = r
    return "0x%xp%d" % (man, exp)


def cases():
    rng = random.Random(33)
    out = []
    # Midpoints between neighbours and texts just above and below them.
    for _ in range(12):
        man = rng.randrange(2**63, 2**64)
        exp = rng.choice([rng.randrange(-80, 80), rng.randrange(-1000, 1000)])
        mid = exact_decimal(2 * man + 1, 1 - exp) if exp < 1 else str((2 * man + 1) * 2**(exp - 1))
        out.append(mid)
        out.append(mid + ("1" if "." in mid else ".0000000000000000000000000000001"))
        lower = Fraction(mid) - Fraction(1, 10**(len(mid) + 5))
        out.append(exact_decimal(lower.numerator * 2**0, 0) if lower.denominator == 1 else
                   "%s" % mpmath.nstr(mpmath.mpf(0), 1) if False else
                   format_fraction(lower))
    # Long texts, the range's ends, denormals.
    out += [
        "0." + "3" * 800,
        "9" * 700 + "e-650",
        "1.18973149535723176502e4932",
        "1.18973149535723176508575932662800702e4932",
        "1.19e4932",
        "3.64519953188247460253e-4951",
        "1.82259976594123730126e-4951",
        "1.82259976594123730127e-4951",
        "2.5e-4951",
        "3.3621031431120935063e-4932",
        "1e-4960",
        "123456789012345678901234567890",
        "0.1",
        "2.2250738585072014e-308",
    ]
    return out


def format_fraction(q):
    """q (with a power-of-ten denominator) as a decimal text."""
    den = q.denominator
    k = 0
    while 10**k % den:
        k += 1
    digits = str(q.numerator * (10**k // den)).rjust(k + 1, "0")
    return digits[:-k] + "." + digits[-k:] if k else digits


if __name__ == "__main__":
    for text in cases():
        print("%s\t%s" % (text, reference(text)))
