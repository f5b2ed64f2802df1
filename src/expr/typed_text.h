#pragma once
// The pieces a typed line of a function splits into, as the kinds' readers take them.

#include <string>
#include <vector>

namespace plotix {

// The parts of a typed text between the separators that stand outside every parenthesis,
// each without its surrounding spaces.
std::vector<std::string> TopLevelParts(const std::string& text, char separator);
std::string Trimmed(const std::string& text);
// The text without spaces, in lower case: how the left side of "f(x) = ..." is compared.
std::string Squeezed(const std::string& text);

}  // namespace plotix
