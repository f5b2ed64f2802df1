#include "expr/evaluator.h"

#include <algorithm>
#include <cfenv>
#include <cstring>

#include "expr/function_library.h"

namespace plotix {

using namespace mathlib;

int CheckedStep(int code, Extended* stack, int& depth, const TTrigFixup& trig) {
  int err = meNone;
  std::feclearexcept(FE_ALL_EXCEPT);
  Extended r;
  if (IsFunction(code)) {
    if (depth < 1) return meUnknown;
    r = ApplyFunction(code, stack[depth - 1], err, trig);
    if (err) return err;
    stack[depth - 1] = r;
  } else if (IsBinary(code)) {
    if (depth < 2) return meUnknown;
    r = ApplyBinary(code, stack[depth - 2], stack[depth - 1], err);
    if (err) return err;
    stack[--depth - 1] = r;
  } else {
    return meUnknown;
  }
  if (!IsFinite(r)) {
    const int raised = std::fetestexcept(FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID);
    if (raised & FE_OVERFLOW) return meOverflow;
    if (raised & FE_DIVBYZERO) return meDivByZero;
    if (raised & FE_INVALID) return meInvalidOp;
  }
  return meNone;
}

namespace {

// Opcodes of the fast form. The top of the stack lives in a register; operator k is
// 0 add, 1 sub, 2 mul, 3 div, 4 pow. The fused steps compute "A B op1" in a second
// register, so a run of terms such as "+ 2*X" is one step each.
enum : std::int32_t {
  xLoad = 0,                   // top = A (the first step: nothing below to keep)
  xPush = 1,                   // push top; top = A
  xEnd = 2,                    // the value is top
  xTop = 3,                    // + k: top = top k A
  xBin = xTop + 5,             // + k: top = (popped) k top
  xPair = xBin + 5,            // + op1 * 5 + op2: top = top op2 (A op1 B)
  xPushPair = xPair + 25,      // + op1 * 5 + op2: push top; top = C op2 (A op1 B)
  xLoadPair = xPushPair + 25,  // + op1 * 5 + op2: top = C op2 (A op1 B), the first step
  xFunc0 = xLoadPair + 25,     // + (code - mcDegToRad)
};

enum TStepStatus { kOk, kFail, kSlow };

// l k r into out. Every value so far is finite unless the checked form is asked for:
// + - * carry an infinity or NaN on to the end, where it is caught, but / and ^ (and
// the functions) could turn one into a finite value, so they check their operands.
template <int K>
[[gnu::always_inline]] inline TStepStatus Apply(Extended l, Extended r, std::int32_t cls, Extended& out, int& err) {
  if constexpr (K == 0) {
    out = l + r;
  } else if constexpr (K == 1) {
    out = l - r;
  } else if constexpr (K == 2) {
    out = l * r;
  } else if constexpr (K == 3) {
    const Extended m = fabsl(r);
    if (__builtin_expect(!(m > 0 && m <= LDBL_MAX), 0)) {
      if (r != 0 || !IsFinite(l)) return kSlow;
      err = meDivByZero;
      return kFail;
    }
    out = l / r;
  } else {
    if (__builtin_expect(!IsFinite(l) || !IsFinite(r), 0)) return kSlow;
    out = Power(l, r, err, cls);
    if (err) return kFail;
  }
  return kOk;
}

bool AllFinite(const Extended* from, const Extended* to) {
  for (; from != to; ++from)
    if (!IsFinite(*from)) return false;
  return true;
}

// Marks a run that the checked form must repeat.
constexpr int kRunChecked = -1;

// The inner loop of every redraw. Returns meNone with the result, an error code that
// is certainly the run's first failure, or kRunChecked.
[[gnu::always_inline]] inline int RunFast(const TPreparedProgram::TExecOp* ip, const Extended* constants,
                                          const Extended* vars, Extended* stack, const TTrigFixup& trig,
                                          Extended& result) {
  const Extended* const pools[2] = {constants, vars};
  Extended* sp = stack;  // next free slot; the top itself is in `top`
  Extended top = 0, t = 0;
  int err = meNone;
  TStepStatus status;

#define PLOTIX_OPERAND(o) pools[(o).pool][(o).index]
#define PLOTIX_STEP(call)                       \
  if (__builtin_expect((status = (call)), 0)) { \
    if (status == kFail) goto fail;             \
    goto slow;                                  \
  }
#define PLOTIX_PAIR(base, k1, k2, spill, lhs)                                                       \
  case (base) + (k1)*5 + (k2):                                                                      \
    PLOTIX_STEP(Apply<k1>(PLOTIX_OPERAND(ip->a), PLOTIX_OPERAND(ip->b), ip->exponentClass, t, err)) \
    spill;                                                                                          \
    PLOTIX_STEP(Apply<k2>(lhs, t, -1, top, err))                                                    \
    continue;
#define PLOTIX_PAIR_ROW(base, k1, spill, lhs) \
  PLOTIX_PAIR(base, k1, 0, spill, lhs)        \
  PLOTIX_PAIR(base, k1, 1, spill, lhs)        \
  PLOTIX_PAIR(base, k1, 2, spill, lhs)        \
  PLOTIX_PAIR(base, k1, 3, spill, lhs)        \
  PLOTIX_PAIR(base, k1, 4, spill, lhs)
#define PLOTIX_PAIRS(base, spill, lhs) \
  PLOTIX_PAIR_ROW(base, 0, spill, lhs) \
  PLOTIX_PAIR_ROW(base, 1, spill, lhs) \
  PLOTIX_PAIR_ROW(base, 2, spill, lhs) \
  PLOTIX_PAIR_ROW(base, 3, spill, lhs) \
  PLOTIX_PAIR_ROW(base, 4, spill, lhs)
#define PLOTIX_OPS(k)                                                                                       \
  case xTop + (k): PLOTIX_STEP(Apply<k>(top, PLOTIX_OPERAND(ip->a), ip->exponentClass, top, err)) continue; \
  case xBin + (k): {                                                                                        \
    const Extended l = *--sp;                                                                               \
    PLOTIX_STEP(Apply<k>(l, top, -1, top, err))                                                             \
    continue;                                                                                               \
  }
#define PLOTIX_FN(n)                                    \
  case xFunc0 + (n)-mcDegToRad:                         \
    if (__builtin_expect(!IsFinite(top), 0)) goto slow; \
    top = ApplyFunction(n, top, err, trig);             \
    if (__builtin_expect(err != meNone, 0)) goto fail;  \
    continue;

  for (;; ++ip) {
    switch (ip->op) {
      case xLoad: top = PLOTIX_OPERAND(ip->a); continue;
      case xPush:
        *sp++ = top;
        top = PLOTIX_OPERAND(ip->a);
        continue;
      case xEnd:
        if (__builtin_expect(!IsFinite(top), 0)) goto slow;
        result = top;
        return meNone;
      default:  // no such step: the checked form runs the records instead
        goto slow;
        PLOTIX_OPS(0)
        PLOTIX_OPS(1)
        PLOTIX_OPS(2)
        PLOTIX_OPS(3)
        PLOTIX_OPS(4)
        PLOTIX_PAIRS(xPair, (void)0, top)
        PLOTIX_PAIRS(xPushPair, *sp++ = top, PLOTIX_OPERAND(ip->c))
        PLOTIX_PAIRS(xLoadPair, (void)0, PLOTIX_OPERAND(ip->c))
        // clang-format off
      PLOTIX_FN(8)  PLOTIX_FN(9)  PLOTIX_FN(10) PLOTIX_FN(11) PLOTIX_FN(12) PLOTIX_FN(13) PLOTIX_FN(14)
      PLOTIX_FN(15) PLOTIX_FN(16) PLOTIX_FN(17) PLOTIX_FN(18) PLOTIX_FN(19) PLOTIX_FN(20) PLOTIX_FN(21)
      PLOTIX_FN(22) PLOTIX_FN(23) PLOTIX_FN(24) PLOTIX_FN(25) PLOTIX_FN(26) PLOTIX_FN(27) PLOTIX_FN(28)
      PLOTIX_FN(29) PLOTIX_FN(30) PLOTIX_FN(31) PLOTIX_FN(32) PLOTIX_FN(33) PLOTIX_FN(34) PLOTIX_FN(35)
      PLOTIX_FN(36) PLOTIX_FN(37) PLOTIX_FN(38) PLOTIX_FN(39) PLOTIX_FN(40) PLOTIX_FN(41) PLOTIX_FN(42)
      PLOTIX_FN(43) PLOTIX_FN(44) PLOTIX_FN(45) PLOTIX_FN(46) PLOTIX_FN(47) PLOTIX_FN(48) PLOTIX_FN(49)
        // clang-format on
    }
  }
#undef PLOTIX_OPERAND
#undef PLOTIX_STEP
#undef PLOTIX_PAIR
#undef PLOTIX_PAIR_ROW
#undef PLOTIX_PAIRS
#undef PLOTIX_OPS
#undef PLOTIX_FN

fail:
  // The failure is the first one when every value still pending is finite: an earlier
  // infinity or NaN would still be among them, since only / ^ and the functions could
  // have dropped one, and they send such a run to the checked form.
  if (AllFinite(stack, sp) && IsFinite(top)) {
    result = 0;
    return err;
  }
slow:
  return kRunChecked;
}

}  // namespace

TPreparedProgram::TOperand TPreparedProgram::Operand(const TPostFixRec& r) {
  if (r.code == mcVariable) return {1, r.varIndex};
  constants_.push_back(r.value);
  return {0, static_cast<std::int32_t>(constants_.size() - 1)};
}

TPreparedProgram::TPreparedProgram(TMathProgram program) : program_(std::move(program)) {
  const TMathPostFixArray& p = program_.Records();
  const std::size_t n = p.size();
  exec_.reserve(n + 1);
  // The class of an operand that is a constant exponent of operator `code`.
  auto exponentClass = [](const TPostFixRec& exponent, int code) {
    return code == mcPow && exponent.code == mcNumber ? ExponentClass(exponent.value) : -1;
  };
  auto isOperand = [&](std::size_t i) { return i < n && IsOperand(p[i].code); };
  auto isBinary = [&](std::size_t i) { return i < n && IsBinary(p[i].code); };
  for (std::size_t i = 0; i < n; ++i) {
    const TPostFixRec& r = p[i];
    TExecOp op{0, -1, {}, {}, {}};
    if (isOperand(i) && isOperand(i + 1) && isOperand(i + 2) && isBinary(i + 3) && isBinary(i + 4)) {
      const int k1 = p[i + 3].code - mcAdd, k2 = p[i + 4].code - mcAdd;
      op.op = (exec_.empty() ? xLoadPair : xPushPair) + k1 * 5 + k2;
      op.a = Operand(p[i + 1]);
      op.b = Operand(p[i + 2]);
      op.c = Operand(r);
      op.exponentClass = exponentClass(p[i + 2], p[i + 3].code);
      i += 4;
    } else if (isOperand(i) && isOperand(i + 1) && isBinary(i + 2) && isBinary(i + 3)) {
      op.op = xPair + (p[i + 2].code - mcAdd) * 5 + (p[i + 3].code - mcAdd);
      op.a = Operand(r);
      op.b = Operand(p[i + 1]);
      op.exponentClass = exponentClass(p[i + 1], p[i + 2].code);
      i += 3;
    } else if (isOperand(i) && isBinary(i + 1)) {
      op.op = xTop + p[i + 1].code - mcAdd;
      op.a = Operand(r);
      op.exponentClass = exponentClass(r, p[i + 1].code);
      ++i;
    } else if (isOperand(i)) {
      op.op = exec_.empty() ? xLoad : xPush;
      op.a = Operand(r);
    } else if (IsBinary(r.code)) {
      op.op = xBin + r.code - mcAdd;
    } else {
      op.op = xFunc0 + r.code - mcDegToRad;
    }
    exec_.push_back(op);
  }
  exec_.push_back({xEnd, -1, {}, {}, {}});
}

Extended* TMathEvaluator::Stack(const TMathProgram& program) {
  const std::size_t need = static_cast<std::size_t>(program.StackDepth()) + 1;
  if (stack_.size() < need) stack_.resize(need);
  return stack_.data();
}

int TMathEvaluator::EvaluateChecked(const TMathProgram& program, const Extended* values, Extended& result,
                                    const TTrigFixup& trig) {
  Extended* stack = Stack(program);
  int depth = 0;
  result = 0;
  for (const TPostFixRec& r : program) {
    if (IsOperand(r.code)) {
      stack[depth++] = r.code == mcNumber ? r.value : values[r.varIndex];
    } else if (const int error = CheckedStep(r.code, stack, depth, trig)) {
      return error;
    }
  }
  if (depth != 1) return meUnknown;
  result = stack[0];
  return meNone;
}

int TMathEvaluator::Evaluate(const TPreparedProgram& program, const Extended* values, Extended& result) {
  const TTrigFixup& trig = CurrentTrigFixup();
  const int error =
      RunFast(program.exec_.data(), program.constants_.data(), values, Stack(program.program_), trig, result);
  return error == kRunChecked ? EvaluateChecked(program.program_, values, result, trig) : error;
}

void TMathEvaluator::EvaluateBatch(const TPreparedProgram& program, const Extended* values, std::span<const int> slots,
                                   const Extended* xs, std::size_t count, Extended* results, std::uint8_t* errors) {
  const TTrigFixup& trig = CurrentTrigFixup();
  std::size_t size = static_cast<std::size_t>(program.program_.VariableSlots());
  for (const int slot : slots) size = std::max(size, static_cast<std::size_t>(slot) + 1);
  variables_.assign(size, 0);
  std::copy(values, values + program.program_.VariableSlots(), variables_.begin());
  Extended* stack = Stack(program.program_);
  for (std::size_t i = 0; i < count; ++i) {
    // Copied as bytes: the x87 store of an extended costs more than the whole move.
    for (const int slot : slots) std::memcpy(&variables_[static_cast<std::size_t>(slot)], &xs[i], sizeof(Extended));
    Extended value;
    int error = RunFast(program.exec_.data(), program.constants_.data(), variables_.data(), stack, trig, value);
    if (error == kRunChecked) error = EvaluateChecked(program.program_, variables_.data(), value, trig);
    results[i] = value;
    errors[i] = static_cast<std::uint8_t>(error);
  }
}

}  // namespace plotix
