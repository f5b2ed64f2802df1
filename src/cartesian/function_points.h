#pragma once
// The points of a y = f(x) function that people draw functions for: its zeros, its local
// minima and maxima and where it meets the graph's other y = f(x) functions, over an
// interval of x, to the last digits the 80-bit values hold.

#include <string>
#include <vector>

#include "cartesian/cartesian_document.h"
#include "expr/analysis.h"
#include "expr/number_format.h"
#include "window/view_mapping.h"

namespace plotix {

// The functions of the graph that compiled and whose class offers the points, as indexes
// into its list.
std::vector<int> PointFunctions(const TGraph2DDoc& doc);
// The points of function `index` (one of PointFunctions) for x from a to b.
TFunctionPoints FindFunctionPoints(const TGraph2DDoc& doc, int index, Extended a, Extended b);
// The function drawn nearest the point (col, row) of the picture and no farther than `reach`
// pixels from it, among the functions the trace follows: a function of x measured along its
// columns, a curve along its trace steps; -1 when none is that near.
int FunctionNear(const TGraph2DDoc& doc, const TMapping2D& map, double col, double row, double reach);
// The points of function `index` (one of PointFunctions) over the visible x range, at most
// `most` of them: those nearest the point (col, row) of the picture, ascending in x.
TFunctionPoints PointsInView(const TGraph2DDoc& doc, int index, const TMapping2D& map, double col, double row,
                             std::size_t most);
// The rows as tab-separated text, a line each: what, x, y, the numbers in their shortest
// exact form (an interval's x as "X1 to X2").
std::string PointsText(const TFunctionPoints& points);
std::string PointKindText(const TFunctionPoint& point);
// The x of a row: the point's, or an interval's as "X1 to X2".
std::string PointXText(const TFunctionPoint& point, int digits);

}  // namespace plotix
