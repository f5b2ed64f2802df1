#pragma once
// The tables of the non-integer power, written by scripts/power_tables.py.

#include "platform/extended.h"

namespace plotix::powertables {

// For m near c = 1 + j/256, j = -75..106 at index j + 75: invc, close to 1/c with 32
// significant bits (exactly 1 at j = 0), and -log2(invc) = logHi + logLo.
struct TLogEntry {
  Extended invc, logHi, logLo;
};
constexpr int kLogEntries = 182, kLogCentre = 75;
extern const TLogEntry kLog[kLogEntries];

// 2^(j/256) = hi + lo, j = 0..255.
struct TExpEntry {
  Extended hi, lo;
};
constexpr int kExpEntries = 256;
extern const TExpEntry kExp[kExpEntries];

}  // namespace plotix::powertables
