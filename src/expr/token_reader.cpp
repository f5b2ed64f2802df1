#include "expr/token_reader.h"

#include <charconv>
#include <vector>

namespace plotix {

void TTokenTable::push_back(const TPostFixRec& r) {
  if (recs_.size() >= kMathTableSize) throw TCompileError{meOutOfMemory, 0};
  recs_.push_back(r);
}

void TTokenTable::insert(std::size_t at, const TPostFixRec& r) {
  if (recs_.size() >= kMathTableSize) throw TCompileError{meOutOfMemory, 0};
  recs_.insert(recs_.begin() + static_cast<std::ptrdiff_t>(at), r);
}

TPostFixRec MakeRec(int code, int position, Extended value) {
  TPostFixRec r;
  r.code = code;
  r.position = position;
  r.value = value;
  return r;
}

std::u32string DecodeUtf8(const std::string& s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = s[i];
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + extra >= s.size()) {
      out.push_back(c);
      ++i;
      continue;
    }
    char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      const unsigned char cc = s[i + k];
      if ((cc & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok) {
      out.push_back(c);
      ++i;
      continue;
    }
    out.push_back(cp);
    i += extra + 1;
  }
  return out;
}

namespace {

bool IsAllowed(char32_t c) {
  return c == '(' || c == ')' || c == '*' || c == '+' || c == '-' || c == '.' || c == '/' || c == '^' ||
         (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
}

bool IsNumberChar(char32_t c) { return (c >= '0' && c <= '9') || c == '.'; }

// The longest run of digits and dots at `at`, as a number record. There is no exponent
// notation: 2E3 is 2 times e times 3.
TPostFixRec ReadNumber(const std::u32string& work, std::size_t& at, int position) {
  std::string run;
  int digits = 0, dots = 0;
  for (; at < work.size() && IsNumberChar(work[at]); ++at) {
    run.push_back(static_cast<char>(work[at]));
    (work[at] == '.' ? dots : digits)++;
  }
  Extended v = 0;
  if (digits == 0 || dots > 1) throw TCompileError{meBadNumber, position};
  const auto res = std::from_chars(run.data(), run.data() + run.size(), v, std::chars_format::fixed);
  if (res.ec != std::errc() || res.ptr != run.data() + run.size()) throw TCompileError{meBadNumber, position};
  return MakeRec(mcNumber, position, v);
}

}  // namespace

TTokenTable ReadTokens(const std::u32string& typed, const TSymbolTable& symbols) {
  // The working text, and the 1-based position in the typed text of each of its characters.
  std::u32string work;
  std::vector<int> origin;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    char32_t c = typed[i];
    if (c == ' ') continue;
    if (c == '[' || c == '{')
      c = '(';
    else if (c == ']' || c == '}')
      c = ')';
    else if (c >= 'a' && c <= 'z')
      c = c - 'a' + 'A';
    work.push_back(c);
    origin.push_back(static_cast<int>(i) + 1);
  }
  if (work.empty()) throw TCompileError{meEmpty, 0};
  for (std::size_t i = 0; i < work.size(); ++i)
    if (!IsAllowed(work[i])) throw TCompileError{meIllegalChar, origin[i]};

  TTokenTable tokens;
  for (std::size_t i = 0; i < work.size();) {
    const int pos = origin[i];
    if (IsNumberChar(work[i])) {
      tokens.push_back(ReadNumber(work, i, pos));
      continue;
    }
    const TSymbol* s = symbols.Match(work, i);
    if (!s) throw TCompileError{meUnknownSymbol, pos};
    TPostFixRec r = MakeRec(s->kind == TSymbolKind::Constant ? mcNumber : s->code, pos, s->value);
    r.varIndex = s->varIndex;
    tokens.push_back(r);
    i += s->name.size();
  }
  return tokens;
}

}  // namespace plotix
