#!/usr/bin/env python3
"""References for the interval tests (tests/expr/test_interval*.cpp), computed with mpmath.

Writes two files beside this script:
  outward_rounding.txt   a OP b  with the exact result rounded down and up to 64 bits
                         ("add|sub|mul|div a b down up", hexadecimal significand*2^exponent)
  enclosure_points.txt   "Name lo hi x value": a box [lo, hi] of a library function, a point x in
                         it and the function's exact value at x to 40 digits (for Power the
                         exponent is the second number column of the box line's name:
                         "Power:n"; for LogBaseN "LogBaseN:base"; for ArcTan2 "ArcTan2:y", the
                         box being x's).
Every number is a long double given exactly; the script is deterministic (fixed seed).
Run: python3 interval_references.py
"""
import os
import random

import mpmath
from mpmath import mp, mpf

mp.prec = 200
HERE = os.path.dirname(os.path.abspath(__file__))
rng = random.Random(20240532)


def ld(x):
    """x rounded to nearest to a long double (64-bit significand), as an mpf."""
    return mpmath.mpf(mpmath.fadd(x, 0, prec=64, rounding='n'))


def hexld(x):
    """Exact text of a 64-bit-significand number that strtold reads back exactly."""
    x = mpf(x)
    if x == 0:
        return "0x0p+0"
    man, exp = mpmath.frexp(x)  # x = man * 2^exp, 0.5 <= |man| < 1
    m = int(mpmath.ldexp(man, 64))
    e = int(exp) - 64
    assert mpmath.ldexp(m, e) == x, x
    sign = "-" if m < 0 else ""
    return "%s0x%xp%+d" % (sign, abs(m), e)


def random_ld(lo_exp, hi_exp):
    m = rng.getrandbits(64) | (1 << 63)
    e = rng.randint(lo_exp, hi_exp) - 64
    s = -1 if rng.random() < 0.5 else 1
    return mpmath.ldexp(s * m, e)


def short_ld(lo_exp, hi_exp, bits):
    """A number with few significant bits, so that sums and products are often exact."""
    m = rng.getrandbits(bits) | (1 << (bits - 1))
    e = rng.randint(lo_exp, hi_exp) - bits
    s = -1 if rng.random() < 0.5 else 1
    return mpmath.ldexp(s * m, e)


def write_rounding():
    ops = {
        "add": mpmath.fadd,
        "sub": mpmath.fsub,
        "mul": mpmath.fmul,
        "div": mpmath.fdiv,
    }
    lines = []
    for i in range(400):
        if i % 3 == 0:
            a, b = short_ld(-40, 40, 20), short_ld(-40, 40, 20)
        elif i % 3 == 1:
            a, b = random_ld(-30, 30), random_ld(-30, 30)
        else:  # far apart or near cancellation
            a = random_ld(-200, 200)
            b = -a * (1 + mpmath.ldexp(rng.randint(-5, 5), -60)) if rng.random() < 0.5 else random_ld(-200, 200)
            b = ld(b)
        for name, op in ops.items():
            down = op(a, b, prec=64, rounding='f')
            up = op(a, b, prec=64, rounding='c')
            lines.append("%s %s %s %s %s" % (name, hexld(a), hexld(b), hexld(down), hexld(up)))
    with open(os.path.join(HERE, "outward_rounding.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")


def sec(x):
    return 1 / mpmath.cos(x)


def csc(x):
    return 1 / mpmath.sin(x)


# name: (exact function, ranges for the box ends). The ranges keep the ends where the
# library's routines are accurate today and the function is not near a zero.
UNARY = {
    "Sqrt": (mpmath.sqrt, [(0.1, 1e6)]),
    "Exp": (mpmath.exp, [(-100, 100)]),
    "Ln": (mpmath.ln, [(1.5, 1e6), (1e-6, 0.6)]),
    "Abs": (abs, [(-10, 10)]),
    "LogBase10": (mpmath.log10, [(1.5, 1e6), (1e-6, 0.6)]),
    "LogBase2": (lambda x: mpmath.log(x, 2), [(1.5, 1e6), (1e-6, 0.6)]),
    "ArcCos": (mpmath.acos, [(-0.9, 0.9)]),
    "ArcCot": (lambda x: mpmath.atan(1 / x), [(0.1, 100), (-100, -0.1)]),
    "ArcCsc": (lambda x: mpmath.asin(1 / abs(x)), [(1.1, 2.5), (-2.5, -1.1)]),
    "ArcSec": (lambda x: mpmath.acos(1 / abs(x)), [(1.1, 100), (-100, -1.1)]),
    "ArcSin": (mpmath.asin, [(0.1, 0.9), (-0.9, -0.1)]),
    "ArcTan": (mpmath.atan, [(-100, 100)]),
    "Cos": (mpmath.cos, [(-20, 20)]),
    "Cot": (mpmath.cot, [(-20, 20)]),
    "Coversine": (lambda x: 1 - mpmath.sin(x), [(-20, 20)]),
    "Csc": (csc, [(-20, 20)]),
    "Exsecans": (lambda x: sec(x) - 1, [(-20, 20)]),
    "Haversine": (lambda x: (1 - mpmath.cos(x)) / 2, [(-20, 20)]),
    "Sec": (sec, [(-20, 20)]),
    "Sin": (mpmath.sin, [(-20, 20)]),
    "Tan": (mpmath.tan, [(-20, 20)]),
    "Versine": (lambda x: 1 - mpmath.cos(x), [(-20, 20)]),
    "ArcCosH": (mpmath.acosh, [(1.5, 1e6)]),
    "ArcCotH": (mpmath.acoth, [(1.5, 100), (-100, -1.5)]),
    "ArcCscH": (mpmath.acsch, [(0.5, 100), (-100, -0.5)]),
    "ArcSecH": (mpmath.asech, [(0.1, 0.9)]),
    "ArcSinH": (mpmath.asinh, [(0.5, 1e6), (-2, -0.5)]),
    "ArcTanH": (mpmath.atanh, [(0.3, 0.9), (-0.9, -0.3)]),
    "CosH": (mpmath.cosh, [(-50, 50)]),
    "CotH": (mpmath.coth, [(0.5, 50), (-50, -0.5)]),
    "CscH": (mpmath.csch, [(0.5, 50), (-50, -0.5)]),
    "SecH": (mpmath.sech, [(-50, 50)]),
    "SinH": (mpmath.sinh, [(0.5, 50), (-50, -0.5)]),
    "TanH": (mpmath.tanh, [(0.5, 50), (-50, -0.5)]),
}
PERIODIC = {"Cos", "Cot", "Coversine", "Csc", "Exsecans", "Haversine", "Sec", "Sin", "Tan", "Versine"}


def uniform_ld(lo, hi):
    if lo > 0 and hi / lo > 100:  # spread over the binades
        return ld(mpmath.exp(rng.uniform(mpmath.log(lo), mpmath.log(hi))))
    return ld(mpf(rng.uniform(lo, hi)))


def box_in(lo, hi, f, periodic):
    while True:
        a, b = sorted([uniform_ld(lo, hi), uniform_ld(lo, hi)])
        if periodic and rng.random() < 0.5:  # narrow boxes too, between poles and extrema
            b = ld(a + mpf(rng.uniform(0.001, 0.5)))
        if a == b:
            continue
        try:
            ends = [f(a), f(b)]
        except (ZeroDivisionError, ValueError):
            continue
        if all(abs(v) > 0.01 for v in ends):
            return a, b


def points_in(a, b, count):
    return [a, b] + [ld(a + (b - a) * mpf(rng.random())) for _ in range(count - 2)]


def write_enclosures():
    lines = []
    for name, (f, ranges) in UNARY.items():
        for k in range(6):
            lo, hi = ranges[k % len(ranges)]
            a, b = box_in(lo, hi, f, name in PERIODIC)
            for x in points_in(a, b, 5):
                try:
                    v = f(x)
                except (ZeroDivisionError, ValueError):
                    continue
                lines.append("%s %s %s %s %s" % (name, hexld(a), hexld(b), hexld(x), mpmath.nstr(v, 40)))
    for k in range(12):  # Power(base, n) over bases, n fixed
        n = rng.randint(-12, 12)
        a, b = sorted([ld(mpf(rng.uniform(-3, 3))), ld(mpf(rng.uniform(-3, 3)))])
        for x in points_in(a, b, 5):
            if x == 0 and n < 0:
                continue
            lines.append("Power:%d %s %s %s %s" % (n, hexld(a), hexld(b), hexld(x), mpmath.nstr(x ** n, 40)))
    for k in range(12):  # LogBaseN(base, x) over x, the base fixed
        base = ld(mpf(rng.choice([rng.uniform(1.5, 10), rng.uniform(0.1, 0.7)])))
        a, b = sorted([uniform_ld(0.1, 100), uniform_ld(0.1, 100)])
        for x in points_in(a, b, 5):
            lines.append("LogBaseN:%s %s %s %s %s" % (hexld(base), hexld(a), hexld(b), hexld(x),
                                                      mpmath.nstr(mpmath.log(x) / mpmath.log(base), 40)))
    for k in range(12):  # ArcTan2(y, x) over x, y fixed
        y = ld(mpf(rng.uniform(-5, 5)))
        a, b = sorted([ld(mpf(rng.uniform(-5, 5))), ld(mpf(rng.uniform(-5, 5)))])
        for x in points_in(a, b, 5):
            lines.append("ArcTan2:%s %s %s %s %s" % (hexld(y), hexld(a), hexld(b), hexld(x),
                                                     mpmath.nstr(mpmath.atan2(y, x), 40)))
    with open(os.path.join(HERE, "enclosure_points.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    write_rounding()
    write_enclosures()
