#include "expr/evaluator.h"

#include <cfenv>

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

// Opcodes of the fast form. Operands come from an extended constant (C), a constant a
// double holds exactly (D, a cheaper load) or a variable (V). A push followed by a
// binary operator becomes one step on the top of the stack; "push A, push B, operator,
// operator" computes A op B in a second register t and then combines it with the top,
// so neither A nor the top is spilled.
constexpr std::int32_t okC = 0, okD = 1, okV = 2;
enum : std::int32_t {
  xPush = 0,            // + kind
  xBin = xPush + 3,     // + operator (0 add, 1 sub, 2 mul, 3 div, 4 pow): stack operand
  xTopK = xBin + 5,     // + kind * 5 + operator: top = top op operand
  xTLoad = xTopK + 15,  // + kind: t = operand
  xTK = xTLoad + 3,     // + kind * 5 + operator: t = t op operand
  xTApply = xTK + 15,   // + operator: top = top op t
  xLoad = xTApply + 5,  // + kind: the first push, with nothing below it to keep
  // "push C, push A, push B, op, op" as t = A op B, then C op t: C is fetched only
  // when it is needed, so it is not kept across the calls that compute t.
  xKApply = xLoad + 3,  // + spill * 15 + kind * 5 + operator (spill 0: push, 1: first)
  xEnd = xKApply + 30,
  xFunc0 = xEnd + 1,  // + (code - mcDegToRad)
};

}  // namespace

TPreparedProgram::TPreparedProgram(TMathProgram program) : program_(std::move(program)) {
  const TMathPostFixArray& p = program_.Records();
  const std::size_t n = p.size();
  exec_.reserve(n + 1);
  auto operand = [](const TPostFixRec& r, std::int32_t base, int stride, int offset) {
    TExecOp op{base, r.varIndex, r.value, static_cast<double>(r.value)};
    const int kind = r.code == mcVariable ? okV : static_cast<Extended>(op.dvalue) == r.value ? okD : okC;
    op.op = base + kind * stride + offset;
    if (kind != okV && offset == mcPow - mcAdd) op.index = ExponentClass(r.value);
    return op;
  };
  for (std::size_t i = 0; i < n; ++i) {
    const TPostFixRec& r = p[i];
    if (IsOperand(r.code)) {
      if (i + 4 < n && IsOperand(p[i + 1].code) && IsOperand(p[i + 2].code) && IsBinary(p[i + 3].code) &&
          IsBinary(p[i + 4].code)) {
        const int spill = exec_.empty() ? 1 : 0;
        exec_.push_back(operand(p[i + 1], xTLoad, 1, 0));
        exec_.push_back(operand(p[i + 2], xTK, 5, p[i + 3].code - mcAdd));
        exec_.push_back(operand(r, xKApply + spill * 15, 5, p[i + 4].code - mcAdd));
        i += 4;
      } else if (i + 3 < n && IsOperand(p[i + 1].code) && IsBinary(p[i + 2].code) && IsBinary(p[i + 3].code)) {
        exec_.push_back(operand(r, xTLoad, 1, 0));
        exec_.push_back(operand(p[i + 1], xTK, 5, p[i + 2].code - mcAdd));
        exec_.push_back({xTApply + p[i + 3].code - mcAdd, 0, 0, 0});
        i += 3;
      } else if (i + 1 < n && IsBinary(p[i + 1].code)) {
        exec_.push_back(operand(r, xTopK, 5, p[i + 1].code - mcAdd));
        ++i;
      } else {
        exec_.push_back(operand(r, exec_.empty() ? xLoad : xPush, 1, 0));
      }
    } else if (IsBinary(r.code)) {
      exec_.push_back({xBin + r.code - mcAdd, 0, 0, 0});
    } else {
      exec_.push_back({xFunc0 + r.code - mcDegToRad, 0, 0, 0});
    }
  }
  exec_.push_back({xEnd, 0, 0, 0});
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

// The inner loop of every redraw: the top of the stack lives in a local (a plain
// switch lets the compiler keep it in a register), and a result that is not finite
// sends the run to the checked form, which finds the exact condition.
int TMathEvaluator::Evaluate(const TPreparedProgram& program, const Extended* values, Extended& result) {
  const TTrigFixup& trig = CurrentTrigFixup();
  const TPreparedProgram::TExecOp* ip = program.exec_.data();
  const Extended* vars = values;
  Extended* sp = Stack(program.program_);  // next free slot; the top itself is in `top`
  Extended top = 0, t = 0;
  int err = meNone;

// The five operators applied to a destination and an operand; every earlier step
// was finite, so a zero divisor is the first condition of the run.
#define PLOTIX_OPS(base, dst, rhs, cls, done)    \
  case (base) + 0: dst += (rhs); done;           \
  case (base) + 1: dst -= (rhs); done;           \
  case (base) + 2: dst *= (rhs); done;           \
  case (base) + 3:                               \
    if ((rhs) == 0) goto divByZero;              \
    dst /= (rhs);                                \
    done;                                        \
  case (base) + 4:                               \
    dst = PowerByConstant(dst, (rhs), cls, err); \
    done;
#define PLOTIX_VAROPS(base, dst, done)           \
  case (base) + 0: dst += vars[ip->index]; done; \
  case (base) + 1: dst -= vars[ip->index]; done; \
  case (base) + 2: dst *= vars[ip->index]; done; \
  case (base) + 3:                               \
    if (vars[ip->index] == 0) goto divByZero;    \
    dst /= vars[ip->index];                      \
    done;                                        \
  case (base) + 4: dst = Power(dst, vars[ip->index], err); done;
// Steps on t check it themselves and go on; steps on the top share the check below.
#define PLOTIX_T_DONE                               \
  if (err) goto failed;                             \
  if (__builtin_expect(!IsFinite(t), 0)) goto slow; \
  continue

  for (;; ++ip) {
    switch (ip->op) {
      case xLoad + okC: top = ip->value; continue;
      case xLoad + okD: top = ip->dvalue; continue;
      case xLoad + okV: top = vars[ip->index]; continue;
      case xPush + okC:
        *sp++ = top;
        top = ip->value;
        continue;
      case xPush + okD:
        *sp++ = top;
        top = ip->dvalue;
        continue;
      case xPush + okV:
        *sp++ = top;
        top = vars[ip->index];
        continue;
      case xBin + 0: top = *--sp + top; break;
      case xBin + 1: top = *--sp - top; break;
      case xBin + 2: top = *--sp * top; break;
      case xBin + 3:
        if (top == 0) goto divByZero;
        top = *--sp / top;
        break;
      case xBin + 4:
        top = Power(*--sp, top, err);
        break;
        PLOTIX_OPS(xTopK + 5 * okC, top, ip->value, ip->index, break)
        PLOTIX_OPS(xTopK + 5 * okD, top, static_cast<Extended>(ip->dvalue), ip->index, break)
        PLOTIX_VAROPS(xTopK + 5 * okV, top, break)
      case xTLoad + okC: t = ip->value; continue;
      case xTLoad + okD: t = ip->dvalue; continue;
      case xTLoad + okV:
        t = vars[ip->index];
        continue;
        PLOTIX_OPS(xTK + 5 * okC, t, ip->value, ip->index, PLOTIX_T_DONE)
        PLOTIX_OPS(xTK + 5 * okD, t, static_cast<Extended>(ip->dvalue), ip->index, PLOTIX_T_DONE)
        PLOTIX_VAROPS(xTK + 5 * okV, t, PLOTIX_T_DONE)
        PLOTIX_OPS(xTApply, top, t, ExponentClass(t), break)
#define PLOTIX_KAPPLY(base, lhs, spill) \
  case (base) + 0:                      \
    spill;                              \
    top = (lhs) + t;                    \
    break;                              \
  case (base) + 1:                      \
    spill;                              \
    top = (lhs)-t;                      \
    break;                              \
  case (base) + 2:                      \
    spill;                              \
    top = (lhs)*t;                      \
    break;                              \
  case (base) + 3:                      \
    if (t == 0) goto divByZero;         \
    spill;                              \
    top = (lhs) / t;                    \
    break;                              \
  case (base) + 4:                      \
    spill;                              \
    top = Power((lhs), t, err);         \
    break;
        PLOTIX_KAPPLY(xKApply + 5 * okC, ip->value, *sp++ = top)
        PLOTIX_KAPPLY(xKApply + 5 * okD, static_cast<Extended>(ip->dvalue), *sp++ = top)
        PLOTIX_KAPPLY(xKApply + 5 * okV, vars[ip->index], *sp++ = top)
        PLOTIX_KAPPLY(xKApply + 15 + 5 * okC, ip->value, (void)0)
        PLOTIX_KAPPLY(xKApply + 15 + 5 * okD, static_cast<Extended>(ip->dvalue), (void)0)
        PLOTIX_KAPPLY(xKApply + 15 + 5 * okV, vars[ip->index], (void)0)
#undef PLOTIX_KAPPLY
      case xEnd:
        result = top;
        return meNone;
// clang-format off
#define PLOTIX_FN(n) \
  case xFunc0 + (n) - mcDegToRad: top = ApplyFunction(n, top, err, trig); break;
      PLOTIX_FN(8)  PLOTIX_FN(9)  PLOTIX_FN(10) PLOTIX_FN(11) PLOTIX_FN(12) PLOTIX_FN(13) PLOTIX_FN(14)
      PLOTIX_FN(15) PLOTIX_FN(16) PLOTIX_FN(17) PLOTIX_FN(18) PLOTIX_FN(19) PLOTIX_FN(20) PLOTIX_FN(21)
      PLOTIX_FN(22) PLOTIX_FN(23) PLOTIX_FN(24) PLOTIX_FN(25) PLOTIX_FN(26) PLOTIX_FN(27) PLOTIX_FN(28)
      PLOTIX_FN(29) PLOTIX_FN(30) PLOTIX_FN(31) PLOTIX_FN(32) PLOTIX_FN(33) PLOTIX_FN(34) PLOTIX_FN(35)
      PLOTIX_FN(36) PLOTIX_FN(37) PLOTIX_FN(38) PLOTIX_FN(39) PLOTIX_FN(40) PLOTIX_FN(41) PLOTIX_FN(42)
      PLOTIX_FN(43) PLOTIX_FN(44) PLOTIX_FN(45) PLOTIX_FN(46) PLOTIX_FN(47) PLOTIX_FN(48) PLOTIX_FN(49)
#undef PLOTIX_FN
      default: err = meUnknown; break;
        // clang-format on
    }
#undef PLOTIX_OPS
#undef PLOTIX_VAROPS
#undef PLOTIX_T_DONE
    if (err) goto failed;
    if (__builtin_expect(!IsFinite(top), 0)) goto slow;
  }

divByZero:
  err = meDivByZero;
failed:
  result = 0;
  return err;
slow:
  return EvaluateChecked(program.program_, values, result, trig);
}

}  // namespace plotix
