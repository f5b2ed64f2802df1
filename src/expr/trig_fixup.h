#pragma once
// The trigonometry fix-up: sine and cosine return exact zeros at multiples of pi and odd
// multiples of pi/2 within a chosen range. One setting serves the whole program; range
// 0..5 (0 = none), at start 2 with exact values.

#include <atomic>

#include "platform/extended.h"

namespace plotix {

// One setting: the sine and cosine routines it selects and the bounds they test.
struct TTrigFixup {
  int range;
  bool exact;
  Extended sinBound, sinThreshold, cosBound, cosThreshold;
  Extended (*sin)(Extended x, const TTrigFixup& fix);
  Extended (*cos)(Extended x, const TTrigFixup& fix);

  Extended Sin(Extended x) const { return sin(x, *this); }
  Extended Cos(Extended x) const { return cos(x, *this); }
};

void SetTrigFixup(int range, bool exact);
void GetTrigFixup(int& range, bool& exact);

namespace detail {
extern std::atomic<const TTrigFixup*> currentTrigFixup;
}

// The setting in force. An evaluation reads it once and keeps it to the end, so a run
// on a worker thread uses one setting throughout while the user changes it.
inline const TTrigFixup& CurrentTrigFixup() { return *detail::currentTrigFixup.load(std::memory_order_acquire); }

// Sine and cosine with the setting in force.
Extended FixedSin(Extended x);
Extended FixedCos(Extended x);

}  // namespace plotix
