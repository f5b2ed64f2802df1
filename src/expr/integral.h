#pragma once
// Definite integrals in extended precision: adaptive 21-point Gauss-Kronrod quadrature with
// the epsilon algorithm's extrapolation over the bisections, after QUADPACK's QAGS, so that
// an integrable singularity at an end or inside (1/sqrt(x) from 0 to 1) is handled and a
// divergent integral is told from a slowly converging one.

#include <functional>

#include "platform/extended.h"

namespace plotix {

// The integrand: false where it has no value (its error code in `error`).
using TIntegrand = std::function<bool(Extended x, Extended& y, int& error)>;

struct TIntegral {
  enum TStatus {
    Converged,   // the value within the error estimate, which meets the accuracy asked
    Inaccurate,  // the best value found, but its estimate is above the accuracy asked
    Divergent,   // no value: the integral grows without bound, or converges far too slowly
    Undefined,   // the integrand has no value at `where` (its error code in `error`)
  } status = Converged;
  Extended value = 0, error = 0;  // the value and an estimate of its absolute error
  Extended where = 0;
  int errorCode = 0;
  int evaluations = 0;
};

// The integral of f from a to b (b < a gives the negative one), to within
// max(absolute, relative * |value|), or what rounding leaves of an integral near 0 (about
// 1e-17 of the integral of |f|).
TIntegral Integrate(const TIntegrand& f, Extended a, Extended b, Extended relative = 1e-17L, Extended absolute = 0);

}  // namespace plotix
