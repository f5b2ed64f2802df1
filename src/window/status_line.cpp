#include "window/status_line.h"

#include <cmath>

#include "expr/number_format.h"
#include "platform/geometry.h"
#include "window/view_mapping.h"

namespace plotix {

namespace {
constexpr std::size_t kCachedLength = 75;
}  // namespace

bool MouseOnBitmap(int mouseX, int mouseY, int width, int height) {
  return mouseX >= 0 && mouseX < width && mouseY >= 0 && mouseY < height;
}

std::string StatusS15(Extended value) { return TrimmedFixed(value, 15, 5); }
std::string StatusS8(Extended value) { return TrimmedFixed(value, 8, 6); }

TStatusLine::TStatusLine(TPanelSink sink) : sink_(std::move(sink)) {}

void TStatusLine::SetPanel(int panel, const std::string& text) {
  const auto i = static_cast<std::size_t>(panel);
  if (text.size() > kCachedLength) {
    known_[i] = false;
    sink_(panel, text);
    return;
  }
  if (known_[i] && cache_[i] == text) return;
  cache_[i] = text;
  known_[i] = true;
  sink_(panel, text);
}

void TStatusLine::ClearAll() {
  for (int i = 0; i < 3; ++i) SetPanel(i, "");
}

void TStatusLine::ShowFlatView(Extended zoomX, Extended zoomY, Extended centerX, Extended centerY, int viewMode,
                               int mouseMode, int bitmapHeight, int bitmapWidth, int mouseY, int mouseX) {
  const Extended gx = centerX / zoomX, gy = centerY / zoomY;
  Extended r, t;
  ToPolar(gx, gy, r, t);
  switch (viewMode) {
    case 0: SetPanel(1, "Center X:" + StatusS15(gx) + " Y:" + StatusS15(gy)); break;
    case 1: SetPanel(1, "Center R:" + StatusS15(r) + " T:" + StatusS15(RadToDeg(t)) + "d"); break;
    case 2: SetPanel(1, "Center R:" + StatusS15(r) + " T:" + StatusS15(t) + "r"); break;
    case 3: SetPanel(1, "Center(Pix) X:" + GeneralText(centerX) + " Y:" + GeneralText(centerY)); break;
    default: SetPanel(1, ""); break;
  }

  if (!MouseOnBitmap(mouseX, mouseY, bitmapWidth, bitmapHeight)) {
    SetPanel(2, "");
    return;
  }
  const int halfW = bitmapWidth / 2, halfH = bitmapHeight / 2;
  const long long mx = RoundToPixel(centerX) + (mouseX - (halfW - 1));
  const long long my = RoundToPixel(centerY) + ((halfH - 1) - mouseY);
  ToPolar(mx / zoomX, my / zoomY, r, t);
  switch (mouseMode) {
    case 0: SetPanel(2, "Mouse X:" + StatusS15(mx / zoomX) + " Y:" + StatusS15(my / zoomY)); break;
    case 1: SetPanel(2, "Mouse R:" + StatusS15(r) + " T:" + StatusS15(RadToDeg(t)) + "d"); break;
    case 2: SetPanel(2, "Mouse R:" + StatusS15(r) + " T:" + StatusS15(t) + "r"); break;
    case 3: SetPanel(2, "Mouse(Pix) X:" + std::to_string(mx) + " Y:" + std::to_string(my)); break;
    case 4: SetPanel(2, "Mouse W:" + std::to_string(mouseX) + " H:" + std::to_string(mouseY)); break;
    default: SetPanel(2, ""); break;
  }
}

}  // namespace plotix
