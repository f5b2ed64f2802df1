// The headless modes of the real executable, run without any display.
#include <gtest/gtest.h>

#include "run_plotix.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <string>

namespace plotix {
namespace {

struct TCalcCase {
  QStringList args;
  const char* out;
  int status;
};

TEST(CommandLineCalc, PrintsWhatTheResultFieldShows) {
  const TCalcCase cases[] = {
      {{"--calc", "x/z", "--x", "1", "--z", "0"}, "Error: Division by Zero\n", 1},
      {{"--calc", "sin(x)", "--x", "pi/2"}, "1.000000000000000000\n", 0},
      {{"--calc=sin(x)", "--x=pi/2", "--scientific"}, "1.00000000000000000E+0\n", 0},
      {{"--z", "3", "--calc", "x-z", "--x", "-0.5"}, "-3.500000000000000000\n", 0},
      {{"--calc", ""}, "Function Definition: Empty Expression\n", 1},
      {{"--calc", "x", "--x", "y"}, "Variable X: Unknown Symbol at Character 1\n", 1},
      {{"--calc", "-x", "--x", "2"}, "-2.000000000000000000\n", 0},
      // The fix-up: range 2 with exact values at start; range 1 still covers 1000 pi.
      {{"--calc", "sin(x)", "--x", "1000pi"}, "0.000000000000000000\n", 0},
      {{"--calc", "sin(x)", "--x", "1000pi", "--trig", "1"}, "0.000000000000000000\n", 0},
      {{"--calc", "sin(x)", "--x", "1000pi", "--trig", "1,plain"}, "0.000000000000000000\n", 0},
      {{"--calc", "cos(x)", "--x", "100001pi/2", "--trig", "3"}, "0.000000000000000000\n", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    const TRun run = RunPlotix(c.args);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, c.status);
  }
}

TEST(CommandLineCalc, OutsideTheFixupRangeTheRoundingErrorShows) {
  // About 1E-16 off zero; the digits are those of the platform's 80-bit sine and cosine.
  const QRegularExpression tiny(R"(^-?[1-9]\.\d{17}E-1[3-7]\n$)");
  const QStringList cases[] = {
      {"--calc", "sin(x)", "--x", "1000pi", "--trig", "0"},
      {"--calc", "sin(x)", "--x", "10000pi", "--trig", "1"},
      {"--calc", "cos(x)", "--x", "100001pi/2", "--trig", "2,plain"},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(args.join(' ').toStdString());
    const TRun run = RunPlotix(args + QStringList{"--scientific"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(tiny.match(QString::fromStdString(run.out)).hasMatch()) << run.out;
  }
}

TEST(CommandLine, HelpAndVersion) {
  const TRun version = RunPlotix({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(QRegularExpression(R"(^Plotix \d+\.\d+\.\d+\n$)").match(QString::fromStdString(version.out)).hasMatch())
      << version.out;
  const TRun help = RunPlotix({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage: plotix [FILE]"), std::string::npos);
  EXPECT_NE(help.out.find("--calc EXPR"), std::string::npos);
  EXPECT_EQ(help.err, "");
}

TEST(CommandLine, BadUsageExitsTwoWithTheUsageOnStderr) {
  const QStringList cases[] = {
      {"--bogus"},
      {"--calc"},
      {"--calc", "x", "--x"},
      {"--calc", "x", "--trig", "6"},
      {"--calc", "x", "--trig", "-1"},
      {"--calc", "x", "--trig", "2,fancy"},
      {"--calc", "x", "--trig", ""},
      {"--x", "1"},
      {"--scientific", "file.pxg"},
      {"--calc", "x", "extra"},
      {"--calc", "x", "--version"},
      {"--version=1"},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(args.join(' ').toStdString());
    const TRun run = RunPlotix(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("plotix: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("usage: plotix"), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace plotix
