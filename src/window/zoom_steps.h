#pragma once
// The hot key amounts of the graph windows: the zoom steps and the scroll amount of the
// flat kinds (2D Cartesian and polar), the rotation and zoom steps of 3D; and the rule
// that steps one flat zoom value in or out.

#include <array>

#include "platform/extended.h"

namespace plotix {

constexpr int kZoomRows = 6;
constexpr int kMinScrollAmount = 1;
constexpr int kMaxScrollAmount = 2000;

// The zoom ranges, highest first, as the hot key dialog labels their increments.
extern const char* const kZoomRangeNames[kZoomRows];

struct TZoom2DSettings {
  // Increment applied within each range of kZoomRangeNames.
  std::array<Extended, kZoomRows> increments = {500, 25, 5, 2, 0.02L, 0.0002L};
  int scrollAmount = 10;  // pixels per scroll key
};

// Step one zoom value in place within [0.0001, 10000]; a step never crosses the end of
// its range, so every range boundary is reached exactly. True when z changed.
bool ZoomStepIn(Extended& z, const TZoom2DSettings& steps);
bool ZoomStepOut(Extended& z, const TZoom2DSettings& steps);

constexpr int kZoom3DRanges = 4;
constexpr int kMinZoom3DIncrement = 1;
constexpr int kMaxZoom3DIncrement = 100;
constexpr Extended kMaxRotationAmount = 360;
// The 3D zoom ranges, highest first, as the hot key dialog labels their increments.
extern const char* const kZoom3DRangeNames[kZoom3DRanges];

struct TZoom3DSettings {
  Extended rotationAmount = 3;  // degrees, 0 < amount <= 360
  std::array<int, kZoom3DRanges> increments = {20, 10, 5, 2};
};

}  // namespace plotix
