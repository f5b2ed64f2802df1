#pragma once
// How a 3D graph's three axes and their end labels look, and its background.

#include <array>

#include "platform/colour.h"
#include "platform/font_description.h"

namespace plotix {

class TReadGraphFile;
class TWriteGraphFile;

struct TAxis3DSettings {
  bool ShowAxisLine = true;
  TColor LineColor = 0;
  bool LabelPlusEnd = true;   // label the positive end
  bool LabelMinusEnd = true;  // label the negative end
  bool ShowPlusSign = true;   // "+X" rather than "X"
  bool ShowMinusSign = true;  // "-X" rather than "X"
  TFontDesc LabelFont;        // a copy of the default font
};

class TSettings3DObj {
 public:
  TSettings3DObj();

  TColor BackColor = 0xFFFFFF;
  std::array<TAxis3DSettings, 3> Axes;  // X, Y, Z

  // Writes the current-format record; reads the record of the file's format version.
  void SaveToFile(TWriteGraphFile& writer) const;
  void LoadFromFile(TReadGraphFile& reader);
};

}  // namespace plotix
