#pragma once
// The evaluator: runs postfix programs. A program is prepared once into a fast form (a
// TPreparedProgram, which never changes afterwards, so any number of threads run it at
// once); each thread evaluates through its own TMathEvaluator, which holds the stack.
// The fast form leaves a point that meets any floating-point condition or error to the
// checked form, which runs record by record and tells the conditions apart.

#include <cstdint>
#include <memory>
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

  // One step of the fast form.
  struct TExecOp {
    std::int32_t op;
    std::int32_t index;  // variable index, or the class of a constant exponent
    Extended value;      // an extended constant
    double dvalue;       // the same constant when a double holds it exactly (loads faster)
  };

 private:
  friend class TMathEvaluator;
  TMathProgram program_;
  std::vector<TExecOp> exec_;
};

class TMathEvaluator {
 public:
  // Evaluates at the variable values (one per slot the program reads) with the
  // fix-up in force: meNone and the value, or the error code and 0.
  int Evaluate(const TPreparedProgram& program, const Extended* values, Extended& result);
  // The same, record by record with every check, with the given fix-up.
  int EvaluateChecked(const TMathProgram& program, const Extended* values, Extended& result, const TTrigFixup& trig);

 private:
  Extended* Stack(const TMathProgram& program);

  std::vector<Extended> stack_;
};

}  // namespace plotix
