// The points window: what a 2D function's zeros, extrema and intersections are, as rows and
// as copied text; centring, marks and the range.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include "../told.h"
#include "cartesian/area_dialog.h"
#include "cartesian/cartesian_window.h"
#include "cartesian/curve_functions.h"
#include "cartesian/derived_function.h"
#include "cartesian/points_window.h"
#include "cartesian/trace.h"
#include "cartesian/value_table_dialog.h"
#include "expr/math_const_edit.h"
#include "functions.h"

namespace plotix {
namespace {

// Curves have no points here.
TFuncList<TBaseFunc2DObj> Functions() {
  return List(Function("x^2-1", "f"), Function("x+1", "g"), Function("zz(x)", "k"), Curve("t", "t", "p"));
}

TEST(FunctionPoints, ZerosExtremaAndIntersectionsInOrder) {
  TGraph2DDoc doc;
  doc.SetFunctions(Functions());
  EXPECT_EQ(PointFunctions(doc), (std::vector<int>{0, 1}));  // k does not compile, p is a curve
  const TFunctionPoints points = FindFunctionPoints(doc, 0, -3, 3);
  EXPECT_EQ(PointsText(points),
            "Zero\t-1\t0\n"
            "Intersection with g\t-1\t0\n"
            "Minimum\t0\t-1\n"
            "Zero\t1\t0\n"
            "Intersection with g\t2\t3\n");
  EXPECT_FALSE(points.more);
}

// A click picks the function drawn nearest within 4 pixels; its points are those of the
// visible range, the nearest to the click when there are too many.
TEST(FunctionPoints, AClickPicksTheNearestFunctionAndItsPointsInView) {
  TGraph2DDoc doc;
  doc.SetFunctions(Functions());
  const TMapping2D map(doc.View(), 500, 500);
  const auto near = [&](Extended x, Extended y, double down) {
    return FunctionNear(doc, map, map.ColF(x * map.zoomX), map.RowF(y * map.zoomY) + down, 4);
  };
  const struct {
    Extended x, y;
    double down;  // pixels below the point
    int picked;
  } rows[] = {{1, 0, 0, 0},  {1, 2, 0, 1},   {3, 3, 0, 3},   {2, 2, 3.5, 3},  // p's (2, 2) is nearer than g's (2, 3)
              {0, -1, 4, 0}, {0, -1, 6, -1}, {-3, 0, 0, -1}, {-1, 0, 1, 0}};
  for (const auto& r : rows) EXPECT_EQ(near(r.x, r.y, r.down), r.picked) << r.x << "," << r.y << "+" << r.down;
  // A steep line is near along its segments, 100 pixels from one column's point to the next.
  TGraph2DDoc steep;
  steep.SetFunctions(List(Function("100x")));
  EXPECT_EQ(FunctionNear(steep, map, 252, 100.5, 4), 0);
  // f over -7..7: zeros at -1 and 1, the minimum at 0, g met at -1 and 2.
  EXPECT_EQ(PointsInView(doc, 0, map, 0, 0, 200).rows.size(), 5u);
  const TFunctionPoints two = PointsInView(doc, 0, map, map.ColF(2 * map.zoomX), map.RowF(3 * map.zoomY), 2);
  EXPECT_TRUE(two.more);
  EXPECT_EQ(PointsText(two), "Zero\t1\t0\nIntersection with g\t2\t3\n");
}

// A plain click selects the function under it and shows its points; a click on a point keeps
// its tip, Ctrl+C copies it, Esc or a click away ends the selection, and the points follow the
// view. A curve is selected without points.
TEST(FunctionPoints, AClickSelectsAFunctionWithItsPoints) {
  TScopedScriptedMessages messages;
  TFunc2DWindow window;
  window.NewDefaultSize();
  window.SetFunctions(Functions());
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const auto click = [&](Extended x, Extended y, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    const TMapping2D map(window.Doc().View(), window.BitmapWidth(), window.BitmapHeight());
    const int col = int(map.ColF(x * map.zoomX)), row = int(map.RowF(y * map.zoomY));
    window.MouseDown(Qt::LeftButton, keys, col, row);
    window.MouseUp(Qt::LeftButton, keys, col, row);
  };
  const auto points = [&](std::size_t count) {
    return QTest::qWaitFor([&] { return window.SelectedPoints().rows.size() == count; }, 5000);
  };
  click(0.5, -0.75);
  EXPECT_EQ(window.SelectedFunction(), 0);
  EXPECT_TRUE(points(5));
  click(-1, 0);  // the first point's dot
  EXPECT_EQ(window.PinnedPoint(), 0);
  click(0, -1);  // the minimum's dot
  ASSERT_GE(window.PinnedPoint(), 0);
  EXPECT_EQ(window.PointTip(window.PinnedPoint()), "Minimum (0, -1)");
  // On the screen: the dot over the heavier line, the kept tip beside it.
  const QImage shown = window.ScreenImage()->grab().toImage();
  ASSERT_EQ(shown.size(), QSize(window.BitmapWidth(), window.BitmapHeight()));
  const TMapping2D map(window.Doc().View(), window.BitmapWidth(), window.BitmapHeight());
  const QPoint minimum(int(map.ColF(0)), int(map.RowF(-map.zoomY)));
  EXPECT_EQ(shown.pixelColor(minimum), QColor(128, 128, 128));
  EXPECT_EQ(shown.pixelColor(minimum + QPoint(6, -1)), ToQColor(window.Doc().Functions()[0]->Style.Color));
  EXPECT_EQ(shown.pixelColor(minimum + QPoint(14, 14)), QColor(255, 255, 225));
  QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "(0, -1)");
  window.SetView({35, 35, 7 * 35, 0});  // x from -0.14 to 14.1: one zero, the minimum, one meeting
  EXPECT_TRUE(points(3));
  EXPECT_EQ(window.PinnedPoint(), -1);
  EXPECT_TRUE(window.ModeKey(Qt::Key_Escape));
  EXPECT_EQ(window.SelectedFunction(), -1);
  EXPECT_FALSE(window.ModeKey(Qt::Key_Escape));
  window.SetView({});
  click(0.5, -0.75);
  TFuncList<TBaseFunc2DObj> hidden = CloneFunctions(window.Doc().Functions());
  hidden[0]->Hidden = true;
  window.SetFunctions(std::move(hidden));
  EXPECT_EQ(window.SelectedFunction(), -1);  // a function no longer shown is no longer selected
  click(3, 3);
  EXPECT_EQ(window.SelectedFunction(), 3);
  EXPECT_TRUE(points(0));
  click(1, 2, Qt::ShiftModifier);  // a region, not a selection
  EXPECT_EQ(window.SelectedFunction(), 3);
  window.LeaveMode();
  click(-3, 5);
  EXPECT_EQ(window.SelectedFunction(), -1);
}

TEST(FunctionPoints, TheWindowCentresMarksAndTakesARange) {
  TScopedScriptedMessages messages;
  TFunc2DWindow window;
  window.SetFunctions(Functions());
  TPointsWindow& points = *TPointsWindow::Open(&window);
  EXPECT_EQ(points.EFunction->count(), 2);
  EXPECT_EQ(points.Rows->rowCount(), 5);  // the visible range, -7 to 7
  points.CenterOn(4);
  EXPECT_EQ(std::tuple(window.Doc().View().CenterX, window.Doc().View().CenterY),
            std::tuple(Extended(70), Extended(105)));
  EXPECT_EQ(points.Rows->rowCount(), 5);
  points.MarkOnGraph();
  EXPECT_EQ(window.Marks().size(), 5u);
  window.SetView(TView2D{});  // a new view keeps them, a step of the history does not
  EXPECT_EQ(window.Marks().size(), 5u);
  window.SetSettings(window.Doc().Settings());
  EXPECT_TRUE(window.Marks().empty());
  const struct {
    const char *from, *to, *note;
    int rows;
  } ranges[] = {
      {"0", "1.5", "", 1},  // the minimum at the range's end is none
      {"-pi", "", "", 5},
      {"3", "4", "No zero, extremum or intersection in this range.", 0},
      {"2", "1", "Error: x From must be <= x To", 0},
      {"1/0", "", "Error in: x From: Division by Zero", 0},
  };
  for (const auto& r : ranges) {
    points.EFrom->setText(r.from);
    points.ETo->setText(r.to);
    points.Refresh();
    EXPECT_EQ(std::tuple(points.Rows->rowCount(), points.Note->text().toStdString()),
              std::tuple(r.rows, std::string(r.note)))
        << r.from << " " << r.to;
  }
  // After an error the numbers' columns still have room for a number.
  EXPECT_GE(points.Rows->columnWidth(2), points.Rows->fontMetrics().horizontalAdvance(QString(18, '0')));
  points.FollowGraph(nullptr);
  EXPECT_EQ(points.Note->text(), "Activate a 2D Cartesian graph window.");
  points.close();
}

TEST(FunctionPoints, TheWindowGoesWithTheWindowItWasOpenedIn) {
  QPointer<TPointsWindow> points;
  {
    TFunc2DWindow window;
    points = TPointsWindow::Open(&window);
    EXPECT_EQ(TPointsWindow::Open(&window), points);  // one a window
  }
  EXPECT_TRUE(points.isNull());
}

TEST(Trace, FollowsTheMouseTheKeysAndTheFunctions) {
  TFunc2DWindow window;
  window.SetFunctions(Functions());
  window.StartTrace();
  ASSERT_TRUE(window.Tracing());
  const int one = window.BitmapWidth() / 2 + 35;  // x = 1 at the default view
  const struct {
    int key;  // 0: the mouse at x = 1
    const char* text;
  } steps[] = {
      {0, "f: x = 1\nf(x) = 0\nf'(x) = 2"},
      {Qt::Key_Down, "g: x = 1\ng(x) = 2\ng'(x) = 1"},
      // The curve at its point nearest g's, (1.5, 1.5), by steps of t, 2pi/1000.
      {Qt::Key_Down, "p: t = 1.50168128841592\nx = 1.50168128841592\ny = 1.50168128841592\ndy/dx = 1"},
      {Qt::Key_Right, "p: t = 1.5079644737231\nx = 1.5079644737231\ny = 1.5079644737231\ndy/dx = 1"},
      // f at the curve's column (k does not compile), and back to the curve's point nearest f's.
      {Qt::Key_Down, "f: x = 1.51428571428571\nf(x) = 1.2930612244898\nf'(x) = 3.02857142857143"},
      {Qt::Key_Up, "p: t = 1.40115032350105\nx = 1.40115032350105\ny = 1.40115032350105\ndy/dx = 1"},
      // The mouse at (1, 6.86): the curve's nearest point.
      {0, "p: t = 3.92699081698724\nx = 3.92699081698724\ny = 3.92699081698724\ndy/dx = 1"},
      {Qt::Key_Up, "g: x = 3.91428571428571\ng(x) = 4.91428571428571\ng'(x) = 1"},
      {Qt::Key_Left, "g: x = 3.88571428571429\ng(x) = 4.88571428571429\ng'(x) = 1"},
  };
  for (const auto& s : steps) {
    if (s.key)
      EXPECT_TRUE(window.ModeKey(s.key));
    else
      EXPECT_TRUE(window.ModeMouseMove(one, 10));
    EXPECT_EQ(window.TraceText(), s.text);
  }
  // The mouse beyond the picture, and Right there, keep to its last column.
  window.ModeMouseMove(window.BitmapWidth() + 50, 10);
  const std::string last = window.TraceText();
  window.ModeKey(Qt::Key_Right);
  EXPECT_EQ(window.TraceText(), last);
  EXPECT_EQ(last.substr(0, 10), "g: x = 7.1");
  EXPECT_FALSE(window.ModeKey(Qt::Key_A));
  EXPECT_TRUE(window.ModeKey(Qt::Key_Escape));
  EXPECT_FALSE(window.Tracing());
  EXPECT_FALSE(window.ModeMouseMove(one, 10));  // the labels have the mouse again
  // Where the function or its slope has no value, the read-out says so.
  // A curve with a vertical tangent at t = 0, no slope at t = 3 and no point beyond.
  auto curve = Curve("cos(t)", "sqrt(3-t)", "c");
  curve->To = 4;
  window.SetFunctions(List(Function("sqrt(-x)", "f"), Function("abs(x-1)", "g"), std::move(curve)));
  window.StartTrace();
  window.ModeMouseMove(one, 10);
  EXPECT_EQ(window.TraceText(), "f: x = 1\nInvalid Function Domain");
  window.ModeKey(Qt::Key_Down);
  EXPECT_EQ(window.TraceText(), "g: x = 1\ng(x) = 0\ng'(x) = Invalid Function Domain");
  window.ModeKey(Qt::Key_Down);
  for (int i = 0; i <= kTraceSteps; ++i) window.ModeKey(Qt::Key_Left);
  EXPECT_EQ(window.TraceText(), "c: t = 0\nx = 1\ny = 1.73205080756888\ndy/dx = Division by Zero");
  for (int i = 0; i <= kTraceSteps; ++i) window.ModeKey(Qt::Key_Right);
  EXPECT_EQ(window.TraceText(), "c: t = 4\ny(t): Invalid Function Domain");
  for (int i = 0; i < kTraceSteps / 4; ++i) window.ModeKey(Qt::Key_Left);
  EXPECT_EQ(window.TraceText(), "c: t = 3\nx = -0.989992496600445\ny = 0\ndy/dx = Invalid Function Domain");
}

// The read-out stays beside the cross-hair and inside the part of the picture the window shows.
TEST(Trace, TheReadOutKeepsInsideTheVisiblePart) {
  const struct {
    QPointF at;
    QRectF shown;
    QPointF place;
  } rows[] = {
      {{100, 100}, {0, 0, 500, 500}, {110, 110}},
      {{480, 100}, {0, 0, 500, 500}, {390, 110}},      // the right edge: left of the cross-hair
      {{100, 480}, {0, 0, 500, 500}, {110, 430}},      // the bottom: above it
      {{340, 290}, {200, 200, 150, 100}, {250, 240}},  // a window smaller than the bitmap
      {{100, 100}, {200, 200, 150, 100}, {200, 200}},  // the cross-hair scrolled out of sight
      {{10, 10}, {0, 0, 50, 20}, {0, 0}},              // a part smaller than the box
  };
  for (const auto& r : rows) EXPECT_EQ(ReadoutPlace(r.at, QSizeF(80, 40), r.shown), r.place) << r.at.x();
}

TEST(Area, IntegralEstimateAndShade) {
  TFunc2DWindow window;
  window.SetFunctions(Functions());
  {
    TAreaDlg dlg(window);  // f from 0 to 1 at once
    EXPECT_EQ(dlg.Result->text().section('\n', 0, 0).toStdString(), "Integral: -0.666666666666667");
    EXPECT_FALSE(window.Shade().empty());
    // Another function is another area at once, and is no choice for "Between it and".
    dlg.EFunction->setCurrentIndex(1);
    EXPECT_EQ(std::tuple(dlg.Result->text().section('\n', 0, 0), dlg.EBetween->count(), dlg.EBetween->itemData(1)),
              std::tuple(QString("Integral: 1.5"), 2, QVariant(0)));
    dlg.EFunction->setCurrentIndex(0);
    const struct {
      int between;
      const char *from, *to, *result;
    } rows[] = {
        {1, "-1", "2", "Integral: -4.5"},  // f - g, below g; f itself is no choice
        {0, "2", "1", "Error: From must be <= To"},
        {0, "", "1", "Error in: From: Empty Expression"},
    };
    for (const auto& r : rows) {
      dlg.EBetween->setCurrentIndex(r.between);
      dlg.EFrom->setText(r.from);
      dlg.ETo->setText(r.to);
      dlg.Calculate();
      EXPECT_EQ(dlg.Result->text().section('\n', 0, 0).toStdString(), r.result) << r.from;
    }
    EXPECT_TRUE(window.Shade().empty());  // nothing shaded after an error
  }
  window.SetFunctions(List(Function("1/x")));
  TAreaDlg dlg(window);
  for (const auto& [from, result] : {std::pair("-1", "Error: Division by Zero at x = 0"),
                                     std::pair("0", "Error: The Integral Diverges Or Converges Too Slowly")}) {
    dlg.EFrom->setText(from);
    dlg.Calculate();
    EXPECT_EQ(dlg.Result->text().toStdString(), result);
  }
}

TEST(ValueTable, RowsColumnsAndText) {
  TGraph2DDoc doc;
  doc.SetFunctions([] {  // and f's derivative curve
    TFuncList<TBaseFunc2DObj> list = Functions();
    list.push_back(std::make_unique<TDerivedFuncObj>("f", TDerivedRequest{}));
    return list;
  }());
  EXPECT_EQ(TableFunctions(doc), (std::vector<int>{0, 1, 4}));
  TValueTable table;
  std::string error;
  ASSERT_TRUE(MakeValueTable(doc, {0, 1, 4}, -1, 0.5L, 0.5L, table, error));
  EXPECT_EQ(ValueTableText(table, ',', '.'), "x,f,g,f'(x)\n-1,0,0,-2\n-0.5,-0.75,0.5,-1\n0,-1,1,0\n0.5,-0.75,1.5,1\n");
  doc.SetFunctions([] {  // undefined: an empty cell; a decimal comma
    TFuncList<TBaseFunc2DObj> list = Functions();
    static_cast<TFunc2DObj&>(*list[1]).Func.SetExpression("sqrt(x)");
    return list;
  }());
  ASSERT_TRUE(MakeValueTable(doc, {1}, -1, 0.25L, 0.25L, table, error));
  EXPECT_EQ(ValueTableText(table, CsvSeparator(','), ','), "x;g\n-1;\n-0,75;\n-0,5;\n-0,25;\n0;0\n0,25;0,5\n");
  const struct {
    Extended from, to, step;
    const char* error;
  } bad[] = {{0, 1, 0, "Error: Step must be > 0"},
             {1, 0, 1, "Error: x From must be <= x To"},
             {0, 1e6L, 1, "Error: The Table Would Have More Than 100000 Rows"}};
  for (const auto& b : bad) {
    EXPECT_FALSE(MakeValueTable(doc, {0}, b.from, b.to, b.step, table, error));
    EXPECT_EQ(error, b.error);
  }
  // The dialog starts over the visible range in a round step, every function chosen.
  TFunc2DWindow window;
  window.SetFunctions(Functions());
  TValueTableDlg dlg(window);
  EXPECT_EQ(std::tuple(dlg.EFrom->text(), dlg.ETo->text(), dlg.EStep->text(), dlg.Functions->count()),
            std::tuple(QString("-7"), QString("7"), QString("1"), 2));
  EXPECT_EQ(dlg.View->model()->rowCount(), 15);
  dlg.Functions->item(1)->setCheckState(Qt::Unchecked);
  EXPECT_EQ(dlg.Table().headers, (std::vector<std::string>{"x", "f"}));
  dlg.EStep->setText("0");
  dlg.Calculate();
  EXPECT_EQ(dlg.Note->text(), "Error: Step must be > 0");
}

}  // namespace
}  // namespace plotix
