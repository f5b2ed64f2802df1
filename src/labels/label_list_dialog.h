#pragma once
// TLabelListDlg ("Edit Label List"): reorders, modifies and deletes the labels of a graph
// window, and can close by selecting one.

#include <optional>
#include <vector>

#include "labels/label_list.h"
#include "platform/dialog_controls.h"
#include "platform/ordered_list_box.h"

class QListWidget;
class QPushButton;
class QToolButton;

namespace plotix {

class TLabelListDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  // What the dialog did.
  struct TOutcome {
    // The list the graph should have, when anything changed: a label's own dialog
    // changes it even when the list is then cancelled; deletes and moves count on OK.
    std::optional<TLabelList> labels;
    int select = -1;  // "OK/Select": the chosen label's index in the new list
  };

  // The dialog starts on label `current` (else the first).
  TLabelListDlg(std::vector<TDrawBaseClass*> labels, int current, QWidget* parent = nullptr);

  // Shows the dialog modally on a copy of the list.
  static TOutcome Edit(QWidget* parent, const TLabelList& labels, int current);

  void ModifyClick();
  void DeleteClick() { rows_->DeleteCurrent(); }
  void Move(int step) { rows_->MoveCurrent(step); }

  QListWidget* LabelListBox;
  QToolButton* UpButton;
  QToolButton* DownButton;
  QPushButton* ModifyButton;
  QPushButton* DeleteButton;
  QPushButton* SelectButton;  // "OK/Select"

 private:
  std::vector<TDrawBaseClass*> labels_;  // in the window's order
  TOrderedListBox* rows_;
  bool modified_ = false;
  bool select_ = false;
};

}  // namespace plotix
