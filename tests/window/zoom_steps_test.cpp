#include "window/zoom_steps.h"

#include <gtest/gtest.h>

#include <vector>

namespace plotix {
namespace {

// Keeps the program-wide steps as each test found them.
class Zoom2D : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = Zoom2DSettings(); }
  void TearDown() override { Zoom2DSettings() = saved_; }

 private:
  TZoom2DSettings saved_;
};

TEST_F(Zoom2D, StartsWithTheDefaultSteps) {
  const TZoom2DSettings fresh;
  const Extended expected[] = {500, 25, 5, 2, 0.02L, 0.0002L};
  for (int i = 0; i < kZoomRows; ++i) EXPECT_EQ(fresh.increments[i], expected[i]) << i;
  EXPECT_EQ(fresh.scrollAmount, 10);
  EXPECT_STREQ(kZoomRangeNames[0], "10,000 to 1,000");
  EXPECT_STREQ(kZoomRangeNames[5], "0.01 to 0.0001");
}

TEST_F(Zoom2D, SingleStepsAtTheRangeEnds) {
  const struct {
    bool in;
    Extended from;
    Extended to;
    bool changed;
  } cases[] = {
      {true, 9800, 10000, true},    // capped
      {true, 10000, 10000, false},  // already at the top
      {true, 20000, 10000, true},   // above the top comes down to it
      {true, 1000, 1500, true},     // 1000 zooms in by the top row's step
      {true, 990, 1000, true},      // capped at the row's end
      {true, 100, 125, true},
      {true, 0.99L, 1, true},  // not 1.01
      {true, 0.005L, 0.0052L, true},
      {true, 0.0099L, 0.01L, true},
      {false, 1, 0.98L, true},
      {false, 0.0101L, 0.01L, true},  // floored at the row's end
      {false, 0.01L, 0.0098L, true},  // 0.01 zooms out by the bottom row's step
      {false, 0.0001L, 0.0001L, false},
      {false, 0.00005L, 0.0001L, true},
      {false, 0.00025L, 0.0001L, true},
      {false, 1000, 975, true},
      {false, 1200, 1000, true},
      {false, 10000, 9500, true},
      {false, 20, 18, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.in ? "in from " : "out from ") << double(c.from));
    Extended z = c.from;
    EXPECT_EQ(c.in ? ZoomStepIn(z) : ZoomStepOut(z), c.changed);
    EXPECT_NEAR(double(z), double(c.to), 1e-15);
  }
}

std::vector<double> Walk(Extended z, bool in, int steps) {
  std::vector<double> seen;
  for (int i = 0; i < steps; ++i) {
    if (in)
      ZoomStepIn(z);
    else
      ZoomStepOut(z);
    seen.push_back(double(z));
  }
  return seen;
}

TEST_F(Zoom2D, FromTheDefaultZoom) {
  EXPECT_EQ(Walk(35, true, 16),
            std::vector<double>({40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100, 125, 150, 175}));
  EXPECT_EQ(Walk(35, false, 15), std::vector<double>({30, 25, 20, 18, 16, 14, 12, 10, 8, 6, 4, 2, 1, 0.98, 0.96}));
}

TEST_F(Zoom2D, InAndOutStayWithinTheLimits) {
  Extended z = 35;
  for (int i = 0; i < 1000; ++i) ZoomStepIn(z);
  EXPECT_EQ(z, 10000);
  for (int i = 0; i < 1000; ++i) ZoomStepOut(z);
  EXPECT_NEAR(double(z), 0.0001, 1e-18);
  EXPECT_FALSE(ZoomStepOut(z));
}

TEST_F(Zoom2D, UsesTheChangedSteps) {
  Zoom2DSettings().increments[2] = 30;  // "100 to 20"
  Zoom2DSettings().increments[3] = 0.5L;
  Extended z = 35;
  EXPECT_TRUE(ZoomStepIn(z));
  EXPECT_EQ(z, 65);
  EXPECT_TRUE(ZoomStepIn(z));
  EXPECT_EQ(z, 95);
  EXPECT_TRUE(ZoomStepIn(z));
  EXPECT_EQ(z, 100);
  z = 3;
  EXPECT_TRUE(ZoomStepOut(z));
  EXPECT_EQ(z, 2.5);
}

}  // namespace
}  // namespace plotix
