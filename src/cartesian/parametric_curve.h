#pragma once
// Tracing a parametric curve x(t), y(t) into bitmap polylines: sampled evenly in t, then
// subdivided where consecutive visible points lie more than a pixel apart, widest gap first,
// up to 16 times the base samples in all; broken where x(t) or y(t) is undefined, and across
// a jump: a gap that three halvings in a row left nearly as wide; clipped to the bitmap.

#include <functional>
#include <span>

#include "cartesian/curve_path.h"

namespace plotix {

constexpr int kParametricBaseSamples = 1000;                        // even steps over the t range
constexpr int kParametricMaxSamples = 16 * kParametricBaseSamples;  // evaluations in all

// One t: the tracer fills t, the evaluator the values and whether each is defined.
struct TParametricSample {
  Extended t = 0;
  Extended x = 0, y = 0;
  bool xDefined = false, yDefined = false;
};

// Evaluates x(t) and y(t) for every sample of the batch.
using TParametricEvaluator = std::function<void(std::span<TParametricSample> batch)>;

// The visible polylines of the curve for t from `from` to `to` (nothing unless from < to).
// The same input gives the same output.
TCurvePath TraceParametricCurve(const TParametricEvaluator& evaluate, Extended from, Extended to,
                                const TMapping2D& map);

}  // namespace plotix
