#pragma once
// TFuncListDlg: reorders, modifies and deletes the functions of a graph window of any kind.

#include <QDialog>
#include <vector>

#include "expr/function_object.h"
#include "platform/ordered_list_box.h"

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
    if (dialog.rows_->Deleted() || dialog.rows_->Moved()) Reorder(functions, dialog.rows_->Order());
    return dialog.Changes();
  }

  TFuncListChanges Changes() const { return {modified_, rows_->Deleted(), rows_->Moved()}; }

  // Run the selected function's modify dialog; delete it; move it one place.
  void ModifyClick();
  void DeleteClick() { rows_->DeleteCurrent(); }
  void MoveUp() { rows_->MoveCurrent(-1); }
  void MoveDown() { rows_->MoveCurrent(+1); }

  QListWidget* FListBox;
  QWidget* SpinButton1;  // the up and down buttons
  QToolButton* UpButton;
  QToolButton* DownButton;
  QPushButton* ModifyButton;
  QPushButton* DeleteButton;
  QDialogButtonBox* Buttons;

 private:
  std::vector<TBaseFuncObj*> functions_;  // in the window's order
  TOrderedListBox* rows_;
  bool modified_ = false;
};

}  // namespace plotix
