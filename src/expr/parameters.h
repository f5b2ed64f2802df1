#pragma once
// The parameters of a graph: named values that definitions read like constants, each with
// the range and step of its slider. A definition sees them as variables after its own, so a
// new value needs no new compile.

#include <string>
#include <vector>

#include "platform/extended.h"

namespace plotix {

struct TParameter {
  std::string Name;
  Extended Value = 1;
  Extended From = -10, To = 10, Step = 0.1L;

  bool operator==(const TParameter&) const = default;
};
using TParameterList = std::vector<TParameter>;

constexpr int kMaxParameters = 50;  // per graph
constexpr int kMaxParameterName = 30;

// Why the range and step do not fit (From < To, 0 < Step <= To - From); empty when they do.
std::string ParameterRangeError(const TParameter& parameter);

// The number of slider steps from From to To, and the value at a step.
int ParameterSteps(const TParameter& parameter);
Extended ParameterValueAt(const TParameter& parameter, int step);

}  // namespace plotix
