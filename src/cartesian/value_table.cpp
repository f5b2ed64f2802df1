#include "cartesian/value_table.h"

#include <cmath>

#include "cartesian/function_kinds.h"
#include "expr/number_format.h"

namespace plotix {

namespace {

std::string Number(Extended v, char decimalSeparator) {
  std::string s = ReadoutText(v);
  for (char& c : s)
    if (c == '.') c = decimalSeparator;
  return s;
}

}  // namespace

bool MakeValueTable(const TGraph2DDoc& doc, const std::vector<int>& functions, Extended from, Extended to,
                    Extended step, TValueTable& table, std::string& error) {
  table = {};
  if (!(step > 0)) {
    error = "Error: Step must be > 0";
    return false;
  }
  if (to < from) {
    error = "Error: x From must be <= x To";
    return false;
  }
  // A last step short of `to` only by rounding still counts.
  const Extended count = std::floor((to - from) / step * (1 + 1e-15L)) + 1;
  if (count > kMaxTableRows) {
    error = "Error: The Table Would Have More Than " + std::to_string(kMaxTableRows) + " Rows";
    return false;
  }
  for (int k = 0; k < int(count); ++k) table.xs.push_back(from + k * step);
  table.headers.push_back("x");
  for (const int i : functions) {
    const TBaseFunc2DObj& f = *doc.Functions()[std::size_t(i)];
    table.headers.push_back(f.Name.empty() ? f.GetDescription() : f.Name);
    table.columns.push_back(f.TableValues(table.xs));
  }
  return true;
}

std::vector<int> TableFunctions(const TGraph2DDoc& doc) { return FunctionsOffering(doc, &TFunctionOffers::table); }

std::string ValueTableText(const TValueTable& table, char separator, char decimalSeparator) {
  std::string text;
  for (std::size_t c = 0; c < table.headers.size(); ++c)
    text += (c ? std::string(1, separator) : "") + table.headers[c];
  text += '\n';
  for (std::size_t r = 0; r < table.xs.size(); ++r) {
    text += Number(table.xs[r], decimalSeparator);
    for (const auto& column : table.columns) {
      text += separator;
      if (column[r]) text += Number(*column[r], decimalSeparator);
    }
    text += '\n';
  }
  return text;
}

char CsvSeparator(char decimalSeparator) { return decimalSeparator == ',' ? ';' : ','; }

}  // namespace plotix
