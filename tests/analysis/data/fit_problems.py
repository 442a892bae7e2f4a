#!/usr/bin/env python3
"""Least-squares problems for the fit tests, with answers computed here, outside the program.

Each problem is a data file (fit_NAME.csv, "x,y" and one row per point) and a line of
fit_problems.txt:
    NAME  MODEL  PARAMETERS  START1  START2  VALUES  ERRORS  RSS  TRUE
(tab-separated; lists comma-separated). VALUES are the least-squares answer to 30 digits for
the data exactly as the program reads it: every decimal text rounded to the nearest long
double (hard_numbers.round_rational), then Gauss-Newton in mpmath at 60 digits, with the
Jacobian by mpmath.diff, until the step is below 1e-50. ERRORS are s*sqrt(diag((J^T J)^-1)),
s^2 = RSS/(n - p), at the answer; TRUE the parameters the data were made with. Data without
noise are the model's values to 25 digits; noisy ones add seeded Gaussian noise.

    python3 fit_problems.py     (writes the files beside itself)"""
import os
import random
from fractions import Fraction

import mpmath

from hard_numbers import round_rational

mpmath.mp.dps = 60
HERE = os.path.dirname(os.path.abspath(__file__))


def as_long_double(text):
    q = Fraction(text)
    if q == 0:
        return mpmath.mpf(0)
    man, exp = round_rational(abs(q))
    v = mpmath.mpf(man) * mpmath.mpf(2)**exp
    return v if q > 0 else -v


def exp_decay(x, p):
    return p[0] * mpmath.exp(-p[1] * x)


def rational(x, p):
    return (p[0] + p[1] * x) / (1 + p[2] * x)


def line(x, p):
    return p[0] + p[1] * x


def decay_offset(x, p):
    return p[0] * mpmath.exp(-p[1] * x) + p[2]


def saturation(x, p):
    return p[0] * (1 - mpmath.exp(-p[1] * x))


def peak(x, p):
    return p[0] * mpmath.exp(-((x - p[1]) / p[2])**2) + p[3]


def cubic_far(x, p):
    return p[0] + p[1] * x + p[2] * x * x + p[3] * x * x * x


PROBLEMS = [
    # name, model text, function, parameters, true values, xs, noise sd, start1, start2
    ("line", "a + b*x", line, ["a", "b"], ["1.5", "-0.25"], [i / 4 for i in range(41)], "0.05",
     ["0", "0"], ["1000", "-1000"]),
    ("decay_exact", "a*Exp(-b*x)", exp_decay, ["a", "b"], ["2.5", "0.75"], [i / 8 for i in range(49)], None,
     ["1", "1"], ["10", "0.01"]),
    ("rational_exact", "(a + b*x)/(1 + c*x)", rational, ["a", "b", "c"], ["1.25", "-0.5", "0.375"],
     [i / 8 for i in range(41)], None, ["1", "0", "0"], ["10", "10", "10"]),
    ("decay_noisy", "a*Exp(-b*x) + c", decay_offset, ["a", "b", "c"], ["3", "0.4", "0.5"],
     [i / 4 for i in range(60)], "0.02", ["1", "1", "0"], ["100", "0.01", "-50"]),
    ("saturation_noisy", "a*(1 - Exp(-b*x))", saturation, ["a", "b"], ["240", "0.0005"],
     [float(x) for x in range(75, 800, 30)], "0.1", ["500", "0.0001"], ["250", "0.0005"]),
    ("peak_noisy", "a*Exp(-((x - m)/w)*((x - m)/w)) + c", peak, ["a", "m", "w", "c"], ["4", "2.5", "0.8", "0.3"],
     [i / 10 for i in range(51)], "0.05", ["3", "2", "1", "0"], ["1", "3", "2", "1"]),
    ("cubic_far_noisy", "a + b*x + c*x*x + d*x*x*x", cubic_far, ["a", "b", "c", "d"], ["1", "2", "-0.5", "0.01"],
     [10 + i / 20 for i in range(41)], "0.001", ["0", "0", "0", "0"], ["1000", "-1000", "100", "-10"]),
]


def text(v, digits=25):
    return mpmath.nstr(v, digits, strip_zeros=False, min_fixed=-1000, max_fixed=1000) if v != 0 else "0"


def solve(f, xs, ys, start):
    p = mpmath.matrix([mpmath.mpf(v) for v in start])
    n = len(start)
    for _ in range(100):
        r = mpmath.matrix([f(x, p) - y for x, y in zip(xs, ys)])
        J = mpmath.matrix(len(xs), n)
        for j in range(n):
            for i, x in enumerate(xs):
                def g(t, i=i, j=j, x=x):
                    q = p.copy()
                    q[j] = t
                    return f(x, q)
                J[i, j] = mpmath.diff(g, p[j])
        step = mpmath.lu_solve(J.T * J, J.T * r)
        p = p - step
        if mpmath.norm(step) < mpmath.mpf(10)**-50 * (1 + mpmath.norm(p)):
            break
    r = [f(x, p) - y for x, y in zip(xs, ys)]
    rss = mpmath.fsum(v * v for v in r)
    s2 = rss / (len(xs) - n)
    cov = (J.T * J)**-1
    return p, [mpmath.sqrt(s2 * cov[j, j]) for j in range(n)], rss


def main():
    rng = random.Random(2026)
    rows = []
    for name, model, f, names, true, xs, noise, start1, start2 in PROBLEMS:
        ptrue = [mpmath.mpf(v) for v in true]
        lines = ["x,y"]
        for x in xs:
            y = f(mpmath.mpf(x), ptrue)
            if noise:
                y += mpmath.mpf(rng.gauss(0, float(noise)))
                ytext = text(y, 12)
            else:
                ytext = text(y, 25)
            lines.append("%r,%s" % (x, ytext))
        with open(os.path.join(HERE, "fit_%s.csv" % name), "w") as out:
            out.write("\n".join(lines) + "\n")
        data = [l.split(",") for l in lines[1:]]
        xs_ld = [as_long_double(a) for a, _ in data]
        ys_ld = [as_long_double(b) for _, b in data]
        p, errors, rss = solve(f, xs_ld, ys_ld, true)
        rows.append("\t".join([name, model, ",".join(names), ",".join(start1), ",".join(start2),
                               ",".join(text(v, 30) for v in p), ",".join(text(v, 30) for v in errors),
                               text(rss, 30), ",".join(true)]))
    with open(os.path.join(HERE, "fit_problems.txt"), "w") as out:
        out.write("\n".join(rows) + "\n")


if __name__ == "__main__":
    main()
