// libFuzzer target: graph files of every graph kind the program registers, in both formats.
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

#include "fuzz_inputs.h"
#include "window/graph_kinds.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  plotix::RegisterGraphKinds();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string problem = plotix::ReplayGraphFile(data, size);
  if (!problem.empty()) {
    std::fprintf(stderr, "plotix: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
