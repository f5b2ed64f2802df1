#include "expr/extrapolation.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace plotix {

namespace {
constexpr Extended kEps = LDBL_EPSILON;
constexpr std::size_t kMaxTable = 50;  // of the diagonal
}  // namespace

void TExtrapolation::Add(Extended term, Extended& limit, Extended& error) {
  ++terms_;
  std::vector<Extended> next{term};
  limit = term;
  Extended best = LDBL_MAX;
  for (std::size_t k = 0; k < diagonal_.size(); ++k) {
    const Extended delta = next[k] - diagonal_[k];
    if (fabsl(delta) <= kEps * std::max(fabsl(next[k]), fabsl(diagonal_[k]))) {
      // Two equal neighbours: the column has converged to them.
      if (k % 2 == 0 && fabsl(delta) < best) limit = next[k], best = fabsl(delta);
      break;
    }
    next.push_back((k == 0 ? 0 : diagonal_[k - 1]) + 1 / delta);
    if (k % 2 == 1) {  // next[k + 1] is an estimate of the limit
      const Extended change = fabsl(next[k + 1] - next[k - 1]) + fabsl(next[k + 1] - diagonal_[k - 1]);
      if (change < best) limit = next[k + 1], best = change;
    }
  }
  if (next.size() > kMaxTable) next.resize(kMaxTable);
  diagonal_ = std::move(next);
  // The estimate: how far the limit is from the last three limits.
  error = LDBL_MAX;
  if (limits_.size() == 3) error = fabsl(limit - limits_[0]) + fabsl(limit - limits_[1]) + fabsl(limit - limits_[2]);
  limits_.push_back(limit);
  if (limits_.size() > 3) limits_.erase(limits_.begin());
  if (error < LDBL_MAX) error = std::max(error, 5 * kEps * fabsl(limit));
}

}  // namespace plotix
