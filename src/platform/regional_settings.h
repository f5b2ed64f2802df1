#pragma once
// Regional settings for number texts: the engine reads them, the application fills
// them from the system locale at start-up, tests set them explicitly.

#include <string>

namespace plotix {

struct TRegionalSettings {
  char decimalSeparator = '.';
  std::string thousandSeparator = ",";  // may be empty or a multi-byte character
  std::string currencyString = "$";
  // Position of the currency string: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
  int currencyFormat = 0;
  // Negative currency pattern: 0 "($1)", 1 "-$1", 2 "$-1", 3 "$1-", 4 "(1$)", 5 "-1$",
  // 6 "1-$", 7 "1$-", 8 "-1 $", 9 "-$ 1", 10 "1 $-", 11 "$ 1-", 12 "$ -1", 13 "1- $",
  // 14 "($ 1)", 15 "(1 $)".
  int negCurrFormat = 1;
};

TRegionalSettings& Regional();

}  // namespace plotix
