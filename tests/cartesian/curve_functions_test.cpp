// Parametric and implicit curves as functions of a 2D graph: their definitions, their pixels
// against the true curves computed here, and their place in graph files (format 3).
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "../compiled.h"
#include "../files/open_bytes.h"
#include "../told.h"
#include "cartesian/cartesian_document.h"
#include "cartesian/function_kinds.h"
#include "functions.h"
#include "graph3d/graph3d_document.h"
#include "platform/canvas.h"
#include "polar/polar_document.h"

namespace plotix {
namespace {

using namespace testbytes;
constexpr Extended kPi = mathlib::kPi;
constexpr TColor kInk = 0x0000FF;

std::unique_ptr<TParametricFuncObj> Parametric(const std::string& x, const std::string& y, Extended from = 0,
                                               Extended to = 2 * kPi) {
  auto f = Curve(x, y);
  EXPECT_TRUE(f->X.Compile() && f->Y.Compile()) << x << ", " << y;
  f->From = from;
  f->To = to;
  f->Style.Color = kInk;
  return f;
}

std::unique_ptr<TImplicitFuncObj> Implicit(const std::string& equation) {
  auto f = std::make_unique<TImplicitFuncObj>();
  EXPECT_TRUE(f->Equation.SetText(equation)) << equation;
  f->Style.Color = kInk;
  return f;
}

TEST(CurveDefinitions, TheParameterIsTAndKeepsTheFunctionsThatStartWithT) {
  const struct {
    const char* text;
    Extended want;
  } rows[] = {
      {"t", 0.5L},       {"2t", 1},        {"tan(t)", tanl(0.5L)}, {"tanh(t)", tanhl(0.5L)},
      {"trunc(t*5)", 2}, {"t^2+t", 0.75L}, {"cos(t)", cosl(0.5L)},
  };
  for (const auto& row : rows) {
    TMathParametricFunc f;
    f.SetExpression(row.text);
    ASSERT_TRUE(f.Compile()) << row.text;
    f.Value(0) = 0.5L;
    ASSERT_TRUE(f.Evaluate()) << row.text;
    EXPECT_NEAR(double(f.Result()), double(row.want), 1e-15) << row.text;
  }
  TMathParametricFunc x;
  x.SetExpression("x+t");
  EXPECT_FALSE(x.Compile());
  EXPECT_EQ(x.GetErrorText(), "Unknown Symbol at Character 1");
}

TEST(CurveDefinitions, AnEquationsErrorNamesItsSideAndItsPlaceInTheWholeText) {
  const struct {
    const char* text;
    const char* field;  // "" when it compiles
    const char* error;
  } rows[] = {
      {"x^2+y^2=4", "", ""},
      {"x*y-1", "", ""},
      {"x^2+y^2=z", "Right Side", "Unknown Symbol at Character 9"},
      {"x^2 = y^2+(", "Right Side", "Invalid Parentheses Grouping"},
      {"z+x=1", "Left Side", "Unknown Symbol at Character 1"},
      {"x=y=1", "Right Side", "Expression Syntax Error at Character 4"},
      {"x==1", "Right Side", "Expression Syntax Error at Character 3"},
      {"=x", "Left Side", "Empty Expression"},
      {"x=", "Right Side", "Empty Expression"},
      {"q", "Equation", "Unknown Symbol at Character 1"},
  };
  for (const auto& row : rows) {
    TImplicitEquation e;
    const bool compiled = e.SetText(row.text);
    EXPECT_EQ(compiled, !*row.field) << row.text;
    if (!compiled) {
      EXPECT_EQ(std::tuple(e.ErrorField(), e.ErrorText()), std::tuple(row.field, row.error)) << row.text;
    }
  }
  TImplicitEquation e;
  EXPECT_FALSE(e.SetText("x=" + std::string(999, '1')));  // the limit is the whole text's
  EXPECT_EQ(std::tuple(e.ErrorField(), e.ErrorText()),
            std::tuple("Equation", "Expressions May Not Be Longer Than 1000 Characters"));
  Extended f = 0;
  ASSERT_TRUE(e.SetText("x^2+y^2=4"));
  EXPECT_TRUE(e.ValueAt(1, 3, f));
  EXPECT_EQ(f, 6);
  ASSERT_TRUE(e.SetText("sqrt(x)=y"));
  EXPECT_FALSE(e.ValueAt(-1, 0, f));
  ASSERT_TRUE(e.SetText("y=sqrt(x)"));
  EXPECT_FALSE(e.ValueAt(-1, 0, f));
}

// ---- pixels -------------------------------------------------------------------

class CurvePixels : public ::testing::Test {
 protected:
  CurvePixels() : bitmap(500, 500) {
    TSetting2DObj s;
    s.X.ShowAxisLines = s.Y.ShowAxisLines = false;
    s.X.TickType = s.Y.TickType = ttNone;
    doc.SetSettings(s);
  }
  void Draw(std::unique_ptr<TBaseFunc2DObj> f) {
    doc.SetFunctions(List(std::move(f)));
    doc.Render(bitmap);
  }
  // The graph point of a pixel's centre at the default view (35 pixels a unit, origin at 250, 250).
  static std::pair<double, double> At(int col, int row) { return {(col - 250) / 35.0, (250 - row) / 35.0}; }
  // The drawn pixels against points of the true curve at most a quarter pixel apart: no
  // drawn pixel farther than `near` pixels from them, and none of them without a drawn pixel
  // in the 3 x 3 pixels around it.
  void ExpectCurve(const std::vector<std::pair<double, double>>& truth, double near) {
    const auto pixel = [](double x, double y) {
      return std::pair(int(std::lround(250 + 35 * x)), int(std::lround(250 - 35 * y)));
    };
    std::vector<std::vector<std::pair<double, double>>> cells(500 * 500);  // the truth by pixel
    for (const auto& [x, y] : truth) {
      const auto [col, row] = pixel(x, y);
      if (col < 1 || row < 1 || col > 498 || row > 498) continue;
      cells[std::size_t(row * 500 + col)].emplace_back(x, y);
      bool found = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) found = found || bitmap.Canvas().Pixel(col + dx, row + dy) == kInk;
      EXPECT_TRUE(found) << "a gap at " << x << ", " << y;
    }
    int drawn = 0;
    for (int row = 2; row < 498; ++row)
      for (int col = 2; col < 498; ++col) {
        if (bitmap.Canvas().Pixel(col, row) != kInk) continue;
        ++drawn;
        const auto [x, y] = At(col, row);
        double best = 9;
        for (int dy = -2; dy <= 2; ++dy)
          for (int dx = -2; dx <= 2; ++dx)
            for (const auto& [u, v] : cells[std::size_t((row + dy) * 500 + col + dx)])
              best = std::min(best, std::hypot(u - x, v - y) * 35);
        EXPECT_LE(best, near) << col << ", " << row;
      }
    EXPECT_GT(drawn, 100);
  }

  TGraph2DDoc doc;
  TBitmap bitmap;
};

std::vector<std::pair<double, double>> CirclePoints(double r) {
  std::vector<std::pair<double, double>> points;
  for (int i = 0; i < 2000; ++i) points.emplace_back(r * std::cos(i * kPi / 1000), r * std::sin(i * kPi / 1000));
  return points;
}

TEST_F(CurvePixels, ACircleDrawnAsEitherCurveLiesOnTheCircle) {
  Draw(Parametric("2cos(t)", "2sin(t)"));
  ExpectCurve(CirclePoints(2), 1.2);
  EXPECT_EQ(doc.DrawingNote(), "");
  Draw(Implicit("x^2+y^2=4"));
  ExpectCurve(CirclePoints(2), 1.2);
  EXPECT_EQ(doc.DrawingNote(), "");
}

// The folium x^3 + y^3 = 3xy against its parametric form x = 3t/(1+t^3), y = 3t^2/(1+t^3),
// sampled here; the line x + y = -1 it nears is no part of it.
TEST_F(CurvePixels, TheFoliumDrawnImplicitlyLiesOnItsParametricForm) {
  std::vector<std::pair<double, double>> truth;
  for (double t = -60; t <= 60; t += 0.0005)
    if (std::fabs(1 + t * t * t) > 0.05) truth.emplace_back(3 * t / (1 + t * t * t), 3 * t * t / (1 + t * t * t));
  Draw(Implicit("x^3+y^3=3x*y"));
  ExpectCurve(truth, 1.2);
}

TEST_F(CurvePixels, ABrokenParametricCurveAndAnEmptyEquationSayWhatTheyDraw) {
  Draw(Parametric("tan(t)", "1", 0, kPi));  // runs off at pi/2 and comes back from the other side
  for (int col = 0; col < 500; col += 50) EXPECT_EQ(bitmap.Canvas().Pixel(col, 215), kInk) << col;
  EXPECT_EQ(doc.DrawingNote(), "");
  Draw(Parametric("t+100", "sqrt(-t)", 0, 1));  // off the view where defined
  EXPECT_EQ(doc.DrawingNote(), "x(t)=t+100, y(t)=sqrt(-t): nothing to draw in this view");
  const struct {
    const char* equation;
    const char* note;
  } rows[] = {
      {"x^2+y^2=-1", "x^2+y^2=-1: nothing to draw in this view"},
      {"(x-y)^2", "(x-y)^2: can not be drawn, it comes to zero without changing sign"},
      {"1/(x-y)=0", "1/(x-y)=0: nothing to draw in this view"},
  };
  for (const auto& row : rows) {
    Draw(Implicit(row.equation));
    EXPECT_EQ(doc.DrawingNote(), row.note);
    int drawn = 0;
    for (int y = 0; y < 500; ++y)
      for (int x = 0; x < 500; ++x) drawn += bitmap.Canvas().Pixel(x, y) == kInk;
    EXPECT_EQ(drawn, 0) << row.equation;
  }
}

// A polyline of one point, as a tiny loop leaves it, is a dot of the line's width.
TEST_F(CurvePixels, APointAloneIsADotOfTheLinesWidth) {
  for (const int width : {1, 5}) {
    bitmap.Canvas().Brush() = {0xFFFFFF, bsSolid};
    bitmap.Canvas().FillRect({0, 0, 500, 500});
    DrawCurvePath({{{100, 100}}}, {kInk, width}, bitmap.Canvas());
    int drawn = 0;
    for (int y = 90; y < 110; ++y)
      for (int x = 90; x < 110; ++x) drawn += bitmap.Canvas().Pixel(x, y) == kInk;
    EXPECT_EQ(drawn > 1, width > 1) << width;
    EXPECT_EQ(bitmap.Canvas().Pixel(100, 100), kInk) << width;
  }
}

// ---- files --------------------------------------------------------------------

class CurveFiles : public ::testing::Test {
 protected:
  // y = x, a parametric curve, y = x^2, an implicit curve: every kind between the others.
  void Mixed(TGraph2DDoc& doc) {
    auto circle = Parametric("2cos(t)", "2sin(t)", -kPi, kPi);
    circle->FromText = "-pi";
    circle->ToText = "pi";
    circle->Style = {0x123456, 3};
    doc.AddFunction(Compiled<TFunc2DObj>("x"));
    doc.AddFunction(std::move(circle));
    doc.AddFunction(Compiled<TFunc2DObj>("x^2"));
    doc.AddFunction(Implicit("y^2 = x^3-x"));
  }
  std::vector<std::string> Descriptions(const TGraph2DDoc& doc) {
    std::vector<std::string> list;
    for (const auto& f : doc.Functions()) list.push_back(f->GetDescription());
    return list;
  }
  TOpenBytes Open;
};

// Saved and opened, the list keeps its order and every field (the bytes are the same
// again); without its curves, and with its functions named as their places' defaults again,
// the graph is format 2 again.
TEST_F(CurveFiles, EveryKindComesBackInItsPlace) {
  TGraph2DDoc doc, back;
  Mixed(doc);
  const TBytes bytes = doc.GraphBytes();
  EXPECT_EQ(std::tuple(bytes[39], bytes[49]), std::tuple('3', 3));  // version text and number
  EXPECT_EQ(Open(bytes, back), "");
  EXPECT_EQ(Descriptions(back),
            (std::vector<std::string>{"Y=f(x)=x", "g: x(t)=2cos(t), y(t)=2sin(t)", "Y=h(x)=x^2", "f1: y^2 = x^3-x"}));
  EXPECT_EQ(back.GraphBytes(), bytes);
  TFuncList<TBaseFunc2DObj> kept;
  for (const auto& f : back.Functions())
    if (!f->FileTag())
      kept.push_back(std::unique_ptr<TBaseFunc2DObj>(static_cast<TBaseFunc2DObj*>(f->Clone().release())));
  back.SetFunctions(std::move(kept));
  EXPECT_EQ(back.GraphBytes()[49], 3);  // h is not the second one's default name
  back.SetFunctions([&] {
    TFuncList<TBaseFunc2DObj> renamed = CloneFunctions(back.Functions());
    renamed[1]->Name = "G";
    return renamed;
  }());
  EXPECT_EQ(back.GraphBytes()[49], 3);  // names keep their case
  back.SetFunctions([&] {
    TFuncList<TBaseFunc2DObj> renamed = CloneFunctions(back.Functions());
    renamed[1]->Name = "g";
    return renamed;
  }());
  EXPECT_EQ(back.GraphBytes()[49], 2);
}

TEST_F(CurveFiles, RecordsThatCanNotBeReadAreRefusedWithoutDroppingAnything) {
  TGraph2DDoc doc;
  Mixed(doc);
  const TBytes good = doc.GraphBytes();
  const auto implicit = [](int position) { return TBuilder().I32(position).I32(0xFF).I32(1).LStr("x=y").bytes; };
  const std::string newer = "E|OK|This graph file needs a newer version of Plotix.\n";
  const std::string error = "E|OK|Error Loading File\n";
  const struct {
    const char* what;
    TBytes bytes;
    std::string told;
  } rows[] = {
      {"a tag from a newer version", WithRecord(good, 99, 0, {}), newer},
      {"an implicit curve at the end", WithRecord(good, kImplicitCurveTag, 19, implicit(4)), ""},
      {"a position not past the last", WithRecord(good, kImplicitCurveTag, 19, implicit(3)), error},
      {"a position past the end", WithRecord(good, kImplicitCurveTag, 19, implicit(5)), error},
      {"a length beyond the file", WithRecord(good, kImplicitCurveTag, 20, implicit(4)),
       "E|OK|Error Reading From File\n"},
      {"a length shorter than the body", WithRecord(good, kImplicitCurveTag, 18, implicit(4)), error},
      {"a negative length", WithRecord(good, kImplicitCurveTag, -1, implicit(4)), error},
      {"two hidden functions", WithRecord(good, tagHiddenFunctions, 12, TBuilder().I32(2).I32(0).I32(3).bytes), ""},
      {"a hidden position past the list", WithRecord(good, tagHiddenFunctions, 8, TBuilder().I32(1).I32(4).bytes),
       error},
      {"hidden positions out of order", WithRecord(good, tagHiddenFunctions, 12, TBuilder().I32(2).I32(1).I32(1).bytes),
       error},
      {"a negative hidden position", WithRecord(good, tagHiddenFunctions, 8, TBuilder().I32(1).I32(-1).bytes), error},
      {"two records of hidden functions",
       WithRecord(WithRecord(good, tagHiddenFunctions, 8, TBuilder().I32(1).I32(0).bytes), tagHiddenFunctions, 8,
                  TBuilder().I32(1).I32(1).bytes),
       error},
  };
  for (const auto& row : rows) {
    TGraph2DDoc back;
    Mixed(back);
    const TBytes before = back.GraphBytes();
    EXPECT_EQ(Open(row.bytes, back), row.told) << row.what;
    if (!row.told.empty()) {
      EXPECT_EQ(back.GraphBytes(), before) << row.what;
    }
  }
  // A polar graph holds no curves: one that claims to is damaged.
  TGraphPolarDoc polar;
  TBytes bytes = WithRecord(polar.GraphBytes(), kImplicitCurveTag, 19, implicit(0));
  bytes[49] = 3;  // format 3, with its header checksum
  PutSum(bytes, 61);
  EXPECT_EQ(Open(bytes, polar), error);
}

// A graph of the kind with one hidden function draws what the graph without it draws.
template <class TDoc, class TFunc>
void ExpectHiddenLeftOut(const char* definition) {
  TDoc with, without;
  auto f = Compiled<TFunc>(definition);
  f->Hidden = true;
  with.AddFunction(std::move(f));
  TBitmap drawn(120, 120), expected(120, 120);
  with.Render(drawn);
  without.Render(expected);
  EXPECT_EQ(drawn.Image(), expected.Image()) << definition;
}

// A hidden function is neither drawn nor offered to the tools, the file keeps it in a record
// of its own, and a graph with nothing hidden is written as before.
TEST_F(CurveFiles, HiddenFunctionsAreKeptButNotDrawnOrAnalysed) {
  TGraph2DDoc doc, without;
  Mixed(doc);
  Mixed(without);
  const TBytes shown = doc.GraphBytes();
  const auto hide = [](TGraph2DDoc& d, std::size_t i, bool hidden) {
    TFuncList<TBaseFunc2DObj> list = CloneFunctions(d.Functions());
    list[i]->Hidden = hidden;
    d.SetFunctions(std::move(list));
  };
  hide(doc, 2, true);
  TFuncList<TBaseFunc2DObj> three = CloneFunctions(without.Functions());
  three.erase(three.begin() + 2);
  without.SetFunctions(std::move(three));
  TGraph2DDoc back;
  EXPECT_EQ(Open(doc.GraphBytes(), back), "");
  std::vector<bool> hidden;
  for (const auto& f : back.Functions()) hidden.push_back(f->Hidden);
  EXPECT_EQ(hidden, (std::vector<bool>{false, false, true, false}));
  EXPECT_EQ(FunctionsOffering(back, &TFunctionOffers::points), std::vector<int>{0});
  TBitmap drawn(200, 200), expected(200, 200);
  back.Render(drawn);
  without.Render(expected);
  EXPECT_EQ(drawn.Image(), expected.Image());
  hide(doc, 2, false);
  EXPECT_EQ(doc.GraphBytes(), shown);
  // The other kinds leave a hidden function out of their pictures alike.
  ExpectHiddenLeftOut<TGraphPolarDoc, TFuncPolarObj>("2+cos(5theta)");
  ExpectHiddenLeftOut<TGraph3DDoc, TFunc3DObj>("x*y");
}

}  // namespace
}  // namespace plotix
