#pragma once
// The label tool bar's current attributes, which every new label takes.

#include <cstdint>

#include "platform/canvas.h"
#include "platform/font_description.h"

namespace plotix {

class TToolBarAttribClass {
 public:
  TToolBarAttribClass();

  TFontDesc Font;                // for new text labels
  TColor BrushColor = 0xFF0000;  // blue
  int BrushStyle = bsClear;
  TColor PenColor = 0x000000;
  int PenStyle = psSolid;
  std::int32_t PenWidth = 1;
};

}  // namespace plotix
