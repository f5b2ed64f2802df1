// The "Functions" dock and the typed rows under it: a line read as its kind with its error
// where it lies, an edit as one step that keeps the last good picture, a slider for an
// unknown name, rows renamed, hidden, moved and deleted, and the dock following the window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

#include "../told.h"
#include "app/function_panel.h"
#include "app/main_window.h"
#include "cartesian/cartesian_document.h"
#include "cartesian/cartesian_window.h"
#include "cartesian/function_kinds.h"
#include "graph3d/graph3d_document.h"
#include "polar/polar_window.h"

namespace plotix {
namespace {

QStringList Steps(const TFuncGraphWindow& window) {
  QStringList steps;
  for (int i = 0; i < window.History()->count(); ++i) steps << window.History()->text(i);
  return steps;
}

std::vector<std::string> Texts(const TTypedFunctions& typed) {
  std::vector<std::string> texts;
  for (const TTypedRow& row : typed.Rows()) texts.push_back(row.text + (row.error.message.empty() ? "" : " !"));
  return texts;
}

TEST(TypedRows, ALineReadsAsItsKindWithItsErrorWhereItLies) {
  const struct {
    bool polar;
    const char* line;
    const char* kind;   // empty: no kind reads it
    const char* error;  // as the line typed shows it
    int character;
    const char* unknown;
    const char* kept;  // the row's line once the edit ended; empty: no function
  } rows[] = {
      {false, "x^2", "Function", "", 0, "", "f(x)=x^2"},
      {false, " y = x^3-2x", "Function", "", 0, "", "f(x)=x^3-2x"},
      {false, "g(x)=sin(x)", "Function", "", 0, "", "g(x)=sin(x)"},
      {false, "(cos(t), sin(t))", "Parametric Curve", "", 0, "", "x(t)=cos(t), y(t)=sin(t)"},
      {false, "x(t)=t, y(t)=t^2, 0<t<pi", "Parametric Curve", "", 0, "", "x(t)=t, y(t)=t^2, 0<t<pi"},
      {false, "x^2+y^2=4", "Implicit Curve", "", 0, "", "x^2+y^2=4"},
      {false, "a*sin(b*x)", "Function", "Unknown Symbol at Character 1", 1, "a", "f(x)=a*sin(b*x)"},
      {false, "f(x)=x+zz2", "Function", "Unknown Symbol at Character 8", 8, "zz2", "f(x)=x+zz2"},
      // Of two readings that do not compile, the one that reads further.
      {false, "(t, t+q)", "Parametric Curve", "Unknown Symbol at Character 7", 7, "q", "x(t)=t, y(t)=t+q"},
      {false, "x^2+y^2=sin", "Implicit Curve", "Function Not Followed by Open Parentheses Character at Character 9", 9,
       "", "x^2+y^2=sin"},
      // The error of the second definition, whose text stands in the first one too.
      {false, "(t^2, t^)", "Parametric Curve", "Expression Syntax Error at Character 8", 8, "", "x(t)=t^2, y(t)=t^"},
      {false, "x, y", "", "Not A Function Or Curve", 0, "", ""},
      {false, "sin(x)=x", "Implicit Curve", "", 0, "", "sin(x)=x"},
      {false, "pi(x)=x", "Implicit Curve", "", 0, "", "pi(x)=x"},
      {false, "f'(x)", "Function", "Illegal Char at Character 2", 2, "", "f(x)=f'(x)"},
      {true, "r=1+cos(theta)", "Function", "", 0, "", "f(theta)=1+cos(theta)"},
      {true, "h(theta) = 2", "Function", "", 0, "", "h(theta)=2"},
      {true, "x, y", "", "Not A Function Or Curve", 0, "", ""},
  };
  for (const auto& r : rows) {
    TFunc2DWindow cartesian;
    TFuncPolarWindow polar;
    TTypedFunctions& typed = *(r.polar ? static_cast<TFuncGraphWindow&>(polar) : cartesian).TypedFunctions();
    const TTypedRow row = typed.Type(0, r.line);
    EXPECT_EQ(row.kind, r.kind) << r.line;
    EXPECT_EQ(row.error.message, r.error) << r.line;
    EXPECT_EQ(row.error.character, r.character) << r.line;
    EXPECT_EQ(row.error.unknownName, r.unknown) << r.line;
    typed.EndTyping();
    const std::vector<TTypedRow> kept = typed.Rows();
    EXPECT_EQ(kept.empty() ? "" : kept[0].text, r.kept) << r.line;
  }
}

// While a line does not compile the graph keeps drawing the last one that did; the edit is
// one step, ended by the end of the edit or by any other command of the window.
TEST(TypedRows, AnEditIsOneStepAndKeepsTheLastGoodPicture) {
  TFunc2DWindow window;
  window.NewDefaultSize();
  TTypedFunctions& typed = *window.TypedFunctions();
  for (const char* line : {"x", "x^", "x^2"}) typed.Type(0, line);
  typed.EndTyping();
  const QImage parabola = window.GraphPicture().Image();
  typed.Type(0, "x^");
  EXPECT_EQ(Texts(typed), std::vector<std::string>{"f(x)=x^2"});
  EXPECT_EQ(window.GraphPicture().Image(), parabola);
  typed.Type(0, "x^3");
  EXPECT_NE(window.GraphPicture().Image(), parabola);
  typed.Type(0, "x^");
  typed.EndTyping();  // the line is kept with its error, and draws nothing
  EXPECT_EQ(Texts(typed), std::vector<std::string>{"f(x)=x^ !"});
  typed.Type(0, "");  // an emptied line changes nothing
  typed.EndTyping();
  EXPECT_EQ(Texts(typed), std::vector<std::string>{"f(x)=x^ !"});
  typed.Type(0, "x^4");
  window.Undo();  // ends the edit, then takes it back
  EXPECT_EQ(Steps(window), (QStringList{"Add f", "Edit f", "Edit f"}));
  EXPECT_EQ(Texts(typed), std::vector<std::string>{"f(x)=x^ !"});
  window.Undo();
  EXPECT_EQ(Texts(typed), std::vector<std::string>{"f(x)=x^2"});
  EXPECT_EQ(window.GraphPicture().Image(), parabola);
  // A new row that reads no more is no function.
  typed.Type(1, "x+1");
  typed.Type(1, "x+1,");
  typed.EndTyping();
  EXPECT_EQ(typed.Rows().size(), 1);
  EXPECT_EQ(window.History()->index(), 1);
}

// A line retyped keeps what it does not say: the colour and the settings of the dialog.
TEST(TypedRows, ALineKeepsWhatItDoesNotSay) {
  TFunc2DWindow window;
  auto f = std::make_unique<TFunc2DObj>();
  f->Func.SetExpression("x");
  f->AsymptoteFixUp = true;
  f->Style.Color = 0x00FF00;
  TFuncList<TBaseFunc2DObj> list;
  list.push_back(std::move(f));
  window.SetFunctions(std::move(list));
  window.TypedFunctions()->Type(0, "x^2");
  const auto& kept = static_cast<const TFunc2DObj&>(*window.Doc().Functions()[0]);
  EXPECT_EQ(std::tuple(kept.TypedText(), kept.AsymptoteFixUp, kept.Style.Color),
            std::tuple(std::string("f(x)=x^2"), true, TColor(0x00FF00)));
}

// An unknown name becomes a slider; a line naming the function renames it where it is
// called; the derivative of a function is typed; a function others call asks before it goes.
TEST(TypedRows, SlidersNamesDerivativesAndDeletes) {
  TScopedScriptedMessages messages;
  TFunc2DWindow window;
  window.NewDefaultSize();
  TTypedFunctions& typed = *window.TypedFunctions();
  EXPECT_EQ(typed.Type(0, "a*x^2").error.unknownName, "a");
  typed.AddSlider("a");
  ASSERT_EQ(window.Parameters().size(), 1);
  EXPECT_EQ(window.Parameters()[0], TParameter{"a"});
  typed.Type(1, "f'(x)");
  typed.Type(2, "f(x-1)");
  typed.Type(0, "k(x) = a*x^2");
  typed.EndTyping();
  EXPECT_EQ(Texts(typed), (std::vector<std::string>{"k(x)=a*x^2", "k'(x)", "g(x)=k(x-1)"}));
  EXPECT_EQ(typed.Rows()[1].kind, "Derivative Curve");
  EXPECT_EQ(typed.Type(1, "g(x)=1").error.message, "A Function Named g Exists Already");
  typed.EndTyping();
  typed.SetShown(2, false);
  typed.SetColor(2, 0x0000FF);
  typed.Move(2, 0);
  EXPECT_TRUE(typed.Rows()[0].hidden);
  EXPECT_EQ(typed.Rows()[0].color, 0x0000FF);
  messages->QueueAnswer(TMsgAnswer::No);
  typed.Remove(1);
  messages->QueueAnswer(TMsgAnswer::Yes);
  typed.Remove(1);
  EXPECT_EQ(Told(messages),
            "C|YN|Function k Is Used By g, k'(x). Delete It Anyway?\n"
            "C|YN|Function k Is Used By g, k'(x). Delete It Anyway?\n");
  EXPECT_EQ(Texts(typed), (std::vector<std::string>{"g(x)=k(x-1) !", "k'(x) !"}));
  EXPECT_EQ(Steps(window), (QStringList{"Add f", "Add Slider a", "Add f'(x)", "Add g", "Edit k", "Hide g",
                                        "Change Colour Of g", "Move g", "Delete k"}));
  // A row deleted while it is typed in goes with what the edit changed, in one step.
  typed.Type(0, "x");
  typed.Remove(0);
  EXPECT_EQ(Texts(typed), std::vector<std::string>{"k'(x) !"});
  window.Undo();
  EXPECT_EQ(Texts(typed), (std::vector<std::string>{"g(x)=k(x-1) !", "k'(x) !"}));
}

class FunctionsDock : public ::testing::Test {
 protected:
  FunctionsDock() {
    form.show();
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
  }
  TFunctionPanel& Panel() { return *form.findChild<TFunctionPanel*>(); }
  QLineEdit* Line(int row) { return Panel().Rows()[std::size_t(row)].line; }
  TMainForm form;
};

// From the keyboard alone: Ctrl+K, a line per function, an error marked and its slider,
// Enter to the next row, the show box, a drop of a handle, Delete on an emptied row.
TEST_F(FunctionsDock, AGraphIsTypedInTheDock) {
  auto* window = static_cast<TFunc2DWindow*>(form.NewGraphClick(k2DCartesianCode));
  QTest::keyClick(&form, Qt::Key_K, Qt::ControlModifier);
  EXPECT_TRUE(form.findChild<QDockWidget*>("FunctionsDock")->isVisible());
  ASSERT_EQ(Panel().Rows().size(), 1);
  EXPECT_TRUE(Line(0)->hasFocus());
  QTest::keyClicks(Line(0), "x+q");
  ASSERT_EQ(Panel().Rows().size(), 2);
  const TFunctionPanel::TRow& row = Panel().Rows()[0];
  EXPECT_EQ(row.error->text(), "Unknown Symbol at Character 3");
  EXPECT_EQ(row.marked, 3);
  // The q, and only the q, is red.
  const QImage line = row.line->grab().toImage();
  int firstRed = line.width(), lastRed = -1;
  for (int x = 0; x < line.width(); ++x)
    for (int y = 0; y < line.height(); ++y)
      if (const QColor c = line.pixelColor(x, y); c.red() > 150 && c.green() < 90 && c.blue() < 90) {
        firstRed = std::min(firstRed, x);
        lastRed = x;
      }
  const QFontMetrics metrics(row.line->font());
  ASSERT_GE(lastRed, 0);
  EXPECT_GE(firstRed, metrics.horizontalAdvance(QStringLiteral("x+")));
  EXPECT_LE(lastRed - firstRed, metrics.horizontalAdvance(QStringLiteral("q")) + 2);
  EXPECT_FALSE(row.slider->isHidden());
  EXPECT_EQ(row.slider->text(), "add slider: q");
  row.slider->click();
  EXPECT_TRUE(row.error->isHidden());
  EXPECT_TRUE(row.slider->isHidden());
  EXPECT_EQ(row.line->text(), "f(x)=x+q");
  QTest::keyClick(Line(0), Qt::Key_Return);
  EXPECT_TRUE(Line(1)->hasFocus());
  QTest::keyClicks(Line(1), "x^2+y^2=4");
  EXPECT_EQ(Panel().Rows()[1].kind->text(), "=");
  QTest::keyClick(Line(1), Qt::Key_Return);
  EXPECT_EQ(Panel().Rows().size(), 3);
  EXPECT_EQ(Steps(*window), (QStringList{"Add f", "Add Slider q", "Add x^2+y^2=4"}));

  Panel().Rows()[0].shown->click();
  EXPECT_TRUE(window->Doc().Functions()[0]->Hidden);
  // The implicit curve's handle dropped above the first row.
  QMimeData mime;
  mime.setData("application/x-plotix-function-row", "1");
  QCoreApplication::processEvents();  // the rows laid out
  const QPoint top = Panel().Rows()[0].frame->mapTo(&Panel(), QPoint(4, 1));
  QDragEnterEvent enter(top, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&Panel(), &enter);  // makes the panel the drop's target
  QDropEvent drop(top, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&Panel(), &drop);
  EXPECT_EQ(Line(0)->text(), "x^2+y^2=4");
  EXPECT_EQ(Line(1)->text(), "f(x)=x+q");
  EXPECT_FALSE(Panel().Rows()[1].shown->isChecked());

  QTest::keyClick(Line(1), Qt::Key_Up, Qt::AltModifier);  // the row moves up, with the focus
  EXPECT_EQ(Line(0)->text(), "f(x)=x+q");
  QTest::keyClick(Line(0), Qt::Key_Down, Qt::AltModifier);
  EXPECT_EQ(Line(1)->text(), "f(x)=x+q");
  Line(1)->setFocus();
  Line(1)->selectAll();
  QTest::keyClick(Line(1), Qt::Key_Delete);  // empties it
  QTest::keyClick(Line(1), Qt::Key_Delete);  // takes it away
  ASSERT_EQ(Panel().Rows().size(), 2);
  EXPECT_EQ(Line(0)->text(), "x^2+y^2=4");
  window->Undo();
  EXPECT_EQ(Line(1)->text(), "f(x)=x+q");
}

// The dock shows the active window's list, whichever way it changed, and a hint for a kind
// whose functions are not typed.
TEST_F(FunctionsDock, TheDockFollowsTheActiveWindowAndItsList) {
  auto* first = static_cast<TFunc2DWindow*>(form.NewGraphClick(k2DCartesianCode));
  first->AppendFunction(FunctionFromText("sin(x)", "f", *first->GraphScope()));
  form.NewGraphClick(k3DCartesianCode);
  EXPECT_FALSE(Panel().Hint()->isHidden());
  const QList<QMdiSubWindow*> subs = form.findChild<QMdiArea*>()->subWindowList();
  form.findChild<QMdiArea*>()->setActiveSubWindow(subs[0]);
  EXPECT_TRUE(Panel().Hint()->isHidden());
  ASSERT_EQ(Panel().Rows().size(), 2);
  EXPECT_EQ(Line(0)->text(), "f(x)=sin(x)");
  first->Undo();
  ASSERT_EQ(Panel().Rows().size(), 1);
  EXPECT_EQ(Line(0)->text(), "");  // the row that showed sin(x) is the empty one now
}

}  // namespace
}  // namespace plotix
