// The platform pieces under the engine: the 10-byte Extended of graph files and the
// messages of the command-line modes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/extended.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

TEST(ExtendedFileForm, KnownBytesAndRoundTrips) {
  const struct {
    Extended value;
    ExtendedBytes bytes;
  } known[] = {
      {1.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}}, {0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {-2.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}}, {35.0L, {0, 0, 0, 0, 0, 0, 0, 0x8C, 0x04, 0x40}},
  };
  for (const auto& c : known) {
    EXPECT_EQ(EncodeExtended(c.value), c.bytes) << double(c.value);
    EXPECT_EQ(DecodeExtended(c.bytes), c.value);
  }
  using L = std::numeric_limits<Extended>;
  for (const Extended v : {1.0L / 3, -1e-4000L, 1e4000L, L::max(), L::min(), L::denorm_min(), -0.0L, -L::infinity()}) {
    const Extended back = DecodeExtended(EncodeExtended(v));
    EXPECT_EQ(back, v) << double(v);
    EXPECT_EQ(std::signbit(back), std::signbit(v));
  }
  EXPECT_TRUE(std::isnan(DecodeExtended(EncodeExtended(L::quiet_NaN()))));
}

// The command-line modes print every message and answer with the cancelling choice.
TEST(CommandLineMessages, PrintedWithTheirKindAndCancelled) {
  const struct {
    TMsgKind kind;
    TMsgButtons buttons;
    TMsgAnswer answer;
    const char* printed;
  } rows[] = {
      {TMsgKind::Error, TMsgButtons::OK, TMsgAnswer::OK, "Error: text\n"},
      {TMsgKind::Confirmation, TMsgButtons::YesNoCancel, TMsgAnswer::Cancel, "Confirmation: text\n"},
      {TMsgKind::Warning, TMsgButtons::OKCancel, TMsgAnswer::Cancel, "Warning: text\n"},
      {TMsgKind::Information, TMsgButtons::OKCancelIgnore, TMsgAnswer::Cancel, "Information: text\n"},
      {TMsgKind::Error, TMsgButtons::AbortRetry, TMsgAnswer::Abort, "Error: text\n"},
      {TMsgKind::Confirmation, TMsgButtons::YesNo, TMsgAnswer::No, "Confirmation: text\n"},
  };
  TStderrMsgHandler handler;
  for (const auto& r : rows) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(handler.Show(r.kind, "text", r.buttons), r.answer);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), r.printed);
  }
}

}  // namespace
}  // namespace plotix
