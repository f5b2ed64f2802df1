#pragma once
// A table of values of a 2D graph's y = f(x) functions and their derivative and integral
// curves: x from a start in even steps to an end, a column per function, and the table as
// text to copy or to save as CSV.

#include <optional>
#include <string>
#include <vector>

#include "cartesian/cartesian_document.h"

namespace plotix {

constexpr int kMaxTableRows = 100000;

struct TValueTable {
  std::vector<Extended> xs;
  std::vector<std::string> headers;  // "x", then each function's name (a derived curve's list text)
  std::vector<std::vector<std::optional<Extended>>> columns;  // nothing where undefined
};

// The functions a table may have a column of, as indexes into the graph's list: the y = f(x)
// functions and derived curves that compile.
std::vector<int> TableFunctions(const TGraph2DDoc& doc);
// x = from + k * step for every k that keeps x at most `to` (plus rounding); false with the
// reason when the step is not above 0, `to` is below `from`, or the table would have more
// than kMaxTableRows rows.
bool MakeValueTable(const TGraph2DDoc& doc, const std::vector<int>& functions, Extended from, Extended to,
                    Extended step, TValueTable& table, std::string& error);

// The table a line per row, the cells separated by `separator` (the header first); numbers
// in their shortest exact form with the decimal separator given, an empty cell where a function
// is undefined. CSV: the separator is ',' unless the decimal separator is ',', then ';'.
std::string ValueTableText(const TValueTable& table, char separator, char decimalSeparator);
char CsvSeparator(char decimalSeparator);

}  // namespace plotix
