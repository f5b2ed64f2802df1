#include "expr/compiler.h"

#include <new>

#include "expr/evaluator.h"
#include "expr/token_reader.h"

namespace plotix {

namespace {

// A built-in function or a call: it takes the value in the brackets that follow.
bool IsPrefix(int code) { return IsFunction(code) || code == mcCall; }

int Precedence(int code) {
  switch (code) {
    case mcAdd:
    case mcSub: return 1;
    case mcMul:
    case mcDiv: return 2;
    case mcPow: return 3;
    default: return IsPrefix(code) ? 4 : 0;
  }
}

bool IsSign(int code) { return code == mcAdd || code == mcSub; }

// A `)` that closes nothing is reported at its position; a `(` left open without one.
void CheckParentheses(TTokenTable& t) {
  int depth = 0, where = 0;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i].code == mcOpen)
      ++depth;
    else if (t[i].code == mcClose && --depth < 0) {
      where = t[i].position;
      break;
    }
  }
  if (depth != 0) throw TCompileError{meParentheses, depth > 0 ? 0 : where};
}

// Runs of signs become one: equal signs give +, different ones -.
void MergeSigns(TTokenTable& t) {
  for (std::size_t i = 1; i < t.size();) {
    if (IsSign(t[i - 1].code) && IsSign(t[i].code)) {
      t[i - 1].code = t[i - 1].code == t[i].code ? mcAdd : mcSub;
      t.erase(i);
    } else {
      ++i;
    }
  }
}

// 2X, 2(X+1), (X+1)(X-1), XSIN(X), 2PI and XX are products.
void InsertProducts(TTokenTable& t) {
  for (std::size_t i = 1; i < t.size(); ++i) {
    const int cur = t[i].code, prev = t[i - 1].code;
    if ((IsOperand(cur) || IsPrefix(cur) || cur == mcOpen) && (IsOperand(prev) || prev == mcClose))
      t.insert(i, MakeRec(mcMul, t[i].position));
  }
}

std::size_t MatchingClose(TTokenTable& t, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < t.size(); ++i) {
    if (t[i].code == mcOpen)
      ++depth;
    else if (t[i].code == mcClose && --depth == 0)
      return i;
  }
  throw TCompileError{meParentheses, 0};
}

// A sign at the start, after `(` or after an operator: + goes, - becomes a factor -1.
// -X^2 is -1*X^2, that is -(X^2); 2^-X is 2^(-1*X).
void ApplyUnarySigns(TTokenTable& t) {
  for (;;) {
    std::size_t r = 1;
    for (; r < t.size(); ++r) {
      const int rc = t[r].code;
      if (!(IsOperand(rc) || IsPrefix(rc) || rc == mcOpen) || !IsSign(t[r - 1].code)) continue;
      if (r - 1 == 0 || t[r - 2].code == mcOpen || IsBinary(t[r - 2].code)) break;
    }
    if (r >= t.size()) return;
    const std::size_t s = r - 1;
    const int spos = t[s].position;
    if (t[s].code == mcAdd) {
      t.erase(s);
    } else if (s > 0 && (t[s - 1].code == mcMul || t[s - 1].code == mcDiv || t[s - 1].code == mcPow)) {
      t[s] = MakeRec(mcOpen, spos);
      t.insert(s + 1, MakeRec(mcNumber, spos, -1));
      t.insert(s + 2, MakeRec(mcMul, spos));
      std::size_t end = s + 3;  // R
      if (IsPrefix(t[end].code)) {
        if (end + 1 >= t.size() || t[end + 1].code != mcOpen) throw TCompileError{meNoOpenParen, t[end].position};
        ++end;
      }
      if (t[end].code == mcOpen) end = MatchingClose(t, end);
      // Like a leading sign, it takes in the powers that follow: 2*-x^2 is 2*(-(x^2)).
      for (std::size_t next; end + 2 < t.size() && t[end + 1].code == mcPow; end = next) {
        next = end + 2 + (IsSign(t[end + 2].code) ? 1 : 0);
        if (next >= t.size()) break;
        if (IsPrefix(t[next].code)) {
          if (next + 1 >= t.size() || t[next + 1].code != mcOpen) break;
          ++next;
        }
        if (t[next].code == mcOpen)
          next = MatchingClose(t, next);
        else if (!IsOperand(t[next].code))
          break;
      }
      t.insert(end + 1, MakeRec(mcClose, 0));
    } else {
      t[s] = MakeRec(mcNumber, spos, -1);
      t.insert(s + 1, MakeRec(mcMul, spos));
    }
  }
}

// Operators at either end, a function without its `(`, and operators or `)` where an
// operand belongs.
void CheckEdges(TTokenTable& t) {
  if (IsBinary(t[0].code)) throw TCompileError{meSyntax, t[0].position};
  const TPostFixRec& last = t[t.size() - 1];
  if (IsBinary(last.code)) throw TCompileError{meSyntax, last.position};
  if (IsPrefix(last.code)) throw TCompileError{meNoOpenParen, last.position};
  const TPostFixRec* prev = nullptr;
  for (std::size_t i = 0; i < t.size(); ++i) {
    const TPostFixRec& cur = t[i];
    if (prev) {
      if (IsPrefix(prev->code) && cur.code != mcOpen) throw TCompileError{meNoOpenParen, prev->position};
      if ((IsBinary(prev->code) || prev->code == mcOpen) && (IsBinary(cur.code) || cur.code == mcClose))
        throw TCompileError{meSyntax, cur.position};
    }
    prev = &cur;
  }
}

// Operator precedence with an operator stack. Every binary operator is left-associative,
// ^ too (2^3^2 is 64), and a function binds tighter than any of them (SIN(X)^2 is (sin x)^2).
TMathPostFixArray ToPostfix(TTokenTable& t) {
  TMathPostFixArray out, ops;
  out.reserve(t.size());
  ops.reserve(t.size());
  for (std::size_t i = 0; i < t.size(); ++i) {
    const TPostFixRec& r = t[i];
    if (IsOperand(r.code)) {
      out.push_back(r);
    } else if (IsPrefix(r.code) || r.code == mcOpen) {
      ops.push_back(r);
    } else if (r.code == mcClose) {
      while (!ops.empty() && ops.back().code != mcOpen) {
        out.push_back(ops.back());
        ops.pop_back();
      }
      if (!ops.empty()) ops.pop_back();
    } else {
      while (!ops.empty() && ops.back().code != mcOpen && Precedence(r.code) <= Precedence(ops.back().code)) {
        out.push_back(ops.back());
        ops.pop_back();
      }
      ops.push_back(r);
    }
  }
  while (!ops.empty()) {
    if (ops.back().code != mcOpen) out.push_back(ops.back());
    ops.pop_back();
  }
  return out;
}

// Each call becomes the callee's program over the call's argument, the records that precede
// it and make one value; the callee's shared slots become the caller's. What the callee
// brings is reported at the call's position. Calls may nest without bound, so a program that
// grows past any reasonable size stops as out of memory.
TMathPostFixArray InlineCalls(const TMathPostFixArray& records, TCallTable* calls, int sharedFrom) {
  constexpr std::size_t kMaxInlined = 100000;
  TMathPostFixArray out, callee;
  int own = 0;
  out.reserve(records.size());
  for (const TPostFixRec& r : records) {
    if (r.code != mcCall) {
      out.push_back(r);
      continue;
    }
    if (!calls) throw TCompileError{meUnknownSymbol, r.position};
    if (const int error = calls->Callee(r.varIndex, callee, own)) throw TCompileError{error, r.position};
    std::size_t start = out.size();
    for (int made = 0; made < 1;) {
      if (start == 0) throw TCompileError{meSyntax, r.position};
      made += StackEffect(out[--start].code);
    }
    const TMathPostFixArray argument(out.begin() + std::ptrdiff_t(start), out.end());
    out.resize(start);
    for (TPostFixRec c : callee) {
      if (c.code == mcVariable && c.varIndex < own) {
        out.insert(out.end(), argument.begin(), argument.end());
        continue;
      }
      if (c.code == mcVariable) c.varIndex += sharedFrom - own;
      c.position = r.position;
      out.push_back(c);
    }
    if (out.size() > kMaxInlined) throw TCompileError{meOutOfMemory, r.position};
  }
  return out;
}

// A function of a number, or an operator on two numbers, becomes a number, until nothing
// changes; a failure is reported at the function's or operator's position. X*2^10
// compiles to X 1024 *.
void FoldConstants(TMathPostFixArray& p, const TTrigFixup& trig) {
  Extended stack[2];
  for (bool changed = true; changed;) {
    changed = false;
    for (std::size_t i = 0; i < p.size() && !changed; ++i) {
      const int code = p[i].code;
      if (IsFunction(code) && i >= 1 && p[i - 1].code == mcNumber) {
        stack[0] = p[i - 1].value;
        int depth = 1;
        if (const int err = CheckedStep(p[i].code, stack, depth, trig)) throw TCompileError{err, p[i].position};
        p[i - 1] = MakeRec(mcNumber, 0, stack[0]);
        p.erase(p.begin() + static_cast<std::ptrdiff_t>(i));
        changed = true;
      } else if (IsBinary(code) && i >= 2 && p[i - 1].code == mcNumber && p[i - 2].code == mcNumber) {
        stack[0] = p[i - 2].value;
        stack[1] = p[i - 1].value;
        int depth = 2;
        if (const int err = CheckedStep(p[i].code, stack, depth, trig)) throw TCompileError{err, p[i].position};
        p[i] = MakeRec(mcNumber, 0, stack[0]);
        p.erase(p.begin() + static_cast<std::ptrdiff_t>(i) - 2, p.begin() + static_cast<std::ptrdiff_t>(i));
        changed = true;
      }
    }
  }
}

TCompiled Compile(const std::string& text, const TSymbolTable& symbols, TCallTable* calls, int sharedFrom) {
  const std::u32string typed = DecodeUtf8(text);
  if (typed.size() > kMaxExpressionLength) throw TCompileError{meTooLong, 0};
  TTokenTable tokens = ReadTokens(typed, symbols);
  CheckParentheses(tokens);
  MergeSigns(tokens);
  InsertProducts(tokens);
  ApplyUnarySigns(tokens);
  CheckEdges(tokens);
  TCompiled out;
  for (std::size_t i = 0; i < tokens.size(); ++i) out.callsOthers |= tokens[i].code == mcCall;
  TMathPostFixArray records = InlineCalls(ToPostfix(tokens), calls, sharedFrom);
  if (!TMathProgram::IsWellFormed(records)) throw TCompileError{meUnknown, 0};

  for (const TPostFixRec& r : records) out.usesVariables |= r.code == mcVariable;
  const TTrigFixup& trig = CurrentTrigFixup();
  if (out.usesVariables) {
    FoldConstants(records, trig);
    out.program = TMathProgram(std::move(records));
  } else {
    // The whole text once; a failure here has no position.
    Extended value = 0;
    TMathEvaluator evaluator;
    if (const int err = evaluator.EvaluateChecked(TMathProgram(std::move(records)), nullptr, value, trig))
      throw TCompileError{err, 0};
    out.program = TMathProgram({MakeRec(mcNumber, 0, value)});
  }
  return out;
}

}  // namespace

TCompiled CompileExpression(const std::string& text, const TSymbolTable& symbols, TCallTable* calls, int sharedFrom) {
  try {
    return Compile(text, symbols, calls, sharedFrom);
  } catch (const TCompileError& e) {
    return {e.code, e.position, {}, false};
  } catch (const std::bad_alloc&) {
    return {meOutOfMemory, 0, {}, false};
  } catch (...) {
    return {meUnknown, 0, {}, false};
  }
}

}  // namespace plotix
