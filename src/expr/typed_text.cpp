#include "expr/typed_text.h"

#include <cctype>

namespace plotix {

std::vector<std::string> TopLevelParts(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  int depth = 0;
  for (const char c : text) {
    depth += c == '(' ? 1 : c == ')' ? -1 : 0;
    if (c == separator && depth == 0)
      parts.emplace_back();
    else
      parts.back() += c;
  }
  for (std::string& part : parts) part = Trimmed(part);
  return parts;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Squeezed(const std::string& text) {
  std::string squeezed;
  for (const char c : text)
    if (c != ' ') squeezed += char(std::tolower(static_cast<unsigned char>(c)));
  return squeezed;
}

}  // namespace plotix
