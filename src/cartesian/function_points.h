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

// The functions of the graph that compiled and whose class offers the points, as indexes
// into its list.
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
