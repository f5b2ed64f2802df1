// The label model and what labels put on the bitmap: descriptions, hit distances,
// handles, mouse gestures, free-hand strokes, clipping, drawing, rubber bands and markers.
#include <gtest/gtest.h>

#include <functional>

#include "../told.h"
#include "label_fixtures.h"
#include "labels/label_list.h"
#include "labels/segment_clip.h"
#include "labels/tool_attributes.h"
#include "platform/dialog_service.h"

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
  } rows[] = {
      {Fill({12, 34}), "Flood Fill: Location(12, 34)"},
      {Box(ltRectangle, {50, 40}, {10, 10}), "Rectangle: Top Left(50, 40) Bottom Right(10, 10)"},
      {Box(ltEllipse, {1, 2}, {30, 40}), "Ellipse: Top Left(1, 2) Bottom Right(30, 40)"},
      {Box(ltRoundRect, {-5, 7}, {100, 8}), "Round Rectangle: Top Left(-5, 7) Bottom Right(100, 8)"},
      {Stroke({{5, 6}, {20, 30}}), "Free Hand: Origin Point(5, 6)"},
      {Line({1, 2}, {3, 4}), "Line: Origin Point(1, 2) End Point(3, 4)"},
      {Text({7, 8}, {50, 20}, "Peak at x=2"), "Text: Origin Point(7, 8) \"Peak at x=2\""},
  };
  TTestOwner owner;
  for (const auto& r : rows) EXPECT_EQ(r.make(owner)->GetDescription(), r.text);
}

TEST(LabelModel, DistancesMeasureHowNearAPointIs) {
  const struct {
    const char* what;
    TLabelMaker make;
    int x, y, distance;
  } rows[] = {
      {"5 inside a rectangle's edge", Box(ltRectangle, {10, 10}, {110, 110}), 15, 60, 5},
      {"the middle is far", Box(ltEllipse, {10, 10}, {110, 110}), 60, 60, 50},
      {"above the top edge", Box(ltRectangle, {110, 110}, {10, 10}), 60, 5, 5},
      {"off a corner", Box(ltRectangle, {10, 10}, {110, 110}), 0, 0, 14},
      {"inside text", Text({10, 10}, {60, 30}), 30, 20, 0},
      {"beside text", Text({10, 10}, {60, 30}), 65, 20, 5},
      {"beyond a level line's end", Line({10, 50}, {100, 50}), 105, 54, 6},
      {"below an upright line", Line({50, 100}, {50, 10}), 50, 0, 10},
      {"6 from a sloped line counts as 5", Line({0, 0}, {100, 50}), 40, 26, 5},
      {"7 from a sloped line", Line({0, 0}, {100, 50}), 40, 27, 7},
      {"beyond a sloped line's box", Line({0, 0}, {100, 50}), 150, 70, 54},
      {"across a steep line", Line({0, 0}, {20, 100}), 16, 50, 5},
      {"from a flood fill's seed", Fill({10, 10}), 13, 14, 5},
      {"over a stroke's segment", Stroke({{20, 20}, {60, 20}, {60, 60}}), 40, 23, 3},
      {"inside a stroke's bounds", Stroke({{20, 20}, {60, 20}, {60, 60}}), 30, 30, 10},
      {"off a stroke's bounds", Stroke({{20, 20}, {60, 20}, {60, 60}}), 66, 40, 10000},
  };
  TTestOwner owner;
  for (const auto& r : rows) EXPECT_EQ(r.make(owner)->Distance(r.x, r.y), r.distance) << r.what;
}

TEST(LabelModel, APressPicksTheNearestHandleAndItsCursor) {
  const struct {
    TLabelMaker make;
    int x, y, handle;
    Qt::CursorShape cursor;
  } rows[] = {
      {Box(ltRectangle, {100, 100}, {200, 160}), 102, 98, 3, Qt::SizeFDiagCursor},
      {Box(ltRectangle, {200, 160}, {100, 100}), 198, 161, 6, Qt::SizeFDiagCursor},
      {Box(ltRectangle, {100, 100}, {200, 160}), 204, 100, 4, Qt::SizeBDiagCursor},
      {Box(ltRectangle, {100, 100}, {200, 160}), 97, 163, 5, Qt::SizeBDiagCursor},
      {Box(ltRectangle, {100, 100}, {200, 160}), 150, 105, 7, Qt::SizeVerCursor},
      {Box(ltRectangle, {100, 100}, {200, 160}), 150, 164, 8, Qt::SizeVerCursor},
      {Box(ltRectangle, {100, 100}, {200, 160}), 96, 130, 9, Qt::SizeHorCursor},
      {Box(ltRectangle, {100, 100}, {200, 160}), 204, 130, 10, Qt::SizeHorCursor},
      {Box(ltRectangle, {100, 100}, {200, 160}), 150, 106, 0, Qt::DragMoveCursor},
      // Equal distances: top-left before bottom-right, bottom before top, right before left.
      {Box(ltRectangle, {100, 100}, {104, 104}), 102, 102, 3, Qt::SizeFDiagCursor},
      {Box(ltRectangle, {100, 100}, {200, 108}), 150, 104, 8, Qt::SizeVerCursor},
      {Box(ltRectangle, {100, 100}, {108, 200}), 104, 150, 10, Qt::SizeHorCursor},
      {Line({10, 10}, {100, 10}), 12, 12, 1, Qt::SizeAllCursor},
      {Line({10, 10}, {100, 10}), 98, 10, 2, Qt::SizeAllCursor},
      {Line({10, 10}, {100, 10}), 16, 10, 0, Qt::DragMoveCursor},
      {Line({10, 10}, {14, 10}), 12, 10, 2, Qt::SizeAllCursor},  // a tie goes to the end point
  };
  TTestOwner owner;
  for (const auto& r : rows) {
    auto label = r.make(owner);
    auto& shape = dynamic_cast<TDrawShape&>(*label);
    shape.MouseAction(r.x, r.y, mpPressResize);
    EXPECT_EQ(shape.Handle, r.handle) << r.x << "," << r.y;
    EXPECT_EQ(shape.GetCursor(), r.cursor) << r.x << "," << r.y;
    shape.MouseAction(r.x, r.y, mpPressMove);  // a move-only press forgets the handle
    EXPECT_EQ(shape.Handle, 0);
  }
}

struct TStep {
  int x, y, phase;
};

TEST(LabelModel, GesturesMoveAndResizeButNeverWhollyOffTheBitmap) {
  const struct {
    const char* what;
    TLabelMaker make;
    std::vector<TStep> steps;
    TPoint p1, p2;
  } rows[] = {
      {"move", Box(ltRectangle, {100, 100}, {200, 160}), {{150, 100, 3}, {160, 110, 5}, {180, 130, 7}}, {130, 130},
       {230, 190}},
      {"move from a resize press far from the edges", Box(ltEllipse, {100, 100}, {200, 160}),
       {{150, 130, 4}, {151, 131, 8}, {140, 120, 10}}, {90, 90}, {190, 150}},
      {"top-left corner", Box(ltRectangle, {200, 160}, {100, 100}), {{100, 100, 4}, {90, 95, 8}, {80, 90, 10}},
       {80, 90}, {200, 160}},
      {"bottom-left corner", Box(ltRoundRect, {100, 100}, {200, 160}), {{100, 160, 4}, {120, 170, 8}, {120, 170, 10}},
       {120, 100}, {200, 170}},
      {"right edge", Box(ltRectangle, {100, 100}, {200, 160}), {{200, 130, 4}, {250, 10, 8}, {250, 10, 10}}, {100, 100},
       {250, 160}},
      {"top edge past the bottom", Box(ltRectangle, {100, 100}, {200, 160}),
       {{150, 100, 4}, {150, 180, 8}, {150, 180, 10}}, {100, 180}, {200, 160}},
      {"a move-only press never resizes", Box(ltRectangle, {100, 100}, {200, 160}),
       {{100, 100, 3}, {90, 95, 5}, {80, 90, 7}}, {80, 90}, {180, 150}},
      {"line end", Line({10, 10}, {100, 10}), {{100, 10, 4}, {120, 50, 8}, {120, 50, 10}}, {10, 10}, {120, 50}},
      {"line origin", Line({10, 10}, {100, 10}), {{10, 10, 4}, {30, 40, 8}, {20, 30, 10}}, {20, 30}, {100, 10}},
      {"text move", Text({10, 10}, {60, 30}), {{30, 20, 3}, {40, 25, 5}, {50, 30, 7}}, {30, 20}, {80, 40}},
      {"stroke move", Stroke({{20, 20}, {60, 20}}), {{40, 20, 4}, {40, 30, 8}, {45, 30, 10}}, {25, 30}, {65, 30}},
      {"partly off the bitmap stays moved", Box(ltRectangle, {100, 100}, {200, 160}),
       {{150, 100, 3}, {340, 100, 5}, {340, 100, 7}}, {290, 100}, {390, 160}},
      {"wholly off the bitmap is cancelled", Box(ltRectangle, {100, 100}, {200, 160}),
       {{150, 100, 3}, {300, 100, 5}, {500, 100, 7}}, {100, 100}, {200, 160}},
      {"a line off the bitmap is cancelled", Line({10, 10}, {100, 10}), {{50, 10, 3}, {50, -100, 5}, {50, -100, 7}},
       {10, 10}, {100, 10}},
      {"a line end dragged off stays", Line({10, 10}, {100, 10}), {{100, 10, 4}, {100, -100, 8}, {100, -100, 10}},
       {10, 10}, {100, -100}},
      {"a stroke off the bitmap is cancelled", Stroke({{20, 20}, {60, 20}}), {{40, 20, 3}, {40, 400, 5}, {40, 400, 7}},
       {20, 20}, {60, 20}},
  };
  for (const auto& r : rows) {
    TTestOwner owner;
    auto made = r.make(owner);
    auto& label = dynamic_cast<TDrawLabel&>(*made);
    for (const TStep& s : r.steps) label.MouseAction(s.x, s.y, s.phase);
    EXPECT_EQ(label.P1, r.p1) << r.what;
    EXPECT_EQ(label.P2, r.p2) << r.what;
    EXPECT_FALSE(label.MarkerShown) << r.what;
  }
  for (const auto& [to, seed] : {std::pair{TPoint{80, 70}, TPoint{80, 70}}, std::pair{TPoint{400, 55}, TPoint{50, 50}}}) {
    TTestOwner owner;
    TDrawFloodFill fill(owner);
    fill.Seed = {50, 50};
    for (const TStep& s : {TStep{50, 50, 3}, TStep{60, 55, 5}, TStep{to.x, to.y, 7}}) fill.MouseAction(s.x, s.y, s.phase);
    EXPECT_EQ(fill.Seed, seed);  // a seed moves only onto the bitmap
  }
}

TEST(LabelModel, CreationDragsTheSecondPointExceptForText) {
  TTestOwner owner;
  TDrawInclosedShape rect(owner, ltRectangle);
  for (const TStep& s : {TStep{50, 40, 0}, TStep{30, 20, 1}, TStep{10, 10, 2}}) rect.MouseAction(s.x, s.y, s.phase);
  EXPECT_EQ(std::tuple(rect.P1, rect.P2), std::tuple(TPoint{50, 40}, TPoint{10, 10}));
  TDrawText text(owner);
  text.SetText({5, 5}, "abc", DefaultFont());
  const TPoint p2 = text.P2;
  for (const int phase : {0, 1, 2}) text.MouseAction(100, 100, phase);
  EXPECT_EQ(std::tuple(text.P1, text.P2), std::tuple(TPoint{5, 5}, p2));
}

TEST(LabelModel, FreeHandStoresPointsInBlocksOf32UpTo16001) {
  TTestOwner owner;
  TDrawFreeHand stroke(owner);
  stroke.MouseAction(10, 10, mpCreatePress);
  for (int i = 1; i < 32; ++i) stroke.MouseAction(10 + i, 10, mpCreateDrag);
  stroke.MouseAction(41, 10, mpCreateDrag);  // the same pixel again adds nothing
  EXPECT_EQ(std::tuple(stroke.PointCount, stroke.BlockCount(), stroke.LastBlockUsed), std::tuple(32, 1, 32));
  stroke.MouseAction(41, 5, mpCreateRelease);
  EXPECT_EQ(std::tuple(stroke.PointCount, stroke.BlockCount(), stroke.LastBlockUsed), std::tuple(33, 2, 1));
  EXPECT_EQ(stroke.P2, (TPoint{41, 5}));
  EXPECT_EQ(stroke.Offset(32), (TFreeHandOffset{31, -5}));
  EXPECT_EQ(stroke.Bounds, (TRect{0, -5, 31, 0}));
  EXPECT_EQ(stroke.Blocks()[0].Bounds, (TRect{0, 0, 31, 0}));
  EXPECT_EQ(stroke.Blocks()[1].Bounds, (TRect{0, -5, 31, 0}));
  for (int i = 1; i <= 16100; ++i) stroke.MouseAction(20 + i % 2, 20, mpCreateDrag);
  EXPECT_EQ(std::tuple(stroke.PointCount, stroke.BlockCount(), stroke.LastBlockUsed), std::tuple(16001, 501, 1));
  stroke.MouseAction(5, 6, mpCreatePress);  // a new press starts a new stroke
  EXPECT_EQ(std::tuple(stroke.PointCount, stroke.BlockCount(), stroke.Bounds), std::tuple(1, 1, TRect{}));
}

TEST(LabelModel, OnTheBitmapWhenAnyPartShows) {
  const struct {
    const char* what;
    TLabelMaker make;
    bool touches;
  } rows[] = {
      {"a corner at the far pixel", Box(ltRectangle, {99, 99}, {150, 150}), true},
      {"beyond the far pixel", Box(ltRectangle, {100, 0}, {150, 50}), false},
      {"crossing top to bottom", Box(ltEllipse, {50, -10}, {150, 150}), true},
      {"crossing left to right", Text({-10, 150}, {150, 50}), true},
      {"all round it: only its outline counts", Box(ltRectangle, {-10, -10}, {150, 150}), false},
      {"a line across a corner", Line({-10, 50}, {50, -10}), true},
      {"a line past a corner", Line({-20, 10}, {10, -20}), false},
      {"a stroke with one point on it", Stroke({{-50, -50}, {-20, 5}, {5, 5}, {5, -30}}), true},
      {"a stroke round the bitmap", Stroke({{-5, -5}, {105, -5}, {105, 105}, {-5, 105}}), false},
      {"a seed on it", Fill({99, 0}), true},
      {"a seed off it", Fill({100, 0}), false},
  };
  TTestOwner owner(100, 100);
  for (const auto& r : rows) EXPECT_EQ(r.make(owner)->IsOnBitmap(), r.touches) << r.what;
}

TEST(LabelModel, SegmentsClipToTheBitmap) {
  const struct {
    TPoint a, b;
    bool inside;
    TPoint ca, cb;
  } rows[] = {
      {{10, 10}, {90, 20}, true, {10, 10}, {90, 20}},   {{-10, 10}, {-5, 90}, false, {}, {}},
      {{10, -5}, {10, 300}, true, {10, 0}, {10, 99}},   {{-10, -10}, {110, 110}, true, {0, 0}, {99, 99}},
      {{-50, 0}, {50, 100}, true, {0, 50}, {49, 99}},   {{-20, 10}, {10, -20}, false, {}, {}},
      {{50, 50}, {150, 100}, true, {50, 50}, {99, 74}},  // 74.5 rounds to even
  };
  for (const auto& r : rows) {
    TPoint a = r.a, b = r.b;
    EXPECT_EQ(Clipline(a, b, 99, 99), r.inside) << r.a.x << "," << r.a.y << " " << r.b.x << "," << r.b.y;
    if (r.inside) {
      EXPECT_EQ(std::tuple(a, b), std::tuple(r.ca, r.cb)) << r.a.x << "," << r.a.y;
    }
  }
}

TEST(LabelModel, TextTakesItsExtentFromTheFontAndFitsBackOntoTheBitmap) {
  TTestOwner owner(100, 100);
  TDrawText text(owner);
  TFontDesc big = DefaultFont();
  big.size = 20;
  text.SetText({10, 20}, "Maximum", big);
  owner.Canvas().Font() = big;
  EXPECT_EQ(text.P2, (TPoint{10 + owner.Canvas().TextWidth("Maximum"), 20 + owner.Canvas().TextHeight("Maximum")}));
  const struct {
    TPoint p1, p2, fitted;
    bool moved;
  } rows[] = {
      {{150, 20}, {190, 35}, {99, 20}, true},      {{-80, 20}, {-40, 35}, {-40, 20}, true},
      {{20, 300}, {60, 315}, {20, 99}, true},      {{500, -500}, {540, -485}, {99, -15}, true},
      {{-30, 20}, {10, 35}, {-30, 20}, false},     {{99, 99}, {140, 120}, {99, 99}, false},
  };
  for (const auto& r : rows) {
    text.P1 = r.p1;
    text.P2 = r.p2;
    EXPECT_EQ(text.FitOnBitmap(), r.moved) << r.p1.x << "," << r.p1.y;
    EXPECT_EQ(std::tuple(text.P1, text.P2), std::tuple(r.fitted, TPoint{r.fitted.x + r.p2.x - r.p1.x,
                                                                      r.fitted.y + r.p2.y - r.p1.y}));
  }
}

TEST(LabelModel, NewLabelsTakeTheToolBarAttributes) {
  TToolBarAttribClass attributes;
  EXPECT_EQ(std::tuple(attributes.BrushColor, attributes.BrushStyle, attributes.PenColor, attributes.PenStyle,
                       attributes.PenWidth),
            std::tuple(kBlue, int(bsClear), kBlack, int(psSolid), 1));
  attributes.PenStyle = psClear;
  attributes.BrushStyle = bsCross;
  attributes.PenColor = kRed;
  attributes.PenWidth = 7;
  attributes.BrushColor = 0x00FF00;
  attributes.Font.size = 14;
  TTestOwner owner;
  const struct {
    std::unique_ptr<TDrawShape> shape;
    int penStyle, brushStyle;
  } rows[] = {
      {std::make_unique<TDrawInclosedShape>(owner, ltRectangle), psClear, bsCross},
      {std::make_unique<TDrawLine>(owner), psSolid, bsClear},  // lines and strokes never clear
      {std::make_unique<TDrawFreeHand>(owner), psSolid, bsClear},
  };
  for (const auto& r : rows) {
    r.shape->SetAttributes(attributes);
    EXPECT_EQ(std::tuple(r.shape->PenStyle, r.shape->BrushStyle, r.shape->PenColor, r.shape->PenWidth,
                         r.shape->BrushColor),
              std::tuple(r.penStyle, r.brushStyle, kRed, 7, 0x00FF00u));
  }
  TDrawFloodFill fill(owner);
  fill.SetAttributes(attributes);
  EXPECT_EQ(std::tuple(fill.BrushStyle, fill.FillColor), std::tuple(int(bsCross), 0x00FF00u));
  attributes.BrushStyle = bsClear;
  fill.SetAttributes(attributes);
  EXPECT_EQ(fill.BrushStyle, bsSolid);  // a clear fill would paint nothing
  TDrawText text(owner);
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
  TDrawText text(owner);  // a class without a dialog is a fault the user hears of
  EXPECT_FALSE(text.EditDialog());
  EXPECT_EQ(Told(messages), "E|OK|Unknown Error\n");
}

// ---- drawing ----------------------------------------------------------------------

std::unique_ptr<TDrawInclosedShape> Shape(TTestOwner& owner, int kind, TPoint p1, TPoint p2) {
  return MakeLabel<TDrawInclosedShape>(owner, p1, p2, kind);
}

TEST(LabelDraw, BoxesCoverTheirBoxWithoutTheFarEdgesDraggedEitherWay) {
  TTestOwner owner, reversed, round, expected;
  Shape(owner, ltRectangle, {20, 20}, {60, 50})->Draw();
  Shape(reversed, ltRectangle, {60, 50}, {20, 20})->Draw();
  EXPECT_EQ(reversed.Snapshot(), owner.Snapshot());
  for (auto [x, y] : {std::pair{20, 20}, {59, 20}, {20, 49}, {59, 49}}) EXPECT_EQ(owner.At(x, y), kBlack) << x << "," << y;
  for (auto [x, y] : {std::pair{60, 50}, {60, 35}, {40, 50}, {40, 35}}) EXPECT_EQ(owner.At(x, y), kWhite) << x << "," << y;
  Shape(round, ltRoundRect, {121, 71}, {20, 20})->Draw();  // 101 by 51: a 50 by 25 corner ellipse
  expected.Canvas().Brush().style = bsClear;
  expected.Canvas().RoundRect(20, 20, 121, 71, 50, 25);
  EXPECT_EQ(round.Snapshot(), expected.Snapshot());
}

TEST(LabelDraw, ClearStylesNeverMakeALabelInvisible) {
  TTestOwner owner;
  auto rect = Shape(owner, ltRectangle, {20, 20}, {60, 50});
  rect->PenStyle = psClear;  // with a clear brush the outline draws solid
  rect->Draw();
  EXPECT_EQ(std::tuple(owner.At(20, 20), owner.At(40, 35)), std::tuple(kBlack, kWhite));
  owner.Clear();
  rect->BrushStyle = bsSolid;  // over a solid brush: no outline at all
  rect->BrushColor = kRed;
  rect->Draw();
  EXPECT_EQ(owner.Count(kRed, 20, 20, 60, 50), 40 * 30);
  EXPECT_EQ(owner.Count(kBlack, 0, 0, 300, 200), 0);
  owner.Clear();
  auto line = MakeLabel<TDrawLine>(owner, {10, 10}, {50, 10});
  line->PenStyle = psClear;  // as a file might hold it
  line->PenColor = kRed;
  line->Draw();
  EXPECT_EQ(owner.Count(kRed, 0, 0, 300, 200), 40);
  EXPECT_EQ(owner.At(50, 10), kWhite);
  TDrawFloodFill fill(owner);
  fill.Seed = {5, 5};
  fill.FillColor = kBlue;
  fill.BrushStyle = bsClear;  // as a file might hold it: fills solid
  fill.Draw();
  EXPECT_EQ(owner.Count(kBlue, 0, 0, 300, 200), 300 * 200 - 40);
}

TEST(LabelDraw, FreeHandDrawsItsWholeStrokeFromItsOrigin) {
  TTestOwner owner;
  auto stroke = MakeStroke(owner, {{10, 100}});  // 280 points: three runs through the buffer
  for (int i = 1; i < 280; ++i) stroke->MouseAction(10 + i, 100 + (i / 40) % 2, mpCreateDrag);
  const QImage whileDrawn = owner.Snapshot();
  owner.Clear();
  stroke->Draw();
  EXPECT_EQ(owner.Snapshot(), whileDrawn);
  for (int i = 0; i < 279; ++i) ASSERT_EQ(owner.At(10 + i, 100 + (i / 40) % 2), kBlack) << i;
  EXPECT_EQ(owner.At(289, 100), kWhite);
  owner.Clear();
  stroke->DrawShape({10, 150}, {0, 0}, dmNormal);  // moved by its origin
  EXPECT_EQ(owner.Count(kBlack, 0, 150, 300, 152), 279);
}

TEST(LabelDraw, TextIsTransparentAndEraseShowsTheOwnersBackground) {
  TTestOwner owner;
  owner.Scribble();
  const QImage before = owner.Snapshot();
  TDrawText text(owner);
  text.SetText({30, 40}, "Hello", {"DejaVu Sans", kRed, 0, 12});
  text.DrawShape(text.P1, text.P2, dmErase);  // text erases nothing
  EXPECT_EQ(owner.Snapshot(), before);
  text.Draw();
  const QImage after = owner.Snapshot();
  int changed = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x)
      if (after.pixel(x, y) != before.pixel(x, y)) {
        ++changed;
        EXPECT_TRUE(owner.At(x, y) == kRed && x >= 30 && x < text.P2.x && y >= 40 && y < text.P2.y) << x << "," << y;
      }
  EXPECT_GT(changed, 20);

  TTestOwner coloured;
  coloured.background = 0xC0FFEE;
  coloured.Clear();
  const QImage empty = coloured.Snapshot();
  auto ellipse = Shape(coloured, ltEllipse, {20, 20}, {120, 90});
  ellipse->PenWidth = 4;
  ellipse->BrushStyle = bsDiagCross;
  ellipse->Draw();
  ellipse->DrawShape(ellipse->P1, ellipse->P2, dmErase);
  EXPECT_EQ(coloured.Snapshot(), empty);
}

TEST(LabelDraw, LabelsDrawInListOrderAndLoseTheirMarkers) {
  TTestOwner owner;
  TLabelList labels;
  for (const TColor color : {kRed, kBlue}) {
    auto rect = Shape(owner, ltRectangle, {20, 20}, {60, 60});
    rect->BrushStyle = bsSolid;
    rect->BrushColor = color;
    labels.push_back(std::move(rect));
  }
  labels[0]->MarkerShown = true;
  DrawLabels(labels);
  EXPECT_EQ(owner.At(40, 40), kBlue);
  EXPECT_FALSE(labels[0]->MarkerShown);
  std::swap(labels[0], labels[1]);
  DrawLabels(labels);
  EXPECT_EQ(owner.At(40, 40), kRed);
}

TEST(LabelDraw, RubberBandFollowsTheDrag) {
  TTestOwner owner;
  TDrawInclosedShape rect(owner, ltRectangle);
  rect.MouseAction(20, 20, mpCreatePress);
  rect.MouseAction(60, 50, mpCreateDrag);
  EXPECT_EQ(owner.At(59, 35), kBlack);
  rect.MouseAction(80, 70, mpCreateDrag);
  EXPECT_EQ(std::tuple(owner.At(59, 35), owner.At(79, 35), owner.At(40, 20)), std::tuple(kWhite, kBlack, kBlack));
  owner.Clear();
  rect.Draw();  // a move erases the label and bands its new place; the window redraws at release
  rect.MouseAction(20, 40, mpPressMove);
  rect.MouseAction(30, 40, mpMoveFirst);
  EXPECT_EQ(std::tuple(owner.At(20, 40), owner.At(30, 40)), std::tuple(kWhite, kBlack));
  EXPECT_EQ(rect.P1, (TPoint{20, 20}));
}

// Every kind of label, with styles that take every drawing path of the canvas.
std::vector<std::unique_ptr<TDrawBaseClass>> EveryKind(TTestOwner& owner) {
  std::vector<std::unique_ptr<TDrawBaseClass>> labels;
  auto rect = Shape(owner, ltRectangle, {20, 20}, {90, 70});
  rect->BrushStyle = bsSolid;
  rect->BrushColor = 0x00A0FF;
  labels.push_back(std::move(rect));
  auto ellipse = Shape(owner, ltEllipse, {150, 30}, {100, 90});
  ellipse->PenWidth = 4;
  ellipse->BrushStyle = bsFDiagonal;
  labels.push_back(std::move(ellipse));
  auto round = Shape(owner, ltRoundRect, {10, 100}, {14, 180});
  round->PenStyle = psDash;
  labels.push_back(std::move(round));
  auto line = MakeLabel<TDrawLine>(owner, {200, 20}, {280, 180});
  line->PenWidth = 3;
  line->PenColor = kRed;
  labels.push_back(std::move(line));
  labels.push_back(MakeLabel<TDrawLine>(owner, {-5, 195}, {4, 190}));
  auto stroke = MakeStroke(owner, {{150, 150}});
  for (int i = 1; i < 120; ++i) stroke->MouseAction(150 + i % 40, 150 + i / 3, mpCreateDrag);
  labels.push_back(std::move(stroke));
  auto text = std::make_unique<TDrawText>(owner);
  text->SetText({40, 120}, "f(x) = x^2", DefaultFont());
  labels.push_back(std::move(text));
  labels.push_back(Fill({120, 100})(owner));
  return labels;
}

// Not-xor: a rubber band or a marker drawn twice leaves every pixel as it was, at every depth.
TEST(LabelDraw, RubberBandsAndMarkersTwiceRestoreThePicture) {
  for (const int depth : {32, 24, 16, 15, 8, 4}) {
    TTestOwner owner(300, 200, depth);
    auto labels = EveryKind(owner);
    owner.Scribble();
    DrawLabels(labels);
    const QImage before = owner.Snapshot();
    for (auto& base : labels) {
      SCOPED_TRACE(std::to_string(depth) + " bits: " + base->GetDescription());
      base->ToggleMarker();
      EXPECT_NE(owner.Snapshot(), before);
      base->ToggleMarker();
      EXPECT_EQ(owner.Snapshot(), before);
      if (auto* label = dynamic_cast<TDrawLabel*>(base.get())) {
        label->DrawShape(label->P1, label->P2, dmRubberBand);
        EXPECT_NE(owner.Snapshot(), before);
        label->DrawShape(label->P1, label->P2, dmRubberBand);
        EXPECT_EQ(owner.Snapshot(), before);
      }
    }
    auto& fill = dynamic_cast<TDrawFloodFill&>(*labels.back());
    fill.ToggleLocationMarker();
    EXPECT_NE(owner.Snapshot(), before);
    fill.ToggleLocationMarker();
    EXPECT_EQ(owner.Snapshot(), before);
  }
}

TEST(LabelDraw, MarkersSitOnCornersEndsAndAlongStrokes) {
  const struct {
    const char* what;
    TLabelMaker make;
    std::vector<TPoint> marked, unmarked;  // centres of marker squares
  } rows[] = {
      {"a big box has four", Box(ltRectangle, {150, 120}, {50, 50}), {{50, 50}, {150, 50}, {50, 120}, {150, 120}}, {}},
      {"a narrow box only the left ones", Box(ltEllipse, {50, 50}, {58, 120}), {{50, 50}, {50, 120}},
       {{58, 50}, {58, 120}}},
      {"a flat text only the top ones", Text({50, 50}, {150, 58}), {{50, 50}, {150, 50}}, {{150, 58}}},
      {"a long line its middle too", Line({20, 100}, {80, 100}), {{20, 100}, {80, 100}, {50, 100}}, {}},
      {"a short line no middle", Line({20, 100}, {44, 100}), {{20, 100}, {44, 100}}, {{32, 100}}},
      {"a closed stroke marks its start once", Stroke({{100, 100}, {140, 100}, {140, 140}, {103, 103}}), {{100, 100}},
       {{103, 103}}},
  };
  for (const auto& r : rows) {
    TTestOwner owner;
    auto label = r.make(owner);
    owner.Clear();
    label->ToggleMarker();
    // The square's outline passes 3 pixels above its centre.
    for (TPoint p : r.marked) EXPECT_EQ(owner.At(p.x, p.y - 3), kBlack) << r.what << " " << p.x << "," << p.y;
    for (TPoint p : r.unmarked) EXPECT_EQ(owner.At(p.x + 4, p.y - 3), kWhite) << r.what << " " << p.x << "," << p.y;
  }
  TTestOwner owner;  // a stroke every quarter of its points
  auto stroke = MakeStroke(owner, {{10, 100}});
  for (int i = 1; i < 96; ++i) stroke->MouseAction(10 + 2 * i, 100, mpCreateDrag);
  owner.Clear();
  stroke->ToggleMarker();
  for (const int x : {10, 58, 106, 154, 200}) EXPECT_EQ(owner.At(x, 97), kBlack) << x;
  for (const int x : {82, 130}) EXPECT_EQ(owner.At(x + 4, 97), kWhite) << x;
  // A flood fill's selection is a cross, its location an X.
  TDrawFloodFill fill(owner);
  fill.Seed = {100, 50};
  owner.Clear();
  fill.ToggleMarker();
  EXPECT_EQ(std::tuple(owner.At(95, 50), owner.At(100, 45), owner.At(96, 46)), std::tuple(kBlack, kBlack, kWhite));
  fill.ToggleMarker();
  fill.ToggleLocationMarker();
  EXPECT_EQ(std::tuple(owner.At(96, 46), owner.At(104, 54), owner.At(95, 50)), std::tuple(kBlack, kBlack, kWhite));
}

}  // namespace
}  // namespace plotix
