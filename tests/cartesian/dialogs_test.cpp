// The dialogs of a 2D graph window: settings, function and view. What OK stores, what
// Cancel keeps, and the first complaint on OK.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <numbers>

#include "../compiled.h"
#include "../told.h"
#include "cartesian/function_dialog.h"
#include "cartesian/settings_dialog.h"
#include "cartesian/view_dialog.h"
#include "expr/math_const_edit.h"
#include "expr/number_format.h"
#include "fields.h"
#include "platform/common_dialogs.h"
#include "platform/dialog_controls.h"

namespace plotix {
namespace {

constexpr Extended kPi = std::numbers::pi_v<Extended>;

TEST(Settings2DDialog, OkComplainsAboutTheFirstBadFieldAndKeepsTheDialogOpen) {
  const struct {
    const char* texts[6];  // X limits and increment, Y limits and increment
    const char* told;
    int focus;
  } rows[] = {
      {{"1/0", "", "1", "", "", "y"}, "Error in: Limit Lo X Axis End: Division by Zero", 0},
      {{"", "", "1", "", "", "0"}, "Error: Y Tick Mark Increments must be > 0 and <= 1,000,000,000,000", 5},
      {{"", "", "1", "5", "2", "1"}, "Error: Limit Lo Y Axis End must be <= Limit Hi Y Axis End", 3},
  };
  for (const auto& r : rows) {
    TSetting2DObj s;
    TSettings2DDlg dlg(s);
    TEditMathConst* fields[] = {dlg.X.LimitLoAxis, dlg.X.LimitHiAxis, dlg.X.TickMarkInc,
                                dlg.Y.LimitLoAxis, dlg.Y.LimitHiAxis, dlg.Y.TickMarkInc};
    for (int i = 0; i < 6; ++i) fields[i]->setText(r.texts[i]);
    TScopedScriptedMessages messages;
    dlg.accept();
    EXPECT_EQ(Told(messages), std::string("E|OK|") + r.told + "\n");
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.focusWidget(), fields[r.focus]) << r.told;
    EXPECT_EQ(SettingsFields(s), SettingsFields(TSetting2DObj()));
  }
}

// Every control of the X axis changed, an empty limit, colours and a font.
TEST(Settings2DDialog, OkStoresEveryControlAndCancelNothing) {
  for (const bool ok : {false, true}) {
    TSetting2DObj s;
    TScopedScriptedCommonDlgs dialogs;
    TSettings2DDlg dlg(s);
    TSettings2DDlg::TAxisControls& x = dlg.X;
    x.ShowAxisLines->setChecked(false);
    x.LimitLoAxis->setText("5");
    dlg.Y.LimitHiAxis->setText("-sqrt(4)");
    x.AxisWidth->setValue(7);
    x.AxisStyle->button(1)->click();
    x.TickMarkType->setCurrentIndex(ttGridMarks);
    x.TickMarkInc->setText("0.5");
    x.TickMarkLength->setValue(3);
    x.GridStyle->button(0)->click();
    x.ShowTMLabels->setChecked(false);
    x.TMLabelFormat->setCurrentIndex(nfScientific);
    EXPECT_EQ(std::tuple(x.TMLabelDecPlaces->value(), x.ShowTMLabelComa->isEnabled(), x.DecPlacesCaption->text()),
              std::tuple(3, false, QString("Precision")));  // the format's own default and boxes
    x.TMLabelDecPlaces->setValue(4);
    x.ShowTMLabelPlus->setChecked(true);
    for (const TColor c : {0x112233, 0x445566, 0x778899}) dialogs->QueueColor(c);
    x.AxisColorSample->click();
    x.TMColorSample->click();
    dlg.BackColorSample->click();
    const TFontDesc big{"DejaVu Sans", 0, fsBold, 20};
    dialogs->QueueFont(big);
    dlg.Y.FontButton->click();
    EXPECT_EQ(dialogs->asked[2].color, 0xFFFFFFu);  // each chooser starts at the sample's colour
    TScopedScriptedMessages messages;
    ok ? dlg.accept() : dlg.reject();
    EXPECT_EQ(Told(messages), "");
    if (!ok) {
      EXPECT_EQ(SettingsFields(s), SettingsFields(TSetting2DObj()));
      continue;
    }
    TAxisSettings want = {false, "5",  false, 5, "",    true,         0,    0x112233, 7, 1, ttGridMarks, 0x445566,
                          "0.5", 0.5L, 3,     0, false, nfScientific, true, true,     4};
    TAxisSettings y;  // an empty limit is no limit
    y.LimitHiText = "-sqrt(4)";
    y.LimitHiEmpty = false;
    y.LimitHi = -2;
    EXPECT_EQ(SettingsFields(s), std::tuple(AxisFields(want), AxisFields(y), 0x778899u, TFontDesc{}, big));
    const TSetting2DObj stored = s;  // loaded into the dialog again, they come back unchanged
    TSettings2DDlg again(s);
    again.accept();
    EXPECT_EQ(SettingsFields(s), SettingsFields(stored));
  }
}

constexpr auto MakeFunction = &Compiled<TFunc2DObj>;

TEST(Add2DFuncDialog, OkComplainsAboutTheFirstBadFieldAndChangesNothing) {
  enum TFocus { Definition, Lower, Upper, Memo };
  const struct {
    const char* definition;
    const char* lo;
    const char* hi;
    std::string memo;
    const char* told;
    TFocus focus;
  } rows[] = {
      {"x", "x", "", "", "Error in: Lower Bound: Unknown Symbol at Character 1", Lower},
      {"x", "", "10^13", "", "Error: Upper Bound must be >= -1,000,000,000,000 and <= 1,000,000,000,000", Upper},
      {"x", "", "", "1\npi*\n3",
       "Error in: Special X Values to Plot, Line Number 2: Expression Syntax Error at Character 3", Memo},
      {"y", "0", "0", "", "Error in: Function Definition: Unknown Symbol at Character 1", Definition},
  };
  for (const auto& r : rows) {
    auto func = MakeFunction("x^2");
    TAdd2DFuncDlg dlg(*func, false);
    dlg.EUserFuncStr->setText(r.definition);
    dlg.ELoBoundStr->setText(r.lo);
    dlg.EHiBoundStr->setText(r.hi);
    dlg.EForcePointsMemo->setPlainText(QString::fromStdString(r.memo));
    TScopedScriptedMessages messages;
    dlg.accept();
    EXPECT_EQ(Told(messages), std::string("E|OK|") + r.told + "\n");
    const QWidget* focus[] = {dlg.EUserFuncStr, dlg.ELoBoundStr, dlg.EHiBoundStr, dlg.EForcePointsMemo};
    EXPECT_EQ(dlg.focusWidget(), focus[r.focus]) << r.told;
    EXPECT_EQ(FunctionFields(*func), FunctionFields(*MakeFunction("x^2")));
  }
}

TEST(Add2DFuncDialog, OkStoresTheFunctionAndCancelNothing) {
  for (const bool ok : {false, true}) {
    auto func = MakeFunction("x");
    TScopedScriptedCommonDlgs dialogs;
    TAdd2DFuncDlg dlg(*func, true);
    dlg.EUserFuncStr->setText("sin(x)/x");
    dlg.EHiBoundStr->setText("1");
    dlg.EAsymFixUp->setChecked(true);
    dlg.EExtraUndefAccuracy->setChecked(true);
    dlg.Style->WidthBar->setValue(3);
    dialogs->QueueColor(0x00FF00);
    dlg.Style->ColorButton->click();
    EXPECT_EQ(dialogs->asked.at(0).color, 0xFF0000u);  // the chooser starts at the function's colour
    dlg.EForcePointsMemo->setPlainText("3\n1\n2\n1\npi/2\n");
    TScopedScriptedMessages messages;
    ok ? dlg.accept() : dlg.reject();
    EXPECT_EQ(Told(messages), "");
    TFunc2DObj want;
    want.Func.SetExpression("x");
    if (ok) {
      want.Func.SetExpression("sin(x)/x");
      want.HiBoundEmpty = false;
      want.HiBoundText = "1";
      want.LoBound = 0;  // an empty bound holds 0
      want.AsymptoteFixUp = want.ExtraAccuracy = true;
      want.Style = {0x00FF00, 3};
      want.SpecialXLines = {"3", "1", "2", "1", "pi/2"};
      want.SetSpecialX({1, kPi / 2, 2, 3});  // sorted, each once
    }
    EXPECT_EQ(FunctionFields(*func), FunctionFields(want));
    Extended y = 1;
    EXPECT_TRUE(func->Func.ValueAt(kPi, y));  // compiled
  }
}

TEST(Change2DViewDialog, AZoomOutsideTheRangeAsksWhatToDo) {
  const struct {
    const char* text;
    TMsgAnswer answer;
    Extended zoom;
    const char* shown;
  } rows[] = {{"20000", TMsgAnswer::Ignore, 10000, "10000"},
              {"20000", TMsgAnswer::Cancel, 35, "35"},
              {"20000", TMsgAnswer::OK, 35, "20000"},
              {"0.0001", TMsgAnswer::OK, 0.0001L, "0.0001"}};
  for (const auto& r : rows) {
    TView2D view;
    view.CenterX = view.CenterY = 70;
    TChange2DViewDlg dlg(view);
    dlg.EXViewZoom->setText(r.text);
    TScopedScriptedMessages messages;
    messages->QueueAnswer(r.answer);
    const bool inRange = r.zoom == std::strtold(r.text, nullptr);
    EXPECT_EQ(dlg.ZoomExit(dlg.EXViewZoom), inRange);
    EXPECT_EQ(Told(messages), inRange ? "" : "E|OCI|Error: X Axis View Zoom Must Be <= 10,000 and >= 0.0001\n");
    // The pixel centre stays; the graph centre follows the zoom.
    EXPECT_EQ(
        std::tuple(dlg.ZoomX(), dlg.EXViewZoom->text(), dlg.ECartesianX->text().toStdString(), dlg.EPixelsX->value()),
        std::tuple(r.zoom, QString(r.shown), ShortFixed(70 / r.zoom), 70))
        << r.text;
  }
}

}  // namespace
}  // namespace plotix
