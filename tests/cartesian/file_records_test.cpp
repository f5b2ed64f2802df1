// The 2D graph in graph files: the exact bytes of a new graph, round trips of every field,
// format 1 files, and contents the program can not hold.
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "../compiled.h"
#include "../files/file_fixtures.h"
#include "../told.h"
#include "cartesian/cartesian_document.h"
#include "fields.h"
#include "files/graph_file.h"

namespace plotix {
namespace {

using namespace testbytes;

// The 60-byte axis block of a new graph.
TBuilder& DefaultAxisBlock(TBuilder& b) {
  b.Byte(1).Byte(1).Ext(0).Byte(1).Ext(0).I32(0).I32(1).Byte(0).Byte(1).I32(0).Ext(1).I32(5);
  return b.Byte(2).Byte(1).Byte(0).Byte(1).Byte(0).I32(1);
}

TBuilder& DefaultSettings(TBuilder& b) {
  DefaultAxisBlock(DefaultAxisBlock(b)).I32(0xFFFFFF).LStr("").LStr("").LStr("1").LStr("").LStr("").LStr("1");
  const TFontDesc& f = DefaultFont();
  return b.Font2(f.name, f.color, f.style, f.size).Font2(f.name, f.color, f.style, f.size);
}

// A format 2 function record; a lower bound other than -1 makes both bounds count.
TBuilder& Function2(TBuilder& b, const std::string& text, int width = 1, Extended lo = -1, int specials = 0) {
  b.Byte(lo == -1).Byte(lo == -1).Ext(lo).Ext(1).Byte(0).Byte(0).I32(0xFF0000).I32(width).LStr("").LStr("").I32(0).I32(
      specials);
  for (int i = 0; i < specials; ++i) b.Ext(specials < 3 ? specials - i : i);  // two are out of order
  return b.LStr(text);
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
    functions(b.I32(functionCount));
    labels(b);
    return GraphFile(b.bytes);
  }
};

class File2D : public ::testing::Test {
 protected:
  std::string Put(const TBytes& bytes) {
    std::filesystem::remove(dir.Path("g.pxg"));  // a new file each time: rewriting one in place waits for the disk
    WriteBytes(dir.Path("g.pxg"), bytes);
    return dir.Path("g.pxg");
  }

  TScratchDir dir;
  TScopedScriptedMessages messages;
};

TEST_F(File2D, ANewGraphSavesAsExactlyTheseBytes) {
  TGraph2DDoc doc;
  ASSERT_TRUE(doc.SaveGraph(dir.Path("new.pxg")));
  TBuilder c;
  DefaultSettings(c.I32(500).I32(500).Ext(35).Ext(35).Ext(0).Ext(0)).I32(0).I32(0);
  EXPECT_EQ(ReadBytes(dir.Path("new.pxg")), GraphFile(c.bytes));
  EXPECT_EQ(Told(messages), "");
}

TEST_F(File2D, EveryFieldComesBack) {
  TGraph2DDoc doc;
  doc.SetBitmapSize(640, 480);
  doc.SetView({12.5L, 70, -300.25L, 99999});
  TSetting2DObj s;
  s.X = {false,        "-2*pi", false, -2 * 3.14159L, "7", false, 7,    0x0000FF, 3, 1, ttGridLines, 0x00FF00, "pi/4",
         3.14159L / 4, 8,       4,     false,         2,   false, true, 3};
  s.Y = {true,     "",     true,  0, "1e3", false, 1000, 0x123456, 10,    3, ttGridMarks,
         0x654321, "0.25", 0.25L, 1, 0,     true,  4,    true,     false, 18};
  s.BackColor = 0x0A0B0C;
  s.XLabelFont = {"DejaVu Serif", 0x0000FF, fsBold | fsItalic, 12};
  s.YLabelFont = {"DejaVu Sans Mono", 0x00FF00, fsUnderline | fsStrikeOut, 7};
  doc.SetSettings(s);
  std::unique_ptr<TFunc2DObj> function = Compiled<TFunc2DObj>("x^3-2x");
  TFunc2DObj& f = *function;
  f.LoBoundText = "-π";  // texts are kept as typed, in UTF-8
  f.LoBoundEmpty = f.HiBoundEmpty = false;
  f.LoBound = -3.14159L, f.HiBoundText = "2", f.HiBound = 2;
  f.AsymptoteFixUp = f.ExtraAccuracy = true;
  f.SpecialXLines = {"0", "pi/2", "-1"};
  f.SetSpecialX({-1, 0, 3.14159L / 2});
  f.Style = {0x00AA00, 10};
  doc.AddFunction(std::move(function));
  doc.AddLabel(CreateLabel(ltText, doc.LabelOwner()));
  const std::string path = dir.Path("all.pxg");
  ASSERT_TRUE(doc.SaveGraph(path));

  TGraph2DDoc back;
  ASSERT_TRUE(OpenGraph(path, back));
  EXPECT_EQ(Told(messages), "");
  EXPECT_EQ(std::tuple(back.BitmapWidth(), back.BitmapHeight(), back.View().ZoomX, back.View().ZoomY,
                       back.View().CenterX, back.View().CenterY),
            std::tuple(640, 480, 12.5L, Extended(70), -300.25L, Extended(99999)));
  EXPECT_EQ(SettingsFields(back.Settings()), SettingsFields(doc.Settings()));
  ASSERT_EQ(back.Functions().size(), 1u);
  EXPECT_EQ(FunctionFields(*back.Functions()[0]), FunctionFields(*doc.Functions()[0]));
  EXPECT_EQ(dynamic_cast<const TFunc2DObj&>(*back.Functions()[0]).Func.State(), 2);  // compiled
  ASSERT_EQ(back.Labels().size(), 1u);
  EXPECT_EQ(&back.Labels()[0]->Owner(), &back.LabelOwner());
}

// Format 1: one zoom, one axis description, one font, short texts, labels with the flood
// fills in a list of their own.
TBytes Format1File(Extended centerX, Extended centerY) {
  TBuilder c;
  c.I16(300).I16(400).Ext(20).Ext(centerX).Ext(centerY);
  c.Byte(1).I32(0x0000FF).I16(2).Byte(1).I32(0xEEEEEE).Byte(7).SStr("1/2", 50).Ext(0.5L).I32(0x00FF00).I16(4);
  c.Byte(0).I16(2).Font1("DejaVu Serif", 0x112233, fsBold, 10);
  c.I16(2).Zeros(4).SStr("-1", 50).SStr("", 50).Byte(0).Byte(1).Ext(-1).Ext(0).Byte(1).I32(0xFF00FF).I16(3);
  c.Byte(0).SStr("x^2", 255);
  c.Zeros(4).SStr("", 50).SStr("", 50).Byte(1).Byte(1).Ext(0).Ext(0).Byte(0).I32(0x0000FF).I16(1);
  c.Byte(0xCC).SStr("sin(x)", 255);
  c.I16(0).I16(0);  // no labels, no flood fills
  return GraphFile(c.bytes, 1, 1, "1");
}

TEST_F(File2D, FormatOneOpensConverted) {
  TGraph2DDoc doc;
  ASSERT_TRUE(OpenGraph(Put(Format1File(250000, -5)), doc));
  EXPECT_EQ(Told(messages), "I|OK|The Graph View Center Has Been Changed For Compatibility Reasons.\n");
  EXPECT_EQ(std::tuple(doc.BitmapHeight(), doc.BitmapWidth(), doc.View().ZoomX, doc.View().ZoomY, doc.View().CenterX,
                       doc.View().CenterY),
            std::tuple(300, 400, Extended(20), Extended(20), Extended(100000), Extended(-5)));
  TAxisSettings axis;  // the defaults, with what format 1 holds
  axis.AxisColor = 0x0000FF, axis.AxisWidth = 2, axis.AxisStyle = 1;
  axis.TickType = ttTickMarks;  // any non-zero type
  axis.IncText = "1/2", axis.Inc = 0.5L, axis.TickColor = 0x00FF00, axis.TickLength = 4;
  axis.ShowLabels = false, axis.LabelDecimals = 2;
  const TFontDesc font{"DejaVu Serif", 0x112233, fsBold, 10};
  EXPECT_EQ(SettingsFields(doc.Settings()), std::tuple(AxisFields(axis), AxisFields(axis), 0xEEEEEEu, font, font));
  ASSERT_EQ(doc.Functions().size(), 2u);
  const auto& f = dynamic_cast<const TFunc2DObj&>(*doc.Functions()[0]);
  EXPECT_EQ(std::tuple(f.Func.Expression(), f.LoBoundText, f.LoBoundEmpty, f.LoBound, f.HiBoundEmpty, f.AsymptoteFixUp,
                       f.ExtraAccuracy, f.Style.Color, f.Style.Width),
            std::tuple(std::string("x^2"), std::string("-1"), false, Extended(-1), true, true, false, 0xFF00FFu, 3));
  EXPECT_EQ(doc.Functions()[1]->GetDescription(), "Y=g(x)=sin(x)");  // the default names in list order
}

// One axis block with one field changed: offset and bytes within the 60-byte block.
std::function<void(TBuilder&)> AxisWith(std::size_t offset, TBytes value) {
  return [=](TBuilder& b) {
    const std::size_t start = b.bytes.size();
    DefaultSettings(b);
    std::copy(value.begin(), value.end(), b.bytes.begin() + long(start + offset));
  };
}

TEST_F(File2D, ContentsTheProgramCanNotHoldAreRefusedAndTheLimitsAreFine) {
  const Extended nan = std::numeric_limits<Extended>::quiet_NaN(), inf = std::numeric_limits<Extended>::infinity();
  auto parts = [](auto change) {
    TParts p;
    change(p);
    return p;
  };
  auto functions = [](int count, std::function<void(TBuilder&)> one) {
    return [=](TParts& p) {
      p.functionCount = count;
      p.functions = [=](TBuilder& b) {
        for (int i = 0; i < count; ++i) one(b);
      };
    };
  };
  const struct {
    const char* what;
    TParts parts;
    bool opens;
    const char* told = "E|OK|Error Loading File\n";
  } rows[] = {
      {"bitmap height 15", parts([](TParts& p) { p.height = 15; }), false},
      {"zoom 0", parts([](TParts& p) { p.zoomX = 0; }), false},
      {"limit infinite", parts([&](TParts& p) { p.settings = AxisWith(1, TBuilder().Byte(0).Ext(inf).bytes); }), false},
      {"253 functions", parts(functions(253, [](TBuilder& b) { Function2(b, "x"); })), false},
      {"function width 0", parts(functions(1, [](TBuilder& b) { Function2(b, "x", 0); })), false},
      {"an expression that does not compile", parts(functions(1, [](TBuilder& b) { Function2(b, "x+"); })), false},
      {"bound NaN", parts(functions(1, [&](TBuilder& b) { Function2(b, "x", 1, nan); })), false},
      {"1001 special values", parts(functions(1, [](TBuilder& b) { Function2(b, "x", 1, -1, 1001); })), false},
      {"special values out of order", parts(functions(1, [](TBuilder& b) { Function2(b, "x", 1, -1, 2); })), false},
      {"label type 8", parts([](TParts& p) { p.labels = [](TBuilder& b) { b.I32(1).I32(8).Zeros(40); }; }), false},
      {"missing label list", parts([](TParts& p) { p.labels = [](TBuilder&) {}; }), false,
       "E|OK|Error Reading From File\n"},
      {"an unknown axis style draws solid", parts([](TParts& p) { p.settings = AxisWith(31, {9}); }), true},
      // clang-format off
      {"the largest values", parts([&](TParts& p) {
         p.height = 2000, p.width = 16, p.zoomX = 10000, p.zoomY = 0.0001L, p.centerX = -100000;
         functions(252, [](TBuilder& b) { Function2(b, "x", 10, -1, 1000); })(p);
       }), true},
      // clang-format on
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    messages->shown.clear();
    TGraph2DDoc doc;
    doc.AddFunction(Compiled<TFunc2DObj>("42"));
    EXPECT_EQ(OpenGraph(Put(r.parts.File()), doc), r.opens);
    EXPECT_EQ(Told(messages), r.opens ? "" : r.told);
    if (r.opens) {
      EXPECT_EQ(doc.Functions().size(), std::size_t(r.parts.functionCount));
      EXPECT_EQ(doc.Settings().X.AxisStyle, psSolid);
      continue;
    }
    // Nothing half-made: the document is as it was.
    ASSERT_EQ(doc.Functions().size(), 1u);
    EXPECT_EQ(
        std::tuple(doc.Functions()[0]->GetDescription(), doc.BitmapWidth(), doc.View().ZoomX, doc.Labels().size()),
        std::tuple(std::string("Y=f(x)=42"), 500, Extended(35), std::size_t(0)));
  }
  TBytes polar = TParts().File();  // another kind is not opened as 2D
  polar[53] = 2;                   // the polar kind
  PutSum(polar, 61);
  FixChecksum(polar);
  messages->shown.clear();
  TGraph2DDoc doc;
  EXPECT_FALSE(OpenGraph(Put(polar), doc));
  EXPECT_EQ(Told(messages), "E|OK|Error Loading File\n");
}

}  // namespace
}  // namespace plotix
