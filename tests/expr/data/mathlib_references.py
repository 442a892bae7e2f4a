#!/usr/bin/env python3
# The reference values of tests/expr/test_accuracy.cpp: each function of the formula language
# at long double arguments where formulas lose digits (near the zeros and poles of the
# trigonometric family up to 2^63, tiny and large arguments of the hyperbolic family, next to
# +-1 for the inverse family, integer powers with large exponents) and at random arguments of
# every binade. Arguments are exact long double values, written as hexadecimal literals; each
# value is computed by mpmath at 100 digits, checked against a second run at 150 digits, and
# written as the long double nearest to it (Hi), the rest in units of the last place of the true
# value (LoUlps) and that unit's binary exponent (UlpExp).
#   python3 tests/expr/data/mathlib_references.py > tests/expr/data/MathLibReferences.inc
import random

from mpmath import mp, mpf, sin, cos, tan, sinh, cosh, tanh, exp, log, sqrt, atan, atan2, \
    asin, acos, asinh, acosh, atanh, floor, pi, nint, frexp, ldexp, workdps

EMIN = -16382          # the smallest normal binade of long double
EMAX = 16383           # the largest
P = 64                 # significand bits
QMIN = EMIN - (P - 1)  # the exponent of the smallest subnormal

import sys
mp.dps = 60
rng = random.Random(int(sys.argv[1]) if len(sys.argv) > 1 else 31)


def binade(v):
    """e with 2^e <= |v| < 2^(e+1)."""
    return int(frexp(v)[1]) - 1


def ulp_exp(v):
    """The exponent of the unit in the last place of the binade holding v (subnormal below)."""
    if v == 0:
        return QMIN
    return max(binade(v) - (P - 1), QMIN)


def rnd(v):
    """v rounded to the nearest long double, or None when that overflows."""
    v = mpf(v)
    if v == 0:
        return mpf(0)
    q = ulp_exp(v)
    n = nint(ldexp(v, -q))
    r = ldexp(n, q)
    if abs(r) >= ldexp(1, EMAX + 1):
        return None
    return r


def ld(text):
    with workdps(60):
        return rnd(mpf(text))


def step(x, k):
    """k long double steps from x (within x's binade; exact values in any case)."""
    return rnd(x + k * ldexp(1, ulp_exp(x)))


def hexld(x):
    if x == 0:
        return '0.0L'
    q = ulp_exp(x)
    n = int(ldexp(x, -q))
    while n % 2 == 0 and n != 0:
        n //= 2
        q += 1
    return '%s0x%Xp%dL' % ('-' if n < 0 else '', abs(n), q)


def two_pow(e):
    return ldexp(mpf(1), e)


def random_in(lo, hi):
    """A random long double in [lo, hi)."""
    return rnd(lo + (hi - lo) * mpf(rng.getrandbits(64)) / two_pow(64))


def per_binade(e_lo, e_hi, count=1, signs=(1,)):
    out = []
    for e in range(e_lo, e_hi):
        for _ in range(count):
            for s in signs:
                out.append(s * random_in(two_pow(e), two_pow(e + 1)))
    return out


def near(x, ks=(-2, -1, 0, 1, 2)):
    return [step(x, k) for k in ks]


# ---- argument sets ----

PI = ldexp(mpf(0xC90FDAA22168C236), -62)  # the formula constant Pi, one step above nearest pi


def trig_args():
    xs = []
    with workdps(120):
        ks = [1, 2, 3, 4, 5, 6, 7, 8, 11, 100, 101, 1000, 10**4 + 1, 10**5, 10**6 + 3, 10**7,
              10**8 + 1, 10**9, 10**10 + 7, 10**11, 10**12]
        ks += [rng.randrange(10**6, 10**12) for _ in range(6)]
        for k in ks:
            xs += near(rnd(k * pi / 2))
        for k in (1, 2, 3, 1000):
            xs += near(rnd(-k * pi / 2), (-1, 0, 1))
    xs += [PI, 2 * PI, PI / 2, -PI, two_pow(63), -two_pow(63), step(two_pow(63), -1),
           ld('1e18'), ld('1e17'), ld('1.2345e15'), two_pow(62), two_pow(53) + 1, ld('1e-10'),
           ld('1e-19'), ld('1e-30'), ld('1e-300'), ld('1e-4000'), ld('-1e-4000'), ld('0.5'), mpf(1)]
    xs += per_binade(-30, 63)
    xs += [random_in(-10, 10) for _ in range(12)]
    return xs


def hyperbolic_args():
    xs = [ld(t) for t in ('1e-30', '6e-30', '1e-50', '1e-100', '1e-300', '1e-1000', '1e-4000',
                          '1e-18', '1.1e-18', '1.2e-18', '1e-10', '1e-5', '1e-3', '0.5', '1',
                          '20', '22.5', '23', '40', '100', '1000', '5000', '5678', '11000',
                          '11356', '1e-21', '1e-22')]
    xs += [-x for x in xs]
    xs += per_binade(-70, 13, signs=(1, -1))
    return xs


def unit_neighbours(sign=1, above=True):
    """Arguments next to sign*1, on the side given."""
    one = mpf(sign)
    d = 1 if above else -1
    xs = [step(one, d * sign * k) if above else rnd(one - sign * k * ldexp(1, -64))
          for k in (1, 2, 3, 10, 1000)]
    xs += [rnd(one + d * sign * two_pow(-k)) for k in (5, 10, 20, 30, 40, 50, 60)]
    return xs


def wide_args(signs=(1, -1)):
    xs = []
    for e in range(-16380, 16380, 611):
        for s in signs:
            xs.append(s * random_in(two_pow(e), two_pow(e + 1)))
    return xs


def args_sqrt():
    return [ld('2'), ld('0.5'), ld('1e-4000'), ld('1e4000'), mpf(0)] + per_binade(-20, 20)


def args_exp():
    xs = [ld(t) for t in ('9610', '1', '-1', '1e-30', '-1e-30', '0.5', '100', '-100', '1000',
                          '11356', '11356.5', '-11355', '-11400', '-11440', '709.78', '-745',
                          '-20000')]
    xs += [random_in(-11400, 11356) for _ in range(40)]
    xs += per_binade(-40, 13, signs=(1, -1))
    return xs


def args_log():
    xs = unit_neighbours(1, True) + unit_neighbours(1, False)
    xs += [ld(t) for t in ('1000', '10', '0.1', '1e-4000', '1e4900', '2', '8', '3', '0.75')]
    xs += wide_args(signs=(1,))
    xs += per_binade(-10, 10)
    return xs


def args_inv_sin():
    xs = unit_neighbours(1, False) + unit_neighbours(-1, False)
    xs += [ld(t) for t in ('1e-30', '-1e-4000', '0.5', '-0.5', '1', '-1', '0.9', '0')]
    xs += [random_in(-1, 1) for _ in range(30)]
    xs += per_binade(-40, 0, signs=(1, -1))
    return xs


def args_all_real():
    xs = [ld(t) for t in ('1e-30', '-1e-4000', '1e25', '-1e25', '1e4900', '0.5', '1', '-1',
                          '1e10', '-1e10', '1e-4940', '1e3000')]
    xs += wide_args()
    xs += per_binade(-30, 40, signs=(1, -1))
    return xs


def args_outside_one():
    """|x| >= 1: the inverse secant and cosecant family."""
    xs = unit_neighbours(1, True) + unit_neighbours(-1, True) + [mpf(1), mpf(-1)]
    xs += [ld(t) for t in ('2', '-2', '1e10', '1e25', '-1e25', '5e24', '1e100', '1e2000',
                           '1e4900', '-1e4900', '1.5')]
    xs += per_binade(0, 70, signs=(1, -1))
    xs += [x for x in wide_args() if abs(x) > 1]
    return xs


def args_acosh():
    xs = unit_neighbours(1, True) + [mpf(1)]
    xs += [ld(t) for t in ('1.5', '2', '1e10', '1e100', '1e4900')]
    xs += per_binade(0, 70)
    xs += [x for x in wide_args(signs=(1,)) if x > 1]
    return xs


def args_atanh():
    xs = unit_neighbours(1, False) + unit_neighbours(-1, False)
    xs += [ld(t) for t in ('1e-30', '-1e-4000', '0.5', '-0.5', '1e-10')]
    xs += per_binade(-70, 0, signs=(1, -1))
    return xs


def args_acsch():
    xs = [ld(t) for t in ('1e-30', '-1e-30', '1e-4000', '1e-22', '1', '-1', '1e22', '-1e22',
                          '1e4000', '0.5')]
    xs += per_binade(-70, 70, signs=(1, -1))
    xs += wide_args()
    return xs


def args_asech():
    xs = unit_neighbours(1, False)
    xs += [ld(t) for t in ('1e-30', '1e-4000', '0.5', '1e-10', '0.999')]
    xs += [mpf(1)]
    xs += per_binade(-70, 0)
    return xs


def args_acoth():
    return [x for x in args_outside_one() if abs(x) != 1]


def pairs_atan2():
    ps = [(mpf(1), mpf(0)), (mpf(0), mpf(-1)), (mpf(-1), mpf(-1)), (ld('1e-30'), mpf(-1)),
          (ld('-1e-30'), mpf(-1)), (mpf(1), ld('1e-4000')), (ld('1e-4000'), ld('1e4000')),
          (mpf(0), mpf(1)), (ld('3'), ld('-4'))]
    for _ in range(60):
        y = random_in(-1, 1) * two_pow(rng.randrange(-60, 60))
        x = random_in(-1, 1) * two_pow(rng.randrange(-60, 60))
        ps.append((rnd(y), rnd(x)))
    return ps


def pairs_logn():
    ps = [(mpf(2), mpf(8)), (mpf(10), mpf(1000)), (ld('10'), ld('0.001')), (mpf(3), mpf(81)),
          (rnd(1 + two_pow(-30)), mpf(2)), (ld('0.5'), ld('3')), (ld('3'), rnd(1 + two_pow(-40))),
          (ld('1e-4000'), ld('1e4000')), (ld('7'), step(mpf(1), -1))]
    for _ in range(40):
        b = rnd(random_in(0, 4) * two_pow(rng.randrange(-100, 100)))
        x = rnd(random_in(0, 4) * two_pow(rng.randrange(-16000, 16000)))
        if b > 0 and b != 1 and x > 0:
            ps.append((b, x))
    return ps


def pairs_power():
    ps = [(ld('1.0000001'), 1000000), (mpf(2), 3), (mpf(3), 40), (ld('1.1'), 7000),
          (ld('0.9'), 200000), (ld('-1.5'), 101), (ld('-1.5'), -101), (mpf(10), -4000),
          (ld('1e-300'), -16), (mpf(2), -2), (ld('0.9'), 2000000000), (ld('1.0000000001'), 2**31 - 1),
          (ld('-0.99999999'), -2**31), (mpf(7), 5000), (ld('1e-4000'), 1), (mpf(3), -10000)]
    for _ in range(80):
        b = random_in(mpf('0.25'), 4)
        if rng.random() < 0.3:
            b = -b
        lb = abs(float(log(abs(b), 2))) or 1e-9
        top = min(2**31 - 1, int(16000 / lb))
        n = rng.randrange(1, top + 1)
        ps.append((b, -n if rng.random() < 0.4 else n))
    for _ in range(20):
        b = rnd(1 + (random_in(-1, 1)) * two_pow(-rng.randrange(10, 40)))
        ps.append((b, rng.randrange(-2**31, 2**31)))
    return ps


# ---- the functions, as defined mathematically; None where undefined or out of range ----

def sin2half(x):
    return sin(x / 2) ** 2


def exp_overflows(x):
    return exp(abs(x)) >= ldexp(1, EMAX + 1)


# The ends of the range: the largest value, the smallest normal and the smallest subnormal.
EXTREMES = [s * v for v in (ldexp(2**64 - 1, EMAX - 63), ldexp(1, EMIN), ldexp(1, QMIN)) for s in (1, -1)]


def within_max_angle(f):
    return lambda x: f(x) if abs(x) <= two_pow(63) else None


def guard(cond, f):
    return (lambda *a: f(*a) if cond(*a) else None)


UNARY = [
    ('Sqrt', args_sqrt, guard(lambda x: x >= 0, sqrt)),
    ('Exp', args_exp, guard(lambda x: abs(x) < mpf('8e4931'), exp)),  # x*log2 e overflows beyond
    ('Ln', args_log, guard(lambda x: x > 0, log)),
    ('Abs', lambda: [ld('-2.5'), ld('1e-4000'), mpf(0)], abs),
    ('LogBase10', args_log, guard(lambda x: x > 0, lambda x: log(x) / log(10))),
    ('LogBase2', args_log, guard(lambda x: x > 0, lambda x: log(x) / log(2))),
    ('ArcCos', args_inv_sin, guard(lambda x: abs(x) <= 1, acos)),
    ('ArcCot', args_all_real, guard(lambda x: x != 0, lambda x: atan(1 / x))),
    ('ArcCsc', args_outside_one, guard(lambda x: abs(x) > 1, lambda x: asin(1 / abs(x)))),
    ('ArcSec', args_outside_one, guard(lambda x: abs(x) >= 1, lambda x: acos(1 / abs(x)))),
    ('ArcSin', args_inv_sin, guard(lambda x: abs(x) <= 1, asin)),
    ('ArcTan', args_all_real, atan),
    ('Cos', trig_args, within_max_angle(cos)),
    ('Cot', trig_args, within_max_angle(guard(lambda x: x != 0, lambda x: cos(x) / sin(x)))),
    ('Coversine', trig_args, within_max_angle(lambda x: 1 - sin(x))),
    ('Csc', trig_args, within_max_angle(guard(lambda x: x != 0, lambda x: 1 / sin(x)))),
    ('Exsecans', trig_args, within_max_angle(lambda x: 2 * sin2half(x) / cos(x))),
    ('Haversine', trig_args, within_max_angle(sin2half)),
    ('Sec', trig_args, within_max_angle(lambda x: 1 / cos(x))),
    ('Sin', trig_args, within_max_angle(sin)),
    ('Tan', trig_args, within_max_angle(tan)),
    ('Versine', trig_args, within_max_angle(lambda x: 2 * sin2half(x))),
    ('ArcCosH', args_acosh, guard(lambda x: x >= 1, acosh)),
    ('ArcCotH', args_acoth, guard(lambda x: abs(x) > 1, lambda x: atanh(1 / x))),
    ('ArcCscH', args_acsch, guard(lambda x: x != 0, lambda x: asinh(1 / x))),
    ('ArcSecH', args_asech, guard(lambda x: 0 < x <= 1, lambda x: acosh(1 / x))),
    ('ArcSinH', args_all_real, asinh),
    ('ArcTanH', args_atanh, guard(lambda x: abs(x) < 1, atanh)),
    ('CosH', hyperbolic_args, guard(lambda x: not exp_overflows(x), cosh)),
    ('CotH', hyperbolic_args, guard(lambda x: x != 0, lambda x: 1 / tanh(x))),
    ('CscH', hyperbolic_args, guard(lambda x: x != 0 and not exp_overflows(x), lambda x: 1 / sinh(x))),
    ('SecH', hyperbolic_args, guard(lambda x: not exp_overflows(x), lambda x: 1 / cosh(x))),
    ('SinH', hyperbolic_args, guard(lambda x: not exp_overflows(x), sinh)),
    ('TanH', hyperbolic_args, tanh),
]

BINARY = [
    ('Power', pairs_power, lambda b, n: None if (b == 0 and n < 0) else b ** int(n)),
    ('LogBaseN', pairs_logn, lambda b, x: log(x) / log(b)),
    ('ArcTan2', pairs_atan2, lambda y, x: atan2(y, x)),
]


def evaluate(f, args):
    with workdps(100):
        v1 = f(*args)
    if v1 is None:
        return None
    with workdps(150):
        v2 = f(*args)
        if v2 != 0 and abs(v1 - v2) > abs(v2) * ldexp(1, -200):
            raise RuntimeError('reference not settled: %r %r' % (args, v2))
        return v2


def row(name, args, v):
    with workdps(150):
        hi = rnd(v)
        if hi is None:
            return None  # the true value is beyond the long double range
        q = ulp_exp(v)
        lo = (v - hi) / ldexp(1, q)
        a = [hexld(x) for x in args] + ['0.0L'] * (2 - len(args))
        return '{"%s", %s, %s, %s, %.6f, %d},' % (name, a[0], a[1], hexld(hi), float(lo), q)


def main():
    mp.dps = 60
    print('// Generated by mathlib_references.py; do not edit.')
    print('// Function, arguments, Hi, LoUlps, UlpExp: the true value is Hi + LoUlps * 2^UlpExp.')
    for name, argset, f in UNARY:
        seen = set()
        for x in argset() + EXTREMES:
            if x is None or x in seen:
                continue
            seen.add(x)
            v = evaluate(f, (x,))
            if v is not None:
                r = row(name, (x,), v)
                if r:
                    print(r)
    for name, argset, f in BINARY:
        seen = set()
        for a, b in argset():
            if a is None or b is None or (a, b) in seen:
                continue
            seen.add((a, b))
            v = evaluate(f, (a, b))
            if v is not None:
                r = row(name, (a, mpf(b)), v)
                if r:
                    print(r)


if __name__ == '__main__':
    main()
