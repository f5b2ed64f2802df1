// The headless modes of the real executable, run without any display: --calc, --render,
// --resave, --help, --version and bad usage.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include "run_plotix.h"

#include "../files/file_fixtures.h"
#include "cartesian/cartesian_document.h"
#include "cartesian/curve_functions.h"
#include "platform/bmp_file.h"
#include "platform/canvas.h"
#include "window/graph_document.h"
#include "window/graph_kinds.h"

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
      // --trig 3 zeroes cos(100001 pi/2), beyond the default range 2.
      {{"--calc", "cos(x)", "--x", "100001pi/2", "--trig", "3"}, "0.000000000000000000\n", 0},
      // Questions about EXPR: 21 digits, one point a line; nothing found is no error.
      {{"--calc", "x^2-z", "--z", "4", "--zeros", "-3", "pi"}, "-2\n2\n", 0},
      {{"--calc", "int(x)", "--zeros", "0.5", "2.5"}, "interval 0.5 0.99999999999999999995\n", 0},
      {{"--calc", "x^2+1", "--zeros", "-1", "1"}, "", 0},
      {{"--calc", "x^2-a*x", "--param", "a=2", "--extrema", "-5", "5"}, "min 1 -1\n", 0},
      {{"--calc", "-abs(x)", "--extrema", "-1", "1"}, "max 0 0\n", 0},
      {{"--calc", "x", "--intersect", "2-x", "0", "2"}, "1 1\n", 0},
      {{"--calc", "x^3", "--derivative", "2", "--x", "2"}, "12\n", 0},
      {{"--calc", "abs(x)", "--derivative", "1"}, "Error: Invalid Function Domain\n", 1},
      {{"--calc", "x+", "--zeros", "0", "1"}, "Function Definition: Expression Syntax Error at Character 2\n", 1},
      {{"--calc", "a*x", "--param", "a=2", "--integral", "0", "3"}, "9\n", 0},
      {{"--calc", "1/x", "--integral", "-1", "1"}, "Error: Division by Zero at x = 0\n", 1},
      {{"--calc", "1/x", "--integral", "0", "1"}, "Error: The Integral Diverges Or Converges Too Slowly\n", 1},
  };
  for (const auto& r : rows) {
    const TRun run = RunPlotix(r.args);
    EXPECT_EQ(std::tuple(run.out, run.err, run.status), std::tuple(std::string(r.out), std::string(), r.status))
        << r.args.join(' ').toStdString();
  }
}

TEST(CommandLine, HelpVersionAndBadUsage) {
  const TRun version = RunPlotix({"--version"});
  EXPECT_EQ(std::tuple(version.out, version.status), std::tuple(std::string("Plotix " PLOTIX_VERSION "\n"), 0));
  const TRun help = RunPlotix({"--help"});
  EXPECT_EQ(std::tuple(help.status, help.err), std::tuple(0, std::string()));
  for (const char* usage :
       {"usage: plotix [FILE]", "--render FILE.pxg OUT.bmp|OUT.png|OUT.svg|OUT.pdf [FILE.pxg OUT ...]"})
    EXPECT_NE(help.out.find(usage), std::string::npos) << usage;
  const QStringList rows[] = {{"--bogus"},
                              {"--calc", "x", "--trig", "6"},
                              {"--render", "a.pxg", "b.gif"},
                              {"--render", "a.pxg", "b.png", "c.pxg"},
                              {"--render", "a.pxg", "b.png", "c.pxg", "d.gif"},
                              {"--render", "a.pxg", "b.png", "--resave", "a.pxg", "c.pxg"},
                              {"--render", "a.pxg", "b.svg", "--depth", "8"},
                              {"--render", "a.pxg", "b.pdf", "--smooth"},
                              {"--render", "a.pxg", "b.bmp", "--scale", "2"},
                              {"--render", "a.pxg", "b.png", "--scale", "5"},
                              {"--render", "a.pxg", "b.png", "--smooth", "--depth", "8"},
                              {"--smooth"},
                              {"--calc", "x", "--zeros", "2", "1"},
                              {"--calc", "x", "--zeros", "0", "1/0"},
                              {"--calc", "x", "--zeros", "0"},
                              {"--calc", "x", "--derivative", "3"},
                              {"--calc", "x", "--zeros", "0", "1", "--extrema", "0", "1"},
                              {"--calc", "x", "--integral", "1", "0"},
                              {"--zeros", "0", "1"}};
  for (const auto& args : rows) {
    const TRun run = RunPlotix(args);
    EXPECT_EQ(std::tuple(run.status, run.out, run.err.rfind("plotix: ", 0)), std::tuple(2, std::string(), 0u))
        << args.join(' ').toStdString() << ": " << run.err;
  }
}

class CommandLineFiles : public ::testing::Test {
 protected:
  // The picture the graph window would show, drawn in this process.
  QImage Expected(int depth) {
    const auto doc = OpenGraphDocument(graph);
    TBitmap bitmap(doc->BitmapWidth(), doc->BitmapHeight(), depth);
    doc->RenderWithLabels(bitmap);
    return bitmap.Image();
  }

  TScratchDir dir;
  const std::string graph = PLOTIX_EXAMPLES "/labels.pxg";
};

// The man page and the manual name every option --help prints.
TEST(CommandLine, EveryOptionIsInTheManPageAndTheManual) {
  const QString help = QString::fromStdString(RunPlotix({"--help"}).out);
  const auto read = [](const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
  };
  const QString manPage = read(PLOTIX_SOURCE "/data/plotix.1.in").remove(QLatin1Char('\\'));
  const QString manual = read(PLOTIX_SOURCE "/docs/manual/command_line.md");
  QStringList options;
  for (auto it = QRegularExpression(QStringLiteral("--[a-z]+")).globalMatch(help); it.hasNext();)
    options << it.next().captured();
  options.removeDuplicates();
  EXPECT_GE(options.size(), 10);
  for (const QString& option : options) {
    EXPECT_TRUE(manPage.contains(option)) << option.toStdString() << " is not in the man page";
    EXPECT_TRUE(manual.contains(option)) << option.toStdString() << " is not in the manual";
  }
  EXPECT_TRUE(manPage.contains(QStringLiteral("FILE.pxg OUT ...")));  // a render of many files
}

TEST_F(CommandLineFiles, RenderWritesThePictureWithItsLabelsAtTheDepthAsked) {
  const std::string png = dir.Path("graph.png");
  const TRun run = RunPlotix({"--render", Q(graph), Q(png)});
  EXPECT_EQ(std::tuple(run.status, run.out, run.err), std::tuple(0, std::string(), std::string()));
  EXPECT_EQ(QImage(Q(png)).convertToFormat(QImage::Format_RGB32), Expected(32));
  for (const int depth : {4, 16}) {
    const std::string bmp = dir.Path("graph" + std::to_string(depth) + ".BMP");
    EXPECT_EQ(RunPlotix({"--render", Q(graph), Q(bmp), "--depth", QString::number(depth)}).status, 0);
    const QByteArray want = EncodeBmp(Expected(depth), depth);
    EXPECT_EQ(ReadBytes(bmp), TBytes(want.begin(), want.end())) << depth;
  }
}

// Many pairs in one run: each picture as the single file's render, a failure told under
// its file's name in the order given, the others still drawn.
TEST_F(CommandLineFiles, ABatchDrawsEveryFileItCanAndNamesTheOnesItCanNot) {
  QStringList args = {"--render"};
  std::vector<std::string> graphs;
  for (int i = 0; i < 6; ++i) graphs.push_back(i == 3 ? dir.Path("missing.pxg") : graph);
  for (std::size_t i = 0; i < graphs.size(); ++i) args << Q(graphs[i]) << Q(dir.Path(std::to_string(i) + ".bmp"));
  args << "--depth"
       << "16";
  const TRun run = RunPlotix(args);
  EXPECT_EQ(std::tuple(run.status, run.err), std::tuple(1, graphs[3] + ": Error: Error Opening File\n"));
  const QByteArray want = EncodeBmp(Expected(16), 16);
  for (std::size_t i = 0; i < graphs.size(); ++i) {
    if (i == 3) {
      EXPECT_FALSE(std::filesystem::exists(dir.Path("3.bmp")));
      continue;
    }
    EXPECT_EQ(ReadBytes(dir.Path(std::to_string(i) + ".bmp")), TBytes(want.begin(), want.end())) << i;
  }
}

TEST_F(CommandLineFiles, ACurveWithNothingToDrawIsDrawnWithANote) {
  TGraph2DDoc doc;
  auto curve = std::make_unique<TImplicitFuncObj>();
  ASSERT_TRUE(curve->Equation.SetText("x^2+y^2=-1"));
  doc.AddFunction(std::move(curve));
  ASSERT_TRUE(doc.SaveGraph(dir.Path("empty.pxg")));
  for (const char* out : {"empty.png", "empty.svg"}) {
    const TRun run = RunPlotix({"--render", Q(dir.Path("empty.pxg")), Q(dir.Path(out))});
    EXPECT_EQ(std::tuple(run.status, run.err),
              std::tuple(0, std::string("Note: x^2+y^2=-1: nothing to draw in this view\n")))
        << out;
    EXPECT_TRUE(std::filesystem::exists(dir.Path(out)));
  }
}

TEST_F(CommandLineFiles, FilesThatCanNotBeOpenedExitOneWithTheirMessages) {
  TBytes damaged = ReadBytes(graph);
  damaged.back() ^= 1;
  WriteBytes(dir.Path("damaged.pxg"), damaged);
  WriteBytes(dir.Path("text.pxg"), TBuilder().Raw("hello").bytes);
  const struct {
    const char* file;
    const char* err;
  } rows[] = {
      {"missing.pxg", "Error: Error Opening File\n"},
      {"damaged.pxg", "Error: Error In File; File Data Is Corrupted\n"},
      {"text.pxg", "Error: File is not a Plotix data file, and can not be opened.\n"},
  };
  for (const auto& r : rows)
    for (const QString mode : {"--render", "--resave"}) {
      const std::string out = dir.Path(mode == "--render" ? "out.png" : "out.pxg");
      const TRun run = RunPlotix({mode, Q(dir.Path(r.file)), Q(out)});
      EXPECT_EQ(std::tuple(run.status, run.err), std::tuple(1, std::string(r.err))) << r.file;
      EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST_F(CommandLineFiles, ResaveCopiesAndNeverOverwritesAForeignFile) {
  const std::string copy = dir.Path("copy.pxg");
  EXPECT_EQ(RunPlotix({"--resave", Q(graph), Q(copy)}).status, 0);
  EXPECT_EQ(ReadBytes(copy), ReadBytes(graph));
  const TBytes text = TBuilder().Raw("not a graph").bytes;  // the overwrite question is answered Cancel
  WriteBytes(dir.Path("notes.pxg"), text);
  const TRun refused = RunPlotix({"--resave", Q(graph), Q(dir.Path("notes.pxg"))});
  EXPECT_EQ(
      std::tuple(refused.status, refused.err),
      std::tuple(1, std::string("Warning: Existing File Is Not A Plotix Data File, Do You Want To Overwrite?\n")));
  EXPECT_EQ(ReadBytes(dir.Path("notes.pxg")), text);
}

}  // namespace
}  // namespace plotix
