// Derivative and integral curves: their values against closed forms and a 40-digit
// reference, where they have none, how they follow their function, and the graph file.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QUndoStack>

#include "../files/open_bytes.h"
#include "../modal.h"
#include "../told.h"
#include "cartesian/cartesian_window.h"
#include "cartesian/derived_function.h"
#include "cartesian/function_dialog.h"
#include "expr/math_const_edit.h"
#include "functions.h"
#include "platform/canvas.h"
#include "platform/dialog_service.h"
#include "window/function_list_dialog.h"

namespace plotix {
namespace {

using namespace testbytes;

// A graph of f and one curve derived from it.
void Define(TGraph2DDoc& doc, const std::string& text, const TDerivedRequest& request) {
  doc.SetFunctions(List(Function(text), std::make_unique<TDerivedFuncObj>("f", request)));
}

const TDerivedFuncObj& Curve(const TGraph2DDoc& doc, std::size_t i = 1) {
  return dynamic_cast<const TDerivedFuncObj&>(*doc.Functions()[i]);
}

TDerivedRequest Integral(Extended x0, Extended y0) { return {TDerivedKind::Integral, "x0", "y0", x0, y0}; }

// Each curve at x from -4 to 4 in steps of 1/64 against its exact value, within `tolerance`
// relative to max(1, |value|); `undefined` where it has none.
TEST(DerivedCurves, ValuesToTheLastDigits) {
  const struct {
    const char* f;
    TDerivedRequest request;
    std::function<bool(Extended x, Extended& y)> exact;
    Extended tolerance;
  } rows[] = {
      {"x^3-2x",
       {TDerivedKind::FirstDerivative},
       [](Extended x, Extended& y) { return y = 3 * x * x - 2, true; },
       4e-19L},
      {"x^3-2x", {TDerivedKind::SecondDerivative}, [](Extended x, Extended& y) { return y = 6 * x, true; }, 4e-19L},
      {"abs(x)",
       {TDerivedKind::FirstDerivative},
       [](Extended x, Extended& y) { return y = x < 0 ? -1 : 1, x != 0; },
       0},
      {"cos(x)", Integral(0, 1), [](Extended x, Extended& y) { return y = 1 + sinl(x), true; }, 2e-18L},
      {"exp(x)", Integral(0, 1), [](Extended x, Extended& y) { return y = expl(x), true; }, 4e-18L},
      {"exp(abs(x))", Integral(0.5L, 0),
       [](Extended x, Extended& y) { return y = (x < 0 ? 2 - expl(-x) : expl(x)) - expl(0.5L), true; }, 4e-18L},
      // x0 beyond the range, and a singularity it integrates across (1/sqrt|x| at 0).
      {"1/sqrt(abs(x))", Integral(9, 6),
       [](Extended x, Extended& y) { return y = x < 0 ? -2 * sqrtl(-x) : 2 * sqrtl(x), true; }, 1e-16L},
      // Not integrable across 0, or undefined left of it: the curve stops there.
      {"1/x", Integral(1, 0), [](Extended x, Extended& y) { return y = logl(x), x > 0; }, 2e-18L},
      {"tan(x)", Integral(0, 0), [](Extended x, Extended& y) { return y = -logl(cosl(x)), fabsl(x) < 1.5708L; },
       4e-18L},
      {"sqrt(x)", Integral(1, 0), [](Extended x, Extended& y) { return y = (2 * x * sqrtl(x) - 2) / 3, x >= 0; },
       2e-18L},
  };
  std::vector<Extended> xs;
  for (int i = -256; i <= 256; ++i) xs.push_back(i / 64.0L);
  for (const auto& r : rows) {
    TGraph2DDoc doc;
    Define(doc, r.f, r.request);
    std::vector<Extended> ys;
    const std::vector<bool> defined = Curve(doc).Values(xs, ys);
    for (std::size_t i = 0; i < xs.size(); ++i) {
      Extended y = 0;
      const bool has = r.exact(xs[i], y);
      ASSERT_EQ(defined[i], has) << r.f << " " << Curve(doc).GetDescription() << " at " << double(xs[i]);
      if (has) {
        EXPECT_LE(fabsl(ys[i] - y), r.tolerance * std::max<Extended>(1, fabsl(y)))
            << r.f << " " << Curve(doc).GetDescription() << " at " << double(xs[i]);
      }
    }
  }
  // Far out on e^(x^2), against mpmath at 40 digits: within 1e-17 relative.
  TGraph2DDoc doc;
  Define(doc, "exp(x^2)", Integral(0, 0));
  std::vector<Extended> ys;
  xs = {1, 2, 3};
  Curve(doc).Values(xs, ys);
  const Extended reference[] = {1.462651745907181608804L, 16.45262776550723022473L, 1444.545122892714154713L};
  for (int i = 0; i < 3; ++i) EXPECT_LE(fabsl(ys[i] / reference[i] - 1), 1e-17L) << double(xs[i]);
}

// A curve follows f through a new definition, a new name and f deleted; the delete
// question names it.
TEST(DerivedCurves, FollowTheirFunction) {
  TGraph2DDoc doc;
  Define(doc, "x^2", {TDerivedKind::FirstDerivative});
  const auto at3 = [&doc] {
    std::vector<Extended> ys;
    const bool defined = Curve(doc, doc.Functions().size() - 1).Values({3}, ys)[0];
    return defined ? ys[0] : -1;
  };
  EXPECT_EQ(std::tuple(Curve(doc).ErrorText(), at3()), std::tuple("", Extended(6)));
  // Drawn: (1, f'(1) = 2) in its colour, blue.
  const_cast<TDerivedFuncObj&>(Curve(doc)).Style.Color = 0x0000FF;
  TBitmap bitmap(doc.BitmapWidth(), doc.BitmapHeight());
  doc.Render(bitmap);
  const TMapping2D map(doc.View(), doc.BitmapWidth(), doc.BitmapHeight());
  EXPECT_EQ(bitmap.Canvas().Pixel(map.halfW + 35, map.Row(70)), 0x0000FFu);
  TFuncList<TBaseFunc2DObj> list = CloneFunctions(doc.Functions());
  dynamic_cast<TFunc2DObj&>(*list[0]).Func.SetExpression("x^3");
  list[0]->Name = "g";
  for (const auto& f : list) f->FunctionRenamed({"f"}, "f", "g");
  doc.SetFunctions(std::move(list));
  EXPECT_EQ(at3(), 27);
  EXPECT_EQ(Curve(doc).GetDescription(), "g'(x)");
  EXPECT_EQ(FunctionsUsing(FunctionPointers(doc.Functions()), {}, doc.Functions()[0].get()),
            std::vector<std::string>{"g'(x)"});
  list = CloneFunctions(doc.Functions());
  list.erase(list.begin());
  doc.SetFunctions(std::move(list));
  EXPECT_EQ(std::tuple(Curve(doc, 0).ErrorText(), at3()), std::tuple("No Function Named g", Extended(-1)));
}

// The curves make format 3 and come back as they were; records that could not have been
// written are refused.
TEST(DerivedCurves, GraphFiles) {
  TGraph2DDoc doc;
  auto integral = std::make_unique<TDerivedFuncObj>(
      "f", TDerivedRequest{TDerivedKind::Integral, "pi/2", "-1", 1.5707963267948966192L, -1});
  integral->Style = {0x123456, 3};
  doc.SetFunctions(List(Function("sin(x)"),
                        std::make_unique<TDerivedFuncObj>("f", TDerivedRequest{TDerivedKind::SecondDerivative}),
                        std::move(integral)));
  const TBytes bytes = doc.GraphBytes();
  EXPECT_EQ(bytes[49], 3);
  TOpenBytes open;
  TGraph2DDoc back;
  ASSERT_EQ(open(bytes, back), "");
  EXPECT_EQ(back.GraphBytes(), bytes);
  std::vector<Extended> ys, backYs;
  EXPECT_EQ(Curve(back, 2).Values({0, 1, 2}, backYs), Curve(doc, 2).Values({0, 1, 2}, ys));
  EXPECT_EQ(std::tuple(Curve(back, 2).GetDescription(), backYs), std::tuple("\u222Bf with F(pi/2)=-1", ys));

  // The second derivative's kind and name, and the names record, in place.
  const TBytes kindAndName = TBuilder().I32(2).LStr("f").bytes;
  const auto at = std::search(bytes.begin(), bytes.end(), kindAndName.begin(), kindAndName.end()) - bytes.begin();
  const TBytes names = TBuilder().I32(tagFunctionNames).I32(4 + 5 + 4 + 4).I32(3).LStr("f").LStr("").LStr("").bytes;
  const auto namesAt = std::search(bytes.begin(), bytes.end(), names.begin(), names.end()) - bytes.begin();
  ASSERT_LT(namesAt, long(bytes.size()));
  const auto patched = [&](long offset, std::uint8_t value) {
    TBytes file = bytes;
    file[std::size_t(offset)] = value;
    return file;
  };
  TBytes named = bytes;  // the curve with a name of its own
  const TBytes g = TBuilder().LStr("g").bytes;
  named.erase(named.begin() + namesAt + 17, named.begin() + namesAt + 21);
  named.insert(named.begin() + namesAt + 17, g.begin(), g.end());
  named[std::size_t(namesAt + 4)] += 1;
  const struct {
    const char* what;
    TBytes file;
  } bad[] = {
      {"kind 0", patched(at, 0)},
      {"kind 4", patched(at, 4)},
      {"a number for a name", patched(at + 8, '2')},
      {"a variable for a name", patched(at + 8, 'x')},
      {"a name of its own", named},
  };
  for (const auto& r : bad) EXPECT_EQ(open(r.file, back), "E|OK|Error Loading File\n") << r.what;
}

// The function's dialog adds the curves after it in the same step, each in a colour of its
// own; a bad x0 is told. Renaming f in the list takes its curves along.
TEST(DerivedCurves, TheFunctionsDialogAddsThem) {
  TFunc2DWindow window;
  TScopedScriptedMessages messages;
  TScopedDialogService dialogs;
  dialogs->Register<TFunc2DObj>([&](TFunc2DObj& f, bool addMode) {
    TAdd2DFuncDlg dlg(f, addMode);
    if (addMode) {
      dlg.EUserFuncStr->setText("x^2");
      dlg.EFirstDerivative->setChecked(true);
      dlg.EIntegral->setChecked(true);
      dlg.EX0Str->setText("1/0");
      dlg.accept();
      dlg.EX0Str->setText("pi");
      dlg.EY0Str->setText("2");
    } else {
      dlg.EName->setText("g");
      dlg.ESecondDerivative->setChecked(true);
    }
    dlg.accept();
    return dlg.result() == QDialog::Accepted;
  });
  const auto descriptions = [&window] {
    std::vector<std::string> texts;
    std::set<TColor> colors;
    for (const auto& f : window.Doc().Functions()) {
      texts.push_back(f->GetDescription());
      colors.insert(f->Style.Color);
    }
    EXPECT_EQ(colors.size(), texts.size());
    return texts;
  };
  ASSERT_TRUE(window.AddFunction());
  EXPECT_EQ(Told(messages), "E|OK|Error in: x0: Division by Zero\n");
  EXPECT_EQ(descriptions(), (std::vector<std::string>{"Y=f(x)=x^2", "f'(x)", "\u222Bf with F(pi)=2"}));
  EXPECT_EQ(window.History()->undoText(), "Add Function And Its Curves");
  ModifyFirstInList(window);
  EXPECT_EQ(descriptions(), (std::vector<std::string>{"Y=g(x)=x^2", "g''(x)", "g'(x)", "\u222Bg with F(pi)=2"}));
  window.Undo();
  window.Undo();
  EXPECT_TRUE(window.Doc().Functions().empty());
}

}  // namespace
}  // namespace plotix
