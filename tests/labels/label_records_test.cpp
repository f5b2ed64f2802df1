// Label records in graph files: format 2 round trips and bytes, format 1 reading, and
// files whose counts or fields lie.
#include <gtest/gtest.h>

#include <typeinfo>

#include "../files/file_fixtures.h"
#include "../told.h"
#include "files/graph_file.h"
#include "label_fixtures.h"
#include "labels/label_list.h"

namespace plotix {
namespace {

using namespace testbytes;

TBuilder& Rect32(TBuilder& b, int l, int t, int r, int bottom) { return b.I32(l).I32(t).I32(r).I32(bottom); }
// Shape data: pen style, pen colour, width, brush colour, brush style, the two points.
TBuilder& Shape(TBuilder& b, int pen, int width, int brush, int x1, int y1, int x2, int y2) {
  return Rect32(b.Byte(pen).I32(0).I32(width).I32(0xFFFFFF).Byte(brush), x1, y1, x2, y2);
}
// A free-hand record: bounds, counts, blocks of zero offsets, shape data.
TBuilder Stroke(int points, int blocks, int used, int blocksWritten) {
  TBuilder b;
  Rect32(b.I32(1).I32(ltFreeHand), 0, 0, 0, 0).I32(points).I32(blocks).I32(used);
  for (int k = 0; k < blocksWritten; ++k) Rect32(b, 0, 0, 0, 0).Zeros(128);
  return Shape(b, 0, 1, 1, 0, 0, 0, 0);
}

class LabelFile : public ::testing::Test {
 protected:
  std::string Save(const TLabelList& labels) {
    TWriteGraphFile writer;
    EXPECT_TRUE(writer.Open(dir.Path("saved.pxg"), gk2DCartesian));
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
  TLabelList saved;
  auto line = MakeLabel<TDrawLine>(owner, {10, 20}, {-30, 40});
  line->PenStyle = psDashDot;
  line->PenColor = 0x123456;
  line->PenWidth = 4;
  saved.push_back(std::move(line));
  auto fill = std::make_unique<TDrawFloodFill>(owner);
  fill->Seed = {33, 44};
  fill->FillColor = 0xABCDEF;
  fill->BrushStyle = bsBDiagonal;
  saved.push_back(std::move(fill));
  for (const int kind : {ltRectangle, ltEllipse, ltRoundRect}) {
    auto shape = MakeLabel<TDrawInclosedShape>(owner, {50 + kind, 40}, {10, 10 + kind}, kind);
    shape->PenStyle = psClear;
    shape->BrushStyle = bsDiagCross;
    shape->BrushColor = 0x00FF00;
    saved.push_back(std::move(shape));
  }
  auto text = std::make_unique<TDrawText>(owner);
  text->SetText({60, 70}, "Root at x=1.5 ä", {"DejaVu Serif", kRed, fsBold | fsItalic, 15});
  saved.push_back(std::move(text));
  auto stroke = MakeStroke(owner, {{100, 100}});
  for (int i = 1; i < 33; ++i) stroke->MouseAction(100 + i, 100 - i % 7, mpCreateDrag);
  stroke->PenColor = kBlue;
  saved.push_back(std::move(stroke));

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
  Shape(b, psSolid, 1, bsClear, 5, 5, 37, 5);
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
  EXPECT_EQ(std::tuple(text.P1, text.P2), std::tuple(TPoint{299, 20}, TPoint{299 + owner.Canvas().TextWidth("Old label"),
                                                                            20 + owner.Canvas().TextHeight("")}));
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
      {"a negative count", 2, TBuilder().I32(-1).bytes},
      {"more labels than bytes", 2, TBuilder().I32(5).I32(ltFloodFill).Byte(0).I32(1).I32(1).I32(0).bytes},
      {"an unknown type code", 2, TBuilder().I32(1).I32(8).Byte(0).I32(1).I32(1).I32(0).bytes},
      {"type code 0", 2, TBuilder().I32(1).I32(0).Byte(0).I32(1).I32(1).I32(0).bytes},
      {"a stroke over 16001 points", 2, Stroke(16002, 501, 2, 1).bytes},
      {"a million blocks", 2, Stroke(33, 1000000, 1, 1).bytes},
      {"a wrong last-block count", 2, Stroke(33, 2, 5, 2).bytes},
      {"no points but two blocks", 2, Stroke(0, 2, 0, 2).bytes},
      {"blocks missing", 2, Stroke(64, 2, 32, 1).bytes},
      {"a coordinate far off", 2, Shape(TBuilder().I32(1).I32(ltLine), 0, 1, 1, 0, 0, 2000000000, 5).bytes},
      {"a seed far off", 2, TBuilder().I32(1).I32(ltFloodFill).Byte(0).I32(-2000000000).I32(1).I32(0).bytes},
      {"a huge text", 2, TBuilder().I32(1).I32(ltText).I32(1000000000).Zeros(20).bytes},
      {"format 1 too many flood fills", 1, TBuilder().I16(0).I16(2001).bytes},
      {"format 1 a negative count", 1, TBuilder().I16(-3).I16(0).bytes},
      {"format 1 a coded flood fill", 1, TBuilder().I16(1).Byte(ltFloodFill).I16(1).I16(1).Zeros(15).bytes},
      {"format 1 a free hand", 1, TBuilder().I16(1).Byte(ltFreeHand).Zeros(7).I16(1).I16(0).I16(0).I16(1).I16(1).I16(0).bytes},
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

TEST_F(LabelFile, UnknownStylesLoadAsThePlainestOnes) {
  TBuilder c;
  Shape(c.I32(3).I32(ltRectangle), 6, -4, 8, 0, 0, 5, 5);
  Shape(c.I32(ltLine), 200, 0, 0, 0, 0, 5, 5);
  c.I32(ltFloodFill).Byte(9).I32(1).I32(1).I32(0);
  const TLabelList labels = Load(Put(c.bytes, 2));
  ASSERT_EQ(labels.size(), 3u);
  for (const int i : {0, 1}) {
    const auto& shape = dynamic_cast<TDrawShape&>(*labels[i]);
    EXPECT_EQ(std::tuple(shape.PenStyle, shape.BrushStyle, shape.PenWidth),
              std::tuple(int(psSolid), i == 0 ? int(bsClear) : int(bsSolid), 1));
  }
  EXPECT_EQ(dynamic_cast<TDrawFloodFill&>(*labels[2]).BrushStyle, bsSolid);
}

}  // namespace
}  // namespace plotix
