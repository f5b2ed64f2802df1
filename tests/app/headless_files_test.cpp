// --render and --resave of the real executable, run without any display.
#include <gtest/gtest.h>

#include "run_plotix.h"

#include <QImage>
#include <QProcess>
#include <QStringList>

#include "../files/file_fixtures.h"
#include "cartesian/cartesian_document.h"
#include "files/graph_file.h"
#include "platform/bmp_file.h"
#include "platform/canvas.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

using namespace testbytes;

class CommandLineFiles : public ::testing::Test {
 protected:
  CommandLineFiles() {
    graph = dir.Path("graph.pxg");
    TGraph2DDoc doc;
    doc.BitmapWidth = 320;
    doc.BitmapHeight = 200;
    auto f = std::make_unique<TFunc2DObj>();
    f->Func.SetExpression("x^2-2");
    f->Func.Compile();
    f->Color = 0x0000FF;
    doc.Functions.push_back(std::move(f));
    doc.Labels.push_back(CreateLabel(ltRectangle, doc.LabelOwner));
    auto& box = dynamic_cast<TDrawInclosedShape&>(*doc.Labels.back());
    box.P1 = {20, 20};
    box.P2 = {60, 50};
    box.PenColor = 0x00FF00;
    box.PenWidth = 3;
    EXPECT_TRUE(doc.SaveGraph(graph));
  }

  // The picture the graph window would show, drawn in this process.
  QImage Expected(int depth) {
    TGraph2DDoc doc;
    EXPECT_TRUE(OpenGraph(graph, doc));
    TBitmap bitmap(doc.BitmapWidth, doc.BitmapHeight, depth);
    doc.RenderWithLabels(bitmap);
    return bitmap.Image();
  }

  static QString Q(const std::string& s) { return QString::fromStdString(s); }

  TScratchDir dir;
  std::string graph;
  TScopedScriptedMessages messages;
};

TEST_F(CommandLineFiles, RenderWritesThePictureWithItsLabels) {
  const std::string png = dir.Path("graph.png");
  const TRun run = RunPlotix({"--render", Q(graph), Q(png)});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "");
  const QImage picture(Q(png));
  ASSERT_EQ(picture.size(), QSize(320, 200));
  const QImage expected = Expected(32);
  EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(picture.pixel(20, 30), qRgb(0, 255, 0));  // the rectangle's left edge

  for (const int depth : {4, 8, 16, 24}) {
    SCOPED_TRACE(depth);
    const std::string bmp = dir.Path("graph" + std::to_string(depth) + ".BMP");
    const TRun r = RunPlotix({"--render", Q(graph), Q(bmp), "--depth", QString::number(depth)});
    EXPECT_EQ(r.status, 0);
    const TBytes bytes = ReadBytes(bmp);
    const QByteArray want = EncodeBmp(Expected(depth), depth);
    EXPECT_EQ(bytes, TBytes(want.begin(), want.end()));
  }
}

TEST_F(CommandLineFiles, FilesThatCanNotBeOpenedExitOneWithTheirMessages) {
  TBytes damaged = ReadBytes(graph);
  damaged.back() ^= 1;
  WriteBytes(dir.Path("damaged.pxg"), damaged);
  WriteBytes(dir.Path("text.pxg"), TBuilder().Raw("hello").bytes);
  WriteBytes(dir.Path("kind9.pxg"), GraphFile(TBuilder().Zeros(8).bytes, 2, 9));
  const struct {
    std::string file, err;
  } cases[] = {
      {dir.Path("missing.pxg"), "Error: Error Opening File\n"},
      {dir.Path("damaged.pxg"), "Error: Error In File; File Data Is Corrupted\n"},
      {dir.Path("text.pxg"), "Error: File is not a Plotix data file, and can not be opened.\n"},
      {dir.Path("kind9.pxg"), "Error: Error Loading File\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    for (const QString mode : {"--render", "--resave"}) {
      const std::string out = dir.Path(mode == "--render" ? "out.png" : "out.pxg");
      const TRun run = RunPlotix({mode, Q(c.file), Q(out)});
      EXPECT_EQ(run.status, 1);
      EXPECT_EQ(run.err, c.err);
      EXPECT_FALSE(std::filesystem::exists(out));
    }
  }
}

TEST_F(CommandLineFiles, ResaveConvertsAndNeverOverwritesAForeignFile) {
  const std::string copy = dir.Path("copy.pxg");
  TRun run = RunPlotix({"--resave", Q(graph), Q(copy)});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ReadBytes(copy), ReadBytes(graph));

  // A format 1 graph comes out as format 2.
  TBuilder c;
  c.I16(100).I16(120).Ext(10).Ext(0).Ext(0);
  c.Byte(1).I32(0).I16(1).Byte(0).I32(0xFFFFFF).Byte(1).SStr("1", 50).Ext(1).I32(0).I16(5).Byte(1).I16(1);
  c.Font1("DejaVu Sans", 0, 0, 8);
  c.I16(1).Zeros(4).SStr("", 50).SStr("", 50).Byte(1).Byte(1).Ext(0).Ext(0).Byte(0).I32(0xFF).I16(1);
  c.Byte(0).SStr("sin(x)", 255).I16(0).I16(0);
  WriteBytes(dir.Path("old.pxg"), GraphFile(c.bytes, 1, 1, "1"));
  const std::string converted = dir.Path("converted.pxg");
  run = RunPlotix({"--resave", Q(dir.Path("old.pxg")), Q(converted)});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(converted));
  EXPECT_EQ(r.FormatVersion(), 2);
  r.Close();
  TGraph2DDoc doc;
  ASSERT_TRUE(OpenGraph(converted, doc));
  EXPECT_EQ(doc.BitmapWidth, 120);
  ASSERT_EQ(doc.Functions.size(), 1u);
  EXPECT_EQ(doc.Functions[0]->Func.Expression(), "sin(x)");

  // The overwrite question is answered Cancel on the command line.
  const TBytes text = TBuilder().Raw("not a graph").bytes;
  WriteBytes(dir.Path("notes.pxg"), text);
  run = RunPlotix({"--resave", Q(graph), Q(dir.Path("notes.pxg"))});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Warning: Existing File Is Not A Plotix Data File, Do You Want To Overwrite?\n");
  EXPECT_EQ(ReadBytes(dir.Path("notes.pxg")), text);
}

TEST_F(CommandLineFiles, BadUsage) {
  const QStringList cases[] = {
      {"--render"},
      {"--render", "a.pxg"},
      {"--render", "a.pxg", "b.gif"},
      {"--render", "a.pxg", "b.png", "--depth", "7"},
      {"--render", "a.pxg", "b.png", "--depth"},
      {"--depth", "8"},
      {"--resave", "a.pxg"},
      {"--resave", "a.pxg", "b.pxg", "--depth", "8"},
      {"--resave", "a.pxg", "b.pxg", "extra"},
      {"--render", "a.pxg", "b.png", "--resave", "a.pxg", "c.pxg"},
      {"--calc", "x", "--depth", "8"},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(args.join(' ').toStdString());
    const TRun run = RunPlotix(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind("plotix: ", 0), 0u) << run.err;
  }
  const TRun help = RunPlotix({"--help"});
  EXPECT_NE(help.out.find("--render FILE.pxg OUT.bmp|OUT.png [--depth 4|8|15|16|24|32]"), std::string::npos);
  EXPECT_NE(help.out.find("--resave IN.pxg OUT.pxg"), std::string::npos);
}

}  // namespace
}  // namespace plotix
