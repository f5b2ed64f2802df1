#pragma once
// A compiled expression as a plain value: postfix records over numbered variable slots.
// Walk it record by record (an operand pushes one value, a binary operator pops two and
// pushes one, a function replaces the top one), or build a new program from rewritten
// records; an evaluator runs it.

#include <cstdint>
#include <vector>

#include "expr/math_codes.h"
#include "platform/extended.h"

namespace plotix {

// One record of a postfix program (and of the token table while compiling).
struct TPostFixRec {
  std::int32_t code = 0;
  std::int32_t varIndex = 0;  // for mcVariable
  std::int32_t position = 0;  // 1-based character in the text; 0 when made by the compiler
  Extended value = 0;         // for mcNumber
};

using TMathPostFixArray = std::vector<TPostFixRec>;

// How a record changes the depth of the stack.
inline int StackEffect(int code) { return IsOperand(code) ? 1 : IsBinary(code) ? -1 : 0; }

class TMathProgram {
 public:
  TMathProgram() = default;  // the empty program, which nothing runs
  // Takes the records of a well-formed program; throws std::invalid_argument otherwise.
  explicit TMathProgram(TMathPostFixArray records);

  // True when the records never take from an empty stack and leave exactly one value.
  static bool IsWellFormed(const TMathPostFixArray& records);

  const TMathPostFixArray& Records() const { return records_; }
  bool Empty() const { return records_.empty(); }
  std::size_t Size() const { return records_.size(); }
  TMathPostFixArray::const_iterator begin() const { return records_.begin(); }
  TMathPostFixArray::const_iterator end() const { return records_.end(); }

  // The most values the program holds on the stack at once.
  int StackDepth() const { return depth_; }
  // One more than the highest variable index read; 0 for a program without variables.
  int VariableSlots() const { return slots_; }

 private:
  TMathPostFixArray records_;
  int depth_ = 0;
  int slots_ = 0;
};

}  // namespace plotix
