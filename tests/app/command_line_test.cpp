// The headless modes of the real executable, run without any display: --calc, --render,
// --resave, --help, --version and bad usage.
#include <gtest/gtest.h>

#include "run_plotix.h"

#include <QImage>

#include "../files/file_fixtures.h"
#include "cartesian/cartesian_document.h"
#include "expr/calculation.h"
#include "expr/math_function.h"
#include "files/graph_file.h"
#include "platform/bmp_file.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

using namespace testbytes;

QString Q(const std::string& s) { return QString::fromStdString(s); }

TEST(CommandLine, CalcPrintsWhatTheResultFieldShows) {
  const struct {
    QStringList args;
    const char* out;
    int status;
  } rows[] = {
      {{"--calc", "x/z", "--x", "1", "--z", "0"}, "Error: Division by Zero\n", 1},
      {{"--calc", "sin(x)", "--x", "pi/2"}, "1.000000000000000000\n", 0},
      {{"--calc=sin(x)", "--x=pi/2", "--scientific"}, "1.00000000000000000E+0\n", 0},
      {{"--z", "3", "--calc", "x-z", "--x", "-0.5"}, "-3.500000000000000000\n", 0},
      {{"--calc", ""}, "Function Definition: Empty Expression\n", 1},
      {{"--calc", "x", "--x", "y"}, "Variable X: Unknown Symbol at Character 1\n", 1},
      // The fix-up: range 2 with exact values at start; range 1 still covers 1000 pi.
      {{"--calc", "sin(x)", "--x", "1000pi"}, "0.000000000000000000\n", 0},
      {{"--calc", "sin(x)", "--x", "1000pi", "--trig", "1,plain"}, "0.000000000000000000\n", 0},
      {{"--calc", "cos(x)", "--x", "100001pi/2", "--trig", "3"}, "0.000000000000000000\n", 0},
  };
  for (const auto& r : rows) {
    const TRun run = RunPlotix(r.args);
    EXPECT_EQ(std::tuple(run.out, run.err, run.status), std::tuple(std::string(r.out), std::string(), r.status))
        << r.args.join(' ').toStdString();
  }
}

// Outside the fix-up's range the rounding error of the platform's sine shows, exactly as
// the calculator shows it.
TEST(CommandLine, CalcOutsideTheFixupRangeShowsTheRoundingError) {
  const struct {
    const char* function;
    const char* x;
    const char* trig;
    int range;
    bool exact;
  } rows[] = {{"sin(x)", "1000pi", "0", 0, true}, {"sin(x)", "10000pi", "1", 1, true},
              {"cos(x)", "100001pi/2", "2,plain", 2, false}};
  int range = 2;
  bool exact = true;
  GetTrigFixup(range, exact);
  for (const auto& r : rows) {
    SetTrigFixup(r.range, r.exact);
    const std::string expected = Calculate(r.function, r.x, "0", true).text + "\n";
    EXPECT_NE(expected, "0.00000000000000000E+0\n");
    EXPECT_EQ(RunPlotix({"--calc", r.function, "--x", r.x, "--trig", r.trig, "--scientific"}).out, expected) << r.x;
  }
  SetTrigFixup(range, exact);
}

TEST(CommandLine, HelpVersionAndBadUsage) {
  const TRun version = RunPlotix({"--version"});
  EXPECT_EQ(std::tuple(version.out, version.status), std::tuple(std::string("Plotix " PLOTIX_VERSION "\n"), 0));
  const TRun help = RunPlotix({"--help"});
  EXPECT_EQ(std::tuple(help.status, help.err), std::tuple(0, std::string()));
  for (const char* usage : {"usage: plotix [FILE]", "--calc EXPR", "--resave IN.pxg OUT.pxg",
                            "--render FILE.pxg OUT.bmp|OUT.png [--depth 4|8|15|16|24|32]"})
    EXPECT_NE(help.out.find(usage), std::string::npos) << usage;
  const QStringList rows[] = {
      {"--bogus"},
      {"--calc"},
      {"--calc", "x", "--x"},
      {"--calc", "x", "--trig", "6"},
      {"--calc", "x", "--trig", "2,fancy"},
      {"--x", "1"},
      {"--calc", "x", "extra"},
      {"--version=1"},
      {"--render", "a.pxg"},
      {"--render", "a.pxg", "b.gif"},
      {"--render", "a.pxg", "b.png", "--depth", "7"},
      {"--resave", "a.pxg", "b.pxg", "--depth", "8"},
      {"--render", "a.pxg", "b.png", "--resave", "a.pxg", "c.pxg"},
  };
  for (const auto& args : rows) {
    const TRun run = RunPlotix(args);
    EXPECT_EQ(std::tuple(run.status, run.out, run.err.rfind("plotix: ", 0)), std::tuple(2, std::string(), 0u))
        << args.join(' ').toStdString() << ": " << run.err;
  }
}

class CommandLineFiles : public ::testing::Test {
 protected:
  CommandLineFiles() : graph(dir.Path("graph.pxg")) {
    TGraph2DDoc doc;
    doc.BitmapWidth = 320;
    doc.BitmapHeight = 200;
    auto f = std::make_unique<TFunc2DObj>();
    f->Func.SetExpression("x^2-2");
    f->Func.Compile();
    doc.Functions.push_back(std::move(f));
    doc.Labels.push_back(CreateLabel(ltRectangle, doc.LabelOwner));
    auto& box = dynamic_cast<TDrawInclosedShape&>(*doc.Labels.back());
    box.P1 = {20, 20};
    box.P2 = {60, 50};
    box.PenColor = 0x00FF00;
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

  TScratchDir dir;
  std::string graph;
  TScopedScriptedMessages messages;
};

TEST_F(CommandLineFiles, RenderWritesThePictureWithItsLabelsAtTheDepthAsked) {
  const std::string png = dir.Path("graph.png");
  const TRun run = RunPlotix({"--render", Q(graph), Q(png)});
  EXPECT_EQ(std::tuple(run.status, run.out, run.err), std::tuple(0, std::string(), std::string()));
  EXPECT_EQ(QImage(Q(png)).convertToFormat(QImage::Format_RGB32), Expected(32));
  EXPECT_EQ(QImage(Q(png)).pixel(20, 30), qRgb(0, 255, 0));  // the rectangle's left edge
  for (const int depth : {4, 16}) {
    const std::string bmp = dir.Path("graph" + std::to_string(depth) + ".BMP");
    EXPECT_EQ(RunPlotix({"--render", Q(graph), Q(bmp), "--depth", QString::number(depth)}).status, 0);
    const QByteArray want = EncodeBmp(Expected(depth), depth);
    EXPECT_EQ(ReadBytes(bmp), TBytes(want.begin(), want.end())) << depth;
  }
}

TEST_F(CommandLineFiles, FilesThatCanNotBeOpenedExitOneWithTheirMessages) {
  TBytes damaged = ReadBytes(graph);
  damaged.back() ^= 1;
  WriteBytes(dir.Path("damaged.pxg"), damaged);
  WriteBytes(dir.Path("text.pxg"), TBuilder().Raw("hello").bytes);
  WriteBytes(dir.Path("kind9.pxg"), GraphFile(TBuilder().Zeros(8).bytes, 2, 9));
  const struct {
    const char* file;
    const char* err;
  } rows[] = {
      {"missing.pxg", "Error: Error Opening File\n"},
      {"damaged.pxg", "Error: Error In File; File Data Is Corrupted\n"},
      {"text.pxg", "Error: File is not a Plotix data file, and can not be opened.\n"},
      {"kind9.pxg", "Error: Error Loading File\n"},
  };
  for (const auto& r : rows)
    for (const QString mode : {"--render", "--resave"}) {
      const std::string out = dir.Path(mode == "--render" ? "out.png" : "out.pxg");
      const TRun run = RunPlotix({mode, Q(dir.Path(r.file)), Q(out)});
      EXPECT_EQ(std::tuple(run.status, run.err), std::tuple(1, std::string(r.err))) << r.file;
      EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST_F(CommandLineFiles, ResaveConvertsAndNeverOverwritesAForeignFile) {
  const std::string copy = dir.Path("copy.pxg");
  EXPECT_EQ(RunPlotix({"--resave", Q(graph), Q(copy)}).status, 0);
  EXPECT_EQ(ReadBytes(copy), ReadBytes(graph));
  TBuilder c;  // a format 1 graph comes out as format 2
  c.I16(100).I16(120).Ext(10).Ext(0).Ext(0);
  c.Byte(1).I32(0).I16(1).Byte(0).I32(0xFFFFFF).Byte(1).SStr("1", 50).Ext(1).I32(0).I16(5).Byte(1).I16(1);
  c.Font1("DejaVu Sans", 0, 0, 8);
  c.I16(1).Zeros(4).SStr("", 50).SStr("", 50).Byte(1).Byte(1).Ext(0).Ext(0).Byte(0).I32(0xFF).I16(1);
  c.Byte(0).SStr("sin(x)", 255).I16(0).I16(0);
  WriteBytes(dir.Path("old.pxg"), GraphFile(c.bytes, 1, 1, "1"));
  const std::string converted = dir.Path("converted.pxg");
  const TRun run = RunPlotix({"--resave", Q(dir.Path("old.pxg")), Q(converted)});
  EXPECT_EQ(std::tuple(run.status, run.err), std::tuple(0, std::string()));
  TReadGraphFile r;
  ASSERT_TRUE(r.Open(converted));
  EXPECT_EQ(r.FormatVersion(), 2);
  r.Close();
  TGraph2DDoc doc;
  ASSERT_TRUE(OpenGraph(converted, doc));
  EXPECT_EQ(doc.BitmapWidth, 120);
  ASSERT_EQ(doc.Functions.size(), 1u);
  EXPECT_EQ(doc.Functions[0]->GetDescription(), "Y=f(x)=sin(x)");
  const TBytes text = TBuilder().Raw("not a graph").bytes;  // the overwrite question is answered Cancel
  WriteBytes(dir.Path("notes.pxg"), text);
  const TRun refused = RunPlotix({"--resave", Q(graph), Q(dir.Path("notes.pxg"))});
  EXPECT_EQ(std::tuple(refused.status, refused.err),
            std::tuple(1, std::string("Warning: Existing File Is Not A Plotix Data File, Do You Want To Overwrite?\n")));
  EXPECT_EQ(ReadBytes(dir.Path("notes.pxg")), text);
}

}  // namespace
}  // namespace plotix
