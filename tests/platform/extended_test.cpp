#include "platform/extended.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace plotix {
namespace {

struct TKnownBytes {
  Extended value;
  ExtendedBytes bytes;
};

TEST(ExtendedFileForm, KnownValuesEncodeToTheirBytes) {
  const TKnownBytes cases[] = {
      {1.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},  {0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {-2.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}}, {35.0L, {0, 0, 0, 0, 0, 0, 0, 0x8C, 0x04, 0x40}},
      {0.5L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x3F}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeExtended(c.value), c.bytes) << static_cast<double>(c.value);
    EXPECT_EQ(DecodeExtended(c.bytes), c.value);
  }
}

TEST(ExtendedFileForm, RoundTripsEveryKindOfValue) {
  const Extended values[] = {3.14159265358979323846264338327950288L,
                             -1e-4000L,
                             1e4000L,
                             0.1L,
                             std::numeric_limits<Extended>::max(),
                             std::numeric_limits<Extended>::min(),
                             std::numeric_limits<Extended>::denorm_min(),
                             std::numeric_limits<Extended>::min() / 3,
                             -0.0L,
                             std::numeric_limits<Extended>::infinity(),
                             -std::numeric_limits<Extended>::infinity()};
  for (Extended v : values) {
    const Extended back = DecodeExtended(EncodeExtended(v));
    EXPECT_EQ(back, v);
    EXPECT_EQ(std::signbit(back), std::signbit(v));
  }
  EXPECT_TRUE(std::isnan(DecodeExtended(EncodeExtended(std::nanl("")))));
}

TEST(ExtendedFileForm, MatchesTheMemoryImageOnThisMachine) {
  // On x86-64 the first ten bytes of a long double are the file form itself.
  for (Extended v : {1.0L, -123.456L, 1e-300L, 6.02214076e23L}) {
    ExtendedBytes image{};
    std::memcpy(image.data(), &v, 10);
    EXPECT_EQ(EncodeExtended(v), image);
  }
}

}  // namespace
}  // namespace plotix
