// Inputs that once took the program down, replayed from the fuzzers' regression corpus,
// and a save cut short by the file size limit.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QProcess>
#include <filesystem>

#include "../files/file_fixtures.h"
#include "../told.h"
#include "fuzz_inputs.h"
#include "window/graph_document.h"
#include "window/graph_kinds.h"

namespace plotix {
namespace {

namespace fs = std::filesystem;

TEST(FuzzRegressions, EveryInputOfTheCorpusIsHandled) {
  int replayed = 0;
  for (const char* target : {"graph_file", "expression"}) {
    const fs::path folder = fs::path(PLOTIX_FUZZ_REGRESSIONS) / target;
    if (!fs::exists(folder)) continue;  // nothing found by this fuzzer yet
    for (const auto& entry : fs::directory_iterator(folder)) {
      const testbytes::TBytes input = testbytes::ReadBytes(entry.path().string());
      if (target == std::string("expression")) {
        ReplayExpression(input.data(), input.size());
      } else {
        EXPECT_EQ(ReplayGraphFile(input.data(), input.size()), "") << entry.path();
      }
      ++replayed;
    }
  }
  EXPECT_GT(replayed, 0);
}

// A file whose checksums are right but whose content ends inside a record of any kind
// can not be read to its end.
TEST(CutShortFiles, EndingInsideARecordIsAReadError) {
  const struct {
    const char* name;
    std::size_t record;  // inside a function's fixed block or text, a free-hand stroke, an extension record
  } files[] = {{"polynomials.pxg", 270},  {"polar.pxg", 3756}, {"surface.pxg", 169},
               {"trigonometry.pxg", 482}, {"labels.pxg", 554}, {"curves.pxg", 340}};
  for (const auto& [name, record] : files) {
    testbytes::TBytes bytes = testbytes::ReadBytes(std::string(PLOTIX_EXAMPLES) + "/" + name);
    const std::size_t cuts[] = {20, 60, 90, record};  // inside the view, the settings, beyond
    for (const std::size_t content : cuts) {
      SCOPED_TRACE(std::string(name) + " " + std::to_string(content));
      testbytes::TBytes cut(bytes.begin(), bytes.begin() + long(63 + content));
      cut.resize(cut.size() + 2);
      testbytes::FixChecksum(cut);
      testbytes::TScratchDir dir;
      testbytes::WriteBytes(dir.Path("cut.pxg"), cut);
      TScopedScriptedMessages messages;
      EXPECT_EQ(OpenGraphDocument(dir.Path("cut.pxg")), nullptr);
      EXPECT_EQ(Told(messages), "E|OK|Error Reading From File\n");
    }
  }
}

TEST(FileSizeLimit, ASaveBeyondItFailsWithAMessageAndLeavesNoTemporaryFile) {
  testbytes::TScratchDir dir;
  const std::string old = std::string(PLOTIX_EXAMPLES) + "/bounded.pxg", target = dir.Path("out.pxg");
  fs::copy_file(old, target);
  QProcess plotix;
  plotix.setChildProcessModifier([] {
    const rlimit limit{512, 512};  // smaller than the graph being saved
    setrlimit(RLIMIT_FSIZE, &limit);
  });
  plotix.start(PLOTIX_EXE, {"--resave", QString(PLOTIX_EXAMPLES) + "/labels.pxg", QString::fromStdString(target)});
  ASSERT_TRUE(plotix.waitForFinished(30000));
  EXPECT_EQ(plotix.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(plotix.exitCode(), 1);
  EXPECT_NE(plotix.readAllStandardError().toStdString().find("Error: Error Writing To File"), std::string::npos);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"out.pxg"});
  EXPECT_EQ(testbytes::ReadBytes(target), testbytes::ReadBytes(old));
}

}  // namespace
}  // namespace plotix
