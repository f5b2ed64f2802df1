#pragma once
// TFuncListDlg: reorders, modifies and deletes the functions of a graph window of any kind.
// While it runs, the definitions its functions' dialogs compile read the names of its list.

#include <optional>
#include <vector>

#include "expr/function_object.h"
#include "platform/dialog_controls.h"
#include "platform/ordered_list_box.h"

class QListWidget;
class QPushButton;
class QToolButton;

namespace plotix {

// Puts the curves the functions' dialogs asked for (TakeCompanions) right after their
// functions, each in the first new-function colour the list does not use; past the window's
// function limit the rest are left out, and the user is told.
void InsertCompanions(std::vector<std::unique_ptr<TBaseFuncObj>>& functions);
template <class T>
void InsertCompanions(TFuncList<T>& functions) {
  std::vector<std::unique_ptr<TBaseFuncObj>> all(std::make_move_iterator(functions.begin()),
                                                 std::make_move_iterator(functions.end()));
  InsertCompanions(all);
  functions.clear();
  for (auto& f : all) functions.emplace_back(static_cast<T*>(f.release()));
}

class TFuncListDlg : public TOkCancelDlg, private TGraphHost {
  Q_OBJECT

 public:
  // The functions in the window's order; the dialog changes the list, never the window's.
  explicit TFuncListDlg(std::vector<TBaseFuncObj*> functions, QWidget* parent = nullptr);

  // The list the graph should have, and what the user did to it ("Delete Function").
  template <class T>
  struct TEdited {
    TFuncList<T> functions;
    QString what;
  };

  // Shows the dialog modally on a copy of the list and returns the list the graph should
  // have, or nothing when nothing changed. OK keeps the dialog's order and leaves the
  // deleted functions out; a function's own modify dialog changes it even when the list
  // is then cancelled.
  template <class T>
  static std::optional<TEdited<T>> Edit(QWidget* parent, const TFuncList<T>& functions) {
    TFuncList<T> copies = CloneFunctions(functions);
    std::vector<TBaseFuncObj*> items;
    for (const auto& f : copies) items.push_back(f.get());
    TFuncListDlg dialog(std::move(items), parent);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    const bool deleted = accepted && dialog.rows_->Deleted(), moved = accepted && dialog.rows_->Moved();
    if (!deleted && !moved && !dialog.modified_) return std::nullopt;
    if (deleted || moved) Reorder(copies, dialog.rows_->Order());
    InsertCompanions(copies);
    return TEdited<T>{std::move(copies), What(deleted, moved, dialog.modified_)};
  }

  // Run the selected function's modify dialog; delete it (asking first when others call it).
  void ModifyClick();
  void DeleteClick() { rows_->DeleteCurrent(); }

  QListWidget* FListBox;
  QWidget* SpinButton1;  // the up and down buttons
  QToolButton* UpButton;
  QToolButton* DownButton;
  QPushButton* ModifyButton;
  QPushButton* DeleteButton;

 private:
  // The history's words for one edit of the list.
  static QString What(bool deleted, bool moved, bool modified);
  // The rows after a change: every function compiled with the others, each row its
  // description and the error that keeps it from being drawn.
  void ShowRows();
  bool ConfirmDelete(int item);

  const TParameterList& Parameters() const override;
  void AddParameter(const TParameter& parameter) override;
  std::vector<const TBaseFuncObj*> Functions() const override;  // the rows' functions in their order

  std::vector<TBaseFuncObj*> functions_;  // in the window's order
  TOrderedListBox* rows_;
  bool modified_ = false;
  TGraphHost* window_;  // the graph's host: its parameters
  TGraphHostScope host_;
};

}  // namespace plotix
