// Number texts: the float-to-text forms, tick label formats, trimming, the short
// forms and angles, under explicit regional settings.
#include "expr/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/regional_settings.h"

namespace plotix {
namespace {

// Every test sets the regional settings it needs and gets the previous ones back.
class FloatTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Regional();
    Regional() = TRegionalSettings{};  // ".", ",", "$1", "-$1"
  }
  void TearDown() override { Regional() = saved_; }

  static void UseComma() {
    Regional().decimalSeparator = ',';
    Regional().thousandSeparator = ".";
  }

 private:
  TRegionalSettings saved_;
};

using FloatToStrFTest = FloatTextTest;
using FormatNumberTest = FloatTextTest;
using FloatTrimTest = FloatTextTest;
using FloatShortFormTest = FloatTextTest;
using AngleTextTest = FloatTextTest;

struct TFormCase {
  Extended value;
  TFloatForm form;
  int precision;
  int digits;
  const char* expected;
};

TEST_F(FloatToStrFTest, FormsRoundOnceAndPadWithZeros) {
  const Extended inf = std::numeric_limits<Extended>::infinity();
  using enum TFloatForm;
  // clang-format off
  const TFormCase cases[] = {
      // General: shortest text, scientific for large and tiny values.
      {0, General, 15, 0, "0"}, {1.0L / 3, General, 15, 0, "0.333333333333333"}, {1e15L, General, 15, 0, "1E15"},
      {0.000001L, General, 15, 0, "1E-6"},
      // Exponent: all precision digits, signed exponent with a minimum width.
      {12345, Exponent, 3, 1, "1.23E+4"}, {0.000123456L, Exponent, 4, 2, "1.235E-04"},
      // Fixed and number: the fewer of precision digits and decimals survive; an exact binary tie goes to even.
      {1.0L / 3, Fixed, 3, 5, "0.33300"}, {9.9996L, Fixed, 18, 3, "10.000"}, {0.125L, Fixed, 18, 2, "0.12"},
      {1234567.891L, Number, 18, 2, "1,234,567.89"},
      // More integer digits than the precision: the general form. Then not numbers.
      {12345, Fixed, 3, 2, "1.23E4"}, {-1e20L, Currency, 18, 2, "-1E20"}, {std::nanl(""), Fixed, 18, 2, "NAN"},
      {-inf, Number, 18, 2, "-INF"},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(FloatToStrF(c.value, c.form, c.precision, c.digits), c.expected) << &c - cases;
}

TEST_F(FloatToStrFTest, SeparatorsComeFromTheRegionalSettings) {
  const Extended v = 1234567.891L;
  UseComma();
  EXPECT_EQ(FloatToStrF(v, TFloatForm::Number, 18, 2), "1.234.567,89");
  EXPECT_EQ(FloatToStrF(v, TFloatForm::Fixed, 18, 1), "1234567,9");
  EXPECT_EQ(FloatToStrF(12345, TFloatForm::Exponent, 3, 1), "1,23E+4");
  Regional().thousandSeparator = "\xC2\xA0";  // no-break space, two bytes
  EXPECT_EQ(FloatToStrF(1234.5L, TFloatForm::Number, 18, 1),
            "1\xC2\xA0"
            "234,5");
}

TEST_F(FloatToStrFTest, CurrencyPatterns) {
  const char* const positive[] = {"$1,234.50", "1,234.50$", "$ 1,234.50", "1,234.50 $"};
  for (int f = 0; f < 4; ++f) {
    Regional().currencyFormat = f;
    EXPECT_EQ(FloatToStrF(1234.5L, TFloatForm::Currency, 18, 2), positive[f]) << f;
  }
  const char* const negative[] = {"($3.00)", "-$3.00",  "$-3.00",   "$3.00-",  "(3.00$)", "-3.00$",
                                  "3.00-$",  "3.00$-",  "-3.00 $",  "-$ 3.00", "3.00 $-", "$ 3.00-",
                                  "$ -3.00", "3.00- $", "($ 3.00)", "(3.00 $)"};
  for (int f = 0; f < 16; ++f) {
    Regional().negCurrFormat = f;
    EXPECT_EQ(FloatToStrF(-3, TFloatForm::Currency, 18, 2), negative[f]) << f;
  }
  // A negative amount that rounds to zero takes the positive pattern.
  Regional().currencyFormat = 0;
  Regional().negCurrFormat = 0;
  EXPECT_EQ(FloatToStrF(-0.001L, TFloatForm::Currency, 18, 2), "$0.00");
  Regional().currencyString = "EUR";
  Regional().currencyFormat = 3;
  EXPECT_EQ(FloatToStrF(2, TFloatForm::Currency, 18, 0), "2 EUR");
}

struct TNumberCase {
  int code;
  bool commas;
  bool plus;
  int places;
  Extended value;
  const char* expected;
};

void ExpectFormats(const TNumberCase* begin, const TNumberCase* end) {
  for (const TNumberCase* c = begin; c != end; ++c)
    EXPECT_EQ(FormatNumber(c->code, c->commas, c->plus, c->places, c->value), c->expected) << c - begin;
}

TEST_F(FormatNumberTest, TickLabelFormats) {
  const std::string eighteenDecimals = "0.5" + std::string(17, '0');
  // clang-format off
  const TNumberCase cases[] = {
      // Max decimal: trimmed; the sign goes by the rounded text.
      {0, true, false, 3, 1234.5L, "1,234.5"}, {0, false, false, 3, 9.9996L, "10"}, {0, false, true, 2, 0.25L, "+0.25"},
      {0, false, true, 3, -0.0004L, "0"}, {0, false, true, 1, 0.04L, "0"}, {1, false, true, 1, -0.04L, "0.0"},
      // Fixed decimal: untrimmed.
      {1, false, false, 2, 3, "3.00"}, {1, false, false, 25, 0.5L, eighteenDecimals.c_str()},
      {1, true, false, 1, -98765.43L, "-98,765.4"},
      // Scientific: places is the precision.
      {2, false, false, 3, 12345, "1.23E+4"}, {2, false, false, 5, -0.000123456L, "-1.2346E-4"},
      // Currency: trimmed from the amount's end, never signed by plus.
      {3, false, false, 2, 1234.5L, "$1,234.5"}, {3, false, false, 2, -3, "-$3"},
      {4, false, true, 2, 1234.5L, "$1,234.50"},
      {7, false, false, 0, 1.5e20L, "1.5E20"},  // any other code: the general form with 18 digits
  };
  // clang-format on
  ExpectFormats(std::begin(cases), std::end(cases));
}

TEST_F(FormatNumberTest, CurrencyTrimmingFollowsTheRegionalPattern) {
  Regional().negCurrFormat = 15;
  EXPECT_EQ(FormatNumber(3, false, false, 2, -3), "(3$)");
  UseComma();
  Regional().currencyString = "\xE2\x82\xAC";  // euro sign
  Regional().currencyFormat = 3;
  Regional().negCurrFormat = 8;
  const TNumberCase cases[] = {
      {3, false, false, 2, 1234.5L, "1.234,5\xE2\x82\xAC"},  // every space goes
      {4, false, false, 2, 1234.5L, "1.234,50 \xE2\x82\xAC"},
      {3, false, false, 2, -0.5L, "-0,5\xE2\x82\xAC"},
  };
  ExpectFormats(std::begin(cases), std::end(cases));
  Regional().currencyString = "EUR";  // an "E" in the symbol does not stop the trimming
  Regional().currencyFormat = 1;
  EXPECT_EQ(FormatNumber(3, false, false, 2, 2.5L), "2,5EUR");
}

TEST_F(FloatTrimTest, TrailingZerosAndBareSeparators) {
  const std::pair<const char*, const char*> cases[] = {{"1.500", "1.5"},      {"   2.000", "2"}, {"-0.000", "0"},
                                                       {"-.000", "0"},        {"+.50", "+.5"},   {"1.50E+3", "1.50E+3"},
                                                       {"1.2.0", "1.2.0"},    {"", "0"},         {"1,000.00", "1,000"},
                                                       {"-12.340", "-12.34"}, {"+0", "0"},       {"10.", "10"}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(TrimZeros(text), expected) << '"' << text << '"';

  UseComma();
  EXPECT_EQ(std::tuple(TrimZeros("1,500"), TrimZeros("1.000"), TrimZeros("1.234,000")),
            std::tuple("1,5", "1.000", "1.234"));  // "1.000" is a thousand
}

TEST_F(FloatShortFormTest, ShortFixedGeneralAndSixDecimals) {
  const std::pair<Extended, const char*> fifteen[] = {
      {88.0L / 35, "2.514285714285714"}, {-1.0L / 3, "-0.333333333333333"},
      {2.0L / 3, "0.666666666666667"},   {-1e-16L, "0"},
      {12345678.123L, "12345678.123"},   {0.1L + 0.2L, "0.3"}};
  for (const auto& [v, expected] : fifteen) EXPECT_EQ(ShortFixed(v), expected) << static_cast<double>(v);
  const std::pair<Extended, const char*> six[] = {
      {1.0L / 3, "0.333333"}, {-0.0000001L, "0"}, {1234.56789L, "1234.56789"}, {-0.9999999L, "-1"}};
  for (const auto& [v, expected] : six) EXPECT_EQ(ShortFixed6(v), expected) << static_cast<double>(v);
  EXPECT_EQ(TrimmedFixed(1e20L, 15, 2), "100000000000000000000");
  EXPECT_EQ(std::tuple(GeneralText(-17.5L), GeneralText(1.0L / 3), GeneralText(1e300L)),
            std::tuple("-17.5", "0.333333333333333", "1E300"));

  UseComma();
  EXPECT_EQ(std::tuple(ShortFixed(2.5L), ShortFixed6(-3), GeneralText(0.25L)), std::tuple("2,5", "-3", "0,25"));
}

// Read-outs: the shortest text that reads back as the value, rounded only where it is longer
// than the digits shown, whatever the regional separator.
TEST_F(FloatShortFormTest, ReadoutsAreShortestAndRoundTrip) {
  UseComma();
  const struct {
    Extended value;
    int digits;
    const char* expected;
  } rows[] = {
      {0.1L, 21, "0.1"},
      {3 * 0.1L, 21, "0.3"},
      {-1.0L / 3, 21, "-0.33333333333333333334"},
      {-1.0L / 3, 15, "-0.333333333333333"},
      {2.0L / 3 * 1e5L, 6, "66666.7"},
      {-0.0L, 21, "0"},
      {0.99999999999999999L, 15, "1"},
      {1e-5L, 21, "0.00001"},
      {1.5e-6L, 21, "1.5e-06"},
      {1234567, 6, "1.23457e+06"},
      {123456789012345.0L, 15, "123456789012345"},
      {1e15L, 15, "1e+15"},
      {-1e-4000L, 21, "-1e-4000"},
      {std::numeric_limits<Extended>::infinity(), 15, "INF"},
  };
  for (const auto& r : rows) EXPECT_EQ(ReadoutText(r.value, r.digits), r.expected) << r.expected;
  Extended v = 1;
  for (int i = 0; i < 400; ++i, v *= -1.37L) {
    const std::string text = ReadoutText(v / 7);
    EXPECT_EQ(std::strtold(text.c_str(), nullptr), v / 7) << text;
  }
}

TEST_F(AngleTextTest, ReduceToOneTurn) {
  const std::pair<Extended, Extended> reduced[] = {
      {725, 5}, {-30, -30}, {720, 0}, {-725, -5}, {359.5L, 359.5L}, {-359.5L, -359.5L}, {1080.25L, 0.25L},
  };
  for (const auto& [v, expected] : reduced) EXPECT_EQ(AngleReduce(v), expected) << static_cast<double>(v);

  const std::pair<Extended, const char*> texts[] = {
      {725, "5"}, {-30, "-30"}, {0.1234567L, "0.123457"}, {-720, "0"}, {360.5L, "0.5"}, {-400, "-40"},
  };
  for (const auto& [v, expected] : texts) EXPECT_EQ(AngleText(v), expected) << static_cast<double>(v);

  const std::pair<Extended, const char*> texts360[] = {
      {-30, "330"}, {725, "5"}, {-360, "0"}, {-0.5L, "359.5"}, {-1e-20L, "0"}, {359.25L, "359.25"}, {-1e-7L, "0"},
  };
  for (const auto& [v, expected] : texts360) EXPECT_EQ(AngleText360(v), expected) << static_cast<double>(v);
}

}  // namespace
}  // namespace plotix
