// Label records in graph files: format 2 round trips and bytes, format 1 reading, and
// files whose counts or fields lie.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <typeinfo>
#include <vector>

#include "files/graph_file.h"
#include "label_fixtures.h"
#include "labels/label_list.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

// The bytes of a graph file's content, little-endian.
struct TBytes {
  std::vector<std::uint8_t> b;

  TBytes& Byte(int v) {
    b.push_back(std::uint8_t(v));
    return *this;
  }
  TBytes& I16(int v) { return Byte(v).Byte(v >> 8); }
  TBytes& I32(std::int64_t v) { return I16(int(v)).I16(int(v >> 16)); }
  TBytes& Rect16(int l, int t, int r, int bt) { return I16(l).I16(t).I16(r).I16(bt); }
  TBytes& Rect32(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t bt) {
    return I32(l).I32(t).I32(r).I32(bt);
  }
  TBytes& Short(const std::string& s, int n) {
    Byte(int(s.size()));
    for (int i = 0; i < n; ++i) Byte(i < int(s.size()) ? s[i] : 0);
    return *this;
  }
  TBytes& Long(const std::string& s) {
    I32(std::int64_t(s.size()));
    for (char c : s) Byte(c);
    return *this;
  }
  TBytes& Font1(const std::string& name, TColor color, int size) {
    return Short(name, 31).I32(color).Byte(0).I16(size);
  }
  TBytes& Font2(const std::string& name, TColor color, int size) { return Long(name).I32(color).Byte(0).I32(size); }
  // Shape data: pen style, pen colour, width, brush colour, brush style, rect.
  TBytes& Shape(int pen, int width, int brush, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    return Byte(pen).I32(0).I32(width).I32(0xFFFFFF).Byte(brush).Rect32(x1, y1, x2, y2);
  }
  // A free-hand stroke's counts and blocks of zero offsets.
  TBytes& Stroke(std::int64_t points, std::int64_t blocks, std::int64_t used, int blocksWritten) {
    Rect32(0, 0, 0, 0).I32(points).I32(blocks).I32(used);
    for (int k = 0; k < blocksWritten; ++k) {
      Rect32(0, 0, 0, 0);
      for (int i = 0; i < 64; ++i) I16(0);
    }
    return *this;
  }
};

std::string TempFile(const std::string& name) { return ::testing::TempDir() + "plotix_labels_" + name + ".pxg"; }

// A whole graph file around the content, with both checksums.
std::string GraphFile(const std::string& name, const TBytes& content, int version) {
  TBytes file;
  file.Byte(37);
  for (char c : std::string("Mathematical Function Graph Data File")) file.Byte(c);
  file.Short("2", 10).I32(version).I32(1).I32(0);
  auto sum = [&] {
    unsigned s = 0;
    for (std::uint8_t v : file.b) s += v;
    return int(s & 0xFFFF);
  };
  file.I16(sum());
  file.b.insert(file.b.end(), content.b.begin(), content.b.end());
  file.I16(sum());
  const std::string path = TempFile(name);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.b.data()), std::streamsize(file.b.size()));
  return path;
}

std::vector<std::uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Save(const std::string& path, const TLabelList& labels) {
  TWriteGraphFile writer;
  ASSERT_TRUE(writer.Open(path, gk2DCartesian));
  WriteLabelList(writer, labels);
  ASSERT_TRUE(writer.Close());
}

TLabelList Load(const std::string& path, TTestOwner& owner) {
  TReadGraphFile reader;
  TLabelList labels;
  EXPECT_TRUE(reader.Open(path));
  ReadLabelList(reader, owner, labels);
  EXPECT_EQ(reader.Remaining(), 0);
  return labels;
}

TLabelList EveryKind(TTestOwner& owner) {
  TLabelList labels;
  auto line = MakeLabel<TDrawLine>(owner, {10, 20}, {-30, 40});
  line->PenStyle = psDashDot;
  line->PenColor = 0x123456;
  line->PenWidth = 4;
  line->BrushStyle = bsSolid;
  labels.push_back(std::move(line));
  auto fill = std::make_unique<TDrawFloodFill>(owner);
  fill->Seed = {33, 44};
  fill->FillColor = 0xABCDEF;
  fill->BrushStyle = bsBDiagonal;
  labels.push_back(std::move(fill));
  for (int kind : {ltRectangle, ltEllipse, ltRoundRect}) {
    auto shape = MakeLabel<TDrawInclosedShape>(owner, {50 + kind, 40}, {10, 10 + kind}, kind);
    shape->PenStyle = psClear;
    shape->BrushStyle = bsDiagCross;
    shape->BrushColor = 0x00FF00;
    labels.push_back(std::move(shape));
  }
  auto text = std::make_unique<TDrawText>(owner);
  TFontDesc font = DefaultFont();
  font.size = 15;
  font.color = kRed;
  font.style = fsBold | fsItalic;
  text->SetText({60, 70}, "Root at x=1.5", font);
  labels.push_back(std::move(text));
  auto stroke = MakeStroke(owner, {{100, 100}});
  for (int i = 1; i < 33; ++i) stroke->MouseAction(100 + i, 100 - i % 7, mpCreateDrag);
  stroke->PenColor = kBlue;
  labels.push_back(std::move(stroke));
  return labels;
}

TEST(LabelFile, EveryKindComesBackAsSaved) {
  TTestOwner owner;
  const TLabelList saved = EveryKind(owner);
  const std::string path = TempFile("roundtrip");
  Save(path, saved);
  const TLabelList loaded = Load(path, owner);
  ASSERT_EQ(loaded.size(), saved.size());
  for (std::size_t i = 0; i < saved.size(); ++i) {
    EXPECT_EQ(loaded[i]->GetDescription(), saved[i]->GetDescription());
    EXPECT_EQ(typeid(*loaded[i]), typeid(*saved[i]));
    if (auto* s = dynamic_cast<TDrawShape*>(saved[i].get())) {
      auto& l = dynamic_cast<TDrawShape&>(*loaded[i]);
      EXPECT_EQ(l.P2, s->P2);
      EXPECT_EQ(l.PenStyle, s->PenStyle);
      EXPECT_EQ(l.BrushStyle, s->BrushStyle);
      EXPECT_EQ(l.PenColor, s->PenColor);
      EXPECT_EQ(l.PenWidth, s->PenWidth);
      EXPECT_EQ(l.BrushColor, s->BrushColor);
    }
  }
  const auto& fill = dynamic_cast<TDrawFloodFill&>(*loaded[1]);
  EXPECT_EQ(fill.FillColor, 0xABCDEFu);
  EXPECT_EQ(fill.BrushStyle, bsBDiagonal);
  const auto& text = dynamic_cast<TDrawText&>(*loaded[5]);
  const auto& savedText = dynamic_cast<TDrawText&>(*saved[5]);
  EXPECT_EQ(text.Text, "Root at x=1.5");
  EXPECT_EQ(text.Font, savedText.Font);
  EXPECT_EQ(text.P2, savedText.P2);
  const auto& stroke = dynamic_cast<TDrawFreeHand&>(*loaded[6]);
  const auto& savedStroke = dynamic_cast<TDrawFreeHand&>(*saved[6]);
  EXPECT_EQ(stroke.PointCount, 33);
  EXPECT_EQ(stroke.BlockCount(), 2);
  EXPECT_EQ(stroke.LastBlockUsed, 1);
  EXPECT_EQ(stroke.Bounds, savedStroke.Bounds);
  for (int i = 0; i < 33; ++i) EXPECT_EQ(stroke.Offset(i), savedStroke.Offset(i)) << i;
  EXPECT_EQ(stroke.Blocks()[1].Bounds, savedStroke.Blocks()[1].Bounds);

  // The loaded labels draw what the saved ones drew.
  owner.Clear();
  DrawLabels(saved);
  const QImage picture = owner.Snapshot();
  owner.Clear();
  DrawLabels(loaded);
  EXPECT_EQ(owner.Snapshot(), picture);
}

TEST(LabelFile, RecordsHaveTheirByteLayout) {
  TTestOwner owner;
  TLabelList labels;
  auto fill = std::make_unique<TDrawFloodFill>(owner);
  fill->Seed = {-2, 300};
  fill->FillColor = 0x0A0B0C;
  fill->BrushStyle = bsCross;
  labels.push_back(std::move(fill));
  auto stroke = MakeStroke(owner, {{5, 5}});
  for (int i = 1; i < 33; ++i) stroke->MouseAction(5 + i, 5, mpCreateDrag);
  labels.push_back(std::move(stroke));
  const std::string path = TempFile("layout");
  Save(path, labels);
  const auto bytes = FileBytes(path);
  // Count, flood fill (code, style, seed, colour), free hand (code, bounds, counts,
  // two 144-byte blocks, 30 bytes of shape data), file checksum.
  ASSERT_EQ(bytes.size(), 63u + 4 + (4 + 13) + (4 + 16 + 12 + 2 * 144 + 30) + 2);
  const std::vector<std::uint8_t> head(bytes.begin() + 63, bytes.begin() + 63 + 4 + 17);
  EXPECT_EQ(head, (TBytes().I32(2).I32(ltFloodFill).Byte(bsCross).I32(-2).I32(300).I32(0x0A0B0C).b));
  const std::size_t stroke0 = 63 + 4 + 17;
  const std::vector<std::uint8_t> counts(bytes.begin() + stroke0, bytes.begin() + stroke0 + 48);
  EXPECT_EQ(counts, (TBytes().I32(ltFreeHand).Rect32(0, 0, 32, 0).I32(33).I32(2).I32(1).Rect32(0, 0, 31, 0).b));
  // The second block holds one point, 32 to the right of the origin.
  const std::size_t block1 = stroke0 + 32 + 144;
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + block1, bytes.begin() + block1 + 20),
            (TBytes().Rect32(0, 0, 32, 0).I16(32).I16(0).b));
  // Shape data: solid pen, black, width 1, white brush, clear, origin and last point.
  const std::size_t shape = block1 + 144;
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + shape, bytes.begin() + shape + 30),
            (TBytes().Shape(psSolid, 1, bsClear, 5, 5, 37, 5).b));
}

TEST(LabelFile, ReadsFormat1WithFloodFillsLast) {
  TBytes content;
  content.I16(3);
  content.Byte(ltRectangle).Byte(psDot).I16(0).I32(kRed).I16(3).Rect16(50, 40, 10, 10);
  content.Byte(ltText).Rect16(5000, 20, 5010, 30).Short("Old label", 255).Font1("DejaVu Sans", kBlue, 10);
  content.Byte(ltLine).Byte(psClear).I16(0).I32(0).I16(1).Rect16(-5, -6, 7, 8);
  content.I16(2);
  content.I16(12).I16(13).I32(0x00FF00).Byte(bsClear);
  content.I16(-3).I16(4).I32(0xFF00FF).Byte(bsVertical);
  TTestOwner owner;
  const TLabelList labels = Load(GraphFile("format1", content, 1), owner);
  ASSERT_EQ(labels.size(), 5u);

  const auto& rect = dynamic_cast<TDrawInclosedShape&>(*labels[0]);
  EXPECT_EQ(rect.GetDescription(), "Rectangle: Top Left(50, 40) Bottom Right(10, 10)");
  EXPECT_EQ(rect.PenStyle, psDot);
  EXPECT_EQ(rect.PenColor, kRed);
  EXPECT_EQ(rect.PenWidth, 3);
  EXPECT_EQ(rect.BrushStyle, bsClear);  // format 1 has no brush for shapes
  EXPECT_EQ(rect.BrushColor, kWhite);

  // Text is measured again and brought back onto the bitmap.
  const auto& text = dynamic_cast<TDrawText&>(*labels[1]);
  EXPECT_EQ(text.Text, "Old label");
  EXPECT_EQ(text.Font.color, kBlue);
  EXPECT_EQ(text.Font.size, 10);
  EXPECT_EQ(text.P1, (TPoint{299, 20}));
  owner.Canvas().Font() = text.Font;
  EXPECT_EQ(text.P2, (TPoint{299 + owner.Canvas().TextWidth("Old label"), 20 + owner.Canvas().TextHeight("")}));

  EXPECT_EQ(labels[2]->GetDescription(), "Line: Origin Point(-5, -6) End Point(7, 8)");
  EXPECT_EQ(dynamic_cast<TDrawLine&>(*labels[2]).PenStyle, psSolid);
  EXPECT_EQ(labels[3]->GetDescription(), "Flood Fill: Location(12, 13)");
  EXPECT_EQ(dynamic_cast<TDrawFloodFill&>(*labels[3]).BrushStyle, bsSolid);
  EXPECT_EQ(dynamic_cast<TDrawFloodFill&>(*labels[3]).FillColor, 0x00FF00u);
  EXPECT_EQ(labels[4]->GetDescription(), "Flood Fill: Location(-3, 4)");
  EXPECT_EQ(dynamic_cast<TDrawFloodFill&>(*labels[4]).BrushStyle, bsVertical);
}

TEST(LabelFile, LyingFilesAreRefusedBeforeAllocating) {
  const struct {
    const char* what;
    int version;
    TBytes content;
  } cases[] = {
      {"too many labels", 2, TBytes().I32(2001)},
      {"a negative count", 2, TBytes().I32(-1)},
      {"more labels than bytes", 2, TBytes().I32(5).I32(ltFloodFill).Byte(0).I32(1).I32(1).I32(0)},
      {"an unknown type code", 2, TBytes().I32(1).I32(8).Byte(0).I32(1).I32(1).I32(0)},
      {"type code 0", 2, TBytes().I32(1).I32(0).Byte(0).I32(1).I32(1).I32(0)},
      {"a stroke over 16001 points", 2,
       TBytes().I32(1).I32(ltFreeHand).Stroke(16002, 501, 2, 1).Shape(0, 1, 1, 0, 0, 0, 0)},
      {"a million blocks", 2, TBytes().I32(1).I32(ltFreeHand).Stroke(33, 1000000, 1, 1).Shape(0, 1, 1, 0, 0, 0, 0)},
      {"a wrong last-block count", 2, TBytes().I32(1).I32(ltFreeHand).Stroke(33, 2, 5, 2).Shape(0, 1, 1, 0, 0, 0, 0)},
      {"no points but two blocks", 2, TBytes().I32(1).I32(ltFreeHand).Stroke(0, 2, 0, 2).Shape(0, 1, 1, 0, 0, 0, 0)},
      {"blocks missing", 2, TBytes().I32(1).I32(ltFreeHand).Stroke(64, 2, 32, 1).Shape(0, 1, 1, 0, 0, 0, 0)},
      {"a coordinate far off", 2, TBytes().I32(1).I32(ltLine).Shape(0, 1, 1, 0, 0, 2000000000, 5)},
      {"a seed far off", 2, TBytes().I32(1).I32(ltFloodFill).Byte(0).I32(-2000000000).I32(1).I32(0)},
      {"a huge text", 2, TBytes().I32(1).I32(ltText).I32(1000000000).I32(0).I32(0).I32(0).I32(0).I32(0)},
      {"format 1 too many flood fills", 1, TBytes().I16(0).I16(2001)},
      {"format 1 a negative count", 1, TBytes().I16(-3).I16(0)},
      {"format 1 a coded flood fill", 1,
       TBytes().I16(1).Byte(ltFloodFill).I16(1).I16(1).I32(0).Byte(0).I16(0).I32(0).I32(0)},
      {"format 1 a free hand", 1,
       TBytes().I16(1).Byte(ltFreeHand).Byte(0).I16(0).I32(0).I16(1).Rect16(0, 0, 1, 1).I16(0)},
  };
  for (const auto& c : cases) {
    TTestOwner owner;
    const std::string path = GraphFile("lying", c.content, c.version);
    TScopedScriptedMessages messages;
    TReadGraphFile reader;
    ASSERT_TRUE(reader.Open(path)) << c.what;
    TLabelList labels;
    EXPECT_THROW(ReadLabelList(reader, owner, labels), TGraphFileAbort) << c.what;
    ASSERT_EQ(messages->shown.size(), 1u) << c.what;
    EXPECT_EQ(messages->shown[0].text, "Error Loading File") << c.what;
    EXPECT_EQ(messages->shown[0].kind, TMsgKind::Error) << c.what;
  }
}

TEST(LabelFile, UnknownStylesLoadAsThePlainestOnes) {
  TBytes content;
  content.I32(3);
  content.I32(ltRectangle).Shape(6, -4, 8, 0, 0, 5, 5);
  content.I32(ltLine).Shape(200, 0, 0, 0, 0, 5, 5);
  content.I32(ltFloodFill).Byte(9).I32(1).I32(1).I32(0);
  TTestOwner owner;
  const TLabelList labels = Load(GraphFile("styles", content, 2), owner);
  ASSERT_EQ(labels.size(), 3u);
  const auto& rect = dynamic_cast<TDrawShape&>(*labels[0]);
  EXPECT_EQ(rect.PenStyle, psSolid);
  EXPECT_EQ(rect.BrushStyle, bsClear);
  EXPECT_EQ(rect.PenWidth, 1);
  const auto& line = dynamic_cast<TDrawShape&>(*labels[1]);
  EXPECT_EQ(line.PenStyle, psSolid);
  EXPECT_EQ(line.BrushStyle, bsSolid);
  EXPECT_EQ(line.PenWidth, 1);
  EXPECT_EQ(dynamic_cast<TDrawFloodFill&>(*labels[2]).BrushStyle, bsSolid);
}

TEST(LabelFile, ListLimitCountsLabelsAlreadyThere) {
  TTestOwner owner;
  TLabelList labels;
  for (int i = 0; i < kMaxLabels; ++i) labels.push_back(CreateLabel(ltLine, owner));
  const std::string path = GraphFile("limit", TBytes().I32(1).I32(ltFloodFill).Byte(0).I32(1).I32(1).I32(0), 2);
  TScopedScriptedMessages messages;
  TReadGraphFile reader;
  ASSERT_TRUE(reader.Open(path));
  EXPECT_THROW(ReadLabelList(reader, owner, labels), TGraphFileAbort);
  EXPECT_EQ(labels.size(), std::size_t(kMaxLabels));
}

}  // namespace
}  // namespace plotix
