#pragma once
// The compiler: from the text of a definition to a postfix program, through the token
// reader, the checks of brackets and operators, the rewriting of signs and implicit
// products, the conversion to postfix by precedence and the folding of constant parts.

#include <string>

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
};

TCompiled CompileExpression(const std::string& text, const TSymbolTable& symbols);

}  // namespace plotix
