#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>
#include <numbers>

#include "expr/calculator_dialog.h"
#include "expr/math_const_edit.h"
#include "expr/math_function.h"
#include "expr/trig_fixup_dialog.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

QStringList GroupTitles(const QWidget& dialog) {
  QStringList titles;
  for (const QGroupBox* group : dialog.findChildren<QGroupBox*>()) titles << group->title();
  return titles;
}

// A dialog with a bounded zoom field and a second field that holds the focus at first.
struct TFieldDialog {
  TFieldDialog() {
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(field);
    layout->addWidget(other);
    TMathConstCheck& check = field->Check();
    check.emCtrlErrorName = "X Axis Zoom";
    check.emBoundsCheck = CheckLoBound | CheckHiBound | HiBoundCanEqual;
    check.emLoBoundStr = "0";
    check.emHiBoundStr = "1,000,000,000,000";
    check.emHiBoundVal = 1e12L;
    other->setFocus();
  }
  QDialog dialog;
  TEditMathConst* field = new TEditMathConst;
  QLineEdit* other = new QLineEdit;
};

TEST(EditMathConst, ComplainsInAnErrorBoxAndTakesTheFocusBack) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"10,000", "Error in: X Axis Zoom: Illegal Char at Character 3"},
      {"", "Error in: X Axis Zoom: Empty Expression"},
      {"0", "Error: X Axis Zoom must be > 0 and <= 1,000,000,000,000"},
      {"x", "Error in: X Axis Zoom: Unknown Symbol at Character 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TFieldDialog d;
    d.field->setText(c.text);
    TScopedScriptedMessages messages;
    EXPECT_FALSE(d.field->ValidateOrComplain());
    EXPECT_FALSE(d.field->IsValid());
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].kind, TMsgKind::Error);
    EXPECT_EQ(messages->shown[0].buttons, TMsgButtons::OK);
    EXPECT_EQ(messages->shown[0].text, c.message);
    EXPECT_EQ(d.field->ErrorText(), c.message);
    EXPECT_EQ(d.dialog.focusWidget(), d.field);
    EXPECT_EQ(d.field->text(), c.text);  // the field keeps its text, all of it selected
    EXPECT_EQ(d.field->selectedText(), c.text);
  }
}

TEST(EditMathConst, AValidFieldSaysNothingAndLeavesTheFocus) {
  TFieldDialog d;
  d.field->setText("2pi");
  TScopedScriptedMessages messages;
  EXPECT_TRUE(d.field->ValidateOrComplain());
  EXPECT_TRUE(messages->shown.empty());
  EXPECT_TRUE(d.field->IsValid());
  EXPECT_FALSE(d.field->IsEmpty());
  EXPECT_NEAR(double(d.field->Value()), 2 * std::numbers::pi, 1e-15);
  EXPECT_EQ(d.dialog.focusWidget(), d.other);

  d.field->Check().emBoundsCheck |= AllowEmpty;
  d.field->clear();
  EXPECT_TRUE(d.field->Validate());
  EXPECT_TRUE(d.field->IsEmpty());
  EXPECT_EQ(d.field->Value(), 0);
}

TEST(CalculatorDialog, OpensWithItsFieldsAtTheirStartValues) {
  TCaculatorDlg dlg;
  EXPECT_EQ(dlg.windowTitle(), "Function Calculator");
  EXPECT_EQ(GroupTitles(dlg),
            QStringList({"Function Definition", "Function Result", "Result Format"}));
  EXPECT_EQ(dlg.EFunctionStr->text(), "");
  EXPECT_EQ(dlg.EXValue->text(), "0");
  EXPECT_EQ(dlg.EZValue->text(), "0");
  EXPECT_EQ(dlg.EResult->text(), "");
  EXPECT_TRUE(dlg.EResult->isReadOnly());
  EXPECT_TRUE(dlg.RDecimal->isChecked());
  EXPECT_FALSE(dlg.RScientific->isChecked());
  EXPECT_EQ(dlg.BCalculate->text(), "C&alculate");
  EXPECT_EQ(dlg.BClose->text(), "&Close");
  EXPECT_EQ(dlg.BHelp->text(), "Help");
  EXPECT_EQ(dlg.focusWidget(), dlg.EFunctionStr);
}

TEST(CalculatorDialog, CalculateShowsTheResultAndFocusesTheFailingField) {
  TCaculatorDlg dlg;
  const struct {
    const char* function;
    const char* x;
    const char* z;
    const char* result;
    QWidget* focus;
  } cases[] = {
      {"", "0", "0", "Function Definition: Empty Expression", dlg.EFunctionStr},
      {"x/z", "1", "0", "Error: Division by Zero", dlg.BCalculate},
      {"sin(x)", "pi/2", "0", "1.000000000000000000", dlg.BCalculate},
      {"x", "y", "0", "Variable X: Unknown Symbol at Character 1", dlg.EXValue},
      {"x+z", "1", "pi*", "Variable Z: Expression Syntax Error", dlg.EZValue},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.function);
    dlg.EFunctionStr->setText(c.function);
    dlg.EXValue->setText(c.x);
    dlg.EZValue->setText(c.z);
    dlg.BCalculate->setFocus();
    dlg.BCalculate->click();
    EXPECT_EQ(dlg.EResult->text().left(int(strlen(c.result))), c.result);
    EXPECT_EQ(dlg.focusWidget(), c.focus);
  }
}

TEST(CalculatorDialog, ResultFormatPicksDecimalOrScientific) {
  TCaculatorDlg dlg;
  dlg.EFunctionStr->setText("x*z");
  dlg.EXValue->setText("1.5");
  dlg.EZValue->setText("-2");
  dlg.RScientific->click();
  dlg.BCalculate->click();
  EXPECT_EQ(dlg.EResult->text(), "-3.00000000000000000E+0");
  dlg.RDecimal->click();
  EXPECT_EQ(dlg.EResult->text(), "-3.00000000000000000E+0");  // only Calculate writes the result
  dlg.BCalculate->click();
  EXPECT_EQ(dlg.EResult->text(), "-3.000000000000000000");
}

TEST(CalculatorDialog, EnterInTheFunctionFieldCalculatesAndCloseRejects) {
  TCaculatorDlg dlg;
  dlg.show();
  dlg.EFunctionStr->setText("2^10");
  QTest::keyClick(dlg.EFunctionStr, Qt::Key_Return);
  EXPECT_EQ(dlg.EResult->text(), "1024.000000000000000000");
  EXPECT_TRUE(dlg.isVisible());
  dlg.BClose->click();
  EXPECT_FALSE(dlg.isVisible());
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST(CalculatorDialog, HelpShowsAnInformationMessage) {
  TCaculatorDlg dlg;
  TScopedScriptedMessages messages;
  dlg.BHelp->click();
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].kind, TMsgKind::Information);
  EXPECT_EQ(dlg.EResult->text(), "");
}

// Keeps the program-wide fix-up as each test found it.
class TrigFixupDialog : public ::testing::Test {
 protected:
  void SetUp() override { GetTrigFixup(range_, exact_); }
  void TearDown() override { SetTrigFixup(range_, exact_); }

  static std::pair<int, bool> Current() {
    int range;
    bool exact;
    GetTrigFixup(range, exact);
    return {range, exact};
  }
  static void Press(TTrigFixupSetDlg& dlg, QDialogButtonBox::StandardButton button) {
    dlg.Buttons->button(button)->click();
  }

 private:
  int range_ = 2;
  bool exact_ = true;
};

TEST_F(TrigFixupDialog, ShowsTheCaptionAndTheRangesInOrder) {
  TTrigFixupSetDlg dlg;
  EXPECT_EQ(dlg.windowTitle(), "Trigonometry Functions Rounding Error Fix Up");
  EXPECT_EQ(GroupTitles(dlg), QStringList({"Fix Up Values Range"}));
  const QStringList ranges = {
      "No Fixup",
      "Sin(1,000 * Pi) and Cos(1,001 * Pi / 2)",
      "Sin(10,000 * Pi) and Cos(10,001 * Pi / 2)",
      "Sin(100,000 * Pi) and Cos(100,001 * Pi / 2)",
      "Sin(1,000,000 * Pi) and Cos(1,000,001 * Pi / 2)",
      "Sin(10,000,000 * Pi) and Cos(10,000,001 * Pi / 2)",
  };
  ASSERT_EQ(dlg.RangeGroup->buttons().size(), ranges.size());
  for (int i = 0; i < ranges.size(); ++i) EXPECT_EQ(dlg.RangeGroup->button(i)->text(), ranges[i]);
  EXPECT_EQ(dlg.CBExact->text(), "Exact Values");
  EXPECT_NE(dlg.Buttons->button(QDialogButtonBox::Help), nullptr);
}

TEST_F(TrigFixupDialog, OpensOnTheCurrentSetting) {
  const std::pair<int, bool> settings[] = {{0, false}, {2, true}, {5, true}, {3, false}};
  for (const auto& [range, exact] : settings) {
    SetTrigFixup(range, exact);
    TTrigFixupSetDlg dlg;
    EXPECT_EQ(dlg.RangeGroup->checkedId(), range);
    EXPECT_EQ(dlg.CBExact->isChecked(), exact);
    EXPECT_EQ(dlg.focusWidget(), dlg.RangeGroup->button(range));  // arrow keys pick a range
  }
}

TEST_F(TrigFixupDialog, OkStoresTheChoiceAndCancelChangesNothing) {
  SetTrigFixup(2, true);
  {
    TTrigFixupSetDlg dlg;
    dlg.RangeGroup->button(4)->click();
    dlg.CBExact->click();
    Press(dlg, QDialogButtonBox::Cancel);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
  }
  EXPECT_EQ(Current(), std::make_pair(2, true));
  {
    TTrigFixupSetDlg dlg;
    dlg.RangeGroup->button(4)->click();
    dlg.CBExact->click();
    Press(dlg, QDialogButtonBox::Ok);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
  }
  EXPECT_EQ(Current(), std::make_pair(4, false));
}

TEST_F(TrigFixupDialog, OkWithNoRangeCheckedStoresRangeTwo) {
  SetTrigFixup(5, false);
  TTrigFixupSetDlg dlg;
  dlg.RangeGroup->setExclusive(false);
  dlg.RangeGroup->button(5)->setChecked(false);
  dlg.RangeGroup->setExclusive(true);
  Press(dlg, QDialogButtonBox::Ok);
  EXPECT_EQ(Current(), std::make_pair(2, false));
}

TEST_F(TrigFixupDialog, TheFixupChangesWhatTheCalculatorShows) {
  SetTrigFixup(0, true);
  TTrigFixupSetDlg dlg;
  dlg.RangeGroup->button(1)->click();
  Press(dlg, QDialogButtonBox::Ok);
  TCaculatorDlg calc;
  calc.EFunctionStr->setText("sin(1000pi)");
  calc.BCalculate->click();
  EXPECT_EQ(calc.EResult->text(), "0.000000000000000000");
}

}  // namespace
}  // namespace plotix
