#pragma once
// TParameterPanel: the "Parameters" dock's contents. It follows the active graph window and
// shows a row per parameter (name, slider, value field, play button, edit and delete) and
// an add button; TParameterDlg adds or edits one parameter. Every change goes through the
// window, one step of its history per gesture.

#include <QTimer>
#include <QWidget>
#include <vector>

#include "expr/parameters.h"
#include "platform/dialog_controls.h"
#include "window/graph_follower.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QSlider;
class QToolButton;

namespace plotix {

class TEditMathConst;
class TFuncGraphWindow;

class TParameterDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  // others: the graph's other parameters, functions: its functions' names, which this one's
  // name may not take; used: a definition reads it, so its name stays.
  TParameterDlg(TParameter& parameter, TParameterList others, std::vector<std::string> functions, bool addMode,
                bool used = false, QWidget* parent = nullptr);

  // Checks the name, the numbers, the range and the step; a failure says why and keeps the
  // dialog open.
  void accept() override;

  QLineEdit* EName;
  TEditMathConst* EValue;
  TEditMathConst* EFrom;
  TEditMathConst* ETo;
  TEditMathConst* EStep;

 private:
  TParameter& parameter_;
  TParameterList others_;
  std::vector<std::string> functions_;
  bool used_;
};

class TParameterPanel : public QWidget, public TGraphFollower {
  Q_OBJECT

 public:
  explicit TParameterPanel(QWidget* parent = nullptr);

  // The window whose parameters are shown and followed (null: none).
  void FollowGraph(TFuncGraphWindow* window) override;
  TFuncGraphWindow* Window() const { return window_; }
  // The window's parameters changed: rows rebuilt when names or ranges differ, else moved.
  void Refresh();

  // A parameter's row, for the tests.
  struct TRow {
    QLabel* name;
    QSlider* slider;
    TEditMathConst* value;
    QToolButton* play;
    QToolButton* edit;
    QToolButton* remove;
  };
  const std::vector<TRow>& Rows() const { return rows_; }
  QToolButton* AddButton() const { return add_; }
  // One tick of a play run, as its timer gives them.
  void PlayTick();

 private:
  void Rebuild();
  void ShowValues();
  void Commit(const QString& what);
  void SliderMoved(int index);
  void ValueTyped(int index);
  void TogglePlay(int index);
  void StopPlay(bool commit);
  void Edit(int index);
  void Remove(int index);
  void Add();

  TFuncGraphWindow* window_ = nullptr;
  TParameterList shown_;  // the list the rows were built for
  QGridLayout* grid_;
  QLabel* hint_;
  QToolButton* add_;
  std::vector<TRow> rows_;
  QTimer playTimer_;
  int playing_ = -1;  // the row being played, -1 for none
  int playTick_ = 0;
  Extended playStart_ = 0;  // the value a run comes back to
};

}  // namespace plotix
