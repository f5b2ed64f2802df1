#pragma once
// TFunctionPanel: the "Functions" dock's contents. It follows the active graph window and
// shows its functions as typed lines in list order, a row each (a handle to drag it by,
// its colour, a show box, its kind and its line, with the line's error under it), and an
// empty last row that adds a function. The graph redraws at each key; every change goes
// through the window's typed rows (TTypedFunctions), one step of its history per edit.

#include <QPointer>
#include <QWidget>
#include <vector>

#include "window/graph_follower.h"
#include "window/typed_functions.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QVBoxLayout;

namespace plotix {

class TColorSampleButton;
class TFuncGraphWindow;

class TFunctionPanel : public QWidget, public TGraphFollower {
  Q_OBJECT

 public:
  explicit TFunctionPanel(QWidget* parent = nullptr);

  void FollowGraph(TFuncGraphWindow* window) override;
  // The rows shown anew from the window's list, all but the one being typed in.
  void Refresh();
  // The focus in the empty last row.
  void FocusNewRow();
  // The row's function to list position `to`, as a drop of its handle moves it.
  void MoveRow(int from, int to);

  // A row, for the tests; the last is the empty one that adds a function.
  struct TRow {
    QWidget* frame;
    QLabel* handle;
    TColorSampleButton* swatch;
    QCheckBox* shown;
    QLabel* kind;
    QLineEdit* line;
    QLabel* error;
    QToolButton* slider;  // "add slider: a"
    int marked = 0;       // the character of the line marked as the error's, from 1; 0 none
    std::string unknown;  // the name the slider button offers
  };
  const std::vector<TRow>& Rows() const { return rows_; }
  QLabel* Hint() const { return hint_; }

 signals:
  // A row's "add slider" made a parameter, which the user will want to move.
  void SliderAdded();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  TTypedFunctions* Typed() const;
  // As many row widgets as the list has functions, and the empty row; `typing`: the row an
  // edit is in progress in.
  void SyncRowCount(int functions, int typing);
  void AddRowWidgets();
  void DropRowWidgets();
  void ShowRow(int index, const TTypedRow& row, bool withText);
  void ShowError(int index, const TTypedError& error);
  void LineEdited(int index, const QString& text);
  void EndEdit(int index);
  bool RowKey(int index, QKeyEvent* event);
  void FocusRow(int index);
  int RowOf(const QObject* widget) const;

  QPointer<TFuncGraphWindow> window_;
  QLabel* hint_;
  QWidget* list_;
  QVBoxLayout* rowsLayout_;
  std::vector<TRow> rows_;
  QPoint dragStart_;
};

}  // namespace plotix
