#include "expr/math_codes.h"

namespace plotix {

std::string MathErrorText(int code, int position) {
  static const char* const kTexts[] = {
      "No Error",
      "Empty Expression",
      "Expressions May Not Be Longer Than 1000 Characters",
      "Illegal Char",
      "Expression Syntax Error",
      "Invalid Numeric Floating Point Number",
      "Invalid Parentheses Grouping",
      "Function Not Followed by Open Parentheses Character",
      "Unknown Symbol",
      "Out of Memory",
      "Unknown Exception",
      "Division by Zero",
      "Invalid Function Domain",
      "Invalid Exponential",
      "Factorial to Big",
      "Floating Point Over Flow",
      "Floating Point Under Flow",
      "Invalid Floating Point Operation",
      "Circular Reference",
  };
  std::string text = code >= 0 && code <= meCircularReference ? kTexts[code] : "Undetermined Error";
  if (position >= 1) text += " at Character " + std::to_string(position);
  return text;
}

}  // namespace plotix
