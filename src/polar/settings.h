#pragma once
// How a polar graph's grid looks (angle axes from the pole, ticks along them, tick labels,
// a restricting radius, the background), the rules of its list of axis angles, and the
// view record that places the pole on the bitmap.

#include <array>
#include <cstdint>
#include <string>

#include "platform/colour.h"
#include "platform/extended.h"
#include "platform/font_description.h"
#include "window/view_mapping.h"

namespace plotix {

class TReadGraphFile;
class TWriteGraphFile;

constexpr int kMaxAxisAngles = 360;
// Axis angles in degrees; entries past the count in use are kept as held.
using TAxisAngles = std::array<Extended, kMaxAxisAngles>;

// Stored in graph files as three extended values in this order.
struct TPolarView {
  Extended Zoom = 35;    // pixels per graph unit
  Extended CenterX = 0;  // pixels right of the pole at the bitmap's centre
  Extended CenterY = 0;  // pixels above the pole

  bool operator==(const TPolarView&) const = default;
};

// The flat mapping with one zoom: scaled units are pixels from the pole.
TMapping2D PolarMapping(const TPolarView& view, int width, int height);

enum TPolarTickType : std::uint8_t { ptDashes = 0, ptCircles = 1, ptNoTicks = 2 };

class TSettingPolarObj {
 public:
  TSettingPolarObj();

  TColor BackgroundColor = 0xFFFFFF;
  std::int32_t AxisCount = 8;
  TAxisAngles AxisAngles{0, 45, 90, 135, 180, 225, 270, 315};
  TColor AxisColor = 0;
  std::int32_t AxisWidth = 1;
  std::uint8_t AxisPenStyle = 0;
  std::string TickIncrementText = "1";
  Extended TickIncrement = 1;
  std::uint8_t TickMarkType = ptDashes;
  TColor TickMarkColor = 0;
  std::int32_t DashLength = 5;  // pixels to each side of the axis
  std::int32_t CircleWidth = 1;
  std::uint8_t CirclePenStyle = 0;
  bool ShowLabels = true;
  std::uint8_t LabelFormat = 0;
  bool LabelComma = true;
  bool LabelPlus = false;
  std::int32_t LabelDecimalPlaces = 1;
  bool RestrictRadius = false;
  std::string RestrictRadiusText = "5";
  Extended RestrictRadiusAmount = 5;  // graph units; drawing uses its absolute value
  TFontDesc LabelFont;                // a copy of the default font

  // Writes the current-format record; reads the record of the file's format version.
  void SaveToFile(TWriteGraphFile& writer) const;
  void LoadFromFile(TReadGraphFile& reader);
};

// Sorts entries [0, count) ascending and removes repeated values; entries past the new
// count keep what they held.
void SortAxisAngles(std::int32_t& count, TAxisAngles& angles);

// Reads an axis list typed one angle per line: blank lines are skipped, at most 360 angles
// are taken, each reduced into [0, 360), then sorted and cleaned. Returns -1 and sets the
// list on success; otherwise the index (from 0, blank lines counted) of the first line
// that is no number, with the list untouched.
int ReadAxisList(const std::string& text, std::int32_t& count, TAxisAngles& angles);
// One line per angle in use.
std::string AxisListText(std::int32_t count, const TAxisAngles& angles);

// The quick lists of the standard axis list dialog, in its order.
enum TStdAxisList : int { alNone, al90, al45, al30, alIntervals };
constexpr Extended kDefaultAxisInterval = 15;
// Replaces the list; interval (degrees, 1..359) is used by alIntervals only.
void StandardAxisList(TStdAxisList list, Extended interval, std::int32_t& count, TAxisAngles& angles);

}  // namespace plotix
