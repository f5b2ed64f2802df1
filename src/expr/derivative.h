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
};

// Runs the program with the variable of `slot` at the jet (values[slot], 1, 0) and every
// other slot constant at its value, with the trigonometry fix-up in force. Returns meNone
// with the jet; the value's error, as the evaluator gives it; or meDomain where the value exists and a derivative does
// not (sqrt and abs at 0, the jumps of INT, TRUNC, GRINT, ROUND and FRAC, FACT, a power
// whose exponent varies with a base not above 0, and the ends of the inverse functions'
// domains), meOverflow where a derivative leaves the finite range.
int EvaluateJet(const TPreparedProgram& program, const Extended* values, int slot, TJet& result);

}  // namespace plotix
