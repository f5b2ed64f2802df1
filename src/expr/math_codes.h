#pragma once
// The expression language's token codes and error codes, and the words of each error.

#include <cstdint>
#include <string>

namespace plotix {

// Token codes: 1..51 are the built-in symbols in the order the compiler once searched them.
enum TMathCode : std::int32_t {
  mcOpen = 1,
  mcClose = 2,
  mcAdd = 3,
  mcSub = 4,
  mcMul = 5,
  mcDiv = 6,
  mcPow = 7,
  mcDegToRad = 8,
  mcRadToDeg,
  mcGradToRad,
  mcRadToGrad,
  mcCycleToRad,
  mcRadToCycle,
  mcArcSinh = 14,
  mcArcCosh,
  mcArcTanh,
  mcArcCsch,
  mcArcSech,
  mcArcCoth,
  mcArcSin = 20,
  mcArcCos,
  mcArcTan,
  mcArcCsc,
  mcArcSec,
  mcArcCot,
  mcSinh = 26,
  mcCosh,
  mcTanh,
  mcCsch,
  mcSech,
  mcCoth,
  mcSin = 32,
  mcCos,
  mcTan,
  mcCsc,
  mcSec,
  mcCot,
  mcExp = 38,
  mcGrInt,
  mcInt,
  mcSqrt,
  mcSquare,
  mcTrunc,
  mcRound,
  mcFrac,
  mcAbs,
  mcLn,
  mcLog,
  mcFact = 49,
  mcPi = 50,
  mcE = 51,
  mcNumber = 1000,
  mcVariable = 5000,
  mcCall = 6000,  // a call of a named definition while compiling; its varIndex picks the callee
};

inline bool IsBinary(int code) { return code >= mcAdd && code <= mcPow; }
inline bool IsFunction(int code) { return code >= mcDegToRad && code <= mcFact; }
inline bool IsOperand(int code) { return code == mcNumber || code == mcVariable; }

// Error codes; MathErrorText gives their words.
enum TMathError : std::uint8_t {
  meNone = 0,
  meEmpty = 1,
  meTooLong = 2,
  meIllegalChar = 3,
  meSyntax = 4,
  meBadNumber = 5,
  meParentheses = 6,
  meNoOpenParen = 7,
  meUnknownSymbol = 8,
  meOutOfMemory = 9,
  meUnknown = 10,
  meDivByZero = 11,
  meDomain = 12,
  meBadExponential = 13,
  meFactorialTooBig = 14,
  meOverflow = 15,
  meUnderflow = 16,
  meInvalidOp = 17,
  meCircularReference = 18,
};

constexpr int kMaxExpressionLength = 1000;
constexpr int kMathTableSize = 2016;  // the most records a compiled text expands to

// The code's words, followed by " at Character " and the position when it is 1 or more.
std::string MathErrorText(int code, int position);

}  // namespace plotix
