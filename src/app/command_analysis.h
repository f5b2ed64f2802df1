#pragma once
// The questions `plotix --calc EXPR` answers about EXPR besides its value: its zeros, its
// extrema and where it meets another expression over an interval, its derivatives and its
// definite integral.

#include <string>

#include "expr/parameters.h"

namespace plotix {

struct TAnalysisRequest {
  enum TQuestion { None, Zeros, Extrema, Intersect, Derivative, Integral } question = None;
  std::string function, function2;  // EXPR and, for Intersect, EXPR2
  std::string aText, bText;         // the interval's ends
  std::string xText = "0", zText = "0";
  int order = 1;  // of the derivative
  TParameterList parameters;
};

// Answers on stdout, one line per point ascending in x, each number with 21 significant
// digits; returns the exit status: 0 (also when nothing is found), 1 with the error text for
// a definition or value with an error, 2 with a message on stderr for an interval that is no
// interval.
int RunAnalysis(const TAnalysisRequest& request);

}  // namespace plotix
