// What labels put on the bitmap: each shape kind, hatch brushes, flood fills, the
// erase and rubber-band modes, and selection markers that vanish when drawn twice.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "label_fixtures.h"
#include "labels/label_list.h"

namespace plotix {
namespace {

std::unique_ptr<TDrawInclosedShape> Shape(TTestOwner& owner, int kind, TPoint p1, TPoint p2) {
  return MakeLabel<TDrawInclosedShape>(owner, p1, p2, kind);
}

TEST(LabelDraw, RectangleCoversItsBoxWithoutTheFarEdges) {
  TTestOwner owner;
  Shape(owner, ltRectangle, {20, 20}, {60, 50})->Draw();
  for (auto [x, y] : {std::pair{20, 20}, {59, 20}, {20, 49}, {59, 49}, {40, 20}, {20, 35}})
    EXPECT_EQ(owner.At(x, y), kBlack) << x << "," << y;
  for (auto [x, y] : {std::pair{60, 50}, {60, 35}, {40, 50}, {40, 35}, {19, 20}})
    EXPECT_EQ(owner.At(x, y), kWhite) << x << "," << y;
  // Dragged the other way it is the same box.
  TTestOwner reversed;
  Shape(reversed, ltRectangle, {60, 50}, {20, 20})->Draw();
  EXPECT_EQ(reversed.Snapshot(), owner.Snapshot());
}

TEST(LabelDraw, EllipseAndRoundRectangle) {
  TTestOwner owner;
  Shape(owner, ltEllipse, {20, 20}, {60, 50})->Draw();
  EXPECT_EQ(owner.At(20, 20), kWhite);
  EXPECT_EQ(owner.At(40, 35), kWhite);
  EXPECT_GT(owner.Count(kBlack, 38, 20, 42, 21), 0);
  EXPECT_GT(owner.Count(kBlack, 20, 33, 21, 37), 0);
  EXPECT_EQ(owner.Count(kBlack, 0, 0, 300, 19) + owner.Count(kBlack, 0, 50, 300, 200), 0);

  // 101 by 51 pixels: a 50 by 25 corner ellipse.
  TTestOwner round;
  Shape(round, ltRoundRect, {121, 71}, {20, 20})->Draw();
  TTestOwner expected;
  expected.Canvas().Pen() = {};
  expected.Canvas().Brush().style = bsClear;
  expected.Canvas().RoundRect(20, 20, 121, 71, 50, 25);
  EXPECT_EQ(round.Snapshot(), expected.Snapshot());
  EXPECT_EQ(round.At(20, 20), kWhite);
  EXPECT_EQ(round.At(70, 20), kBlack);
}

TEST(LabelDraw, PenAndBrushStylesOfBoxes) {
  TTestOwner owner;
  auto rect = Shape(owner, ltRectangle, {20, 20}, {60, 50});
  // Clear pen and clear brush would be invisible: the outline draws solid.
  rect->PenStyle = psClear;
  rect->Draw();
  EXPECT_EQ(owner.At(20, 20), kBlack);
  EXPECT_EQ(owner.At(40, 35), kWhite);
  // Clear pen over a solid brush: no outline at all.
  owner.Clear();
  rect->BrushStyle = bsSolid;
  rect->BrushColor = kRed;
  rect->Draw();
  EXPECT_EQ(owner.At(20, 20), kRed);
  EXPECT_EQ(owner.At(40, 35), kRed);
  EXPECT_EQ(owner.Count(kBlack, 0, 0, 300, 200), 0);
}

TEST(LabelDraw, HatchBrushesFillWithStripes) {
  const struct {
    int style;
    std::function<bool(int x, int y)> striped;
  } cases[] = {
      {bsHorizontal, [](int, int y) { return (y & 7) == 3; }},
      {bsVertical, [](int x, int) { return (x & 7) == 4; }},
      {bsCross, [](int x, int y) { return (y & 7) == 3 || (x & 7) == 4; }},
  };
  for (const auto& c : cases) {
    TTestOwner owner;
    auto rect = Shape(owner, ltRectangle, {16, 16}, {56, 56});
    rect->BrushColor = kRed;
    rect->SetBrushStyle(c.style);
    rect->Draw();
    for (int y = 17; y < 55; ++y)
      for (int x = 17; x < 55; ++x)
        ASSERT_EQ(owner.At(x, y), c.striped(x, y) ? kRed : kWhite) << c.style << ": " << x << "," << y;
  }
}

TEST(LabelDraw, LinesDrawSolidWhateverTheirClearStyle) {
  TTestOwner owner;
  auto line = MakeLabel<TDrawLine>(owner, {10, 10}, {50, 10});
  line->PenStyle = psClear;  // as a file might hold it
  line->PenColor = kRed;
  line->Draw();
  EXPECT_EQ(owner.Count(kRed, 10, 10, 50, 11), 40);
  EXPECT_EQ(owner.At(50, 10), kWhite);  // the end pixel stays out

  // The pen width holds in every mode.
  owner.Clear();
  line->PenWidth = 5;
  line->Draw();
  EXPECT_EQ(owner.At(30, 12), kRed);
  EXPECT_EQ(owner.At(30, 13), kWhite);
  line->DrawShape(line->P1, line->P2, dmErase);
  EXPECT_EQ(owner.Count(kWhite, 0, 0, 300, 200), 300 * 200);
}

TEST(LabelDraw, FreeHandDrawsItsWholeStroke) {
  TTestOwner owner;
  // 280 points: three runs through the 128-point buffer.
  auto stroke = std::make_unique<TDrawFreeHand>(owner);
  stroke->MouseAction(10, 100, mpCreatePress);
  for (int i = 1; i < 280; ++i) stroke->MouseAction(10 + i, 100 + (i / 40) % 2, mpCreateDrag);
  const QImage whileDrawn = owner.Snapshot();
  owner.Clear();
  stroke->Draw();
  EXPECT_EQ(owner.Snapshot(), whileDrawn);
  for (int i = 0; i < 279; ++i) ASSERT_EQ(owner.At(10 + i, 100 + (i / 40) % 2), kBlack) << i;
  EXPECT_EQ(owner.At(289, 100), kWhite);

  // Moved by its origin: the offsets go with it.
  owner.Clear();
  stroke->DrawShape({10, 150}, {0, 0}, dmNormal);
  EXPECT_EQ(owner.At(100, 150 + (90 / 40) % 2), kBlack);
  EXPECT_EQ(owner.Count(kBlack, 0, 95, 300, 105), 0);

  // A single point paints nothing.
  owner.Clear();
  MakeStroke(owner, {{40, 40}})->Draw();
  EXPECT_EQ(owner.Count(kWhite, 0, 0, 300, 200), 300 * 200);
}

TEST(LabelDraw, TextIsWrittenTransparentlyInItsBox) {
  TTestOwner owner;
  owner.Scribble();
  const QImage before = owner.Snapshot();
  TDrawText text(owner);
  TFontDesc font = DefaultFont();
  font.color = kRed;
  font.size = 12;
  text.SetText({30, 40}, "Hello", font);
  text.DrawShape(text.P1, text.P2, dmErase);
  EXPECT_EQ(owner.Snapshot(), before);
  text.MarkerShown = true;
  text.Draw();
  EXPECT_FALSE(text.MarkerShown);
  const QImage after = owner.Snapshot();
  int changed = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x) {
      if (after.pixel(x, y) == before.pixel(x, y)) continue;
      ++changed;
      EXPECT_EQ(owner.At(x, y), kRed) << x << "," << y;
      EXPECT_TRUE(x >= text.P1.x && x < text.P2.x && y >= text.P1.y && y < text.P2.y) << x << "," << y;
    }
  EXPECT_GT(changed, 20);
}

TEST(LabelDraw, FloodFillsTheSeedsRegion) {
  TTestOwner owner;
  Shape(owner, ltRectangle, {20, 20}, {80, 60})->Draw();
  TDrawFloodFill inside(owner);
  inside.Seed = {50, 40};
  inside.FillColor = kRed;
  inside.BrushStyle = bsClear;  // clear fills solid
  inside.Draw();
  EXPECT_EQ(owner.Count(kRed, 21, 21, 79, 59), 58 * 38);
  EXPECT_EQ(owner.At(20, 20), kBlack);
  EXPECT_EQ(owner.At(10, 10), kWhite);

  TDrawFloodFill outside(owner);
  outside.Seed = {5, 5};
  outside.FillColor = kBlue;
  outside.BrushStyle = bsSolid;
  outside.Draw();
  EXPECT_EQ(owner.At(299, 199), kBlue);
  EXPECT_EQ(owner.At(50, 40), kRed);

  // Nothing off the bitmap.
  const QImage before = owner.Snapshot();
  for (TPoint seed : {TPoint{-1, 5}, TPoint{300, 5}, TPoint{5, 200}}) {
    TDrawFloodFill off(owner);
    off.Seed = seed;
    off.Draw();
    EXPECT_EQ(owner.Snapshot(), before);
  }
}

TEST(LabelDraw, HatchedFloodFillLeavesTheGaps) {
  TTestOwner owner;
  Shape(owner, ltRectangle, {16, 16}, {56, 56})->Draw();
  TDrawFloodFill fill(owner);
  fill.Seed = {30, 30};
  fill.FillColor = kRed;
  fill.BrushStyle = bsHorizontal;
  fill.Draw();
  for (int y = 17; y < 55; ++y) EXPECT_EQ(owner.At(30, y), (y & 7) == 3 ? kRed : kWhite) << y;
  EXPECT_EQ(owner.At(5, 3), kWhite);
}

TEST(LabelDraw, EraseUsesTheOwnersBackground) {
  TTestOwner owner;
  owner.background = 0xC0FFEE;
  owner.Clear();
  const QImage empty = owner.Snapshot();
  auto ellipse = Shape(owner, ltEllipse, {20, 20}, {120, 90});
  ellipse->PenWidth = 4;
  ellipse->PenColor = kRed;
  ellipse->BrushStyle = bsDiagCross;
  ellipse->BrushColor = kBlue;
  ellipse->Draw();
  EXPECT_NE(owner.Snapshot(), empty);
  ellipse->DrawShape(ellipse->P1, ellipse->P2, dmErase);
  EXPECT_EQ(owner.Snapshot(), empty);
}

TEST(LabelDraw, LabelsDrawInListOrder) {
  TTestOwner owner;
  TLabelList labels;
  for (TColor color : {kRed, kBlue}) {
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

TEST(LabelDraw, RubberBandShowsWhileDragging) {
  TTestOwner owner;
  TDrawInclosedShape rect(owner, ltRectangle);
  rect.MouseAction(20, 20, mpCreatePress);
  rect.MouseAction(60, 50, mpCreateDrag);
  EXPECT_EQ(owner.At(40, 20), kBlack);
  EXPECT_EQ(owner.At(59, 35), kBlack);
  rect.MouseAction(80, 70, mpCreateDrag);
  EXPECT_EQ(owner.At(59, 35), kWhite);
  EXPECT_EQ(owner.At(79, 35), kBlack);
  EXPECT_EQ(owner.At(40, 20), kBlack);

  // A move erases the label and bands its new place; the release leaves the redraw to
  // the window.
  owner.Clear();
  rect.Draw();
  rect.MouseAction(20, 40, mpPressMove);
  rect.MouseAction(30, 40, mpMoveFirst);
  EXPECT_EQ(owner.At(20, 40), kWhite);
  EXPECT_EQ(owner.At(30, 40), kBlack);
  EXPECT_EQ(rect.P1, (TPoint{20, 20}));

  // Free hand draws in copy mode at once.
  owner.Clear();
  auto stroke = MakeStroke(owner, {{20, 10}, {60, 10}});
  EXPECT_EQ(owner.At(40, 10), kBlack);
}

// Every kind of label with a busy background under it.
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
  auto fill = std::make_unique<TDrawFloodFill>(owner);
  fill->Seed = {120, 100};
  labels.push_back(std::move(fill));
  return labels;
}

TEST(LabelDraw, RubberBandTwiceRestoresThePicture) {
  TTestOwner owner;
  auto labels = EveryKind(owner);
  owner.Scribble();
  const QImage before = owner.Snapshot();
  for (auto& base : labels) {
    auto* label = dynamic_cast<TDrawLabel*>(base.get());
    if (!label) continue;
    label->DrawShape(label->P1, label->P2, dmRubberBand);
    EXPECT_NE(owner.Snapshot(), before) << label->GetDescription();
    label->DrawShape(label->P1, label->P2, dmRubberBand);
    EXPECT_EQ(owner.Snapshot(), before) << label->GetDescription();
  }
}

TEST(LabelDraw, MarkersTwiceRestoreThePicture) {
  TTestOwner owner;
  auto labels = EveryKind(owner);
  owner.Scribble();
  DrawLabels(labels);
  const QImage before = owner.Snapshot();
  for (auto& label : labels) {
    label->ToggleMarker();
    EXPECT_TRUE(label->MarkerShown);
    EXPECT_NE(owner.Snapshot(), before) << label->GetDescription();
    label->ToggleMarker();
    EXPECT_FALSE(label->MarkerShown);
    EXPECT_EQ(owner.Snapshot(), before) << label->GetDescription();
  }
  auto& fill = dynamic_cast<TDrawFloodFill&>(*labels.back());
  fill.ToggleLocationMarker();
  EXPECT_NE(owner.Snapshot(), before);
  fill.ToggleLocationMarker();
  EXPECT_EQ(owner.Snapshot(), before);
  // With its selection marker shown a flood fill shows no location X.
  fill.ToggleMarker();
  const QImage selected = owner.Snapshot();
  fill.ToggleLocationMarker();
  EXPECT_EQ(owner.Snapshot(), selected);
}

TEST(LabelDraw, MarkersSitOnCornersEndsAndAlongStrokes) {
  const struct {
    const char* what;
    std::function<std::unique_ptr<TDrawBaseClass>(TTestOwner&)> make;
    std::vector<TPoint> marked, unmarked;  // (x, y) of the marker squares' centres
  } cases[] = {
      {"a big box has four",
       [](TTestOwner& o) {
         return Shape(o, ltRectangle, {150, 120}, {50, 50});
       },
       {{50, 50}, {150, 50}, {50, 120}, {150, 120}},
       {}},
      {"a narrow box only the left ones",
       [](TTestOwner& o) {
         return Shape(o, ltEllipse, {50, 50}, {58, 120});
       },
       {{50, 50}, {50, 120}},
       {{58, 50}, {58, 120}}},
      {"a flat text only the top ones",
       [](TTestOwner& o) {
         auto text = std::make_unique<TDrawText>(o);
         text->P1 = {50, 50};
         text->P2 = {150, 58};
         return text;
       },
       {{50, 50}, {150, 50}},
       {{150, 58}}},
      {"a long line its middle too",
       [](TTestOwner& o) {
         return MakeLabel<TDrawLine>(o, {20, 100}, {80, 100});
       },
       {{20, 100}, {80, 100}, {50, 100}},
       {}},
      {"a short line no middle",
       [](TTestOwner& o) {
         return MakeLabel<TDrawLine>(o, {20, 100}, {44, 100});
       },
       {{20, 100}, {44, 100}},
       {{32, 100}}},
      {"a stroke every quarter",
       [](TTestOwner& o) {
         auto stroke = MakeStroke(o, {{10, 100}});
         for (int i = 1; i < 96; ++i) stroke->MouseAction(10 + 2 * i, 100, mpCreateDrag);
         return stroke;
       },
       {{10, 100}, {58, 100}, {106, 100}, {154, 100}, {200, 100}},
       {{82, 100}, {130, 100}}},
      {"a stroke that returns skips crowded squares",
       [](TTestOwner& o) {
         // Out and back, then away: its middle point (20 of 40) lies by the first.
         auto stroke = MakeStroke(o, {{100, 100}});
         for (int i = 1; i < 40; ++i) {
           const TPoint p = i < 10   ? TPoint{100 + 4 * i, 100}
                            : i < 20 ? TPoint{134 - 4 * (i - 10), 101}
                                     : TPoint{103, 100 + 3 * (i - 20)};
           stroke->MouseAction(p.x, p.y, mpCreateDrag);
         }
         return stroke;
       },
       {{100, 100}, {103, 157}},
       {{103, 100}}},
      {"a closed stroke marks its start once",
       [](TTestOwner& o) {
         return MakeStroke(o, {{100, 100}, {140, 100}, {140, 140}, {103, 103}});
       },
       {{100, 100}},
       {{103, 103}}},
  };
  for (const auto& c : cases) {
    TTestOwner owner;
    auto label = c.make(owner);
    owner.Clear();
    label->ToggleMarker();
    // The square's outline passes 3 pixels above its centre.
    for (TPoint p : c.marked) EXPECT_EQ(owner.At(p.x, p.y - 3), kBlack) << c.what << " " << p.x << "," << p.y;
    for (TPoint p : c.unmarked) EXPECT_EQ(owner.At(p.x + 4, p.y - 3), kWhite) << c.what << " " << p.x << "," << p.y;
  }
}

TEST(LabelDraw, FloodFillMarkersAreACrossAndAnX) {
  TTestOwner owner;
  TDrawFloodFill fill(owner);
  fill.Seed = {100, 100};
  fill.ToggleMarker();
  EXPECT_EQ(owner.At(95, 100), kBlack);
  EXPECT_EQ(owner.At(106, 100), kBlack);
  EXPECT_EQ(owner.At(100, 95), kBlack);
  EXPECT_EQ(owner.At(96, 96), kWhite);
  fill.ToggleMarker();
  fill.ToggleLocationMarker();
  EXPECT_EQ(owner.At(96, 96), kBlack);
  EXPECT_EQ(owner.At(104, 104), kBlack);
  EXPECT_EQ(owner.At(104, 96), kBlack);
  EXPECT_EQ(owner.At(95, 100), kWhite);
}

}  // namespace
}  // namespace plotix
