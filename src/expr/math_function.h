#pragma once
// TMathFunction: one function definition with its variables, compiled into a postfix
// program and evaluated in extended precision, every failure an error code, never an
// exception. The stages live in their own files: token_reader (text to tokens),
// symbol_table (names), compiler (tokens to a folded postfix program), postfix_program
// (the program as a value), evaluator (fast and checked runs), function_library (the
// routines and the power rule) and trig_fixup.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "expr/evaluator.h"
#include "expr/math_codes.h"
#include "expr/postfix_program.h"
#include "expr/trig_fixup.h"
#include "platform/extended.h"

namespace plotix {

class TCallTable;

using TMathStringsArray = std::vector<std::string>;
using TMathValuesArray = std::vector<Extended>;

class TMathFunction {
 public:
  TMathFunction() = default;
  TMathFunction(const TMathFunction& other) { Assign(other); }
  TMathFunction& operator=(const TMathFunction& other) {
    Assign(other);
    return *this;
  }
  virtual ~TMathFunction() = default;

  // Copies everything but the evaluation state; the copy runs on its own variables.
  virtual void Assign(const TMathFunction& source);

  void SetExpression(const std::string& text);
  const std::string& Expression() const { return text_; }
  void SetVariableCount(int count);
  int VariableCount() const { return static_cast<int>(names_.size()); }
  void SetVariableName(int index, const std::string& name);
  const std::string& VariableName(int index) const { return names_[index]; }
  // A built-in name longer than a variable's wins over it (TAN over a variable T); by
  // default any variable does.
  bool LongestNameMatching() const { return longestName_; }
  void SetLongestNameMatching(bool on) {
    longestName_ = on;
    state_ = 0;
    error_ = meNone;
  }
  // Owners write a variable's value here before each evaluation.
  Extended& Value(int index) { return values_[index]; }

  // calls: the named definitions the text may call (see TCallTable); sharedFrom: the first
  // of this function's variables that callees share.
  bool Compile(TCallTable* calls = nullptr, int sharedFrom = 0);
  // The text with every call of `from`, one of the names the text reads as calls
  // (`callNames`), written as a call of `to`; the text itself where it makes no such call or
  // can not be read.
  std::string TextWithCallRenamed(const std::vector<std::string>& callNames, const std::string& from,
                                  const std::string& to) const;
  bool Evaluate() {
    if (state_ == 2 && hasVariables_) {
      error_ = static_cast<std::uint8_t>(evaluator_.Evaluate(*prepared_, values_.data(), result_));
      return error_ == meNone;
    }
    return EvaluateOther();
  }

  // Evaluates at `count` points: the variables of `slots` take xs[i], the others their
  // current values; one result (0 where undefined) and one error code per point, as
  // Evaluate would give them. Result() and ErrorCode() stay as they were.
  void EvaluateBatch(std::span<const int> slots, const Extended* xs, std::size_t count, Extended* results,
                     std::uint8_t* errors);
  // The compiled program made ready to run, for evaluators on other threads to share
  // (with values of their own); null unless compiled.
  std::shared_ptr<const TPreparedProgram> Prepared() const { return state_ == 2 ? prepared_ : nullptr; }

  Extended Result() const { return result_; }
  int ErrorCode() const { return error_; }
  int ErrorPosition() const { return errorPos_; }
  std::string GetErrorText() const { return MathErrorText(error_, errorPos_); }
  int State() const { return state_; }  // 0 not compiled, 1 failed, 2 compiled
  // Whether the compiled text calls a named definition.
  bool CallsOthers() const { return callsOthers_; }
  // The compiled program; empty unless compiled with variables.
  const TMathPostFixArray& Program() const { return program_.Records(); }

 private:
  void Fail(int code, int position);
  bool EvaluateOther();

  std::string text_;
  TMathStringsArray names_;
  TMathValuesArray values_;
  TMathProgram program_;
  std::shared_ptr<const TPreparedProgram> prepared_;  // shared by copies: it never changes
  TMathEvaluator evaluator_;
  std::uint8_t state_ = 0;
  Extended result_ = 0;
  bool hasVariables_ = false;
  bool longestName_ = false;
  bool callsOthers_ = false;
  std::uint8_t error_ = meNone;
  std::int32_t errorPos_ = 0;
};

}  // namespace plotix
