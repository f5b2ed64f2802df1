#include "expr/math_const_check.h"

#include <gtest/gtest.h>

#include <numbers>

#include "expr/calculation.h"
#include "expr/math_function.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

constexpr TEditMathBounds kZoomBounds = CheckLoBound | CheckHiBound | HiBoundCanEqual;

// The zoom field of the view dialogs: > 0 and <= 1E12.
TMathConstCheck ZoomField() {
  TMathConstCheck c;
  c.emBoundsCheck = kZoomBounds;
  c.emCtrlErrorName = "X Axis Zoom";
  c.emLoBoundStr = "0";
  c.emLoBoundVal = 0;
  c.emHiBoundStr = "1,000,000,000,000";
  c.emHiBoundVal = 1e12L;
  return c;
}

TEST(MathConstCheck, StartsInvalidWithTheEmptyExpressionCode) {
  const TMathConstCheck c;
  EXPECT_FALSE(c.IsValid());
  EXPECT_EQ(c.ErrorCode(), meEmpty);
  EXPECT_EQ(c.ErrorPosition(), 0);
  EXPECT_EQ(c.Value(), 0);
}

struct TFieldCase {
  TEditMathBounds bounds;
  const char* loStr;
  Extended loVal;
  const char* hiStr;
  Extended hiVal;
  const char* text;
  bool valid;
  const char* error;  // ErrorText after validation
};

TEST(MathConstCheck, ValidatesTextAndReportsEveryKindOfFailure) {
  const TFieldCase cases[] = {
      // Compile errors: the code's words with the position where there is one.
      {0, "", 0, "", 0, "1/0", false, "Error in: X Axis Zoom: Division by Zero"},
      {0, "", 0, "", 0, "10,000", false, "Error in: X Axis Zoom: Illegal Char at Character 3"},
      {0, "", 0, "", 0, "", false, "Error in: X Axis Zoom: Empty Expression"},
      {0, "", 0, "", 0, "x", false, "Error in: X Axis Zoom: Unknown Symbol at Character 1"},
      {kZoomBounds, "0", 0, "1", 1, "x", false,
       "Error in: X Axis Zoom: Unknown Symbol at Character 1"},
      // Lower bound only.
      {CheckLoBound, "0", 0, "", 0, "0", false, "Error: X Axis Zoom must be > 0"},
      {CheckLoBound | LoBoundCanEqual, "0", 0, "", 0, "0", true, ""},
      {CheckLoBound | LoBoundCanEqual, "0", 0, "", 0, "-0.000001", false,
       "Error: X Axis Zoom must be >= 0"},
      // Upper bound only.
      {CheckHiBound, "", 0, "10", 10, "10", false, "Error: X Axis Zoom must be < 10"},
      {CheckHiBound | HiBoundCanEqual, "", 0, "10", 10, "10", true, ""},
      {CheckHiBound | HiBoundCanEqual, "", 0, "10", 10, "2*5+1", false,
       "Error: X Axis Zoom must be <= 10"},
      // Both bounds are joined by "and"; either failing gives the whole range.
      {kZoomBounds, "0", 0, "1,000,000,000,000", 1e12L, "0", false,
       "Error: X Axis Zoom must be > 0 and <= 1,000,000,000,000"},
      {kZoomBounds, "0", 0, "1,000,000,000,000", 1e12L, "1000000000000.5", false,
       "Error: X Axis Zoom must be > 0 and <= 1,000,000,000,000"},
      {kZoomBounds, "0", 0, "1,000,000,000,000", 1e12L, "1000000000000", true, ""},
      // An empty bound text falls back to the general text of the bound's value.
      {CheckLoBound | LoBoundCanEqual | CheckHiBound | HiBoundCanEqual, "", 1, "", 359.5L, "360",
       false, "Error: X Axis Zoom must be >= 1 and <= 359.5"},
      {CheckLoBound, "", -0.25L, "", 0, "-1", false, "Error: X Axis Zoom must be > -0.25"},
      // AllowEmpty accepts only the empty text, and skips the bounds for it.
      {AllowEmpty | CheckLoBound, "5", 5, "", 0, "", true, ""},
      {AllowEmpty | CheckLoBound, "5", 5, "", 0, "4", false, "Error: X Axis Zoom must be > 5"},
  };
  for (const auto& c : cases) {
    TMathConstCheck field;
    field.emBoundsCheck = c.bounds;
    field.emCtrlErrorName = "X Axis Zoom";
    field.emLoBoundStr = c.loStr;
    field.emLoBoundVal = c.loVal;
    field.emHiBoundStr = c.hiStr;
    field.emHiBoundVal = c.hiVal;
    SCOPED_TRACE(std::string("text \"") + c.text + "\" bounds " + std::to_string(c.bounds));
    EXPECT_EQ(field.Validate(c.text), c.valid);
    EXPECT_EQ(field.IsValid(), c.valid);
    EXPECT_EQ(field.ErrorText(), c.error);
  }
}

TEST(MathConstCheck, ABoundFailureKeepsErrorCodeZeroAndTheValue) {
  TMathConstCheck c = ZoomField();
  EXPECT_FALSE(c.Validate("-2"));
  EXPECT_EQ(c.ErrorCode(), meNone);
  EXPECT_EQ(c.Value(), -2);
  EXPECT_FALSE(c.IsEmpty());
}

TEST(MathConstCheck, ConstantExpressionsGiveTheirValue) {
  TMathConstCheck c = ZoomField();
  ASSERT_TRUE(c.Validate("2pi"));
  EXPECT_NEAR(double(c.Value()), 2 * std::numbers::pi, 1e-15);
  ASSERT_TRUE(c.Validate("sqrt(2)/2"));
  EXPECT_NEAR(double(c.Value()), std::numbers::sqrt2 / 2, 1e-15);
}

TEST(MathConstCheck, AllowEmptyMakesAnEmptyFieldValidWithValueZero) {
  TMathConstCheck c;
  c.emBoundsCheck = AllowEmpty;
  ASSERT_TRUE(c.Validate("7"));
  ASSERT_TRUE(c.Validate(""));
  EXPECT_TRUE(c.IsEmpty());
  EXPECT_EQ(c.Value(), 0);
  EXPECT_EQ(c.ErrorCode(), meNone);
  ASSERT_TRUE(c.Validate("7"));
  EXPECT_FALSE(c.IsEmpty());
}

TEST(MathConstCheck, ShowFieldErrorNamesTheField) {
  TScopedScriptedMessages messages;
  ShowFieldError("Y Axis Zoom", "Division by Zero");
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].kind, TMsgKind::Error);
  EXPECT_EQ(messages->shown[0].buttons, TMsgButtons::OK);
  EXPECT_EQ(messages->shown[0].text, "Error in: Y Axis Zoom: Division by Zero");
}

TMathConstCheck Field(const char* name, const char* text, TEditMathBounds bounds = 0) {
  TMathConstCheck c;
  c.emCtrlErrorName = name;
  c.emBoundsCheck = bounds;
  c.Validate(text);
  return c;
}

struct TCompareCase {
  const char* a;
  int relation;
  const char* b;
  bool holds;
  const char* message;  // "" when nothing is shown
};

TEST(MathConstCompare, EveryRelationHoldsOrShowsItsMessage) {
  const TCompareCase cases[] = {
      {"1", 0, "1", true, ""},
      {"1", 0, "2", false, "Error: Low X must equal High X"},
      {"1", 1, "2", true, ""},
      {"2", 1, "2", false, "Error: Low X can not equal High X"},
      {"3", 2, "2", true, ""},
      {"2", 2, "2", false, "Error: Low X must be > High X"},
      {"1", 3, "2", true, ""},
      {"2", 3, "2", false, "Error: Low X must be < High X"},
      {"2", 4, "2", true, ""},
      {"1", 4, "2", false, "Error: Low X must be >= High X"},
      {"2", 5, "2", true, ""},
      {"3", 5, "2", false, "Error: Low X must be <= High X"},
      // Unknown relations fail without a word.
      {"1", 6, "1", false, ""},
      {"1", 255, "2", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " relation " + std::to_string(c.relation) + " " + c.b);
    TScopedScriptedMessages messages;
    EXPECT_EQ(CompareFields(Field("Low X", c.a), c.relation, Field("High X", c.b)), c.holds);
    if (*c.message) {
      ASSERT_EQ(messages->shown.size(), 1u);
      EXPECT_EQ(messages->shown[0].kind, TMsgKind::Error);
      EXPECT_EQ(messages->shown[0].buttons, TMsgButtons::OK);
      EXPECT_EQ(messages->shown[0].text, c.message);
    } else {
      EXPECT_TRUE(messages->shown.empty());
    }
  }
}

TEST(MathConstCompare, InvalidOrEmptyFieldsPassSilently) {
  const TMathConstCheck valid = Field("Low X", "5");
  const TMathConstCheck invalid = Field("High X", "1/0");
  const TMathConstCheck unchecked;  // never validated
  const TMathConstCheck empty = Field("High X", "", AllowEmpty);
  TScopedScriptedMessages messages;
  for (int relation = 0; relation <= 5; ++relation) {
    EXPECT_TRUE(CompareFields(valid, relation, invalid));
    EXPECT_TRUE(CompareFields(invalid, relation, valid));
    EXPECT_TRUE(CompareFields(valid, relation, unchecked));
    EXPECT_TRUE(CompareFields(valid, relation, empty));
    EXPECT_TRUE(CompareFields(empty, relation, valid));
  }
  EXPECT_TRUE(messages->shown.empty());
}

struct TCalcCase {
  const char* function;
  const char* x;
  const char* z;
  bool scientific;
  const char* text;
  bool ok;
  TCalcOutcome::TField focus;
};

TEST(Calculator, EvaluatesOrNamesTheFailingField) {
  const TCalcCase cases[] = {
      {"", "0", "0", false, "Function Definition: Empty Expression", false, TCalcOutcome::Function},
      {"x/z", "1", "0", false, "Error: Division by Zero", false, TCalcOutcome::None},
      {"sin(x)", "pi/2", "0", false, "1.000000000000000000", true, TCalcOutcome::None},
      {"sin(x)", "pi/2", "0", true, "1.00000000000000000E+0", true, TCalcOutcome::None},
      {"x", "y", "0", false, "Variable X: Unknown Symbol at Character 1", false,
       TCalcOutcome::VariableX},
      {"x", "0", "2*q", false, "Variable Z: Unknown Symbol at Character 3", false,
       TCalcOutcome::VariableZ},
      // Variable fields are constant expressions: they can not use X or Z themselves.
      {"z", "0", "x", false, "Variable Z: Unknown Symbol at Character 1", false,
       TCalcOutcome::VariableZ},
      // The function is checked first, then X, then Z.
      {"y", "q", "q", false, "Function Definition: Unknown Symbol at Character 1", false,
       TCalcOutcome::Function},
      {"x", "q", "q", false, "Variable X: Unknown Symbol at Character 1", false,
       TCalcOutcome::VariableX},
      {"X*z-x", "2.5", "-4", false, "-12.500000000000000000", true, TCalcOutcome::None},
      {"sqrt(x)", "-1", "0", false, "Error: Invalid Function Domain", false, TCalcOutcome::None},
      {"fact(x)", "18", "0", false, "6402373705728000.000000000000000000", true,
       TCalcOutcome::None},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.function) + " x=" + c.x + " z=" + c.z);
    const TCalcOutcome outcome = Calculate(c.function, c.x, c.z, c.scientific);
    EXPECT_EQ(outcome.text, c.text);
    EXPECT_EQ(outcome.ok, c.ok);
    EXPECT_EQ(outcome.focus, c.focus);
  }
}

}  // namespace
}  // namespace plotix
