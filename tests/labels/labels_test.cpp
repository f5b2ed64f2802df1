// The label model: descriptions, hit distances, handles, mouse gestures, free-hand
// strokes, clipping and the bitmap tests.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "label_fixtures.h"
#include "labels/segment_clip.h"
#include "labels/tool_attributes.h"
#include "platform/dialog_service.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

using TLabelMaker = std::function<std::unique_ptr<TDrawBaseClass>(TTestOwner&)>;

TLabelMaker Box(int kind, TPoint p1, TPoint p2) {
  return [=](TTestOwner& o) { return MakeLabel<TDrawInclosedShape>(o, p1, p2, kind); };
}
TLabelMaker Line(TPoint p1, TPoint p2) {
  return [=](TTestOwner& o) { return MakeLabel<TDrawLine>(o, p1, p2); };
}
TLabelMaker Text(TPoint p1, TPoint p2, std::string text = "") {
  return [=](TTestOwner& o) {
    auto label = MakeLabel<TDrawText>(o, p1, p2);
    label->Text = text;
    return label;
  };
}
TLabelMaker Fill(TPoint seed) {
  return [=](TTestOwner& o) {
    auto label = std::make_unique<TDrawFloodFill>(o);
    label->Seed = seed;
    return label;
  };
}
TLabelMaker Stroke(std::initializer_list<TPoint> points) {
  const std::vector<TPoint> copy(points);
  return [=](TTestOwner& o) {
    auto stroke = std::make_unique<TDrawFreeHand>(o);
    for (std::size_t i = 0; i < copy.size(); ++i)
      stroke->MouseAction(copy[i].x, copy[i].y, i == 0 ? mpCreatePress : mpCreateDrag);
    return stroke;
  };
}

TEST(LabelModel, DescriptionsShowThePointsAsStored) {
  const struct {
    TLabelMaker make;
    const char* text;
  } cases[] = {
      {Fill({12, 34}), "Flood Fill: Location(12, 34)"},
      {Box(ltRectangle, {50, 40}, {10, 10}), "Rectangle: Top Left(50, 40) Bottom Right(10, 10)"},
      {Box(ltEllipse, {1, 2}, {30, 40}), "Ellipse: Top Left(1, 2) Bottom Right(30, 40)"},
      {Box(ltRoundRect, {-5, 7}, {100, 8}), "Round Rectangle: Top Left(-5, 7) Bottom Right(100, 8)"},
      {Stroke({{5, 6}, {20, 30}}), "Free Hand: Origin Point(5, 6)"},
      {Line({1, 2}, {3, 4}), "Line: Origin Point(1, 2) End Point(3, 4)"},
      {Text({7, 8}, {50, 20}, "Peak at x=2"), "Text: Origin Point(7, 8) \"Peak at x=2\""},
      {Text({0, 0}, {0, 0}), "Text: Origin Point(0, 0) \"\""},
  };
  TTestOwner owner;
  for (const auto& c : cases) EXPECT_EQ(c.make(owner)->GetDescription(), c.text);
}

TEST(LabelModel, DistancesMeasureHowNearAPointIs) {
  const struct {
    const char* what;
    TLabelMaker make;
    int x, y, distance;
  } cases[] = {
      {"5 inside a rectangle's edge hits", Box(ltRectangle, {10, 10}, {110, 110}), 15, 60, 5},
      {"20 inside does not", Box(ltRectangle, {10, 10}, {110, 110}), 30, 60, 20},
      {"the middle is far", Box(ltEllipse, {10, 10}, {110, 110}), 60, 60, 50},
      {"above the top edge", Box(ltRectangle, {110, 110}, {10, 10}), 60, 5, 5},
      {"off a corner", Box(ltRectangle, {10, 10}, {110, 110}), 0, 0, 14},
      {"on a corner", Box(ltRoundRect, {10, 10}, {110, 110}), 110, 110, 0},
      {"inside text", Text({10, 10}, {60, 30}), 30, 20, 0},
      {"on text's edge", Text({10, 10}, {60, 30}), 10, 30, 0},
      {"beside text", Text({10, 10}, {60, 30}), 65, 20, 5},
      {"over a level line", Line({10, 50}, {100, 50}), 50, 53, 3},
      {"beyond a level line's end", Line({10, 50}, {100, 50}), 105, 54, 6},
      {"beside an upright line", Line({50, 100}, {50, 10}), 56, 60, 6},
      {"below an upright line", Line({50, 100}, {50, 10}), 50, 0, 10},
      {"on a shallow line", Line({0, 0}, {100, 50}), 40, 20, 0},
      {"6 from a sloped line counts as 5", Line({0, 0}, {100, 50}), 40, 26, 5},
      {"7 from a sloped line", Line({0, 0}, {100, 50}), 40, 27, 7},
      {"beyond a sloped line's box", Line({0, 0}, {100, 50}), 150, 70, 54},
      {"across a steep line", Line({0, 0}, {20, 100}), 16, 50, 5},
      {"on a steep line", Line({0, 0}, {20, 100}), 10, 50, 0},
      {"7 across a steep line", Line({0, 0}, {20, 100}), 17, 50, 7},
      {"from a flood fill's seed", Fill({10, 10}), 13, 14, 5},
      {"on a stroke's point", Stroke({{20, 20}, {60, 20}, {60, 60}}), 20, 20, 0},
      {"over a stroke's segment", Stroke({{20, 20}, {60, 20}, {60, 60}}), 40, 23, 3},
      {"inside a stroke's bounds", Stroke({{20, 20}, {60, 20}, {60, 60}}), 30, 30, 10},
      {"beside a stroke's last segment", Stroke({{20, 20}, {60, 20}, {60, 60}}), 64, 40, 4},
      {"off a stroke's bounds", Stroke({{20, 20}, {60, 20}, {60, 60}}), 66, 40, 10000},
  };
  TTestOwner owner;
  for (const auto& c : cases) EXPECT_EQ(c.make(owner)->Distance(c.x, c.y), c.distance) << c.what;
}

TEST(LabelModel, BoxPressPicksCornerThenEdgeHandles) {
  const struct {
    TPoint p1, p2;
    int x, y, handle;
    Qt::CursorShape cursor;
  } cases[] = {
      {{100, 100}, {200, 160}, 102, 98, 3, Qt::SizeFDiagCursor},
      {{200, 160}, {100, 100}, 198, 161, 6, Qt::SizeFDiagCursor},
      {{100, 100}, {200, 160}, 204, 100, 4, Qt::SizeBDiagCursor},
      {{100, 100}, {200, 160}, 97, 163, 5, Qt::SizeBDiagCursor},
      {{100, 100}, {200, 160}, 150, 164, 8, Qt::SizeVerCursor},
      {{100, 100}, {200, 160}, 150, 105, 7, Qt::SizeVerCursor},
      {{100, 100}, {200, 160}, 204, 130, 10, Qt::SizeHorCursor},
      {{100, 100}, {200, 160}, 96, 130, 9, Qt::SizeHorCursor},
      {{100, 100}, {200, 160}, 150, 106, 0, Qt::DragMoveCursor},
      {{100, 100}, {200, 160}, 150, 130, 0, Qt::DragMoveCursor},
      {{100, 100}, {200, 160}, 230, 190, 0, Qt::DragMoveCursor},
      // Equal distances: top-left before bottom-right, bottom before top, right before left.
      {{100, 100}, {104, 104}, 102, 102, 3, Qt::SizeFDiagCursor},
      {{100, 100}, {200, 108}, 150, 104, 8, Qt::SizeVerCursor},
      {{100, 100}, {108, 200}, 104, 150, 10, Qt::SizeHorCursor},
  };
  TTestOwner owner;
  for (const auto& c : cases) {
    TDrawInclosedShape shape(owner, ltRectangle);
    shape.P1 = c.p1;
    shape.P2 = c.p2;
    shape.MouseAction(c.x, c.y, mpPressResize);
    EXPECT_EQ(shape.Handle, c.handle) << c.x << "," << c.y;
    EXPECT_EQ(shape.GetCursor(), c.cursor) << c.x << "," << c.y;
    EXPECT_TRUE(shape.MarkerShown);
    // The press sorts the corners.
    EXPECT_EQ(shape.P1, (TPoint{std::min(c.p1.x, c.p2.x), std::min(c.p1.y, c.p2.y)}));
    // A move-only press forgets the handle.
    shape.MouseAction(c.x, c.y, mpPressMove);
    EXPECT_EQ(shape.Handle, 0);
  }
}

TEST(LabelModel, LinePressPicksTheNearerEnd) {
  const struct {
    TPoint p1, p2;
    int x, y, handle;
  } cases[] = {
      {{10, 10}, {100, 10}, 12, 12, 1}, {{10, 10}, {100, 10}, 98, 10, 2}, {{10, 10}, {100, 10}, 50, 10, 0},
      {{10, 10}, {100, 10}, 16, 10, 0}, {{10, 10}, {14, 10}, 12, 10, 2},  // a tie goes to the end point
      {{10, 10}, {14, 10}, 11, 10, 1},
  };
  TTestOwner owner;
  for (const auto& c : cases) {
    TDrawLine line(owner);
    line.P1 = c.p1;
    line.P2 = c.p2;
    line.MouseAction(c.x, c.y, mpPressResize);
    EXPECT_EQ(line.Handle, c.handle) << c.x << "," << c.y;
    EXPECT_EQ(line.GetCursor(), c.handle ? Qt::SizeAllCursor : Qt::DragMoveCursor);
  }
}

struct TStep {
  int x, y, phase;
};

TEST(LabelModel, GesturesMoveAndResize) {
  const struct {
    const char* what;
    TLabelMaker make;
    std::vector<TStep> steps;
    TPoint p1, p2;
  } cases[] = {
      {"move",
       Box(ltRectangle, {100, 100}, {200, 160}),
       {{150, 100, 3}, {160, 110, 5}, {170, 120, 6}, {180, 130, 7}},
       {130, 130},
       {230, 190}},
      {"move from a resize press far from the edges",
       Box(ltEllipse, {100, 100}, {200, 160}),
       {{150, 130, 4}, {151, 131, 8}, {140, 120, 10}},
       {90, 90},
       {190, 150}},
      {"top-left corner",
       Box(ltRectangle, {200, 160}, {100, 100}),
       {{100, 100, 4}, {90, 95, 8}, {85, 92, 9}, {80, 90, 10}},
       {80, 90},
       {200, 160}},
      {"bottom-left corner",
       Box(ltRoundRect, {100, 100}, {200, 160}),
       {{100, 160, 4}, {120, 170, 8}, {120, 170, 10}},
       {120, 100},
       {200, 170}},
      {"top-right corner",
       Box(ltRectangle, {100, 100}, {200, 160}),
       {{200, 100, 4}, {220, 90, 8}, {220, 90, 10}},
       {100, 90},
       {220, 160}},
      {"right edge",
       Box(ltRectangle, {100, 100}, {200, 160}),
       {{200, 130, 4}, {250, 10, 8}, {250, 10, 10}},
       {100, 100},
       {250, 160}},
      {"bottom edge",
       Box(ltRectangle, {100, 100}, {200, 160}),
       {{150, 160, 4}, {10, 190, 8}, {10, 190, 10}},
       {100, 100},
       {200, 190}},
      {"top edge past the bottom",
       Box(ltRectangle, {100, 100}, {200, 160}),
       {{150, 100, 4}, {150, 180, 8}, {150, 180, 10}},
       {100, 180},
       {200, 160}},
      {"left edge",
       Box(ltRectangle, {100, 100}, {200, 160}),
       {{100, 130, 4}, {60, 0, 8}, {60, 0, 10}},
       {60, 100},
       {200, 160}},
      {"a move-only press never resizes",
       Box(ltRectangle, {100, 100}, {200, 160}),
       {{100, 100, 3}, {90, 95, 5}, {80, 90, 7}},
       {80, 90},
       {180, 150}},
      {"line end", Line({10, 10}, {100, 10}), {{100, 10, 4}, {120, 50, 8}, {120, 50, 10}}, {10, 10}, {120, 50}},
      {"line origin",
       Line({10, 10}, {100, 10}),
       {{10, 10, 4}, {30, 40, 8}, {25, 35, 9}, {20, 30, 10}},
       {20, 30},
       {100, 10}},
      {"line move", Line({10, 10}, {100, 10}), {{50, 10, 3}, {60, 20, 5}, {60, 20, 7}}, {20, 20}, {110, 20}},
      {"text move", Text({10, 10}, {60, 30}), {{30, 20, 3}, {40, 25, 5}, {50, 30, 7}}, {30, 20}, {80, 40}},
      {"stroke move", Stroke({{20, 20}, {60, 20}}), {{40, 20, 4}, {40, 30, 8}, {45, 30, 10}}, {25, 30}, {65, 30}},
      {"partly off the bitmap stays moved",
       Box(ltRectangle, {100, 100}, {200, 160}),
       {{150, 100, 3}, {340, 100, 5}, {340, 100, 7}},
       {290, 100},
       {390, 160}},
      {"wholly off the bitmap is cancelled",
       Box(ltRectangle, {100, 100}, {200, 160}),
       {{150, 100, 3}, {300, 100, 5}, {400, 100, 6}, {500, 100, 7}},
       {100, 100},
       {200, 160}},
      {"a line off the bitmap is cancelled",
       Line({10, 10}, {100, 10}),
       {{50, 10, 3}, {50, -100, 5}, {50, -100, 7}},
       {10, 10},
       {100, 10}},
      {"a line end dragged off stays",
       Line({10, 10}, {100, 10}),
       {{100, 10, 4}, {100, -100, 8}, {100, -100, 10}},
       {10, 10},
       {100, -100}},
      {"text off the bitmap is cancelled",
       Text({10, 10}, {60, 30}),
       {{30, 20, 3}, {-100, 20, 5}, {-100, 20, 7}},
       {10, 10},
       {60, 30}},
      {"a stroke off the bitmap is cancelled",
       Stroke({{20, 20}, {60, 20}}),
       {{40, 20, 3}, {40, 400, 5}, {40, 400, 7}},
       {20, 20},
       {60, 20}},
  };
  for (const auto& c : cases) {
    TTestOwner owner;
    auto made = c.make(owner);
    auto& label = dynamic_cast<TDrawLabel&>(*made);
    for (const TStep& s : c.steps) label.MouseAction(s.x, s.y, s.phase);
    EXPECT_EQ(label.P1, c.p1) << c.what;
    EXPECT_EQ(label.P2, c.p2) << c.what;
    EXPECT_FALSE(label.MarkerShown) << c.what;
  }
}

TEST(LabelModel, FloodFillSeedMovesOnlyOntoTheBitmap) {
  const struct {
    std::vector<TStep> steps;
    TPoint seed;
  } cases[] = {
      {{{50, 50, 3}, {60, 55, 5}, {70, 60, 6}, {80, 70, 7}}, {80, 70}},
      {{{50, 50, 4}, {60, 55, 8}, {70, 60, 10}}, {70, 60}},
      {{{50, 50, 3}, {400, 55, 5}, {400, 55, 7}}, {50, 50}},
      {{{50, 50, 3}, {-1, 50, 7}}, {50, 50}},
  };
  for (const auto& c : cases) {
    TTestOwner owner;
    TDrawFloodFill fill(owner);
    fill.Seed = {50, 50};
    for (const TStep& s : c.steps) fill.MouseAction(s.x, s.y, s.phase);
    EXPECT_EQ(fill.Seed, c.seed);
  }
}

TEST(LabelModel, CreationDragsTheSecondPoint) {
  TTestOwner owner;
  TDrawInclosedShape rect(owner, ltRectangle);
  rect.MouseAction(50, 40, mpCreatePress);
  rect.MouseAction(30, 20, mpCreateDrag);
  rect.MouseAction(10, 10, mpCreateRelease);
  EXPECT_EQ(rect.P1, (TPoint{50, 40}));
  EXPECT_EQ(rect.P2, (TPoint{10, 10}));

  // Text is made by SetText, never by dragging.
  TDrawText text(owner);
  text.SetText({5, 5}, "abc", DefaultFont());
  const TPoint p2 = text.P2;
  for (int phase : {0, 1, 2}) text.MouseAction(100, 100, phase);
  EXPECT_EQ(text.P1, (TPoint{5, 5}));
  EXPECT_EQ(text.P2, p2);
}

TEST(LabelModel, FreeHandStoresPointsInBlocksOf32) {
  TTestOwner owner;
  TDrawFreeHand stroke(owner);
  stroke.MouseAction(10, 10, mpCreatePress);
  EXPECT_EQ(stroke.PointCount, 1);
  for (int i = 1; i < 32; ++i) stroke.MouseAction(10 + i, 10, mpCreateDrag);
  EXPECT_EQ(stroke.PointCount, 32);
  EXPECT_EQ(stroke.BlockCount(), 1);
  EXPECT_EQ(stroke.LastBlockUsed, 32);
  // A move within the same pixel adds nothing.
  stroke.MouseAction(41, 10, mpCreateDrag);
  EXPECT_EQ(stroke.PointCount, 32);
  stroke.MouseAction(41, 5, mpCreateRelease);
  EXPECT_EQ(stroke.PointCount, 33);
  EXPECT_EQ(stroke.BlockCount(), 2);
  EXPECT_EQ(stroke.LastBlockUsed, 1);
  EXPECT_EQ(stroke.P2, (TPoint{41, 5}));
  EXPECT_EQ(stroke.Offset(0), (TFreeHandOffset{0, 0}));
  EXPECT_EQ(stroke.Offset(32), (TFreeHandOffset{31, -5}));
  EXPECT_EQ(stroke.Bounds, (TRect{0, -5, 31, 0}));
  EXPECT_EQ(stroke.Blocks()[1].Bounds, (TRect{0, -5, 31, 0}));
  EXPECT_EQ(stroke.Blocks()[0].Bounds, (TRect{0, 0, 31, 0}));
}

TEST(LabelModel, FreeHandStopsAt16001Points) {
  TTestOwner owner;
  TDrawFreeHand stroke(owner);
  stroke.MouseAction(20, 20, mpCreatePress);
  for (int i = 1; i <= 16100; ++i) stroke.MouseAction(20 + i % 2, 20, mpCreateDrag);
  EXPECT_EQ(stroke.PointCount, kMaxFreeHandPoints);
  EXPECT_EQ(stroke.BlockCount(), 501);
  EXPECT_EQ(stroke.LastBlockUsed, 1);
  // A new press starts a new stroke.
  stroke.MouseAction(5, 6, mpCreatePress);
  EXPECT_EQ(stroke.PointCount, 1);
  EXPECT_EQ(stroke.BlockCount(), 1);
  EXPECT_EQ(stroke.Bounds, (TRect{}));
}

TEST(LabelModel, TouchesBitmapWhenAnyPartShows) {
  const struct {
    const char* what;
    TLabelMaker make;
    bool touches;
  } cases[] = {
      {"a corner on it", Box(ltRectangle, {-50, -50}, {10, 10}), true},
      {"a corner at the far pixel", Box(ltRectangle, {99, 99}, {150, 150}), true},
      {"beyond the far pixel", Box(ltRectangle, {100, 0}, {150, 50}), false},
      {"crossing top to bottom", Box(ltEllipse, {50, -10}, {150, 150}), true},
      {"crossing left to right", Text({-10, 150}, {150, 50}), true},
      {"all round it: only its outline counts", Box(ltRectangle, {-10, -10}, {150, 150}), false},
      {"wholly left", Box(ltRectangle, {-50, 10}, {-1, 20}), false},
      {"a line across a corner", Line({-10, 50}, {50, -10}), true},
      {"a line past a corner", Line({-20, 10}, {10, -20}), false},
      {"a line through", Line({-100, 50}, {300, 50}), true},
      {"a stroke with one point on it", Stroke({{-50, -50}, {-20, 5}, {5, 5}, {5, -30}}), true},
      {"a stroke round the bitmap", Stroke({{-5, -5}, {105, -5}, {105, 105}, {-5, 105}}), false},
      {"a seed on it", Fill({99, 0}), true},
      {"a seed off it", Fill({100, 0}), false},
  };
  TTestOwner owner(100, 100);
  for (const auto& c : cases) EXPECT_EQ(c.make(owner)->IsOnBitmap(), c.touches) << c.what;
}

TEST(ClipLine, ClipsSegmentsToTheBitmap) {
  const struct {
    TPoint a, b;
    bool inside;
    TPoint ca, cb;
  } cases[] = {
      {{10, 10}, {90, 20}, true, {10, 10}, {90, 20}},   {{-10, 10}, {-5, 90}, false, {}, {}},
      {{10, -5}, {10, 300}, true, {10, 0}, {10, 99}},   {{-20, 50}, {150, 50}, true, {0, 50}, {99, 50}},
      {{-10, -10}, {110, 110}, true, {0, 0}, {99, 99}}, {{-50, 0}, {50, 100}, true, {0, 50}, {49, 99}},
      {{-10, 50}, {50, -10}, true, {0, 40}, {40, 0}},   {{-20, 10}, {10, -20}, false, {}, {}},
      {{50, 50}, {150, 100}, true, {50, 50}, {99, 74}},  // 74.5 rounds to even
      {{120, -30}, {200, 40}, false, {}, {}},
  };
  for (const auto& c : cases) {
    TPoint a = c.a, b = c.b;
    EXPECT_EQ(Clipline(a, b, 99, 99), c.inside) << c.a.x << "," << c.a.y << " " << c.b.x << "," << c.b.y;
    if (!c.inside) continue;
    EXPECT_EQ(a, c.ca) << c.a.x << "," << c.a.y;
    EXPECT_EQ(b, c.cb) << c.b.x << "," << c.b.y;
  }
}

TEST(LabelModel, TextTakesItsExtentFromTheFont) {
  TTestOwner owner(100, 100);
  TDrawText text(owner);
  TFontDesc big = DefaultFont();
  big.size = 20;
  text.SetText({10, 20}, "Maximum", big);
  owner.Canvas().Font() = big;
  EXPECT_EQ(text.P2, (TPoint{10 + owner.Canvas().TextWidth("Maximum"), 20 + owner.Canvas().TextHeight("Maximum")}));
  EXPECT_EQ(text.Font, big);
  const int width = text.P2.x - text.P1.x;
  text.SetText({10, 20}, "Maximum", DefaultFont());
  EXPECT_LT(text.P2.x - text.P1.x, width);
  text.SetText({30, 40}, "", big);
  EXPECT_EQ(text.P2, (TPoint{30, 40}));
}

TEST(LabelModel, FitOnBitmapBringsTextToTheEdge) {
  const struct {
    TPoint p1, p2, fitted;
    bool moved;
  } cases[] = {
      {{150, 20}, {190, 35}, {99, 20}, true},      {{-80, 20}, {-40, 35}, {-40, 20}, true},
      {{20, 300}, {60, 315}, {20, 99}, true},      {{20, -30}, {60, -15}, {20, -15}, true},
      {{500, -500}, {540, -485}, {99, -15}, true}, {{-30, 20}, {10, 35}, {-30, 20}, false},
      {{99, 99}, {140, 120}, {99, 99}, false},
  };
  TTestOwner owner(100, 100);
  for (const auto& c : cases) {
    TDrawText text(owner);
    text.P1 = c.p1;
    text.P2 = c.p2;
    EXPECT_EQ(text.FitOnBitmap(), c.moved) << c.p1.x << "," << c.p1.y;
    EXPECT_EQ(text.P1, c.fitted) << c.p1.x << "," << c.p1.y;
    EXPECT_EQ(text.P2.x - text.P1.x, c.p2.x - c.p1.x);
    EXPECT_EQ(text.P2.y - text.P1.y, c.p2.y - c.p1.y);
  }
}

TEST(LabelModel, AttributesFollowTheToolBar) {
  TToolBarAttribClass attributes;
  EXPECT_EQ(attributes.BrushColor, kBlue);
  EXPECT_EQ(attributes.BrushStyle, bsClear);
  EXPECT_EQ(attributes.PenColor, kBlack);
  EXPECT_EQ(attributes.PenStyle, psSolid);
  EXPECT_EQ(attributes.PenWidth, 1);
  EXPECT_EQ(attributes.Font, DefaultFont());

  TTestOwner owner;
  TDrawInclosedShape fresh(owner, ltEllipse);
  EXPECT_EQ(fresh.Handle, 0);
  EXPECT_EQ(fresh.PenStyle, psSolid);
  EXPECT_EQ(fresh.BrushStyle, bsClear);
  EXPECT_EQ(fresh.PenColor, kBlack);
  EXPECT_EQ(fresh.PenWidth, 1);
  EXPECT_EQ(fresh.BrushColor, kWhite);

  attributes.PenStyle = psClear;
  attributes.BrushStyle = bsCross;
  attributes.PenColor = kRed;
  attributes.PenWidth = 7;
  attributes.BrushColor = 0x00FF00;
  const struct {
    std::unique_ptr<TDrawShape> shape;
    int penStyle, brushStyle;
  } cases[] = {
      {std::make_unique<TDrawInclosedShape>(owner, ltRectangle), psClear, bsCross},
      {std::make_unique<TDrawLine>(owner), psSolid, bsClear},
      {std::make_unique<TDrawFreeHand>(owner), psSolid, bsClear},
  };
  for (const auto& c : cases) {
    c.shape->SetAttributes(attributes);
    EXPECT_EQ(c.shape->PenStyle, c.penStyle);
    EXPECT_EQ(c.shape->BrushStyle, c.brushStyle);
    EXPECT_EQ(c.shape->PenColor, kRed);
    EXPECT_EQ(c.shape->PenWidth, 7);
    EXPECT_EQ(c.shape->BrushColor, 0x00FF00u);
  }

  TDrawFloodFill fill(owner);
  fill.SetAttributes(attributes);
  EXPECT_EQ(fill.BrushStyle, bsCross);
  EXPECT_EQ(fill.FillColor, 0x00FF00u);
  attributes.BrushStyle = bsClear;
  fill.SetAttributes(attributes);
  EXPECT_EQ(fill.BrushStyle, bsSolid);
  EXPECT_EQ(fill.GetCursor(), Qt::DragMoveCursor);

  TDrawText text(owner);
  attributes.Font.size = 14;
  text.SetAttributes(attributes);
  EXPECT_EQ(text.Font.size, 14);
}

TEST(LabelModel, EditDialogRunsTheDialogOfItsOwnClass) {
  TScopedScriptedMessages messages;
  TScopedDialogService dialogs;
  TTestOwner owner;
  TDrawLine line(owner);
  dialogs->Register<TDrawLine>([](TDrawLine& l, bool) {
    l.P2 = {70, 80};
    return true;
  });
  EXPECT_TRUE(line.EditDialog());
  EXPECT_EQ(line.P2, (TPoint{70, 80}));
  // A class without a dialog is a fault the user hears of, not a silent Cancel.
  TDrawText text(owner);
  EXPECT_FALSE(text.EditDialog());
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].text, "Unknown Error");
}

}  // namespace
}  // namespace plotix
