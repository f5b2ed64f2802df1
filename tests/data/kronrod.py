#!/usr/bin/env python3
"""The nodes and weights of the 10-point Gauss and 21-point Kronrod rules on [-1, 1], worked
out from their definitions with mpmath at 60 digits: the Gauss nodes are the roots of the
Legendre polynomial P10; the Kronrod nodes add the roots of the Stieltjes polynomial E11, the
monic odd polynomial of degree 11 with the integral of E11 P10 x^k zero for k < 11; the
weights make each rule exact for the most powers of x. Prints the tables of
src/expr/integral.cpp (non-negative nodes, descending, Gauss ones at the odd places)."""
from mpmath import mp, mpf, matrix, lu_solve, legendre, polyroots, diff, quad

mp.dps = 60

def integral(coeffs):  # coefficients of x^0.. on [-1, 1]
    return sum(c * (mpf(2) / (k + 1) if k % 2 == 0 else 0) for k, c in enumerate(coeffs))

# P10 in powers of x.
p10 = [mpf(0)] * 11
from mpmath import binomial
for k in range(0, 6):
    p10[10 - 2 * k] = (-1) ** k * binomial(10, k) * binomial(20 - 2 * k, 10) / mpf(2) ** 10
def mul(a, b):
    out = [mpf(0)] * (len(a) + len(b) - 1)
    for i, x in enumerate(a):
        for j, y in enumerate(b):
            out[i + j] += x * y
    return out
# E11 = x^11 + c9 x^9 + ... + c1 x, orthogonal to P10 x^k for odd k < 11.
unknown = [1, 3, 5, 7, 9]
rows, rhs = [], []
for k in [1, 3, 5, 7, 9]:
    xk = [mpf(0)] * k + [mpf(1)]
    base = mul(p10, xk)
    rows.append([integral(mul(base, [mpf(0)] * j + [mpf(1)])) for j in unknown])
    rhs.append(-integral(mul(base, [mpf(0)] * 11 + [mpf(1)])))
c = lu_solve(matrix(rows), matrix(rhs))
e11 = [mpf(0)] * 12
e11[11] = mpf(1)
for j, v in zip(unknown, c):
    e11[j] = v
kronrod = [r.real for r in polyroots(list(reversed(e11)), maxsteps=200, extraprec=200)]
gauss = [r.real for r in polyroots(list(reversed(p10)), maxsteps=200, extraprec=200)]
nodes = sorted([x for x in kronrod + gauss if x >= -mpf(10) ** -40], reverse=True)
nodes = [x if abs(x) > mpf(10) ** -40 else mpf(0) for x in nodes]
# Kronrod weights: exact for x^0, x^2, ..., x^20 with symmetric nodes.
rows = [[(2 * x ** k if x != 0 else (1 if k == 0 else 0)) for x in nodes] for k in range(0, 21, 2)]
rhs = [mpf(2) / (k + 1) for k in range(0, 21, 2)]
wk = lu_solve(matrix(rows), matrix(rhs))
dp10 = lambda x: sum(k * p10[k] * x ** (k - 1) for k in range(1, 11))
wg = [2 / ((1 - x * x) * dp10(x) ** 2) for x in nodes[1::2]]

fmt = lambda v: mp.nstr(v, 36, min_fixed=-1, max_fixed=1) + "L"
print("nodes:", ", ".join(fmt(x) for x in nodes))
print("kronrod:", ", ".join(fmt(w) for w in wk))
print("gauss:", ", ".join(fmt(w) for w in wg))
