// The 3D graph in graph files: a format 2 file built byte by byte reads and writes back
// the same bytes, format 1 converts, records no dialog could make are refused, and a
// rebuild that fills the store says so once.
#include <gtest/gtest.h>

#include <limits>

#include "../compiled.h"
#include "../files/file_fixtures.h"
#include "../told.h"
#include "graph3d/graph3d_document.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

using namespace testbytes;

// The fields of the test file that rows change.
struct TFileRow {
  int height = 300;
  Extended angle = 10;
  int count = 2, typeCode = ftSurface;
  int lines1 = 6, detail1 = 2;
  Extended lo = -1;
  int orientation = orZ, axis = raLine;
  int labels = 0;
};

// A surface Z=f(x,y)=x*y and the rotated sqrt(x) about the line (0,0)-(1,2).
TBytes Content2(const TFileRow& f) {
  TBuilder b;
  b.I32(f.height).I32(400).Ext(f.angle).Ext(0).Ext(-30).I32(20);
  b.I32(0xFFFFFF);
  for (const int color : {0x000000, 0x008000, 0x800000}) b.Byte(1).I32(color).Byte(1).Byte(0).Byte(1).Byte(1);
  for (int i = 0; i < 3; ++i) b.Font2("DejaVu Sans", 0x0000FF, 1, 10);
  b.I32(f.count);
  b.I32(f.typeCode).I32(0x00FF00).Ext(f.lo).Ext(1).I32(f.lines1).I32(f.detail1).Ext(-2).Ext(2).I32(6).I32(2).Byte(1);
  b.LStr("-1").LStr("1").LStr("-2").LStr("2").I32(f.orientation).LStr("x*y");
  b.I32(ftRotate).Ext(0).Ext(2).Byte(f.axis).Ext(0).Ext(0).Ext(1).Ext(2).I32(8).I32(1).I32(5).I32(3).I32(0x0000FF);
  b.Byte(0).LStr("0").LStr("2").LStr("0").LStr("0").LStr("1").LStr("2").LStr("sqrt(x)");
  b.I32(f.labels);
  return b.bytes;
}

class File3D : public ::testing::Test {
 protected:
  std::string Put(const TBytes& content, int version = 2) {
    const std::string path = dir.Path("g.pxg");
    WriteBytes(path, GraphFile(content, version, k3DCartesianCode));
    return path;
  }

  TScratchDir dir;
  TScopedScriptedMessages messages;
};

TEST_F(File3D, ReadsAndWritesBackTheSameBytes) {
  const std::string path = Put(Content2({}));
  TGraph3DDoc doc;
  ASSERT_TRUE(OpenGraph(path, doc));
  EXPECT_EQ(std::tuple(doc.View().RotateZ, doc.Settings().Axes[2].LineColor, doc.Settings().Axes[1].LabelMinusEnd),
            std::tuple(Extended(-30), 0x800000u, false));
  ASSERT_EQ(doc.Functions().size(), 2u);
  const auto& surface = dynamic_cast<const TFunc3DObj&>(*doc.Functions()[0]);
  EXPECT_EQ(std::tuple(surface.GetDescription(), surface.Vars[1].Lo), std::tuple("Z=f(x,y)=x*y", Extended(-2)));
  const auto& rotated = dynamic_cast<const TFuncRotateObj&>(*doc.Functions()[1]);
  EXPECT_EQ(std::tuple(rotated.Axis, rotated.Points[3], rotated.LineDetail), std::tuple(int(raLine), Extended(2), 3));
  EXPECT_GT(doc.Lines().LineCount(), 3);  // rebuilt
  ASSERT_TRUE(doc.SaveGraph(dir.Path("again.pxg")));
  EXPECT_EQ(ReadBytes(dir.Path("again.pxg")), ReadBytes(path));
}

TEST_F(File3D, RefusesWhatNoDialogCouldHaveMade) {
  const TFileRow rows[] = {
      {.height = 2001}, {.angle = std::numeric_limits<Extended>::quiet_NaN()},
      {.count = 253},   {.typeCode = 3},
      {.lines1 = -1},   {.detail1 = 19},  // 6 lines of the other variable allow 18
      {.lo = 701},      {.orientation = 4},
      {.axis = 3},
  };
  for (const TFileRow& row : rows) {
    messages->shown.clear();
    TGraph3DDoc doc;
    EXPECT_FALSE(OpenGraph(Put(Content2(row)), doc));
    EXPECT_EQ(Told(messages), "E|OK|Error Loading File\n");
    EXPECT_TRUE(doc.Functions().empty());
  }
  // More functions than the bytes can hold: the file ends before they do.
  messages->shown.clear();
  TGraph3DDoc doc;
  EXPECT_FALSE(OpenGraph(Put(Content2({.count = 3, .labels = ftRotate})), doc));
  EXPECT_EQ(Told(messages), "E|OK|Error Reading From File\n");
}

TEST_F(File3D, ReadsFormat1) {
  TBuilder b;
  b.I16(300).I16(400).Ext(10).Ext(20).Ext(30).I16(1500);
  b.I32(0xFFFFFF).Byte(1).Byte(0).Byte(1).I32(0x008000);
  b.Byte(1).Byte(0).Byte(1).Byte(1).Byte(0).Byte(1).Byte(0).Byte(1).Font1("DejaVu Sans", 0xFF, 0, 12);
  b.I16(2);
  b.Byte(1).Byte(3).Zeros(4).I32(0x00FF00).SStr("-1", 50).SStr("1", 50).Ext(-1).Ext(1).I16(4).I16(3);
  b.SStr("0", 50).SStr("2", 50).Ext(0).Ext(2).I16(5).I16(2).Byte(1).Byte(0).SStr("x+z", 255);
  b.Byte(0).Zeros(4).SStr("0", 50).SStr("1", 50).Ext(0).Ext(1).Byte(2);
  for (const char* text : {"0", "0", "1", "1"}) b.SStr(text, 50);
  b.Ext(0).Ext(0).Ext(1).Ext(1).I16(6).I16(2).I16(6).I16(2).I32(0x0000FF).Byte(0).Byte(0).SStr("x^2", 255);
  b.I16(0).I16(0);
  TGraph3DDoc doc;
  ASSERT_TRUE(OpenGraph(Put(b.bytes, 1), doc));
  EXPECT_EQ(std::tuple(doc.BitmapHeight(), doc.View().RotateY, doc.View().Zoom),
            std::tuple(300, Extended(20), Extended(1000)));
  for (const TAxis3DSettings& axis : doc.Settings().Axes)
    EXPECT_EQ(std::tuple(axis.LineColor, axis.LabelFont.size, axis.ShowPlusSign), std::tuple(0x008000u, 12, false));
  EXPECT_FALSE(doc.Settings().Axes[1].ShowAxisLine);
  EXPECT_FALSE(doc.Settings().Axes[2].LabelPlusEnd);
  ASSERT_EQ(doc.Functions().size(), 2u);
  const auto& surface = dynamic_cast<const TFunc3DObj&>(*doc.Functions()[0]);
  EXPECT_EQ(std::tuple(surface.GetDescription(), surface.Vars[0].Lines, surface.Vars[1].HiText, surface.RoundDown),
            std::tuple("Y=f(x,z)=x+z", 4, "2", true));
  const auto& rotated = dynamic_cast<const TFuncRotateObj&>(*doc.Functions()[1]);
  EXPECT_EQ(std::tuple(rotated.Axis, rotated.PointTexts[2], rotated.Style.Color),
            std::tuple(int(raYAxis), "1", 0x0000FFu));
}

// Five functions of about 20000 lines each: the fourth fills the store.
TEST_F(File3D, AFullStoreIsReportedOnce) {
  TGraph3DDoc doc;
  TFuncList<TBaseFunc3DObj> functions;
  for (int i = 0; i < 5; ++i) {
    auto f = Compiled<TFuncRotateObj>("1+x");
    f->Lines = f->Circles = 100;
    f->LineDetail = f->CircleDetail = 0;
    functions.push_back(std::move(f));
  }
  doc.SetFunctions(std::move(functions));
  EXPECT_EQ(Told(messages), "E|OK|3D Window Full, Partial Function Will be Displayed\n");
  EXPECT_EQ(doc.Lines().LineCount(), kMaxStoreCount);
}

}  // namespace
}  // namespace plotix
