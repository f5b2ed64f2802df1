// Parameters of a graph: their names and ranges, definitions that read them, their record
// in graph files, the window's steps, the dock and the command line.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

#include "../app/run_plotix.h"
#include "../cartesian/functions.h"
#include "../files/open_bytes.h"
#include "../told.h"
#include "app/parameter_panel.h"
#include "cartesian/cartesian_window.h"
#include "cartesian/curve_functions.h"
#include "cartesian/function_dialog.h"
#include "expr/calculator_dialog.h"
#include "expr/math_const_edit.h"
#include "graph3d/function.h"
#include "graph3d/graph3d_document.h"
#include "platform/canvas.h"
#include "platform/dialog_service.h"

namespace plotix {
namespace {

using namespace testbytes;

Extended ValueAt(TBaseFunc2DObj& function, Extended x) {
  Extended y = 0;
  EXPECT_TRUE(dynamic_cast<TFunc2DObj&>(function).Func.ValueAt(x, y));
  return y;
}

TEST(ParameterRules, NamesAndRanges) {
  const TParameterList list = {Param("a")};
  const struct {
    const char* name;
    const char* error;
  } names[] = {
      {"b2", ""},
      {"", "A Parameter Name Is 1 To 30 Letters And Digits, Starting With A Letter"},
      {"2b", "A Parameter Name Is 1 To 30 Letters And Digits, Starting With A Letter"},
      {"a_b", "A Parameter Name Is 1 To 30 Letters And Digits, Starting With A Letter"},
      {"Sin", "Sin Is A Built-In Name"},
      {"pi", "pi Is A Built-In Name"},
      {"theta", "theta Is The Name Of A Variable"},
      {"A", "A Parameter Named a Exists Already"},
      {"G", "A Function Named g Exists Already"},
  };
  for (const auto& n : names) EXPECT_EQ(NameError(n.name, "Parameter", {"f", "g"}, list), n.error) << n.name;
  const struct {
    Extended from, to, step;
    const char* error;
  } ranges[] = {
      {-10, 10, 0.1L, ""},
      {0, 1, 1, ""},
      {1, 1, 0.1L, "From must be < To"},
      {0, 1, 0, "Step must be > 0 and <= To - From"},
      {0, 1, 1.5L, "Step must be > 0 and <= To - From"},
  };
  for (const auto& r : ranges) {
    TParameter p;
    p.From = r.from, p.To = r.to, p.Step = r.step;
    EXPECT_EQ(ParameterRangeError(p), r.error) << r.from << " " << r.to << " " << r.step;
  }
  TParameter p;  // -10 to 10 by 0.1: 200 steps, the last one at To exactly
  EXPECT_EQ(std::tuple(ParameterSteps(p), ParameterValueAt(p, 200), ParameterValueAt(p, 100)),
            std::tuple(200, Extended(10), Extended(0)));
}

// Parameters read longest first: s leaves SIN whole and a, b make ab a product; a new value
// needs no compile, a lost name breaks the definition.
TEST(ParameterDefinitions, ReadTheValuesOfTheGraph) {
  TGraph2DDoc doc;
  doc.SetParameters({Param("a", 2), Param("b", 3), Param("s", 5)});
  doc.AddFunction(Function("s*sin(x)+ab"));
  EXPECT_EQ(ValueAt(*doc.Functions()[0], 0), 6);
  doc.SetParameters({Param("a", 2), Param("b", 4), Param("s", 5)});
  EXPECT_EQ(ValueAt(*doc.Functions()[0], 0), 8);
  doc.SetParameters({Param("a", 2), Param("b", 4), Param("q", 5)});  // s renamed
  EXPECT_NE(dynamic_cast<TFunc2DObj&>(*doc.Functions()[0]).Func.State(), 2);
  doc.SetParameters({Param("a", 2), Param("b", 4), Param("s", 5)});
  doc.SetParameters({Param("a", 2), Param("b", 4)});
  EXPECT_NE(dynamic_cast<TFunc2DObj&>(*doc.Functions()[0]).Func.State(), 2);
  TImplicitEquation e;  // both sides of an equation, and a parametric curve's x and y
  TGraphScope with({Param("r", 2)}), none({});
  ASSERT_TRUE(e.SetText("x^2+y^2=r^2", &with));
  Extended f = 1;
  EXPECT_TRUE(e.ValueAt(2, 0, f));
  EXPECT_EQ(f, 0);
  TParametricFuncObj curve;
  curve.X.SetExpression("r*cos(t)");
  curve.Y.SetExpression("r*sin(t)");
  EXPECT_TRUE(curve.UseNames(with));
  EXPECT_FALSE(curve.UseNames(none));
}

// ---- files ----------------------------------------------------------------------

class ParameterFiles : public ::testing::Test {
 protected:
  TOpenBytes Open;
};

TEST_F(ParameterFiles, ComeBackWithTheDefinitionsThatReadThem) {
  TGraph2DDoc doc, back;
  TParameter a = Param("a", 2.5L);
  a.From = -1, a.To = 4, a.Step = 0.25L;
  doc.SetParameters({a});
  doc.AddFunction(Function("a*x"));
  const TBytes bytes = doc.GraphBytes();
  EXPECT_EQ(bytes[49], 3);
  EXPECT_EQ(Open(bytes, back), "");
  EXPECT_EQ(back.Parameters(), doc.Parameters());
  EXPECT_EQ(ValueAt(*back.Functions()[0], 2), 5);
  EXPECT_EQ(back.GraphBytes(), bytes);
  back.SetParameters({});
  back.SetFunctions({});
  EXPECT_EQ(back.GraphBytes()[49], 2);
}

// Format 3, with its header checksum, for the records after the labels.
TBytes Format3(TBytes file) {
  file[49] = 3;
  PutSum(file, 61);
  return file;
}

TEST_F(ParameterFiles, WhatAParameterCanNotHoldIsALoadError) {
  const auto one = [](const char* name, Extended value, Extended from, Extended to, Extended step) {
    return TBuilder().LStr(name).Ext(value).Ext(from).Ext(to).Ext(step).bytes;
  };
  const auto record = [](int count, std::initializer_list<TBytes> parameters) {
    TBuilder b;
    b.I32(count);
    for (const TBytes& p : parameters) b.bytes.insert(b.bytes.end(), p.begin(), p.end());
    return b.bytes;
  };
  // A 2D graph with a record of the parameters.
  const auto graph = [](const TBytes& body) {
    return Format3(WithRecord(TGraph2DDoc().GraphBytes(), tagParameters, body));
  };
  TGraph3DDoc broken;  // a definition that does not compile, in a 3D file marked format 3
  auto surface = std::make_unique<TFunc3DObj>();
  surface->Func.SetExpression("q");
  broken.AddFunction(std::move(surface));
  const std::string error = "E|OK|Error Loading File\n";
  const struct {
    const char* what;
    TBytes bytes;
    std::string told;
  } rows[] = {
      {"a good one", graph(record(1, {one("k", 1, 0, 2, 1)})), ""},
      {"a built-in name", graph(record(1, {one("e", 1, 0, 2, 1)})), error},
      {"the same name twice", graph(record(2, {one("k", 1, 0, 2, 1), one("K", 1, 0, 2, 1)})), error},
      {"an empty range", graph(record(1, {one("k", 1, 2, 2, 1)})), error},
      {"a value that is no number", graph(record(1, {one("k", NAN, 0, 2, 1)})), error},
      {"more than 50", graph(record(51, {})), error},
      {"two records", WithRecord(graph(record(0, {})), tagParameters, record(0, {})), error},
      {"parameters in a 3D graph", Format3(WithRecord(TGraph3DDoc().GraphBytes(), tagParameters, record(0, {}))),
       error},
      {"a 3D definition that does not compile", Format3(broken.GraphBytes()), error},
  };
  for (const auto& row : rows) {
    std::unique_ptr<TGraphDoc> doc;
    if (row.bytes[53] == k3DCartesianCode)
      doc = std::make_unique<TGraph3DDoc>();
    else
      doc = std::make_unique<TGraph2DDoc>();
    EXPECT_EQ(Open(row.bytes, *doc), row.told) << row.what;
  }
}

// ---- the window and the dock --------------------------------------------------------

class ParameterWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    window.NewDefaultSize();
    window.SetParameters({Param("a", 1)}, "Add Parameter");
    window.AppendFunction(Function("a*x"));
    panel.FollowGraph(&window);
  }
  Extended A() const { return window.Doc().Parameters()[0].Value; }

  TScopedScriptedMessages messages;
  TFunc2DWindow window;
  TParameterPanel panel;
};

TEST_F(ParameterWindow, ADragIsOneStepAndAPlayRunComesBack) {
  const int steps = window.History()->count();
  QSlider* slider = panel.Rows()[0].slider;
  slider->setSliderDown(true);
  for (const int position : {150, 160, 170}) slider->setValue(position);
  EXPECT_EQ(A(), 7);  // shown while dragging
  EXPECT_EQ(window.History()->count(), steps);
  slider->setSliderDown(false);  // released
  EXPECT_EQ(window.History()->count(), steps + 1);
  window.History()->undo();
  EXPECT_EQ(A(), 1);
  EXPECT_EQ(slider->value(), 110);  // the dock follows the undo
  panel.Rows()[0].play->click();
  for (int tick = 0; tick < 25; ++tick) panel.PlayTick();
  EXPECT_EQ(A(), 0);  // a quarter of the way: half way up the range
  for (int tick = 0; tick < 25; ++tick) panel.PlayTick();
  EXPECT_EQ(A(), 10);  // half way: at To
  for (int tick = 0; tick < 50; ++tick) panel.PlayTick();
  EXPECT_EQ(A(), 1);  // back where it began, and no step for it
  EXPECT_EQ(window.History()->count(), steps + 1);
  panel.Rows()[0].play->click();  // a run stopped on the way keeps its value, one step
  for (int tick = 0; tick < 10; ++tick) panel.PlayTick();
  panel.Rows()[0].play->click();
  EXPECT_EQ(std::tuple(A(), window.History()->count()), std::tuple(Extended(-6), steps + 1));
  EXPECT_EQ(window.History()->undoText(), "Run Parameter");
  window.SetParameters({Param("a", -20)}, "Change Parameter");  // outside the range: the slider at its end
  EXPECT_EQ(slider->value(), 0);
}

// The value field shows the value, rounded to the digits shown, from its start, also after a
// typed expression and while the value plays, and with the focus in it.
TEST_F(ParameterWindow, TheValueFieldShowsTheValue) {
  panel.show();
  QApplication::setActiveWindow(&panel);
  QLineEdit* field = panel.Rows()[0].value;
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, "-sqrt(2)*2");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(A(), -2 * std::sqrt(2.0L));
  EXPECT_EQ(std::tuple(field->text(), field->cursorPosition()), std::tuple(QString("-2.82842712474619"), 0));
  panel.Rows()[0].play->click();
  for (int tick = 0; tick < 20; ++tick) panel.PlayTick();
  EXPECT_EQ(field->text(), "-2");
  panel.Rows()[0].play->click();
  QTest::keyClick(field, Qt::Key_Return);  // the value as shown is no new value
  EXPECT_EQ(A(), -2);
}

TEST(ParameterDialog, OkChecksTheNameTheNumbersAndTheRange) {
  const struct {
    const char* texts[5];  // name, value, from, to, step
    const char* told;
  } rows[] = {
      {{"a", "1", "-10", "10", "0.1"}, "E|OK|A Parameter Named A Exists Already\n"},
      {{"F", "1", "-10", "10", "0.1"}, "E|OK|A Function Named f Exists Already\n"},
      {{"k", "1", "2", "2", "0.1"}, "E|OK|Error: From must be < To\n"},
      {{"k", "1", "0", "2", "3"}, "E|OK|Error: Step must be > 0 and <= To - From\n"},
      {{"k", "", "0", "2", "1"}, "E|OK|Error in: Value: Empty Expression\n"},
      {{"k", "pi", "0", "2pi", "pi/4"}, ""},
  };
  for (const auto& r : rows) {
    TParameter p;
    TParameterDlg dlg(p, {Param("A")}, {"f"}, true);
    EXPECT_EQ(dlg.windowTitle(), "Add Parameter");
    QLineEdit* fields[] = {dlg.EName, dlg.EValue, dlg.EFrom, dlg.ETo, dlg.EStep};
    for (int i = 0; i < 5; ++i) fields[i]->setText(r.texts[i]);
    TScopedScriptedMessages messages;
    dlg.accept();
    EXPECT_EQ(Told(messages), r.told);
    EXPECT_EQ(dlg.result() == QDialog::Accepted, !*r.told) << r.told;
  }
  // A parameter definitions read keeps its name: the dialog stays open with what was typed.
  TParameter a = Param("a");
  TParameterDlg dlg(a, {}, {}, false, true);
  dlg.EName->setText("b");
  dlg.EValue->setText("5");
  TScopedScriptedMessages messages;
  dlg.accept();
  EXPECT_EQ(Told(messages), "E|OK|Parameter a Is Used In A Definition And Can Not Be Renamed\n");
  EXPECT_EQ(std::tuple(dlg.result(), dlg.focusWidget(), dlg.EValue->text()),
            std::tuple(int(QDialog::Rejected), static_cast<QWidget*>(dlg.EName), QString("5")));
}

TEST_F(ParameterWindow, AUsedParameterStaysAndAnUnknownNameMayBecomeOne) {
  panel.Rows()[0].remove->click();
  EXPECT_EQ(Told(messages), "E|OK|Parameter a Is Used In A Definition And Can Not Be Deleted\n");
  window.SetParameters({Param("a"), Param("u")}, "Add Parameter");
  panel.Rows()[1].remove->click();  // one no definition reads goes
  EXPECT_EQ(window.Doc().Parameters().size(), 1u);
  // A new function's dialog compiles with the graph's parameters.
  TScopedDialogService dialogs;
  dialogs->Register<TFunc2DObj>([](TFunc2DObj& f, bool) {
    f.Func.SetExpression("a*x*x");
    return f.UseNames(*HostScope(&f));
  });
  EXPECT_TRUE(window.AddFunction());
  // A name made a parameter in a new function's dialog joins the graph with the function; a
  // Cancel leaves it out.
  for (const bool ok : {false, true}) {
    dialogs->Register<TFunc2DObj>([&](TFunc2DObj& f, bool addMode) {
      TAdd2DFuncDlg dlg(f, addMode);
      dlg.EUserFuncStr->setText("q*x");
      messages->QueueAnswer(TMsgAnswer::Yes);
      dlg.accept();
      return ok && dlg.result() == QDialog::Accepted;
    });
    EXPECT_EQ(window.AddFunction(), ok);
    EXPECT_EQ(window.Doc().Parameters().back().Name, ok ? "q" : "a");
  }
  // A definition's dialog asks about each unknown name in turn.
  TFunc2DObj f;
  QLineEdit field(QStringLiteral("b+a*x+c+k (x)"));
  messages->shown.clear();
  messages->QueueAnswer(TMsgAnswer::Yes);
  messages->QueueAnswer(TMsgAnswer::Yes);
  {
    struct THost : TGraphHost {
      TFunc2DWindow& w;
      explicit THost(TFunc2DWindow& window) : w(window) {}
      const TParameterList& Parameters() const override { return w.Doc().Parameters(); }
      void AddParameter(const TParameter& p) override {
        TParameterList list = w.Doc().Parameters();
        list.push_back(p);
        w.SetParameters(list, "Add Parameter");
      }
      std::vector<const TBaseFuncObj*> Functions() const override { return {}; }
    } host(window);
    const TGraphHostScope scope(&host);
    EXPECT_FALSE(CompileDefinition(f.Func, &field));
  }
  EXPECT_EQ(Told(messages),
            "C|YN|Unknown Symbol b. Make It A Parameter Of This Graph?\n"
            "C|YN|Unknown Symbol c. Make It A Parameter Of This Graph?\n"
            "E|OK|Error in: Function Definition: Unknown Symbol at Character 9\n");  // k (: a call
  ASSERT_EQ(window.Doc().Parameters().size(), 4u);                                   // a, q, b, c
  EXPECT_EQ(window.Doc().Parameters()[2], Param("b"));
  EXPECT_EQ(panel.Rows().size(), 4u);
}

TEST(ParameterCalculator, ReadsTheActiveGraphsParameters) {
  TCaculatorDlg dlg(nullptr, std::make_unique<TGraphScope>(TParameterList{Param("a", 2)}));
  dlg.EFunctionStr->setText(QStringLiteral("a*x"));
  dlg.EXValue->setText(QStringLiteral("3"));
  dlg.BCalculate->click();
  EXPECT_EQ(dlg.EResult->text().left(4), "6.00");
}

// ---- the command line ---------------------------------------------------------------

TEST(ParameterCommandLine, CalcAndRenderTakeValues) {
  const TRun calc = RunPlotix({"--calc", "a*x+b", "--x", "2", "--param", "a=pi/2", "--param=b=1", "--scientific"});
  EXPECT_EQ(std::tuple(calc.status, calc.out), std::tuple(0, std::string("4.14159265358979324E+0\n")));
  TScratchDir dir;
  TGraph2DDoc doc;
  doc.SetParameters({Param("a", 0)});
  doc.AddFunction(Function("a"));
  ASSERT_TRUE(doc.SaveGraph(dir.Path("a.pxg")));
  const QString graph = QString::fromStdString(dir.Path("a.pxg"));
  for (const char* a : {"0", "3"})
    EXPECT_EQ(RunPlotix({"--render", graph, QString::fromStdString(dir.Path(std::string(a) + ".bmp")), "--param",
                         QString("a=") + a})
                  .status,
              0);
  EXPECT_NE(ReadBytes(dir.Path("0.bmp")), ReadBytes(dir.Path("3.bmp")));
  const TRun unknown = RunPlotix({"--render", graph, QString::fromStdString(dir.Path("b.bmp")), "--param", "b=1"});
  EXPECT_EQ(std::tuple(unknown.status, unknown.err),
            std::tuple(2, std::string("plotix: the graph has no parameter b\n")));
  for (const QStringList& bad : {QStringList{"--param", "a=1"}, QStringList{"--calc", "1", "--param", "a"},
                                 QStringList{"--calc", "1", "--param", "sin=1"}})
    EXPECT_EQ(RunPlotix(bad).status, 2) << bad.join(' ').toStdString();
}

}  // namespace
}  // namespace plotix
