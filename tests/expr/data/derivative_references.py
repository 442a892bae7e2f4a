#!/usr/bin/env python3
# The reference derivatives of tests/expr/test_derivatives.cpp: f'(x) and f''(x) of each
# formula at points that long double holds exactly, by mpmath's numerical differentiation at
# 60 digits (independent of the program's rules), printed to 30 significant digits as the
# rows of the table. Constants that are not dyadic (0.05, 0.5 is) are rounded to the 64-bit
# significand first, as the program reads them.
#   python3 tests/expr/data/derivative_references.py > rows.txt
from mpmath import mp, mpf, sin, cos, tan, cot, sec, csc, exp, log, sqrt, atan, asin, acos, \
    atan2, sinh, cosh, tanh, coth, sech, csch, asinh, acosh, atanh, acoth, acsch, asech, \
    asec, acsc, diff, nstr

mp.dps = 60


def ld(text):
    """The long double nearest to a decimal text."""
    with mp.workprec(64):
        return +mpf(text)


C005 = ld('0.05')

# name, formula as the program reads it, function of x, points
ROWS = [
    ('Sqrt', 'Sqrt(x)', lambda x: sqrt(x), ['0.25', '2', '1e-6', '12345.5']),
    ('Exp', 'Exp(x)', exp, ['-3.5', '0.125', '10', '-40']),
    ('Ln', 'Ln(x)', log, ['0.0078125', '1.5', '3000']),
    ('Power', 'Power(x, 3)', lambda x: x**3, ['-1.25', '0.75', '7']),
    ('Power', 'Power(x, -2)', lambda x: x**-2, ['-1.25', '0.75', '7']),
    ('Power', 'Power(x, 2)', lambda x: x**2, ['-1.25', '3']),
    ('Abs', 'Abs(x)', abs, ['-2.5', '4']),
    ('LogBase10', 'LogBase10(x)', lambda x: log(x, 10), ['0.375', '1000']),
    ('LogBase2', 'LogBase2(x)', lambda x: log(x, 2), ['0.375', '1000']),
    ('LogBaseN', 'LogBaseN(3, x)', lambda x: log(x) / log(3), ['0.375', '20']),
    ('LogBaseN', 'LogBaseN(x, 10)', lambda x: log(10) / log(x), ['0.375', '2.5', '20']),
    ('ArcCos', 'ArcCos(x)', acos, ['-0.875', '0.25', '0.5']),
    ('ArcCot', 'ArcCot(x)', lambda x: atan(1 / x), ['-0.5', '1.75', '100']),
    ('ArcCsc', 'ArcCsc(x)', lambda x: acsc(abs(x)), ['-3', '1.125', '50']),
    ('ArcSec', 'ArcSec(x)', lambda x: asec(abs(x)), ['-3', '1.125', '1.5', '50']),
    ('ArcSin', 'ArcSin(x)', asin, ['-0.875', '0.25', '0.5']),
    ('ArcTan', 'ArcTan(x)', atan, ['-0.5', '1.75', '100']),
    ('ArcTan2', 'ArcTan2(x, 2)', lambda x: atan2(x, 2), ['-3', '0.5']),
    ('ArcTan2', 'ArcTan2(1.5, x)', lambda x: atan2(1.5, x), ['-3', '0.5']),
    ('Cos', 'Cos(x)', cos, ['-2.5', '0.75', '10']),
    ('Cot', 'Cot(x)', cot, ['-2.5', '0.75', '10']),
    ('Coversine', 'Coversine(x)', lambda x: 1 - sin(x), ['-2.5', '0.75']),
    ('Csc', 'Csc(x)', csc, ['-2.5', '0.75', '10']),
    ('Exsecans', 'Exsecans(x)', lambda x: sec(x) - 1, ['-2.5', '0.75']),
    ('Haversine', 'Haversine(x)', lambda x: (1 - cos(x)) / 2, ['-2.5', '0.75']),
    ('Sec', 'Sec(x)', sec, ['-2.5', '0.75', '10']),
    ('Sin', 'Sin(x)', sin, ['-2.5', '0.75', '10']),
    ('Tan', 'Tan(x)', tan, ['-2.5', '0.75', '10']),
    ('Versine', 'Versine(x)', lambda x: 1 - cos(x), ['-2.5', '0.75']),
    ('ArcCosH', 'ArcCosH(x)', acosh, ['1.125', '1.75', '300']),
    ('ArcCotH', 'ArcCotH(x)', acoth, ['-1.5', '1.125', '300']),
    ('ArcCscH', 'ArcCscH(x)', acsch, ['-0.25', '0.75', '1.5', '-300']),
    ('ArcSecH', 'ArcSecH(x)', asech, ['0.125', '0.5', '0.875']),
    ('ArcSinH', 'ArcSinH(x)', asinh, ['-0.25', '1.5', '-300']),
    ('ArcTanH', 'ArcTanH(x)', atanh, ['-0.875', '0.25']),
    ('CosH', 'CosH(x)', cosh, ['-2.5', '0.125', '30']),
    ('CotH', 'CotH(x)', coth, ['-2.5', '0.125', '30']),
    ('CscH', 'CscH(x)', csch, ['-2.5', '0.125', '30']),
    ('SecH', 'SecH(x)', sech, ['-2.5', '0.125', '30']),
    ('SinH', 'SinH(x)', sinh, ['-2.5', '0.125', '30']),
    ('TanH', 'TanH(x)', tanh, ['-2.5', '0.125', '3']),
    # Composite formulas, the bench's among them.
    ('F1', 'Sin(x*0.05)', lambda x: sin(x * C005), ['-7.5', '3.25']),
    ('F2', 'x*x-3*x+2', lambda x: x * x - 3 * x + 2, ['-7.5', '3.25']),
    ('F3', 'Sqrt(Abs(x))*Cos(3*x)+Exp(-x*x)', lambda x: sqrt(abs(x)) * cos(3 * x) + exp(-x * x),
     ['-1.75', '0.625']),
    ('F4', '1/x', lambda x: 1 / x, ['-7.5', '0.375']),
    ('F5', 'Sin(x)/x+Ln(Abs(x)+1)-TanH(x*0.5)*2',
     lambda x: sin(x) / x + log(abs(x) + 1) - tanh(x / 2) * 2, ['-7.5', '1.25']),
    ('quotient', 'Exp(-x*x)/(1+x*x)', lambda x: exp(-x * x) / (1 + x * x), ['-0.75', '1.5']),
    ('chain', 'Sqrt(1+Sin(x)*Sin(x))*Ln(x)', lambda x: sqrt(1 + sin(x)**2) * log(x), ['0.5', '4.25']),
    ('power of x', 'Power(Sin(x), 4)*ArcTan(x)', lambda x: sin(x)**4 * atan(x), ['-1.25', '2']),
    ('nested', 'CosH(TanH(x))/ArcSinH(x+3)', lambda x: cosh(tanh(x)) / asinh(x + 3), ['-1.25', '2']),
]


# Rows whose reference cancels: the terms of F5'' at 1.25 add up to 1/90 of their size, so
# the rounding of each term shows up to 90 times larger in the sum. Their bound in ulps.
BOUNDS = {('F5', '1.25'): 128}


def main():
    for name, formula, f, points in ROWS:
        for p in points:
            x = ld(p)
            d1 = diff(f, x, 1)
            d2 = diff(f, x, 2)
            bound = BOUNDS.get((name, p))
            extra = ', %d' % bound if bound else ''
            print('    {"%s", u"%s", %sL, %sL, %sL%s},' % (name, formula, p, nstr(d1, 30), nstr(d2, 30), extra))


if __name__ == '__main__':
    main()
