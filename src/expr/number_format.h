#pragma once
// Number texts: tick labels in the five formats, the short forms of the view dialogs
// and the status line, and angles reduced to one turn. Separators and the currency
// form come from the regional settings record.

#include <string>

#include "platform/extended.h"

namespace plotix {

// The platform's float-to-text forms (general, exponent, fixed, number with thousands
// separators, currency). precision: significant digits, at most 18; digits: decimals
// for fixed, number and currency, the minimum exponent digits (0..4) for exponent.
enum class TFloatForm { General, Exponent, Fixed, Number, Currency };
std::string FloatToStrF(Extended value, TFloatForm form, int precision, int digits);

// Tick label number formats; also their index in the format lists.
enum TNumberFormat : int {
  nfMaxDecimal = 0,
  nfFixedDecimal = 1,
  nfScientific = 2,
  nfCurrencyMaxDec = 3,
  nfCurrencyFixedDec = 4,
};

// The five names in code order, as the format combo boxes list them.
extern const char* const kNumberFormatNames[5];

std::string FormatNumber(int code, bool commas, bool plus, int places, Extended value);

struct TFormatControls {
  bool commasAllowed;
  bool plusAllowed;
  std::string caption;  // "Decimal Places" or "Precision"
};
TFormatControls FormatControls(int code);

int DefaultPlaces(int code);

// Trailing-zero trimming of fixed texts (also used by the status line texts).
std::string TrimZeros(std::string text);

// Fixed text in a field: decimals and width as printf's "%*.*Lf", then trimmed.
std::string TrimmedFixed(Extended value, int width, int decimals);

std::string ShortFixed(Extended value);   // 15 decimals in a field of 15, trimmed
std::string ShortFixed6(Extended value);  // 6 decimals in a field of 8, trimmed

// The general float-to-text form with 15 significant digits.
std::string GeneralText(Extended value);

// Read-outs of computed values (tables, the trace, analysis results): the shortest decimal
// that reads back as the same 80-bit value ("0.1", not "0.100000000000000000001"), rounded to
// `digits` significant digits when it has more. Fixed while the value is at least 0.00001 and
// its integer digits fit `digits`, else as "1.5e-07"; "." as decimal point; -0 reads "0".
// Twenty-one digits tell every 80-bit value apart, so kMaxDigitsShown is the exact form.
constexpr int kMinDigitsShown = 6;
constexpr int kMaxDigitsShown = 21;
constexpr int kDefaultDigitsShown = 15;
std::string ReadoutText(Extended value, int digits = kMaxDigitsShown);

Extended AngleReduce(Extended value);
// The angle in degrees moved into [0, 360).
Extended AngleInTurn(Extended value);
std::string AngleText(Extended value);
std::string AngleText360(Extended value);
// A plain decimal number (no expression), reduced into [0, 360).
bool ParseAngle(const std::string& text, Extended& value);

}  // namespace plotix
