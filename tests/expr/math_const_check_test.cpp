#include "expr/math_const_check.h"

#include <gtest/gtest.h>

#include <numbers>

#include "../told.h"
#include "expr/calculation.h"
#include "expr/math_function.h"

namespace plotix {
namespace {

constexpr TEditMathBounds kZoomBounds = CheckLoBound | CheckHiBound | HiBoundCanEqual;

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
      {kZoomBounds, "0", 0, "1", 1, "x", false, "Error in: X Axis Zoom: Unknown Symbol at Character 1"},
      // Lower bound only.
      {CheckLoBound, "0", 0, "", 0, "0", false, "Error: X Axis Zoom must be > 0"},
      {CheckLoBound | LoBoundCanEqual, "0", 0, "", 0, "-0.000001", false, "Error: X Axis Zoom must be >= 0"},
      // Upper bound only.
      {CheckHiBound | HiBoundCanEqual, "", 0, "10", 10, "2*5+1", false, "Error: X Axis Zoom must be <= 10"},
      // Both bounds are joined by "and"; either failing gives the whole range.
      {kZoomBounds, "0", 0, "1,000,000,000,000", 1e12L, "1000000000000.5", false,
       "Error: X Axis Zoom must be > 0 and <= 1,000,000,000,000"},
      {kZoomBounds, "0", 0, "1,000,000,000,000", 1e12L, "1000000000000", true, ""},
      // An empty bound text falls back to the general text of the bound's value.
      {CheckLoBound | LoBoundCanEqual | CheckHiBound | HiBoundCanEqual, "", 1, "", 359.5L, "360", false,
       "Error: X Axis Zoom must be >= 1 and <= 359.5"},
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
  // clang-format off
  const TCompareCase cases[] = {
      {"1", 0, "1", true, ""}, {"1", 0, "2", false, "Error: Low X must equal High X"},
      {"1", 1, "2", true, ""}, {"2", 1, "2", false, "Error: Low X can not equal High X"},
      {"3", 2, "2", true, ""}, {"2", 2, "2", false, "Error: Low X must be > High X"},
      {"1", 3, "2", true, ""}, {"2", 3, "2", false, "Error: Low X must be < High X"},
      {"2", 4, "2", true, ""}, {"1", 4, "2", false, "Error: Low X must be >= High X"},
      {"2", 5, "2", true, ""}, {"3", 5, "2", false, "Error: Low X must be <= High X"},
      {"1", 6, "1", false, ""},  // unknown relations fail without a word
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " relation " + std::to_string(c.relation) + " " + c.b);
    TScopedScriptedMessages messages;
    EXPECT_EQ(CompareFields(Field("Low X", c.a), c.relation, Field("High X", c.b)), c.holds);
    EXPECT_EQ(Told(messages), *c.message ? std::string("E|OK|") + c.message + "\n" : "");
  }
}

TEST(MathConstCompare, InvalidOrEmptyFieldsPassSilently) {
  const TMathConstCheck valid = Field("Low X", "5");
  const TMathConstCheck invalid = Field("High X", "1/0");
  const TMathConstCheck unchecked;  // never validated
  const TMathConstCheck empty = Field("High X", "", AllowEmpty);
  TScopedScriptedMessages messages;
  for (int relation = 0; relation <= 5; ++relation)
    EXPECT_TRUE(CompareFields(valid, relation, invalid) && CompareFields(invalid, relation, valid) &&
                CompareFields(valid, relation, unchecked) && CompareFields(empty, relation, valid))
        << relation;
  EXPECT_TRUE(messages->shown.empty());
}

TEST(Calculator, EvaluatesOrNamesTheFailingField) {
  using O = TCalcOutcome;
  const struct {
    const char *function, *x, *z, *text;
    bool ok;
    O::TField focus;
  } cases[] = {
      {"", "0", "0", "Function Definition: Empty Expression", false, O::Function},
      {"x/z", "1", "0", "Error: Division by Zero", false, O::None},
      {"sin(x)", "pi/2", "0", "1.000000000000000000", true, O::None},
      {"x", "y", "0", "Variable X: Unknown Symbol at Character 1", false, O::VariableX},
      {"x", "0", "2*q", "Variable Z: Unknown Symbol at Character 3", false, O::VariableZ},
      // Variable fields are constant expressions: they can not use X or Z themselves.
      {"z", "0", "x", "Variable Z: Unknown Symbol at Character 1", false, O::VariableZ},
      // The function is checked first, then X, then Z.
      {"y", "q", "q", "Function Definition: Unknown Symbol at Character 1", false, O::Function},
      {"sqrt(x)", "-1", "0", "Error: Invalid Function Domain", false, O::None},
  };
  for (const auto& c : cases) {
    const TCalcOutcome outcome = Calculate(c.function, c.x, c.z, false);
    EXPECT_EQ(std::tuple(outcome.text, outcome.ok, outcome.focus), std::tuple(c.text, c.ok, c.focus)) << c.function;
  }
}

}  // namespace
}  // namespace plotix
