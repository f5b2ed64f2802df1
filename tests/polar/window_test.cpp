// The polar window's commands and its dialogs: what OK stores, what is refused and why.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <functional>

#include "expr/math_const_edit.h"
#include "platform/dialog_service.h"
#include "platform/message_box.h"
#include "polar/axis_list_dialog.h"
#include "polar/function_dialog.h"
#include "polar/polar_window.h"
#include "polar/settings_dialog.h"
#include "polar/view_dialog.h"
#include "window/status_line.h"
#include "window/zoom_steps.h"

namespace plotix {
namespace {

std::vector<std::string> Texts(const TScriptedMsgHandler& h) {
  std::vector<std::string> texts;
  for (const auto& s : h.shown) texts.push_back(s.text);
  return texts;
}

// Whether a dialog shows a caption.
bool Shows(QWidget& dialog, const char* caption) {
  for (QLabel* label : dialog.findChildren<QLabel*>())
    if (label->text() == caption && label->isVisibleTo(&dialog)) return true;
  return false;
}

std::vector<Extended> InUse(const TSettingPolarObj& s) {
  return std::vector<Extended>(s.AxisAngles.begin(), s.AxisAngles.begin() + s.AxisCount);
}

TEST(PolarWindow, ViewCommandsStepZoomAndClampTheCentre) {
  TScopedScriptedMessages messages;
  std::vector<std::string> panels(3);
  TStatusLine status([&](int panel, const std::string& text) { panels[std::size_t(panel)] = text; });
  TFuncPolarWindow window;
  window.SetStatusLine(&status);
  window.NewDefaultSize();
  window.Activated();
  EXPECT_EQ(window.windowTitle(), "Polar Graph Window");
  EXPECT_EQ(window.ViewMenu()->actions().value(0)->text(), "Change Vie&w...");
  EXPECT_NE(window.OfferedCommand("Page Left"), nullptr);
  EXPECT_EQ(window.OfferedCommand("Zoom X Axis In"), nullptr);
  EXPECT_EQ(panels[0], "Zoom: 35");
  using W = TFuncPolarWindow;
  const struct {
    const char* name;
    std::function<void(W&)> command;
    TPolarView start, want;
  } rows[] = {
      {"zoom in", [](W& w) { w.ZoomIn(); }, {35, 5, 6}, {40, 5, 6}},
      {"zoom out", [](W& w) { w.ZoomOut(); }, {1, 0, 0}, {0.98L, 0, 0}},
      {"zoom in at the top", [](W& w) { w.ZoomIn(); }, {10000, 0, 0}, {10000, 0, 0}},
      {"page right", [](W& w) { w.Page(TDirection::Right); }, {35, 99900, 0}, {35, 100000, 0}},
      {"page right at the limit", [](W& w) { w.Page(TDirection::Right); }, {35, 100000, 0}, {35, 100000, 0}},
      {"page down", [](W& w) { w.Page(TDirection::Down); }, {35, 0, 0}, {35, 0, -250}},
      {"scroll left", [](W& w) { w.Scroll(TDirection::Left); }, {35, 0, 0}, {35, -10, 0}},
      {"scroll up", [](W& w) { w.Scroll(TDirection::Up); }, {35, 0, 99995}, {35, 0, 100000}},
      {"centre", [](W& w) { w.CenterFunctionView(); }, {35, 3, -4}, {35, 0, 0}},
  };
  const auto fields = [](const TPolarView& v) { return std::tuple(v.Zoom, v.CenterX, v.CenterY); };
  for (const auto& row : rows) {
    window.SetView(row.start);
    window.SetModified(false);
    row.command(window);
    EXPECT_EQ(fields(window.Doc().View()), fields(row.want)) << row.name;
    EXPECT_EQ(window.IsModified(), fields(row.start) != fields(row.want)) << row.name << ": redrawn only when changed";
  }
  EXPECT_EQ(panels[1], "Center R:0 T:0d");
  EXPECT_TRUE(messages->shown.empty());
}

TEST(PolarWindow, NewFunctionsGoThroughTheirDialog) {
  TScopedScriptedMessages messages;
  TScopedDialogService dialogs;
  std::vector<TColor> offered;
  dialogs->Register<TFuncPolarObj>([&](TFuncPolarObj& f, bool addMode) {
    offered.push_back(f.Style.Color);
    f.Func.SetExpression("theta");
    return addMode && f.Func.Compile();
  });
  TFuncPolarWindow window;
  window.NewDefaultSize();
  EXPECT_TRUE(window.AddPolarFunction());
  EXPECT_TRUE(window.AddPolarFunction());
  EXPECT_EQ(offered, (std::vector<TColor>{0xFF0000, 0x0000FF}));
  ASSERT_EQ(window.Doc().Functions().size(), 2u);
  EXPECT_EQ(window.Doc().Functions()[0]->GetDescription(), "R=f(Theta)=theta");
  EXPECT_FALSE(window.Doc().Functions()[1]->ModifyDialog());
}

TEST(PolarSettingsDialog, TheAxisListIsReadWholeOnLeavingAndOnOk) {
  TScopedScriptedMessages messages;
  TSettingPolarObj settings;
  {
    TSettingsPolarDlg dlg(settings);
    EXPECT_EQ(dlg.windowTitle(), "Polar Graph Settings");
    EXPECT_EQ(dlg.EAxisList->toPlainText(), "0\n45\n90\n135\n180\n225\n270\n315");
    dlg.EAxisList->setPlainText("90\n\n450\n-90\n90");
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
  }
  EXPECT_EQ(InUse(settings), (std::vector<Extended>{90, 270}));

  // A bad line: OK keeps the text; Abort, then OK to the question, puts back the list the
  // dialog opened with. Nothing reaches the settings.
  const struct {
    std::vector<TMsgAnswer> answers;
    const char* memo;
  } rows[] = {
      {{TMsgAnswer::OK}, "10\n20\nabc"},
      {{TMsgAnswer::Abort, TMsgAnswer::Cancel}, "10\n20\nabc"},
      {{TMsgAnswer::Abort, TMsgAnswer::OK}, "90\n270"},
  };
  for (const auto& row : rows) {
    TSettingsPolarDlg dlg(settings);
    dlg.EAxisList->setPlainText("10\n20\nabc");
    messages->shown.clear();
    for (const TMsgAnswer answer : row.answers) messages->QueueAnswer(answer);
    dlg.accept();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    ASSERT_FALSE(messages->shown.empty());
    EXPECT_EQ(messages->shown[0].text, "Invalid Numeric Format in Axis Angle #2");
    EXPECT_EQ(messages->shown[0].buttons, TMsgButtons::OKAbort);
    EXPECT_EQ(messages->shown.size(), row.answers.size());
    EXPECT_EQ(dlg.EAxisList->toPlainText(), row.memo);
    EXPECT_EQ(dlg.AxisCount(), 2);
    EXPECT_EQ(dlg.focusWidget(), dlg.EAxisList);
  }
  EXPECT_EQ(InUse(settings), (std::vector<Extended>{90, 270}));
}

TEST(PolarSettingsDialog, DashLengthAndCircleWidthShareTheSizeBar) {
  TScopedScriptedMessages messages;
  TSettingPolarObj settings;
  settings.CircleWidth = 3;
  settings.LabelFormat = 2;
  TSettingsPolarDlg dlg(settings);
  for (const char* caption : {"Axis Width", "Axis Line Style", "Circle Style", "Increments"})
    EXPECT_TRUE(Shows(dlg, caption)) << caption;
  dlg.ETickMarkSize->setValue(7);
  dlg.ECircles->setChecked(true);
  EXPECT_EQ(dlg.ETickMarkSize->value(), 3);
  EXPECT_EQ(dlg.SizeTypeLabel->text(), "Circle Width");
  dlg.ETickMarkSize->setValue(4);
  dlg.ENoTicks->setChecked(true);
  EXPECT_EQ(dlg.SizeTypeLabel->text(), "No Tick Marks");
  dlg.EDashes->setChecked(true);
  EXPECT_EQ(dlg.ETickMarkSize->value(), 7);
  dlg.ETickMarkIncrements->setText("0");
  dlg.accept();
  EXPECT_EQ(Texts(*messages), std::vector<std::string>{"Error: Tick Mark Increments must be > 0 and <= "
                                                       "1,000,000,000,000"});
  dlg.ETickMarkIncrements->setText("pi");
  dlg.accept();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(std::tuple(settings.DashLength, settings.CircleWidth, settings.TickMarkType, settings.TickIncrementText,
                       settings.LabelFormat),
            std::tuple(7, 4, std::uint8_t(ptDashes), std::string("pi"), 2));
}

TEST(PolarAxisListDialog, IntervalsAreCheckedOnlyWhenChosen) {
  TScopedScriptedMessages messages;
  TStdAxisListDlg dlg;
  EXPECT_TRUE(dlg.ERadio45->isChecked());
  dlg.EIntervalAmt->setText("400");
  dlg.accept();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);  // not the chosen list
  dlg.ERadioIntervals->setChecked(true);
  dlg.accept();
  EXPECT_EQ(Texts(*messages), std::vector<std::string>{"Error: Interval Amount must be >= 1 and <= 359"});
  dlg.EIntervalAmt->setText("7");
  dlg.accept();
  std::int32_t count = 0;
  TAxisAngles angles{};
  dlg.TakeList(count, angles);
  EXPECT_EQ(count, 52);
  EXPECT_EQ(angles[51], 357);
}

TEST(PolarFunctionDialog, OkRefusesBadBoundsAndDefinitions) {
  const struct {
    const char* lo;
    const char* hi;
    const char* definition;
    const char* message;
  } rows[] = {
      {"0", "10001pi", "1", "Error: Upper Bound must be >= -10,000*pi and <= 10,000*pi"},
      {"2", "1", "1", "Lower Bound must be <= Upper Bound"},
      {"0", "1", "y", "Error in: Function Definition: Unknown Symbol at Character 1"},
      {"-10000pi", "10000pi", "x+theta", nullptr},
  };
  for (const auto& row : rows) {
    TScopedScriptedMessages messages;
    TFuncPolarObj func;
    TAddPolarFuncDlg dlg(func, false);
    EXPECT_EQ(dlg.windowTitle(), "Modify Polar Function");
    dlg.ELoBoundStr->setText(row.lo);
    dlg.EHiBoundStr->setText(row.hi);
    dlg.EUserFuncStr->setText(row.definition);
    dlg.ESamples->setValue(20);
    dlg.accept();
    EXPECT_EQ(Texts(*messages), row.message ? std::vector<std::string>{row.message} : std::vector<std::string>{});
    EXPECT_EQ(func.Samples, row.message ? 1000 : 20);
    EXPECT_EQ(func.HiBoundText, row.message ? "2pi" : "10000pi");
  }
}

// A typed count of samples lies in 10..100000; a count read from a file stays as long as
// the field is left alone.
TEST(PolarFunctionDialog, SamplesAreCheckedWhenTyped) {
  const char* const refused = "Error: Samples must be >= 10 and <= 100,000";
  const struct {
    int stored, typed;
    const char* message;
  } rows[] = {{1000, 5, refused},        {1000, 100001, refused}, {1000, 10, nullptr},      {1000, 100000, nullptr},
              {200000, 200000, nullptr}, {-5, -5, nullptr},       {200000, 150000, refused}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    TScopedScriptedMessages messages;
    TFuncPolarObj func;
    func.Func.SetExpression("1");
    func.Samples = row.stored;
    TAddPolarFuncDlg dlg(func, false);
    EXPECT_EQ(dlg.ESamples->value(), row.stored);
    dlg.ESamples->setValue(row.typed);
    dlg.accept();
    EXPECT_EQ(Texts(*messages), row.message ? std::vector<std::string>{row.message} : std::vector<std::string>{});
    EXPECT_EQ(func.Samples, row.message ? row.stored : row.typed);
    EXPECT_EQ(dlg.focusWidget(), row.message ? dlg.ESamples : dlg.focusWidget());
  }
}

TEST(PolarViewDialog, ThePixelCentreIsTheMaster) {
  ThetaInRadians() = false;
  const struct {
    const char* r;
    const char* theta;
    const char* x;  // typed into X when set, else R and theta are
    int pixelsX, pixelsY;
    const char* shownR;
    const char* shownTheta;
  } rows[] = {
      {nullptr, nullptr, "1", 35, 0, "1", "0"}, {"2", "90", nullptr, 0, 70, "2", "90"},
      {"1", "450", nullptr, 0, 35, "1", "90"},  {"1", "-90", nullptr, 0, -35, "1", "270"},
      {"0", "123", nullptr, 0, 0, "0", "0"},    {nullptr, nullptr, "10^9", 100000, 0, "2857.14285714285714", "0"},
  };
  for (const auto& row : rows) {
    TScopedScriptedMessages messages;
    TPolarView view;
    TChangePolarViewDlg dlg(view);
    if (row.x) {
      dlg.ECartesianX->setText(row.x);
      EXPECT_TRUE(dlg.CartesianExit(dlg.ECartesianX));
    } else {
      dlg.EPolarR->setText(row.r);
      dlg.EPolarTheta->setText(row.theta);
      EXPECT_TRUE(dlg.PolarExit(dlg.EPolarTheta));
    }
    EXPECT_EQ(std::tuple(dlg.EPixelsX->value(), dlg.EPixelsY->value(), dlg.EPolarR->text(), dlg.EPolarTheta->text()),
              std::tuple(row.pixelsX, row.pixelsY, QString(row.shownR), QString(row.shownTheta)))
        << &row - rows;
  }
}

TEST(PolarViewDialog, LoadsTruncatedCentresAndChecksTheZoom) {
  TScopedScriptedMessages messages;
  TPolarView view{35, 1e30L, -70.9L};
  TChangePolarViewDlg dlg(view);
  EXPECT_TRUE(dlg.EViewZoom->isVisibleTo(&dlg));
  EXPECT_EQ(dlg.EPixelsX->value(), 100000);
  EXPECT_EQ(dlg.EPixelsY->value(), -70);
  dlg.EPixelsX->setValue(0);
  dlg.EPixelsY->setValue(35);
  EXPECT_EQ(dlg.EPolarTheta->text(), "90");
  dlg.ERadians->click();
  EXPECT_TRUE(ThetaInRadians());
  EXPECT_EQ(dlg.EPolarTheta->text().left(6), "1.5707");
  dlg.EViewZoom->setText("0.00001");
  messages->QueueAnswer(TMsgAnswer::Ignore);
  EXPECT_FALSE(dlg.ZoomExit());
  EXPECT_EQ(Texts(*messages), std::vector<std::string>{"Error View Zoom Must Be <= 10,000 and >= 0.0001"});
  EXPECT_EQ(dlg.Zoom(), 0.0001L);
  dlg.accept();
  EXPECT_EQ(view.Zoom, 0.0001L);
  EXPECT_EQ(view.CenterY, 35);
  ThetaInRadians() = false;
}

}  // namespace
}  // namespace plotix
