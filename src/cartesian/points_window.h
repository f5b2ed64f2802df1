#pragma once
// TPointsWindow: "Zeros, Extrema, Intersections", a window beside the graphs that lists the
// zeros, extrema and intersections of one y = f(x) function of the active 2D graph over its
// visible x range or typed bounds. A row clicked centres the view on its point; "Mark on
// Graph" marks the points on the graph until what it draws changes; the rows copy as
// tab-separated text.

#include <QWidget>

#include "cartesian/function_points.h"
#include "window/graph_follower.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace plotix {

class TEditMathConst;
class TFunc2DWindow;
class TFuncGraphWindow;

class TPointsWindow : public QWidget, public TGraphFollower {
  Q_OBJECT

 public:
  // Shows the points window of the graph's top-level window on the graph, made when it is
  // first wanted; it goes with that window.
  static TPointsWindow* Open(TFunc2DWindow* graph);
  // Follows a 2D graph, or shows none.
  void FollowGraph(TFuncGraphWindow* active) override;

  TFunc2DWindow* Graph() const { return graph_; }
  // The points again, for the chosen function and range.
  void Refresh();
  // Centres the graph's view on the row's point.
  void CenterOn(int row);
  void MarkOnGraph();
  void CopyRows();
  const TFunctionPoints& Points() const { return points_; }

  QComboBox* EFunction;
  TEditMathConst* EFrom;
  TEditMathConst* ETo;
  QTableWidget* Rows;
  QLabel* Note;
  QPushButton* BMark;
  QPushButton* BCopy;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  explicit TPointsWindow(QWidget* parent);
  void SetGraph(TFunc2DWindow* graph);
  // The functions of the graph in the choice, the chosen one kept where it still is.
  void FillFunctions();
  // The x range: the typed bounds, or the visible range for an empty one; false after
  // saying what is wrong.
  bool Range(Extended& a, Extended& b);
  // The points in the rows, their numbers rounded to the digits shown.
  void ShowRows();

  TFunc2DWindow* graph_ = nullptr;
  std::vector<int> functions_;  // the graph's list indexes of the choice
  TFunctionPoints points_;
  bool centering_ = false;  // our own centring redraws: the rows stay
  QMetaObject::Connection rendered_, closing_, settings_;
};

}  // namespace plotix
