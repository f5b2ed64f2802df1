#!/usr/bin/env python3
"""Reference values for the analysis tests (tests/expr/analysis_test.cpp), worked out with
mpmath at 50 digits, independently of Plotix. Prints the table rows the test holds."""
from mpmath import mp, mpf, asin, atanh, sqrt, cos, sin, exp, log, tan, sec, acos, findroot, diff, e, pi, atan, cosh, sinh, quad, erf

mp.dps = 50

def s(v):
    return mp.nstr(v, 25, min_fixed=1, max_fixed=0)

zeros = [
    ("x^3-2x", -3, 3, [-sqrt(2), mpf(0), sqrt(2)]),
    ("cos(x)-x", 0, 1, [findroot(lambda x: cos(x) - x, 0.7)]),
    ("exp(x)-3", 0, 2, [log(3)]),
    ("x^5-x-1", 1, 2, [findroot(lambda x: x**5 - x - 1, 1.2)]),
    ("sin(x)", 3, 4, [pi]),
    ("x^2-2x+1", -3, 3, [mpf(1)]),
    ("(x-0.1)^2", -1, 1, [mpf("0.1")]),
    ("exp(-x)-x^2", 0, 1, [findroot(lambda x: exp(-x) - x**2, 0.7)]),
    ("sin(x)^2", 3, 4, [pi]),
    ("(exp(x)-2)^2", 0, 1, [log(2)]),
    ("(x-1)*(x-1.000001)", 0, 3, [mpf(1), mpf("1.000001")]),
    # where x + 10^10 rounds (to steps of 2^-30) past 10^10 + pi/3
    ("x+10^10-10^10-pi/3", 0, 2, [(mp.floor(pi / 3 * 2**30) + mpf(0.5)) / 2**30]),
]
extrema = [
    ("x^3-2x", 0, 2, [("min", sqrt(mpf(2) / 3), -mpf(4) / 3 * sqrt(mpf(2) / 3))]),
    ("x*exp(-x)", 0, 3, [("max", mpf(1), 1 / e)]),
    ("x^4-3x^2+x", -3, 3, [(k, r, r**4 - 3 * r**2 + r) for k, r in
                           [("min", findroot(lambda x: 4 * x**3 - 6 * x + 1, -1.3)),
                            ("max", findroot(lambda x: 4 * x**3 - 6 * x + 1, 0.17)),
                            ("min", findroot(lambda x: 4 * x**3 - 6 * x + 1, 1.13))]]),
    ("abs(x-1/3)", -1, 1, [("min", mpf(1) / 3, mpf(0))]),
]
derivatives = [
    ("sin(x)*exp(x)", 1, e * (sin(1) + cos(1)), 2 * e * cos(1)),
    ("x^x", 2, 4 * (1 + log(2)), 4 * ((1 + log(2))**2 + mpf(1) / 2)),
    ("(x-3)^3", 1, mpf(12), mpf(-12)),
    ("tan(x)", 1, sec(1)**2, 2 * tan(1) * sec(1)**2),
    ("log(x)", 2, 1 / (2 * log(10)), -1 / (4 * log(10))),
    ("arccosh(x)", 2, 1 / sqrt(3), -2 / sqrt(3)**3),
    ("arcsec(x)", 2, diff(lambda x: acos(1 / x), 2), diff(lambda x: acos(1 / x), 2, 2)),
    ("arccot(x)", 0.5, -1 / (1 + mpf("0.25")), diff(lambda x: pi / 2 - atan(x), mpf("0.5"), 2)),
    ("csch(x)+sech(x)", 1, diff(lambda x: 1 / sinh(x) + 1 / cosh(x), 1), diff(lambda x: 1 / sinh(x) + 1 / cosh(x), 1, 2)),
    ("sqrt(x)/x^2", 2, diff(lambda x: sqrt(x) / x**2, 2), diff(lambda x: sqrt(x) / x**2, 2, 2)),
    ("2^x", 3, 8 * log(2), 8 * log(2)**2),
    ("arcsin(x)+arctanh(x)", 0.5, diff(lambda x: asin(x) + atanh(x), mpf("0.5")), diff(lambda x: asin(x) + atanh(x), mpf("0.5"), 2)),
    ("sec(x)+csc(x)", 1, diff(lambda x: sec(x) + 1 / sin(x), 1), diff(lambda x: sec(x) + 1 / sin(x), 1, 2)),
]

integrals = [
    ("exp(x)", "0", "1", e - 1),
    ("sin(x)", "0", "pi", mpf(2)),
    ("1/(1+x^2)", "0", "1", pi / 4),
    ("sqrt(1-x^2)", "-1", "1", pi / 2),
    ("exp(-x^2)", "0", "2", sqrt(pi) / 2 * erf(2)),
    ("abs(x)", "-2", "2", mpf(4)),
    ("sin(x)^2", "0", "10", 5 - sin(20) / 4),
    ("x", "1", "0", -mpf(1) / 2),
    ("1/sqrt(x)", "0", "1", quad(lambda x: 1 / sqrt(x), [0, 1])),
    ("ln(x)", "0", "1", quad(log, [0, 1])),
    ("x^(-0.9)", "0", "1", mpf(10)),
    ("ln(x)/sqrt(x)", "0", "1", quad(lambda x: log(x) / sqrt(x), [0, 1])),
    ("1/sqrt(1-x)", "0", "1", mpf(2)),
    ("1/sqrt(x-1)", "1", "2", mpf(2)),
]

print("// zeros")
for text, a, b, xs in zeros:
    print('{"%s", "%s", "%s", {%s}},' % (text, a, b, ", ".join('"%s"' % s(x) for x in xs)))
print("// extrema")
for text, a, b, points in extrema:
    print('{"%s", "%s", "%s", {%s}},' % (text, a, b, ", ".join('{%s, "%s", "%s"}' % ("true" if k == "max" else "false", s(x), s(y)) for k, x, y in points)))
print("// derivatives")
for text, x, d1, d2 in derivatives:
    print('{"%s", "%s", "%s", "%s"},' % (text, x, s(d1), s(d2)))
print("// integrals")
for text, a, b, v in integrals:
    print('{"%s", "%s", "%s", "%s"},' % (text, a, b, s(v)))
