// The label model, what labels put on the bitmap and their records in graph files:
// descriptions, hit distances, handles, mouse gestures, free-hand strokes, drawing, rubber
// bands and markers; round trips and bytes, format 1, and records that lie.
#include <gtest/gtest.h>

#include <functional>
#include <typeinfo>

#include "../files/file_fixtures.h"
#include "../told.h"
#include "files/graph_file.h"
#include "label_fixtures.h"
#include "labels/label_list.h"

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
      {Stroke({{5, 6}, {20, 30}}), "Free Hand: Origin Point(5, 6)"},
      {Line({1, 2}, {3, 4}), "Line: Origin Point(1, 2) End Point(3, 4)"},
  };
  TTestOwner owner;
  for (const auto& r : rows) EXPECT_EQ(r.make(owner)->GetDescription(), r.text);
}

TEST(LabelModel, DistancesMeasureHowNearAPointIs) {
  const struct {
    TLabelMaker make;
    int x, y, distance;
  } rows[] = {
      {Box(ltRectangle, {10, 10}, {110, 110}), 15, 60, 5},  // inside the edge
      {Box(ltRectangle, {110, 110}, {10, 10}), 0, 0, 14},   // off a corner
      {Text({10, 10}, {60, 30}), 65, 20, 5},                // beside text
      {Line({0, 0}, {100, 50}), 40, 26, 5},                 // 6 from a sloped line counts as 5
      {Stroke({{20, 20}, {60, 20}, {60, 60}}), 40, 23, 3},  // over a stroke's segment
  };
  TTestOwner owner;
  for (const auto& r : rows) EXPECT_EQ(r.make(owner)->Distance(r.x, r.y), r.distance) << r.x << "," << r.y;
}

TEST(LabelModel, APressPicksTheNearestHandleAndItsCursor) {
  const TLabelMaker box = Box(ltRectangle, {100, 100}, {200, 160}), line = Line({10, 10}, {100, 10});
  const struct {
    TLabelMaker make;
    int x, y, handle;
    Qt::CursorShape cursor;
  } rows[] = {
      {box, 102, 98, 3, Qt::SizeFDiagCursor},
      {box, 204, 130, 10, Qt::SizeHorCursor},
      {line, 12, 12, 1, Qt::SizeAllCursor},
      // Equal distances: top-left before bottom-right, a line's end before its origin.
      {Box(ltRectangle, {100, 100}, {104, 104}), 102, 102, 3, Qt::SizeFDiagCursor},
      {Line({10, 10}, {14, 10}), 12, 10, 2, Qt::SizeAllCursor},
  };
  TTestOwner owner;
  for (const auto& r : rows) {
    auto label = r.make(owner);
    auto& shape = dynamic_cast<TDrawShape&>(*label);
    shape.MouseAction(r.x, r.y, mpPressResize);
    EXPECT_EQ(std::tuple(shape.Handle, shape.GetCursor()), std::tuple(r.handle, r.cursor)) << r.x << "," << r.y;
    shape.MouseAction(r.x, r.y, mpPressMove);  // a move-only press forgets the handle
    EXPECT_EQ(shape.Handle, 0);
  }
}

// Each row: the mouse steps (x, y, phase), then the label's two points.
TEST(LabelModel, GesturesMoveAndResizeButNeverWhollyOffTheBitmap) {
  const TLabelMaker box = Box(ltRectangle, {100, 100}, {200, 160}), line = Line({10, 10}, {100, 10});
  const struct {
    TLabelMaker make;
    std::vector<int> steps;
    TPoint p1, p2;
  } rows[] = {
      {box, {150, 100, 3, 160, 110, 5, 180, 130, 7}, {130, 130}, {230, 190}},                                // move
      {Box(ltEllipse, {200, 160}, {100, 100}), {100, 100, 4, 90, 95, 8, 80, 90, 10}, {80, 90}, {200, 160}},  // a corner
      {box, {100, 100, 3, 90, 95, 5, 80, 90, 7}, {80, 90}, {180, 150}},                        // move-only: no resize
      {line, {10, 10, 4, 30, 40, 8, 20, 30, 10}, {20, 30}, {100, 10}},                         // the origin
      {Stroke({{20, 20}, {60, 20}}), {40, 20, 4, 40, 30, 8, 45, 30, 10}, {25, 30}, {65, 30}},  // strokes move
      {box, {150, 100, 3, 300, 100, 5, 500, 100, 7}, {100, 100}, {200, 160}},                  // wholly off: cancelled
      {line, {100, 10, 4, 100, -100, 8, 100, -100, 10}, {10, 10}, {100, -100}},                // but not its end alone
  };
  for (const auto& r : rows) {
    TTestOwner owner;
    auto made = r.make(owner);
    auto& label = dynamic_cast<TDrawLabel&>(*made);
    for (std::size_t i = 0; i < r.steps.size(); i += 3) label.MouseAction(r.steps[i], r.steps[i + 1], r.steps[i + 2]);
    EXPECT_EQ(std::tuple(label.P1, label.P2, label.MarkerShown), std::tuple(r.p1, r.p2, false)) << r.steps[0];
  }
  for (const auto& [to, seed] :
       {std::pair{TPoint{80, 70}, TPoint{80, 70}}, std::pair{TPoint{400, 55}, TPoint{50, 50}}}) {
    TTestOwner owner;
    TDrawFloodFill fill(owner);
    fill.Seed = {50, 50};
    fill.MouseAction(50, 50, mpPressMove);
    fill.MouseAction(60, 55, mpMoveFirst);
    fill.MouseAction(to.x, to.y, mpMoveRelease);
    EXPECT_EQ(fill.Seed, seed);  // a seed moves only onto the bitmap
  }
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
  EXPECT_EQ(
      std::tuple(stroke.P2, stroke.Offset(32), stroke.Bounds, stroke.Blocks()[0].Bounds, stroke.Blocks()[1].Bounds),
      std::tuple(TPoint{41, 5}, TFreeHandOffset{31, -5}, TRect{0, -5, 31, 0}, TRect{0, 0, 31, 0}, TRect{0, -5, 31, 0}));
  for (int i = 1; i <= 16100; ++i) stroke.MouseAction(20 + i % 2, 20, mpCreateDrag);
  EXPECT_EQ(std::tuple(stroke.PointCount, stroke.BlockCount(), stroke.LastBlockUsed), std::tuple(16001, 501, 1));
  stroke.MouseAction(5, 6, mpCreatePress);  // a new press starts a new stroke
  EXPECT_EQ(std::tuple(stroke.PointCount, stroke.BlockCount(), stroke.Bounds), std::tuple(1, 1, TRect{}));
}

// ---- drawing ----------------------------------------------------------------------

TEST(LabelDraw, ClearStylesNeverMakeALabelInvisible) {
  TTestOwner owner;
  auto rect = MakeLabel<TDrawInclosedShape>(owner, {20, 20}, {60, 50}, int(ltRectangle));
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

// Every kind of label, with styles that take every drawing path of the canvas.
std::vector<std::unique_ptr<TDrawBaseClass>> EveryKind(TTestOwner& owner) {
  std::vector<std::unique_ptr<TDrawBaseClass>> labels;
  for (const TLabelMaker& make :
       {Box(ltRectangle, {20, 20}, {90, 70}), Box(ltEllipse, {150, 30}, {100, 90}),
        Box(ltRoundRect, {10, 100}, {14, 180}), Line({200, 20}, {280, 180}), Line({-5, 195}, {4, 190}),
        Stroke({{150, 150}, {190, 160}, {151, 190}}), Text({40, 120}, {100, 135}, "f(x) = x^2"), Fill({120, 100})})
    labels.push_back(make(owner));
  auto& rect = dynamic_cast<TDrawShape&>(*labels[0]);
  rect.BrushStyle = bsSolid;
  rect.BrushColor = 0x00A0FF;
  dynamic_cast<TDrawShape&>(*labels[1]).PenWidth = 4;
  dynamic_cast<TDrawShape&>(*labels[1]).BrushStyle = bsFDiagonal;
  dynamic_cast<TDrawShape&>(*labels[2]).PenStyle = psDash;
  dynamic_cast<TDrawShape&>(*labels[3]).PenWidth = 3;
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
    TLabelMaker make;
    std::vector<TPoint> marked, unmarked;  // centres of marker squares
  } rows[] = {
      {Box(ltRectangle, {150, 120}, {50, 50}), {{50, 50}, {150, 50}, {50, 120}, {150, 120}}, {}},
      {Box(ltEllipse, {50, 50}, {58, 120}), {{50, 50}, {50, 120}}, {{58, 50}, {58, 120}}},  // narrow: the left ones
      {Line({20, 100}, {80, 100}), {{20, 100}, {80, 100}, {50, 100}}, {}},                  // long: the middle too
      {Line({20, 100}, {44, 100}), {{20, 100}, {44, 100}}, {{32, 100}}},
      {Stroke({{100, 100}, {140, 100}, {140, 140}, {103, 103}}), {{100, 100}}, {{103, 103}}},  // closed: the start once
  };
  for (const auto& r : rows) {
    TTestOwner owner;
    auto label = r.make(owner);
    owner.Clear();
    label->ToggleMarker();
    // The square's 5-pixel outline covers rows 1 to 5 above its centre.
    for (TPoint p : r.marked)
      EXPECT_EQ(std::tuple(owner.At(p.x, p.y - 5), owner.At(p.x, p.y - 6)), std::tuple(kBlack, kWhite))
          << label->GetDescription() << " " << p.x;
    for (TPoint p : r.unmarked) EXPECT_EQ(owner.At(p.x + 4, p.y - 3), kWhite) << label->GetDescription() << " " << p.x;
  }
}

// ---- files ------------------------------------------------------------------------

using namespace testbytes;

TBuilder& Rect32(TBuilder& b, int l, int t, int r, int bottom) { return b.I32(l).I32(t).I32(r).I32(bottom); }
// Shape data: pen style, pen colour, width, brush colour, brush style, the two points.
TBuilder& ShapeRecord(TBuilder& b, int pen, int width, int brush, int x1, int y1, int x2, int y2) {
  return Rect32(b.Byte(pen).I32(0).I32(width).I32(0xFFFFFF).Byte(brush), x1, y1, x2, y2);
}
// A free-hand record: bounds, counts, blocks of zero offsets, shape data.
TBuilder StrokeRecord(int points, int blocks, int used, int blocksWritten) {
  TBuilder b;
  Rect32(b.I32(1).I32(ltFreeHand), 0, 0, 0, 0).I32(points).I32(blocks).I32(used);
  for (int k = 0; k < blocksWritten; ++k) Rect32(b, 0, 0, 0, 0).Zeros(128);
  return ShapeRecord(b, 0, 1, 1, 0, 0, 0, 0);
}

class LabelFile : public ::testing::Test {
 protected:
  std::string Save(const TLabelList& labels) {
    TWriteGraphFile writer;
    EXPECT_TRUE(writer.Open(dir.Path("saved.pxg"), 1));
    WriteLabelList(writer, labels);
    EXPECT_TRUE(writer.Close());
    return dir.Path("saved.pxg");
  }
  TLabelList Load(const std::string& path) {
    TReadGraphFile reader;
    TLabelList labels;
    EXPECT_TRUE(reader.Open(path));
    ReadLabelList(reader, owner, labels);
    EXPECT_EQ(reader.Remaining(), 0);
    return labels;
  }
  std::string Put(const TBytes& content, int version) {
    WriteBytes(dir.Path("put.pxg"), GraphFile(content, version, 1, std::to_string(version)));
    return dir.Path("put.pxg");
  }

  TScratchDir dir;
  TTestOwner owner;
  TScopedScriptedMessages messages;
};

TEST_F(LabelFile, EveryKindComesBackAsSavedAndDrawsTheSame) {
  TLabelList saved = EveryKind(owner);
  dynamic_cast<TDrawShape&>(*saved[4]).PenStyle = psDashDot;
  auto& fill = dynamic_cast<TDrawFloodFill&>(*saved.back());
  fill.FillColor = 0xABCDEF;
  fill.BrushStyle = bsBDiagonal;
  auto& text = dynamic_cast<TDrawText&>(*saved[6]);
  text.SetText(text.P1, "Root at x=1.5 ä", {"DejaVu Serif", kRed, fsBold | fsItalic, 15});
  const std::string path = Save(saved);
  const TBytes bytes = ReadBytes(path);
  const TLabelList loaded = Load(path);
  ASSERT_EQ(loaded.size(), saved.size());
  for (std::size_t i = 0; i < saved.size(); ++i) {
    EXPECT_EQ(loaded[i]->GetDescription(), saved[i]->GetDescription());
    EXPECT_EQ(typeid(*loaded[i]), typeid(*saved[i]));
  }
  EXPECT_EQ(ReadBytes(Save(loaded)), bytes);  // every field came back
  owner.Clear();
  DrawLabels(saved);
  const QImage picture = owner.Snapshot();
  owner.Clear();
  DrawLabels(loaded);
  EXPECT_EQ(owner.Snapshot(), picture);
}

TEST_F(LabelFile, TheLongestTextTheDialogTakesComesBack) {
  TLabelList saved;
  std::string text;
  for (int i = 0; i < 32767; ++i) text += "€";  // three bytes each
  saved.push_back(Text({10, 10}, {20, 20}, text)(owner));
  const TLabelList loaded = Load(Save(saved));
  ASSERT_EQ(loaded.size(), 1u);
  EXPECT_EQ(dynamic_cast<const TDrawText&>(*loaded[0]).Text, text);
}

TEST_F(LabelFile, RecordsHaveTheirByteLayout) {
  TLabelList labels;
  auto fill = std::make_unique<TDrawFloodFill>(owner);
  fill->Seed = {-2, 300};
  fill->FillColor = 0x0A0B0C;
  fill->BrushStyle = bsCross;
  labels.push_back(std::move(fill));
  labels.push_back(MakeStroke(owner, {{5, 5}}));
  for (int i = 1; i < 33; ++i) labels.back()->MouseAction(5 + i, 5, mpCreateDrag);
  // Count; flood fill: code, style, seed, colour; free hand: code, bounds, counts, the
  // first block's bounds and 32 offsets, the second block with one point, shape data.
  TBuilder b;
  b.I32(2).I32(ltFloodFill).Byte(bsCross).I32(-2).I32(300).I32(0x0A0B0C);
  Rect32(b.I32(ltFreeHand), 0, 0, 32, 0).I32(33).I32(2).I32(1);
  Rect32(b, 0, 0, 31, 0);
  for (int i = 0; i < 32; ++i) b.I16(i).I16(0);
  Rect32(b, 0, 0, 32, 0).I16(32).I16(0).Zeros(124);
  ShapeRecord(b, psSolid, 1, bsClear, 5, 5, 37, 5);
  EXPECT_EQ(ReadBytes(Save(labels)), GraphFile(b.bytes));
}

TEST_F(LabelFile, FormatOneHasItsFloodFillsLastAndNoBrushes) {
  TBuilder c;
  c.I16(3);
  c.Byte(ltRectangle).Byte(psDot).I16(0).I32(kRed).I16(3).I16(50).I16(40).I16(10).I16(10);
  c.Byte(ltText).I16(5000).I16(20).I16(5010).I16(30).SStr("Old label", 255).Font1("DejaVu Sans", kBlue, 0, 10);
  c.Byte(ltLine).Byte(psClear).I16(0).I32(0).I16(1).I16(-5).I16(-6).I16(7).I16(8);
  c.I16(2).I16(12).I16(13).I32(0x00FF00).Byte(bsClear).I16(-3).I16(4).I32(0xFF00FF).Byte(bsVertical);
  const TLabelList labels = Load(Put(c.bytes, 1));
  ASSERT_EQ(labels.size(), 5u);
  const auto& rect = dynamic_cast<TDrawShape&>(*labels[0]);
  EXPECT_EQ(rect.GetDescription(), "Rectangle: Top Left(50, 40) Bottom Right(10, 10)");
  EXPECT_EQ(std::tuple(rect.PenStyle, rect.PenColor, rect.PenWidth, rect.BrushStyle, rect.BrushColor),
            std::tuple(int(psDot), kRed, 3, int(bsClear), kWhite));
  // Text is measured again and brought back onto the bitmap.
  const auto& text = dynamic_cast<TDrawText&>(*labels[1]);
  EXPECT_EQ(text.Text, "Old label");
  EXPECT_EQ(text.Font, (TFontDesc{"DejaVu Sans", kBlue, 0, 10}));
  owner.Canvas().Font() = text.Font;
  EXPECT_EQ(std::tuple(text.P1, text.P2),
            std::tuple(TPoint{299, 20},
                       TPoint{299 + owner.Canvas().TextWidth("Old label"), 20 + owner.Canvas().TextHeight("")}));
  EXPECT_EQ(labels[2]->GetDescription(), "Line: Origin Point(-5, -6) End Point(7, 8)");
  EXPECT_EQ(dynamic_cast<TDrawLine&>(*labels[2]).PenStyle, psSolid);
  const auto& clear = dynamic_cast<TDrawFloodFill&>(*labels[3]);
  EXPECT_EQ(std::tuple(clear.Seed, clear.FillColor, clear.BrushStyle), std::tuple(TPoint{12, 13}, 0x00FF00u, 0));
  EXPECT_EQ(dynamic_cast<TDrawFloodFill&>(*labels[4]).BrushStyle, bsVertical);
}

TEST_F(LabelFile, LyingFilesAreRefusedBeforeAllocating) {
  const struct {
    const char* what;
    int version;
    TBytes content;
  } rows[] = {
      {"too many labels", 2, TBuilder().I32(2001).bytes},
      {"an unknown type code", 2, TBuilder().I32(1).I32(8).Byte(0).I32(1).I32(1).I32(0).bytes},
      {"a stroke over 16001 points", 2, StrokeRecord(16002, 501, 2, 1).bytes},
      {"format 1 too many flood fills", 1, TBuilder().I16(0).I16(2001).bytes},
      {"format 1 a free hand", 1,
       TBuilder().I16(1).Byte(ltFreeHand).Zeros(7).I16(1).I16(0).I16(0).I16(1).I16(1).I16(0).bytes},
  };
  for (const auto& r : rows) {
    messages->shown.clear();
    TReadGraphFile reader;
    ASSERT_TRUE(reader.Open(Put(r.content, r.version))) << r.what;
    TLabelList labels;
    EXPECT_THROW(ReadLabelList(reader, owner, labels), TGraphFileAbort) << r.what;
    EXPECT_EQ(Told(messages), "E|OK|Error Loading File\n") << r.what;
  }
  // The limit counts the labels already there.
  TLabelList labels;
  for (int i = 0; i < kMaxLabels; ++i) labels.push_back(CreateLabel(ltLine, owner));
  TReadGraphFile reader;
  ASSERT_TRUE(reader.Open(Put(TBuilder().I32(1).I32(ltFloodFill).Byte(0).I32(1).I32(1).I32(0).bytes, 2)));
  EXPECT_THROW(ReadLabelList(reader, owner, labels), TGraphFileAbort);
  EXPECT_EQ(labels.size(), std::size_t(kMaxLabels));
}

}  // namespace
}  // namespace plotix
