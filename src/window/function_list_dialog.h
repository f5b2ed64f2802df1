#pragma once
// TFuncListDlg: reorders, modifies and deletes the functions of a graph window of any kind.

#include <QDialog>
#include <algorithm>
#include <vector>

#include "expr/function_object.h"

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
  // The functions in the window's order; the dialog changes the list, never the window's.
  explicit TFuncListDlg(std::vector<TBaseFuncObj*> functions, QWidget* parent = nullptr);

  // Shows the dialog modally. OK puts the window's list in the dialog's order and frees the
  // deleted functions; Cancel leaves the list as it was. Modifications are made on the
  // functions themselves, so they are reported (and kept) either way.
  template <class T>
  static TFuncListChanges Edit(QWidget* parent, TFuncList<T>& functions) {
    std::vector<TBaseFuncObj*> items;
    for (const auto& f : functions) items.push_back(f.get());
    TFuncListDlg dialog(std::move(items), parent);
    if (dialog.exec() != QDialog::Accepted) return {dialog.Changes().modified, false, false};
    if (dialog.deleted_ || dialog.moved_) {
      TFuncList<T> kept;
      kept.reserve(dialog.order_.size());
      for (TBaseFuncObj* func : dialog.order_)
        kept.push_back(std::move(*std::find_if(functions.begin(), functions.end(),
                                               [func](const std::unique_ptr<T>& f) { return f.get() == func; })));
      functions = std::move(kept);
    }
    return dialog.Changes();
  }

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
  TBaseFuncObj* Selected() const;

  std::vector<TBaseFuncObj*> order_;  // the list box's functions, item by item
  bool modified_ = false;
  bool deleted_ = false;
  bool moved_ = false;
};

}  // namespace plotix
