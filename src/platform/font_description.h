#pragma once
// A font as settings objects, labels and graph files describe it.

#include <cstdint>
#include <string>

#include "platform/colour.h"

namespace plotix {

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TFontDesc {
  std::string name = "DejaVu Sans";
  TColor color = 0;        // 0x00BBGGRR
  std::uint8_t style = 0;  // a set of TFontStyle bits
  std::int32_t size = 8;   // points

  bool operator==(const TFontDesc&) const = default;
};

// The program-wide default font that new settings objects and labels copy.
TFontDesc& DefaultFont();

}  // namespace plotix
