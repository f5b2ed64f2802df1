#pragma once
// Where the trace stands on a function of a 2D graph, and what its read-out says: a y = f(x)
// function is traced at a pixel column, a parametric curve at one of even steps of t.

#include <QPointF>
#include <QRectF>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "cartesian/cartesian_document.h"
#include "window/view_mapping.h"

namespace plotix {

constexpr int kTraceSteps = 1000;  // a parametric curve's t range in steps

struct TTracePoint {
  bool defined = false;  // the function has a point there
  Extended x = 0, y = 0;
  double col = std::numeric_limits<double>::quiet_NaN();  // the cross-hair's column, unrounded; NaN: none
  std::string text;                                       // the read-out: where, the point and its slope, or the error
};

// Where the function is drawn on the picture: for a function of x at the columns from
// `first` to `last`, for a curve at every trace step; a missing point where it is undefined.
// Rows are kept within ±1e6.
std::vector<std::optional<QPointF>> DrawnPath(const TBaseFunc2DObj& f, const TMapping2D& map, int first, int last);

// The functions the trace follows, as indexes into the graph's list: those that compile of
// the classes that offer it.
std::vector<int> TraceFunctions(const TGraph2DDoc& doc);
// The point of function `index` at a position: a step of t from 0 (t from) to kTraceSteps (t
// to) on a curve (CurveOfT), else a column of the picture (FunctionOfX). The read-out's numbers
// are rounded to `digits` (ReadoutText).
TTracePoint TracePoint(const TGraph2DDoc& doc, int index, int position, const TMapping2D& map, int digits);
// The position on function `index` nearest the point (col, row) of the picture: for a
// function of x its column, for a curve the step whose point is nearest (the middle one when none is
// defined).
int NearestTracePosition(const TGraph2DDoc& doc, int index, double col, double row, const TMapping2D& map);
// The last position on function `index`.
int LastTracePosition(const TGraph2DDoc& doc, int index, const TMapping2D& map);
// The top left corner of a read-out box beside the cross-hair at `at`: below and right of
// it, or on the other side where the part of the picture the window shows ends, and always
// inside that part.
QPointF ReadoutPlace(QPointF at, QSizeF box, const QRectF& shown);

}  // namespace plotix
