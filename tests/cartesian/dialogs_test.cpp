#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <numbers>
#include <tuple>

#include "../modal.h"
#include "cartesian/function_dialog.h"
#include "cartesian/settings_dialog.h"
#include "cartesian/view_dialog.h"
#include "expr/math_const_edit.h"
#include "expr/number_format.h"
#include "platform/common_dialogs.h"
#include "platform/dialog_service.h"
#include "platform/message_box.h"
#include "window/function_list_dialog.h"
#include "window/status_line.h"
#include "window/status_line_dialog.h"
#include "window/zoom_hot_key_dialog.h"

namespace plotix {
namespace {

QStringList GroupTitles(const QWidget& dialog) {
  QStringList titles;
  for (const QGroupBox* group : dialog.findChildren<QGroupBox*>()) titles << group->title();
  return titles;
}

QStringList LabelTexts(const QWidget& dialog) {
  QStringList texts;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
  return texts;
}

QStringList ComboItems(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

QStringList ButtonTexts(const QButtonGroup* group) {
  QStringList texts;
  for (int id = 0; group->button(id); ++id) texts << group->button(id)->text();
  return texts;
}

// The one message a failed OK shows; the dialog must still be open.
std::string OnlyMessage(TScopedScriptedMessages& messages) {
  EXPECT_EQ(messages->shown.size(), 1u);
  if (messages->shown.empty()) return "";
  EXPECT_EQ(messages->shown[0].kind, TMsgKind::Error);
  EXPECT_EQ(messages->shown[0].buttons, TMsgButtons::OK);
  return messages->shown[0].text;
}

// ---- settings dialog ------------------------------------------------------------

auto AxisFields(const TAxisSettings& a) {
  return std::make_tuple(a.ShowAxisLines, a.LimitLoText, a.LimitLoEmpty, a.LimitLo, a.LimitHiText, a.LimitHiEmpty,
                         a.LimitHi, a.AxisColor, a.AxisWidth, a.AxisStyle, a.TickType, a.TickColor, a.IncText, a.Inc,
                         a.TickLength, a.GridStyle, a.ShowLabels, a.LabelFormat, a.LabelComma, a.LabelPlus,
                         a.LabelDecimals);
}

void ExpectSameSettings(const TSetting2DObj& a, const TSetting2DObj& b) {
  EXPECT_EQ(AxisFields(a.X), AxisFields(b.X));
  EXPECT_EQ(AxisFields(a.Y), AxisFields(b.Y));
  EXPECT_EQ(a.BackColor, b.BackColor);
  EXPECT_EQ(a.XLabelFont, b.XLabelFont);
  EXPECT_EQ(a.YLabelFont, b.YLabelFont);
}

// Settings unlike the defaults in every field of the Y axis.
TSetting2DObj OddSettings() {
  TSetting2DObj s;
  TAxisSettings& y = s.Y;
  y.ShowAxisLines = false;
  y.LimitLoText = "-2pi";
  y.LimitLoEmpty = false;
  y.LimitLo = -2 * std::numbers::pi_v<Extended>;
  y.LimitHiText = "7";
  y.LimitHiEmpty = false;
  y.LimitHi = 7;
  y.AxisColor = 0x0000FF;
  y.AxisWidth = 4;
  y.AxisStyle = 3;
  y.TickType = ttGridLines;
  y.TickColor = 0x00FF00;
  y.IncText = "pi/4";
  y.Inc = std::numbers::pi_v<Extended> / 4;
  y.TickLength = 9;
  y.GridStyle = 4;
  y.ShowLabels = false;
  y.LabelFormat = nfScientific;
  y.LabelComma = false;
  y.LabelPlus = true;
  y.LabelDecimals = 7;
  s.BackColor = 0xC0C0C0;
  s.YLabelFont.name = "DejaVu Serif";
  s.YLabelFont.size = 12;
  s.YLabelFont.style = fsItalic;
  return s;
}

TEST(Settings2DDialog, ShowsItsCaptionAndControlTexts) {
  TSetting2DObj s;
  TSettings2DDlg dlg(s);
  EXPECT_EQ(dlg.windowTitle(), "2D Cartesian Graph Settings");
  for (const TSettings2DDlg::TAxisControls* c : {&dlg.X, &dlg.Y}) {
    EXPECT_EQ(ComboItems(c->TickMarkType), QStringList({"None", "Tick Marks", "Grid Marks", "Grid Lines"}));
    EXPECT_EQ(ComboItems(c->TMLabelFormat),
              QStringList({"Max Decimal", "Fixed Decimal", "Scientific", "Currency Max Dec", "Currency Fixed Dec"}));
    EXPECT_EQ(c->ShowTMLabelComa->text(), ",");
    EXPECT_EQ(c->ShowTMLabelPlus->text(), "+");
    for (const QButtonGroup* styles : {c->AxisStyle, c->GridStyle}) {
      QStringList hints;
      for (int id = 0; id < 5; ++id) hints << styles->button(id)->toolTip();
      EXPECT_EQ(hints, QStringList({"Solid Line", "Dash Line", "Dot Line", "Dash Dot Line", "Dash Dot Dot Line"}));
      EXPECT_TRUE(styles->exclusive());
    }
    EXPECT_EQ(c->AxisWidth->minimum(), 1);
    EXPECT_EQ(c->AxisWidth->maximum(), 10);
    EXPECT_EQ(c->TickMarkLength->minimum(), 1);
    EXPECT_EQ(c->TickMarkLength->maximum(), 10);
    EXPECT_EQ(c->TMLabelDecPlaces->minimum(), 0);
    EXPECT_EQ(c->TMLabelDecPlaces->maximum(), 18);
  }
  EXPECT_EQ(dlg.X.LimitLoAxis->objectName(), "EXLimitLoAxis");
  EXPECT_EQ(dlg.Y.AxisColorSample->objectName(), "YAxisColorSample");
  EXPECT_EQ(dlg.Y.TMColorSample->objectName(), "YTMColorSample");
  EXPECT_EQ(dlg.X.LimitLoAxis->Check().emCtrlErrorName, "Limit Lo X Axis End");
  EXPECT_EQ(dlg.Y.LimitHiAxis->Check().emCtrlErrorName, "Limit Hi Y Axis End");
  EXPECT_EQ(dlg.Y.TickMarkInc->Check().emCtrlErrorName, "Y Tick Mark Increments");
}

TEST(Settings2DDialog, LoadsEveryFieldAndOkWithoutChangesStoresThemAgain) {
  const TSetting2DObj original = OddSettings();
  TSetting2DObj s = original;
  TSettings2DDlg dlg(s);
  const TSettings2DDlg::TAxisControls& y = dlg.Y;
  EXPECT_FALSE(y.ShowAxisLines->isChecked());
  EXPECT_EQ(y.LimitLoAxis->text(), "-2pi");
  EXPECT_EQ(y.LimitHiAxis->text(), "7");
  EXPECT_EQ(y.AxisColorSample->Color(), 0x0000FFu);
  EXPECT_EQ(y.AxisWidth->value(), 4);
  EXPECT_EQ(y.AxisWidthLabel->text(), "4");
  EXPECT_EQ(y.AxisStyle->checkedId(), 3);
  EXPECT_EQ(y.TickMarkType->currentIndex(), 3);
  EXPECT_EQ(y.TMColorSample->Color(), 0x00FF00u);
  EXPECT_EQ(y.TickMarkInc->text(), "pi/4");
  EXPECT_EQ(y.TickMarkLength->value(), 9);
  EXPECT_EQ(y.TickMarkLengthLabel->text(), "9");
  EXPECT_EQ(y.GridStyle->checkedId(), 4);
  EXPECT_FALSE(y.ShowTMLabels->isChecked());
  EXPECT_EQ(y.TMLabelFormat->currentIndex(), nfScientific);
  EXPECT_EQ(y.TMLabelDecPlaces->value(), 7);  // loading a format keeps the stored decimals
  EXPECT_FALSE(y.ShowTMLabelComa->isEnabled());
  EXPECT_EQ(y.DecPlacesCaption->text(), "Precision");
  EXPECT_EQ(dlg.X.DecPlacesCaption->text(), "Decimal Places");
  EXPECT_EQ(dlg.BackColorSample->Color(), 0xC0C0C0u);

  TScopedScriptedMessages messages;
  dlg.accept();
  EXPECT_TRUE(messages->shown.empty());
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  ExpectSameSettings(s, original);
}

TEST(Settings2DDialog, FormatChoiceSetsDecimalsAndEnablesTheBoxes) {
  TSetting2DObj s;
  TSettings2DDlg dlg(s);
  const TSettings2DDlg::TAxisControls& x = dlg.X;
  const struct {
    int format;
    int decimals;
    bool comma;
    bool plus;
    const char* caption;
  } steps[] = {
      {nfScientific, 3, false, true, "Precision"},
      {nfMaxDecimal, 1, true, true, "Decimal Places"},
      {nfCurrencyFixedDec, 2, false, false, "Decimal Places"},
      {nfFixedDecimal, 1, true, true, "Decimal Places"},
      {nfCurrencyMaxDec, 2, false, false, "Decimal Places"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.format);
    x.TMLabelDecPlaces->setValue(9);
    x.TMLabelFormat->setCurrentIndex(step.format);
    EXPECT_EQ(x.TMLabelDecPlaces->value(), step.decimals);
    EXPECT_EQ(x.ShowTMLabelComa->isEnabled(), step.comma);
    EXPECT_EQ(x.ShowTMLabelPlus->isEnabled(), step.plus);
    EXPECT_EQ(x.DecPlacesCaption->text(), step.caption);
  }
  EXPECT_EQ(dlg.Y.TMLabelDecPlaces->value(), 1);  // the other axis is left alone
}

TEST(Settings2DDialog, OkValidatesInOrderAndKeepsTheDialogOpen) {
  struct TCase {
    const char* xLo;
    const char* xHi;
    const char* xInc;
    const char* yLo;
    const char* yHi;
    const char* yInc;
    const char* message;
  };
  const TCase cases[] = {
      {"1/0", "", "1", "", "", "y", "Error in: Limit Lo X Axis End: Division by Zero"},
      {"", "2*10^12+1", "1", "", "", "1",
       "Error: Limit Hi X Axis End must be >= -1,000,000,000,000 and <= 1,000,000,000,000"},
      {"", "", "0", "", "", "1", "Error: X Tick Mark Increments must be > 0 and <= 1,000,000,000,000"},
      {"5", "2", "1", "x", "", "1", "Error in: Limit Lo Y Axis End: Unknown Symbol at Character 1"},
      {"", "", "1", "", "-10^13", "1",
       "Error: Limit Hi Y Axis End must be >= -1,000,000,000,000 and <= 1,000,000,000,000"},
      {"", "", "1", "", "", "", "Error in: Y Tick Mark Increments: Empty Expression"},
      {"5", "2", "1", "5", "2", "1", "Error: Limit Lo X Axis End must be <= Limit Hi X Axis End"},
      {"", "", "1", "5", "2", "1", "Error: Limit Lo Y Axis End must be <= Limit Hi Y Axis End"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.message);
    TSetting2DObj s;
    TSettings2DDlg dlg(s);
    TEditMathConst* fields[] = {dlg.X.LimitLoAxis, dlg.X.LimitHiAxis, dlg.X.TickMarkInc,
                                dlg.Y.LimitLoAxis, dlg.Y.LimitHiAxis, dlg.Y.TickMarkInc};
    const char* texts[] = {c.xLo, c.xHi, c.xInc, c.yLo, c.yHi, c.yInc};
    for (int i = 0; i < 6; ++i) fields[i]->setText(texts[i]);
    TScopedScriptedMessages messages;
    dlg.accept();
    EXPECT_EQ(OnlyMessage(messages), c.message);
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    ExpectSameSettings(s, TSetting2DObj());
    // The field named first in the message has the focus.
    TEditMathConst* named = nullptr;
    for (TEditMathConst* field : fields)
      if (!named && std::string(c.message).find(field->Check().emCtrlErrorName) != std::string::npos) named = field;
    EXPECT_EQ(dlg.focusWidget(), named);
  }
}

TEST(Settings2DDialog, AnEmptyLimitIsNoLimit) {
  TSetting2DObj s;
  TSettings2DDlg dlg(s);
  dlg.X.LimitLoAxis->setText("5");
  dlg.Y.LimitHiAxis->setText("-sqrt(4)");
  TScopedScriptedMessages messages;
  dlg.accept();
  EXPECT_TRUE(messages->shown.empty());
  EXPECT_FALSE(s.X.LimitLoEmpty);
  EXPECT_EQ(s.X.LimitLo, 5);
  EXPECT_EQ(s.X.LimitLoText, "5");
  EXPECT_TRUE(s.X.LimitHiEmpty);
  EXPECT_TRUE(s.Y.LimitLoEmpty);
  EXPECT_FALSE(s.Y.LimitHiEmpty);
  EXPECT_EQ(s.Y.LimitHi, -2);
}

TEST(Settings2DDialog, OkStoresEveryControlAndCancelNothing) {
  for (const bool ok : {false, true}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    TSetting2DObj s;
    TScopedScriptedCommonDlgs dialogs;
    TSettings2DDlg dlg(s);
    TSettings2DDlg::TAxisControls& x = dlg.X;
    x.ShowAxisLines->setChecked(false);
    x.AxisWidth->setValue(7);
    x.AxisStyle->button(1)->click();
    x.TickMarkType->setCurrentIndex(ttGridMarks);
    x.TickMarkInc->setText("0.5");
    x.TickMarkLength->setValue(3);
    x.GridStyle->button(0)->click();
    x.ShowTMLabels->setChecked(false);
    x.TMLabelFormat->setCurrentIndex(nfCurrencyFixedDec);
    x.TMLabelDecPlaces->setValue(4);
    x.ShowTMLabelPlus->setChecked(true);
    dialogs->QueueColor(0x112233);
    x.AxisColorSample->click();
    dialogs->QueueColor(0x445566);
    x.TMColorSample->click();
    dialogs->QueueColor(0x778899);
    dlg.BackColorSample->click();
    TFontDesc big;
    big.size = 20;
    big.style = fsBold;
    dialogs->QueueFont(big);
    dlg.Y.FontButton->click();
    ASSERT_EQ(dialogs->asked.size(), 4u);
    EXPECT_EQ(dialogs->asked[2].color, 0xFFFFFFu);  // preset to the sample's colour
    EXPECT_EQ(dialogs->asked[3].font, TFontDesc{});
    EXPECT_TRUE(dlg.Y.FontText->text().startsWith("DejaVu Sans, 20 pt"));

    if (!ok) {
      dlg.reject();
      ExpectSameSettings(s, TSetting2DObj());
      continue;
    }
    TScopedScriptedMessages messages;
    dlg.accept();
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_FALSE(s.X.ShowAxisLines);
    EXPECT_EQ(s.X.AxisWidth, 7);
    EXPECT_EQ(s.X.AxisStyle, 1);
    EXPECT_EQ(s.X.TickType, ttGridMarks);
    EXPECT_EQ(s.X.IncText, "0.5");
    EXPECT_EQ(s.X.Inc, 0.5);
    EXPECT_EQ(s.X.TickLength, 3);
    EXPECT_EQ(s.X.GridStyle, 0);
    EXPECT_FALSE(s.X.ShowLabels);
    EXPECT_EQ(s.X.LabelFormat, nfCurrencyFixedDec);
    EXPECT_EQ(s.X.LabelDecimals, 4);
    EXPECT_TRUE(s.X.LabelPlus);
    EXPECT_EQ(s.X.AxisColor, 0x112233u);
    EXPECT_EQ(s.X.TickColor, 0x445566u);
    EXPECT_EQ(s.BackColor, 0x778899u);
    EXPECT_EQ(s.YLabelFont, big);
    EXPECT_EQ(s.XLabelFont, TFontDesc{});
    EXPECT_EQ(AxisFields(s.Y), AxisFields(TAxisSettings{}));
  }
}

TEST(Settings2DDialog, UnknownStylesShowAsSolid) {
  TSetting2DObj s;
  s.X.AxisStyle = 9;
  s.X.GridStyle = 5;  // clear is not offered
  TSettings2DDlg dlg(s);
  EXPECT_EQ(dlg.X.AxisStyle->checkedId(), 0);
  EXPECT_EQ(dlg.X.GridStyle->checkedId(), 0);
}

// ---- function dialog ------------------------------------------------------------

// A function as the window would make it, compiled.
std::unique_ptr<TFunc2DObj> MakeFunction(const std::string& definition) {
  auto func = std::make_unique<TFunc2DObj>();
  func->Func.SetExpression(definition);
  EXPECT_TRUE(func->Func.Compile()) << definition;
  return func;
}

std::string ManyLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += std::to_string(i) + "\n";
  return text;
}

TEST(Add2DFuncDialog, ShowsItsCaptionsAndTexts) {
  TFunc2DObj func;
  TAdd2DFuncDlg add(func, true);
  TAdd2DFuncDlg modify(func, false);
  EXPECT_EQ(add.windowTitle(), "Add 2D Function");
  EXPECT_EQ(modify.windowTitle(), "Modify 2D Function");
  EXPECT_EQ(add.focusWidget(), add.EUserFuncStr);
  const QStringList labels = LabelTexts(add);
  for (const char* text : {"Y=f(x)=", "<= X <=", "Attempt Positive to Negative", "Attempt Extra Drawing Accuracy"})
    EXPECT_TRUE(labels.contains(text)) << text;
  EXPECT_EQ(add.EAsymFixUp->text(), "Vertical Asymptote Fix Up.");
  EXPECT_EQ(add.EExtraUndefAccuracy->text(), "Near Undefined Points.");
  EXPECT_TRUE(GroupTitles(add).contains("Special X Values to Plot"));
  EXPECT_EQ(add.EForcePointsMemo->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(add.ELineWidth->minimum(), 1);
  EXPECT_EQ(add.ELineWidth->maximum(), 10);
  EXPECT_EQ(add.ELoBoundStr->Check().emCtrlErrorName, "Lower Bound");
  EXPECT_EQ(add.EHiBoundStr->Check().emCtrlErrorName, "Upper Bound");
}

TEST(Add2DFuncDialog, OkRefusesInOrderAndFocusesTheOffendingControl) {
  enum TFocus { Definition, Lower, Upper, Memo };
  struct TCase {
    const char* definition;
    const char* lo;
    const char* hi;
    std::string memo;
    const char* message;
    TFocus focus;
  };
  const TCase cases[] = {
      {"x", "x", "", "", "Error in: Lower Bound: Unknown Symbol at Character 1", Lower},
      {"x", "", "10^13", "", "Error: Upper Bound must be >= -1,000,000,000,000 and <= 1,000,000,000,000", Upper},
      {"x", "2", "1", "", "Lower Bound must be <= Upper Bound", Lower},
      {"x", "", "", ManyLines(1001), "Special X Values to Plot, Can Not Contain More Than 1000 Values", Memo},
      {"x", "", "", "1\npi*\n3",
       "Error in: Special X Values to Plot, Line Number 2: Expression Syntax Error at Character 3", Memo},
      {"x", "", "", "1\n\n3", "Error in: Special X Values to Plot, Line Number 2: Empty Expression", Memo},
      {"", "", "", "1/0", "Error in: Special X Values to Plot, Line Number 1: Division by Zero", Memo},
      {"", "", "", "1", "Error in: Function Definition: Empty Expression", Definition},
      {"y", "0", "0", "", "Error in: Function Definition: Unknown Symbol at Character 1", Definition},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.message);
    auto func = MakeFunction("x^2");
    TAdd2DFuncDlg dlg(*func, false);
    dlg.EUserFuncStr->setText(c.definition);
    dlg.ELoBoundStr->setText(c.lo);
    dlg.EHiBoundStr->setText(c.hi);
    dlg.EForcePointsMemo->setPlainText(QString::fromStdString(c.memo));
    TScopedScriptedMessages messages;
    dlg.accept();
    EXPECT_EQ(OnlyMessage(messages), c.message);
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    QWidget* focus[] = {dlg.EUserFuncStr, dlg.ELoBoundStr, dlg.EHiBoundStr, dlg.EForcePointsMemo};
    EXPECT_EQ(dlg.focusWidget(), focus[c.focus]);
    EXPECT_EQ(func->Func.Expression(), "x^2");
    EXPECT_TRUE(func->LoBoundEmpty);
    EXPECT_TRUE(func->SpecialXLines.empty());
  }
}

TEST(Add2DFuncDialog, OkStoresTheFunction) {
  auto func = MakeFunction("x");
  TScopedScriptedCommonDlgs dialogs;
  TAdd2DFuncDlg dlg(*func, true);
  dlg.EUserFuncStr->setText("sin(x)/x");
  dlg.EHiBoundStr->setText("1");
  dlg.EAsymFixUp->setChecked(true);
  dlg.EExtraUndefAccuracy->setChecked(true);
  dlg.ELineWidth->setValue(3);
  EXPECT_EQ(dlg.LineWidthLabel->text(), "3");
  dialogs->QueueColor(0x00FF00);
  dlg.ColorButton1->click();
  EXPECT_EQ(dialogs->asked.at(0).color, 0xFF0000u);  // preset to the function's colour
  dlg.EForcePointsMemo->setPlainText("3\n1\n2\n1\npi/2\n");
  TScopedScriptedMessages messages;
  dlg.accept();
  EXPECT_TRUE(messages->shown.empty());
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(func->Func.Expression(), "sin(x)/x");
  Extended y = 0;
  EXPECT_TRUE(func->Func.ValueAt(std::numbers::pi_v<Extended>, y));  // compiled
  EXPECT_NEAR(double(y), 0, 1e-15);
  EXPECT_TRUE(func->LoBoundEmpty);
  EXPECT_EQ(func->LoBoundText, "");
  EXPECT_FALSE(func->HiBoundEmpty);
  EXPECT_EQ(func->HiBoundText, "1");
  EXPECT_EQ(func->HiBound, 1);
  EXPECT_TRUE(func->AsymptoteFixUp);
  EXPECT_TRUE(func->ExtraAccuracy);
  EXPECT_EQ(func->Width, 3);
  EXPECT_EQ(func->Color, 0x00FF00u);
  EXPECT_EQ(func->SpecialXLines, std::vector<std::string>({"3", "1", "2", "1", "pi/2"}));
  EXPECT_EQ(func->SpecialX, std::vector<Extended>({1, std::numbers::pi_v<Extended> / 2, 2, 3}));
}

TEST(Add2DFuncDialog, ThousandSpecialValuesAreAccepted) {
  auto func = MakeFunction("x");
  TAdd2DFuncDlg dlg(*func, false);
  dlg.EForcePointsMemo->setPlainText(QString::fromStdString(ManyLines(1000)));
  TScopedScriptedMessages messages;
  dlg.accept();
  EXPECT_TRUE(messages->shown.empty());
  ASSERT_EQ(func->SpecialX.size(), 1000u);
  EXPECT_EQ(func->SpecialX.back(), 999);
}

TEST(Add2DFuncDialog, UnchangedSpecialLinesKeepTheirValues) {
  auto func = MakeFunction("x");
  func->SpecialXLines = {"1", "2"};
  func->SpecialX = {5};  // not what the lines say: shows whether they were parsed again
  TAdd2DFuncDlg dlg(*func, false);
  EXPECT_EQ(dlg.EForcePointsMemo->toPlainText(), "1\n2");
  dlg.EUserFuncStr->setText("2x");
  TScopedScriptedMessages messages;
  dlg.accept();
  EXPECT_EQ(func->Func.Expression(), "2x");
  EXPECT_EQ(func->SpecialX, std::vector<Extended>({5}));
}

TEST(Add2DFuncDialog, CancelChangesNothing) {
  auto func = MakeFunction("x");
  TScopedScriptedCommonDlgs dialogs;
  TAdd2DFuncDlg dlg(*func, false);
  dlg.EUserFuncStr->setText("x^3");
  dlg.ELoBoundStr->setText("-1");
  dlg.EAsymFixUp->setChecked(true);
  dlg.ELineWidth->setValue(9);
  dlg.EForcePointsMemo->setPlainText("1");
  dialogs->QueueColor(0x00FF00);
  dlg.EFuncColorSample->click();
  dlg.reject();
  EXPECT_EQ(func->Func.Expression(), "x");
  EXPECT_TRUE(func->LoBoundEmpty);
  EXPECT_FALSE(func->AsymptoteFixUp);
  EXPECT_EQ(func->Width, 1);
  EXPECT_EQ(func->Color, 0xFF0000u);
  EXPECT_TRUE(func->SpecialXLines.empty());
}

TEST(Add2DFuncDialog, RunsAsTheFunctionsNewAndModifyDialog) {
  TScopedDialogService dialogs;
  RegisterFunc2DDialog(Dialogs());
  TFunc2DObj func;
  OnNextModal([](QWidget* modal) {
    auto* dlg = qobject_cast<TAdd2DFuncDlg*>(modal);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->windowTitle(), "Add 2D Function");
    EXPECT_EQ(dlg->EFuncColorSample->Color(), 0x008000u);
    dlg->EUserFuncStr->setText("x^2");
    dlg->Buttons->button(QDialogButtonBox::Ok)->click();
  });
  EXPECT_TRUE(func.NewDialog(0x008000));
  EXPECT_EQ(func.GetDescription(), "Y=f(x)=x^2");
  EXPECT_EQ(func.Color, 0x008000u);

  OnNextModal([](QWidget* modal) {
    auto* dlg = qobject_cast<TAdd2DFuncDlg*>(modal);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->windowTitle(), "Modify 2D Function");
    EXPECT_EQ(dlg->EUserFuncStr->text(), "x^2");
    dlg->EUserFuncStr->setText("x^4");
    dlg->Buttons->button(QDialogButtonBox::Cancel)->click();
  });
  EXPECT_FALSE(func.ModifyDialog());
  EXPECT_EQ(func.GetDescription(), "Y=f(x)=x^2");
}

// ---- function list dialog --------------------------------------------------------

// Counts the functions freed, to see when the list dialog frees deleted ones.
int gFreed = 0;
struct TCountedFunc : TFunc2DObj {
  ~TCountedFunc() override { ++gFreed; }
};

// Stands in for the function dialog: appends "+1" to the definition, or cancels.
bool gModifyAnswers = true;
bool AppendOne(TFunc2DObj& func, bool addMode) {
  EXPECT_FALSE(addMode);
  if (!gModifyAnswers) return false;
  func.Func.SetExpression(func.Func.Expression() + "+1");
  return func.Func.Compile();
}

class FuncListDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    gFreed = 0;
    gModifyAnswers = true;
    dialogs->Register<TFunc2DObj>(&AppendOne);
    for (const char* definition : {"x", "x^2", "x^3"}) {
      auto func = std::make_unique<TCountedFunc>();
      func->Func.SetExpression(definition);
      func->Func.Compile();
      original_.push_back(func.get());
      list_.push_back(std::move(func));
    }
  }
  QStringList Items(const TFuncListDlg& dlg) const {
    QStringList items;
    for (int i = 0; i < dlg.FListBox->count(); ++i) items << dlg.FListBox->item(i)->text();
    return items;
  }
  std::vector<TFunc2DObj*> Pointers() const {
    std::vector<TFunc2DObj*> pointers;
    for (const auto& func : list_) pointers.push_back(func.get());
    return pointers;
  }

  // The list as the dialog takes it.
  std::vector<TBaseFuncObj*> ForDialog() const {
    std::vector<TBaseFuncObj*> items;
    for (const auto& func : list_) items.push_back(func.get());
    return items;
  }

  TScopedDialogService dialogs;
  TFuncList<TFunc2DObj> list_;
  std::vector<TFunc2DObj*> original_;
};

TEST_F(FuncListDialog, ListsTheDescriptionsWithTheFirstSelected) {
  TFuncListDlg dlg(ForDialog());
  EXPECT_EQ(dlg.windowTitle(), "Edit Function List");
  EXPECT_EQ(dlg.ModifyButton->text(), "&Modify");
  EXPECT_EQ(dlg.DeleteButton->text(), "Delete");
  EXPECT_EQ(Items(dlg), QStringList({"Y=f(x)=x", "Y=f(x)=x^2", "Y=f(x)=x^3"}));
  EXPECT_EQ(dlg.FListBox->currentRow(), 0);

  TFuncListDlg none({});
  EXPECT_EQ(none.FListBox->currentRow(), -1);
  none.ModifyClick();
  none.DeleteClick();
  none.MoveDown();
  const TFuncListChanges changes = none.Changes();
  EXPECT_FALSE(changes.modified || changes.deleted || changes.moved);
}

TEST_F(FuncListDialog, DeleteSelectsTheSameIndexOrTheNewLast) {
  TFuncListDlg dlg(ForDialog());
  dlg.FListBox->setCurrentRow(1);
  dlg.DeleteButton->click();
  EXPECT_EQ(Items(dlg), QStringList({"Y=f(x)=x", "Y=f(x)=x^3"}));
  EXPECT_EQ(dlg.FListBox->currentRow(), 1);
  QTest::keyClick(dlg.FListBox, Qt::Key_Delete);
  EXPECT_EQ(Items(dlg), QStringList({"Y=f(x)=x"}));
  EXPECT_EQ(dlg.FListBox->currentRow(), 0);
  EXPECT_TRUE(dlg.Changes().deleted);
  EXPECT_EQ(gFreed, 0);  // not before OK
  EXPECT_EQ(Pointers(), original_);
}

TEST_F(FuncListDialog, UpAndDownMoveTheSelectedFunction) {
  TFuncListDlg dlg(ForDialog());
  dlg.UpButton->click();  // at the top: nothing
  EXPECT_FALSE(dlg.Changes().moved);
  dlg.DownButton->click();
  EXPECT_EQ(dlg.FListBox->currentRow(), 1);
  dlg.DownButton->click();
  EXPECT_EQ(dlg.FListBox->currentRow(), 2);
  dlg.DownButton->click();  // at the bottom: nothing
  EXPECT_EQ(Items(dlg), QStringList({"Y=f(x)=x^2", "Y=f(x)=x^3", "Y=f(x)=x"}));
  dlg.FListBox->setCurrentRow(1);
  dlg.UpButton->click();
  EXPECT_EQ(dlg.FListBox->currentRow(), 0);
  EXPECT_EQ(Items(dlg), QStringList({"Y=f(x)=x^3", "Y=f(x)=x^2", "Y=f(x)=x"}));
  EXPECT_TRUE(dlg.Changes().moved);
  EXPECT_EQ(Pointers(), original_);  // the window's list waits for OK
}

TEST_F(FuncListDialog, ModifyChangesTheFunctionAtOnce) {
  TFuncListDlg dlg(ForDialog());
  dlg.FListBox->setCurrentRow(2);
  gModifyAnswers = false;
  dlg.ModifyButton->click();
  EXPECT_FALSE(dlg.Changes().modified);
  gModifyAnswers = true;
  dlg.ModifyButton->click();
  EXPECT_TRUE(dlg.Changes().modified);
  EXPECT_EQ(dlg.FListBox->item(2)->text(), "Y=f(x)=x^3+1");
  EXPECT_EQ(dlg.FListBox->currentRow(), 2);
  EXPECT_EQ(original_[2]->Func.Expression(), "x^3+1");
  emit dlg.FListBox->itemDoubleClicked(dlg.FListBox->item(2));
  EXPECT_EQ(dlg.FListBox->item(2)->text(), "Y=f(x)=x^3+1+1");
}

TEST_F(FuncListDialog, CancelKeepsTheListButReportsModifications) {
  const struct {
    const char* name;
    std::function<void(TFuncListDlg&)> act;
    TFuncListChanges expected;
  } cases[] = {
      {"delete", [](TFuncListDlg& dlg) { dlg.DeleteClick(); }, {false, false, false}},
      {"move", [](TFuncListDlg& dlg) { dlg.MoveDown(); }, {false, false, false}},
      {"modify", [](TFuncListDlg& dlg) { dlg.ModifyClick(); }, {true, false, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OnNextModal([&c](QWidget* modal) {
      auto* dlg = qobject_cast<TFuncListDlg*>(modal);
      ASSERT_NE(dlg, nullptr);
      c.act(*dlg);
      dlg->Buttons->button(QDialogButtonBox::Cancel)->click();
    });
    const TFuncListChanges changes = TFuncListDlg::Edit(nullptr, list_);
    EXPECT_EQ(changes.modified, c.expected.modified);
    EXPECT_EQ(changes.deleted, c.expected.deleted);
    EXPECT_EQ(changes.moved, c.expected.moved);
    EXPECT_EQ(Pointers(), original_);
    EXPECT_EQ(gFreed, 0);
  }
  EXPECT_EQ(original_[0]->Func.Expression(), "x+1");  // the modification stays
}

TEST_F(FuncListDialog, OkReportsWhatWasDone) {
  OnNextModal([](QWidget* modal) {
    auto* dlg = qobject_cast<TFuncListDlg*>(modal);
    ASSERT_NE(dlg, nullptr);
    dlg->MoveDown();
    dlg->DeleteClick();
    dlg->Buttons->button(QDialogButtonBox::Ok)->click();
  });
  const TFuncListChanges changes = TFuncListDlg::Edit(nullptr, list_);
  EXPECT_FALSE(changes.modified);
  EXPECT_TRUE(changes.deleted);
  EXPECT_TRUE(changes.moved);
  EXPECT_EQ(Pointers(), std::vector<TFunc2DObj*>({original_[1], original_[2]}));
  EXPECT_EQ(gFreed, 1);
}

// ---- view dialog -----------------------------------------------------------------

TEST(Change2DViewDialog, LoadsTheViewInItsGroups) {
  TView2D view{35, 40, 87.6L, -35};
  TChange2DViewDlg dlg(view);
  EXPECT_EQ(dlg.windowTitle(), "Change 2D Cartesian View");
  EXPECT_EQ(GroupTitles(dlg),
            QStringList({"View Center (Graph Units From Center)", "View Center (Pixels From Center)", "View Zoom"}));
  const QStringList labels = LabelTexts(dlg);
  EXPECT_TRUE(labels.contains("Values given in Pixels Per Graph Unit."));
  EXPECT_TRUE(labels.contains("Values where (1 > Zoom > 0) Give\nMultiple Graph Units Per Pixel."));
  EXPECT_EQ(dlg.EXViewZoom->text(), "35");
  EXPECT_EQ(dlg.EYViewZoom->text(), "40");
  EXPECT_EQ(dlg.EPixelsX->value(), 88);
  EXPECT_EQ(dlg.EPixelsY->value(), -35);
  EXPECT_EQ(dlg.ECartesianX->text(), "2.514285714285714");
  EXPECT_EQ(dlg.ECartesianY->text(), "-0.875");
  EXPECT_EQ(dlg.EPixelsX->minimum(), -100000);
  EXPECT_EQ(dlg.EPixelsX->maximum(), 100000);
  EXPECT_EQ(dlg.ECartesianY->Check().emCtrlErrorName, "Cartesian Y Center");
  EXPECT_EQ(dlg.EYViewZoom->Check().emCtrlErrorName, "Y Axis Zoom");
}

TEST(Change2DViewDialog, CartesianFieldsSetWholePixels) {
  const struct {
    const char* x;
    const char* y;
    int pixelsX, pixelsY;
    const char* shownX;
    const char* shownY;
  } cases[] = {
      {"2.5", "0", 88, 0, "2.514285714285714", "0"},  // 87.5 rounds to even
      {"2.5+1/70", "-1", 88, -35, "2.514285714285714", "-1"},
      {"10^6", "-10^6", 100000, -100000, "2857.14285714285714", "-2857.14285714285714"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    TView2D view;
    TChange2DViewDlg dlg(view);
    dlg.ECartesianX->setText(c.x);
    dlg.ECartesianY->setText(c.y);
    EXPECT_TRUE(dlg.CartesianExit(dlg.ECartesianX));
    EXPECT_EQ(dlg.EPixelsX->value(), c.pixelsX);
    EXPECT_EQ(dlg.EPixelsY->value(), c.pixelsY);
    EXPECT_EQ(dlg.ECartesianX->text(), c.shownX);
    EXPECT_EQ(dlg.ECartesianY->text(), c.shownY);
  }
}

TEST(Change2DViewDialog, AnInvalidCartesianFieldComplains) {
  TView2D view;
  TChange2DViewDlg dlg(view);
  dlg.ECartesianY->setText("1/0");
  TScopedScriptedMessages messages;
  EXPECT_FALSE(dlg.CartesianExit(dlg.ECartesianY));
  EXPECT_EQ(OnlyMessage(messages), "Error in: Cartesian Y Center: Division by Zero");
  EXPECT_EQ(dlg.focusWidget(), dlg.ECartesianY);
  EXPECT_EQ(dlg.EPixelsY->value(), 0);
}

TEST(Change2DViewDialog, PixelFieldsRefreshTheCartesianFields) {
  TView2D view;
  TChange2DViewDlg dlg(view);
  dlg.EPixelsY->setValue(70);
  EXPECT_EQ(dlg.ECartesianY->text(), "2");
  dlg.EPixelsX->setValue(250000);  // limited
  EXPECT_EQ(dlg.EPixelsX->value(), 100000);
  EXPECT_EQ(dlg.ECartesianX->text(), "2857.14285714285714");
}

TEST(Change2DViewDialog, ZoomOutsideTheRangeAsksWhatToDo) {
  const struct {
    bool x;
    const char* text;
    TMsgAnswer answer;
    Extended zoom;
    const char* shown;
  } cases[] = {
      {true, "20000", TMsgAnswer::Ignore, 10000, "10000"}, {true, "0.00001", TMsgAnswer::Ignore, 0.0001L, "0.0001"},
      {true, "-3", TMsgAnswer::Ignore, 0.0001L, "0.0001"}, {true, "20000", TMsgAnswer::Cancel, 35, "35"},
      {true, "20000", TMsgAnswer::OK, 35, "20000"},        {false, "10001", TMsgAnswer::Ignore, 10000, "10000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TView2D view;
    view.centerX = view.centerY = 70;
    TChange2DViewDlg dlg(view);
    TEditMathConst* field = c.x ? dlg.EXViewZoom : dlg.EYViewZoom;
    field->setText(c.text);
    TScopedScriptedMessages messages;
    messages->QueueAnswer(c.answer);
    EXPECT_FALSE(dlg.ZoomExit(field));
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].kind, TMsgKind::Error);
    EXPECT_EQ(messages->shown[0].buttons, TMsgButtons::OKCancelIgnore);
    EXPECT_EQ(messages->shown[0].text, c.x ? "Error: X Axis View Zoom Must Be <= 10,000 and >= 0.0001"
                                           : "Error: Y Axis View Zoom Must Be <= 10,000 and >= 0.0001");
    EXPECT_EQ(c.x ? dlg.ZoomX() : dlg.ZoomY(), c.zoom);
    EXPECT_EQ(field->text(), c.shown);
    EXPECT_EQ(dlg.focusWidget(), field);
    EXPECT_EQ((c.x ? dlg.ECartesianX : dlg.ECartesianY)->text().toStdString(), ShortFixed(70 / c.zoom));
  }
}

TEST(Change2DViewDialog, AZoomInRangeRefreshesTheCartesianFields) {
  TView2D view;
  view.centerX = 140;
  TChange2DViewDlg dlg(view);
  for (const char* text : {"70", "0.0001", "10000"}) {
    dlg.EXViewZoom->setText(text);
    TScopedScriptedMessages messages;
    EXPECT_TRUE(dlg.ZoomExit(dlg.EXViewZoom));
    EXPECT_TRUE(messages->shown.empty());
  }
  dlg.EXViewZoom->setText("70");
  dlg.ZoomExit(dlg.EXViewZoom);
  EXPECT_EQ(dlg.ZoomX(), 70);
  EXPECT_EQ(dlg.ECartesianX->text(), "2");
  EXPECT_EQ(dlg.EPixelsX->value(), 140);  // the pixel centre stays
}

TEST(Change2DViewDialog, OkWritesTheViewAndCancelDoesNot) {
  for (const bool ok : {false, true}) {
    TView2D view{35, 35, 10.25L, -3.5L};
    TChange2DViewDlg dlg(view);
    dlg.EYViewZoom->setText("2.5");
    dlg.ZoomExit(dlg.EYViewZoom);
    dlg.EPixelsX->setValue(-400);
    if (!ok) {
      dlg.reject();
      EXPECT_EQ(view.zoomY, 35);
      EXPECT_EQ(view.centerX, 10.25L);
      continue;
    }
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(view.zoomX, 35);
    EXPECT_EQ(view.zoomY, 2.5);
    EXPECT_EQ(view.centerX, -400);
    EXPECT_EQ(view.centerY, -4);  // -3.5 rounds to even; the centre becomes whole pixels
  }
}

TEST(Change2DViewDialog, EnterAppliesTheTypedFieldBeforeClosing) {
  TView2D view;
  TChange2DViewDlg dlg(view);
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
  {
    TScopedScriptedMessages messages;
    dlg.EXViewZoom->setFocus();
    dlg.EXViewZoom->selectAll();
    QTest::keyClicks(dlg.EXViewZoom, "50000");
    messages->QueueAnswer(TMsgAnswer::OK);
    QTest::keyClick(dlg.EXViewZoom, Qt::Key_Return);
    EXPECT_EQ(messages->shown.size(), 1u);  // asked once, and the dialog stays open
    EXPECT_TRUE(dlg.isVisible());
    dlg.EXViewZoom->selectAll();
    QTest::keyClicks(dlg.EXViewZoom, "50");
    QTest::keyClick(dlg.EXViewZoom, Qt::Key_Return);
    EXPECT_EQ(messages->shown.size(), 1u);
  }
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(view.zoomX, 50);

  TView2D second;
  TChange2DViewDlg typed(second);
  typed.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&typed));
  typed.ECartesianX->setFocus();
  typed.ECartesianX->selectAll();
  QTest::keyClicks(typed.ECartesianX, "2.5");
  TScopedScriptedMessages messages;
  typed.accept();  // OK applies the field that was typed in but not left
  EXPECT_TRUE(messages->shown.empty());
  EXPECT_EQ(second.centerX, 88);
}

// ---- zoom hot key dialog ----------------------------------------------------------

class Zoom2DHotKeyDialog : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = Zoom2DSettings(); }
  void TearDown() override { Zoom2DSettings() = saved_; }

 private:
  TZoom2DSettings saved_;
};

TEST_F(Zoom2DHotKeyDialog, ShowsTheStepsByRange) {
  TZoom2DHotKeyDlg dlg;
  EXPECT_EQ(dlg.windowTitle(), "Global 2D Cartesian and Polar: Zoom Hot Key Settings");
  const QStringList labels = LabelTexts(dlg);
  const char* const ranges[] = {"10,000 to 1,000", "1,000 to 100", "100 to 20",
                                "20 to 1",         "1 to 0.01",    "0.01 to 0.0001"};
  const char* const texts[] = {"500", "25", "5", "2", "0.02", "0.0002"};
  for (int i = 0; i < kZoomRows; ++i) {
    EXPECT_TRUE(labels.contains(ranges[i])) << ranges[i];
    EXPECT_EQ(dlg.Edits[i]->Check().emCtrlErrorName, ranges[i]);
    EXPECT_EQ(dlg.Edits[i]->text(), texts[i]);
    EXPECT_EQ(dlg.Edits[i]->objectName(), QStringLiteral("Edit%1").arg(i + 1));
  }
  EXPECT_EQ(dlg.EScrollAmt->value(), 10);
  EXPECT_EQ(dlg.EScrollAmt->minimum(), 1);
  EXPECT_EQ(dlg.EScrollAmt->maximum(), 2000);
}

TEST_F(Zoom2DHotKeyDialog, OkValidatesInOrder) {
  const struct {
    int field;
    const char* text;
    const char* message;  // empty: accepted
  } cases[] = {
      {2, "0", "Error: 100 to 20 must be >= 0.00001 and <= 10,000"},
      {0, "10001", "Error: 10,000 to 1,000 must be >= 0.00001 and <= 10,000"},
      {5, "0.000009", "Error: 0.01 to 0.0001 must be >= 0.00001 and <= 10,000"},
      {3, "two", "Error in: 20 to 1: Unknown Symbol at Character 1"},
      {5, "0.00001", ""},
      {0, "10000", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TZoom2DHotKeyDlg dlg;
    dlg.Edits[c.field]->setText(c.text);
    TScopedScriptedMessages messages;
    dlg.accept();
    if (*c.message) {
      EXPECT_EQ(OnlyMessage(messages), c.message);
      EXPECT_EQ(dlg.focusWidget(), dlg.Edits[c.field]);
      EXPECT_NE(dlg.result(), QDialog::Accepted);
    } else {
      EXPECT_TRUE(messages->shown.empty());
      EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
  }
}

TEST_F(Zoom2DHotKeyDialog, OnlyTheFirstFailureIsReportedAndNothingIsStored) {
  TZoom2DHotKeyDlg dlg;
  dlg.Edits[0]->setText("600");
  dlg.Edits[1]->setText("-1");
  dlg.Edits[4]->setText("x");
  dlg.EScrollAmt->setValue(20);
  TScopedScriptedMessages messages;
  dlg.accept();
  EXPECT_EQ(OnlyMessage(messages), "Error: 1,000 to 100 must be >= 0.00001 and <= 10,000");
  EXPECT_EQ(Zoom2DSettings().increments[0], 500);
  EXPECT_EQ(Zoom2DSettings().scrollAmount, 10);
}

TEST_F(Zoom2DHotKeyDialog, OkStoresTheStepsThatZoomingUses) {
  {
    TZoom2DHotKeyDlg dlg;
    dlg.Edits[2]->setText("30");
    dlg.EScrollAmt->setValue(50);
    dlg.reject();
  }
  EXPECT_EQ(Zoom2DSettings().increments[2], 5);
  EXPECT_EQ(Zoom2DSettings().scrollAmount, 10);
  TZoom2DHotKeyDlg dlg;
  dlg.Edits[2]->setText("30");
  dlg.EScrollAmt->setValue(50);
  dlg.accept();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(Zoom2DSettings().scrollAmount, 50);
  Extended zoom = 35;
  ZoomStepIn(zoom);
  EXPECT_EQ(zoom, 65);
}

// ---- status line settings ----------------------------------------------------------

class StatusLineDialog : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = StatusModes(); }
  void TearDown() override { StatusModes() = saved_; }

 private:
  TStatusModes saved_;
};

TEST_F(StatusLineDialog, ShowsTheGroupsAndButtons) {
  TStatusLineDlg dlg;
  EXPECT_EQ(dlg.windowTitle(), "Status Line Settings");
  EXPECT_EQ(GroupTitles(dlg), QStringList({"2D Cartesian Settings", "View Center", "Mouse Position", "Polar Settings",
                                           "View Center", "Mouse Position", "3D Mouse Position Settings"}));
  const QStringList view = {"Graph Cartesian", "Graph Polar (Degrees)", "Graph Polar (Radians)", "Pixels From Center"};
  const QStringList mouse = view + QStringList{"Bitmap Pixels"};
  EXPECT_EQ(ButtonTexts(dlg.View2DGroup), view);
  EXPECT_EQ(ButtonTexts(dlg.Mouse2DGroup), mouse);
  EXPECT_EQ(ButtonTexts(dlg.ViewPolarGroup), view);
  EXPECT_EQ(ButtonTexts(dlg.MousePolarGroup), mouse);
  EXPECT_EQ(ButtonTexts(dlg.Mouse3DGroup),
            QStringList({"Graph Cartesian", "Pixels From Center", "Bitmap Pixels", "Don't Show"}));
  // The defaults.
  EXPECT_EQ(dlg.View2DGroup->checkedId(), 0);
  EXPECT_EQ(dlg.Mouse2DGroup->checkedId(), 0);
  EXPECT_EQ(dlg.ViewPolarGroup->checkedId(), 1);
  EXPECT_EQ(dlg.MousePolarGroup->checkedId(), 1);
  EXPECT_EQ(dlg.Mouse3DGroup->checkedId(), 3);
}

TEST_F(StatusLineDialog, OkStoresTheCheckedModesAndCancelNothing) {
  StatusModes() = {2, 4, 0, 3, 1};
  for (const bool ok : {false, true}) {
    TStatusLineDlg dlg;
    EXPECT_EQ(dlg.View2DGroup->checkedId(), 2);
    EXPECT_EQ(dlg.Mouse2DGroup->checkedId(), 4);
    EXPECT_EQ(dlg.ViewPolarGroup->checkedId(), 0);
    EXPECT_EQ(dlg.MousePolarGroup->checkedId(), 3);
    EXPECT_EQ(dlg.Mouse3DGroup->checkedId(), 1);
    dlg.View2DGroup->button(3)->click();
    dlg.Mouse2DGroup->button(1)->click();
    dlg.ViewPolarGroup->button(2)->click();
    dlg.MousePolarGroup->button(4)->click();
    dlg.Mouse3DGroup->button(0)->click();
    if (ok)
      dlg.Buttons->button(QDialogButtonBox::Ok)->click();
    else
      dlg.Buttons->button(QDialogButtonBox::Cancel)->click();
  }
  const TStatusModes& modes = StatusModes();
  EXPECT_EQ(modes.view2D, 3);
  EXPECT_EQ(modes.mouse2D, 1);
  EXPECT_EQ(modes.viewPolar, 2);
  EXPECT_EQ(modes.mousePolar, 4);
  EXPECT_EQ(modes.mouse3D, 0);
}

}  // namespace
}  // namespace plotix
