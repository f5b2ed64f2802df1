#pragma once
// Tracing an implicit curve F(x, y) = 0 over the view into bitmap polylines: the sign of F
// on a lattice of 8-pixel cells, cells that may hold the curve refined to 1-pixel cells,
// marching squares on those, each crossing placed on its cell edge by root finding, and
// the crossings joined into polylines.
//
// What it cannot draw: a curve where F comes to zero without changing sign, such as
// (x-y)^2 = 0 or x^2+y^2 = 0 (the status says so when nothing else is drawn); a curve in a
// patch where F is defined that holds no corner of the 8-pixel cells; loops and pairs of
// branches less than a pixel across, which may be missed or drawn as one; the last pixel of
// a curve running into a region where F is undefined. A sign change where |F| grows or
// keeps its size, at a pole or a jump, is not a curve.

#include <cstdint>
#include <functional>
#include <span>

#include "cartesian/curve_path.h"

namespace plotix {

constexpr int kImplicitCell = 8;  // pixels on a side of the cells F is first sampled on

// One point: the tracer fills x and y in graph units, the evaluator F and whether it is
// defined there.
struct TImplicitSample {
  Extended x = 0, y = 0;
  Extended f = 0;
  bool defined = false;
};

// Evaluates F for every sample of the batch.
using TImplicitEvaluator = std::function<void(std::span<TImplicitSample> batch)>;

enum TImplicitStatus : std::uint8_t {
  icDrawn,          // the path holds the curve's visible part
  icNothingInView,  // F changes sign in the view only across poles, if at all, or is undefined
  icNotDrawable,    // F comes to zero in the view without changing sign
};

struct TImplicitCurve {
  TImplicitStatus Status = icNothingInView;
  TCurvePath Path;
};

// The visible polylines of F = 0 in the view of the mapping. The same input gives the same
// output.
TImplicitCurve TraceImplicitCurve(const TImplicitEvaluator& evaluate, const TMapping2D& map);

}  // namespace plotix
