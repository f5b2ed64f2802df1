#pragma once
// The token reader: turns the text as typed into records (numbers, variables, brackets,
// operators, functions) whose positions count characters of the typed text.

#include <string>

#include "expr/postfix_program.h"
#include "expr/symbol_table.h"

namespace plotix {

// A compile failure: an error code and the 1-based character position (0 for none).
struct TCompileError {
  int code;
  int position;
};

// The token table: refuses to grow beyond kMathTableSize records, which a text of
// kMaxExpressionLength characters never needs (TCompileError meOutOfMemory if it did).
class TTokenTable {
 public:
  TTokenTable() { recs_.reserve(kMathTableSize); }
  std::size_t size() const { return recs_.size(); }
  TPostFixRec& operator[](std::size_t i) { return recs_[i]; }
  void push_back(const TPostFixRec& r);
  void insert(std::size_t at, const TPostFixRec& r);
  void erase(std::size_t at) { recs_.erase(recs_.begin() + static_cast<std::ptrdiff_t>(at)); }

 private:
  TMathPostFixArray recs_;
};

TPostFixRec MakeRec(int code, int position, Extended value = 0);

// Characters as the user counts them: a UTF-8 sequence is one character, a stray byte too.
std::u32string DecodeUtf8(const std::string& s);

// Reads the typed text (at most kMaxExpressionLength characters): spaces dropped,
// [ and { read as (, ] and } as ), letters in any case. Throws TCompileError for an
// empty text, an illegal character, a malformed number or an unknown name.
TTokenTable ReadTokens(const std::u32string& typed, const TSymbolTable& symbols);

}  // namespace plotix
