#pragma once
// The settings every graph window and dialog shares for the whole run: the hot key
// amounts and what the status line shows. The main window owns one and hands it to its
// windows; a window made without one (the headless modes, tests) reads the defaults.

#include <map>
#include <string>

#include "expr/number_format.h"
#include "window/zoom_steps.h"

namespace plotix {

struct TProgramSettings {
  TZoom2DSettings zoom2D;  // 2D Cartesian and polar
  TZoom3DSettings zoom3D;
  // The display mode of each status line panel a graph kind offers choices for, by the
  // key the kind gives it; a mode not stored here is the kind's default.
  std::map<std::string, int> statusModes;
  int printScale = 100;  // percent, 25..500
  // Redraws run on a worker thread while the window stays usable; off, each redraw ends
  // before the command that caused it (the tests, the headless modes).
  bool drawInBackground = false;
  // Windows show their graphs anti-aliased at the screen's pixel ratio instead of the
  // exact bitmap.
  bool smoothDrawing = false;
  int recoverySeconds = 60;  // between the recovery writes of modified graphs, 5..86400
  // Significant digits of the read-outs on the screen, kMinDigitsShown..kMaxDigitsShown;
  // what is copied or saved keeps every digit.
  int digitsShown = kDefaultDigitsShown;

  int StatusMode(const std::string& key, int fallback) const {
    const auto found = statusModes.find(key);
    return found == statusModes.end() ? fallback : found->second;
  }
};

// The defaults, which nothing changes.
inline const TProgramSettings& DefaultProgramSettings() {
  static const TProgramSettings defaults;
  return defaults;
}

}  // namespace plotix
