#pragma once
// Exact derivatives of a compiled program: forward-mode automatic differentiation, each
// record of the postfix program run on jets (a value with its first and second derivative)
// in extended precision, so a derivative carries no step-size error as a difference
// quotient does. The values are the evaluator's own routines' values.

#include "expr/evaluator.h"

namespace plotix {

// A value and its first and second derivative in the variable differentiated by.
struct TJet {
  Extended v = 0, d1 = 0, d2 = 0;
  int error2 = 0;  // why d2 has no value where v and d1 have one: meDomain or meOverflow
};

// Runs the program with the variable of `slot` at the jet (values[slot], 1, 0) and every
// other slot constant at its value, with the trigonometry fix-up in force. Returns meNone
// with the jet; the value's error, as the evaluator gives it; or, for the first derivative
// (the second's in error2), meDomain where the value exists and the derivative can not be
// taken through the parts (sqrt and abs at 0, the jumps of INT, TRUNC, GRINT, ROUND and
// FRAC, FACT, a power whose exponent varies with a base not above 0, and the ends of the
// inverse functions' domains), meOverflow where it leaves the finite range.
int EvaluateJet(const TPreparedProgram& program, const Extended* values, int slot, TJet& result);

// A derivative and an estimate of its absolute error (0 where the jets give it exactly).
struct TDerivative {
  Extended value = 0, error = 0;
};

// The first or second derivative (order 1 or 2) at values[slot]. Where the jets can not
// take it through a part that has no slope there (x*abs(x) or x^1.5 at 0), it is the limit
// of the jets' derivative beside the point, on each side where the function has values
// and is continuous, extrapolated to the digits the sequence gives: meDomain where the
// sides disagree or have no limit.
int EvaluateDerivative(const TPreparedProgram& program, const Extended* values, int slot, int order,
                       TDerivative& result);

// The value at `values` and a bound on how far the evaluator's roundings may have taken it
// from the exact value of the program at these arguments: each step's own rounding,
// carried through the later steps by their slopes (to first order, so that what moves the
// vertex of (x-1/3)^2 along x is no error of its height). Constants and variables count
// as exact.
// Returns the value's error as the evaluator gives it.
int EvaluateRounding(const TPreparedProgram& program, const Extended* values, Extended& value, Extended& bound);

}  // namespace plotix
