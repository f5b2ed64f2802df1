#include "expr/postfix_program.h"

#include <algorithm>
#include <stdexcept>

namespace plotix {

TMathProgram::TMathProgram(TMathPostFixArray records) : records_(std::move(records)) {
  if (!IsWellFormed(records_)) throw std::invalid_argument("ill-formed postfix program");
  int depth = 0;
  for (const TPostFixRec& r : records_) {
    depth += StackEffect(r.code);
    depth_ = std::max(depth_, depth);
    if (r.code == mcVariable) slots_ = std::max(slots_, r.varIndex + 1);
  }
}

bool TMathProgram::IsWellFormed(const TMathPostFixArray& records) {
  int depth = 0;
  for (const TPostFixRec& r : records) {
    if (!IsOperand(r.code) && !IsBinary(r.code) && !IsFunction(r.code)) return false;
    if (r.code == mcVariable && r.varIndex < 0) return false;
    depth += StackEffect(r.code);
    if (depth < 1) return false;
  }
  return depth == 1;
}

}  // namespace plotix
