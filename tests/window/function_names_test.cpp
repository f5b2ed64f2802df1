// Functions with names that call each other: how calls read and compile, their errors, the
// delete question, the names in dialogs and graph files, and the calculator's calls.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>

#include "../cartesian/functions.h"
#include "../files/open_bytes.h"
#include "../modal.h"
#include "../told.h"
#include "cartesian/cartesian_window.h"
#include "cartesian/curve_functions.h"
#include "cartesian/derived_function.h"
#include "cartesian/function_dialog.h"
#include "expr/calculation.h"
#include "platform/dialog_service.h"
#include "polar/polar_document.h"
#include "window/function_list_dialog.h"

namespace plotix {
namespace {

using namespace testbytes;

// The graph's functions, named f, g, h, ... in order, each text one definition.
void Define(TGraph2DDoc& doc, const std::vector<std::string>& texts) {
  TFuncList<TBaseFunc2DObj> list;
  for (std::size_t i = 0; i < texts.size(); ++i) list.push_back(Function(texts[i], DefaultFunctionName(int(i))));
  doc.SetFunctions(std::move(list));
}

TFunc2DObj& At(const TGraph2DDoc& doc, std::size_t i) { return dynamic_cast<TFunc2DObj&>(*doc.Functions()[i]); }

// A call computes what the callee's definition written out in its place computes, to the
// bit, and follows the callee and the parameters when they change.
TEST(FunctionCalls, ComputeTheCalleeWrittenOut) {
  const struct {
    std::vector<std::string> texts;  // f, g, h, ...: the last one is tested
    const char* same;                // the last one written without calls
  } rows[] = {
      {{"a*sin(b*x)", "f(x)^2"}, "(a*sin(b*x))^2"},
      {{"x^3-2x", "f(x-1)"}, "(x-1)^3-2(x-1)"},
      {{"x^3-2x", "(f(x)+f(-x))/2"}, "((x^3-2x)+((-x)^3-2(-x)))/2"},
      {{"sqrt(x)", "exp(x)", "f(g(x))"}, "sqrt(exp(x))"},
      {{"x+a", "f(f(f(x)))*2f(1)"}, "(((x+a)+a)+a)*2(1+a)"},
      {{"2", "g(x)+f(x)", "x*b"}, "x*b"},  // h reads none: g(x)=g(x)+f(x) is a cycle
      {{"x", "F(x)+SIN(x)"}, "x+sin(x)"},
  };
  for (const auto& r : rows) {
    TGraph2DDoc doc;
    doc.SetParameters({Param("a", 0.5L), Param("b", 3)});
    std::vector<std::string> texts = r.texts;
    texts.push_back(r.same);
    Define(doc, texts);
    TFunc2DObj& tested = At(doc, r.texts.size() - 1);
    TFunc2DObj& written = At(doc, r.texts.size());
    for (const Extended x : {0.25L, 1.5L, 2.75L}) {
      Extended y1 = 0, y2 = 1;
      EXPECT_EQ(tested.Func.ValueAt(x, y1), written.Func.ValueAt(x, y2)) << r.same;
      EXPECT_EQ(y1, y2) << r.same << " at " << double(x);
    }
  }
  // f edited: g follows; a new value of a reaches g through f.
  TGraph2DDoc doc;
  doc.SetParameters({Param("a", 2), Param("b", 1)});
  Define(doc, {"a*x", "f(x)+1"});
  Extended y = 0;
  ASSERT_TRUE(At(doc, 1).Func.ValueAt(3, y));
  EXPECT_EQ(y, 7);
  doc.SetParameters({Param("a", 5), Param("b", 1)});
  ASSERT_TRUE(At(doc, 1).Func.ValueAt(3, y));
  EXPECT_EQ(y, 16);
  Define(doc, {"x^2", "f(x)+1"});
  ASSERT_TRUE(At(doc, 1).Func.ValueAt(3, y));
  EXPECT_EQ(y, 10);
}

// What keeps a definition from calling, each at the character where it is.
TEST(FunctionCalls, ErrorsPointAtTheCall) {
  const struct {
    std::vector<std::string> texts;
    std::size_t tested;
    const char* error;
  } rows[] = {
      {{"g(x)+1", "x*f(x)"}, 0, "Circular Reference at Character 1"},
      {{"g(x)+1", "x*f(x)"}, 1, "Circular Reference at Character 3"},
      {{"x+f(x-1)"}, 0, "Circular Reference at Character 3"},
      {{"x", "k(x)"}, 1, "Unknown Symbol at Character 1"},
      {{"x", "2*f"}, 1, "Function Not Followed by Open Parentheses Character at Character 3"},
      {{"ln(x)", "x+f(0)"}, 1, "Invalid Function Domain at Character 3"},
      {{"ln(x)", "x+f()"}, 1, "Expression Syntax Error at Character 5"},
      {{"k(x)", "3+f(x)"}, 1, "Unknown Symbol at Character 3"},  // f's error, at the call
  };
  for (const auto& r : rows) {
    TGraph2DDoc doc;
    Define(doc, r.texts);
    EXPECT_EQ(doc.Functions()[r.tested]->ErrorText(), r.error) << r.texts[r.tested];
  }
  // Curves have names but can not be called; a call may nest until the program is too big.
  TGraph2DDoc doc;
  doc.SetFunctions(List(Curve("t", "t", "p"), Function("p(x)", "g"), Function("x*x*x*x*x*x*x*x", "f1"),
                        Function("f1(f1(f1(f1(f1(f1(x))))))", "f2")));
  EXPECT_EQ(doc.Functions()[1]->ErrorText(), "Unknown Symbol at Character 1");
  EXPECT_EQ(doc.Functions()[3]->ErrorText(), "Out of Memory at Character 1");
}

// Names read longest first among everything named: a function sine, parameters a and b and a
// function ab, which takes ab whole; curves call the functions too.
TEST(FunctionCalls, NamesReadLongestFirst) {
  TGraph2DDoc doc;
  doc.SetParameters({Param("a", 2), Param("b", 3)});
  doc.SetFunctions(List(Function("x+1", "sine"), Function("10x", "ab"), Function("sine(x)+sin(0)+ab(x)+a*b", "f"),
                        Function("ab+1", "g"), Equation("y=sine(x)")));
  Extended y = 0;
  ASSERT_TRUE(At(doc, 2).Func.ValueAt(1, y));
  EXPECT_EQ(y, 2 + 0 + 10 + 6);
  EXPECT_EQ(doc.Functions()[3]->ErrorText(), "Function Not Followed by Open Parentheses Character at Character 1");
  auto& equation = dynamic_cast<TImplicitFuncObj&>(*doc.Functions()[4]).Equation;
  ASSERT_TRUE(equation.ValueAt(1, 5, y));
  EXPECT_EQ(y, 3);
}

TEST(FunctionCalls, PolarFunctionsCallEachOther) {
  TGraphPolarDoc doc;
  TFuncList<TFuncPolarObj> list;
  for (const char* text : {"1+cos(theta)", "f(x)*f(theta/2)"}) {
    list.push_back(std::make_unique<TFuncPolarObj>());
    list.back()->Func.SetExpression(text);
    list.back()->Name = DefaultFunctionName(int(list.size()) - 1);
  }
  doc.SetFunctions(std::move(list));
  Extended r = 0;
  ASSERT_TRUE(doc.Functions()[1]->Func.ValueAt(2, r));
  EXPECT_EQ(r, (1 + cosl(2)) * (1 + cosl(1)));
}

// ---- names -------------------------------------------------------------------------

TEST(FunctionNames, DefaultsAndTheDialogsChecks) {
  EXPECT_EQ((std::vector<std::string>{DefaultFunctionName(0), DefaultFunctionName(2), DefaultFunctionName(3),
                                      DefaultFunctionName(12)}),
            (std::vector<std::string>{"f", "h", "f1", "f10"}));
  EXPECT_EQ(FreeFunctionName({"f", "h"}, {Param("g", 1)}), "f1");
  TFunc2DWindow window;
  window.SetFunctions(List(Function("x")));
  window.SetParameters({Param("a", 1)}, "Add Parameter");
  const struct {
    const char* name;
    const char* told;
  } rows[] = {
      {"sin", "sin Is A Built-In Name"},
      {"F", "A Function Named f Exists Already"},
      {"a", "A Parameter Named a Exists Already"},
      {"x", "x Is The Name Of A Variable"},
      {"", "A Function Name Is 1 To 30 Letters And Digits, Starting With A Letter"},
  };
  TScopedScriptedMessages messages;
  TScopedDialogService dialogs;
  for (const auto& r : rows) {
    dialogs->Register<TFunc2DObj>([&](TFunc2DObj& f, bool addMode) {
      EXPECT_EQ(f.Name, "g");  // the first free name
      TAdd2DFuncDlg dlg(f, addMode);
      dlg.EName->setText(r.name);
      dlg.EUserFuncStr->setText("2x");
      messages->shown.clear();
      dlg.accept();
      EXPECT_EQ(Told(messages), std::string("E|OK|") + r.told + "\n");
      EXPECT_EQ(dlg.focusWidget(), dlg.EName);
      dlg.EName->setText("Sq");
      dlg.EUserFuncStr->setText("sq(x)+f(x)");  // itself: a cycle
      dlg.accept();
      EXPECT_EQ(Told(messages), std::string("E|OK|") + r.told +
                                    "\nE|OK|Error in: Function Definition: Circular Reference at Character 1\n");
      dlg.EUserFuncStr->setText("f(x)^2");
      dlg.accept();
      return dlg.result() == QDialog::Accepted;
    });
    ASSERT_TRUE(window.AddFunction());
    EXPECT_EQ(window.Doc().Functions().back()->GetDescription(), "Y=Sq(x)=f(x)^2");
    window.Undo();
  }
}

// Deleting a function that others call asks first; the callers then show their errors.
TEST(FunctionNames, DeletingACalledFunctionAsks) {
  TFunc2DWindow window;
  window.SetFunctions(List(Function("x+1", "f"), Function("f(x)^2", "g"), Function("g(x)/2", "h"), Function("x", "k")));
  TScopedScriptedMessages messages;
  messages->QueueAnswer(TMsgAnswer::No);
  messages->QueueAnswer(TMsgAnswer::Yes);
  OnNextModal([](QWidget* modal) {
    auto& dlg = *qobject_cast<TFuncListDlg*>(modal);
    dlg.FListBox->setCurrentRow(0);
    dlg.DeleteClick();  // No
    EXPECT_EQ(dlg.FListBox->count(), 4);
    dlg.DeleteClick();  // Yes
    EXPECT_EQ(dlg.FListBox->item(0)->text(), "Y=g(x)=f(x)^2   (Unknown Symbol at Character 1)");
    EXPECT_EQ(dlg.FListBox->item(1)->text(), "Y=h(x)=g(x)/2   (Unknown Symbol at Character 1)");
    dlg.FListBox->setCurrentRow(2);
    dlg.DeleteClick();  // k: nobody calls it
    dlg.accept();
  });
  window.EditFunctionList();
  EXPECT_EQ(Told(messages),
            "C|YN|Function f Is Used By g, h. Delete It Anyway?\n"
            "C|YN|Function f Is Used By g, h. Delete It Anyway?\n");
  ASSERT_EQ(window.Doc().Functions().size(), 2u);
  EXPECT_EQ(window.Doc().Functions()[0]->ErrorText(), "Unknown Symbol at Character 1");
  EXPECT_EQ(window.Doc().Functions()[1]->ErrorText(), "Unknown Symbol at Character 1");
}

// Renamed in the list, a function is called by its new name everywhere: in definitions,
// curves, equations and derived curves. A name that would run into the letters before it
// leaves the text as it was.
TEST(FunctionNames, RenamingAFunctionRenamesItsCalls) {
  const struct {
    const char* text;
    const char* renamed;
  } rows[] = {
      {"f(x)^2+2F(1)", "w(x)^2+2w(1)"},
      {"ff(x)+f (x)", "ff(x)+w (x)"},
      {"sin(f(x))*f(f(x))", "sin(w(x))*w(w(x))"},
      {"xf(x)-x", "xw(x)-x"},
      {"af(x)", "af(x)"},  // a*f(x), but aw is a parameter
  };
  TFunc2DWindow window;
  window.SetParameters({Param("a"), Param("aw")}, "Add Parameter");
  for (const auto& r : rows) {
    window.SetFunctions(List(Function("x+1", "f"), Function("2x", "ff"), Function(r.text, "g"), Curve("f(t)", "t", "p"),
                             Equation("y=f(x)", "q"), std::make_unique<TDerivedFuncObj>("f", TDerivedRequest{})));
    TScopedDialogService dialogs;
    dialogs->Register<TFunc2DObj>([](TFunc2DObj& f, bool addMode) {
      TAdd2DFuncDlg dlg(f, addMode);
      dlg.EName->setText("w");
      dlg.accept();
      return true;
    });
    ModifyFirstInList(window);
    std::vector<std::string> shown;
    for (const auto& f : window.Doc().Functions()) shown.push_back(f->GetDescription() + f->ErrorText());
    EXPECT_EQ(shown, (std::vector<std::string>{"Y=w(x)=x+1", "Y=ff(x)=2x",
                                               std::string("Y=g(x)=") + r.renamed +
                                                   (r.text == r.renamed ? "Unknown Symbol at Character 2" : ""),
                                               "p: x(t)=w(t), y(t)=t", "q: y=w(x)", "w'(x)"}));
  }
}

// ---- files and the calculator ----------------------------------------------------------

class FunctionNameFiles : public ::testing::Test {
 protected:
  TOpenBytes Open;
};

// Names that are not the defaults and calls make format 3, and come back as they were; a
// caller whose function is gone is kept with its error.
TEST_F(FunctionNameFiles, NamesAndCallsComeBack) {
  const struct {
    std::vector<std::pair<const char*, const char*>> functions;  // name, text
    int format;
  } rows[] = {
      {{{"f", "x"}, {"g", "x^2"}}, 2}, {{{"f", "x"}, {"g", "f(x)^2"}}, 3},
      {{{"g", "x"}, {"f", "x^2"}}, 3}, {{{"wave", "sin(x)"}}, 3},
      {{{"g", "f(x)^2"}}, 3},  // f was deleted
  };
  for (const auto& r : rows) {
    TGraph2DDoc doc, back;
    TFuncList<TBaseFunc2DObj> list;
    for (const auto& [name, text] : r.functions) list.push_back(Function(text, name));
    doc.SetFunctions(std::move(list));
    const TBytes bytes = doc.GraphBytes();
    EXPECT_EQ(bytes[49], r.format);
    ASSERT_EQ(Open(bytes, back), "");
    for (std::size_t i = 0; i < r.functions.size(); ++i)
      EXPECT_EQ(std::tuple(back.Functions()[i]->GetDescription(), back.Functions()[i]->ErrorText()),
                std::tuple(doc.Functions()[i]->GetDescription(), doc.Functions()[i]->ErrorText()));
    EXPECT_EQ(back.GraphBytes(), bytes);
  }
}

TEST_F(FunctionNameFiles, BadNamesAreLoadErrors) {
  TGraph2DDoc doc;  // format 3 for the names record at its end, which is taken out
  doc.SetFunctions(List(Function("x", "p"), Function("x", "q")));
  TBytes plain = doc.GraphBytes();
  const long recordBytes = 4 + 4 + 4 + 2 * (4 + 1);  // tag, length, count, two names
  plain.erase(plain.end() - 2 - recordBytes, plain.end() - 2);
  const auto names = [&](std::int32_t count, std::initializer_list<const char*> list) {
    TBuilder body;
    body.I32(count);
    for (const char* n : list) body.LStr(n);
    return WithRecord(plain, tagFunctionNames, body.bytes);
  };
  const struct {
    const char* what;
    TBytes bytes;
    const char* told;
  } rows[] = {
      {"good names", names(2, {"u", "v"}), ""},
      {"no names record: the defaults", plain, ""},
      {"one name too few", names(1, {"u"}), "E|OK|Error Loading File\n"},
      {"the same name twice", names(2, {"u", "U"}), "E|OK|Error Loading File\n"},
      {"a built-in name", names(2, {"u", "exp"}), "E|OK|Error Loading File\n"},
      {"not a name", names(2, {"u", "2v"}), "E|OK|Error Loading File\n"},
  };
  for (const auto& r : rows) {
    TGraph2DDoc back;
    EXPECT_EQ(Open(r.bytes, back), r.told) << r.what;
  }
}

TEST(FunctionCalculator, CallsTheGraphsFunctions) {
  TGraph2DDoc doc;
  doc.SetParameters({Param("a", 3)});
  Define(doc, {"x^2", "a*x"});
  TGraphScope names(doc.Parameters());
  for (const auto& f : doc.Functions()) names.AddCallableCopy(f->Name, *f->Callable());
  EXPECT_EQ(Calculate("f(2)+g(0.5)+x", "1", "0", true, &names).text, "6.50000000000000000E+0");
  EXPECT_EQ(Calculate("h(2)", "1", "0", true, &names).text, "Function Definition: Unknown Symbol at Character 1");
}

}  // namespace
}  // namespace plotix
