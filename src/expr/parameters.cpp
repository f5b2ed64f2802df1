#include "expr/parameters.h"

#include <algorithm>
#include <cmath>

namespace plotix {

std::string ParameterRangeError(const TParameter& p) {
  if (!(p.From < p.To)) return "From must be < To";
  if (!(p.Step > 0) || p.Step > p.To - p.From) return "Step must be > 0 and <= To - From";
  return {};
}

int ParameterSteps(const TParameter& p) {
  return int(std::min<Extended>(std::ceil((p.To - p.From) / p.Step - 1e-9L), 1000000));
}

Extended ParameterValueAt(const TParameter& p, int step) { return std::min(p.To, p.From + step * p.Step); }

}  // namespace plotix
