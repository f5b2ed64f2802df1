#pragma once
// The compiler: from the text of a definition to a postfix program, through the token
// reader, the checks of brackets and operators, the rewriting of signs and implicit
// products, the conversion to postfix by precedence and the folding of constant parts.

#include <string>
#include <vector>

#include "expr/postfix_program.h"
#include "expr/symbol_table.h"

namespace plotix {

struct TCompiled {
  int error = meNone;
  int position = 0;  // 1-based character of the typed text where the error was found; 0 for none
  // With variables: the program, its constant parts folded. Without: one number record
  // holding the value, computed with the fix-up in force.
  TMathProgram program;
  bool usesVariables = false;
  bool callsOthers = false;  // the text calls a named definition
};

// The named definitions a text may call. A call is compiled by putting the callee's program
// in its place, its argument wherever the callee reads its own variable, so a compiled
// program never refers to another one.
class TCallTable {
 public:
  virtual ~TCallTable() = default;
  // The names that may be called, upper case; a call's record holds its index here.
  virtual std::vector<std::string> CallNames() const = 0;
  // The program of callee `index`: its slots below ownVariables are its own variable (under
  // each of its names), the ones from there up those every definition of the graph shares
  // (its parameters), in their order. Returns meNone, or the error that keeps the callee
  // from being called (meCircularReference when it is being compiled already: a call back
  // into the caller).
  virtual int Callee(int index, TMathPostFixArray& program, int& ownVariables) = 0;
};

// calls: the definitions the text may call; sharedFrom: the first of the caller's slots
// that callees share.
TCompiled CompileExpression(const std::string& text, const TSymbolTable& symbols, TCallTable* calls = nullptr,
                            int sharedFrom = 0);

}  // namespace plotix
