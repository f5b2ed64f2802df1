// A class of 2D function the program was not built with, known through one row of the
// table of function kinds: the Function menu makes one, a file keeps it, the trace follows
// it, and a file holding one is refused once the row is gone.
#include "cartesian/function_kinds.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <stdexcept>

#include "../files/file_fixtures.h"
#include "../told.h"
#include "cartesian/cartesian_window.h"
#include "cartesian/curve_functions.h"
#include "expr/graph_scope.h"
#include "files/graph_file.h"
#include "platform/canvas.h"
#include "platform/dialog_service.h"

namespace plotix {
namespace {

constexpr std::int32_t kStairsTag = 90;

// y = int(x) drawn column by column, its definition kept in its own record.
class TStairsObj : public TBaseFunc2DObj {
 public:
  TMath2DFunc Func;

  std::string GetDescription() const override { return NamePrefix() + "stairs " + Func.Expression(); }
  void SaveToFile(TWriteGraphFile& w) const override { Func.WriteToFile(w); }
  void LoadFromFile(TReadGraphFile& r) override { Func.ReadFromFile(r); }
  std::unique_ptr<TBaseFuncObj> Clone() const override { return std::make_unique<TStairsObj>(*this); }
  std::vector<const TMathGraphFunc*> Definitions() const override { return {&Func}; }
  std::string Plot(TCanvas& canvas, const TMapping2D& map) override {
    TMath2DFunc f = Func;
    TColumnPlot plot;
    plot.Sample = [&f](Extended x, Extended& y) { return f.ValueAt(x, y); };
    plot.Style = Style;
    PlotColumns(plot, canvas, map);
    return {};
  }
  std::optional<TFunctionOfX> FunctionOfX() const override { return FunctionOfFirstVariable(Func); }
};

class FunctionKinds2D : public ::testing::Test {
 protected:
  FunctionKinds2D() {
    TFunctionKind kind;
    kind.type = typeid(TStairsObj);
    kind.fileTag = kStairsTag;
    kind.menuCaption = "New &Stairs...";
    kind.make = [] { return std::make_unique<TStairsObj>(); };
    kind.registerDialog = [](TDialogService& service) {
      service.Register<TStairsObj>([](TStairsObj& f, bool) {
        f.Func.SetExpression("int(x)");
        return f.Func.Compile();
      });
    };
    kind.offers.trace = true;
    RegisterFunctionKind(std::move(kind));
  }
  ~FunctionKinds2D() override { UnregisterFunctionKind(typeid(TStairsObj)); }

  TScopedScriptedMessages messages;
  TScopedDialogService dialogs;
};

TEST_F(FunctionKinds2D, ARowAloneMakesAClassOfferedSavedAndTraced) {
  TFunc2DWindow window;
  window.NewDefaultSize();
  QAction* add = nullptr;
  for (QAction* a : window.FunctionMenu()->actions())
    if (a->text() == "New &Stairs...") add = a;
  ASSERT_NE(add, nullptr);
  add->trigger();
  ASSERT_EQ(window.Doc().Functions().size(), 1u);
  EXPECT_EQ(window.Doc().Functions()[0]->GetDescription(), "f: stairs int(x)");
  const TMapping2D map(window.Doc().View(), window.BitmapWidth(), window.BitmapHeight());
  EXPECT_EQ(window.ScreenPicture().Canvas().Pixel(int(map.ColF(1.5L * map.zoomX)), int(map.RowF(map.zoomY))),
            window.Doc().Functions()[0]->Style.Color);  // the step y = 1

  window.StartTrace();
  EXPECT_EQ(window.TracedFunction(), 0);
  EXPECT_NE(window.TraceText().find("f(x) = "), std::string::npos) << window.TraceText();

  testbytes::TScratchDir dir;
  const std::string path = dir.Path("stairs.pxg");
  ASSERT_TRUE(window.Doc().SaveGraph(path));
  TGraph2DDoc reread;
  ASSERT_TRUE(OpenGraph(path, reread));
  ASSERT_EQ(reread.Functions().size(), 1u);
  EXPECT_EQ(reread.Functions()[0]->GetDescription(), "f: stairs int(x)");
  EXPECT_EQ(reread.Functions()[0]->FileTag(), kStairsTag);

  UnregisterFunctionKind(typeid(TStairsObj));
  TGraph2DDoc older;
  EXPECT_FALSE(OpenGraph(path, older));
  EXPECT_EQ(Told(messages), "E|OK|This graph file needs a newer version of Plotix.\n");
}

// A class or a tag the table holds, a graph-wide tag among them, is refused.
TEST_F(FunctionKinds2D, AClassOrATagIsRegisteredOnce) {
  const struct {
    std::type_index type;
    std::int32_t tag;
  } rows[] = {{typeid(TStairsObj), 91},
              {typeid(TBaseFunc2DObj), kStairsTag},
              {typeid(TBaseFunc2DObj), 0},
              {typeid(TBaseFunc2DObj), tagParameters}};
  for (const auto& r : rows) {
    TFunctionKind kind;
    kind.type = r.type;
    kind.fileTag = r.tag;
    EXPECT_THROW(RegisterFunctionKind(kind), std::logic_error) << r.tag;
  }
  EXPECT_EQ(FunctionKinds().back().type, std::type_index(typeid(TStairsObj)));
}

// A typed text is read as the first class that reads and compiles it: y = f(x), then a
// parametric curve, then an implicit one; when none compiles, as the first that reads it.
TEST(FunctionFromText, TheFirstClassThatReadsAndCompilesTheTextTakesIt) {
  TParameter a;
  a.Name = "a";
  TGraphScope scope({a});
  const struct {
    const char* text;
    const char* read;  // the description, then the error after " | "; empty: none reads it
  } rows[] = {
      {"x^2", "Y=f(x)=x^2 | "},
      {" y = a*x^2", "Y=f(x)=a*x^2 | "},
      {"g (x)=x^3-2x", "Y=g(x)=x^3-2x | "},
      {"x(t)=cos(t), y(t)=sin(t)", "f: x(t)=cos(t), y(t)=sin(t) | "},
      {"(cos(t), sin(2t)), 0 < t <= pi/2", "f: x(t)=cos(t), y(t)=sin(2t) 0..pi/2 | "},
      {"(t, 2t), -1 <= t < 1", "f: x(t)=t, y(t)=2t -1..1 | "},
      {"x^2+y^2=4", "f: x^2+y^2=4 | "},
      {"y=2y+x", "f: y=2y+x | "},  // not a function of x
      {"b*sin(x)", "Y=f(x)=b*sin(x) | Unknown Symbol at Character 1"},
      {"", ""},
      {"x, y", ""},
      {"(t, t^2), 1 < t < 0", ""},
      {"(t, t^2), 0 < s < 1", ""},
      {"x=y=1", ""},
  };
  for (const auto& r : rows) {
    const std::unique_ptr<TBaseFunc2DObj> f = FunctionFromText(r.text, "f", scope);
    std::string read;
    if (f) {
      read = f->GetDescription();
      if (const auto* curve = dynamic_cast<const TParametricFuncObj*>(f.get()); curve && curve->ToText != "2pi")
        read += " " + curve->FromText + ".." + curve->ToText;
      read += " | " + f->ErrorText();
    }
    EXPECT_EQ(read, r.read) << r.text;
  }
}

}  // namespace
}  // namespace plotix
