#include "polar/settings.h"

#include <algorithm>
#include <sstream>

#include "expr/number_format.h"

namespace plotix {

TMapping2D PolarMapping(const TPolarView& view, int width, int height) {
  return TMapping2D(TView2D{view.Zoom, view.Zoom, view.CenterX, view.CenterY}, width, height);
}

TSettingPolarObj::TSettingPolarObj() : LabelFont(DefaultFont()) {}

void SortAxisAngles(std::int32_t& count, TAxisAngles& angles) {
  if (count < 2) return;
  const auto begin = angles.begin(), end = begin + count;
  std::sort(begin, end);
  count = static_cast<std::int32_t>(std::unique(begin, end) - begin);
  // A repeat is removed by moving the rest down one place, so the places left behind
  // hold the last angle.
  std::fill(begin + count, end, begin[count - 1]);
}

int ReadAxisList(const std::string& text, std::int32_t& count, TAxisAngles& angles) {
  TAxisAngles read = angles;
  std::int32_t n = 0;
  std::istringstream lines(text);
  std::string line;
  for (int index = 0; n < kMaxAxisAngles && std::getline(lines, line); ++index) {
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    if (!ParseAngle(line, read[n])) return index;
    ++n;
  }
  SortAxisAngles(n, read);
  count = n;
  angles = read;
  return -1;
}

std::string AxisListText(std::int32_t count, const TAxisAngles& angles) {
  std::string text;
  for (std::int32_t i = 0; i < count; ++i) {
    if (i > 0) text += '\n';
    text += AngleText360(angles[i]);
  }
  return text;
}

void StandardAxisList(TStdAxisList list, Extended interval, std::int32_t& count, TAxisAngles& angles) {
  Extended step = 0;
  switch (list) {
    case alNone: count = 0; return;
    case al90: step = 90; break;
    case al45: step = 45; break;
    case al30: step = 30; break;
    case alIntervals: step = interval; break;
  }
  for (count = 0; count < kMaxAxisAngles && step * count < 360; ++count) angles[count] = step * count;
}

}  // namespace plotix
