#pragma once
// The function calculator's algorithm, shared by its dialog and by `plotix --calc`.

#include <string>

#include "expr/graph_scope.h"

namespace plotix {

struct TCalcOutcome {
  enum TField { None, Function, VariableX, VariableZ };
  std::string text;     // what the result field shows
  bool ok = false;      // true for a value, false for any error text
  TField focus = None;  // the field that gets the focus after a failure
};

// Evaluates Y=f(x,z) for the texts of the three fields, reading the names of the scope (a
// graph's parameters like constants, its functions as calls) when there is one; scientific
// picks the exponent form.
TCalcOutcome Calculate(const std::string& function, const std::string& xText, const std::string& zText, bool scientific,
                       TGraphScope* names = nullptr);

}  // namespace plotix
