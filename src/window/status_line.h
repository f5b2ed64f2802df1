#pragma once
// The three status line panels that describe the active graph window: zoom, view
// centre (or 3D rotation) and mouse position, with the display modes that choose
// among the texts.

#include <array>
#include <functional>
#include <string>

#include "window/view_mapping.h"

namespace plotix {

// Application-wide display modes, kept while the program runs.
struct TStatusModes {
  int view2D = 0;   // 0 graph Cartesian, 1 polar degrees, 2 polar radians, 3 pixels from centre
  int mouse2D = 0;  // the same, and 4 bitmap pixels
  int viewPolar = 1;
  int mousePolar = 1;
  int mouse3D = 3;  // 0 graph Cartesian, 1 pixels from centre, 2 bitmap pixels, 3 not shown
};
TStatusModes& StatusModes();

// The number texts of the panels.
std::string StatusS15(Extended value);  // width 15, 5 decimals, trimmed
std::string StatusS8(Extended value);   // width 8, 6 decimals, trimmed

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

  void Update2D(const TView2D& view, int bitmapHeight, int bitmapWidth, int mouseY, int mouseX);
  void UpdatePolar(Extended zoom, Extended centerX, Extended centerY, int bitmapHeight, int bitmapWidth, int mouseY,
                   int mouseX);
  void Update3D(Extended rotateX, Extended rotateY, Extended rotateZ, int zoom, int bitmapHeight, int bitmapWidth,
                int mouseY, int mouseX);

 private:
  void UpdateFlat(Extended zoomX, Extended zoomY, Extended centerX, Extended centerY, int viewMode, int mouseMode,
                  int bitmapHeight, int bitmapWidth, int mouseY, int mouseX);

  TPanelSink sink_;
  std::array<std::string, 3> cache_;
  std::array<bool, 3> known_{};
  const void* subject_ = nullptr;
};

}  // namespace plotix
