#pragma once
// Wynn's epsilon algorithm: the limit of a sequence that converges like a sum of geometric
// terms (the sums of an integral's pieces near a singularity, a derivative beside a point
// where it has to be taken as a limit), whatever their ratios, from a few of its terms.

#include <vector>

#include "platform/extended.h"

namespace plotix {

class TExtrapolation {
 public:
  // A new term; the best limit so far and an estimate of its error (LDBL_MAX until there are
  // enough terms to tell).
  void Add(Extended term, Extended& limit, Extended& error);
  std::size_t Terms() const { return terms_; }  // added so far

 private:
  std::vector<Extended> diagonal_;  // the last element of each column
  std::vector<Extended> limits_;
  std::size_t terms_ = 0;
};

}  // namespace plotix
