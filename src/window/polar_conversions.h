#pragma once
// Cartesian and polar coordinates, degrees and radians.

#include "platform/extended.h"

namespace plotix {

// theta in [0, 2*pi).
void ToPolar(Extended x, Extended y, Extended& r, Extended& theta);
void ToCartesian(Extended theta, Extended r, Extended& x, Extended& y);
Extended DegToRad(Extended degrees);
Extended RadToDeg(Extended radians);

}  // namespace plotix
