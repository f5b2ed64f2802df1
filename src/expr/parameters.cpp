#include "expr/parameters.h"

#include <algorithm>
#include <cmath>

#include "expr/function_object.h"
#include "expr/math_codes.h"
#include "expr/symbol_table.h"
#include "platform/message_box.h"

namespace plotix {

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

TParameterHost* host = nullptr;

}  // namespace

std::string ParameterNameError(const std::string& name, const TParameterList& list) {
  if (name.empty() || name.size() > std::size_t(kMaxParameterName) || !IsLetter(name[0]) ||
      !std::all_of(name.begin(), name.end(), [](char c) { return IsLetter(c) || IsDigit(c); }))
    return "A Parameter Name Is 1 To " + std::to_string(kMaxParameterName) +
           " Letters And Digits, Starting With A Letter";
  const std::string upper = UpperCaseName(name);
  const std::vector<std::string> builtIns = BuiltInNames();
  for (const char* variable : {"X", "Y", "Z", "T", "THETA"})
    if (upper == variable) return name + " Is The Name Of A Variable";
  if (std::find(builtIns.begin(), builtIns.end(), upper) != builtIns.end()) return name + " Is A Built-In Name";
  for (const TParameter& p : list)
    if (UpperCaseName(p.Name) == upper) return "A Parameter Named " + p.Name + " Exists Already";
  return {};
}

std::string ParameterRangeError(const TParameter& p) {
  if (!(p.From < p.To)) return "From must be < To";
  if (!(p.Step > 0) || p.Step > p.To - p.From) return "Step must be > 0 and <= To - From";
  return {};
}

int ParameterSteps(const TParameter& p) {
  return int(std::min<Extended>(std::ceil((p.To - p.From) / p.Step - 1e-9L), 1000000));
}

Extended ParameterValueAt(const TParameter& p, int step) { return std::min(p.To, p.From + step * p.Step); }

bool OfferParameter(const std::string& text, int code, int position) {
  if (!host || code != meUnknownSymbol || position < 1 || std::size_t(position) > text.size()) return false;
  const std::size_t at = std::size_t(position - 1);
  std::size_t end = at;
  while (end < text.size() && (IsLetter(text[end]) || IsDigit(text[end]))) ++end;
  const std::string name = text.substr(at, end - at);
  if (!ParameterNameError(name, host->Parameters()).empty() || host->Parameters().size() >= std::size_t(kMaxParameters))
    return false;
  if (ShowMessage(TMsgKind::Confirmation, "Unknown Symbol " + name + ". Make It A Parameter Of This Graph?",
                  TMsgButtons::YesNo) != TMsgAnswer::Yes)
    return false;
  TParameter parameter;
  parameter.Name = name;
  host->AddParameter(parameter);
  return true;
}

TParameterHost* ParameterHost() { return host; }

TParameterHostScope::TParameterHostScope(TParameterHost* h) : previous_(host) { host = h; }

TParameterHostScope::~TParameterHostScope() { host = previous_; }

// ---- definitions that read the parameters ------------------------------------

bool TMathGraphFunc::UseParameters(const TParameterList& parameters) {
  if (ownVariables_ < 0) {
    ownVariables_ = VariableCount();
    ownLongest_ = LongestNameMatching();
  }
  const int count = ownVariables_ + int(parameters.size());
  bool renamed = VariableCount() != count;
  for (std::size_t i = 0; !renamed && i < parameters.size(); ++i)
    renamed = VariableName(ownVariables_ + int(i)) != UpperCaseName(parameters[i].Name);
  if (renamed) {
    SetVariableCount(count);
    for (std::size_t i = 0; i < parameters.size(); ++i) SetVariableName(ownVariables_ + int(i), parameters[i].Name);
    // A parameter s leaves SIN whole.
    SetLongestNameMatching(ownLongest_ || !parameters.empty());
    if (!Expression().empty()) Compile();
  }
  for (std::size_t i = 0; i < parameters.size(); ++i) Value(ownVariables_ + int(i)) = parameters[i].Value;
  return State() == 2;
}

}  // namespace plotix
