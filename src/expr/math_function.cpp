#include "expr/math_function.h"

#include <algorithm>
#include <new>

#include "expr/compiler.h"
#include "expr/symbol_table.h"
#include "expr/token_reader.h"

namespace plotix {

void TMathFunction::Assign(const TMathFunction& source) {
  if (this == &source) return;
  text_ = source.text_;
  names_ = source.names_;
  values_ = source.values_;
  program_ = source.program_;
  prepared_ = source.prepared_;
  state_ = source.state_;
  result_ = source.result_;
  hasVariables_ = source.hasVariables_;
  longestName_ = source.longestName_;
  callsOthers_ = source.callsOthers_;
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
  names_[static_cast<std::size_t>(index)] = UpperCaseName(name);
}

void TMathFunction::Fail(int code, int position) {
  state_ = 1;
  error_ = static_cast<std::uint8_t>(code);
  errorPos_ = position;
  result_ = 0;
  hasVariables_ = false;
  program_ = {};
  prepared_.reset();
}

bool TMathFunction::Compile(TCallTable* calls, int sharedFrom) {
  result_ = 0;
  hasVariables_ = false;
  callsOthers_ = false;
  error_ = meNone;
  errorPos_ = 0;
  try {
    const TSymbolTable symbols(names_, longestName_, calls ? calls->CallNames() : std::vector<std::string>());
    TCompiled compiled = CompileExpression(text_, symbols, calls, sharedFrom);
    if (compiled.error != meNone) {
      Fail(compiled.error, compiled.position);
      return false;
    }
    callsOthers_ = compiled.callsOthers;
    prepared_ = std::make_shared<const TPreparedProgram>(compiled.program);
    hasVariables_ = compiled.usesVariables;
    if (hasVariables_) {
      program_ = std::move(compiled.program);
    } else {
      result_ = compiled.program.Records()[0].value;
      program_ = {};
    }
  } catch (const std::bad_alloc&) {
    Fail(meOutOfMemory, 0);
    return false;
  }
  state_ = 2;
  return true;
}

namespace {

// The records of the text as read with the names, the calls of `name` among them; none when it
// can not be read.
TTokenTable CallsOf(const std::string& text, const TMathStringsArray& names, bool longest,
                    const std::vector<std::string>& callNames, const std::string& name, std::vector<int>& calls) {
  std::vector<std::string> upper;  // as the symbol table matches them
  for (const std::string& c : callNames) upper.push_back(UpperCaseName(c));
  try {
    TTokenTable tokens = ReadTokens(DecodeUtf8(text), TSymbolTable(names, longest, upper));
    for (std::size_t i = 0; i < tokens.size(); ++i)
      if (tokens[i].code == mcCall && upper[std::size_t(tokens[i].varIndex)] == UpperCaseName(name))
        calls.push_back(tokens[i].position);
    return tokens;
  } catch (const TCompileError&) {
    return {};
  }
}

}  // namespace

std::string TMathFunction::TextWithCallRenamed(const std::vector<std::string>& callNames, const std::string& from,
                                               const std::string& to) const {
  std::vector<int> positions;  // 1-based characters of the typed text
  const TTokenTable before = CallsOf(text_, names_, longestName_, callNames, from, positions);
  if (positions.empty()) return text_;
  // Names are ASCII: each call starts at the byte where the characters before it end.
  std::string text;
  std::size_t byte = 0;
  for (const int position : positions) {
    std::size_t at = byte;
    while (DecodeUtf8(text_.substr(0, at)).size() < std::size_t(position - 1)) ++at;
    text += text_.substr(byte, at - byte) + to;
    byte = at + from.size();
  }
  text += text_.substr(byte);
  // The new name must not run into the letters around it (a·f(x) as "af(x)" renamed to b,
  // with a parameter ab): the text must read as before, call for call.
  std::vector<std::string> renamed = callNames;
  for (std::string& name : renamed)
    if (UpperCaseName(name) == UpperCaseName(from)) name = to;
  std::vector<int> calls;
  const TTokenTable after = CallsOf(text, names_, longestName_, renamed, to, calls);
  return after.size() == before.size() && calls.size() == positions.size() ? text : text_;
}

void TMathFunction::EvaluateBatch(std::span<const int> slots, const Extended* xs, std::size_t count, Extended* results,
                                  std::uint8_t* errors) {
  if (state_ != 2) {
    std::fill(results, results + count, 0);
    std::fill(errors, errors + count, meUnknown);
    return;
  }
  evaluator_.EvaluateBatch(*prepared_, values_.data(), slots, xs, count, results, errors);
}

bool TMathFunction::EvaluateOther() {
  if (state_ != 2) {
    if (state_ == 0) error_ = meUnknown;  // a failed compile keeps its error for the function list
    result_ = 0;
    return false;
  }
  error_ = meNone;
  return true;  // no variables: the result computed at compile time stands
}

}  // namespace plotix
