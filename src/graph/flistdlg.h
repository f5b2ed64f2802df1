#pragma once
// TFuncListDlg: reorders, modifies and deletes the functions of a 2D window.

#include <QDialog>
#include <vector>

#include "graph/func2d.h"

class QDialogButtonBox;
class QListWidget;
class QPushButton;
class QToolButton;

namespace plotix {

// What the list dialog did; the window redraws when any is set.
struct TFuncListChanges {
  bool modified = false;
  bool deleted = false;
  bool moved = false;
};

class TFuncListDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TFuncListDlg(TFuncList<TFunc2DObj>& functions, QWidget* parent = nullptr);

  // Shows the dialog modally. OK puts the list in the dialog's order without the deleted
  // functions; Cancel leaves the list as it was. Modifications are made on the functions
  // themselves, so they are reported (and kept) either way.
  static TFuncListChanges Edit(QWidget* parent, TFuncList<TFunc2DObj>& functions);

  void accept() override;
  TFuncListChanges Changes() const { return {modified_, deleted_, moved_}; }

  // Run the selected function's modify dialog; delete it; move it one place.
  void ModifyClick();
  void DeleteClick();
  void MoveUp() { Move(-1); }
  void MoveDown() { Move(+1); }

  QListWidget* FListBox;
  QWidget* SpinButton1;  // the up and down buttons
  QToolButton* UpButton;
  QToolButton* DownButton;
  QPushButton* ModifyButton;
  QPushButton* DeleteButton;
  QDialogButtonBox* Buttons;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Move(int step);
  TFunc2DObj* Selected() const;

  TFuncList<TFunc2DObj>& functions_;
  std::vector<TFunc2DObj*> order_;  // the list box's functions, item by item
  bool modified_ = false;
  bool deleted_ = false;
  bool moved_ = false;
};

}  // namespace plotix
