#pragma once
// The three status line panels that describe the active graph window: zoom, view centre
// (or 3D rotation) and mouse position. Each graph kind writes its own texts; the flat
// kinds (2D Cartesian, polar) share the centre and mouse texts written here.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/extended.h"

namespace plotix {

// The number texts of the panels.
std::string StatusS15(Extended value);  // width 15, 5 decimals, trimmed
std::string StatusS8(Extended value);   // width 8, 6 decimals, trimmed

// The modes of a flat view's centre panel: 0 graph Cartesian, 1 polar degrees, 2 polar
// radians, 3 pixels from centre; the mouse panel has those and 4 bitmap pixels. Inline, so
// that the kinds' own lists made from them at start-up find them made.
inline const std::vector<std::string> kFlatViewModes = {"Graph Cartesian", "Graph Polar (Degrees)",
                                                        "Graph Polar (Radians)", "Pixels From Center"};
inline const std::vector<std::string> kFlatMouseModes = {
    "Graph Cartesian", "Graph Polar (Degrees)", "Graph Polar (Radians)", "Pixels From Center", "Bitmap Pixels"};

bool MouseOnBitmap(int mouseX, int mouseY, int width, int height);

class TStatusLine {
 public:
  using TPanelSink = std::function<void(int panel, const std::string& text)>;
  explicit TStatusLine(TPanelSink sink);

  // Shows the text unless the panel already shows it; texts of 76 characters or more
  // are always written and leave the panel's cache unknown.
  void SetPanel(int panel, const std::string& text);
  void ClearAll();

  // The panels describe one window, the active one; the others write nothing here.
  void SetSubject(const void* window) { subject_ = window; }
  bool Describes(const void* window) const { return window && subject_ == window; }

  // The centre and mouse panels of a flat view (centre in scaled units) in the given
  // modes; the mouse panel is empty while the mouse is off the bitmap.
  void ShowFlatView(Extended zoomX, Extended zoomY, Extended centerX, Extended centerY, int viewMode, int mouseMode,
                    int bitmapHeight, int bitmapWidth, int mouseY, int mouseX);

 private:
  TPanelSink sink_;
  std::array<std::string, 3> cache_;
  std::array<bool, 3> known_{};
  const void* subject_ = nullptr;
};

}  // namespace plotix
