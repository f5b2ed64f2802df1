#pragma once
// TRecoverDlg: "Recover Unsaved Graphs", shown at start when a program that ended without
// a normal exit left modified graphs behind.

#include <QDialog>
#include <vector>

#include "app/recovery_store.h"

class QListWidget;
class QPushButton;

namespace plotix {

enum class TRecoverAnswer { Recover, Discard, Later };

class TRecoverDlg : public QDialog {
  Q_OBJECT

 public:
  // One checked line per graph: its caption and the time of its last recovery write.
  explicit TRecoverDlg(const std::vector<TLeftOverGraph>& graphs, QWidget* parent = nullptr);

  // "&Recover": true for each graph to open (the rest are deleted); "&Discard": delete
  // them all; closing the dialog otherwise keeps them for the next start.
  static TRecoverAnswer Ask(QWidget* parent, const std::vector<TLeftOverGraph>& graphs, std::vector<bool>& open);

  QListWidget* List;
  QPushButton* RecoverButton;
  QPushButton* DiscardButton;
};

}  // namespace plotix
