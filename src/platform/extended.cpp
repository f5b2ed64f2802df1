#include "platform/extended.h"

#include <cmath>

namespace plotix {

// Built from the value's parts rather than its memory image, so the file form
// does not depend on how the compiler lays out a long double.
ExtendedBytes EncodeExtended(Extended value) {
  ExtendedBytes out{};
  std::uint64_t mantissa = 0;
  std::uint16_t signExp = std::signbit(value) ? 0x8000 : 0;
  if (std::isnan(value)) {
    signExp |= 0x7FFF;
    mantissa = 0xC000000000000000ull;
  } else if (std::isinf(value)) {
    signExp |= 0x7FFF;
    mantissa = 0x8000000000000000ull;
  } else if (value != 0) {
    int exp = 0;
    Extended frac = std::frexp(std::fabs(value), &exp);  // [0.5, 1)
    int biased = exp - 1 + 16383;
    if (biased <= 0) {  // denormal: fixed exponent, no integer bit
      frac = std::ldexp(frac, biased + 63);
      biased = 0;
    } else {
      frac = std::ldexp(frac, 64);
    }
    mantissa = static_cast<std::uint64_t>(frac);
    signExp |= static_cast<std::uint16_t>(biased);
  }
  for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
  out[8] = static_cast<std::uint8_t>(signExp);
  out[9] = static_cast<std::uint8_t>(signExp >> 8);
  return out;
}

Extended DecodeExtended(const ExtendedBytes& bytes) {
  std::uint64_t mantissa = 0;
  for (int i = 0; i < 8; ++i) mantissa |= std::uint64_t(bytes[i]) << (8 * i);
  const unsigned signExp = bytes[8] | (unsigned(bytes[9]) << 8);
  const bool negative = signExp & 0x8000;
  const int exp = signExp & 0x7FFF;
  Extended value;
  if (exp == 0x7FFF) {
    value = (mantissa << 1) == 0 ? HUGE_VALL : NAN;
  } else if (exp == 0) {
    value = std::ldexp(static_cast<Extended>(mantissa), -16382 - 63);
  } else {
    // A cleared integer bit ("unnormal") is read by its plain value.
    value = std::ldexp(static_cast<Extended>(mantissa), exp - 16383 - 63);
  }
  return negative ? -value : value;
}

}  // namespace plotix
