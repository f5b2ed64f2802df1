#include "expr/symbol_table.h"

#include <cmath>

#include "expr/function_library.h"

namespace plotix {

namespace {

std::vector<TSymbol> MakeBuiltIns() {
  static const char* const kNames[] = {
      "(",         ")",         "+",          "-",          "*",       "/",       "^",       "DEGTORAD", "RADTODEG",
      "GRADTORAD", "RADTOGRAD", "CYCLETORAD", "RADTOCYCLE", "ARCSINH", "ARCCOSH", "ARCTANH", "ARCCSCH",  "ARCSECH",
      "ARCCOTH",   "ARCSIN",    "ARCCOS",     "ARCTAN",     "ARCCSC",  "ARCSEC",  "ARCCOT",  "SINH",     "COSH",
      "TANH",      "CSCH",      "SECH",       "COTH",       "SIN",     "COS",     "TAN",     "CSC",      "SEC",
      "COT",       "EXP",       "GRINT",      "INT",        "SQRT",    "SQUARE",  "TRUNC",   "ROUND",    "FRAC",
      "ABS",       "LN",        "LOG",        "FACT",       "PI",      "E"};
  static_assert(sizeof(kNames) / sizeof(kNames[0]) == mcE);
  std::vector<TSymbol> symbols;
  for (int code = 1; code <= mcE; ++code) {
    const TSymbolKind kind = code <= mcClose    ? TSymbolKind::Bracket
                             : IsBinary(code)   ? TSymbolKind::Operator
                             : IsFunction(code) ? TSymbolKind::Function
                                                : TSymbolKind::Constant;
    TSymbol s{kNames[code - 1], kind, code};
    if (code == mcPi) s.value = mathlib::kPi;
    if (code == mcE) s.value = expl(1.0L);
    symbols.push_back(s);
  }
  return symbols;
}

const std::vector<TSymbol>& BuiltIns() {
  static const std::vector<TSymbol> symbols = MakeBuiltIns();
  return symbols;
}

bool MatchAt(const std::u32string& text, std::size_t at, const std::string& name) {
  if (name.empty() || at + name.size() > text.size()) return false;
  for (std::size_t k = 0; k < name.size(); ++k)
    if (text[at + k] != static_cast<unsigned char>(name[k])) return false;
  return true;
}

}  // namespace

std::string UpperCaseName(std::string name) {
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return name;
}

std::vector<std::string> BuiltInNames() {
  std::vector<std::string> names;
  for (const TSymbol& s : BuiltIns())
    if (s.kind == TSymbolKind::Function || s.kind == TSymbolKind::Constant) names.push_back(s.name);
  return names;
}

TSymbolTable::TSymbolTable(const std::vector<std::string>& variableNames, bool longestName,
                           const std::vector<std::string>& callNames)
    : longestName_(longestName) {
  for (std::size_t i = 0; i < variableNames.size(); ++i)
    variables_.push_back({variableNames[i], TSymbolKind::Variable, mcVariable, static_cast<std::int32_t>(i)});
  for (std::size_t i = 0; i < callNames.size(); ++i)
    variables_.push_back({callNames[i], TSymbolKind::Call, mcCall, static_cast<std::int32_t>(i)});
}

const TSymbol* TSymbolTable::Longest(const std::vector<TSymbol>& symbols, const std::u32string& text, std::size_t at) {
  const TSymbol* best = nullptr;
  for (const TSymbol& s : symbols)
    if ((!best || s.name.size() > best->name.size()) && MatchAt(text, at, s.name)) best = &s;
  return best;
}

const TSymbol* TSymbolTable::Match(const std::u32string& text, std::size_t at) const {
  const TSymbol* variable = Longest(variables_, text, at);
  if (variable && !longestName_) return variable;
  const TSymbol* builtIn = Longest(BuiltIns(), text, at);
  return variable && (!longestName_ || !builtIn || variable->name.size() >= builtIn->name.size()) ? variable : builtIn;
}

}  // namespace plotix
