#pragma once
// The 3D view (three rotation angles and a zoom) and the rules that rotate and zoom a
// view one step by the hot key amounts.

#include <array>
#include <cstdint>

#include "graph3d/line_store.h"
#include "platform/extended.h"
#include "window/zoom_steps.h"

namespace plotix {

constexpr int kMin3DZoom = 1;
constexpr int kMax3DZoom = 1000;

// Stored in graph files as three extended angles and the zoom.
struct TView3D {
  Extended RotateX = 0, RotateY = 0, RotateZ = 0;  // degrees, each within (-360, 360)
  std::int32_t Zoom = 20;                          // pixels per graph unit, 1..1000

  Extended& Angle(int axis) { return axis == 0 ? RotateX : axis == 1 ? RotateY : RotateZ; }
  bool operator==(const TView3D&) const = default;
};

// One zoom step in or out within 1..1000; true when the zoom changed.
bool Zoom3DStepIn(std::int32_t& zoom, const TZoom3DSettings& steps);
bool Zoom3DStepOut(std::int32_t& zoom, const TZoom3DSettings& steps);
// Turns an angle by the rotation amount, back into (-360, 360).
Extended RotateAngle(Extended angle, bool plus, Extended amount);
// An angle as typed, brought into (-360, 360) keeping its sign: 725 gives 5.
Extended ReduceAngle(Extended angle);

// The rotation record of the view's angles.
TRotation RotationOf(const TView3D& view);

}  // namespace plotix
