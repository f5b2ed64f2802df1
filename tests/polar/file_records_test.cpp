// The polar graph in graph files: the exact bytes written, round trips, format 1 files,
// refused and repaired contents.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "../compiled.h"
#include "../files/file_fixtures.h"
#include "../told.h"
#include "files/graph_file.h"
#include "polar/polar_document.h"

namespace plotix {
namespace {

using namespace testbytes;

// The fields of a polar file a test changes; the rest are those of a new graph.
struct TPolarFile {
  int height = 500, width = 500;
  Extended zoom = 35, centerX = 0, centerY = 0;
  int axisCount = 8;
  std::vector<Extended> angles{0, 45, 90, 135, 180, 225, 270, 315};
  int axisWidth = 1, axisStyle = 0, dashLength = 5, decimals = 1;
  Extended increment = 1;
  int functionCount = 1;
  int samples = 1000, functionWidth = 1;
  std::string expression = "2cos(theta)";
};

TBytes Format2(const TPolarFile& p) {
  TBuilder b;
  b.I32(p.height).I32(p.width).Ext(p.zoom).Ext(p.centerX).Ext(p.centerY);
  b.I32(0xFFFFFF).I32(p.axisCount);
  for (int i = 0; i < 360; ++i) b.Ext(i < int(p.angles.size()) ? p.angles[std::size_t(i)] : 0);
  b.I32(0).I32(p.axisWidth).Byte(p.axisStyle).Ext(p.increment).Byte(0).I32(0).I32(p.dashLength).I32(1).Byte(0);
  b.Byte(1).Byte(0).Byte(1).Byte(0).I32(p.decimals).Byte(0).Ext(5).LStr("1").LStr("5");
  const TFontDesc& f = DefaultFont();
  b.Font2(f.name, f.color, f.style, f.size).I32(p.functionCount);
  for (int i = 0; i < p.functionCount; ++i) {
    b.Ext(0).Ext(2 * kPolarPi).I32(p.samples).I32(0xFF0000).I32(p.functionWidth);
    b.LStr("0").LStr("2pi").LStr(p.expression);
  }
  b.I32(0);  // labels
  return GraphFile(b.bytes, 2, kPolarCode);
}

class FilePolar : public ::testing::Test {
 protected:
  std::string Put(const TBytes& bytes) {
    const std::string path = dir.Path("p.pxg");
    WriteBytes(path, bytes);
    return path;
  }
  bool Open(const TBytes& bytes) { return OpenGraph(Put(bytes), doc); }

  TScratchDir dir;
  TScopedScriptedMessages messages;
  TGraphPolarDoc doc;
};

TEST_F(FilePolar, WritesTheLayoutAndResavesByteForByte) {
  auto f = Compiled<TFuncPolarObj>("2cos(theta)");
  doc.AddFunction(std::make_unique<TFuncPolarObj>(*f));
  const std::string path = dir.Path("new.pxg");
  ASSERT_TRUE(doc.SaveGraph(path));
  EXPECT_EQ(ReadBytes(path), Format2({}));

  // Every settings field away from its default survives a load and a save.
  TSettingPolarObj s;
  s.BackgroundColor = 0x010203;
  StandardAxisList(alIntervals, 7, s.AxisCount, s.AxisAngles);
  s.AxisAngles[359] = 12.5L;  // past the count: kept as held
  s.AxisColor = 0x0000FF, s.AxisWidth = 3, s.AxisPenStyle = psDashDot;
  s.TickIncrementText = "pi/4", s.TickIncrement = kPolarPi / 4;
  s.TickMarkType = ptCircles, s.TickMarkColor = 0x00FF00, s.DashLength = 9;
  s.CircleWidth = 4, s.CirclePenStyle = psDot;
  s.ShowLabels = false, s.LabelFormat = 2, s.LabelComma = false, s.LabelPlus = true, s.LabelDecimalPlaces = 6;
  s.RestrictRadius = true, s.RestrictRadiusText = "ä2", s.RestrictRadiusAmount = 2;
  s.LabelFont = {"DejaVu Serif", 0x0000FF, fsBold | fsItalic, 12};
  doc.SetSettings(s);
  doc.SetView({0.5L, -99999.5L, 12});
  f->Samples = 77, f->Style = {0x123456, 10};
  f->LoBound = -3, f->LoBoundText = "-3";
  TFuncList<TFuncPolarObj> functions;
  functions.push_back(std::move(f));
  doc.SetFunctions(std::move(functions));
  ASSERT_TRUE(doc.SaveGraph(path));
  TGraphPolarDoc again;
  ASSERT_TRUE(OpenGraph(path, again));
  const std::string copy = dir.Path("copy.pxg");
  ASSERT_TRUE(again.SaveGraph(copy));
  EXPECT_EQ(ReadBytes(copy), ReadBytes(path));
  EXPECT_EQ(again.Settings().AxisCount, 52);
  EXPECT_TRUE(messages->shown.empty());
}

TEST_F(FilePolar, Format1FilesAreConverted) {
  TBuilder b;
  b.I16(300).I16(400).Ext(20).Ext(250000).Ext(-7);
  b.I32(0x00FFFF).I16(3).Ext(90).Ext(-90).Ext(450).Zeros(357 * 10);
  b.I32(0xFF).I16(2).Byte(1).SStr("0.5", 50).Ext(0.5L).Byte(1).I32(0xAA).I16(4).I16(3).Byte(2).Byte(1).I16(2);
  b.Byte(1).SStr("3", 50).Ext(3).Font1("DejaVu Sans", 0, 0, 10);
  b.I16(1).Zeros(4).SStr("-pi", 50).SStr("pi", 50).Ext(-kPolarPi).Ext(kPolarPi).I16(500).I32(0xFF).I16(2);
  b.Byte(0).SStr("theta", 255).I16(0).I16(0);  // the expression, no labels, no flood fills
  TSettingPolarObj before;
  before.LabelFormat = 3;
  doc.SetSettings(before);
  ASSERT_TRUE(Open(GraphFile(b.bytes, 1, kPolarCode)));
  EXPECT_EQ(std::tuple(doc.BitmapWidth(), doc.View().CenterX, doc.View().CenterY),
            std::tuple(400, Extended(100000), Extended(-7)));
  EXPECT_EQ(Told(messages), "I|OK|The Graph View Center Has Been Changed For Compatibility Reasons.\n");
  const TSettingPolarObj& s = doc.Settings();  // the axes 90, 270 and 90 again
  EXPECT_EQ(std::tuple(s.AxisCount, s.AxisAngles[1], s.TickIncrementText, s.CircleWidth, s.LabelDecimalPlaces,
                       s.RestrictRadiusAmount, s.LabelFormat, s.LabelComma),
            std::tuple(2, Extended(270), std::string("0.5"), 3, 2, Extended(3), 0, true));
  ASSERT_EQ(doc.Functions().size(), 1u);
  const TFuncPolarObj& f = *doc.Functions()[0];
  EXPECT_EQ(std::tuple(f.Samples, f.HiBoundText, f.Style.Width, f.Func.Expression()),
            std::tuple(500, std::string("pi"), 2, std::string("theta")));
}

TEST_F(FilePolar, ContentsBeyondTheLimitsAreRefusedOrRepaired) {
  const struct {
    const char* what;
    std::function<void(TPolarFile&)> change;
    bool opens;
  } rows[] = {
      // clang-format off
      {"361 axes", [](TPolarFile& p) { p.axisCount = 361; }, false},
      {"negative axis count", [](TPolarFile& p) { p.axisCount = -1; }, false},
      {"253 functions", [](TPolarFile& p) { p.functionCount = 253; }, false},
      {"bitmap 15 high", [](TPolarFile& p) { p.height = 15; }, false},
      {"bitmap 2001 wide", [](TPolarFile& p) { p.width = 2001; }, false},
      {"axis width 0", [](TPolarFile& p) { p.axisWidth = 0; }, false},
      {"dash length 11", [](TPolarFile& p) { p.dashLength = 11; }, false},
      {"9 decimal places", [](TPolarFile& p) { p.decimals = 9; }, false},
      {"-1 decimal places", [](TPolarFile& p) { p.decimals = -1; }, false},
      {"function width 11", [](TPolarFile& p) { p.functionWidth = 11; }, false},
      {"an angle that is no number",
       [](TPolarFile& p) { p.angles[2] = std::numeric_limits<Extended>::quiet_NaN(); }, false},
      {"increment beyond 1e12", [](TPolarFile& p) { p.increment = 2e12L; }, false},
      {"zoom 0", [](TPolarFile& p) { p.zoom = 0; }, false},
      {"centre beyond 100000", [](TPolarFile& p) { p.centerY = 100001; }, false},
      {"expression that does not compile", [](TPolarFile& p) { p.expression = "2cos("; }, false},
      {"angles out of turn and order",
       [](TPolarFile& p) { p.axisCount = 5, p.angles = {400, 10, 10, -90, -1e-20L}; }, true},
      {"a million samples", [](TPolarFile& p) { p.samples = 1000000; }, true},
      {"no samples", [](TPolarFile& p) { p.samples = -5; }, true},
      {"0 decimal places", [](TPolarFile& p) { p.decimals = 0; }, true},
      {"8 decimal places", [](TPolarFile& p) { p.decimals = 8; }, true},
      // clang-format on
  };
  for (const auto& row : rows) {
    TPolarFile p;
    row.change(p);
    messages->shown.clear();
    TGraphPolarDoc loaded;
    EXPECT_EQ(OpenGraph(Put(Format2(p)), loaded), row.opens) << row.what;
    EXPECT_EQ(Told(messages), row.opens ? "" : "E|OK|Error Loading File\n") << row.what;
    EXPECT_EQ(loaded.Functions().empty(), !row.opens) << row.what;
  }

  TPolarFile p;
  p.axisCount = 5;
  p.angles = {400, 10, 10, -90, -1e-20L};
  p.samples = 1000000;
  for (const int style : {5, 6}) {  // clear, and no style: solid
    p.axisStyle = style;
    ASSERT_TRUE(Open(Format2(p)));
    EXPECT_EQ(doc.Settings().AxisPenStyle, style == 5 ? psClear : psSolid);
  }
  const TAxisAngles& a = doc.Settings().AxisAngles;
  EXPECT_EQ(std::vector<Extended>(a.begin(), a.begin() + doc.Settings().AxisCount),
            (std::vector<Extended>{0, 10, 40, 270}));
  EXPECT_EQ(doc.Functions()[0]->Samples, 1000000);  // kept for the file; the drawing stops at 100000
}

}  // namespace
}  // namespace plotix
