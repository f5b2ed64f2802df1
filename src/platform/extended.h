#pragma once
// The 80-bit extended float every graph value is held in, and its 10-byte file form.

#include <array>
#include <cfloat>
#include <cstdint>

namespace plotix {

using Extended = long double;
static_assert(LDBL_MANT_DIG == 64, "Plotix needs the x87 80-bit extended long double");

// Bytes of an IEEE 754 80-bit extended value as files store it: 64-bit significand
// (explicit integer bit) little-endian, then sign and 15-bit exponent.
using ExtendedBytes = std::array<std::uint8_t, 10>;

ExtendedBytes EncodeExtended(Extended value);
Extended DecodeExtended(const ExtendedBytes& bytes);

}  // namespace plotix
