#include "graph3d/view.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/geometry.h"
#include "window/view_mapping.h"

namespace plotix {

bool Zoom3DStepIn(std::int32_t& zoom, const TZoom3DSettings& steps) {
  if (zoom >= kMax3DZoom) {
    zoom = kMax3DZoom;
    return false;
  }
  const auto& inc = steps.increments;
  const int step = zoom >= 500 ? inc[0] : zoom >= 200 ? inc[1] : zoom >= 20 ? inc[2] : inc[3];
  const std::int32_t old = zoom;
  zoom = std::clamp(zoom + std::abs(step), kMin3DZoom, kMax3DZoom);
  return zoom != old;
}

bool Zoom3DStepOut(std::int32_t& zoom, const TZoom3DSettings& steps) {
  if (zoom < 2) {
    zoom = kMin3DZoom;
    return false;
  }
  const auto& inc = steps.increments;
  const int step = zoom > 500 ? inc[0] : zoom > 200 ? inc[1] : zoom > 20 ? inc[2] : inc[3];
  const std::int32_t old = zoom;
  zoom = std::clamp(zoom - std::abs(step), kMin3DZoom, kMax3DZoom);
  return zoom != old;
}

Extended RotateAngle(Extended angle, bool plus, Extended amount) {
  angle += plus ? amount : -amount;
  if (angle >= 360)
    angle -= 360;
  else if (angle <= -360)
    angle += 360;
  return angle;
}

Extended ReduceAngle(Extended angle) { return fmodl(angle, 360); }

TRotation RotationOf(const TView3D& view) {
  const Extended x = DegToRad(view.RotateX), y = DegToRad(view.RotateY), z = DegToRad(view.RotateZ);
  const auto fixed = [](Extended v) { return TFixed(RoundToPixel(v * (1 << kFixedShift))); };
  return {fixed(cosl(x)), fixed(cosl(y)), fixed(cosl(z)), fixed(sinl(x)), fixed(sinl(y)), fixed(sinl(z))};
}

}  // namespace plotix
