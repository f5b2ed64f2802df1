#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>
#include <numbers>

#include "../told.h"
#include "expr/calculator_dialog.h"
#include "expr/math_const_edit.h"
#include "expr/math_function.h"
#include "expr/trig_fixup_dialog.h"

namespace plotix {
namespace {

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
    EXPECT_EQ(Told(messages), std::string("E|OK|") + c.message + "\n");
    EXPECT_EQ(d.field->ErrorText(), c.message);
    EXPECT_EQ(d.dialog.focusWidget(), d.field);
    EXPECT_EQ(d.field->text(), c.text);  // the field keeps its text, all of it selected
    EXPECT_EQ(d.field->selectedText(), c.text);
  }
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
      {"x+z", "1", "pi*", "Variable Z: Expression Syntax Error at Character 3", dlg.EZValue},
      {"sin+x", "0", "0", "Function Definition: Function Not Followed by Open Parentheses Character at Character 1",
       dlg.EFunctionStr},
  };
  dlg.show();  // each message fits the field
  for (const auto& c : cases) {
    dlg.EFunctionStr->setText(c.function);
    dlg.EXValue->setText(c.x);
    dlg.EZValue->setText(c.z);
    dlg.BCalculate->setFocus();
    dlg.BCalculate->click();
    EXPECT_EQ(dlg.EResult->text(), c.result);
    EXPECT_EQ(dlg.focusWidget(), c.focus) << c.function;
    EXPECT_LT(dlg.EResult->fontMetrics().horizontalAdvance(dlg.EResult->text()), dlg.EResult->width());
  }
}

TEST(TrigFixupDialog, OpensOnTheSettingAndOkStoresTheChoice) {
  int range = 2;
  bool exact = true;
  GetTrigFixup(range, exact);
  for (const bool ok : {false, true}) {
    SetTrigFixup(5, true);
    TTrigFixupSetDlg dlg;
    EXPECT_EQ(std::tuple(dlg.RangeGroup->checkedId(), dlg.CBExact->isChecked()), std::tuple(5, true));
    dlg.RangeGroup->button(1)->click();
    dlg.CBExact->click();
    dlg.Buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    TCaculatorDlg calc;  // the calculator follows the stored setting
    calc.EFunctionStr->setText("sin(2000pi)");
    calc.BCalculate->click();
    EXPECT_EQ(calc.EResult->text() == "0.000000000000000000", !ok) << ok;
  }
  SetTrigFixup(range, exact);
}

}  // namespace
}  // namespace plotix
