#pragma once
// How a 2D graph's axes, ticks, grids and tick labels look, and its background.

#include <cstdint>
#include <string>

#include "platform/colour.h"
#include "platform/extended.h"
#include "platform/font_description.h"

namespace plotix {

class TReadGraphFile;
class TWriteGraphFile;

// Tick mark kinds of an axis.
enum TTickType : std::uint8_t { ttNone = 0, ttTickMarks = 1, ttGridMarks = 2, ttGridLines = 3 };

struct TAxisSettings {
  bool ShowAxisLines = true;
  std::string LimitLoText;
  bool LimitLoEmpty = true;
  Extended LimitLo = 0;
  std::string LimitHiText;
  bool LimitHiEmpty = true;
  Extended LimitHi = 0;
  TColor AxisColor = 0;
  std::int32_t AxisWidth = 1;
  std::uint8_t AxisStyle = 0;
  std::uint8_t TickType = ttTickMarks;
  TColor TickColor = 0;
  std::string IncText = "1";
  Extended Inc = 1;
  std::int32_t TickLength = 5;
  std::uint8_t GridStyle = 2;  // dot
  bool ShowLabels = true;
  std::uint8_t LabelFormat = 0;
  bool LabelComma = true;
  bool LabelPlus = false;
  std::int32_t LabelDecimals = 1;
};

class TSetting2DObj {
 public:
  TSetting2DObj();

  TAxisSettings X, Y;
  TColor BackColor = 0xFFFFFF;
  TFontDesc XLabelFont, YLabelFont;  // copies of the default font

  // Writes the current-format record; reads the record of the file's format version.
  void SaveToFile(TWriteGraphFile& writer) const;
  void LoadFromFile(TReadGraphFile& reader);
};

}  // namespace plotix
