#pragma once
// The style a function's line is drawn in, the same for every kind of function: its
// colour and its width in pixels (kinds that draw one-pixel lines keep the width unused).

#include <cstdint>

#include "platform/colour.h"

namespace plotix {

struct TPlotStyle {
  TColor Color = 0xFF0000;
  std::int32_t Width = 1;

  bool operator==(const TPlotStyle&) const = default;
};

}  // namespace plotix
