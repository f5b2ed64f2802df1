#pragma once
// The evaluator: runs postfix programs. A program is prepared once into a fast form (a
// TPreparedProgram, which never changes afterwards, so any number of threads run it at
// once); each thread evaluates through its own TMathEvaluator, which holds the stack.
// The fast form hands a point whose values leave the finite range, or whose failure it
// cannot be sure is the first, to the checked form, which runs record by record and
// tells the floating-point conditions apart; both give the same results to the bit.

#include <cstdint>
#include <span>
#include <vector>

#include "expr/postfix_program.h"
#include "expr/trig_fixup.h"

namespace plotix {

// Runs the routine `code` (a function or binary operator) on the top of the stack the
// checked way: a result that is not finite is told apart by the floating-point
// conditions it raised, as hardware traps would. Returns the error code.
int CheckedStep(int code, Extended* stack, int& depth, const TTrigFixup& trig);

class TPreparedProgram {
 public:
  explicit TPreparedProgram(TMathProgram program);

  const TMathProgram& Program() const { return program_; }

  // An operand of the fast form: a constant of the pool or a variable.
  struct TOperand {
    std::int32_t pool;  // 0 constants, 1 variables
    std::int32_t index;
  };
  // One step of the fast form: up to three operands and the operators in its opcode.
  struct TExecOp {
    std::int32_t op;
    std::int32_t exponentClass;  // of a constant exponent among the operands; -1 for none
    TOperand a, b, c;
  };

 private:
  friend class TMathEvaluator;
  TOperand Operand(const TPostFixRec& r);

  TMathProgram program_;
  std::vector<Extended> constants_;
  std::vector<TExecOp> exec_;
};

class TMathEvaluator {
 public:
  // Evaluates at the variable values (one per slot the program reads) with the fix-up in
  // force: meNone and the value, or the error code and 0.
  int Evaluate(const TPreparedProgram& program, const Extended* values, Extended& result);

  // Evaluates at `count` points, reading the fix-up setting once: the variables of
  // `slots` take xs[i] and the others their `values`; results[i] and errors[i] are what
  // Evaluate gives at point i.
  void EvaluateBatch(const TPreparedProgram& program, const Extended* values, std::span<const int> slots,
                     const Extended* xs, std::size_t count, Extended* results, std::uint8_t* errors);

  // Record by record with every check, with the given fix-up.
  int EvaluateChecked(const TMathProgram& program, const Extended* values, Extended& result, const TTrigFixup& trig);

 private:
  Extended* Stack(const TMathProgram& program);

  std::vector<Extended> stack_;
  std::vector<Extended> variables_;  // a batch's variable values
};

}  // namespace plotix
