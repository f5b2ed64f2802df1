#pragma once
// The points of a y = f(x) function that people draw functions for: its zeros, its local
// minima and maxima and where it meets the graph's other y = f(x) functions, over an
// interval of x, to the last digits the 80-bit values hold.

#include <string>
#include <vector>

#include "cartesian/cartesian_document.h"
#include "expr/analysis.h"
#include "expr/number_format.h"

namespace plotix {

struct TFunctionPoint {
  enum TKind { Zero, ZeroInterval, Minimum, Maximum, Intersection } kind = Zero;
  Extended x = 0, y = 0;
  Extended to = 0;    // where a ZeroInterval ends
  std::string other;  // the function an Intersection is with, by name
};

struct TFunctionPoints {
  std::vector<TFunctionPoint> rows;  // ascending in x
  bool more = false;                 // a search found more than it keeps
};

// Function `index` of the graph's list, a y = f(x) one, as a function of x at the parameters'
// values.
TFunctionOfX FunctionOfX(const TGraph2DDoc& doc, int index);
// The y = f(x) functions of the graph that compiled, as indexes into its list.
std::vector<int> PointFunctions(const TGraph2DDoc& doc);
// The points of function `index` (one of PointFunctions) for x from a to b.
TFunctionPoints FindFunctionPoints(const TGraph2DDoc& doc, int index, Extended a, Extended b);
// The rows as tab-separated text, a line each: what, x, y, the numbers in their shortest
// exact form (an interval's x as "X1 to X2").
std::string PointsText(const TFunctionPoints& points);
std::string PointKindText(const TFunctionPoint& point);
// The x of a row: the point's, or an interval's as "X1 to X2".
std::string PointXText(const TFunctionPoint& point, int digits);

}  // namespace plotix
