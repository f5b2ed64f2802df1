#pragma once
// a^b for a > 0 and b not an integer: within one unit in the last place of the exact
// value (so exact wherever the result is representable: 16^0.5 is 4), and several times
// faster than the C library's powl. A result beyond the range is an overflow (raising
// the condition, as powl does); one below it fades into the denormals and 0.

#include "platform/extended.h"

namespace plotix {

Extended PowerOfPositive(Extended a, Extended b);

}  // namespace plotix
