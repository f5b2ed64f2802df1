// The 2D graph in graph files: the exact bytes of a new graph, round trips of every
// field and label kind, format 1 files, refused contents, and damaged files.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "../files/file_fixtures.h"
#include "cartesian/cartesian_document.h"
#include "files/graph_file.h"
#include "platform/canvas.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

using namespace testbytes;

constexpr const char* kCenterMessage = "The Graph View Center Has Been Changed For Compatibility Reasons.";

std::vector<std::string> Texts(const TScriptedMsgHandler& h) {
  std::vector<std::string> texts;
  for (const auto& s : h.shown) texts.push_back(s.text);
  return texts;
}

const std::vector<std::string> kLoadError{"Error Loading File"};

// The 60-byte axis block and the fonts of a new graph.
TBuilder& DefaultAxisBlock(TBuilder& b) {
  return b.Byte(1)
      .Byte(1)
      .Ext(0)
      .Byte(1)
      .Ext(0)
      .I32(0)
      .I32(1)
      .Byte(0)
      .Byte(1)
      .I32(0)
      .Ext(1)
      .I32(5)
      .Byte(2)
      .Byte(1)
      .Byte(0)
      .Byte(1)
      .Byte(0)
      .I32(1);
}

TBuilder& DefaultSettings(TBuilder& b) {
  DefaultAxisBlock(b);
  DefaultAxisBlock(b);
  b.I32(0xFFFFFF).LStr("").LStr("").LStr("1").LStr("").LStr("").LStr("1");
  const TFontDesc& f = DefaultFont();
  return b.Font2(f.name, f.color, f.style, f.size).Font2(f.name, f.color, f.style, f.size);
}

// A format 2 function record with the given expression and width.
TBuilder& Function2(TBuilder& b, const std::string& text, int width = 1) {
  return b.Byte(1).Byte(1).Ext(-1).Ext(1).Byte(0).Byte(0).I32(0xFF0000).I32(width).LStr("").LStr("").I32(0).I32(0).LStr(
      text);
}

class File2D : public ::testing::Test {
 protected:
  std::string Put(const TBytes& bytes, const std::string& name = "g.pxg") {
    const std::string path = dir.Path(name);
    WriteBytes(path, bytes);
    return path;
  }

  TFunc2DObj& AddFunction(TGraph2DDoc& doc, const std::string& text) {
    auto f = std::make_unique<TFunc2DObj>();
    f->Func.SetExpression(text);
    EXPECT_TRUE(f->Func.Compile());
    doc.Functions.push_back(std::move(f));
    return *doc.Functions.back();
  }

  template <class T>
  T& AddLabel(TGraph2DDoc& doc, int code) {
    doc.Labels.push_back(CreateLabel(code, doc.LabelOwner));
    return dynamic_cast<T&>(*doc.Labels.back());
  }

  // Every field away from its default, every label kind.
  void FillEverything(TGraph2DDoc& doc) {
    doc.BitmapWidth = 640;
    doc.BitmapHeight = 480;
    doc.View = {12.5L, 70, -300.25L, 99999};
    TSetting2DObj& s = doc.Settings;
    s.X = {false,        "-2*pi", false, -2 * 3.14159L, "7", false, 7,    0x0000FF, 3, 1, ttGridLines, 0x00FF00, "pi/4",
           3.14159L / 4, 8,       4,     false,         2,   false, true, 3};
    s.Y = {true,     "",     true,  0, "1e3", false, 1000, 0x123456, 10,    3, ttGridMarks,
           0x654321, "0.25", 0.25L, 1, 0,     true,  4,    true,     false, 18};
    s.BackColor = 0x0A0B0C;
    s.XLabelFont = {"DejaVu Serif", 0x0000FF, fsBold | fsItalic, 12};
    s.YLabelFont = {"DejaVu Sans Mono", 0x00FF00, fsUnderline | fsStrikeOut, 7};

    TFunc2DObj& f = AddFunction(doc, "x^3-2x");
    f.LoBoundText = "-π";  // texts are kept as typed, in UTF-8
    f.LoBoundEmpty = false;
    f.LoBound = -3.14159L;
    f.HiBoundText = "2";
    f.HiBoundEmpty = false;
    f.HiBound = 2;
    f.AsymptoteFixUp = true;
    f.ExtraAccuracy = true;
    f.SpecialXLines = {"0", "pi/2", "-1"};
    f.SpecialX = {-1, 0, 3.14159L / 2};
    f.Color = 0x00AA00;
    f.Width = 10;
    AddFunction(doc, "tan(x)").AsymptoteFixUp = true;

    auto& line = AddLabel<TDrawLine>(doc, ltLine);
    line.P1 = {10, 20};
    line.P2 = {300, -40};
    line.PenStyle = psDashDot;
    line.PenColor = 0x0000FF;
    line.PenWidth = 4;
    auto& fill = AddLabel<TDrawFloodFill>(doc, ltFloodFill);
    fill.BrushStyle = bsCross;
    fill.Seed = {5, 6};
    fill.FillColor = 0x00FFFF;
    for (const int kind : {ltRectangle, ltEllipse, ltRoundRect}) {
      auto& box = AddLabel<TDrawInclosedShape>(doc, kind);
      box.P1 = {kind * 10, kind * 11};
      box.P2 = {kind * 30, kind * 31};
      box.PenStyle = psDot;
      box.PenColor = 0x112233 * kind;
      box.PenWidth = kind;
      box.BrushColor = 0x332211 * kind;
      box.BrushStyle = bsDiagCross;
    }
    AddLabel<TDrawText>(doc, ltText).SetText({100, 200}, "Wendepunkt ä", {"DejaVu Sans", 0xFF00FF, fsBold, 14});
    auto& hand = AddLabel<TDrawFreeHand>(doc, ltFreeHand);
    hand.MouseAction(50, 50, mpCreatePress);
    for (int i = 1; i < 33; ++i) hand.MouseAction(50 + i, 50 + (i * i) % 17 - 8, mpCreateDrag);
    hand.PenColor = 0x808080;
    hand.PenWidth = 2;
  }

  void ExpectSameAxis(const TAxisSettings& a, const TAxisSettings& b) {
    EXPECT_EQ(a.ShowAxisLines, b.ShowAxisLines);
    EXPECT_EQ(a.LimitLoText, b.LimitLoText);
    EXPECT_EQ(a.LimitLoEmpty, b.LimitLoEmpty);
    EXPECT_EQ(a.LimitLo, b.LimitLo);
    EXPECT_EQ(a.LimitHiText, b.LimitHiText);
    EXPECT_EQ(a.LimitHiEmpty, b.LimitHiEmpty);
    EXPECT_EQ(a.LimitHi, b.LimitHi);
    EXPECT_EQ(a.AxisColor, b.AxisColor);
    EXPECT_EQ(a.AxisWidth, b.AxisWidth);
    EXPECT_EQ(a.AxisStyle, b.AxisStyle);
    EXPECT_EQ(a.TickType, b.TickType);
    EXPECT_EQ(a.TickColor, b.TickColor);
    EXPECT_EQ(a.IncText, b.IncText);
    EXPECT_EQ(a.Inc, b.Inc);
    EXPECT_EQ(a.TickLength, b.TickLength);
    EXPECT_EQ(a.GridStyle, b.GridStyle);
    EXPECT_EQ(a.ShowLabels, b.ShowLabels);
    EXPECT_EQ(a.LabelFormat, b.LabelFormat);
    EXPECT_EQ(a.LabelComma, b.LabelComma);
    EXPECT_EQ(a.LabelPlus, b.LabelPlus);
    EXPECT_EQ(a.LabelDecimals, b.LabelDecimals);
  }

  void ExpectSameFunction(const TFunc2DObj& a, const TFunc2DObj& b) {
    EXPECT_EQ(a.Func.Expression(), b.Func.Expression());
    EXPECT_EQ(b.Func.State(), 2);  // compiled
    EXPECT_EQ(a.LoBoundText, b.LoBoundText);
    EXPECT_EQ(a.HiBoundText, b.HiBoundText);
    EXPECT_EQ(a.LoBoundEmpty, b.LoBoundEmpty);
    EXPECT_EQ(a.HiBoundEmpty, b.HiBoundEmpty);
    EXPECT_EQ(a.LoBound, b.LoBound);
    EXPECT_EQ(a.HiBound, b.HiBound);
    EXPECT_EQ(a.AsymptoteFixUp, b.AsymptoteFixUp);
    EXPECT_EQ(a.ExtraAccuracy, b.ExtraAccuracy);
    EXPECT_EQ(a.SpecialXLines, b.SpecialXLines);
    EXPECT_EQ(a.SpecialX, b.SpecialX);
    EXPECT_EQ(a.Color, b.Color);
    EXPECT_EQ(a.Width, b.Width);
  }

  TScratchDir dir;
  TScopedScriptedMessages messages;
};

TEST_F(File2D, ANewGraphSavesAsExactlyTheseBytes) {
  TGraph2DDoc doc;
  const std::string path = dir.Path("new.pxg");
  ASSERT_TRUE(doc.SaveGraph(path));
  TBuilder c;
  c.I32(500).I32(500).Ext(35).Ext(35).Ext(0).Ext(0);
  DefaultSettings(c).I32(0).I32(0);
  EXPECT_EQ(ReadBytes(path), GraphFile(c.bytes));
  EXPECT_TRUE(messages->shown.empty());
}

TEST_F(File2D, EveryFieldAndLabelKindComesBack) {
  TGraph2DDoc doc;
  FillEverything(doc);
  const std::string path = dir.Path("all.pxg");
  ASSERT_TRUE(doc.SaveGraph(path));

  TGraph2DDoc back;
  ASSERT_TRUE(OpenGraph(path, back));
  EXPECT_TRUE(messages->shown.empty());
  EXPECT_EQ(back.BitmapWidth, 640);
  EXPECT_EQ(back.BitmapHeight, 480);
  EXPECT_EQ(back.View.zoomX, doc.View.zoomX);
  EXPECT_EQ(back.View.zoomY, doc.View.zoomY);
  EXPECT_EQ(back.View.centerX, doc.View.centerX);
  EXPECT_EQ(back.View.centerY, doc.View.centerY);
  ExpectSameAxis(doc.Settings.X, back.Settings.X);
  ExpectSameAxis(doc.Settings.Y, back.Settings.Y);
  EXPECT_EQ(back.Settings.BackColor, doc.Settings.BackColor);
  EXPECT_EQ(back.Settings.XLabelFont, doc.Settings.XLabelFont);
  EXPECT_EQ(back.Settings.YLabelFont, doc.Settings.YLabelFont);
  ASSERT_EQ(back.Functions.size(), 2u);
  for (int i = 0; i < 2; ++i) ExpectSameFunction(*doc.Functions[i], *back.Functions[i]);

  ASSERT_EQ(back.Labels.size(), doc.Labels.size());
  for (std::size_t i = 0; i < doc.Labels.size(); ++i) {
    EXPECT_EQ(back.Labels[i]->GetDescription(), doc.Labels[i]->GetDescription()) << i;
    EXPECT_EQ(&back.Labels[i]->Owner(), &back.LabelOwner);
  }
  const auto& text = dynamic_cast<const TDrawText&>(*back.Labels[5]);
  const auto& textBefore = dynamic_cast<const TDrawText&>(*doc.Labels[5]);
  EXPECT_EQ(text.Text, "Wendepunkt ä");
  EXPECT_EQ(text.Font, textBefore.Font);
  EXPECT_EQ(text.P1, textBefore.P1);
  EXPECT_EQ(text.P2, textBefore.P2);  // measured again from text and font
  const auto& hand = dynamic_cast<const TDrawFreeHand&>(*back.Labels[6]);
  EXPECT_EQ(hand.PointCount, 33);
  EXPECT_EQ(hand.BlockCount(), 2);
  EXPECT_EQ(hand.LastBlockUsed, 1);
  for (int i = 0; i < 33; ++i) EXPECT_EQ(hand.Offset(i), dynamic_cast<const TDrawFreeHand&>(*doc.Labels[6]).Offset(i));

  // Everything else a label holds: saving the loaded graph gives the same bytes.
  const std::string again = dir.Path("again.pxg");
  ASSERT_TRUE(back.SaveGraph(again));
  EXPECT_EQ(ReadBytes(again), ReadBytes(path));
}

// Format 1: one zoom, one axis description, one font, short texts, labels with the
// flood fills in a list of their own.
TBytes Format1File(Extended centerX, Extended centerY) {
  TBuilder c;
  c.I16(300).I16(400);
  c.Ext(20).Ext(centerX).Ext(centerY);
  c.Byte(1)
      .I32(0x0000FF)
      .I16(2)
      .Byte(1)
      .I32(0xEEEEEE)
      .Byte(7)
      .SStr("1/2", 50)
      .Ext(0.5L)
      .I32(0x00FF00)
      .I16(4)
      .Byte(0)
      .I16(2);
  c.Font1("DejaVu Serif", 0x112233, fsBold, 10);
  c.I16(2);
  c.Zeros(4).SStr("-1", 50).SStr("", 50).Byte(0).Byte(1).Ext(-1).Ext(0).Byte(1).I32(0xFF00FF).I16(3);
  c.Byte(0).SStr("x^2", 255);
  c.Zeros(4).SStr("", 50).SStr("", 50).Byte(1).Byte(1).Ext(0).Ext(0).Byte(0).I32(0x0000FF).I16(1);
  c.Byte(0xCC).SStr("sin(x)", 255);
  c.I16(2);
  c.Byte(ltLine).Byte(psDash).Zeros(2).I32(0x00FF00).I16(2).I16(10).I16(20).I16(30).I16(-40);
  c.Byte(ltText).I16(5).I16(6).I16(0).I16(0).SStr("Nullstelle", 255).Font1("DejaVu Sans", 0xFF, 0, 9);
  c.I16(1);
  c.I16(150).I16(160).I32(0x00FFFF).Byte(bsHorizontal);
  return GraphFile(c.bytes, 1, 1, "1");
}

TEST_F(File2D, FormatOneOpensConvertedAndResavesAsFormatTwo) {
  TGraph2DDoc doc;
  ASSERT_TRUE(OpenGraph(Put(Format1File(250000, -5)), doc));
  EXPECT_EQ(Texts(*messages), std::vector<std::string>{kCenterMessage});
  EXPECT_EQ(messages->shown[0].kind, TMsgKind::Information);
  EXPECT_EQ(doc.BitmapHeight, 300);
  EXPECT_EQ(doc.BitmapWidth, 400);
  EXPECT_EQ(doc.View.zoomX, 20);
  EXPECT_EQ(doc.View.zoomY, 20);
  EXPECT_EQ(doc.View.centerX, 100000);
  EXPECT_EQ(doc.View.centerY, -5);

  TAxisSettings axis;  // the defaults, with what format 1 holds
  axis.AxisColor = 0x0000FF;
  axis.AxisWidth = 2;
  axis.AxisStyle = 1;
  axis.TickType = ttTickMarks;  // any non-zero type
  axis.IncText = "1/2";
  axis.Inc = 0.5L;
  axis.TickColor = 0x00FF00;
  axis.TickLength = 4;
  axis.ShowLabels = false;
  axis.LabelDecimals = 2;
  ExpectSameAxis(axis, doc.Settings.X);
  ExpectSameAxis(axis, doc.Settings.Y);
  EXPECT_EQ(doc.Settings.BackColor, 0xEEEEEEu);
  const TFontDesc font{"DejaVu Serif", 0x112233, fsBold, 10};
  EXPECT_EQ(doc.Settings.XLabelFont, font);
  EXPECT_EQ(doc.Settings.YLabelFont, font);

  ASSERT_EQ(doc.Functions.size(), 2u);
  TFunc2DObj first;
  first.Func.SetExpression("x^2");
  first.LoBoundText = "-1";
  first.LoBoundEmpty = false;
  first.LoBound = -1;
  first.HiBound = 0;
  first.AsymptoteFixUp = true;
  first.Color = 0xFF00FF;
  first.Width = 3;
  ExpectSameFunction(first, *doc.Functions[0]);
  EXPECT_EQ(doc.Functions[1]->Func.Expression(), "sin(x)");
  EXPECT_FALSE(doc.Functions[1]->ExtraAccuracy);

  // The other labels in file order, then the flood fills.
  ASSERT_EQ(doc.Labels.size(), 3u);
  const auto& line = dynamic_cast<const TDrawLine&>(*doc.Labels[0]);
  EXPECT_EQ(line.PenStyle, psDash);
  EXPECT_EQ(line.PenColor, 0x00FF00u);
  EXPECT_EQ(line.PenWidth, 2);
  EXPECT_EQ(line.P1, (TPoint{10, 20}));
  EXPECT_EQ(line.P2, (TPoint{30, -40}));
  EXPECT_EQ(dynamic_cast<const TDrawText&>(*doc.Labels[1]).Text, "Nullstelle");
  const auto& fill = dynamic_cast<const TDrawFloodFill&>(*doc.Labels[2]);
  EXPECT_EQ(fill.Seed, (TPoint{150, 160}));
  EXPECT_EQ(fill.FillColor, 0x00FFFFu);
  EXPECT_EQ(fill.BrushStyle, bsHorizontal);

  // Saved again it is a format 2 file that reads back the same.
  const std::string path = dir.Path("converted.pxg");
  ASSERT_TRUE(doc.SaveGraph(path));
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(path));
  EXPECT_EQ(r.FormatVersion(), 2);
  r.Close();
  messages->shown.clear();
  TGraph2DDoc back;
  ASSERT_TRUE(OpenGraph(path, back));
  EXPECT_TRUE(messages->shown.empty());
  ExpectSameAxis(doc.Settings.Y, back.Settings.Y);
  ExpectSameFunction(*doc.Functions[0], *back.Functions[0]);
  EXPECT_EQ(back.View.centerX, 100000);
  ASSERT_EQ(back.Labels.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(back.Labels[i]->GetDescription(), doc.Labels[i]->GetDescription());
}

TEST_F(File2D, FormatOneCentresAreClampedWithOneMessage) {
  const struct {
    Extended x, y, clampedX, clampedY;
    bool told;
  } cases[] = {
      {100000, -100000, 100000, -100000, false},
      {-250000, 3, -100000, 3, true},
      {0, 1e30L, 0, 100000, true},
      {-1e6L, 1e6L, -100000, 100000, true},
  };
  for (const auto& c : cases) {
    messages->shown.clear();
    TGraph2DDoc doc;
    ASSERT_TRUE(OpenGraph(Put(Format1File(c.x, c.y)), doc));
    EXPECT_EQ(doc.View.centerX, c.clampedX);
    EXPECT_EQ(doc.View.centerY, c.clampedY);
    EXPECT_EQ(messages->shown.size(), c.told ? 1u : 0u);
  }
}

// A graph whose content is built part by part, so one part at a time can be wrong.
struct TParts {
  int height = 500, width = 500;
  Extended zoomX = 35, zoomY = 35, centerX = 0, centerY = 0;
  std::function<void(TBuilder&)> settings = [](TBuilder& b) { DefaultSettings(b); };
  int functionCount = 1;
  std::function<void(TBuilder&)> functions = [](TBuilder& b) { Function2(b, "x"); };
  std::function<void(TBuilder&)> labels = [](TBuilder& b) { b.I32(0); };

  TBytes File() const {
    TBuilder b;
    b.I32(height).I32(width).Ext(zoomX).Ext(zoomY).Ext(centerX).Ext(centerY);
    settings(b);
    b.I32(functionCount);
    functions(b);
    labels(b);
    return GraphFile(b.bytes);
  }
};

// One axis block with one field changed: offset and bytes within the 60-byte block.
std::function<void(TBuilder&)> AxisWith(std::size_t offset, TBytes value) {
  return [=](TBuilder& b) {
    const std::size_t start = b.bytes.size();
    DefaultSettings(b);
    std::copy(value.begin(), value.end(), b.bytes.begin() + static_cast<long>(start + offset));
  };
}

TBytes Ext(Extended v) { return TBuilder().Ext(v).bytes; }
TBytes I32(int v) { return TBuilder().I32(v).bytes; }

TEST_F(File2D, ContentsTheProgramCanNotHoldAreRefused) {
  const Extended nan = std::numeric_limits<Extended>::quiet_NaN();
  const Extended inf = std::numeric_limits<Extended>::infinity();
  auto parts = [](auto change) {
    TParts p;
    change(p);
    return p;
  };
  const struct {
    const char* what;
    TParts parts;
  } cases[] = {
      {"bitmap height 15", parts([](TParts& p) { p.height = 15; })},
      {"bitmap width 2001", parts([](TParts& p) { p.width = 2001; })},
      {"bitmap width negative", parts([](TParts& p) { p.width = -500; })},
      {"zoom 0", parts([](TParts& p) { p.zoomX = 0; })},
      {"zoom 20000", parts([](TParts& p) { p.zoomY = 20000; })},
      {"zoom NaN", parts([&](TParts& p) { p.zoomY = nan; })},
      {"centre beyond 100000", parts([](TParts& p) { p.centerX = 100001; })},
      {"centre infinite", parts([&](TParts& p) { p.centerY = -inf; })},
      {"axis width 0", parts([](TParts& p) { p.settings = AxisWith(27, I32(0)); })},
      {"axis width 11", parts([](TParts& p) { p.settings = AxisWith(60 + 27, I32(11)); })},
      {"tick type 4", parts([](TParts& p) { p.settings = AxisWith(32, {4}); })},
      {"tick increment NaN", parts([&](TParts& p) { p.settings = AxisWith(37, Ext(nan)); })},
      {"tick length 0", parts([](TParts& p) { p.settings = AxisWith(47, I32(0)); })},
      {"label format 5", parts([](TParts& p) { p.settings = AxisWith(53, {5}); })},
      {"decimals 19", parts([](TParts& p) { p.settings = AxisWith(56, I32(19)); })},
      {"decimals -1", parts([](TParts& p) { p.settings = AxisWith(60 + 56, I32(-1)); })},
      {"limit infinite", parts([&](TParts& p) { p.settings = AxisWith(1, TBuilder().Byte(0).Ext(inf).bytes); })},
      {"limit beyond 1e12", parts([&](TParts& p) { p.settings = AxisWith(12, TBuilder().Byte(0).Ext(2e12L).bytes); })},
      {"tick increment 0", parts([&](TParts& p) { p.settings = AxisWith(60 + 37, Ext(0)); })},
      {"tick increment beyond 1e12", parts([&](TParts& p) { p.settings = AxisWith(37, Ext(1.5e12L)); })},
      {"253 functions", parts([](TParts& p) {
         p.functionCount = 253;
         p.functions = [](TBuilder& b) {
           for (int i = 0; i < 253; ++i) Function2(b, "x");
         };
       })},
      {"negative function count", parts([](TParts& p) { p.functionCount = -1; })},
      {"more functions than bytes", parts([](TParts& p) { p.functionCount = 200; })},
      {"function width 0", parts([](TParts& p) { p.functions = [](TBuilder& b) { Function2(b, "x", 0); }; })},
      {"function width 11", parts([](TParts& p) { p.functions = [](TBuilder& b) { Function2(b, "x", 11); }; })},
      {"expression that does not compile",
       parts([](TParts& p) { p.functions = [](TBuilder& b) { Function2(b, "x+"); }; })},
      {"expression of 1001 characters",
       parts([](TParts& p) { p.functions = [](TBuilder& b) { Function2(b, std::string(1001, '1')); }; })},
      {"bound NaN", parts([&](TParts& p) {
         p.functions = [&](TBuilder& b) {
           b.Byte(0).Byte(1).Ext(nan).Ext(1).Byte(0).Byte(0).I32(0).I32(1).LStr("").LStr("").I32(0).I32(0).LStr("x");
         };
       })},
      {"bound beyond -1e12", parts([&](TParts& p) {
         p.functions = [&](TBuilder& b) {
           b.Byte(1).Byte(0).Ext(0).Ext(-1e13L).Byte(0).Byte(0).I32(0).I32(1).LStr("").LStr("").I32(0).I32(0).LStr("x");
         };
       })},
      {"1001 special values", parts([](TParts& p) {
         p.functions = [](TBuilder& b) {
           b.Byte(1).Byte(1).Ext(-1).Ext(1).Byte(0).Byte(0).I32(0).I32(1).LStr("").LStr("").I32(0).I32(1001);
           for (int i = 0; i < 1001; ++i) b.Ext(i);
           b.LStr("x");
         };
       })},
      {"special values out of order", parts([](TParts& p) {
         p.functions = [](TBuilder& b) {
           b.Byte(1).Byte(1).Ext(-1).Ext(1).Byte(0).Byte(0).I32(0).I32(1).LStr("").LStr("").I32(0).I32(2);
           b.Ext(2).Ext(1).LStr("x");
         };
       })},
      {"special lines beyond the file", parts([](TParts& p) {
         p.functions = [](TBuilder& b) {
           b.Byte(1).Byte(1).Ext(-1).Ext(1).Byte(0).Byte(0).I32(0).I32(1).LStr("").LStr("").I32(1000000).LStr("x");
         };
       })},
      {"label type 8", parts([](TParts& p) { p.labels = [](TBuilder& b) { b.I32(1).I32(8).Zeros(40); }; })},
      {"label type 0", parts([](TParts& p) { p.labels = [](TBuilder& b) { b.I32(1).I32(0).Zeros(40); }; })},
      {"2001 labels", parts([](TParts& p) {
         p.labels = [](TBuilder& b) {
           b.I32(2001);
           for (int i = 0; i < 2001; ++i) b.I32(ltFloodFill).Byte(0).I32(0).I32(0).I32(0);
         };
       })},
      {"missing label list", parts([](TParts& p) { p.labels = [](TBuilder&) {}; })},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    messages->shown.clear();
    TGraph2DDoc doc;
    AddFunction(doc, "42");
    EXPECT_FALSE(OpenGraph(Put(c.parts.File()), doc));
    EXPECT_EQ(Texts(*messages), kLoadError);
    // Nothing half-made: the document is as it was.
    ASSERT_EQ(doc.Functions.size(), 1u);
    EXPECT_EQ(doc.Functions[0]->Func.Expression(), "42");
    EXPECT_EQ(doc.BitmapWidth, 500);
    EXPECT_EQ(doc.View.zoomX, 35);
    EXPECT_TRUE(doc.Labels.empty());
  }
  // The limits themselves are fine.
  messages->shown.clear();
  TParts most;
  most.height = 2000;
  most.width = 16;
  most.zoomX = 10000;
  most.zoomY = 0.0001L;
  most.centerX = -100000;
  most.functionCount = 252;
  most.functions = [](TBuilder& b) {
    for (int i = 0; i < 252; ++i) Function2(b, "x", 10);
  };
  TGraph2DDoc doc;
  EXPECT_TRUE(OpenGraph(Put(most.File()), doc));
  EXPECT_TRUE(messages->shown.empty());
  EXPECT_EQ(doc.Functions.size(), 252u);
}

TEST_F(File2D, UnknownPenStylesDrawSolid) {
  TParts p;
  p.settings = AxisWith(31, {9});
  TGraph2DDoc doc;
  ASSERT_TRUE(OpenGraph(Put(p.File()), doc));
  EXPECT_EQ(doc.Settings.X.AxisStyle, psSolid);
}

TEST_F(File2D, OtherGraphKindsAreNotOpenedAsTwoD) {
  TBytes polar = TParts().File();
  polar[38 + 15] = gkPolar;
  polar[61] = static_cast<std::uint8_t>(Sum(polar, 0, 61));
  polar[62] = static_cast<std::uint8_t>(Sum(polar, 0, 61) >> 8);
  FixChecksum(polar);
  TGraph2DDoc doc;
  EXPECT_FALSE(OpenGraph(Put(polar), doc));
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].text, "Error Loading File");
  EXPECT_TRUE(OpenGraph(Put(TParts().File()), doc));
}

TEST_F(File2D, AFailedSaveKeepsTheFileThatWasThere) {
  const TBytes text = TBuilder().Raw("my notes").bytes;
  const std::string path = Put(text, "notes.pxg");
  TGraph2DDoc doc;
  FillEverything(doc);
  EXPECT_FALSE(doc.SaveGraph(path));  // the overwrite question is cancelled
  EXPECT_EQ(ReadBytes(path), text);
  {
    TScopedFaultyIO io(TIoOp::Write, 1);
    messages->shown.clear();
    const std::string graph = dir.Path("graph.pxg");
    const TBytes before = TParts().File();
    WriteBytes(graph, before);
    EXPECT_FALSE(doc.SaveGraph(graph));
    EXPECT_EQ(Texts(*messages), std::vector<std::string>{"Error Writing To File"});
    EXPECT_EQ(ReadBytes(graph), before);
  }
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"graph.pxg", "notes.pxg"}));
}

// A file cut at every length, and every content byte changed (with and without a
// checksum that agrees): no crash, nothing left open, every failure a message, and a
// document that is either loaded or as it was.
TEST_F(File2D, DamagedFilesNeverCrash) {
  const std::string path = dir.Path("g.pxg");
  TBytes good;
  {
    TGraph2DDoc doc;
    FillEverything(doc);
    doc.Functions.pop_back();
    ASSERT_TRUE(doc.SaveGraph(path));
    good = ReadBytes(path);
  }
  const int descriptors = OpenDescriptors();
  TBitmap bitmap(64, 64);
  int loaded = 0, refused = 0;
  auto attempt = [&](const TBytes& bytes, bool mustFail) {
    messages->shown.clear();
    std::filesystem::remove(path);  // a new file each time: rewriting one in place waits for the disk
    WriteBytes(path, bytes);
    TGraph2DDoc doc;
    if (OpenGraph(path, doc)) {
      EXPECT_FALSE(mustFail);
      ++loaded;
      doc.RenderWithLabels(bitmap);
      return;
    }
    ++refused;
    EXPECT_FALSE(messages->shown.empty());
    EXPECT_TRUE(doc.Functions.empty() && doc.Labels.empty());
  };
  for (std::size_t n = 0; n < good.size(); ++n) {
    TBytes cut(good.begin(), good.begin() + static_cast<long>(n));
    attempt(cut, true);
    if (n >= 66) {
      FixChecksum(cut);
      attempt(cut, true);
    }
  }
  for (std::size_t i = 63; i + 2 < good.size(); ++i) {
    TBytes flipped = good;
    flipped[i] ^= 0xA5;
    attempt(flipped, true);
    FixChecksum(flipped);
    attempt(flipped, false);
  }
  EXPECT_GT(loaded, 0);
  EXPECT_GT(refused, 0);
  EXPECT_EQ(OpenDescriptors(), descriptors);
}

}  // namespace
}  // namespace plotix
