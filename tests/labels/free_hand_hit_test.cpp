// Hit tests on free-hand strokes look only into the blocks near the mouse; those must
// follow the stroke as it grows or starts again.
#include <gtest/gtest.h>

#include "label_fixtures.h"

namespace plotix {
namespace {

TEST(FreeHandHitTest, StrokesAreMeasuredNearEverySegment) {
  TTestOwner owner(400, 400);
  TDrawFreeHand stroke(owner);
  // count points from x0 along a row, step apart; a new stroke, or more of the last one.
  const auto row = [&stroke](int x0, int y, int step, int count, bool start) {
    for (int i = 0; i < count; ++i)
      stroke.MouseAction(x0 + i * step, y, start && i == 0 ? mpCreatePress : mpCreateDrag);
  };
  const struct {
    int x0, y, step, count;
    bool start;
    int x, y2, distance;  // the click and its distance
    const char* what;
  } cases[] = {
      {10, 10, 1, kFreeHandBlockSize, true, 20, 12, 2, "a block's point"},
      {300, 10, 1, 1, false, 200, 13, 3, "the segment into the second block"},
      {300, 300, 1, 1, false, 303, 150, 3, "a point added since the last click"},
      {100, 100, 5, kFreeHandBlockSize + 2, true, 150, 103, 3, "a new stroke as long as the last"},
  };
  for (const auto& c : cases) {
    row(c.x0, c.y, c.step, c.count, c.start);
    EXPECT_EQ(stroke.Distance(c.x, c.y2), c.distance) << c.what;
  }
}

}  // namespace
}  // namespace plotix
