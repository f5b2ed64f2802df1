// Texts far wider than any bitmap: measured by the font, drawn where their glyphs lie,
// and kept through a save however far they reach.
#include <gtest/gtest.h>

#include <string>

#include "../files/file_fixtures.h"
#include "cartesian/cartesian_document.h"
#include "label_fixtures.h"
#include "platform/limits.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

TEST(WideText, GlyphsBeyond32767PixelsAreDrawnWhereTheyLie) {
  TTestOwner owner(800, 800);
  TCanvas& canvas = owner.Canvas();
  canvas.Font() = {"DejaVu Sans", kBlack, 0, kMaxFontSize};
  const std::string head = "W" + std::string(160, ' ');
  const int start = canvas.TextWidth(head);
  ASSERT_GT(start, 32767);
  // Only the last W meets the bitmap, from column 50 on.
  canvas.TextOut(50 - start, 0, head + "W");
  EXPECT_EQ(owner.Count(kBlack, 0, 0, 50, 800), 0);
  EXPECT_GT(owner.Count(kBlack, 50, 0, 800, 800), 10000);
}

TEST(WideText, TheLongestTextInTheLargestFontIsDrawnSavedAndReadBack) {
  testbytes::TScratchDir dir;
  TScopedScriptedMessages messages;
  TGraph2DDoc doc;
  auto label = std::make_unique<TDrawText>(doc.LabelOwner());
  label->SetText({-1000, 100}, std::string(65535, 'W'), {"DejaVu Sans", kRed, 0, kMaxFontSize});
  doc.AddLabel(std::move(label));
  ASSERT_TRUE(doc.SaveGraph(dir.Path("a.pxg")));

  TGraph2DDoc loaded;
  ASSERT_TRUE(OpenGraph(dir.Path("a.pxg"), loaded));
  const auto& text = dynamic_cast<const TDrawText&>(*loaded.Labels().at(0));
  EXPECT_EQ(text.P1, (TPoint{-1000, 100}));
  EXPECT_GT(text.P2.x, 40'000'000);  // beyond the 2^25 pixels Qt can place in one go
  TBitmap bitmap(loaded.BitmapWidth(), loaded.BitmapHeight());
  loaded.RenderWithLabels(bitmap);
  int red = 0;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) red += bitmap.Canvas().Pixel(x, y) == kRed;
  EXPECT_GT(red, 10000);
  ASSERT_TRUE(loaded.SaveGraph(dir.Path("b.pxg")));
  EXPECT_EQ(testbytes::ReadBytes(dir.Path("a.pxg")), testbytes::ReadBytes(dir.Path("b.pxg")));
  EXPECT_TRUE(messages->shown.empty());
}

}  // namespace
}  // namespace plotix
