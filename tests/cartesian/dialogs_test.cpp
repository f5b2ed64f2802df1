// The dialogs of a 2D graph window: settings, function, function list, view, zoom hot keys
// and status line. What OK stores, what Cancel keeps, and the first complaint on OK.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <numbers>

#include "../modal.h"
#include "../told.h"
#include "cartesian/function_dialog.h"
#include "cartesian/settings_dialog.h"
#include "cartesian/view_dialog.h"
#include "expr/math_const_edit.h"
#include "expr/number_format.h"
#include "fields.h"
#include "platform/common_dialogs.h"
#include "platform/dialog_service.h"
#include "window/function_list_dialog.h"
#include "window/status_line.h"
#include "window/status_line_dialog.h"
#include "window/zoom_hot_key_dialog.h"

namespace plotix {
namespace {

constexpr Extended kPi = std::numbers::pi_v<Extended>;

// ---- settings dialog ------------------------------------------------------------

TEST(Settings2DDialog, LoadsEveryFieldAndOkWithoutChangesStoresThemAgain) {
  TSetting2DObj s;
  s.Y = {false, "-2pi", false, -2 * kPi, "7", false, 7, 0x0000FF, 4, 3, ttGridLines, 0x00FF00, "pi/4", kPi / 4, 9, 4,
         false, nfScientific, false, true, 7};
  s.BackColor = 0xC0C0C0;
  s.YLabelFont = {"DejaVu Serif", 0, fsItalic, 12};
  const TSetting2DObj original = s;
  TSettings2DDlg dlg(s);
  EXPECT_EQ(std::tuple(dlg.Y.LimitLoAxis->text(), dlg.Y.AxisStyle->checkedId(), dlg.Y.GridStyle->checkedId(),
                       dlg.Y.TickMarkType->currentIndex(), dlg.Y.AxisWidthLabel->text()),
            std::tuple(QString("-2pi"), 3, 4, 3, QString("4")));
  EXPECT_EQ(dlg.Y.TMLabelDecPlaces->value(), 7);  // loading a format keeps the stored decimals
  EXPECT_FALSE(dlg.Y.ShowTMLabelComa->isEnabled());
  EXPECT_EQ(std::tuple(dlg.Y.DecPlacesCaption->text(), dlg.X.DecPlacesCaption->text()),
            std::tuple(QString("Precision"), QString("Decimal Places")));
  TScopedScriptedMessages messages;
  dlg.accept();
  EXPECT_EQ(Told(messages), "");
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(SettingsFields(s), SettingsFields(original));
}

TEST(Settings2DDialog, FormatChoiceSetsDecimalsAndTheBoxesItAllows) {
  TSetting2DObj s;
  TSettings2DDlg dlg(s);
  const struct {
    int format, decimals;
    bool comma, plus;
    const char* caption;
  } rows[] = {
      {nfScientific, 3, false, true, "Precision"},          {nfMaxDecimal, 1, true, true, "Decimal Places"},
      {nfCurrencyFixedDec, 2, false, false, "Decimal Places"}, {nfFixedDecimal, 1, true, true, "Decimal Places"},
      {nfCurrencyMaxDec, 2, false, false, "Decimal Places"},
  };
  for (const auto& r : rows) {
    dlg.X.TMLabelDecPlaces->setValue(9);
    dlg.X.TMLabelFormat->setCurrentIndex(r.format);
    EXPECT_EQ(std::tuple(dlg.X.TMLabelDecPlaces->value(), dlg.X.ShowTMLabelComa->isEnabled(),
                         dlg.X.ShowTMLabelPlus->isEnabled(), dlg.X.DecPlacesCaption->text()),
              std::tuple(r.decimals, r.comma, r.plus, QString(r.caption)))
        << r.format;
  }
  EXPECT_EQ(dlg.Y.TMLabelDecPlaces->value(), 1);  // the other axis is left alone
}

TEST(Settings2DDialog, OkComplainsAboutTheFirstBadFieldAndKeepsTheDialogOpen) {
  const struct {
    const char* texts[6];  // X limits and increment, Y limits and increment
    const char* told;
    int focus;
  } rows[] = {
      {{"1/0", "", "1", "", "", "y"}, "E|OK|Error in: Limit Lo X Axis End: Division by Zero\n", 0},
      {{"", "2*10^12+1", "1", "", "", "1"},
       "E|OK|Error: Limit Hi X Axis End must be >= -1,000,000,000,000 and <= 1,000,000,000,000\n", 1},
      {{"", "", "0", "", "", "1"}, "E|OK|Error: X Tick Mark Increments must be > 0 and <= 1,000,000,000,000\n", 2},
      {{"5", "2", "1", "x", "", "1"}, "E|OK|Error in: Limit Lo Y Axis End: Unknown Symbol at Character 1\n", 3},
      {{"", "", "1", "", "", ""}, "E|OK|Error in: Y Tick Mark Increments: Empty Expression\n", 5},
      {{"5", "2", "1", "5", "2", "1"}, "E|OK|Error: Limit Lo X Axis End must be <= Limit Hi X Axis End\n", 0},
      {{"", "", "1", "5", "2", "1"}, "E|OK|Error: Limit Lo Y Axis End must be <= Limit Hi Y Axis End\n", 3},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.told);
    TSetting2DObj s;
    TSettings2DDlg dlg(s);
    TEditMathConst* fields[] = {dlg.X.LimitLoAxis, dlg.X.LimitHiAxis, dlg.X.TickMarkInc,
                                dlg.Y.LimitLoAxis, dlg.Y.LimitHiAxis, dlg.Y.TickMarkInc};
    for (int i = 0; i < 6; ++i) fields[i]->setText(r.texts[i]);
    TScopedScriptedMessages messages;
    dlg.accept();
    EXPECT_EQ(Told(messages), r.told);
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.focusWidget(), fields[r.focus]);
    EXPECT_EQ(SettingsFields(s), SettingsFields(TSetting2DObj()));
  }
}

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
    x.TMLabelFormat->setCurrentIndex(nfCurrencyFixedDec);
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
    EXPECT_TRUE(dlg.Y.FontText->text().startsWith("DejaVu Sans, 20 pt"));
    TScopedScriptedMessages messages;
    ok ? dlg.accept() : dlg.reject();
    EXPECT_EQ(Told(messages), "");
    if (!ok) {
      EXPECT_EQ(SettingsFields(s), SettingsFields(TSetting2DObj()));
      continue;
    }
    TAxisSettings want;
    want = {false, "5", false, 5, "", true, 0, 0x112233, 7, 1, ttGridMarks, 0x445566, "0.5", 0.5L, 3, 0, false,
            nfCurrencyFixedDec, true, true, 4};
    TAxisSettings y;  // an empty limit is no limit
    y.LimitHiText = "-sqrt(4)";
    y.LimitHiEmpty = false;
    y.LimitHi = -2;
    EXPECT_EQ(SettingsFields(s), std::tuple(AxisFields(want), AxisFields(y), 0x778899u, TFontDesc{}, big));
  }
}

// ---- function dialog ------------------------------------------------------------

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

TEST(Add2DFuncDialog, OkComplainsAboutTheFirstBadFieldAndChangesNothing) {
  enum TFocus { Definition, Lower, Upper, Memo };
  const struct {
    const char* definition;
    const char* lo;
    const char* hi;
    std::string memo;
    const char* message;
    TFocus focus;
  } rows[] = {
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
  for (const auto& r : rows) {
    SCOPED_TRACE(r.message);
    auto func = MakeFunction("x^2");
    TAdd2DFuncDlg dlg(*func, false);
    dlg.EUserFuncStr->setText(r.definition);
    dlg.ELoBoundStr->setText(r.lo);
    dlg.EHiBoundStr->setText(r.hi);
    dlg.EForcePointsMemo->setPlainText(QString::fromStdString(r.memo));
    TScopedScriptedMessages messages;
    dlg.accept();
    EXPECT_EQ(Told(messages), std::string("E|OK|") + r.message + "\n");
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    const QWidget* focus[] = {dlg.EUserFuncStr, dlg.ELoBoundStr, dlg.EHiBoundStr, dlg.EForcePointsMemo};
    EXPECT_EQ(dlg.focusWidget(), focus[r.focus]);
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
    dlg.ELineWidth->setValue(3);
    dialogs->QueueColor(0x00FF00);
    dlg.ColorButton1->click();
    EXPECT_EQ(dialogs->asked.at(0).color, 0xFF0000u);  // the chooser starts at the function's colour
    dlg.EForcePointsMemo->setPlainText("3\n1\n2\n1\npi/2\n");
    TScopedScriptedMessages messages;
    ok ? dlg.accept() : dlg.reject();
    EXPECT_EQ(Told(messages), "");
    if (!ok) {
      EXPECT_EQ(FunctionFields(*func), FunctionFields(*MakeFunction("x")));
      continue;
    }
    TFunc2DObj want;
    want.Func.SetExpression("sin(x)/x");
    want.HiBoundEmpty = false;
    want.HiBoundText = "1";
    want.LoBound = 0;  // an empty bound holds 0
    want.AsymptoteFixUp = want.ExtraAccuracy = true;
    want.Width = 3;
    want.Color = 0x00FF00;
    want.SpecialXLines = {"3", "1", "2", "1", "pi/2"};
    want.SpecialX = {1, kPi / 2, 2, 3};  // sorted, each once
    EXPECT_EQ(FunctionFields(*func), FunctionFields(want));
    Extended y = 1;
    EXPECT_TRUE(func->Func.ValueAt(kPi, y));  // compiled
    EXPECT_NEAR(double(y), 0, 1e-15);
  }
}

TEST(Add2DFuncDialog, SpecialLinesAreParsedOnlyWhenChangedAndUpToAThousand) {
  auto func = MakeFunction("x");
  func->SpecialXLines = {"1", "2"};
  func->SpecialX = {5};  // not what the lines say: shows whether they were parsed again
  TScopedScriptedMessages messages;
  {
    TAdd2DFuncDlg dlg(*func, false);
    EXPECT_EQ(dlg.EForcePointsMemo->toPlainText(), "1\n2");
    dlg.EUserFuncStr->setText("2x");
    dlg.accept();
  }
  EXPECT_EQ(std::tuple(func->Func.Expression(), func->SpecialX), std::tuple(std::string("2x"), std::vector<Extended>{5}));
  TAdd2DFuncDlg dlg(*func, false);
  dlg.EForcePointsMemo->setPlainText(QString::fromStdString(ManyLines(1000)));
  dlg.accept();
  EXPECT_EQ(Told(messages), "");
  EXPECT_EQ(std::tuple(func->SpecialX.size(), func->SpecialX.back()), std::tuple(std::size_t(1000), Extended(999)));
}

TEST(Add2DFuncDialog, RunsAsTheFunctionsNewAndModifyDialog) {
  TScopedDialogService dialogs;
  RegisterFunc2DDialog(Dialogs());
  TFunc2DObj func;
  for (const bool add : {true, false}) {
    OnNextModal([add](QWidget* modal) {
      auto* dlg = qobject_cast<TAdd2DFuncDlg*>(modal);
      ASSERT_NE(dlg, nullptr);
      EXPECT_EQ(dlg->windowTitle(), add ? "Add 2D Function" : "Modify 2D Function");
      EXPECT_EQ(dlg->EFuncColorSample->Color(), 0x008000u);
      dlg->EUserFuncStr->setText(add ? "x^2" : "x^4");
      dlg->Buttons->button(add ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    });
    EXPECT_EQ(add ? func.NewDialog(0x008000) : func.ModifyDialog(), add);
    EXPECT_EQ(func.GetDescription(), "Y=f(x)=x^2");
  }
}

// ---- function list dialog --------------------------------------------------------

// Counts the functions freed, to see when the list dialog frees deleted ones.
int gFreed = 0;
struct TCountedFunc : TFunc2DObj {
  ~TCountedFunc() override { ++gFreed; }
};

// Stands in for the function dialog: appends "+1" to the definition.
bool AppendOne(TFunc2DObj& func, bool) {
  func.Func.SetExpression(func.Func.Expression() + "+1");
  return func.Func.Compile();
}

class FuncListDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    gFreed = 0;
    dialogs->Register<TFunc2DObj>(&AppendOne);
    for (const char* definition : {"x", "x^2", "x^3"}) {
      auto func = std::make_unique<TCountedFunc>();
      func->Func.SetExpression(definition);
      func->Func.Compile();
      original_.push_back(func.get());
      list_.push_back(std::move(func));
    }
  }
  static QStringList Items(const TFuncListDlg& dlg) {
    QStringList items;
    for (int i = 0; i < dlg.FListBox->count(); ++i) items << dlg.FListBox->item(i)->text();
    return items;
  }
  std::vector<TFunc2DObj*> Pointers() const {
    std::vector<TFunc2DObj*> pointers;
    for (const auto& func : list_) pointers.push_back(func.get());
    return pointers;
  }
  std::vector<TBaseFuncObj*> ForDialog() const { return {list_[0].get(), list_[1].get(), list_[2].get()}; }

  TScopedDialogService dialogs;
  TFuncList<TFunc2DObj> list_;
  std::vector<TFunc2DObj*> original_;
};

TEST_F(FuncListDialog, DeleteMoveAndModifyWorkOnTheSelection) {
  TFuncListDlg dlg(ForDialog());
  EXPECT_EQ(Items(dlg), QStringList({"Y=f(x)=x", "Y=f(x)=x^2", "Y=f(x)=x^3"}));
  EXPECT_EQ(dlg.FListBox->currentRow(), 0);
  dlg.UpButton->click();  // at the top: nothing
  EXPECT_FALSE(dlg.Changes().moved);
  dlg.DownButton->click();
  dlg.DownButton->click();
  dlg.DownButton->click();  // at the bottom: nothing
  EXPECT_EQ(Items(dlg), QStringList({"Y=f(x)=x^2", "Y=f(x)=x^3", "Y=f(x)=x"}));
  EXPECT_EQ(dlg.FListBox->currentRow(), 2);
  dlg.FListBox->setCurrentRow(1);
  dlg.ModifyButton->click();  // at once, in the window's function too
  EXPECT_EQ(dlg.FListBox->item(1)->text(), "Y=f(x)=x^3+1");
  EXPECT_EQ(original_[2]->Func.Expression(), "x^3+1");
  dlg.DeleteButton->click();  // the same row is selected next, or the new last
  EXPECT_EQ(Items(dlg), QStringList({"Y=f(x)=x^2", "Y=f(x)=x"}));
  EXPECT_EQ(dlg.FListBox->currentRow(), 1);
  QTest::keyClick(dlg.FListBox, Qt::Key_Delete);
  EXPECT_EQ(dlg.FListBox->currentRow(), 0);
  const TFuncListChanges changes = dlg.Changes();
  EXPECT_TRUE(changes.modified && changes.deleted && changes.moved);
  EXPECT_EQ(gFreed, 0);  // nothing is freed or moved before OK
  EXPECT_EQ(Pointers(), original_);
  TFuncListDlg none({});
  none.ModifyClick();
  none.DeleteClick();
  none.MoveDown();
  EXPECT_FALSE(none.Changes().modified || none.Changes().deleted || none.Changes().moved);
}

TEST_F(FuncListDialog, OkAppliesTheListCancelOnlyTheModifications) {
  for (const bool ok : {false, true}) {
    OnNextModal([ok](QWidget* modal) {
      auto* dlg = qobject_cast<TFuncListDlg*>(modal);
      ASSERT_NE(dlg, nullptr);
      dlg->ModifyClick();
      dlg->MoveDown();
      dlg->DeleteClick();
      dlg->Buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    });
    const TFuncListChanges changes = TFuncListDlg::Edit(nullptr, list_);
    EXPECT_EQ(std::tuple(changes.modified, changes.deleted, changes.moved), std::tuple(true, ok, ok));
    if (!ok) {
      EXPECT_EQ(original_[0]->Func.Expression(), "x+1");  // a modification stays even on Cancel
    }
    EXPECT_EQ(Pointers(), ok ? std::vector<TFunc2DObj*>({original_[1], original_[2]}) : original_);
    EXPECT_EQ(gFreed, ok ? 1 : 0);
  }
}

// ---- view dialog -----------------------------------------------------------------

TEST(Change2DViewDialog, CartesianAndPixelCentresFollowEachOther) {
  TView2D loaded{35, 40, 87.6L, -35};
  TChange2DViewDlg shown(loaded);
  EXPECT_EQ(std::tuple(shown.EXViewZoom->text(), shown.EYViewZoom->text(), shown.EPixelsX->value(),
                       shown.EPixelsY->value(), shown.ECartesianX->text(), shown.ECartesianY->text()),
            std::tuple(QString("35"), QString("40"), 88, -35, QString("2.514285714285714"), QString("-0.875")));
  const struct {
    const char* x;
    const char* y;
    int pixelsX, pixelsY;
    const char* shownX;
  } rows[] = {
      {"2.5", "0", 88, 0, "2.514285714285714"},  // 87.5 rounds to even
      {"2.5+1/70", "-1", 88, -35, "2.514285714285714"},
      {"10^6", "-10^6", 100000, -100000, "2857.14285714285714"},
  };
  for (const auto& r : rows) {
    TView2D view;
    TChange2DViewDlg dlg(view);
    dlg.ECartesianX->setText(r.x);
    dlg.ECartesianY->setText(r.y);
    EXPECT_TRUE(dlg.CartesianExit(dlg.ECartesianX));
    EXPECT_EQ(std::tuple(dlg.EPixelsX->value(), dlg.EPixelsY->value(), dlg.ECartesianX->text()),
              std::tuple(r.pixelsX, r.pixelsY, QString(r.shownX)))
        << r.x;
  }
  TView2D view;
  TChange2DViewDlg dlg(view);
  dlg.EPixelsY->setValue(70);
  dlg.EPixelsX->setValue(250000);  // limited
  EXPECT_EQ(std::tuple(dlg.ECartesianY->text(), dlg.EPixelsX->value(), dlg.ECartesianX->text()),
            std::tuple(QString("2"), 100000, QString("2857.14285714285714")));
  dlg.ECartesianY->setText("1/0");
  TScopedScriptedMessages messages;
  EXPECT_FALSE(dlg.CartesianExit(dlg.ECartesianY));
  EXPECT_EQ(Told(messages), "E|OK|Error in: Cartesian Y Center: Division by Zero\n");
  EXPECT_EQ(dlg.focusWidget(), dlg.ECartesianY);
  EXPECT_EQ(dlg.EPixelsY->value(), 70);
}

TEST(Change2DViewDialog, AZoomOutsideTheRangeAsksWhatToDo) {
  const struct {
    bool x;
    const char* text;
    TMsgAnswer answer;
    Extended zoom;
    const char* shown;
  } rows[] = {
      {true, "20000", TMsgAnswer::Ignore, 10000, "10000"}, {true, "0.00001", TMsgAnswer::Ignore, 0.0001L, "0.0001"},
      {true, "-3", TMsgAnswer::Ignore, 0.0001L, "0.0001"}, {true, "20000", TMsgAnswer::Cancel, 35, "35"},
      {true, "20000", TMsgAnswer::OK, 35, "20000"},        {false, "10001", TMsgAnswer::Ignore, 10000, "10000"},
      {true, "70", TMsgAnswer::OK, 70, "70"},              {true, "0.0001", TMsgAnswer::OK, 0.0001L, "0.0001"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    TView2D view;
    view.centerX = view.centerY = 70;
    TChange2DViewDlg dlg(view);
    TEditMathConst* field = r.x ? dlg.EXViewZoom : dlg.EYViewZoom;
    field->setText(r.text);
    TScopedScriptedMessages messages;
    messages->QueueAnswer(r.answer);
    const bool inRange = r.zoom == std::strtold(r.text, nullptr);
    EXPECT_EQ(dlg.ZoomExit(field), inRange);
    EXPECT_EQ(Told(messages), inRange ? "" : std::string("E|OCI|Error: ") + (r.x ? "X" : "Y") +
                                                 " Axis View Zoom Must Be <= 10,000 and >= 0.0001\n");
    EXPECT_EQ(std::tuple(r.x ? dlg.ZoomX() : dlg.ZoomY(), field->text()), std::tuple(r.zoom, QString(r.shown)));
    if (!inRange) {
      EXPECT_EQ(dlg.focusWidget(), field);
    // The pixel centre stays; the graph centre follows the zoom.
    }
    EXPECT_EQ((r.x ? dlg.ECartesianX : dlg.ECartesianY)->text().toStdString(), ShortFixed(70 / r.zoom));
    EXPECT_EQ((r.x ? dlg.EPixelsX : dlg.EPixelsY)->value(), 70);
  }
}

TEST(Change2DViewDialog, OkWritesTheViewInWholePixelsAndCancelDoesNot) {
  for (const bool ok : {false, true}) {
    TView2D view{35, 35, 10.25L, -3.5L};
    TChange2DViewDlg dlg(view);
    dlg.EYViewZoom->setText("2.5");
    dlg.ZoomExit(dlg.EYViewZoom);
    dlg.EPixelsX->setValue(-400);
    ok ? dlg.accept() : dlg.reject();
    const TView2D want = ok ? TView2D{35, 2.5L, -400, -4} : TView2D{35, 35, 10.25L, -3.5L};  // -3.5 to even
    EXPECT_EQ(std::tuple(view.zoomX, view.zoomY, view.centerX, view.centerY),
              std::tuple(want.zoomX, want.zoomY, want.centerX, want.centerY));
  }
}

TEST(Change2DViewDialog, EnterAndOkApplyTheFieldBeingTyped) {
  TView2D view, typed;
  TChange2DViewDlg dlg(view), other(typed);
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
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
  EXPECT_EQ(std::tuple(dlg.result(), view.zoomX), std::tuple(int(QDialog::Accepted), Extended(50)));
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
  other.ECartesianX->setFocus();
  other.ECartesianX->selectAll();
  QTest::keyClicks(other.ECartesianX, "2.5");
  other.accept();  // OK applies the field that was typed in but not left
  EXPECT_EQ(typed.centerX, 88);
  EXPECT_EQ(messages->shown.size(), 1u);
}

// ---- zoom hot keys and status line -------------------------------------------------

class GlobalSettingsDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    zoom_ = Zoom2DSettings();
    modes_ = StatusModes();
  }
  void TearDown() override {
    Zoom2DSettings() = zoom_;
    StatusModes() = modes_;
  }

 private:
  TZoom2DSettings zoom_;
  TStatusModes modes_;
};

TEST_F(GlobalSettingsDialog, ZoomStepsAreCheckedInOrderAndStoredOnOk) {
  const char* const shown[] = {"500", "25", "5", "2", "0.02", "0.0002"};
  TZoom2DHotKeyDlg fresh;
  for (int i = 0; i < kZoomRows; ++i) EXPECT_EQ(fresh.Edits[i]->text(), shown[i]);
  EXPECT_EQ(fresh.EScrollAmt->value(), 10);
  const struct {
    std::vector<std::pair<int, const char*>> edits;
    const char* told;
  } rows[] = {
      {{{2, "0"}}, "E|OK|Error: 100 to 20 must be >= 0.00001 and <= 10,000\n"},
      {{{0, "10001"}}, "E|OK|Error: 10,000 to 1,000 must be >= 0.00001 and <= 10,000\n"},
      {{{5, "0.000009"}}, "E|OK|Error: 0.01 to 0.0001 must be >= 0.00001 and <= 10,000\n"},
      {{{3, "two"}}, "E|OK|Error in: 20 to 1: Unknown Symbol at Character 1\n"},
      {{{0, "600"}, {1, "-1"}, {4, "x"}}, "E|OK|Error: 1,000 to 100 must be >= 0.00001 and <= 10,000\n"},
      {{{5, "0.00001"}, {0, "10000"}}, ""},
  };
  for (const auto& r : rows) {
    TZoom2DHotKeyDlg dlg;
    for (const auto& [field, text] : r.edits) dlg.Edits[field]->setText(text);
    dlg.EScrollAmt->setValue(20);
    TScopedScriptedMessages messages;
    dlg.accept();
    EXPECT_EQ(Told(messages), r.told);
    EXPECT_EQ(dlg.result() == QDialog::Accepted, !*r.told);
    if (*r.told) {
      EXPECT_EQ(Zoom2DSettings().scrollAmount, 10);  // nothing stored
    }
  }
  EXPECT_EQ(std::tuple(Zoom2DSettings().increments[0], Zoom2DSettings().scrollAmount), std::tuple(Extended(10000), 20));
  TZoom2DHotKeyDlg cancelled;
  cancelled.Edits[2]->setText("30");
  cancelled.reject();
  EXPECT_EQ(Zoom2DSettings().increments[2], 5);
}

TEST_F(GlobalSettingsDialog, StatusLineModesAreStoredOnOk) {
  TStatusLineDlg fresh;
  EXPECT_EQ(std::tuple(fresh.View2DGroup->checkedId(), fresh.Mouse2DGroup->checkedId(), fresh.ViewPolarGroup->checkedId(),
                       fresh.MousePolarGroup->checkedId(), fresh.Mouse3DGroup->checkedId()),
            std::tuple(0, 0, 1, 1, 3));
  for (const bool ok : {false, true}) {
    TStatusLineDlg dlg;
    dlg.View2DGroup->button(3)->click();
    dlg.Mouse2DGroup->button(4)->click();
    dlg.ViewPolarGroup->button(2)->click();
    dlg.MousePolarGroup->button(0)->click();
    dlg.Mouse3DGroup->button(1)->click();
    dlg.Buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    const TStatusModes& m = StatusModes();
    EXPECT_EQ(std::tuple(m.view2D, m.mouse2D, m.viewPolar, m.mousePolar, m.mouse3D),
              ok ? std::tuple(3, 4, 2, 0, 1) : std::tuple(0, 0, 1, 1, 3));
  }
  TStatusLineDlg reopened;
  EXPECT_EQ(reopened.MousePolarGroup->checkedId(), 0);
}

}  // namespace
}  // namespace plotix
