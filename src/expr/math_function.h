#pragma once
// TMathFunction: one function definition compiled into a postfix program and
// evaluated in extended precision, every failure an error code, never an exception.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/extended.h"

namespace plotix {

// Token codes: 1..51 are positions in the symbol table.
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
};

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
};

constexpr int kMaxExpressionLength = 1000;
constexpr int kMathTableSize = 2016;  // records in each compile table and the evaluation stack

// One record of a postfix program (and of the working token table while compiling).
struct TPostFixRec {
  std::int32_t code = 0;
  std::int32_t varIndex = 0;  // for mcVariable
  std::int32_t position = 0;  // 1-based character in the text; 0 when made by the compiler
  Extended value = 0;         // for mcNumber
};

using TMathPostFixArray = std::vector<TPostFixRec>;
using TMathStringsArray = std::vector<std::string>;
using TMathValuesArray = std::vector<Extended>;

// The code's words, followed by " at Character " and the position when it is 1 or more.
std::string MathErrorText(int code, int position);

class TMathFunction {
 public:
  TMathFunction() = default;
  TMathFunction(const TMathFunction& other) { Assign(other); }
  TMathFunction& operator=(const TMathFunction& other) {
    Assign(other);
    return *this;
  }
  virtual ~TMathFunction() = default;

  virtual void Assign(const TMathFunction& source);

  void SetExpression(const std::string& text);
  const std::string& Expression() const { return text_; }
  void SetVariableCount(int count);
  int VariableCount() const { return static_cast<int>(names_.size()); }
  void SetVariableName(int index, const std::string& name);
  const std::string& VariableName(int index) const { return names_[index]; }
  // Owners write a variable's value here before each evaluation.
  Extended& Value(int index) { return values_[index]; }

  bool Compile();
  bool Evaluate() {
    if (state_ == 2 && hasVariables_) {
      error_ = meNone;
      return RunFast();
    }
    return EvaluateOther();
  }

  Extended Result() const { return result_; }
  int ErrorCode() const { return error_; }
  int ErrorPosition() const { return errorPos_; }
  std::string GetErrorText() const { return MathErrorText(error_, errorPos_); }
  int State() const { return state_; }  // 0 not compiled, 1 failed, 2 compiled
  bool HasVariables() const { return hasVariables_; }
  const TMathPostFixArray& Program() const { return program_; }

  // One step of the fast form derived from the program.
  struct TExecOp {
    std::int32_t op;
    std::int32_t index;  // variable index, or the class of a constant exponent
    Extended value;      // an extended constant
    double dvalue;       // the same constant when a double holds it exactly (loads faster)
  };

 private:
  void Fail(int code, int position);
  bool RunChecked(const TMathPostFixArray& program, Extended& result, int& error) const;
  void BuildExec();
  bool RunFast();
  bool EvaluateOther();

  std::string text_;
  TMathStringsArray names_;
  TMathValuesArray values_;
  TMathPostFixArray program_;
  std::vector<TExecOp> exec_;
  std::uint8_t state_ = 0;
  Extended result_ = 0;
  bool hasVariables_ = false;
  std::uint8_t error_ = meNone;
  std::int32_t errorPos_ = 0;
};

// The trigonometry fix-up: makes sine and cosine exact zeros at multiples of pi and
// odd multiples of pi/2 within a range. range 0..5 (0 = none); at start 2 and exact.
void SetTrigFixup(int range, bool exact);
void GetTrigFixup(int& range, bool& exact);

// The current sine and cosine routines (with the fix-up applied).
Extended FixedSin(Extended x);
Extended FixedCos(Extended x);

}  // namespace plotix
