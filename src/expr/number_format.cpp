#include "expr/number_format.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/regional_settings.h"

namespace plotix {

namespace {

constexpr int kMaxPrecision = 18;  // significant digits an extended value carries reliably
constexpr int kMaxDecimals = 18;
constexpr int kNoDecimalLimit = INT_MAX / 2;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A value rounded to decimal digits: |value| = 0.digits * 10^point.
struct TDecimal {
  bool negative = false;
  std::string digits;  // no leading or trailing zeros; empty for zero
  int point = 0;
};

void StripZeros(TDecimal& d) {
  const auto first = d.digits.find_first_not_of('0');
  if (first == std::string::npos) {
    d.digits.clear();
    d.point = 0;
    return;
  }
  d.digits.erase(0, first);
  d.point -= static_cast<int>(first);
  d.digits.erase(d.digits.find_last_not_of('0') + 1);
}

// |a| correctly rounded to `count` significant digits (1..25).
TDecimal RoundSignificant(Extended a, int count) {
  char buf[64];
  const auto end = std::to_chars(buf, std::end(buf) - 1, a, std::chars_format::scientific, count - 1).ptr;
  *end = '\0';
  TDecimal d;
  char* e = std::find(buf, end, 'e');
  std::copy_if(buf, e, std::back_inserter(d.digits), IsDigit);
  d.point = static_cast<int>(std::strtol(e + 1, nullptr, 10)) + 1;
  StripZeros(d);
  return d;
}

// |a| correctly rounded to `decimals` decimals; the integer part is small.
TDecimal RoundDecimals(Extended a, int decimals) {
  std::string buf(static_cast<size_t>(decimals) + 48, '\0');
  const auto end = std::to_chars(buf.data(), buf.data() + buf.size(), a, std::chars_format::fixed, decimals).ptr;
  buf.resize(static_cast<size_t>(end - buf.data()));
  TDecimal d;
  const auto dot = buf.find('.');
  d.point = static_cast<int>(dot == std::string::npos ? buf.size() : dot);
  std::copy_if(buf.begin(), buf.end(), std::back_inserter(d.digits), IsDigit);
  StripZeros(d);
  return d;
}

// One correct rounding of the exact value to `precision` significant digits or to
// `decimals` decimals, whichever keeps fewer digits. A value that rounds to zero
// loses its sign.
TDecimal ToDecimal(Extended value, int precision, int decimals) {
  TDecimal d;
  const Extended a = fabsl(value);
  if (a != 0) {
    // 25 digits never round an extended up to the next power of ten, so this point is exact.
    const int point = RoundSignificant(a, 25).point;
    d = point + decimals >= precision ? RoundSignificant(a, precision) : RoundDecimals(a, decimals);
  }
  d.negative = std::signbit(value) && !d.digits.empty();
  return d;
}

char DigitAt(const TDecimal& d, int index) {
  return index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[static_cast<size_t>(index)] : '0';
}

// Fixed notation; digits beyond the rounded ones are zeros.
std::string FixedText(const TDecimal& d, int decimals, const std::string& thousands) {
  std::string text = d.negative ? "-" : "";
  const int intDigits = std::max(d.point, 1);
  for (int i = 0; i < intDigits; ++i) {
    text += d.point > 0 ? DigitAt(d, i) : '0';
    const int left = intDigits - 1 - i;
    if (left > 0 && left % 3 == 0) text += thousands;
  }
  if (decimals > 0) {
    text += Regional().decimalSeparator;
    for (int i = 0; i < decimals; ++i) text += DigitAt(d, d.point + i);
  }
  return text;
}

// "d.dddE-x": at least `mantissaDigits` digits (trailing zeros added), at least
// `exponentDigits` exponent digits, "+" on the exponent only if `signedExponent`.
std::string ScientificText(const TDecimal& d, int mantissaDigits, bool signedExponent, int exponentDigits) {
  std::string digits = d.digits.empty() ? "0" : d.digits;
  if (static_cast<int>(digits.size()) < mantissaDigits) digits.resize(static_cast<size_t>(mantissaDigits), '0');
  std::string text = d.negative ? "-" : "";
  text += digits[0];
  if (digits.size() > 1) {
    text += Regional().decimalSeparator;
    text.append(digits, 1);
  }
  const int exponent = d.digits.empty() ? 0 : d.point - 1;
  text += 'E';
  if (exponent < 0) {
    text += '-';
  } else if (signedExponent) {
    text += '+';
  }
  const std::string magnitude = std::to_string(std::abs(exponent));
  text.append(static_cast<size_t>(std::max(0, exponentDigits - static_cast<int>(magnitude.size()))), '0');
  return text + magnitude;
}

// The shortest text: fixed while the integer digits fit the precision and the value
// is at least 0.00001, scientific otherwise.
std::string GeneralForm(const TDecimal& d, int precision, int exponentDigits) {
  if (d.digits.empty()) return "0";
  if (d.point > precision || d.point < -4) return ScientificText(d, 0, false, exponentDigits);
  return FixedText(d, std::max(0, static_cast<int>(d.digits.size()) - d.point), "");
}

std::string CurrencyText(const std::string& amount, bool negative) {
  static const char* const kPositive[] = {"$1", "1$", "$ 1", "1 $"};
  static const char* const kNegative[] = {"($1)", "-$1",  "$-1",  "$1-",  "(1$)", "-1$",  "1-$",   "1$-",
                                          "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
  const TRegionalSettings& r = Regional();
  const int index = negative ? r.negCurrFormat : r.currencyFormat;
  const int count = negative ? static_cast<int>(std::size(kNegative)) : static_cast<int>(std::size(kPositive));
  const char* pattern = (negative ? kNegative : kPositive)[index >= 0 && index < count ? index : 0];
  std::string text;
  for (const char* p = pattern; *p; ++p) {
    if (*p == '$') {
      text += r.currencyString;
    } else if (*p == '1') {
      text += amount;
    } else {
      text += *p;
    }
  }
  return text;
}

// A decimal separator at `pos` with no decimals left after it.
void SettleSeparator(std::string& text, size_t pos) {
  if (text.size() == 1) {
    text = "0";
  } else if (pos > 0 && IsDigit(text[pos - 1])) {
    text.erase(pos, 1);
  } else {
    text[pos] = '0';
  }
}

// Digits, all of them zeros: a value that rounded to zero.
bool IsZeroText(std::string_view text) {
  return text.find_first_of("0123456789") != std::string_view::npos &&
         text.find_first_of("123456789") == std::string_view::npos;
}

bool HasExponent(std::string_view text) { return text.find_first_of("Ee") != std::string_view::npos; }

// Trailing zeros of the amount inside a currency text, wherever the symbol stands.
std::string TrimCurrency(std::string text) {
  const char sep = Regional().decimalSeparator;
  std::erase(text, ' ');
  const auto isMark = [sep](char c) { return IsDigit(c) || c == sep; };
  const auto firstIt = std::find_if(text.begin(), text.end(), isMark);
  if (firstIt != text.end()) {
    const size_t first = static_cast<size_t>(firstIt - text.begin());
    size_t last = static_cast<size_t>(std::find_if(text.rbegin(), text.rend(), isMark).base() - text.begin()) - 1;
    // Only the amount is searched for an exponent: a currency symbol may hold an "E".
    const std::string_view amount(text.data() + first, last - first + 1);
    if (!HasExponent(amount) && std::count(text.begin(), text.end(), sep) == 1) {
      while (last > first && text[last] == '0') text.erase(last--, 1);
    }
    if (text[last] == sep) SettleSeparator(text, last);
  }
  return text.empty() ? "0" : text;
}

std::string FieldText(Extended value, int width, int decimals) {
  decimals = std::max(decimals, 0);
  std::string text;
  if (std::isnan(value)) {
    text = "NAN";
  } else if (std::isinf(value)) {
    text = value < 0 ? "-INF" : "INF";
  } else {
    text = FixedText(ToDecimal(value, kMaxPrecision, decimals), decimals, "");
  }
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
  return text;
}

}  // namespace

std::string FloatToStrF(Extended value, TFloatForm form, int precision, int digits) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  precision = std::clamp(precision, 1, kMaxPrecision);
  switch (form) {
    case TFloatForm::General:
      return GeneralForm(ToDecimal(value, precision, kNoDecimalLimit), precision, std::clamp(digits, 0, 4));
    case TFloatForm::Exponent:
      return ScientificText(ToDecimal(value, precision, kNoDecimalLimit), precision, true, std::clamp(digits, 0, 4));
    case TFloatForm::Fixed:
    case TFloatForm::Number:
    case TFloatForm::Currency: break;
  }
  digits = std::clamp(digits, 0, kMaxDecimals);
  TDecimal d = ToDecimal(value, precision, digits);
  if (d.point > precision) return GeneralForm(d, precision, 0);
  if (form == TFloatForm::Fixed) return FixedText(d, digits, "");
  const std::string& thousands = Regional().thousandSeparator;
  if (form == TFloatForm::Number) return FixedText(d, digits, thousands);
  const bool negative = d.negative;
  d.negative = false;
  return CurrencyText(FixedText(d, digits, thousands), negative);
}

const char* const kNumberFormatNames[5] = {"Max Decimal", "Fixed Decimal", "Scientific", "Currency Max Dec",
                                           "Currency Fixed Dec"};

std::string FormatNumber(int code, bool commas, bool plus, int places, Extended value) {
  places = std::clamp(places, 0, kMaxDecimals);
  const TFloatForm fixedForm = commas ? TFloatForm::Number : TFloatForm::Fixed;
  std::string text;
  switch (code) {
    case nfMaxDecimal: text = TrimZeros(FloatToStrF(value, fixedForm, kMaxPrecision, places)); break;
    case nfFixedDecimal: text = FloatToStrF(value, fixedForm, kMaxPrecision, places); break;
    case nfScientific: text = FloatToStrF(value, TFloatForm::Exponent, places, 1); break;
    case nfCurrencyMaxDec: text = TrimCurrency(FloatToStrF(value, TFloatForm::Currency, kMaxPrecision, places)); break;
    case nfCurrencyFixedDec: text = FloatToStrF(value, TFloatForm::Currency, kMaxPrecision, places); break;
    default: text = FloatToStrF(value, TFloatForm::General, kMaxPrecision, 0); break;
  }
  if (text.empty()) text.assign(1, '0');
  const bool currency = code == nfCurrencyMaxDec || code == nfCurrencyFixedDec;
  // Negative texts carry their "-" already; a value that rounds to zero has no sign.
  if (plus && !currency && value > 0 && !IsZeroText(text)) text.insert(0, 1, '+');
  return text;
}

TFormatControls FormatControls(int code) {
  switch (code) {
    case nfScientific: return {false, true, "Precision"};
    case nfCurrencyMaxDec:
    case nfCurrencyFixedDec: return {false, false, "Decimal Places"};
    default: return {true, true, "Decimal Places"};
  }
}

int DefaultPlaces(int code) {
  switch (code) {
    case nfScientific: return 3;
    case nfCurrencyMaxDec:
    case nfCurrencyFixedDec: return 2;
    default: return 1;
  }
}

std::string TrimZeros(std::string text) {
  const char sep = Regional().decimalSeparator;
  std::erase(text, ' ');
  if (!HasExponent(text) && std::count(text.begin(), text.end(), sep) == 1) {
    while (text.back() == '0') text.pop_back();
  }
  if (!text.empty() && text.back() == sep) SettleSeparator(text, text.size() - 1);
  if (text.empty() || text == "+0" || text == "-0") return "0";
  return text;
}

std::string TrimmedFixed(Extended value, int width, int decimals) {
  return TrimZeros(FieldText(value, width, decimals));
}

std::string ShortFixed(Extended value) { return TrimmedFixed(value, 15, 15); }

std::string ShortFixed6(Extended value) { return TrimmedFixed(value, 8, 6); }

std::string GeneralText(Extended value) { return FloatToStrF(value, TFloatForm::General, 15, 0); }

std::string ReadoutText(Extended value, int digits) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  digits = std::clamp(digits, kMinDigitsShown, kMaxDigitsShown);
  // The shortest round trip first; only a longer one is rounded: rounding the exact value to
  // 21 digits would show digits the shortest form does without.
  char buf[48];
  *std::to_chars(buf, std::end(buf) - 1, fabsl(value), std::chars_format::scientific).ptr = '\0';
  if (std::count_if(buf, std::strchr(buf, 'e'), IsDigit) > digits)
    *std::to_chars(buf, std::end(buf) - 1, fabsl(value), std::chars_format::scientific, digits - 1).ptr = '\0';
  char* e = std::strchr(buf, 'e');
  TDecimal d;
  std::copy_if(buf, e, std::back_inserter(d.digits), IsDigit);
  d.point = static_cast<int>(std::strtol(e + 1, nullptr, 10)) + 1;
  StripZeros(d);
  const int size = static_cast<int>(d.digits.size());
  std::string text = value < 0 ? "-" : "";
  if (d.point > digits || d.point < -4) {
    text += d.digits[0];
    if (size > 1) text += "." + d.digits.substr(1);
    char exponent[16];
    std::snprintf(exponent, sizeof exponent, "e%+03d", d.point - 1);
    return text + exponent;
  }
  if (d.point <= 0) return text + "0." + std::string(static_cast<size_t>(-d.point), '0') + d.digits;
  if (d.point >= size) return text + d.digits + std::string(static_cast<size_t>(d.point - size), '0');
  return text + d.digits.substr(0, static_cast<size_t>(d.point)) + "." + d.digits.substr(static_cast<size_t>(d.point));
}

Extended AngleReduce(Extended value) {
  // The exact remainder; it keeps the value's sign, and values within one turn pass unchanged.
  return fmodl(value, 360);
}

// A tiny negative remainder can round up to 360 itself, and negative zero becomes zero.
Extended AngleInTurn(Extended value) {
  Extended r = AngleReduce(value);
  if (r < 0) r += 360;
  return r >= 360 || r == 0 ? 0 : r;
}

std::string AngleText(Extended value) { return TrimmedFixed(AngleReduce(value), 11, 6); }

std::string AngleText360(Extended value) {
  // A remainder just below a whole turn rounds up to "360", which is 0.
  const std::string text = TrimmedFixed(AngleInTurn(value), 11, 6);
  return text == "360" ? "0" : text;
}

bool ParseAngle(const std::string& text, Extended& value) {
  value = 0;
  const char sep = Regional().decimalSeparator;
  const auto begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return false;
  const std::string_view s(text.data() + begin, text.find_last_not_of(" \t") + 1 - begin);

  // [sign] digits [separator digits] [E [sign] digits], with at least one mantissa digit.
  size_t i = 0;
  bool negative = false;
  if (s[i] == '+' || s[i] == '-') negative = s[i++] == '-';
  std::string number;
  size_t mantissaDigits = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i, ++mantissaDigits) number += s[i];
  if (i < s.size() && s[i] == sep) {
    number += '.';
    for (++i; i < s.size() && IsDigit(s[i]); ++i, ++mantissaDigits) number += s[i];
  }
  if (mantissaDigits == 0) return false;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    number += 'e';
    if (++i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
    const size_t start = i;
    for (; i < s.size() && IsDigit(s[i]); ++i) number += s[i];
    if (i == start) return false;
  }
  if (i != s.size()) return false;

  Extended parsed = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), parsed);
  if (result.ec != std::errc() || result.ptr != number.data() + number.size()) return false;
  value = AngleInTurn(negative ? -parsed : parsed);
  return true;
}

}  // namespace plotix
