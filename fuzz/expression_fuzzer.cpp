// libFuzzer target: the expression compiler and evaluator, through the calculator.
#include "fuzz_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  plotix::ReplayExpression(data, size);
  return 0;
}
