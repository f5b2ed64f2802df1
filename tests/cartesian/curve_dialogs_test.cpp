// The dialogs of parametric and implicit curves: the first complaint on OK, what OK stores
// and what Cancel keeps, and the way through the fields.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "../told.h"
#include "cartesian/curve_dialogs.h"
#include "expr/math_const_edit.h"
#include "platform/dialog_controls.h"

namespace plotix {
namespace {

TEST(ParametricDialog, OkComplainsAboutTheFirstBadFieldAndChangesNothing) {
  const struct {
    const char* texts[4];  // x(t), y(t), t From, t To
    const char* told;
    int focus;
  } rows[] = {
      {{"2cos(q)", "x", "", ""}, "Error in: x(t): Unknown Symbol at Character 6", 0},
      {{"2cos(t)", "2sin(t", "0", "1"}, "Error in: y(t): Invalid Parentheses Grouping", 1},
      {{"t", "t", "", "1"}, "Error in: t From: Empty Expression", 2},
      {{"t", "t", "0", "2000000000000000"}, "Error: t To must be >= -1,000,000,000,000 and <= 1,000,000,000,000", 3},
      {{"t", "t", "pi", "pi"}, "Error: t From must be < t To", 3},
  };
  for (const auto& r : rows) {
    TParametricFuncObj f;
    TAddParametricDlg dlg(f, true);
    QLineEdit* fields[] = {dlg.EXStr, dlg.EYStr, dlg.EFromStr, dlg.EToStr};
    for (int i = 0; i < 4; ++i) fields[i]->setText(r.texts[i]);
    TScopedScriptedMessages messages;
    dlg.accept();
    EXPECT_EQ(Told(messages), std::string("E|OK|") + r.told + "\n");
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.focusWidget(), fields[r.focus]) << r.told;
    EXPECT_EQ(f.GetDescription(), "f: x(t)=, y(t)=");
  }
}

TEST(ParametricDialog, OpensInXOfTTabsThroughTheFieldsInOrderAndOkStores) {
  TParametricFuncObj f;
  TAddParametricDlg dlg(f, false);
  EXPECT_EQ(dlg.windowTitle(), "Modify Parametric Curve");
  EXPECT_EQ(dlg.focusWidget(), dlg.EXStr);
  EXPECT_EQ(std::tuple(dlg.EFromStr->text(), dlg.EToStr->text()), std::tuple("0", "2pi"));
  const auto tab = [](const QWidget* w) {
    do w = w->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus));
    return w;
  };
  const QWidget* order[] = {dlg.EXStr, dlg.EYStr, dlg.EFromStr, dlg.EToStr};
  for (int i = 0; i + 1 < 4; ++i) EXPECT_EQ(tab(order[i]), order[i + 1]) << i;
  dlg.EXStr->setText("t-sin(t)");
  dlg.EYStr->setText("1-cos(t)");
  dlg.EToStr->setText("6pi");
  dlg.accept();
  ASSERT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(f.GetDescription(), "f: x(t)=t-sin(t), y(t)=1-cos(t)");
  EXPECT_EQ(std::tuple(f.ToText, f.To, f.X.State(), f.Y.State()), std::tuple("6pi", 6 * mathlib::kPi, 2, 2));
}

TEST(ImplicitDialog, OkStoresACompiledEquationOrSaysWhereItFails) {
  const struct {
    const char* text;
    const char* told;  // "" when OK closes the dialog
  } rows[] = {
      {"x^2+y^2=z", "Error in: Right Side: Unknown Symbol at Character 9"},
      {"x^2+y^2=4=1", "Error in: Right Side: Expression Syntax Error at Character 10"},
      {"", "Error in: Equation: Empty Expression"},
      {"sin(x*y)=0.5", ""},
  };
  for (const auto& r : rows) {
    TImplicitFuncObj f;
    TAddImplicitDlg dlg(f, true);
    EXPECT_EQ(dlg.focusWidget(), dlg.EEquationStr);
    dlg.EEquationStr->setText(r.text);
    TScopedScriptedMessages messages;
    dlg.accept();
    EXPECT_EQ(Told(messages), *r.told ? std::string("E|OK|") + r.told + "\n" : "");
    EXPECT_EQ(dlg.result() == QDialog::Accepted, !*r.told) << r.text;
    EXPECT_EQ(f.GetDescription(), "f: " + std::string(*r.told ? "" : r.text));
  }
}

}  // namespace
}  // namespace plotix
