#pragma once
// The zoom steps and the scroll amount shared by every 2D Cartesian and polar window,
// and the rule that steps one zoom value in or out.

#include <array>

#include "platform/extended.h"

namespace plotix {

constexpr int kZoomRows = 6;
constexpr int kMinScrollAmount = 1;
constexpr int kMaxScrollAmount = 2000;

// The zoom ranges, highest first, as the hot key dialog labels their increments.
extern const char* const kZoomRangeNames[kZoomRows];

// Application-wide, kept while the program runs.
struct TZoom2DSettings {
  // Increment applied within each range of kZoomRangeNames.
  std::array<Extended, kZoomRows> increments = {500, 25, 5, 2, 0.02L, 0.0002L};
  int scrollAmount = 10;  // pixels per scroll key
};
TZoom2DSettings& Zoom2DSettings();

// Step one zoom value in place within [0.0001, 10000]; a step never crosses the end of
// its range, so every range boundary is reached exactly. True when z changed.
bool ZoomStepIn(Extended& z);
bool ZoomStepOut(Extended& z);

}  // namespace plotix
