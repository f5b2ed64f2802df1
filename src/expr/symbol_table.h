#pragma once
// Every name the compiler knows, in one table: the owner's variables and the definitions
// it may call first, then the built-ins (brackets and operators, the 42 functions, PI and E). At a position in the
// text the compiler asks for the longest name that starts there, looking at the
// variables before the built-ins, so a variable named E hides EXP.

#include <string>
#include <vector>

#include "expr/postfix_program.h"

namespace plotix {

enum class TSymbolKind { Bracket, Operator, Function, Constant, Variable, Call };

struct TSymbol {
  std::string name;  // upper case
  TSymbolKind kind;
  std::int32_t code;          // the token code; mcVariable for a variable
  std::int32_t varIndex = 0;  // a variable's slot; a call's callee
  Extended value = 0;         // a constant's value
};

// A name as the compiler reads it: ASCII letters in upper case.
std::string UpperCaseName(std::string name);

// The names of the built-in functions and constants, upper case.
std::vector<std::string> BuiltInNames();

class TSymbolTable {
 public:
  // The built-ins, the given variables and the names of the definitions that may be called
  // (upper case; an empty name is never matched). longestName: a longer built-in wins over a
  // variable or call, so that a variable T leaves TAN, TANH and TRUNC whole; else any
  // variable or call wins, as the graph kinds' names always did.
  explicit TSymbolTable(const std::vector<std::string>& variableNames, bool longestName = false,
                        const std::vector<std::string>& callNames = {});

  // The symbol whose name is the longest one starting at `at` among the variables and
  // calls, or else among the built-ins (with longestName: among all, a variable or call
  // before a built-in of the same length); null when no name starts there. Among equal
  // names the one added first wins.
  const TSymbol* Match(const std::u32string& text, std::size_t at) const;

 private:
  static const TSymbol* Longest(const std::vector<TSymbol>& symbols, const std::u32string& text, std::size_t at);

  std::vector<TSymbol> variables_;  // and the calls
  bool longestName_;
};

}  // namespace plotix
