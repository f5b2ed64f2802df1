#include "expr/math_function.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstring>
#include <new>

namespace plotix {

namespace {

constexpr Extended kPi = 3.14159265358979323846264338327950288L;

// ---- symbol table -----------------------------------------------------------

// Searched in this order; a longer name precedes every name that is its prefix.
constexpr const char* kSymbols[] = {
    "(",         ")",         "+",          "-",          "*",       "/",       "^",       "DEGTORAD", "RADTODEG",
    "GRADTORAD", "RADTOGRAD", "CYCLETORAD", "RADTOCYCLE", "ARCSINH", "ARCCOSH", "ARCTANH", "ARCCSCH",  "ARCSECH",
    "ARCCOTH",   "ARCSIN",    "ARCCOS",     "ARCTAN",     "ARCCSC",  "ARCSEC",  "ARCCOT",  "SINH",     "COSH",
    "TANH",      "CSCH",      "SECH",       "COTH",       "SIN",     "COS",     "TAN",     "CSC",      "SEC",
    "COT",       "EXP",       "GRINT",      "INT",        "SQRT",    "SQUARE",  "TRUNC",   "ROUND",    "FRAC",
    "ABS",       "LN",        "LOG",        "FACT",       "PI",      "E"};
static_assert(sizeof(kSymbols) / sizeof(kSymbols[0]) == mcE);

bool IsBinary(int code) { return code >= mcAdd && code <= mcPow; }
bool IsFunction(int code) { return code >= mcDegToRad && code <= mcFact; }
bool IsOperand(int code) { return code == mcNumber || code == mcVariable; }

int Precedence(int code) {
  switch (code) {
    case mcAdd:
    case mcSub: return 1;
    case mcMul:
    case mcDiv: return 2;
    case mcPow: return 3;
    default: return IsFunction(code) ? 4 : 0;
  }
}

// ---- trigonometry fix-up ------------------------------------------------------

struct TFixupRange {
  Extended sinBound, sinThreshold, cosBound, cosThreshold;
};

const TFixupRange kFixupRanges[6] = {
    {0, 0, 0, 0},
    {1000 * kPi, 1.60461921527854657e-16L, 1001 * kPi / 2, 7.95533344061238879e-17L},
    {10000 * kPi, 1.38533932589335330e-15L, 10001 * kPi / 2, 6.92669662946676646e-16L},
    {100000 * kPi, 1.93736086201434788e-14L, 100001 * kPi / 2, 9.68612668371393593e-15L},
    {1000000 * kPi, 1.67272391684430977e-13L, 1000001 * kPi / 2, 8.36361958422154884e-14L},
    {10000000 * kPi, 1.45127985150261818e-12L, 10000001 * kPi / 2, 7.25141274067128694e-13L},
};

int gFixRange = 2;
bool gFixExact = true;
const TFixupRange* gFix = &kFixupRanges[2];

// Sine and cosine, accurate over the whole range. x is reduced to r = x - k*pi/2 with
// pi/2 in four parts, k times each of the first three exact for |x| < 2^28, so r keeps
// its digits even next to a multiple; the x87 instructions are exact on |r| <= pi/4,
// where they reduce nothing themselves (their own reduction uses a 66-bit pi).
// Beyond 2^28 the library's exact reduction does the work.
constexpr Extended kHalfPi1 = 0x6487ed511p-34L, kHalfPi2 = 0x5a308d313p-73L, kHalfPi3 = 0x198a2e037p-109L,
                   kHalfPi4 = 0x7344a4093822299fp-177L;
constexpr Extended kTwoOverPi = 0x517cc1b727220a95p-63L, kQuarterPi = 0xc90fdaa22168c235p-64L;
constexpr Extended kReduceLimit = 0x1p28L;
// Adding it rounds a value below 2^62 to an integer held in the low significand bits.
constexpr Extended kRoundShift = 0x1.8p63L;

inline Extended X87Sin(Extended x) {
  __asm__("fsin" : "+t"(x));
  return x;
}
inline Extended X87Cos(Extended x) {
  __asm__("fcos" : "+t"(x));
  return x;
}

// r = x - k*pi/2 for the nearest k; quadrant = k mod 4.
inline Extended ReduceHalfPi(Extended x, unsigned& quadrant) {
  const Extended shifted = x * kTwoOverPi + kRoundShift;
  std::uint64_t significand;
  std::memcpy(&significand, &shifted, sizeof significand);
  quadrant = static_cast<unsigned>(significand) & 3;
  const Extended k = shifted - kRoundShift;
  return (((x - k * kHalfPi1) - k * kHalfPi2) - k * kHalfPi3) - k * kHalfPi4;
}

Extended PlainSin(Extended x) {
  if (fabsl(x) <= kQuarterPi) return X87Sin(x);
  if (!(fabsl(x) < kReduceLimit)) return sinl(x);
  unsigned quadrant;
  const Extended r = ReduceHalfPi(x, quadrant);
  switch (quadrant) {
    case 0: return X87Sin(r);
    case 1: return X87Cos(r);
    case 2: return -X87Sin(r);
    default: return -X87Cos(r);
  }
}
Extended PlainCos(Extended x) {
  if (fabsl(x) <= kQuarterPi) return X87Cos(x);
  if (!(fabsl(x) < kReduceLimit)) return cosl(x);
  unsigned quadrant;
  const Extended r = ReduceHalfPi(x, quadrant);
  switch (quadrant) {
    case 0: return X87Cos(r);
    case 1: return -X87Sin(r);
    case 2: return -X87Cos(r);
    default: return X87Sin(r);
  }
}

// A residue small enough to be a multiple's rounding error becomes 0; the exact
// variants also require x to be that multiple to the last bit. The sine of an x that
// is itself that small is no residue: near 0, sin x is x.
Extended SinRoughFix(Extended x) {
  const Extended s = PlainSin(x);
  const Extended a = fabsl(x);
  return (fabsl(s) <= gFix->sinThreshold && a <= gFix->sinBound && a > gFix->sinThreshold) ? 0 : s;
}
Extended SinExactFix(Extended x) {
  const Extended s = PlainSin(x);
  if (fabsl(s) <= gFix->sinThreshold && fabsl(x) <= gFix->sinBound) {
    const Extended k = rintl(x / kPi);
    if (k * kPi == x) return 0;
  }
  return s;
}
Extended CosRoughFix(Extended x) {
  const Extended c = PlainCos(x);
  return (fabsl(c) <= gFix->cosThreshold && fabsl(x) <= gFix->cosBound) ? 0 : c;
}
Extended CosExactFix(Extended x) {
  const Extended c = PlainCos(x);
  if (fabsl(c) <= gFix->cosThreshold && fabsl(x) <= gFix->cosBound) {
    const Extended k = rintl(x * (2 / kPi));
    if (k * (kPi / 2) == x) return 0;
  }
  return c;
}

Extended (*gSin)(Extended) = SinExactFix;
Extended (*gCos)(Extended) = CosExactFix;

// ---- the routines -------------------------------------------------------------

inline bool IsFinite(Extended v) { return fabsl(v) <= LDBL_MAX; }

Extended ArcSinRoutine(Extended x, int& err) {
  if (x == 1) return kPi / 2;
  if (x == -1) return -kPi / 2;
  if (x > -1 && x < 1) return atanl(x / sqrtl(1 - x * x));
  err = meDomain;
  return 0;
}

Extended ArcCosRoutine(Extended x, int& err) {
  if (x == 1) return 0;
  if (x == -1) return kPi;
  if (x > -1 && x < 1) return atanl(-x / sqrtl(1 - x * x)) + kPi / 2;
  err = meDomain;
  return 0;
}

inline bool IsIntegral(Extended v) { return truncl(v) == v; }

// Sets err to a Part of the error table on a domain failure; the caller checks
// the result for floating-point conditions.
[[gnu::always_inline]] inline Extended ApplyFunction(int code, Extended x, int& err) {
  switch (code) {
    case mcDegToRad: return x * (kPi / 180);
    case mcRadToDeg: return x * (180 / kPi);
    case mcGradToRad: return x * (kPi / 200);
    case mcRadToGrad: return x * (200 / kPi);
    case mcCycleToRad: return x * (2 * kPi);
    case mcRadToCycle: return x / (2 * kPi);
    // The library's inverse hyperbolics, and ln(1 + t) taken as one for a small t: the
    // plain logarithms cancel for negative, tiny or near-1 arguments and square huge
    // ones into an overflow.
    case mcArcSinh: return asinhl(x);
    case mcArcCosh:
      if (x < 1) break;
      return acoshl(x);
    case mcArcTanh:
      if (fabsl(x) >= 1) break;
      return atanhl(x);
    case mcArcCsch:
      if (x == 0) break;
      return asinhl(1 / x);
    case mcArcSech: {
      if (x <= 0 || x > 1) break;
      const Extended u = 1 - x;  // exact near 1, where the result is small
      return log1pl((u + sqrtl(u * (1 + x))) / x);
    }
    case mcArcCoth:
      if (fabsl(x) <= 1) break;
      return copysignl(log1pl(2 / (fabsl(x) - 1)) / 2, x);
    case mcArcSin: return ArcSinRoutine(x, err);
    case mcArcCos: return ArcCosRoutine(x, err);
    case mcArcTan: return atanl(x);
    case mcArcCsc:
      if (x > -1 && x < 1) break;
      return ArcSinRoutine(1 / x, err);
    case mcArcSec:
      if (x > -1 && x < 1) break;
      return ArcCosRoutine(1 / x, err);
    case mcArcCot:
      if (x > 0) return atanl(1 / x);
      if (x < 0) return atanl(1 / x) + kPi;
      return kPi / 2;
    // The library's forms go through e^x - 1 for small x, where e^x - e^-x cancels,
    // and reach the largest values that fit where e^x alone would overflow.
    case mcSinh: return sinhl(x);
    case mcCosh: return coshl(x);
    case mcTanh: return tanhl(x);
    case mcCsch:
      if (x == 0) break;
      return 1 / sinhl(x);
    case mcSech: return 1 / coshl(x);
    case mcCoth:
      if (x == 0) break;
      return 1 / tanhl(x);
    case mcSin: return gSin(x);
    case mcCos: return gCos(x);
    case mcTan: {
      const Extended c = gCos(x);
      if (c == 0) break;
      return gSin(x) / c;
    }
    case mcCsc: {
      const Extended s = gSin(x);
      if (s == 0) break;
      return 1 / s;
    }
    case mcSec: {
      const Extended c = gCos(x);
      if (c == 0) break;
      return 1 / c;
    }
    case mcCot: {
      const Extended s = gSin(x);
      if (s == 0) break;
      return gCos(x) / s;
    }
    case mcExp: return expl(x);
    case mcGrInt:
      if (x >= 0 || IsIntegral(x)) return truncl(x);
      return truncl(x) - 1;
    case mcInt:
    case mcTrunc: return truncl(x);
    case mcSqrt:
      if (x < 0) break;
      return sqrtl(x);
    case mcSquare: return x * x;
    case mcRound: {
      const Extended t = truncl(x);
      if (fabsl(x - t) >= 0.5L) return x >= 0 ? t + 1 : t - 1;
      return t;
    }
    case mcFrac: return x - truncl(x);
    case mcAbs: return fabsl(x);
    case mcLn:
      if (x <= 0) break;
      return logl(x);
    case mcLog:
      if (x <= 0) break;
      return logl(x) / logl(10.0L);
    case mcFact: {
      if (x == 0) return 1;
      if (x < 0 || !IsIntegral(x)) break;
      if (x > 20) {
        err = meFactorialTooBig;
        return 0;
      }
      Extended r = 1;
      for (int i = static_cast<int>(x); i > 1; --i) r *= i;
      return r;
    }
    default: err = meUnknown; return 0;
  }
  err = meDomain;
  return 0;
}

// What the power rule needs to know of an exponent: worked out once for a constant one,
// and only for a negative base otherwise.
enum TExponentClass : std::int32_t { ecIntegral = 1, ecEven = 2 };

std::int32_t ExponentClass(Extended b) { return (IsIntegral(b) ? ecIntegral : 0) | (IsIntegral(b / 2) ? ecEven : 0); }

// 0 to a negative power is a division by zero. The library's power is exact where the
// result is representable (10^18, 16^0.5); e^(b ln a) loses the last digits, which
// sin(10^18) would turn into a wrong angle. A square is the one rounded product the
// library would return, without the call.
template <class ClassOfB>
[[gnu::always_inline]] inline Extended PowerRule(Extended a, Extended b, int& err, ClassOfB classOfB) {
  if (b == 2) return a * a;
  if (a == 0) {
    if (b == 0)
      err = meBadExponential;
    else if (b < 0)
      err = meDivByZero;
    return 0;
  }
  if (b == 0) return 1;
  if (a > 0) return powl(a, b);
  const std::int32_t cls = classOfB();
  if (!(cls & ecIntegral)) {
    err = meBadExponential;
    return 0;
  }
  if (b == 1) return a;
  if (b == -1) return 1 / a;
  const Extended r = powl(-a, b);
  return (cls & ecEven) ? r : -r;
}

[[gnu::always_inline]] inline Extended Power(Extended a, Extended b, int& err) {
  return PowerRule(a, b, err, [b] { return ExponentClass(b); });
}

// The power rule with a constant exponent of the given class.
[[gnu::always_inline]] inline Extended PowerByConstant(Extended a, Extended b, std::int32_t cls, int& err) {
  return PowerRule(a, b, err, [cls] { return cls; });
}

[[gnu::always_inline]] inline Extended ApplyBinary(int code, Extended a, Extended b, int& err) {
  switch (code) {
    case mcAdd: return a + b;
    case mcSub: return a - b;
    case mcMul: return a * b;
    case mcDiv:
      if (b == 0) {
        err = meDivByZero;
        return 0;
      }
      return a / b;
    case mcPow: return Power(a, b, err);
  }
  err = meUnknown;
  return 0;
}

// Runs one routine the slow, exact way: a result that is not finite is classified
// by the floating-point conditions the routine raised, as hardware traps would.
int CheckedStep(const TPostFixRec& rec, Extended* stack, int& depth) {
  int err = meNone;
  std::feclearexcept(FE_ALL_EXCEPT);
  Extended r;
  if (IsFunction(rec.code)) {
    if (depth < 1) return meUnknown;
    r = ApplyFunction(rec.code, stack[depth - 1], err);
    if (err) return err;
    stack[depth - 1] = r;
  } else if (IsBinary(rec.code)) {
    if (depth < 2) return meUnknown;
    r = ApplyBinary(rec.code, stack[depth - 2], stack[depth - 1], err);
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

// The process-wide evaluation stack.
Extended gStack[kMathTableSize + 1];

// ---- compile tables -----------------------------------------------------------

struct TTableFull {};

// A working table that refuses to grow beyond the compile tables' size.
class TTokenTable {
 public:
  TTokenTable() { recs_.reserve(kMathTableSize); }
  std::size_t size() const { return recs_.size(); }
  TPostFixRec& operator[](std::size_t i) { return recs_[i]; }
  void push_back(const TPostFixRec& r) {
    if (recs_.size() >= kMathTableSize) throw TTableFull{};
    recs_.push_back(r);
  }
  void insert(std::size_t at, const TPostFixRec& r) {
    if (recs_.size() >= kMathTableSize) throw TTableFull{};
    recs_.insert(recs_.begin() + static_cast<std::ptrdiff_t>(at), r);
  }
  void erase(std::size_t at) { recs_.erase(recs_.begin() + static_cast<std::ptrdiff_t>(at)); }
  TMathPostFixArray& recs() { return recs_; }

 private:
  TMathPostFixArray recs_;
};

TPostFixRec Rec(int code, int position, Extended value = 0) {
  TPostFixRec r;
  r.code = code;
  r.position = position;
  r.value = value;
  return r;
}

struct TCompileError {
  int code;
  int position;
};

// Characters as the user counts them: a UTF-8 sequence is one character.
std::u32string DecodeUtf8(const std::string& s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = s[i];
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + extra >= s.size()) {
      out.push_back(c);  // a stray byte counts as one character
      ++i;
      continue;
    }
    char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      const unsigned char cc = s[i + k];
      if ((cc & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok) {
      out.push_back(c);
      ++i;
      continue;
    }
    out.push_back(cp);
    i += extra + 1;
  }
  return out;
}

bool IsAllowed(char32_t c) {
  return c == '(' || c == ')' || c == '*' || c == '+' || c == '-' || c == '.' || c == '/' || c == '^' ||
         (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
}

bool MatchAt(const std::u32string& text, std::size_t at, const std::string& name) {
  if (name.empty() || at + name.size() > text.size()) return false;
  for (std::size_t k = 0; k < name.size(); ++k)
    if (text[at + k] != static_cast<unsigned char>(name[k])) return false;
  return true;
}

// Scan: the working text (spaces dropped, brackets made round, letters upper case)
// becomes records whose positions point into the text as typed.
void Scan(const std::u32string& typed, const TMathStringsArray& names, TTokenTable& tokens, bool& hasVariables) {
  std::u32string work;
  std::vector<int> origin;  // 1-based position in the typed text of each working character
  for (std::size_t i = 0; i < typed.size(); ++i) {
    char32_t c = typed[i];
    if (c == ' ') continue;
    if (c == '[' || c == '{')
      c = '(';
    else if (c == ']' || c == '}')
      c = ')';
    else if (c >= 'a' && c <= 'z')
      c = c - 'a' + 'A';
    work.push_back(c);
    origin.push_back(static_cast<int>(i) + 1);
  }
  if (work.empty()) throw TCompileError{meEmpty, 0};
  for (std::size_t i = 0; i < work.size(); ++i)
    if (!IsAllowed(work[i])) throw TCompileError{meIllegalChar, origin[i]};

  for (std::size_t i = 0; i < work.size();) {
    const char32_t c = work[i];
    const int pos = origin[i];
    if ((c >= '0' && c <= '9') || c == '.') {
      std::size_t j = i;
      std::string run;
      int digits = 0, dots = 0;
      for (; j < work.size() && ((work[j] >= '0' && work[j] <= '9') || work[j] == '.'); ++j) {
        run.push_back(static_cast<char>(work[j]));
        (work[j] == '.' ? dots : digits)++;
      }
      Extended v = 0;
      if (digits == 0 || dots > 1) throw TCompileError{meBadNumber, pos};
      const auto res = std::from_chars(run.data(), run.data() + run.size(), v, std::chars_format::fixed);
      if (res.ec != std::errc() || res.ptr != run.data() + run.size()) throw TCompileError{meBadNumber, pos};
      tokens.push_back(Rec(mcNumber, pos, v));
      i = j;
      continue;
    }
    bool found = false;
    for (std::size_t v = 0; v < names.size() && !found; ++v) {
      if (MatchAt(work, i, names[v])) {
        TPostFixRec r = Rec(mcVariable, pos);
        r.varIndex = static_cast<int>(v);
        tokens.push_back(r);
        hasVariables = true;
        i += names[v].size();
        found = true;
      }
    }
    if (found) continue;
    for (int code = 1; code <= mcE && !found; ++code) {
      const std::string sym = kSymbols[code - 1];
      if (!MatchAt(work, i, sym)) continue;
      if (code == mcPi)
        tokens.push_back(Rec(mcNumber, pos, kPi));
      else if (code == mcE)
        tokens.push_back(Rec(mcNumber, pos, expl(1.0L)));
      else
        tokens.push_back(Rec(code, pos));
      i += sym.size();
      found = true;
    }
    if (!found) throw TCompileError{meUnknownSymbol, pos};
  }
}

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

bool IsSign(int code) { return code == mcAdd || code == mcSub; }

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

void InsertProducts(TTokenTable& t) {
  for (std::size_t i = 1; i < t.size(); ++i) {
    const int cur = t[i].code, prev = t[i - 1].code;
    if ((IsOperand(cur) || IsFunction(cur) || cur == mcOpen) && (IsOperand(prev) || prev == mcClose))
      t.insert(i, Rec(mcMul, t[i].position));
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

void ApplyUnarySigns(TTokenTable& t) {
  for (;;) {
    std::size_t r = 1;
    for (; r < t.size(); ++r) {
      const int rc = t[r].code;
      if (!(IsOperand(rc) || IsFunction(rc) || rc == mcOpen) || !IsSign(t[r - 1].code)) continue;
      if (r - 1 == 0 || t[r - 2].code == mcOpen || IsBinary(t[r - 2].code)) break;
    }
    if (r >= t.size()) return;
    const std::size_t s = r - 1;
    const int spos = t[s].position;
    if (t[s].code == mcAdd) {
      t.erase(s);
    } else if (s > 0 && (t[s - 1].code == mcMul || t[s - 1].code == mcDiv || t[s - 1].code == mcPow)) {
      t[s] = Rec(mcOpen, spos);
      t.insert(s + 1, Rec(mcNumber, spos, -1));
      t.insert(s + 2, Rec(mcMul, spos));
      std::size_t end = s + 3;  // R
      if (IsFunction(t[end].code)) {
        if (end + 1 >= t.size() || t[end + 1].code != mcOpen) throw TCompileError{meNoOpenParen, t[end].position};
        ++end;
      }
      if (t[end].code == mcOpen) end = MatchingClose(t, end);
      // Like a leading sign, it takes in the powers that follow: 2*-x^2 is 2*(-(x^2)).
      for (std::size_t next; end + 2 < t.size() && t[end + 1].code == mcPow; end = next) {
        next = end + 2 + (IsSign(t[end + 2].code) ? 1 : 0);
        if (next >= t.size()) break;
        if (IsFunction(t[next].code)) {
          if (next + 1 >= t.size() || t[next + 1].code != mcOpen) break;
          ++next;
        }
        if (t[next].code == mcOpen)
          next = MatchingClose(t, next);
        else if (!IsOperand(t[next].code))
          break;
      }
      t.insert(end + 1, Rec(mcClose, 0));
    } else {
      t[s] = Rec(mcNumber, spos, -1);
      t.insert(s + 1, Rec(mcMul, spos));
    }
  }
}

void CheckEdges(TTokenTable& t) {
  if (IsBinary(t[0].code)) throw TCompileError{meSyntax, t[0].position};
  const TPostFixRec& last = t[t.size() - 1];
  if (IsBinary(last.code)) throw TCompileError{meSyntax, last.position};
  if (IsFunction(last.code)) throw TCompileError{meNoOpenParen, last.position};
  const TPostFixRec* prev = nullptr;
  for (std::size_t i = 0; i < t.size(); ++i) {
    const TPostFixRec& cur = t[i];
    if (prev) {
      if (IsFunction(prev->code) && cur.code != mcOpen) throw TCompileError{meNoOpenParen, prev->position};
      if ((IsBinary(prev->code) || prev->code == mcOpen) && (IsBinary(cur.code) || cur.code == mcClose))
        throw TCompileError{meSyntax, cur.position};
    }
    prev = &cur;
  }
}

TMathPostFixArray ToPostfix(TTokenTable& t) {
  TMathPostFixArray out, ops;
  out.reserve(t.size());
  ops.reserve(t.size());
  for (std::size_t i = 0; i < t.size(); ++i) {
    const TPostFixRec& r = t[i];
    if (IsOperand(r.code)) {
      out.push_back(r);
    } else if (IsFunction(r.code) || r.code == mcOpen) {
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

void FoldConstants(TMathPostFixArray& p) {
  Extended stack[2];
  for (bool changed = true; changed;) {
    changed = false;
    for (std::size_t i = 0; i < p.size() && !changed; ++i) {
      const int code = p[i].code;
      if (IsFunction(code) && i >= 1 && p[i - 1].code == mcNumber) {
        stack[0] = p[i - 1].value;
        int depth = 1;
        if (const int err = CheckedStep(p[i], stack, depth)) throw TCompileError{err, p[i].position};
        p[i - 1] = Rec(mcNumber, 0, stack[0]);
        p.erase(p.begin() + static_cast<std::ptrdiff_t>(i));
        changed = true;
      } else if (IsBinary(code) && i >= 2 && p[i - 1].code == mcNumber && p[i - 2].code == mcNumber) {
        stack[0] = p[i - 2].value;
        stack[1] = p[i - 1].value;
        int depth = 2;
        if (const int err = CheckedStep(p[i], stack, depth)) throw TCompileError{err, p[i].position};
        p[i] = Rec(mcNumber, 0, stack[0]);
        p.erase(p.begin() + static_cast<std::ptrdiff_t>(i) - 2, p.begin() + static_cast<std::ptrdiff_t>(i));
        changed = true;
      }
    }
  }
}

// True when the program leaves exactly one value and never pops an empty stack.
bool IsBalanced(const TMathPostFixArray& p) {
  int depth = 0;
  for (const TPostFixRec& r : p) {
    if (IsOperand(r.code))
      ++depth;
    else if (IsBinary(r.code))
      depth -= 1;
    if (depth < 1) return false;
  }
  return depth == 1;
}

// ---- the fast form ------------------------------------------------------------

// Opcodes of the form derived from a program. Operands come from an extended
// constant (C), a constant a double holds exactly (D, a cheaper load) or a variable
// (V). A push followed by a binary operator becomes one step on the top of the
// stack; "push A, push B, operator, operator" computes A op B in a second register
// t and then combines it with the top, so neither A nor the top is spilled.
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

// ---- errors -------------------------------------------------------------------

std::string MathErrorText(int code, int position) {
  static const char* const kTexts[] = {
      "No Error",
      "Empty Expression",
      "Expressions May Not Be Longer Than 1000 Characters",
      "Illegal Char",
      "Expression Syntax Error",
      "Invalid Numeric Floating Point Number",
      "Invalid Parentheses Grouping",
      "Function Not Followed by Open Parentheses Character",
      "Unknown Symbol",
      "Out of Memory",
      "Unknown Exception",
      "Division by Zero",
      "Invalid Function Domain",
      "Invalid Exponential",
      "Factorial to Big",
      "Floating Point Over Flow",
      "Floating Point Under Flow",
      "Invalid Floating Point Operation",
  };
  std::string text = code >= 0 && code <= meInvalidOp ? kTexts[code] : "Undetermined Error";
  if (position >= 1) text += " at Character " + std::to_string(position);
  return text;
}

// ---- TMathFunction ------------------------------------------------------------

void TMathFunction::Assign(const TMathFunction& source) {
  if (this == &source) return;
  text_ = source.text_;
  names_ = source.names_;
  values_ = source.values_;
  program_ = source.program_;
  exec_ = source.exec_;  // refers to variables by index, so it runs on this object's values
  state_ = source.state_;
  result_ = source.result_;
  hasVariables_ = source.hasVariables_;
  error_ = source.error_;
  errorPos_ = source.errorPos_;
}

void TMathFunction::SetExpression(const std::string& text) {
  text_ = text;
  state_ = 0;
  error_ = meNone;
}

void TMathFunction::SetVariableCount(int count) {
  if (count < 0) count = 0;
  if (count == VariableCount()) return;
  state_ = 0;
  error_ = meNone;
  names_.resize(static_cast<std::size_t>(count));
  values_.resize(static_cast<std::size_t>(count), 0);
}

void TMathFunction::SetVariableName(int index, const std::string& name) {
  state_ = 0;
  error_ = meNone;
  std::string upper = name;
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  names_[static_cast<std::size_t>(index)] = upper;
}

void TMathFunction::Fail(int code, int position) {
  state_ = 1;
  error_ = static_cast<std::uint8_t>(code);
  errorPos_ = position;
  result_ = 0;
  program_.clear();
  exec_.clear();
}

bool TMathFunction::Compile() {
  result_ = 0;
  hasVariables_ = false;
  error_ = meNone;
  errorPos_ = 0;
  try {
    const std::u32string typed = DecodeUtf8(text_);
    if (typed.size() > kMaxExpressionLength) throw TCompileError{meTooLong, 0};
    TTokenTable tokens;
    Scan(typed, names_, tokens, hasVariables_);
    CheckParentheses(tokens);
    MergeSigns(tokens);
    InsertProducts(tokens);
    ApplyUnarySigns(tokens);
    CheckEdges(tokens);
    TMathPostFixArray program = ToPostfix(tokens);
    if (!IsBalanced(program)) throw TCompileError{meUnknown, 0};
    if (hasVariables_) {
      FoldConstants(program);
      program_ = std::move(program);
      BuildExec();
    } else {
      Extended value = 0;
      int err = meNone;
      if (!RunChecked(program, value, err)) throw TCompileError{err, 0};
      result_ = value;
      program_.clear();
      exec_.clear();
    }
  } catch (const TCompileError& e) {
    Fail(e.code, e.position);
    return false;
  } catch (const TTableFull&) {
    Fail(meOutOfMemory, 0);
    return false;
  } catch (const std::bad_alloc&) {
    Fail(meOutOfMemory, 0);
    return false;
  } catch (...) {
    Fail(meUnknown, 0);
    return false;
  }
  state_ = 2;
  return true;
}

// Runs a program record by record with every check; used for constant
// expressions and to classify a failure the fast form ran into.
bool TMathFunction::RunChecked(const TMathPostFixArray& program, Extended& result, int& error) const {
  int depth = 0;
  for (const TPostFixRec& r : program) {
    if (r.code == mcNumber || r.code == mcVariable) {
      if (depth >= kMathTableSize) {
        error = meUnknown;
        return false;
      }
      gStack[depth++] = r.code == mcNumber ? r.value : values_[static_cast<std::size_t>(r.varIndex)];
    } else if ((error = CheckedStep(r, gStack, depth)) != meNone) {
      return false;
    }
  }
  if (depth != 1) {
    error = meUnknown;
    return false;
  }
  result = gStack[0];
  error = meNone;
  return true;
}

void TMathFunction::BuildExec() {
  exec_.clear();
  exec_.reserve(program_.size() + 1);
  const std::size_t n = program_.size();
  auto operand = [](const TPostFixRec& r, std::int32_t base, int stride, int offset) {
    TExecOp op{base, r.varIndex, r.value, static_cast<double>(r.value)};
    const int kind = r.code == mcVariable ? okV : static_cast<Extended>(op.dvalue) == r.value ? okD : okC;
    op.op = base + kind * stride + offset;
    if (kind != okV && offset == mcPow - mcAdd) op.index = ExponentClass(r.value);
    return op;
  };
  for (std::size_t i = 0; i < n; ++i) {
    const TPostFixRec& r = program_[i];
    if (IsOperand(r.code)) {
      if (i + 4 < n && IsOperand(program_[i + 1].code) && IsOperand(program_[i + 2].code) &&
          IsBinary(program_[i + 3].code) && IsBinary(program_[i + 4].code)) {
        const int spill = exec_.empty() ? 1 : 0;
        exec_.push_back(operand(program_[i + 1], xTLoad, 1, 0));
        exec_.push_back(operand(program_[i + 2], xTK, 5, program_[i + 3].code - mcAdd));
        exec_.push_back(operand(r, xKApply + spill * 15, 5, program_[i + 4].code - mcAdd));
        i += 4;
      } else if (i + 3 < n && IsOperand(program_[i + 1].code) && IsBinary(program_[i + 2].code) &&
                 IsBinary(program_[i + 3].code)) {
        exec_.push_back(operand(r, xTLoad, 1, 0));
        exec_.push_back(operand(program_[i + 1], xTK, 5, program_[i + 2].code - mcAdd));
        exec_.push_back({xTApply + program_[i + 3].code - mcAdd, 0, 0, 0});
        i += 3;
      } else if (i + 1 < n && IsBinary(program_[i + 1].code)) {
        exec_.push_back(operand(r, xTopK, 5, program_[i + 1].code - mcAdd));
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

// The inner loop of every redraw: the top of the stack lives in a local (a plain
// switch lets the compiler keep it in a register), and a result that is not finite
// sends the run to the checked form, which finds the exact condition.
bool TMathFunction::RunFast() {
  const TExecOp* ip = exec_.data();
  const Extended* vars = values_.data();
  Extended* sp = gStack;  // next free slot; the top itself is in `top`
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
        result_ = top;
        return true;
// clang-format off
#define PLOTIX_FN(n) \
  case xFunc0 + (n) - mcDegToRad: top = ApplyFunction(n, top, err); break;
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
  error_ = static_cast<std::uint8_t>(err);
  result_ = 0;
  return false;
slow : {
  Extended value = 0;
  if (!RunChecked(program_, value, err)) goto failed;
  result_ = value;
  return true;
}
}

bool TMathFunction::EvaluateOther() {
  if (state_ != 2) {
    error_ = meUnknown;
    result_ = 0;
    return false;
  }
  error_ = meNone;
  return true;  // no variables: the result computed at compile time stands
}

// ---- fix-up setting -----------------------------------------------------------

void SetTrigFixup(int range, bool exact) {
  if (range < 0 || range > 5) range = 0;
  if (range == gFixRange && exact == gFixExact) return;
  gFixRange = range;
  gFixExact = exact;
  gFix = &kFixupRanges[range];
  if (range == 0) {
    gSin = PlainSin;
    gCos = PlainCos;
  } else {
    gSin = exact ? SinExactFix : SinRoughFix;
    gCos = exact ? CosExactFix : CosRoughFix;
  }
}

void GetTrigFixup(int& range, bool& exact) {
  range = gFixRange;
  exact = gFixExact;
}

Extended FixedSin(Extended x) { return gSin(x); }
Extended FixedCos(Extended x) { return gCos(x); }

}  // namespace plotix
