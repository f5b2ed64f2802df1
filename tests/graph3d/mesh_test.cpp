// The 3D line store, the meshes the function objects build into it, and the view steps.
#include <gtest/gtest.h>

#include <vector>

#include "graph3d/function.h"
#include "graph3d/line_store.h"
#include "graph3d/view.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

TEST(LineStore, FixedPointTruncatesAndProjectionFloors) {
  EXPECT_EQ(ToFixed(-0.00001L), 0);
  EXPECT_EQ(ToFixed(0.00001L), 0);
  EXPECT_EQ(ToFixed(1.5L), 98304);
  TLineObj store;
  std::int32_t a = kNoSlot, b = kNoSlot;
  ASSERT_EQ(store.AddLine({ToFixed(-0.5L), 0, 0}, a, {ToFixed(0.5L), 0, 0}, b, 0), alAdded);
  store.Project(TRotation{}, 1, 250, 250);
  EXPECT_EQ(store.Point(a).ScreenX, 249);
  EXPECT_EQ(store.Point(b).ScreenX, 250);
}

// Equal points are shared within one function's mesh, stored again in the next one.
TEST(LineStore, SharesPointsWithinOneFunction) {
  TLineObj store;
  EXPECT_EQ(store.SearchStart(), 7);
  const TPoint3D p{1, 2, 3}, q{4, 5, 6};
  std::int32_t s[6] = {kNoSlot, kNoSlot, kNoSlot, kNoSlot, kNoSlot, kNoSlot};
  store.MarkFunctionStart();
  store.AddLine(p, s[0], q, s[1], 0);
  store.AddLine(q, s[2], p, s[3], 0);  // q stored again unsearched; p found
  EXPECT_EQ(s[3], s[0]);
  store.AddLine(p, s[4], q, s[5], 0);
  EXPECT_EQ(s[5], s[2]);  // the newest equal point
  EXPECT_EQ(store.PointCount(), 10);
  store.MarkFunctionStart();
  EXPECT_EQ(store.SearchStart(), 11);
  std::int32_t t[2] = {kNoSlot, kNoSlot};
  store.AddLine({7, 7, 7}, t[0], q, t[1], 1);
  EXPECT_EQ(t[1], 11);
  EXPECT_EQ(store.LineCount(), 7);
}

TEST(LineStore, RefusesTheLineThatWouldOverfillIt) {
  TLineObj store;
  std::int32_t a = kNoSlot, b = kNoSlot;
  while (store.LineCount() < kMaxStoreCount) ASSERT_EQ(store.AddLine({1, 1, 1}, a, {1, 1, 1}, b, 0), alAdded);
  EXPECT_EQ(store.AddLine({1, 1, 1}, a, {9, 9, 9}, b, 0), alFull);
  EXPECT_EQ(b, kNoSlot);
  EXPECT_EQ(store.PointCount(), 7);
}

TEST(LineStore, MaxDetailForLines) {
  const int cases[][2] = {{-1, 100}, {0, 100}, {1, 98}, {2, 98}, {6, 18}, {10, 10}, {11, 8}, {51, 0}, {101, 0}};
  for (const auto& c : cases) EXPECT_EQ(MaxDetailForLines(c[0]), c[1]) << c[0];
}

// Points and lines a mesh leaves in a new store (the axes' 6 and 3 included).
struct TCounts {
  int points, lines;
};
TCounts Build(TBaseFunc3DObj& f) {
  TLineObj store;
  f.BuildMesh(0, store);
  return {store.PointCount(), store.LineCount()};
}

TFunc3DObj Surface(const char* text, int lines1, int detail1, int lines2, int detail2, bool roundDown = false) {
  TFunc3DObj f;
  f.Func.SetExpression(text);
  EXPECT_TRUE(f.Func.Compile());
  f.Vars[0].Lines = lines1, f.Vars[0].Detail = detail1;
  f.Vars[1].Lines = lines2, f.Vars[1].Detail = detail2;
  f.RoundDown = roundDown;
  return f;
}

TEST(Meshes, SurfaceGrids) {
  const struct {
    TFunc3DObj f;
    TCounts want;
  } cases[] = {
      // 16 x 16 samples, 6 wire rows and columns: 156 points on them, 6 x 15 + 6 x 15 lines.
      {Surface("x*y", 6, 2, 6, 2), {162, 183}},
      // No wire rows, every one of 3 columns a wire: 3 polylines of 5 lines along y.
      {Surface("x*y", 0, 2, 3, 4), {6 + 18, 3 + 15}},
      {Surface("x*y", 3, 4, 0, 2), {6 + 18, 3 + 15}},
      // One line each way: the first row and the first column of 4 x 4 samples.
      {Surface("x*y", 1, 2, 1, 2), {6 + 7, 3 + 6}},
      // One wire row over 4 x 7 samples and wire columns 1, 4 and 7; and the mirror image.
      {Surface("x*y", 1, 2, 3, 2), {6 + 16, 3 + 15}},
      {Surface("x*y", 3, 2, 1, 2), {6 + 16, 3 + 15}},
      {Surface("x*y", 2, 8, 8, 0), {6 + 128, 3 + 134}},  // 64 columns: one whole word of wire flags
      {Surface("x*y", 0, 2, 0, 2), {6, 3}},
      {Surface("1000", 6, 2, 6, 2), {6, 3}},
      {Surface("1000", 6, 2, 6, 2, true), {162, 183}},
      {Surface("sqrt(x)", 2, 0, 2, 0), {6 + 2, 3 + 1}},  // x = -1 undefined
  };
  for (auto& c : cases) {
    const TCounts got = Build(const_cast<TFunc3DObj&>(c.f));
    EXPECT_EQ(std::pair(got.points, got.lines), std::pair(c.want.points, c.want.lines)) << &c - cases;
  }
  TFunc3DObj flat = Surface("1000", 2, 0, 2, 0, true);
  TLineObj store;
  flat.BuildMesh(0, store);
  EXPECT_EQ(store.Min().Z, 0);
  EXPECT_EQ(store.Max().Z, ToFixed(700));
  // The function's value goes on the axis its orientation names.
  const TFixed TPoint3D::*const axes[] = {&TPoint3D::X, &TPoint3D::Y, &TPoint3D::Z};
  for (const TOrientation o : {orX, orY, orZ}) {
    TFunc3DObj f = Surface("3", 2, 0, 2, 0);
    f.Func.SetOrientation(o);
    ASSERT_TRUE(f.Func.Compile());
    TLineObj oriented;
    f.BuildMesh(0, oriented);
    for (int axis = 0; axis < 3; ++axis) EXPECT_EQ(oriented.Max().*axes[axis] == ToFixed(3), axis == o - 1) << o;
  }
}

TFuncRotateObj Rotated(const char* text, int lines, int circles, int circleDetail, std::uint8_t axis = raXAxis) {
  TFuncRotateObj f;
  f.Func.SetExpression(text);
  EXPECT_TRUE(f.Func.Compile());
  f.Lines = lines, f.Circles = circles, f.CircleDetail = circleDetail, f.Axis = axis;
  return f;
}

TEST(Meshes, RotatedGrids) {
  const struct {
    TFuncRotateObj f;
    TCounts want;
  } cases[] = {
      // 18 turns of 20 degrees and 16 samples; the closing row shares the first row's points.
      {Rotated("1", 6, 6, 2), {174, 201}},
      {Rotated("1", 0, 3, 0), {6, 3}},
      {Rotated("1", 0, 3, 2), {6 + 9, 3 + 9}},   // three circles of three turns, no lines
      {Rotated("1", 3, 0, 2), {6 + 12, 3 + 9}},  // three lines of 4 samples, no circles
      // One line: the curve, with circles at samples 1, 4 and 7; and two lines, one circle.
      {Rotated("1", 1, 3, 2), {6 + 13, 3 + 15}},
      {Rotated("1", 2, 1, 2), {6 + 12, 3 + 12}},
      // y = x about the Y axis, one line and one circle, at x = 0: a circle of radius 0
      // whose lines join a point to itself, so the turned points are not searched again.
      {Rotated("x", 1, 1, 2, raYAxis), {6 + 4 + 2, 3 + 3 + 3}},
  };
  for (auto& c : cases) {
    const TCounts got = Build(const_cast<TFuncRotateObj&>(c.f));
    EXPECT_EQ(std::pair(got.points, got.lines), std::pair(c.want.points, c.want.lines)) << &c - cases;
  }
}

// A line through two equal points turns like the X axis; y = 3 turned about the line
// y = 1 reaches down to y = -1.
TEST(Meshes, RotationAboutALine) {
  TFuncRotateObj aboutX = Rotated("x^2+1", 6, 6, 2), aboutLine = Rotated("x^2+1", 6, 6, 2, raLine);
  aboutLine.Points = {0.5L, 0.5L, 0.5L, 0.5L};
  TLineObj a, b;
  aboutX.BuildMesh(0, a);
  aboutLine.BuildMesh(0, b);
  ASSERT_EQ(a.PointCount(), b.PointCount());
  for (int i = 0; i < a.PointCount(); ++i) EXPECT_EQ(a.Point(i).P, b.Point(i).P) << i;
  TFuncRotateObj level = Rotated("3", 6, 6, 2, raLine);
  level.Points = {0, 1, 1, 1};
  TLineObj c;
  level.BuildMesh(0, c);
  EXPECT_NEAR(c.Min().Y / 65536.0, -1, 1e-3);
}

TEST(View3D, ZoomAndRotationSteps) {
  const struct {
    std::int32_t zoom;
    bool in;
    std::int32_t want;
  } zooms[] = {{495, true, 505}, {500, true, 520},  {20, true, 25}, {1000, true, 1000}, {21, false, 16},
               {20, false, 18},  {500, false, 490}, {1, false, 1},  {1001, true, 1000}};
  for (const auto& z : zooms) {
    std::int32_t zoom = z.zoom;
    EXPECT_EQ(z.in ? Zoom3DStepIn(zoom, TZoom3DSettings{}) : Zoom3DStepOut(zoom, TZoom3DSettings{}),
              z.want != z.zoom && z.zoom <= 1000)
        << z.zoom;
    EXPECT_EQ(zoom, z.want) << z.zoom;
  }
  EXPECT_EQ(std::tuple(RotateAngle(357, true, 3), RotateAngle(-357, false, 3), RotateAngle(10, false, 3)),
            std::tuple(0, 0, 7));
  EXPECT_EQ(std::tuple(ReduceAngle(725), ReduceAngle(-725)), std::tuple(5, -5));
}

}  // namespace
}  // namespace plotix
