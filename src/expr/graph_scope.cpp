#include "expr/graph_scope.h"

#include <algorithm>

#include "expr/function_object.h"
#include "expr/symbol_table.h"
#include "platform/message_box.h"

namespace plotix {

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

TGraphHost* host = nullptr;

std::vector<std::string> HostFunctionNames(const TBaseFuncObj* edited) {
  std::vector<std::string> names;
  for (const TBaseFuncObj* f : host->Functions())
    if (f != edited) names.push_back(f->Name);
  return names;
}

}  // namespace

std::string DefaultFunctionName(int position) {
  static const char* const kFirst[] = {"f", "g", "h"};
  return position < 3 ? kFirst[position] : "f" + std::to_string(position - 2);
}

std::string FreeFunctionName(const std::vector<std::string>& functions, const TParameterList& parameters) {
  for (int i = 0;; ++i) {
    const std::string name = DefaultFunctionName(i);
    if (NameError(name, "Function", functions, parameters).empty()) return name;
  }
}

std::string NameError(const std::string& name, const char* kind, const std::vector<std::string>& functions,
                      const TParameterList& parameters) {
  if (name.empty() || name.size() > std::size_t(kMaxParameterName) || !IsLetter(name[0]) ||
      !std::all_of(name.begin(), name.end(), [](char c) { return IsLetter(c) || IsDigit(c); }))
    return std::string("A ") + kind + " Name Is 1 To " + std::to_string(kMaxParameterName) +
           " Letters And Digits, Starting With A Letter";
  const std::string upper = UpperCaseName(name);
  for (const char* variable : {"X", "Y", "Z", "T", "THETA"})
    if (upper == variable) return name + " Is The Name Of A Variable";
  const std::vector<std::string> builtIns = BuiltInNames();
  if (std::find(builtIns.begin(), builtIns.end(), upper) != builtIns.end()) return name + " Is A Built-In Name";
  for (const std::string& f : functions)
    if (UpperCaseName(f) == upper) return "A Function Named " + f + " Exists Already";
  for (const TParameter& p : parameters)
    if (UpperCaseName(p.Name) == upper) return "A Parameter Named " + p.Name + " Exists Already";
  return {};
}

TGraphScope::TGraphScope(TParameterList parameters, bool valuesOnly)
    : parameters_(std::move(parameters)), valuesOnly_(valuesOnly) {}

TGraphScope::~TGraphScope() = default;

void TGraphScope::AddCallable(const std::string& name, TMathGraphFunc& definition) {
  entries_.push_back({UpperCaseName(name), &definition});
}

void TGraphScope::AddCallableCopy(const std::string& name, const TMathGraphFunc& definition) {
  AddCallable(name, *copies_.emplace_back(std::make_unique<TMathGraphFunc>(definition)));
}

TGraphScope::TEntry* TGraphScope::Entry(const TMathGraphFunc& definition) {
  const auto entry =
      std::find_if(entries_.begin(), entries_.end(), [&](const TEntry& e) { return e.definition == &definition; });
  return entry == entries_.end() ? nullptr : &*entry;
}

bool TGraphScope::Compiles(const TMathGraphFunc& definition) {
  const TEntry* entry = Entry(definition);
  return !valuesOnly_ && (!entry || entry->state == TState::Waiting);
}

void TGraphScope::Compile(TMathGraphFunc& definition, int sharedFrom) {
  TEntry* entry = Entry(definition);
  if (!entry) {
    definition.Compile(this, sharedFrom);
    return;
  }
  entry->state = TState::Compiling;
  definition.Compile(this, sharedFrom);
  // Entries never move while compiling: nothing is added to a scope in use.
  entry->state = TState::Done;
}

std::vector<std::string> TGraphScope::CallNames() const {
  std::vector<std::string> names;
  names.reserve(entries_.size());
  for (const TEntry& e : entries_) names.push_back(e.name);
  return names;
}

int TGraphScope::Callee(int index, TMathPostFixArray& program, int& ownVariables) {
  TEntry& entry = entries_[std::size_t(index)];
  if (entry.state == TState::Compiling) return meCircularReference;
  TMathGraphFunc& callee = *entry.definition;
  if (entry.state == TState::Waiting) callee.UseNames(*this);
  if (callee.State() != 2) return callee.ErrorCode() != meNone ? callee.ErrorCode() : meUnknown;
  ownVariables = callee.OwnVariables();
  program = callee.Program();
  if (program.empty()) program = {TPostFixRec{mcNumber, 0, 0, callee.Result()}};
  return meNone;
}

std::unique_ptr<TGraphScope> CopiedScope(const std::vector<const TBaseFuncObj*>& functions,
                                         const TParameterList& parameters, const TBaseFuncObj* leftOut) {
  auto scope = std::make_unique<TGraphScope>(parameters);
  for (const TBaseFuncObj* f : functions)
    if (const TMathGraphFunc* callable = f->Callable(); callable && f != leftOut)
      scope->AddCallableCopy(f->Name, *callable);
  return scope;
}

std::vector<std::string> FunctionsUsing(const std::vector<const TBaseFuncObj*>& functions,
                                        const TParameterList& parameters, const TBaseFuncObj* removed,
                                        int removedParameter) {
  // Whether each function compiles, the removed ones compiled before and counted as failing
  // after.
  const auto compiles = [&](bool after) {
    TParameterList list = parameters;
    if (after && removedParameter >= 0) list.erase(list.begin() + removedParameter);
    std::vector<std::unique_ptr<TBaseFuncObj>> copies;
    for (const TBaseFuncObj* f : functions) copies.push_back(after && f == removed ? nullptr : f->Clone());
    TGraphScope scope(list);
    for (const auto& c : copies)
      if (TMathGraphFunc* callable = c ? c->Callable() : nullptr) scope.AddCallable(c->Name, *callable);
    std::vector<bool> compiled;
    for (const auto& c : copies) compiled.push_back(c && c->UseNames(scope));
    return compiled;
  };
  const std::vector<bool> before = compiles(false), after = compiles(true);
  std::vector<std::string> names;
  for (std::size_t i = 0; i < functions.size(); ++i)
    if (functions[i] != removed && before[i] && !after[i])
      names.push_back(functions[i]->Name.empty() ? functions[i]->GetDescription() : functions[i]->Name);
  return names;
}

TGraphHost* GraphHost() { return host; }

TGraphHostScope::TGraphHostScope(TGraphHost* h) : previous_(host) { host = h; }

TGraphHostScope::~TGraphHostScope() { host = previous_; }

std::string HostFunctionNameError(const std::string& name, const TBaseFuncObj* edited) {
  return host ? NameError(name, "Function", HostFunctionNames(edited), host->Parameters())
              : NameError(name, "Function", {}, {});
}

std::unique_ptr<TGraphScope> HostScope(const TBaseFuncObj* edited) {
  return host ? CopiedScope(host->Functions(), host->Parameters(), edited)
              : std::make_unique<TGraphScope>(TParameterList());
}

bool OfferParameter(const std::string& text, int code, int position) {
  if (!host || code != meUnknownSymbol || position < 1 || std::size_t(position) > text.size()) return false;
  const std::size_t at = std::size_t(position - 1);
  std::size_t end = at;
  while (end < text.size() && (IsLetter(text[end]) || IsDigit(text[end]))) ++end;
  const std::string name = text.substr(at, end - at);
  // A name followed by "(" is a call of a function the graph lacks.
  const std::size_t next = text.find_first_not_of(' ', end);
  if (next != std::string::npos && text[next] == '(') return false;
  if (!NameError(name, "Parameter", HostFunctionNames(nullptr), host->Parameters()).empty() ||
      host->Parameters().size() >= std::size_t(kMaxParameters))
    return false;
  if (ShowMessage(TMsgKind::Confirmation, "Unknown Symbol " + name + ". Make It A Parameter Of This Graph?",
                  TMsgButtons::YesNo) != TMsgAnswer::Yes)
    return false;
  TParameter parameter;
  parameter.Name = name;
  host->AddParameter(parameter);
  return true;
}

// ---- the functions' definitions ------------------------------------------------

bool TBaseFuncObj::UseNames(TGraphScope& scope) {
  bool all = true;
  for (const TMathGraphFunc* d : Definitions()) all = const_cast<TMathGraphFunc*>(d)->UseNames(scope) && all;
  return all;
}

std::string TBaseFuncObj::ErrorText() const {
  for (const TMathGraphFunc* d : Definitions())
    if (d->State() != 2) return d->GetErrorText();
  return {};
}

void TBaseFuncObj::FunctionRenamed(const std::vector<std::string>& callNames, const std::string& from,
                                   const std::string& to) {
  for (const TMathGraphFunc* d : Definitions()) {
    auto* definition = const_cast<TMathGraphFunc*>(d);
    const std::string text = definition->TextWithCallRenamed(callNames, from, to);
    if (text != definition->Expression()) definition->SetExpression(text);
  }
}

bool TBaseFuncObj::CallsOthers() const {
  const std::vector<const TMathGraphFunc*> definitions = Definitions();
  return std::any_of(definitions.begin(), definitions.end(), [](const auto* d) { return d->CallsOthers(); });
}

// ---- definitions that read the graph's names -----------------------------------

bool TMathGraphFunc::UseNames(TGraphScope& scope) {
  const TParameterList& parameters = scope.Parameters();
  if (ownVariables_ < 0) {
    ownVariables_ = VariableCount();
    ownLongest_ = LongestNameMatching();
  }
  if (scope.Compiles(*this)) {
    SetVariableCount(ownVariables_ + int(parameters.size()));
    for (std::size_t i = 0; i < parameters.size(); ++i) SetVariableName(ownVariables_ + int(i), parameters[i].Name);
    // A parameter s leaves SIN whole, a function named sine does not take SIN.
    SetLongestNameMatching(ownLongest_ || !parameters.empty() || scope.HasCalls());
    scope.Compile(*this, ownVariables_);
  }
  for (std::size_t i = 0; i < parameters.size(); ++i) Value(ownVariables_ + int(i)) = parameters[i].Value;
  return State() == 2;
}

}  // namespace plotix
